// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

// The one way the program writes a file. The bytes go to a temporary file beside the target, unbuffered
// so a short write shows at once, and the size on disk is checked before the temporary file replaces the
// old one by a rename: a full disk, a size limit or a crash leaves either the whole old file or the whole
// new one. An existing file keeps its mode, and a symbolic link keeps pointing at the file it names,
// which is the one written.
namespace SafeFile {

struct Result
{
    bool ok = false;
    QString reason; // why it failed, as the end of a sentence: "No space left on device"
};

// permissions, when given, replace the mode the file would have had (before any byte is written, so
// nobody else can read the new content for a moment either).
Result write(const QString &path, const QByteArray &bytes,
    std::optional<QFileDevice::Permissions> permissions = std::nullopt);

} // namespace SafeFile
