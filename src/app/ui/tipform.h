// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/tips.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class SettingsStore;

// The tip of the day: one tip from the Tips file at a time, and the switch that shows it at start. Made
// for one showing by its command or the window's first showing.
class TTipForm : public QDialog
{
    Q_OBJECT
public:
    TTipForm(SettingsStore &settings, const QString &programFolder, QWidget *parent = nullptr);

    QString tip() const;
    void Button1Click();
    void OKClick();

private:
    SettingsStore &m_settings;
    Tips m_tips;
    QLabel *Tip;
    QCheckBox *ShowTips;
};
