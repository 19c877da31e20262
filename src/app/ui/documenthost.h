// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/ui/editorhost.h"

class TDocumentPage;

// What the page commands need of the window beyond an editor command's needs: the window-wide state a
// page change, a new page or a save touches. The main window implements it.
class DocumentHost : public EditorHost
{
public:
    // The editor settings (font, colours, word wrap) reach the page's editor; the first time, the
    // window's handlers of the editor are connected too.
    virtual void applyEditorSettings(TDocumentPage *page) = 0;
    // The page change made page the active one (null: none); HTMLSource and CurrentFileName follow.
    virtual void setHTMLSource(TDocumentPage *page) = 0;
    // The settings load of Refresh.
    virtual void loadSettings() = 0;
    // The window caption from the title box and the active file.
    virtual void updateCaption() = 0;
    virtual void markSaved() = 0;
    virtual void rebuildStyleList() = 0;
    // Start-up is complete once the hints reach the status bar; until then nothing takes the focus.
    virtual bool startupComplete() const = 0;

protected:
    ~DocumentHost() = default;
};
