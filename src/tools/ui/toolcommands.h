// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class EditorHost;
class ToolHost;

// The Tools menu's commands and their kin: Check HTML, the link analyser, download speeds, the text file
// conversions and Open From Web. The main window owns it.
class ToolCommands : public QObject
{
    Q_OBJECT
public:
    ToolCommands(EditorHost &host, ToolHost &pages);

    void connectActions();

    void CheckHTMLClick();
    void LinkAnalyser1Click();
    void DownloadSpeeds1Click();
    void ConvertTextFile1Click();
    void ImportTextFile1Click();
    void ImportHTMLFile1Click();
    void OpenfromWeb1Click();

private:
    // The active page's file, empty for a page never saved.
    QString documentFile() const;
    // A text file chosen and read; nothing on Cancel or when it cannot be read (the user is told why).
    std::optional<std::pair<QString, QString>> askTextFile();

    EditorHost &m_host;
    ToolHost &m_pages;
};
