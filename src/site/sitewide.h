// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/sitefile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The operations that work on every page of the open site at once. Pages are read and written through
// the document file functions, so each keeps its encoding and line ends, and every write is atomic: a
// page that cannot be read or written is skipped, left as it was and named in the result.
namespace SiteWide {

// Restores the icons of the whole "Web Pages" section, as expanding it all in the tree would.
void expandPages(SiteNode &root);
// The page nodes of the "Web Pages" section, at any depth, in tree order (icons restored first).
QList<SiteNode *> pageNodes(SiteNode &root);
// The files of those pages, in the same order.
QStringList pageFiles(SiteNode &root);

struct ReplaceOptions
{
    QString find;
    QString replace;
    bool matchCase = false;
    bool wholeWord = false;
};

// Replaces every match in text from left to right; text put in by a replacement is never searched
// again, so a replacement that holds the find text ends, and an empty one removes adjacent matches
// ("abab" gives ""). Returns the number of replacements.
int replaceInText(QString &text, const ReplaceOptions &options);

// Removes the markup of a page: "<!--" runs to "-->" (comment text included), any other tag to its
// ">", and a line break right after a tag goes with it. A "<" that starts no tag (not followed by a
// letter, "/", "!" or "?") is text, as is a tag never closed: both stay with what follows them.
QString stripTags(const QString &text);

struct Failure
{
    QString file;
    QString reason;
};

struct RunResult
{
    int files = 0; // pages visited and written
    int replacements = 0;
    QList<Failure> failed; // pages skipped, left as they were
    bool cancelled = false;
};

// Called after each page with the number done and the number in all; false stops the run.
using Progress = std::function<bool(int done, int total)>;

RunResult replaceAll(const QStringList &files, const ReplaceOptions &options, const Progress &progress = {});
RunResult stripAll(const QStringList &files, const Progress &progress = {});

// The message a run ends with; failures are listed after the counts.
QString replaceMessage(const QString &find, const RunResult &result);
QString stripMessage(const RunResult &result);

// The tree the table-of-contents wizard is handed: a copy of the "Web Pages" section as its root (icon
// 0), every page node's text replaced by a link to the page titled by the page's title, every anchor's by
// a link to the anchor, both with icon 1; folders stay as they are. titleOf gives a page file's title.
std::unique_ptr<SiteNode> tableOfContents(
    SiteNode &root, const std::function<QString(const QString &file)> &titleOf);
// The title of a page file, trimmed; empty when the file cannot be read or has none.
QString pageTitle(const QString &file);

} // namespace SiteWide
