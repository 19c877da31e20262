// SPDX-License-Identifier: GPL-3.0-or-later
// Reading wizard files, splitting the edited tag and writing the new one.
#include "templates/wizardfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Wizard::Kind;

class TestWizardFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsEveryInputKind();
    void oddFiles();
    void splitsTheEditedTag();
    void prefillsAndWritesTheTag();
    void findsOnlyFilesInsideTheFolder();
};

void TestWizardFile::readsEveryInputKind()
{
    const QString text
        = QStringLiteral("<html><head><TITLE class=x>Scroll Box</Title></head><body>\n"
                         "<input name=\"behavior\" type=\"Text\">\n"
                         "<INPUT Name=\"src\" TYPE=\"file\">\n"
                         "<input name=\"loop\" type=\"number\"><br>\n"
                         "<input name=\"align\" type=\"select\" options=\"left;center;right\">\n"
                         "<input name=\"bgcolor\" type=\"color\">\n"
                         "<input name=\"mode\" type=\"hidden\" value=\"fast\">\n"
                         "<input name=\"note\" type=\"checkbox\">\n"
                         "</body></html>");
    const Wizard::Form form = Wizard::parse(text);
    QCOMPARE(form.title, QStringLiteral("Scroll Box"));
    QCOMPARE(form.inputs.size(), 7);
    const QList<Kind> kinds
        = { Kind::Text, Kind::File, Kind::Number, Kind::Select, Kind::Color, Kind::Hidden, Kind::Other };
    for (int i = 0; i < kinds.size(); ++i)
        QCOMPARE(form.inputs.at(i).kind(), kinds.at(i));
    QCOMPARE(form.inputs.at(1).name, QStringLiteral("src"));
    QCOMPARE(form.inputs.at(3).options,
        QStringList({ QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right") }));
    QCOMPARE(form.inputs.at(5).value, QStringLiteral("fast"));
    // Only the input after the <br> starts a new column.
    for (int i = 0; i < form.inputs.size(); ++i)
        QCOMPARE(form.inputs.at(i).newColumn, i == 3);
    QVERIFY(!form.inputs.at(5).hasLabel());
    QVERIFY(form.inputs.at(6).hasLabel() && !form.inputs.at(6).hasControl());
}

void TestWizardFile::oddFiles()
{
    // No title, no inputs.
    Wizard::Form form = Wizard::parse(QStringLiteral("<p>nothing to see</p>"));
    QVERIFY(form.title.isEmpty());
    QVERIFY(form.inputs.isEmpty());

    // A hidden input without a value never takes the next input's; "typename" is not "name".
    form = Wizard::parse(QStringLiteral("<title>T</title><input typename=\"no\" name=\"a\" type=\"hidden\">"
                                        "<input name=\"b\" type=\"text\" value=\"later\">"));
    QCOMPARE(form.inputs.size(), 2);
    QCOMPARE(form.inputs.at(0).name, QStringLiteral("a"));
    QVERIFY(form.inputs.at(0).value.isEmpty());

    // An input runs to its own ">"; one that never closes ends the scan.
    form = Wizard::parse(QStringLiteral("<title>T</title><input name=\"x type=\"text\">"
                                        "<input name=\"y\" type=\"text\"  <input name=\"z\" type=\"text\">"));
    QCOMPARE(form.inputs.size(), 2);
    QCOMPARE(form.inputs.at(1).name, QStringLiteral("y"));
    form = Wizard::parse(QStringLiteral("<title>T</title><input name=\"w\" type=\"text\""));
    QVERIFY(form.inputs.isEmpty());

    // A title that never closes gives an empty caption; a file that cannot be read gives its reason.
    QVERIFY(Wizard::parse(QStringLiteral("<title>Open")).title.isEmpty());
    QString reason;
    QVERIFY(!Wizard::load(QStringLiteral("/nonexistent/x.html"), &reason));
    QVERIFY(!reason.isEmpty());
}

void TestWizardFile::splitsTheEditedTag()
{
    QCOMPARE(Wizard::tagAttributes(QStringLiteral("<foo title=\"Hello world\" width=50% data-x='a b'>")),
        QStringList({ QStringLiteral("title=\"Hello world\""), QStringLiteral("width=50%"),
            QStringLiteral("data-x='a b'") }));
    QCOMPARE(Wizard::tagAttributes(QStringLiteral("<source\r\n  src=a.ogg  hidden />")),
        QStringList({ QStringLiteral("src=a.ogg"), QStringLiteral("hidden") }));
    QVERIFY(Wizard::tagAttributes(QStringLiteral("<br>")).isEmpty());
    QCOMPARE(Wizard::unquote(QStringLiteral("\"Hello world\"")), QStringLiteral("Hello world"));
    QCOMPARE(Wizard::unquote(QStringLiteral("plain")), QStringLiteral("plain"));
}

void TestWizardFile::prefillsAndWritesTheTag()
{
    // The marquee example: behavior (text) and loop (number), width carried over.
    Wizard::Form form
        = Wizard::parse(QStringLiteral("<title>Scroll</title><input name=\"behavior\" type=\"text\">"
                                       "<input name=\"loop\" type=\"number\">"));
    Wizard::Run run = Wizard::prepare(form, QStringLiteral("<marquee BEHAVIOR=slide width=50%>"), true);
    QVERIFY(run.problem.isEmpty());
    QCOMPARE(run.entries.size(), 2);
    QCOMPARE(run.entries.at(0).value, QStringLiteral("slide"));
    QCOMPARE(run.entries.at(1).value, QStringLiteral("0"));
    QCOMPARE(run.leftover, QStringList { QStringLiteral("width=50%") });
    run.entries[1].value = QStringLiteral("3");
    QCOMPARE(Wizard::buildTag(QStringLiteral("marquee"), run.entries, run.leftover),
        QStringLiteral("<marquee behavior=\"slide\" loop=\"3\" width=\"50%\">"));

    // A quoted value with blanks is one value, and writes back without stray tokens.
    form = Wizard::parse(QStringLiteral("<input name=\"title\" type=\"text\">"));
    run = Wizard::prepare(form, QStringLiteral("<foo title=\"Hello world\" hidden lang='en'>"), true);
    QCOMPARE(run.entries.at(0).value, QStringLiteral("Hello world"));
    QCOMPARE(Wizard::buildTag(QStringLiteral("foo"), run.entries, run.leftover),
        QStringLiteral("<foo title=\"Hello world\" hidden lang='en'>"));
    // A double quote typed into a control cannot end the value early.
    run.entries[0].value = QStringLiteral("say \"hi\"");
    QCOMPARE(Wizard::buildTag(QStringLiteral("foo"), run.entries, {}),
        QStringLiteral("<foo title=\"say &quot;hi&quot;\">"));

    // A hidden input's fixed value wins over the tag's; colours follow the Names setting.
    form = Wizard::parse(
        QStringLiteral("<input name=\"mode\" type=\"hidden\" value=\"fast\">"
                       "<input name=\"color\" type=\"color\"><input name=\"c2\" type=\"color\">"));
    run = Wizard::prepare(form, QStringLiteral("<x mode=slow color=\"#ff0000\">"), true);
    QCOMPARE(Wizard::buildTag(QStringLiteral("x"), run.entries, run.leftover),
        QStringLiteral("<x mode=\"fast\" color=\"Red\" c2=\"Black\">"));
    run = Wizard::prepare(form, QStringLiteral("<x color=red>"), false);
    QCOMPARE(run.entries.at(1).value, QStringLiteral("#FF0000"));
    QCOMPARE(run.entries.at(2).value, QStringLiteral("#000000"));
    QVERIFY(run.leftover.isEmpty());

    // A number input cannot take a value that is not a whole number: the run says so.
    form = Wizard::parse(QStringLiteral("<input name=\"width\" type=\"number\">"));
    QVERIFY(!Wizard::prepare(form, QStringLiteral("<x width=\"50%\">"), true).problem.isEmpty());
    QVERIFY(Wizard::prepare(form, QStringLiteral("<x width=\"-7\">"), true).problem.isEmpty());

    // A wizard without inputs rewrites the tag with its own attributes.
    run = Wizard::prepare(Wizard::Form(), QStringLiteral("<p class=a id=b>"), true);
    QCOMPARE(Wizard::buildTag(QStringLiteral("p"), run.entries, run.leftover),
        QStringLiteral("<p class=\"a\" id=\"b\">"));
}

void TestWizardFile::findsOnlyFilesInsideTheFolder()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir(QStringLiteral("Wizards")));
    const QString wizards = root.filePath(QStringLiteral("Wizards"));
    QFile outside(root.filePath(QStringLiteral("x.html")));
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.close();
    QFile both(wizards + QStringLiteral("/Time.htm"));
    QVERIFY(both.open(QIODevice::WriteOnly));
    both.close();
    QFile html(wizards + QStringLiteral("/time.html"));
    QVERIFY(html.open(QIODevice::WriteOnly));
    html.close();

    QCOMPARE(Wizard::fileFor(wizards, QStringLiteral("time")), html.fileName());
    QCOMPARE(Wizard::fileFor(wizards, QStringLiteral("TIME")), html.fileName());
    QVERIFY(Wizard::fileFor(wizards, QStringLiteral("../x")).isEmpty());
    QVERIFY(Wizard::fileFor(wizards, QStringLiteral("..")).isEmpty());
    QVERIFY(Wizard::fileFor(wizards, QStringLiteral("a/b")).isEmpty());
    QVERIFY(Wizard::fileFor(wizards, QStringLiteral("video")).isEmpty());
    QCOMPARE(Wizard::tagNameOf(html.fileName()), QStringLiteral("time"));
}

QTEST_GUILESS_MAIN(TestWizardFile)
#include "tst_wizardfile.moc"
