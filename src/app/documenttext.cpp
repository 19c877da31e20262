// SPDX-License-Identifier: GPL-3.0-or-later
#include "documenttext.h"

#include "app/charset.h"
#include "base/productstrings.h"
#include "editor/sourcebuffer.h"

#include <QFileInfo>

namespace DocumentText {

namespace {

int findFrom(const SourceBuffer &buffer, const QString &what, int from)
{
    return buffer.findText(what, from, buffer.length() - from);
}

QString crlf()
{
    return QStringLiteral("\r\n");
}

} // namespace

Title readTitle(const SourceBuffer &buffer)
{
    Title title;
    const QString open = QStringLiteral("<TITLE>");
    const int start = findFrom(buffer, open, 0);
    if (start < 0)
        return title;
    const int textStart = start + int(open.size());
    const int end = findFrom(buffer, QStringLiteral("</TITLE>"), textStart);
    if (end < 0)
        return title;
    title.found = true;
    title.start = textStart;
    title.length = end - textStart;
    title.text = buffer.textRange(textStart, end).trimmed();
    return title;
}

void placeCaretAfterBody(SourceBuffer &buffer)
{
    int caret = 0;
    const int body = findFrom(buffer, QStringLiteral("<BODY"), 0);
    if (body >= 0) {
        const int close = findFrom(buffer, QStringLiteral(">"), body);
        if (close >= 0) {
            caret = close + 1;
            if (buffer.textRange(caret, caret + 2) == crlf())
                caret += 2;
        }
    }
    buffer.select(caret, 0);
}

bool lacksBody(const SourceBuffer &buffer)
{
    return findFrom(buffer, QStringLiteral("<BODY"), 0) < 0
        && findFrom(buffer, QStringLiteral("<FRAMESET"), 0) < 0;
}

void insertBodyTags(SourceBuffer &buffer, bool upper)
{
    const auto cased = [upper](const QString &s) { return upper ? s : s.toLower(); };
    const QString nl = crlf();
    const QString head = cased(QStringLiteral("<HEAD>")) + nl + cased(QStringLiteral("<TITLE>"))
        + QStringLiteral("Your Document Title") + cased(QStringLiteral("</TITLE>")) + nl
        + cased(QStringLiteral("</HEAD>")) + nl + cased(QStringLiteral("<BODY>"));

    // The tags go after the ">" of "</HEAD" or "<HTML"; a tag left open gets its insertion at the end of
    // the text rather than at a position that was never found.
    const auto afterTag = [&buffer](const QString &tag) {
        const int at = findFrom(buffer, tag, 0);
        if (at < 0)
            return -1;
        const int close = findFrom(buffer, QStringLiteral(">"), at);
        return close < 0 ? buffer.length() : close + 1;
    };
    QString insertion;
    int position = afterTag(QStringLiteral("</HEAD"));
    if (position >= 0) {
        insertion = cased(QStringLiteral("<BODY>"));
    } else if ((position = afterTag(QStringLiteral("<HTML"))) >= 0) {
        insertion = head;
    } else {
        position = 0;
        insertion = cased(QStringLiteral("<HTML>")) + nl + head;
    }
    buffer.select(position, 0);
    buffer.setSelText(insertion);
    buffer.select(qMax(0, buffer.selStart() - 1), 0);
}

QString authorTag(const QString &name, bool upper, bool selfClosed)
{
    QString escaped = name;
    escaped.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'"', QStringLiteral("&quot;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
    const QString end = selfClosed ? QStringLiteral("\" />") : QStringLiteral("\">");
    return upper ? QStringLiteral("<META NAME=\"AUTHOR\" CONTENT=\"") + escaped + end
                 : QStringLiteral("<meta name=\"author\" content=\"") + escaped + end;
}

TextChange writeAuthorTag(SourceBuffer &buffer, const QString &name, bool upper, TextEncoding encoding)
{
    const bool xhtml = Charset::isXhtml(buffer.textRange(0, qMin(buffer.length(), 8192)));
    const int before = buffer.length();
    TextChange change;
    const int existing = findFrom(buffer, QStringLiteral("<meta name=\"author"), 0);
    if (existing >= 0) {
        const int close = findFrom(buffer, QStringLiteral(">"), existing);
        if (close < 0)
            return change;
        buffer.select(existing, close + 1 - existing);
    } else {
        const int headEnd = findFrom(buffer, QStringLiteral("</head>"), 0);
        if (headEnd < 0)
            return change;
        buffer.select(headEnd, 0);
    }
    change.position = buffer.selStart();
    buffer.setSelText(Charset::withReferences(authorTag(name, upper, xhtml), encoding));
    change.delta = buffer.length() - before;
    return change;
}

QString proposedSaveName(const QString &title)
{
    QString name = title + QStringLiteral(".html");
    const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : name) {
        if (forbidden.contains(c))
            c = u' ';
    }
    return name;
}

bool similarNameExists(const QString &path)
{
    if (path.endsWith(QStringLiteral(".html")))
        return QFileInfo::exists(path.chopped(1));
    if (path.endsWith(QStringLiteral(".htm")))
        return QFileInfo::exists(path + u'l');
    return false;
}

QString windowCaption(const QString &title, const QString &fileName)
{
    return title + QStringLiteral(" - ") + Product::caption() + QStringLiteral(" [") + fileName + u']';
}

bool hasStyleBlock(const SourceBuffer &buffer)
{
    const int at = findFrom(buffer, QStringLiteral("<style"), 0);
    return at > 0 && at < buffer.length() - 1;
}

} // namespace DocumentText
