// SPDX-License-Identifier: GPL-3.0-or-later
#include "searchcommands.h"

#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/editorsettings.h"
#include "editor/tagdatabase.h"
#include "editor/ui/editorhost.h"

#include "editor/ui/editorbuffer.h"
#include "editor/ui/finddialogs.h"
#include "editor/ui/sourceeditor.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

SearchCommands::SearchCommands(EditorHost &host)
    : m_host(host)
{ }

SearchCommands::~SearchCommands() = default;

void SearchCommands::connectActions()
{
    connect(m_host.action(ActionId::Find), &QAction::triggered, this, &SearchCommands::FindButtonClick);
    connect(m_host.action(ActionId::FindAgain1), &QAction::triggered, this, &SearchCommands::FindDialog1Find);
    connect(m_host.action(ActionId::Replace), &QAction::triggered, this, &SearchCommands::ReplaceClick);
    // The remembered match is a position in one page's text; in another page it would skip a character.
    connect(&m_host.events(), &EditorEvents::activePageChanged, this, [this] { m_finder.forgetLastMatch(); });
}

TFindDialog *SearchCommands::findDialog()
{
    if (!m_findDialog) {
        m_findDialog = new TFindDialog(m_host.dialogParent());
        connect(m_findDialog, &TFindDialog::findNext, this, &SearchCommands::FindDialog1Find);
    }
    return m_findDialog;
}

TReplaceDialog *SearchCommands::replaceDialog()
{
    if (!m_replaceDialog) {
        m_replaceDialog = new TReplaceDialog(m_host.dialogParent());
        connect(m_replaceDialog, &TReplaceDialog::findNext, this, &SearchCommands::ReplaceDialog1Find);
        connect(m_replaceDialog, &TReplaceDialog::replace, this, &SearchCommands::ReplaceDialog1Replace);
        connect(
            m_replaceDialog, &TReplaceDialog::replaceAll, this, &SearchCommands::ReplaceDialog1ReplaceAll);
    }
    return m_replaceDialog;
}

void SearchCommands::FindButtonClick()
{
    findDialog()->present();
}

void SearchCommands::FindDialog1Find()
{
    TFindDialog *dialog = findDialog();
    if (dialog->findText().isEmpty())
        dialog->present();
    else
        findNext(dialog->findText(), dialog->options());
}

void SearchCommands::ReplaceClick()
{
    replaceDialog()->present();
}

void SearchCommands::ReplaceDialog1Find()
{
    findNext(replaceDialog()->findText(), replaceDialog()->options());
}

void SearchCommands::findNext(const QString &text, Search::Options options)
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 28, [&] {
        EditorBuffer *buffer = m_host.activeBuffer();
        if (!buffer)
            return;
        switch (m_finder.findNext(*buffer, text, options)) {
        case FindReplace::Result::Found:
            showSelection();
            break;
        case FindReplace::Result::NotFound:
            m_host.prompter().message(FindReplace::notFoundCaption(), FindReplace::notFoundMessage(),
                PromptButtons::Ok, PromptIcon::Stop);
            break;
        case FindReplace::Result::NothingToFind:
            break;
        }
    });
}

void SearchCommands::ReplaceDialog1Replace()
{
    TReplaceDialog *dialog = replaceDialog();
    EditorBuffer *buffer = m_host.activeBuffer();
    EditorBusy &busy = m_host.editorBusy();
    if (!buffer || busy.isSet() || !FindReplace::selectionMatches(*buffer, dialog->findText()))
        return;
    runGuarded(m_host.prompter(), busy, 28, [&] {
        m_host.recordUndoStep(QStringLiteral("Replace"));
        {
            const EditorBusy::Hold hold(busy);
            m_finder.replace(*buffer, dialog->findText(), dialog->replaceText());
        }
        textReplaced();
        showSelection();
    });
}

void SearchCommands::ReplaceDialog1ReplaceAll()
{
    TReplaceDialog *dialog = replaceDialog();
    EditorBuffer *buffer = m_host.activeBuffer();
    EditorBusy &busy = m_host.editorBusy();
    if (!buffer || busy.isSet() || dialog->findText().isEmpty())
        return;
    runGuarded(m_host.prompter(), busy, 28, [&] {
        // One step for the whole run, so a single Undo brings back the text as it was.
        m_host.recordUndoStep(QStringLiteral("Replace All"));
        int count = 0;
        {
            const EditorBusy::Hold hold(busy);
            count
                = m_finder.replaceAll(*buffer, dialog->findText(), dialog->replaceText(), dialog->options());
        }
        if (count > 0)
            textReplaced();
        showSelection();
        m_host.prompter().message(FindReplace::finishedCaption(), FindReplace::finishedMessage(),
            PromptButtons::Ok, PromptIcon::Information);
    });
}

void SearchCommands::textReplaced()
{
    m_host.markModified();
    // The title box must show the title as it now stands: an edit there writes the box back over it.
    m_host.documentTextReplaced();
}

void SearchCommands::showSelection()
{
    TSourceEditor *editor = m_host.activeEditor();
    editor->ensureCursorVisible();
    // While a search dialog is the active window this only makes the editor its window's focus widget, so
    // Enter keeps pressing Find Next instead of typing over the match.
    editor->setFocus();
}
