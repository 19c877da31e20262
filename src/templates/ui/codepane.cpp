// SPDX-License-Identifier: GPL-3.0-or-later
#include "codepane.h"

#include "base/ui/icons.h"
#include "templates/codesections.h"

#include <QDir>
#include <QDropEvent>
#include <QSignalBlocker>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kindRole = Qt::UserRole;
constexpr int nameRole = Qt::UserRole + 1;

QIcon kindIcon(TCodeTree::Kind kind)
{
    switch (kind) {
    case TCodeTree::Kind::Root:
        return Icons::icon(QStringLiteral("code-library"));
    case TCodeTree::Kind::Folder:
        return Icons::icon(QStringLiteral("folder"));
    default:
        return Icons::icon(QStringLiteral("code-section"));
    }
}

} // namespace

TCodeTree::TCodeTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("CodeTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *node) {
        if (!m_listing)
            CodeTreeExpanding(node);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [](QTreeWidgetItem *node) {
        if (kind(node) == Kind::Folder)
            node->setIcon(0, kindIcon(Kind::Folder));
    });
}

void TCodeTree::setRootFolder(const QString &folder)
{
    m_rootFolder = folder;
    clear();
    auto *root = new QTreeWidgetItem(QStringList { QStringLiteral("Common Code Samples") });
    root->setData(0, kindRole, int(Kind::Root));
    root->setIcon(0, kindIcon(Kind::Root));
    root->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled);
    addTopLevelItem(root);
    CodeTreeExpanding(root);
}

TCodeTree::Kind TCodeTree::kind(const QTreeWidgetItem *node)
{
    return node ? Kind(node->data(0, kindRole).toInt()) : Kind::Root;
}

QString TCodeTree::diskName(const QTreeWidgetItem *node)
{
    return node->data(0, nameRole).toString();
}

void TCodeTree::setDiskName(QTreeWidgetItem *node, const QString &name)
{
    node->setData(0, nameRole, name);
}

QString TCodeTree::path(const QTreeWidgetItem *node) const
{
    if (!node || !node->parent())
        return m_rootFolder;
    return QDir(path(node->parent())).filePath(diskName(node));
}

QString TCodeTree::sectionFile(const QTreeWidgetItem *node) const
{
    return path(node) + CodeSections::suffix();
}

QTreeWidgetItem *TCodeTree::folderNode(QTreeWidgetItem *node)
{
    return kind(node) == Kind::Section ? node->parent() : node;
}

QTreeWidgetItem *TCodeTree::child(QTreeWidgetItem *node, const QString &name, Kind wanted)
{
    for (int i = 0; node && i < node->childCount(); ++i) {
        QTreeWidgetItem *item = node->child(i);
        if (kind(item) == wanted && diskName(item) == name)
            return item;
    }
    return nullptr;
}

QTreeWidgetItem *TCodeTree::addNode(QTreeWidgetItem *parent, const QString &name, Kind kind)
{
    auto *node = new QTreeWidgetItem(parent, QStringList { name });
    node->setData(0, kindRole, int(kind));
    setDiskName(node, name);
    node->setIcon(0, kindIcon(kind));
    Qt::ItemFlags flags
        = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDropEnabled;
    if (kind == Kind::Section)
        flags |= Qt::ItemIsDragEnabled;
    node->setFlags(flags);
    return node;
}

void TCodeTree::CodeTreeExpanding(QTreeWidgetItem *node)
{
    if (!node || kind(node) == Kind::Section)
        return;
    const QSignalBlocker block(this);
    m_listing = true;
    qDeleteAll(node->takeChildren());
    const QString folder = path(node);
    const CodeSections::Listing listing = CodeSections::list(folder);
    for (const QString &name : listing.folders) {
        QTreeWidgetItem *sub = addNode(node, name, Kind::Folder);
        sub->setChildIndicatorPolicy(CodeSections::hasChildren(QDir(folder).filePath(name))
                ? QTreeWidgetItem::ShowIndicator
                : QTreeWidgetItem::DontShowIndicator);
    }
    for (const QString &name : listing.sections)
        addNode(node, name, Kind::Section);
    node->setExpanded(true);
    if (kind(node) == Kind::Folder)
        node->setIcon(0, Icons::icon(QStringLiteral("folder-open")));
    m_listing = false;
}

void TCodeTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TCodeTree::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TCodeTree::dropEvent(QDropEvent *event)
{
    // The owner moves the file and lists the folders again; the view never moves nodes by itself.
    QTreeWidgetItem *dragged = currentItem();
    QTreeWidgetItem *target = itemAt(event->position().toPoint());
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (dragged && kind(dragged) == Kind::Section && onDrop)
        onDrop(dragged, target);
}

TCodePane::TCodePane(QToolBar *toolbar, QWidget *parent)
    : QWidget(parent)
    , CodeTree(new TCodeTree)
{
    setObjectName(QStringLiteral("CommonCodePane"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolbar->setParent(this);
    layout->addWidget(toolbar);
    layout->addWidget(CodeTree, 1);
    setFocusProxy(CodeTree);
}
