// SPDX-License-Identifier: GPL-3.0-or-later
// The menus, context menus, toolbars and status bar as the user meets them, written out item by item and
// compared with a reference: a command that loses its caption, key, hint or place shows up here.
#include "base/programfolder.h"
#include "formwindow.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QString keys(const QAction *action)
{
    QStringList list;
    for (const QKeySequence &key : action->shortcuts())
        list.append(key.toString(QKeySequence::PortableText));
    return list.join(u',');
}

QString describe(const QAction *action)
{
    if (action->isSeparator())
        return QStringLiteral("----");
    QStringList flags;
    if (!action->isEnabled())
        flags.append(QStringLiteral("disabled"));
    if (!action->isVisible())
        flags.append(QStringLiteral("hidden"));
    if (action->isCheckable())
        flags.append(action->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked"));
    if (!action->icon().isNull())
        flags.append(QStringLiteral("icon"));
    if (action->actionGroup())
        flags.append(QStringLiteral("grouped"));
    QString line = action->objectName() + QStringLiteral(" \"") + action->text() + u'"';
    if (!action->shortcuts().isEmpty())
        line += QStringLiteral(" keys=") + keys(action);
    if (!flags.isEmpty())
        line += u' ' + flags.join(u' ');
    // A plug-in's hint names its library by full path, which depends on where the build stands.
    QString tip = action->toolTip();
    tip.replace(ProgramFolder::path(), QStringLiteral("<program folder>"));
    if (action->toolTip() != QString(action->text()).remove(u'&').remove(QStringLiteral("...")))
        line += QStringLiteral(" tip=\"") + tip + u'"';
    if (!action->statusTip().isEmpty())
        line += QStringLiteral(" status=\"") + action->statusTip() + u'"';
    return line;
}

void writeMenu(QStringList &out, const QMenu *menu, const QString &indent)
{
    // The menus fill and enable their items as they open, so each is shown opening.
    Q_EMIT const_cast<QMenu *>(menu)->aboutToShow();
    for (const QAction *action : menu->actions()) {
        if (action->menu()) {
            out.append(indent + QStringLiteral("menu ") + action->menu()->objectName() + QStringLiteral(" \"")
                + action->text() + u'"' + (action->isEnabled() ? QString() : QStringLiteral(" disabled")));
            writeMenu(out, action->menu(), indent + QStringLiteral("  "));
        } else {
            out.append(indent + describe(action));
        }
    }
}

void writeToolbar(QStringList &out, const QToolBar *bar)
{
    out.append(QStringLiteral("toolbar ") + bar->objectName() + QStringLiteral(" \"") + bar->windowTitle()
        + u'"' + (bar->isHidden() ? QStringLiteral(" hidden") : QString()));
    for (QAction *action : bar->actions()) {
        QWidget *widget = bar->widgetForAction(action);
        const QString name = widget ? widget->objectName() : QString();
        if (action->isSeparator()) {
            out.append(QStringLiteral("  ----"));
        } else if (const auto *button = qobject_cast<QToolButton *>(widget);
                   button && button->defaultAction() == action) {
            out.append(QStringLiteral("  button ") + name + QStringLiteral(": ") + describe(action));
        } else {
            out.append(QStringLiteral("  widget ") + name + u' '
                + QString::fromLatin1(widget->metaObject()->className()) + QStringLiteral(" tip=\"")
                + widget->toolTip() + QStringLiteral("\" status=\"") + widget->statusTip() + u'"');
        }
    }
}

QString layoutOf(TMainForm &form)
{
    QStringList out;
    for (const QAction *top : form.menuBar()->actions()) {
        out.append(
            QStringLiteral("menu ") + top->menu()->objectName() + QStringLiteral(" \"") + top->text() + u'"');
        writeMenu(out, top->menu(), QStringLiteral("  "));
    }
    for (const char *name : { "FilePagesPopup", "HTMLPopup", "CodePopup" }) {
        const auto *popup = form.findChild<QMenu *>(QString::fromLatin1(name));
        out.append(QStringLiteral("popup ") + popup->objectName());
        writeMenu(out, popup, QStringLiteral("  "));
    }
    for (const char *name :
        { "StdToolbar", "DocumentToolbar", "FormattingToolbar", "HTMLToolbar", "SiteToolbar", "CodeToolbar" })
        writeToolbar(out, form.findChild<QToolBar *>(QString::fromLatin1(name)));
    QStringList panels;
    for (int i = 0; i < 6; ++i) {
        const auto *panel
            = form.statusBar()->findChild<QWidget *>(QStringLiteral("StatusPanel") + QString::number(i));
        panels.append(panel ? panel->objectName() : QStringLiteral("missing"));
    }
    out.append(QStringLiteral("status ") + panels.join(u' '));
    return out.join(u'\n') + u'\n';
}

} // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // With Shortcuts on and off: the hints of the toolbar buttons are the only difference.
    void layoutMatchesReference_data()
    {
        QTest::addColumn<bool>("shortcuts");
        QTest::newRow("shortcuts") << true;
        QTest::newRow("plain") << false;
    }
    void layoutMatchesReference()
    {
        QFETCH(bool, shortcuts);
        FormWindow w([&](SettingsStore &settings) {
            settings.writeBool(QStringLiteral("Editor"), QStringLiteral("Shortcuts"), shortcuts);
        });
        const QString rendered = layoutOf(*w.form);
        QFile reference(QStringLiteral(TAGLOOM_TEST_DATA "/windowlayout/")
            + QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".txt"));
        if (qEnvironmentVariableIsSet("TAGLOOM_REGENERATE")) {
            QVERIFY(reference.open(QIODevice::WriteOnly | QIODevice::Truncate));
            reference.write(rendered.toUtf8());
            QSKIP("reference written");
        }
        QVERIFY2(reference.open(QIODevice::ReadOnly), qPrintable(reference.fileName()));
        QCOMPARE(rendered, QString::fromUtf8(reference.readAll()));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
