// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTreeWidget>

#include <functional>

class QToolBar;

// The tree CodeTree over the "Common Code" folder: the root node stands for the folder, folder nodes for
// its sub-folders and code section nodes for its ".ccs" files. A folder node lists its children afresh
// each time it is expanded, so the disk is the only record. Dragging a code section onto a folder or
// another section asks the owner to move its file.
class TCodeTree : public QTreeWidget
{
    Q_OBJECT
public:
    enum class Kind { Root, Folder, Section };

    explicit TCodeTree(QWidget *parent = nullptr);

    // Points the root at folder and lists it.
    void setRootFolder(const QString &folder);
    QTreeWidgetItem *root() const { return topLevelItem(0); }
    static Kind kind(const QTreeWidgetItem *node);
    // The folder a node stands for; a section node's path is its file's path without ".ccs".
    QString path(const QTreeWidgetItem *node) const;
    QString sectionFile(const QTreeWidgetItem *node) const;
    // The folder node that holds new entries made at node: node itself, or a section's parent.
    static QTreeWidgetItem *folderNode(QTreeWidgetItem *node);
    // The name the node stands for on disk; its text differs only while it is being renamed.
    static QString diskName(const QTreeWidgetItem *node);
    static void setDiskName(QTreeWidgetItem *node, const QString &name);

    // Lists the children of a root or folder node from the disk, and expands it.
    void CodeTreeExpanding(QTreeWidgetItem *node);
    // The child of node named name, or null.
    static QTreeWidgetItem *child(QTreeWidgetItem *node, const QString &name, Kind kind);

    // Called with the dragged section node and the node it was dropped on.
    std::function<void(QTreeWidgetItem *dragged, QTreeWidgetItem *target)> onDrop;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QTreeWidgetItem *addNode(QTreeWidgetItem *parent, const QString &name, Kind kind);
    QString m_rootFolder;
    bool m_listing = false;
};

// The "Common Code Reuse" page: the code toolbar over the tree.
class TCodePane : public QWidget
{
    Q_OBJECT
public:
    TCodePane(QToolBar *toolbar, QWidget *parent = nullptr);
    TCodeTree *tree() const { return CodeTree; }

private:
    TCodeTree *CodeTree;
};
