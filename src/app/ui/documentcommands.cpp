// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentcommands.h"

#include "app/charset.h"
#include "app/documenttext.h"
#include "app/recentfiles.h"
#include "base/documentfile.h"
#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "base/ui/actionset.h"
#include "colorbox.h"
#include "documenthost.h"
#include "documentpage.h"
#include "editor/bodyattributes.h"
#include "editor/editorsettings.h"
#include "editor/tagcommands.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "journalcommands.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

using ActionTable::MenuId;
using ActionTable::ToolWidget;

namespace {

constexpr int pageLimit = 8;
constexpr int longDocument = 32768;

QString htmlFilter()
{
    return QStringLiteral("HTML Files (*.html, *.htm)|*.html;*.htm|All Files (*.*)|*.*");
}

QString saveFilter()
{
    return QStringLiteral(
        "Internet Document (HTML) (*.html)|*.html;*.htm|Text Document (*.txt)|*.txt|HyperText Templates (*.htt)|*.htt|All Files (*.*)|*.*");
}

// Paths are compared as the file system does: exactly, after making them absolute and clean.
QString normalPath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

ActionId recentFile(int n)
{
    return ActionId(int(ActionId::RecentFile1) + n - 1);
}

bool isXhtml(TDocumentPage *page)
{
    return Charset::isXhtml(page->buffer().textRange(0, 8192));
}

BodyAttributes::Case letterCase(const EditorSettings &settings)
{
    return settings.upper ? BodyAttributes::Case::Upper : BodyAttributes::Case::Lower;
}

// Puts text in place of the page's, moving the selection by what changed before it (the charset
// declarations of a converted page, near the top).
void replaceKeepingSelection(TDocumentPage *page, const QString &text)
{
    EditorBuffer &buffer = page->buffer();
    const QString old = buffer.text();
    qsizetype same = 0;
    while (same < old.size() && same < text.size() && old.at(same) == text.at(same))
        ++same;
    const int delta = int(text.size() - old.size());
    int start = buffer.selStart();
    const int length = buffer.selLength();
    const int firstLine = page->editor()->firstVisibleLine();
    buffer.setText(text);
    if (start > same)
        start = qMax(int(same), start + delta);
    buffer.select(start, length);
    page->editor()->setFirstVisibleLine(firstLine);
}

} // namespace

DocumentCommands::DocumentCommands(DocumentHost &host)
    : m_host(host)
    , m_journal(std::make_unique<JournalCommands>(*this))
{ }

DocumentCommands::~DocumentCommands() = default;

QTabWidget *DocumentCommands::createPageControl(QWidget *parent)
{
    FilePages = new QTabWidget(parent);
    FilePages->setObjectName(QStringLiteral("FilePages"));
    FilePages->setDocumentMode(true);
    FilePages->setMovable(false);
    connect(FilePages, &QTabWidget::currentChanged, this, [this] {
        if (!m_changingPages)
            FilePagesChange();
    });
    FilePages->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FilePages->tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        File1Click();
        m_host.menu(MenuId::FilePagesPopup)->popup(FilePages->tabBar()->mapToGlobal(at));
    });
    return FilePages;
}

QWidget *DocumentCommands::toolWidget(ToolWidget which, QToolBar *bar)
{
    switch (which) {
    case ToolWidget::TitleLabel: {
        m_titleLabel = new QLabel(QStringLiteral(" Title: "), bar);
        return m_titleLabel;
    }
    case ToolWidget::DocTitle:
        DocTitle = new QLineEdit(bar);
        DocTitle->setObjectName(QStringLiteral("DocTitle"));
        DocTitle->setMinimumWidth(260);
        DocTitle->setMaximumWidth(480);
        applyHint(DocTitle,
            QStringLiteral(
                "Document Title|Change the title of the document which is shown in the browser title bar"));
        if (m_titleLabel)
            m_titleLabel->setBuddy(DocTitle);
        DocTitle->installEventFilter(this);
        connect(DocTitle, &QLineEdit::textEdited, this, &DocumentCommands::DocTitleChange);
        connect(DocTitle, &QLineEdit::returnPressed, this, &DocumentCommands::DocTitleReturn);
        connect(DocTitle, &QLineEdit::editingFinished, this, &DocumentCommands::DocTitleExit);
        return DocTitle;
    case ToolWidget::BackgroundLabel:
        return new QLabel(QStringLiteral("  Background: "), bar);
    case ToolWidget::BackColor:
        BackColor = new TColorBox(bar);
        BackColor->setObjectName(QStringLiteral("BackColor"));
        applyHint(BackColor, QStringLiteral("Background Color|Change the background color of the page"));
        connect(BackColor, &TColorBox::colorChanged, this, &DocumentCommands::BackColorColorChange);
        return BackColor;
    default:
        return nullptr;
    }
}

void DocumentCommands::connectActions()
{
    const auto on = [this](ActionId id, void (DocumentCommands::*handler)()) {
        connect(m_host.action(id), &QAction::triggered, this, handler);
    };
    on(ActionId::NewHTMLFile, &DocumentCommands::NewClick);
    on(ActionId::New1, &DocumentCommands::NewClick);
    on(ActionId::Open, &DocumentCommands::OpenClick);
    on(ActionId::Open1, &DocumentCommands::OpenClick);
    on(ActionId::Save, &DocumentCommands::SaveClick);
    on(ActionId::Save1, &DocumentCommands::SaveClick);
    on(ActionId::SaveAs1, &DocumentCommands::SaveAs1Click);
    on(ActionId::SaveAs2, &DocumentCommands::SaveAs1Click);
    on(ActionId::Close, &DocumentCommands::Close1Click);
    on(ActionId::Close2, &DocumentCommands::Close1Click);
    on(ActionId::Cut, &DocumentCommands::CutClick);
    on(ActionId::Cut1, &DocumentCommands::CutClick);
    on(ActionId::Copy, &DocumentCommands::CopyClick);
    on(ActionId::Copy1, &DocumentCommands::CopyClick);
    on(ActionId::Paste, &DocumentCommands::PasteClick);
    on(ActionId::Paste1, &DocumentCommands::PasteClick);
    for (int n = 1; n <= RecentFiles::count; ++n) {
        connect(m_host.action(recentFile(n)), &QAction::triggered, this, [this, n] { RecentClick(n); });
    }
    connect(m_host.menu(MenuId::File), &QMenu::aboutToShow, this, &DocumentCommands::File1Click);
    connect(m_host.menu(MenuId::FilePagesPopup), &QMenu::aboutToShow, this, &DocumentCommands::File1Click);
}

TDocumentPage *DocumentCommands::activePage() const
{
    return qobject_cast<TDocumentPage *>(FilePages->currentWidget());
}

TDocumentPage *DocumentCommands::page(int index) const
{
    return qobject_cast<TDocumentPage *>(FilePages->widget(index));
}

int DocumentCommands::pageCount() const
{
    return FilePages->count();
}

TDocumentPage *DocumentCommands::pageOf(DocumentId id) const
{
    for (int i = 0; i < pageCount(); ++i) {
        if (page(i)->undoId() == id)
            return page(i);
    }
    return nullptr;
}

void DocumentCommands::rebuildRecentMenu()
{
    const QStringList files = RecentFiles::read(m_host.settings());
    for (int n = 1; n <= RecentFiles::count; ++n) {
        QAction *item = m_host.action(recentFile(n));
        item->setText(RecentFiles::menuCaption(n, files.at(n - 1)));
        // The menu shows file names only; the status bar tells two index.html apart by their folders.
        item->setStatusTip(files.at(n - 1).isEmpty()
                ? QString()
                : QDir::toNativeSeparators(QFileInfo(files.at(n - 1)).absolutePath()));
    }
}

TDocumentPage *DocumentCommands::createPage(const QString &caption)
{
    QTabWidget *pages = FilePages;
    const int count = pages->count() + 1;
    // The pages are named Page1, Page2, ...; a new page takes the first number no open page has.
    int k = count;
    const auto taken = [this](int number) {
        for (int i = 0; i < pageCount(); ++i) {
            if (page(i)->objectName() == QStringLiteral("Page") + QString::number(number))
                return true;
        }
        return false;
    };
    while (taken(k))
        ++k;
    auto *page = new TDocumentPage(k, count, pages);
    m_journal->watch(page);
    connect(page, &TDocumentPage::modifiedByEdit, this, [this, page] {
        if (page == activePage())
            m_host.markModified();
    });
    connect(page->editor(), &QsciScintilla::cursorPositionChanged, this, [this, page] {
        if (page == activePage())
            reportCaret(page);
    });
    m_changingPages = true;
    pages->addTab(page, caption);
    pages->setCurrentIndex(pages->count() - 1);
    m_changingPages = false;
    m_host.applyEditorSettings(page);
    return page;
}

void DocumentCommands::nameTab(TDocumentPage *page)
{
    const int index = FilePages->indexOf(page);
    FilePages->setTabText(index, QFileInfo(page->fileName()).fileName());
    // Two pages named index.html are told apart by their full paths.
    FilePages->setTabToolTip(index, QDir::toNativeSeparators(page->fileName()));
}

void DocumentCommands::reportCaret(TDocumentPage *page)
{
    EditorBuffer &buffer = page->buffer();
    const int caret
        = buffer.characterPosition(page->editor()->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS));
    const int line = buffer.lineFromPosition(caret);
    Q_EMIT caretMoved(line + 1, caret - buffer.positionFromLine(line) + 1);
}

void DocumentCommands::activate(TDocumentPage *page)
{
    m_changingPages = true;
    FilePages->setCurrentWidget(page);
    m_changingPages = false;
    FilePagesChange();
}

void DocumentCommands::placeCaret(TDocumentPage *page)
{
    DocumentText::placeCaretAfterBody(page->buffer());
    page->editor()->ensureCursorVisible();
}

void DocumentCommands::NewClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 40, [this] {
        TDocumentPage *page = createPage(QStringLiteral("Untitled ") + QString::number(++UntitledCount));
        page->loadText(m_host.settings().readString(Settings::Template));
        // A template that declares an 8-bit charset makes pages saved in it.
        if (Charset::isEightBit(Charset::declared(page->buffer().text())))
            page->setFormat({ TextEncoding::Windows1252, page->format().lineEnd });
        FilePagesChange();
        m_host.editorBusy().clear();
        m_host.setHTMLSource(page);
        placeCaret(page);
        m_host.markSaved();
        m_host.rebuildStyleList();
        m_host.FormatTags(0, page->buffer().length());
        if (m_host.startupComplete())
            page->editor()->setFocus();
    });
}

bool DocumentCommands::refusePageLimit()
{
    if (pageCount() < pageLimit)
        return false;
    m_host.prompter().message(Product::caption(),
        QStringLiteral("You cannot open more than 8 files in ") + Product::caption()
            + QStringLiteral(".\nPlease close one or more of the currently open files."),
        PromptButtons::Ok, PromptIcon::Stop);
    return true;
}

void DocumentCommands::OpenClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 42, [this] {
        if (refusePageLimit())
            return;
        const std::optional<QString> file = m_host.prompter().openFileName(
            { QStringLiteral("Open File"), htmlFilter(), QStringLiteral(".html"), QString(), QString() });
        if (file && openFileIntoPage(*file))
            addRecent(normalPath(*file));
    });
}

void DocumentCommands::RecentClick(int n)
{
    const QString file = RecentFiles::read(m_host.settings()).value(n - 1);
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        m_host.prompter().message(QStringLiteral("Error"), QStringLiteral("Cannot find file to open"),
            PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    if (refusePageLimit())
        return;
    if (openFileIntoPage(file))
        addRecent(normalPath(file));
}

void DocumentCommands::addRecent(const QString &path)
{
    RecentFiles::add(m_host.settings(), path);
    rebuildRecentMenu();
}

bool DocumentCommands::openFileIntoPage(const QString &path)
{
    const QString file = normalPath(path);
    if (!QFileInfo::exists(file)) {
        m_host.prompter().message(Product::caption(),
            QStringLiteral("Cannot find file to open:") + u' ' + path, PromptButtons::Ok, PromptIcon::None);
        if (m_host.activeEditor())
            m_host.activeEditor()->setFocus();
        return false;
    }
    // A symlink and its target are one file: a second page of it could overwrite the first's changes.
    const QString canonical = QFileInfo(file).canonicalFilePath();
    for (int i = 0; i < pageCount(); ++i) {
        TDocumentPage *open = page(i);
        if (open->fileName() == file
            || (!open->isUntitled() && QFileInfo(open->fileName()).canonicalFilePath() == canonical)) {
            activate(open);
            open->editor()->setFocus();
            return true;
        }
    }

    // The whole file is read before a page exists, so a failure leaves no page with partial text.
    const LoadedDocument loaded = DocumentFile::load(file);
    if (!loaded.ok) {
        m_host.prompter().message(QStringLiteral("Error"),
            QStringLiteral("Cannot open file ") + file + QStringLiteral(":\n") + loaded.error,
            PromptButtons::Ok, PromptIcon::Stop);
        return false;
    }

    TDocumentPage *page = nullptr;
    try {
        page = createPage(QFileInfo(file).fileName());
        page->setFileName(file);
        nameTab(page);
        page->setFormat(Charset::formatForPage(loaded.text, loaded.format));
        page->loadText(loaded.text);
        m_journal->baseline(page, file);
        m_host.setHTMLSource(page);

        if (page->buffer().length() >= longDocument) {
            const PromptAnswer answer = m_host.prompter().message(Product::caption(),
                QStringLiteral(
                    "This file is longer than 32KB. Some features may not work on text after the 32KB limit, and syntax highlighting will take longer. Do you still want to continue?"),
                PromptButtons::YesNo, PromptIcon::Stop);
            if (answer != PromptAnswer::Yes) {
                delete page;
                FilePagesChange();
                if (m_host.activeEditor())
                    m_host.activeEditor()->setFocus();
                return false;
            }
        }
        addRecent(file);

        if (DocumentText::lacksBody(page->buffer())) {
            const PromptAnswer answer = m_host.prompter().message(Product::caption(),
                QStringLiteral(
                    "This file does not contain the <body> tag which is needed by many functions of ")
                    + Product::caption()
                    + QStringLiteral(
                        ".\nSome HTML files, such as those including frames do not need this tag. Do you want to insert it?"),
                PromptButtons::YesNo, PromptIcon::Stop);
            if (answer == PromptAnswer::Yes) {
                DocumentText::insertBodyTags(page->buffer(), m_host.editorSettings().upper);
                page->setModifiedFlag(true);
            } else {
                page->setModifiedFlag(false);
            }
        } else {
            page->setModifiedFlag(false);
        }
        placeCaret(page);
        FilePagesChange();
        page->editor()->setFocus();
        m_host.FormatTags(0, page->buffer().length());
    } catch (...) {
        // As the old editor did: show what there is, and clear the busy flag; the page stays.
        m_host.editorBusy().clear();
        if (page) {
            m_host.FormatTags(0, page->buffer().length());
            page->editor()->setFocus();
        }
    }
    return page != nullptr;
}

bool DocumentCommands::saveWithAuthor(TDocumentPage *page, const QString &path)
{
    EditorBuffer &buffer = page->buffer();
    TSourceEditor *editor = page->editor();
    int start = buffer.selStart();
    const int length = buffer.selLength();
    const int firstLine = editor->firstVisibleLine();

    const QString name = m_host.settings().readString(Settings::UserName);
    const DocumentText::TextChange change
        = DocumentText::writeAuthorTag(buffer, name, m_host.editorSettings().upper, page->format().encoding);
    // A selection after the author tag moves with the text it selected.
    if (change.position >= 0 && change.position < start)
        start = qMax(change.position, start + change.delta);
    buffer.select(start, length);
    editor->setFirstVisibleLine(firstLine);

    if (!writePage(page, path))
        return false;
    m_host.markSaved();
    return true;
}

void DocumentCommands::SaveClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 41, [this] {
        TDocumentPage *page = activePage();
        if (!page)
            return;
        if (page->isUntitled()) {
            SaveAs1Click();
            return;
        }
        saveWithAuthor(page, page->fileName());
    });
}

std::optional<QString> DocumentCommands::askSaveName(bool askSimilar)
{
    const QString proposal
        = DocumentText::proposedSaveName(DocumentText::readTitle(activePage()->buffer()).text);
    const std::optional<QString> chosen = m_host.prompter().saveFileName(
        { QStringLiteral("Save File"), saveFilter(), QStringLiteral(".html"), proposal, QString() });
    if (!chosen)
        return std::nullopt;
    const QString file = normalPath(*chosen);
    if (QFileInfo::exists(file)
        && m_host.prompter().message(QStringLiteral("Warning"),
               QStringLiteral("File already exists. Overwite?"), PromptButtons::YesNo, PromptIcon::Warning)
            != PromptAnswer::Yes)
        return std::nullopt;
    if (askSimilar && DocumentText::similarNameExists(file)
        && m_host.prompter().message(QStringLiteral("Warning"),
               QStringLiteral("A file with a similar name already exists. Save anyway?"),
               PromptButtons::YesNo, PromptIcon::Warning)
            != PromptAnswer::Yes)
        return std::nullopt;
    return file;
}

void DocumentCommands::SaveAs1Click()
{
    TDocumentPage *page = activePage();
    if (!page)
        return;
    const std::optional<QString> file = askSaveName(true);
    if (!file)
        return;
    if (file->endsWith(QStringLiteral(".txt"))
        && page->buffer().findText(QStringLiteral("<"), 0, page->buffer().length()) >= 0
        && m_host.prompter().message(QStringLiteral("Warning"),
               QStringLiteral(
                   "The HTML tags in this page will be shown as the tags rather than what they represent if you save this file as a text file. Do you want to remove them?"),
               PromptButtons::YesNo, PromptIcon::Warning)
            == PromptAnswer::Yes) {
        m_host.recordUndoStep(QStringLiteral("Strip Tags"));
        TagCommands::stripAllTags(page->buffer());
        m_host.markModified();
    }

    if (!saveWithAuthor(page, *file))
        return; // the save failed and said why; the page keeps its name
    page->setFileName(*file);
    m_host.setHTMLSource(page);
    nameTab(page);
    addRecent(*file);
    m_host.updateCaption();
}

bool DocumentCommands::writePage(TDocumentPage *page, const QString &path)
{
    QString text = page->buffer().text();
    FileFormat format = page->format();
    const QString declared = Charset::declared(text);
    if (!DocumentFile::canEncode(text, format.encoding)) {
        if (format.encoding == TextEncoding::Windows1252 && Charset::isEightBit(declared)
            && m_writesReferences.contains(page->undoId())) {
            text = Charset::withReferences(text, format.encoding); // chosen at an earlier save of the page
        } else if (format.encoding == TextEncoding::Windows1252 && Charset::isEightBit(declared)) {
            // The bytes must never contradict the page's own declaration: either the 8-bit file keeps
            // those characters as references, or the page becomes UTF-8 and says so.
            const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Warning"),
                QStringLiteral(
                    "This page declares the %1 encoding, which cannot hold %2.\n"
                    "Yes keeps the page %1 and writes such characters as character references "
                    "(&#...;); No converts the page to UTF-8 and changes its charset declarations.")
                    .arg(declared, Charset::firstUnencodable(text, format.encoding)),
                PromptButtons::YesNoCancel, PromptIcon::Warning);
            if (answer == PromptAnswer::Cancel)
                return false;
            if (answer == PromptAnswer::Yes) {
                text = Charset::withReferences(text, format.encoding);
                m_writesReferences.insert(page->undoId());
            } else {
                format.encoding = TextEncoding::Utf8;
                text = Charset::declaringUtf8(text);
            }
        } else {
            const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Warning"),
                QStringLiteral(
                    "This page holds characters that the Windows-1252 encoding of its file cannot hold.\nDo you want to save it as UTF-8 instead?"),
                PromptButtons::YesNo, PromptIcon::Warning);
            if (answer != PromptAnswer::Yes)
                return false;
            format.encoding = TextEncoding::Utf8;
        }
    }
    const SaveResult saved = DocumentFile::save(path, text, format);
    if (!saved.ok) {
        m_host.prompter().message(QStringLiteral("Error"),
            QStringLiteral("Could not save ") + path + QStringLiteral(":\n") + saved.error
                + QStringLiteral("\nThe page keeps its changes."),
            PromptButtons::Ok, PromptIcon::Stop);
        return false;
    }
    // The converted declarations are the page's text from now on; references stay in the file only.
    if (format.encoding != page->format().encoding && text != page->buffer().text())
        replaceKeepingSelection(page, text);
    page->setFormat(format);
    m_journal->forget(page);
    m_journal->baseline(page, path);
    return true;
}

bool DocumentCommands::saveQuestion()
{
    TDocumentPage *page = activePage();
    if (!page || !page->isModified())
        return true;
    const QString caption = FilePages->tabText(FilePages->indexOf(page));
    try {
        const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Warning"),
            caption + QStringLiteral(" has changed. Save Changes?"), PromptButtons::YesNoCancel,
            PromptIcon::Warning);
        if (answer == PromptAnswer::Cancel)
            return false;
        if (answer == PromptAnswer::No) {
            m_journal->forget(page);
            return true;
        }
        if (!page->isUntitled()) {
            if (!writePage(page, page->fileName()))
                return false;
            m_host.markSaved();
            return true;
        }
        const std::optional<QString> file = askSaveName(false);
        if (!file || !writePage(page, *file))
            return false;
        page->setFileName(*file);
        nameTab(page);
        m_host.setHTMLSource(page);
        addRecent(*file);
        m_host.markSaved();
        return true;
    } catch (...) {
        m_host.editorBusy().clear();
        reportErrorCode(m_host.prompter(), 13);
        m_host.prompter().message(Product::caption(),
            QStringLiteral("This program will now fail safe and save the file to disk"), PromptButtons::Ok,
            PromptIcon::None);
        const QString file = page->isUntitled() ? askSaveName(false).value_or(QString()) : page->fileName();
        // The caller may go on only when the text is safely on disk.
        // Characters the file's encoding cannot hold must not stop this save: they go in as references.
        return !file.isEmpty()
            && DocumentFile::save(
                file, Charset::withReferences(page->buffer().text(), page->format().encoding), page->format())
                   .ok;
    }
}

void DocumentCommands::Close1Click()
{
    if (pageCount() <= 1 || !saveQuestion())
        return;
    TDocumentPage *page = activePage();
    const int index = FilePages->indexOf(page);
    Q_EMIT pageClosing(page->undoId());
    m_writesReferences.remove(page->undoId());
    m_journal->forget(page);
    m_changingPages = true;
    FilePages->removeTab(index);
    delete page;
    FilePages->setCurrentIndex(qMin(index, pageCount() - 1));
    m_changingPages = false;
    FilePagesChange();
}

void DocumentCommands::File1Click()
{
    const bool many = pageCount() > 1;
    m_host.action(ActionId::Close)->setEnabled(many);
    m_host.action(ActionId::Close2)->setEnabled(many);
    bool anyRecent = false;
    for (int n = 1; n <= RecentFiles::count; ++n) {
        QAction *item = m_host.action(recentFile(n));
        const bool stored = item->text().trimmed() != u'&' + QString::number(n);
        item->setVisible(stored);
        anyRecent = anyRecent || stored;
    }
    m_host.action(ActionId::MenuItem15)->setVisible(anyRecent);
}

void DocumentCommands::FilePagesChange()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 47, [this] {
        TDocumentPage *page = activePage();
        Q_EMIT pageChanging();
        m_host.setHTMLSource(page);
        if (!page)
            return;
        const QSignalBlocker colourBlock(BackColor);
        {
            const QSignalBlocker titleBlock(DocTitle);
            readTitleIntoBox();
            m_host.updateCaption();
        }
        // Reading the colour may add the attribute to the BODY tag; the page's flag stays as it was.
        const bool modified = page->isModified();
        const BodyAttributes::Reading colour
            = BodyAttributes::read(page->buffer(), QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"),
                letterCase(m_host.editorSettings()), isXhtml(page));
        page->setModifiedFlag(modified);
        BackColor->setSelectedColor(StrToColor(colour.value));
        BackColor->setEnabled(colour.bodyPresent);
        m_host.action(ActionId::DocumentOptions)->setEnabled(colour.bodyPresent);
        if (modified)
            m_host.markModified();
        else
            m_host.markSaved();
        if (m_host.startupComplete())
            m_host.updatePreview();
        m_host.applyEditorSettings(page);
        m_host.rebuildStyleList();
        reportCaret(page);
    });
}

void DocumentCommands::Refresh()
{
    m_host.loadSettings();
    readTitleIntoBox();
    m_host.updateCaption();
    if (TDocumentPage *page = activePage())
        m_host.FormatTags(0, page->buffer().length());
    m_host.rebuildStyleList();
}

void DocumentCommands::readTitleIntoBox()
{
    TDocumentPage *page = activePage();
    QLineEdit *box = DocTitle;
    if (!page || m_host.editorBusy().isSet())
        return;
    const DocumentText::Title title = DocumentText::readTitle(page->buffer());
    const QSignalBlocker block(box);
    box->setEnabled(title.found);
    box->setText(title.found ? title.text : QString());
}

void DocumentCommands::refreshBoxes()
{
    TDocumentPage *page = activePage();
    if (!page)
        return;
    readTitleIntoBox();
    const BodyAttributes::Reading colour
        = BodyAttributes::peek(page->buffer(), QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"));
    const QSignalBlocker block(BackColor);
    BackColor->setSelectedColor(StrToColor(colour.value));
    BackColor->setEnabled(colour.bodyPresent);
    m_host.action(ActionId::DocumentOptions)->setEnabled(colour.bodyPresent);
}

bool DocumentCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DocTitle && event->type() == QEvent::FocusIn)
        DocTitleEnter();
    return QObject::eventFilter(watched, event);
}

void DocumentCommands::DocTitleEnter()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 30, [this] {
        TDocumentPage *page = activePage();
        if (!page)
            return;
        m_host.recordUndoStep(QStringLiteral("Title"));
        const DocumentText::Title title = DocumentText::readTitle(page->buffer());
        m_titleStart = title.found ? title.start : -1;
        if (title.found)
            page->buffer().select(title.start, title.length);
    });
}

void DocumentCommands::DocTitleChange()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 31, [this] {
        TDocumentPage *page = activePage();
        if (!page)
            return;
        // The title is found again at each change, so an edit can only ever replace the title's text.
        const DocumentText::Title title = DocumentText::readTitle(page->buffer());
        if (!title.found)
            return;
        const QString text = DocTitle->text();
        page->buffer().select(title.start, title.length);
        page->buffer().setSelText(text);
        page->buffer().select(title.start, int(text.size()));
        m_titleStart = title.start;
        m_host.markModified();
    });
}

void DocumentCommands::DocTitleReturn()
{
    if (m_host.activeEditor())
        m_host.activeEditor()->setFocus();
    m_host.updateCaption();
}

void DocumentCommands::DocTitleExit()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 32, [this] { m_host.updateCaption(); });
}

void DocumentCommands::BackColorColorChange(TColor color)
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 33, [this, color] {
        TDocumentPage *page = activePage();
        if (!page)
            return;
        m_host.recordUndoStep(QStringLiteral("Background"));
        const QString name = ColorToStr(color);
        // An XHTML page must stay well-formed XML: its values are always quoted.
        const bool named = m_host.editorSettings().names && name != UnknownColorName;
        const QString value = named ? u'"' + name + u'"'
            : isXhtml(page)         ? u'"' + ColorToHex(color) + u'"'
                                    : ColorToHex(color);
        BodyAttributes::write(
            page->buffer(), QStringLiteral("BGCOLOR="), value, letterCase(m_host.editorSettings()));
        m_host.markModified();
    });
}

void DocumentCommands::CutClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 44, [this] {
        TSourceEditor *editor = m_host.activeEditor();
        if (!editor || !editor->hasSelectedText())
            return;
        m_host.recordUndoStep(QStringLiteral("Cut"));
        editor->cut();
        m_host.markModified();
    });
}

void DocumentCommands::CopyClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 45, [this] {
        if (TSourceEditor *editor = m_host.activeEditor())
            editor->copy();
    });
}

void DocumentCommands::PasteClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 46, [this] {
        TDocumentPage *page = activePage();
        if (!page)
            return;
        m_host.recordUndoStep(QStringLiteral("Paste"));
        const int caret = page->buffer().selStart();
        page->editor()->paste();
        m_host.FormatTags(caret, page->buffer().selStart());
        m_host.markModified();
        page->editor()->setFocus();
    });
}

void DocumentCommands::offerRecoveryLater()
{
    QTimer::singleShot(0, m_journal.get(), &JournalCommands::offerRecovery);
}

QString DocumentCommands::captionOf(TDocumentPage *page) const
{
    return FilePages->tabText(FilePages->indexOf(page));
}

TDocumentPage *DocumentCommands::openRecovered(const JournalEntry &entry)
{
    if (refusePageLimit())
        return nullptr;
    TDocumentPage *page = nullptr;
    for (int i = 0; i < pageCount() && !entry.fileName.isEmpty(); ++i) {
        if (this->page(i)->fileName() == entry.fileName)
            page = this->page(i);
    }
    if (!page) {
        page = createPage(entry.fileName.isEmpty()
                ? QStringLiteral("Untitled ") + QString::number(++UntitledCount)
                : QFileInfo(entry.fileName).fileName());
        if (!entry.fileName.isEmpty())
            page->setFileName(entry.fileName);
    }
    page->setFormat(entry.format);
    page->buffer().setUtf8Text(entry.text);
    page->setModifiedFlag(true);
    activate(page);
    m_host.setHTMLSource(page);
    m_host.markModified();
    m_host.FormatTags(0, page->buffer().length());
    return page;
}

QList<TDocumentPage *> DocumentCommands::pagesOf(const QStringList &files) const
{
    QSet<QString> wanted;
    for (const QString &file : files)
        wanted.insert(QFileInfo(file).absoluteFilePath());
    QList<TDocumentPage *> pages;
    for (int i = 0; i < pageCount(); ++i) {
        TDocumentPage *open = page(i);
        if (!open->isUntitled() && wanted.contains(QFileInfo(open->fileName()).absoluteFilePath()))
            pages.append(open);
    }
    return pages;
}

bool DocumentCommands::openNewPage(const QString &text, bool windowVisible, bool focusEditor)
{
    if (refusePageLimit())
        return false;
    NewClick();
    TDocumentPage *page = activePage();
    if (!page)
        return false;
    page->loadText(text);
    // Pages that declare an 8-bit charset are saved in it, as a new page from such a template is.
    page->setFormat(
        { Charset::isEightBit(Charset::declared(page->buffer().text())) ? TextEncoding::Windows1252
                                                                        : TextEncoding::Utf8,
            LineEnd::CrLf });
    FilePagesChange();
    m_host.markModified();
    placeCaret(page);
    m_host.FormatTags(0, page->buffer().length());
    if (windowVisible)
        m_host.updatePreview();
    if (focusEditor)
        page->editor()->setFocus();
    return true;
}

bool DocumentCommands::offerSavingPages(const QStringList &files)
{
    TDocumentPage *wasActive = activePage();
    bool goOn = true;
    for (TDocumentPage *page : pagesOf(files)) {
        if (!page->isModified())
            continue;
        activate(page);
        if (!saveQuestion()) {
            goOn = false;
            break;
        }
    }
    if (goOn && wasActive && activePage() != wasActive)
        activate(wasActive);
    return goOn;
}

void DocumentCommands::reloadPages(const QStringList &files)
{
    for (TDocumentPage *page : pagesOf(files)) {
        if (page->isModified())
            continue;
        const LoadedDocument loaded = DocumentFile::load(page->fileName());
        if (!loaded.ok)
            continue;
        page->loadText(loaded.text);
        page->setFormat(loaded.format);
        if (page == activePage())
            refreshBoxes();
    }
}
