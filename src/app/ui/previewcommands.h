// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/previewfiles.h"

#include <QObject>

#include <functional>
#include <memory>

class EditorHost;
class QPrinter;
class QsciPrinter;
class QSplitter;
class QWidget;
class TPreviewPane;

// The previews and printing: the internal preview under the pages, the external browser and image
// editor, printing the source or the preview, and the preview files they write. The main window owns it
// and asks it for the splitter that holds the pages and the preview.
class PreviewCommands : public QObject
{
    Q_OBJECT
public:
    explicit PreviewCommands(EditorHost &host);
    ~PreviewCommands() override;

    // Splitter2: the pages above, the internal preview (once created) below.
    QSplitter *createSplitter(QWidget *pages, QWidget *parent);
    // At start-up, when IEVisible is set: the preview browser, IEHeight high.
    void createPreview();
    TPreviewPane *preview() const { return m_preview; }
    void connectActions();

    // Opens the settings dialog on its Programs page, for the question about a missing browser.
    void setOpenProgramSettings(std::function<void()> open) { m_openProgramSettings = std::move(open); }
    // Replaces the print dialog: fills in the printer and answers whether to print.
    using PrinterChooser = std::function<bool(QPrinter &printer, QWidget *parent)>;
    void setPrinterChooser(PrinterChooser chooser) { m_choosePrinter = std::move(chooser); }

    void PreviewClick();
    void ExternalPreviewClick();
    // The site panel's Preview button: a page goes to the browser, an image to the image editor.
    enum class FileKind { Page, Image };
    void PreviewFileClick(const QString &path, FileKind kind);
    // The site tree's selected page or picture, for its Preview button; nothing for anything else.
    struct SiteFile
    {
        QString path;
        FileKind kind;
    };
    void setSiteSelection(std::function<std::optional<SiteFile>()> selection)
    {
        m_siteSelection = std::move(selection);
    }
    void PrintClick();
    void PrintPreview1Click();
    void Print2Click();
    void PrinterSetup1Click();
    void Splitter2Moved();
    void WebBrowserDocumentComplete();

    // Window close: the preview files go; IEHeight is written while the preview exists.
    void FormClose();
    PreviewFiles &files() { return m_files; }

Q_SIGNALS:
    // A print of the preview has ended, well or not.
    void previewPrinted(bool ok);

private:
    // Writes the active page to its preview file; nothing when there is no page or the write failed
    // (which the user is told).
    std::optional<QString> writePreviewFile(PreviewFiles::Listing listing);
    void showFileInPreview(const QString &path);
    // The configured program when it names an existing executable file by its full path.
    std::optional<QString> program(bool imageEditor) const;
    bool start(const QString &program, const QString &file);
    bool choosePrinter(QWidget *parent);

    EditorHost &m_host;
    PreviewFiles m_files;
    QSplitter *m_splitter = nullptr;
    TPreviewPane *m_preview = nullptr;
    bool m_refocusEditor = false;
    // One printer for every print, so Printer Setup's choices hold for the next print.
    std::unique_ptr<QsciPrinter> m_printer;
    std::function<void()> m_openProgramSettings;
    PrinterChooser m_choosePrinter;
    std::function<std::optional<SiteFile>()> m_siteSelection;
};
