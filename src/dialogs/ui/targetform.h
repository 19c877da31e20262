// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/ui/dialogbase.h"

#include <optional>

class QComboBox;
class QLineEdit;

// Asks the image map editor's user where one finished area links to, and in which frame.
class TTargetForm : public TDialogBase
{
    Q_OBJECT
public:
    struct Link
    {
        QString href;
        QString target;
    };

    // The link entered, or nothing when the user cancelled.
    static std::optional<Link> ask(CommandHost &host, QWidget *parent);

    TTargetForm(CommandHost &host, QWidget *parent);

    void HrefChange();

private:
    QLineEdit *m_href = nullptr;
    QComboBox *m_target = nullptr;
    QPushButton *m_ok = nullptr;
};
