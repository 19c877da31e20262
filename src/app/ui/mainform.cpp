// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainform.h"

#include "aboutform.h"
#include "app/charset.h"
#include "app/documenttext.h"
#include "base/documentfile.h"
#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/ui/actionset.h"
#include "base/ui/icons.h"
#include "colorbox.h"
#include "dialogs/ui/dialogcommands.h"
#include "documentpage.h"
#include "dropcommands.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/formattingcommands.h"
#include "editor/ui/promptingcommands.h"
#include "editor/ui/searchcommands.h"
#include "editor/ui/sourceeditor.h"
#include "editor/ui/tageditorcommands.h"
#include "editor/ui/typingaids.h"
#include "helpcommands.h"
#include "leftpane.h"
#include "optioncommands.h"
#include "previewcommands.h"
#include "previewpane.h"
#include "qtprompter.h"
#include "site/sitefile.h"
#include "site/ui/sitecommands.h"
#include "site/ui/sitetree.h"
#include "splashform.h"
#include "statuspanels.h"
#include "templates/ui/codepane.h"
#include "templates/ui/extensioncommands.h"
#include "toolbarwrap.h"
#include "tools/ui/toolcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QSet>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

using ActionTable::MenuId;
using ActionTable::ToolbarId;
using ActionTable::ToolWidget;

namespace {

QString previewDisabledHint()
{
    return QStringLiteral("You need to enable the internal preview in the Settings box to use this feature");
}

constexpr ActionId leftPaneItems[] = { ActionId::SiteManagement1, ActionId::CurrentTagEditor1,
    ActionId::CommonCodeReuse1, ActionId::JavascriptSnippets1 };

} // namespace

TMainForm::TMainForm(const SettingsStore &settings, Prompter *prompter, QWidget *parent)
    : QMainWindow(parent)
    , m_settings(settings)
    , m_ownPrompter(prompter ? nullptr : std::make_unique<TQtPrompter>(this))
    , m_prompter(prompter ? prompter : m_ownPrompter.get())
    , m_actions(new ActionSet(this))
    , m_documents(std::make_unique<DocumentCommands>(*this))
    , m_undo(std::make_unique<UndoCommands>(*this, *m_documents))
    , m_formatting(std::make_unique<FormattingCommands>(*this))
    , m_search(std::make_unique<SearchCommands>(*this))
    , m_spelling(std::make_unique<SpellingCommands>(*this))
    , m_prompting(std::make_unique<PromptingCommands>(*this))
    , m_typing(std::make_unique<TypingAids>(*this, *m_prompting))
    , m_tagEditor(std::make_unique<TagEditorCommands>(*this, *m_prompting))
    , m_drops(std::make_unique<DropCommands>(*this, *m_documents))
    , m_site(std::make_unique<SiteCommands>(*this))
    , m_help(std::make_unique<HelpCommands>(*this))
    , m_preview(std::make_unique<PreviewCommands>(*this))
    , m_options(std::make_unique<OptionCommands>(*this, *m_documents))
    , m_dialogs(std::make_unique<DialogCommands>(*this))
    , m_extensions(std::make_unique<ExtensionCommands>(*this))
    , m_tools(std::make_unique<ToolCommands>(static_cast<EditorHost &>(*this), *this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(Icons::icon(QStringLiteral("tagloom")));
    setAcceptDrops(true);
    if (m_ownPrompter) {
        m_ownPrompter->setDocumentFolder([this] {
            const Document *document = activeDocument();
            return document ? document->folder() : QString();
        });
    }

    QTabWidget *pages = m_documents->createPageControl(this);
    setCentralWidget(m_preview->createSplitter(pages, this));
    m_preview->setSiteSelection([this]() -> std::optional<PreviewCommands::SiteFile> {
        const SiteNode *node = m_site->tree()->selectedNode();
        if (!node || m_site->siteRoot() == Site::rootDirectory())
            return std::nullopt;
        const int icon = node->icon();
        if (icon != SiteIcon::Page && icon != SiteIcon::Gif && icon != SiteIcon::Jpeg)
            return std::nullopt;
        return PreviewCommands::SiteFile { Site::absolutePath(m_site->siteRoot(), node->text()),
            icon == SiteIcon::Page ? PreviewCommands::FileKind::Page : PreviewCommands::FileKind::Image };
    });
    m_preview->setOpenProgramSettings(
        [this] { m_options->runSettings(OptionCommands::SettingsPage::Programs); });
    connect(pages, &QTabWidget::currentChanged, &m_events, &EditorEvents::activePageChanged);
    connect(
        m_documents.get(), &DocumentCommands::pageClosing, m_undo.get(), &UndoCommands::removePageRecords);
    connect(m_documents.get(), &DocumentCommands::pageChanging, m_undo.get(), &UndoCommands::endTypingBurst);

    for (MenuId id : ActionTable::menuBar())
        menuBar()->addMenu(m_actions->menu(id));
    connectActions();
    createToolbars();
    m_leftPane = new LeftPane(this, *m_actions, m_site->createPane(), m_tagEditor->createPage(),
        m_extensions->createCodePage(), m_extensions->createSnippetPage());
    m_statusPanels = std::make_unique<StatusPanels>(statusBar());
    m_undo->setTypingImages(m_statusPanels->typingImage(), m_statusPanels->noTypingImage());
    connect(m_documents.get(), &DocumentCommands::caretMoved, this,
        [this](int line, int column) { m_statusPanels->showCaret(line, column); });
    // A site file dropped on the editor replaces the open site, which may have changes to save first.
    m_drops->setOpenSite(
        [this](const QString &path) { return m_site->askSaveSite() && m_site->openSiteFile(path); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::updateEditMenu);
}

TMainForm::~TMainForm() = default;

MainCommands TMainForm::commands() const
{
    return { *m_documents, *m_undo, *m_formatting, *m_search, *m_spelling, *m_prompting, *m_typing,
        *m_tagEditor, *m_drops, *m_site, *m_help, *m_preview, *m_options, *m_extensions };
}

QToolBar *TMainForm::makeToolbar(ToolbarId id, QWidget *parent)
{
    return m_actions->makeToolbar(id, parent, {});
}

void TMainForm::connectActions()
{
    const auto on = [this](ActionId id, void (TMainForm::*handler)()) {
        connect(action(id), &QAction::triggered, this, handler);
    };
    on(ActionId::Exit1, &TMainForm::Exit1Click);
    on(ActionId::WordWrap, &TMainForm::WordWrap1Click);
    on(ActionId::Refresh, &TMainForm::RefreshClick);
    on(ActionId::About1, &TMainForm::About1Click);
    connect(menu(MenuId::Edit), &QMenu::aboutToShow, this, &TMainForm::updateEditMenu);
    connect(menu(MenuId::HTMLPopup), &QMenu::aboutToShow, this, &TMainForm::updateEditMenu);

    m_documents->connectActions();
    m_undo->connectActions();
    m_formatting->connectActions();
    m_search->connectActions();
    m_spelling->connectActions();
    m_typing->connectActions();
    m_tagEditor->connectActions();
    m_site->connectActions();
    m_help->connectActions();
    m_preview->connectActions();
    m_options->connectActions();
    m_dialogs->connectActions();
    m_extensions->connectActions();
    m_tools->connectActions();
}

QWidget *TMainForm::toolWidget(ToolWidget which, QToolBar *bar)
{
    switch (which) {
    case ToolWidget::TitleLabel:
    case ToolWidget::DocTitle:
    case ToolWidget::BackgroundLabel:
    case ToolWidget::BackColor:
        return m_documents->toolWidget(which, bar);
    default:
        return m_formatting->toolWidget(which, bar);
    }
}

void TMainForm::createToolbars()
{
    const auto provider = [this](ToolWidget which, QToolBar *bar) { return toolWidget(which, bar); };
    // Three rows: files and editing with the document's title and colour, then the formatting
    // controls, then the markup buttons.
    QToolBar *standard = m_actions->makeToolbar(ToolbarId::Standard, this, provider);
    QToolBar *document = m_actions->makeToolbar(ToolbarId::Document, this, provider);
    addToolBar(Qt::TopToolBarArea, standard);
    addToolBar(Qt::TopToolBarArea, document);
    // On a narrow window the title and colour boxes take a row of their own rather than hide.
    new ToolbarWrap(this, standard, document);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_actions->makeToolbar(ToolbarId::Formatting, this, provider));
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_actions->makeToolbar(ToolbarId::HTML, this, provider));
}

QString TMainForm::statusPanelText(int panel) const
{
    return m_statusPanels->text(panel);
}

QLabel *TMainForm::statusPanel(int panel) const
{
    return m_statusPanels->panel(panel);
}

void TMainForm::showStatusNote(const QString &text)
{
    statusBar()->showMessage(text, 6000);
}

QRect TMainForm::pageArea() const
{
    return centralWidget() ? centralWidget()->geometry() : rect();
}

void TMainForm::setSplash(TSplashForm *splash, int position, const QString &label)
{
    if (splash)
        splash->setProgress(position, label);
}

void TMainForm::restoreWindowPosition()
{
    const QRect rect(m_settings.readInteger(Settings::Left), m_settings.readInteger(Settings::Top),
        m_settings.readInteger(Settings::Width), m_settings.readInteger(Settings::Height));
    if (rect.width() > 100 && rect.height() > 100)
        setGeometry(rect);
    if (m_settings.readBool(Settings::Maximised))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::FormCreate(const QStringList &arguments, TSplashForm *splash)
{
    runGuarded(prompter(), m_editorBusy, 29, [&] {
        restoreWindowPosition();

        // The preview exists from start to exit when IEVisible was set at start; otherwise its button
        // explains how to get it.
        m_previewAvailable = m_settings.readBool(Settings::IEVisible);
        if (m_previewAvailable) {
            m_preview->createPreview();
        } else {
            QAction *preview = action(ActionId::InternalPreview);
            preview->setEnabled(false);
            applyHint(preview, previewDisabledHint());
        }

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
        restoreState(m_settings.read(Settings::ToolbarState).toByteArray());
        action(ActionId::WordWrap)->setChecked(m_settings.readBool(Settings::WordWrap));

        setSplash(splash, 30, QStringLiteral("Formatting Document"));
        if (TDocumentPage *page = activePage()) {
            m_documents->placeCaret(page);
            page->setModifiedFlag(false);
        }
        m_documents->Refresh();

        setSplash(splash, 45, QStringLiteral("Initialising"));
        m_formatting->fillBoxes();
        m_documents->rebuildRecentMenu();
        m_site->rebuildRecentSites();
        // The installation check has already asked for the tables; a damaged one leaves the lists empty.
        m_tagDatabase.open(programFolder());
        SiteChanged = false;
        m_documents->setUntitledCount(1);
        if (argument.endsWith(QStringLiteral(".site")) || argument.endsWith(QStringLiteral(".sit")))
            m_site->openSiteFile(argument);
        m_startupComplete = true;
        m_documents->offerRecoveryLater();

        setSplash(splash, 50, QStringLiteral("Finishing..."));
    });
}

void TMainForm::FormShow()
{
    // The tip waits until the window is on screen, so it opens over it rather than before it.
    if (m_settings.readBool(Settings::ShowTips))
        QTimer::singleShot(0, this, [this] { m_options->TipoftheDay1Click(); });
    else if (HTMLSource && HTMLSource->isVisible())
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
        m_documents->filePages()->setCurrentIndex(i);
        if (!m_documents->saveQuestion())
            return false;
    }
    return m_site->askSaveSite();
}

void TMainForm::FormClose()
{
    m_preview->FormClose();

    const bool maximised = isMaximized();
    const QRect rect = maximised ? normalGeometry() : geometry();
    m_settings.writeBool(Settings::Maximised, maximised);
    m_settings.write(Settings::Top, rect.top());
    m_settings.write(Settings::Left, rect.left());
    m_settings.write(Settings::Height, rect.height());
    m_settings.write(Settings::Width, rect.width());
    m_settings.writeBool(Settings::WordWrap, wordWrap());
    m_settings.write(Settings::ToolbarState, saveState());
}

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // Hints go to status panel 0 once start-up is complete.
        if (m_startupComplete)
            statusPanel(0)->setText(static_cast<QStatusTipEvent *>(event)->tip());
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
    return m_documents->activePage();
}

TDocumentPage *TMainForm::page(int index) const
{
    return m_documents->page(index);
}

int TMainForm::pageCount() const
{
    return m_documents->pageCount();
}

EditorBuffer *TMainForm::activeBuffer() const
{
    TDocumentPage *page = activePage();
    return page ? &page->buffer() : nullptr;
}

TColouringView *TMainForm::activeColouring() const
{
    TDocumentPage *page = activePage();
    return page ? page->colouring() : nullptr;
}

const Document *TMainForm::activeDocument() const
{
    TDocumentPage *page = activePage();
    return page ? &page->document() : nullptr;
}

bool TMainForm::activateDocument(DocumentId id)
{
    TDocumentPage *page = m_documents->pageOf(id);
    if (page && page != activePage())
        m_documents->activate(page);
    return page != nullptr;
}

bool TMainForm::wordWrap() const
{
    return action(ActionId::WordWrap)->isChecked();
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
            [this, editor](const QPoint &at) { menu(MenuId::HTMLPopup)->popup(editor->mapToGlobal(at)); });
        connect(editor, &QsciScintilla::copyAvailable, this, &TMainForm::updateEditMenu);
        connect(editor, &TSourceEditor::userEditStarting, this, [this, editor] {
            if (editor == HTMLSource)
                m_typing->userEditStarting();
        });
        m_typing->watchEditor(editor);
        m_drops->watchEditor(editor);
        m_tagEditor->watchEditor(editor);
    }
}

void TMainForm::loadSettings()
{
    runGuarded(prompter(), m_editorBusy, 11, [this] {
        m_editorSettings = EditorSettings::read(m_settings);
        m_typing->setOnReturn(m_editorSettings.onReturn);
        applyEditorSettings(activePage());
        // The preview's button keeps the hint that says why it is disabled.
        m_actions->applyHints(m_editorSettings.shortcuts,
            [this](ActionId id) { return id == ActionId::InternalPreview && !m_previewAvailable; });
    });
}

void TMainForm::updateEditMenu()
{
    const bool selection = HTMLSource && HTMLSource->hasSelectedText();
    const QMimeData *clip = QApplication::clipboard()->mimeData();
    const bool clipboardText = clip && clip->hasText();
    for (ActionId id : { ActionId::Cut, ActionId::Copy, ActionId::Cut1, ActionId::Copy1 })
        action(id)->setEnabled(selection);
    for (ActionId id : { ActionId::Paste, ActionId::Paste1 })
        action(id)->setEnabled(clipboardText);
}

void TMainForm::updateCaption()
{
    setWindowTitle(DocumentText::windowCaption(m_documents->docTitle()->text(), CurrentFileName));
    QApplication::setApplicationDisplayName(QString());
}

void TMainForm::markModified()
{
    if (TDocumentPage *page = activePage())
        page->setModifiedFlag(true);
    statusPanel(3)->setText(Product::modifiedMark());
}

void TMainForm::markSaved()
{
    if (TDocumentPage *page = activePage())
        page->setModifiedFlag(false);
    statusPanel(3)->clear();
}

void TMainForm::setSiteChanged(bool changed)
{
    SiteChanged = changed;
    statusPanel(2)->setText(changed ? Product::modifiedMark() : QString());
}

void TMainForm::FormatTags(int start, int end)
{
    if (TColouringView *colouring = activeColouring())
        colouring->FormatTags(start, end);
}

void TMainForm::documentTextReplaced()
{
    m_documents->readTitleIntoBox();
    updateCaption();
}

void TMainForm::disableTitleAndBodyControls()
{
    m_documents->docTitle()->setEnabled(false);
    m_documents->backColor()->setEnabled(false);
    action(ActionId::BaseFont1)->setEnabled(false);
    action(ActionId::DocumentOptions)->setEnabled(false);
}

void TMainForm::showTagEditorPage()
{
    m_leftPane->showPage(m_tagEditor->page());
}

void TMainForm::updatePreview()
{
    m_preview->PreviewClick();
}

void TMainForm::rebuildStyleList()
{
    m_formatting->rebuildStyleList();
}

bool TMainForm::openNewPage(const QString &text)
{
    return m_documents->openNewPage(text, isVisible(), m_startupComplete);
}

std::optional<QString> TMainForm::activePageText() const
{
    TDocumentPage *page = activePage();
    return page ? std::optional<QString>(page->buffer().text()) : std::nullopt;
}

std::optional<QString> TMainForm::activeFilePath() const
{
    TDocumentPage *page = activePage();
    return page ? page->document().path() : std::nullopt;
}

std::optional<QString> TMainForm::saveActivePageAs()
{
    m_documents->SaveAs1Click();
    return activeFilePath();
}

void TMainForm::openPage(const QString &path)
{
    if (!m_documents->refusePageLimit())
        m_documents->openFileIntoPage(path);
}

namespace { } // namespace

bool TMainForm::offerSavingPages(const QStringList &files)
{
    return m_documents->offerSavingPages(files);
}

void TMainForm::reloadPages(const QStringList &files)
{
    m_documents->reloadPages(files);
}

void TMainForm::showProgress(int done, int total)
{
    if (!StatusProgressBar) {
        StatusProgressBar = new QProgressBar(statusBar());
        StatusProgressBar->setObjectName(QStringLiteral("StatusProgressBar"));
        StatusProgressBar->setMaximumWidth(200);
        statusBar()->addWidget(StatusProgressBar);
    }
    StatusProgressBar->setVisible(total > 0);
    if (total > 0) {
        StatusProgressBar->setRange(0, total);
        StatusProgressBar->setValue(done);
    }
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::WordWrap1Click()
{
    // The action has flipped its own check; every page follows it when it becomes active.
    if (HTMLSource)
        HTMLSource->setWordWrap(wordWrap());
}

void TMainForm::RefreshClick()
{
    if (TColouringView *colouring = activeColouring())
        colouring->Refresh();
    m_documents->Refresh();
}

void TMainForm::About1Click()
{
    TAboutForm::showAbout(this);
}
