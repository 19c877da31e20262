// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/sitedrag.h"
#include "site/sitefile.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QByteArray exampleSite = "/srv/sites/club/\r\n"
                               "\tWeb Pages\r\n"
                               "\t\tindex.htm\r\n"
                               "\t\t\ttop\r\n"
                               "\t\tNews\r\n"
                               "\t\t\tnews/today.htm\r\n"
                               "\tImages\r\n"
                               "\t\timages/logo.gif\r\n"
                               "\tStyle Sheets\r\n"
                               "\t\tclub.css\r\n"
                               "\tFTP Sites\r\n"
                               "\t\tNew FTP Profile\r\n"
                               "\t\tftp.club.example\r\n"
                               "\t\t\tPort: 21\r\n"
                               "\t\t\tPath: /www\r\n"
                               "\t\t\tUser Name: club\r\n"
                               "\t\t\tPassword: s3cret\r\n";

// The texts of node's children, in order.
QStringList texts(const SiteNode *node)
{
    QStringList result;
    for (int i = 0; i < node->childCount(); ++i)
        result.append(node->child(i)->text());
    return result;
}

QList<int> icons(const SiteNode *node)
{
    QList<int> result;
    for (int i = 0; i < node->childCount(); ++i)
        result.append(node->child(i)->icon());
    return result;
}

std::unique_ptr<SiteNode> parsed(const QByteArray &bytes)
{
    SiteReading reading = SiteFile::parse(bytes, QStringLiteral("/t/club.site"));
    if (!reading.ok())
        qWarning("%s", qPrintable(reading.error));
    return std::move(reading.root);
}

} // namespace

class TestSiteFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exampleSiteRoundTripsByteForByte();
    void malformedFilesAreRefusedWithFileAndLine_data();
    void malformedFilesAreRefusedWithFileAndLine();
    void refusedFileLeavesTheOpenSiteAsItWas();
    void olderFilesGainTheFtpSection();
    void iconsAreRestoredOnExpanding();
    void addingFollowsTheSectionRules();
    void dropsStayInTheirSectionAndOutOfTheirSubtree();
    void anchorsAreFoundInAnyCaseAndQuoting();
    void recentSitesRotate();
    void passwordsMakeTheFileOwnerOnly();
    void failedSaveKeepsFileAndName();
    void movedSiteFindsItsRootBesideTheSiteFile();
    void profilesAndDragDataReadSafely();
};

void TestSiteFile::exampleSiteRoundTripsByteForByte()
{
    std::unique_ptr<SiteNode> root = parsed(exampleSite);
    QVERIFY(root);
    QCOMPARE(root->text(), QStringLiteral("/srv/sites/club/"));
    QCOMPARE(texts(root.get()),
        QStringList({ QStringLiteral("Web Pages"), QStringLiteral("Images"), QStringLiteral("Style Sheets"),
            QStringLiteral("FTP Sites") }));
    const SiteNode *pages = root->child(0);
    QCOMPARE(texts(pages), QStringList({ QStringLiteral("index.htm"), QStringLiteral("News") }));
    QCOMPARE(texts(pages->child(0)), QStringList { QStringLiteral("top") });
    QCOMPARE(texts(pages->child(1)), QStringList { QStringLiteral("news/today.htm") });
    QCOMPARE(root->child(3)->child(1)->childCount(), 4);
    QCOMPARE(SiteFile::serialise(*root, TextEncoding::Utf8), exampleSite);

    // 8-bit names written elsewhere come back as the same bytes, and so do UTF-8 ones.
    const QByteArray latin
        = "/srv/caf\xe9/\r\n\tWeb Pages\r\n\t\tm\xe9nu\x81.htm\r\n\tImages\r\n\tStyle Sheets\r\n";
    SiteReading reading = SiteFile::parse(latin, QStringLiteral("x.site"));
    QVERIFY(reading.ok());
    QCOMPARE(reading.encoding, TextEncoding::Windows1252);
    QCOMPARE(reading.root->child(0)->child(0)->text(), QString::fromUtf8("m\xc3\xa9nu\xc2\x81.htm"));
    QCOMPARE(SiteFile::serialise(*reading.root, reading.encoding), latin);
    const QByteArray utf8
        = "/srv/caf\xc3\xa9/\r\n\tWeb Pages\r\n\tImages\r\n\tStyle Sheets\r\n\tFTP Sites\r\n";
    reading = SiteFile::parse(utf8, QStringLiteral("x.site"));
    QCOMPARE(SiteFile::serialise(*reading.root, reading.encoding), utf8);

    // Kept as the format has it: leading blanks are indentation, and empty texts survive with their tabs.
    reading = SiteFile::parse(
        "/r/\r\n\tWeb Pages\r\n\t\t\r\n\tImages\r\n\tStyle Sheets\r\n", QStringLiteral("x"));
    QVERIFY(reading.ok());
    QCOMPARE(reading.root->child(0)->child(0)->text(), QString());

    // A new site is six lines: the root, four sections and "New FTP Profile".
    TestEnvironment env;
    SiteModel model;
    QVERIFY(model.isUnsaved());
    QVERIFY(model.create(env.path(QStringLiteral("club.site"))).ok);
    const QString folder = QDir(env.path(QString())).absolutePath() + u'/';
    QCOMPARE(TestEnvironment::readFile(env.path(QStringLiteral("club.site"))),
        folder.toUtf8()
            + "\r\n\tWeb Pages\r\n\tImages\r\n\tStyle Sheets\r\n\tFTP Sites\r\n\t\tNew FTP Profile\r\n");
    QCOMPARE(model.root().text(), folder);
    QVERIFY(!model.isUnsaved());
}

void TestSiteFile::malformedFilesAreRefusedWithFileAndLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    const QByteArray sections = "\tWeb Pages\r\n\tImages\r\n\tStyle Sheets\r\n";
    QTest::newRow("no lines") << QByteArray() << 0 << QStringLiteral("no lines");
    QTest::newRow("only line ends") << QByteArray("\r\n\r\n") << 0 << QStringLiteral("no lines");
    QTest::newRow("two levels deeper")
        << QByteArray("/r/\r\n\tWeb Pages\r\n\t\t\tdeep.htm\r\n") << 3 << QStringLiteral("indented 3 levels");
    QTest::newRow("indented root") << QByteArray("\t/r/\r\n") + sections << 1 << QStringLiteral("first line");
    QTest::newRow("binary") << QByteArray("/r/\r\n\tWeb Pages\r\n\t\tab\x00\x01\x02", 24) << 3
                            << QStringLiteral("not text");
    QTest::newRow("second root") << QByteArray("/r/\r\n") + sections + "/other/\r\n"
                                 << 5 << QStringLiteral("second line");
    QTest::newRow("empty line inside")
        << QByteArray("/r/\r\n\tWeb Pages\r\n\r\n\tImages\r\n") << 3 << QStringLiteral("empty");
    QTest::newRow("missing section") << QByteArray("/r/\r\n\tWeb Pages\r\n\tImages\r\n") << 3
                                     << QStringLiteral("without the section \"Style Sheets\"");
    QTest::newRow("wrong section") << QByteArray("/r/\r\n\tWeb Pages\r\n\tPictures\r\n\tStyle Sheets\r\n")
                                   << 3 << QStringLiteral("\"Pictures\" stands where the section \"Images\"");
    QTest::newRow("fifth section") << QByteArray("/r/\r\n") + sections + "\tFTP Sites\r\n\tMore\r\n"
                                   << 6 << QStringLiteral("\"More\" follows");
}

void TestSiteFile::malformedFilesAreRefusedWithFileAndLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, says);
    const SiteReading reading = SiteFile::parse(bytes, QStringLiteral("/home/u/club.site"));
    QVERIFY(!reading.ok());
    QCOMPARE(reading.errorLine, line);
    QVERIFY2(reading.error.startsWith(QStringLiteral("/home/u/club.site")), qPrintable(reading.error));
    if (line > 0)
        QVERIFY2(reading.error.contains(QStringLiteral("line ") + QString::number(line) + u':'),
            qPrintable(reading.error));
    QVERIFY2(reading.error.contains(says), qPrintable(reading.error));
}

void TestSiteFile::refusedFileLeavesTheOpenSiteAsItWas()
{
    TestEnvironment env;
    const QString good = env.writeFile(QStringLiteral("good.site"), exampleSite);
    const QString bad = env.writeFile(QStringLiteral("bad.site"), "/x/\r\n\tWeb Pages\r\n\t\t\t\tdeep\r\n");
    SiteModel model;
    QCOMPARE(model.open(good), QString());
    const SiteNode *rootBefore = &model.root();
    const QString error = model.open(bad);
    QVERIFY(error.contains(bad));
    QVERIFY(error.contains(QStringLiteral("line 3")));
    QCOMPARE(&model.root(), rootBefore);
    QCOMPARE(model.root().text(), QStringLiteral("/srv/sites/club/"));
    QCOMPARE(model.fileName(), good);
    QVERIFY(model.open(env.path(QStringLiteral("missing.site"))).contains(QStringLiteral("does not exist")));
    QCOMPARE(model.fileName(), good);
}

void TestSiteFile::olderFilesGainTheFtpSection()
{
    TestEnvironment env;
    SiteModel model;
    QCOMPARE(model.open(env.writeFile(QStringLiteral("old.sit"),
                 "/r/\r\n\tWeb Pages\r\n\t\ta.htm\r\n\tImages\r\n\tStyle Sheets\r\n")),
        QString());
    SiteNode *ftp = Site::section(model.root(), SiteSection::FtpSites);
    QVERIFY(ftp);
    QCOMPARE(ftp->text(), QStringLiteral("FTP Sites"));
    QCOMPARE(texts(ftp), QStringList { QStringLiteral("New FTP Profile") });

    // A profile list that lost its first entry gets it back in front.
    QCOMPARE(model.open(env.writeFile(QStringLiteral("f.site"),
                 "/r/\r\n\tWeb Pages\r\n\tImages\r\n\tStyle Sheets\r\n\tFTP Sites\r\n\t\thost\r\n")),
        QString());
    QCOMPARE(texts(Site::section(model.root(), SiteSection::FtpSites)),
        QStringList({ QStringLiteral("New FTP Profile"), QStringLiteral("host") }));
}

void TestSiteFile::iconsAreRestoredOnExpanding()
{
    std::unique_ptr<SiteNode> root
        = parsed("/r/\r\n\tWeb Pages\r\n\t\tindex.htm\r\n\t\t\ttop\r\n\t\tNews\r\n\t\tv1.0\r\n\t\tREADME\r\n"
                 "\tImages\r\n\t\ta.JPG\r\n\t\tb.png\r\n\t\tc.gif\r\n\t\tsub\r\n"
                 "\tStyle Sheets\r\n\t\tx.css\r\n\t\tthemes\r\n"
                 "\tFTP Sites\r\n\t\tNew FTP Profile\r\n\t\thost.one\r\n\t\thost.two\r\n");
    QVERIFY(root);
    QCOMPARE(icons(root.get()), QList<int>({ 0, 0, 0, 0 }));
    QVERIFY(Site::restoreIcons(*root));
    QCOMPARE(icons(root.get()), QList<int>({ 1, 1, 1, 1 }));
    QCOMPARE(root->child(0)->selectedIcon(), SiteIcon::OpenFolder);
    QVERIFY(!Site::restoreIcons(*root)); // done once

    SiteNode *pages = root->child(0);
    Site::restoreIcons(*pages);
    // A file without an extension reloads as a folder, a folder with a "." as a page.
    QCOMPARE(icons(pages), QList<int>({ 3, 1, 3, 1 }));
    Site::restoreIcons(*pages->child(0));
    QCOMPARE(icons(pages->child(0)), QList<int> { SiteIcon::Anchor });
    Site::restoreIcons(*root->child(1));
    QCOMPARE(icons(root->child(1)), QList<int>({ 5, 4, 4, 1 }));
    Site::restoreIcons(*root->child(2));
    QCOMPARE(icons(root->child(2)), QList<int>({ 7, 1 }));
    Site::restoreIcons(*root->child(3));
    QCOMPARE(icons(root->child(3)), QList<int>({ 10, 8, 8 }));

    // A node added before its section was first expanded does not keep the others from their icons.
    std::unique_ptr<SiteNode> other
        = parsed("/r/\r\n\tWeb Pages\r\n\t\ta.htm\r\n\tImages\r\n\tStyle Sheets\r\n");
    Site::restoreIcons(*other);
    other->child(0)->addChild(QStringLiteral("b.htm"), SiteIcon::Page);
    Site::restoreIcons(*other->child(0));
    QCOMPARE(icons(other->child(0)), QList<int>({ 3, 3 }));
}

void TestSiteFile::addingFollowsTheSectionRules()
{
    std::unique_ptr<SiteNode> root = Site::initialTree();
    SiteNode *pages = Site::section(*root, SiteSection::WebPages);
    SiteNode *images = Site::section(*root, SiteSection::Images);
    SiteNode *sheets = Site::section(*root, SiteSection::StyleSheets);
    SiteNode *ftp = Site::section(*root, SiteSection::FtpSites);
    SiteNode *news = pages->addChild(QStringLiteral("News"), SiteIcon::Folder, SiteIcon::OpenFolder);
    SiteNode *today = news->addChild(QStringLiteral("news/today.htm"), SiteIcon::Page);
    SiteNode *anchor = today->addChild(QStringLiteral("top"), SiteIcon::Anchor);
    SiteNode *logo = images->addChild(QStringLiteral("logo.gif"), SiteIcon::Gif);
    SiteNode *themes = sheets->addChild(QStringLiteral("themes"), SiteIcon::Folder, SiteIcon::OpenFolder);
    SiteNode *dark = themes->addChild(QStringLiteral("dark.css"), SiteIcon::StyleSheet);

    QCOMPARE(Site::pagePlacement(*root, nullptr).parent, pages);
    QCOMPARE(Site::pagePlacement(*root, news).parent, news);
    QCOMPARE(Site::pagePlacement(*root, today).parent, news);
    QCOMPARE(Site::pagePlacement(*root, logo).parent, pages);
    QCOMPARE(Site::filePlacement(*root, logo, SiteIcon::Jpeg).parent, images);
    QCOMPARE(Site::filePlacement(*root, news, SiteIcon::Gif).parent, images);
    QCOMPARE(Site::filePlacement(*root, dark, SiteIcon::StyleSheet).parent, themes);
    QCOMPARE(Site::filePlacement(*root, themes, SiteIcon::StyleSheet).parent, themes);
    QCOMPARE(Site::filePlacement(*root, themes, SiteIcon::Gif).parent, images);

    QCOMPARE(Site::addedFileIcon(QStringLiteral("/a/b.css")), SiteIcon::StyleSheet);
    QCOMPARE(Site::addedFileIcon(QStringLiteral("/a/b.CSS")), SiteIcon::Jpeg);
    QCOMPARE(Site::addedFileIcon(QStringLiteral("/a/b.GIF")), SiteIcon::Gif);
    QCOMPARE(Site::addedFileIcon(QStringLiteral("/a.d/b")), SiteIcon::Jpeg);
    QCOMPARE(Site::nodeText(QStringLiteral("/srv/club/"), QStringLiteral("/srv/club/news/today.htm")),
        QStringLiteral("news/today.htm"));
    QCOMPARE(Site::nodeText(QStringLiteral("/srv/club/"), QStringLiteral("/srv/shared/logo.gif")),
        QStringLiteral("../shared/logo.gif"));

    // New folders stay among files: beside an anchor's page, never in "FTP Sites" or above the sections.
    QCOMPARE(Site::newFolderParent(*root, pages), pages);
    QCOMPARE(Site::newFolderParent(*root, today), news);
    QCOMPARE(Site::newFolderParent(*root, anchor), news);
    QCOMPARE(Site::newFolderParent(*root, root.get()), nullptr);
    QCOMPARE(Site::newFolderParent(*root, ftp), nullptr);
    QCOMPARE(Site::newFolderParent(*root, ftp->child(0)), nullptr);
    QCOMPARE(Site::newFolderParent(*root, nullptr), nullptr);

    QVERIFY(!Site::canDelete(root.get()));
    QVERIFY(!Site::canDelete(pages));
    QVERIFY(!Site::canDelete(ftp->child(0)));
    QVERIFY(!Site::canDelete(nullptr));
    QVERIFY(Site::canDelete(news));
    QVERIFY(Site::canDelete(today));
    QVERIFY(Site::canDelete(anchor));
}

void TestSiteFile::dropsStayInTheirSectionAndOutOfTheirSubtree()
{
    std::unique_ptr<SiteNode> root = Site::initialTree();
    SiteNode *pages = Site::section(*root, SiteSection::WebPages);
    SiteNode *images = Site::section(*root, SiteSection::Images);
    SiteNode *news = pages->addChild(QStringLiteral("News"), SiteIcon::Folder, SiteIcon::OpenFolder);
    SiteNode *index = pages->addChild(QStringLiteral("index.htm"), SiteIcon::Page);
    SiteNode *top = index->addChild(QStringLiteral("top"), SiteIcon::Anchor);
    SiteNode *end = index->addChild(QStringLiteral("end"), SiteIcon::Anchor);
    SiteNode *about = pages->addChild(QStringLiteral("about.htm"), SiteIcon::Page);
    SiteNode *logo = images->addChild(QStringLiteral("logo.gif"), SiteIcon::Gif);

    QVERIFY(!Site::dropPlacement(about, logo));
    QVERIFY(!Site::dropPlacement(about, images));
    QVERIFY(!Site::dropPlacement(logo, news));
    QVERIFY(!Site::dropPlacement(index, top)); // into its own subtree
    QVERIFY(!Site::dropPlacement(index, index));
    QVERIFY(!Site::dropPlacement(news, index)); // folders are not dragged
    QVERIFY(!Site::dropPlacement(top, about)); // an anchor stays with its page

    std::optional<SitePlacement> to = Site::dropPlacement(about, news);
    QVERIFY(to);
    QCOMPARE(to->parent, news);
    Site::moveNode(*about, *to);
    QCOMPARE(about->parent(), news);

    to = Site::dropPlacement(about, index);
    QCOMPARE(to->parent, pages);
    QCOMPARE(to->index, 1);
    Site::moveNode(*about, *to);
    QCOMPARE(texts(pages),
        QStringList({ QStringLiteral("News"), QStringLiteral("about.htm"), QStringLiteral("index.htm") }));

    // A page dropped on another page's anchor goes before that page; anchors reorder within their page.
    Site::moveNode(*about, *Site::dropPlacement(about, news));
    to = Site::dropPlacement(about, end);
    QCOMPARE(to->parent, pages);
    QCOMPARE(to->index, index->indexInParent());
    Site::moveNode(*end, *Site::dropPlacement(end, top));
    QCOMPARE(texts(index), QStringList({ QStringLiteral("end"), QStringLiteral("top") }));
    Site::moveNode(*logo, *Site::dropPlacement(logo, images));
    QCOMPARE(texts(images), QStringList { QStringLiteral("logo.gif") });
}

void TestSiteFile::anchorsAreFoundInAnyCaseAndQuoting()
{
    QString page = QStringLiteral("<A NAME=\"top\">Top</A>\r\n<p>text</p>\r\n<a name=\"end\">End</a>");
    QCOMPARE(AnchorScan::all(page), QStringList({ QStringLiteral("top"), QStringLiteral("end") }));

    QCOMPARE(AnchorScan::all(
                 QStringLiteral("<a name=intro>x</a><a name=bare title=t><a\r\nclass=c NAME='q'>"
                                "<a href=\"#x\" id=\"sec2\"><abbr name=\"no\"><a href=\"y\"><a name=\"\">"
                                "<a name=\"open")),
        QStringList({ QStringLiteral("intro"), QStringLiteral("bare"), QStringLiteral("q"),
            QStringLiteral("sec2") }));

    // The scan works on its own copy: the page may change while the timer adds anchors one at a time.
    AnchorScan scan(page);
    page.clear();
    QCOMPARE(scan.next(), std::optional<QString>(QStringLiteral("top")));
    QCOMPARE(scan.next(), std::optional<QString>(QStringLiteral("end")));
    QCOMPARE(scan.next(), std::nullopt);
}

void TestSiteFile::recentSitesRotate()
{
    TestEnvironment env;
    SettingsStore settings = env.settings();
    for (const char *name : { "/s/one.site", "/s/two.site", "/s/one.site", "/s/three.site" })
        RecentSites::add(settings, QString::fromLatin1(name));
    QCOMPARE(RecentSites::read(settings),
        QStringList({ QStringLiteral("/s/three.site"), QStringLiteral("/s/one.site"),
            QStringLiteral("/s/two.site"), QString() }));
    QCOMPARE(settings.readString(Keys::Recent, QStringLiteral("SiteFile1")), QStringLiteral("/s/three.site"));
    // Exact comparison: names differing in case are two files.
    RecentSites::add(settings, QStringLiteral("/s/ONE.site"));
    QCOMPARE(RecentSites::read(settings).mid(0, 3),
        QStringList({ QStringLiteral("/s/ONE.site"), QStringLiteral("/s/three.site"),
            QStringLiteral("/s/one.site") }));
    QCOMPARE(RecentSites::menuCaption(2, QStringLiteral("/s/club.site")), QStringLiteral("&2 club.site"));
    QCOMPARE(RecentSites::menuCaption(3, QString()), QStringLiteral("&3 "));
}

void TestSiteFile::passwordsMakeTheFileOwnerOnly()
{
    TestEnvironment env;
    std::unique_ptr<SiteNode> root = parsed(exampleSite);
    QVERIFY(SiteFile::holdsPassword(*root));
    TextEncoding encoding = TextEncoding::Utf8;
    const QString path = env.path(QStringLiteral("club.site"));
    QVERIFY(SiteFile::write(path, *root, encoding).ok);
    QCOMPARE(QFile(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(TestEnvironment::readFile(path), exampleSite);

    // An empty password is no secret.
    root->child(3)->child(1)->child(3)->setText(QStringLiteral("Password: "));
    QVERIFY(!SiteFile::holdsPassword(*root));
}

void TestSiteFile::failedSaveKeepsFileAndName()
{
    TestEnvironment env;
    SiteModel model;
    const QString good = env.writeFile(QStringLiteral("good.site"), exampleSite);
    QCOMPARE(model.open(good), QString());
    QDir().mkpath(env.path(QStringLiteral("folder.site")));
    const SaveResult result = model.save(env.path(QStringLiteral("folder.site")));
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("folder.site")));
    QCOMPARE(model.fileName(), good);
    QVERIFY(!model.create(env.path(QStringLiteral("no/such/folder/new.site"))).ok);
    QCOMPARE(model.fileName(), good);
    QCOMPARE(model.root().text(), QStringLiteral("/srv/sites/club/"));
}

void TestSiteFile::movedSiteFindsItsRootBesideTheSiteFile()
{
    TestEnvironment env;
    env.writeFile(QStringLiteral("moved/news/today.htm"), "<html></html>");
    const QString siteFile = env.writeFile(QStringLiteral("moved/club.site"),
        "/gone/club/\r\n\tWeb Pages\r\n\t\tmissing.htm\r\n\t\tNews\r\n\t\t\tnews/today.htm\r\n\t\t\t\ttop\r\n"
        "\tImages\r\n\tStyle Sheets\r\n");
    SiteModel model;
    QCOMPARE(model.open(siteFile), QString());
    const QString folder = QFileInfo(siteFile).absolutePath() + u'/';
    QCOMPARE(Site::movedRoot(model.root(), siteFile), std::optional<QString>(folder));

    // Files that are not beside the site file: the user is asked instead.
    const QString elsewhere = env.writeFile(QStringLiteral("elsewhere/club.site"),
        "/gone/club/\r\n\tWeb Pages\r\n\t\tindex.htm\r\n\tImages\r\n\tStyle Sheets\r\n");
    QCOMPARE(model.open(elsewhere), QString());
    QCOMPARE(Site::movedRoot(model.root(), elsewhere), std::nullopt);

    // A site of no files can live anywhere.
    const QString empty = env.writeFile(
        QStringLiteral("empty/club.site"), "/gone/\r\n\tWeb Pages\r\n\tImages\r\n\tStyle Sheets\r\n");
    QCOMPARE(model.open(empty), QString());
    QVERIFY(Site::movedRoot(model.root(), empty));
}

void TestSiteFile::profilesAndDragDataReadSafely()
{
    std::unique_ptr<SiteNode> root = parsed(exampleSite);
    const FtpProfile full = Site::profileOf(*root->child(3)->child(1));
    QCOMPARE(full.hostName, QStringLiteral("ftp.club.example"));
    QCOMPARE(full.port, QStringLiteral("21"));
    QCOMPARE(full.path, QStringLiteral("/www"));
    QCOMPARE(full.userName, QStringLiteral("club"));
    QCOMPARE(full.password, QStringLiteral("s3cret"));

    SiteNode shortProfile(QStringLiteral("host"));
    shortProfile.addChild(QStringLiteral("Port: 2121"), 0);
    const FtpProfile partial = Site::profileOf(shortProfile);
    QCOMPARE(partial.port, QStringLiteral("2121"));
    QCOMPARE(partial.path, QString());
    QCOMPARE(partial.password, QString());

    const SiteDrag::Item item { SiteIcon::Anchor, QStringLiteral("/srv/club/"), QStringLiteral("top"),
        QStringLiteral("index.htm") };
    const QByteArray data = SiteDrag::encode(item);
    QCOMPARE(data, QByteArray("6\n/srv/club/\ntop\nindex.htm"));
    const std::optional<SiteDrag::Item> back = SiteDrag::decode(data);
    QVERIFY(back);
    QCOMPARE(back->icon, 6);
    QCOMPARE(back->page, QStringLiteral("index.htm"));
    QVERIFY(!SiteDrag::decode("x\na\nb\nc"));
    QVERIFY(!SiteDrag::decode("3\na\nb"));
}

QTEST_GUILESS_MAIN(TestSiteFile)
#include "tst_sitefile.moc"
