// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/tablemarkup.h"

namespace TableMarkup {

TableGrid defaultGrid()
{
    TableGrid grid;
    grid.columnWidths = { 64, 64, 64, 64, 64 };
    grid.rowHeights = { 24, 24, 25, 24, 24 };
    grid.cells = QList<QStringList>(4, QStringList(4));
    return grid;
}

int percentOf(int value, int available)
{
    // The division comes first, as the old program computed it, so a few sizes round one lower than
    // value * 100 / available would.
    const long double factor = 100.0L / static_cast<long double>(qMax(1, available));
    return static_cast<int>(factor * static_cast<long double>(value));
}

namespace {

QString sizeText(int value, int available, bool percentages)
{
    return percentages ? QString::number(percentOf(value, available)) + u'%' : QString::number(value);
}

QString valignWord(VAlign valign)
{
    switch (valign) {
    case VAlign::Middle:
        return QStringLiteral("middle");
    case VAlign::Bottom:
        return QStringLiteral("bottom");
    case VAlign::Top:
        break;
    }
    return QStringLiteral("top");
}

} // namespace

QString tableMarkup(const TableGrid &grid, const TagCommands::TagStyle &style)
{
    const int columns = int(grid.columnWidths.size());
    const int rows = int(grid.rowHeights.size());
    const int spacing = grid.lineWidth;
    int width = spacing;
    for (int i = 1; i < columns; ++i)
        width += grid.columnWidths.at(i) + spacing;
    int height = spacing;
    for (int j = 1; j < rows; ++j)
        height += grid.rowHeights.at(j) + spacing;

    const QString start = QStringLiteral("<table cols=") + QString::number(qMax(0, columns - 1))
        + QStringLiteral(" bgcolor=") + TagCommands::colourValue(grid.colour, style)
        + QStringLiteral(" cellspacing=") + QString::number(spacing) + QStringLiteral(" cellpadding=")
        + QString::number(grid.padding) + QStringLiteral(" border=") + QString::number(spacing)
        + QStringLiteral(" width=") + sizeText(width, grid.availableWidth, grid.percentages)
        + QStringLiteral(" height=") + sizeText(height, grid.availableHeight, grid.percentages)
        + QStringLiteral(">\n");
    QString markup = TagCommands::cased(start, style);

    const QString cellStart = style.upper ? QStringLiteral("<TD WIDTH=") : QStringLiteral("<td width=");
    const QString cellEnd = style.upper ? QStringLiteral("</TD>") : QStringLiteral("</td>");
    const QString rowEnd = style.upper ? QStringLiteral("</TR>\n") : QStringLiteral("</tr>\n");
    for (int j = 1; j < rows; ++j) {
        QString row = QStringLiteral("<tr height=")
            + sizeText(grid.rowHeights.at(j), grid.availableHeight, grid.percentages)
            + QStringLiteral(" valign=\"") + valignWord(grid.valign) + QStringLiteral("\">");
        if (style.upper)
            row = TagCommands::cased(row, style);
        const QStringList cells = grid.cells.value(j - 1);
        for (int i = 1; i < columns; ++i) {
            row += cellStart + sizeText(grid.columnWidths.at(i), grid.availableWidth, grid.percentages) + u'>'
                + cells.value(i - 1) + cellEnd;
        }
        markup += row + rowEnd;
    }
    markup += style.upper ? QStringLiteral("</TABLE>") : QStringLiteral("</table>");
    return markup;
}

} // namespace TableMarkup
