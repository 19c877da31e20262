// SPDX-License-Identifier: GPL-3.0-or-later
#include "site/sitewide.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A site in env's folder: root text, "Web Pages" with the given pages (a text ending in "/" is a folder
// whose pages follow one level deeper, given as "folder/page"), and the other sections.
struct TestSite
{
    std::unique_ptr<SiteNode> root;
    QString folder;
};

TestSite makeSite(const TestEnvironment &env, const QStringList &pages)
{
    TestSite site { Site::initialTree(), env.path(QStringLiteral("site")) + u'/' };
    QDir().mkpath(site.folder);
    site.root->setText(site.folder);
    SiteNode *webPages = Site::section(*site.root, SiteSection::WebPages);
    SiteNode *subFolder = nullptr;
    for (const QString &page : pages) {
        if (page.endsWith(u'/')) {
            subFolder = webPages->addChild(page.chopped(1), SiteIcon::Folder, SiteIcon::OpenFolder);
            continue;
        }
        SiteNode *parent = page.contains(u'/') && subFolder ? subFolder : webPages;
        parent->addChild(page, SiteIcon::Page);
    }
    Site::section(*site.root, SiteSection::Images)->addChild(QStringLiteral("logo.htm"), SiteIcon::Gif);
    return site;
}

QString write(const TestSite &site, const QString &name, const QByteArray &bytes)
{
    const QString path = site.folder + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

SiteWide::RunResult replace(const QStringList &files, const QString &find, const QString &with,
    bool matchCase = false, bool wholeWord = false)
{
    return SiteWide::replaceAll(files, { find, with, matchCase, wholeWord });
}

QString replaced(
    QString text, const QString &find, const QString &with, bool matchCase = false, bool wholeWord = false)
{
    SiteWide::replaceInText(text, { find, with, matchCase, wholeWord });
    return text;
}

} // namespace

class TestSiteWide : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagesAreTakenInTreeOrderFromWebPagesOnly();
    void replaceAllCountsEveryPageAndReports();
    void replaceOptionsAndTermination();
    void pagesKeepTheirBytesOutsideTheReplacedText();
    void unreadableOrUnwritablePagesAreSkippedAndNamed();
    void stripTagsRemovesMarkupOnly();
    void stripAllReportsEveryPage();
    void tableOfContentsLinksPagesAndAnchors();
};

void TestSiteWide::pagesAreTakenInTreeOrderFromWebPagesOnly()
{
    TestEnvironment env;
    // Loaded sites carry icon 0 until expanded: the walk restores them before choosing pages.
    TestSite site = makeSite(env, { u"index.htm"_s, u"news/"_s, u"news/today.htm"_s, u"about.htm"_s });
    SiteNode *pages = Site::section(*site.root, SiteSection::WebPages);
    pages->child(0)->setIcon(SiteIcon::Root);
    pages->child(1)->child(0)->setIcon(SiteIcon::Root);
    pages->child(1)->setIcon(SiteIcon::Root);
    QCOMPARE(SiteWide::pageFiles(*site.root),
        QStringList({ site.folder + u"index.htm"_s, site.folder + u"news/today.htm"_s,
            site.folder + u"about.htm"_s }));

    TestSite empty = makeSite(env, {});
    QVERIFY(SiteWide::pageFiles(*empty.root).isEmpty());
    const SiteWide::RunResult none = replace({}, QStringLiteral("x"), QStringLiteral("y"));
    QCOMPARE(SiteWide::replaceMessage(QStringLiteral("x"), none),
        QStringLiteral("Found \"x\" 0 times, in a total of 0 files."));
    QCOMPARE(SiteWide::stripMessage(SiteWide::stripAll({})),
        QStringLiteral("Stripped tags from a total of 0 files."));
}

void TestSiteWide::replaceAllCountsEveryPageAndReports()
{
    TestEnvironment env;
    TestSite site = makeSite(env, { u"a.htm"_s, u"b.htm"_s });
    const QString a = write(site, u"a.htm"_s, "<p>colour and Colour</p>\r\n");
    const QString b = write(site, u"b.htm"_s, "<p>nothing here</p>\r\n");
    const SiteWide::RunResult result
        = replace(SiteWide::pageFiles(*site.root), QStringLiteral("colour"), QStringLiteral("color"));
    QCOMPARE(result.files, 2);
    QCOMPARE(result.replacements, 2);
    QVERIFY(result.failed.isEmpty());
    QCOMPARE(SiteWide::replaceMessage(QStringLiteral("colour"), result),
        QStringLiteral("Found \"colour\" 2 times, in a total of 2 files."));
    QCOMPARE(TestEnvironment::readFile(a), QByteArray("<p>color and color</p>\r\n"));
    QCOMPARE(TestEnvironment::readFile(b), QByteArray("<p>nothing here</p>\r\n"));

    // An empty replacement removes every occurrence, adjacent ones included.
    write(site, u"a.htm"_s, "abab xabx ab");
    const SiteWide::RunResult removed = replace({ a }, QStringLiteral("ab"), QString());
    QCOMPARE(removed.replacements, 4);
    QCOMPARE(TestEnvironment::readFile(a), QByteArray(" xx "));

    // An empty find text changes nothing and counts nothing.
    QCOMPARE(replace({ a }, QString(), QStringLiteral("z")).replacements, 0);
    QCOMPARE(TestEnvironment::readFile(a), QByteArray(" xx "));
}

void TestSiteWide::replaceOptionsAndTermination()
{
    QCOMPARE(replaced(QStringLiteral("abab"), QStringLiteral("ab"), QString()), QString());
    QCOMPARE(replaced(QStringLiteral("aabb"), QStringLiteral("ab"), QString()), QStringLiteral("ab"));
    QCOMPARE(replaced(QStringLiteral("cat concatenate Cat"), QStringLiteral("cat"), QStringLiteral("dog"),
                 false, true),
        QStringLiteral("dog concatenate dog"));
    QCOMPARE(replaced(QStringLiteral("cat concatenate Cat"), QStringLiteral("cat"), QStringLiteral("dog"),
                 true, true),
        QStringLiteral("dog concatenate Cat"));
    QCOMPARE(replaced(QStringLiteral("Cat cat"), QStringLiteral("cat"), QStringLiteral("dog"), true),
        QStringLiteral("Cat dog"));
    // A replacement holding the find text is not searched again.
    QCOMPARE(
        replaced(QStringLiteral("a-a"), QStringLiteral("a"), QStringLiteral("aa")), QStringLiteral("aa-aa"));
    // Whole words: underscores and digits are part of a word, punctuation is not.
    QCOMPARE(
        replaced(QStringLiteral("cat_1 (cat) cat2"), QStringLiteral("cat"), QStringLiteral("x"), false, true),
        QStringLiteral("cat_1 (x) cat2"));
}

void TestSiteWide::pagesKeepTheirBytesOutsideTheReplacedText()
{
    TestEnvironment env;
    TestSite site = makeSite(env, { u"old.htm"_s, u"lf.htm"_s, u"mixed.htm"_s });
    // Windows-1252: é is 0xE9, the euro sign 0x80, and 0x81 is a byte the table leaves undefined.
    const QString old = write(site, u"old.htm"_s, "caf\xe9 colour \x80\x81\r\ncolour\r\n");
    const QString lf = write(site, u"lf.htm"_s, "<p>colour</p>\n<p>\xc3\xa9t\xc3\xa9</p>\n");
    const QString mixed = write(site, u"mixed.htm"_s, "a\r\nb\nc\r");
    const SiteWide::RunResult result
        = replace({ old, lf, mixed }, QStringLiteral("colour"), QStringLiteral("color"));
    QCOMPARE(result.files, 3);
    QCOMPARE(result.replacements, 3);
    QCOMPARE(TestEnvironment::readFile(old), QByteArray("caf\xe9 color \x80\x81\r\ncolor\r\n"));
    QCOMPARE(TestEnvironment::readFile(lf), QByteArray("<p>color</p>\n<p>\xc3\xa9t\xc3\xa9</p>\n"));
    // A page without a match is written back exactly as it was, odd line ends and all.
    QCOMPARE(TestEnvironment::readFile(mixed), QByteArray("a\r\nb\nc\r"));

    // Text the page's 8-bit encoding cannot hold is refused for that page, which stays as it was.
    const SiteWide::RunResult refused = replace({ old }, QStringLiteral("color"), QStringLiteral("\u0142"));
    QCOMPARE(refused.files, 0);
    QCOMPARE(refused.replacements, 0);
    QCOMPARE(refused.failed.size(), 1);
    QCOMPARE(TestEnvironment::readFile(old), QByteArray("caf\xe9 color \x80\x81\r\ncolor\r\n"));
}

void TestSiteWide::unreadableOrUnwritablePagesAreSkippedAndNamed()
{
    TestEnvironment env;
    TestSite site = makeSite(env, { u"a.htm"_s, u"gone.htm"_s, u"folder.htm"_s, u"b.htm"_s });
    const QString a = write(site, u"a.htm"_s, "one");
    const QString b = write(site, u"b.htm"_s, "one one");
    QDir().mkpath(site.folder + u"folder.htm"_s);
    const QStringList files = SiteWide::pageFiles(*site.root);
    QCOMPARE(files.size(), 4);
    // /proc/version can be read but nothing can be written beside it, whoever runs the test.
    const SiteWide::RunResult result = replace(files + QStringList { QStringLiteral("/proc/version") },
        QStringLiteral("one"), QStringLiteral("two"));
    QCOMPARE(result.files, 2);
    QCOMPARE(result.replacements, 3);
    QCOMPARE(result.failed.size(), 3);
    QCOMPARE(result.failed.at(0).file, site.folder + u"gone.htm"_s);
    QCOMPARE(result.failed.at(1).file, site.folder + u"folder.htm"_s);
    QCOMPARE(result.failed.at(2).file, QStringLiteral("/proc/version"));
    QCOMPARE(TestEnvironment::readFile(a), QByteArray("two"));
    QCOMPARE(TestEnvironment::readFile(b), QByteArray("two two"));
    const QString message = SiteWide::replaceMessage(QStringLiteral("one"), result);
    QVERIFY(message.startsWith(QStringLiteral("Found \"one\" 3 times, in a total of 2 files.\n\n")));
    QVERIFY(message.contains(site.folder + u"gone.htm"_s));
    QVERIFY(message.contains(QStringLiteral("/proc/version")));
    // Nothing half-written or temporary is left beside the pages.
    QCOMPARE(QDir(site.folder).entryList(QDir::Files), QStringList({ u"a.htm"_s, u"b.htm"_s }));

    const SiteWide::RunResult stripped = SiteWide::stripAll(files);
    QCOMPARE(stripped.files, 2);
    QVERIFY(SiteWide::stripMessage(stripped).contains(site.folder + u"folder.htm"_s));
}

void TestSiteWide::stripTagsRemovesMarkupOnly()
{
    using SiteWide::stripTags;
    QCOMPARE(stripTags(QStringLiteral("<html>\r\n<p>Hello</p>\r\n</html>")), QStringLiteral("Hello"));
    QCOMPARE(stripTags(QStringLiteral("a<!-- a <b>comment</b> -->b")), QStringLiteral("ab"));
    // A declaration ends at its own ">", not at a later "->".
    QCOMPARE(stripTags(QStringLiteral("<!DOCTYPE html>\r\n<title>T</title>\r\n<p>x</p><!-- c -->")),
        QStringLiteral("Tx"));
    // A "<" that starts no tag is text.
    QCOMPARE(stripTags(QStringLiteral("<script>\r\nif (a < b) go();\r\n</script>\r\nafter")),
        QStringLiteral("if (a < b) go();\r\nafter"));
    QCOMPARE(stripTags(QStringLiteral("1 <= 2 <3")), QStringLiteral("1 <= 2 <3"));
    // The character after a tag is never taken with it.
    QCOMPARE(stripTags(QStringLiteral("<b>x</b>y")), QStringLiteral("xy"));
    QCOMPARE(stripTags(QStringLiteral("<br>\r\nA<br>\nB")), QStringLiteral("AB"));
    // Never closed: kept with the rest of the text.
    QCOMPARE(stripTags(QStringLiteral("x<b>y<a href=\"z")), QStringLiteral("xy<a href=\"z"));
    QCOMPARE(stripTags(QStringLiteral("x<!-- open")), QStringLiteral("x<!-- open"));
}

void TestSiteWide::stripAllReportsEveryPage()
{
    TestEnvironment env;
    TestSite site = makeSite(env, { u"a.htm"_s, u"plain.htm"_s });
    const QString a = write(site, u"a.htm"_s, "<html>\r\n<p>Hello</p>\r\n</html>\r\n");
    const QString plain = write(site, u"plain.htm"_s, "just text");
    const SiteWide::RunResult result = SiteWide::stripAll(SiteWide::pageFiles(*site.root));
    QCOMPARE(result.files, 2);
    QCOMPARE(SiteWide::stripMessage(result), QStringLiteral("Stripped tags from a total of 2 files."));
    QCOMPARE(TestEnvironment::readFile(a), QByteArray("Hello"));
    QCOMPARE(TestEnvironment::readFile(plain), QByteArray("just text"));
}

void TestSiteWide::tableOfContentsLinksPagesAndAnchors()
{
    TestEnvironment env;
    TestSite site = makeSite(env, { u"index.htm"_s, u"news/"_s, u"news/today.htm"_s });
    write(site, u"index.htm"_s,
        "<html><head><title> Home </title></head><body><a name=\"top\"></a></body></html>");
    write(site, u"news/today.htm"_s, "<html><body>no title</body></html>");
    SiteNode *pages = Site::section(*site.root, SiteSection::WebPages);
    pages->child(0)->addChild(QStringLiteral("top"), SiteIcon::Anchor);

    const std::unique_ptr<SiteNode> tree = SiteWide::tableOfContents(*site.root, SiteWide::pageTitle);
    QCOMPARE(tree->text(), QStringLiteral("Web Pages"));
    QCOMPARE(tree->icon(), SiteIcon::Root);
    QCOMPARE(tree->childCount(), 2);
    const SiteNode *index = tree->child(0);
    QCOMPARE(index->text(), QStringLiteral("<a href=\"index.htm\">Home</a>"));
    QCOMPARE(index->icon(), SiteIcon::Folder);
    QCOMPARE(index->childCount(), 1);
    QCOMPARE(index->child(0)->text(), QStringLiteral("<a href=\"index.htm#top\">top</a>"));
    QCOMPARE(index->child(0)->icon(), SiteIcon::Folder);
    const SiteNode *news = tree->child(1);
    QCOMPARE(news->text(), QStringLiteral("news"));
    QCOMPARE(news->child(0)->text(), QStringLiteral("<a href=\"news/today.htm\"></a>"));
    // The site itself is left as it was.
    QCOMPARE(pages->child(0)->text(), QStringLiteral("index.htm"));
    QCOMPARE(pages->child(0)->child(0)->text(), QStringLiteral("top"));
}

QTEST_GUILESS_MAIN(TestSiteWide)
#include "tst_sitewide.moc"
