// SPDX-License-Identifier: GPL-3.0-or-later
#include "dropcommands.h"

#include "base/errorguard.h"
#include "base/productstrings.h"
#include "base/prompter.h"
#include "documentcommands.h"
#include "documenthost.h"
#include "documentpage.h"
#include "editor/drops.h"
#include "editor/editorsettings.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

// Records the step, makes the edit and shows it: recoloured from the insertion point, page modified.
template <typename Edit>
void applyDrop(DocumentHost &form, TDocumentPage *page, const QString &undoStep, Edit &&edit)
{
    if (!page || form.editorBusy().isSet())
        return;
    form.recordUndoStep(undoStep);
    TagCommands::EditResult result;
    {
        const EditorBusy::Hold hold(form.editorBusy());
        result = edit(page->buffer());
    }
    if (result.recolours() && form.editorSettings().colours.formatting)
        form.FormatTags(result.recolourStart, result.recolourEnd);
    if (result.changed)
        form.markModified();
    page->editor()->ensureCursorVisible();
    page->editor()->setFocus();
}

} // namespace

DropCommands::DropCommands(DocumentHost &host, DocumentCommands &documents)
    : m_host(host)
    , m_documents(documents)
{
    // Files dropped anywhere else on the window are handled as on the editor.
    m_host.dialogParent()->installEventFilter(this);
}

void DropCommands::watchEditor(TSourceEditor *editor)
{
    // The view receives the drag events; a filter there sees them before the editor's text handling.
    editor->viewport()->installEventFilter(this);
}

std::optional<DropCommands::Payload> DropCommands::payload(const QMimeData *data)
{
    if (!data)
        return std::nullopt;
    if (data->hasFormat(SiteDrag::mimeType())) {
        const std::optional<SiteDrag::Item> item = SiteDrag::decode(data->data(SiteDrag::mimeType()));
        if (!item || !Drops::acceptsSiteItem(*item))
            return std::nullopt;
        return Payload { item, QString() };
    }
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return std::nullopt;
    const QString file = urls.first().toLocalFile();
    if (QFileInfo(file).isDir())
        return std::nullopt;
    return Payload { std::nullopt, file };
}

bool DropCommands::HTMLSourceDragOver(const QMimeData *data) const
{
    return payload(data).has_value();
}

bool DropCommands::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    const bool onWindow = watched == m_host.dialogParent();
    const std::optional<Payload> carried = payload(drop->mimeData());
    if (!carried || (onWindow && carried->item)) {
        // A site item the editor does not take must not arrive as text either; anything else (plain
        // text above all) goes on to the editor's own handling.
        if (!onWindow && !drop->mimeData()->hasFormat(SiteDrag::mimeType()))
            return false;
        drop->ignore();
        return true;
    }
    // A copy: the site tree keeps its item and the desktop its file.
    if (drop->possibleActions() & Qt::CopyAction) {
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
    } else {
        drop->acceptProposedAction();
    }
    if (type == QEvent::Drop) {
        if (!onWindow)
            moveCaretToDrop(
                qobject_cast<TSourceEditor *>(static_cast<QWidget *>(watched)->parentWidget()), *drop);
        // The questions and dialogs a drop may bring come after the drag has ended, so the program the
        // file came from is not kept waiting for them.
        QTimer::singleShot(0, this, [this, p = *carried] { handle(p); });
    }
    return true;
}

void DropCommands::moveCaretToDrop(TSourceEditor *editor, const QDropEvent &drop)
{
    TDocumentPage *page = m_documents.activePage();
    if (!editor || !page || page->editor() != editor)
        return;
    EditorBuffer &buffer = page->buffer();
    const QPoint at = drop.position().toPoint();
    const long byte = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMPOINT,
        static_cast<unsigned long>(at.x()), static_cast<long>(at.y()));
    const int position = buffer.characterPosition(byte);
    const int start = buffer.selStart();
    if (buffer.selLength() > 0 && position >= start && position <= start + buffer.selLength())
        return;
    buffer.select(position, 0);
}

void DropCommands::handle(const Payload &carried)
{
    if (carried.item)
        HTMLSourceDragDrop(*carried.item);
    else
        DropFile1DropFile(carried.file);
}

bool DropCommands::ensureSaved()
{
    TDocumentPage *page = m_documents.activePage();
    if (!page)
        return false;
    if (!page->isUntitled())
        return true;
    if (m_host.prompter().message(
            QStringLiteral("Warning"), Drops::saveFirstQuestion(), PromptButtons::YesNo, PromptIcon::Stop)
        == PromptAnswer::Yes)
        m_documents.SaveAs1Click();
    return !page->isUntitled();
}

bool DropCommands::refuseMissingHead()
{
    if (Drops::styleSheetPosition(m_documents.activePage()->buffer()) >= 0)
        return false;
    m_host.prompter().inform(Product::caption(),
        QStringLiteral("This page has no </head> tag, so the style sheet link was not added."),
        PromptIcon::Information);
    return true;
}

void DropCommands::HTMLSourceDragDrop(const SiteDrag::Item &item)
{
    if (!Drops::acceptsSiteItem(item) || !m_documents.activePage() || !ensureSaved())
        return;
    if (item.icon == Drops::StyleSheetIcon && refuseMissingHead())
        return;
    const QString pageFile = m_documents.activePage()->fileName();
    const TagCommands::TagStyle style = m_host.editorSettings().tagStyle();
    applyDrop(m_host, m_documents.activePage(), Drops::siteItemUndoStep(),
        [&](SourceBuffer &buffer) { return Drops::dropSiteItem(buffer, item, pageFile, style); });
}

void DropCommands::DropFile1DropFile(const QString &path)
{
    const Drops::FileKind kind = Drops::fileKind(path);
    if (kind == Drops::FileKind::Site) {
        if (m_openSite)
            m_openSite(path);
        return;
    }
    if (kind == Drops::FileKind::Other) {
        const PromptAnswer answer = m_host.prompter().message(QStringLiteral("Confirmation"),
            Drops::openOrLinkQuestion(), PromptButtons::YesNoCancel, PromptIcon::Question);
        if (answer == PromptAnswer::Cancel)
            return;
        if (answer == PromptAnswer::Yes) {
            if (!m_documents.refusePageLimit())
                m_documents.openFileIntoPage(path);
            return;
        }
    }
    if (!m_documents.activePage() || !ensureSaved())
        return;
    if (kind == Drops::FileKind::StyleSheet && refuseMissingHead())
        return;
    const QString pageFile = m_documents.activePage()->fileName();
    const TagCommands::TagStyle style = m_host.editorSettings().tagStyle();
    applyDrop(m_host, m_documents.activePage(), Drops::fileUndoStep(kind),
        [&](SourceBuffer &buffer) { return Drops::dropFile(buffer, kind, path, pageFile, style); });
}
