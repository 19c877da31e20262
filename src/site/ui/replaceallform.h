// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/sitewide.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The site-wide replace dialog: a find text, a replace text, match case and whole words. It offers one
// action, Replace All, because every run rewrites the pages; it stays open after a run.
class TReplaceAllForm : public QDialog
{
    Q_OBJECT
public:
    explicit TReplaceAllForm(QWidget *parent = nullptr);

    SiteWide::ReplaceOptions options() const;
    QLineEdit *findEdit() const { return FindText; }
    QLineEdit *replaceEdit() const { return ReplaceText; }
    QCheckBox *matchCaseBox() const { return MatchCase; }
    QCheckBox *wholeWordBox() const { return WholeWord; }
    QPushButton *replaceAllButton() const { return ReplaceAll; }

Q_SIGNALS:
    void replaceAllRequested(const SiteWide::ReplaceOptions &options);

private:
    QLineEdit *FindText;
    QLineEdit *ReplaceText;
    QCheckBox *WholeWord;
    QCheckBox *MatchCase;
    QPushButton *ReplaceAll;
};
