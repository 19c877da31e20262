// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/tagcommands.h"

#include <QString>

#include <optional>

class SourceBuffer;

// The refresh tag that sends a page's reader on to another address after some seconds: read back from
// the page, and written into its head in place of any earlier one.
namespace RedirectMarkup {

struct Redirect
{
    std::optional<int> seconds; // nothing when the page's value is no whole number
    QString url;
};

// The seconds and address of the page's refresh tag, or nothing when it has none.
std::optional<Redirect> readRedirect(const QString &text);

// <meta http-equiv="refresh" content="seconds;url=address">: the fixed words in the tag letter case, the
// address exactly as typed (a double quote in it escaped).
QString redirectTag(int seconds, const QString &url, const TagCommands::TagStyle &style);

struct Written
{
    int start = 0; // where the new tag begins
    int end = 0; // just after it
};

// Writes the new refresh tag in place of the page's old one when that stood in the head; otherwise the
// old one (if any) is removed and the new one goes on a line of its own right after the head start tag
// (whatever its attributes), or at the caret in a page without one.
Written writeRedirect(
    SourceBuffer &buffer, int seconds, const QString &url, const TagCommands::TagStyle &style);

} // namespace RedirectMarkup
