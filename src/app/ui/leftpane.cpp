// SPDX-License-Identifier: GPL-3.0-or-later
#include "leftpane.h"

#include "base/ui/actionset.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QTabWidget>

namespace {

// The View menu's items, in the order of the pages.
constexpr std::array pageItems { ActionId::SiteManagement1, ActionId::CurrentTagEditor1,
    ActionId::CommonCodeReuse1, ActionId::JavascriptSnippets1 };

} // namespace

LeftPane::LeftPane(QMainWindow *window, const ActionSet &actions, QWidget *sitePane, QWidget *tagEditorPage,
    QWidget *codePage, QWidget *snippetPage)
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

    const struct
    {
        QWidget *content;
        const char *name;
        const char *caption;
    } pages[] = {
        { sitePane, "SiteTreePage", "Site Management" },
        { tagEditorPage, "TagEditorPage", "Current Tag Editor" },
        { codePage, "CommonCodePage", "Common Code Reuse" },
        { snippetPage, "JavascriptPage", "Javascript Snippets" },
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
