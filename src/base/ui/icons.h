// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The toolbar, menu and status-bar pictures. Where the desktop's icon theme has a picture of the standard
// name for the purpose it is used, so the program looks like the rest of the desktop; our own SVG picture
// (in the resource folder :/icons) stands in when the theme has none, or when there is no theme.
namespace Icons {

// The icon called name ("new", "open", "save", ..., "tagloom"); a null icon for a name that has no picture.
QIcon icon(const QString &name);

// The freedesktop name looked up in the theme for name, empty when the picture is ours alone.
QString themeName(const QString &name);
// Our own picture for name, from the resource folder; null when there is none.
QIcon ownIcon(const QString &name);

} // namespace Icons
