// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder of the executable, where the vocabulary tables and the folders Addin, Wizards, Common Code,
// Java and "tree control" live. TAGLOOM_HOME overrides it, so tests can run beside the build.
namespace ProgramFolder {

QString path();
// The entry of folder whose name equals name ignoring letter case, as a full path; the exact name is
// preferred when several differ only in case. Empty when there is none.
QString findEntry(const QString &folder, const QString &name);
// findEntry in the program folder.
QString find(const QString &name);

} // namespace ProgramFolder
