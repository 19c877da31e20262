// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <array>

class ActionSet;
class QMainWindow;
class QTabWidget;
class QWidget;

// The left pane ToolPages, docked at the window's left: the site tree, the current-tag editor, the code
// sections and the script snippets, one page each, with the View menu's radio items following the page
// shown. The window owns it; the dock owns the widgets.
class LeftPane : public QObject
{
    Q_OBJECT
public:
    LeftPane(QMainWindow *window, const ActionSet &actions, QWidget *sitePane, QWidget *tagEditorPage,
        QWidget *codePage, QWidget *snippetPage);

    void showPage(QWidget *page);

private:
    void PageControl1Change(int index);

    const ActionSet &m_actions;
    QTabWidget *ToolPages;
};
