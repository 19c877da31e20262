// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ui/dialogbase.h"

class EditorHost;
class QLineEdit;
class QSpinBox;

// The Redirect Wizard: sends the page's reader on to another address after some seconds, through one
// refresh tag in the page's head that replaces any earlier one.
class TRedirectForm : public TDialogBase
{
    Q_OBJECT
public:
    // Opens the wizard over the active page, preset from the page's refresh tag when it has one; it
    // writes on OK and nothing otherwise. True when it wrote.
    static bool run(EditorHost &host);

    TRedirectForm(EditorHost &host, QWidget *parent);

    void OKButtonClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    EditorHost &m_editorHost;
    QLineEdit *m_url = nullptr;
    QSpinBox *m_time = nullptr;
    bool m_firstFocus = true;
};
