// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeform.h"

#include "base/ui/icons.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCodeForm::TCodeForm(QWidget *parent, const CodeSections::Section &section)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CodeForm"));
    setWindowTitle(QStringLiteral("Common Code Section Wizard"));

    auto *picture = new QLabel;
    picture->setPixmap(Icons::icon(QStringLiteral("code-section")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picture->setMinimumWidth(64);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const auto memo = [&](const char *name, const QString &text, const QString &hint) {
        auto *edit = new QPlainTextEdit;
        edit->setObjectName(QString::fromLatin1(name));
        edit->setFont(fixed);
        edit->setPlainText(text);
        edit->setToolTip(hint);
        edit->setStatusTip(hint);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setTabChangesFocus(true);
        return edit;
    };
    Start = memo("Start", section.start, QStringLiteral("Tags to be inserted before the selected text"));
    End = memo("End", section.end, QStringLiteral("Tags to be inserted after the selected text"));
    auto *startLabel = new QLabel(QStringLiteral("Starting Tag:"));
    startLabel->setBuddy(Start);
    auto *endLabel = new QLabel(QStringLiteral("Closing Tag"));
    endLabel->setBuddy(End);

    auto *page = new QVBoxLayout;
    page->addWidget(startLabel);
    page->addWidget(Start, 1);
    page->addWidget(endLabel);
    page->addWidget(End, 1);

    auto *buttons = new QDialogButtonBox;
    QPushButton *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    // Finish stays the default button whichever button has the focus.
    cancel->setAutoDefault(false);
    QPushButton *finish = buttons->addButton(QStringLiteral("Finish"), QDialogButtonBox::AcceptRole);
    finish->setObjectName(QStringLiteral("FinishButton"));
    finish->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *body = new QHBoxLayout;
    body->addWidget(picture);
    body->addLayout(page, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(420, 360);
    // The dialog gives the focus to its buttons as it shows; the user starts typing in Start.
    QMetaObject::invokeMethod(Start, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
}

CodeSections::Section TCodeForm::section() const
{
    return { Start->toPlainText(), End->toPlainText() };
}

std::optional<CodeSections::Section> TCodeForm::edit(QWidget *parent, const CodeSections::Section &section)
{
    TCodeForm dialog(parent, section);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.section();
}
