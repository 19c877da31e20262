// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainform.h"

#include "aboutform.h"
#include "app/documenttext.h"
#include "app/productstrings.h"
#include "app/programfolder.h"
#include "app/prompter.h"
#include "app/recentfiles.h"
#include "colorbox.h"
#include "documentcommands.h"
#include "documentpage.h"
#include "dropcommands.h"
#include "editor/stylelist.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "formattingcommands.h"
#include "icons.h"
#include "promptingcommands.h"
#include "qtprompter.h"
#include "searchcommands.h"
#include "site/ui/sitecommands.h"
#include "site/ui/sitetree.h"
#include "spellingcommands.h"
#include "splashform.h"
#include "tageditorcommands.h"
#include "typingaids.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// A hint is "tooltip|status text"; a hint without "|" is both.
template <typename Target> void applyHint(Target *target, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    target->setToolTip(bar < 0 ? hint : hint.left(bar));
    target->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

// The toolbar buttons in the order of their hints.
const char *const hintedButtons[] = { "NewButton", "OpenButton", "SaveButton", "PrintButton", "CutButton",
    "CopyButton", "PasteButton", "UndoButton", "FindButton", "ReplaceButton", "RefreshButton",
    "InternalPreviewButton", "BoldButton", "ItalicButton", "UnderlineButton", "LinkButton", "ImageButton",
    "SymbolButton", "TableButton", "MetaInformationButton", "HorizontalLineButton" };

QString previewDisabledHint()
{
    return QStringLiteral("You need to enable the internal preview in the Settings box to use this feature");
}

} // namespace

TMainForm::TMainForm(const SettingsStore &settings, Prompter *prompter, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_ownPrompter(prompter ? nullptr : std::make_unique<TQtPrompter>(this))
    , m_prompter(prompter ? prompter : m_ownPrompter.get())
    , m_documents(std::make_unique<DocumentCommands>(*this))
    , m_formatting(std::make_unique<FormattingCommands>(*this))
    , m_search(std::make_unique<SearchCommands>(*this))
    , m_drops(std::make_unique<DropCommands>(*this))
    , m_spelling(std::make_unique<SpellingCommands>(*this))
    , m_tagEditor(std::make_unique<TagEditorCommands>(*this))
    , m_site(std::make_unique<SiteCommands>(*this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(Icons::icon(QStringLiteral("tagloom")));
    setAcceptDrops(true);

    FilePages = new QTabWidget(this);
    FilePages->setObjectName(QStringLiteral("FilePages"));
    FilePages->setDocumentMode(true);
    FilePages->setMovable(false);
    setCentralWidget(FilePages);

    m_typing = std::make_unique<TypingAids>(*this);
    createActions();
    m_formatting->createActions();
    m_search->createActions();
    createMenus();
    m_search->createMenus();
    m_formatting->createMenus();
    m_tagEditor->createActions();
    m_site->createMenus();
    createToolbars();
    m_formatting->createToolbarControls();
    createLeftPane();
    createStatusBar();
    m_prompting = std::make_unique<PromptingCommands>(*this);
    // A site file dropped on the editor replaces the open site, which may have changes to save first.
    m_drops->setOpenSite(
        [this](const QString &path) { return m_site->askSaveSite() && m_site->openSiteFile(path); });

    connect(FilePages, &QTabWidget::currentChanged, this, [this] {
        if (!m_documents->isChangingPages())
            FilePagesChange();
    });
    FilePages->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FilePages->tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        File1Click();
        FilePagesPopup->popup(FilePages->tabBar()->mapToGlobal(at));
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::updateEditMenu);
}

TMainForm::~TMainForm() = default;

QAction *TMainForm::makeAction(const QString &objectName, const QString &text, const QString &icon)
{
    auto *action = new QAction(text, this);
    action->setObjectName(objectName);
    if (!icon.isEmpty())
        action->setIcon(Icons::icon(icon));
    return action;
}

QAction *TMainForm::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

QToolBar *TMainForm::toolbar(const QString &objectName) const
{
    return findChild<QToolBar *>(objectName);
}

void TMainForm::createActions()
{
    const auto add = [this](const char *name, const QString &text, const QString &icon,
                         const QKeySequence &key, void (TMainForm::*handler)()) {
        QAction *a = makeAction(QString::fromLatin1(name), text, icon);
        if (!key.isEmpty())
            a->setShortcut(key);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    add("NewHTMLFile", QStringLiteral("&New HTML File"), QStringLiteral("new"),
        QKeySequence(Qt::CTRL | Qt::Key_N), &TMainForm::NewClick);
    add("Open", QStringLiteral("&Open"), QStringLiteral("open"), QKeySequence(Qt::CTRL | Qt::Key_O),
        &TMainForm::OpenClick);
    add("Save", QStringLiteral("&Save"), QStringLiteral("save"), QKeySequence(Qt::CTRL | Qt::Key_S),
        &TMainForm::SaveClick);
    add("SaveAs1", QStringLiteral("Save &As"), QString(), QKeySequence(Qt::Key_F12),
        &TMainForm::SaveAs1Click);
    add("Close", QStringLiteral("&Close"), QString(), QKeySequence(Qt::CTRL | Qt::Key_W),
        &TMainForm::Close1Click);
    QAction *exit = add("Exit1", QStringLiteral("E&xit"), QString(), QKeySequence(Qt::ALT | Qt::Key_F4),
        &TMainForm::Exit1Click);
    exit->setShortcuts({ QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence::Quit });

    add("Undo", QStringLiteral("U&ndo"), QStringLiteral("undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
        &TMainForm::UndoClick)
        ->setEnabled(false);
    QAction *redo
        = add("Redo", QStringLiteral("Re&do"), QStringLiteral("redo"), QKeySequence(), &TMainForm::RedoClick);
    redo->setEnabled(false);
    applyHint(redo, QStringLiteral("Redo|Redoes the last undone action"));
    add("Cut", QStringLiteral("Cu&t"), QStringLiteral("cut"), QKeySequence(Qt::CTRL | Qt::Key_X),
        &TMainForm::CutClick);
    add("Copy", QStringLiteral("&Copy"), QStringLiteral("copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
        &TMainForm::CopyClick);
    add("Paste", QStringLiteral("&Paste"), QStringLiteral("paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
        &TMainForm::PasteClick);
    // The editor leaves these keys to the window, so the commands keep their old alternate keys too.
    action(QStringLiteral("Cut"))
        ->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete) });
    action(QStringLiteral("Copy"))
        ->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert) });
    action(QStringLiteral("Paste"))
        ->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert) });

    QAction *wrap = add(
        "WordWrap", QStringLiteral("&Word Wrap"), QString(), QKeySequence(), &TMainForm::WordWrap1Click);
    wrap->setCheckable(true);
    wrap->setChecked(true);

    applyHint(add("CheckSpelling", QStringLiteral("Check &Spelling..."), QStringLiteral("spelling"),
                  QKeySequence(), &TMainForm::SpellingClick),
        QStringLiteral("Check Spelling|Run the spell checker over the current file"));

    add("Refresh", QStringLiteral("&Refresh"), QStringLiteral("refresh"), QKeySequence(Qt::Key_F5),
        &TMainForm::RefreshClick);
    add("About1", QStringLiteral("&About Tagloom 99..."), QStringLiteral("about"), QKeySequence(),
        &TMainForm::About1Click);

    // Toolbar commands of features still to come: present with their hints, disabled until they work.
    const struct
    {
        const char *name;
        const char *text;
        const char *icon;
    } later[] = {
        { "Print", "&Print", "print" },
        { "InternalPreview", "&Internal Preview", "preview" },
        { "Link", "&Link", "link" },
        { "Image", "&Image", "image" },
        { "Symbol", "&Symbol", "symbol" },
        { "Table", "&Table", "table" },
        { "MetaInformation", "&Meta Information", "meta" },
    };
    for (const auto &item : later) {
        add(item.name, QString::fromLatin1(item.text), QString::fromLatin1(item.icon), QKeySequence(),
            nullptr)
            ->setEnabled(false);
    }
}

void TMainForm::createMenus()
{
    FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    FileMenu->setObjectName(QStringLiteral("File1"));
    FileMenu->addAction(action(QStringLiteral("NewHTMLFile")));
    FileMenu->addAction(action(QStringLiteral("Open")));
    FileMenu->addAction(action(QStringLiteral("Save")));
    FileMenu->addAction(action(QStringLiteral("SaveAs1")));
    FileMenu->addAction(action(QStringLiteral("Close")));
    MenuItem15 = FileMenu->addSeparator();
    MenuItem15->setObjectName(QStringLiteral("MenuItem15"));
    for (int n = 1; n <= RecentFiles::count; ++n) {
        QAction *recent
            = makeAction(QStringLiteral("RecentFile") + QString::number(n), RecentFiles::menuCaption(n, {}));
        connect(recent, &QAction::triggered, this, [this, n] { RecentClick(n); });
        FileMenu->addAction(recent);
        m_recentActions.append(recent);
    }
    FileMenu->addSeparator();
    FileMenu->addAction(action(QStringLiteral("Exit1")));
    connect(FileMenu, &QMenu::aboutToShow, this, &TMainForm::File1Click);

    EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    EditMenu->setObjectName(QStringLiteral("Edit1"));
    EditMenu->addAction(action(QStringLiteral("Undo")));
    EditMenu->addAction(action(QStringLiteral("Redo")));
    EditMenu->addSeparator();
    EditMenu->addAction(action(QStringLiteral("Cut")));
    EditMenu->addAction(action(QStringLiteral("Copy")));
    EditMenu->addAction(action(QStringLiteral("Paste")));
    EditMenu->addSeparator();
    EditMenu->addAction(action(QStringLiteral("CheckSpelling")));
    connect(EditMenu, &QMenu::aboutToShow, this, &TMainForm::updateEditMenu);

    ViewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    ViewMenu->setObjectName(QStringLiteral("View1"));
    ViewMenu->addAction(action(QStringLiteral("WordWrap")));
    ViewMenu->addAction(action(QStringLiteral("Refresh")));
    QMenu *leftPane = ViewMenu->addMenu(QStringLiteral("&Left Pane"));
    leftPane->setObjectName(QStringLiteral("LeftPane1"));
    m_leftPaneGroup = new QActionGroup(this);
    const QStringList paneItems = { QStringLiteral("SiteManagement1"), QStringLiteral("CurrentTagEditor1"),
        QStringLiteral("CommonCodeReuse1"), QStringLiteral("JavascriptSnippets1") };
    const QStringList paneCaptions
        = { QStringLiteral("&Site Management"), QStringLiteral("Current &Tag Editor"),
              QStringLiteral("&Common Code Reuse"), QStringLiteral("&Javascript Snippets") };
    for (int i = 0; i < paneItems.size(); ++i) {
        QAction *item = makeAction(paneItems.at(i), paneCaptions.at(i));
        item->setCheckable(true);
        m_leftPaneGroup->addAction(item);
        leftPane->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { ToolPages->setCurrentIndex(i); });
    }
    ToolbarPopup = new QMenu(QStringLiteral("&Toolbars"), this);
    ToolbarPopup->setObjectName(QStringLiteral("ToolbarPopup"));
    ViewMenu->addMenu(ToolbarPopup);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    help->addAction(action(QStringLiteral("About1")));

    FilePagesPopup = new QMenu(this);
    FilePagesPopup->setObjectName(QStringLiteral("FilePagesPopup"));
    const struct
    {
        const char *name;
        const char *text;
        void (TMainForm::*handler)();
    } popupItems[] = {
        { "New1", "&New", &TMainForm::NewClick },
        { "Open1", "&Open...", &TMainForm::OpenClick },
        { "Save1", "&Save", &TMainForm::SaveClick },
        { "SaveAs2", "Save &As...", &TMainForm::SaveAs1Click },
        { "Close2", "&Close", &TMainForm::Close1Click },
    };
    for (const auto &item : popupItems) {
        QAction *a = makeAction(QString::fromLatin1(item.name), QString::fromLatin1(item.text));
        connect(a, &QAction::triggered, this, item.handler);
        FilePagesPopup->addAction(a);
    }
    connect(FilePagesPopup, &QMenu::aboutToShow, this, &TMainForm::File1Click);

    HTMLPopup = new QMenu(this);
    HTMLPopup->setObjectName(QStringLiteral("HTMLPopup"));
    const struct
    {
        const char *name;
        const char *text;
        const char *icon;
        void (TMainForm::*handler)();
    } editItems[] = {
        { "Cut1", "C&ut", "cut", &TMainForm::CutClick },
        { "Copy1", "&Copy", "copy", &TMainForm::CopyClick },
        { "Paste1", "&Paste", "paste", &TMainForm::PasteClick },
    };
    for (const auto &item : editItems) {
        QAction *a = makeAction(
            QString::fromLatin1(item.name), QString::fromLatin1(item.text), QString::fromLatin1(item.icon));
        connect(a, &QAction::triggered, this, item.handler);
        HTMLPopup->addAction(a);
    }
    HTMLPopup->addSeparator();
    HTMLPopup->addMenu(m_typing->onReturnMenu());
    connect(HTMLPopup, &QMenu::aboutToShow, this, &TMainForm::updateEditMenu);
}

void TMainForm::createToolbars()
{
    const auto makeToolbar
        = [this](const char *name, const QString &title, const char *popupItem, const QString &popupCaption) {
              auto *bar = new QToolBar(title, this);
              bar->setObjectName(QString::fromLatin1(name));
              bar->setIconSize(QSize(16, 16));
              QAction *item = makeAction(QString::fromLatin1(popupItem), popupCaption);
              item->setCheckable(true);
              item->setChecked(true);
              connect(item, &QAction::triggered, bar, &QToolBar::setVisible);
              // Hiding a toolbar any other way (its layout, a floating window closed) keeps the item in step.
              connect(bar, &QToolBar::visibilityChanged, item, [this, bar, item] {
                  if (!bar->isHidden() != item->isChecked() && isVisible())
                      item->setChecked(!bar->isHidden());
              });
              ToolbarPopup->addAction(item);
              return bar;
          };
    StdToolbar
        = makeToolbar("StdToolbar", QStringLiteral("Standard"), "Standard1", QStringLiteral("Standard"));
    FormattingToolbar = makeToolbar(
        "FormattingToolbar", QStringLiteral("Formatting"), "Formatting1", QStringLiteral("Formatting"));
    DocumentToolbar
        = makeToolbar("DocumentToolbar", QStringLiteral("Document"), "Document1", QStringLiteral("Document"));
    HTMLToolbar = makeToolbar("HTMLToolbar", QStringLiteral("HTML"), "HTML1", QStringLiteral("HTML"));
    connect(ToolbarPopup, &QMenu::aboutToShow, this, [this] {
        for (QToolBar *bar : { StdToolbar, FormattingToolbar, DocumentToolbar, HTMLToolbar }) {
            const QString item = bar == StdToolbar ? QStringLiteral("Standard1")
                : bar == FormattingToolbar         ? QStringLiteral("Formatting1")
                : bar == DocumentToolbar           ? QStringLiteral("Document1")
                                                   : QStringLiteral("HTML1");
            action(item)->setChecked(!bar->isHidden());
        }
    });

    const auto addButton = [](QToolBar *bar, QAction *a, const char *buttonName) {
        bar->addAction(a);
        bar->widgetForAction(a)->setObjectName(QString::fromLatin1(buttonName));
    };
    addButton(StdToolbar, action(QStringLiteral("NewHTMLFile")), "NewButton");
    addButton(StdToolbar, action(QStringLiteral("Open")), "OpenButton");
    addButton(StdToolbar, action(QStringLiteral("Save")), "SaveButton");
    addButton(StdToolbar, action(QStringLiteral("Print")), "PrintButton");
    StdToolbar->addSeparator();
    addButton(StdToolbar, action(QStringLiteral("Cut")), "CutButton");
    addButton(StdToolbar, action(QStringLiteral("Copy")), "CopyButton");
    addButton(StdToolbar, action(QStringLiteral("Paste")), "PasteButton");
    StdToolbar->addSeparator();
    addButton(StdToolbar, action(QStringLiteral("Undo")), "UndoButton");
    addButton(StdToolbar, action(QStringLiteral("Redo")), "RedoButton");
    StdToolbar->addSeparator();
    addButton(StdToolbar, action(QStringLiteral("Find")), "FindButton");
    addButton(StdToolbar, action(QStringLiteral("Replace")), "ReplaceButton");
    addButton(StdToolbar, action(QStringLiteral("CheckSpelling")), "CheckSpellingButton");
    StdToolbar->addSeparator();
    addButton(StdToolbar, action(QStringLiteral("Refresh")), "RefreshButton");
    addButton(StdToolbar, action(QStringLiteral("InternalPreview")), "InternalPreviewButton");

    // The formatting commands fill and connect the font, size and style boxes.
    for (const char *name : { "FontName", "FontSize", "StyleCombo" }) {
        auto *box = new QComboBox(FormattingToolbar);
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimumContentsLength(qstrcmp(name, "FontSize") == 0 ? 3 : 12);
        FormattingToolbar->addWidget(box);
    }
    FormattingToolbar->addSeparator();
    addButton(FormattingToolbar, action(QStringLiteral("Bold")), "BoldButton");
    addButton(FormattingToolbar, action(QStringLiteral("Italic")), "ItalicButton");
    addButton(FormattingToolbar, action(QStringLiteral("Underline")), "UnderlineButton");

    auto *titleLabel = new QLabel(QStringLiteral(" Title: "), DocumentToolbar);
    DocumentToolbar->addWidget(titleLabel);
    DocTitle = new QLineEdit(DocumentToolbar);
    DocTitle->setObjectName(QStringLiteral("DocTitle"));
    DocTitle->setMinimumWidth(260);
    DocTitle->setMaximumWidth(480);
    applyHint(DocTitle,
        QStringLiteral(
            "Document Title|Change the title of the document which is shown in the browser title bar"));
    titleLabel->setBuddy(DocTitle);
    DocumentToolbar->addWidget(DocTitle);
    DocumentToolbar->addWidget(new QLabel(QStringLiteral("  Background: "), DocumentToolbar));
    BackColor = new TColorBox(DocumentToolbar);
    BackColor->setObjectName(QStringLiteral("BackColor"));
    applyHint(BackColor, QStringLiteral("Background Color|Change the background color of the page"));
    DocumentToolbar->addWidget(BackColor);
    m_documents->connectDocumentToolbar();

    addButton(HTMLToolbar, action(QStringLiteral("Link")), "LinkButton");
    addButton(HTMLToolbar, action(QStringLiteral("Image")), "ImageButton");
    addButton(HTMLToolbar, action(QStringLiteral("Symbol")), "SymbolButton");
    addButton(HTMLToolbar, action(QStringLiteral("Table")), "TableButton");
    addButton(HTMLToolbar, action(QStringLiteral("MetaInformation")), "MetaInformationButton");
    addButton(HTMLToolbar, action(QStringLiteral("HorizontalLine")), "HorizontalLineButton");

    // Three rows: files and editing with the document's title and colour, then the formatting
    // controls, then the markup buttons.
    addToolBar(Qt::TopToolBarArea, StdToolbar);
    addToolBar(Qt::TopToolBarArea, DocumentToolbar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, FormattingToolbar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, HTMLToolbar);

    for (const char *name : hintedButtons) {
        auto *button = findChild<QToolButton *>(QString::fromLatin1(name));
        Q_ASSERT(button);
        m_hintedButtons.append(button->defaultAction());
    }
}

void TMainForm::createLeftPane()
{
    auto *dock = new QDockWidget(QStringLiteral("Left Pane"), this);
    dock->setObjectName(QStringLiteral("LeftPane"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    ToolPages = new QTabWidget(dock);
    ToolPages->setObjectName(QStringLiteral("ToolPages"));
    ToolPages->setTabPosition(QTabWidget::West);

    // The code reuse pane's contents arrive with the code sections feature.
    QWidget *sitePane = m_site->createPane();
    SiteTree = m_site->tree();
    QWidget *tagEditor = m_tagEditor->createPage();
    CodeTree = new QTreeWidget;
    CodeTree->setObjectName(QStringLiteral("CodeTree"));
    CodeTree->setHeaderHidden(true);
    auto *snippets = new QListWidget;
    snippets->setObjectName(QStringLiteral("SnippetList"));
    const struct
    {
        QWidget *content;
        const char *name;
        const char *caption;
    } pages[] = {
        { sitePane, "SiteTreePage", "Site Management" },
        { tagEditor, "TagEditorPage", "Current Tag Editor" },
        { CodeTree, "CommonCodePage", "Common Code Reuse" },
        { snippets, "JavascriptPage", "Javascript Snippets" },
    };
    for (const auto &page : pages) {
        page.content->setProperty("pageName", QString::fromLatin1(page.name));
        ToolPages->addTab(page.content, QString::fromLatin1(page.caption));
    }
    dock->setWidget(ToolPages);
    dock->setMinimumWidth(200);
    addDockWidget(Qt::LeftDockWidgetArea, dock);

    connect(ToolPages, &QTabWidget::currentChanged, this, [this](int index) {
        // PageControl1Change: the View menu's radio item follows the page shown.
        const QList<QAction *> items = m_leftPaneGroup->actions();
        if (index >= 0 && index < items.size())
            items.at(index)->setChecked(true);
    });
    ToolPages->setCurrentIndex(0);
    m_leftPaneGroup->actions().constFirst()->setChecked(true);
}

void TMainForm::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const int widths[] = { 300, 50, 70, 70, 50, 50 };
    for (int i = 0; i < 6; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i == 0) {
            panel->setMinimumWidth(widths[i]);
            bar->addWidget(panel, 1);
        } else {
            // The modified mark must fit beside its image whatever the font.
            const int mark = panel->fontMetrics().horizontalAdvance(Product::modifiedMark()) + 12;
            panel->setFixedWidth(i == 2 || i == 3 ? qMax(widths[i], mark) : widths[i]);
            bar->addPermanentWidget(panel);
        }
        m_statusPanels.append(panel);
    }
    const auto placeImage = [](QLabel *panel, const char *name, const QString &icon, int top) {
        auto *image = new QLabel(panel);
        image->setObjectName(QString::fromLatin1(name));
        image->setPixmap(Icons::icon(icon).pixmap(12, 12));
        image->move(3, top);
        return image;
    };
    TypingImg = placeImage(m_statusPanels.at(1), "TypingImg", QStringLiteral("typing"), 4);
    TypingImg->hide();
    NoTypeImg = placeImage(m_statusPanels.at(1), "NoTypeImg", QStringLiteral("notyping"), 4);
    TypingTimer = new QTimer(this);
    TypingTimer->setObjectName(QStringLiteral("TypingTimer"));
    TypingTimer->setInterval(UndoList::typingIntervalMs);
    TypingTimer->setSingleShot(true);
    connect(TypingTimer, &QTimer::timeout, this, &TMainForm::TypingTimerTimer);
    placeImage(m_statusPanels.at(2), "SiteImage", QStringLiteral("site"), 3);
    PageImage = placeImage(m_statusPanels.at(3), "PageImage", QStringLiteral("page"), 3);
    StatusProgressBar = new QProgressBar(m_statusPanels.at(4));
    StatusProgressBar->setObjectName(QStringLiteral("StatusProgressBar"));
    StatusProgressBar->setGeometry(2, 2, 46, 14);
    StatusProgressBar->setTextVisible(false);
    StatusProgressBar->hide();
}

QString TMainForm::statusPanelText(int panel) const
{
    return panel >= 0 && panel < m_statusPanels.size() ? m_statusPanels.at(panel)->text() : QString();
}

void TMainForm::applyToolbarHints()
{
    for (int n = 0; n < m_hintedButtons.size(); ++n) {
        QAction *button = m_hintedButtons.at(n);
        if (button == action(QStringLiteral("InternalPreview")) && !m_previewAvailable)
            continue; // it keeps the hint that says why it is disabled
        applyHint(button, Product::toolbarHint(n, m_editorSettings.shortcuts));
    }
}

void TMainForm::setSplash(TSplashForm *splash, int position, const QString &label)
{
    if (splash)
        splash->setProgress(position, label);
}

void TMainForm::restoreWindowPosition()
{
    const QRect rect(m_settings.readInteger(Keys::Position, QStringLiteral("Left")),
        m_settings.readInteger(Keys::Position, QStringLiteral("Top")),
        m_settings.readInteger(Keys::Position, QStringLiteral("Width")),
        m_settings.readInteger(Keys::Position, QStringLiteral("Height")));
    if (rect.width() > 100 && rect.height() > 100)
        setGeometry(rect);
    if (m_settings.readBool(Keys::Position, QStringLiteral("Maximised")))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::FormCreate(const QStringList &arguments, TSplashForm *splash)
{
    runGuarded(prompter(), m_editorBusy, 29, [&] {
        restoreWindowPosition();

        // The internal preview arrives with the preview feature; until then its button explains itself.
        m_previewAvailable = false;
        QAction *preview = action(QStringLiteral("InternalPreview"));
        preview->setEnabled(false);
        applyHint(preview, previewDisabledHint());

        setSplash(splash, 20, QString());
        const QString argument = arguments.value(0);
        if (argument.endsWith(QStringLiteral(".htm")) || argument.endsWith(QStringLiteral(".html"))) {
            setSplash(splash, 20, QStringLiteral("Opening document"));
            m_documents->openFileIntoPage(argument);
            // A file that could not be opened leaves no page; the rest of the program needs one.
            if (pageCount() == 0)
                NewClick();
        } else {
            setSplash(splash, 20, QStringLiteral("Starting new document"));
            NewClick();
        }

        m_documents->readTitleIntoBox();
        updateCaption();

        setSplash(splash, 25, QStringLiteral("Loading settings"));
        restoreState(m_settings.read(Keys::Toolbars, QStringLiteral("State")).toByteArray());
        action(QStringLiteral("WordWrap"))
            ->setChecked(m_settings.readBool(Keys::Editor, QStringLiteral("Word Wrap")));

        setSplash(splash, 30, QStringLiteral("Formatting Document"));
        if (TDocumentPage *page = activePage()) {
            m_documents->placeCaret(page);
            page->setModifiedFlag(false);
        }
        m_documents->Refresh();

        setSplash(splash, 45, QStringLiteral("Initialising"));
        m_formatting->fillBoxes();
        rebuildRecentMenu();
        m_site->rebuildRecentSites();
        // The installation check has already asked for the tables; a damaged one leaves the lists empty.
        m_tagDatabase.open(ProgramFolder::path());
        SiteChanged = false;
        UntitledCount = 1;
        if (argument.endsWith(QStringLiteral(".site")) || argument.endsWith(QStringLiteral(".sit")))
            m_site->openSiteFile(argument);
        m_startupComplete = true;

        setSplash(splash, 50, QStringLiteral("Finishing..."));
    });
}

void TMainForm::FormShow()
{
    // The tip of the day arrives with its dialog; until then the editor simply takes the focus.
    if (HTMLSource && HTMLSource->isVisible())
        HTMLSource->setFocus();
}

void TMainForm::FormActivate()
{
    updateEditMenu();
    if (m_activatedOnce)
        return;
    m_activatedOnce = true;
    m_documents->Refresh();
    FilePagesChange();
}

bool TMainForm::FormCloseQuery()
{
    for (int i = 0; i < pageCount(); ++i) {
        FilePages->setCurrentIndex(i);
        if (!m_documents->saveQuestion())
            return false;
    }
    return m_site->askSaveSite();
}

void TMainForm::FormClose()
{
    for (const QString &file : std::as_const(m_tempFileNames))
        QFile::remove(file);
    m_tempFileNames.clear();

    const bool maximised = isMaximized();
    const QRect rect = maximised ? normalGeometry() : geometry();
    m_settings.writeBool(Keys::Position, QStringLiteral("Maximised"), maximised);
    m_settings.writeInteger(Keys::Position, QStringLiteral("Top"), rect.top());
    m_settings.writeInteger(Keys::Position, QStringLiteral("Left"), rect.left());
    m_settings.writeInteger(Keys::Position, QStringLiteral("Height"), rect.height());
    m_settings.writeInteger(Keys::Position, QStringLiteral("Width"), rect.width());
    // IEHeight is written only while the internal preview exists; it does not yet.
    m_settings.writeBool(Keys::Editor, QStringLiteral("Word Wrap"), wordWrap());
    m_settings.write(Keys::Toolbars, QStringLiteral("State"), saveState());
}

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // Hints go to status panel 0 once start-up is complete.
        if (m_startupComplete)
            m_statusPanels.at(0)->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

QMenu *TMainForm::createPopupMenu()
{
    // The toolbar popup is kept, not created per click, so its items stay the same objects.
    return nullptr;
}

TDocumentPage *TMainForm::activePage() const
{
    return qobject_cast<TDocumentPage *>(FilePages->currentWidget());
}

TDocumentPage *TMainForm::page(int index) const
{
    return qobject_cast<TDocumentPage *>(FilePages->widget(index));
}

int TMainForm::pageCount() const
{
    return FilePages->count();
}

bool TMainForm::wordWrap() const
{
    return action(QStringLiteral("WordWrap"))->isChecked();
}

void TMainForm::setHTMLSource(TDocumentPage *page)
{
    HTMLSource = page ? page->editor() : nullptr;
    CurrentFileName = page ? page->fileName() : Product::notSaved();
}

void TMainForm::applyEditorSettings(TDocumentPage *page)
{
    if (!page)
        return;
    TSourceEditor *editor = page->editor();
    editor->setFont(m_editorSettings.fontName, m_editorSettings.fontSize);
    page->colouring()->setColourSet(m_editorSettings.colours);
    editor->setWordWrap(wordWrap());
    if (editor->contextMenuPolicy() != Qt::CustomContextMenu) {
        editor->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(editor, &QWidget::customContextMenuRequested, this,
            [this, editor](const QPoint &at) { HTMLPopup->popup(editor->mapToGlobal(at)); });
        connect(editor, &QsciScintilla::copyAvailable, this, &TMainForm::updateEditMenu);
        connect(editor, &TSourceEditor::userEditStarting, this, [this, editor] {
            if (editor == HTMLSource)
                m_typing->userEditStarting();
        });
        editor->installEventFilter(this);
        m_drops->watchEditor(editor);
        m_tagEditor->watchEditor(editor);
    }
}

void TMainForm::loadSettings()
{
    runGuarded(prompter(), m_editorBusy, 11, [this] {
        EditorSettings &s = m_editorSettings;
        const auto colour = [this](const char *name) {
            return TColor(m_settings.readInteger(Keys::Colors, QString::fromLatin1(name)));
        };
        s.colours.backColor = colour("Back Color");
        s.colours.textColor = colour("Text Color");
        s.colours.tagColor = colour("Tag Color");
        s.colours.charColor = colour("Char Color");
        s.colours.stringColor = colour("String Color");
        s.colours.hexColor = colour("Hex Color");
        s.colours.commentColor = colour("Comment Color");
        s.colours.formatting = m_settings.readBool(Keys::Colors, QStringLiteral("Formatting"));

        const auto flag = [this](const char *name) {
            return m_settings.readBool(Keys::Editor, QString::fromLatin1(name));
        };
        s.names = flag("Names");
        s.upper = flag("Upper");
        s.fontName = m_settings.readString(Keys::Editor, QStringLiteral("Name"));
        s.fontSize = m_settings.readInteger(Keys::Editor, QStringLiteral("Size"));
        s.colours.useDocSettings = flag("Use Doc Settings");
        const QString onReturn = m_settings.readString(Keys::Editor, QStringLiteral("OnReturn"));
        s.onReturn = s.upper ? onReturn.toUpper() : onReturn.toLower();
        s.usePrompting = flag("Use Prompting");
        s.tagCompletion = flag("Tag Completion");
        s.tagStructure = flag("Tag Structure");
        s.tagEdit = flag("Tag Edit");
        s.tagInfo = flag("Tag Info");
        s.updatePreview = flag("Update Preview");
        s.logicalFonts = flag("Logical Fonts");
        s.shortcuts = flag("Shortcuts");

        m_typing->setOnReturn(s.onReturn);
        applyEditorSettings(activePage());
        applyToolbarHints();
    });
}

void TMainForm::rebuildRecentMenu()
{
    const QStringList files = RecentFiles::read(m_settings);
    for (int n = 1; n <= RecentFiles::count; ++n)
        m_recentActions.at(n - 1)->setText(RecentFiles::menuCaption(n, files.at(n - 1)));
}

void TMainForm::updateEditMenu()
{
    const bool selection = HTMLSource && HTMLSource->hasSelectedText();
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    const bool clipboardText = clip && clip->hasText();
    for (const char *name : { "Cut", "Copy", "Cut1", "Copy1" })
        action(QString::fromLatin1(name))->setEnabled(selection);
    for (const char *name : { "Paste", "Paste1" })
        action(QString::fromLatin1(name))->setEnabled(clipboardText);
}

void TMainForm::updateCaption()
{
    const QString caption = DocumentText::windowCaption(DocTitle->text(), CurrentFileName);
    setWindowTitle(caption);
    QApplication::setApplicationDisplayName(QString());
}

void TMainForm::markModified()
{
    if (TDocumentPage *page = activePage())
        page->setModifiedFlag(true);
    m_statusPanels.at(3)->setText(Product::modifiedMark());
}

void TMainForm::setSiteChanged(bool changed)
{
    SiteChanged = changed;
    m_statusPanels.at(2)->setText(changed ? Product::modifiedMark() : QString());
}

void TMainForm::markSaved()
{
    if (TDocumentPage *page = activePage())
        page->setModifiedFlag(false);
    m_statusPanels.at(3)->clear();
}

void TMainForm::FormatTags(int start, int end)
{
    if (TDocumentPage *page = activePage())
        page->colouring()->FormatTags(start, end);
}

UndoState TMainForm::undoState(TDocumentPage *page) const
{
    const EditorBuffer &buffer = page->buffer();
    return { UndoText::fromUtf8(buffer.utf8Text()), buffer.selStart(), buffer.selLength() };
}

TDocumentPage *TMainForm::pageWithUndoId(UndoPageId id) const
{
    for (int i = 0; i < pageCount(); ++i) {
        if (page(i)->undoId() == id)
            return page(i);
    }
    return nullptr;
}

void TMainForm::recordUndoStep(const QString &name)
{
    TDocumentPage *page = activePage();
    if (m_editorBusy.isSet() || !page)
        return;
    const EditorBusy::Hold hold(m_editorBusy);
    m_undoList.recordStep(page->undoId(), undoState(page), name);
    updateUndoControls();
}

void TMainForm::removePageUndoRecords(TDocumentPage *page)
{
    m_undoList.removePageRecords(page->undoId());
    updateUndoControls();
}

void TMainForm::applyRestore(const UndoRestore &restore)
{
    TDocumentPage *page = activePage();
    EditorBuffer &buffer = page->buffer();
    if (restore.state.text.isUtf8())
        buffer.setUtf8Text(restore.state.text.toUtf8());
    else
        buffer.setText(restore.state.text.toString());
    buffer.select(restore.state.selStart, restore.state.selLength);
    page->editor()->ensureCursorVisible();
    // The text on screen is not the saved one any more, whatever it was before.
    if (restore.pageModified)
        markModified();
    FormatTags(0, buffer.length());
    updateUndoControls();
}

void TMainForm::UndoClick()
{
    runGuarded(prompter(), m_editorBusy, 1, [this] {
        const std::optional<UndoPageId> id = m_undoList.undoPage();
        TDocumentPage *page = id ? pageWithUndoId(*id) : nullptr;
        if (!page)
            return;
        // The step's own page comes first, so the redo snapshot is taken of the right text.
        m_documents->activate(page);
        if (const std::optional<UndoRestore> restore = m_undoList.undo(*id, undoState(page)))
            applyRestore(*restore);
    });
}

void TMainForm::RedoClick()
{
    runGuarded(prompter(), m_editorBusy, 1, [this] {
        const std::optional<UndoPageId> id = m_undoList.redoPage();
        TDocumentPage *page = id ? pageWithUndoId(*id) : nullptr;
        if (!page)
            return;
        m_documents->activate(page);
        if (const std::optional<UndoRestore> restore = m_undoList.redo(*id))
            applyRestore(*restore);
    });
}

void TMainForm::updateUndoControls()
{
    QAction *undo = action(QStringLiteral("Undo"));
    QAction *redo = action(QStringLiteral("Redo"));
    undo->setEnabled(m_undoList.canUndo());
    if (m_undoList.canUndo())
        applyHint(undo, m_undoList.undoHint());
    redo->setEnabled(m_undoList.canRedo());
    if (m_undoList.canRedo())
        applyHint(redo, m_undoList.redoHint());
    if (!m_undoList.isTyping())
        TypingTimer->stop();
    TypingImg->setVisible(m_undoList.isTyping());
    NoTypeImg->setVisible(!m_undoList.isTyping());
}

void TMainForm::endTypingBurst()
{
    m_undoList.endTypingBurst();
    updateUndoControls();
}

void TMainForm::TypingTimerTimer()
{
    TypingTimer->stop();
    m_undoList.typingTimerFired();
    updateUndoControls();
}

void TMainForm::typingKeyPress()
{
    TDocumentPage *page = activePage();
    if (!page)
        return;
    m_undoList.typingKeyPress(page->undoId(), [&] { return undoState(page); });
    TypingTimer->start();
    updateUndoControls();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    // The editor's key handler, before the editor inserts the key: the typing burst, then the aids that
    // follow it.
    if (event->type() == QEvent::KeyPress && HTMLSource && watched == HTMLSource && !m_editorBusy.isSet()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        m_typing->startBurst(*key);
        if (m_editorSettings.usePrompting && m_prompting->keyPress(key))
            return true;
        m_typing->afterPrompting(*key);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::updatePreview()
{
    // The internal preview arrives with the preview feature.
}

void TMainForm::rebuildStyleList()
{
    TDocumentPage *page = activePage();
    if (!page)
        return;
    const QString folder = page->isUntitled() ? QString() : QFileInfo(page->fileName()).absolutePath();
    m_formatting->fillBoxes(
        StyleLists::rebuild(page->buffer(), folder).combo.mid(TagCommands::fixedStyleCount));
}

void TMainForm::NewClick()
{
    m_documents->NewClick();
}

void TMainForm::OpenClick()
{
    m_documents->OpenClick();
}

void TMainForm::SaveClick()
{
    m_documents->SaveClick();
}

void TMainForm::SaveAs1Click()
{
    m_documents->SaveAs1Click();
}

void TMainForm::Close1Click()
{
    m_documents->Close1Click();
}

void TMainForm::RecentClick(int n)
{
    m_documents->RecentClick(n);
}

void TMainForm::CutClick()
{
    m_documents->CutClick();
}

void TMainForm::CopyClick()
{
    m_documents->CopyClick();
}

void TMainForm::PasteClick()
{
    m_documents->PasteClick();
}

void TMainForm::FilePagesChange()
{
    m_documents->FilePagesChange();
}

void TMainForm::File1Click()
{
    m_documents->File1Click();
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::WordWrap1Click()
{
    // The action has flipped its own check; every page follows it when it becomes active.
    if (TDocumentPage *page = activePage())
        page->editor()->setWordWrap(wordWrap());
}

void TMainForm::RefreshClick()
{
    if (TDocumentPage *page = activePage())
        page->colouring()->Refresh();
    m_documents->Refresh();
}

void TMainForm::SpellingClick()
{
    m_spelling->SpellingClick();
}

void TMainForm::About1Click()
{
    TAboutForm::showAbout(this);
}
