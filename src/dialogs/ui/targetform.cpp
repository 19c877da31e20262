// SPDX-License-Identifier: GPL-3.0-or-later
#include "targetform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

std::optional<TTargetForm::Link> TTargetForm::ask(CommandHost &host, QWidget *parent)
{
    TTargetForm form(host, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return Link { form.m_href->text(), form.m_target->currentText() };
}

TTargetForm::TTargetForm(CommandHost &host, QWidget *parent)
    : TDialogBase(host, parent, QStringLiteral("Target Page"), QStringLiteral("menus.html"))
{
    setObjectName(QStringLiteral("TargetForm"));
    auto *label1 = new QLabel(
        QStringLiteral("Enter the address of the page that this section of the image will link to:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    m_href = new QLineEdit(QStringLiteral("http://"), this);
    m_href->setObjectName(QStringLiteral("Href"));
    label1->setBuddy(m_href);
    auto *label2
        = new QLabel(QStringLiteral("Enter the frame, if any, that this page will be opened in:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setWordWrap(true);
    m_target = new QComboBox(this);
    m_target->setObjectName(QStringLiteral("Target"));
    m_target->setEditable(true);
    m_target->addItems({ QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_self"),
        QStringLiteral("_top") });
    m_target->setCurrentIndex(-1);
    m_target->setEditText(QString());
    label2->setBuddy(m_target);

    m_ok = buttonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setDefault(true);
    buttonBox()->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(m_href);
    layout->addSpacing(6);
    layout->addWidget(label2);
    layout->addWidget(m_target);
    layout->addStretch();
    layout->addWidget(buttonBox());
    setMinimumWidth(340);
    resize(sizeHint().expandedTo(QSize(340, 152)));

    connect(m_href, &QLineEdit::textChanged, this, &TTargetForm::HrefChange);
    m_href->setFocus();
    m_href->end(false);
    HrefChange();
}

void TTargetForm::HrefChange()
{
    m_ok->setEnabled(!m_href->text().isEmpty());
}
