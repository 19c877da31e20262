// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class DocumentCommands;
class DocumentHost;

// The window-wide option commands: the settings dialog, the Document Options wizard and the tip of the
// day. Other units open the settings dialog through runSettings. The main window owns it.
class OptionCommands : public QObject
{
    Q_OBJECT
public:
    OptionCommands(DocumentHost &host, DocumentCommands &documents);

    void connectActions();

    enum class SettingsPage { Colors, Template, Font, Programs, Advanced };
    // Runs the settings dialog on the page, then loads the settings and colours the active page whole.
    void runSettings(SettingsPage page);

    void Settings1Click();
    void DocumentClick();
    void TipoftheDay1Click();

private:
    DocumentHost &m_host;
    DocumentCommands &m_documents;
};
