// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/sitedrag.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class DocumentCommands;
class DocumentHost;
class QDropEvent;
class QMimeData;
class TSourceEditor;

// Drops on the source editor and the main window: items dragged from the site tree and files dropped from
// the desktop become links, images and style sheet links in the active page, or open a page or a site.
// Plain text dragged within or into the editor stays the editor's own business. The main window owns it.
class DropCommands : public QObject
{
    Q_OBJECT
public:
    DropCommands(DocumentHost &host, DocumentCommands &documents);

    // Opens a site file (".site", ".sit") dropped from the desktop; given by the site commands, which ask
    // their own question about the open site. Without it such a drop does nothing.
    void setOpenSite(std::function<bool(const QString &)> openSite) { m_openSite = std::move(openSite); }

    // Takes over the drags of site items and files on editor's view; a page calls this for its editor.
    void watchEditor(TSourceEditor *editor);

    // True when the editor takes the dragged data: a site item naming a file or an anchor, or local files.
    bool HTMLSourceDragOver(const QMimeData *data) const;
    // The markup for a site item dropped on the active page, asking to save the page first when needed.
    void HTMLSourceDragDrop(const SiteDrag::Item &item);
    // A file dropped from the desktop (the first of several): a picture, video or style sheet goes into
    // the page, a site file opens, any other file is opened or linked to as the user chooses.
    void DropFile1DropFile(const QString &path);

    // Makes sure the active page has a file, offering Save As; false when it still has none.
    bool ensureSaved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What a drag carries that this class handles.
    struct Payload
    {
        std::optional<SiteDrag::Item> item;
        QString file;
    };
    static std::optional<Payload> payload(const QMimeData *data);
    // Puts the caret where the drop landed, unless it landed on the selection: dropping a page on
    // selected text links that text.
    void moveCaretToDrop(TSourceEditor *editor, const QDropEvent &drop);
    void handle(const Payload &payload);
    bool refuseMissingHead();

    DocumentHost &m_host;
    DocumentCommands &m_documents;
    std::function<bool(const QString &)> m_openSite;
};
