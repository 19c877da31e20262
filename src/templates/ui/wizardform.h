// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "templates/wizardfile.h"

#include <QDialog>

#include <functional>
#include <optional>

class QPushButton;

// The dialog a wizard file describes, generated for one run: a labelled control per input, in columns
// where the file breaks them, pre-filled from the edited tag. Each control writes its entry of the value
// list as it changes; OK hands the list back.
class TWizardForm : public QDialog
{
    Q_OBJECT
public:
    // Asks for a file for a Browse button; nothing when cancelled.
    using FileChooser = std::function<std::optional<QString>()>;

    TWizardForm(QWidget *parent, const Wizard::Form &form, const Wizard::Run &run, bool colourNames,
        FileChooser chooseFile);

    // The value list after OK, or nothing on Cancel.
    static std::optional<QList<Wizard::Entry>> ask(QWidget *parent, const Wizard::Form &form,
        const Wizard::Run &run, bool colourNames, FileChooser chooseFile);

    const QList<Wizard::Entry> &entries() const { return m_entries; }

private:
    void setEntry(int entry, const QString &value);
    QWidget *makeControl(const Wizard::Input &input, int entry, int labelNumber);

    QList<Wizard::Entry> m_entries;
    bool m_colourNames;
    FileChooser m_chooseFile;
};
