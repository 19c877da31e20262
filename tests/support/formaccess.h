// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's actions, menus and toolbars by object name, for tests: the window's own code reaches
// them only by id, a test checks them as the user sees them.
#include <QAction>
#include <QMenu>
#include <QToolBar>

template <typename Form> QAction *namedAction(const Form &form, const char *name)
{
    return form->template findChild<QAction *>(QString::fromLatin1(name));
}

template <typename Form> QMenu *namedMenu(const Form &form, const char *name)
{
    return form->template findChild<QMenu *>(QString::fromLatin1(name));
}

template <typename Form> QToolBar *namedToolbar(const Form &form, const char *name)
{
    return form->template findChild<QToolBar *>(QString::fromLatin1(name));
}
