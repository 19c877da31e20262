// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogcommands.h"

#include "base/errorguard.h"
#include "editor/ui/editorhost.h"
#include "imageform.h"
#include "redirectform.h"
#include "sectionform.h"
#include "tableform.h"

#include <QAction>

DialogCommands::DialogCommands(EditorHost &host)
    : m_host(host)
{ }

void DialogCommands::connectActions()
{
    connect(m_host.action(ActionId::Table), &QAction::triggered, this, &DialogCommands::TableClick);
    connect(m_host.action(ActionId::Table1), &QAction::triggered, this, &DialogCommands::TableClick);
    connect(m_host.action(ActionId::Image), &QAction::triggered, this, &DialogCommands::ImageClick);
    connect(m_host.action(ActionId::Anchor1), &QAction::triggered, this, &DialogCommands::ReferenceClick);
    connect(m_host.action(ActionId::Anchor2), &QAction::triggered, this, &DialogCommands::ReferenceClick);
    connect(m_host.action(ActionId::Redirect1), &QAction::triggered, this, &DialogCommands::RedirectClick);
}

bool DialogCommands::canOpen() const
{
    return m_host.activeBuffer() && !m_host.editorBusy().isSet();
}

void DialogCommands::TableClick()
{
    if (canOpen())
        TTableForm::run(m_host);
}

void DialogCommands::ImageClick()
{
    if (canOpen())
        TImageForm::run(m_host);
}

void DialogCommands::ReferenceClick()
{
    if (canOpen())
        TSectionForm::run(m_host);
}

void DialogCommands::RedirectClick()
{
    if (canOpen())
        TRedirectForm::run(m_host);
}
