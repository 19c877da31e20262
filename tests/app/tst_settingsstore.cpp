// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/recentfiles.h"
#include "base/settingsstore.h"
#include "testenvironment.h"

#include <QFile>
#include <QTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingValuesYieldDefaults();
    void valuesRoundTripAndStayInTheirFiles();
    void unreadableValuesFallBackToDefaults();
    void firstStartWritesTheWindowDefaults();
    void templateSeedReplacesOnlyThePlaceholder();
    void recentFilesRotate();
};

void TestSettingsStore::missingValuesYieldDefaults()
{
    TestEnvironment env;
    const SettingsStore settings = env.settings();
    QVERIFY(settings.isFirstStart());
    QCOMPARE(settings.readBool(Keys::Editor, QStringLiteral("Word Wrap")), true);
    QCOMPARE(settings.readBool(Keys::Position, QStringLiteral("IEVisible")), false);
    QCOMPARE(settings.readInteger(Keys::Colors, QStringLiteral("Back Color")), 0xFFFFFF);
    QCOMPARE(
        settings.readString(Keys::Template, QStringLiteral("Template")), QStringLiteral("CreateNewTemplate"));
    QVERIFY(
        !settings.readString(Keys::Machine, QStringLiteral("Name"), SettingsStore::Root::Machine).isEmpty());
    QVERIFY(!settings.readString(Keys::Machine, QStringLiteral("TempDir"), SettingsStore::Root::Machine)
                 .isEmpty());
    // Reading creates nothing: the user's file appears only when something is written.
    QVERIFY(!QFile::exists(env.userSettingsFile()));
}

void TestSettingsStore::valuesRoundTripAndStayInTheirFiles()
{
    TestEnvironment env;
    SettingsStore settings = env.settings();
    settings.writeBool(Keys::Editor, QStringLiteral("Upper"), true);
    settings.writeInteger(Keys::Colors, QStringLiteral("Tag Color"), 0x123456);
    settings.writeString(Keys::Editor, QStringLiteral("OnReturn"), QStringLiteral("<br>"));
    settings.write(
        Keys::Machine, QStringLiteral("Name"), QStringLiteral("Ann"), SettingsStore::Root::Machine);
    settings.writeBool(Keys::Product, QStringLiteral("ShowTips"), true);

    // A second store over the same files reads what the first wrote.
    const SettingsStore again = env.settings();
    QCOMPARE(again.readBool(Keys::Editor, QStringLiteral("Upper")), true);
    QCOMPARE(again.readInteger(Keys::Colors, QStringLiteral("Tag Color")), 0x123456);
    QCOMPARE(again.readString(Keys::Editor, QStringLiteral("OnReturn")), QStringLiteral("<br>"));
    QCOMPARE(again.readString(Keys::Machine, QStringLiteral("Name"), SettingsStore::Root::Machine),
        QStringLiteral("Ann"));
    QVERIFY(again.readBool(Keys::Product, QStringLiteral("ShowTips")));
    // Machine values are not user values, and booleans are stored as the registry kept them.
    QVERIFY(!again.hasValue(Keys::Machine, QStringLiteral("Name")));
    const QByteArray userFile = TestEnvironment::readFile(env.userSettingsFile());
    QVERIFY(userFile.contains("Upper=1"));
    QVERIFY(!userFile.contains("Ann"));
}

void TestSettingsStore::unreadableValuesFallBackToDefaults()
{
    TestEnvironment env;
    env.writeFile(
        QStringLiteral("config/Tagloom 99.ini"), "[Editor]\nSize=big\nUpper=maybe\nTag%20Edit=false\n");
    const SettingsStore settings = env.settings();
    QCOMPARE(settings.readInteger(Keys::Editor, QStringLiteral("Size")), 10);
    QCOMPARE(settings.readBool(Keys::Editor, QStringLiteral("Upper")), false);
    QCOMPARE(settings.readBool(Keys::Editor, QStringLiteral("Tag Edit")), false);
}

void TestSettingsStore::firstStartWritesTheWindowDefaults()
{
    TestEnvironment env;
    SettingsStore settings = env.settings();
    settings.writeFirstStartDefaults(QSize(1280, 900));
    QVERIFY(!settings.isFirstStart());
    QCOMPARE(settings.readInteger(Keys::Position, QStringLiteral("Width")), 1280);
    QCOMPARE(settings.readInteger(Keys::Position, QStringLiteral("Height")), 900);
    QCOMPARE(settings.readInteger(Keys::Position, QStringLiteral("IEHeight")), 180);
    QVERIFY(settings.readBool(Keys::Position, QStringLiteral("Maximised")));
}

void TestSettingsStore::templateSeedReplacesOnlyThePlaceholder()
{
    TestEnvironment env;
    SettingsStore settings = env.settings();
    InstallCheck::seedTemplate(settings);
    const QString seeded = settings.readString(Keys::Template, QStringLiteral("Template"));
    QCOMPARE(seeded, InstallCheck::defaultTemplate());
    QVERIFY(seeded.startsWith(QStringLiteral("<html>\r\n<head>\r\n")));
    QVERIFY(seeded.contains(QStringLiteral("\r\n\r\n\r\nYour Document Text\r\n\r\n\r\n</body>")));
    QVERIFY(seeded.endsWith(QStringLiteral("</html>")));

    settings.writeString(Keys::Template, QStringLiteral("Template"), QStringLiteral("<p>mine</p>"));
    InstallCheck::seedTemplate(settings);
    QCOMPARE(settings.readString(Keys::Template, QStringLiteral("Template")), QStringLiteral("<p>mine</p>"));
}

void TestSettingsStore::recentFilesRotate()
{
    TestEnvironment env;
    SettingsStore settings = env.settings();
    const QStringList names = { QStringLiteral("/w/a.html"), QStringLiteral("/w/b.html"),
        QStringLiteral("/w/c.html"), QStringLiteral("/w/d.html"), QStringLiteral("/w/e.html") };
    for (const QString &name : names)
        RecentFiles::add(settings, name);
    // The fifth distinct file pushes the oldest out.
    QCOMPARE(RecentFiles::read(settings), QStringList({ names[4], names[3], names[2], names[1] }));
    // Reopening the second swaps it with the first; the first stays where it is.
    RecentFiles::add(settings, names[3]);
    QCOMPARE(RecentFiles::read(settings), QStringList({ names[3], names[4], names[2], names[1] }));
    RecentFiles::add(settings, names[3]);
    QCOMPARE(RecentFiles::read(settings), QStringList({ names[3], names[4], names[2], names[1] }));
    // The third moves to the front; the fourth, like a new file, pushes the last out.
    RecentFiles::add(settings, names[2]);
    QCOMPARE(RecentFiles::read(settings), QStringList({ names[2], names[3], names[4], names[1] }));
    RecentFiles::add(settings, names[1]);
    QCOMPARE(RecentFiles::read(settings), QStringList({ names[1], names[2], names[3], names[4] }));
    // Names differing in case are different files on this file system.
    RecentFiles::add(settings, QStringLiteral("/w/B.html"));
    QCOMPARE(RecentFiles::read(settings).constFirst(), QStringLiteral("/w/B.html"));
    QCOMPARE(RecentFiles::read(settings).at(1), names[1]);

    QCOMPARE(
        RecentFiles::menuCaption(2, QStringLiteral("/w/site/page.html")), QStringLiteral("&2 page.html"));
    QCOMPARE(RecentFiles::menuCaption(3, QString()), QStringLiteral("&3"));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
