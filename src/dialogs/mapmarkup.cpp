// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/mapmarkup.h"

#include "dialogs/tagscan.h"
#include "editor/sourcebuffer.h"

#include <QStringList>

using TagCommands::cased;

namespace MapMarkup {

QString shapeWord(Shape shape)
{
    switch (shape) {
    case Shape::Circ:
        return QStringLiteral("Circ");
    case Shape::Poly:
        return QStringLiteral("Poly");
    case Shape::Rect:
        break;
    }
    return QStringLiteral("Rect");
}

namespace {

QString joined(std::initializer_list<int> numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts.append(QString::number(n));
    return parts.join(u',');
}

} // namespace

QString rectCoords(QPoint start, QPoint end)
{
    return joined({ start.x(), start.y(), end.x(), end.y() });
}

QString circleCoords(QPoint start, QPoint end)
{
    // Halves round toward zero, as integer division does.
    const int dx = end.x() - start.x();
    const int dy = end.y() - start.y();
    return joined({ start.x() + dx / 2, start.y() + dy / 2, qAbs(dx / 2) });
}

QString polygonCoords(const QList<QPoint> &corners)
{
    QStringList parts;
    for (const QPoint &corner : corners)
        parts << QString::number(corner.x()) << QString::number(corner.y());
    return parts.join(u',');
}

bool polygonClosed(const QList<QPoint> &corners)
{
    if (corners.size() < 2)
        return false;
    const QPoint distance = corners.last() - corners.first();
    return qAbs(distance.x()) <= 3 && qAbs(distance.y()) <= 3;
}

QPoint circleBoxCorner(QPoint start, QPoint position)
{
    const int dx = qAbs(position.x() - start.x());
    const int dy = qAbs(position.y() - start.y());
    QPoint corner = position;
    if (dx < dy)
        corner.setY(start.y() + (position.y() < start.y() ? -dx : dx));
    else if (dy < dx)
        corner.setX(start.x() + (position.x() < start.x() ? -dy : dy));
    return corner;
}

QString areaLine(Shape shape, const QString &coords, const QString &href, const QString &target)
{
    QString line = QStringLiteral("<Area Shape=") + shapeWord(shape) + QStringLiteral(" Coords=") + coords
        + QStringLiteral(" Href=\"") + href + u'"';
    if (!target.isEmpty())
        line += QStringLiteral(" Target=\"") + target + u'"';
    return line + u'>';
}

MapElement findMap(const QString &text, const QString &name)
{
    MapElement map;
    if (name.isEmpty())
        return map;
    for (const TagScan::Tag &tag : TagScan::tags(text, QStringLiteral("map"))) {
        std::optional<QString> tagName = tag.attribute(QStringLiteral("id"));
        if (!tagName || tagName->isEmpty())
            tagName = tag.attribute(QStringLiteral("name"));
        if (!tagName || tagName->compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype close = text.indexOf(QLatin1String("</map>"), tag.end, Qt::CaseInsensitive);
        if (close < 0)
            return map; // a map never closed is not replaced: what follows it would go too
        map.start = tag.start;
        map.contentStart = tag.end;
        map.contentEnd = int(close);
        map.end = int(close) + 6;
        return map;
    }
    return map;
}

QStringList mapAreas(const QString &text, const QString &name)
{
    const MapElement map = findMap(text, name);
    if (!map.found())
        return {};
    QStringList areas;
    const QString content = text.mid(map.contentStart, map.contentEnd - map.contentStart).trimmed();
    for (const QString &line : content.split(QLatin1Char('\n'))) {
        const QString area = line.trimmed();
        if (!area.isEmpty())
            areas.append(area);
    }
    return areas;
}

QString mapMarkup(const QString &name, const QStringList &areas, const TagCommands::TagStyle &style)
{
    const QString quotedName = u'"' + name + u'"';
    QString markup = QStringLiteral("\r\n") + cased(QStringLiteral("<map id="), style) + quotedName
        + cased(QStringLiteral(" name="), style) + quotedName + u'>';
    for (const QString &area : areas) {
        const qsizetype href = area.indexOf(QLatin1String("Href=\""), 0, Qt::CaseInsensitive);
        markup += QStringLiteral("\r\n");
        if (href < 0) {
            markup += area;
            continue;
        }
        const qsizetype valueStart = href + 5; // the quote after "Href="
        QString rest = area.mid(valueStart);
        if (rest.endsWith(u'>'))
            rest.chop(1);
        markup += cased(area.left(valueStart), style) + rest + u'>';
    }
    return markup + QStringLiteral("\r\n") + cased(QStringLiteral("</map>"), style);
}

namespace {

// Just after the ">" of the first BODY start tag; -1 when the page has none.
int afterBodyTag(const QString &text)
{
    const QList<TagScan::Tag> bodies = TagScan::tags(text, QStringLiteral("body"));
    return bodies.isEmpty() ? -1 : bodies.first().end;
}

} // namespace

MapWrite writeMap(SourceBuffer &buffer, const QString &name, const QStringList &areas, bool replace,
    const TagCommands::TagStyle &style)
{
    const QString text = buffer.text();
    const int selStart = buffer.selStart();
    const int selLength = buffer.selLength();

    int at = -1;
    int removed = 0;
    if (replace) {
        const MapElement map = findMap(text, name);
        if (map.found()) {
            at = map.start;
            removed = map.end - map.start;
        }
    }
    if (at < 0) {
        at = afterBodyTag(text);
        if (at < 0)
            at = selStart;
    }

    const QString markup = SourceBuffer::normalizeLineBreaks(mapMarkup(name, areas, style));
    buffer.select(at, removed);
    buffer.setSelText(markup);
    const int inserted = int(markup.size());

    // The user's selection keeps its text: it moves only when it stood after the place written.
    int newStart = selStart;
    if (selStart >= at + removed)
        newStart = selStart + inserted - removed;
    else if (selStart > at)
        newStart = at + inserted;
    buffer.select(newStart, selStart > at && selStart < at + removed ? 0 : selLength);
    return { at, at + inserted };
}

} // namespace MapMarkup
