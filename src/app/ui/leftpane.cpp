// SPDX-License-Identifier: GPL-3.0-or-later
#include "leftpane.h"

#include "base/programfolder.h"
#include "base/ui/actionset.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QListWidget>
#include <QMainWindow>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The View menu's items, in the order of the pages.
constexpr std::array pageItems { ActionId::SiteManagement1, ActionId::CurrentTagEditor1,
    ActionId::CommonCodeReuse1, ActionId::JavascriptSnippets1 };

bool folderIsEmpty(const QString &name)
{
    const QString folder = ProgramFolder::find(name);
    return folder.isEmpty() || QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot);
}

template <typename Item> Item *noteItem(Item *item)
{
    item->setFlags(Qt::NoItemFlags);
    item->setToolTip(0, item->text(0));
    return item;
}

QListWidgetItem *noteItem(QListWidgetItem *item)
{
    item->setFlags(Qt::NoItemFlags);
    item->setToolTip(item->text());
    return item;
}

} // namespace

QString LeftPane::commonCodeNote()
{
    return QStringLiteral("Put code to reuse in Common Code.");
}

QString LeftPane::snippetsNote()
{
    return QStringLiteral("Put script snippets in Java.");
}

LeftPane::LeftPane(QMainWindow *window, const ActionSet &actions, QWidget *sitePane, QWidget *tagEditorPage)
    : QObject(window)
    , m_actions(actions)
{
    auto *dock = new QDockWidget(QStringLiteral("Left Pane"), window);
    dock->setObjectName(QStringLiteral("LeftPane"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    ToolPages = new QTabWidget(dock);
    ToolPages->setObjectName(QStringLiteral("ToolPages"));
    ToolPages->setTabPosition(QTabWidget::West);
    // On a short window the four side tabs do not fit: they scroll rather than fall out of reach.
    ToolPages->setUsesScrollButtons(true);
    ToolPages->setElideMode(Qt::ElideRight);

    // The code reuse pane's contents arrive with the code sections feature.
    auto *codeTree = new QTreeWidget;
    codeTree->setObjectName(QStringLiteral("CodeTree"));
    codeTree->setHeaderHidden(true);
    auto *snippets = new QListWidget;
    snippets->setObjectName(QStringLiteral("SnippetList"));
    // An empty page says what belongs there rather than looking broken.
    if (folderIsEmpty(QStringLiteral("Common Code")))
        codeTree->addTopLevelItem(noteItem(new QTreeWidgetItem(QStringList { commonCodeNote() })));
    if (folderIsEmpty(QStringLiteral("Java")))
        snippets->addItem(noteItem(new QListWidgetItem(snippetsNote())));
    const struct
    {
        QWidget *content;
        const char *name;
        const char *caption;
    } pages[] = {
        { sitePane, "SiteTreePage", "Site Management" },
        { tagEditorPage, "TagEditorPage", "Current Tag Editor" },
        { codeTree, "CommonCodePage", "Common Code Reuse" },
        { snippets, "JavascriptPage", "Javascript Snippets" },
    };
    for (const auto &page : pages) {
        page.content->setProperty("pageName", QString::fromLatin1(page.name));
        ToolPages->addTab(page.content, QString::fromLatin1(page.caption));
    }
    dock->setWidget(ToolPages);
    dock->setMinimumWidth(200);
    window->addDockWidget(Qt::LeftDockWidgetArea, dock);

    for (int i = 0; i < int(pageItems.size()); ++i) {
        connect(actions.action(pageItems[size_t(i)]), &QAction::triggered, this,
            [this, i] { ToolPages->setCurrentIndex(i); });
    }
    connect(ToolPages, &QTabWidget::currentChanged, this, &LeftPane::PageControl1Change);
    ToolPages->setCurrentIndex(0);
}

void LeftPane::showPage(QWidget *page)
{
    ToolPages->setCurrentWidget(page);
    PageControl1Change(ToolPages->currentIndex());
}

void LeftPane::PageControl1Change(int index)
{
    // The View menu's radio item follows the page shown.
    if (index >= 0 && index < int(pageItems.size()))
        m_actions.action(pageItems[size_t(index)])->setChecked(true);
}
