// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewcommands.h"

#include "app/documenttext.h"
#include "base/errorguard.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"
#include "previewpane.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSplitter>
#include <QUrl>
#include <Qsci/qsciprinter.h>

PreviewCommands::PreviewCommands(EditorHost &host)
    : m_host(host)
    , m_printer(std::make_unique<QsciPrinter>(QPrinter::HighResolution))
    , m_choosePrinter([](QPrinter &printer, QWidget *parent) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    })
{ }

PreviewCommands::~PreviewCommands() = default;

QSplitter *PreviewCommands::createSplitter(QWidget *pages, QWidget *parent)
{
    m_splitter = new QSplitter(Qt::Vertical, parent);
    m_splitter->setObjectName(QStringLiteral("Splitter2"));
    m_splitter->addWidget(pages);
    m_splitter->setStretchFactor(0, 1);
    connect(m_splitter, &QSplitter::splitterMoved, this, &PreviewCommands::Splitter2Moved);
    return m_splitter;
}

void PreviewCommands::createPreview()
{
    if (m_preview || !m_splitter)
        return;
    m_preview = new TPreviewPane(m_splitter);
    m_splitter->addWidget(m_preview);
    m_splitter->setStretchFactor(1, 0);
    const int height = qMax(1, m_host.settings().readInteger(Settings::IEHeight));
    const int total = qMax(m_splitter->height(), height + 100);
    m_splitter->setSizes({ total - height, height });
    connect(m_preview, &QWebEngineView::loadFinished, this, &PreviewCommands::WebBrowserDocumentComplete);
    connect(m_preview, &QWebEngineView::printFinished, this, [this](bool ok) { Q_EMIT previewPrinted(ok); });
}

void PreviewCommands::connectActions()
{
    const auto on = [this](ActionId id, void (PreviewCommands::*handler)()) {
        connect(m_host.action(id), &QAction::triggered, this, handler);
    };
    on(ActionId::InternalPreview, &PreviewCommands::PreviewClick);
    on(ActionId::ExternalPreview, &PreviewCommands::ExternalPreviewClick);
    on(ActionId::Print, &PreviewCommands::PrintClick);
    on(ActionId::Print1, &PreviewCommands::PrintClick);
    on(ActionId::PrintPreview1, &PreviewCommands::PrintPreview1Click);
    on(ActionId::PrinterSetup, &PreviewCommands::PrinterSetup1Click);
    connect(
        m_host.menu(ActionTable::MenuId::Print2), &QMenu::aboutToShow, this, &PreviewCommands::Print2Click);
    Print2Click();
}

std::optional<QString> PreviewCommands::writePreviewFile(PreviewFiles::Listing listing)
{
    const Document *document = m_host.activeDocument();
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!document || !buffer)
        return std::nullopt;
    const PreviewFiles::Written written
        = m_files.write(document->path(), buffer->text(), document->format(), listing);
    if (!written.ok) {
        m_host.prompter().message(QStringLiteral("Error"),
            QStringLiteral("The preview file could not be written:\n") + written.error, PromptButtons::Ok,
            PromptIcon::Stop);
        return std::nullopt;
    }
    return written.path;
}

void PreviewCommands::PreviewClick()
{
    // Without the preview browser no file is written: nothing would show it.
    if (!m_preview)
        return;
    // The Enter key's update hands the focus back to the editor once the page has loaded.
    TSourceEditor *editor = m_host.activeEditor();
    m_refocusEditor = editor && editor->hasFocus();
    if (const std::optional<QString> path = writePreviewFile(PreviewFiles::Listing::Listed))
        showFileInPreview(*path);
}

void PreviewCommands::showFileInPreview(const QString &path)
{
    const EditorBusy::Hold busy(m_host.editorBusy());
    if (!m_preview)
        return;
    const Document *document = m_host.activeDocument();
    const bool fromDisk = document && !document->isUntitled();
    m_preview->showFile(path, fromDisk ? TPreviewPane::Origin::Disk : TPreviewPane::Origin::Elsewhere);
}

void PreviewCommands::WebBrowserDocumentComplete()
{
    // EditorBusy is held only while the browser is pointed at the file and released by its Hold, so a
    // load that ends during another operation leaves that operation's flag alone.
    if (m_refocusEditor) {
        m_refocusEditor = false;
        if (TSourceEditor *editor = m_host.activeEditor())
            editor->setFocus();
    }
}

std::optional<QString> PreviewCommands::program(bool imageEditor) const
{
    const QString path
        = m_host.settings().readString(imageEditor ? Settings::ImageEditor : Settings::Browser).trimmed();
    const QFileInfo info(path);
    // A bare name would be looked up on PATH, which may hold something else under that name.
    if (path.isEmpty() || !info.isAbsolute() || !info.isFile() || !info.isExecutable())
        return std::nullopt;
    return info.absoluteFilePath();
}

bool PreviewCommands::start(const QString &program, const QString &file)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments({ file });
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    if (process.startDetached())
        return true;
    m_host.prompter().message(QStringLiteral("Error"),
        QStringLiteral("Could not start \"") + program + QStringLiteral("\""), PromptButtons::Ok,
        PromptIcon::Stop);
    return false;
}

void PreviewCommands::ExternalPreviewClick()
{
    std::optional<QString> browser = program(false);
    if (!browser) {
        const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Warning"),
            // clang-format off
            QStringLiteral("You must specify a browser to use before you can use this function.\nDo you wan to set this up now?"),
            // clang-format on
            PromptButtons::YesNo, PromptIcon::Warning);
        if (answer != PromptAnswer::Yes || !m_openProgramSettings)
            return;
        m_openProgramSettings();
        browser = program(false);
        if (!browser)
            return;
    }
    // Written only once there is a browser to show it, and left for the browser after the program ends.
    if (const std::optional<QString> path = writePreviewFile(PreviewFiles::Listing::Unlisted))
        start(*browser, *path);
}

void PreviewCommands::PreviewFileClick(const QString &path, FileKind kind)
{
    if (!QFileInfo::exists(path)) {
        m_host.prompter().message(QStringLiteral("Error"),
            QStringLiteral("Cannot edit file \"") + path + QStringLiteral("\"\nFile not found"),
            PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    if (const std::optional<QString> viewer = program(kind == FileKind::Image))
        start(*viewer, path);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool PreviewCommands::choosePrinter(QWidget *parent)
{
    return m_choosePrinter && m_choosePrinter(*m_printer, parent);
}

void PreviewCommands::PrintClick()
{
    runGuarded(m_host.prompter(), m_host.editorBusy(), 43, [this] {
        TSourceEditor *editor = m_host.activeEditor();
        EditorBuffer *buffer = m_host.activeBuffer();
        if (!editor || !buffer || !choosePrinter(m_host.dialogParent()))
            return;
        QsciPrinter &printer = *m_printer;
        printer.setDocName(DocumentText::readTitle(*buffer).text);
        printer.setWrapMode(QsciScintilla::WrapWord);
        // The view colours only what it shows; the whole text is coloured before it goes to paper.
        editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L);
        if (printer.printRange(editor) < 0)
            throw std::runtime_error("the page could not be printed");
    });
}

void PreviewCommands::Print2Click()
{
    m_host.action(ActionId::PrintPreview1)->setEnabled(m_preview != nullptr);
}

void PreviewCommands::PrintPreview1Click()
{
    if (!m_preview || !choosePrinter(m_host.dialogParent()))
        return;
    // The preview prints in the background into the printer, which stays alive here until it is done.
    m_preview->print(m_printer.get());
}

void PreviewCommands::PrinterSetup1Click()
{
    QPageSetupDialog dialog(m_printer.get(), m_host.dialogParent());
    dialog.exec();
}

void PreviewCommands::Splitter2Moved()
{
    if (!m_preview || !m_splitter)
        return;
    QList<int> sizes = m_splitter->sizes();
    if (sizes.size() < 2)
        return;
    if (sizes[1] <= 0) {
        sizes[1] = 1;
        sizes[0] = qMax(0, sizes[0] - 1);
        m_splitter->setSizes(sizes);
    }
    m_host.settings().write(Settings::IEHeight, qMax(1, sizes[1]));
    if (TSourceEditor *editor = m_host.activeEditor())
        editor->update();
}

void PreviewCommands::FormClose()
{
    m_files.removeAll();
    if (m_preview && m_splitter && m_splitter->sizes().size() > 1)
        m_host.settings().write(Settings::IEHeight, qMax(1, m_splitter->sizes().at(1)));
}
