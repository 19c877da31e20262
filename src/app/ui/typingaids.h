// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QKeyEvent;
class QMenu;
class TMainForm;

// The typing aids of the editor's key handler: the typing burst that groups keys into one undo step, the
// tag written on Enter, and the preview refresh on Enter. Prompting runs between the burst and Enter.
class TypingAids
{
public:
    explicit TypingAids(TMainForm &form);

    // Before a key reaches the editor: opens or continues the typing burst for keys that edit the text.
    void startBurst(const QKeyEvent &key);
    // After prompting has had the key: writes the on-return tag before an Enter and refreshes the preview.
    // Never swallows the key; the editor inserts the line break itself.
    void afterPrompting(const QKeyEvent &key);
    // A change by the user that no key announced (a drop, a middle-click paste, a word deleted with
    // Ctrl+Backspace): recorded as typing too.
    void userEditStarting();

    // The on-return tag: "<br>", "<p>" or empty, compared without regard to case.
    QString onReturn() const { return m_onReturn; }
    void setOnReturn(const QString &tag) { m_onReturn = tag; }
    // The tag Enter writes for the current on-return tag and letter case; empty for none.
    static QString returnTag(const QString &onReturn, bool upper);

    // The "On Return" submenu of the editor's context menu.
    QMenu *onReturnMenu() const { return m_onReturnMenu; }
    void OnReturn1Click();
    void br1Click();
    void p1Click();
    void Nothing1Click();

private:
    void burst();

    TMainForm &m_form;
    QString m_onReturn;
    QMenu *m_onReturnMenu = nullptr;
};
