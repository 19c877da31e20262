// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class SourceBuffer;

// The entries of the style lists (StyleCombo on the formatting toolbar, StyleList in the tag editor):
// the fixed headings, then the class names of the page's embedded style block and of its linked sheet.
namespace StyleLists {

struct Entries
{
    QStringList combo; // "Heading 1" .. "Heading 6", "Body Text", then the class names
    QStringList list; // "H1" .. "H6", then the class names
};

// Reads the linked style sheet at a full path; nothing when it cannot be read.
using SheetLoader = std::function<std::optional<QString>(const QString &path)>;
// The sheet's text as the page files are read (encoding detected); nothing when it cannot be read.
std::optional<QString> readSheetFile(const QString &path);

// documentFolder resolves a relative sheet path; empty for a page never saved. The sheet is read by
// loader, by default from its file. The buffer's text and selection are left as they are.
Entries rebuild(const SourceBuffer &buffer, const QString &documentFolder, const SheetLoader &loader = {});

// Class names of the rules in an embedded style block: the first "." of each rule's selector, up to the
// nearer blank or "{". Stops where a "{" or "}" is missing.
QStringList blockClasses(const QString &block);
// Class names of a style sheet: selectors that begin with ".", named as in a block.
QStringList sheetClasses(const QString &sheet);

} // namespace StyleLists
