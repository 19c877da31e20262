// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktopentry.h"
#include "app/meminfo.h"
#include "testenvironment.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

class TestSystemFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesMemInfo();
    void readsRealMemInfo();
    void installsDesktopEntry();
    void quotesProgramPath_data();
    void quotesProgramPath();
    void installFailure();
    void installedFilesMatchAndValidate();
};

void TestSystemFiles::parsesMemInfo()
{
    const QByteArray sample = "MemTotal:       16318412 kB\n"
                              "MemFree:         1021440 kB\n"
                              "MemAvailable:    9876543 kB\n"
                              "Buffers:          200000 kB\n"
                              "Cached:          5000000 kB\n"
                              "SwapCached:         1234 kB\n"
                              "SwapTotal:       2097148 kB\n"
                              "SwapFree:        2000000 kB\n"
                              "HugePages_Total:       0\n";
    MemoryFigures figures = parseMemInfo(sample);
    QVERIFY(figures.ok);
    QCOMPARE(figures.totalKb, 16318412);
    QCOMPARE(figures.availableKb, 9876543);
    QCOMPARE(figures.swapTotalKb, 2097148);
    QCOMPARE(figures.swapFreeKb, 2000000);

    // Old kernels have no MemAvailable: free memory and caches stand in for it.
    figures = parseMemInfo(
        "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 20 kB\nCached: 300 kB\nSwapCached: 7 kB\n");
    QVERIFY(figures.ok);
    QCOMPARE(figures.availableKb, 420);
    QCOMPARE(figures.swapTotalKb, 0);

    QVERIFY(!parseMemInfo("MemFree: 100 kB\nSwapTotal: 5 kB\n").ok);
    QVERIFY(!parseMemInfo("MemTotal: lots kB\n").ok);
    QVERIFY(!parseMemInfo(QByteArray()).ok);
}

void TestSystemFiles::readsRealMemInfo()
{
    const MemoryFigures figures = readMemInfo();
    QVERIFY(figures.ok);
    QVERIFY(figures.totalKb > 0);
    QVERIFY(figures.availableKb <= figures.totalKb);
    QVERIFY(!readMemInfo(u"/nonexistent/meminfo"_qs).ok);
}

void TestSystemFiles::installsDesktopEntry()
{
    TestEnvironment env;
    const QString dataHome = env.path(u"share"_qs);
    QString error;
    QVERIFY2(DesktopEntry::install(dataHome, u"/usr/bin/tagloom"_qs, &error), qPrintable(error));

    const QString desktop
        = QString::fromUtf8(TestEnvironment::readFile(dataHome + u"/applications/tagloom.desktop"_qs));
    const QStringList lines = desktop.split(u'\n');
    QCOMPARE(lines.first(), u"[Desktop Entry]"_qs);
    for (const QString &line : { u"Type=Application"_qs, u"Name=Tagloom"_qs, u"Exec=/usr/bin/tagloom %f"_qs,
             u"MimeType=text/html;application/xhtml+xml;application/x-tagloom-site;"_qs,
             u"Categories=Development;WebDevelopment;TextEditor;"_qs, u"Actions=edit;"_qs,
             u"[Desktop Action edit]"_qs, u"Name=Edit in Tagloom 99"_qs, u"Icon=example.tagloom.Tagloom"_qs })
        QVERIFY2(lines.contains(line), qPrintable(line));
    // The action runs the same command, in its own group after the main one.
    const qsizetype action = lines.indexOf(u"[Desktop Action edit]"_qs);
    QCOMPARE(lines.indexOf(u"Exec=/usr/bin/tagloom %f"_qs, action), action + 2);

    const QString mime
        = QString::fromUtf8(TestEnvironment::readFile(dataHome + u"/mime/packages/tagloom-site.xml"_qs));
    for (const QString &part : { u"<mime-type type=\"application/x-tagloom-site\">"_qs,
             u"<comment>Web Site File</comment>"_qs, u"<glob pattern=\"*.site\"/>"_qs,
             u"xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\""_qs })
        QVERIFY2(mime.contains(part), qPrintable(part));
    // ".sit" is another program's archive type too: the desktop is not told that such files are ours.
    QVERIFY(!mime.contains(u"*.sit\""_qs));

    // Installing again replaces the files.
    QVERIFY(DesktopEntry::install(dataHome, u"/opt/tagloom"_qs, &error));
    QVERIFY(QString::fromUtf8(TestEnvironment::readFile(dataHome + u"/applications/tagloom.desktop"_qs))
                .contains(u"\nExec=/opt/tagloom %f\n"_qs));
}

void TestSystemFiles::quotesProgramPath_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("exec");
    QTest::newRow("blank") << u"/home/me/My Apps/tagloom"_qs << u"Exec=\"/home/me/My Apps/tagloom\" %f"_qs;
    QTest::newRow("dollar and quote")
        << u"/opt/a$b\"c/tagloom"_qs << u"Exec=\"/opt/a\\\\$b\\\\\"c/tagloom\" %f"_qs;
    // Inside quotes a backslash becomes two, and the key file doubles each again.
    QTest::newRow("backslash") << u"/opt/a\\b/tagloom"_qs << u"Exec=\"/opt/a\\\\\\\\b/tagloom\" %f"_qs;
    QTest::newRow("percent") << u"/opt/100%/tagloom"_qs << u"Exec=/opt/100%%/tagloom %f"_qs;
    QTest::newRow("percent and blank") << u"/opt/100% x/tagloom"_qs << u"Exec=\"/opt/100%% x/tagloom\" %f"_qs;
}

void TestSystemFiles::quotesProgramPath()
{
    QFETCH(QString, program);
    QFETCH(QString, exec);
    const QStringList lines = DesktopEntry::desktopFileText(program).split(u'\n');
    QCOMPARE(lines.count(exec), 2);
}

void TestSystemFiles::installFailure()
{
    TestEnvironment env;
    // A file where the data folder should be: no folder can be made under it, even by root.
    const QString blocker = env.writeFile(u"share"_qs, "not a folder");
    QString error;
    QVERIFY(!DesktopEntry::install(blocker, u"/usr/bin/tagloom"_qs, &error));
    QVERIFY2(error.contains(u"share"_qs), qPrintable(error));
    QCOMPARE(TestEnvironment::readFile(blocker), QByteArray("not a folder"));
}

void TestSystemFiles::installedFilesMatchAndValidate()
{
    // The package's files are the text the program writes for a build folder, with the command's name.
    const QString desktop = QString::fromUtf8(
        TestEnvironment::readFile(TAGLOOM_SOURCE_DATA u"/desktop/example.tagloom.Tagloom.desktop"_qs));
    QCOMPARE(desktop, DesktopEntry::desktopFileText(u"tagloom"_qs));
    QCOMPARE(
        QString::fromUtf8(TestEnvironment::readFile(TAGLOOM_SOURCE_DATA u"/desktop/tagloom-site.xml"_qs)),
        DesktopEntry::mimeTypeText());
    QVERIFY(!desktop.contains(u'&'));

    // What a build folder writes passes the desktop's own check, also for a path that needs quoting.
    TestEnvironment env;
    QString error;
    QVERIFY2(DesktopEntry::install(env.path(u"share"_qs), u"/home/me/My Build/tagloom"_qs,
                 u"/home/me/My Build/example.tagloom.Tagloom.svg"_qs, &error),
        qPrintable(error));
    QProcess validate;
    validate.start(u"desktop-file-validate"_qs, { env.path(u"share/applications/tagloom.desktop"_qs) });
    QVERIFY2(validate.waitForFinished(30000), "desktop-file-validate did not run");
    const QString output
        = QString::fromUtf8(validate.readAllStandardOutput() + validate.readAllStandardError());
    QVERIFY2(validate.exitStatus() == QProcess::NormalExit && validate.exitCode() == 0, qPrintable(output));
    QVERIFY2(!output.contains(u"error"_qs) && !output.contains(u"warning"_qs), qPrintable(output));

    // The desktop's caches learn the site type and the entry's file types.
    QVERIFY(DesktopEntry::refreshCaches(env.path(u"share"_qs), true));
    const QString globs = QString::fromUtf8(TestEnvironment::readFile(env.path(u"share/mime/globs2"_qs)));
    QVERIFY2(globs.contains(u"application/x-tagloom-site:*.site"_qs), qPrintable(globs));
    QVERIFY(!globs.contains(u"*.sit\n"_qs));
    const QString cache
        = QString::fromUtf8(TestEnvironment::readFile(env.path(u"share/applications/mimeinfo.cache"_qs)));
    QVERIFY2(cache.contains(u"application/x-tagloom-site=tagloom.desktop;"_qs), qPrintable(cache));
    QVERIFY(!DesktopEntry::refreshCaches(env.path(u"nowhere"_qs), true));
}

QTEST_GUILESS_MAIN(TestSystemFiles)
#include "tst_systemfiles.moc"
