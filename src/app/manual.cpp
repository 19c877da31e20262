// SPDX-License-Identifier: GPL-3.0-or-later
#include "manual.h"

#include "base/programfolder.h"

#include <QFileInfo>

namespace Manual {

QString localPage(const QString &programFolder, const QString &page)
{
    const QString folder = ProgramFolder::findEntry(programFolder, QStringLiteral("manual"));
    if (folder.isEmpty())
        return {};
    const QString file = ProgramFolder::findEntry(folder, page);
    return !file.isEmpty() && QFileInfo(file).isFile() ? QFileInfo(file).absoluteFilePath() : QString();
}

QUrl onlineUrl(const QString &page)
{
    return QUrl(QStringLiteral("https://tagloom.example/manual/") + page);
}

QString contentsPage()
{
    return QStringLiteral("index.html");
}

QString searchPage()
{
    return QStringLiteral("search.html");
}

} // namespace Manual
