// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The program's own toolbar, menu and status-bar pictures, drawn in code so they stay sharp at every size
// and need no image files beside the program.
namespace Icons {

// The icon called name ("new", "open", "save", ..., "tagloom"), built once and then cached;
// a null icon for a name that has no picture.
QIcon icon(const QString &name);

} // namespace Icons
