// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/paths.h"

#include <QStringList>

namespace {

const QLatin1Char slash('/');

// The components of a path, without the empty ones around doubled separators, with "." dropped and each
// ".." taking away the component before it. Above the root there is nothing to climb, as in the file
// system; a relative path keeps the ".." it cannot resolve.
QStringList cleanComponents(const QString &path)
{
    const bool absolute = path.startsWith(slash);
    QStringList parts;
    for (const QString &part : path.split(slash, Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty() && parts.last() != part)
                parts.removeLast();
            else if (!absolute)
                parts.append(part);
            continue;
        }
        parts.append(part);
    }
    return parts;
}

// True when the path names a folder by its last component: "", "x/", ".", "..", "x/." or "x/..".
bool namesFolder(const QString &path)
{
    return path.isEmpty() || path.endsWith(slash) || path == QLatin1String(".") || path == QLatin1String("..")
        || path.endsWith(QLatin1String("/.")) || path.endsWith(QLatin1String("/.."));
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
    const QString basePath = ChangeSlashes(base, false);
    if (!targetPath.startsWith(slash) || !basePath.startsWith(slash))
        return targetPath;

    // Both sides are cleaned first: a ".." left in either would be counted as a folder of its own.
    QStringList targetParts = cleanComponents(targetPath);
    const bool targetIsFolder = namesFolder(targetPath);
    const QString fileName = targetIsFolder || targetParts.isEmpty() ? QString() : targetParts.takeLast();
    QStringList baseParts = cleanComponents(basePath);

    while (!baseParts.isEmpty() && !targetParts.isEmpty() && baseParts.first() == targetParts.first()) {
        baseParts.removeFirst();
        targetParts.removeFirst();
    }
    QString result;
    for (qsizetype i = 0; i < baseParts.size(); ++i)
        result += QStringLiteral("../");
    for (const QString &part : std::as_const(targetParts))
        result += part + slash;
    result += fileName;
    // The base folder itself: an empty link would name the page instead.
    return result.isEmpty() ? QStringLiteral("./") : result;
}

QString GetAbsoluteDir(const QString &base, const QString &path)
{
    const QString relative = ChangeSlashes(path, false);
    if (relative.startsWith(slash))
        return relative;
    const QString folder = ChangeSlashes(base, false);
    // A base that is not absolute gives a result that is not absolute either.
    const QString joined = folder.isEmpty() ? relative : folder + slash + relative;
    QString result = cleanComponents(joined).join(slash);
    if (joined.startsWith(slash))
        result.prepend(slash);
    if (namesFolder(relative) && !result.isEmpty() && !result.endsWith(slash))
        result += slash;
    return result;
}

} // namespace Paths
