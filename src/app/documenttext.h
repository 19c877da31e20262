// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/documentfile.h"

#include <QString>

class SourceBuffer;

// What the document commands read from and write into a page's text, apart from the widgets: the title,
// the caret's place after BODY, the missing BODY tags, the author tag, and the names Save As proposes.
namespace DocumentText {

struct Title
{
    bool found = false;
    int start = 0; // position of the first character after "<TITLE>"
    int length = 0; // up to "</TITLE>"
    QString text; // trimmed
};

// The text between the first "<TITLE>" and the "</TITLE>" after it; nothing when either is missing.
Title readTitle(const SourceBuffer &buffer);

// Puts the caret after the first BODY start tag and the line break that follows it; at the start of the
// text when there is no BODY tag or it has no ">".
void placeCaretAfterBody(SourceBuffer &buffer);

// Neither "<BODY" nor "<FRAMESET" occurs in the text.
bool lacksBody(const SourceBuffer &buffer);
// Inserts what is missing of HTML, HEAD, TITLE and BODY, in capitals when upper is set, and leaves the
// caret one character before the end of the inserted text.
void insertBodyTags(SourceBuffer &buffer, bool upper);

// The author meta tag as Save writes it; the name is escaped so the tag reads back the same. Self-closed
// ("/>") keeps an XHTML page well-formed XML.
QString authorTag(const QString &name, bool upper, bool selfClosed = false);
struct TextChange
{
    int position = -1; // where the text changed; -1 when it did not
    int delta = 0; // change in length
};
// Replaces the existing author tag or inserts one before "</head>"; does nothing when there is neither.
// Characters the page's 8-bit encoding cannot hold go in as numeric character references, so the tag
// never forces a question on save; an XHTML page gets the self-closed form.
TextChange writeAuthorTag(
    SourceBuffer &buffer, const QString &name, bool upper, TextEncoding encoding = TextEncoding::Utf8);

// The title + ".html", with each of \ / : * ? " < > | made a blank.
QString proposedSaveName(const QString &title);
// ".html" beside the same name less its "l", or ".htm" beside the same name plus "l" (extensions exact).
bool similarNameExists(const QString &path);

// "<title> - Tagloom 99 [<file>]"
QString windowCaption(const QString &title, const QString &fileName);

// "<style" occurs after the first character and before the last one.
bool hasStyleBlock(const SourceBuffer &buffer);

} // namespace DocumentText
