// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorbox.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

namespace {

constexpr int ColorRole = Qt::UserRole;
constexpr int CustomRole = Qt::UserRole + 1;

QIcon swatch(TColor color, QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRectF square = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(QColor(0x55, 0x5f, 0x6b), 1));
    painter.setBrush(toQColor(color));
    painter.drawRect(square);
    return QIcon(pixmap);
}

} // namespace

TColorBox::TColorBox(QWidget *parent)
    : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const QString &name : namedColors()) {
        const TColor color = StrToColor(name);
        addItem(swatch(color, iconSize(), devicePixelRatio()), name, QVariant::fromValue(color));
    }
    // A blank picture keeps "Custom..." in line with the names above it.
    QPixmap blank(iconSize());
    blank.fill(Qt::transparent);
    addItem(QIcon(blank), QStringLiteral("Custom..."));
    // The list draws its items as menu entries, which need more room than the closed box measures.
    view()->setMinimumWidth(view()->sizeHintForColumn(0));
    // New pages have a white background.
    setSelectedColor(0xFFFFFF);
    connect(this, &QComboBox::activated, this, &TColorBox::itemActivated);
}

TColor TColorBox::selectedColor() const
{
    return itemData(m_shownIndex, ColorRole).value<TColor>();
}

void TColorBox::setSelectedColor(TColor color)
{
    showColor(color);
}

void TColorBox::setColorChooser(ColorChooser chooser)
{
    m_chooser = std::move(chooser);
}

void TColorBox::wheelEvent(QWheelEvent *event)
{
    // Scrolling over the box must not open the colour dialog by landing on "Custom...".
    if (event->angleDelta().y() < 0 && currentIndex() + 1 >= chooserIndex()) {
        event->accept();
        return;
    }
    QComboBox::wheelEvent(event);
}

void TColorBox::itemActivated(int index)
{
    if (index == chooserIndex()) {
        chooseCustom();
        return;
    }
    // Picking the colour already shown still applies it: the page may have been given another one by hand.
    m_shownIndex = index;
    Q_EMIT colorChanged(selectedColor());
}

void TColorBox::chooseCustom()
{
    const QColor current = toQColor(selectedColor());
    const std::optional<QColor> chosen
        = m_chooser ? m_chooser(current) : std::optional<QColor>(QColorDialog::getColor(current, this));
    if (!chosen || !chosen->isValid()) {
        setCurrentIndex(m_shownIndex);
        return;
    }
    const TColor color = fromQColor(*chosen);
    showColor(color);
    Q_EMIT colorChanged(color);
}

void TColorBox::showColor(TColor color)
{
    int index = namedIndex(color);
    if (index < 0) {
        index = customIndex();
        if (index < 0) {
            index = chooserIndex();
            insertItem(index, QString());
            setItemData(index, true, CustomRole);
        }
        setItemText(index, ColorToHex(color));
        setItemIcon(index, swatch(color, iconSize(), devicePixelRatio()));
        setItemData(index, QVariant::fromValue(color), ColorRole);
    }
    m_shownIndex = index;
    setCurrentIndex(index);
}

int TColorBox::namedIndex(TColor color) const
{
    for (int index = 0; index < chooserIndex(); ++index) {
        if (!itemData(index, CustomRole).toBool() && itemData(index, ColorRole).value<TColor>() == color)
            return index;
    }
    return -1;
}

int TColorBox::customIndex() const
{
    const int index = chooserIndex() - 1;
    return index >= 0 && itemData(index, CustomRole).toBool() ? index : -1;
}
