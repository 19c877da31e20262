// SPDX-License-Identifier: GPL-3.0-or-later
// The site-wide operations and the uploads: the parts of the site commands that work on the site's
// files rather than on its tree.
#include "base/productstrings.h"
#include "base/prompter.h"
#include "ftpform.h"
#include "replaceallform.h"
#include "sitecommands.h"
#include "sitehost.h"
#include "sitetree.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>

namespace {

void expandFolders(TSiteTree *tree, SiteNode *node)
{
    if (node->childCount() == 0)
        return;
    tree->expandNode(node);
    for (int i = 0; i < node->childCount(); ++i)
        expandFolders(tree, node->child(i));
}

} // namespace

QStringList SiteCommands::expandedPageFiles()
{
    if (SiteNode *pages = Site::section(m_model.root(), SiteSection::WebPages))
        expandFolders(SiteTree, pages);
    return SiteWide::pageFiles(m_model.root());
}

bool SiteCommands::runOverPages(const QStringList &files,
    const std::function<SiteWide::RunResult(const SiteWide::Progress &)> &work, SiteWide::RunResult &result)
{
    // An open page with unsaved edits would later write its old text over the run's work.
    if (!m_host.offerSavingPages(files))
        return false;
    showWait(true);
    m_host.showProgress(0, int(files.size()));
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    result = work([this, &sinceRepaint](int done, int total) {
        if (sinceRepaint.elapsed() >= 50 || done == total) {
            m_host.showProgress(done, total);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceRepaint.restart();
        }
        return true;
    });
    m_host.showProgress(0, 0);
    showWait(false);
    m_host.reloadPages(files);
    setSiteChanged(true);
    return true;
}

void SiteCommands::ReplaceAll1Click()
{
    expandedPageFiles();
    if (!ReplaceDialog2) {
        ReplaceDialog2 = new TReplaceAllForm(m_host.dialogParent());
        connect(ReplaceDialog2, &TReplaceAllForm::replaceAllRequested, this,
            &SiteCommands::ReplaceDialog2Replace);
    }
    ReplaceDialog2->show();
    ReplaceDialog2->raise();
    ReplaceDialog2->activateWindow();
    ReplaceDialog2->findEdit()->setFocus();
    ReplaceDialog2->findEdit()->selectAll();
}

void SiteCommands::ReplaceDialog2Replace(const SiteWide::ReplaceOptions &options)
{
    if (options.find.isEmpty())
        return;
    const QStringList files = expandedPageFiles();
    SiteWide::RunResult result;
    if (!runOverPages(
            files,
            [&](const SiteWide::Progress &progress) {
                return SiteWide::replaceAll(files, options, progress);
            },
            result))
        return;
    m_host.prompter().message(Product::caption(), SiteWide::replaceMessage(options.find, result),
        PromptButtons::Ok, result.failed.isEmpty() ? PromptIcon::Information : PromptIcon::Warning);
}

void SiteCommands::StripTags2Click()
{
    if (m_host.prompter().message(Product::caption(),
            QStringLiteral(
                "This will remove all tags from all the HTML files in the current site. This will remove any formatting effects, controls and page settings. Are you sure you want to continue?"),
            PromptButtons::YesNo, PromptIcon::Exclamation)
        != PromptAnswer::Yes)
        return;
    const QStringList files = expandedPageFiles();
    SiteWide::RunResult result;
    if (!runOverPages(
            files, [&](const SiteWide::Progress &progress) { return SiteWide::stripAll(files, progress); },
            result))
        return;
    m_host.prompter().message(Product::caption(), SiteWide::stripMessage(result), PromptButtons::Ok,
        result.failed.isEmpty() ? PromptIcon::Information : PromptIcon::Warning);
}

std::unique_ptr<SiteNode> SiteCommands::tableOfContents()
{
    expandedPageFiles();
    showWait(true);
    std::unique_ptr<SiteNode> tree = SiteWide::tableOfContents(m_model.root(), SiteWide::pageTitle);
    showWait(false);
    return tree;
}

void SiteCommands::Upload1Click()
{
    const std::optional<QString> file = m_host.activeFilePath();
    if (!file) {
        m_host.prompter().message(QStringLiteral("Error"),
            QStringLiteral("This page has never been saved, so there is no file to upload. Save it first."),
            PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    TFTPForm form(m_host.prompter(), FtpMode::SingleFile, siteRoot(), m_host.dialogParent());
    form.setAvailableFiles({});
    form.setToSend({ *file });
    form.exec();
}

void SiteCommands::SiteUploadClick()
{
    SiteNode *node = SiteTree->selectedNode();
    if (!node || (node->icon() != SiteIcon::FtpProfile && node->icon() != SiteIcon::NewFtpProfile)) {
        node = nullptr;
        if (SiteNode *sites = Site::section(m_model.root(), SiteSection::FtpSites)) {
            SiteTree->expandNode(sites);
            for (int i = 0; i < sites->childCount() && !node; ++i) {
                if (sites->child(i)->icon() == SiteIcon::NewFtpProfile)
                    node = sites->child(i);
            }
        }
    }
    if (!node)
        return;
    SiteTree->selectNode(node);
    openFtpForm(node);
}

void SiteCommands::openFtpForm(SiteNode *node)
{
    TFTPForm form(m_host.prompter(), FtpMode::Site, siteRoot(), m_host.dialogParent());
    form.setAvailableFiles(FtpPlan::siteFiles(m_model.root()));
    if (node->icon() == SiteIcon::FtpProfile)
        form.setProfile(Site::profileOf(*node));
    form.exec();
    if (!form.transmitted())
        return;
    if (node->icon() == SiteIcon::FtpProfile) {
        if (form.changed())
            storeProfile(node, form.settings());
        return;
    }
    if (node->icon() != SiteIcon::NewFtpProfile)
        return;
    if (m_host.prompter().message(QStringLiteral("Question"),
            QStringLiteral("Do you want to save this FTP profile?"), PromptButtons::YesNo,
            PromptIcon::Question)
        != PromptAnswer::Yes)
        return;
    SiteNode *sites = Site::section(m_model.root(), SiteSection::FtpSites);
    if (!sites)
        return;
    SiteNode *profile = SiteTree->addNode(sites, form.settings().hostName, SiteIcon::FtpProfile);
    SiteTree->selectNode(profile);
    storeProfile(profile, form.settings());
}

void SiteCommands::storeProfile(SiteNode *node, const FtpSettings &settings)
{
    SiteTree->setNodeText(node, settings.hostName);
    const QString lines[] = { QStringLiteral("Port: ") + settings.port,
        QStringLiteral("Path: ") + settings.path, QStringLiteral("User Name: ") + settings.userName,
        QStringLiteral("Password: ") + settings.password };
    for (int i = 0; i < 4; ++i) {
        if (i < node->childCount())
            SiteTree->setNodeText(node->child(i), lines[i]);
        else
            SiteTree->addNode(node, lines[i], SiteIcon::Root);
    }
    setSiteChanged(true);
}
