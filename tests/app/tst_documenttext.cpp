// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/charset.h"
#include "app/documenttext.h"
#include "editor/plainbuffer.h"
#include "editor/striptags.h"
#include "testenvironment.h"

#include <QTest>

using namespace DocumentText;

class TestDocumentText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titleIsReadWhereverItStands();
    void caretGoesAfterBodyOrStaysAtStart();
    void missingBodyTagsAreInserted_data();
    void missingBodyTagsAreInserted();
    void authorTagIsReplacedAndCannotGrow();
    void authorTagFitsTheEncodingAndXhtml();
    void charsetDeclarationsAreReadAndRewritten();
    void saveNameProposalAndSimilarNames();
    void styleBlockMustFollowTheFirstCharacter();
    void stripTagsRemovesMarkupOnly_data();
    void stripTagsRemovesMarkupOnly();
};

void TestDocumentText::titleIsReadWhereverItStands()
{
    PlainBuffer atStart(QStringLiteral("<TITLE>  Home  </TITLE><body>"));
    const Title title = readTitle(atStart);
    QVERIFY(title.found);
    QCOMPARE(title.text, QStringLiteral("Home"));
    QCOMPARE(atStart.textRange(title.start, title.start + title.length), QStringLiteral("  Home  "));

    PlainBuffer lower(QStringLiteral("<html><head><title>News</title>"));
    QCOMPARE(readTitle(lower).text, QStringLiteral("News"));

    // An unclosed title reads as none, rather than the rest of the document.
    PlainBuffer open(QStringLiteral("<head><title>Half"));
    QVERIFY(!readTitle(open).found);
    QVERIFY(readTitle(open).text.isEmpty());
    PlainBuffer none(QStringLiteral("<p>no title</p>"));
    QVERIFY(!readTitle(none).found);
}

void TestDocumentText::caretGoesAfterBodyOrStaysAtStart()
{
    PlainBuffer page(QStringLiteral("<html>\r\n<body bgcolor=\"white\">\r\nText"));
    page.select(3, 2);
    placeCaretAfterBody(page);
    QCOMPARE(page.selStart(), int(page.text().indexOf(u'T')));
    QCOMPARE(page.selLength(), 0);

    PlainBuffer noBreak(QStringLiteral("<BODY>Text"));
    placeCaretAfterBody(noBreak);
    QCOMPARE(noBreak.selStart(), 6);

    for (const QString &text :
        { QStringLiteral("<p>no body</p>"), QStringLiteral("<p>x</p><body never closed") }) {
        PlainBuffer buffer(text);
        buffer.select(4, 0);
        placeCaretAfterBody(buffer);
        QCOMPARE(buffer.selStart(), 0);
    }
}

void TestDocumentText::missingBodyTagsAreInserted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("expected");
    QTest::newRow("after head") << QStringLiteral("<html><head></HEAD>\r\nText") << true
                                << QStringLiteral("<html><head></HEAD><BODY>\r\nText");
    QTest::newRow("after html, lower")
        << QStringLiteral("<html lang=en>Text") << false
        << QStringLiteral(
               "<html lang=en><head>\r\n<title>Your Document Title</title>\r\n</head>\r\n<body>Text");
    QTest::newRow("nothing at all") << QStringLiteral("Text") << true
                                    << QStringLiteral(
                                           "<HTML>\r\n<HEAD>\r\n<TITLE>Your Document Title</TITLE>\r\n"
                                           "</HEAD>\r\n<BODY>Text");
    QTest::newRow("head never closed")
        << QStringLiteral("<head>Text</head") << false << QStringLiteral("<head>Text</head<body>");
}

void TestDocumentText::missingBodyTagsAreInserted()
{
    QFETCH(QString, text);
    QFETCH(bool, upper);
    QFETCH(QString, expected);
    PlainBuffer buffer(text);
    QVERIFY(lacksBody(buffer));
    insertBodyTags(buffer, upper);
    QCOMPARE(buffer.text(), expected);
    QVERIFY(!lacksBody(buffer));
    QVERIFY(buffer.selStart() > 0);

    PlainBuffer frames(QStringLiteral("<html><frameset cols=\"50%,*\">"));
    QVERIFY(!lacksBody(frames));
}

void TestDocumentText::authorTagIsReplacedAndCannotGrow()
{
    PlainBuffer page(QStringLiteral("<html><head><title>T</title></head><body>"));
    TextChange change = writeAuthorTag(page, QStringLiteral("Ann <\"Q&A\"> Lee"), false);
    const QString tag
        = QStringLiteral("<meta name=\"author\" content=\"Ann &lt;&quot;Q&amp;A&quot;&gt; Lee\">");
    QCOMPARE(
        page.text(), QStringLiteral("<html><head><title>T</title>") + tag + QStringLiteral("</head><body>"));
    QCOMPARE(change.position, 28);
    QCOMPARE(change.delta, int(tag.size()));

    // A second save replaces the tag it wrote instead of adding to it.
    const QString once = page.text();
    change = writeAuthorTag(page, QStringLiteral("Ann <\"Q&A\"> Lee"), false);
    QCOMPARE(page.text(), once);
    QCOMPARE(change.delta, 0);

    writeAuthorTag(page, QStringLiteral("Bo"), true);
    QVERIFY(page.text().contains(QStringLiteral("<META NAME=\"AUTHOR\" CONTENT=\"Bo\"></head>")));
    QCOMPARE(page.text().count(QStringLiteral("author"), Qt::CaseInsensitive), 1);

    // Without a HEAD end tag or with an author tag left open, nothing is written anywhere.
    for (const QString &text :
        { QStringLiteral("<p>fragment</p>"), QStringLiteral("<meta name=\"author\" content=\"x") }) {
        PlainBuffer fragment(text);
        QCOMPARE(writeAuthorTag(fragment, QStringLiteral("Bo"), false).position, -1);
        QCOMPARE(fragment.text(), text);
    }
}

void TestDocumentText::authorTagFitsTheEncodingAndXhtml()
{
    const QString name = QStringLiteral("\u0141ukasz J\u00f3zef \U0001F600");
    PlainBuffer latin(QStringLiteral("<html><head></head><body>"));
    writeAuthorTag(latin, name, false, TextEncoding::Windows1252);
    // What Windows-1252 holds (ó) stays a character; the rest become references, a pair as one.
    QCOMPARE(latin.text(),
        QStringLiteral(
            "<html><head><meta name=\"author\" content=\"&#321;ukasz J\u00f3zef &#128512;\"></head><body>"));
    QVERIFY(DocumentFile::canEncode(latin.text(), TextEncoding::Windows1252));
    // A UTF-8 page keeps the name as it is.
    PlainBuffer utf8(QStringLiteral("<html><head></head><body>"));
    writeAuthorTag(utf8, name, false, TextEncoding::Utf8);
    QVERIFY(utf8.text().contains(QStringLiteral("content=\"") + name + QStringLiteral("\">")));

    // An XHTML page, known by its XML declaration or its html tag's xmlns, gets a self-closed tag, and a
    // second save replaces it whole.
    for (const QString &start : { QStringLiteral("<?xml version=\"1.0\"?>\r\n<html><head>"),
             QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>") }) {
        PlainBuffer xhtml(start + QStringLiteral("</head><body>"));
        writeAuthorTag(xhtml, QStringLiteral("Bo"), false);
        QCOMPARE(
            xhtml.text(), start + QStringLiteral("<meta name=\"author\" content=\"Bo\" /></head><body>"));
        writeAuthorTag(xhtml, QStringLiteral("Al"), false);
        QCOMPARE(
            xhtml.text(), start + QStringLiteral("<meta name=\"author\" content=\"Al\" /></head><body>"));
    }
    QVERIFY(!Charset::isXhtml(QStringLiteral("<!DOCTYPE html><html lang=en><p>xmlns=1")));
}

void TestDocumentText::charsetDeclarationsAreReadAndRewritten()
{
    const QString page
        = QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<html><head>\r\n"
                         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n"
                         "<META CHARSET='windows-1252'>\r\n</head><body>charset=latin1</body></html>");
    QCOMPARE(Charset::declared(page), QStringLiteral("ISO-8859-1"));
    QCOMPARE(
        Charset::declared(QStringLiteral("<meta charset=\"Windows-1252\">")), QStringLiteral("Windows-1252"));
    QCOMPARE(Charset::declared(QStringLiteral("<p>charset=latin1</p>")), QString());
    QVERIFY(
        Charset::isEightBit(QStringLiteral("ISO-8859-1")) && Charset::isEightBit(QStringLiteral(" Latin1")));
    QVERIFY(
        !Charset::isEightBit(QStringLiteral("utf-8")) && !Charset::isEightBit(QStringLiteral("iso-8859-2")));
    // Every declaration says UTF-8 afterwards; text outside tags is not touched.
    QCOMPARE(Charset::declaringUtf8(page),
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<html><head>\r\n"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
                       "<META CHARSET='UTF-8'>\r\n</head><body>charset=latin1</body></html>"));

    // A pure ASCII file reads as UTF-8, but is saved in the 8-bit charset its page declares.
    const FileFormat utf8 { TextEncoding::Utf8, LineEnd::Lf };
    QCOMPARE(Charset::formatForPage(QStringLiteral("<meta charset=iso-8859-1>abc"), utf8).encoding,
        TextEncoding::Windows1252);
    QCOMPARE(
        Charset::formatForPage(QStringLiteral("<meta charset=iso-8859-1>abc"), utf8).lineEnd, LineEnd::Lf);
    QCOMPARE(Charset::formatForPage(QStringLiteral("<meta charset=iso-8859-1>\u00e9"), utf8).encoding,
        TextEncoding::Utf8);
    QCOMPARE(
        Charset::formatForPage(QStringLiteral("<meta charset=utf-8>abc"), utf8).encoding, TextEncoding::Utf8);
    QCOMPARE(Charset::withReferences(QStringLiteral("a\u20ac\u0141"), TextEncoding::Windows1252),
        QStringLiteral("a\u20ac&#321;"));
    QCOMPARE(Charset::firstUnencodable(QStringLiteral("ab\u0141"), TextEncoding::Windows1252),
        QStringLiteral("the character \u201c\u0141\u201d (U+0141)"));
}

void TestDocumentText::saveNameProposalAndSimilarNames()
{
    QCOMPARE(proposedSaveName(QStringLiteral("Home/News: Today")), QStringLiteral("Home News  Today.html"));
    QCOMPARE(proposedSaveName(QStringLiteral("a\\b*c?d\"e<f>g|h")), QStringLiteral("a b c d e f g h.html"));
    QCOMPARE(proposedSaveName(QString()), QStringLiteral(".html"));

    TestEnvironment env;
    env.writeFile(QStringLiteral("page.htm"), "x");
    env.writeFile(QStringLiteral("other.html"), "x");
    QVERIFY(similarNameExists(env.path(QStringLiteral("page.html"))));
    QVERIFY(!similarNameExists(env.path(QStringLiteral("page.HTML"))));
    QVERIFY(similarNameExists(env.path(QStringLiteral("other.htm"))));
    QVERIFY(!similarNameExists(env.path(QStringLiteral("other.HTM"))));
    QVERIFY(!similarNameExists(env.path(QStringLiteral("fresh.html"))));
}

void TestDocumentText::styleBlockMustFollowTheFirstCharacter()
{
    QVERIFY(hasStyleBlock(PlainBuffer(QStringLiteral("<head><STYLE>p{}</style>"))));
    QVERIFY(!hasStyleBlock(PlainBuffer(QStringLiteral("<style>p{}</style>"))));
    QVERIFY(!hasStyleBlock(PlainBuffer(QStringLiteral("<p>plain</p>"))));
}

void TestDocumentText::stripTagsRemovesMarkupOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tags") << QStringLiteral("<p>One <b>two</b></p>\r\n") << QStringLiteral("One two\r\n");
    QTest::newRow("comment with its text") << QStringLiteral("a<!-- gone <b> -->b") << QStringLiteral("ab");
    QTest::newRow("doctype runs to the next ->")
        << QStringLiteral("<!DOCTYPE html><p>x<!-- c -->y") << QStringLiteral("y");
    QTest::newRow("script keeps its code")
        << QStringLiteral("<script>if (a < b) go();</script>") << QStringLiteral("if (a ");
    QTest::newRow("> inside a value ends the tag")
        << QStringLiteral("<img alt=\"a > b\">") << QStringLiteral(" b\">");
    QTest::newRow("unclosed tag is kept")
        << QStringLiteral("text <b never") << QStringLiteral("text <b never");
    QTest::newRow("unclosed comment is kept") << QStringLiteral("x<!-- open") << QStringLiteral("x<!-- open");
}

void TestDocumentText::stripTagsRemovesMarkupOnly()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(stripTags(text), expected);
}

QTEST_GUILESS_MAIN(TestDocumentText)
#include "tst_documenttext.moc"
