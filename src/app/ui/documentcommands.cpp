// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentcommands.h"

#include "app/documentfile.h"
#include "app/documenttext.h"
#include "app/productstrings.h"
#include "app/prompter.h"
#include "app/recentfiles.h"
#include "colorbox.h"
#include "documentpage.h"
#include "editor/bodyattributes.h"
#include "editor/tagcommands.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "mainform.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>

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

BodyAttributes::Case letterCase(const EditorSettings &settings)
{
    return settings.upper ? BodyAttributes::Case::Upper : BodyAttributes::Case::Lower;
}

} // namespace

DocumentCommands::DocumentCommands(TMainForm &form)
    : m_form(form)
{ }

void DocumentCommands::connectDocumentToolbar()
{
    QLineEdit *title = m_form.docTitle();
    title->installEventFilter(this);
    connect(title, &QLineEdit::textEdited, this, &DocumentCommands::DocTitleChange);
    connect(title, &QLineEdit::returnPressed, this, &DocumentCommands::DocTitleReturn);
    connect(title, &QLineEdit::editingFinished, this, &DocumentCommands::DocTitleExit);
    connect(m_form.backColor(), &TColorBox::colorChanged, this, &DocumentCommands::BackColorColorChange);
}

TDocumentPage *DocumentCommands::createPage(const QString &caption)
{
    QTabWidget *pages = m_form.filePages();
    const int count = pages->count() + 1;
    int k = count;
    while (pages->findChild<QWidget *>(QStringLiteral("Page") + QString::number(k)))
        ++k;
    auto *page = new TDocumentPage(k, count, pages);
    connect(page, &TDocumentPage::modifiedByEdit, this, [this, page] {
        if (page == m_form.activePage())
            m_form.markModified();
    });
    m_changingPages = true;
    pages->addTab(page, caption);
    pages->setCurrentIndex(pages->count() - 1);
    m_changingPages = false;
    m_form.applyEditorSettings(page);
    return page;
}

void DocumentCommands::activate(TDocumentPage *page)
{
    m_changingPages = true;
    m_form.filePages()->setCurrentWidget(page);
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
    runGuarded(m_form.prompter(), m_form.editorBusy(), 40, [this] {
        TDocumentPage *page
            = createPage(QStringLiteral("Untitled ") + QString::number(m_form.nextUntitledNumber()));
        page->setFileName(Product::notSaved());
        page->loadText(m_form.settings().readString(Keys::Template, QStringLiteral("Template")));
        FilePagesChange();
        m_form.editorBusy().clear();
        m_form.setHTMLSource(page);
        placeCaret(page);
        m_form.markSaved();
        m_form.rebuildStyleList();
        m_form.FormatTags(0, page->buffer().length());
        if (m_form.startupComplete())
            page->editor()->setFocus();
    });
}

bool DocumentCommands::refusePageLimit()
{
    if (m_form.pageCount() < pageLimit)
        return false;
    m_form.prompter().message(Product::caption(),
        QStringLiteral("You cannot open more than 8 files in ") + Product::caption()
            + QStringLiteral(".\nPlease close one or more of the currently open files."),
        PromptButtons::Ok, PromptIcon::Stop);
    return true;
}

void DocumentCommands::OpenClick()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 42, [this] {
        if (refusePageLimit())
            return;
        const std::optional<QString> file = m_form.prompter().openFileName(
            { QStringLiteral("Open File"), htmlFilter(), QStringLiteral(".html"), QString(), QString() });
        if (file && openFileIntoPage(*file))
            addRecent(normalPath(*file));
    });
}

void DocumentCommands::RecentClick(int n)
{
    const QString file = RecentFiles::read(m_form.settings()).value(n - 1);
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        m_form.prompter().message(QStringLiteral("Error"), QStringLiteral("Cannot find file to open"),
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
    RecentFiles::add(m_form.settings(), path);
    m_form.rebuildRecentMenu();
}

bool DocumentCommands::openFileIntoPage(const QString &path)
{
    const QString file = normalPath(path);
    if (!QFileInfo::exists(file)) {
        m_form.prompter().message(Product::caption(),
            QStringLiteral("Cannot find file to open:") + u' ' + path, PromptButtons::Ok, PromptIcon::None);
        if (m_form.htmlSource())
            m_form.htmlSource()->setFocus();
        return false;
    }
    for (int i = 0; i < m_form.pageCount(); ++i) {
        TDocumentPage *page = m_form.page(i);
        if (page->fileName() == file) {
            activate(page);
            page->editor()->setFocus();
            return true;
        }
    }

    // The whole file is read before a page exists, so a failure leaves no page with partial text.
    const LoadedDocument loaded = DocumentFile::load(file);
    if (!loaded.ok) {
        m_form.prompter().message(QStringLiteral("Error"),
            QStringLiteral("Cannot open file ") + file + QStringLiteral(":\n") + loaded.error,
            PromptButtons::Ok, PromptIcon::Stop);
        return false;
    }

    TDocumentPage *page = nullptr;
    try {
        page = createPage(QFileInfo(file).fileName());
        page->setFileName(file);
        page->setFormat(loaded.format);
        page->loadText(loaded.text);
        m_form.setHTMLSource(page);

        if (page->buffer().length() >= longDocument) {
            const PromptAnswer answer = m_form.prompter().message(Product::caption(),
                QStringLiteral(
                    "This file is longer than 32KB. Some features may not work on text after the 32KB limit, and syntax highlighting will take longer. Do you still want to continue?"),
                PromptButtons::YesNo, PromptIcon::Stop);
            if (answer != PromptAnswer::Yes) {
                delete page;
                FilePagesChange();
                if (m_form.htmlSource())
                    m_form.htmlSource()->setFocus();
                return false;
            }
        }
        addRecent(file);

        if (DocumentText::lacksBody(page->buffer())) {
            const PromptAnswer answer = m_form.prompter().message(Product::caption(),
                QStringLiteral(
                    "This file does not contain the <body> tag which is needed by many functions of ")
                    + Product::caption()
                    + QStringLiteral(
                        ".\nSome HTML files, such as those including frames do not need this tag. Do you want to insert it?"),
                PromptButtons::YesNo, PromptIcon::Stop);
            if (answer == PromptAnswer::Yes) {
                DocumentText::insertBodyTags(page->buffer(), m_form.editorSettings().upper);
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
        m_form.FormatTags(0, page->buffer().length());
    } catch (...) {
        // As the old editor did: show what there is, and clear the busy flag; the page stays.
        m_form.editorBusy().clear();
        if (page) {
            m_form.FormatTags(0, page->buffer().length());
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

    const QString name
        = m_form.settings().readString(Keys::Machine, QStringLiteral("Name"), SettingsStore::Root::Machine);
    const DocumentText::TextChange change
        = DocumentText::writeAuthorTag(buffer, name, m_form.editorSettings().upper);
    // A selection after the author tag moves with the text it selected.
    if (change.position >= 0 && change.position < start)
        start = qMax(change.position, start + change.delta);
    buffer.select(start, length);
    editor->setFirstVisibleLine(firstLine);

    if (!writePage(page, path))
        return false;
    m_form.markSaved();
    return true;
}

void DocumentCommands::SaveClick()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 41, [this] {
        TDocumentPage *page = m_form.activePage();
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
        = DocumentText::proposedSaveName(DocumentText::readTitle(m_form.activePage()->buffer()).text);
    const std::optional<QString> chosen = m_form.prompter().saveFileName(
        { QStringLiteral("Save File"), saveFilter(), QStringLiteral(".html"), proposal, QString() });
    if (!chosen)
        return std::nullopt;
    const QString file = normalPath(*chosen);
    if (QFileInfo::exists(file)
        && m_form.prompter().message(QStringLiteral("Warning"),
               QStringLiteral("File already exists. Overwite?"), PromptButtons::YesNo, PromptIcon::Warning)
            != PromptAnswer::Yes)
        return std::nullopt;
    if (askSimilar && DocumentText::similarNameExists(file)
        && m_form.prompter().message(QStringLiteral("Warning"),
               QStringLiteral("A file with a similar name already exists. Save anyway?"),
               PromptButtons::YesNo, PromptIcon::Warning)
            != PromptAnswer::Yes)
        return std::nullopt;
    return file;
}

void DocumentCommands::SaveAs1Click()
{
    TDocumentPage *page = m_form.activePage();
    if (!page)
        return;
    const std::optional<QString> file = askSaveName(true);
    if (!file)
        return;
    if (file->endsWith(QStringLiteral(".txt"))
        && page->buffer().findText(QStringLiteral("<"), 0, page->buffer().length()) >= 0
        && m_form.prompter().message(QStringLiteral("Warning"),
               QStringLiteral(
                   "The HTML tags in this page will be shown as the tags rather than what they represent if you save this file as a text file. Do you want to remove them?"),
               PromptButtons::YesNo, PromptIcon::Warning)
            == PromptAnswer::Yes) {
        m_form.recordUndoStep(QStringLiteral("Strip Tags"));
        TagCommands::stripAllTags(page->buffer());
        m_form.markModified();
    }

    if (!saveWithAuthor(page, *file))
        return; // the save failed and said why; the page keeps its name
    m_form.setCurrentFileName(*file);
    page->setFileName(*file);
    m_form.filePages()->setTabText(m_form.filePages()->indexOf(page), QFileInfo(*file).fileName());
    addRecent(*file);
    m_form.updateCaption();
}

bool DocumentCommands::writePage(TDocumentPage *page, const QString &path)
{
    const QString text = page->buffer().text();
    FileFormat format = page->format();
    if (!DocumentFile::canEncode(text, format.encoding)) {
        const PromptAnswer answer = m_form.prompter().message(QStringLiteral("Warning"),
            QStringLiteral(
                "This page holds characters that the Windows-1252 encoding of its file cannot hold.\nDo you want to save it as UTF-8 instead?"),
            PromptButtons::YesNo, PromptIcon::Warning);
        if (answer != PromptAnswer::Yes)
            return false;
        format.encoding = TextEncoding::Utf8;
    }
    const SaveResult saved = DocumentFile::save(path, text, format);
    if (!saved.ok) {
        m_form.prompter().message(QStringLiteral("Error"),
            QStringLiteral("Could not save ") + path + QStringLiteral(":\n") + saved.error
                + QStringLiteral("\nThe page keeps its changes."),
            PromptButtons::Ok, PromptIcon::Stop);
        return false;
    }
    page->setFormat(format);
    return true;
}

bool DocumentCommands::saveQuestion()
{
    TDocumentPage *page = m_form.activePage();
    if (!page || !page->isModified())
        return true;
    const QString caption = m_form.filePages()->tabText(m_form.filePages()->indexOf(page));
    try {
        const PromptAnswer answer = m_form.prompter().message(QStringLiteral("Warning"),
            caption + QStringLiteral(" has changed. Save Changes?"), PromptButtons::YesNoCancel,
            PromptIcon::Warning);
        if (answer == PromptAnswer::Cancel)
            return false;
        if (answer == PromptAnswer::No)
            return true;
        if (!page->isUntitled()) {
            if (!writePage(page, page->fileName()))
                return false;
            m_form.markSaved();
            return true;
        }
        const std::optional<QString> file = askSaveName(false);
        if (!file || !writePage(page, *file))
            return false;
        page->setFileName(*file);
        m_form.filePages()->setTabText(m_form.filePages()->indexOf(page), QFileInfo(*file).fileName());
        m_form.setCurrentFileName(*file);
        addRecent(*file);
        m_form.markSaved();
        return true;
    } catch (...) {
        m_form.editorBusy().clear();
        reportErrorCode(m_form.prompter(), 13);
        m_form.prompter().message(Product::caption(),
            QStringLiteral("This program will now fail safe and save the file to disk"), PromptButtons::Ok,
            PromptIcon::None);
        const QString file = page->isUntitled() ? askSaveName(false).value_or(QString()) : page->fileName();
        // The caller may go on only when the text is safely on disk.
        return !file.isEmpty() && DocumentFile::save(file, page->buffer().text(), page->format()).ok;
    }
}

void DocumentCommands::Close1Click()
{
    if (m_form.pageCount() <= 1 || !saveQuestion())
        return;
    TDocumentPage *page = m_form.activePage();
    const int index = m_form.filePages()->indexOf(page);
    m_form.removePageUndoRecords(page);
    m_changingPages = true;
    m_form.filePages()->removeTab(index);
    delete page;
    m_form.filePages()->setCurrentIndex(qMin(index, m_form.pageCount() - 1));
    m_changingPages = false;
    FilePagesChange();
}

void DocumentCommands::File1Click()
{
    const bool many = m_form.pageCount() > 1;
    m_form.action(QStringLiteral("Close"))->setEnabled(many);
    m_form.action(QStringLiteral("Close2"))->setEnabled(many);
    bool anyRecent = false;
    for (int n = 1; n <= RecentFiles::count; ++n) {
        QAction *item = m_form.action(QStringLiteral("RecentFile") + QString::number(n));
        const bool stored = item->text().trimmed() != u'&' + QString::number(n);
        item->setVisible(stored);
        anyRecent = anyRecent || stored;
    }
    m_form.action(QStringLiteral("MenuItem15"))->setVisible(anyRecent);
}

void DocumentCommands::FilePagesChange()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 47, [this] {
        TDocumentPage *page = m_form.activePage();
        m_form.endTypingBurst();
        m_form.setHTMLSource(page);
        if (!page)
            return;
        const QSignalBlocker colourBlock(m_form.backColor());
        {
            const QSignalBlocker titleBlock(m_form.docTitle());
            readTitleIntoBox();
            m_form.updateCaption();
        }
        // Reading the colour may add the attribute to the BODY tag; the page's flag stays as it was.
        const bool modified = page->isModified();
        const BodyAttributes::Reading colour = BodyAttributes::read(page->buffer(),
            QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), letterCase(m_form.editorSettings()));
        page->setModifiedFlag(modified);
        m_form.backColor()->setSelectedColor(StrToColor(colour.value));
        m_form.backColor()->setEnabled(colour.bodyPresent);
        if (modified)
            m_form.markModified();
        else
            m_form.markSaved();
        if (m_form.startupComplete())
            m_form.updatePreview();
        m_form.applyEditorSettings(page);
        m_form.rebuildStyleList();
    });
}

void DocumentCommands::Refresh()
{
    m_form.loadSettings();
    readTitleIntoBox();
    m_form.updateCaption();
    if (TDocumentPage *page = m_form.activePage())
        m_form.FormatTags(0, page->buffer().length());
    m_form.rebuildStyleList();
}

void DocumentCommands::readTitleIntoBox()
{
    TDocumentPage *page = m_form.activePage();
    QLineEdit *box = m_form.docTitle();
    if (!page || m_form.editorBusy().isSet())
        return;
    const DocumentText::Title title = DocumentText::readTitle(page->buffer());
    const QSignalBlocker block(box);
    box->setEnabled(title.found);
    box->setText(title.found ? title.text : QString());
}

bool DocumentCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form.docTitle() && event->type() == QEvent::FocusIn)
        DocTitleEnter();
    return QObject::eventFilter(watched, event);
}

void DocumentCommands::DocTitleEnter()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 30, [this] {
        TDocumentPage *page = m_form.activePage();
        if (!page)
            return;
        m_form.recordUndoStep(QStringLiteral("Title"));
        const DocumentText::Title title = DocumentText::readTitle(page->buffer());
        m_titleStart = title.found ? title.start : -1;
        if (title.found)
            page->buffer().select(title.start, title.length);
    });
}

void DocumentCommands::DocTitleChange()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 31, [this] {
        TDocumentPage *page = m_form.activePage();
        if (!page)
            return;
        // The title is found again at each change, so an edit can only ever replace the title's text.
        const DocumentText::Title title = DocumentText::readTitle(page->buffer());
        if (!title.found)
            return;
        const QString text = m_form.docTitle()->text();
        page->buffer().select(title.start, title.length);
        page->buffer().setSelText(text);
        page->buffer().select(title.start, int(text.size()));
        m_titleStart = title.start;
        m_form.markModified();
    });
}

void DocumentCommands::DocTitleReturn()
{
    if (m_form.htmlSource())
        m_form.htmlSource()->setFocus();
    m_form.updateCaption();
}

void DocumentCommands::DocTitleExit()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 32, [this] { m_form.updateCaption(); });
}

void DocumentCommands::BackColorColorChange(TColor color)
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 33, [this, color] {
        TDocumentPage *page = m_form.activePage();
        if (!page)
            return;
        m_form.recordUndoStep(QStringLiteral("Background"));
        const QString name = ColorToStr(color);
        const QString value = m_form.editorSettings().names && name != UnknownColorName ? u'"' + name + u'"'
                                                                                        : ColorToHex(color);
        BodyAttributes::write(
            page->buffer(), QStringLiteral("BGCOLOR="), value, letterCase(m_form.editorSettings()));
        m_form.markModified();
    });
}

void DocumentCommands::CutClick()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 44, [this] {
        TSourceEditor *editor = m_form.htmlSource();
        if (!editor || !editor->hasSelectedText())
            return;
        m_form.recordUndoStep(QStringLiteral("Cut"));
        editor->cut();
        m_form.markModified();
    });
}

void DocumentCommands::CopyClick()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 45, [this] {
        if (TSourceEditor *editor = m_form.htmlSource())
            editor->copy();
    });
}

void DocumentCommands::PasteClick()
{
    runGuarded(m_form.prompter(), m_form.editorBusy(), 46, [this] {
        TDocumentPage *page = m_form.activePage();
        if (!page || m_form.isColouringRunning())
            return;
        m_form.recordUndoStep(QStringLiteral("Paste"));
        const int caret = page->buffer().selStart();
        page->editor()->paste();
        m_form.FormatTags(caret, page->buffer().selStart());
        m_form.markModified();
        page->editor()->setFocus();
    });
}
