// SPDX-License-Identifier: GPL-3.0-or-later
#include "undocommands.h"

#include "base/errorguard.h"
#include "base/ui/actionset.h"
#include "documentcommands.h"
#include "documenthost.h"
#include "documentpage.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

UndoCommands::UndoCommands(DocumentHost &host, DocumentCommands &documents)
    : m_host(host)
    , m_documents(documents)
    , TypingTimer(new QTimer(this))
{
    TypingTimer->setObjectName(QStringLiteral("TypingTimer"));
    TypingTimer->setInterval(UndoList::typingIntervalMs);
    TypingTimer->setSingleShot(true);
    connect(TypingTimer, &QTimer::timeout, this, &UndoCommands::TypingTimerTimer);
}

void UndoCommands::connectActions()
{
    connect(m_host.action(ActionId::Undo), &QAction::triggered, this, &UndoCommands::UndoClick);
    connect(m_host.action(ActionId::Redo), &QAction::triggered, this, &UndoCommands::RedoClick);
}

void UndoCommands::setTypingImages(QLabel *typing, QLabel *noTyping)
{
    TypingImg = typing;
    NoTypeImg = noTyping;
    updateUndoControls();
}

UndoState UndoCommands::undoState(TDocumentPage *page) const
{
    const EditorBuffer &buffer = page->buffer();
    return { UndoText::fromUtf8(buffer.utf8Text()), buffer.selStart(), buffer.selLength() };
}

void UndoCommands::recordUndoStep(const QString &name)
{
    TDocumentPage *page = m_documents.activePage();
    EditorBusy &busy = m_host.editorBusy();
    if (busy.isSet() || !page)
        return;
    const EditorBusy::Hold hold(busy);
    m_undoList.recordStep(page->undoId(), undoState(page), name);
    updateUndoControls();
}

void UndoCommands::removePageRecords(DocumentId page)
{
    m_undoList.removePageRecords(page);
    updateUndoControls();
}

void UndoCommands::applyRestore(const UndoRestore &restore)
{
    TDocumentPage *page = m_documents.activePage();
    EditorBuffer &buffer = page->buffer();
    if (restore.state.text.isUtf8())
        buffer.setUtf8Text(restore.state.text.toUtf8());
    else
        buffer.setText(restore.state.text.toString());
    buffer.select(restore.state.selStart, restore.state.selLength);
    page->editor()->ensureCursorVisible();
    // The text on screen is not the saved one any more, whatever it was before.
    if (restore.pageModified)
        m_host.markModified();
    m_host.FormatTags(0, buffer.length());
    m_documents.refreshBoxes();
    m_host.updateCaption();
    updateUndoControls();
}

void UndoCommands::UndoClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 1, [this] {
        const std::optional<UndoPageId> id = m_undoList.undoPage();
        TDocumentPage *page = id ? m_documents.pageOf(*id) : nullptr;
        if (!page)
            return;
        // The step's own page comes first, so the redo snapshot is taken of the right text.
        m_documents.activate(page);
        if (const std::optional<UndoRestore> restore = m_undoList.undo(*id, undoState(page)))
            applyRestore(*restore);
    });
}

void UndoCommands::RedoClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 1, [this] {
        const std::optional<UndoPageId> id = m_undoList.redoPage();
        TDocumentPage *page = id ? m_documents.pageOf(*id) : nullptr;
        if (!page)
            return;
        m_documents.activate(page);
        if (const std::optional<UndoRestore> restore = m_undoList.redo(*id))
            applyRestore(*restore);
    });
}

void UndoCommands::updateUndoControls()
{
    QAction *undo = m_host.action(ActionId::Undo);
    QAction *redo = m_host.action(ActionId::Redo);
    undo->setEnabled(m_undoList.canUndo());
    if (m_undoList.canUndo())
        applyHint(undo, m_undoList.undoHint());
    redo->setEnabled(m_undoList.canRedo());
    if (m_undoList.canRedo())
        applyHint(redo, m_undoList.redoHint());
    if (!m_undoList.isTyping())
        TypingTimer->stop();
    if (TypingImg && NoTypeImg) {
        TypingImg->setVisible(m_undoList.isTyping());
        NoTypeImg->setVisible(!m_undoList.isTyping());
    }
}

void UndoCommands::endTypingBurst()
{
    m_undoList.endTypingBurst();
    updateUndoControls();
}

void UndoCommands::TypingTimerTimer()
{
    TypingTimer->stop();
    m_undoList.typingTimerFired();
    updateUndoControls();
}

void UndoCommands::typingKeyPress()
{
    TDocumentPage *page = m_documents.activePage();
    if (!page)
        return;
    m_undoList.typingKeyPress(page->undoId(), [&] { return undoState(page); });
    TypingTimer->start();
    updateUndoControls();
}
