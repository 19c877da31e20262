// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/findreplace.h"

#include <QObject>
#include <QPointer>

class TDocumentPage;
class TFindDialog;
class TMainForm;
class TReplaceDialog;

// The Edit menu's Find, Find Again and Replace: opens the two modeless dialogs, runs their buttons on the
// active page through FindReplace, records the undo steps and reports the outcome. The main window owns it
// and the dialogs; the last match is shared by every page.
class SearchCommands : public QObject
{
    Q_OBJECT
public:
    explicit SearchCommands(TMainForm &form);
    ~SearchCommands() override;

    // Creates and connects the actions, before the main window builds its toolbars, then adds them to the
    // Edit menu once the menus exist.
    void createActions();
    void createMenus();

    void FindButtonClick();
    // The find dialog's Find Next, and Find Again (F3): the dialog opens when it has no text yet.
    void FindDialog1Find();
    void ReplaceClick();
    void ReplaceDialog1Find();
    void ReplaceDialog1Replace();
    void ReplaceDialog1ReplaceAll();

    // Created on first use.
    TFindDialog *findDialog();
    TReplaceDialog *replaceDialog();
    const FindReplace &finder() const { return m_finder; }

private:
    void findNext(const QString &text, Search::Options options);
    void textReplaced();
    void showSelection(TDocumentPage *page);

    TMainForm &m_form;
    FindReplace m_finder;
    QPointer<TFindDialog> m_findDialog;
    QPointer<TReplaceDialog> m_replaceDialog;
};
