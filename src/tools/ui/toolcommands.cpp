// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ui/toolcommands.h"

#include "base/documentfile.h"
#include "base/productstrings.h"
#include "base/prompter.h"
#include "editor/editorsettings.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"
#include "tools/textimport.h"
#include "tools/ui/checkhtmlform.h"
#include "tools/ui/httpform.h"
#include "tools/ui/importform.h"
#include "tools/ui/linkanalyserform.h"
#include "tools/ui/speedform.h"
#include "tools/ui/toolhost.h"

#include <QAction>
#include <QFileInfo>

ToolCommands::ToolCommands(EditorHost &host, ToolHost &pages)
    : m_host(host)
    , m_pages(pages)
{ }

void ToolCommands::connectActions()
{
    auto on = [this](ActionId id, void (ToolCommands::*handler)()) {
        connect(m_host.action(id), &QAction::triggered, this, handler);
    };
    on(ActionId::CheckHTML, &ToolCommands::CheckHTMLClick);
    on(ActionId::LinkAnalyser1, &ToolCommands::LinkAnalyser1Click);
    on(ActionId::DownloadSpeeds1, &ToolCommands::DownloadSpeeds1Click);
    on(ActionId::TextFile1, &ToolCommands::ConvertTextFile1Click);
    on(ActionId::ConvertTextFile1, &ToolCommands::ConvertTextFile1Click);
    on(ActionId::TextFile2, &ToolCommands::ImportTextFile1Click);
    on(ActionId::PreformattedTextFile1, &ToolCommands::ImportTextFile1Click);
    on(ActionId::ImportTextFile1, &ToolCommands::ImportTextFile1Click);
    on(ActionId::ImportHTMLFile1, &ToolCommands::ImportHTMLFile1Click);
    on(ActionId::OpenfromWeb1, &ToolCommands::OpenfromWeb1Click);
}

QString ToolCommands::documentFile() const
{
    const Document *document = m_host.activeDocument();
    return document && document->path() ? *document->path() : QString();
}

void ToolCommands::CheckHTMLClick()
{
    TCheckHTMLForm::run(m_host);
}

void ToolCommands::LinkAnalyser1Click()
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer)
        return;
    TLinkAnalyserForm form(buffer->text(), documentFile(), m_host.prompter(), m_host.dialogParent());
    form.exec();
}

void ToolCommands::DownloadSpeeds1Click()
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer)
        return;
    TSpeedForm form(buffer->text(), documentFile(), m_host.dialogParent());
    form.exec();
}

std::optional<std::pair<QString, QString>> ToolCommands::askTextFile()
{
    const std::optional<QString> file = m_host.prompter().openFileName(
        { QStringLiteral("Convert Text File"), QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"),
            QStringLiteral(".txt"), QString(), QString() });
    if (!file)
        return std::nullopt;
    const LoadedDocument loaded = DocumentFile::load(*file);
    if (!loaded.ok) {
        m_host.prompter().message(Product::caption(), loaded.error, PromptButtons::Ok, PromptIcon::Stop);
        return std::nullopt;
    }
    return std::pair { *file, loaded.text };
}

void ToolCommands::ConvertTextFile1Click()
{
    const auto file = askTextFile();
    if (!file)
        return;
    const EditorSettings &settings = m_host.editorSettings();
    m_pages.openNewPage(TextImport::convertedPage(
        file->second, QFileInfo(file->first).fileName(), settings.upper, settings.names));
}

void ToolCommands::ImportTextFile1Click()
{
    if (!m_host.activeBuffer())
        return;
    const auto file = askTextFile();
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!file || !buffer)
        return;
    m_host.recordUndoStep(QStringLiteral("Import Text"));
    const int start = buffer->selStart();
    const QString inserted = TextImport::preformatted(file->second, m_host.editorSettings().upper);
    buffer->setSelText(inserted);
    m_host.markModified();
    m_host.FormatTags(start, start + int(inserted.size()));
}

void ToolCommands::ImportHTMLFile1Click()
{
    if (!m_host.activeBuffer())
        return;
    const std::optional<QString> file = m_host.prompter().openFileName({ QStringLiteral("Import File"),
        QStringLiteral("HTML Files (*.html, *.htm)|*.html;*.htm|All Files (*.*)|*.*"),
        QStringLiteral(".html"), QString(), QString() });
    if (!file)
        return;
    const LoadedDocument loaded = DocumentFile::load(*file);
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!loaded.ok || !buffer) {
        if (!loaded.ok)
            m_host.prompter().message(Product::caption(), loaded.error, PromptButtons::Ok, PromptIcon::Stop);
        return;
    }
    TImportForm form(buffer->text(), loaded.text, m_host.dialogParent());
    form.setMerge([&] {
        m_host.recordUndoStep(QStringLiteral("Import HTML"));
        TextImport::importHtml(*buffer, loaded.text, form.choice(), buffer->selStart(),
            [&](const QString &step) { form.showProgress(step); });
        m_host.markModified();
        m_host.FormatTags(0, buffer->length());
        m_host.documentTextReplaced();
    });
    form.exec();
}

void ToolCommands::OpenfromWeb1Click()
{
    if (const std::optional<QString> text = THTTPForm::ask(m_host.dialogParent()))
        m_pages.openNewPage(*text);
}
