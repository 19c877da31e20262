// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/journal.h"
#include "base/document.h"

#include <QDialog>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <memory>

class DocumentCommands;
class QTreeWidget;
class TDocumentPage;

// Keeps a recovery journal of every page with unsaved changes and offers the journals a crashed window
// left behind. A change starts a one-second timer that is not restarted by further typing, so while
// typing goes on the journal is never more than about two seconds behind. A page up to snapshotLimit
// bytes is journalled whole (one block copy on the UI thread, written by the journal's own thread); a
// bigger one that shows a file is journalled as the edits made since it showed the file unchanged, so
// its cost follows the typing, not the page.
class JournalCommands : public QObject
{
    Q_OBJECT
public:
    JournalCommands(DocumentCommands &documents, const QString &folder = Journal::standardFolder());
    ~JournalCommands() override;

    RecoveryJournal &journal() { return *m_journal; }
    // Follows the page's changes.
    void watch(TDocumentPage *page);
    // The page was saved, or its changes let go (closed without saving): its journal goes.
    void forget(TDocumentPage *page);
    // The page shows file unchanged (just opened from it or saved to it): later edits are kept from here.
    void baseline(TDocumentPage *page, const QString &file);
    // Writes the journals of the pages changed since the last time; the timer's work.
    void writeChanged();
    // Asks about the journals of windows that ended without closing their pages.
    void offerRecovery();

    static constexpr int delayMs = 1000;
    // Above this many bytes a page with a file is journalled by its edits; tests lower it.
    static inline qint64 snapshotLimit = 2 * 1024 * 1024;

private:
    DocumentCommands &m_documents;
    std::unique_ptr<RecoveryJournal> m_journal;
    QTimer m_timer;
    QSet<TDocumentPage *> m_changed;
    struct EditLog
    {
        JournalBase base;
        QList<JournalEdit> edits; // since base, not yet in the journal
        bool begun = false; // the journal of edits is on its way, header first
        // The editor announces an insertion without its text: it is read once the insertion is made,
        // at the next announcement or when the journal is written.
        qint64 insertPosition = 0;
        qint64 insertLength = 0;
    };
    void takeInsertion(TDocumentPage *page, EditLog &log);
    QHash<TDocumentPage *, EditLog> m_logs;
};

// "Recover unsaved changes": the pages found, with their time; Recover opens them, Discard removes
// the journals, Later keeps them for the next start.
class RecoveryDialog : public QDialog
{
    Q_OBJECT
public:
    enum Choice { Later = QDialog::Rejected, Recover = QDialog::Accepted, Discard = 2 };
    RecoveryDialog(const QList<JournalEntry> &entries, QWidget *parent = nullptr);
    static QString title() { return QStringLiteral("Recover unsaved changes"); }

private:
    QTreeWidget *m_list;
};
