// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbarwrap.h"

#include <QEvent>
#include <QMainWindow>
#include <QToolBar>

ToolbarWrap::ToolbarWrap(QMainWindow *window, QToolBar *first, QToolBar *second)
    : QObject(window)
    , m_window(window)
    , m_first(first)
    , m_second(second)
{
    window->installEventFilter(this);
}

void ToolbarWrap::update()
{
    // Each bar's size hint is the width it needs to show every item; a little is left for the handles.
    const int needed = m_first->sizeHint().width() + m_second->sizeHint().width() + 16;
    const bool wrap = needed > m_window->width();
    if (wrap == m_wrapped)
        return;
    m_wrapped = wrap;
    if (wrap)
        m_window->insertToolBarBreak(m_second);
    else
        m_window->removeToolBarBreak(m_second);
}

bool ToolbarWrap::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        update();
    return QObject::eventFilter(watched, event);
}
