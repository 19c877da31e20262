// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QTest>

using CommandLine::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void takesOneFile();
    void helpAndVersion();
    void refusesWhatItDoesNotKnow();
};

namespace {

CommandLine::Request parse(const QStringList &arguments)
{
    return CommandLine::parse(QStringList { u"tagloom"_qs } + arguments);
}

} // namespace

void TestCommandLine::takesOneFile()
{
    CommandLine::Request request = parse({});
    QCOMPARE(request.action, Action::Run);
    QVERIFY(request.files.isEmpty());

    request = parse({ u"/home/me/My Pages/index.html"_qs });
    QCOMPARE(request.action, Action::Run);
    QCOMPARE(request.files, QStringList { u"/home/me/My Pages/index.html"_qs });

    // "-" is no file, whether alone or beside one.
    request = parse({ u"-"_qs });
    QCOMPARE(request.action, Action::Run);
    QVERIFY(request.files.isEmpty());
    request = parse({ u"-"_qs, u"site.sit"_qs });
    QCOMPARE(request.files, QStringList { u"site.sit"_qs });

    // After "--" a name that looks like an option is a file.
    request = parse({ u"--"_qs, u"--odd.html"_qs });
    QCOMPARE(request.action, Action::Run);
    QCOMPARE(request.files, QStringList { u"--odd.html"_qs });
    QCOMPARE(CommandLine::exitStatus(request), 0);
}

void TestCommandLine::helpAndVersion()
{
    for (const QString &option : { u"--help"_qs, u"-h"_qs }) {
        const CommandLine::Request request = parse({ option, u"page.html"_qs });
        QCOMPARE(request.action, Action::Help);
        QVERIFY2(request.text.contains(u"Usage: tagloom [options] [file]"_qs), qPrintable(request.text));
        QVERIFY(request.text.contains(u"--version"_qs));
        QCOMPARE(CommandLine::exitStatus(request), 0);
    }
    const CommandLine::Request request = parse({ u"--version"_qs });
    QCOMPARE(request.action, Action::Version);
    QCOMPARE(request.text, u"tagloom " TAGLOOM_VERSION "\n"_qs);
    QCOMPARE(CommandLine::exitStatus(request), 0);
    QVERIFY(request.files.isEmpty());
}

void TestCommandLine::refusesWhatItDoesNotKnow()
{
    CommandLine::Request request = parse({ u"--frobnicate"_qs, u"page.html"_qs });
    QCOMPARE(request.action, Action::Error);
    QVERIFY2(request.text.contains(u"frobnicate"_qs), qPrintable(request.text));
    QVERIFY(request.text.contains(u"Usage: tagloom"_qs));
    QCOMPARE(CommandLine::exitStatus(request), 2);
    QVERIFY(request.files.isEmpty());

    request = parse({ u"-x"_qs });
    QCOMPARE(request.action, Action::Error);
    QCOMPARE(CommandLine::exitStatus(request), 2);

    // Two files are refused rather than one of them dropped without a word.
    request = parse({ u"a.html"_qs, u"b.html"_qs });
    QCOMPARE(request.action, Action::Error);
    QVERIFY(request.files.isEmpty());
    QCOMPARE(CommandLine::exitStatus(request), 2);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
