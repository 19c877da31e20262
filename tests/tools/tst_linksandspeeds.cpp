// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/downloadspeeds.h"
#include "tools/linkanalyser.h"
#include "tools/textimport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, qint64 size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(size, 'x'));
}

QStringList states(const LinkAnalyser::Report &report)
{
    QStringList list;
    for (const LinkAnalyser::Link &link : report.links)
        list.append(link.address + u'=' + QString::number(int(link.state)));
    return list;
}

} // namespace

class TestLinksAndSpeeds : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linkAnalyser()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(u"faq.htm"_s), 10);
        writeFile(dir.filePath(u"sub/a.htm"_s), 10);
        const QString page = dir.filePath(u"index.htm"_s);
        const QString text
            = u"<html><body>\r\n<a name=\"top\">Top</a> <A NAME=\"section2\">\r\n"
              u"<a href=\"faq.htm\">1</a> <a href=\"faq.htm#q1\">2</a> <a href=\"sub/a.htm?x=1\">3</a>\r\n"
              u"<a href=\"missing.htm\">4</a> <a href=\"#top\">5</a> <a href=\"#section\">6</a>\r\n"
              u"<a href=\"#nowhere\">7</a> <a href=\"http://example.org/a/b.htm\">8</a>\r\n"
              u"<a href=\"mailto:bob@example.org\">9</a> <a target=x href=\"sub\\a.htm\">10</a>\r\n"
              u"<area href=\"faq.htm\"> <shape href=\"nothing.htm\"> <a href=\"/etc/hostname-none\">11</a>\r\n"
              u"</body></html>"_s;
        const LinkAnalyser::Report report = LinkAnalyser::analyse(text, page);
        QCOMPARE(states(report),
            QStringList({ u"faq.htm=0"_s, u"faq.htm#q1=0"_s, u"sub/a.htm?x=1=0"_s, u"missing.htm=1"_s,
                u"#top=0"_s, u"#section=0"_s, u"#nowhere=1"_s, u"http://example.org/a/b.htm=2"_s,
                u"mailto:bob@example.org=2"_s, u"sub\\a.htm=0"_s, u"/etc/hostname-none=1"_s,
                u"nothing.htm=1"_s }));
        QCOMPARE(report.total, 12);
        QCOMPARE(report.ok, 6);
        QCOMPARE(report.broken, 4);
        QCOMPARE(report.external, 2);
        QCOMPARE(report.links[7].fileName, u"b.htm"_s);
        QCOMPARE(report.links[7].location, u"http://example.org/a/"_s);
        QCOMPARE(report.links[8].location, u"mailto:"_s);
        QCOMPARE(LinkAnalyser::openableAddress(report.links[8]), u"mailto:bob@example.org"_s);
        QCOMPARE(LinkAnalyser::openableAddress(report.links[7]), u"http://example.org/a/b.htm"_s);
        QCOMPARE(LinkAnalyser::openableAddress({ u"file:///etc/passwd"_s, u"passwd"_s, u"file:///etc/"_s }),
            QString());
        QCOMPARE(
            LinkAnalyser::openableAddress({ u"javascript:x()"_s, u"x()"_s, u"javascript:"_s }), QString());

        // A page never saved finds none of its relative files; nor does the working folder stand in.
        QCOMPARE(LinkAnalyser::analyse(u"<a href=\"faq.htm\">"_s, QString()).broken, 1);

        QCOMPARE(LinkAnalyser::totalText(1), u"This document contains a total of 1 link."_s);
        QCOMPARE(LinkAnalyser::totalText(3), u"This document contains a total of 3 links."_s);
        QCOMPARE(LinkAnalyser::okText(2), u"2 of these links are OK."_s);
        QCOMPARE(LinkAnalyser::brokenText(0), u"0 of these links are broken."_s);
        QCOMPARE(LinkAnalyser::externalText(4), u"4 of these links are external (uncheckable)."_s);
    }

    void linkAnalyserEndsCleanly()
    {
        // A tag without ">" or a link without its closing quote ends the scan without a row.
        QCOMPARE(LinkAnalyser::analyse(u"<a href=\"x.htm\">ok</a> <a href=\"y.htm"_s, QString()).total, 1);
        QCOMPARE(LinkAnalyser::analyse(u"<a href=\"#a>x"_s, QString()).total, 0);
        QCOMPARE(LinkAnalyser::analyse(u"<a "_s, QString()).total, 0);
        // A named anchor at the very start of the text is not found, as before.
        QCOMPARE(LinkAnalyser::analyse(u"<a name=\"x\"><a href=\"#x\">"_s, QString()).broken, 1);
    }

    void downloadSpeeds()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(u"images/pic.gif"_s), 10240);
        const QString page = dir.filePath(u"page.htm"_s);
        QString text
            = u"<html><body><img src=\"images/pic.gif\"><IMG SRC=\"images/pic.gif\"> <img src=\"none.gif\">"_s;
        text += QString(2048 - text.size() - 14, u'x') + u"</body></html>"_s;
        QCOMPARE(text.size(), 2048);
        const DownloadSpeeds::Estimate estimate = DownloadSpeeds::estimate(text, page);
        QCOMPARE(estimate.files.size(), 1);
        QCOMPARE(estimate.files[0].fileName, u"pic.gif"_s);
        QCOMPARE(estimate.files[0].location, dir.filePath(u"images/"_s));
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(DownloadSpeeds::formatKb(estimate.pageKb, english), u"2.00 KB"_s);
        QCOMPARE(DownloadSpeeds::formatKb(double(estimate.relatedKb), english), u"10.00 KB"_s);
        QCOMPARE(DownloadSpeeds::formatKb(double(estimate.totalKb), english), u"12.00 KB"_s);
        QCOMPARE(DownloadSpeeds::formatSeconds(estimate.seconds[0], english), u"6.7 s"_s);
        QCOMPARE(DownloadSpeeds::formatSeconds(estimate.seconds[4], english), u"0.8 s"_s);
        QCOMPARE(DownloadSpeeds::formatKb(1234567.891, english), u"1,234,567.89 KB"_s);

        // Related files under 1 KB together count nothing; a page never saved finds no relative picture.
        writeFile(dir.filePath(u"small.gif"_s), 700);
        QCOMPARE(DownloadSpeeds::estimate(u"<img src=\"small.gif\">"_s, page).relatedKb, 0);
        QCOMPARE(DownloadSpeeds::estimate(u"<img src=\"small.gif\">"_s, QString()).files.size(), 0);
    }

    void frames()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath(u"a.gif"_s), 2048);
        writeFile(dir.filePath(u"b.gif"_s), 4096);
        writeFile(dir.filePath(u"pages/c.gif"_s), 1024);
        auto writeText = [&](const QString &name, const QString &text) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        };
        writeText(u"left.htm"_s, u"<img src=\"a.gif\"><img src=\"b.gif\">"_s);
        // The right frame shows itself again and a picture beside it: each page is scanned once.
        writeText(u"pages/right.htm"_s,
            u"<img src=\"c.gif\"><frameset><frame src=\"right.htm\"><frame src=\"../left.htm\"></frameset>"_s);
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(u"pipe.htm"_s)).constData(), 0600) == 0);
        const QString frameset
            = u"<frameset cols=\"50%,50%\"><frame src=\"left.htm\"><FRAME SRC=\"pages/right.htm\">"
              u"<frame src=\"/dev/zero\"><frame src=\"pipe.htm\"><frame src=\"pages\"></frameset>"_s;
        const DownloadSpeeds::Estimate estimate
            = DownloadSpeeds::estimate(frameset, dir.filePath(u"index.htm"_s));
        QStringList names;
        for (const DownloadSpeeds::File &file : estimate.files)
            names.append(file.fileName);
        QCOMPARE(names, QStringList({ u"left.htm"_s, u"a.gif"_s, u"b.gif"_s, u"right.htm"_s, u"c.gif"_s }));
        const qint64 bytes = QFileInfo(dir.filePath(u"left.htm"_s)).size()
            + QFileInfo(dir.filePath(u"pages/right.htm"_s)).size() + 2048 + 4096 + 1024;
        QCOMPARE(estimate.relatedKb, bytes / 1024);
    }

    void textConversion()
    {
        QCOMPARE(TextImport::convertedPage(u"a\r\nb\r\n"_s, u"notes.txt"_s, true, false),
            u"<HTML>\r\n<HEAD>\r\n<TITLE>notes.txt</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=#FFFFFF>\r\na<BR>\r\nb<BR>\r\n"
            u"</BODY>\r\n</HTML>"_s);
        QCOMPARE(TextImport::convertedPage(u"x < y & z"_s, u"n.txt"_s, false, true),
            u"<html>\r\n<head>\r\n<title>n.txt</title>\r\n</head>\r\n<body bgcolor=\"white\">\r\nx < y & z<br>\r\n"
            u"</body>\r\n</html>"_s);
        const QString pre = TextImport::preformatted(u"one\r\ntwo"_s, true);
        QCOMPARE(pre, u"<PRE>\r\none\r\ntwo\r\n\r\n</PRE>"_s);
        QCOMPARE(pre.size(), 10 + 15);
        QCOMPARE(TextImport::preformatted(QString(), false), u"<pre>\r\n\r\n</pre>"_s);
    }
};

QTEST_GUILESS_MAIN(TestLinksAndSpeeds)
#include "tst_linksandspeeds.moc"
