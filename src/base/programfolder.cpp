// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString homeOverride()
{
    const QString home = qEnvironmentVariable("TAGLOOM_HOME");
    return home.isEmpty() ? QString() : QDir::cleanPath(QDir(home).absolutePath());
}

QString applicationDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

// Copies the tree below from into to, leaving files that already exist alone.
bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    bool ok = true;
    QDirIterator it(
        from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (it.fileInfo().isDir())
            ok = QDir().mkpath(target) && ok;
        else if (!QFileInfo::exists(target)) {
            ok = QFile::copy(source, target) && ok;
            // Installed files are read-only; the user's copies are there to be edited.
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        }
    }
    return ok;
}

} // namespace

namespace ProgramFolder {

QString locate(const QString &applicationDir)
{
    const QDir dir(applicationDir);
    if (!findEntry(applicationDir, QStringLiteral("Tags.DB")).isEmpty())
        return QDir::cleanPath(dir.absolutePath());
    return QDir::cleanPath(dir.absoluteFilePath(QStringLiteral("../share/tagloom")));
}

QString path()
{
    const QString home = homeOverride();
    return home.isEmpty() ? locate(applicationDir()) : home;
}

bool isInstalled()
{
    return homeOverride().isEmpty()
        && QDir::cleanPath(QDir(applicationDir()).absolutePath()) != locate(applicationDir());
}

QString findEntry(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(name)))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

QString find(const QString &name)
{
    return findEntry(path(), name);
}

QString userFolder(const QString &name, const QString &programFolder, bool installed, const QString &dataHome)
{
    if (!installed) {
        const QString found = findEntry(programFolder, name);
        if (!found.isEmpty())
            return found;
        const QString made = QDir(programFolder).filePath(name);
        return QDir().mkpath(made) ? made : QString();
    }
    const QString own = QDir(dataHome).filePath(QStringLiteral("tagloom/") + name);
    if (QFileInfo(own).isDir())
        return own;
    const QString installedCopy = findEntry(programFolder, name);
    const bool ok = installedCopy.isEmpty() ? QDir().mkpath(own) : copyTree(installedCopy, own);
    return ok || QFileInfo(own).isDir() ? own : QString();
}

QString userFolder(const QString &name)
{
    return userFolder(
        name, path(), isInstalled(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

} // namespace ProgramFolder
