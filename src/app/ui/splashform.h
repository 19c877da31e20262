// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The window shown while the program starts: its name and the progress of the start-up steps.
// The start-up code owns it and destroys it once the main window is ready.
class TSplashForm : public QWidget
{
    Q_OBJECT

public:
    explicit TSplashForm(QWidget *parent = nullptr);

    // Moves the bar (0 to 50) and names the step, painting at once: start-up blocks the event loop.
    void setProgress(int position, const QString &label);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QProgressBar *ProgressBar;
    QLabel *ProgressLabel;
};
