// SPDX-License-Identifier: GPL-3.0-or-later
#include "sitetree.h"

#include "base/ui/icons.h"
#include "editor/sitedrag.h"
#include "site/sitefile.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

namespace {

const int nodeRole = Qt::UserRole;

// The four lines under a profile are its settings, not entries of the tree, so they get no items.
bool isProfileLine(const SiteNode *node)
{
    return node->level() > 2 && Site::sectionOf(node) == SiteSection::FtpSites;
}

bool isProfile(const SiteNode *node)
{
    return node->level() == 2 && Site::sectionOf(node) == SiteSection::FtpSites;
}

QIcon fileTypeIcon(const char *themeName, const char *fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(themeName), Icons::icon(QString::fromLatin1(fallback)));
}

} // namespace

TSiteTree::TSiteTree(SiteModel &model, QWidget *parent)
    : QTreeWidget(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("SiteTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(false);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeWidget::itemExpanded, this, &TSiteTree::SiteTreeExpanding);
    connect(this, &QTreeWidget::itemChanged, this, &TSiteTree::SiteTreeEdited);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (SiteNode *node = nodeOf(item))
            Q_EMIT nodeActivated(node);
    });
    rebuild();
}

QIcon TSiteTree::kindIcon(int icon, int selectedIcon)
{
    switch (icon) {
    case SiteIcon::Root:
        return Icons::icon(QStringLiteral("site"));
    case SiteIcon::Folder:
    case SiteIcon::OpenFolder: {
        // The folder opens while it is selected.
        static const QIcon folder = [] {
            QIcon result;
            for (int size : { 16, 24 }) {
                result.addPixmap(Icons::icon(QStringLiteral("folder")).pixmap(size), QIcon::Normal);
                result.addPixmap(Icons::icon(QStringLiteral("folder-open")).pixmap(size), QIcon::Selected);
            }
            return result;
        }();
        return selectedIcon == SiteIcon::OpenFolder || icon == SiteIcon::OpenFolder
            ? folder
            : Icons::icon(QStringLiteral("folder"));
    }
    case SiteIcon::Page:
        return fileTypeIcon("text-html", "web-page");
    case SiteIcon::Gif:
        return fileTypeIcon("image-gif", "image");
    case SiteIcon::Jpeg:
        return fileTypeIcon("image-jpeg", "image");
    case SiteIcon::Anchor:
        return Icons::icon(QStringLiteral("anchor"));
    case SiteIcon::StyleSheet:
        return fileTypeIcon("text-css", "style-sheet");
    case SiteIcon::FtpProfile:
        return Icons::icon(QStringLiteral("ftp"));
    case SiteIcon::NewFtpProfile:
        return Icons::icon(QStringLiteral("ftp-new"));
    default:
        return QIcon();
    }
}

void TSiteTree::rebuild()
{
    m_building = true;
    clear();
    m_items.clear();
    QTreeWidgetItem *root = makeItem(&m_model.root());
    addTopLevelItem(root);
    m_building = false;
    root->setExpanded(true);
}

QTreeWidgetItem *TSiteTree::makeItem(SiteNode *node)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, node->text());
    item->setData(0, nodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
    m_items.insert(node, item);
    showIcon(item);
    if (isProfile(node))
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    else
        addChildItems(item, node);
    return item;
}

void TSiteTree::addChildItems(QTreeWidgetItem *item, SiteNode *node)
{
    QList<QTreeWidgetItem *> children;
    children.reserve(node->childCount());
    for (int i = 0; i < node->childCount(); ++i)
        children.append(makeItem(node->child(i)));
    item->addChildren(children);
}

void TSiteTree::showIcon(QTreeWidgetItem *item)
{
    const SiteNode *node = nodeOf(item);
    const bool wasBuilding = m_building;
    m_building = true;
    // A loaded node has no icon until its parent is first expanded; the root always has its own.
    item->setIcon(0,
        !node->parent() || node->icon() != SiteIcon::Root ? kindIcon(node->icon(), node->selectedIcon())
                                                          : QIcon());
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (Site::isSubFolder(node))
        flags |= Qt::ItemIsEditable;
    if (node->icon() >= SiteIcon::Page && node->icon() <= SiteIcon::StyleSheet)
        flags |= Qt::ItemIsDragEnabled;
    item->setFlags(flags);
    m_building = wasBuilding;
}

SiteNode *TSiteTree::nodeOf(const QTreeWidgetItem *item) const
{
    return item ? reinterpret_cast<SiteNode *>(item->data(0, nodeRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem *TSiteTree::itemOf(const SiteNode *node) const
{
    return m_items.value(node);
}

SiteNode *TSiteTree::selectedNode() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? nullptr : nodeOf(selected.constFirst());
}

void TSiteTree::selectNode(SiteNode *node)
{
    if (QTreeWidgetItem *item = itemOf(node)) {
        setCurrentItem(item);
        scrollToItem(item);
    }
}

SiteNode *TSiteTree::addNode(SiteNode *parent, const QString &text, int icon, int selectedIcon, int index)
{
    SiteNode *node = parent->addChild(text, icon, selectedIcon, index);
    QTreeWidgetItem *parentItem = itemOf(parent);
    if (parentItem && !isProfileLine(node)) {
        m_building = true;
        parentItem->insertChild(node->indexInParent(), makeItem(node));
        m_building = false;
    }
    return node;
}

void TSiteTree::forget(QTreeWidgetItem *item)
{
    m_items.remove(nodeOf(item));
    for (int i = 0; i < item->childCount(); ++i)
        forget(item->child(i));
}

void TSiteTree::removeNode(SiteNode *node)
{
    Q_EMIT aboutToRemove(node);
    if (QTreeWidgetItem *item = itemOf(node)) {
        forget(item);
        delete item;
    }
    node->parent()->takeChild(node->indexInParent());
}

void TSiteTree::setNodeText(SiteNode *node, const QString &text)
{
    node->setText(text);
    if (QTreeWidgetItem *item = itemOf(node))
        item->setText(0, text);
}

void TSiteTree::expandNode(SiteNode *node)
{
    if (QTreeWidgetItem *item = itemOf(node))
        item->setExpanded(true);
}

void TSiteTree::editNode(SiteNode *node)
{
    if (QTreeWidgetItem *item = itemOf(node)) {
        setCurrentItem(item);
        editItem(item);
    }
}

void TSiteTree::SiteTreeExpanding(QTreeWidgetItem *item)
{
    SiteNode *node = nodeOf(item);
    if (!node || !Site::restoreIcons(*node))
        return;
    for (int i = 0; i < item->childCount(); ++i)
        showIcon(item->child(i));
}

void TSiteTree::SiteTreeEdited(QTreeWidgetItem *item)
{
    SiteNode *node = nodeOf(item);
    if (m_building || !node || item->text(0) == node->text())
        return;
    node->setText(item->text(0));
    Q_EMIT changed();
}

bool TSiteTree::dropNode(SiteNode *dragged, SiteNode *target)
{
    const std::optional<SitePlacement> placement = Site::dropPlacement(dragged, target);
    QTreeWidgetItem *item = itemOf(dragged);
    if (!placement || !item || !item->parent())
        return false;
    expandNode(target);
    expandNode(placement->parent);
    const bool expanded = item->isExpanded();
    m_building = true;
    item->parent()->takeChild(item->parent()->indexOfChild(item));
    Site::moveNode(*dragged, *placement);
    itemOf(placement->parent)->insertChild(dragged->indexInParent(), item);
    item->setExpanded(expanded);
    m_building = false;
    setCurrentItem(item);
    Q_EMIT changed();
    return true;
}

QMimeData *TSiteTree::dragData(const SiteNode *node) const
{
    if (!node || node->icon() < SiteIcon::Page || node->icon() > SiteIcon::StyleSheet)
        return nullptr;
    auto *data = new QMimeData;
    const SiteDrag::Item carried { node->icon(), m_model.root().text(), node->text(),
        node->icon() == SiteIcon::Anchor ? node->parent()->text() : QString() };
    data->setData(SiteDrag::mimeType(), SiteDrag::encode(carried));
    return data;
}

void TSiteTree::startDrag(Qt::DropActions supportedActions)
{
    Q_UNUSED(supportedActions);
    SiteNode *node = selectedNode();
    QMimeData *data = dragData(node);
    if (!data)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(kindIcon(node->icon()).pixmap(16));
    m_dragged = node;
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    m_dragged = nullptr;
}

bool TSiteTree::dropAllowed(const QDropEvent *event) const
{
    return event->source() == this && m_dragged
        && Site::dropPlacement(m_dragged, nodeOf(itemAt(event->position().toPoint())));
}

void TSiteTree::dragEnterEvent(QDragEnterEvent *event)
{
    // Only nodes of this tree are dropped here; files from elsewhere go to the editor.
    if (event->source() == this && m_dragged) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TSiteTree::dragMoveEvent(QDragMoveEvent *event)
{
    if (dropAllowed(event)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TSiteTree::dropEvent(QDropEvent *event)
{
    if (dropAllowed(event) && dropNode(m_dragged, nodeOf(itemAt(event->position().toPoint())))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}
