// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/programfolder.h"
#include "editor/plainbuffer.h"
#include "editor/tagdatabase.h"
#include "tools/htmlchecker.h"

#include <QFile>
#include <QTest>

using namespace HtmlChecker;
using namespace Qt::StringLiterals;

namespace {

const TagDatabase &database()
{
    static TagDatabase tables;
    static const bool opened = tables.open(ProgramFolder::path());
    if (!opened)
        qWarning("%s", qPrintable(tables.error()));
    return tables;
}

QStringList messages(const Result &result)
{
    QStringList list;
    for (const Finding &finding : result.findings)
        list.append(finding.message);
    return list;
}

// A page whose structure is sound, around body.
QString page(const QString &body)
{
    return u"<html>\r\n<head>\r\n<title>T</title>\r\n</head>\r\n<body>\r\n"_s + body
        + u"\r\n</body>\r\n</html>\r\n"_s;
}

QString readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestHtmlChecker : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY2(database().tagCount() > 50, qPrintable(database().error())); }

    void structure_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty")
            << QString()
            << QStringList { u"Document does not contain a <html> tag"_s,
                   u"Document does not contain a </html> tag"_s, u"Document does not contain a <head> tag"_s,
                   u"Document does not contain a </head> tag"_s, u"Document does not contain a <title> tag"_s,
                   u"Document does not contain a </title> tag"_s,
                   u"Cannot find either <body> or <frameset> tags between </head> and </html> tags."_s };
        QTest::newRow("short texts are compared as far as they go")
            << u"<ht"_s
            << QStringList { u"Document does not contain a <html> tag"_s,
                   u"Document does not contain a </html> tag"_s, u"Document does not contain a <head> tag"_s,
                   u"Document does not contain a </head> tag"_s, u"Document does not contain a <title> tag"_s,
                   u"Document does not contain a </title> tag"_s,
                   u"Cannot find either <body> or <frameset> tags between </head> and </html> tags."_s,
                   u"Unknown tag \"ht\" on line 1"_s };
        QTest::newRow("blank lines and mixed case")
            << u"\r\n\r\n  <HTML><head><title>x</title></head><body></body></html>\r\n\r\n"_s
            << QStringList {};
        QTest::newRow("html late and end early")
            << u"<p>x</p>\r\n<html><head><title>x</title></head><body></body></html>\r\n<p>y</p>"_s
            << QStringList { u"Document does not start with <html> tag. Tag was found on line 2"_s,
                   u"Document does not end with </html> tag. Tag was found on line 2"_s };
        QTest::newRow("end before start")
            << u"</html>\r\n<html><head><title>x</title></head><body></body>"_s
            << QStringList { u"Document does not start with <html> tag. Tag was found on line 2"_s,
                   u"Document does not end with </html> tag. Tag was found on line 1. This is before the opening <html> tag."_s,
                   u"<head> tag was found on line 2. This is outside the range between the <html> and </html> tags."_s,
                   u"</head> tag was found on line 2. This is outside the range between the <head> and </html> tags."_s,
                   u"Cannot find either <body> or <frameset> tags between </head> and </html> tags."_s };
        QTest::newRow("head longer names match")
            << u"<html><header><title>x</title></head><body></body></html>"_s << QStringList {};
        QTest::newRow("title outside head")
            << u"<html><head></head><title>x</title><body></body></html>"_s
            << QStringList {
                   u"<title> tag was found on line 1. This is outside the range between the <head> and </head> tags."_s,
                   u"</title> tag was found on line 1. This is outside the range between the <title> and </head> tags."_s
               };
        QTest::newRow("frameset without end")
            << u"<html><head><title>x</title></head><frameset></html>"_s
            << QStringList { u"Document does not contain a </frameset> tag"_s };
        QTest::newRow("no body between head and html")
            << u"<html><head><title>x</title></head></html><body></body>"_s
            << QStringList { u"Document does not end with </html> tag. Tag was found on line 1"_s,
                   u"Cannot find either <body> or <frameset> tags between </head> and </html> tags."_s };
    }
    void structure()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const Result result = check(text, database());
        QCOMPARE(messages(result), expected);
        for (const Finding &finding : result.findings)
            QVERIFY(finding.start >= 0 && finding.start + finding.length <= text.size());
    }

    void tags_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("version");
        QTest::newRow("comparison, comment and doctype")
            << u"a < b <!-- note --> <!DOCTYPE html>"_s << QStringList {} << u"2"_s;
        QTest::newRow("end tags looked up by name") << u"<p>x</p>"_s << QStringList {} << u"2"_s;
        QTest::newRow("unknown tag and attribute")
            << u"<blob>\r\n<p colour=red align=left>"_s
            << QStringList { u"Unknown tag \"blob\" on line 6"_s,
                   u"Unknown property \"colour\" of tag \"p\" on line 7"_s }
            << u"2"_s;
        QTest::newRow("missing >") << u"<p align=left\r\ntext <b>bold</b>"_s
                                   << QStringList { u"Tag \"p\" on line 6 does not have closing >."_s }
                                   << u"2"_s;
        QTest::newRow("name runs over a line break")
            << u"<td\r\nalign=left>"_s << QStringList { u"Unknown tag \"td\r\nalign=left\" on line 6"_s }
            << u"2"_s;
        QTest::newRow("quoted value with a space is one token")
            << u"<img src=\"a.gif\" alt=\"two words\" widht=3>"_s
            << QStringList { u"Unknown property \"widht\" of tag \"img\" on line 6"_s } << u"2"_s;
        QTest::newRow("versions rise and 4+ pins")
            << u"<font size=2><marquee>x</marquee><td>"_s << QStringList {} << u"4+"_s;
        QTest::newRow("version only rises") << u"<font size=2><b>x</b>"_s << QStringList {} << u"3.2"_s;
        QTest::newRow("crafted names are plain values")
            << u"<a'b> <x' OR '1'='1>"_s
            << QStringList { u"Unknown tag \"a'b\" on line 6"_s, u"Unknown tag \"x'\" on line 6"_s }
            << u"2"_s;
        QTest::newRow("empty tokens are skipped") << u"<p  align=left >"_s << QStringList {} << u"2"_s;
    }
    void tags()
    {
        QFETCH(QString, body);
        QFETCH(QStringList, expected);
        QFETCH(QString, version);
        const QString text = page(body);
        const Result result = check(text, database());
        QCOMPARE(messages(result), expected);
        QCOMPARE(result.minimumVersion, version);
    }

    void locationsAndEdges()
    {
        // The span of a finding is the text it names.
        const QString text = page(u"<p colour=red>"_s);
        const Result result = check(text, database());
        QCOMPARE(result.findings.size(), 1);
        QCOMPARE(text.mid(result.findings[0].start, result.findings[0].length), u"colour"_s);

        // A tag without ">" at the very end ends the scan cleanly and says so.
        const QString open = u"<html><head><title>x</title></head><body></body></html><p"_s;
        const QStringList found = messages(check(open, database()));
        QCOMPARE(found.last(), u"Tag \"p\" on line 1 does not have closing >."_s);
        QCOMPARE(messages(check(u"<"_s, database())).last(), u"Unknown tag \"\" on line 1"_s);

        // The scan stops once more than 100 entries are listed.
        QString many;
        for (int i = 0; i < 300; ++i)
            many += u"<zz>"_s;
        const Result limited = check(page(many), database());
        QCOMPARE(limited.findings.size(), findingLimit + 1);

        // A tag that adds several entries at once may take the list past 101.
        QString wide;
        for (int i = 0; i < 99; ++i)
            wide += u"<zz>"_s;
        wide += u"<p q=1 r=2 s=3>"_s;
        QCOMPARE(check(page(wide), database()).findings.size(), 102);
    }

    void progressAndSummary()
    {
        const QString text = page(u"<p>a</p><b>c</b>"_s);
        QList<int> positions;
        int structureSteps = 0;
        check(text, database(), [&](Phase phase, int position, const QList<Finding> &) {
            if (phase == Phase::Structure)
                ++structureSteps;
            else
                positions.append(position);
        });
        QCOMPARE(structureSteps, 7);
        QCOMPARE(positions.size(), text.count(u'<'));
        QVERIFY(std::is_sorted(positions.begin(), positions.end()));
        QCOMPARE(summary(0), u"Finished checking HTML. No problems were found."_s);
        QCOMPARE(summary(7), u"Finished checking HTML. 7 problems were found."_s);
    }

    // A real page with known faults gives a fixed list; TAGLOOM_WRITE_REFERENCE=1 rewrites the list.
    void golden()
    {
        const QString folder = QStringLiteral(TAGLOOM_TEST_DATA "/tools/checker/");
        const QString input = SourceBuffer::normalizeLineBreaks(readFile(folder + u"input.html"_s));
        QVERIFY(input.size() > 5000);
        const Result result = check(input, database());
        QString listed;
        for (const Finding &finding : result.findings) {
            listed += finding.message + u" @"_s + QString::number(finding.start) + u'+'
                + QString::number(finding.length) + u'\n';
        }
        listed += u"Minimum HTML Version: "_s + result.minimumVersion + u'\n'
            + summary(int(result.findings.size())) + u'\n';
        if (qEnvironmentVariableIsSet("TAGLOOM_WRITE_REFERENCE")) {
            QFile out(folder + u"reference.txt"_s);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(listed.toUtf8());
        }
        QCOMPARE(listed, readFile(folder + u"reference.txt"_s));
    }
};

QTEST_GUILESS_MAIN(TestHtmlChecker)
#include "tst_htmlchecker.moc"
