// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/sitedrag.h"
#include "editor/tagcommands.h"

#include <QString>

class SourceBuffer;

// The markup written when something is dropped on the source editor: an item dragged from the site tree
// or a file dropped from the desktop. Links are made relative to the folder of the page's file, so every
// function here needs a saved page; the window asks the user to save first. Fixed parts follow the tag
// letter case, link targets keep their own letters.
namespace Drops {

// The site tree's node kinds, by icon number. Folders (1) and the root are not dropped.
enum SiteIcon { PageIcon = 3, GifIcon = 4, ImageIcon = 5, AnchorIcon = 6, StyleSheetIcon = 7 };

// Whether the editor takes a site item: any node that names a file or an anchor.
bool acceptsSiteItem(const SiteDrag::Item &item);
// The file a site item stands for: its own path under the root, or for an anchor its page's path.
QString siteItemFile(const SiteDrag::Item &item);

// The folder of pageFile with its trailing "/".
QString pageFolder(const QString &pageFile);
// How the page saved as pageFile refers to file (absolute): a relative path in web form.
QString relativeLink(const QString &pageFile, const QString &file);

// <A HREF="target"> before the selection and </A> after it; the new element ends up selected.
TagCommands::EditResult insertLink(
    SourceBuffer &buffer, const QString &target, const TagCommands::TagStyle &style);

enum class ImageSource { Src, DynSrc };
// <IMG SRC="target"> (or DYNSRC for a video) before the selection; the caret ends after the selection.
TagCommands::EditResult insertImage(
    SourceBuffer &buffer, const QString &target, ImageSource source, const TagCommands::TagStyle &style);

// Where a style sheet link goes: the first "</head>", whatever its case; -1 when the page has none.
int styleSheetPosition(const SourceBuffer &buffer);
// <LINK REL=STYLESHEET TYPE="TEXT/CSS" HREF="target"> and a line break, inserted before the first
// "</head>", the caret after them. A page without "</head>" is left as it is (nothing changed): a link
// outside the head would be ignored by browsers.
TagCommands::EditResult insertStyleSheetLink(
    SourceBuffer &buffer, const QString &target, const TagCommands::TagStyle &style);

// What dropping item writes into the page saved as pageFile: a link for a page, a link to
// "page#name" for an anchor, an image, or a style sheet link. Nothing for any other node.
TagCommands::EditResult dropSiteItem(SourceBuffer &buffer, const SiteDrag::Item &item,
    const QString &pageFile, const TagCommands::TagStyle &style);
QString siteItemUndoStep(); // "Drag Item"

// How a file dropped from the desktop is handled, by its extension compared exactly as written: a photo
// ending in ".GIF" counts as any other file.
enum class FileKind { Image, Video, StyleSheet, Site, Other };
FileKind fileKind(const QString &path);

// The undo step of a file drop that writes markup: "Drag File" (image, video), "Drag Style Sheet",
// "Drag Link" (any other file linked to).
QString fileUndoStep(FileKind kind);
// What dropping file writes into the page saved as pageFile: an image, a style sheet link, or a link
// around the selection (Other). Nothing for a site file.
TagCommands::EditResult dropFile(SourceBuffer &buffer, FileKind kind, const QString &file,
    const QString &pageFile, const TagCommands::TagStyle &style);

// The questions asked around a drop.
QString saveFirstQuestion();
QString openOrLinkQuestion();

} // namespace Drops
