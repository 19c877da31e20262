// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plainbuffer.h"
#include "tools/textimport.h"

#include <QTest>

using namespace TextImport;
using namespace Qt::StringLiterals;

namespace {

QString merged(const QString &current, const QString &imported, const ImportChoice &choice, int caret = 0)
{
    PlainBuffer buffer;
    buffer.setText(current);
    importHtml(buffer, imported, choice, caret);
    return buffer.text();
}

ImportChoice only(bool ImportChoice::*part, bool importedWins = false)
{
    ImportChoice choice;
    choice.meta = choice.styles = choice.styleSheet = choice.title = choice.body = choice.text = false;
    choice.*part = true;
    choice.importedWins = importedWins;
    return choice;
}

} // namespace

class TestTextImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parts()
    {
        const QString page = u"<html><head><title>t</title></head><body></body></html>"_s;
        ImportParts parts = importParts(page,
            u"<html><head><meta name=\"a\" content=\"b\"><style>p{}</style></head><body x=1></body></html>"_s);
        QVERIFY(parts.header && parts.meta && parts.styles && parts.body);
        QVERIFY(!parts.styleSheet && !parts.title);
        parts = importParts(page, u"just text"_s);
        QVERIFY(!parts.header && !parts.body);
        // A current page without HEAD can take nothing of the imported HEAD.
        QVERIFY(!importParts(u"<html><body></body></html>"_s, page).header);
    }

    void meta()
    {
        const QString current
            = u"<html><head><meta name=\"keywords\" content=\"old\"></head><body></body></html>"_s;
        const QString imported
            = u"<html><head><meta name=\"keywords\" content=\"new\">"
              u"<meta name=\"key\" content=\"k\"><meta http-equiv=\"x\" content=\"y\"></head></html>"_s;
        QCOMPARE(merged(current, imported, only(&ImportChoice::meta)),
            u"<html><head><meta name=\"keywords\" content=\"old\"><meta name=\"key\" content=\"k\">\r\n</head><body></body></html>"_s);
        QCOMPARE(merged(current, imported, only(&ImportChoice::meta, true)),
            u"<html><head><meta name=\"keywords\" content=\"new\"><meta name=\"key\" content=\"k\">\r\n</head><body></body></html>"_s);
    }

    void styles()
    {
        const QString imported
            = u"<html><head><style type=\"text/css\"><!--\r\nh1{color:red}h2 {color:blue}\r\n"
              u"p.note{x:1}\r\n--></style></head></html>"_s;
        // No style block yet: one is made after HEAD's ">", and every rule goes into it.
        QCOMPARE(
            merged(u"<html><head><title>t</title></head></html>"_s, imported, only(&ImportChoice::styles)),
            u"<html><head>\r\n<style type=\"text/css\">\r\n<!-- h1{color:red}\r\nh2 {color:blue}\r\np.note{x:1}\r\n"
            u"-->\r\n</style><title>t</title></head></html>"_s);
        // Selectors match whole: "p" is not "p.note", "h1" is.
        const QString current
            = u"<html><head><style><!--\r\np {a}\r\nh1 {old}\r\n--></style></head></html>"_s;
        QCOMPARE(merged(current, imported, only(&ImportChoice::styles)),
            u"<html><head><style><!--\r\np {a}\r\nh1 {old}\r\nh2 {color:blue}\r\np.note{x:1}\r\n--></style></head></html>"_s);
        QCOMPARE(merged(current, imported, only(&ImportChoice::styles, true)),
            u"<html><head><style><!--\r\np {a}\r\nh1{color:red}\r\nh2 {color:blue}\r\np.note{x:1}\r\n--></style></head></html>"_s);
    }

    void linkAndTitle()
    {
        const QString imported
            = u"<html><head><title>New</title><link rel=\"stylesheet\" href=\"n.css\"></head></html>"_s;
        const QString current
            = u"<html><head><title>Old</title><LINK REL=stylesheet href=\"o.css\"></head></html>"_s;
        QCOMPARE(merged(current, imported, only(&ImportChoice::styleSheet)),
            u"<html><head><title>Old</title><link rel=\"stylesheet\" href=\"n.css\"></head></html>"_s);
        QCOMPARE(merged(current, imported, only(&ImportChoice::title)), current);
        QCOMPARE(merged(current, imported, only(&ImportChoice::title, true)),
            u"<html><head><title>New</title><LINK REL=stylesheet href=\"o.css\"></head></html>"_s);
        QCOMPARE(merged(u"<html><head></head></html>"_s, imported, only(&ImportChoice::title)),
            u"<html><head><title>New</title>\r\n</head></html>"_s);
    }

    void bodyAttributes()
    {
        const QString imported = u"<html><body link=red vlink=\"dark blue\" text=#000000></body></html>"_s;
        const QString current = u"<html><body vlink=green text=white>x</body></html>"_s;
        QCOMPARE(merged(current, imported, only(&ImportChoice::body)),
            u"<html><body vlink=green text=white link=red>x</body></html>"_s);
        QCOMPARE(merged(current, imported, only(&ImportChoice::body, true)),
            u"<html><body vlink=\"dark blue\" text=#000000 link=red>x</body></html>"_s);
    }

    void bodyText()
    {
        const QString current = u"<html><head></head><body>AB</body></html>"_s;
        const QString imported
            = u"<html><head><title>T</title></head><body bgcolor=red>\r\nNew text</body></html>"_s;
        QCOMPARE(merged(current, imported, only(&ImportChoice::text), 26),
            u"<html><head></head><body>A\r\nNew textB</body></html>"_s);
        ImportChoice atEnd = only(&ImportChoice::text);
        atEnd.atEnd = true;
        QCOMPARE(
            merged(current, imported, atEnd), u"<html><head></head><body>AB\r\nNew text</body></html>"_s);
        // The caret moves with the title inserted before it, and out of a tag.
        ImportChoice both = only(&ImportChoice::text);
        both.title = true;
        QCOMPARE(merged(current, imported, both, 26),
            u"<html><head><title>T</title>\r\n</head><body>A\r\nNew textB</body></html>"_s);
        QCOMPARE(merged(current, imported, only(&ImportChoice::text), 22),
            u"<html><head></head><body>\r\nNew textAB</body></html>"_s);
        // A file without "</body" gives all its text after the BODY tag.
        QCOMPARE(merged(current, u"<body>rest of it"_s, only(&ImportChoice::text), 26),
            u"<html><head></head><body>Arest of itB</body></html>"_s);
    }
};

QTEST_GUILESS_MAIN(TestTextImport)
#include "tst_textimport.moc"
