// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/actiontable.h"

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QWidget;

// The program's actions, one for each row of the action table, and the menus and toolbars built from the
// table's menu and toolbar rows. The main window owns it; command units get their actions and menus from
// it by id and connect their handlers.
class ActionSet : public QObject
{
    Q_OBJECT
public:
    // The actions are children of owner, so shortcuts work anywhere in its window.
    explicit ActionSet(QWidget *owner);

    QAction *action(ActionId id) const { return m_actions[size_t(id)]; }
    // Made on first use, with parent as the owner of a menu outside the menu bar.
    QMenu *menu(ActionTable::MenuId id) const;

    // Makes the toolbar with its buttons, and shown or hidden by its item in the Toolbars menu; provider
    // makes the widgets of its widget places.
    using WidgetProvider = std::function<QWidget *(ActionTable::ToolWidget, QToolBar *)>;
    QToolBar *makeToolbar(ActionTable::ToolbarId id, QWidget *parent, const WidgetProvider &provider) const;

    // Every action with two hints shows the one the Shortcuts setting asks for; skip keeps its own.
    void applyHints(bool withShortcut, const std::function<bool(ActionId)> &skip = {}) const;

private:
    QWidget *m_owner;
    std::array<QAction *, ActionTable::actionCount> m_actions {};
    mutable std::array<QMenu *, size_t(ActionTable::MenuId::Count)> m_menus {};
};

// A hint is "tooltip|status text"; a hint without "|" is both.
void applyHint(QAction *action, const QString &hint);
void applyHint(QWidget *widget, const QString &hint);
