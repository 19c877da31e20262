// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/settingsstore.h"

#include <QTemporaryDir>

// A test's own world: settings in a temporary folder (never the user's), and a folder for files.
class TestEnvironment
{
public:
    TestEnvironment();

    SettingsStore settings() const;
    QString userSettingsFile() const;
    // A path inside the temporary folder.
    QString path(const QString &name) const;
    // Writes bytes to a file in the temporary folder and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    static QByteArray readFile(const QString &path);

private:
    QTemporaryDir m_dir;
};
