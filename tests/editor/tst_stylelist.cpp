// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plainbuffer.h"
#include "editor/stylelist.h"
#include "testenvironment.h"

#include <QFileInfo>
#include <QTest>

class TestStyleList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fixedEntriesComeFirst();
    void embeddedBlock();
    void linkedSheet();
    void missingBracesEndTheScan();
};

void TestStyleList::fixedEntriesComeFirst()
{
    const StyleLists::Entries entries
        = StyleLists::rebuild(PlainBuffer(QStringLiteral("<p>x</p>")), QString());
    QCOMPARE(entries.combo,
        QStringList({ QStringLiteral("Heading 1"), QStringLiteral("Heading 2"), QStringLiteral("Heading 3"),
            QStringLiteral("Heading 4"), QStringLiteral("Heading 5"), QStringLiteral("Heading 6"),
            QStringLiteral("Body Text") }));
    QCOMPARE(entries.list,
        QStringList({ QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("H3"), QStringLiteral("H4"),
            QStringLiteral("H5"), QStringLiteral("H6") }));
}

void TestStyleList::embeddedBlock()
{
    const QString page
        = QStringLiteral("<!DOCTYPE html>\r\n<html><head><STYLE type=\"text/css\">\r\n<!--\r\n"
                         ".intro { color: red }\r\np.note{ width: 1.5em }\r\nh1 { margin: 0.5em }\r\n"
                         ".intro { }\r\n-->\r\n</style></head><body><!-- a comment --></body>");
    const StyleLists::Entries entries = StyleLists::rebuild(PlainBuffer(page), QString());
    QCOMPARE(entries.combo.mid(7), QStringList({ QStringLiteral("intro"), QStringLiteral("note") }));
    QCOMPARE(entries.list.mid(6), QStringList({ QStringLiteral("intro"), QStringLiteral("note") }));

    // A commented-out block adds nothing; a DOCTYPE before it and a comment after it do not make it so.
    const QString commented = QStringLiteral("<!-- <style>.old { }</style> -->");
    QCOMPARE(StyleLists::rebuild(PlainBuffer(commented), QString()).list.size(), 6);
}

void TestStyleList::linkedSheet()
{
    TestEnvironment environment;
    const QString sheet = environment.writeFile(QStringLiteral("site.css"),
        "h1 { font-size: 18pt }\n.intro {\n  color: #336699;\n}\n.tight{ margin: 0 }\r\n.a .b { }\n");
    const QString folder = QFileInfo(sheet).absolutePath();
    const QString page
        = QStringLiteral("<html><head><link rel=\"stylesheet\" href=\"site.css\"></head></html>");
    QCOMPARE(StyleLists::rebuild(PlainBuffer(page), folder).list.mid(6),
        QStringList({ QStringLiteral("intro"), QStringLiteral("tight"), QStringLiteral("a") }));

    // A class rule and an element rule: only the class is listed.
    environment.writeFile(
        QStringLiteral("two.css"), ".intro {\r\n color: red;\r\n}\r\nh1 {\r\n color: blue;\r\n}\r\n");
    const QString two = QStringLiteral("<link rel=stylesheet href=\"two.css\">");
    QCOMPARE(
        StyleLists::rebuild(PlainBuffer(two), folder).combo.mid(7), QStringList { QStringLiteral("intro") });

    // The path is resolved against the page's folder, not the program's, and an absolute one is used as is.
    QCOMPARE(StyleLists::rebuild(PlainBuffer(page), QString()).list.size(), 6);
    const QString absolute = QStringLiteral("<link rel=\"stylesheet\" HREF=\"%1\">").arg(sheet);
    QCOMPARE(StyleLists::rebuild(PlainBuffer(absolute), QString()).list.size(), 9);

    // An HREF outside the LINK tag does not name its sheet.
    const QString outside = QStringLiteral("<link rel=\"stylesheet\"><a href=\"site.css\">x</a>");
    QCOMPARE(StyleLists::rebuild(PlainBuffer(outside), folder).list.size(), 6);
}

void TestStyleList::missingBracesEndTheScan()
{
    QCOMPARE(StyleLists::blockClasses(QStringLiteral("<style>.a { color:red </style>")),
        QStringList { QStringLiteral("a") });
    QCOMPARE(StyleLists::blockClasses(QStringLiteral("<style>.a color:red </style>")), QStringList());
    QCOMPARE(StyleLists::sheetClasses(QStringLiteral(".a { x } .b { y")),
        QStringList({ QStringLiteral("a"), QStringLiteral("b") }));
    QCOMPARE(StyleLists::sheetClasses(QStringLiteral(".a  x } .b ")), QStringList());
    const StyleLists::Entries entries
        = StyleLists::rebuild(PlainBuffer(QStringLiteral("<style>.a { color:red </style>")), QString());
    QCOMPARE(entries.list.mid(6), QStringList { QStringLiteral("a") });
}

QTEST_GUILESS_MAIN(TestStyleList)
#include "tst_stylelist.moc"
