// SPDX-License-Identifier: GPL-3.0-or-later
#include "productstrings.h"

#include "actiontable.h"

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
    // Strings 200 to 220 carry the shortcut, 300 to 320 the same hints without it; the action table
    // holds both.
    using A = ActionId;
    static constexpr std::array<ActionId, toolbarHintCount> buttons
        = { A::NewHTMLFile, A::Open, A::Save, A::Print, A::Cut, A::Copy, A::Paste, A::Undo, A::Find,
              A::Replace, A::Refresh, A::InternalPreview, A::Bold, A::Italic, A::Underline, A::Link, A::Image,
              A::Symbol, A::Table, A::MetaInformation, A::HorizontalLine };
    if (n < 0 || n >= toolbarHintCount)
        return {};
    return ActionTable::hint(buttons[size_t(n)], withShortcut);
}

} // namespace Product
