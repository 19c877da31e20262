// SPDX-License-Identifier: GPL-3.0-or-later
#include "colourbutton.h"

#include "editor/tagcommands.h"

#include <QColorDialog>
#include <QEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace {

QIcon menuSwatch(TColor colour, int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(0x55, 0x5f, 0x6b), 1));
    painter.setBrush(toQColor(colour));
    painter.drawRect(QRectF(1.5, 1.5, size - 3, size - 3));
    return QIcon(pixmap);
}

} // namespace

TColourButton::TColourButton(QWidget *parent)
    : QToolButton(parent)
    , m_lastColour(TagCommands::initialLastUsedColour)
{
    setObjectName(QStringLiteral("ColourButton"));
    setPopupMode(QToolButton::MenuButtonPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("ColourPopup"));
    for (const TagCommands::NamedColourItem &item : TagCommands::colourMenu()) {
        QAction *action = m_menu->addAction(menuSwatch(item.colour, 16, devicePixelRatioF()), item.caption);
        action->setObjectName(item.objectName);
        const TColor colour = item.colour;
        connect(action, &QAction::triggered, this, [this, colour] { pick(colour); });
    }
    m_menu->addSeparator();
    QAction *more = m_menu->addAction(TagCommands::moreColoursCaption());
    more->setObjectName(QStringLiteral("MoreColors1"));
    connect(more, &QAction::triggered, this, &TColourButton::chooseMoreColours);
    setMenu(m_menu);
    connect(this, &QToolButton::clicked, this, [this] { Q_EMIT colourChosen(m_lastColour); });
    redraw();
}

void TColourButton::setLastColour(TColor colour)
{
    m_lastColour = colour;
    redraw();
}

void TColourButton::setColorChooser(ColorChooser chooser)
{
    m_chooser = std::move(chooser);
}

void TColourButton::chooseMoreColours()
{
    const QColor current = toQColor(m_lastColour);
    const std::optional<QColor> chosen
        = m_chooser ? m_chooser(current) : std::optional<QColor>(QColorDialog::getColor(current, this));
    if (!chosen || !chosen->isValid())
        return;
    pick(fromQColor(*chosen));
}

void TColourButton::changeEvent(QEvent *event)
{
    QToolButton::changeEvent(event);
    // The letter and the swatch's outline follow the toolbar's colours.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        redraw();
}

void TColourButton::pick(TColor colour)
{
    setLastColour(colour);
    Q_EMIT colourChosen(colour);
}

void TColourButton::redraw()
{
    const QSize size = iconSize().isValid() ? iconSize() : QSize(16, 16);
    const qreal ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font = this->font();
        font.setBold(true);
        font.setPixelSize(int(image.height() * 0.72));
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(
            QRect(0, 0, image.width(), image.height() * 12 / 16), Qt::AlignCenter, QStringLiteral("A"));
    }
    TagCommands::paintColourSwatch(image, m_lastColour, fromQColor(palette().color(QPalette::Button)));
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    setIcon(QIcon(pixmap));
}
