// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/manual.h"
#include "base/programfolder.h"
#include "testenvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TestProgramFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void locatesBuildAndInstalledFolders();
    void userFoldersOfAnInstalledProgram();
    void userFoldersBesideABuild();
    void installedFolderIsNotWritten();
    void findsTheManual();
};

void TestProgramFolder::locatesBuildAndInstalledFolders()
{
    TestEnvironment env;
    // A build: the tables stand beside the executable, whatever the case of their names.
    env.writeFile(u"build/tags.db"_qs, "x");
    QCOMPARE(ProgramFolder::locate(env.path(u"build"_qs)), QDir::cleanPath(env.path(u"build"_qs)));
    // Installed: bin/ holds only programs, the data is in ../share/tagloom.
    QDir().mkpath(env.path(u"usr/bin"_qs));
    QCOMPARE(
        ProgramFolder::locate(env.path(u"usr/bin"_qs)), QDir::cleanPath(env.path(u"usr/share/tagloom"_qs)));
    QCOMPARE(
        ProgramFolder::locate(env.path(u"usr/bin/"_qs)), QDir::cleanPath(env.path(u"usr/share/tagloom"_qs)));

    // The tests run with TAGLOOM_HOME set, which wins and is never the installed case.
    QVERIFY(!qEnvironmentVariableIsEmpty("TAGLOOM_HOME"));
    QCOMPARE(
        ProgramFolder::path(), QDir::cleanPath(QDir(qEnvironmentVariable("TAGLOOM_HOME")).absolutePath()));
    QVERIFY(!ProgramFolder::isInstalled());
}

void TestProgramFolder::userFoldersOfAnInstalledProgram()
{
    TestEnvironment env;
    const QString installed = env.path(u"share/tagloom"_qs);
    const QString sample = env.writeFile(u"share/tagloom/Common Code/HTML/table.ccs"_qs, "[Table]\n");
    QFile::setPermissions(sample, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    const QString dataHome = env.path(u"home/.local/share"_qs);

    const QString own = ProgramFolder::userFolder(u"Common Code"_qs, installed, true, dataHome);
    QCOMPARE(own, dataHome + u"/tagloom/Common Code"_qs);
    const QString copy = own + u"/HTML/table.ccs"_qs;
    QCOMPARE(TestEnvironment::readFile(copy), QByteArray("[Table]\n"));
    // The copy is the user's to change, though the installed file is read-only.
    QVERIFY(QFileInfo(copy).isWritable());

    // Seeded once: the user's changes and deletions stand at the next start.
    QFile::remove(copy);
    env.writeFile(u"home/.local/share/tagloom/Common Code/mine.ccs"_qs, "[Mine]\n");
    QCOMPARE(ProgramFolder::userFolder(u"Common Code"_qs, installed, true, dataHome), own);
    QVERIFY(!QFileInfo::exists(copy));
    QVERIFY(QFileInfo::exists(own + u"/mine.ccs"_qs));

    // A folder the installation lacks is made empty.
    const QString templates = ProgramFolder::userFolder(u"Templates"_qs, installed, true, dataHome);
    QVERIFY(QFileInfo(templates).isDir());
    QVERIFY(QDir(templates).isEmpty());
    QVERIFY(!QFileInfo::exists(installed + u"/Templates"_qs));

    // No folder can be made under a file: the caller learns it.
    const QString blocker = env.writeFile(u"blocked"_qs, "x");
    QVERIFY(ProgramFolder::userFolder(u"Common Code"_qs, installed, true, blocker).isEmpty());
}

void TestProgramFolder::userFoldersBesideABuild()
{
    TestEnvironment env;
    const QString build = env.path(u"build"_qs);
    QDir().mkpath(build + u"/common code"_qs);
    const QString dataHome = env.path(u"share"_qs);
    // The program folder's own entry, in whatever case it has; nothing goes to the data folder.
    QCOMPARE(
        ProgramFolder::userFolder(u"Common Code"_qs, build, false, dataHome), build + u"/common code"_qs);
    QCOMPARE(ProgramFolder::userFolder(u"Templates"_qs, build, false, dataHome), build + u"/Templates"_qs);
    QVERIFY(QFileInfo(build + u"/Templates"_qs).isDir());
    QVERIFY(!QFileInfo::exists(dataHome));
}

void TestProgramFolder::installedFolderIsNotWritten()
{
    TestEnvironment env;
    const QString folder = env.path(u"share/tagloom"_qs);
    for (const char *table : { "Tags.DB", "Attributes.DB", "CSS.db" })
        env.writeFile(u"share/tagloom/"_qs + QString::fromLatin1(table), "x");
    const InstallCheck::Result result = InstallCheck::run(folder, true);
    QVERIFY(result.ok());
    QVERIFY(result.treeControlMissing);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 3);
}

void TestProgramFolder::findsTheManual()
{
    TestEnvironment env;
    QVERIFY(Manual::localPage(env.path(u"program"_qs), Manual::contentsPage()).isEmpty());
    const QString index = env.writeFile(u"program/Manual/index.html"_qs, "<html></html>");
    QDir().mkpath(env.path(u"program/Manual/search.html"_qs)); // a folder is no page
    QCOMPARE(Manual::localPage(env.path(u"program"_qs), Manual::contentsPage()), index);
    QVERIFY(Manual::localPage(env.path(u"program"_qs), Manual::searchPage()).isEmpty());
    QCOMPARE(
        Manual::onlineUrl(Manual::searchPage()).toString(), u"https://tagloom.example/manual/search.html"_qs);

    // The build lays the manual out beside the program.
    for (const QString &page : { Manual::contentsPage(), Manual::searchPage() })
        QVERIFY2(!Manual::localPage(ProgramFolder::path(), page).isEmpty(), qPrintable(page));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
