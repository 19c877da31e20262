// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/findreplace.h"

#include <QObject>
#include <QPointer>

class EditorHost;
class TFindDialog;
class TReplaceDialog;

// The Edit menu's Find, Find Again and Replace: opens the two modeless dialogs, runs their buttons on the
// active page through FindReplace, records the undo steps and reports the outcome. The main window owns it
// and the dialogs; the last match is shared by every page.
class SearchCommands : public QObject
{
    Q_OBJECT
public:
    explicit SearchCommands(EditorHost &host);
    ~SearchCommands() override;

    void connectActions();

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
    void showSelection();

    EditorHost &m_host;
    FindReplace m_finder;
    QPointer<TFindDialog> m_findDialog;
    QPointer<TReplaceDialog> m_replaceDialog;
};
