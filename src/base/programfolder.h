// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder where the vocabulary tables and the folders Addin, Wizards, Common Code, Java and
// "tree control" live: TAGLOOM_HOME when set (tests run beside the build), else the executable's own
// folder when the tables stand beside it (a build folder), else the installed data folder
// <prefix>/share/tagloom next to <prefix>/bin.
namespace ProgramFolder {

QString path();
// Where the program folder is when TAGLOOM_HOME is unset, for the executable in applicationDir.
QString locate(const QString &applicationDir);
// True when the program folder is an installed data folder, which the program never writes to.
bool isInstalled();

// The entry of folder whose name equals name ignoring letter case, as a full path; the exact name is
// preferred when several differ only in case. Empty when there is none.
QString findEntry(const QString &folder, const QString &name);
// findEntry in the program folder.
QString find(const QString &name);

// A folder the user edits ("Common Code", templates). Beside a build or under TAGLOOM_HOME it is the
// program folder's own entry, created when missing. For an installed program it lives under the user's
// data folder (dataHome/tagloom) and is seeded once with a copy of the installed folder. Empty when the
// folder cannot be created.
QString userFolder(const QString &name);
QString userFolder(
    const QString &name, const QString &programFolder, bool installed, const QString &dataHome);

} // namespace ProgramFolder
