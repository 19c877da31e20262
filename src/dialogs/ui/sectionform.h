// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ui/dialogbase.h"

class EditorHost;
class QLineEdit;
class QListWidget;

// The Section Wizard: names a point of the active page by wrapping the selection in a named anchor,
// refusing a name the page already has.
class TSectionForm : public TDialogBase
{
    Q_OBJECT
public:
    // Opens the wizard over the active page; it writes on OK and nothing otherwise. True when it wrote.
    static bool run(EditorHost &host);

    TSectionForm(EditorHost &host, QWidget *parent);

    void NameChange();
    void OKButtonClick();

private:
    EditorHost &m_editorHost;
    QLineEdit *m_name = nullptr;
    QListWidget *m_sections = nullptr;
    QPushButton *m_ok = nullptr;
    // The selection when the wizard opened: the anchor wraps it.
    int m_selStart = 0;
    int m_selLength = 0;
};
