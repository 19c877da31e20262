// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/documentfile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class SettingsStore;

// A node's kind is its icon number, as the site file never stores kinds: they are worked out again from
// the texts when a loaded node's parent is first expanded.
namespace SiteIcon {
constexpr int Root = 0; // also every loaded node whose icon is not restored yet
constexpr int Folder = 1;
constexpr int OpenFolder = 2; // a folder's selected icon
constexpr int Page = 3;
constexpr int Gif = 4;
constexpr int Jpeg = 5;
constexpr int Anchor = 6;
constexpr int StyleSheet = 7;
constexpr int FtpProfile = 8;
constexpr int NewFtpProfile = 10;
} // namespace SiteIcon

// The four fixed folders under the root, in their order.
enum class SiteSection { None = -1, WebPages = 0, Images = 1, StyleSheets = 2, FtpSites = 3 };

// One node of the site tree: its text, its icon and the icon shown while it is selected, and its children,
// which it owns. Nodes are moved by handing over ownership, so a node keeps its address for its whole life.
class SiteNode
{
public:
    explicit SiteNode(const QString &text = QString(), int icon = SiteIcon::Root, int selectedIcon = -1);

    const QString &text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }
    int icon() const { return m_icon; }
    int selectedIcon() const { return m_selectedIcon; }
    // A selected icon of -1 means the same as the icon.
    void setIcon(int icon, int selectedIcon = -1);

    SiteNode *parent() const { return m_parent; }
    int childCount() const { return int(m_children.size()); }
    SiteNode *child(int index) const { return m_children.at(size_t(index)).get(); }
    SiteNode *lastChild() const { return m_children.empty() ? nullptr : m_children.back().get(); }
    int indexInParent() const;
    int level() const;
    // True for the node itself and every node below it.
    bool contains(const SiteNode *node) const;
    // The number of nodes in this subtree, this one included.
    int subtreeSize() const;

    // index -1 appends.
    SiteNode *addChild(std::unique_ptr<SiteNode> node, int index = -1);
    SiteNode *addChild(const QString &text, int icon, int selectedIcon = -1, int index = -1);
    std::unique_ptr<SiteNode> takeChild(int index);
    void clearChildren() { m_children.clear(); }

private:
    QString m_text;
    int m_icon;
    int m_selectedIcon;
    SiteNode *m_parent = nullptr;
    std::vector<std::unique_ptr<SiteNode>> m_children;
};

// Where a command puts a node: a parent and the index among its children (-1: last).
struct SitePlacement
{
    SiteNode *parent = nullptr;
    int index = -1;
};

// The four values a profile node stands for.
struct FtpProfile
{
    QString hostName;
    QString port;
    QString path;
    QString userName;
    QString password;
};

// What reading a site file gave: the whole new tree, or why there is none.
struct SiteReading
{
    std::unique_ptr<SiteNode> root;
    TextEncoding encoding = TextEncoding::Utf8;
    QString error; // names the file and, where it applies, the line
    int errorLine = 0; // 1-based; 0 when the fault is not on one line
    bool ok() const { return root != nullptr; }
};

// The site file: one line per node in tree order, the node's level in leading tabs, its text, CR LF.
namespace SiteFile {

// Bytes are read as documents are (UTF-8 when valid, Windows-1252 otherwise, every byte mapping back to
// itself) and written in the encoding they came in. A file that is not a site outline is refused whole.
SiteReading parse(const QByteArray &bytes, const QString &fileName);
SiteReading read(const QString &path);
QByteArray serialise(const SiteNode &root, TextEncoding encoding);
// Writes atomically; a file that holds an FTP password is readable by its owner alone. encoding becomes
// UTF-8 when the tree holds text the old one cannot.
SaveResult write(const QString &path, const SiteNode &root, TextEncoding &encoding);
bool holdsPassword(const SiteNode &root);

} // namespace SiteFile

// The rules of the site tree, on plain nodes.
namespace Site {

QString rootDirectory(); // "Root Directory", the root text of a site never saved
QString newFtpProfile(); // "New FTP Profile"
QString sectionName(SiteSection section);

// The root with its four sections and "New FTP Profile", icons set.
std::unique_ptr<SiteNode> initialTree();
SiteNode *section(const SiteNode &root, SiteSection section);
// The section a node lies in (the section folder itself included); None for the root.
SiteSection sectionOf(const SiteNode *node);
// Adds "FTP Sites" to a site of three sections, and "New FTP Profile" as its first entry when missing.
void completeSections(SiteNode &root);

// The text after the last "." that follows the last "\" or ":" ("/" does not count), with the dot.
QString extensionOf(const QString &text);
// Icons for nodes still at 0 among node's children, by node's kind and section; true when any changed.
bool restoreIcons(SiteNode &node);
// The icon of a file added by Add File: ".css" exactly is a style sheet, ".gif" in any case a GIF.
int addedFileIcon(const QString &path);
// The node text for a file: its path relative to the root folder, with "/".
QString nodeText(const QString &rootText, const QString &file);
// The full path of a file node (the text of a page for an anchor).
QString absolutePath(const QString &rootText, const QString &nodeText);

SitePlacement pagePlacement(const SiteNode &root, const SiteNode *selected);
SitePlacement filePlacement(const SiteNode &root, const SiteNode *selected, int icon);
// The parent a new folder goes under as its first child; null where no folder may go.
SiteNode *newFolderParent(const SiteNode &root, const SiteNode *selected);
bool canDelete(const SiteNode *node);
bool isSubFolder(const SiteNode *node);
// Where dropping dragged on target puts it; nothing when the move is not allowed.
std::optional<SitePlacement> dropPlacement(const SiteNode *dragged, const SiteNode *target);
// Moves node; placement.index counts the children before the move.
void moveNode(SiteNode &node, const SitePlacement &placement);

// The four lines under a profile node; lines that are missing read as empty.
FtpProfile profileOf(const SiteNode &node);

// For a root folder that no longer exists: the folder holding the site file when the site's files are
// found there (or the site has none), else nothing.
std::optional<QString> movedRoot(const SiteNode &root, const QString &siteFile);

} // namespace Site

// Finds the named anchors of a page one at a time, on a copy of its text: A tags with a NAME or ID
// attribute, the value in double, single or no quotation marks (an unquoted one ends at a blank or ">").
class AnchorScan
{
public:
    explicit AnchorScan(const QString &text, qsizetype from = 0);
    std::optional<QString> next();
    static QStringList all(const QString &text);

private:
    QString m_text;
    qsizetype m_position;
};

// The four most recent sites, SiteFile1 (newest) to SiteFile4 under the Recent key.
namespace RecentSites {

constexpr int count = 4;
QStringList read(const SettingsStore &settings);
// Moves path to the front; paths compare exactly, as the file system does.
void add(SettingsStore &settings, const QString &path);
// "&1 club.site"; "&1 " when none is stored.
QString menuCaption(int n, const QString &path);

} // namespace RecentSites

// The open site: its tree, and the file it was last read from or written to. The file name changes only
// when a read or a write succeeds, so a refused or failed one never redirects a later save.
class SiteModel
{
public:
    SiteModel();

    SiteNode &root() const { return *m_root; }
    // Empty until the site is saved or opened.
    QString fileName() const { return m_fileName; }
    bool isUnsaved() const { return m_root->text() == Site::rootDirectory(); }

    // Replaces the tree with the file's; on failure the open site stays exactly as it was and the
    // returned text says why. Empty when it worked.
    QString open(const QString &path);
    SaveResult save(const QString &path);
    // A new site in the folder of path, written there.
    SaveResult create(const QString &path);

private:
    std::unique_ptr<SiteNode> m_root;
    QString m_fileName;
    TextEncoding m_encoding = TextEncoding::Utf8;
};
