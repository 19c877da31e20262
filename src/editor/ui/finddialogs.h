// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/sourcebuffer.h"

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The find dialog: the text to find, the whole-word and match-case options and Find Next. It is modeless,
// stays open beside the editor and only signals; the searching is its owner's. Enter is Find Next and
// Escape closes it. Owned by the window that opened it.
class TFindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit TFindDialog(QWidget *parent = nullptr);

    QString findText() const;
    void setFindText(const QString &text);
    Search::Options options() const;
    void setOptions(Search::Options options);

    // Shows the dialog, or brings it forward, with the find text selected so typing replaces it.
    void present();

Q_SIGNALS:
    void findNext();

protected:
    // The rows and buttons both dialogs share; the replace dialog puts its own between them.
    enum class Kind { Find, Replace };
    TFindDialog(Kind kind, QWidget *parent);
    QGridLayout *fields() const { return m_fields; }
    QLineEdit *findEdit() const { return m_findText; }
    // Adds a button to the column, above Cancel.
    QPushButton *addButton(const QString &text, const QString &objectName);
    // Enables the buttons that need a find text.
    virtual void updateButtons();

private:
    QLineEdit *m_findText;
    QCheckBox *m_wholeWord;
    QCheckBox *m_matchCase;
    QGridLayout *m_fields;
    QVBoxLayout *m_buttons;
    QPushButton *m_cancel;
    QPushButton *m_findNext;
};

// The replace dialog: the find dialog with a replacement text, Replace and Replace All.
class TReplaceDialog : public TFindDialog
{
    Q_OBJECT
public:
    explicit TReplaceDialog(QWidget *parent = nullptr);

    QString replaceText() const;
    void setReplaceText(const QString &text);

Q_SIGNALS:
    void replace();
    void replaceAll();

protected:
    void updateButtons() override;

private:
    QLineEdit *m_replaceText;
    QPushButton *m_replace;
    QPushButton *m_replaceAll;
};
