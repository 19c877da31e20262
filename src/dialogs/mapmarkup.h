// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/tagcommands.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

class SourceBuffer;

// The image map editor's markup: the area lines built from what was drawn, and the map element written
// into the page or read back from it. Coordinates are pixels of the picture.
namespace MapMarkup {

enum class Shape { Rect, Circ, Poly };

// "Rect", "Circ" or "Poly": the tool's name and the shape written.
QString shapeWord(Shape shape);

// start and end as dragged, not normalised: a drag up and to the left gives the larger numbers first.
QString rectCoords(QPoint start, QPoint end);
// Centre halfway along the drag, radius half its horizontal extent (never negative).
QString circleCoords(QPoint start, QPoint end);
QString polygonCoords(const QList<QPoint> &corners);
// True when there are at least two corners and the last lies within 3 pixels of the first on both axes.
bool polygonClosed(const QList<QPoint> &corners);
// The far corner of the square box a circle is drawn in while dragging from start to position.
QPoint circleBoxCorner(QPoint start, QPoint position);

// <Area Shape=... Coords=... Href="..."[ Target="..."]>
QString areaLine(Shape shape, const QString &coords, const QString &href, const QString &target);

struct MapElement
{
    int start = -1; // where its start tag begins; -1 when the page has no such map
    int end = -1; // just after its "</map>"
    int contentStart = -1; // just after the start tag
    int contentEnd = -1; // where "</map>" begins
    bool found() const { return start >= 0; }
};

// The map whose start tag has that id (or else that name), letter case ignored, and its end tag.
MapElement findMap(const QString &text, const QString &name);
// The area lines of that map, one per non-empty line of its content; empty when there is none.
QStringList mapAreas(const QString &text, const QString &name);

// The map element as written into the page, starting with a line break: names and fixed words in the
// tag letter case, addresses and targets as given. A line without an address is written as it stands.
QString mapMarkup(const QString &name, const QStringList &areas, const TagCommands::TagStyle &style);

struct MapWrite
{
    int start = 0; // where the new map begins
    int end = 0; // just after it
};

// Writes the map: in place of the existing map of that name when replace is set and it is found,
// otherwise after the BODY start tag, or at the caret in a page without one. The selection the user had
// stays on the same text.
MapWrite writeMap(SourceBuffer &buffer, const QString &name, const QStringList &areas, bool replace,
    const TagCommands::TagStyle &style);

} // namespace MapMarkup
