// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/colors.h"
#include "editor/tagcommands.h"

#include <QList>
#include <QString>
#include <QStringList>

// The markup of the table wizard, computed from the grid the user laid out. The grid's first column and
// first row are the fixed ones holding the numbers: they count in NC and NR but are never written.
namespace TableMarkup {

enum class VAlign { Top, Middle, Bottom };

struct TableGrid
{
    // w(0) .. w(NC - 1) and h(0) .. h(NR - 1) in the order shown, the fixed column and row first.
    QList<int> columnWidths;
    QList<int> rowHeights;
    // cells[j - 1][i - 1] is the text of grid row j, column i; a missing cell is empty.
    QList<QStringList> cells;
    int lineWidth = 1; // cell spacing and border
    int padding = 0;
    TColor colour = 0xFFFFFF;
    VAlign valign = VAlign::Top;
    bool percentages = false;
    // The dialog's client area less the fixed column (and the fixed row and the toolbar): what a
    // percentage is taken of. Kept at 1 or more.
    int availableWidth = 1;
    int availableHeight = 1;
};

// The grid the wizard opens with: 4 by 4 cells of 64 pixels, rows 24, 25, 24 and 24 pixels high.
TableGrid defaultGrid();

// (100 / available) * value in extended precision, in that order, truncated toward zero; an available
// size below 1 counts as 1.
int percentOf(int value, int available);

// The whole table: start line, one line per row, end tag, lines ending in a line feed. Cell texts are
// written exactly as typed.
QString tableMarkup(const TableGrid &grid, const TagCommands::TagStyle &style);

} // namespace TableMarkup
