// SPDX-License-Identifier: GPL-3.0-or-later
#include "stylelist.h"

#include "base/documentfile.h"
#include "colouring.h"
#include "sourcebuffer.h"

#include <QDir>
#include <QFileInfo>

namespace StyleLists {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// The class name starting just after a ".": up to the nearer blank or "{", or the end.
QString nameAfterDot(const QString &text, qsizetype dot, qsizetype end)
{
    qsizetype k = dot + 1;
    while (k < end && !isBlank(text.at(k)) && text.at(k) != u'{')
        ++k;
    return text.mid(dot + 1, k - dot - 1);
}

void addUnique(QStringList &names, const QString &name)
{
    if (!name.isEmpty() && !names.contains(name))
        names.append(name);
}

// Whether position lies inside a comment by the editor's colour rules.
bool insideComment(const QString &textBefore)
{
    Colouring::State state = Colouring::State::Text;
    const char16_t *s = reinterpret_cast<const char16_t *>(textBefore.utf16());
    qsizetype start = 0;
    const qsizetype n = textBefore.size();
    while (start < n) {
        qsizetype end = textBefore.indexOf(u'\n', start);
        end = end < 0 ? n : end + 1;
        state = Colouring::scanLine(
            s + start, end - start, state, [](Colouring::Class, qsizetype, qsizetype) {});
        start = end;
    }
    return state == Colouring::State::Comment;
}

QString linkedSheetPath(const SourceBuffer &buffer, const QString &documentFolder)
{
    const int length = buffer.length();
    const int link = buffer.findText(QStringLiteral("<LINK"), 0, length);
    if (link < 0)
        return QString();
    // HREF=" counts only inside the LINK tag itself.
    int close = buffer.findText(QStringLiteral(">"), link, length - link);
    if (close < 0)
        close = length;
    const int href = buffer.findText(QStringLiteral("HREF=\""), link, close - link);
    if (href < 0)
        return QString();
    const int valueStart = href + 6;
    const int quote = buffer.findText(QStringLiteral("\""), valueStart, close - valueStart);
    if (quote < 0)
        return QString();
    const QString path = buffer.textRange(valueStart, quote).trimmed();
    if (path.isEmpty())
        return QString();
    if (QFileInfo(path).isAbsolute())
        return QFileInfo(path).isFile() ? path : QString();
    if (documentFolder.isEmpty())
        return QString();
    const QString resolved = QDir::cleanPath(QDir(documentFolder).filePath(path));
    return QFileInfo(resolved).isFile() ? resolved : QString();
}

} // namespace

QStringList blockClasses(const QString &block)
{
    QStringList names;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = block.indexOf(u'{', from);
        if (open < 0)
            break;
        // Only a "." in the selector names a class; one inside a rule ("1.5em") does not.
        const qsizetype dot = block.indexOf(u'.', from);
        if (dot >= 0 && dot < open)
            addUnique(names, nameAfterDot(block, dot, open));
        const qsizetype close = block.indexOf(u'}', open);
        if (close < 0)
            break;
        from = close + 1;
    }
    return names;
}

QStringList sheetClasses(const QString &sheet)
{
    QStringList names;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = sheet.indexOf(u'{', from);
        if (open < 0)
            break;
        // The selector is all that stands before "{", with or without a blank before it.
        const QString selector = sheet.mid(from, open - from).trimmed();
        if (selector.startsWith(u'.'))
            addUnique(names, nameAfterDot(selector, 0, selector.size()));
        const qsizetype close = sheet.indexOf(u'}', open);
        if (close < 0)
            break;
        from = close + 1;
    }
    return names;
}

std::optional<QString> readSheetFile(const QString &path)
{
    const LoadedDocument sheet = DocumentFile::load(path);
    return sheet.ok ? std::optional<QString>(sheet.text) : std::nullopt;
}

Entries rebuild(const SourceBuffer &buffer, const QString &documentFolder, const SheetLoader &loader)
{
    Entries entries;
    for (int level = 1; level <= 6; ++level) {
        entries.combo.append(QStringLiteral("Heading %1").arg(level));
        entries.list.append(QStringLiteral("H%1").arg(level));
    }
    entries.combo.append(QStringLiteral("Body Text"));

    QStringList names;
    const int length = buffer.length();
    const int style = buffer.findText(QStringLiteral("<style"), 0, length);
    if (style >= 0) {
        // A style block inside a comment is not in use, and neither is the page's linked sheet then.
        if (insideComment(buffer.textRange(0, style)))
            return entries;
        const int end = buffer.findText(QStringLiteral("</style>"), style, length - style);
        names = blockClasses(buffer.textRange(style, end < 0 ? length : end));
    }
    const QString sheetPath = linkedSheetPath(buffer, documentFolder);
    if (!sheetPath.isEmpty()) {
        if (const std::optional<QString> sheet = loader ? loader(sheetPath) : readSheetFile(sheetPath)) {
            for (const QString &name : sheetClasses(*sheet))
                addUnique(names, name);
        }
    }
    entries.combo += names;
    entries.list += names;
    return entries;
}

} // namespace StyleLists
