// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftptestserver.h"
#include "site/ftpupload.h"
#include "testenvironment.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(19);
    for (char &c : bytes)
        c = char(generator.bounded(256));
    return bytes;
}

// Runs an upload to the server on the test's thread and keeps its log.
struct Upload
{
    FtpResult result;
    QStringList log;
};

Upload upload(int port, const QString &path, const QStringList &entries, FtpMode mode, const QString &root,
    const QString &password = QLatin1String(FtpTestServer::password))
{
    FtpSettings settings;
    settings.hostName = QStringLiteral("127.0.0.1");
    settings.port = QString::number(port);
    settings.path = path;
    settings.userName = QLatin1String(FtpTestServer::user);
    settings.password = password;
    Upload done;
    FtpUploadJob job(settings, entries, mode, root);
    QObject::connect(&job, &FtpUploadJob::logLine, [&done](const QString &line) { done.log.append(line); });
    job.run();
    done.result = job.result();
    return done;
}

// The index of the first log line from `from` on that starts with prefix; -1 when none does.
qsizetype lineStarting(const QStringList &log, const QString &prefix, qsizetype from = 0)
{
    for (qsizetype i = from; i < log.size(); ++i) {
        if (log.at(i).startsWith(prefix))
            return i;
    }
    return -1;
}

} // namespace

class TestFtpUpload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void planRules();
    void siteModeSendsEachFileInItsModeAndCreatesFolders();
    void emptyPathKeepsLaterFilesInTheirFolders();
    void singleFileModeSendsUnderTheFileName();
    void refusedConnectionAndBadPasswordSendNothing();
    void failuresAreReportedNeverSuccess();
    void cancelStopsALargeUpload();
};

void TestFtpUpload::planRules()
{
    QCOMPARE(FtpPlan::remotePath(QStringLiteral("www"), QStringLiteral("news/today.htm"), FtpMode::Site),
        QStringLiteral("/www/news/today.htm"));
    QCOMPARE(FtpPlan::remotePath(QStringLiteral("www/"), QStringLiteral("news\\today.htm"), FtpMode::Site),
        QStringLiteral("/www/news/today.htm"));
    QCOMPARE(FtpPlan::remotePath(QString(), QStringLiteral("news/today.htm"), FtpMode::Site),
        QStringLiteral("news/today.htm"));
    QCOMPARE(
        FtpPlan::remotePath(QStringLiteral("www"), QStringLiteral("/home/a/page.html"), FtpMode::SingleFile),
        QStringLiteral("/www/page.html"));
    QVERIFY(FtpPlan::isAscii(QStringLiteral("a/B.HTM")));
    QVERIFY(FtpPlan::isAscii(QStringLiteral("x.Css")));
    QVERIFY(FtpPlan::isAscii(QStringLiteral("x.html")));
    QVERIFY(!FtpPlan::isAscii(QStringLiteral("logo.gif")));
    QVERIFY(!FtpPlan::isAscii(QStringLiteral("page.shtml")));

    const FtpPlan::Retry up = FtpPlan::retryOf(QStringLiteral("../../shared/css/x.css"), FtpMode::Site);
    QCOMPARE(up.ups, 2);
    QCOMPARE(up.folders, QStringList({ u"shared"_s, u"css"_s }));
    QCOMPARE(
        FtpPlan::retryOf(QStringLiteral("news/today.htm"), FtpMode::Site).folders, QStringList { u"news"_s });
    QCOMPARE(FtpPlan::retryOf(QStringLiteral("index.htm"), FtpMode::Site).folders, QStringList());
    QCOMPARE(
        FtpPlan::retryOf(QStringLiteral("/home/a/b/page.htm"), FtpMode::SingleFile).folders, QStringList());

    QCOMPARE(FtpPlan::maskedLine(QStringLiteral("PASS hunter2")), QStringLiteral("PASS ****"));
    QCOMPARE(FtpPlan::maskedLine(QStringLiteral("USER bob")), QStringLiteral("USER bob"));

    // Only regular files are offered: a folder that happens to bear a node's name is not.
    TestEnvironment env;
    const QString root = env.path(QStringLiteral("site")) + u'/';
    QDir().mkpath(root + u"News"_s);
    env.writeFile(QStringLiteral("site/index.htm"), "x");
    env.writeFile(QStringLiteral("site/logo.gif"), "x");
    std::unique_ptr<SiteNode> tree = Site::initialTree();
    tree->setText(root);
    SiteNode *pages = Site::section(*tree, SiteSection::WebPages);
    pages->addChild(QStringLiteral("index.htm"), SiteIcon::Page);
    pages->addChild(QStringLiteral("News"), SiteIcon::Folder);
    pages->addChild(QStringLiteral("gone.htm"), SiteIcon::Page);
    Site::section(*tree, SiteSection::Images)->addChild(QStringLiteral("logo.gif"), SiteIcon::Gif);
    QCOMPARE(FtpPlan::siteFiles(*tree), QStringList({ u"index.htm"_s, u"logo.gif"_s }));
}

void TestFtpUpload::siteModeSendsEachFileInItsModeAndCreatesFolders()
{
    FtpTestServer server;
    QVERIFY2(server.port() > 0, "the FTP test server did not start");
    TestEnvironment env;
    const QString root = env.path(QStringLiteral("site")) + u'/';
    // Text files with single line feeds, which ASCII mode stores unchanged on this server's system.
    const QByteArray page = "<html>\n<p>Today</p>\n</html>\n";
    const QByteArray gif = "GIF89a\r\n\x00\x01\r\n" + randomBytes(70000);
    const QByteArray css = "p { color: red }\n";
    env.writeFile(QStringLiteral("site/news/today.htm"), page);
    env.writeFile(QStringLiteral("site/images/logo.gif"), gif);
    env.writeFile(QStringLiteral("shared/x.css"), css);

    const Upload done = upload(server.port(), QStringLiteral("www"),
        { u"news/today.htm"_s, u"images/logo.gif"_s, u"../shared/x.css"_s }, FtpMode::Site, root);
    if (!done.result.failed.isEmpty())
        qWarning().noquote() << done.log.join(u'\n');
    QVERIFY(done.result.failed.isEmpty());
    QCOMPARE(
        done.result.sent, QStringList({ u"news/today.htm"_s, u"images/logo.gif"_s, u"../shared/x.css"_s }));
    QVERIFY(done.result.failed.isEmpty());
    QCOMPARE(server.bytes(u"www/news/today.htm"_s), page);
    QCOMPARE(server.bytes(u"www/images/logo.gif"_s), gif);
    QCOMPARE(server.bytes(u"shared/x.css"_s), css);

    const QStringList &log = done.log;
    const qsizetype storePage = lineStarting(log, QStringLiteral("STOR /www/news/today.htm"));
    QVERIFY2(storePage > 0, qPrintable(log.join(u'\n')));
    QVERIFY(lineStarting(log, QStringLiteral("TYPE A")) < storePage);
    const qsizetype storeGif = lineStarting(log, QStringLiteral("STOR /www/images/logo.gif"), storePage + 1);
    QVERIFY(storeGif > storePage);
    QVERIFY(lineStarting(log, QStringLiteral("TYPE I"), storePage) < storeGif);
    // The missing folders were made from the base folder, ".." going up from it first.
    const qsizetype cwdBase = lineStarting(log, QStringLiteral("CWD /www"));
    QVERIFY(cwdBase > 0);
    const qsizetype cdup = lineStarting(log, QStringLiteral("CDUP"), cwdBase);
    const qsizetype mkdShared = lineStarting(log, QStringLiteral("MKD shared"), cwdBase);
    QVERIFY(cdup > cwdBase && mkdShared > cdup);
    QVERIFY(lineStarting(log, QStringLiteral("MKD news")) > 0);
    // Replies reach the log as well as commands, and the password never does.
    QVERIFY(lineStarting(log, QStringLiteral("230")) > 0);
    QVERIFY(log.contains(QStringLiteral("PASS ****")));
    QVERIFY(!log.join(u'\n').contains(QLatin1String(FtpTestServer::password)));
    QVERIFY(lineStarting(log, QStringLiteral("QUIT")) > storeGif);
}

void TestFtpUpload::emptyPathKeepsLaterFilesInTheirFolders()
{
    FtpTestServer server;
    QVERIFY2(server.port() > 0, "the FTP test server did not start");
    TestEnvironment env;
    const QString root = env.path(QStringLiteral("site")) + u'/';
    env.writeFile(QStringLiteral("site/news/today.htm"), "today");
    env.writeFile(QStringLiteral("site/sub/deep/a.gif"), "gif");
    env.writeFile(QStringLiteral("site/top.htm"), "top");
    env.writeFile(QStringLiteral("site/news/more.htm"), "more");

    const Upload done = upload(server.port(), QString(),
        { u"news/today.htm"_s, u"sub/deep/a.gif"_s, u"top.htm"_s, u"news/more.htm"_s }, FtpMode::Site, root);
    QCOMPARE(done.result.sent.size(), 4);
    QCOMPARE(server.bytes(u"news/today.htm"_s), QByteArray("today"));
    QCOMPARE(server.bytes(u"sub/deep/a.gif"_s), QByteArray("gif"));
    QCOMPARE(server.bytes(u"top.htm"_s), QByteArray("top"));
    QCOMPARE(server.bytes(u"news/more.htm"_s), QByteArray("more"));
    QVERIFY(!QFileInfo::exists(server.file(u"news/news"_s)));
    QVERIFY(!QFileInfo::exists(server.file(u"sub/deep/top.htm"_s)));
    // The retry starts at the root folder, and goes back there before the second Put.
    const qsizetype mkd = lineStarting(done.log, QStringLiteral("MKD news"));
    QVERIFY(mkd > 0);
    QCOMPARE(lineStarting(done.log, QStringLiteral("CWD /")), mkd - 2);
    QVERIFY(done.log.indexOf(QStringLiteral("CWD /"), mkd) > mkd);
}

void TestFtpUpload::singleFileModeSendsUnderTheFileName()
{
    FtpTestServer server;
    QVERIFY2(server.port() > 0, "the FTP test server did not start");
    QDir().mkpath(server.file(u"www"_s));
    TestEnvironment env;
    const QString file = env.writeFile(QStringLiteral("deep/folder/page.html"), "<p>page</p>");
    const Upload done
        = upload(server.port(), QStringLiteral("www"), { file }, FtpMode::SingleFile, QString());
    QCOMPARE(done.result.sent, QStringList { file });
    QCOMPARE(server.bytes(u"www/page.html"_s), QByteArray("<p>page</p>"));

    // A Path folder that does not exist yet is made from the root folder, not inside the wrong one.
    const Upload missing = upload(server.port(), u"new/place"_s, { file }, FtpMode::SingleFile, QString());
    QCOMPARE(missing.result.sent, QStringList { file });
    QCOMPARE(server.bytes(u"new/place/page.html"_s), QByteArray("<p>page</p>"));
}

void TestFtpUpload::refusedConnectionAndBadPasswordSendNothing()
{
    TestEnvironment env;
    const QString root = env.path(QStringLiteral("site")) + u'/';
    env.writeFile(QStringLiteral("site/a.htm"), "a");
    int closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    const Upload refused = upload(closedPort, QString(), { u"a.htm"_s }, FtpMode::Site, root);
    QVERIFY(!refused.result.connected);
    QVERIFY(!refused.result.connectError.isEmpty());
    QCOMPARE(refused.result.failed.size(), 1);

    FtpTestServer server;
    QVERIFY2(server.port() > 0, "the FTP test server did not start");
    const Upload denied
        = upload(server.port(), QString(), { u"a.htm"_s }, FtpMode::Site, root, QStringLiteral("wrong"));
    QVERIFY(!denied.result.connected);
    QVERIFY(lineStarting(denied.log, QStringLiteral("530")) > 0);
    QVERIFY(denied.log.contains(QStringLiteral("PASS ****")));
    QVERIFY(!denied.log.join(u'\n').contains(QStringLiteral("wrong")));
    QVERIFY(!QFileInfo::exists(server.file(u"a.htm"_s)));
}

void TestFtpUpload::failuresAreReportedNeverSuccess()
{
    TestEnvironment env;
    const QString root = env.path(QStringLiteral("site")) + u'/';
    const QByteArray big = randomBytes(2 * 1024 * 1024);
    env.writeFile(QStringLiteral("site/big.gif"), big);
    env.writeFile(QStringLiteral("site/small.htm"), "small");
    env.writeFile(QStringLiteral("site/locked/a.htm"), "locked");
    {
        // The server cuts every upload off after 64 KB, control connection and all.
        FtpTestServer server({ QStringLiteral("--drop-after"), QStringLiteral("65536") });
        QVERIFY2(server.port() > 0, "the FTP test server did not start");
        const Upload done
            = upload(server.port(), QString(), { u"big.gif"_s, u"small.htm"_s }, FtpMode::Site, root);
        QVERIFY(done.result.connected);
        QCOMPARE(done.result.failed.size(), 1);
        QCOMPARE(done.result.failed.at(0).first, QStringLiteral("big.gif"));
        // The next file goes on a new connection.
        QCOMPARE(done.result.sent, QStringList { u"small.htm"_s });
        QCOMPARE(server.bytes(u"small.htm"_s), QByteArray("small"));
        QVERIFY(ftpFailureMessage(done.result)
                    .startsWith(QStringLiteral("1 of 2 files could not be sent:\nbig.gif (")));
    }
    {
        FtpTestServer server({ QStringLiteral("--readonly"), QStringLiteral("locked") });
        QVERIFY2(server.port() > 0, "the FTP test server did not start");
        const Upload done = upload(server.port(), QString(),
            { u"locked/a.htm"_s, u"small.htm"_s, u"missing.htm"_s }, FtpMode::Site, root);
        QCOMPARE(done.result.sent, QStringList { u"small.htm"_s });
        QCOMPARE(done.result.failed.size(), 2);
        QCOMPARE(done.result.failed.at(0).first, QStringLiteral("locked/a.htm"));
        QCOMPARE(done.result.failed.at(1).first, QStringLiteral("missing.htm"));
        QVERIFY(lineStarting(done.log, QStringLiteral("550")) > 0);
        QVERIFY(!QFileInfo::exists(server.file(u"locked/a.htm"_s)));
        QVERIFY(ftpFailureMessage(done.result).startsWith(QStringLiteral("2 of 3 files could not be sent:")));
    }
}

void TestFtpUpload::cancelStopsALargeUpload()
{
    FtpTestServer server({ QStringLiteral("--read-limit"), QStringLiteral("2000000") });
    QVERIFY2(server.port() > 0, "the FTP test server did not start");
    TestEnvironment env;
    const QString root = env.path(QStringLiteral("site")) + u'/';
    env.writeFile(QStringLiteral("site/movie.mpg"), randomBytes(20 * 1024 * 1024));
    env.writeFile(QStringLiteral("site/after.htm"), "after");
    FtpSettings settings;
    settings.hostName = QStringLiteral("127.0.0.1");
    settings.port = QString::number(server.port());
    settings.userName = QLatin1String(FtpTestServer::user);
    settings.password = QLatin1String(FtpTestServer::password);
    FtpUploadJob job(settings, { u"movie.mpg"_s, u"after.htm"_s }, FtpMode::Site, root);

    // The job runs on a worker thread, as in the dialog; Cancel comes from this one once bytes flow.
    QThread worker;
    job.moveToThread(&worker);
    std::atomic<qint64> sentSoFar { 0 };
    connect(
        &job, &FtpUploadJob::fileProgress, &job, [&](qint64 sent, qint64) { sentSoFar = sent; },
        Qt::DirectConnection);
    bool finished = false;
    connect(&job, &FtpUploadJob::finished, this, [&] { finished = true; });
    connect(&worker, &QThread::started, &job, &FtpUploadJob::run);
    worker.start();
    QTRY_VERIFY_WITH_TIMEOUT(sentSoFar > 0, 15000);
    job.cancel();
    QTRY_VERIFY_WITH_TIMEOUT(finished, 15000);
    worker.quit();
    worker.wait();
    QVERIFY(job.result().cancelled);
    QVERIFY(job.result().sent.isEmpty());
    QVERIFY(QFileInfo(server.file(u"movie.mpg"_s)).size() < 20 * 1024 * 1024);
    QVERIFY(!QFileInfo::exists(server.file(u"after.htm"_s)));
    QCOMPARE(job.result().failed.size() + job.result().sent.size(), 2);
}

QTEST_GUILESS_MAIN(TestFtpUpload)
#include "tst_ftpupload.moc"
