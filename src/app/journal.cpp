// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include "base/safefile.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>

namespace {

constexpr char magic[] = "Tagloom journal 1\n";
constexpr char editsMagic[] = "Tagloom journal 2\n";
constexpr qsizetype magicSize = sizeof(magic) - 1;
static_assert(sizeof(editsMagic) == sizeof(magic));

void writeEdits(QDataStream &out, const QList<JournalEdit> &edits)
{
    for (const JournalEdit &edit : edits)
        out << quint8('E') << edit.position << edit.removed << edit.inserted;
}
const QString suffix = QStringLiteral(".journal");

QString ownerOf(const QString &journalName)
{
    return journalName.section(u'.', 0, 0);
}

} // namespace

namespace Journal {

QByteArray serialise(const JournalEntry &entry)
{
    const bool edits = entry.base.isValid();
    QByteArray bytes(edits ? editsMagic : magic, magicSize);
    QDataStream out(&bytes, QIODevice::Append);
    out.setVersion(QDataStream::Qt_6_0);
    out << entry.fileName << entry.caption << qint8(entry.format.encoding) << qint8(entry.format.lineEnd)
        << qint64(entry.time.toMSecsSinceEpoch());
    if (edits) {
        out << entry.base.fileSize << entry.base.fileTime << entry.base.bytes;
        writeEdits(out, entry.edits);
    } else {
        out << entry.text;
    }
    return bytes;
}

QByteArray serialiseEdits(const QList<JournalEdit> &edits)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    writeEdits(out, edits);
    return bytes;
}

std::optional<JournalEntry> parse(const QByteArray &bytes)
{
    const bool edits = bytes.startsWith(QByteArrayView(editsMagic, magicSize));
    if (!edits && !bytes.startsWith(QByteArrayView(magic, magicSize)))
        return std::nullopt;
    QDataStream in(bytes.sliced(magicSize));
    in.setVersion(QDataStream::Qt_6_0);
    JournalEntry entry;
    qint8 encoding = -1;
    qint8 lineEnd = -1;
    qint64 time = 0;
    in >> entry.fileName >> entry.caption >> encoding >> lineEnd >> time;
    if (edits) {
        in >> entry.base.fileSize >> entry.base.fileTime >> entry.base.bytes;
        if (in.status() != QDataStream::Ok || entry.base.bytes < 0 || entry.fileName.isEmpty())
            return std::nullopt;
        while (!in.atEnd()) {
            quint8 tag = 0;
            JournalEdit edit;
            in >> tag >> edit.position >> edit.removed >> edit.inserted;
            if (in.status() != QDataStream::Ok)
                break; // the last edit, cut short
            if (tag != 'E')
                return std::nullopt;
            entry.edits.append(edit);
        }
    } else {
        in >> entry.text;
        if (in.status() != QDataStream::Ok || !in.atEnd())
            return std::nullopt;
    }
    if (encoding < 0 || encoding > qint8(TextEncoding::Windows1252) || lineEnd < 0
        || lineEnd > qint8(LineEnd::Cr))
        return std::nullopt;
    entry.format = { TextEncoding(encoding), LineEnd(lineEnd) };
    entry.time = QDateTime::fromMSecsSinceEpoch(time);
    return entry;
}

bool resolve(JournalEntry &entry)
{
    if (!entry.base.isValid())
        return true;
    const QFileInfo info(entry.fileName);
    if (info.size() != entry.base.fileSize || info.lastModified().toMSecsSinceEpoch() != entry.base.fileTime)
        return false;
    const LoadedDocument loaded = DocumentFile::load(entry.fileName);
    if (!loaded.ok)
        return false;
    QByteArray text = loaded.text.toUtf8();
    if (text.size() != entry.base.bytes)
        return false;
    for (const JournalEdit &edit : std::as_const(entry.edits)) {
        if (edit.position < 0 || edit.removed < 0 || edit.position > text.size()
            || edit.removed > text.size() - edit.position)
            return false;
        text.replace(edit.position, edit.removed, edit.inserted);
    }
    entry.text = text;
    entry.edits.clear();
    entry.base = {};
    return true;
}

QString standardFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // Relative values are to be ignored, as for every XDG folder.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Tagloom");
}

} // namespace Journal

RecoveryJournal::RecoveryJournal(const QString &folder)
    : m_folder(folder)
{
    m_writer.setMaxThreadCount(1);
    QDir().mkpath(m_folder);
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The process id, and a number for each window of the process; the random part keeps a later
    // process with the same id from taking old journals for its own.
    static std::atomic<int> windows = 0;
    m_owner = QStringLiteral("%1-%2-%3")
                  .arg(QCoreApplication::applicationPid())
                  .arg(++windows)
                  .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    m_lock = std::make_unique<QLockFile>(m_folder + u'/' + m_owner + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    m_lock->tryLock(0);
}

RecoveryJournal::~RecoveryJournal()
{
    m_writer.waitForDone();
}

QString RecoveryJournal::pathOf(DocumentId page) const
{
    return m_folder + u'/' + m_owner + u'.' + QString::number(page) + suffix;
}

void RecoveryJournal::write(DocumentId page, JournalEntry entry)
{
    const QString path = pathOf(page);
    m_writer.start([path, entry = std::move(entry)] {
        const SafeFile::Result result = SafeFile::write(
            path, Journal::serialise(entry), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (!result.ok)
            qWarning("The recovery journal %s could not be written: %s", qPrintable(path),
                qPrintable(result.reason));
    });
}

void RecoveryJournal::append(DocumentId page, QList<JournalEdit> edits)
{
    const QString path = pathOf(page);
    m_writer.start([path, edits = std::move(edits)] {
        // Appending cannot harm what the journal holds already, so it needs no new file.
        QFile file(path);
        const QByteArray bytes = Journal::serialiseEdits(edits);
        if (!file.open(QIODevice::Append) || file.write(bytes) != bytes.size() || !file.flush())
            qWarning("The recovery journal %s could not be written: %s", qPrintable(path),
                qPrintable(file.errorString()));
    });
}

void RecoveryJournal::remove(DocumentId page)
{
    const QString path = pathOf(page);
    m_writer.start([path] { QFile::remove(path); });
}

void RecoveryJournal::flush()
{
    m_writer.waitForDone();
}

QList<JournalEntry> RecoveryJournal::orphans() const
{
    QList<JournalEntry> found;
    const QDir dir(m_folder);
    const QStringList names = dir.entryList({ u'*' + suffix }, QDir::Files, QDir::Name);
    QString owner;
    bool running = true;
    std::unique_ptr<QLockFile> claimed;
    for (const QString &name : names) {
        if (ownerOf(name) != owner) {
            owner = ownerOf(name);
            running = owner == m_owner;
            claimed.reset();
            if (!running) {
                claimed = std::make_unique<QLockFile>(dir.filePath(owner + QStringLiteral(".lock")));
                claimed->setStaleLockTime(0);
                running = !claimed->tryLock(0);
            }
        }
        if (running)
            continue;
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        std::optional<JournalEntry> entry = Journal::parse(file.readAll());
        if (!entry || !Journal::resolve(*entry))
            continue;
        entry->journalPath = file.fileName();
        found.append(*entry);
    }
    // The locks of windows that ended with no journal left are cleared away: claiming one removes it.
    for (const QString &name : dir.entryList({ QStringLiteral("*.lock") }, QDir::Files)) {
        const QString lockOwner = name.chopped(5);
        if (lockOwner == m_owner || std::any_of(names.begin(), names.end(), [&](const QString &journal) {
                return ownerOf(journal) == lockOwner;
            }))
            continue;
        QLockFile stale(dir.filePath(name));
        stale.setStaleLockTime(0);
        stale.tryLock(0);
    }
    std::stable_sort(found.begin(), found.end(),
        [](const JournalEntry &a, const JournalEntry &b) { return a.time < b.time; });
    return found;
}

void RecoveryJournal::discard(const JournalEntry &entry)
{
    if (!entry.journalPath.isEmpty())
        QFile::remove(entry.journalPath);
}
