// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QMainWindow;
class QToolBar;

// Keeps two toolbars of one row whole on a narrow window: when they do not fit side by side the second
// starts a row of its own, instead of hiding its controls behind the overflow arrow, and goes back beside
// the first when the window is wide again. The window owns it.
class ToolbarWrap : public QObject
{
    Q_OBJECT
public:
    ToolbarWrap(QMainWindow *window, QToolBar *first, QToolBar *second);

    bool wrapped() const { return m_wrapped; }
    // Breaks or joins the row for the window's present width.
    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMainWindow *m_window;
    QToolBar *m_first;
    QToolBar *m_second;
    bool m_wrapped = false;
};
