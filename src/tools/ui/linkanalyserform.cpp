// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ui/linkanalyserform.h"

#include "base/prompter.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QIcon stateIcon(LinkAnalyser::State state, const QStyle *style)
{
    switch (state) {
    case LinkAnalyser::State::Ok:
        return style->standardIcon(QStyle::SP_DialogApplyButton);
    case LinkAnalyser::State::Broken:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case LinkAnalyser::State::External:
        break;
    }
    return style->standardIcon(QStyle::SP_DriveNetIcon);
}

QString stateName(LinkAnalyser::State state)
{
    switch (state) {
    case LinkAnalyser::State::Ok:
        return QStringLiteral("OK");
    case LinkAnalyser::State::Broken:
        return QStringLiteral("Broken");
    case LinkAnalyser::State::External:
        break;
    }
    return QStringLiteral("External");
}

} // namespace

TLinkAnalyserForm::TLinkAnalyserForm(
    const QString &text, const QString &documentFile, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_report(LinkAnalyser::analyse(text, documentFile))
    , m_opener([](const QString &address) { QDesktopServices::openUrl(QUrl(address)); })
{
    setObjectName(QStringLiteral("LinkAnalyserForm"));
    setWindowTitle(QStringLiteral("Link Analyser"));

    LinkList = new QTreeWidget(this);
    LinkList->setObjectName(QStringLiteral("LinkList"));
    LinkList->setToolTip(QStringLiteral("Links in current file"));
    LinkList->setRootIsDecorated(false);
    LinkList->setHeaderLabels(
        { QStringLiteral("Present"), QStringLiteral("File Name"), QStringLiteral("Location") });
    for (const LinkAnalyser::Link &link : std::as_const(m_report.links)) {
        auto *row = new QTreeWidgetItem(LinkList, { QString(), link.fileName, link.location });
        row->setIcon(0, stateIcon(link.state, style()));
        row->setToolTip(0, stateName(link.state));
        row->setData(0, Qt::AccessibleTextRole, stateName(link.state));
        row->setData(0, Qt::UserRole, int(link.state));
    }
    LinkList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    LinkList->header()->resizeSection(1, 180);
    LinkList->setMinimumHeight(140);

    TotalLinksLabel = new QLabel(LinkAnalyser::totalText(m_report.total), this);
    TotalLinksLabel->setObjectName(QStringLiteral("TotalLinksLabel"));
    OKLinksLabel = new QLabel(LinkAnalyser::okText(m_report.ok), this);
    OKLinksLabel->setObjectName(QStringLiteral("OKLinksLabel"));
    BrokenLinksLabel = new QLabel(LinkAnalyser::brokenText(m_report.broken), this);
    BrokenLinksLabel->setObjectName(QStringLiteral("BrokenLinksLabel"));
    ExternalLinksLabel = new QLabel(LinkAnalyser::externalText(m_report.external), this);
    ExternalLinksLabel->setObjectName(QStringLiteral("ExternalLinksLabel"));

    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    Check = new QPushButton(QStringLiteral("Check Now..."), this);
    Check->setObjectName(QStringLiteral("Check"));
    Check->setToolTip(QStringLiteral("Load the file specified by an external link to check if it works"));
    Check->setEnabled(false);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Check, &QPushButton::clicked, this, &TLinkAnalyserForm::CheckClick);
    connect(LinkList, &QTreeWidget::currentItemChanged, this, &TLinkAnalyserForm::LinkListChange);
    connect(LinkList, &QTreeWidget::itemSelectionChanged, this, &TLinkAnalyserForm::LinkListChange);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Check);
    buttons->addWidget(OK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LinkList, 1);
    layout->addWidget(TotalLinksLabel);
    layout->addWidget(OKLinksLabel);
    layout->addWidget(BrokenLinksLabel);
    layout->addWidget(ExternalLinksLabel);
    layout->addLayout(buttons);
    resize(520, 380);
}

void TLinkAnalyserForm::LinkListChange()
{
    const QTreeWidgetItem *row = LinkList->currentItem();
    Check->setEnabled(
        row && row->isSelected() && row->data(0, Qt::UserRole).toInt() == int(LinkAnalyser::State::External));
}

void TLinkAnalyserForm::CheckClick()
{
    QTreeWidgetItem *row = LinkList->currentItem();
    if (!row || !Check->isEnabled())
        return;
    const LinkAnalyser::Link &link = m_report.links[LinkList->indexOfTopLevelItem(row)];
    const QString address = LinkAnalyser::openableAddress(link);
    if (address.isEmpty()) {
        m_prompter.message(QStringLiteral("Link Analyser"),
            QStringLiteral("Only web, FTP and e-mail addresses are opened from here.\n") + link.address
                + QStringLiteral(" is not one."),
            PromptButtons::Ok, PromptIcon::Warning);
        return;
    }
    m_opener(address);
}
