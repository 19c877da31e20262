// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class EditorHost;

// The Insert menu items and HTML toolbar buttons that open the tag dialogs. Each dialog has a static
// entry point taking the host; this unit only connects the window's actions to them. Owned by the main
// window.
class DialogCommands : public QObject
{
    Q_OBJECT
public:
    explicit DialogCommands(EditorHost &host);

    void connectActions();

    void TableClick();
    void ImageClick();
    void ReferenceClick();
    void RedirectClick();

private:
    // False while another operation holds the editor or no page is open.
    bool canOpen() const;

    EditorHost &m_host;
};
