// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "templates/codesections.h"

#include <QDialog>

#include <optional>

class QPlainTextEdit;

// "Common Code Section Wizard": the start and end texts of one code section, edited in two memos.
// Created for each use; Finish hands the texts back and the caller writes the file.
class TCodeForm : public QDialog
{
    Q_OBJECT
public:
    TCodeForm(QWidget *parent, const CodeSections::Section &section);

    // The texts after Finish, or nothing on Cancel.
    static std::optional<CodeSections::Section> edit(QWidget *parent, const CodeSections::Section &section);

    CodeSections::Section section() const;

private:
    QPlainTextEdit *Start;
    QPlainTextEdit *End;
};
