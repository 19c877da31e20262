// SPDX-License-Identifier: GPL-3.0-or-later
#include "replaceallform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TReplaceAllForm::TReplaceAllForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ReplaceDialog2"));
    setWindowTitle(QStringLiteral("Replace in All Pages"));

    FindText = new QLineEdit(this);
    FindText->setObjectName(QStringLiteral("FindText"));
    ReplaceText = new QLineEdit(this);
    ReplaceText->setObjectName(QStringLiteral("ReplaceText"));
    WholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    WholeWord->setObjectName(QStringLiteral("WholeWord"));
    MatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    MatchCase->setObjectName(QStringLiteral("MatchCase"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Fi&nd what:"), FindText);
    form->addRow(QStringLiteral("Re&place with:"), ReplaceText);

    auto *note = new QLabel(
        QStringLiteral("Every page of the site's \"Web Pages\" section is searched and written back."), this);
    note->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    ReplaceAll = buttons->addButton(QStringLiteral("Replace &All"), QDialogButtonBox::AcceptRole);
    ReplaceAll->setObjectName(QStringLiteral("ReplaceAll"));
    ReplaceAll->setDefault(true);
    ReplaceAll->setEnabled(false);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("CloseButton"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(WholeWord);
    layout->addWidget(MatchCase);
    layout->addWidget(note);
    layout->addStretch(1);
    layout->addWidget(buttons);

    // An empty find text would match nowhere useful: the button waits for one.
    connect(FindText, &QLineEdit::textChanged, this,
        [this](const QString &text) { ReplaceAll->setEnabled(!text.isEmpty()); });
    connect(ReplaceAll, &QPushButton::clicked, this, [this] {
        if (!FindText->text().isEmpty())
            Q_EMIT replaceAllRequested(options());
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(380);
}

SiteWide::ReplaceOptions TReplaceAllForm::options() const
{
    return { FindText->text(), ReplaceText->text(), MatchCase->isChecked(), WholeWord->isChecked() };
}
