// SPDX-License-Identifier: GPL-3.0-or-later
#include "actionset.h"

#include "icons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

using namespace ActionTable;

namespace {

template <typename Target> void setHint(Target *target, const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    target->setToolTip(bar < 0 ? hint : hint.left(bar));
    target->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

} // namespace

void applyHint(QAction *action, const QString &hint)
{
    setHint(action, hint);
}

void applyHint(QWidget *widget, const QString &hint)
{
    setHint(widget, hint);
}

ActionSet::ActionSet(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
    std::array<QActionGroup *, 3> groups {};
    for (const ActionRow &row : rows()) {
        auto *action = new QAction(QString::fromUtf16(row.text), owner);
        action->setObjectName(QString::fromUtf16(row.objectName));
        action->setSeparator(row.flags & Separator);
        QList<QKeySequence> keys = ActionTable::keys(row.id);
        if (row.standardKey != QKeySequence::UnknownKey)
            keys.append(QKeySequence::keyBindings(row.standardKey).value(0));
        if (!keys.isEmpty())
            action->setShortcuts(keys);
        if (*row.icon)
            action->setIcon(Icons::icon(QString::fromUtf16(row.icon)));
        if (*row.iconText && action->icon().isNull())
            action->setIconText(QString::fromUtf16(row.iconText));
        if (*row.hint)
            applyHint(action, QString::fromUtf16(row.hint));
        action->setCheckable(row.flags & (Checkable | Checked));
        action->setChecked(row.flags & Checked);
        action->setEnabled(!(row.flags & (Later | Disabled)));
        if (row.group != Group::None) {
            QActionGroup *&group = groups[size_t(row.group)];
            if (!group)
                group = new QActionGroup(owner);
            group->addAction(action);
        }
        m_actions[size_t(row.id)] = action;
    }
}

QMenu *ActionSet::menu(MenuId id) const
{
    QMenu *&made = m_menus[size_t(id)];
    if (made)
        return made;
    const Menu &table = ActionTable::menu(id);
    made = new QMenu(QString::fromUtf16(table.title), m_owner);
    made->setObjectName(QString::fromUtf16(table.objectName));
    for (const MenuEntry &entry : table.entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Action:
            made->addAction(action(entry.action));
            break;
        case MenuEntry::Kind::Separator:
            if (entry.action != ActionId::Count)
                made->addAction(action(entry.action));
            else
                made->addSeparator();
            break;
        case MenuEntry::Kind::Submenu:
            made->addMenu(menu(entry.submenu));
            break;
        }
    }
    made->menuAction()->setEnabled(table.enabled);
    return made;
}

QToolBar *ActionSet::makeToolbar(ToolbarId id, QWidget *parent, const WidgetProvider &provider) const
{
    const Toolbar &table = ActionTable::toolbar(id);
    auto *bar = new QToolBar(QString::fromUtf16(table.title), parent);
    bar->setObjectName(QString::fromUtf16(table.objectName));
    bar->setIconSize(QSize(16, 16));
    for (const ToolbarEntry &entry : table.entries) {
        switch (entry.kind) {
        case ToolbarEntry::Kind::Button:
            bar->addAction(action(entry.action));
            bar->widgetForAction(action(entry.action))->setObjectName(QString::fromUtf16(entry.buttonName));
            break;
        case ToolbarEntry::Kind::Separator:
            bar->addSeparator();
            break;
        case ToolbarEntry::Kind::Widget:
            if (QWidget *widget = provider ? provider(entry.widget, bar) : nullptr)
                bar->addWidget(widget);
            break;
        }
    }
    if (table.toggle != ActionId::Count) {
        QAction *item = action(table.toggle);
        connect(item, &QAction::triggered, bar, &QToolBar::setVisible);
        // Hiding a toolbar any other way (its layout, a floating window closed) keeps the item in step.
        connect(bar, &QToolBar::visibilityChanged, item, [bar, item] {
            if (!bar->isHidden() != item->isChecked() && bar->window()->isVisible())
                item->setChecked(!bar->isHidden());
        });
        connect(menu(MenuId::Toolbars), &QMenu::aboutToShow, item,
            [bar, item] { item->setChecked(!bar->isHidden()); });
    }
    return bar;
}

void ActionSet::applyHints(bool withShortcut, const std::function<bool(ActionId)> &skip) const
{
    for (const ActionRow &row : rows()) {
        if (*row.plainHint && !(skip && skip(row.id)))
            applyHint(action(row.id), hint(row.id, withShortcut));
    }
}
