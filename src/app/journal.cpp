// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include "base/safefile.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>

namespace {

constexpr char magic[] = "Tagloom journal 1\n";
constexpr qsizetype magicSize = sizeof(magic) - 1;
const QString suffix = QStringLiteral(".journal");

QString ownerOf(const QString &journalName)
{
    return journalName.section(u'.', 0, 0);
}

} // namespace

namespace Journal {

QByteArray serialise(const JournalEntry &entry)
{
    QByteArray bytes(magic, magicSize);
    QDataStream out(&bytes, QIODevice::Append);
    out.setVersion(QDataStream::Qt_6_0);
    out << entry.fileName << entry.caption << qint8(entry.format.encoding) << qint8(entry.format.lineEnd)
        << qint64(entry.time.toMSecsSinceEpoch()) << entry.text;
    return bytes;
}

std::optional<JournalEntry> parse(const QByteArray &bytes)
{
    if (!bytes.startsWith(QByteArrayView(magic, magicSize)))
        return std::nullopt;
    QDataStream in(bytes.sliced(magicSize));
    in.setVersion(QDataStream::Qt_6_0);
    JournalEntry entry;
    qint8 encoding = -1;
    qint8 lineEnd = -1;
    qint64 time = 0;
    in >> entry.fileName >> entry.caption >> encoding >> lineEnd >> time >> entry.text;
    if (in.status() != QDataStream::Ok || !in.atEnd() || encoding < 0
        || encoding > qint8(TextEncoding::Windows1252) || lineEnd < 0 || lineEnd > qint8(LineEnd::Cr))
        return std::nullopt;
    entry.format = { TextEncoding(encoding), LineEnd(lineEnd) };
    entry.time = QDateTime::fromMSecsSinceEpoch(time);
    return entry;
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
        if (!entry)
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
