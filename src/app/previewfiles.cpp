// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewfiles.h"

#include "base/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

PreviewFiles::PreviewFiles() = default;

PreviewFiles::~PreviewFiles() = default;

QString PreviewFiles::fileName()
{
    return QStringLiteral("~~HTML~~.html");
}

QString PreviewFiles::privateFolder()
{
    if (!m_private) {
        // QTemporaryDir makes the folder readable by its owner alone, under a name nobody can foresee.
        m_private
            = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tagloom-preview-XXXXXX"));
    }
    return m_private->isValid() ? m_private->path() : QString();
}

QString PreviewFiles::placeFor(const std::optional<QString> &documentPath)
{
    if (documentPath) {
        const QFileInfo document(*documentPath);
        const QString path = document.absolutePath() + u'/' + fileName();
        const QFileInfo target(path);
        // Writing through a link could overwrite any file the link names; the page's own file is the user's.
        if (!target.isSymLink() && target.absoluteFilePath() != document.absoluteFilePath())
            return path;
    }
    const QString folder = privateFolder();
    return folder.isEmpty() ? QString() : folder + u'/' + fileName();
}

PreviewFiles::Written PreviewFiles::write(const std::optional<QString> &documentPath, const QString &text,
    const FileFormat &format, Listing listing)
{
    Written result;
    result.path = placeFor(documentPath);
    if (result.path.isEmpty()) {
        result.error = QStringLiteral("No folder for the preview file could be made");
        return result;
    }
    const bool existed = QFileInfo::exists(result.path) || QFileInfo(result.path).isSymLink();
    const SafeFile::Result saved = SafeFile::write(result.path, DocumentFile::encode(text, format));
    if (!saved.ok) {
        result.error = saved.reason;
        return result;
    }
    result.ok = true;
    if (listing == Listing::Listed && !existed && !m_tempFileNames.contains(result.path))
        m_tempFileNames.append(result.path);
    return result;
}

void PreviewFiles::removeAll()
{
    for (const QString &file : std::as_const(m_tempFileNames))
        QFile::remove(file);
    m_tempFileNames.clear();
}
