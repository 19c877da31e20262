// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/paths.h"

#include <QStringList>

namespace {

const QLatin1Char slash('/');

// The components of a folder path ending in "/", without the empty ones around the separators.
QStringList components(const QString &folder)
{
    return folder.split(slash, Qt::SkipEmptyParts);
}

} // namespace

namespace Paths {

QString ChangeSlashes(const QString &path, bool toWebForm)
{
    Q_UNUSED(toWebForm);
    QString result = path;
    result.replace(QLatin1Char('\\'), slash);
    return result;
}

QString GetRelativeDir(const QString &base, const QString &target)
{
    const QString targetPath = ChangeSlashes(target, false);
    QString basePath = ChangeSlashes(base, false);
    if (!targetPath.startsWith(slash) || !basePath.startsWith(slash))
        return targetPath;
    if (!basePath.endsWith(slash))
        basePath += slash;

    const qsizetype cut = targetPath.lastIndexOf(slash);
    const QString fileName = targetPath.mid(cut + 1);
    const QString targetFolder = targetPath.left(cut + 1);
    if (basePath == targetFolder)
        return fileName;

    QStringList baseParts = components(basePath);
    QStringList targetParts = components(targetFolder);
    while (!baseParts.isEmpty() && !targetParts.isEmpty() && baseParts.first() == targetParts.first()) {
        baseParts.removeFirst();
        targetParts.removeFirst();
    }
    QString result;
    for (qsizetype i = 0; i < baseParts.size(); ++i)
        result += QStringLiteral("../");
    for (const QString &part : std::as_const(targetParts))
        result += part + slash;
    return result + fileName;
}

QString GetAbsoluteDir(const QString &base, const QString &path)
{
    const QString relative = ChangeSlashes(path, false);
    if (relative.startsWith(slash))
        return relative;
    const QString joined = ChangeSlashes(base, false) + slash + relative;
    QStringList parts;
    for (const QString &part : joined.split(slash, Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            // Climbing above the root stays at the root, as the file system does.
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QString result = slash + parts.join(slash);
    if ((relative.isEmpty() || relative.endsWith(slash) || relative.endsWith(QLatin1String("/.."))
            || relative == QLatin1String(".."))
        && !result.endsWith(slash))
        result += slash;
    return result;
}

} // namespace Paths
