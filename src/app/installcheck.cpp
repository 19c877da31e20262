// SPDX-License-Identifier: GPL-3.0-or-later
#include "installcheck.h"

#include "base/programfolder.h"
#include "base/settingsstore.h"

#include <QDir>
#include <QFileInfo>

namespace InstallCheck {

Result run(const QString &programFolder, bool installed)
{
    Result result;
    for (const QString &table :
        { QStringLiteral("tags.db"), QStringLiteral("attributes.db"), QStringLiteral("css.db") }) {
        const QString found = ProgramFolder::findEntry(programFolder, table);
        if (found.isEmpty() || !QFileInfo(found).isFile())
            result.missingTables.append(table);
    }
    if (!result.ok())
        return result;
    // An installed folder is never written to; the user's own copy is made elsewhere.
    if (!installed && ProgramFolder::findEntry(programFolder, QStringLiteral("common code")).isEmpty())
        QDir(programFolder).mkdir(QStringLiteral("Common Code"));
    result.treeControlMissing
        = ProgramFolder::findEntry(programFolder, QStringLiteral("tree control")).isEmpty();
    return result;
}

QString fatalCaption()
{
    return QStringLiteral("Fatal Error");
}

QString notInstalledText()
{
    return QStringLiteral("This program has not been properly installed.\nPlease reinstall Tagloom 99");
}

QString treeControlText()
{
    return QStringLiteral(
        "This program has not been installed correctly.\nIt will still run, but the Tree Wizard feature will not function correctly as the required image files are missing.\nPlease re-install Tagloom 99.");
}

QString defaultTemplate()
{
    const QStringList lines = {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta name=\"generator\" content=\"tagloom 99\">"),
        QStringLiteral("<meta name=\"author\" content=\"quorvane\">"),
        QStringLiteral("<meta name=\"keywords\" content=\"\">"),
        QStringLiteral("<meta name=\"description\" content=\"\">"),
        QStringLiteral("<title>Your Document Title</title>"),
        QStringLiteral("</head>"),
        QStringLiteral(
            "<body bgcolor=\"white\" text=\"black\" link=\"blue\" vlink=\"red\" alink=\"fuchsia\" background=\"\">"),
        QString(),
        QString(),
        QStringLiteral("Your Document Text"),
        QString(),
        QString(),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void seedTemplate(SettingsStore &settings)
{
    if (settings.readString(Settings::Template) == u"CreateNewTemplate")
        settings.write(Settings::Template, defaultTemplate());
}

} // namespace InstallCheck
