// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/ui/commandhost.h"

#include <QStringList>

#include <optional>

// What the site commands need of the window beyond every command's needs: the open pages and the site's
// changed mark. The main window implements it.
class SiteHost : public CommandHost
{
public:
    // The active page's text; nothing when no page is open.
    virtual std::optional<QString> activePageText() const = 0;
    // The active page's file; nothing for a page never saved or when no page is open.
    virtual std::optional<QString> activeFilePath() const = 0;
    // Offers Save As for the active page; its file afterwards, or nothing.
    virtual std::optional<QString> saveActivePageAs() = 0;
    // Opens the file into a page (or shows the page that has it), within the page limit.
    virtual void openPage(const QString &path) = 0;
    // SiteChanged, shown in status panel 2.
    virtual bool siteChanged() const = 0;
    virtual void setSiteChanged(bool changed) = 0;
    // Before a run that rewrites files: each open page of one of them with unsaved changes is offered
    // for saving; false when the user cancels.
    virtual bool offerSavingPages(const QStringList &files) = 0;
    // After it: the open pages of those files without unsaved changes show the files' new text.
    virtual void reloadPages(const QStringList &files) = 0;
    // The status bar's progress bar: shown with done of total, hidden when total is 0.
    virtual void showProgress(int done, int total) = 0;

protected:
    ~SiteHost() = default;
};
