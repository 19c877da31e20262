// SPDX-License-Identifier: GPL-3.0-or-later
#include "safefile.h"

#include <QSaveFile>

namespace SafeFile {

namespace {

QString writeErrorText(const QFileDevice &file)
{
    if (file.error() != QFileDevice::NoError && file.errorString() != QStringLiteral("Unknown error"))
        return file.errorString();
    return QStringLiteral("not all of it could be written; the disk may be full");
}

} // namespace

Result write(
    const QString &path, const QByteArray &bytes, std::optional<QFileDevice::Permissions> permissions)
{
    Result result;
    // Unbuffered, so a short write shows at once: Qt's final flush on commit lets a short write pass
    // and would put a truncated file in place of the old one.
    QSaveFile file(path);
    const auto failed = [&](const QString &reason) {
        result.reason = reason;
        file.cancelWriting();
        return result;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    if (permissions && !file.setPermissions(*permissions))
        return failed(QStringLiteral("its permissions could not be set"));
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            return failed(writeErrorText(file));
        written += n;
    }
    if (file.size() != bytes.size())
        return failed(writeErrorText(file));
    if (!file.commit())
        return failed(file.errorString());
    result.ok = true;
    return result;
}

} // namespace SafeFile
