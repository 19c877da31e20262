// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/spelling.h"

#include <QDialog>
#include <QRect>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The spelling dialog: one misspelt word shown in its line, a replacement to edit or pick from the
// suggestions, and the answers Change, Change All, Ignore, Ignore All, Add and Cancel. Enter changes,
// Escape cancels, a double-click on a suggestion changes to it.
class TSpellDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TSpellDialog(QWidget *parent = nullptr);

    void setQuestion(const Spelling::Question &question);
    // The answer the dialog was closed with; Cancel until one is given.
    Spelling::Answer answer() const { return m_answer; }

    // The context shown for a question, as rich text with the word marked.
    static QString contextHtml(const Spelling::Question &question);

    void reject() override;

private:
    void answerWith(Spelling::Action action);
    void updateButtons();

    Spelling::Answer m_answer;
    QLabel *m_context;
    QLineEdit *m_changeTo;
    QListWidget *m_suggestions;
    QPushButton *m_change;
    QPushButton *m_changeAll;
};

// The dialog as the spelling check's source of answers. One dialog serves the whole check, so it stays
// where the user put it, and it is moved only when it would hide the word asked about.
class TSpellDialogAnswers : public Spelling::Answers
{
public:
    explicit TSpellDialogAnswers(QWidget *parent);
    ~TSpellDialogAnswers() override;

    // The word's place on the screen (global coordinates) for the next question.
    void setWordRect(const QRect &rect) { m_wordRect = rect; }
    Spelling::Answer ask(const Spelling::Question &question) override;

private:
    void placeClearOfWord();

    QWidget *m_parent;
    std::unique_ptr<TSpellDialog> m_dialog;
    QRect m_wordRect;
    bool m_placed = false;
};
