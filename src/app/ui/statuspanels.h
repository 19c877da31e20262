// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QLabel;
class QProgressBar;
class QStatusBar;

// The six panels of the status bar and what stands in them: hints in panel 0, the typing images in 1,
// the site's and the page's modified marks with their pictures in 2 and 3, the progress bar in 4, the
// attribute ticker in 5, and after them the caret's line and column in 6. The status bar owns the widgets;
// the main window keeps this to reach them.
class StatusPanels
{
public:
    explicit StatusPanels(QStatusBar *bar);

    QLabel *panel(int n) const { return m_panels.value(n); }
    QString text(int n) const;
    QLabel *typingImage() const { return m_typing; }
    QLabel *noTypingImage() const { return m_noTyping; }
    // "Ln 12, Col 5" in the caret panel.
    void showCaret(int line, int column);

private:
    QList<QLabel *> m_panels;
    QLabel *m_typing;
    QLabel *m_noTyping;
    QProgressBar *StatusProgressBar;
};
