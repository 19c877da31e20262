// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QTreeWidget>

class QMimeData;
class SiteModel;
class SiteNode;

// The site tree on the "Site Management" page: shows the nodes of the open site, restores their icons as
// they are first expanded, lets sub-folders be renamed and nodes be dragged within their section, and
// hands pages, anchors, images and style sheets to the editor by dragging. Every change of structure
// goes through it, so the items always mirror the model; SiteCommands owns it.
class TSiteTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit TSiteTree(SiteModel &model, QWidget *parent = nullptr);

    // Builds all items again from the model (after an open or a new site), the root expanded.
    void rebuild();
    SiteNode *nodeOf(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *itemOf(const SiteNode *node) const;
    SiteNode *selectedNode() const;
    void selectNode(SiteNode *node);

    SiteNode *addNode(SiteNode *parent, const QString &text, int icon, int selectedIcon = -1, int index = -1);
    void removeNode(SiteNode *node);
    // Runs the drop rules; false when the move is not allowed.
    bool dropNode(SiteNode *dragged, SiteNode *target);
    void setNodeText(SiteNode *node, const QString &text);
    void expandNode(SiteNode *node);
    void editNode(SiteNode *node);
    // What dragging node out carries: the site item format; null for a node that is not dragged.
    QMimeData *dragData(const SiteNode *node) const;
    // The picture of an icon number, as the tree shows it.
    static QIcon kindIcon(int icon, int selectedIcon = -1);

    // SiteTreeExpanding: restores the icons of node's children.
    void SiteTreeExpanding(QTreeWidgetItem *item);

Q_SIGNALS:
    // A move or a rename changed the site.
    void changed();
    void nodeActivated(SiteNode *node);
    // Sent before node and its subtree go.
    void aboutToRemove(SiteNode *node);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QTreeWidgetItem *makeItem(SiteNode *node);
    void addChildItems(QTreeWidgetItem *item, SiteNode *node);
    void forget(QTreeWidgetItem *item);
    void showIcon(QTreeWidgetItem *item);
    bool dropAllowed(const QDropEvent *event) const;
    void SiteTreeEdited(QTreeWidgetItem *item);

    SiteModel &m_model;
    QHash<const SiteNode *, QTreeWidgetItem *> m_items;
    SiteNode *m_dragged = nullptr;
    bool m_building = false;
};
