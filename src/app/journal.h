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

// One change to a page's UTF-8 bytes: removed bytes at position, then inserted put there.
struct JournalEdit
{
    qint64 position = 0;
    qint64 removed = 0;
    QByteArray inserted;
};

// A page's file as it was when the page showed it unchanged: the base a journal of edits applies to.
struct JournalBase
{
    qint64 fileSize = -1;
    qint64 fileTime = 0; // modified, ms since the epoch
    qint64 bytes = -1; // the page's UTF-8 length then
    bool isValid() const { return bytes >= 0; }
};

// What a journal holds of a page with unsaved changes: enough to open it again as it was. Either the
// whole text, or (for big pages, whose copy would stall typing) the edits made since the page showed its
// file unchanged, applied to that file when it is read back.
struct JournalEntry
{
    QString fileName; // empty for a page never saved
    QString caption; // the page's tab, such as "Untitled 2"
    FileFormat format;
    QDateTime time; // when the text was taken
    QByteArray text; // UTF-8 with CR LF, as the editor holds it
    QString journalPath; // where it was read from; empty for an entry not yet written
    JournalBase base; // valid for a journal of edits
    QList<JournalEdit> edits;
};

namespace Journal {

// The whole journal; with a valid base, its header and edits.
QByteArray serialise(const JournalEntry &entry);
QByteArray serialiseEdits(const QList<JournalEdit> &edits);
// Nothing for bytes that are not a whole journal (one cut short by a crash while written, say); of a
// journal of edits, an edit cut short at the end is left out.
std::optional<JournalEntry> parse(const QByteArray &bytes);
// A journal of edits made whole: its file read and the edits applied to it, into text. False when the
// file is no longer what the edits were made on.
bool resolve(JournalEntry &entry);
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
    // Adds edits to the page's journal of edits (which write() began): a crash while appending leaves
    // at most the last edit cut short, which reading leaves out.
    void append(DocumentId page, QList<JournalEdit> edits);
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
