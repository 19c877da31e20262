// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class EditorHost;
class QTreeWidget;
class QTreeWidgetItem;
class TCodePane;
class TCodeTree;

// The commands that extend the editor from files beside the program: the plug-ins of Addin in the Tools
// menu, wizard files, the code sections of the "Common Code Reuse" page and the script snippets of the
// "Javascript Snippets" page. The window owns the unit and the pages it makes.
class ExtensionCommands : public QObject
{
    Q_OBJECT
public:
    explicit ExtensionCommands(EditorHost &host);

    void connectActions();
    // The left pane's pages; the pane takes them over.
    TCodePane *createCodePage();
    QTreeWidget *createSnippetPage();

    // Builds the wizard file's dialog for the selected start tag and, on OK, writes the new start tag.
    void RunWizard(const QString &wizardPath);

    // The first activation of the window lists the plug-ins in the Tools menu; later ones do nothing.
    void buildPluginMenu();
    void PluginClick(const QString &libraryPath, const QString &name);

    void CodeTreeDblClick();
    void CodeSample1Click();
    void AddAsCodeSection1Click();
    void EditCodeSection1Click();
    void RenameCodeSection1Click();
    void DeleteCodeSection1Click();
    void NewFolder1Click();
    void DeleteFolder1Click();
    void CodePopupPopup();
    // Moves the dragged code section's file into the target's folder.
    void CodeTreeDragDrop(QTreeWidgetItem *dragged, QTreeWidgetItem *target);
    void JavaListDblClick();
    void HTMLPopupPopup();

    TCodeTree *codeTree() const { return m_codeTree; }
    QTreeWidget *javaList() const { return JavaList; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadSnippets();
    QTreeWidgetItem *selectedNode() const;
    // Lists the folder node again and selects its child of that name.
    QTreeWidgetItem *relistAndSelect(QTreeWidgetItem *folder, const QString &name, int kind);
    // A new, empty section file in the selected node's folder, selected in the tree; null on failure.
    QTreeWidgetItem *newSectionNode();
    void CodeTreeEdited(QTreeWidgetItem *node);
    void updateCodeCommands();
    void warn(const QString &text);
    void finishEdit(int start, int end);

    EditorHost &m_host;
    TCodeTree *m_codeTree = nullptr;
    QTreeWidget *JavaList = nullptr;
    bool m_pluginsListed = false;
};
