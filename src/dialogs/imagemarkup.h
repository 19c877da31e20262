// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/tagcommands.h"

#include <QString>
#include <QStringList>

#include <optional>

// The image wizard's markup: the IMG tag, the file name it refers to, and the names of the client-side
// maps a page already holds.
namespace ImageMarkup {

// The alignment words in the order the wizard lists them, and what each does.
QStringList alignments();
QStringList alignmentDescriptions();

struct ImageTag
{
    QString source; // as written into SRC, already relative where asked
    bool custom = false; // with browser defaults only SRC and the map are written
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> border;
    std::optional<QString> alt;
    std::optional<QString> align; // one of alignments()
    QString mapName; // empty for none
};

// <IMG SRC="..." ...> with names and fixed words in the tag letter case; values as given.
QString imageMarkup(const ImageTag &tag, const TagCommands::TagStyle &style);

// The file field as a local path: a path relative to the page's folder is taken from there; a URL has
// none. Empty when the field names no local file.
QString localPath(const QString &field, const QString &documentFolder);
// What SRC gets for the file field. With relative, an absolute local path becomes relative to the page's
// folder; a URL or a name already relative is written as typed. Always with "/" separators.
QString sourceName(const QString &field, bool relative, const QString &documentFolder);

// The names of the maps in text: each <map tag's own id= value, or else its name= value, quoted or not,
// in the order they stand, each name once (letter case ignored).
QStringList mapNames(const QString &text);

} // namespace ImageMarkup
