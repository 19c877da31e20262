// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitecommands.h"

#include "base/documentfile.h"
#include "base/productstrings.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "base/ui/actionset.h"
#include "sitehost.h"
#include "sitetree.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

ActionId recentSite(int n)
{
    return ActionId(int(ActionId::RecentSite1) + n - 1);
}

QString folderOf(const QString &file)
{
    QString folder = QFileInfo(file).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString addFileFilter()
{
    QString filter = QStringLiteral(
        "GIF Files (*.gif)|*.gif|JPEG Files (*.jpg)|*.jpg|Bitmap Files (*.bmp)|*.bmp|Windows Meta Files (*.wmf)|*.wmf|HyperText Style Sheets (*.css)|*.css|All Files (*.*)|*.*");
    // Today's sites are mostly PNG, SVG and WebP; they stand before "All Files".
    const QString all = QStringLiteral("|All Files (*.*)|*.*");
    filter.insert(filter.size() - all.size(),
        QStringLiteral("|PNG Files (*.png)|*.png|SVG Files (*.svg)|*.svg|WebP Files (*.webp)|*.webp"));
    return filter;
}

} // namespace

SiteCommands::SiteCommands(SiteHost &host)
    : m_host(host)
{
    GetSectionTimer = new QTimer(this);
    GetSectionTimer->setObjectName(QStringLiteral("GetSectionTimer"));
    GetSectionTimer->setInterval(1);
    connect(GetSectionTimer, &QTimer::timeout, this, &SiteCommands::GetSectionTimerTimer);

    WaitText = new QLabel(QStringLiteral("Please Wait..."), m_host.dialogParent());
    WaitText->setObjectName(QStringLiteral("WaitText"));
    WaitText->setAlignment(Qt::AlignCenter);
    WaitText->setFrameShape(QFrame::Box);
    WaitText->setAutoFillBackground(true);
    WaitText->setMargin(12);
    WaitText->hide();
}

SiteCommands::~SiteCommands() = default;

QWidget *SiteCommands::createPane()
{
    auto *pane = new QWidget;
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QToolBar *bar = m_host.makeToolbar(ActionTable::ToolbarId::Site, pane);
    layout->addWidget(bar);

    SiteTree = new TSiteTree(m_model, pane);
    layout->addWidget(SiteTree, 1);
    connect(SiteTree, &TSiteTree::changed, this, [this] { setSiteChanged(true); });
    connect(SiteTree, &TSiteTree::nodeActivated, this, &SiteCommands::SiteTreeDblClick);
    connect(SiteTree, &TSiteTree::aboutToRemove, this, [this](SiteNode *node) {
        if (m_scanNode && node->contains(m_scanNode))
            stopAnchorScan();
    });
    return pane;
}

void SiteCommands::connectActions()
{
    const auto on = [this](ActionId id, auto handler) {
        connect(m_host.action(id), &QAction::triggered, this, handler);
    };
    on(ActionId::NewSite1, &SiteCommands::NewSite1Click);
    on(ActionId::NewSiteTool, &SiteCommands::NewSite1Click);
    on(ActionId::OpenSite1, &SiteCommands::OpenSiteClick);
    on(ActionId::OpenSiteTool, &SiteCommands::OpenSiteClick);
    on(ActionId::SaveSite1, [this] { SaveSiteButtonClick(); });
    on(ActionId::SaveSiteTool, [this] { SaveSiteButtonClick(); });
    on(ActionId::AddPage1, &SiteCommands::AddPageClick);
    on(ActionId::AddPageTool, &SiteCommands::AddPageClick);
    on(ActionId::AddFile1, &SiteCommands::AddFileClick);
    on(ActionId::AddFileTool, &SiteCommands::AddFileClick);
    on(ActionId::UseCurrent1, &SiteCommands::UseFileClick);
    on(ActionId::UseCurrentTool, &SiteCommands::UseFileClick);
    on(ActionId::DeleteFromSite1, &SiteCommands::DeleteFileClick);
    on(ActionId::DeleteTool, &SiteCommands::DeleteFileClick);
    on(ActionId::NewFolderTool, &SiteCommands::FolderClick);
    for (int n = 1; n <= RecentSites::count; ++n)
        on(recentSite(n), [this, n] { RecentSiteClick(n); });
    on(ActionId::ReplaceAll1, &SiteCommands::ReplaceAll1Click);
    on(ActionId::StripTags2, &SiteCommands::StripTags2Click);
    on(ActionId::Upload1, &SiteCommands::SiteUploadClick);
    on(ActionId::Upload, &SiteCommands::Upload1Click);
    on(ActionId::Upload2, &SiteCommands::Upload1Click);
    connect(m_host.menu(ActionTable::MenuId::Site), &QMenu::aboutToShow, this, &SiteCommands::Site1Click);
    // A page never saved has no file to send.
    for (ActionTable::MenuId id : { ActionTable::MenuId::File, ActionTable::MenuId::FilePagesPopup }) {
        connect(m_host.menu(id), &QMenu::aboutToShow, this, [this] {
            const bool saved = m_host.activeFilePath().has_value();
            m_host.action(ActionId::Upload)->setEnabled(saved);
            m_host.action(ActionId::Upload2)->setEnabled(saved);
        });
    }
    rebuildRecentSites();
}

void SiteCommands::Site1Click()
{
    const bool saved = !m_model.fileName().isEmpty() && QFileInfo::exists(m_model.fileName());
    for (ActionId id : { ActionId::SaveSite1, ActionId::AddPage1, ActionId::AddFile1, ActionId::UseCurrent1,
             ActionId::DeleteFromSite1, ActionId::ReplaceAll1, ActionId::StripTags2, ActionId::Upload1 })
        m_host.action(id)->setEnabled(saved);
}

void SiteCommands::rebuildRecentSites()
{
    const QStringList files = RecentSites::read(m_host.settings());
    bool any = false;
    for (int n = 1; n <= RecentSites::count; ++n) {
        QAction *a = m_host.action(recentSite(n));
        a->setText(RecentSites::menuCaption(n, files.at(n - 1)));
        // The item shows the file name; the status bar names its folder.
        a->setStatusTip(files.at(n - 1).isEmpty()
                ? QString()
                : QDir::toNativeSeparators(QFileInfo(files.at(n - 1)).absolutePath()));
        a->setVisible(!files.at(n - 1).isEmpty());
        any = any || a->isVisible();
    }
    m_host.menu(ActionTable::MenuId::RecentSites)->menuAction()->setEnabled(any);
}

void SiteCommands::addRecentSite(const QString &path)
{
    RecentSites::add(m_host.settings(), path);
    rebuildRecentSites();
}

void SiteCommands::setSiteChanged(bool changed)
{
    m_host.setSiteChanged(changed);
}

void SiteCommands::showWait(bool shown)
{
    if (!shown) {
        WaitText->hide();
        return;
    }
    WaitText->adjustSize();
    const QWidget *window = m_host.dialogParent();
    WaitText->move((window->width() - WaitText->width()) / 2, (window->height() - WaitText->height()) / 2);
    WaitText->show();
    WaitText->raise();
    WaitText->repaint();
}

void SiteCommands::statusNote(const QString &text)
{
    m_host.showStatusNote(text);
}

void SiteCommands::reportMissing(const QString &path)
{
    m_host.prompter().message(QStringLiteral("Error"), QStringLiteral("Cannot find file to open - ") + path,
        PromptButtons::Ok, PromptIcon::Stop);
}

bool SiteCommands::askSaveSite()
{
    if (!m_host.siteChanged())
        return true;
    const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Warning"),
        QStringLiteral("Site has changed. Save changes before closing?"), PromptButtons::YesNoCancel,
        PromptIcon::Warning);
    if (answer == PromptAnswer::Cancel)
        return false;
    // A save that was cancelled or failed must not let the changes go.
    return answer == PromptAnswer::No || SaveSiteButtonClick();
}

std::optional<QString> SiteCommands::askSiteFileName()
{
    const std::optional<QString> chosen = m_host.prompter().saveFileName({ QStringLiteral("Save Site"),
        QStringLiteral("Site Files (*.site)|*.site|All Files (*.*)|*.*"), QStringLiteral(".site"),
        QStringLiteral("Untitled"), m_model.isUnsaved() ? QString() : siteRoot() });
    if (!chosen)
        return std::nullopt;
    const QString file = QFileInfo(*chosen).absoluteFilePath();
    if (QFileInfo::exists(file)
        && m_host.prompter().message(QStringLiteral("Warning"),
               QStringLiteral("File already exists. Overwrite?"), PromptButtons::YesNo, PromptIcon::Warning)
            != PromptAnswer::Yes)
        return std::nullopt;
    return file;
}

bool SiteCommands::saveTo(const QString &path)
{
    showWait(true);
    const SaveResult result = m_model.save(path);
    showWait(false);
    if (!result.ok) {
        m_host.prompter().message(QStringLiteral("Error"),
            result.error + QStringLiteral("\nThe site keeps its changes."), PromptButtons::Ok,
            PromptIcon::Stop);
        return false;
    }
    setSiteChanged(false);
    addRecentSite(path);
    return true;
}

bool SiteCommands::SaveSiteButtonClick()
{
    if (!m_model.fileName().isEmpty())
        return saveTo(m_model.fileName());
    // Never saved: the user names the file, whose folder becomes the root, as the unsaved-site question does.
    const std::optional<QString> file = askSiteFileName();
    if (!file)
        return false;
    const QString oldRoot = siteRoot();
    if (m_model.isUnsaved())
        SiteTree->setNodeText(&m_model.root(), folderOf(*file));
    if (saveTo(*file))
        return true;
    SiteTree->setNodeText(&m_model.root(), oldRoot);
    return false;
}

bool SiteCommands::ensureSaved()
{
    if (!m_model.isUnsaved())
        return true;
    const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Warning"),
        QStringLiteral("You must save the site before you can add files to it. Save now?"),
        PromptButtons::YesNo, PromptIcon::Stop);
    if (answer == PromptAnswer::Yes) {
        if (const std::optional<QString> file = askSiteFileName()) {
            SiteTree->setNodeText(&m_model.root(), folderOf(*file));
            if (!saveTo(*file))
                SiteTree->setNodeText(&m_model.root(), Site::rootDirectory());
        }
    }
    return !m_model.isUnsaved();
}

void SiteCommands::NewSite1Click()
{
    const std::optional<QString> file = askSiteFileName();
    if (!file || !askSaveSite())
        return;
    showWait(true);
    const SaveResult result = m_model.create(*file);
    showWait(false);
    if (!result.ok) {
        m_host.prompter().message(QStringLiteral("Error"), result.error, PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    stopAnchorScan();
    SiteTree->rebuild();
    setSiteChanged(false);
    addRecentSite(*file);
}

void SiteCommands::OpenSiteClick()
{
    const std::optional<QString> file = m_host.prompter().openFileName({ QStringLiteral("Open Site"),
        QStringLiteral("Site Files (*.site;*.sit)|*.site;*.sit|All Files (*.*)|*.*"), QStringLiteral(".site"),
        QString(), QString() });
    if (!file || !askSaveSite())
        return;
    openSiteFile(*file);
}

bool SiteCommands::openSiteFile(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    showWait(true);
    const QString error = m_model.open(file);
    showWait(false);
    if (!error.isEmpty()) {
        m_host.prompter().message(QStringLiteral("Site File Error"),
            error + QStringLiteral("\nThe open site stays as it was."), PromptButtons::Ok, PromptIcon::Stop);
        return false;
    }
    stopAnchorScan();
    SiteTree->rebuild();
    // The pages are what a site is opened for: their section shows open, as adding them left it.
    if (SiteNode *pages = Site::section(m_model.root(), SiteSection::WebPages);
        pages && pages->childCount() > 0)
        SiteTree->expandNode(pages);

    bool changed = false;
    if (!QFileInfo(siteRoot()).isDir()) {
        // A site moved with its files: the folder that holds the site file is its root now.
        if (const std::optional<QString> moved = Site::movedRoot(m_model.root(), file)) {
            SiteTree->setNodeText(&m_model.root(), *moved);
            statusNote(QStringLiteral(
                "The site's root directory was not found; the folder of the site file is used instead."));
            changed = true;
        } else {
            m_host.prompter().message(QStringLiteral("Site File Error"),
                QStringLiteral(
                    "The directory referred to as the root directory of the site does not exist\nPlease select another folder for the root directory"),
                PromptButtons::Ok, PromptIcon::Stop);
            const std::optional<QString> folder = m_host.prompter().folderName(
                QStringLiteral("Select the new root directory for the site:"), folderOf(file));
            if (folder) {
                SiteTree->setNodeText(&m_model.root(), withSlash(*folder));
                changed = true;
            }
        }
    }
    setSiteChanged(changed);
    addRecentSite(file);
    return true;
}

void SiteCommands::RecentSiteClick(int n)
{
    if (!askSaveSite())
        return;
    const QString file = RecentSites::read(m_host.settings()).value(n - 1);
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        m_host.prompter().message(QStringLiteral("Error"), QStringLiteral("Cannot find file to open"),
            PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    openSiteFile(file);
}

void SiteCommands::AddPageClick()
{
    if (!ensureSaved())
        return;
    const std::optional<QStringList> files = m_host.prompter().openFileNames({ QStringLiteral("Add Page"),
        QStringLiteral("HTML Files (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*"), QStringLiteral(".html"),
        QString(), siteRoot() });
    if (!files || files->isEmpty())
        return;
    for (const QString &file : *files) {
        const SitePlacement placement = Site::pagePlacement(m_model.root(), SiteTree->selectedNode());
        SiteTree->expandNode(placement.parent);
        SiteNode *page
            = SiteTree->addNode(placement.parent, Site::nodeText(siteRoot(), file), SiteIcon::Page);
        SiteTree->selectNode(page);
        const LoadedDocument loaded = DocumentFile::load(file);
        if (loaded.ok) {
            for (const QString &name : AnchorScan::all(loaded.text))
                SiteTree->addNode(page, name, SiteIcon::Anchor);
        }
        setSiteChanged(true);
    }
}

void SiteCommands::AddFileClick()
{
    if (!ensureSaved())
        return;
    const std::optional<QStringList> files = m_host.prompter().openFileNames(
        { QStringLiteral("Add File"), addFileFilter(), QStringLiteral(".gif"), QString(), siteRoot() });
    if (!files || files->isEmpty())
        return;
    for (const QString &file : *files) {
        const int icon = Site::addedFileIcon(file);
        const SitePlacement placement = Site::filePlacement(m_model.root(), SiteTree->selectedNode(), icon);
        SiteTree->expandNode(placement.parent);
        SiteTree->addNode(placement.parent, Site::nodeText(siteRoot(), file), icon);
        setSiteChanged(true);
    }
}

void SiteCommands::UseFileClick()
{
    if (!m_host.activePageText())
        return;
    std::optional<QString> file = m_host.activeFilePath();
    if (!file) {
        if (m_host.prompter().message(QStringLiteral("Warning"),
                QStringLiteral("You must save the file before it can be added to the site. Save now?"),
                PromptButtons::YesNo, PromptIcon::Stop)
            == PromptAnswer::Yes)
            file = m_host.saveActivePageAs();
        if (!file)
            return;
    }
    if (!ensureSaved())
        return;
    SiteNode *pages = Site::section(m_model.root(), SiteSection::WebPages);
    SiteTree->expandNode(pages);
    SiteNode *node = SiteTree->addNode(pages, Site::nodeText(siteRoot(), *file), SiteIcon::Page);
    SiteTree->selectNode(node);
    // The scan reads its own copy of the text and fills the node it started for, whatever happens meanwhile.
    stopAnchorScan();
    m_scan = std::make_unique<AnchorScan>(m_host.activePageText().value_or(QString()));
    m_scanNode = node;
    GetSectionTimer->start();
    setSiteChanged(true);
}

void SiteCommands::GetSectionTimerTimer()
{
    const std::optional<QString> name = m_scan && m_scanNode ? m_scan->next() : std::nullopt;
    if (!name) {
        stopAnchorScan();
        return;
    }
    SiteTree->addNode(m_scanNode, *name, SiteIcon::Anchor);
}

void SiteCommands::stopAnchorScan()
{
    GetSectionTimer->stop();
    m_scan.reset();
    m_scanNode = nullptr;
}

void SiteCommands::FolderClick()
{
    SiteNode *parent = Site::newFolderParent(m_model.root(), SiteTree->selectedNode());
    if (!parent)
        return;
    SiteTree->expandNode(parent);
    SiteNode *folder
        = SiteTree->addNode(parent, QStringLiteral("New Folder"), SiteIcon::Folder, SiteIcon::OpenFolder, 0);
    setSiteChanged(true);
    SiteTree->editNode(folder);
}

void SiteCommands::DeleteFileClick()
{
    SiteNode *node = SiteTree->selectedNode();
    if (!Site::canDelete(node))
        return;
    SiteTree->removeNode(node);
    setSiteChanged(true);
}

void SiteCommands::SiteTreeDblClick(SiteNode *node)
{
    if (!node)
        return;
    const int icon = node->icon();
    const bool file = icon == SiteIcon::Page || icon == SiteIcon::Gif || icon == SiteIcon::Jpeg
        || icon == SiteIcon::StyleSheet;
    const QString path = file ? Site::absolutePath(siteRoot(), node->text()) : QString();
    if (file && !QFileInfo::exists(path)) {
        reportMissing(path);
        return;
    }
    switch (icon) {
    case SiteIcon::Page:
        m_host.openPage(path);
        break;
    case SiteIcon::Gif:
    case SiteIcon::Jpeg: {
        const QString editor = m_host.settings().readString(Settings::ImageEditor);
        if (!editor.isEmpty())
            QProcess::startDetached(editor, { path }, QFileInfo(editor).absolutePath());
        break;
    }
    case SiteIcon::StyleSheet:
        statusNote(QStringLiteral("The style sheet editor is not available yet."));
        break;
    case SiteIcon::FtpProfile:
    case SiteIcon::NewFtpProfile:
        openFtpForm(node);
        break;
    default:
        break;
    }
}
