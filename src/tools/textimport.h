// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Plain text brought into pages: a text file made into a page of its own with a line break tag per line,
// or set into the page as preformatted text. The text is taken as it is: "<" and "&" stay markup.
namespace TextImport {

// The page for a text file's text (line breaks CR LF): HTML, HEAD, TITLE (the file's name) and BODY on a
// white background around the lines, each ended by a BR tag.
QString convertedPage(const QString &text, const QString &fileName, bool upper, bool names);

// The text in a PRE element: the tag, a line break, the text with each line ended, a line break and the
// end tag.
QString preformatted(const QString &text, bool upper);

} // namespace TextImport
