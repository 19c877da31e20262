// SPDX-License-Identifier: GPL-3.0-or-later
#include "codesections.h"

#include "base/safefile.h"
#include "editor/sourcebuffer.h"
#include "profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace CodeSections {

namespace {

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

QStringList splitLines(const QString &text)
{
    QString flat = text;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return flat.split(u'\n');
}

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Renames without ever replacing an existing entry. File systems without RENAME_NOREPLACE get a check
// first, which leaves only a tiny window.
int renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(source.constData(), target.constData());
}

} // namespace

QString startSection()
{
    return QStringLiteral("Start Tag");
}

QString endSection()
{
    return QStringLiteral("End Tag");
}

QString suffix()
{
    return QStringLiteral(".ccs");
}

QString emptyFolderMessage()
{
    return QStringLiteral(
        "You can only delete an empty folder\nPlease delete any files or folders this folder contains");
}

QString joinLines(QStringList values)
{
    if (!values.isEmpty() && values.constLast().isEmpty())
        values.removeLast();
    return values.join(QStringLiteral("\r\n"));
}

Section read(const QString &file)
{
    const ProfileFile profile = ProfileFile::load(file);
    return { joinLines(profile.values(startSection())), joinLines(profile.values(endSection())) };
}

bool write(const QString &file, const QString &start, const QString &end, QString *reason)
{
    ProfileFile profile = ProfileFile::load(file);
    profile.setLines(startSection(), splitLines(start));
    profile.setLines(endSection(), splitLines(end));
    return profile.save(file, reason);
}

bool writeSelection(const QString &file, const QString &selection, QString *reason)
{
    ProfileFile profile = ProfileFile::load(file);
    QList<std::pair<QString, QString>> lines;
    const QStringList parts = splitLines(selection);
    for (int i = 0; i < parts.size(); ++i)
        lines.append({ QString::number(i + 1), parts.at(i) });
    profile.setSection(startSection(), lines);
    profile.setSection(endSection(), { { QStringLiteral("1"), QString() } });
    return profile.save(file, reason);
}

int apply(SourceBuffer &buffer, const Section &section)
{
    const int start = buffer.selStart();
    const int length = buffer.selLength();
    buffer.setSelStart(start);
    buffer.setSelText(section.start);
    // The buffer may have made the line breaks CR LF: measure what it holds, not what was given.
    const int afterSelection = buffer.selStart() + length;
    buffer.setSelStart(afterSelection);
    buffer.setSelText(section.end);
    return buffer.selStart();
}

QString freeName(const QString &folder, const QString &base, const QString &extension)
{
    const QStringList taken = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const auto exists
        = [&](const QString &name) { return taken.contains(name + extension, Qt::CaseInsensitive); };
    if (!exists(base))
        return base;
    for (int i = 1;; ++i) {
        const QString name = base + u' ' + QString::number(i);
        if (!exists(name))
            return name;
    }
}

Listing list(const QString &folder)
{
    Listing listing;
    if (folder.isEmpty())
        return listing;
    const QDir dir(folder);
    listing.folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QFileInfoList files = dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &info : files) {
        if (info.fileName().endsWith(suffix(), Qt::CaseInsensitive))
            listing.sections.append(info.fileName().chopped(suffix().size()));
    }
    // Sorted by the names shown, not by the file names with their extension.
    std::sort(listing.sections.begin(), listing.sections.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return listing;
}

bool hasChildren(const QString &folder)
{
    const Listing listing = list(folder);
    return !listing.folders.isEmpty() || !listing.sections.isEmpty();
}

QString nameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A name cannot be empty.");
    if (name.contains(u'/') || name.contains(QChar(0)))
        return QStringLiteral("A name cannot hold \"/\".");
    if (name == QStringLiteral(".") || name == QStringLiteral(".."))
        return QStringLiteral("\"%1\" cannot be used as a name.").arg(name);
    return {};
}

Result rename(const QString &path, const QString &newName, const QString &extension)
{
    const QString problem = nameProblem(newName);
    if (!problem.isEmpty())
        return { false, problem };
    const QFileInfo old(path);
    const QString target = old.dir().filePath(newName + extension);
    if (QFileInfo(target).absoluteFilePath() == old.absoluteFilePath())
        return { true, {} };
    if (renameNoReplace(path, target) != 0) {
        if (errno == EEXIST)
            return { false,
                QStringLiteral("Cannot rename to %1: an entry of that name already exists.")
                    .arg(quoted(newName)) };
        return { false,
            QStringLiteral("Cannot rename %1 to %2: %3.")
                .arg(quoted(old.fileName()), quoted(newName + extension), systemReason()) };
    }
    return { true, {} };
}

Result move(const QString &file, const QString &folder)
{
    const QFileInfo source(file);
    const QString target = QDir(folder).filePath(source.fileName());
    if (renameNoReplace(file, target) != 0) {
        if (errno == EEXIST)
            return { false,
                QStringLiteral("Cannot move %1: the folder %2 already holds a file of that name.")
                    .arg(quoted(source.completeBaseName()), quoted(QFileInfo(folder).fileName())) };
        return { false,
            QStringLiteral("Cannot move %1: %2.").arg(quoted(source.completeBaseName()), systemReason()) };
    }
    return { true, {} };
}

Result removeFolder(const QString &folder)
{
    if (!QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        return { false, emptyFolderMessage() };
    if (!QDir().rmdir(folder))
        return { false,
            QStringLiteral("Cannot delete the folder %1: %2.").arg(quoted(folder), systemReason()) };
    return { true, {} };
}

Result removeSection(const QString &file)
{
    if (!QFile::remove(file) && QFileInfo::exists(file))
        return { false, QStringLiteral("Cannot delete %1: %2.").arg(quoted(file), systemReason()) };
    return { true, {} };
}

Result createFile(const QString &file)
{
    const SafeFile::Result result = SafeFile::write(file, {});
    if (!result.ok)
        return { false, QStringLiteral("Cannot create %1: %2.").arg(quoted(file), result.reason) };
    return { true, {} };
}

Result createFolder(const QString &folder)
{
    if (!QDir().mkdir(folder))
        return { false, QStringLiteral("Cannot create the folder %1.").arg(quoted(folder)) };
    return { true, {} };
}

} // namespace CodeSections

namespace Snippets {

QList<Entry> list(const QString &folder)
{
    QList<Entry> entries;
    // No folder at all: an empty path must not list the working folder.
    if (folder.isEmpty())
        return entries;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.read(4096));
        const QString rest = text.mid(3);
        const qsizetype end = rest.indexOf(u'\n');
        QString description = end < 0 ? rest : rest.left(end);
        if (description.endsWith(u'\r'))
            description.chop(1);
        entries.append({ info.completeBaseName(), description });
    }
    return entries;
}

QString file(const QString &folder, const QString &caption)
{
    return QDir(folder).filePath(caption + QStringLiteral(".jss"));
}

QString insertion(const QString &snippet, bool upper)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString open
        = upper ? QStringLiteral("<SCRIPT LANGUAGE=JSCRIPT>") : QStringLiteral("<script language=jscript>");
    const QString close = upper ? QStringLiteral("</SCRIPT>") : QStringLiteral("</script>");
    return open + crlf + QStringLiteral("<!--") + crlf + snippet + crlf + QStringLiteral("//-->") + crlf
        + close;
}

} // namespace Snippets
