// SPDX-License-Identifier: GPL-3.0-or-later
#include "finddialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget *parent)
    : TFindDialog(Kind::Find, parent)
{ }

TFindDialog::TFindDialog(Kind kind, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(kind == Kind::Find ? QStringLiteral("FindDialog1") : QStringLiteral("ReplaceDialog1"));
    setWindowTitle(kind == Kind::Find ? QStringLiteral("Find") : QStringLiteral("Replace"));
    setModal(false);
    // A small fixed box like the desktop's own find dialogs: no resizing, no help button.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("FindText"));
    m_findText->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    auto *findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(m_findText);

    m_wholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    m_wholeWord->setObjectName(QStringLiteral("WholeWord"));
    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));

    m_fields = new QGridLayout;
    m_fields->addWidget(findLabel, 0, 0);
    m_fields->addWidget(m_findText, 0, 1);
    auto *left = new QVBoxLayout;
    left->addLayout(m_fields);
    left->addSpacing(6);
    left->addWidget(m_wholeWord);
    left->addWidget(m_matchCase);
    left->addStretch(1);

    m_findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    m_findNext->setObjectName(QStringLiteral("FindNextButton"));
    m_findNext->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    m_buttons = new QVBoxLayout;
    m_buttons->addWidget(m_findNext);
    m_buttons->addWidget(m_cancel);
    m_buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_findNext, &QPushButton::clicked, this, &TFindDialog::findNext);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_findText, &QLineEdit::textChanged, this, [this] { updateButtons(); });
    updateButtons();
}

QPushButton *TFindDialog::addButton(const QString &text, const QString &objectName)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    m_buttons->insertWidget(m_buttons->indexOf(m_cancel), button);
    return button;
}

void TFindDialog::updateButtons()
{
    m_findNext->setEnabled(!m_findText->text().isEmpty());
}

QString TFindDialog::findText() const
{
    return m_findText->text();
}

void TFindDialog::setFindText(const QString &text)
{
    m_findText->setText(text);
}

Search::Options TFindDialog::options() const
{
    Search::Options options;
    options.setFlag(Search::WholeWord, m_wholeWord->isChecked());
    options.setFlag(Search::MatchCase, m_matchCase->isChecked());
    return options;
}

void TFindDialog::setOptions(Search::Options options)
{
    m_wholeWord->setChecked(options.testFlag(Search::WholeWord));
    m_matchCase->setChecked(options.testFlag(Search::MatchCase));
}

void TFindDialog::present()
{
    show();
    raise();
    activateWindow();
    m_findText->setFocus();
    m_findText->selectAll();
}

TReplaceDialog::TReplaceDialog(QWidget *parent)
    : TFindDialog(Kind::Replace, parent)
{
    m_replaceText = new QLineEdit(this);
    m_replaceText->setObjectName(QStringLiteral("ReplaceText"));
    auto *replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
    replaceLabel->setBuddy(m_replaceText);
    fields()->addWidget(replaceLabel, 1, 0);
    fields()->addWidget(m_replaceText, 1, 1);
    // Tab goes from one text to the other before the options.
    setTabOrder(findEdit(), m_replaceText);

    m_replace = addButton(QStringLiteral("&Replace"), QStringLiteral("ReplaceOnceButton"));
    m_replaceAll = addButton(QStringLiteral("Replace &All"), QStringLiteral("ReplaceAllButton"));
    connect(m_replace, &QPushButton::clicked, this, &TReplaceDialog::replace);
    connect(m_replaceAll, &QPushButton::clicked, this, &TReplaceDialog::replaceAll);
    updateButtons();
}

QString TReplaceDialog::replaceText() const
{
    return m_replaceText->text();
}

void TReplaceDialog::setReplaceText(const QString &text)
{
    m_replaceText->setText(text);
}

void TReplaceDialog::updateButtons()
{
    TFindDialog::updateButtons();
    const bool any = !findText().isEmpty();
    m_replace->setEnabled(any);
    m_replaceAll->setEnabled(any);
}
