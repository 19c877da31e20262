// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The four most recent documents, File1 (newest) to File4 under the Recent key.
namespace RecentFiles {

constexpr int count = 4;

// The list is stored as values named prefix + 1 (newest) to prefix + 4; documents use "File", sites
// "SiteFile".
QStringList read(const SettingsStore &settings, const QString &prefix = QStringLiteral("File"));
// Moves path to the front. A path already first stays; the second or third swaps up; anything else
// pushes the oldest out. Paths compare exactly, as the file system does.
void add(SettingsStore &settings, const QString &path, const QString &prefix = QStringLiteral("File"));
// "&1 page.html"; just "&1" when no file is stored.
QString menuCaption(int n, const QString &path);

} // namespace RecentFiles
