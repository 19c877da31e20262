// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The desktop's entries for the program: a .desktop file whose action "Edit in Tagloom 99" opens an HTML
// file in the editor, and a shared-mime-info type for site files. A package installs them under the
// application id; a program run from its build folder writes the same text into the user's data folder
// at its first start, pointing at the build.
namespace DesktopEntry {

// The id of the installed .desktop, AppStream and icon files.
QString applicationId();

// dataHome is the XDG data folder (~/.local/share); program the executable's full path; icon a theme icon
// name or an icon file's full path. Writes applications/tagloom.desktop and mime/packages/tagloom-site.xml.
// Returns false with a reason on failure.
bool install(const QString &dataHome, const QString &program, const QString &icon = applicationId(),
    QString *error = nullptr);
inline bool install(const QString &dataHome, const QString &program, QString *error)
{
    return install(dataHome, program, applicationId(), error);
}

// Has the desktop read the files install wrote: the MIME and desktop-entry caches under dataHome are
// rebuilt by the desktop's own tools, when they are there. With wait false the tools run on in the
// background (a first start need not wait for them); with wait true the result says whether all ran.
bool refreshCaches(const QString &dataHome, bool wait);

QString desktopFileText(const QString &program, const QString &icon = applicationId());
QString siteMimeType();
QString mimeTypeText();

} // namespace DesktopEntry
