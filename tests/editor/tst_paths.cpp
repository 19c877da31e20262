// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/paths.h"

#include <QTest>

class TestPaths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changeSlashes_data();
    void changeSlashes();
    void relativeDir_data();
    void relativeDir();
    void absoluteDir_data();
    void absoluteDir();
    void roundTrip_data();
    void roundTrip();
};

void TestPaths::changeSlashes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("toWebForm");
    QTest::addColumn<QString>("expected");
    QTest::newRow("backslashes to web form") << u"a\\b\\c.htm"_qs << true << u"a/b/c.htm"_qs;
    QTest::newRow("slashes stay in file form") << u"a/b/c.htm"_qs << false << u"a/b/c.htm"_qs;
    QTest::newRow("backslashes in file form") << u"\\site\\a b\\x.gif"_qs << false << u"/site/a b/x.gif"_qs;
    QTest::newRow("mixed") << u"pages\\..//img\\a.gif"_qs << true << u"pages/..//img/a.gif"_qs;
    QTest::newRow("empty") << QString() << true << QString();
}

void TestPaths::changeSlashes()
{
    QFETCH(QString, path);
    QFETCH(bool, toWebForm);
    QFETCH(QString, expected);
    QCOMPARE(Paths::ChangeSlashes(path, toWebForm), expected);
}

void TestPaths::relativeDir_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same folder") << u"/site/pages/"_qs << u"/site/pages/index.htm"_qs << u"index.htm"_qs;
    QTest::newRow("sub-folder") << u"/site/"_qs << u"/site/sub/a.htm"_qs << u"sub/a.htm"_qs;
    QTest::newRow("two folders down") << u"/site/"_qs << u"/site/a/b/c.gif"_qs << u"a/b/c.gif"_qs;
    QTest::newRow("parent's sub-folder")
        << u"/site/pages/"_qs << u"/site/images/logo.gif"_qs << u"../images/logo.gif"_qs;
    QTest::newRow("two parents up") << u"/site/a/b/"_qs << u"/site/c.htm"_qs << u"../../c.htm"_qs;
    QTest::newRow("sibling tree") << u"/site/a/b/"_qs << u"/site/x/y/z.htm"_qs << u"../../x/y/z.htm"_qs;
    QTest::newRow("nothing shared but the root")
        << u"/home/me/site/"_qs << u"/srv/www/a.htm"_qs << u"../../../srv/www/a.htm"_qs;
    QTest::newRow("root as base") << u"/"_qs << u"/site/a.htm"_qs << u"site/a.htm"_qs;
    QTest::newRow("file in the root") << u"/site/pages/"_qs << u"/a.gif"_qs << u"../../a.gif"_qs;
    QTest::newRow("root folder as target") << u"/site/"_qs << u"/"_qs << u"../"_qs;
    QTest::newRow("folder as target") << u"/site/pages/"_qs << u"/site/images/"_qs << u"../images/"_qs;
    QTest::newRow("base itself") << u"/site/"_qs << u"/site/"_qs << u"./"_qs;
    QTest::newRow("base without trailing slash")
        << u"/site/pages"_qs << u"/site/pages/a.htm"_qs << u"a.htm"_qs;
    QTest::newRow("base without trailing slash, sibling")
        << u"/site/pages"_qs << u"/site/images/a.gif"_qs << u"../images/a.gif"_qs;
    QTest::newRow("names sharing a prefix")
        << u"/site/pages/"_qs << u"/site/pagesold/a.htm"_qs << u"../pagesold/a.htm"_qs;
    QTest::newRow("letter case counts") << u"/Site/"_qs << u"/site/a.htm"_qs << u"../site/a.htm"_qs;
    QTest::newRow("spaces") << u"/my site/web pages/"_qs << u"/my site/images/big logo.gif"_qs
                            << u"../images/big logo.gif"_qs;
    QTest::newRow("non-ASCII") << u"/Bücher/Seiten/"_qs << u"/Bücher/Bilder/größe.gif"_qs
                               << u"../Bilder/größe.gif"_qs;
    QTest::newRow("backslashes") << u"\\site\\pages\\"_qs << u"\\site\\images\\a.gif"_qs
                                 << u"../images/a.gif"_qs;
    QTest::newRow("dot in base") << u"/site/./pages/"_qs << u"/site/images/a.gif"_qs << u"../images/a.gif"_qs;
    QTest::newRow("dot-dot in base") << u"/site/pages/../images/"_qs << u"/site/images/a.gif"_qs
                                     << u"a.gif"_qs;
    QTest::newRow("dot-dot in target") << u"/site/pages/"_qs << u"/site/x/../pages/a.htm"_qs << u"a.htm"_qs;
    QTest::newRow("dot-dot above the root") << u"/../site/"_qs << u"/site/a.htm"_qs << u"a.htm"_qs;
    QTest::newRow("doubled slashes") << u"/site//pages/"_qs << u"/site/pages//a.htm"_qs << u"a.htm"_qs;
    QTest::newRow("relative target kept") << u"/site/"_qs << u"images/a.gif"_qs << u"images/a.gif"_qs;
    QTest::newRow("relative base") << u"site/"_qs << u"/site/a.htm"_qs << u"/site/a.htm"_qs;
    QTest::newRow("empty base") << QString() << u"/site/a.htm"_qs << u"/site/a.htm"_qs;
    QTest::newRow("empty target") << u"/site/"_qs << QString() << QString();
}

void TestPaths::relativeDir()
{
    QFETCH(QString, base);
    QFETCH(QString, target);
    QFETCH(QString, expected);
    QCOMPARE(Paths::GetRelativeDir(base, target), expected);
}

void TestPaths::absoluteDir_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("file in base") << u"/site/pages/"_qs << u"a.gif"_qs << u"/site/pages/a.gif"_qs;
    QTest::newRow("sub-folder") << u"/site/"_qs << u"images/a.gif"_qs << u"/site/images/a.gif"_qs;
    QTest::newRow("parent") << u"/site/pages/"_qs << u"../images/a.gif"_qs << u"/site/images/a.gif"_qs;
    QTest::newRow("two parents") << u"/site/a/b/"_qs << u"../../c.htm"_qs << u"/site/c.htm"_qs;
    QTest::newRow("dot slash") << u"/site/"_qs << u"./a.htm"_qs << u"/site/a.htm"_qs;
    QTest::newRow("dot in the middle") << u"/site/"_qs << u"images/./a.gif"_qs << u"/site/images/a.gif"_qs;
    QTest::newRow("absolute path unchanged")
        << u"/site/pages/"_qs << u"/other/x.htm"_qs << u"/other/x.htm"_qs;
    QTest::newRow("absolute path with backslashes")
        << u"/site/"_qs << u"\\other\\x.htm"_qs << u"/other/x.htm"_qs;
    QTest::newRow("base without trailing slash")
        << u"/site/pages"_qs << u"a.gif"_qs << u"/site/pages/a.gif"_qs;
    QTest::newRow("dot-dot above the root") << u"/site/"_qs << u"../../../a.gif"_qs << u"/a.gif"_qs;
    QTest::newRow("root as base") << u"/"_qs << u"a.gif"_qs << u"/a.gif"_qs;
    QTest::newRow("backslashes") << u"\\site\\"_qs << u"images\\a.gif"_qs << u"/site/images/a.gif"_qs;
    QTest::newRow("windows page, mixed")
        << u"/site/pages/"_qs << u"..\\images/a.gif"_qs << u"/site/images/a.gif"_qs;
    QTest::newRow("spaces and non-ASCII")
        << u"/my site/"_qs << u"Bilder/größe 1.gif"_qs << u"/my site/Bilder/größe 1.gif"_qs;
    QTest::newRow("doubled slashes") << u"/site//"_qs << u"images//a.gif"_qs << u"/site/images/a.gif"_qs;
    QTest::newRow("folder keeps its slash") << u"/site/"_qs << u"images/"_qs << u"/site/images/"_qs;
    QTest::newRow("dot-dot names a folder") << u"/site/pages/"_qs << u".."_qs << u"/site/"_qs;
    QTest::newRow("dot names a folder") << u"/site/pages/"_qs << u"."_qs << u"/site/pages/"_qs;
    QTest::newRow("empty path") << u"/site/pages/"_qs << QString() << u"/site/pages/"_qs;
    QTest::newRow("root and empty path") << u"/"_qs << QString() << u"/"_qs;
    QTest::newRow("empty base") << QString() << u"a.gif"_qs << u"a.gif"_qs;
    QTest::newRow("relative base keeps its dot-dots") << u"site/"_qs << u"../../a.gif"_qs << u"../a.gif"_qs;
    QTest::newRow("both empty") << QString() << QString() << QString();
}

void TestPaths::absoluteDir()
{
    QFETCH(QString, base);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(Paths::GetAbsoluteDir(base, path), expected);
}

// A link written from one folder must lead back to the same file.
void TestPaths::roundTrip_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("target");
    QTest::newRow("sibling") << u"/site/pages/"_qs << u"/site/images/a.gif"_qs;
    QTest::newRow("deep to shallow") << u"/a/b/c/d/"_qs << u"/a/x.htm"_qs;
    QTest::newRow("root") << u"/"_qs << u"/a/b.htm"_qs;
    QTest::newRow("unclean base") << u"/site/./pages/../pages/"_qs << u"/site/images/a.gif"_qs;
}

void TestPaths::roundTrip()
{
    QFETCH(QString, base);
    QFETCH(QString, target);
    QCOMPARE(Paths::GetAbsoluteDir(base, Paths::GetRelativeDir(base, target)), target);
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
