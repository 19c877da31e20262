// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/documentfile.h"

#include <QString>

// What a page says about its own encoding, and how its text is made to agree with the bytes it is saved
// as: characters an 8-bit file cannot hold become numeric character references, and a page converted to
// UTF-8 has its declarations rewritten in the same save.
namespace Charset {

// The charset the page declares, as written ("ISO-8859-1"): the XML declaration's encoding, else the first
// meta charset or http-equiv Content-Type charset. Empty when it declares none.
QString declared(const QString &text);
// Whether the charset names an 8-bit encoding the Windows-1252 writer serves (ISO-8859-1, Windows-1252,
// Latin-1, US-ASCII and their aliases).
bool isEightBit(const QString &charset);
// The format a page is saved in: a pure ASCII file reads as UTF-8, but when its page declares an 8-bit
// charset, characters added later must be written in that charset.
FileFormat formatForPage(const QString &text, const FileFormat &loaded);

// text with every character the encoding cannot hold written as "&#N;" (a surrogate pair as one).
QString withReferences(const QString &text, TextEncoding encoding);
// text with the charset of every declaration (meta charset, http-equiv Content-Type, XML declaration)
// made "UTF-8".
QString declaringUtf8(const QString &text);

// "the character “Ł” (U+0141)": the first the encoding cannot hold, for the save question; empty when none.
QString firstUnencodable(const QString &text, TextEncoding encoding);

// An XHTML page: one with an XML declaration or an xmlns attribute on its html tag.
bool isXhtml(const QString &text);

} // namespace Charset
