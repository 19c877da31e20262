// SPDX-License-Identifier: GPL-3.0-or-later
#include "tableform.h"

#include "editor/editorsettings.h"
#include "editor/sourcebuffer.h"
#include "editor/ui/colourbutton.h"
#include "editor/ui/editorhost.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum class Tool { AddColumn, AddRow, DeleteColumn, DeleteRow, Spacing, Padding, Top, Middle, Bottom };

// The toolbar's small pictures, drawn here so they follow the palette and need no files.
QIcon toolIcon(Tool tool, const QPalette &palette)
{
    const qreal ratio = 2;
    QPixmap pixmap(QSize(16, 16) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette.color(QPalette::ButtonText);
    const QColor add(0x2e, 0x8b, 0x3e);
    const QColor remove(0xc0, 0x30, 0x30);
    const QRectF box(1.5, 1.5, 13, 13);
    const auto grid = [&] {
        painter.setPen(QPen(ink, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        painter.drawLine(QPointF(6, 1.5), QPointF(6, 14.5));
        painter.drawLine(QPointF(1.5, 6), QPointF(14.5, 6));
    };
    switch (tool) {
    case Tool::AddColumn:
    case Tool::DeleteColumn:
        painter.fillRect(QRectF(10, 1.5, 4.5, 13), tool == Tool::AddColumn ? add : remove);
        grid();
        painter.drawLine(QPointF(10, 1.5), QPointF(10, 14.5));
        break;
    case Tool::AddRow:
    case Tool::DeleteRow:
        painter.fillRect(QRectF(1.5, 10, 13, 4.5), tool == Tool::AddRow ? add : remove);
        grid();
        painter.drawLine(QPointF(1.5, 10), QPointF(14.5, 10));
        break;
    case Tool::Spacing:
        painter.setPen(QPen(ink, 1));
        painter.drawRect(QRectF(1.5, 1.5, 13, 13));
        painter.drawRect(QRectF(3.5, 3.5, 4, 4));
        painter.drawRect(QRectF(8.5, 3.5, 4, 4));
        painter.drawRect(QRectF(3.5, 8.5, 4, 4));
        painter.drawRect(QRectF(8.5, 8.5, 4, 4));
        break;
    case Tool::Padding:
        painter.setPen(QPen(ink, 1));
        painter.drawRect(box);
        painter.setPen(QPen(ink, 1.5));
        painter.drawLine(QPointF(5, 6), QPointF(11, 6));
        painter.drawLine(QPointF(5, 10), QPointF(11, 10));
        break;
    case Tool::Top:
    case Tool::Middle:
    case Tool::Bottom: {
        painter.setPen(QPen(ink, 1));
        painter.drawRect(box);
        const qreal y = tool == Tool::Top ? 4 : tool == Tool::Middle ? 7 : 10;
        painter.fillRect(QRectF(4, y, 8, 2.5), ink);
        break;
    }
    }
    return QIcon(pixmap);
}

// Draws each cell's frame as wide as the table's cell spacing, so the grid shows the spacing chosen.
class SpacingDelegate : public QStyledItemDelegate
{
public:
    SpacingDelegate(const int &lineWidth, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_lineWidth(lineWidth)
    { }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (m_lineWidth <= 0)
            return;
        painter->save();
        const qreal half = m_lineWidth / 2.0;
        // A shade of the table's own colour, so the lines show on any background.
        const QColor base = option.palette.color(QPalette::Base);
        QPen pen(qGray(base.rgb()) < 70 ? QColor(0xa0, 0xa0, 0xa0) : base.darker(165), m_lineWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(half - 0.5, half - 0.5, half - 0.5, half - 0.5));
        painter->restore();
    }

private:
    const int &m_lineWidth;
};

} // namespace

void TTableForm::run(EditorHost &host)
{
    if (!host.activeBuffer())
        return;
    TTableForm form(host, host.dialogParent());
    form.exec();
}

TTableForm::TTableForm(EditorHost &host, QWidget *parent)
    : TDialogBase(host, parent, QStringLiteral("Table Wizard"), QStringLiteral("menus.html"))
    , m_editorHost(host)
{
    setObjectName(QStringLiteral("TableForm"));

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setIconSize(QSize(16, 16));
    const QPalette pal = palette();
    m_addColumn = addTool("AddColumn", QStringLiteral("Insert column"), toolIcon(Tool::AddColumn, pal));
    m_addRow = addTool("AddRow", QStringLiteral("Insert row"), toolIcon(Tool::AddRow, pal));
    m_deleteColumn
        = addTool("DeleteColumn", QStringLiteral("Remove column"), toolIcon(Tool::DeleteColumn, pal));
    m_deleteRow = addTool("DeleteRow", QStringLiteral("Remove row"), toolIcon(Tool::DeleteRow, pal));
    m_toolBar->addSeparator();
    m_cellSpacing = addTool("CellSpacing", QStringLiteral("Cell spacing"), toolIcon(Tool::Spacing, pal));
    m_cellPadding = addTool("CellPadding", QStringLiteral("Cell padding"), toolIcon(Tool::Padding, pal));

    m_colorButton = new TColourButton(m_toolBar);
    m_colorButton->setObjectName(QStringLiteral("ColorButton"));
    m_colorButton->setToolTip(QStringLiteral("Background color"));
    m_colorButton->setIconSize(QSize(16, 16));
    m_colorButton->colourMenu()->setObjectName(QStringLiteral("ColorPopup"));
    m_toolBar->addWidget(m_colorButton);
    m_toolBar->addSeparator();

    auto *valign = new QActionGroup(this);
    m_valignTop = addTool("VAlignTop", QStringLiteral("Vertical alignment: top"), toolIcon(Tool::Top, pal));
    m_valignMiddle
        = addTool("VAlignMiddle", QStringLiteral("Vertical alignment: middle"), toolIcon(Tool::Middle, pal));
    m_valignBottom
        = addTool("VAlignBottom", QStringLiteral("Vertical alignment: bottom"), toolIcon(Tool::Bottom, pal));
    for (QAction *action : { m_valignTop, m_valignMiddle, m_valignBottom }) {
        action->setCheckable(true);
        valign->addAction(action);
    }
    m_valignTop->setChecked(true);
    m_toolBar->addSeparator();

    QAction *insert = m_toolBar->addAction(QStringLiteral("Insert Table"));
    insert->setObjectName(QStringLiteral("Insert"));
    QAction *cancel = m_toolBar->addAction(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("Cancel"));
    m_toolBar->addSeparator();
    m_percentages = new QCheckBox(QStringLiteral("Use Percentages of Window"), m_toolBar);
    m_percentages->setObjectName(QStringLiteral("Percentages"));
    m_percentages->setToolTip(QStringLiteral("Set dimensions as percentages of browser window"));
    m_toolBar->addWidget(m_percentages);

    m_sample = new QTableWidget(4, 4, this);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->setShowGrid(false);
    m_sample->setItemDelegate(new SpacingDelegate(m_lineWidth, m_sample));
    m_sample->setSelectionMode(QAbstractItemView::SingleSelection);
    for (QHeaderView *header : { m_sample->horizontalHeader(), m_sample->verticalHeader() }) {
        header->setSectionsMovable(true);
        header->setSectionResizeMode(QHeaderView::Interactive);
        header->setHighlightSections(false);
    }
    m_sample->horizontalHeader()->setDefaultSectionSize(64);
    m_sample->horizontalHeader()->setFixedHeight(24);
    m_sample->verticalHeader()->setMinimumSectionSize(8);
    m_sample->verticalHeader()->setDefaultSectionSize(24);
    const TableMarkup::TableGrid defaults = TableMarkup::defaultGrid();
    for (int i = 0; i < 4; ++i) {
        m_sample->setColumnWidth(i, defaults.columnWidths.at(i + 1));
        m_sample->setRowHeight(i, defaults.rowHeights.at(i + 1));
        m_sample->setHorizontalHeaderItem(i, new QTableWidgetItem(QString::number(i + 1)));
        m_sample->setVerticalHeaderItem(i, new QTableWidgetItem(QString::number(i + 1)));
    }

    m_editPanel = new QFrame(this, Qt::Popup);
    m_editPanel->setObjectName(QStringLiteral("EditPanel"));
    m_editPanel->setFrameShape(QFrame::Panel);
    m_editPanel->setFrameShadow(QFrame::Raised);
    m_spinEdit = new QSpinBox(m_editPanel);
    m_spinEdit->setObjectName(QStringLiteral("SpinEdit"));
    // Negative spacing or padding means nothing to a browser.
    m_spinEdit->setRange(0, 99);
    auto *panelLayout = new QHBoxLayout(m_editPanel);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    panelLayout->addWidget(m_spinEdit);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(m_sample, 1);

    connect(m_addColumn, &QAction::triggered, this, &TTableForm::AddColumnClick);
    connect(m_addRow, &QAction::triggered, this, &TTableForm::AddRowClick);
    connect(m_deleteColumn, &QAction::triggered, this, &TTableForm::DeleteColumnClick);
    connect(m_deleteRow, &QAction::triggered, this, &TTableForm::DeleteRowClick);
    connect(m_cellSpacing, &QAction::triggered, this, &TTableForm::CellSpacingClick);
    connect(m_cellPadding, &QAction::triggered, this, &TTableForm::CellPaddingClick);
    connect(m_spinEdit, &QSpinBox::valueChanged, this, &TTableForm::SpinEditChange);
    connect(m_colorButton, &TColourButton::colourChosen, this, &TTableForm::applyColour);
    connect(insert, &QAction::triggered, this, &TTableForm::InsertClick);
    connect(cancel, &QAction::triggered, this, &QDialog::reject);

    // Every button and the check box stay in sight.
    setMinimumWidth(m_toolBar->sizeHint().width());
    resize(qMax(613, minimumWidth()), 226);
    applyColour(0xFFFFFF);
    updateButtons();
    m_sample->setFocus();
}

QAction *TTableForm::addTool(const char *name, const QString &hint, const QIcon &icon)
{
    QAction *action = m_toolBar->addAction(icon, hint);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    return action;
}

void TTableForm::applyColour(TColor colour)
{
    m_colour = colour;
    m_colorButton->setLastColour(colour);
    QPalette pal = m_sample->palette();
    pal.setColor(QPalette::Base, toQColor(colour));
    // Typed text stays readable on a dark background.
    pal.setColor(QPalette::Text, qGray(toQColor(colour).rgb()) < 110 ? Qt::white : Qt::black);
    m_sample->setPalette(pal);
}

void TTableForm::AddColumnClick()
{
    const int column = m_sample->columnCount();
    m_sample->insertColumn(column);
    m_sample->setColumnWidth(column, 64);
    m_sample->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::number(column + 1)));
    updateButtons();
}

void TTableForm::AddRowClick()
{
    const int row = m_sample->rowCount();
    m_sample->insertRow(row);
    m_sample->setRowHeight(row, 24);
    m_sample->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(row + 1)));
    updateButtons();
}

void TTableForm::DeleteColumnClick()
{
    // The last column shown goes, wherever it was dragged from.
    if (m_sample->columnCount() > 0)
        m_sample->removeColumn(m_sample->horizontalHeader()->logicalIndex(m_sample->columnCount() - 1));
    updateButtons();
}

void TTableForm::DeleteRowClick()
{
    if (m_sample->rowCount() > 0)
        m_sample->removeRow(m_sample->verticalHeader()->logicalIndex(m_sample->rowCount() - 1));
    updateButtons();
}

void TTableForm::updateButtons()
{
    // The numbered column and row stay, so there is nothing to remove once only they are left.
    m_deleteColumn->setEnabled(m_sample->columnCount() > 0);
    m_deleteRow->setEnabled(m_sample->rowCount() > 0);
}

void TTableForm::CellSpacingClick()
{
    m_editingSpacing = true;
    showEditPanel(m_cellSpacing, m_lineWidth);
}

void TTableForm::CellPaddingClick()
{
    m_editingSpacing = false;
    showEditPanel(m_cellPadding, m_padding);
}

void TTableForm::showEditPanel(QAction *under, int value)
{
    {
        const QSignalBlocker block(m_spinEdit);
        m_spinEdit->setValue(value);
    }
    QWidget *button = m_toolBar->widgetForAction(under);
    m_editPanel->adjustSize();
    m_editPanel->move(button->mapToGlobal(QPoint(0, button->height())));
    m_editPanel->show();
    m_spinEdit->setFocus();
    m_spinEdit->selectAll();
}

void TTableForm::SpinEditChange(int value)
{
    if (m_editingSpacing) {
        m_lineWidth = value;
        m_sample->viewport()->update();
    } else {
        m_padding = value;
    }
}

TableMarkup::TableGrid TTableForm::grid() const
{
    TableMarkup::TableGrid grid;
    const QHeaderView *columns = m_sample->horizontalHeader();
    const QHeaderView *rows = m_sample->verticalHeader();
    grid.columnWidths.append(rows->isVisible() ? rows->width() : rows->sizeHint().width());
    grid.rowHeights.append(columns->height());
    QList<int> columnOrder;
    for (int visual = 0; visual < m_sample->columnCount(); ++visual) {
        columnOrder.append(columns->logicalIndex(visual));
        grid.columnWidths.append(m_sample->columnWidth(columnOrder.last()));
    }
    for (int visual = 0; visual < m_sample->rowCount(); ++visual) {
        const int row = rows->logicalIndex(visual);
        grid.rowHeights.append(m_sample->rowHeight(row));
        QStringList cells;
        for (int column : columnOrder) {
            const QTableWidgetItem *item = m_sample->item(row, column);
            cells.append(item ? item->text() : QString());
        }
        grid.cells.append(cells);
    }
    grid.lineWidth = m_lineWidth;
    grid.padding = m_padding;
    grid.colour = m_colour;
    grid.valign = m_valignMiddle->isChecked() ? TableMarkup::VAlign::Middle
        : m_valignBottom->isChecked()         ? TableMarkup::VAlign::Bottom
                                              : TableMarkup::VAlign::Top;
    grid.percentages = m_percentages->isChecked();
    grid.availableWidth = qMax(1, width() - grid.columnWidths.first());
    grid.availableHeight = qMax(1, height() - grid.rowHeights.first() - m_toolBar->height());
    return grid;
}

void TTableForm::InsertClick()
{
    // A cell still being typed in counts as typed: leaving it commits the text.
    m_sample->setCurrentItem(nullptr);
    const TableMarkup::TableGrid table = grid();
    const TagCommands::TagStyle style = m_editorHost.editorSettings().tagStyle();
    writeMarkup(m_editorHost, QStringLiteral("Table"), [&](SourceBuffer &buffer) {
        buffer.setSelText(TableMarkup::tableMarkup(table, style));
        // The whole page is coloured again: the table may close a tag the text after it left open.
        return WrittenRange { 0, buffer.length() };
    });
    accept();
}
