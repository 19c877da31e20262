// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The desktop's counterpart of the first start's shell entries: a .desktop file whose action
// "&Edit in Tagloom 99" opens an HTML file in the editor, and a shared-mime-info type for site files
// (.site, .sit) that the editor opens.
namespace DesktopEntry {

// dataHome is the XDG data folder (~/.local/share); program the executable's full path. Writes
// applications/tagloom.desktop and mime/packages/tagloom-site.xml. Returns false with a reason on failure.
bool install(const QString &dataHome, const QString &program, QString *error = nullptr);

QString desktopFileText(const QString &program);
QString mimeTypeText();

} // namespace DesktopEntry
