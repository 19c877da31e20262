// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitecommands.h"

#include "app/documentfile.h"
#include "app/productstrings.h"
#include "app/prompter.h"
#include "app/settingsstore.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/icons.h"
#include "app/ui/mainform.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "sitetree.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename Target> void applyHint(Target *target, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    target->setToolTip(bar < 0 ? hint : hint.left(bar));
    target->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
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
    return QStringLiteral(
        "GIF Files (*.gif)|*.gif|JPEG Files (*.jpg)|*.jpg|Bitmap Files (*.bmp)|*.bmp|Windows Meta Files (*.wmf)|*.wmf|HyperText Style Sheets (*.css)|*.css|All Files (*.*)|*.*");
}

} // namespace

SiteCommands::SiteCommands(TMainForm &form)
    : m_form(form)
{
    GetSectionTimer = new QTimer(this);
    GetSectionTimer->setObjectName(QStringLiteral("GetSectionTimer"));
    GetSectionTimer->setInterval(1);
    connect(GetSectionTimer, &QTimer::timeout, this, &SiteCommands::GetSectionTimerTimer);

    WaitText = new QLabel(QStringLiteral("Please Wait..."), &m_form);
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

    auto *bar = new QToolBar(QStringLiteral("Site"), pane);
    bar->setObjectName(QStringLiteral("SiteToolbar"));
    bar->setIconSize(QSize(16, 16));
    const struct
    {
        const char *button;
        const char *icon;
        const char *hint;
        void (SiteCommands::*handler)();
    } buttons[] = {
        { "NewSiteButton", "new", "New Site|Create a new site management file",
            &SiteCommands::NewSite1Click },
        { "OpenSiteButton", "open", "Open Site|Open an existing site management file",
            &SiteCommands::OpenSiteClick },
        { "SaveSiteButton", "save", "Save Site|Save the current site management file to disk", nullptr },
        { "AddPageButton", "add-page",
            "Add Page|Add an existing HTML file to the current site management file",
            &SiteCommands::AddPageClick },
        { "AddFileButton", "add-file",
            "Add File|Add an existing image or style sheet to the site management file",
            &SiteCommands::AddFileClick },
        { "NewFolderButton", "new-folder", "New Folder|Create a new sub-folder in the site management tree",
            &SiteCommands::FolderClick },
        { "UseCurrentButton", "use-current",
            "Use Current File|Add the current HTML file to the site management file",
            &SiteCommands::UseFileClick },
        { "DeleteButton", "delete", "Delete|Delete the selected file or folder",
            &SiteCommands::DeleteFileClick },
        { "PreviewButton", "preview", "Preview|Load the selected file", nullptr },
    };
    for (const auto &b : buttons) {
        QAction *a = bar->addAction(Icons::icon(QString::fromLatin1(b.icon)), QString());
        const QString name = QString::fromLatin1(b.button);
        a->setObjectName(name.chopped(6) + QStringLiteral("Tool"));
        applyHint(a, QString::fromLatin1(b.hint));
        bar->widgetForAction(a)->setObjectName(name);
        if (b.handler)
            connect(a, &QAction::triggered, this, b.handler);
    }
    connect(bar->actions().at(2), &QAction::triggered, this, [this] { SaveSiteButtonClick(); });
    // The preview of a selected file arrives with the internal preview.
    bar->actions().constLast()->setEnabled(false);
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

void SiteCommands::createMenus()
{
    SiteMenu = new QMenu(QStringLiteral("&Site"), &m_form);
    SiteMenu->setObjectName(QStringLiteral("Site1"));
    const auto item
        = [this](QMenu *menu, const char *name, const char *text, void (SiteCommands::*handler)()) {
              auto *a = new QAction(QString::fromLatin1(text), &m_form);
              a->setObjectName(QString::fromLatin1(name));
              if (handler)
                  connect(a, &QAction::triggered, this, handler);
              else
                  a->setEnabled(false); // arrives with its own feature
              menu->addAction(a);
              return a;
          };
    item(SiteMenu, "NewSite1", "&New...", &SiteCommands::NewSite1Click);
    item(SiteMenu, "OpenSite1", "&Open...", &SiteCommands::OpenSiteClick);
    QAction *save = item(SiteMenu, "SaveSite1", "&Save...", nullptr);
    save->setEnabled(true);
    connect(save, &QAction::triggered, this, [this] { SaveSiteButtonClick(); });
    RecentMenu = SiteMenu->addMenu(QStringLiteral("&Recent"));
    RecentMenu->setObjectName(QStringLiteral("RecentSites1"));
    for (int n = 1; n <= RecentSites::count; ++n) {
        auto *a = new QAction(RecentSites::menuCaption(n, QString()), &m_form);
        a->setObjectName(QStringLiteral("RecentSite") + QString::number(n));
        connect(a, &QAction::triggered, this, [this, n] { RecentSiteClick(n); });
        RecentMenu->addAction(a);
        m_recentSites.append(a);
    }
    SiteMenu->addSeparator();
    item(SiteMenu, "AddPage1", "Add &Page...", &SiteCommands::AddPageClick);
    item(SiteMenu, "AddFile1", "Add &File...", &SiteCommands::AddFileClick);
    item(SiteMenu, "UseCurrent1", "&Use Current", &SiteCommands::UseFileClick);
    item(SiteMenu, "DeleteFromSite1", "&Delete from Site", &SiteCommands::DeleteFileClick);
    SiteMenu->addSeparator();
    item(SiteMenu, "CreateTableOfContents1", "Create Table of &Contents...", nullptr);
    QMenu *global = SiteMenu->addMenu(QStringLiteral("&Global Operations"));
    global->setObjectName(QStringLiteral("GlobalOperations1"));
    item(global, "ReplaceAll1", "&Replace All...", nullptr);
    item(global, "StripTags1", "&Strip Tags", nullptr);
    global->menuAction()->setEnabled(false);
    item(SiteMenu, "Upload1", "&Upload...", nullptr);
    connect(SiteMenu, &QMenu::aboutToShow, this, &SiteCommands::Site1Click);

    QMenu *help = m_form.findChild<QMenu *>(QStringLiteral("Help1"));
    m_form.menuBar()->insertMenu(help ? help->menuAction() : nullptr, SiteMenu);
    rebuildRecentSites();
}

void SiteCommands::Site1Click()
{
    const bool saved = !m_model.fileName().isEmpty() && QFileInfo::exists(m_model.fileName());
    for (const char *name : { "SaveSite1", "AddPage1", "AddFile1", "UseCurrent1", "DeleteFromSite1" })
        m_form.action(QString::fromLatin1(name))->setEnabled(saved);
}

void SiteCommands::rebuildRecentSites()
{
    const QStringList files = RecentSites::read(m_form.settings());
    bool any = false;
    for (int n = 1; n <= RecentSites::count; ++n) {
        QAction *a = m_recentSites.at(n - 1);
        a->setText(RecentSites::menuCaption(n, files.at(n - 1)));
        a->setVisible(!files.at(n - 1).isEmpty());
        any = any || a->isVisible();
    }
    RecentMenu->menuAction()->setEnabled(any);
}

void SiteCommands::addRecentSite(const QString &path)
{
    RecentSites::add(m_form.settings(), path);
    rebuildRecentSites();
}

void SiteCommands::setSiteChanged(bool changed)
{
    m_form.setSiteChanged(changed);
}

void SiteCommands::showWait(bool shown)
{
    if (!shown) {
        WaitText->hide();
        return;
    }
    WaitText->adjustSize();
    WaitText->move((m_form.width() - WaitText->width()) / 2, (m_form.height() - WaitText->height()) / 2);
    WaitText->show();
    WaitText->raise();
    WaitText->repaint();
}

void SiteCommands::statusNote(const QString &text)
{
    m_form.statusBar()->showMessage(text, 6000);
}

void SiteCommands::reportMissing(const QString &path)
{
    m_form.prompter().message(QStringLiteral("Error"), QStringLiteral("Cannot find file to open - ") + path,
        PromptButtons::Ok, PromptIcon::Stop);
}

bool SiteCommands::askSaveSite()
{
    if (!m_form.siteChanged())
        return true;
    const PromptAnswer answer = m_form.prompter().message(QStringLiteral("Warning"),
        QStringLiteral("Site has changed. Save changes before closing?"), PromptButtons::YesNoCancel,
        PromptIcon::Warning);
    if (answer == PromptAnswer::Cancel)
        return false;
    // A save that was cancelled or failed must not let the changes go.
    return answer == PromptAnswer::No || SaveSiteButtonClick();
}

std::optional<QString> SiteCommands::askSiteFileName()
{
    const std::optional<QString> chosen = m_form.prompter().saveFileName({ QStringLiteral("Save Site"),
        QStringLiteral("Site Files (*.site)|*.site|All Files (*.*)|*.*"), QStringLiteral(".site"),
        QStringLiteral("Untitled"), m_model.isUnsaved() ? QString() : siteRoot() });
    if (!chosen)
        return std::nullopt;
    const QString file = QFileInfo(*chosen).absoluteFilePath();
    if (QFileInfo::exists(file)
        && m_form.prompter().message(QStringLiteral("Warning"),
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
        m_form.prompter().message(QStringLiteral("Error"),
            result.error + QStringLiteral("\nThe site keeps its changes."), PromptButtons::Ok,
            PromptIcon::Stop);
        return false;
    }
    setSiteChanged(false);
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
    const PromptAnswer answer = m_form.prompter().message(QStringLiteral("Warning"),
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
        m_form.prompter().message(QStringLiteral("Error"), result.error, PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    stopAnchorScan();
    SiteTree->rebuild();
    setSiteChanged(false);
}

void SiteCommands::OpenSiteClick()
{
    const std::optional<QString> file = m_form.prompter().openFileName({ QStringLiteral("Open Site"),
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
        m_form.prompter().message(QStringLiteral("Site File Error"),
            error + QStringLiteral("\nThe open site stays as it was."), PromptButtons::Ok, PromptIcon::Stop);
        return false;
    }
    stopAnchorScan();
    SiteTree->rebuild();

    bool changed = false;
    if (!QFileInfo(siteRoot()).isDir()) {
        // A site moved with its files: the folder that holds the site file is its root now.
        if (const std::optional<QString> moved = Site::movedRoot(m_model.root(), file)) {
            SiteTree->setNodeText(&m_model.root(), *moved);
            statusNote(QStringLiteral(
                "The site's root directory was not found; the folder of the site file is used instead."));
            changed = true;
        } else {
            m_form.prompter().message(QStringLiteral("Site File Error"),
                QStringLiteral(
                    "The directory referred to as the root directory of the site does not exist\nPlease select another folder for the root directory"),
                PromptButtons::Ok, PromptIcon::Stop);
            const std::optional<QString> folder = m_form.prompter().folderName(
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
    const QString file = RecentSites::read(m_form.settings()).value(n - 1);
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        m_form.prompter().message(QStringLiteral("Error"), QStringLiteral("Cannot find file to open"),
            PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    openSiteFile(file);
}

void SiteCommands::AddPageClick()
{
    if (!ensureSaved())
        return;
    const std::optional<QStringList> files = m_form.prompter().openFileNames({ QStringLiteral("Add Page"),
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
    const std::optional<QStringList> files = m_form.prompter().openFileNames(
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
    TDocumentPage *page = m_form.activePage();
    if (!page)
        return;
    if (m_form.currentFileName() == Product::notSaved()) {
        if (m_form.prompter().message(QStringLiteral("Warning"),
                QStringLiteral("You must save the file before it can be added to the site. Save now?"),
                PromptButtons::YesNo, PromptIcon::Stop)
            == PromptAnswer::Yes)
            m_form.documents().SaveAs1Click();
        if (m_form.currentFileName() == Product::notSaved())
            return;
    }
    if (!ensureSaved())
        return;
    SiteNode *pages = Site::section(m_model.root(), SiteSection::WebPages);
    SiteTree->expandNode(pages);
    SiteNode *node
        = SiteTree->addNode(pages, Site::nodeText(siteRoot(), m_form.currentFileName()), SiteIcon::Page);
    SiteTree->selectNode(node);
    // The scan reads its own copy of the text and fills the node it started for, whatever happens meanwhile.
    stopAnchorScan();
    m_scan = std::make_unique<AnchorScan>(page->buffer().text());
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
        if (!m_form.documents().refusePageLimit())
            m_form.documents().openFileIntoPage(path);
        break;
    case SiteIcon::Gif:
    case SiteIcon::Jpeg: {
        const QString editor = m_form.settings().readString(Keys::Tools, QStringLiteral("ImageEditor"));
        if (!editor.isEmpty())
            QProcess::startDetached(editor, { path }, QFileInfo(editor).absolutePath());
        break;
    }
    case SiteIcon::StyleSheet:
        statusNote(QStringLiteral("The style sheet editor is not available yet."));
        break;
    case SiteIcon::FtpProfile:
    case SiteIcon::NewFtpProfile:
        statusNote(QStringLiteral("The FTP dialog is not available yet."));
        break;
    default:
        break;
    }
}
