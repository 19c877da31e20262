// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class SourceBuffer;

// Plain text brought into pages: a text file made into a page of its own with a line break tag per line,
// or set into the page as preformatted text. The text is taken as it is: "<" and "&" stay markup.
namespace TextImport {

// The page for a text file's text (line breaks CR LF): HTML, HEAD, TITLE (the file's name) and BODY on a
// white background around the lines, each ended by a BR tag.
QString convertedPage(const QString &text, const QString &fileName, bool upper, bool names);

// The text in a PRE element: the tag, a line break, the text with each line ended, a line break and the
// end tag.
QString preformatted(const QString &text, bool upper);

// Import HTML File: which parts of the other file there are to import ("found" means after the first
// character and before the end, as the dialog has always judged it).
struct ImportParts
{
    bool header = false; // both files have a HEAD with its end tag
    bool meta = false; // in the imported HEAD
    bool styles = false;
    bool styleSheet = false;
    bool title = false;
    bool body = false; // the imported file has a BODY tag
};
ImportParts importParts(const QString &current, const QString &imported);

struct ImportChoice
{
    bool header = true;
    bool meta = true;
    bool styles = true;
    bool styleSheet = false;
    bool title = false;
    bool body = false;
    bool text = true;
    bool importedWins = false; // where both files define the same thing
    bool atEnd = false; // the body text before the current "</body", else at the caret
};

// Merges the chosen parts of imported into current. caret is where the body text goes (without atEnd);
// it moves with what the earlier steps insert before it, and out of any tag it would fall in. progress
// hears each step's name.
void importHtml(SourceBuffer &current, const QString &imported, const ImportChoice &choice, int caret,
    const std::function<void(const QString &step)> &progress = {});

} // namespace TextImport
