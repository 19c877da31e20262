// SPDX-License-Identifier: GPL-3.0-or-later
#include "productstrings.h"

#include <array>

namespace Product {

QString caption()
{
    return QStringLiteral("Tagloom 99");
}

QString title()
{
    return QStringLiteral("Tagloom");
}

QString version()
{
    return QStringLiteral("4");
}

QString notSaved()
{
    return QStringLiteral("Not Saved");
}

QString modifiedMark()
{
    return QStringLiteral("      Modified");
}

QString toolbarHint(int n, bool withShortcut)
{
    // Strings 200 to 220 carry the shortcut, 300 to 320 the same hints without it.
    struct Hint
    {
        const char16_t *shortcut;
        const char16_t *plain;
    };
    static constexpr std::array<Hint, toolbarHintCount> hints = { {
        { u"New (Ctrl+N)|Create a new HTML File", u"New|Create a new HTML File" },
        { u"Open (Ctrl+O)|Open an existing HTML file", u"Open|Open an existing HTML file" },
        { u"Save (Ctrl+S)|Save the current HTML file to disk", u"Save|Save the current HTML file to disk" },
        { u"Print (Ctrl+P)|Print the current HTML file", u"Print|Print the current HTML file" },
        { u"Cut (Ctrl+X)|Remove the selected text and place it on the clipboard",
            u"Cut|Remove the selected text and place it on the clipboard" },
        { u"Copy (Ctrl+C)|Place a copy of the selected text on the clipboard",
            u"Copy|Place a copy of the selected text on the clipboard" },
        { u"Paste (Ctrl+V)|Replace the selection with the clipboard text",
            u"Paste|Replace the selection with the clipboard text" },
        { u"Undo (Ctrl+Z)|Undoes the last action", u"Undo|Undoes the last action" },
        { u"Find (F3)|Find a section of text in the current file",
            u"Find|Find a section of text in the current file" },
        { u"Replace (Ctrl+R)|Replace a section of text with another",
            u"Replace|Replace a section of text with another" },
        { u"Refresh (F5)|Update the syntax highlighting and the style list",
            u"Refresh|Update the syntax highlighting and the style list" },
        { u"Internal Preview (F6)|Update the IE4-powered internal preview",
            u"Internal Preview|Update the IE4-powered internal preview" },
        { u"Bold (Ctrl+B)|Embolden the selected text", u"Bold|Embolden the selected text" },
        { u"Italic (Ctrl+I)|Italicasize the selected text", u"Italic|Italicasize the selected text" },
        { u"Underline (Ctrl+U)|Underline the selected text", u"Underline|Underline the selected text" },
        { u"Link (Ctrl+A)|Create a link to another page", u"Link|Create a link to another page" },
        { u"Image (Ctrl+J)|Insert an existing image file into the current page",
            u"Image|Insert an existing image file into the current page" },
        { u"Symbol (Ctrl+Y)|Insert a special character code", u"Symbol|Insert a special character code" },
        { u"Table (Ctrl+T)|Create a table", u"Table|Create a table" },
        { u"Meta Information (Ctrl+M)|Define information about the current page",
            u"Meta Information|Define information about the current page" },
        { u"Line (Ctrl+L)|Insert a line going across the page", u"Line|Insert a line going across the page" },
    } };
    if (n < 0 || n >= toolbarHintCount)
        return {};
    return QString::fromUtf16(withShortcut ? hints[n].shortcut : hints[n].plain);
}

} // namespace Product
