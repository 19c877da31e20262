// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QDialogButtonBox>

#include <functional>

class CommandHost;

// What every tag dialog shares: its caption, centring over the window that opened it (or the screen),
// the button box with Help, and F1 for help. A dialog lives for one use and is shown modally by its
// own static entry point.
class TDialogBase : public QDialog
{
    Q_OBJECT
public:
    TDialogBase(CommandHost &host, QWidget *parent, const QString &caption, const QString &helpPage);

    // The row of standard buttons, made on first use; Help opens the manual at the dialog's page.
    QDialogButtonBox *buttonBox(QDialogButtonBox::StandardButtons buttons = {});
    QPushButton *addButton(const QString &text, QDialogButtonBox::ButtonRole role, const char *objectName);

    void showHelp();

    // Closes the dialog and gives the window that opened it back its keys, so its shortcuts work at once.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    CommandHost &host() const { return m_host; }

private:
    CommandHost &m_host;
    QString m_helpPage;
    QDialogButtonBox *m_buttons = nullptr;
    bool m_centred = false;
};

class EditorHost;
class SourceBuffer;

// The stretch of the page a dialog wrote, to be coloured.
struct WrittenRange
{
    int start = 0;
    int end = 0;
};

// The road every tag dialog's markup takes into the active page: the undo step of that name, the edit
// through the page's buffer, colouring over what it wrote, and the modified mark. Nothing happens
// without an active page.
void writeMarkup(
    EditorHost &host, const QString &undoStep, const std::function<WrittenRange(SourceBuffer &)> &edit);
