// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog, the Document Options wizard and the tip of the day, driven through their widgets on
// the real window.
#include "app/ui/docform.h"
#include "app/ui/settingsform.h"
#include "app/ui/tipform.h"
#include "formwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

void click(QWidget &form, const char *name)
{
    auto *button = form.findChild<QPushButton *>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    button->click();
}

QTreeWidgetItem *switchItem(QWidget &form, const QString &text)
{
    const QList<QTreeWidgetItem *> found = form.findChild<QTreeWidget *>(QStringLiteral("SettingsTree"))
                                               ->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

const QString bare
    = QStringLiteral("<html>\r\n<head><title>Bare</title></head>\r\n<body>\r\nText\r\n</body>\r\n</html>");

} // namespace

class TestOptionDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void settingsFinishRewritesTheSameValues();
    void settingsSwitchesAndRestartNotice();
    void documentOptionsWriteOnlyOnFinish();
    void documentOptionsSound();
    void tipOfTheDay();
};

void TestOptionDialogs::settingsFinishRewritesTheSameValues()
{
    FormWindow w;
    const QFont font = w.editor()->font();
    const auto finish = [&] {
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            if (auto *form = qobject_cast<TSettingsForm *>(QApplication::activeModalWidget())) {
                shown = true;
                click(*form, "Finish");
            }
        });
        w.action("Settings1")->trigger();
        QVERIFY(shown);
    };
    finish();
    const QByteArray first = TestEnvironment::readFile(w.env.userSettingsFile());
    QVERIFY(first.contains("Use%20Prompting") || first.contains("Use Prompting"));
    finish();
    QCOMPARE(TestEnvironment::readFile(w.env.userSettingsFile()), first);
    QVERIFY(w.prompter.asked().isEmpty());
    QCOMPARE(w.editor()->font().family(), font.family());
    QCOMPARE(w.editor()->font().pointSize(), font.pointSize());
    // Finish marks the page modified; the editor is the page's again.
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));
    QCOMPARE(w.form->htmlSource(), w.editor());
}

void TestOptionDialogs::settingsSwitchesAndRestartNotice()
{
    FormWindow w([](SettingsStore &settings) {
        settings.writeBool(Settings::Upper, true);
        settings.writeBool(Settings::Names, false);
    });
    QString sample;
    QTimer::singleShot(0, this, [&] {
        auto *form = qobject_cast<TSettingsForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        QTreeWidget *tree = form->findChild<QTreeWidget *>(QStringLiteral("SettingsTree"));
        Q_EMIT tree->itemClicked(switchItem(*form, QStringLiteral("Use Colour Names")), 0);
        Q_EMIT tree->itemClicked(switchItem(*form, QStringLiteral("Use Internal Preview")), 0);
        QVERIFY(tree->selectedItems().isEmpty());
        sample = EditorBuffer(form->findChild<TSourceEditor *>(QStringLiteral("Sample"))).text();
        // Turning the colouring off asks first; No keeps it.
        w.prompter.answer(PromptAnswer::No);
        form->findChild<QCheckBox *>(QStringLiteral("Highlight"))->click();
        QVERIFY(form->findChild<QCheckBox *>(QStringLiteral("Highlight"))->isChecked());
        click(*form, "Finish");
    });
    w.action("Settings1")->trigger();
    QVERIFY(sample.contains(QStringLiteral("<BODY BGCOLOR=\"WHITE\" TEXT=\"BLACK\">")));
    QCOMPARE(w.prompter.texts(),
        QStringList(
            { QStringLiteral("Diabling Syntax Highlighting may affect some functions which rely on "
                             "distinguishing between tags and text.\nAre you sure you want to continue?"),
                QStringLiteral(
                    "The changes to the internal preview will be applied when you next start Tagloom 99") }));
    SettingsStore &settings = w.form->settings();
    QVERIFY(settings.readBool(Settings::Names));
    QVERIFY(settings.readBool(Settings::Upper));
    QVERIFY(settings.readBool(Settings::IEVisible));
    QVERIFY(settings.readBool(Settings::Formatting));
    QVERIFY(w.form->editorSettings().names);

    // Cancel writes nothing and shows no notice.
    w.prompter.clear();
    const QByteArray before = TestEnvironment::readFile(w.env.userSettingsFile());
    QTimer::singleShot(0, this, [&] {
        if (auto *form = qobject_cast<TSettingsForm *>(QApplication::activeModalWidget())) {
            Q_EMIT form->findChild<QTreeWidget *>(QStringLiteral("SettingsTree"))
                ->itemClicked(switchItem(*form, QStringLiteral("Use Internal Preview")), 0);
            click(*form, "Cancel");
        }
    });
    w.action("Settings1")->trigger();
    QVERIFY(w.prompter.asked().isEmpty());
    QCOMPARE(TestEnvironment::readFile(w.env.userSettingsFile()), before);
    QCOMPARE(w.form->htmlSource(), w.editor());
}

void TestOptionDialogs::documentOptionsWriteOnlyOnFinish()
{
    FormWindow w;
    w.buffer().setText(QStringLiteral(
        "<html>\r\n<head><title>Bare</title></head>\r\n<body background=\"File:///no/such/back.gif\" "
        "leftmargin=none>\r\nText\r\n</body>\r\n</html>"));
    w.form->commands().documents.FilePagesChange();
    w.form->markSaved();
    const QString original = w.text();
    QString shownBackground;
    QTimer::singleShot(0, this, [&] {
        if (auto *form = qobject_cast<TDocForm *>(QApplication::activeModalWidget())) {
            shownBackground = form->findChild<QLineEdit *>(QStringLiteral("Background"))->text();
            click(*form, "Cancel");
        }
    });
    w.action("DocumentOptions")->trigger();
    QCOMPARE(shownBackground, QStringLiteral("/no/such/back.gif"));
    QCOMPARE(w.text(), original);
    QVERIFY(w.prompter.asked().isEmpty());

    QTimer::singleShot(0, this, [&] {
        if (auto *form = qobject_cast<TDocForm *>(QApplication::activeModalWidget())) {
            form->findChild<QLineEdit *>(QStringLiteral("Title"))->setText(QStringLiteral("New Title"));
            click(*form, "Next");
            click(*form, "Next");
            QCOMPARE(form->currentPage(), 2);
            click(*form, "Finish");
        }
    });
    w.action("DocumentOptions")->trigger();
    const QString text = w.text();
    QVERIFY(text.contains(QStringLiteral("<title>New Title</title>")));
    QVERIFY2(text.contains(QStringLiteral("background=\"/no/such/back.gif\"")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("leftmargin=0")));
    QVERIFY(text.contains(QStringLiteral("bgcolor=\"white\"")));
    QVERIFY(text.contains(QStringLiteral("link=\"blue\"")));
    QVERIFY(text.contains(QStringLiteral("bgproperties=\"scroll\"")));
    QVERIFY(!text.contains(QStringLiteral("bgsound"), Qt::CaseInsensitive));
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));
    // Its two steps undo back to the page as it was.
    w.action("Undo")->trigger();
    w.action("Undo")->trigger();
    QCOMPARE(w.text(), original);
}

void TestOptionDialogs::documentOptionsSound()
{
    FormWindow w([](SettingsStore &settings) { settings.writeBool(Settings::Upper, true); });
    const QString path = w.env.writeFile(QStringLiteral("site/page.html"), bare.toUtf8());
    w.env.writeFile(QStringLiteral("site/sounds/tune.wav"), "RIFF");
    w.form->commands().documents.openFileIntoPage(path);
    QTimer::singleShot(0, this, [&] {
        if (auto *form = qobject_cast<TDocForm *>(QApplication::activeModalWidget())) {
            form->findChild<QLineEdit *>(QStringLiteral("SoundName"))
                ->setText(QStringLiteral("sounds/tune.wav"));
            QVERIFY(form->findChild<QCheckBox *>(QStringLiteral("SoundRelative"))->isChecked());
            QVERIFY(form->findChild<QPushButton *>(QStringLiteral("PlayButton"))->isEnabled());
            click(*form, "Next");
            click(*form, "Next");
            click(*form, "Finish");
        }
    });
    w.action("DocumentOptions")->trigger();
    const QString text = w.text();
    const int body = int(text.indexOf(QStringLiteral("<body")));
    const int end = int(text.indexOf(u'>', body));
    QVERIFY2(
        text.mid(end + 1).startsWith(QStringLiteral("\r\n<BGSOUND SRC=\"sounds/tune.wav\" LOOP=INFINITE>")),
        qPrintable(text));
}

void TestOptionDialogs::tipOfTheDay()
{
    // The window's first showing opens the tip with the box checked; OK with it cleared stores that. The
    // tip may open while the window is still being shown, so a timer watches for it from the start.
    QString tip;
    bool checked = false;
    QTimer watch;
    watch.setInterval(20);
    connect(&watch, &QTimer::timeout, this, [&] {
        if (auto *form = qobject_cast<TTipForm *>(QApplication::activeModalWidget())) {
            watch.stop();
            tip = form->tip();
            auto *box = form->findChild<QCheckBox *>(QStringLiteral("ShowTips"));
            checked = box->isChecked();
            box->setChecked(false);
            click(*form, "Button1");
            QVERIFY(form->tip() != tip);
            click(*form, "OK");
        }
    });
    watch.start();
    FormWindow w([](SettingsStore &settings) { settings.writeBool(Settings::ShowTips, true); });
    QTRY_VERIFY(!tip.isEmpty());
    QVERIFY(checked);
    QVERIFY(!w.form->settings().readBool(Settings::ShowTips));

    // Closed without OK, the setting stays as it was.
    QTimer::singleShot(0, this, [&] {
        if (auto *form = qobject_cast<TTipForm *>(QApplication::activeModalWidget())) {
            checked = form->findChild<QCheckBox *>(QStringLiteral("ShowTips"))->isChecked();
            form->findChild<QCheckBox *>(QStringLiteral("ShowTips"))->setChecked(true);
            form->reject();
        }
    });
    w.action("TipoftheDay1")->trigger();
    QVERIFY(!checked);
    QVERIFY(!w.form->settings().readBool(Settings::ShowTips));
}

QTEST_MAIN(TestOptionDialogs)
#include "tst_optiondialogs.moc"
