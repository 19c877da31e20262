// SPDX-License-Identifier: GPL-3.0-or-later
// The logic behind the preview files, the settings dialog's switches and values, the document options and
// the tips, on plain values and a test's own folders.
#include "app/documentoptions.h"
#include "app/previewfiles.h"
#include "app/settingsvalues.h"
#include "app/tips.h"
#include "base/programfolder.h"
#include "editor/plainbuffer.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTest>

class TestOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void previewFilesAreListedOnlyWhenOurs();
    void previewFilesNeverWriteThroughLinksOrThePageItself();
    void oneOfManySetsKeepToTheirOwnNumber();
    void settingsValuesRoundTrip();
    void documentOptionsReadWithoutChangingThePage();
    void soundTagIsWrittenAfterTheBody();
    void bodyValuesKeepTheirCase();
    void tipsHandleEmptyFilesAndDoNotRepeat();
};

void TestOptions::previewFilesAreListedOnlyWhenOurs()
{
    TestEnvironment env;
    const QString first = env.writeFile(QStringLiteral("a/page.html"), "x");
    const QString second = env.writeFile(QStringLiteral("b/page.html"), "x");
    // A preview file left over from before is the user's: written, but never removed.
    const QString leftOver = env.writeFile(QStringLiteral("b/~~HTML~~.html"), "old");
    PreviewFiles files;
    const FileFormat utf8;

    const PreviewFiles::Written a = files.write(first, QStringLiteral("<p>caf\u00e9</p>"), utf8);
    QVERIFY(a.ok);
    QCOMPARE(a.path, env.path(QStringLiteral("a/~~HTML~~.html")));
    QCOMPARE(TestEnvironment::readFile(a.path), QByteArray("<p>caf\xc3\xa9</p>"));
    QVERIFY(files.write(first, QStringLiteral("again"), utf8).ok);
    const PreviewFiles::Written b = files.write(second, QStringLiteral("new"), utf8);
    QCOMPARE(b.path, leftOver);
    QCOMPARE(TestEnvironment::readFile(leftOver), QByteArray("new"));

    // An unsaved page goes to a private folder that only its owner can enter.
    const PreviewFiles::Written unsaved = files.write(std::nullopt, QStringLiteral("u"), utf8);
    QVERIFY(unsaved.ok);
    const QFileInfo folder(QFileInfo(unsaved.path).absolutePath());
    QVERIFY(folder.absoluteFilePath() != QDir::tempPath());
    QCOMPARE(folder.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
        QFile::Permissions());

    // The external preview's file stays for the browser.
    const QString third = env.writeFile(QStringLiteral("c/page.html"), "x");
    const PreviewFiles::Written external
        = files.write(third, QStringLiteral("e"), utf8, PreviewFiles::Listing::Unlisted);
    QCOMPARE(files.tempFileNames(), QStringList({ a.path, unsaved.path }));

    files.removeAll();
    QVERIFY(!QFile::exists(a.path));
    QVERIFY(!QFile::exists(unsaved.path));
    QVERIFY(QFile::exists(leftOver));
    QVERIFY(QFile::exists(external.path));
    QVERIFY(files.tempFileNames().isEmpty());
}

void TestOptions::previewFilesNeverWriteThroughLinksOrThePageItself()
{
    TestEnvironment env;
    const QString victim = env.writeFile(QStringLiteral("victim.txt"), "precious");
    const QString page = env.writeFile(QStringLiteral("site/page.html"), "x");
    QVERIFY(QFile::link(victim, env.path(QStringLiteral("site/~~HTML~~.html"))));
    PreviewFiles files;
    const PreviewFiles::Written written = files.write(page, QStringLiteral("preview"), FileFormat());
    QVERIFY(written.ok);
    QVERIFY(written.path != env.path(QStringLiteral("site/~~HTML~~.html")));
    QCOMPARE(TestEnvironment::readFile(victim), QByteArray("precious"));
    QCOMPARE(TestEnvironment::readFile(written.path), QByteArray("preview"));

    // A page that is itself named like the preview file keeps its saved text.
    const QString own = env.writeFile(QStringLiteral("own/~~HTML~~.html"), "saved");
    const PreviewFiles::Written second = files.write(own, QStringLiteral("unsaved edits"), FileFormat());
    QVERIFY(second.ok);
    QVERIFY(second.path != own);
    QCOMPARE(TestEnvironment::readFile(own), QByteArray("saved"));
    files.removeAll();
    QCOMPARE(TestEnvironment::readFile(own), QByteArray("saved"));
    QVERIFY(QFileInfo(env.path(QStringLiteral("site/~~HTML~~.html"))).isSymLink());
}

void TestOptions::oneOfManySetsKeepToTheirOwnNumber()
{
    SwitchTree tree;
    SettingsValues values;
    values.upper = true;
    values.names = false;
    values.onReturn = QStringLiteral("<p>");
    values.shortcuts = false;
    tree.load(values);
    QVERIFY(tree.isOn(QStringLiteral("Insert Tags in Upper Case")));
    QVERIFY(tree.isOn(QStringLiteral("Use Colour Hex Codes")));
    QVERIFY(tree.isOn(QStringLiteral("Insert <p> Tag")));

    // Colour names and letter case share the group "Editor" but not a set.
    tree.click(tree.indexOf(QStringLiteral("Use Colour Names")));
    QVERIFY(tree.isOn(QStringLiteral("Use Colour Names")));
    QVERIFY(!tree.isOn(QStringLiteral("Use Colour Hex Codes")));
    QVERIFY(tree.isOn(QStringLiteral("Insert Tags in Upper Case")));
    QCOMPARE(
        tree.items().at(tree.indexOf(QStringLiteral("Use Colour Names"))).state, int(SwitchTree::GroupBOn));
    // Letter case and the Return tags carry the same number in different groups: neither touches the other.
    tree.click(tree.indexOf(QStringLiteral("Insert Tags in Lower Case")));
    QVERIFY(!tree.isOn(QStringLiteral("Insert Tags in Upper Case")));
    QVERIFY(tree.isOn(QStringLiteral("Insert <p> Tag")));
    QVERIFY(tree.isOn(QStringLiteral("Use Colour Names")));
    // An item already on stays on; a check item flips; a group item does nothing.
    tree.click(tree.indexOf(QStringLiteral("Insert Tags in Lower Case")));
    QVERIFY(tree.isOn(QStringLiteral("Insert Tags in Lower Case")));
    tree.click(tree.indexOf(QStringLiteral("Show Keyboard Shortcuts in Help Hints")));
    QVERIFY(tree.isOn(QStringLiteral("Show Keyboard Shortcuts in Help Hints")));
    const QList<SwitchTree::Item> before = tree.items();
    tree.click(tree.indexOf(QStringLiteral("Editor")));
    QCOMPARE(tree.items().size(), before.size());
    for (int i = 0; i < before.size(); ++i)
        QCOMPARE(tree.items().at(i).state, before.at(i).state);

    tree.click(tree.indexOf(QStringLiteral("Don't Insert a Tag")));
    SettingsValues stored;
    tree.store(stored);
    QVERIFY(!stored.upper);
    QVERIFY(stored.names);
    QVERIFY(stored.shortcuts);
    QCOMPARE(stored.onReturn, QString());
}

void TestOptions::settingsValuesRoundTrip()
{
    TestEnvironment env;
    SettingsStore store = env.settings();
    SettingsValues values = SettingsValues::read(store);
    values.colours[SettingsValues::Tag] = 0x123456;
    values.templateText = QStringLiteral("<html>\r\n</html>");
    values.onReturn = QStringLiteral("<br>");
    values.ieVisible = true;
    values.browser = QStringLiteral("/usr/bin/a browser");
    values.write(store);
    const QByteArray first = TestEnvironment::readFile(env.userSettingsFile());
    const SettingsValues again = SettingsValues::read(store);
    QCOMPARE(again.colours[SettingsValues::Tag], TColor(0x123456));
    QCOMPARE(again.templateText, values.templateText);
    QCOMPARE(again.onReturn, QStringLiteral("<br>"));
    QVERIFY(again.ieVisible);
    QCOMPARE(again.browser, values.browser);
    again.write(store);
    QCOMPARE(TestEnvironment::readFile(env.userSettingsFile()), first);
}

void TestOptions::documentOptionsReadWithoutChangingThePage()
{
    const QString page = QStringLiteral(
        "<html><body background=\"FILE:///pics/back.gif\" leftmargin=wide topmargin=12 bgproperties=fixed "
        "text=\"red\" link=#00FF00>\r\n<bgsound src=\"tune.wav\" loop=-1>\r\n</body></html>");
    PlainBuffer buffer(page);
    const DocumentOptions options = DocumentOptions::read(buffer);
    QCOMPARE(buffer.text(), page);
    QCOMPARE(options.background, QStringLiteral("/pics/back.gif"));
    QCOMPARE(options.leftMargin, 0);
    QCOMPARE(options.topMargin, 12);
    QVERIFY(options.fixed);
    QCOMPARE(options.text, StrToColor(QStringLiteral("red")));
    QCOMPARE(options.link, StrToColor(QStringLiteral("#00FF00")));
    QCOMPARE(options.bgColor, StrToColor(QStringLiteral("#FFFFFF")));
    QCOMPARE(options.soundName, QStringLiteral("tune.wav"));
    QVERIFY(options.infinite);

    PlainBuffer counted(QStringLiteral("<html><body><BGSOUND SRC=a.mid LOOP=\"3\"></body></html>"));
    const DocumentOptions three = DocumentOptions::read(counted);
    QVERIFY(!three.infinite);
    QCOMPARE(three.repeat, 3);
    PlainBuffer words(QStringLiteral("<html><body><bgsound src=a.mid loop=often></body></html>"));
    QVERIFY(DocumentOptions::read(words).infinite);
    PlainBuffer noLoop(QStringLiteral("<html><body><bgsound src=a.mid></body></html>"));
    QVERIFY(DocumentOptions::read(noLoop).infinite);
}

void TestOptions::soundTagIsWrittenAfterTheBody()
{
    using namespace DocumentOptionsMarkup;
    PlainBuffer none(QStringLiteral("<html><body bgcolor=white>\r\ntext</body></html>"));
    QVERIFY(writeSound(none, QStringLiteral("sounds/tune.wav"), QStringLiteral("INFINITE"), Case::Upper));
    QCOMPARE(none.text(),
        QStringLiteral(
            "<html><body bgcolor=white>\r\n<BGSOUND SRC=\"sounds/tune.wav\" LOOP=INFINITE>\r\ntext</body></html>"));

    PlainBuffer partial(QStringLiteral("<html><body><bgsound volume=5></body></html>"));
    QVERIFY(writeSound(partial, QStringLiteral("My Tune.wav"), QStringLiteral("2"), Case::Lower));
    QCOMPARE(partial.text(),
        QStringLiteral("<html><body><bgsound volume=5 src=\"My Tune.wav\" loop=2></body></html>"));

    PlainBuffer quoted(
        QStringLiteral("<html><body><bgsound src=\"old one.wav\" loop=infinite></body></html>"));
    QVERIFY(writeSound(quoted, QStringLiteral("new.wav"), QStringLiteral("4"), Case::Lower));
    QCOMPARE(quoted.text(), QStringLiteral("<html><body><bgsound src=\"new.wav\" loop=4></body></html>"));

    const QString unclosed = QStringLiteral("<html><body>text <bgsound src=a.wav");
    PlainBuffer open(unclosed);
    QVERIFY(!writeSound(open, QStringLiteral("b.wav"), QStringLiteral("1"), Case::Lower));
    QCOMPARE(open.text(), unclosed);
}

void TestOptions::bodyValuesKeepTheirCase()
{
    using namespace DocumentOptionsMarkup;
    PlainBuffer buffer(QStringLiteral("<html><body bgcolor=white></body></html>"));
    QVERIFY(setBodyValue(
        buffer, QStringLiteral("BACKGROUND="), QStringLiteral("\"Pics/Back.GIF\""), Case::Upper));
    QVERIFY(setBodyValue(buffer, QStringLiteral("BGCOLOR="), QStringLiteral("\"RED\""), Case::Upper));
    QCOMPARE(buffer.text(),
        QStringLiteral("<html><body BACKGROUND=\"Pics/Back.GIF\" bgcolor=\"RED\"></body></html>"));
    PlainBuffer noBody(QStringLiteral("<html></html>"));
    QVERIFY(!setBodyValue(noBody, QStringLiteral("TEXT="), QStringLiteral("x"), Case::Lower));
    QCOMPARE(noBody.text(), QStringLiteral("<html></html>"));
}

void TestOptions::tipsHandleEmptyFilesAndDoNotRepeat()
{
    TestEnvironment env;
    QVERIFY(Tips::load(env.path(QStringLiteral("missing"))).isEmpty());
    const QString file = env.writeFile(QStringLiteral("Tips"), "\r\none\r\n\r\ntwo\r\nthree\n");
    QCOMPARE(Tips::load(file),
        QStringList({ QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three") }));
    Tips empty({});
    QCOMPARE(empty.next(), QString());
    // The same seed would once have shown the same tip for every press within a second.
    Tips tips(Tips::load(file), 7);
    QString last = tips.next();
    QSet<QString> seen { last };
    for (int i = 0; i < 50; ++i) {
        const QString tip = tips.next();
        QVERIFY(tip != last);
        seen.insert(tip);
        last = tip;
    }
    QCOMPARE(seen.size(), 3);
    // The tips shipped beside the program are many enough to vary.
    QVERIFY(Tips::load(Tips::path(ProgramFolder::path())).size() >= 30);
}

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
