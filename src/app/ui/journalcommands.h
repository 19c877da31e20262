// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/journal.h"
#include "base/document.h"

#include <QDialog>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <memory>

class DocumentCommands;
class QTreeWidget;
class TDocumentPage;

// Keeps a recovery journal of every page with unsaved changes and offers the journals a crashed window
// left behind. A change starts a one-second timer that is not restarted by further typing, so while
// typing goes on the journal is never more than about two seconds behind. The text is copied on the UI
// thread (one block copy of the editor's bytes) and written by the journal's background thread.
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
    // Writes the journals of the pages changed since the last time; the timer's work.
    void writeChanged();
    // Asks about the journals of windows that ended without closing their pages.
    void offerRecovery();

    static constexpr int delayMs = 1000;

private:
    DocumentCommands &m_documents;
    std::unique_ptr<RecoveryJournal> m_journal;
    QTimer m_timer;
    QSet<TDocumentPage *> m_changed;
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
