// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/undolist.h"
#include "base/document.h"

#include <QObject>

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
    void applyRestore(const UndoRestore &restore);
    void updateUndoControls();

    DocumentHost &m_host;
    DocumentCommands &m_documents;
    UndoList m_undoList;
    QTimer *TypingTimer;
    QLabel *TypingImg = nullptr;
    QLabel *NoTypeImg = nullptr;
};
