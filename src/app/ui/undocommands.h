// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/undolist.h"
#include "base/document.h"

#include <QObject>
#include <QSet>

class DocumentCommands;
class DocumentHost;
class QLabel;
class QTimer;
class TDocumentPage;

// Undo and Redo of the Edit menu over the program's one undo list: recording a step before a command
// changes a page, the typing burst and its timer, restoring a step into its page, and the Undo and Redo
// items' state and hints with the typing images of the status bar. The main window owns it.
class UndoCommands : public QObject
{
    Q_OBJECT
public:
    UndoCommands(DocumentHost &host, DocumentCommands &documents);

    void connectActions();
    // The status bar's images that show whether a typing burst is open.
    void setTypingImages(QLabel *typing, QLabel *noTyping);

    void UndoClick();
    void RedoClick();
    void TypingTimerTimer();

    void recordUndoStep(const QString &name);
    // Opens or continues the typing burst: its first key records the "Typing" undo step.
    void typingKeyPress();
    void removePageRecords(DocumentId page);
    void endTypingBurst();

    const UndoList &undoList() const { return m_undoList; }
    QTimer *typingTimer() const { return TypingTimer; }

private:
    UndoState undoState(TDocumentPage *page) const;
    // From a page's first step on, every edit of its text goes to the list.
    void watch(TDocumentPage *page);
    // One change announced by the page's editor, before it is made.
    void takeEdit(TDocumentPage *page, long position, bool inserting, const char *text, long length);
    // Hands the list the insertion announced last, now that its bytes are in the editor.
    void flushInsertion();
    void applyRestore(const UndoRestore &restore);
    void updateUndoControls();

    DocumentHost &m_host;
    DocumentCommands &m_documents;
    UndoList m_undoList;
    QSet<TDocumentPage *> m_watched;
    struct Insertion
    {
        TDocumentPage *page = nullptr;
        DocumentId id = 0;
        long position = 0;
        long length = 0;
    };
    Insertion m_pending;
    bool m_restoring = false; // Undo and Redo's own edits are not steps' edits
    QTimer *TypingTimer;
    QLabel *TypingImg = nullptr;
    QLabel *NoTypeImg = nullptr;
};
