// SPDX-License-Identifier: GPL-3.0-or-later
#include "tipform.h"

#include "base/settingsstore.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TTipForm::TTipForm(SettingsStore &settings, const QString &programFolder, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_tips(Tips::load(Tips::path(programFolder)))
    , Tip(new QLabel(this))
    , ShowTips(new QCheckBox(QStringLiteral("&Show Tips at Startup"), this))
{
    setObjectName(QStringLiteral("TipForm"));
    setWindowTitle(QStringLiteral("Tip of the Day"));

    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto *heading = new QLabel(QStringLiteral("Did you know..."), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    Tip->setObjectName(QStringLiteral("Tip"));
    Tip->setWordWrap(true);
    Tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Tip->setTextFormat(Qt::PlainText);
    Tip->setMinimumSize(360, 90);

    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setBackgroundRole(QPalette::Base);
    panel->setAutoFillBackground(true);
    auto *text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(Tip, 1);
    auto *inner = new QHBoxLayout(panel);
    inner->addWidget(icon);
    inner->addLayout(text, 1);

    ShowTips->setObjectName(QStringLiteral("ShowTips"));
    ShowTips->setChecked(m_settings.readBool(Settings::ShowTips));
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton *next = buttons->addButton(QStringLiteral("&Next Tip"), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("Button1"));
    connect(ok, &QPushButton::clicked, this, &TTipForm::OKClick);
    connect(next, &QPushButton::clicked, this, &TTipForm::Button1Click);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(ShowTips);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(bottom);

    Tip->setText(m_tips.next());
}

QString TTipForm::tip() const
{
    return Tip->text();
}

void TTipForm::Button1Click()
{
    Tip->setText(m_tips.next());
}

void TTipForm::OKClick()
{
    m_settings.writeBool(Settings::ShowTips, ShowTips->isChecked());
    accept();
}
