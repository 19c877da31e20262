// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitewide.h"

#include "app/documenttext.h"
#include "base/documentfile.h"
#include "base/safefile.h"
#include "editor/plainbuffer.h"

#include <QFile>
#include <QFileInfo>

namespace SiteWide {

namespace {

void expandAll(SiteNode &node)
{
    Site::restoreIcons(node);
    for (int i = 0; i < node.childCount(); ++i)
        expandAll(*node.child(i));
}

void collectPages(SiteNode &node, QList<SiteNode *> &pages)
{
    for (int i = 0; i < node.childCount(); ++i) {
        SiteNode *child = node.child(i);
        if (child->icon() == SiteIcon::Page)
            pages.append(child);
        collectPages(*child, pages);
    }
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

struct Read
{
    QByteArray bytes;
    LoadedDocument document;
    QString error;
};

Read readPage(const QString &file)
{
    Read read;
    QFile f(file);
    if (QFileInfo(file).isDir()) {
        read.error = QStringLiteral("it is a folder, not a file");
        return read;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        read.error = f.errorString();
        return read;
    }
    read.bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        read.error = f.errorString();
        return read;
    }
    read.document = DocumentFile::decode(read.bytes);
    if (!read.document.ok)
        read.error
            = read.document.error.isEmpty() ? QStringLiteral("it could not be read") : read.document.error;
    return read;
}

// Writes text back in the page's own format; a page whose text did not change gets its own bytes back,
// so a run never alters a page it found nothing to change in.
QString writePage(const QString &file, const Read &read, const QString &text, bool changed)
{
    if (!changed) {
        const SafeFile::Result written = SafeFile::write(file, read.bytes);
        return written.ok ? QString() : written.reason;
    }
    const SaveResult saved = DocumentFile::save(file, text, read.document.format);
    return saved.ok ? QString() : saved.error;
}

RunResult runOver(const QStringList &files, const Progress &progress,
    const std::function<bool(QString &text, RunResult &result)> &work)
{
    RunResult result;
    for (int i = 0; i < files.size(); ++i) {
        const QString &file = files.at(i);
        const Read read = readPage(file);
        if (!read.error.isEmpty()) {
            result.failed.append({ file, read.error });
        } else {
            QString text = read.document.text;
            const int before = result.replacements;
            const bool changed = work(text, result);
            const QString error = writePage(file, read, text, changed);
            if (error.isEmpty()) {
                ++result.files;
            } else {
                // Nothing of this page reached the disk, so its replacements do not count either.
                result.replacements = before;
                result.failed.append({ file, error });
            }
        }
        if (progress && !progress(i + 1, int(files.size()))) {
            result.cancelled = i + 1 < files.size();
            break;
        }
    }
    return result;
}

QString failureList(const RunResult &result)
{
    if (result.failed.isEmpty())
        return QString();
    QString text = result.failed.size() == 1
        ? QStringLiteral("\n\nThis page could not be changed and was left as it was:")
        : QStringLiteral("\n\nThese %1 pages could not be changed and were left as they were:")
              .arg(result.failed.size());
    constexpr int shown = 10;
    for (int i = 0; i < result.failed.size() && i < shown; ++i)
        text += QStringLiteral("\n%1 (%2)").arg(result.failed.at(i).file, result.failed.at(i).reason);
    if (result.failed.size() > shown)
        text += QStringLiteral("\nand %1 more.").arg(result.failed.size() - shown);
    return text;
}

} // namespace

void expandPages(SiteNode &root)
{
    Site::restoreIcons(root);
    if (SiteNode *pages = Site::section(root, SiteSection::WebPages))
        expandAll(*pages);
}

QList<SiteNode *> pageNodes(SiteNode &root)
{
    expandPages(root);
    QList<SiteNode *> pages;
    if (SiteNode *section = Site::section(root, SiteSection::WebPages))
        collectPages(*section, pages);
    return pages;
}

QStringList pageFiles(SiteNode &root)
{
    QStringList files;
    for (const SiteNode *page : pageNodes(root))
        files.append(Site::absolutePath(root.text(), page->text()));
    return files;
}

int replaceInText(QString &text, const ReplaceOptions &options)
{
    if (options.find.isEmpty())
        return 0;
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const qsizetype findLength = options.find.size();
    int count = 0;
    QString out;
    qsizetype copied = 0; // text before this index is already in out
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(options.find, from, cs);
        if (at < 0)
            break;
        const qsizetype end = at + findLength;
        if (options.wholeWord
            && ((at > 0 && isWordChar(text.at(at - 1))) || (end < text.size() && isWordChar(text.at(end))))) {
            from = at + 1;
            continue;
        }
        if (count == 0)
            out.reserve(text.size() + 16);
        out.append(QStringView(text).mid(copied, at - copied));
        out.append(options.replace);
        copied = end;
        from = end;
        ++count;
    }
    if (count > 0) {
        out.append(QStringView(text).mid(copied));
        text = std::move(out);
    }
    return count;
}

QString stripTags(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n) {
        const QChar c = text.at(p);
        const QChar next = p + 1 < n ? text.at(p + 1) : QChar();
        if (c != u'<' || !(next.isLetter() || next == u'/' || next == u'!' || next == u'?')) {
            out.append(c);
            ++p;
            continue;
        }
        qsizetype end = -1; // the index just after the tag
        if (QStringView(text).mid(p, 4) == u"<!--") {
            const qsizetype close = text.indexOf(QStringLiteral("-->"), p + 4);
            if (close >= 0)
                end = close + 3;
        } else {
            const qsizetype close = text.indexOf(u'>', p + 1);
            if (close >= 0)
                end = close + 1;
        }
        if (end < 0) {
            // Never closed: the rest is text, kept as it stands.
            out.append(QStringView(text).mid(p));
            break;
        }
        if (QStringView(text).mid(end, 2) == u"\r\n")
            end += 2;
        else if (end < n && (text.at(end) == u'\n' || text.at(end) == u'\r'))
            end += 1;
        p = end;
    }
    return out;
}

RunResult replaceAll(const QStringList &files, const ReplaceOptions &options, const Progress &progress)
{
    return runOver(files, progress, [&options](QString &text, RunResult &result) {
        const int n = replaceInText(text, options);
        result.replacements += n;
        return n > 0;
    });
}

RunResult stripAll(const QStringList &files, const Progress &progress)
{
    return runOver(files, progress, [](QString &text, RunResult &) {
        QString stripped = stripTags(text);
        const bool changed = stripped != text;
        text = std::move(stripped);
        return changed;
    });
}

QString replaceMessage(const QString &find, const RunResult &result)
{
    return QStringLiteral("Found ") + u'"' + find + u'"' + u' ' + QString::number(result.replacements)
        + QStringLiteral(" times, in a total of ") + QString::number(result.files) + QStringLiteral(" files.")
        + failureList(result);
}

QString stripMessage(const RunResult &result)
{
    return QStringLiteral("Stripped tags from a total of ") + QString::number(result.files)
        + QStringLiteral(" files.") + failureList(result);
}

namespace {

void makeLinks(
    SiteNode &node, const QString &rootText, const std::function<QString(const QString &)> &titleOf)
{
    for (int i = 0; i < node.childCount(); ++i) {
        SiteNode *child = node.child(i);
        // Anchors first read their page's text, before the page's own text becomes a link.
        makeLinks(*child, rootText, titleOf);
        if (child->icon() == SiteIcon::Anchor) {
            const QString page = child->parent()->text();
            child->setText(QStringLiteral("<a href=\"") + page + u'#' + child->text() + QStringLiteral("\">")
                + child->text() + QStringLiteral("</a>"));
            child->setIcon(SiteIcon::Folder);
        }
    }
    for (int i = 0; i < node.childCount(); ++i) {
        SiteNode *child = node.child(i);
        if (child->icon() == SiteIcon::Page) {
            const QString title = titleOf(Site::absolutePath(rootText, child->text()));
            child->setText(QStringLiteral("<a href=\"") + child->text() + QStringLiteral("\">") + title
                + QStringLiteral("</a>"));
            child->setIcon(SiteIcon::Folder);
        }
    }
}

std::unique_ptr<SiteNode> copyOf(const SiteNode &node)
{
    auto copy = std::make_unique<SiteNode>(node.text(), node.icon(), node.selectedIcon());
    for (int i = 0; i < node.childCount(); ++i)
        copy->addChild(copyOf(*node.child(i)));
    return copy;
}

} // namespace

std::unique_ptr<SiteNode> tableOfContents(
    SiteNode &root, const std::function<QString(const QString &file)> &titleOf)
{
    expandPages(root);
    const SiteNode *pages = Site::section(root, SiteSection::WebPages);
    std::unique_ptr<SiteNode> tree
        = pages ? copyOf(*pages) : std::make_unique<SiteNode>(Site::sectionName(SiteSection::WebPages));
    // Children are made links before their parents, so an anchor still finds its page's file name.
    makeLinks(*tree, root.text(), titleOf);
    tree->setIcon(SiteIcon::Root);
    return tree;
}

QString pageTitle(const QString &file)
{
    const LoadedDocument loaded = DocumentFile::load(file);
    if (!loaded.ok)
        return QString();
    const DocumentText::Title title = DocumentText::readTitle(PlainBuffer(loaded.text));
    return title.found ? title.text : QString();
}

} // namespace SiteWide
