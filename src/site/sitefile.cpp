// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitefile.h"

#include "app/recentfiles.h"
#include "base/safefile.h"
#include "base/settingsstore.h"
#include "editor/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>

// ---------------------------------------------------------------------------------------------------
// SiteNode

SiteNode::SiteNode(const QString &text, int icon, int selectedIcon)
    : m_text(text)
    , m_icon(icon)
    , m_selectedIcon(selectedIcon < 0 ? icon : selectedIcon)
{ }

void SiteNode::setIcon(int icon, int selectedIcon)
{
    m_icon = icon;
    m_selectedIcon = selectedIcon < 0 ? icon : selectedIcon;
}

int SiteNode::indexInParent() const
{
    if (!m_parent)
        return 0;
    const auto &siblings = m_parent->m_children;
    const auto found = std::find_if(
        siblings.begin(), siblings.end(), [this](const auto &node) { return node.get() == this; });
    return int(found - siblings.begin());
}

int SiteNode::level() const
{
    int level = 0;
    for (const SiteNode *node = m_parent; node; node = node->m_parent)
        ++level;
    return level;
}

bool SiteNode::contains(const SiteNode *node) const
{
    for (; node; node = node->m_parent) {
        if (node == this)
            return true;
    }
    return false;
}

int SiteNode::subtreeSize() const
{
    int size = 1;
    for (const auto &child : m_children)
        size += child->subtreeSize();
    return size;
}

SiteNode *SiteNode::addChild(std::unique_ptr<SiteNode> node, int index)
{
    node->m_parent = this;
    SiteNode *added = node.get();
    if (index < 0 || index >= childCount())
        m_children.push_back(std::move(node));
    else
        m_children.insert(m_children.begin() + index, std::move(node));
    return added;
}

SiteNode *SiteNode::addChild(const QString &text, int icon, int selectedIcon, int index)
{
    return addChild(std::make_unique<SiteNode>(text, icon, selectedIcon), index);
}

std::unique_ptr<SiteNode> SiteNode::takeChild(int index)
{
    std::unique_ptr<SiteNode> node = std::move(m_children.at(size_t(index)));
    m_children.erase(m_children.begin() + index);
    node->m_parent = nullptr;
    return node;
}

// ---------------------------------------------------------------------------------------------------
// The site file

namespace {

const QString crLf = QStringLiteral("\r\n");

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Control characters other than the tab never stand in a node's text: a file holding them is not an outline.
bool holdsBinary(QStringView line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
}

int indentation(QStringView line)
{
    int n = 0;
    while (n < line.size() && (line.at(n) == u'\t' || line.at(n) == u' '))
        ++n;
    return n;
}

SiteReading refuse(const QString &fileName, int line, const QString &problem)
{
    SiteReading reading;
    reading.errorLine = line;
    reading.error = line > 0
        ? QStringLiteral("%1, line %2: %3").arg(shownPath(fileName)).arg(line).arg(problem)
        : QStringLiteral("%1: %2").arg(shownPath(fileName), problem);
    return reading;
}

void appendLines(const SiteNode &node, int level, QString &out)
{
    out.append(QString(level, u'\t'));
    out.append(node.text());
    out.append(crLf);
    for (int i = 0; i < node.childCount(); ++i)
        appendLines(*node.child(i), level + 1, out);
}

bool hasPasswordBelow(const SiteNode &node)
{
    static const QString label = QStringLiteral("Password: ");
    for (int i = 0; i < node.childCount(); ++i) {
        const SiteNode &child = *node.child(i);
        if ((child.text().startsWith(label) && child.text().size() > label.size()) || hasPasswordBelow(child))
            return true;
    }
    return false;
}

} // namespace

namespace SiteFile {

SiteReading parse(const QByteArray &bytes, const QString &fileName)
{
    const LoadedDocument decoded = DocumentFile::decode(bytes);
    const QString &text = decoded.text;
    QList<QStringView> lines = QStringView(text).split(crLf);
    // Every line ends in CR LF, so the last piece is empty; blank lines after the outline are let pass.
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return refuse(fileName, 0, QStringLiteral("the file holds no lines, so it is not a site file."));

    auto root = std::make_unique<SiteNode>();
    std::vector<SiteNode *> path; // path[level] is the last node read at that level
    std::vector<int> sectionLines;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        const int number = int(i) + 1;
        if (holdsBinary(line))
            return refuse(fileName, number,
                QStringLiteral(
                    "the line holds characters that are not text, so the file is not a site file."));
        const int level = indentation(line);
        const QString nodeText = line.mid(level).toString();
        if (i == 0) {
            if (level != 0)
                return refuse(fileName, number,
                    QStringLiteral("the first line must hold the root directory, without indentation."));
            root->setText(nodeText);
            path.push_back(root.get());
            continue;
        }
        if (level == 0) {
            return refuse(fileName, number,
                line.isEmpty()
                    ? QStringLiteral("the line is empty; only the root directory's line has no indentation.")
                    : QStringLiteral(
                        "a second line without indentation; only the root directory's line has none."));
        }
        if (level > int(path.size())) {
            return refuse(fileName, number,
                QStringLiteral(
                    "the line is indented %1 levels, more than one level deeper than the line before: \"%2\".")
                    .arg(level)
                    .arg(nodeText));
        }
        SiteNode *node = path.at(size_t(level - 1))->addChild(nodeText, SiteIcon::Root);
        path.resize(size_t(level));
        path.push_back(node);
        if (level == 1)
            sectionLines.push_back(number);
    }

    // The commands find the sections by their place, so a file must have them in order: the first three
    // at least, "FTP Sites" being added to older files.
    for (int s = 0; s < root->childCount(); ++s) {
        const QString found = root->child(s)->text();
        if (s > 3)
            return refuse(fileName, sectionLines.at(size_t(s)),
                QStringLiteral("\"%1\" follows the four sections; a site has no others.").arg(found));
        const QString expected = Site::sectionName(SiteSection(s));
        if (found != expected)
            return refuse(fileName, sectionLines.at(size_t(s)),
                QStringLiteral("\"%1\" stands where the section \"%2\" belongs.").arg(found, expected));
    }
    if (root->childCount() < 3)
        return refuse(fileName, int(lines.size()),
            QStringLiteral("the file ends without the section \"%1\".")
                .arg(Site::sectionName(SiteSection(root->childCount()))));

    SiteReading reading;
    reading.root = std::move(root);
    reading.encoding = decoded.format.encoding;
    return reading;
}

SiteReading read(const QString &path)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile())
        return refuse(path, 0,
            info.exists() ? QStringLiteral("this is not a file.")
                          : QStringLiteral("the file does not exist."));
    if (!file.open(QIODevice::ReadOnly))
        return refuse(path, 0, file.errorString());
    return parse(file.readAll(), path);
}

QByteArray serialise(const SiteNode &root, TextEncoding encoding)
{
    QString text;
    text.reserve(root.subtreeSize() * 24);
    appendLines(root, 0, text);
    return DocumentFile::encode(text, { encoding, LineEnd::CrLf });
}

bool holdsPassword(const SiteNode &root)
{
    const SiteNode *ftp = Site::section(root, SiteSection::FtpSites);
    return ftp && hasPasswordBelow(*ftp);
}

SaveResult write(const QString &path, const SiteNode &root, TextEncoding &encoding)
{
    SaveResult result;
    QString text;
    text.reserve(root.subtreeSize() * 24);
    appendLines(root, 0, text);
    // A name the old 8-bit file cannot hold is not dropped: the file becomes UTF-8.
    if (!DocumentFile::canEncode(text, encoding))
        encoding = TextEncoding::Utf8;
    const QByteArray bytes = DocumentFile::encode(text, { encoding, LineEnd::CrLf });

    // The passwords are kept in the file as they always were, so nobody else may read it.
    std::optional<QFileDevice::Permissions> mode;
    if (holdsPassword(root))
        mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const SafeFile::Result written = SafeFile::write(path, bytes, mode);
    if (!written.ok) {
        result.error = QStringLiteral("%1 was not saved: %2.").arg(shownPath(path), written.reason);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace SiteFile

// ---------------------------------------------------------------------------------------------------
// The rules of the tree

namespace Site {

QString rootDirectory()
{
    return QStringLiteral("Root Directory");
}

QString newFtpProfile()
{
    return QStringLiteral("New FTP Profile");
}

QString sectionName(SiteSection section)
{
    switch (section) {
    case SiteSection::WebPages:
        return QStringLiteral("Web Pages");
    case SiteSection::Images:
        return QStringLiteral("Images");
    case SiteSection::StyleSheets:
        return QStringLiteral("Style Sheets");
    case SiteSection::FtpSites:
        return QStringLiteral("FTP Sites");
    case SiteSection::None:
        break;
    }
    return QString();
}

std::unique_ptr<SiteNode> initialTree()
{
    auto root = std::make_unique<SiteNode>(rootDirectory(), SiteIcon::Root);
    for (int s = 0; s < 4; ++s)
        root->addChild(sectionName(SiteSection(s)), SiteIcon::Folder, SiteIcon::OpenFolder);
    root->lastChild()->addChild(newFtpProfile(), SiteIcon::NewFtpProfile);
    return root;
}

SiteNode *section(const SiteNode &root, SiteSection section)
{
    const int index = int(section);
    return index >= 0 && index < root.childCount() ? root.child(index) : nullptr;
}

SiteSection sectionOf(const SiteNode *node)
{
    if (!node || !node->parent())
        return SiteSection::None;
    while (node->parent()->parent())
        node = node->parent();
    return SiteSection(std::min(node->indexInParent(), 3));
}

void completeSections(SiteNode &root)
{
    if (root.childCount() == 3)
        root.addChild(sectionName(SiteSection::FtpSites), SiteIcon::Root);
    SiteNode *ftp = section(root, SiteSection::FtpSites);
    if (ftp && (ftp->childCount() == 0 || ftp->child(0)->text() != newFtpProfile()))
        ftp->addChild(
            newFtpProfile(), ftp->icon() == SiteIcon::Root ? SiteIcon::Root : SiteIcon::NewFtpProfile, -1, 0);
}

QString extensionOf(const QString &text)
{
    const qsizetype dot = text.lastIndexOf(u'.');
    const qsizetype separator = std::max(text.lastIndexOf(u'\\'), text.lastIndexOf(u':'));
    return dot > separator ? text.mid(dot) : QString();
}

bool restoreIcons(SiteNode &node)
{
    bool changed = false;
    const auto set = [&changed](SiteNode *child, int icon, int selected = -1) {
        if (child->icon() != SiteIcon::Root)
            return;
        child->setIcon(icon, selected);
        changed = true;
    };
    const auto folderOr = [&](SiteNode *child, int icon) {
        if (icon < 0)
            set(child, SiteIcon::Folder, SiteIcon::OpenFolder);
        else
            set(child, icon);
    };

    if (!node.parent()) {
        for (int i = 0; i < node.childCount(); ++i)
            set(node.child(i), SiteIcon::Folder, SiteIcon::OpenFolder);
    } else if (node.icon() == SiteIcon::Folder) {
        const SiteSection section = sectionOf(&node);
        for (int i = node.childCount() - 1; i >= 0; --i) {
            SiteNode *child = node.child(i);
            const QString extension = extensionOf(child->text());
            switch (section) {
            case SiteSection::WebPages:
                folderOr(child, extension.isEmpty() ? -1 : SiteIcon::Page);
                break;
            case SiteSection::Images:
                folderOr(child,
                    extension.isEmpty() ? -1
                        : extension.compare(QStringLiteral(".jpg"), Qt::CaseInsensitive) == 0
                        ? SiteIcon::Jpeg
                        : SiteIcon::Gif);
                break;
            case SiteSection::StyleSheets:
                folderOr(child, extension.isEmpty() ? -1 : SiteIcon::StyleSheet);
                break;
            case SiteSection::FtpSites:
                if (child->text() == newFtpProfile()) {
                    set(child, SiteIcon::NewFtpProfile);
                    return changed;
                }
                set(child, SiteIcon::FtpProfile);
                break;
            case SiteSection::None:
                break;
            }
        }
    } else if (node.icon() == SiteIcon::Page) {
        for (int i = 0; i < node.childCount(); ++i)
            set(node.child(i), SiteIcon::Anchor);
    }
    return changed;
}

int addedFileIcon(const QString &path)
{
    const QString extension = extensionOf(QFileInfo(path).fileName());
    if (extension == QStringLiteral(".css"))
        return SiteIcon::StyleSheet;
    return extension.compare(QStringLiteral(".gif"), Qt::CaseInsensitive) == 0 ? SiteIcon::Gif
                                                                               : SiteIcon::Jpeg;
}

QString nodeText(const QString &rootText, const QString &file)
{
    return Paths::ChangeSlashes(Paths::GetRelativeDir(rootText, file), true);
}

QString absolutePath(const QString &rootText, const QString &nodeText)
{
    return Paths::GetAbsoluteDir(rootText, nodeText);
}

SitePlacement pagePlacement(const SiteNode &root, const SiteNode *selected)
{
    if (selected && selected->icon() == SiteIcon::Folder && sectionOf(selected) == SiteSection::WebPages)
        return { const_cast<SiteNode *>(selected), -1 };
    if (selected && selected->icon() == SiteIcon::Page)
        return { selected->parent(), -1 };
    return { section(root, SiteSection::WebPages), -1 };
}

SitePlacement filePlacement(const SiteNode &root, const SiteNode *selected, int icon)
{
    const bool styleSheet = icon == SiteIcon::StyleSheet;
    const SiteSection home = styleSheet ? SiteSection::StyleSheets : SiteSection::Images;
    if (selected && selected->icon() == SiteIcon::Folder && sectionOf(selected) == home)
        return { const_cast<SiteNode *>(selected), -1 };
    if (selected
        && (styleSheet ? selected->icon() == SiteIcon::StyleSheet
                       : selected->icon() == SiteIcon::Gif || selected->icon() == SiteIcon::Jpeg))
        return { selected->parent(), -1 };
    return { section(root, home), -1 };
}

bool isSubFolder(const SiteNode *node)
{
    return node && node->icon() == SiteIcon::Folder && node->parent() && node->parent()->parent();
}

SiteNode *newFolderParent(const SiteNode &root, const SiteNode *selected)
{
    Q_UNUSED(root);
    const SiteSection section = sectionOf(selected);
    // Folders group files; under "FTP Sites" one would be read back as a profile.
    if (section == SiteSection::None || section == SiteSection::FtpSites)
        return nullptr;
    if (!selected->parent()->parent())
        return const_cast<SiteNode *>(selected);
    // Beside an anchor means beside its page: a folder inside a page would come back as an anchor.
    if (selected->icon() == SiteIcon::Anchor)
        return selected->parent()->parent();
    return selected->parent();
}

bool canDelete(const SiteNode *node)
{
    if (!node || !node->parent() || !node->parent()->parent())
        return false;
    // "New FTP Profile" is how profiles are made; a site always keeps it.
    return isSubFolder(node) || (node->icon() >= SiteIcon::Page && node->icon() != SiteIcon::NewFtpProfile);
}

std::optional<SitePlacement> dropPlacement(const SiteNode *dragged, const SiteNode *target)
{
    if (!dragged || !target || dragged->icon() < SiteIcon::Page || dragged->icon() > SiteIcon::StyleSheet)
        return std::nullopt;
    // A node cannot go into its own subtree, nor onto itself.
    if (dragged->contains(target))
        return std::nullopt;
    // An anchor belongs to its page: it may only change places among its page's anchors.
    if (dragged->icon() == SiteIcon::Anchor) {
        if (target->icon() == SiteIcon::Anchor && target->parent() == dragged->parent())
            return SitePlacement { target->parent(), target->indexInParent() };
        return std::nullopt;
    }
    const SiteSection home = dragged->icon() == SiteIcon::Page ? SiteSection::WebPages
        : dragged->icon() == SiteIcon::StyleSheet              ? SiteSection::StyleSheets
                                                               : SiteSection::Images;
    if (sectionOf(target) != home)
        return std::nullopt;
    if (target->icon() == SiteIcon::Folder)
        return SitePlacement { const_cast<SiteNode *>(target), -1 };
    // Dropped on an anchor, the node goes before the anchor's page, never inside it.
    const SiteNode *before = target->icon() == SiteIcon::Anchor ? target->parent() : target;
    if (dragged->contains(before))
        return std::nullopt;
    return SitePlacement { before->parent(), before->indexInParent() };
}

void moveNode(SiteNode &node, const SitePlacement &placement)
{
    SiteNode *from = node.parent();
    const int old = node.indexInParent();
    int index = placement.index;
    if (from == placement.parent && index > old)
        --index;
    placement.parent->addChild(from->takeChild(old), index);
}

FtpProfile profileOf(const SiteNode &node)
{
    const auto line = [&node](int index, int skip) {
        return index < node.childCount() ? node.child(index)->text().mid(skip) : QString();
    };
    return { node.text(), line(0, 6), line(1, 6), line(2, 11), line(3, 10) };
}

namespace {

// Calls check on the files of a section (nodes with an extension; their anchors are not visited) until it
// returns true; the count of files seen is kept in seen.
bool anyFile(const SiteNode &node, int &seen, const std::function<bool(const QString &)> &check)
{
    constexpr int enough = 200;
    for (int i = 0; i < node.childCount() && seen < enough; ++i) {
        const SiteNode &child = *node.child(i);
        if (extensionOf(child.text()).isEmpty()) {
            if (anyFile(child, seen, check))
                return true;
        } else {
            ++seen;
            if (check(child.text()))
                return true;
        }
    }
    return false;
}

} // namespace

std::optional<QString> movedRoot(const SiteNode &root, const QString &siteFile)
{
    QString folder = QFileInfo(siteFile).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    int seen = 0;
    for (int s = 0; s < 3 && s < root.childCount(); ++s) {
        if (anyFile(*root.child(s), seen,
                [&folder](const QString &text) { return QFileInfo::exists(absolutePath(folder, text)); }))
            return folder;
    }
    if (seen == 0)
        return folder;
    return std::nullopt;
}

} // namespace Site

// ---------------------------------------------------------------------------------------------------
// Anchors

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

} // namespace

AnchorScan::AnchorScan(const QString &text, qsizetype from)
    : m_text(text)
    , m_position(std::max<qsizetype>(0, from))
{ }

std::optional<QString> AnchorScan::next()
{
    const QString &t = m_text;
    const qsizetype n = t.size();
    while (true) {
        const qsizetype open = t.indexOf(QLatin1String("<a"), m_position, Qt::CaseInsensitive);
        if (open < 0) {
            m_position = n;
            return std::nullopt;
        }
        qsizetype p = open + 2;
        m_position = p;
        if (p >= n || !isBlank(t.at(p)))
            continue;

        // The attributes up to the tag's end; the first NAME or ID with a value is the anchor.
        std::optional<QString> found;
        while (p < n) {
            while (p < n && isBlank(t.at(p)))
                ++p;
            if (p >= n || t.at(p) == u'>')
                break;
            const qsizetype nameStart = p;
            while (p < n && !isBlank(t.at(p)) && t.at(p) != u'=' && t.at(p) != u'>')
                ++p;
            const QStringView name = QStringView(t).mid(nameStart, p - nameStart);
            qsizetype q = p;
            while (q < n && isBlank(t.at(q)))
                ++q;
            if (q >= n || t.at(q) != u'=')
                continue; // an attribute without a value
            p = q + 1;
            while (p < n && isBlank(t.at(p)))
                ++p;
            QString value;
            if (p < n && (t.at(p) == u'"' || t.at(p) == u'\'')) {
                const qsizetype close = t.indexOf(t.at(p), p + 1);
                if (close < 0) {
                    p = n; // an unclosed quotation runs to the end: no anchor
                    break;
                }
                value = t.mid(p + 1, close - p - 1);
                p = close + 1;
            } else {
                const qsizetype valueStart = p;
                while (p < n && !isBlank(t.at(p)) && t.at(p) != u'>')
                    ++p;
                value = t.mid(valueStart, p - valueStart);
            }
            if (!found && !value.isEmpty()
                && (name.compare(QLatin1String("name"), Qt::CaseInsensitive) == 0
                    || name.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0))
                found = value;
        }
        m_position = p;
        if (found)
            return found;
    }
}

QStringList AnchorScan::all(const QString &text)
{
    AnchorScan scan(text);
    QStringList names;
    while (const std::optional<QString> name = scan.next())
        names.append(*name);
    return names;
}

// ---------------------------------------------------------------------------------------------------
// Recent sites

namespace RecentSites {

QStringList read(const SettingsStore &settings)
{
    return RecentFiles::read(settings, QStringLiteral("SiteFile"));
}

void add(SettingsStore &settings, const QString &path)
{
    RecentFiles::add(settings, path, QStringLiteral("SiteFile"));
}

QString menuCaption(int n, const QString &path)
{
    return u'&' + QString::number(n) + u' ' + (path.isEmpty() ? QString() : QFileInfo(path).fileName());
}

} // namespace RecentSites

// ---------------------------------------------------------------------------------------------------
// The open site

SiteModel::SiteModel()
    : m_root(Site::initialTree())
{ }

QString SiteModel::open(const QString &path)
{
    SiteReading reading = SiteFile::read(path);
    if (!reading.ok())
        return reading.error;
    Site::completeSections(*reading.root);
    m_root = std::move(reading.root);
    m_fileName = QFileInfo(path).absoluteFilePath();
    m_encoding = reading.encoding;
    return QString();
}

SaveResult SiteModel::save(const QString &path)
{
    TextEncoding encoding = m_encoding;
    const SaveResult result = SiteFile::write(path, *m_root, encoding);
    if (result.ok) {
        m_fileName = QFileInfo(path).absoluteFilePath();
        m_encoding = encoding;
    }
    return result;
}

SaveResult SiteModel::create(const QString &path)
{
    QString folder = QFileInfo(path).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    std::unique_ptr<SiteNode> tree = Site::initialTree();
    tree->setText(folder);
    TextEncoding encoding = TextEncoding::Utf8;
    const SaveResult result = SiteFile::write(path, *tree, encoding);
    if (result.ok) {
        m_root = std::move(tree);
        m_fileName = QFileInfo(path).absoluteFilePath();
        m_encoding = encoding;
    }
    return result;
}
