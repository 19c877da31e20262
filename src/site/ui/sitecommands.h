// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "site/ftpupload.h"
#include "site/sitefile.h"
#include "site/sitewide.h"

#include <QObject>
#include <QString>

#include <functional>

#include <memory>
#include <optional>

class QLabel;
class QTimer;
class QWidget;
class SiteHost;
class TFTPForm;
class TReplaceAllForm;
class TSiteTree;

// The site commands: the Site menu, the site toolbar and the tree's events, over the open site's model.
// The main window owns it, shows its pane on the "Site Management" page and forwards its close question.
class SiteCommands : public QObject
{
    Q_OBJECT
public:
    explicit SiteCommands(SiteHost &host);
    ~SiteCommands() override;

    // The toolbar above the tree and the tree, for the left pane.
    QWidget *createPane();
    // Connects the Site menu's and the site toolbar's commands.
    void connectActions();

    // Opens a site file (the Open dialog, the recent sites, the command line, a file dropped on the
    // editor); false when the file could not be read, the open site then being left as it was.
    bool openSiteFile(const QString &path);
    // The save-site question, asked when the site has changed; false when the user cancels.
    bool askSaveSite();
    QString siteRoot() const { return m_model.root().text(); }
    QString siteFileName() const { return m_model.fileName(); }
    TSiteTree *tree() const { return SiteTree; }
    const SiteModel &model() const { return m_model; }
    void rebuildRecentSites();

    void NewSite1Click();
    void OpenSiteClick();
    // Saves to the site's file; a site never saved asks for a file first. False when nothing was saved.
    bool SaveSiteButtonClick();
    void RecentSiteClick(int n);
    void AddPageClick();
    void AddFileClick();
    void UseFileClick();
    void FolderClick();
    void DeleteFileClick();
    void SiteTreeDblClick(SiteNode *node);
    void Site1Click();
    // One anchor of the page Use Current added, per tick; stops itself when there are no more.
    void GetSectionTimerTimer();
    QTimer *getSectionTimer() const { return GetSectionTimer; }

    // The site-wide operations over the pages of the "Web Pages" section.
    void ReplaceAll1Click();
    void ReplaceDialog2Replace(const SiteWide::ReplaceOptions &options);
    void StripTags2Click();
    // The table of contents the tree wizard is handed, titles read from the page files.
    std::unique_ptr<SiteNode> tableOfContents();
    TReplaceAllForm *replaceDialog() const { return ReplaceDialog2; }

    // Single-file upload of the active page's file (File menu and the page tabs' menu).
    void Upload1Click();
    // Site upload from the Site menu: the selected profile's, or a new profile's.
    void SiteUploadClick();
    // Site mode from a profile node or "New FTP Profile"; the profile is stored back afterwards.
    void openFtpForm(SiteNode *node);

private:
    void setSiteChanged(bool changed);
    // The unsaved-site question; true when the site has a root folder afterwards.
    bool ensureSaved();
    // The Save Site dialog and, for an existing file, the overwrite question; nothing when refused.
    std::optional<QString> askSiteFileName();
    bool saveTo(const QString &path);
    void addRecentSite(const QString &path);
    void showWait(bool shown);
    void stopAnchorScan();
    void reportMissing(const QString &path);
    void statusNote(const QString &text);
    // Every page node of the section expanded in the tree, then their files in tree order.
    QStringList expandedPageFiles();
    // Offers open pages for saving, runs work with the wait note and the progress bar, reloads the
    // open pages and marks the site changed. False when the user cancelled before the run.
    bool runOverPages(const QStringList &files,
        const std::function<SiteWide::RunResult(const SiteWide::Progress &)> &work,
        SiteWide::RunResult &result);
    void storeProfile(SiteNode *node, const FtpSettings &settings);

    SiteHost &m_host;
    SiteModel m_model;
    TSiteTree *SiteTree = nullptr;
    QLabel *WaitText = nullptr;
    QTimer *GetSectionTimer = nullptr;
    TReplaceAllForm *ReplaceDialog2 = nullptr;
    std::unique_ptr<AnchorScan> m_scan;
    SiteNode *m_scanNode = nullptr;
};
