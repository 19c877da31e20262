// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// Finds the start tags of one element in a page and reads their attributes, for the dialogs that look at
// what a page already holds (its maps, for one).
namespace TagScan {

struct Tag
{
    int start = 0; // where "<" stands
    int end = 0; // just after the closing ">"
    QString text; // from "<" through ">"

    // The value of the tag's own attribute of that name (letter case ignored), quotes taken off; nothing
    // when the tag has no such attribute, empty when it has no value.
    std::optional<QString> attribute(const QString &name) const;
};

// Every complete start tag of the element name (letter case ignored) in text, in order. "<map" finds
// "<MAP id=x>" but not "<mapping>"; a ">" inside a quoted value does not end the tag.
QList<Tag> tags(const QString &text, const QString &name);

} // namespace TagScan
