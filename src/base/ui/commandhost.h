// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/actiontable.h"

#include <QString>

class EditorBusy;
class Prompter;
class QAction;
class QMenu;
class QToolBar;
class QWidget;
class SettingsStore;

// What every command unit needs of the window it works in, whatever its subject. The main window
// implements it; units keep a reference for their lifetime, which the window's own bounds.
class CommandHost
{
public:
    // Every message box, question and file dialog of the command.
    virtual Prompter &prompter() = 0;
    virtual SettingsStore &settings() = 0;
    // Set while an operation moves the editor's selection; handlers that would move it return at once.
    virtual EditorBusy &editorBusy() = 0;
    // Where the vocabulary tables and the folders Addin, Wizards, Common Code and Java live.
    virtual QString programFolder() const = 0;
    // The window's actions and menus, built from the action table.
    virtual QAction *action(ActionId id) const = 0;
    virtual QMenu *menu(ActionTable::MenuId id) const = 0;
    // A toolbar built from its table, for a pane of the unit's own.
    virtual QToolBar *makeToolbar(ActionTable::ToolbarId id, QWidget *parent) = 0;
    // The parent of the command's dialogs and pop-ups.
    virtual QWidget *dialogParent() = 0;
    // A note in the status bar that goes away by itself.
    virtual void showStatusNote(const QString &text) = 0;

protected:
    ~CommandHost() = default;
};
