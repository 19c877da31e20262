// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/icons.h"

#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace {

// One small palette for every picture, so the toolbars read as one set.
namespace Ink {
constexpr QRgb outline = 0xff36424f;
constexpr QRgb outlineOnDark = 0xffdfe5ec;
constexpr QRgb paper = 0xffffffff;
constexpr QRgb paperShade = 0xffdde3ea;
constexpr QRgb textLine = 0xffa3afbc;
constexpr QRgb blue = 0xff2f7ed8;
constexpr QRgb blueLight = 0xffcde2f9;
constexpr QRgb blueDark = 0xff1d5aa6;
constexpr QRgb orange = 0xffe8742c;
constexpr QRgb orangeDark = 0xffb9541a;
constexpr QRgb yellow = 0xfff6c544;
constexpr QRgb yellowDark = 0xffdc9d21;
constexpr QRgb green = 0xff3c9f58;
constexpr QRgb greenLight = 0xff6cbf72;
constexpr QRgb red = 0xffd64541;
constexpr QRgb grey = 0xff7b8896;
constexpr QRgb greyLight = 0xffc3ccd6;
constexpr QRgb brown = 0xffb07a4c;
constexpr QRgb pink = 0xffec8fa0;
constexpr QRgb wood = 0xfff3d7a4;
} // namespace Ink

// Every picture is designed on a 24 x 24 grid and scaled to the pixmap. Straight outlines are put on
// whole pixels (pixel centres for odd widths), so boxes and bars stay crisp at 16 pixels too; curves
// and diagonals are left to antialiasing.
class Canvas
{
public:
    Canvas(QPainter &painter, int pixels)
        : m_painter(painter)
        , m_scale(pixels / 24.0)
        , m_line(std::max(1, static_cast<int>(pixels / 16.0 + 0.25)))
        , m_ink(darkTheme() ? QColor(Ink::outlineOnDark) : QColor(Ink::outline))
    { }

    // The colour of letters and other shapes drawn without a light fill behind them, which would
    // vanish on a dark toolbar in the dark outline colour.
    QColor ink() const { return m_ink; }

    QPainter &painter() { return m_painter; }
    double scale() const { return m_scale; }

    QPointF at(double x, double y) const
    {
        const double shift = m_line % 2 ? 0.5 : 0.0;
        return { std::round(x * m_scale) + shift, std::round(y * m_scale) + shift };
    }
    QPointF free(double x, double y) const { return { x * m_scale, y * m_scale }; }
    double length(double units) const { return units * m_scale; }

    QPen outlinePen(QColor color = QColor(Ink::outline)) const
    {
        QPen pen(color, m_line);
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }
    // A drawn stroke of the given width, never thinner than the outlines.
    QPen stroke(QColor color, double width) const
    {
        return QPen(
            color, std::max<double>(m_line, width * m_scale), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }

    // A solid bar on whole pixels, at least one pixel thick.
    void bar(double x, double y, double w, double h, QColor color)
    {
        const int left = static_cast<int>(std::round(x * m_scale));
        const int top = static_cast<int>(std::round(y * m_scale));
        const int right = std::max(left + 1, static_cast<int>(std::round((x + w) * m_scale)));
        const int bottom = std::max(top + 1, static_cast<int>(std::round((y + h) * m_scale)));
        m_painter.fillRect(QRect(left, top, right - left, bottom - top), color);
    }

    void shape(std::initializer_list<QPointF> corners, QColor fill, QColor line = QColor(Ink::outline))
    {
        QPolygonF polygon;
        for (const QPointF &corner : corners)
            polygon << at(corner.x(), corner.y());
        m_painter.setPen(outlinePen(line));
        m_painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush());
        m_painter.drawPolygon(polygon);
    }

    void box(double x0, double y0, double x1, double y1, QColor fill, QColor line = QColor(Ink::outline))
    {
        shape({ { x0, y0 }, { x1, y0 }, { x1, y1 }, { x0, y1 } }, fill, line);
    }

    void roundBox(double x0, double y0, double x1, double y1, double radius, QColor fill,
        QColor line = QColor(Ink::outline))
    {
        m_painter.setPen(outlinePen(line));
        m_painter.setBrush(fill);
        m_painter.drawRoundedRect(QRectF(at(x0, y0), at(x1, y1)), length(radius), length(radius));
    }

    void circle(double cx, double cy, double radius, QColor fill, QPen pen = QPen(Qt::NoPen))
    {
        m_painter.setPen(pen);
        m_painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush());
        m_painter.drawEllipse(free(cx, cy), length(radius), length(radius));
    }

    void line(double x0, double y0, double x1, double y1, const QPen &pen)
    {
        m_painter.setPen(pen);
        m_painter.drawLine(free(x0, y0), free(x1, y1));
    }

    // A filled triangle whose base is centred on (x, y) and whose tip lies length units along (dx, dy).
    void arrowHead(double x, double y, double dx, double dy, double length, double halfWidth, QColor color)
    {
        const double norm = std::hypot(dx, dy);
        dx /= norm;
        dy /= norm;
        QPolygonF head;
        head << free(x + dx * length, y + dy * length) << free(x - dy * halfWidth, y + dx * halfWidth)
             << free(x + dy * halfWidth, y - dx * halfWidth);
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(color);
        m_painter.drawPolygon(head);
    }

    // Text scaled to fill the box (keeping its proportions), so letters look the same whatever the font size.
    void glyph(const QString &text, const QFont &font, QRectF box, QColor color)
    {
        QPainterPath path;
        path.addText(0, 0, font, text);
        const QRectF bounds = path.boundingRect();
        if (bounds.isEmpty())
            return;
        const QRectF target(free(box.left(), box.top()), free(box.right(), box.bottom()));
        const double factor = std::min(target.width() / bounds.width(), target.height() / bounds.height());
        QTransform transform;
        transform.translate(target.center().x(), target.center().y());
        transform.scale(factor, factor);
        transform.translate(-bounds.center().x(), -bounds.center().y());
        m_painter.fillPath(transform.map(path), color);
    }

private:
    QPainter &m_painter;
    const double m_scale;
    const int m_line;
    const QColor m_ink;

    static bool darkTheme() { return QGuiApplication::palette().color(QPalette::Window).lightness() < 128; }
};

QFont letterFont(const QString &family, bool italic = false)
{
    QFont font(family);
    font.setStyleHint(family.contains(u"Serif") ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(100);
    font.setBold(true);
    font.setItalic(italic);
    return font;
}

void textLines(Canvas &c, double x, double y, std::initializer_list<double> widths)
{
    for (double width : widths) {
        c.bar(x, y, width, 1, Ink::textLine);
        y += 3;
    }
}

void drawPage(Canvas &c, double x0, double y0, double x1, double y1, double fold)
{
    c.shape({ { x0, y0 }, { x1 - fold, y0 }, { x1, y0 + fold }, { x1, y1 }, { x0, y1 } }, Ink::paper);
    c.shape({ { x1 - fold, y0 }, { x1 - fold, y0 + fold }, { x1, y0 + fold } }, Ink::paperShade);
}

void drawGlobe(Canvas &c, double cx, double cy, double r)
{
    c.circle(cx, cy, r, Ink::blue, c.stroke(Ink::blueDark, 1));
    QPainter &p = c.painter();
    p.setPen(c.stroke(Ink::blueLight, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c.free(cx, cy), c.length(r * 0.42), c.length(r - 0.4));
    p.drawLine(c.free(cx - r + 0.6, cy), c.free(cx + r - 0.6, cy));
    p.drawLine(c.free(cx, cy - r + 0.6), c.free(cx, cy + r - 0.6));
}

void drawMagnifier(Canvas &c, double cx, double cy, double r, double handle)
{
    const double reach = r * 0.7071;
    c.line(cx + reach, cy + reach, cx + reach + handle, cy + reach + handle, c.stroke(c.ink(), r * 0.55));
    c.circle(cx, cy, r, Ink::blueLight, c.stroke(c.ink(), r * 0.3));
    QPainter &p = c.painter();
    p.setPen(c.stroke(Ink::paper, r * 0.16));
    p.setBrush(Qt::NoBrush);
    const double glare = r * 0.55;
    p.drawArc(QRectF(c.free(cx - glare, cy - glare), c.free(cx + glare, cy + glare)), 100 * 16, 60 * 16);
}

void drawNew(Canvas &c)
{
    drawPage(c, 5, 2, 19, 22, 5);
}

void drawOpen(Canvas &c)
{
    c.shape({ { 2, 4.5 }, { 8.5, 4.5 }, { 10.5, 7 }, { 20, 7 }, { 20, 20 }, { 2, 20 } }, Ink::yellowDark);
    c.shape({ { 2, 20 }, { 5.5, 10.5 }, { 23, 10.5 }, { 20, 20 } }, Ink::yellow);
}

void drawSave(Canvas &c)
{
    c.shape({ { 3, 3 }, { 18, 3 }, { 21, 6 }, { 21, 21 }, { 3, 21 } }, Ink::blue);
    c.box(7, 3, 16.5, 9, Ink::greyLight);
    c.bar(13, 4.5, 2, 3, Ink::outline);
    c.box(6, 13, 18, 21, Ink::paper);
    c.bar(8, 15.5, 8, 1, Ink::textLine);
    c.bar(8, 18, 8, 1, Ink::textLine);
}

void drawPrint(Canvas &c)
{
    c.box(6, 2, 18, 9, Ink::paper);
    c.roundBox(2, 8, 22, 18, 1.5, Ink::greyLight);
    c.bar(18.5, 10.5, 1.5, 1.5, Ink::green);
    c.box(6, 14, 18, 22, Ink::paper);
    c.bar(8, 16.5, 8, 1, Ink::textLine);
    c.bar(8, 19, 6, 1, Ink::textLine);
}

void drawCut(Canvas &c)
{
    const QPen blade = c.stroke(Ink::grey, 2);
    c.line(8.7, 15, 16.5, 2.5, blade);
    c.line(15.3, 15, 7.5, 2.5, blade);
    const QPen ring = c.stroke(Ink::red, 2);
    c.circle(6.8, 18, 3.2, Ink::paper, ring);
    c.circle(17.2, 18, 3.2, Ink::paper, ring);
    c.circle(12, 9.4, 1.1, c.ink());
}

void drawCopy(Canvas &c)
{
    c.box(3, 2, 15, 16, Ink::paper);
    textLines(c, 5.5, 5, { 7, 4 });
    c.box(9, 7, 21, 22, Ink::paper);
    textLines(c, 11.5, 10.5, { 7, 7, 7, 4 });
}

void drawPaste(Canvas &c)
{
    c.roundBox(3.5, 4, 20.5, 22, 1.5, Ink::brown);
    c.box(6.5, 7, 17.5, 20, Ink::paper);
    textLines(c, 9, 10.5, { 6, 6, 4 });
    c.roundBox(8, 2, 16, 6, 1, Ink::greyLight);
}

void drawUndo(Canvas &c)
{
    QPainterPath path(c.free(8, 8));
    path.lineTo(c.free(13.5, 8));
    path.cubicTo(c.free(17.4, 8), c.free(20.5, 10.6), c.free(20.5, 14));
    path.cubicTo(c.free(20.5, 17.4), c.free(17.4, 20), c.free(13.5, 20));
    path.lineTo(c.free(9, 20));
    QPainter &p = c.painter();
    p.setPen(c.stroke(Ink::blue, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    c.arrowHead(9, 8, -1, 0, 6.5, 5, Ink::blue);
}

void drawRedo(Canvas &c)
{
    // The same arrow seen in a mirror.
    QPainter &p = c.painter();
    p.translate(p.device()->width(), 0);
    p.scale(-1, 1);
    drawUndo(c);
}

void drawFind(Canvas &c)
{
    drawMagnifier(c, 9.5, 9.5, 6.5, 6.5);
}

void drawReplace(Canvas &c)
{
    drawMagnifier(c, 7.5, 7.5, 5, 3.5);
    const QPen right = c.stroke(Ink::orange, 2.2);
    c.line(11, 15.5, 18, 15.5, right);
    c.arrowHead(17.5, 15.5, 1, 0, 5, 3.5, Ink::orange);
    const QPen left = c.stroke(Ink::green, 2.2);
    c.line(13, 21, 20, 21, left);
    c.arrowHead(13.5, 21, -1, 0, 5, 3.5, Ink::green);
}

void drawSpelling(Canvas &c)
{
    c.glyph(QStringLiteral("abc"), letterFont(QStringLiteral("DejaVu Sans")), QRectF(1.5, 2, 21, 9), c.ink());
    QPainter &p = c.painter();
    p.setPen(c.stroke(Ink::green, 3));
    p.setBrush(Qt::NoBrush);
    QPolygonF tick;
    tick << c.free(6, 16.5) << c.free(10, 20.5) << c.free(19, 12.5);
    p.drawPolyline(tick);
}

void drawRefresh(Canvas &c)
{
    // Clockwise from just above three o'clock round to twelve, leaving the gap at the top right.
    const double cx = 12, cy = 12.5, r = 7.5;
    const QRectF circle(c.free(cx - r, cy - r), c.free(cx + r, cy + r));
    QPainterPath arc;
    arc.arcMoveTo(circle, 20);
    arc.arcTo(circle, 20, -285);
    QPainter &p = c.painter();
    p.setPen(c.stroke(Ink::green, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    c.arrowHead(cx - 1.5, cy - r, 1, 0.12, 6, 4.5, Ink::green);
}

void drawPreview(Canvas &c)
{
    drawPage(c, 3, 2, 16, 20, 4);
    textLines(c, 5.5, 7, { 6, 6, 4 });
    drawGlobe(c, 16, 16, 6.5);
}

void drawBold(Canvas &c)
{
    c.glyph(QStringLiteral("B"), letterFont(QStringLiteral("DejaVu Sans")), QRectF(4, 3, 16, 18), c.ink());
}

void drawItalic(Canvas &c)
{
    c.glyph(
        QStringLiteral("I"), letterFont(QStringLiteral("DejaVu Serif"), true), QRectF(4, 3, 16, 18), c.ink());
}

void drawUnderline(Canvas &c)
{
    c.glyph(QStringLiteral("U"), letterFont(QStringLiteral("DejaVu Sans")), QRectF(4, 2, 16, 15), c.ink());
    c.bar(4, 19, 16, 2, Ink::blue);
}

void drawLink(Canvas &c)
{
    QPainter &p = c.painter();
    const auto link = [&](double cx, double cy, QColor color) {
        p.save();
        p.translate(c.free(cx, cy));
        p.rotate(-45);
        p.setPen(c.stroke(color, 2.3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(c.free(-6.5, -3.3), c.free(6.5, 3.3)), c.length(3.3), c.length(3.3));
        p.restore();
    };
    link(8.3, 15.7, Ink::grey);
    link(15.7, 8.3, Ink::blue);
}

void drawImage(Canvas &c)
{
    c.bar(2, 4, 20, 16, Ink::blueLight);
    QPainter &p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Ink::green));
    p.drawPolygon(QPolygonF({ c.free(2, 20), c.free(2, 17), c.free(8.5, 10), c.free(13, 15), c.free(16, 12.5),
        c.free(22, 18), c.free(22, 20) }));
    c.circle(16.5, 8.5, 2.3, Ink::yellow, c.stroke(Ink::yellowDark, 0.8));
    c.box(2, 4, 22, 20, QColor());
}

void drawSymbol(Canvas &c)
{
    c.glyph(QString(QChar(0x03A9)), letterFont(QStringLiteral("DejaVu Sans")), QRectF(3, 3, 18, 18), c.ink());
}

void drawTable(Canvas &c)
{
    c.box(3, 3, 21, 21, Ink::paper);
    c.bar(3, 3, 18, 6, Ink::blue);
    QPainter &p = c.painter();
    p.setPen(c.outlinePen());
    for (double x : { 9.0, 15.0 })
        p.drawLine(c.at(x, 3), c.at(x, 21));
    for (double y : { 9.0, 15.0 })
        p.drawLine(c.at(3, y), c.at(21, y));
    c.box(3, 3, 21, 21, QColor());
}

void drawMeta(Canvas &c)
{
    c.shape({ { 2, 12 }, { 8, 5.5 }, { 21.5, 5.5 }, { 21.5, 18.5 }, { 8, 18.5 } }, Ink::yellow);
    c.circle(7.5, 12, 1.4, Ink::paper, c.stroke(Ink::outline, 0.8));
    c.circle(14.5, 8.6, 1.5, Ink::outline);
    c.bar(13.25, 11, 2.5, 5.5, Ink::outline);
}

void drawLine(Canvas &c)
{
    textLines(c, 4, 3.5, { 16, 10 });
    c.bar(1, 10, 22, 2, Ink::grey);
    c.bar(1, 12, 22, 1.5, Ink::greyLight);
    textLines(c, 4, 17.5, { 16, 12 });
}

void drawAbout(Canvas &c)
{
    c.circle(12, 12, 10, Ink::blue, c.stroke(Ink::blueDark, 1));
    c.circle(12, 7, 1.8, Ink::paper);
    QPainter &p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Ink::paper));
    p.drawRoundedRect(QRectF(c.free(10.5, 10), c.free(13.5, 18)), c.length(0.8), c.length(0.8));
}

void drawTagloom(Canvas &c)
{
    QPainter &p = c.painter();
    QLinearGradient warm(c.free(0, 1.5), c.free(0, 22.5));
    warm.setColorAt(0, QColor(0xfff08a3e));
    warm.setColorAt(1, QColor(Ink::orange));
    p.setPen(c.outlinePen(Ink::orangeDark));
    p.setBrush(warm);
    p.drawRoundedRect(QRectF(c.at(1.5, 1.5), c.at(22.5, 22.5)), c.length(5), c.length(5));
    const QPen mark = c.stroke(Ink::paper, 2.4);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({ c.free(8.5, 7.5), c.free(4.5, 12), c.free(8.5, 16.5) }));
    p.drawLine(c.free(13.6, 6.5), c.free(10.4, 17.5));
    p.drawPolyline(QPolygonF({ c.free(15.5, 7.5), c.free(19.5, 12), c.free(15.5, 16.5) }));
}

void drawPencil(Canvas &c, bool active)
{
    // Laid out along a horizontal axis, then turned to point at the bottom left.
    QPainter &p = c.painter();
    p.save();
    p.translate(c.free(12, 12));
    p.rotate(-45);
    p.translate(c.free(-11.5, 0));
    if (!active)
        p.setOpacity(0.55);
    const QColor line(active ? Ink::outline : Ink::grey);
    const auto polygon = [&](std::initializer_list<QPointF> points, QColor fill) {
        QPolygonF shape;
        for (const QPointF &point : points)
            shape << c.free(point.x(), point.y());
        QPen pen = c.stroke(line, 0.9);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(fill);
        p.drawPolygon(shape);
    };
    polygon({ { 0, 0 }, { 6, -3.2 }, { 6, 3.2 } }, active ? Ink::wood : Ink::paperShade);
    polygon(
        { { 6, -3.2 }, { 17.5, -3.2 }, { 17.5, 3.2 }, { 6, 3.2 } }, active ? Ink::yellow : Ink::greyLight);
    polygon({ { 17.5, -3.2 }, { 19.5, -3.2 }, { 19.5, 3.2 }, { 17.5, 3.2 } }, Ink::greyLight);
    polygon(
        { { 19.5, -3.2 }, { 23, -3.2 }, { 23, 3.2 }, { 19.5, 3.2 } }, active ? Ink::pink : Ink::greyLight);
    p.setPen(Qt::NoPen);
    p.setBrush(line);
    p.drawPolygon(QPolygonF({ c.free(0, 0), c.free(2.2, -1.2), c.free(2.2, 1.2) }));
    p.restore();
}

void drawTyping(Canvas &c)
{
    drawPencil(c, true);
}

void drawNoTyping(Canvas &c)
{
    drawPencil(c, false);
}

void drawStatusPage(Canvas &c)
{
    drawPage(c, 4, 1.5, 20, 22.5, 5.5);
    textLines(c, 7, 9, { 10, 10, 7 });
}

void drawSite(Canvas &c)
{
    drawGlobe(c, 12, 12, 10);
}

// The site tree's pictures and its toolbar.
void drawPlus(Canvas &c, double cx, double cy)
{
    c.circle(cx, cy, 5, Ink::green, c.stroke(Ink::paper, 1));
    c.bar(cx - 3, cy - 0.75, 6, 1.5, Ink::paper);
    c.bar(cx - 0.75, cy - 3, 1.5, 6, Ink::paper);
}

void drawFolder(Canvas &c)
{
    c.shape({ { 2, 5 }, { 9, 5 }, { 11, 7.5 }, { 22, 7.5 }, { 22, 20 }, { 2, 20 } }, Ink::yellow);
    c.bar(3, 9.5, 18, 1, Ink::yellowDark);
}

void drawFolderOpen(Canvas &c)
{
    drawOpen(c);
}

void drawNewFolder(Canvas &c)
{
    drawFolder(c);
    drawPlus(c, 17, 17);
}

void drawWebPage(Canvas &c)
{
    drawPage(c, 4, 1.5, 20, 22.5, 5.5);
    c.glyph(QStringLiteral("<>"), letterFont(QStringLiteral("DejaVu Sans Mono")), QRectF(6.5, 11, 11, 7),
        QColor(Ink::blue));
}

void drawStyleSheet(Canvas &c)
{
    drawPage(c, 4, 1.5, 20, 22.5, 5.5);
    c.glyph(QStringLiteral("{}"), letterFont(QStringLiteral("DejaVu Sans Mono")), QRectF(7, 9.5, 10, 10),
        QColor(Ink::orange));
}

void drawAnchor(Canvas &c)
{
    c.glyph(QStringLiteral("#"), letterFont(QStringLiteral("DejaVu Sans")), QRectF(5, 4, 14, 16),
        QColor(Ink::blue));
}

void drawServer(Canvas &c)
{
    c.roundBox(4, 3, 20, 10, 1, Ink::greyLight);
    c.roundBox(4, 12, 20, 19, 1, Ink::greyLight);
    c.bar(6.5, 6, 6, 1, Ink::grey);
    c.bar(6.5, 15, 6, 1, Ink::grey);
    c.circle(16.5, 6.5, 1.2, Ink::green);
    c.circle(16.5, 15.5, 1.2, Ink::green);
}

void drawFtp(Canvas &c)
{
    drawServer(c);
    c.bar(11, 19, 2, 3, Ink::grey);
    c.bar(6, 21, 12, 1.5, Ink::grey);
}

void drawNewFtp(Canvas &c)
{
    drawServer(c);
    drawPlus(c, 17, 17.5);
}

void drawAddPage(Canvas &c)
{
    drawPage(c, 3, 1.5, 17, 21, 4.5);
    textLines(c, 5.5, 8, { 8, 8, 6 });
    drawPlus(c, 17, 17);
}

void drawAddFile(Canvas &c)
{
    c.bar(2, 3, 16, 13, Ink::blueLight);
    QPainter &p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Ink::green));
    p.drawPolygon(QPolygonF({ c.free(2, 16), c.free(7, 9), c.free(11, 13), c.free(18, 8), c.free(18, 16) }));
    c.box(2, 3, 18, 16, QColor());
    drawPlus(c, 17, 17);
}

void drawUseCurrent(Canvas &c)
{
    drawPage(c, 3, 1.5, 16, 21, 4.5);
    textLines(c, 5.5, 8, { 7, 7, 5 });
    c.line(12, 16, 20, 16, c.stroke(Ink::blue, 2));
    c.arrowHead(19, 16, 1, 0, 4, 3.5, Ink::blue);
}

void drawDelete(Canvas &c)
{
    c.line(6, 6, 18, 18, c.stroke(Ink::red, 3));
    c.line(18, 6, 6, 18, c.stroke(Ink::red, 3));
}

enum class SizeSet { Toolbar, Application, Status };

std::span<const int> sizesOf(SizeSet set)
{
    static constexpr std::array toolbar { 16, 24 };
    static constexpr std::array application { 16, 24, 32, 48, 64 };
    static constexpr std::array status { 12, 16, 24 };
    switch (set) {
    case SizeSet::Application:
        return application;
    case SizeSet::Status:
        return status;
    case SizeSet::Toolbar:
        break;
    }
    return toolbar;
}

struct Design
{
    QStringView name;
    void (*draw)(Canvas &);
    SizeSet sizes;
};

constexpr std::array designs {
    Design { u"new", drawNew, SizeSet::Toolbar },
    Design { u"open", drawOpen, SizeSet::Toolbar },
    Design { u"save", drawSave, SizeSet::Toolbar },
    Design { u"print", drawPrint, SizeSet::Toolbar },
    Design { u"cut", drawCut, SizeSet::Toolbar },
    Design { u"copy", drawCopy, SizeSet::Toolbar },
    Design { u"paste", drawPaste, SizeSet::Toolbar },
    Design { u"undo", drawUndo, SizeSet::Toolbar },
    Design { u"redo", drawRedo, SizeSet::Toolbar },
    Design { u"find", drawFind, SizeSet::Toolbar },
    Design { u"replace", drawReplace, SizeSet::Toolbar },
    Design { u"spelling", drawSpelling, SizeSet::Toolbar },
    Design { u"refresh", drawRefresh, SizeSet::Toolbar },
    Design { u"preview", drawPreview, SizeSet::Toolbar },
    Design { u"bold", drawBold, SizeSet::Toolbar },
    Design { u"italic", drawItalic, SizeSet::Toolbar },
    Design { u"underline", drawUnderline, SizeSet::Toolbar },
    Design { u"link", drawLink, SizeSet::Toolbar },
    Design { u"image", drawImage, SizeSet::Toolbar },
    Design { u"symbol", drawSymbol, SizeSet::Toolbar },
    Design { u"table", drawTable, SizeSet::Toolbar },
    Design { u"meta", drawMeta, SizeSet::Toolbar },
    Design { u"line", drawLine, SizeSet::Toolbar },
    Design { u"about", drawAbout, SizeSet::Toolbar },
    Design { u"tagloom", drawTagloom, SizeSet::Application },
    Design { u"typing", drawTyping, SizeSet::Status },
    Design { u"notyping", drawNoTyping, SizeSet::Status },
    Design { u"page", drawStatusPage, SizeSet::Status },
    Design { u"site", drawSite, SizeSet::Status },
    Design { u"folder", drawFolder, SizeSet::Toolbar },
    Design { u"folder-open", drawFolderOpen, SizeSet::Toolbar },
    Design { u"new-folder", drawNewFolder, SizeSet::Toolbar },
    Design { u"web-page", drawWebPage, SizeSet::Toolbar },
    Design { u"style-sheet", drawStyleSheet, SizeSet::Toolbar },
    Design { u"anchor", drawAnchor, SizeSet::Toolbar },
    Design { u"ftp", drawFtp, SizeSet::Toolbar },
    Design { u"ftp-new", drawNewFtp, SizeSet::Toolbar },
    Design { u"add-page", drawAddPage, SizeSet::Toolbar },
    Design { u"add-file", drawAddFile, SizeSet::Toolbar },
    Design { u"use-current", drawUseCurrent, SizeSet::Toolbar },
    Design { u"delete", drawDelete, SizeSet::Toolbar },
};

QPixmap render(const Design &design, int size, qreal ratio)
{
    const int pixels = static_cast<int>(std::lround(size * ratio));
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        Canvas canvas(painter, pixels);
        design.draw(canvas);
    }
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QHash<QString, QIcon> &cache()
{
    static QHash<QString, QIcon> icons;
    return icons;
}

// Pixmaps must not outlive the application object, so the cache is emptied when it goes.
void clearCache()
{
    cache().clear();
}

} // namespace

namespace Icons {

QIcon icon(const QString &name)
{
    QHash<QString, QIcon> &icons = cache();
    if (const auto found = icons.constFind(name); found != icons.cend())
        return *found;
    const auto design = std::find_if(
        designs.begin(), designs.end(), [&](const Design &candidate) { return candidate.name == name; });
    if (design == designs.end())
        return {};

    if (icons.isEmpty())
        qAddPostRoutine(clearCache);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QIcon result;
    for (int size : sizesOf(design->sizes)) {
        result.addPixmap(render(*design, size, 1.0));
        if (ratio > 1.0)
            result.addPixmap(render(*design, size, ratio));
    }
    icons.insert(name, result);
    return result;
}

} // namespace Icons
