// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the tools need of the window beyond an editor command's needs: a new page made from a text (Open
// From Web, Convert Text File). The main window implements it.
class ToolHost
{
public:
    // Opens text as a new untitled page marked modified, the caret after its BODY tag, coloured and
    // previewed. False when the page limit refused it.
    virtual bool openNewPage(const QString &text) = 0;

protected:
    ~ToolHost() = default;
};
