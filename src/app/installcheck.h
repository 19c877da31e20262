// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// What start-up checks of the program folder before any window is made.
namespace InstallCheck {

struct Result
{
    QStringList missingTables; // of "tags.db", "attributes.db", "css.db"
    bool treeControlMissing = false;
    bool ok() const { return missingTables.isEmpty(); }
};

// Looks for the vocabulary tables whatever the case of their names, creates "Common Code" when there is no
// folder of that name (unless the folder is installed), and notes a missing "tree control" folder.
Result run(const QString &programFolder, bool installed = false);

QString fatalCaption(); // "Fatal Error"
QString notInstalledText(); // the tables are missing: the program ends
QString treeControlText(); // the tree images are missing: the program goes on

// The text of a new page when none was chosen yet.
QString defaultTemplate();
// Replaces the installation's placeholder template by the default page text.
void seedTemplate(SettingsStore &settings);

} // namespace InstallCheck
