// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/anchormarkup.h"
#include "dialogs/imagemarkup.h"
#include "dialogs/mapmarkup.h"
#include "dialogs/redirectmarkup.h"
#include "dialogs/tablemarkup.h"
#include "editor/plainbuffer.h"

#include <QRegularExpression>
#include <QTest>

using TagCommands::TagStyle;
Q_DECLARE_METATYPE(TagCommands::TagStyle)

namespace {

const TagStyle lowerHex { false, false, false };
const TagStyle lowerNames { false, true, false };
const TagStyle upperNames { true, true, false };
const TagStyle upperHex { true, false, false };

QString emptyRows(int count, const QList<int> &heights, int cells = 4)
{
    QString rows;
    for (int j = 0; j < count; ++j) {
        rows += QStringLiteral("<tr height=%1 valign=\"top\">").arg(heights.at(j));
        for (int i = 0; i < cells; ++i)
            rows += QStringLiteral("<td width=64></td>");
        rows += QStringLiteral("</tr>\n");
    }
    return rows;
}

} // namespace

class TestDialogMarkup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultTableIsTheWorkedExample();
    void tableLetterCaseAndColours_data();
    void tableLetterCaseAndColours();
    void tableShapesSpacingAndPercentages();
    void imageTag_data();
    void imageTag();
    void imageSourceNames();
    void mapNamesReadEachMapTagOnly();
    void areaLinesFromDrawing();
    void mapMarkupFollowsUpper();
    void writingAndReloadingMaps();
    void anchorNamesOfAPage_data();
    void anchorNamesOfAPage();
    void anchorTagsKeepTheName_data();
    void anchorTagsKeepTheName();
    void redirectTag_data();
    void redirectTag();
    void redirectWrittenIntoTheHead();
};

void TestDialogMarkup::defaultTableIsTheWorkedExample()
{
    const QString expected
        = QStringLiteral("<table cols=4 bgcolor=#ffffff cellspacing=1 cellpadding=0 border=1 "
                         "width=261 height=102>\n")
        + emptyRows(4, { 24, 25, 24, 24 }) + QStringLiteral("</table>");
    QCOMPARE(TableMarkup::tableMarkup(TableMarkup::defaultGrid(), lowerHex), expected);
}

void TestDialogMarkup::tableLetterCaseAndColours_data()
{
    QTest::addColumn<TagStyle>("style");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("row");

    // The whole start line takes the letter case, the colour's name or code included; cells keep theirs.
    QTest::newRow("names, lower") << lowerNames << quint32(0xFFFFFF)
                                  << QStringLiteral("<table cols=2 bgcolor=\"white\" cellspacing=1")
                                  << QStringLiteral("<tr height=24 valign=\"middle\"><td width=64>Cell "
                                                    "<B>One</B></td><td width=64></td></tr>");
    QTest::newRow("names, upper") << upperNames << quint32(0x0000FF)
                                  << QStringLiteral("<TABLE COLS=2 BGCOLOR=\"RED\" CELLSPACING=1")
                                  << QStringLiteral("<TR HEIGHT=24 VALIGN=\"MIDDLE\"><TD WIDTH=64>Cell "
                                                    "<B>One</B></TD><TD WIDTH=64></TD></TR>");
    QTest::newRow("unnamed colour, lower")
        << lowerNames << quint32(0xABCDEF) << QStringLiteral("<table cols=2 bgcolor=#efcdab cellspacing=1")
        << QStringLiteral("<tr height=24 valign=\"middle\"><td width=64>Cell "
                          "<B>One</B></td><td width=64></td></tr>");
    QTest::newRow("hex, upper") << upperHex << quint32(0x0000FF)
                                << QStringLiteral("<TABLE COLS=2 BGCOLOR=#FF0000 CELLSPACING=1")
                                << QStringLiteral("<TR HEIGHT=24 VALIGN=\"MIDDLE\"><TD WIDTH=64>Cell "
                                                  "<B>One</B></TD><TD WIDTH=64></TD></TR>");
}

void TestDialogMarkup::tableLetterCaseAndColours()
{
    QFETCH(TagStyle, style);
    QFETCH(quint32, colour);
    QFETCH(QString, start);
    QFETCH(QString, row);

    TableMarkup::TableGrid grid;
    grid.columnWidths = { 30, 64, 64 };
    grid.rowHeights = { 24, 24 };
    grid.cells = { { QStringLiteral("Cell <B>One</B>"), QString() } };
    grid.colour = colour;
    grid.valign = TableMarkup::VAlign::Middle;
    const QStringList lines = TableMarkup::tableMarkup(grid, style).split(u'\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).startsWith(start), qPrintable(lines.at(0)));
    QCOMPARE(lines.at(1), row);
    QCOMPARE(lines.at(2), style.upper ? QStringLiteral("</TABLE>") : QStringLiteral("</table>"));
}

void TestDialogMarkup::tableShapesSpacingAndPercentages()
{
    // Only the fixed column left: no cells, and a column count of 0.
    TableMarkup::TableGrid grid = TableMarkup::defaultGrid();
    grid.columnWidths = { 64 };
    grid.cells = QList<QStringList>(4);
    QCOMPARE(TableMarkup::tableMarkup(grid, lowerHex),
        QStringLiteral(
            "<table cols=0 bgcolor=#ffffff cellspacing=1 cellpadding=0 border=1 width=1 height=102>\n"
            "<tr height=24 valign=\"top\"></tr>\n<tr height=25 valign=\"top\"></tr>\n"
            "<tr height=24 valign=\"top\"></tr>\n<tr height=24 valign=\"top\"></tr>\n</table>"));

    // Spacing is the border too, and counts once more than there are columns.
    grid = TableMarkup::defaultGrid();
    grid.lineWidth = 3;
    grid.padding = 5;
    grid.valign = TableMarkup::VAlign::Bottom;
    QVERIFY(
        TableMarkup::tableMarkup(grid, lowerHex)
            .startsWith(QStringLiteral("<table cols=4 bgcolor=#ffffff cellspacing=3 cellpadding=5 border=3 "
                                       "width=271 height=112>\n<tr height=24 valign=\"bottom\">")));

    // Dragged sizes as whole percentages of the area; the division is taken first.
    QCOMPARE(TableMarkup::percentOf(15, 3), 499);
    QCOMPARE(TableMarkup::percentOf(64, 500), 12);
    QCOMPARE(TableMarkup::percentOf(50, 0), 5000);
    QCOMPARE(TableMarkup::percentOf(50, -20), 5000);
    grid = TableMarkup::defaultGrid();
    grid.columnWidths = { 40, 100, 50 };
    grid.rowHeights = { 24, 30 };
    grid.cells = { { QStringLiteral("a"), QStringLiteral("b") } };
    grid.percentages = true;
    grid.availableWidth = 400;
    grid.availableHeight = 200;
    QCOMPARE(TableMarkup::tableMarkup(grid, lowerHex),
        QStringLiteral(
            "<table cols=2 bgcolor=#ffffff cellspacing=1 cellpadding=0 border=1 width=38% height=16%>\n"
            "<tr height=15% valign=\"top\"><td width=25%>a</td><td width=12%>b</td></tr>\n</table>"));
}

void TestDialogMarkup::imageTag_data()
{
    QTest::addColumn<TagStyle>("style");
    QTest::addColumn<bool>("custom");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults") << lowerNames << false << QString()
                              << QStringLiteral("<img src=\"Pics/A.gif\">");
    // Browser defaults write only the source and the map, whatever the settings page holds.
    QTest::newRow("defaults with map") << upperNames << false << QStringLiteral("Nav")
                                       << QStringLiteral("<IMG SRC=\"Pics/A.gif\" ISMAP USEMAP=\"#Nav\">");
    QTest::newRow("custom, lower") << lowerNames << true << QStringLiteral("Nav")
                                   << QStringLiteral(
                                          "<img src=\"Pics/A.gif\" width=120 height=0 alt=\"A Cat\" "
                                          "align=texttop ismap usemap=\"#Nav\">");
    QTest::newRow("custom, upper") << upperNames << true << QString()
                                   << QStringLiteral(
                                          "<IMG SRC=\"Pics/A.gif\" WIDTH=120 HEIGHT=0 ALT=\"A Cat\" "
                                          "ALIGN=TEXTTOP>");
}

void TestDialogMarkup::imageTag()
{
    QFETCH(TagStyle, style);
    QFETCH(bool, custom);
    QFETCH(QString, map);
    QFETCH(QString, expected);

    ImageMarkup::ImageTag tag;
    tag.source = QStringLiteral("Pics/A.gif");
    tag.custom = custom;
    tag.width = 120;
    tag.height = 0;
    tag.alt = QStringLiteral("A Cat");
    tag.align = QStringLiteral("TextTop");
    tag.mapName = map;
    QCOMPARE(ImageMarkup::imageMarkup(tag, style), expected);
}

void TestDialogMarkup::imageSourceNames()
{
    const QString folder = QStringLiteral("/home/ann/site");
    using ImageMarkup::sourceName;
    QCOMPARE(sourceName(QStringLiteral("/home/ann/site/images/cat.png"), true, folder),
        QStringLiteral("images/cat.png"));
    QCOMPARE(sourceName(QStringLiteral("/home/ann/pics/cat.png"), true, folder),
        QStringLiteral("../pics/cat.png"));
    QCOMPARE(sourceName(QStringLiteral("/home/ann/pics/cat.png"), false, folder),
        QStringLiteral("/home/ann/pics/cat.png"));
    // Only absolute local paths are made relative.
    QCOMPARE(sourceName(QStringLiteral("images\\cat.png"), true, folder), QStringLiteral("images/cat.png"));
    QCOMPARE(sourceName(QStringLiteral("http://example.org/a/cat.png"), true, folder),
        QStringLiteral("http://example.org/a/cat.png"));
    QCOMPARE(sourceName(QStringLiteral("/pics/cat.png"), true, QString()), QStringLiteral("/pics/cat.png"));

    using ImageMarkup::localPath;
    QCOMPARE(
        localPath(QStringLiteral("images/cat.png"), folder), QStringLiteral("/home/ann/site/images/cat.png"));
    QCOMPARE(localPath(QStringLiteral("../cat.png"), folder), QStringLiteral("/home/ann/cat.png"));
    QCOMPARE(localPath(QStringLiteral("/tmp/./x.png"), folder), QStringLiteral("/tmp/x.png"));
    QCOMPARE(localPath(QStringLiteral("images/cat.png"), QString()), QString());
    QCOMPARE(localPath(QStringLiteral("http://example.org/cat.png"), folder), QString());
    QCOMPARE(localPath(QString(), folder), QString());
}

void TestDialogMarkup::mapNamesReadEachMapTagOnly()
{
    const QString page = QStringLiteral(
        "<body><MAP ID=\"Top\" name=\"x\"><area href=\"a\"></map>\r\n"
        "<map name=Side>\r\n<map id='quoted one'>\r\n"
        "<map><area id=\"NotAMap\" href=\"b\"></map>\r\n" // a map without a name adds nothing
        "<mapping id=\"Nope\">\r\n<map title=\"a > b\" id=\"After\">\r\n"
        "<map id=\"top\">\r\n" // the same name again, in other letters
        "<map id=\"Unclosed\"");
    QCOMPARE(ImageMarkup::mapNames(page),
        QStringList({ QStringLiteral("Top"), QStringLiteral("Side"), QStringLiteral("quoted one"),
            QStringLiteral("After") }));
    QVERIFY(ImageMarkup::mapNames(QStringLiteral("<p>no maps</p>")).isEmpty());
}

void TestDialogMarkup::areaLinesFromDrawing()
{
    using namespace MapMarkup;
    // Not normalised: a drag up and to the left gives the larger numbers first; a click is a point.
    QCOMPARE(rectCoords({ 50, 40 }, { 10, 5 }), QStringLiteral("50,40,10,5"));
    QCOMPARE(rectCoords({ 7, 7 }, { 7, 7 }), QStringLiteral("7,7,7,7"));
    // Drawn in the square box, written with the radius of the horizontal extent.
    QCOMPARE(circleBoxCorner({ 0, 0 }, { 100, 40 }), QPoint(40, 40));
    QCOMPARE(circleBoxCorner({ 50, 50 }, { 40, 0 }), QPoint(40, 40));
    QCOMPARE(circleCoords({ 0, 0 }, { 100, 40 }), QStringLiteral("50,20,50"));
    QCOMPARE(circleCoords({ 100, 40 }, { 0, 0 }), QStringLiteral("50,20,50"));
    QCOMPARE(circleCoords({ 10, 10 }, { 15, 3 }), QStringLiteral("12,7,2"));

    const QList<QPoint> corners { { 10, 10 }, { 60, 10 }, { 60, 50 }, { 12, 8 } };
    QVERIFY(polygonClosed(corners));
    QCOMPARE(polygonCoords(corners), QStringLiteral("10,10,60,10,60,50,12,8"));
    QVERIFY(!polygonClosed({ { 10, 10 }, { 60, 10 }, { 60, 50 }, { 14, 10 } }));
    QVERIFY(!polygonClosed({ { 10, 10 } }));
    QVERIFY(polygonClosed({ { 10, 10 }, { 10, 10 } }));

    QCOMPARE(areaLine(Shape::Rect, QStringLiteral("1,2,3,4"), QStringLiteral("http://a.org/"), QString()),
        QStringLiteral("<Area Shape=Rect Coords=1,2,3,4 Href=\"http://a.org/\">"));
    QCOMPARE(areaLine(Shape::Poly, QStringLiteral("1,2,3,4,1,2"), QStringLiteral("b.html"),
                 QStringLiteral("_top")),
        QStringLiteral("<Area Shape=Poly Coords=1,2,3,4,1,2 Href=\"b.html\" Target=\"_top\">"));
}

void TestDialogMarkup::mapMarkupFollowsUpper()
{
    const QStringList areas { QStringLiteral(
                                  "<Area Shape=Circ Coords=5,5,5 Href=\"Page.HTML\" Target=\"Main\">"),
        QStringLiteral("<area nohref coords=1,2>") };
    // The address and target keep their case ("Target" its capital T); a line without an address stays.
    QCOMPARE(MapMarkup::mapMarkup(QStringLiteral("Nav"), areas, lowerNames),
        QStringLiteral(
            "\r\n<map id=\"Nav\" name=\"Nav\">\r\n<area shape=circ coords=5,5,5 href=\"Page.HTML\" "
            "Target=\"Main\">\r\n<area nohref coords=1,2>\r\n</map>"));
    QCOMPARE(MapMarkup::mapMarkup(QStringLiteral("Nav"), areas, upperNames),
        QStringLiteral(
            "\r\n<MAP ID=\"Nav\" NAME=\"Nav\">\r\n<AREA SHAPE=CIRC COORDS=5,5,5 HREF=\"Page.HTML\" "
            "Target=\"Main\">\r\n<area nohref coords=1,2>\r\n</MAP>"));
}

void TestDialogMarkup::writingAndReloadingMaps()
{
    const QStringList areas { QStringLiteral("<Area Shape=Rect Coords=1,2,3,4 Href=\"a.html\">") };
    PlainBuffer buffer(QStringLiteral("<html>\n<BODY bgcolor=\"white\">\nSome text\n</body></html>"));
    const int text = int(buffer.text().indexOf(QStringLiteral("Some")));
    buffer.select(text, 4);

    MapMarkup::MapWrite written
        = MapMarkup::writeMap(buffer, QStringLiteral("Nav"), areas, false, lowerNames);
    const QString once = buffer.text();
    QCOMPARE(once,
        QStringLiteral(
            "<html>\r\n<BODY bgcolor=\"white\">\r\n<map id=\"Nav\" name=\"Nav\">\r\n"
            "<area shape=rect coords=1,2,3,4 href=\"a.html\">\r\n</map>\r\nSome text\r\n</body></html>"));
    QCOMPARE(written.start, int(once.indexOf(QStringLiteral("\r\n<map"))));
    QCOMPARE(written.end, int(once.indexOf(QStringLiteral("</map>"))) + 6);
    // The user's selection stays on the same text.
    QCOMPARE(buffer.selText(), QStringLiteral("Some"));

    // Loaded again, and written again in place: each edit leaves one more empty line before it.
    QCOMPARE(MapMarkup::mapAreas(once, QStringLiteral("NAV")),
        QStringList { QStringLiteral("<area shape=rect coords=1,2,3,4 href=\"a.html\">") });
    QStringList more = MapMarkup::mapAreas(once, QStringLiteral("Nav"));
    more.append(QStringLiteral("<Area Shape=Circ Coords=9,9,4 Href=\"b.html\">"));
    MapMarkup::writeMap(buffer, QStringLiteral("Nav"), more, true, lowerNames);
    QCOMPARE(buffer.text(),
        QStringLiteral("<html>\r\n<BODY bgcolor=\"white\">\r\n\r\n<map id=\"Nav\" name=\"Nav\">\r\n"
                       "<area shape=rect coords=1,2,3,4 href=\"a.html\">\r\n<area shape=circ coords=9,9,4 "
                       "href=\"b.html\">\r\n</map>\r\nSome text\r\n</body></html>"));
    QCOMPARE(buffer.selText(), QStringLiteral("Some"));
    QVERIFY(!buffer.text().contains(QRegularExpression(QStringLiteral("[^\r]\n"))));

    // A map said to exist but not found is added, and nothing is deleted.
    PlainBuffer other(QStringLiteral("<body><map id=\"Other\"></map></body>"));
    MapMarkup::writeMap(other, QStringLiteral("Nav"), areas, true, upperNames);
    QCOMPARE(other.text(),
        QStringLiteral(
            "<body>\r\n<MAP ID=\"Nav\" NAME=\"Nav\">\r\n<AREA SHAPE=RECT COORDS=1,2,3,4 HREF=\"a.html\">"
            "\r\n</MAP><map id=\"Other\"></map></body>"));
    // A start tag that is never closed is not replaced either.
    PlainBuffer unclosed(QStringLiteral("<body><map id=\"Nav\">rest"));
    MapMarkup::writeMap(unclosed, QStringLiteral("Nav"), {}, true, lowerNames);
    QVERIFY(unclosed.text().endsWith(QStringLiteral("<map id=\"Nav\">rest")));
    QVERIFY(MapMarkup::mapAreas(unclosed.text(), QStringLiteral("Nav")).isEmpty());

    // A page without a BODY tag gets the map at the caret.
    PlainBuffer bare(QStringLiteral("<p>one</p><p>two</p>"));
    bare.select(10, 0);
    written = MapMarkup::writeMap(bare, QStringLiteral("M"), {}, false, lowerNames);
    QCOMPARE(bare.text(), QStringLiteral("<p>one</p>\r\n<map id=\"M\" name=\"M\">\r\n</map><p>two</p>"));
    QCOMPARE(written.start, 10);
}

void TestDialogMarkup::anchorNamesOfAPage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("quoted small, unquoted capitals")
        << QStringLiteral("<p><a name=\"top\">T</a> x <A NAME=end>E</A>")
        << QStringList { QStringLiteral("top"), QStringLiteral("end") };
    QTest::newRow("at the very start is missed")
        << QStringLiteral("<a name=\"first\"></a><a name=\"second\"></a>")
        << QStringList { QStringLiteral("second") };
    QTest::newRow("single quotes and a blank inside quotes")
        << QStringLiteral(" <a name='one'></a><a name=\"two words\" id=x></a>")
        << QStringList { QStringLiteral("one"), QStringLiteral("two words") };
    QTest::newRow("unquoted ends at blank or bracket")
        << QStringLiteral(" <a name=alpha href=x><a name=beta>")
        << QStringList { QStringLiteral("alpha"), QStringLiteral("beta") };
    QTest::newRow("an unclosed quote stops at the bracket")
        << QStringLiteral(" <a name=\"open>text</a>") << QStringList { QStringLiteral("open") };
    QTest::newRow("empty names and the text's end")
        << QStringLiteral(" <a name=\"\"></a><a name=tail") << QStringList { QStringLiteral("tail") };
    QTest::newRow("no anchors") << QStringLiteral("<a href=\"#top\">x</a>") << QStringList();
}

void TestDialogMarkup::anchorNamesOfAPage()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QCOMPARE(AnchorMarkup::anchorNames(text), names);
}

void TestDialogMarkup::anchorTagsKeepTheName_data()
{
    QTest::addColumn<TagStyle>("style");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("lower, hex") << lowerHex << QStringLiteral("<a name=\"Top Of Page\">")
                                << QStringLiteral("</a>");
    QTest::newRow("lower, names") << lowerNames << QStringLiteral("<a name=\"Top Of Page\">")
                                  << QStringLiteral("</a>");
    QTest::newRow("upper, names") << upperNames << QStringLiteral("<A NAME=\"Top Of Page\">")
                                  << QStringLiteral("</A>");
    QTest::newRow("upper, hex") << upperHex << QStringLiteral("<A NAME=\"Top Of Page\">")
                                << QStringLiteral("</A>");
}

void TestDialogMarkup::anchorTagsKeepTheName()
{
    QFETCH(TagStyle, style);
    QFETCH(QString, start);
    QFETCH(QString, end);
    const TagCommands::WrapTags tags = AnchorMarkup::anchorTags(QStringLiteral("Top Of Page"), style);
    QCOMPARE(tags.start, start);
    QCOMPARE(tags.end, end);

    // Wrapping a selection: the new element ends up selected, the text around it untouched.
    PlainBuffer buffer(QStringLiteral("ab Heading cd"));
    buffer.select(3, 7);
    TagCommands::insertFormatTag(buffer, tags);
    QCOMPARE(buffer.text(),
        QStringLiteral("ab ") + start + QStringLiteral("Heading") + end + QStringLiteral(" cd"));
    QCOMPARE(buffer.selStart(), 3);
    QCOMPARE(buffer.selLength(), int(start.size() + 7 + end.size()));

    QVERIFY(
        AnchorMarkup::isDuplicate({ QStringLiteral("top"), QStringLiteral("end") }, QStringLiteral("TOP")));
    QVERIFY(!AnchorMarkup::isDuplicate({ QStringLiteral("top") }, QStringLiteral("topmost")));
}

void TestDialogMarkup::redirectTag_data()
{
    QTest::addColumn<TagStyle>("style");
    QTest::addColumn<QString>("tag");
    const QString lower
        = QStringLiteral("<meta http-equiv=\"refresh\" content=\"5;url=http://Example.org/A%22B\">");
    const QString upper
        = QStringLiteral("<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"5;URL=http://Example.org/A%22B\">");
    QTest::newRow("lower, hex") << lowerHex << lower;
    QTest::newRow("lower, names") << lowerNames << lower;
    QTest::newRow("upper, names") << upperNames << upper;
    QTest::newRow("upper, hex") << upperHex << upper;
}

void TestDialogMarkup::redirectTag()
{
    QFETCH(TagStyle, style);
    QFETCH(QString, tag);
    QCOMPARE(RedirectMarkup::redirectTag(5, QStringLiteral("http://Example.org/A\"B"), style), tag);
}

void TestDialogMarkup::redirectWrittenIntoTheHead()
{
    const QString tag = QStringLiteral("<meta http-equiv=\"refresh\" content=\"3;url=b.html\">");

    // The head start tag is found whatever its attributes; the selection keeps its text.
    PlainBuffer page(QStringLiteral("<html><head lang=en>\r\n<title>T</title></head><body>x</body>"));
    page.select(int(page.text().indexOf(u'x')), 1);
    RedirectMarkup::Written written
        = RedirectMarkup::writeRedirect(page, 3, QStringLiteral("b.html"), lowerNames);
    QCOMPARE(page.text(),
        QStringLiteral("<html><head lang=en>\r\n") + tag
            + QStringLiteral("\r\n<title>T</title></head><body>x</body>"));
    QCOMPARE(written.start, 20);
    QCOMPARE(written.end, int(20 + 2 + tag.size()));
    QCOMPARE(page.textRange(page.selStart(), page.selStart() + page.selLength()), QStringLiteral("x"));
    // "<header>" is no head start tag.
    QVERIFY(!page.text().contains(QStringLiteral("<header")));

    // Read back, then replaced in place: one refresh tag only, no new blank line.
    std::optional<RedirectMarkup::Redirect> read = RedirectMarkup::readRedirect(page.text());
    QVERIFY(read);
    QCOMPARE(read->seconds, std::optional<int>(3));
    QCOMPARE(read->url, QStringLiteral("b.html"));
    const QString before = page.text();
    RedirectMarkup::writeRedirect(page, 9, QStringLiteral("c.html"), lowerNames);
    QCOMPARE(
        page.text(), QString(before).replace(QStringLiteral("3;url=b.html"), QStringLiteral("9;url=c.html")));

    // A page without a head start tag gets the tag at the caret, never before its start.
    PlainBuffer bare(QStringLiteral("<header>one</header> two"));
    bare.select(11, 0);
    written = RedirectMarkup::writeRedirect(bare, 0, QStringLiteral("x.html"), upperNames);
    QCOMPARE(bare.text(),
        QStringLiteral("<header>one\r\n<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"0;URL=x.html\"></header> two"));
    QCOMPARE(written.start, 11);

    // An old tag astray in the body moves into the head.
    PlainBuffer astray(QStringLiteral("<head></head><body><meta http-equiv=refresh content=1></body>"));
    RedirectMarkup::writeRedirect(astray, 2, QStringLiteral("d.html"), lowerNames);
    QCOMPARE(astray.text(),
        QStringLiteral(
            "<head>\r\n<meta http-equiv=\"refresh\" content=\"2;url=d.html\"></head><body></body>"));

    // An old tag written in capitals and a content that is no whole number.
    read = RedirectMarkup::readRedirect(
        QStringLiteral("<HEAD><META HTTP-EQUIV=REFRESH CONTENT=\"soon; URL=http://a.b/\"></HEAD>"));
    QVERIFY(read);
    QVERIFY(!read->seconds);
    QCOMPARE(read->url, QStringLiteral("http://a.b/"));
    QVERIFY(!RedirectMarkup::readRedirect(QStringLiteral("<meta name=\"refresh\" content=\"1\">")));
}

QTEST_GUILESS_MAIN(TestDialogMarkup)
#include "tst_dialogmarkup.moc"
