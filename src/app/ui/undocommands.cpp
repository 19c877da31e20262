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
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <utility>

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
    // A step keeps the page's edits, not its text: on a big page a copy per step would cost its size.
    const EditorBuffer &buffer = page->buffer();
    return UndoState::byEdits(buffer.selStart(), buffer.selLength());
}

void UndoCommands::watch(TDocumentPage *page)
{
    if (m_watched.contains(page))
        return;
    m_watched.insert(page);
    connect(page, &QObject::destroyed, this, [this, page] {
        m_watched.remove(page);
        if (m_pending.page == page)
            m_pending = {};
    });
    connect(page->editor(), &QsciScintillaBase::SCN_MODIFIED, this,
        [this, page](int position, int type, const char *text, int length, int, int, int, int, int, int) {
            if (type & (QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE))
                takeEdit(page, position, type & QsciScintillaBase::SC_MOD_BEFOREINSERT, text, length);
        });
}

void UndoCommands::takeEdit(TDocumentPage *page, long position, bool inserting, const char *text, long length)
{
    if (m_restoring || length <= 0)
        return;
    flushInsertion();
    const bool couldRedo = m_undoList.canRedo();
    if (inserting && !text) {
        // The editor names the bytes it will insert only by their length; they are read once they are
        // in, at the next change or whenever the list is used.
        m_pending = { page, page->undoId(), position, length };
        return;
    }
    if (inserting)
        m_undoList.noteEdit(page->undoId(), { position, {}, QByteArray(text, length) });
    else
        m_undoList.noteEdit(
            page->undoId(), { position, page->buffer().utf8Range(position, position + length), {} });
    if (couldRedo && !m_undoList.canRedo())
        updateUndoControls();
}

void UndoCommands::flushInsertion()
{
    const Insertion pending = std::exchange(m_pending, {});
    if (!pending.page || pending.length <= 0)
        return;
    const bool couldRedo = m_undoList.canRedo();
    m_undoList.noteEdit(pending.id,
        { pending.position, {},
            pending.page->buffer().utf8Range(pending.position, pending.position + pending.length) });
    if (couldRedo && !m_undoList.canRedo())
        updateUndoControls();
}

void UndoCommands::recordUndoStep(const QString &name)
{
    TDocumentPage *page = m_documents.activePage();
    EditorBusy &busy = m_host.editorBusy();
    if (busy.isSet() || !page)
        return;
    const EditorBusy::Hold hold(busy);
    flushInsertion();
    watch(page);
    m_undoList.recordStep(page->undoId(), undoState(page), name);
    updateUndoControls();
}

void UndoCommands::removePageRecords(DocumentId page)
{
    flushInsertion();
    m_undoList.removePageRecords(page);
    updateUndoControls();
}

void UndoCommands::applyRestore(const UndoRestore &restore)
{
    TDocumentPage *page = m_documents.activePage();
    EditorBuffer &buffer = page->buffer();
    int from = 0;
    int to = -1;
    {
        const QScopedValueRollback<bool> restoring(m_restoring, true);
        if (restore.state.keepsText) {
            if (restore.state.text.isUtf8())
                buffer.setUtf8Text(restore.state.text.toUtf8());
            else
                buffer.setText(restore.state.text.toString());
        } else {
            long low = std::numeric_limits<long>::max();
            long high = 0;
            for (const UndoEdit &edit : restore.edits) {
                buffer.replaceUtf8Range(
                    long(edit.position), long(edit.position + edit.removed.size()), edit.inserted);
                // The changed span in the final text: later edits before its end move that end.
                const long end = long(edit.position + edit.inserted.size());
                if (edit.position <= high)
                    high += long(edit.inserted.size() - edit.removed.size());
                low = std::min(low, long(edit.position));
                high = std::max(high, end);
            }
            if (!restore.edits.isEmpty()) {
                from = buffer.characterPosition(low);
                to = buffer.characterPosition(std::max(low, high));
            }
        }
    }
    buffer.select(restore.state.selStart, restore.state.selLength);
    page->editor()->ensureCursorVisible();
    // The text on screen is not the saved one any more, whatever it was before.
    if (restore.pageModified)
        m_host.markModified();
    // Only what the edits touched needs its colours again; the colouring follows on from there.
    m_host.FormatTags(from, to < 0 ? buffer.length() : to);
    m_documents.refreshBoxes();
    m_host.updateCaption();
    updateUndoControls();
}

void UndoCommands::UndoClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 1, [this] {
        flushInsertion();
        const std::optional<UndoPageId> id = m_undoList.undoPage();
        TDocumentPage *page = id ? m_documents.pageOf(*id) : nullptr;
        if (!page)
            return;
        // The step's own page comes first, so the redo snapshot is taken of the right text.
        m_documents.activate(page);
        // What the page change wrote belongs to the page's last step, so it is undone with it.
        flushInsertion();
        if (const std::optional<UndoRestore> restore = m_undoList.undo(*id, undoState(page)))
            applyRestore(*restore);
    });
}

void UndoCommands::RedoClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 1, [this] {
        flushInsertion();
        const std::optional<UndoPageId> id = m_undoList.redoPage();
        TDocumentPage *page = id ? m_documents.pageOf(*id) : nullptr;
        if (!page)
            return;
        m_documents.activate(page);
        flushInsertion();
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
    flushInsertion();
    const bool watched = m_watched.contains(page);
    watch(page);
    m_undoList.typingKeyPress(page->undoId(), [&] { return undoState(page); });
    // A change the user began (a drop, Ctrl+Backspace) is announced before it is made: the page's
    // first step must still get it.
    const TSourceEditor::Announced announced = page->editor()->announcedEdit();
    if (!watched && announced.position >= 0)
        takeEdit(page, announced.position, announced.inserting, nullptr, announced.length);
    TypingTimer->start();
    updateUndoControls();
}
