// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/downloadspeeds.h"

#include "base/documentfile.h"
#include "editor/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace DownloadSpeeds {

namespace {

class Scanner
{
public:
    explicit Scanner(Estimate &estimate)
        : m_estimate(estimate)
    { }

    void scan(const QString &text, const QString &pageFile, int depth)
    {
        const QString folder = pageFile.isEmpty() ? QString() : QFileInfo(pageFile).absolutePath() + u'/';
        for (const QString &source : sources(text, QStringLiteral("<IMG")))
            add(resolve(source, folder));
        if (depth >= frameDepthLimit || !text.contains(QStringLiteral("<FRAME"), Qt::CaseInsensitive))
            return;
        for (const QString &source : sources(text, QStringLiteral("<FRAME"))) {
            const QString path = resolve(source, folder);
            if (!add(path))
                continue;
            const LoadedDocument page = DocumentFile::load(path);
            if (page.ok)
                scan(page.text, path, depth + 1);
        }
    }

private:
    // The SRC="..." of every tag that starts with marker; a tag without its ">" ends the list.
    static QStringList sources(const QString &text, const QString &marker)
    {
        QStringList found;
        const QString src = QStringLiteral("SRC=\"");
        qsizetype position = 0;
        while (true) {
            const qsizetype start = text.indexOf(marker, position, Qt::CaseInsensitive);
            if (start < 0)
                break;
            const qsizetype end = text.indexOf(u'>', start);
            if (end < 0)
                break;
            position = end + 1;
            const QStringView tag = QStringView(text).mid(start, end - start);
            const qsizetype s = tag.indexOf(src, 0, Qt::CaseInsensitive);
            if (s < 0)
                continue;
            const qsizetype quote = tag.indexOf(u'"', s + src.size());
            if (quote < 0)
                continue;
            found.append(tag.mid(s + src.size(), quote - s - src.size()).toString());
        }
        return found;
    }

    // The regular file a source names, relative to the page's folder unless absolute; empty for none.
    static QString resolve(const QString &source, const QString &folder)
    {
        const QString path = Paths::ChangeSlashes(source, false);
        if (path.isEmpty())
            return {};
        QString absolute;
        if (QDir::isAbsolutePath(path))
            absolute = QDir::cleanPath(path);
        else if (!folder.isEmpty())
            absolute = Paths::GetAbsoluteDir(folder, path);
        // Devices, pipes and folders are no files a browser downloads; a FIFO would block the scan.
        return !absolute.isEmpty() && QFileInfo(absolute).isFile() ? absolute : QString();
    }

    // Lists the file once; false when there is none or it is listed already.
    bool add(const QString &path)
    {
        if (path.isEmpty() || m_listed.contains(path))
            return false;
        m_listed.insert(path);
        const QFileInfo info(path);
        m_estimate.files.append({ path, info.fileName(), info.absolutePath() + u'/', info.size() });
        return true;
    }

    Estimate &m_estimate;
    QSet<QString> m_listed;
};

QString format(double value, int decimals, const QString &unit, const QLocale &locale)
{
    QLocale grouping = locale;
    grouping.setNumberOptions(grouping.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouping.toString(value, 'f', decimals) + unit;
}

} // namespace

Estimate estimate(const QString &pageText, const QString &documentFile)
{
    Estimate result;
    Scanner(result).scan(pageText, documentFile, 0);
    result.pageKb = double(pageText.size()) / 1024.0;
    qint64 bytes = 0;
    for (const File &file : std::as_const(result.files))
        bytes += file.size;
    result.relatedKb = bytes / 1024;
    result.totalKb = float(result.pageKb + double(result.relatedKb));
    for (size_t i = 0; i < speeds.size(); ++i)
        result.seconds[i] = double(result.totalKb) * 8.0 / speeds[i];
    return result;
}

QString formatKb(double kb, const QLocale &locale)
{
    return format(kb, 2, QStringLiteral(" KB"), locale);
}

QString formatSeconds(double seconds, const QLocale &locale)
{
    return format(seconds, 1, QStringLiteral(" s"), locale);
}

} // namespace DownloadSpeeds
