// SPDX-License-Identifier: GPL-3.0-or-later
#include "promptlist.h"

#include "editor/colors.h"

#include <QAbstractItemDelegate>
#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int iconPixels = 16;
constexpr int maxRows = 10;

// The pictures of the lists that have no pictures of their own, drawn once per list in the colours of
// the program's toolbar set.
QPixmap blankIcon(qreal ratio)
{
    QPixmap pixmap(QSize(iconPixels, iconPixels) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

const QColor outline(0x36, 0x42, 0x4f);

QPixmap tagIcon(qreal ratio)
{
    QPixmap pixmap = blankIcon(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1d, 0x5a, 0xa6), 1));
    p.setBrush(QColor(0xcd, 0xe2, 0xf9));
    p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 2, 2);
    p.setPen(QPen(QColor(0x1d, 0x5a, 0xa6), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({ QPointF(6, 5), QPointF(3.5, 8), QPointF(6, 11) }));
    p.drawPolyline(QPolygonF({ QPointF(10, 5), QPointF(12.5, 8), QPointF(10, 11) }));
    return pixmap;
}

QPixmap attributeIcon(qreal ratio)
{
    // A label on a string: something a tag carries.
    QPixmap pixmap = blankIcon(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(outline, 1));
    p.setBrush(QColor(0x6c, 0xbf, 0x72));
    p.drawPolygon(QPolygonF(
        { QPointF(1.5, 8), QPointF(6, 3.5), QPointF(14.5, 3.5), QPointF(14.5, 12.5), QPointF(6, 12.5) }));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(6, 8), 1.4, 1.4);
    return pixmap;
}

QPixmap eventIcon(qreal ratio)
{
    // A lightning bolt: the attribute runs a script when something happens.
    QPixmap pixmap = blankIcon(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xb9, 0x54, 0x1a), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xf6, 0xc5, 0x44));
    p.drawPolygon(QPolygonF({ QPointF(9.5, 0.5), QPointF(3, 9), QPointF(7.5, 9), QPointF(5.5, 15.5),
        QPointF(13, 6.5), QPointF(8.5, 6.5), QPointF(10.5, 0.5) }));
    return pixmap;
}

QPixmap valueIcon(qreal ratio)
{
    // A small page with an "=" on it.
    QPixmap pixmap = blankIcon(ratio);
    QPainter p(&pixmap);
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.fillRect(QRectF(5, 6, 6, 1.5), QColor(0x2f, 0x7e, 0xd8));
    p.fillRect(QRectF(5, 9, 6, 1.5), QColor(0x2f, 0x7e, 0xd8));
    return pixmap;
}

QPixmap fontIcon(qreal ratio)
{
    QPixmap pixmap = blankIcon(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(15);
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, QStringLiteral("A"));
    const QRectF bounds = path.boundingRect();
    p.translate(8 - bounds.center().x(), 8 - bounds.center().y());
    p.fillPath(path, outline);
    return pixmap;
}

QPixmap styleIcon(qreal ratio)
{
    // Braces round a dot: a class of a style sheet.
    QPixmap pixmap = blankIcon(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x00, 0x80), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath left;
    left.moveTo(5.5, 1.5);
    left.cubicTo(2.5, 1.5, 4.5, 8, 1.5, 8);
    left.cubicTo(4.5, 8, 2.5, 14.5, 5.5, 14.5);
    QPainterPath right;
    right.moveTo(10.5, 1.5);
    right.cubicTo(13.5, 1.5, 11.5, 8, 14.5, 8);
    right.cubicTo(11.5, 8, 13.5, 14.5, 10.5, 14.5);
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x00, 0x80));
    p.drawEllipse(QPointF(8, 8), 1.6, 1.6);
    return pixmap;
}

class PromptItemDelegate : public QAbstractItemDelegate
{
public:
    PromptItemDelegate(int indent, bool swatches, QObject *parent)
        : QAbstractItemDelegate(parent)
        , m_indent(indent)
        , m_swatches(swatches)
    { }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QRect r = option.rect;
        painter->fillRect(r, selected ? option.palette.highlight() : option.palette.base());
        const int top = r.top() + (r.height() - iconPixels) / 2;
        if (m_swatches) {
            const QRect swatch(r.left() + 3, top + 1, m_indent - 8, iconPixels - 2);
            const QColor colour = index.data(Qt::UserRole).value<QColor>();
            if (colour.isValid()) {
                painter->fillRect(swatch, colour);
            } else {
                // "More Colors...": a little of everything.
                const int half = swatch.width() / 2;
                const int middle = swatch.height() / 2;
                painter->fillRect(swatch.left(), swatch.top(), half, middle, QColor(0xd6, 0x45, 0x41));
                painter->fillRect(swatch.left() + half, swatch.top(), swatch.width() - half, middle,
                    QColor(0xf6, 0xc5, 0x44));
                painter->fillRect(swatch.left(), swatch.top() + middle, half, swatch.height() - middle,
                    QColor(0x3c, 0x9f, 0x58));
                painter->fillRect(swatch.left() + half, swatch.top() + middle, swatch.width() - half,
                    swatch.height() - middle, QColor(0x2f, 0x7e, 0xd8));
            }
            painter->setPen(selected ? option.palette.highlightedText().color() : outline);
            painter->drawRect(swatch.adjusted(0, 0, -1, -1));
        } else {
            const QPixmap icon = index.data(Qt::DecorationRole).value<QPixmap>();
            if (!icon.isNull())
                painter->drawPixmap(QRect(r.left() + 2, top, iconPixels, iconPixels), icon);
        }
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        painter->setFont(option.font);
        painter->drawText(r.adjusted(m_indent, 0, -2, 0),
            Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QFontMetrics metrics(option.font);
        return { m_indent + metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) + 6,
            std::max(iconPixels + 2, metrics.height() + 2) };
    }

private:
    int m_indent;
    bool m_swatches;
};

} // namespace

TPromptList::TPromptList(Kind kind, QWidget *parent)
    : QListWidget(parent)
    , m_kind(kind)
{
    // The editor keeps the keyboard while the list is shown: typing goes on into the page.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setItemDelegate(new PromptItemDelegate(textIndent(), kind == Kind::Color, this));
    verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    hide();
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { Q_EMIT chosen(); });
    connect(this, &QListWidget::itemClicked, this,
        [this](QListWidgetItem *item) { Q_EMIT rowClicked(row(item)); });
}

void TPromptList::setEntries(const QStringList &items, const QList<QByteArray> &images)
{
    clear();
    const qreal ratio = devicePixelRatioF();
    QPixmap own;
    switch (m_kind) {
    case Kind::Tag:
        own = tagIcon(ratio);
        break;
    case Kind::Property:
        own = attributeIcon(ratio);
        break;
    case Kind::Value:
        own = valueIcon(ratio);
        break;
    case Kind::Font:
        own = fontIcon(ratio);
        break;
    case Kind::Style:
        own = styleIcon(ratio);
        break;
    case Kind::Color:
        break;
    }
    const QPixmap event = m_kind == Kind::Property ? eventIcon(ratio) : QPixmap();
    for (int i = 0; i < items.size(); ++i) {
        auto *item = new QListWidgetItem(items.at(i), this);
        QPixmap icon = own;
        if (m_kind == Kind::Tag && i < images.size() && !images.at(i).isEmpty()) {
            QPixmap picture;
            if (picture.loadFromData(images.at(i)))
                icon = picture;
        } else if (m_kind == Kind::Property && items.at(i).startsWith(u"on", Qt::CaseInsensitive)) {
            icon = event;
        } else if (m_kind == Kind::Font && i >= 5) {
            // Only the five generic families carry the picture; installed fonts are plain names.
            icon = QPixmap();
        } else if (m_kind == Kind::Color && items.at(i) != QStringLiteral("More Colors...")) {
            item->setData(Qt::UserRole, toQColor(StrToColor(items.at(i))));
        }
        item->setData(Qt::DecorationRole, icon);
    }
}

QStringList TPromptList::entries() const
{
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->text());
    return result;
}

void TPromptList::setSelectedRow(int row)
{
    if (row < 0 || row >= count()) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentRow(row);
    scrollToItem(item(row), QAbstractItemView::EnsureVisible);
}

int TPromptList::selectedRow() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

int TPromptList::rowsPerPage() const
{
    const int rowHeight = count() > 0 ? sizeHintForRow(0) : iconPixels + 2;
    return std::max(1, viewport()->height() / std::max(1, rowHeight));
}

QSize TPromptList::preferredSize() const
{
    const int rowHeight = count() > 0 ? sizeHintForRow(0) : iconPixels + 2;
    const int rows = std::clamp(count(), 1, maxRows);
    int width = 0;
    for (int i = 0; i < count(); ++i)
        width = std::max(width, sizeHintForIndex(model()->index(i, 0)).width());
    const int frame = 2 * frameWidth();
    const int scroll = count() > maxRows ? verticalScrollBar()->sizeHint().width() : 0;
    return { std::clamp(width + scroll + frame, 120, 320), rows * rowHeight + frame };
}

std::optional<QColor> TPromptList::askColour(QColor current)
{
    if (m_chooser)
        return m_chooser(current);
    const QColor colour = QColorDialog::getColor(current, parentWidget());
    return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
}
