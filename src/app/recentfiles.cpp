// SPDX-License-Identifier: GPL-3.0-or-later
#include "recentfiles.h"

#include "base/settingsstore.h"

#include <QFileInfo>

namespace RecentFiles {

QStringList read(const SettingsStore &settings, const QString &prefix)
{
    QStringList files;
    for (int n = 1; n <= count; ++n)
        files.append(settings.readString(Keys::Recent, prefix + QString::number(n)));
    return files;
}

void add(SettingsStore &settings, const QString &path, const QString &prefix)
{
    QStringList files = read(settings, prefix);
    if (files.at(0) == path)
        return;
    // The second and third entries swap up; the fourth, like a new path, pushes the oldest out.
    if (files.at(1) == path)
        files.removeAt(1);
    else if (files.at(2) == path)
        files.removeAt(2);
    else
        files.removeLast();
    files.prepend(path);
    for (int n = 1; n <= count; ++n)
        settings.writeString(Keys::Recent, prefix + QString::number(n), files.at(n - 1));
}

QString menuCaption(int n, const QString &path)
{
    const QString number = u'&' + QString::number(n);
    return path.isEmpty() ? number : number + u' ' + QFileInfo(path).fileName();
}

} // namespace RecentFiles
