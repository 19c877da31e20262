// SPDX-License-Identifier: GPL-3.0-or-later
// The plug-in host against the example plug-ins and against libraries that are no sound plug-ins.
#include "editor/plainbuffer.h"
#include "scriptedprompter.h"
#include "templates/pluginhost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Status = PluginHost::Result::Status;

namespace {

const QString brokenFolder = QStringLiteral(TAGLOOM_TEST_PLUGINS);

QString broken(const char *name)
{
    return brokenFolder + QStringLiteral("/broken_") + QLatin1String(name) + QStringLiteral(".so");
}

} // namespace

class TestPluginHost : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scanListsOnlyPlugins();
    void executeExamples();
    void executeSurvivesBrokenLibraries();
    void runFromTemplate();
};

void TestPluginHost::scanListsOnlyPlugins()
{
    QTemporaryDir addin;
    for (const QString &library : { QStringLiteral(TAGLOOM_UPPERTAGS), QStringLiteral(TAGLOOM_HEADINGLINKS),
             broken("noentry"), broken("crashing"), broken("nulltext") })
        QVERIFY(QFile::copy(library, addin.filePath(QFileInfo(library).fileName())));
    QFile text(addin.filePath(QStringLiteral("readme.so")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a library at all");
    text.close();
    QFile other(addin.filePath(QStringLiteral("notes.txt")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();

    const QList<PluginHost::Info> plugins = PluginHost::scan(addin.path());
    QStringList captions;
    for (const PluginHost::Info &plugin : plugins)
        captions.append(plugin.caption());
    // The crashing one and the ones that are no plug-ins are skipped; null texts read as empty.
    QCOMPARE(captions,
        QStringList({ QStringLiteral(" ver 2.5"), QStringLiteral("Heading Links ver 1.1"),
            QStringLiteral("Upper-Case Tag Names ver 1.0") }));
    const PluginHost::Info &upper = plugins.at(2);
    QCOMPARE(upper.path, addin.filePath(QStringLiteral("uppertags.so")));
    QCOMPARE(upper.hint(),
        upper.path + QStringLiteral("|Write the tag names of the selection (or the page) in capitals"));
    QVERIFY(PluginHost::scan(addin.filePath(QStringLiteral("missing"))).isEmpty());
}

void TestPluginHost::executeExamples()
{
    const QString upper = QStringLiteral(TAGLOOM_UPPERTAGS);
    PluginHost::Result result = PluginHost::execute(
        upper, QStringLiteral("<p>x</p>"), QStringLiteral("<a href=\"x\">é <!-- <b> --></a>"));
    QCOMPARE(result.status, Status::Ok);
    QVERIFY(result.replaceSelection);
    QCOMPARE(result.text, QStringLiteral("<A href=\"x\">é <!-- <b> --></A>"));
    result = PluginHost::execute(upper, QStringLiteral("<html>\r\n<body></body>"), QString());
    QCOMPARE(result.status, Status::Ok);
    QVERIFY(!result.replaceSelection);
    QCOMPARE(result.text, QStringLiteral("<HTML>\r\n<BODY></BODY>"));

    const QString page = QStringLiteral("<h1 id=\"top\">Tagloom <em>news</em></h1><p>x</p>\r\n"
                                        "<H2 class=a id='more'>More</H2><h3>no id</h3>");
    result = PluginHost::execute(QStringLiteral(TAGLOOM_HEADINGLINKS), page, QString());
    QCOMPARE(result.status, Status::Ok);
    QVERIFY(result.replaceSelection);
    QCOMPARE(result.text,
        QStringLiteral("<ul>\r\n<li><a href=\"#top\">Tagloom news</a></li>\r\n"
                       "<li><a href=\"#more\">More</a></li>\r\n</ul>\r\n"));
    // No heading with an id: an empty result.
    result = PluginHost::execute(QStringLiteral(TAGLOOM_HEADINGLINKS), QStringLiteral("<p>"), QString());
    QCOMPARE(result.status, Status::Ok);
    QVERIFY(result.text.isEmpty());
}

void TestPluginHost::executeSurvivesBrokenLibraries()
{
    QCOMPARE(PluginHost::execute(broken("noentry"), QString(), QString()).status, Status::NoEntryPoint);
    const PluginHost::Result crashed
        = PluginHost::execute(broken("crashing"), QStringLiteral("x"), QString());
    QCOMPARE(crashed.status, Status::Failed);
    QVERIFY(!crashed.error.isEmpty());
    const PluginHost::Result null
        = PluginHost::execute(broken("nulltext"), QStringLiteral("x"), QStringLiteral("y"));
    QCOMPARE(null.status, Status::Ok);
    QVERIFY(null.text.isEmpty());
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("fake.so")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("#!/bin/sh\n");
    text.close();
    QCOMPARE(PluginHost::execute(text.fileName(), QString(), QString()).status, Status::NotLoaded);
    QVERIFY(!PluginHost::info(broken("crashing")));
    QVERIFY(!PluginHost::info(broken("noentry")));
}

void TestPluginHost::runFromTemplate()
{
    QTemporaryDir addin;
    QVERIFY(QFile::copy(QStringLiteral(TAGLOOM_HEADINGLINKS), addin.filePath(QStringLiteral("links.so"))));
    QVERIFY(QFile::copy(broken("crashing"), addin.filePath(QStringLiteral("crash.so"))));
    ScriptedPrompter prompter;
    PlainBuffer buffer(QStringLiteral("<h1 id=\"a\">A</h1>\r\n"));
    buffer.select(buffer.length(), 0);
    const std::optional<PluginHost::TemplateRun> changed
        = PluginHost::runFromTemplate(buffer, addin.path(), QStringLiteral("links.so"), prompter);
    QVERIFY(changed);
    QCOMPARE(buffer.text(),
        QStringLiteral("<h1 id=\"a\">A</h1>\r\n<ul>\r\n<li><a href=\"#a\">A</a></li>\r\n</ul>\r\n"));
    QCOMPARE(changed->start, 19);
    QCOMPARE(changed->end, buffer.length());
    QCOMPARE(buffer.selStart(), 19);
    QCOMPARE(buffer.selLength(), 0);
    QVERIFY(prompter.asked().isEmpty());

    const QString before = buffer.text();
    for (const QString &name : { QStringLiteral("missing.so"), QStringLiteral("../links.so"),
             QStringLiteral("sub/links.so"), QStringLiteral("crash.so") })
        QVERIFY(!PluginHost::runFromTemplate(buffer, addin.path(), name, prompter));
    QCOMPARE(buffer.text(), before);
    QCOMPARE(prompter.texts(),
        QStringList({ PluginHost::missingMessage(addin.filePath(QStringLiteral("missing.so"))),
            QStringLiteral("Invalid plugin file \"") + addin.filePath(QStringLiteral("../links.so")) + u'"',
            PluginHost::invalidMessage(addin.filePath(QStringLiteral("sub/links.so"))),
            PluginHost::invalidMessage(addin.filePath(QStringLiteral("crash.so"))) }));
    QCOMPARE(prompter.asked().at(0).text,
        QStringLiteral("Unable to find plugin to execute \"") + addin.filePath(QStringLiteral("missing.so"))
            + u'"');
    QCOMPARE(prompter.asked().at(0).caption, QStringLiteral("Tagloom 99"));
}

QTEST_GUILESS_MAIN(TestPluginHost)
#include "tst_pluginhost.moc"
