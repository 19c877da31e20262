// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class EditorHost;
class PromptingCommands;
class QKeyEvent;
class TSourceEditor;

// The editor's key handler and its typing aids: the typing burst that groups keys into one undo step,
// prompting (which may swallow the key), the tag written on Enter, and the preview refresh on Enter.
// Owned by the main window.
class TypingAids : public QObject
{
    Q_OBJECT
public:
    TypingAids(EditorHost &host, PromptingCommands &prompting);

    // The "On Return" submenu of the editor's context menu.
    void connectActions();
    // Runs the key handler for every key pressed in editor, before the editor inserts it.
    void watchEditor(TSourceEditor *editor);

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

    void OnReturn1Click();
    void br1Click();
    void p1Click();
    void Nothing1Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void burst();

    EditorHost &m_host;
    PromptingCommands &m_prompting;
    QString m_onReturn;
};
