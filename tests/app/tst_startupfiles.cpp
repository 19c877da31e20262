// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "base/errorguard.h"
#include "base/programfolder.h"
#include "base/prompter.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <stdexcept>

class TestStartupFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void installCheckFindsTablesInAnyCase();
    void installCheckCreatesCommonCodeOnce();
    void guardReportsTheCodeAndClearsBusy();
    void fileFiltersConvert();
    void builtProgramFolderPassesTheCheck();
};

void TestStartupFiles::installCheckFindsTablesInAnyCase()
{
    TestEnvironment env;
    const QString folder = env.path(QStringLiteral("program"));
    QDir().mkpath(folder);
    InstallCheck::Result result = InstallCheck::run(folder);
    QVERIFY(!result.ok());
    QCOMPARE(result.missingTables.size(), 3);

    env.writeFile(QStringLiteral("program/TAGS.db"), "x");
    env.writeFile(QStringLiteral("program/Attributes.DB"), "x");
    QDir().mkpath(env.path(QStringLiteral("program/css.db"))); // a folder is not the table
    result = InstallCheck::run(folder);
    QCOMPARE(result.missingTables, QStringList({ QStringLiteral("css.db") }));

    QDir().rmdir(env.path(QStringLiteral("program/css.db")));
    env.writeFile(QStringLiteral("program/CSS.db"), "x");
    result = InstallCheck::run(folder);
    QVERIFY(result.ok());
    QVERIFY(result.treeControlMissing);
    QCOMPARE(ProgramFolder::findEntry(folder, QStringLiteral("tags.db")),
        QDir(folder).filePath(QStringLiteral("TAGS.db")));
}

void TestStartupFiles::installCheckCreatesCommonCodeOnce()
{
    TestEnvironment env;
    const QString folder = env.path(QStringLiteral("program"));
    for (const char *table : { "Tags.DB", "Attributes.DB", "CSS.db" })
        env.writeFile(QStringLiteral("program/") + QString::fromLatin1(table), "x");
    QDir().mkpath(env.path(QStringLiteral("program/Tree Control")));

    InstallCheck::Result result = InstallCheck::run(folder);
    QVERIFY(result.ok());
    QVERIFY(!result.treeControlMissing);
    QVERIFY(QFileInfo(env.path(QStringLiteral("program/Common Code"))).isDir());

    // A folder that differs only in case counts: no second one is made.
    QDir().rmdir(env.path(QStringLiteral("program/Common Code")));
    QDir().mkpath(env.path(QStringLiteral("program/common code")));
    InstallCheck::run(folder);
    QVERIFY(!QFileInfo::exists(env.path(QStringLiteral("program/Common Code"))));
}

void TestStartupFiles::guardReportsTheCodeAndClearsBusy()
{
    ScriptedPrompter prompter;
    EditorBusy busy;
    bool ran = false;
    QVERIFY(runGuarded(prompter, busy, 40, [&] { ran = true; }));
    QVERIFY(ran);
    QVERIFY(prompter.asked().isEmpty());

    const bool ok = runGuarded(prompter, busy, 47, [&] {
        EditorBusy::Hold outer(busy);
        throw std::runtime_error("broken");
    });
    QVERIFY(!ok);
    QVERIFY(!busy.isSet());
    QCOMPARE(prompter.asked().size(), 1);
    QVERIFY(prompter.asked().constFirst().text.startsWith(QStringLiteral("Please e-mail ")));
    QVERIFY(prompter.asked().constFirst().text.endsWith(QStringLiteral(" to report error code 47")));

    // A hold nested in another gives the flag back as it found it.
    {
        EditorBusy::Hold outer(busy);
        {
            EditorBusy::Hold inner(busy);
        }
        QVERIFY(busy.isSet());
    }
    QVERIFY(!busy.isSet());
}

void TestStartupFiles::fileFiltersConvert()
{
    QCOMPARE(qtNameFilters(QStringLiteral("HTML Files (*.html, *.htm)|*.html;*.htm|All Files (*.*)|*.*")),
        QStringList({ QStringLiteral("HTML Files (*.html *.htm)"), QStringLiteral("All Files (*)") }));
    // A description without a pattern list of its own, or with other words in brackets, is kept whole.
    QCOMPARE(qtNameFilters(QStringLiteral("Internet Document (HTML) (*.html)|*.html;*.htm|Pictures|*.png")),
        QStringList({ QStringLiteral("Internet Document (HTML) (*.html *.htm)"),
            QStringLiteral("Pictures (*.png)") }));
}

void TestStartupFiles::builtProgramFolderPassesTheCheck()
{
    // The tests run with the build folder as program folder: what the build lays out must pass.
    const QString folder = ProgramFolder::path();
    const InstallCheck::Result result = InstallCheck::run(folder);
    QVERIFY2(result.ok(), qPrintable(result.missingTables.join(u' ')));
    for (const char *dir : { "Common Code", "Addin", "Wizards", "Java", "tree control" })
        QVERIFY2(QFileInfo(QDir(folder).filePath(QString::fromLatin1(dir))).isDir(), dir);
}

QTEST_GUILESS_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
