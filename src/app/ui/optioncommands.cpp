// SPDX-License-Identifier: GPL-3.0-or-later
#include "optioncommands.h"

#include "base/errorguard.h"
#include "docform.h"
#include "documentcommands.h"
#include "documenthost.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "settingsform.h"
#include "tipform.h"

#include <QAction>

namespace {

// Whatever way the settings dialog ends, failures included, the window's settings and the active page's
// colours follow what the store now holds.
class SettingsReload
{
public:
    explicit SettingsReload(DocumentHost &host)
        : m_host(host)
    { }
    ~SettingsReload()
    {
        m_host.loadSettings();
        if (EditorBuffer *buffer = m_host.activeBuffer())
            m_host.FormatTags(0, buffer->length());
    }
    SettingsReload(const SettingsReload &) = delete;
    SettingsReload &operator=(const SettingsReload &) = delete;

private:
    DocumentHost &m_host;
};

} // namespace

OptionCommands::OptionCommands(DocumentHost &host, DocumentCommands &documents)
    : m_host(host)
    , m_documents(documents)
{ }

void OptionCommands::connectActions()
{
    connect(m_host.action(ActionId::Settings1), &QAction::triggered, this, &OptionCommands::Settings1Click);
    connect(
        m_host.action(ActionId::DocumentOptions), &QAction::triggered, this, &OptionCommands::DocumentClick);
    connect(
        m_host.action(ActionId::TipoftheDay1), &QAction::triggered, this, &OptionCommands::TipoftheDay1Click);
}

void OptionCommands::runSettings(SettingsPage page)
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 35, [this, page] {
        const SettingsReload reload(m_host);
        TSettingsForm form(m_host, m_host.dialogParent());
        form.showPage(page);
        form.exec();
    });
}

void OptionCommands::Settings1Click()
{
    runSettings(SettingsPage::Colors);
}

void OptionCommands::DocumentClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 34, [this] {
        if (!m_host.activeBuffer())
            return;
        TDocForm form(m_host, m_documents, m_host.dialogParent());
        form.exec();
        if (EditorBuffer *buffer = m_host.activeBuffer())
            m_host.FormatTags(0, buffer->length());
    });
}

void OptionCommands::TipoftheDay1Click()
{
    TTipForm form(m_host.settings(), m_host.programFolder(), m_host.dialogParent());
    form.exec();
    if (m_host.activeEditor() && m_host.activeEditor()->isVisible())
        m_host.activeEditor()->setFocus();
}
