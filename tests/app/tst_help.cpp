// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/helpcommands.h"
#include "app/ui/helpform.h"
#include "formwindow.h"

#include <QTextBrowser>

class TestHelp : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void contentsAndIndexOpenTheManual();
    void withoutAManualTheBrowserIsUsed();
};

void TestHelp::contentsAndIndexOpenTheManual()
{
    FormWindow w;
    HelpCommands &help = w.form->commands().help;
    QList<QUrl> external;
    help.setOpenExternal([&](const QUrl &url) {
        external.append(url);
        return true;
    });
    QVERIFY(!help.helpForm());
    w.action("Contents1")->trigger();
    THelpForm *form = help.helpForm();
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QTextBrowser *browser = form->browser();
    QVERIFY(browser->source().toLocalFile().endsWith(u"/manual/index.html"_qs));
    QCOMPARE(browser->documentTitle(), u"Tagloom 99 user manual"_qs);
    QVERIFY(browser->toPlainText().contains(u"Keyboard shortcuts"_qs));
    QVERIFY(form->windowTitle().contains(u"Tagloom 99 user manual"_qs));

    // A page of the manual opens in the window; the web goes to the browser.
    Q_EMIT browser->anchorClicked(QUrl(u"plugins.html#header"_qs));
    QVERIFY(browser->source().toLocalFile().endsWith(u"/manual/plugins.html"_qs));
    QVERIFY(browser->toPlainText().contains(u"GetInfo"_qs));
    Q_EMIT browser->anchorClicked(QUrl(u"https://tagloom.example/"_qs));
    QCOMPARE(external, QList<QUrl> { QUrl(u"https://tagloom.example/"_qs) });
    QVERIFY(browser->source().toLocalFile().endsWith(u"/manual/plugins.html"_qs));

    // Search opens the index in the same window.
    w.action("SearchforHelpOn1")->trigger();
    QCOMPARE(help.helpForm(), form);
    QVERIFY(browser->source().toLocalFile().endsWith(u"/manual/search.html"_qs));
    QCOMPARE(browser->documentTitle(), u"Index"_qs);
    QVERIFY(w.prompter.asked().isEmpty());

    // Every link of the manual's pages leads to a page that is there.
    const QDir manual(QFileInfo(browser->source().toLocalFile()).absolutePath());
    const QRegularExpression link(u"href=\"([^\"#:]+)"_qs);
    for (const QString &page : manual.entryList({ u"*.html"_qs })) {
        const QString html = QString::fromUtf8(TestEnvironment::readFile(manual.filePath(page)));
        for (const QRegularExpressionMatch &m : link.globalMatch(html))
            QVERIFY2(
                QFileInfo::exists(manual.filePath(m.captured(1))), qPrintable(page + u' ' + m.captured(1)));
    }
}

void TestHelp::withoutAManualTheBrowserIsUsed()
{
    FormWindow w;
    HelpCommands &help = w.form->commands().help;
    TestEnvironment empty;
    const QByteArray home = qgetenv("TAGLOOM_HOME");
    qputenv("TAGLOOM_HOME", empty.path(u"."_qs).toLocal8Bit());
    QList<QUrl> external;
    bool browserStarts = true;
    help.setOpenExternal([&](const QUrl &url) {
        external.append(url);
        return browserStarts;
    });
    w.action("Contents1")->trigger();
    QCOMPARE(external, QList<QUrl> { QUrl(u"https://tagloom.example/manual/index.html"_qs) });
    QVERIFY(!help.helpForm());
    QVERIFY(w.prompter.asked().isEmpty());

    // No browser either: the user is told, not left wondering.
    browserStarts = false;
    w.action("SearchforHelpOn1")->trigger();
    qputenv("TAGLOOM_HOME", home);
    QCOMPARE(external.size(), 2);
    QCOMPARE(external.last(), QUrl(u"https://tagloom.example/manual/search.html"_qs));
    QCOMPARE(w.prompter.asked().size(), 1);
    QVERIFY(w.prompter.asked().constFirst().text.contains(u"manual/search.html"_qs));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
