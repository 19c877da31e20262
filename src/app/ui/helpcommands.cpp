// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpcommands.h"

#include "app/manual.h"
#include "base/productstrings.h"
#include "base/prompter.h"
#include "documenthost.h"
#include "helpform.h"

#include <QAction>
#include <QDesktopServices>

HelpCommands::HelpCommands(DocumentHost &host)
    : m_host(host)
    , m_openExternal([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{ }

HelpCommands::~HelpCommands()
{
    delete m_form;
}

void HelpCommands::connectActions()
{
    connect(m_host.action(ActionId::Contents1), &QAction::triggered, this, &HelpCommands::ContentsClick);
    connect(m_host.action(ActionId::SearchforHelpOn1), &QAction::triggered, this,
        &HelpCommands::SearchforHelpOnClick);
}

void HelpCommands::ContentsClick()
{
    showPage(Manual::contentsPage());
}

void HelpCommands::SearchforHelpOnClick()
{
    showPage(Manual::searchPage());
}

void HelpCommands::showPage(const QString &page)
{
    const QString file = Manual::localPage(m_host.programFolder(), page);
    if (file.isEmpty()) {
        const QUrl online = Manual::onlineUrl(page);
        if (!m_openExternal(online))
            m_host.prompter().message(Product::caption(),
                QStringLiteral(
                    "The user manual is not installed, and no web browser could be started for %1.")
                    .arg(online.toString()),
                PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    if (!m_form)
        m_form = new THelpForm(m_host.dialogParent(), m_openExternal);
    m_form->showFile(file);
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
}

THelpForm *HelpCommands::helpForm() const
{
    return m_form;
}
