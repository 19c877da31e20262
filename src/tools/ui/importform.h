// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/textimport.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

// "Import HTML File": which parts of another HTML file to merge into the current page, which file wins
// where both define a thing, and where the body text goes. Made and destroyed by Import HTML File.
class TImportForm : public QDialog
{
    Q_OBJECT
public:
    TImportForm(const QString &current, const QString &imported, QWidget *parent);

    TextImport::ImportChoice choice() const;
    // Shows a step's name while the merge runs.
    void showProgress(const QString &step);

    // What OK does before the window closes: the merge, which shows its steps here.
    void setMerge(std::function<void()> merge) { m_merge = std::move(merge); }
    void OKClick();

    void HeaderClick();
    void TextClick();
    void MetaClick();

private:
    QCheckBox *box(const QString &name, const QString &text, bool applies, bool checked);

    QCheckBox *Header;
    QCheckBox *Meta;
    QCheckBox *Styles;
    QCheckBox *StyleSheet;
    QCheckBox *Title;
    QCheckBox *Body;
    QCheckBox *Text;
    QRadioButton *Current;
    QRadioButton *Imported;
    QRadioButton *Cursor;
    QRadioButton *End;
    QLabel *Progress;
    QPushButton *OK;
    std::function<void()> m_merge;
};
