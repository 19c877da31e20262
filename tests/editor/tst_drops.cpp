// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/drops.h"
#include "editor/plainbuffer.h"

#include <QTest>

using TagCommands::EditResult;
using TagCommands::TagStyle;

namespace {

// "«" and "»" mark the selection in a test text.
PlainBuffer bufferWithSelection(const QString &marked)
{
    QString text = marked;
    const int start = int(text.indexOf(u'«'));
    text.remove(u'«');
    const int end = int(text.indexOf(u'»'));
    text.remove(u'»');
    PlainBuffer buffer(text);
    if (start >= 0)
        buffer.select(start, end - start);
    return buffer;
}

// The text with the selection marked again ("|" for a caret with nothing selected).
QString marked(const PlainBuffer &buffer)
{
    QString text = buffer.text();
    if (buffer.selLength() == 0)
        return text.insert(buffer.selStart(), u'|');
    text.insert(buffer.selStart() + buffer.selLength(), u'»');
    return text.insert(buffer.selStart(), u'«');
}

TagStyle style(bool upper)
{
    return TagStyle { upper, true, false };
}

const QString page = QStringLiteral("/tmp/x/pages/index.htm");
const QString root = QStringLiteral("/tmp/x/");

} // namespace

Q_DECLARE_METATYPE(SiteDrag::Item)

class TestDrops : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void siteItems_data();
    void siteItems();
    void siteItemRecolourRange();
    void files_data();
    void files();
    void fileKinds();
    void siteDragRoundTrip();
};

void TestDrops::siteItems_data()
{
    QTest::addColumn<SiteDrag::Item>("item");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const QString head = QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD>\r\n<BODY>«news»</BODY>");

    QTest::newRow("GIF, upper") << SiteDrag::Item { 4, root, u"images/a.gif"_qs, {} } << true << u"a«»b"_qs
                                << u"a<IMG SRC=\"../images/a.gif\">|b"_qs;
    QTest::newRow("GIF, lower") << SiteDrag::Item { 4, root, u"images/a.gif"_qs, {} } << false << u"a«»b"_qs
                                << u"a<img src=\"../images/a.gif\">|b"_qs;
    QTest::newRow("image goes before the selection") << SiteDrag::Item { 5, root, u"pages/pic.jpg"_qs,
        {} } << true << u"the «news» today"_qs << u"the <IMG SRC=\"pic.jpg\">news| today"_qs;
    QTest::newRow("target keeps its letters") << SiteDrag::Item { 5, root, u"Images/Logo.GIF"_qs, {} }
                                              << false << u"«»"_qs << u"<img src=\"../Images/Logo.GIF\">|"_qs;
    QTest::newRow("page wraps the selection") << SiteDrag::Item { 3, root, u"news.htm"_qs,
        {} } << true << u"the «news» today"_qs << u"the «<A HREF=\"../news.htm\">news</A>» today"_qs;
    QTest::newRow("page, lower, nothing selected") << SiteDrag::Item { 3, root, u"pages/sub/b.htm"_qs,
        {} } << false << u"x«»"_qs << u"x«<a href=\"sub/b.htm\"></a>»"_qs;
    QTest::newRow("anchor in another page")
        << SiteDrag::Item { 6, root, u"top"_qs, u"pages/page.htm"_qs } << false << u"«news»"_qs
        << u"«<a href=\"page.htm#top\">news</a>»"_qs;
    QTest::newRow("anchor in a page above") << SiteDrag::Item { 6, root, u"Part2"_qs, u"home.htm"_qs } << true
                                            << u"«go»"_qs << u"«<A HREF=\"../home.htm#Part2\">go</A>»"_qs;
    QTest::newRow("anchor without its page writes nothing")
        << SiteDrag::Item { 6, root, u"top"_qs, {} } << true << u"«go»"_qs << u"«go»"_qs;
    QTest::newRow("style sheet at the head's end")
        << SiteDrag::Item { 7, root, u"css/site.css"_qs, {} } << true << head
        << u"<HTML><HEAD><TITLE>t</TITLE><LINK REL=STYLESHEET TYPE=\"TEXT/CSS\" HREF=\"../css/site.css\">\r\n|</HEAD>\r\n<BODY>news</BODY>"_qs;
    QTest::newRow("style sheet, lower, head found in any case")
        << SiteDrag::Item { 7, root, u"css/site.css"_qs, {} } << false << u"<head></Head><head></head>«»"_qs
        << u"<head><link rel=stylesheet type=\"text/css\" href=\"../css/site.css\">\r\n|</Head><head></head>"_qs;
    QTest::newRow("style sheet without a head end writes nothing")
        << SiteDrag::Item { 7, root, u"site.css"_qs, {} } << true << u"<HEAD>«x»"_qs << u"<HEAD>«x»"_qs;
    QTest::newRow("folder writes nothing")
        << SiteDrag::Item { 1, root, u"images/"_qs, {} } << true << u"«x»"_qs << u"«x»"_qs;
    QTest::newRow("site text with backslashes") << SiteDrag::Item { 4, u"\\tmp\\x\\"_qs, u"images\\a.gif"_qs,
        {} } << true << u"«»"_qs << u"<IMG SRC=\"../images/a.gif\">|"_qs;
    QTest::newRow("spaces and non-ASCII kept") << SiteDrag::Item { 4, root, u"große Bilder/ä b.gif"_qs,
        {} } << false << u"«»"_qs << u"<img src=\"../große Bilder/ä b.gif\">|"_qs;
    QTest::newRow("a double quote cannot end the value")
        << SiteDrag::Item { 4, root, u"pages/say \"hi\".gif"_qs, {} } << false << u"«»"_qs
        << u"<img src=\"say %22hi%22.gif\">|"_qs;
}

void TestDrops::siteItems()
{
    QFETCH(SiteDrag::Item, item);
    QFETCH(bool, upper);
    QFETCH(QString, before);
    QFETCH(QString, after);
    PlainBuffer buffer = bufferWithSelection(before);
    const EditResult result = Drops::dropSiteItem(buffer, item, page, style(upper));
    QCOMPARE(marked(buffer), after);
    QCOMPARE(result.changed, before != after);
}

void TestDrops::siteItemRecolourRange()
{
    // The colouring pass covers exactly the new markup and what it encloses.
    PlainBuffer image = bufferWithSelection(u"ab«cd»ef"_qs);
    EditResult result = Drops::dropSiteItem(image, { 4, root, u"pages/a.gif"_qs, {} }, page, style(true));
    QCOMPARE(image.textRange(result.recolourStart, result.recolourEnd), u"<IMG SRC=\"a.gif\">cd"_qs);

    PlainBuffer link = bufferWithSelection(u"ab«cd»ef"_qs);
    result = Drops::dropSiteItem(link, { 3, root, u"pages/b.htm"_qs, {} }, page, style(false));
    QCOMPARE(link.textRange(result.recolourStart, result.recolourEnd), u"<a href=\"b.htm\">cd</a>"_qs);

    PlainBuffer css(u"<head></head>"_qs);
    result = Drops::dropSiteItem(css, { 7, root, u"s.css"_qs, {} }, page, style(false));
    QCOMPARE(css.textRange(result.recolourStart, result.recolourEnd),
        u"<link rel=stylesheet type=\"text/css\" href=\"../s.css\">\r\n"_qs);
}

void TestDrops::files_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("undoStep");
    QTest::newRow("picture beside the page")
        << u"/tmp/x/pages/photo.jpg"_qs << true << u"a<IMG SRC=\"photo.jpg\">«»news|b"_qs << u"Drag File"_qs;
    QTest::newRow("picture elsewhere, lower")
        << u"/home/me/Pictures/p.bmp"_qs << false
        << u"a<img src=\"../../../home/me/Pictures/p.bmp\">news|b"_qs << u"Drag File"_qs;
    QTest::newRow("video") << u"/tmp/x/clip.avi"_qs << true << u"a<IMG DYNSRC=\"../clip.avi\">news|b"_qs
                           << u"Drag File"_qs;
    QTest::newRow("style sheet")
        << u"/tmp/x/s.css"_qs << false
        << u"<head><link rel=stylesheet type=\"text/css\" href=\"../s.css\">\r\n|</head>anewsb"_qs
        << u"Drag Style Sheet"_qs;
    QTest::newRow("other file: a link")
        << u"/tmp/x/doc/report.pdf"_qs << true << u"a«<A HREF=\"../doc/report.pdf\">news</A>»b"_qs
        << u"Drag Link"_qs;
}

void TestDrops::files()
{
    QFETCH(QString, file);
    QFETCH(bool, upper);
    QFETCH(QString, after);
    QFETCH(QString, undoStep);
    const bool css = file.endsWith(u".css"_qs);
    PlainBuffer buffer = bufferWithSelection(css ? u"<head></head>a«news»b"_qs : u"a«news»b"_qs);
    const Drops::FileKind kind = Drops::fileKind(file);
    const EditResult result = Drops::dropFile(buffer, kind, file, page, style(upper));
    QVERIFY(result.changed);
    QCOMPARE(marked(buffer).remove(u"«»"_qs), QString(after).remove(u"«»"_qs));
    QCOMPARE(Drops::fileUndoStep(kind), undoStep);
}

void TestDrops::fileKinds()
{
    using Drops::FileKind;
    const QList<std::pair<const char16_t *, FileKind>> cases {
        { u"/a/b.gif", FileKind::Image },
        { u"/a/b.jpg", FileKind::Image },
        { u"/a/b.jpeg", FileKind::Image },
        { u"/a/b.bmp", FileKind::Image },
        { u"/a/b.avi", FileKind::Video },
        { u"/a/b.css", FileKind::StyleSheet },
        { u"/a/b.sit", FileKind::Site },
        { u"/a/b.site", FileKind::Site },
        // Extensions are compared exactly as written.
        { u"/a/photo.GIF", FileKind::Other },
        { u"/a/b.Css", FileKind::Other },
        { u"/a/b.SITE", FileKind::Other },
        { u"/a/b.png", FileKind::Other },
        { u"/a/b.gif.txt", FileKind::Other },
        { u"/a/b.html", FileKind::Other },
        { u"/a/gif", FileKind::Other },
        // Only the file's own name counts, not a dot in a folder's name.
        { u"/a/pics.gif/readme", FileKind::Other },
        { u"C:\\pics\\b.jpg", FileKind::Image },
    };
    for (const auto &[path, kind] : cases)
        QVERIFY2(Drops::fileKind(QString::fromUtf16(path)) == kind, qPrintable(QString::fromUtf16(path)));
    QCOMPARE(Drops::fileUndoStep(FileKind::Site), QString());
    QCOMPARE(Drops::siteItemUndoStep(), u"Drag Item"_qs);
}

void TestDrops::siteDragRoundTrip()
{
    const SiteDrag::Item anchor { 6, u"/my site/"_qs, u"Größe"_qs, u"pages/a b.htm"_qs };
    const std::optional<SiteDrag::Item> back = SiteDrag::decode(SiteDrag::encode(anchor));
    QVERIFY(back);
    QCOMPARE(back->icon, 6);
    QCOMPARE(back->root, anchor.root);
    QCOMPARE(back->text, anchor.text);
    QCOMPARE(back->page, anchor.page);
    QCOMPARE(SiteDrag::encode({ 4, u"/r/"_qs, u"a.gif"_qs, {} }), QByteArray("4\n/r/\na.gif\n"));
    QVERIFY(!SiteDrag::decode("x\n/r/\na.gif\n"));
    QVERIFY(!SiteDrag::decode("4\n/r/\na.gif"));
    QVERIFY(!SiteDrag::decode(QByteArray()));
}

QTEST_GUILESS_MAIN(TestDrops)
#include "tst_drops.moc"
