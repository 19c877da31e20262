// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's own fixed texts that several units share.
namespace Product {

// "Tagloom 99": product name, message caption and the product key.
QString caption();
// "Tagloom": the application title.
QString title();
// "4"
QString version();
QString notSaved(); // "Not Saved", the file label of a page never saved
QString modifiedMark(); // "      Modified", status panels 2 and 3

// The hint of toolbar button n (0 to 20) with or without the shortcut in brackets.
QString toolbarHint(int n, bool withShortcut);
constexpr int toolbarHintCount = 21;

} // namespace Product
