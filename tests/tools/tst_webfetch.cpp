// SPDX-License-Identifier: GPL-3.0-or-later
#include "httptestserver.h"
#include "tools/webfetch.h"

#include <QElapsedTimer>
#include <QTest>

#include <future>

using namespace Qt::StringLiterals;

namespace {

// Runs the fetch on another thread while this one serves the test server.
WebFetch::Result fetchServed(const QString &address, std::atomic<bool> &cancel, int cancelAfterMs = -1)
{
    auto future = std::async(std::launch::async, [&] { return WebFetch::fetch(address, cancel); });
    QElapsedTimer clock;
    clock.start();
    while (future.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (cancelAfterMs >= 0 && clock.elapsed() > cancelAfterMs)
            cancel = true;
    }
    return future.get();
}

WebFetch::Result fetchServed(const QString &address)
{
    std::atomic<bool> cancel = false;
    return fetchServed(address, cancel);
}

} // namespace

class TestWebFetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requestAddress()
    {
        QString error;
        QCOMPARE(WebFetch::requestAddress(u"example.org/a.htm"_s, &error), u"http://example.org/a.htm"_s);
        QCOMPARE(WebFetch::requestAddress(u"HTTP://example.org/"_s, &error), u"HTTP://example.org/"_s);
        QCOMPARE(WebFetch::requestAddress(u"https://example.org"_s, &error), u"https://example.org"_s);
        QVERIFY(!WebFetch::requestAddress(u"ftp://example.org/a.htm"_s, &error));
        QCOMPARE(error, u"Only http:// and https:// addresses can be opened"_s);
        QVERIFY(!WebFetch::requestAddress(u"file:///etc/passwd"_s, &error));
        QVERIFY(!WebFetch::requestAddress(u"http://"_s, &error));
        QCOMPARE(WebFetch::requestAddress(u" x "_s, &error), u"http://x"_s);
    }

    void requestAndBody()
    {
        HttpTestServer server;
        QVERIFY(server.listening());
        server.answer("200 OK", "<html><body>\xe9t\xe9</body></html>", "Content-Type: text/html\r\n");
        const WebFetch::Result result = fetchServed(server.address(u"/dir/page.htm"_s));
        QVERIFY2(result.ok, qPrintable(result.status));
        QCOMPARE(server.requests().size(), 1);
        const QList<QByteArray> lines = server.requests()[0].split('\n');
        QCOMPARE(lines[0].trimmed(), QByteArray("GET /dir/page.htm HTTP/1.0"));
        QList<QByteArray> headers;
        for (const QByteArray &line : lines.mid(1)) {
            if (!line.trimmed().isEmpty())
                headers.append(line.trimmed());
        }
        QCOMPARE(headers,
            QList<QByteArray>({ "Host: 127.0.0.1:" + QByteArray::number(server.port()),
                "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff",
                "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript",
                "Referer: Tagloom 99", "Content-type: application/x-www-form-urlencoded" }));
        // Not UTF-8, and no charset named: Windows-1252, as a file from disk.
        QCOMPARE(WebFetch::decodeBody(result.body, result.contentType),
            u"<html><body>\u00e9t\u00e9</body></html>"_s);

        server.answer("200 OK", "a\nb", "Content-Type: text/html; charset=UTF-8\r\n");
        const WebFetch::Result utf8 = fetchServed(server.address(QString()));
        QVERIFY(utf8.ok);
        QCOMPARE(server.requests().last().left(16), QByteArray("GET / HTTP/1.0\r\n"));
        QCOMPARE(WebFetch::decodeBody(utf8.body, utf8.contentType), u"a\r\nb"_s);
        QCOMPARE(WebFetch::decodeBody("\xc3\xa9", u"text/html; charset=\"utf-8\""_s), u"\u00e9"_s);
    }

    void failures()
    {
        HttpTestServer server;
        server.answer("404 Not Found", "<html>gone</html>");
        const WebFetch::Result missing = fetchServed(server.address(u"/none.htm"_s));
        QVERIFY(!missing.ok);
        QCOMPARE(missing.httpStatus, 404);
        QCOMPARE(missing.status, u"Unable to download file: the server answered 404 Not Found"_s);
        QVERIFY(missing.body.isEmpty());

        // Larger than 50 MB by what the server says: refused before it is read.
        server.answer("200 OK", QByteArray());
        HttpTestServer big;
        big.answer("200 OK", "x", "Content-Length: 60000000\r\n");
        const WebFetch::Result tooLarge = fetchServed(big.address(u"/big"_s));
        QVERIFY(!tooLarge.ok);
        QCOMPARE(tooLarge.status, u"Unable to download file: it is larger than 50 MB"_s);

        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        const WebFetch::Result refused = fetchServed(u"http://127.0.0.1:%1/"_s.arg(closedPort));
        QVERIFY(!refused.ok);
        QCOMPARE(refused.status, u"Unable to connect"_s);
    }

    void silenceAndCancel()
    {
        HttpTestServer server;
        server.setMode(HttpTestServer::Mode::Silent);
        QElapsedTimer clock;
        clock.start();
        const WebFetch::Result silent = fetchServed(server.address(u"/"_s));
        QVERIFY(!silent.ok);
        QCOMPARE(silent.status, u"Unable to download file: the server did not answer within 5 seconds"_s);
        QVERIFY(clock.elapsed() < 30000);

        server.setMode(HttpTestServer::Mode::Slow);
        std::atomic<bool> cancel = false;
        const WebFetch::Result cancelled = fetchServed(server.address(u"/slow"_s), cancel, 600);
        QVERIFY(cancelled.cancelled);
        QVERIFY(!cancelled.ok);
    }
};

QTEST_GUILESS_MAIN(TestWebFetch)
#include "tst_webfetch.moc"
