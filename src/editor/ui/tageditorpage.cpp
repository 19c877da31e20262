// SPDX-License-Identifier: GPL-3.0-or-later
#include "tageditorpage.h"

#include "editor/colors.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A hint is "tooltip|status text".
void applyHint(QWidget *widget, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    widget->setToolTip(bar < 0 ? hint : hint.left(bar));
    widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QIcon swatch(const QString &name)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(toQColor(StrToColor(name)));
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(0, 0, 11, 11);
    return QIcon(pixmap);
}

} // namespace

TTagEditorPage::TTagEditorPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TagEditorPage"));

    ValueCombo = makeBox(Box::Value, "ValueCombo");
    ColorCombo = makeBox(Box::Color, "ColorCombo");
    for (const QString &name : namedColors())
        ColorCombo->addItem(swatch(name), name);
    ColorCombo->setCurrentIndex(-1);
    ColorCombo->setMaxVisibleItems(int(namedColors().size()));
    FontNameCombo = makeBox(Box::FontName, "FontNameCombo");
    FontStyleCombo = makeBox(Box::FontStyle, "FontStyleCombo");

    TagEditor = new QTreeWidget(this);
    TagEditor->setObjectName(QStringLiteral("TagEditor"));
    TagEditor->setColumnCount(2);
    TagEditor->setHeaderLabels({ QStringLiteral("Attribute"), QStringLiteral("Value") });
    TagEditor->setRootIsDecorated(false);
    TagEditor->setUniformRowHeights(true);
    TagEditor->setAllColumnsShowFocus(true);
    TagEditor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TagEditor->setSelectionMode(QAbstractItemView::SingleSelection);
    TagEditor->header()->setStretchLastSection(true);
    TagEditor->installEventFilter(this);
    connect(TagEditor, &QTreeWidget::currentItemChanged, this, [this] { Q_EMIT rowSelected(); });

    ApplyChanges = new QPushButton(QStringLiteral("&Apply Changes"), this);
    ApplyChanges->setObjectName(QStringLiteral("ApplyChanges"));
    applyHint(ApplyChanges,
        QStringLiteral("Apply Changes|Update the tag in the HTML file with the settings in the tag editor"));
    connect(ApplyChanges, &QPushButton::clicked, this, [this] { Q_EMIT applyClicked(); });
    EditTag = new QPushButton(QStringLiteral("&Edit Tag"), this);
    EditTag->setObjectName(QStringLiteral("EditTag"));
    applyHint(EditTag, QStringLiteral("|Begin editing another tag"));
    connect(EditTag, &QPushButton::clicked, this, [this] { Q_EMIT editTagClicked(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    for (QComboBox *box : { ValueCombo, ColorCombo, FontNameCombo, FontStyleCombo })
        layout->addWidget(box);
    layout->addWidget(TagEditor, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ApplyChanges);
    buttons->addWidget(EditTag);
    layout->addLayout(buttons);

    // The list first: choose a row, then its value, then apply.
    setTabOrder(TagEditor, ValueCombo);
    setTabOrder(ValueCombo, ColorCombo);
    setTabOrder(ColorCombo, FontNameCombo);
    setTabOrder(FontNameCombo, FontStyleCombo);
    setTabOrder(FontStyleCombo, ApplyChanges);
    setTabOrder(ApplyChanges, EditTag);
    showBox(Box::Value);
    setBoxesEnabled(false);
}

QComboBox *TTagEditorPage::makeBox(Box box, const char *name)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    // The box edits one value; what is typed must not pile up as new items.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    combo->installEventFilter(this);
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, box] {
        m_typed = true;
        m_typedIn = box;
    });
    connect(combo, &QComboBox::activated, this, [this, box] {
        m_typed = false;
        Q_EMIT boxCommitted(box, false);
    });
    // Enter on text that is no item (an item's text is chosen by the box itself, through activated).
    connect(combo->lineEdit(), &QLineEdit::returnPressed, this, [this, box] { commitTyped(box); });
    return combo;
}

void TTagEditorPage::commitTyped(Box box)
{
    if (!m_typed || m_typedIn != box)
        return;
    m_typed = false;
    QComboBox *combo = this->box(box);
    // Typing an item's exact text is choosing it.
    Q_EMIT boxCommitted(box, combo->findText(combo->currentText(), Qt::MatchExactly) < 0);
}

bool TTagEditorPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        for (Box b : { Box::Value, Box::Color, Box::FontName, Box::FontStyle }) {
            if (watched == box(b))
                commitTyped(b);
        }
    }
    if (watched == TagEditor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Enter on a row goes on to its value.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentRow() >= 0) {
            box(m_shown)->setFocus();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QComboBox *TTagEditorPage::box(Box box) const
{
    switch (box) {
    case Box::Color:
        return ColorCombo;
    case Box::FontName:
        return FontNameCombo;
    case Box::FontStyle:
        return FontStyleCombo;
    case Box::Value:
        break;
    }
    return ValueCombo;
}

void TTagEditorPage::setRows(const QList<CurrentTag::Row> &rows)
{
    const QSignalBlocker block(TagEditor);
    TagEditor->clear();
    QList<QTreeWidgetItem *> items;
    for (const CurrentTag::Row &row : rows)
        items.append(new QTreeWidgetItem({ row.attribute, row.value }));
    TagEditor->addTopLevelItems(items);
    TagEditor->resizeColumnToContents(0);
    m_typed = false;
}

void TTagEditorPage::setRowValue(int row, const QString &value)
{
    if (QTreeWidgetItem *item = TagEditor->topLevelItem(row))
        item->setText(1, value);
}

int TTagEditorPage::currentRow() const
{
    QTreeWidgetItem *item = TagEditor->currentItem();
    return item ? TagEditor->indexOfTopLevelItem(item) : -1;
}

void TTagEditorPage::setCurrentRow(int row)
{
    TagEditor->setCurrentItem(TagEditor->topLevelItem(row));
}

void TTagEditorPage::showBox(Box shown)
{
    m_shown = shown;
    for (Box b : { Box::Value, Box::Color, Box::FontName, Box::FontStyle })
        box(b)->setVisible(b == shown);
}

void TTagEditorPage::setBoxesEnabled(bool enabled)
{
    // Once a row is chosen the empty box invites a value rather than a row.
    const QString hint = enabled ? QStringLiteral("(no value)") : QStringLiteral("Choose an attribute below");
    for (Box b : { Box::Value, Box::Color, Box::FontName, Box::FontStyle }) {
        box(b)->setEnabled(enabled);
        box(b)->lineEdit()->setPlaceholderText(hint);
    }
}

void TTagEditorPage::setBoxText(Box b, const QString &text)
{
    QComboBox *combo = box(b);
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    combo->setEditText(text);
    if (m_typedIn == b)
        m_typed = false;
}

void TTagEditorPage::setFontNames(const QStringList &names)
{
    const QSignalBlocker block(FontNameCombo);
    const QString text = FontNameCombo->currentText();
    FontNameCombo->clear();
    FontNameCombo->addItems(names);
    FontNameCombo->setEditText(text);
}

void TTagEditorPage::setStyleClasses(const QStringList &classes)
{
    const QSignalBlocker block(FontStyleCombo);
    const QString text = FontStyleCombo->currentText();
    FontStyleCombo->clear();
    FontStyleCombo->addItems(classes);
    FontStyleCombo->setEditText(text);
}
