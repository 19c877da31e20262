// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/document.h"
#include "base/documentfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QThreadPool>

#include <memory>
#include <optional>

class QLockFile;

// What a journal holds of a page with unsaved changes: enough to open it again as it was.
struct JournalEntry
{
    QString fileName; // empty for a page never saved
    QString caption; // the page's tab, such as "Untitled 2"
    FileFormat format;
    QDateTime time; // when the text was taken
    QByteArray text; // UTF-8 with CR LF, as the editor holds it
    QString journalPath; // where it was read from; empty for an entry not yet written
};

namespace Journal {

QByteArray serialise(const JournalEntry &entry);
// Nothing for bytes that are not a whole journal (one cut short by a crash while written, say).
std::optional<JournalEntry> parse(const QByteArray &bytes);
// $XDG_STATE_HOME/Tagloom, by default ~/.local/state/Tagloom.
QString standardFolder();

} // namespace Journal

// The journals of one window. Each running window owns a lock file holding its process id; journals
// whose owner's lock is gone or stale belong to a window that ended without closing its pages (a crash,
// a kill, a lost session) and are offered back at the next start. Writes go to one background thread in
// the order they are asked for, so a removal never overtakes the write before it.
class RecoveryJournal
{
public:
    explicit RecoveryJournal(const QString &folder = Journal::standardFolder());
    // Waits for the writes asked for and gives up the lock; the journals stay, as after a crash.
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;

    QString folder() const { return m_folder; }
    QString pathOf(DocumentId page) const;
    // Replaces the page's journal; the file is written owner-only, atomically.
    void write(DocumentId page, JournalEntry entry);
    void remove(DocumentId page);
    // Waits until every write and removal asked for is done.
    void flush();

    // The readable journals of owners no longer running, oldest first; each one's owner lock is
    // claimed while they are read, so two starting windows never offer the same journal.
    QList<JournalEntry> orphans() const;
    // Removes a journal orphans() found.
    static void discard(const JournalEntry &entry);

private:
    QString m_folder;
    QString m_owner;
    std::unique_ptr<QLockFile> m_lock;
    QThreadPool m_writer;
};
