// SPDX-License-Identifier: GPL-3.0-or-later
#include "searchcommands.h"

#include "app/prompter.h"
#include "documentcommands.h"
#include "documentpage.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/finddialogs.h"
#include "editor/ui/sourceeditor.h"
#include "icons.h"
#include "mainform.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

SearchCommands::SearchCommands(TMainForm &form)
    : m_form(form)
{ }

SearchCommands::~SearchCommands() = default;

void SearchCommands::createActions()
{
    const auto make = [this](const char *name, const QString &text, const QString &icon,
                          const QKeySequence &key, void (SearchCommands::*handler)()) {
        auto *action = new QAction(text, &m_form);
        action->setObjectName(QString::fromLatin1(name));
        if (!icon.isEmpty())
            action->setIcon(Icons::icon(icon));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
    };
    make("Find", QStringLiteral("&Find..."), QStringLiteral("find"), QKeySequence(),
        &SearchCommands::FindButtonClick);
    make("FindAgain1", QStringLiteral("Find Again"), QString(), QKeySequence(Qt::Key_F3),
        &SearchCommands::FindDialog1Find);
    make("Replace", QStringLiteral("&Replace..."), QStringLiteral("replace"),
        QKeySequence(Qt::CTRL | Qt::Key_R), &SearchCommands::ReplaceClick);

    // The remembered match is a position in one page's text; in another page it would skip a character.
    connect(m_form.filePages(), &QTabWidget::currentChanged, this, [this] { m_finder.forgetLastMatch(); });
}

void SearchCommands::createMenus()
{
    QMenu *edit = m_form.menuBar()->findChild<QMenu *>(QStringLiteral("Edit1"));
    edit->addSeparator();
    for (const char *name : { "Find", "FindAgain1", "Replace" })
        edit->addAction(m_form.action(QString::fromLatin1(name)));
}

TFindDialog *SearchCommands::findDialog()
{
    if (!m_findDialog) {
        m_findDialog = new TFindDialog(&m_form);
        connect(m_findDialog, &TFindDialog::findNext, this, &SearchCommands::FindDialog1Find);
    }
    return m_findDialog;
}

TReplaceDialog *SearchCommands::replaceDialog()
{
    if (!m_replaceDialog) {
        m_replaceDialog = new TReplaceDialog(&m_form);
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
    runGuarded(m_form.prompter(), m_form.editorBusy(), 28, [&] {
        TDocumentPage *page = m_form.activePage();
        if (!page)
            return;
        switch (m_finder.findNext(page->buffer(), text, options)) {
        case FindReplace::Result::Found:
            showSelection(page);
            break;
        case FindReplace::Result::NotFound:
            m_form.prompter().message(FindReplace::notFoundCaption(), FindReplace::notFoundMessage(),
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
    TDocumentPage *page = m_form.activePage();
    EditorBusy &busy = m_form.editorBusy();
    if (!page || busy.isSet() || !FindReplace::selectionMatches(page->buffer(), dialog->findText()))
        return;
    runGuarded(m_form.prompter(), busy, 28, [&] {
        m_form.recordUndoStep(QStringLiteral("Replace"));
        {
            const EditorBusy::Hold hold(busy);
            m_finder.replace(page->buffer(), dialog->findText(), dialog->replaceText());
        }
        textReplaced();
        showSelection(page);
    });
}

void SearchCommands::ReplaceDialog1ReplaceAll()
{
    TReplaceDialog *dialog = replaceDialog();
    TDocumentPage *page = m_form.activePage();
    EditorBusy &busy = m_form.editorBusy();
    if (!page || busy.isSet() || dialog->findText().isEmpty())
        return;
    runGuarded(m_form.prompter(), busy, 28, [&] {
        // One step for the whole run, so a single Undo brings back the text as it was.
        m_form.recordUndoStep(QStringLiteral("Replace All"));
        int count = 0;
        {
            const EditorBusy::Hold hold(busy);
            count = m_finder.replaceAll(
                page->buffer(), dialog->findText(), dialog->replaceText(), dialog->options());
        }
        if (count > 0)
            textReplaced();
        showSelection(page);
        m_form.prompter().message(FindReplace::finishedCaption(), FindReplace::finishedMessage(),
            PromptButtons::Ok, PromptIcon::Information);
    });
}

void SearchCommands::textReplaced()
{
    m_form.markModified();
    // The title box must show the title as it now stands: an edit there writes the box back over it.
    m_form.documents().readTitleIntoBox();
    m_form.updateCaption();
}

void SearchCommands::showSelection(TDocumentPage *page)
{
    TSourceEditor *editor = page->editor();
    editor->ensureCursorVisible();
    // While a search dialog is the active window this only makes the editor its window's focus widget, so
    // Enter keeps pressing Find Next instead of typing over the match.
    editor->setFocus();
}
