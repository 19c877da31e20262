// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/meminfo.h"

#include <QDialog>

// The Help menu's about box: the program's name, version and licence and the system's memory figures.
class TAboutForm : public QDialog
{
    Q_OBJECT

public:
    // The figures are given rather than read here, so that what the box shows can be checked.
    explicit TAboutForm(const MemoryFigures &memory, QWidget *parent = nullptr);

    // Shows the box with the figures of this machine until the user closes it.
    static void showAbout(QWidget *parent);
};
