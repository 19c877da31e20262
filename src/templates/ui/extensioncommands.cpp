// SPDX-License-Identifier: GPL-3.0-or-later
#include "extensioncommands.h"

#include "base/productstrings.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "base/ui/actionset.h"
#include "codeform.h"
#include "codepane.h"
#include "editor/editorsettings.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/editorhost.h"
#include "editor/ui/sourceeditor.h"
#include "templates/codesections.h"
#include "templates/pluginhost.h"
#include "templates/wizardfile.h"
#include "wizardform.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

#include <algorithm>

using ActionTable::MenuId;
using Kind = TCodeTree::Kind;

namespace {

QString newItemName()
{
    return QStringLiteral("New Item");
}

QString newFolderName()
{
    return QStringLiteral("New Folder");
}

QString missingCodeFolder()
{
    return QStringLiteral("The folder Common Code cannot be found or created.");
}

// A menu caption shows "&" only when doubled.
QString menuText(const QString &text)
{
    QString escaped = text;
    return escaped.replace(u'&', QStringLiteral("&&"));
}

} // namespace

ExtensionCommands::ExtensionCommands(EditorHost &host)
    : m_host(host)
{ }

void ExtensionCommands::connectActions()
{
    const auto on = [this](ActionId id, auto handler) {
        connect(m_host.action(id), &QAction::triggered, this, handler);
    };
    on(ActionId::ApplyCodeSection1, &ExtensionCommands::CodeTreeDblClick);
    on(ActionId::ApplyCodeTool, &ExtensionCommands::CodeTreeDblClick);
    on(ActionId::CodeSample1, &ExtensionCommands::CodeSample1Click);
    on(ActionId::AddCodeTool, &ExtensionCommands::CodeSample1Click);
    on(ActionId::AddAsCodeSection1, &ExtensionCommands::AddAsCodeSection1Click);
    on(ActionId::EditCodeSection1, &ExtensionCommands::EditCodeSection1Click);
    on(ActionId::EditCodeTool, &ExtensionCommands::EditCodeSection1Click);
    on(ActionId::RenameCodeSection1, &ExtensionCommands::RenameCodeSection1Click);
    on(ActionId::DeleteCodeSection1, &ExtensionCommands::DeleteCodeSection1Click);
    on(ActionId::DeleteCodeTool, &ExtensionCommands::DeleteCodeSection1Click);
    on(ActionId::NewFolder1, &ExtensionCommands::NewFolder1Click);
    on(ActionId::AddFolderTool, &ExtensionCommands::NewFolder1Click);
    on(ActionId::DeleteFolder1, &ExtensionCommands::DeleteFolder1Click);
    connect(m_host.menu(MenuId::CodePopup), &QMenu::aboutToShow, this, &ExtensionCommands::CodePopupPopup);
    connect(m_host.menu(MenuId::HTMLPopup), &QMenu::aboutToShow, this, &ExtensionCommands::HTMLPopupPopup);
    m_host.action(ActionId::AddAsCodeSection1)->setEnabled(false);
    // Showing the code page lists the root folder afresh.
    connect(m_host.action(ActionId::CommonCodeReuse1), &QAction::toggled, this, [this](bool shown) {
        if (shown && m_codeTree)
            m_codeTree->CodeTreeExpanding(m_codeTree->root());
    });
    // The plug-ins are listed when the window is first activated, as the libraries may be slow to load.
    m_host.dialogParent()->installEventFilter(this);
}

bool ExtensionCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && watched == m_host.dialogParent() && !m_pluginsListed) {
        buildPluginMenu();
        if (m_codeTree)
            m_codeTree->CodeTreeExpanding(m_codeTree->root());
    }
    return QObject::eventFilter(watched, event);
}

void ExtensionCommands::warn(const QString &text)
{
    m_host.prompter().message(Product::caption(), text, PromptButtons::Ok, PromptIcon::Exclamation);
}

void ExtensionCommands::finishEdit(int start, int end)
{
    m_host.FormatTags(start, end);
    m_host.markModified();
    m_host.updatePreview();
}

// ---- Wizard files ----------------------------------------------------------------------------------

void ExtensionCommands::RunWizard(const QString &wizardPath)
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer)
        return;
    QString reason;
    const std::optional<Wizard::Form> form = Wizard::load(wizardPath, &reason);
    if (!form) {
        warn(QStringLiteral("Cannot read the wizard file \"%1\": %2.").arg(wizardPath, reason));
        return;
    }
    const bool names = m_host.editorSettings().names;
    const Wizard::Run run = Wizard::prepare(*form, buffer->selText(), names);
    if (!run.problem.isEmpty()) {
        warn(run.problem);
        return;
    }
    const auto chooseFile = [this] {
        FileRequest request;
        request.title = QStringLiteral("Open");
        request.filter = QStringLiteral("All Files (*.*)|*.*");
        return m_host.prompter().openFileName(request);
    };
    const std::optional<QList<Wizard::Entry>> entries
        = TWizardForm::ask(m_host.dialogParent(), *form, run, names, chooseFile);
    if (!entries)
        return;
    m_host.recordUndoStep(QStringLiteral("Edit Tag"));
    const int start = buffer->selStart();
    buffer->setSelText(Wizard::buildTag(Wizard::tagNameOf(wizardPath), *entries, run.leftover));
    finishEdit(start, buffer->selStart());
}

// ---- Plug-ins --------------------------------------------------------------------------------------

void ExtensionCommands::buildPluginMenu()
{
    if (m_pluginsListed)
        return;
    m_pluginsListed = true;
    const QString addin = ProgramFolder::findEntry(m_host.programFolder(), QStringLiteral("Addin"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<PluginHost::Info> plugins = PluginHost::scan(addin);
    QApplication::restoreOverrideCursor();
    QMenu *tools = m_host.menu(MenuId::Tools);
    int number = 0;
    for (const PluginHost::Info &plugin : plugins) {
        auto *item = new QAction(menuText(plugin.caption()), tools);
        item->setObjectName(QStringLiteral("Plugin") + QString::number(++number));
        applyHint(item, plugin.hint());
        tools->addAction(item);
        connect(item, &QAction::triggered, this,
            [this, path = plugin.path, name = plugin.name] { PluginClick(path, name); });
    }
    m_host.action(ActionId::NoPluginsInstalled)->setVisible(plugins.isEmpty());
}

void ExtensionCommands::PluginClick(const QString &libraryPath, const QString &name)
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer)
        return;
    const int start = buffer->selStart();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PluginHost::Result result = PluginHost::execute(libraryPath, buffer->text(), buffer->selText());
    QApplication::restoreOverrideCursor();
    if (result.status != PluginHost::Result::Status::Ok) {
        warn(PluginHost::invalidMessage(libraryPath));
        return;
    }
    if (result.text.isEmpty())
        return;
    m_host.recordUndoStep(name);
    if (result.replaceSelection) {
        buffer->setSelText(result.text);
        const int end = buffer->selStart();
        buffer->select(start, end - start);
        finishEdit(start, end);
    } else {
        buffer->setText(result.text);
        buffer->select(0, 0);
        finishEdit(0, buffer->length());
        m_host.documentTextReplaced();
    }
}

// ---- Code sections ---------------------------------------------------------------------------------

TCodePane *ExtensionCommands::createCodePage()
{
    auto *pane = new TCodePane(m_host.makeToolbar(ActionTable::ToolbarId::Code, nullptr));
    m_codeTree = pane->tree();
    m_codeTree->setRootFolder(ProgramFolder::userFolder(QStringLiteral("Common Code")));
    connect(m_codeTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *node) {
        if (TCodeTree::kind(node) == Kind::Section)
            CodeTreeDblClick();
    });
    connect(m_codeTree, &QTreeWidget::itemChanged, this,
        [this](QTreeWidgetItem *node, int) { CodeTreeEdited(node); });
    connect(m_codeTree, &QTreeWidget::itemSelectionChanged, this, &ExtensionCommands::updateCodeCommands);
    connect(m_codeTree, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (QTreeWidgetItem *node = m_codeTree->itemAt(at))
            m_codeTree->setCurrentItem(node);
        m_host.menu(MenuId::CodePopup)->popup(m_codeTree->viewport()->mapToGlobal(at));
    });
    m_codeTree->onDrop
        = [this](QTreeWidgetItem *dragged, QTreeWidgetItem *target) { CodeTreeDragDrop(dragged, target); };
    auto *remove = new QAction(m_codeTree);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    m_codeTree->addAction(remove);
    connect(remove, &QAction::triggered, this, &ExtensionCommands::DeleteCodeSection1Click);
    updateCodeCommands();
    return pane;
}

QTreeWidgetItem *ExtensionCommands::selectedNode() const
{
    if (!m_codeTree)
        return nullptr;
    QTreeWidgetItem *node = m_codeTree->currentItem();
    return node && node->isSelected() ? node : nullptr;
}

void ExtensionCommands::updateCodeCommands()
{
    QTreeWidgetItem *node = selectedNode();
    const bool section = node && TCodeTree::kind(node) == Kind::Section;
    for (ActionId id : { ActionId::ApplyCodeTool, ActionId::EditCodeTool, ActionId::DeleteCodeTool })
        m_host.action(id)->setEnabled(
            section || (id == ActionId::DeleteCodeTool && node && TCodeTree::kind(node) == Kind::Folder));
    CodePopupPopup();
}

void ExtensionCommands::CodePopupPopup()
{
    QTreeWidgetItem *node = selectedNode();
    const Kind kind = TCodeTree::kind(node);
    const bool section = node && kind == Kind::Section;
    m_host.action(ActionId::CodeSample1)->setEnabled(true);
    m_host.action(ActionId::NewFolder1)->setEnabled(true);
    m_host.action(ActionId::DeleteFolder1)->setEnabled(node && kind == Kind::Folder);
    for (ActionId id : { ActionId::DeleteCodeSection1, ActionId::ApplyCodeSection1,
             ActionId::EditCodeSection1, ActionId::RenameCodeSection1 })
        m_host.action(id)->setEnabled(section);
}

QTreeWidgetItem *ExtensionCommands::relistAndSelect(QTreeWidgetItem *folder, const QString &name, int kind)
{
    m_codeTree->CodeTreeExpanding(folder);
    QTreeWidgetItem *node = TCodeTree::child(folder, name, Kind(kind));
    if (node) {
        m_codeTree->setCurrentItem(node);
        m_codeTree->scrollToItem(node);
    }
    return node;
}

void ExtensionCommands::CodeTreeDblClick()
{
    QTreeWidgetItem *node = selectedNode();
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!node || TCodeTree::kind(node) != Kind::Section || !buffer)
        return;
    const int start = buffer->selStart();
    m_host.recordUndoStep(QStringLiteral("Apply Code Section"));
    const int end = CodeSections::apply(*buffer, CodeSections::read(m_codeTree->sectionFile(node)));
    finishEdit(start, end);
    if (TSourceEditor *editor = m_host.activeEditor())
        editor->setFocus();
}

QTreeWidgetItem *ExtensionCommands::newSectionNode()
{
    if (!m_codeTree)
        return nullptr;
    QTreeWidgetItem *node = selectedNode();
    if (!node)
        node = m_codeTree->root();
    QTreeWidgetItem *folder = TCodeTree::folderNode(node);
    const QString folderPath = m_codeTree->path(folder);
    if (folderPath.isEmpty()) {
        warn(missingCodeFolder());
        return nullptr;
    }
    const QString name = CodeSections::freeName(folderPath, newItemName(), CodeSections::suffix());
    const CodeSections::Result made
        = CodeSections::createFile(QDir(folderPath).filePath(name + CodeSections::suffix()));
    if (!made.ok) {
        warn(made.message);
        return nullptr;
    }
    return relistAndSelect(folder, name, int(Kind::Section));
}

void ExtensionCommands::CodeSample1Click()
{
    QTreeWidgetItem *node = newSectionNode();
    if (!node)
        return;
    const QString file = m_codeTree->sectionFile(node);
    // Cancel leaves the new, empty section in place: it applies as nothing until it is edited.
    if (const std::optional<CodeSections::Section> texts = TCodeForm::edit(m_host.dialogParent(), {})) {
        QString reason;
        if (!CodeSections::write(file, texts->start, texts->end, &reason))
            warn(QStringLiteral("Cannot write \"%1\": %2.").arg(file, reason));
    }
}

void ExtensionCommands::AddAsCodeSection1Click()
{
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!buffer || !m_codeTree)
        return;
    const QString selection = buffer->selText();
    // The page comes to the front first: showing it lists the tree afresh.
    m_host.action(ActionId::CommonCodeReuse1)->trigger();
    QTreeWidgetItem *node = newSectionNode();
    if (!node)
        return;
    const QString file = m_codeTree->sectionFile(node);
    QString reason;
    if (!CodeSections::writeSelection(file, selection, &reason)) {
        warn(QStringLiteral("Cannot write \"%1\": %2.").arg(file, reason));
        return;
    }
    // The user names the new section at once.
    m_codeTree->editItem(node);
}

void ExtensionCommands::EditCodeSection1Click()
{
    QTreeWidgetItem *node = selectedNode();
    if (!node || TCodeTree::kind(node) != Kind::Section) {
        warn(QStringLiteral("You can only edit code samples!"));
        return;
    }
    const QString file = m_codeTree->sectionFile(node);
    if (const std::optional<CodeSections::Section> texts
        = TCodeForm::edit(m_host.dialogParent(), CodeSections::read(file))) {
        QString reason;
        if (!CodeSections::write(file, texts->start, texts->end, &reason))
            warn(QStringLiteral("Cannot write \"%1\": %2.").arg(file, reason));
    }
}

void ExtensionCommands::RenameCodeSection1Click()
{
    QTreeWidgetItem *node = selectedNode();
    if (node && node != m_codeTree->root())
        m_codeTree->editItem(node);
}

void ExtensionCommands::CodeTreeEdited(QTreeWidgetItem *node)
{
    const Kind kind = TCodeTree::kind(node);
    if (kind == Kind::Root)
        return;
    const QString oldName = TCodeTree::diskName(node);
    const QString newName = node->text(0);
    if (newName == oldName)
        return;
    const QString extension = kind == Kind::Section ? CodeSections::suffix() : QString();
    const CodeSections::Result renamed
        = CodeSections::rename(m_codeTree->path(node) + extension, newName, extension);
    const QSignalBlocker block(m_codeTree);
    if (!renamed.ok) {
        // The node keeps showing what is on disk.
        node->setText(0, oldName);
        warn(renamed.message);
        return;
    }
    TCodeTree::setDiskName(node, newName);
}

void ExtensionCommands::DeleteCodeSection1Click()
{
    QTreeWidgetItem *node = selectedNode();
    if (!node)
        return;
    if (TCodeTree::kind(node) == Kind::Folder) {
        DeleteFolder1Click();
        return;
    }
    if (TCodeTree::kind(node) != Kind::Section)
        return;
    const CodeSections::Result removed = CodeSections::removeSection(m_codeTree->sectionFile(node));
    if (!removed.ok) {
        warn(removed.message);
        return;
    }
    delete node;
    updateCodeCommands();
}

void ExtensionCommands::NewFolder1Click()
{
    if (!m_codeTree)
        return;
    QTreeWidgetItem *node = selectedNode();
    if (!node)
        node = m_codeTree->root();
    QTreeWidgetItem *folder = TCodeTree::folderNode(node);
    const QString folderPath = m_codeTree->path(folder);
    if (folderPath.isEmpty()) {
        warn(missingCodeFolder());
        return;
    }
    const QString name = CodeSections::freeName(folderPath, newFolderName(), QString());
    const CodeSections::Result made = CodeSections::createFolder(QDir(folderPath).filePath(name));
    if (!made.ok) {
        warn(made.message);
        return;
    }
    if (QTreeWidgetItem *created = relistAndSelect(folder, name, int(Kind::Folder)))
        m_codeTree->editItem(created);
}

void ExtensionCommands::DeleteFolder1Click()
{
    QTreeWidgetItem *node = selectedNode();
    if (!node || TCodeTree::kind(node) != Kind::Folder)
        return;
    const CodeSections::Result removed = CodeSections::removeFolder(m_codeTree->path(node));
    if (!removed.ok) {
        const bool notEmpty = removed.message == CodeSections::emptyFolderMessage();
        m_host.prompter().message(Product::caption(), removed.message, PromptButtons::Ok,
            notEmpty ? PromptIcon::Information : PromptIcon::Exclamation);
        return;
    }
    delete node;
    updateCodeCommands();
}

void ExtensionCommands::CodeTreeDragDrop(QTreeWidgetItem *dragged, QTreeWidgetItem *target)
{
    if (!dragged || !target || TCodeTree::kind(dragged) != Kind::Section)
        return;
    QTreeWidgetItem *from = dragged->parent();
    QTreeWidgetItem *to = TCodeTree::folderNode(target);
    if (target == from || to == from)
        return;
    const QString name = TCodeTree::diskName(dragged);
    const CodeSections::Result moved
        = CodeSections::move(m_codeTree->sectionFile(dragged), m_codeTree->path(to));
    if (!moved.ok) {
        warn(moved.message);
        return;
    }
    delete dragged;
    relistAndSelect(to, name, int(Kind::Section));
}

void ExtensionCommands::HTMLPopupPopup()
{
    const EditorBuffer *buffer = m_host.activeBuffer();
    m_host.action(ActionId::AddAsCodeSection1)->setEnabled(buffer && buffer->selLength() > 0);
}

// ---- Script snippets -------------------------------------------------------------------------------

QTreeWidget *ExtensionCommands::createSnippetPage()
{
    JavaList = new QTreeWidget;
    JavaList->setObjectName(QStringLiteral("JavaList"));
    JavaList->setHeaderLabels({ QStringLiteral("Name"), QStringLiteral("Description") });
    JavaList->setRootIsDecorated(false);
    JavaList->setUniformRowHeights(true);
    JavaList->header()->setSectionsClickable(false);
    JavaList->header()->resizeSection(0, 75);
    JavaList->header()->resizeSection(1, 135);
    connect(JavaList, &QTreeWidget::itemActivated, this, &ExtensionCommands::JavaListDblClick);
    loadSnippets();
    return JavaList;
}

void ExtensionCommands::loadSnippets()
{
    const QString folder = ProgramFolder::findEntry(m_host.programFolder(), QStringLiteral("Java"));
    for (const Snippets::Entry &entry : Snippets::list(folder)) {
        auto *item = new QTreeWidgetItem(JavaList, QStringList { entry.caption, entry.description });
        item->setToolTip(1, entry.description);
    }
    // Names are short: the column fits them rather than cutting them off.
    JavaList->resizeColumnToContents(0);
    JavaList->header()->resizeSection(0, std::max(75, JavaList->header()->sectionSize(0)));
}

void ExtensionCommands::JavaListDblClick()
{
    QTreeWidgetItem *item = JavaList ? JavaList->currentItem() : nullptr;
    EditorBuffer *buffer = m_host.activeBuffer();
    if (!item || !buffer)
        return;
    const QString folder = ProgramFolder::findEntry(m_host.programFolder(), QStringLiteral("Java"));
    const QString path = folder.isEmpty() ? QString() : Snippets::file(folder, item->text(0));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(QStringLiteral("Cannot open the snippet file \"%1\".").arg(path));
        return;
    }
    const QString snippet = QString::fromUtf8(file.readAll());
    m_host.recordUndoStep(QStringLiteral("Java"));
    const int start = buffer->selStart();
    buffer->setSelText(Snippets::insertion(snippet, m_host.editorSettings().upper));
    finishEdit(start, buffer->selStart());
}
