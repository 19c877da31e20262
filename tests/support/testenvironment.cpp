// SPDX-License-Identifier: GPL-3.0-or-later
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

TestEnvironment::TestEnvironment()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir().mkpath(m_dir.filePath(QStringLiteral("config")));
    // The recovery journals of the windows a test makes stay in its own folder too.
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("state"))));
}

QString TestEnvironment::userSettingsFile() const
{
    return m_dir.filePath(QStringLiteral("config/Tagloom 99.ini"));
}

SettingsStore TestEnvironment::settings() const
{
    return SettingsStore(userSettingsFile(), m_dir.filePath(QStringLiteral("config/machine.ini")));
}

QString TestEnvironment::path(const QString &name) const
{
    return m_dir.filePath(name);
}

QString TestEnvironment::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString file = path(name);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return file;
}

QByteArray TestEnvironment::readFile(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}
