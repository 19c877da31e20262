// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/colouring.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace Colouring;

namespace {

QString className(Class c)
{
    switch (c) {
    case Class::Tag:
        return QStringLiteral("tag");
    case Class::Comment:
        return QStringLiteral("comment");
    case Class::String:
        return QStringLiteral("string");
    case Class::Hex:
        return QStringLiteral("hex");
    case Class::Entity:
        return QStringLiteral("entity");
    case Class::Text:
        break;
    }
    return QString();
}

// The text with each run of a class other than text wrapped as [class]...[/class].
QString render(const QString &text, const std::vector<Class> &classes)
{
    QString out;
    Class open = Class::Text;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const Class c = i < text.size() ? classes[size_t(i)] : Class::Text;
        if (c != open) {
            if (open != Class::Text)
                out += QStringLiteral("[/") + className(open) + u']';
            if (c != Class::Text)
                out += u'[' + className(c) + u']';
            open = c;
        }
        if (i < text.size())
            out += text.at(i);
    }
    return out;
}

std::vector<Class> engineClasses(Engine<char16_t> &engine, const QString &text)
{
    std::vector<Class> out(size_t(text.size()), Class::Text);
    engine.classes(StringSource(text), 0, text.size(), out.data());
    return out;
}

} // namespace

class TestColouring : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rules_data();
    void rules();
    void everyPositionAgreesWithTheWholeText();
    void randomEditsMatchAFreshPass();
    void randomEditsInLongLinesMatchAFreshPass();
    void editReportsTheLinesThatChanged();
    void editInALastLineWithoutABreak();
    void openingACommentScansOnlyWhatIsAsked();
    void goldenPage();
};

void TestColouring::rules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("doctype") << QStringLiteral("<!DOCTYPE html>\r\n")
                             << QStringLiteral("[tag]<!DOCTYPE html>[/tag]\r\n");
    QTest::newRow("comment holding >")
        << QStringLiteral("<!-- a > b -->x") << QStringLiteral("[comment]<!-- a > b -->[/comment]x");
    QTest::newRow("shortest comment")
        << QStringLiteral("<!-->x") << QStringLiteral("[comment]<!-->[/comment]x");
    QTest::newRow("quoted hex is a string")
        << QStringLiteral("<font color=\"#ff0000\">")
        << QStringLiteral("[tag]<font color=[/tag][string]\"#ff0000\"[/string][tag]>[/tag]");
    QTest::newRow("unquoted hex") << QStringLiteral("<body bgcolor=#ff0000>")
                                  << QStringLiteral(
                                         "[tag]<body bgcolor=[/tag][hex]#ff0000[/hex][tag]>[/tag]");
    QTest::newRow("hex then blank") << QStringLiteral("<body bgcolor=#ff0000 text=x>")
                                    << QStringLiteral(
                                           "[tag]<body bgcolor=[/tag][hex]#ff0000[/hex][tag] text=x>[/tag]");
    QTest::newRow("hex by position") << QStringLiteral("<a b=#zz!!zz>")
                                     << QStringLiteral("[tag]<a b=[/tag][hex]#zz!!zz[/hex][tag]>[/tag]");
    QTest::newRow("short hex") << QStringLiteral("<a b=#ff00 c>")
                               << QStringLiteral("[tag]<a b=#ff00 c>[/tag]");
    QTest::newRow("long hex") << QStringLiteral("<a b=#ff00001>")
                              << QStringLiteral("[tag]<a b=#ff00001>[/tag]");
    QTest::newRow("hex before line end") << QStringLiteral(
        "<a b=#ff0000\r\nc>") << QStringLiteral("[tag]<a b=[/tag][hex]#ff0000[/hex][tag]\r\nc>[/tag]");
    QTest::newRow("quote inside hex starts a string") << QStringLiteral(
        "<a b=#1\"3456 >") << QStringLiteral("[tag]<a b=#1[/tag][string]\"3456 [/string][tag]>[/tag]");
    QTest::newRow("# right after a string is no hex code")
        << QStringLiteral("<a b=\"x\"#ff0000 >")
        << QStringLiteral("[tag]<a b=[/tag][string]\"x\"[/string][tag]#ff0000 >[/tag]");
    QTest::newRow("quote right after a string opens none")
        << QStringLiteral("<a b=\"x\"\"y\" c>")
        << QStringLiteral(
               "[tag]<a b=[/tag][string]\"x\"[/string][tag]\"y[/tag][string]\" c[/string][tag]>[/tag]");
    QTest::newRow("doctype with two identifiers")
        << QStringLiteral("<!DOCTYPE html PUBLIC \"-//A//EN\" \"http://a/b.dtd\">")
        << QStringLiteral("[tag]<!DOCTYPE html PUBLIC [/tag][string]\"-//A//EN\"[/string][tag] "
                          "[/tag][string]\"http://a/b.dtd\"[/string][tag]>[/tag]");
    QTest::newRow("hex outside a tag") << QStringLiteral("#ff0000 x") << QStringLiteral("#ff0000 x");
    QTest::newRow("entity") << QStringLiteral("a &amp; b") << QStringLiteral("a [entity]&amp;[/entity] b");
    QTest::newRow("entity with a blank") << QStringLiteral("a & amp; b") << QStringLiteral("a & amp; b");
    QTest::newRow("entity has no length limit") << QStringLiteral("&averyveryverylongname;")
                                                << QStringLiteral("[entity]&averyveryverylongname;[/entity]");
    QTest::newRow("entities side by side")
        << QStringLiteral("&lt;&gt;x") << QStringLiteral("[entity]&lt;&gt;[/entity]x");
    QTest::newRow("second ampersand restarts")
        << QStringLiteral("a&b&c;") << QStringLiteral("a&b[entity]&c;[/entity]");
    QTest::newRow("entity after a tag") << QStringLiteral(
        "<b>&copy;</b>") << QStringLiteral("[tag]<b>[/tag][entity]&copy;[/entity][tag]</b>[/tag]");
    QTest::newRow("entity stops at a line end") << QStringLiteral("&a\r\nb;") << QStringLiteral("&a\r\nb;");
    QTest::newRow("ampersand inside a tag")
        << QStringLiteral("<a b=&amp;>") << QStringLiteral("[tag]<a b=&amp;>[/tag]");
    QTest::newRow("ampersand inside a string")
        << QStringLiteral("<a href=\"x?a=1&amp;b=2\">")
        << QStringLiteral("[tag]<a href=[/tag][string]\"x?a=1&amp;b=2\"[/string][tag]>[/tag]");
    QTest::newRow("ampersand in a comment")
        << QStringLiteral("<!-- &amp; -->") << QStringLiteral("[comment]<!-- &amp; -->[/comment]");
    QTest::newRow("quote inside a comment")
        << QStringLiteral("<!-- \"x -->y\"") << QStringLiteral("[comment]<!-- \"x -->[/comment]y\"");
    QTest::newRow("single quotes are no string")
        << QStringLiteral("<a b='x'>") << QStringLiteral("[tag]<a b='x'>[/tag]");
    QTest::newRow("string over lines")
        << QStringLiteral("<a title=\"one\r\ntwo\">x")
        << QStringLiteral("[tag]<a title=[/tag][string]\"one\r\ntwo\"[/string][tag]>[/tag]x");
    QTest::newRow("string ended by the tag end") << QStringLiteral(
        "<a b=\"x>y") << QStringLiteral("[tag]<a b=[/tag][string]\"x[/string][tag]>[/tag]y");
    QTest::newRow("tag given up at the next <")
        << QStringLiteral("a < b <p>c") << QStringLiteral("a [tag]< b <p>[/tag]c");
    QTest::newRow("comment inside an open tag")
        << QStringLiteral("<a <!-- x -->y") << QStringLiteral("[tag]<a [/tag][comment]<!-- x -->[/comment]y");
    QTest::newRow("> in text") << QStringLiteral("a > b") << QStringLiteral("a > b");
    QTest::newRow("comment left open runs on")
        << QStringLiteral("<!-- x\r\n<p>\r\n") << QStringLiteral("[comment]<!-- x\r\n<p>\r\n[/comment]");
    QTest::newRow("comment start split by a line end")
        << QStringLiteral("<!-\r\n->") << QStringLiteral("[tag]<!-\r\n->[/tag]");
    // Nothing is read outside the text.
    QTest::newRow("< last") << QStringLiteral("ab<") << QStringLiteral("ab[tag]<[/tag]");
    QTest::newRow("<! last") << QStringLiteral("ab<!") << QStringLiteral("ab[tag]<![/tag]");
    QTest::newRow("<!- last") << QStringLiteral("ab<!-") << QStringLiteral("ab[tag]<!-[/tag]");
    QTest::newRow("<!-- last") << QStringLiteral("ab<!--") << QStringLiteral("ab[comment]<!--[/comment]");
    QTest::newRow("> first") << QStringLiteral("->x") << QStringLiteral("->x");
    QTest::newRow("& at 0") << QStringLiteral("&amp;x") << QStringLiteral("[entity]&amp;[/entity]x");
    QTest::newRow("& alone") << QStringLiteral("&") << QStringLiteral("&");
    QTest::newRow("# near the end") << QStringLiteral("<a b=#ff") << QStringLiteral("[tag]<a b=#ff[/tag]");
    QTest::newRow("# six before the end")
        << QStringLiteral("<a b=#ffffff") << QStringLiteral("[tag]<a b=#ffffff[/tag]");
    QTest::newRow("# last") << QStringLiteral("<a #") << QStringLiteral("[tag]<a #[/tag]");
    QTest::newRow("empty") << QString() << QString();
}

void TestColouring::rules()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(render(text, classesOf(text)), expected);

    // The engine agrees with the one-pass function, and the UTF-8 engine with the UTF-16 one.
    Engine<char16_t> engine;
    engine.reset(StringSource(text));
    QCOMPARE(render(text, engineClasses(engine, text)), expected);
}

void TestColouring::everyPositionAgreesWithTheWholeText()
{
    const QString text = QStringLiteral("<p class=\"a\r\nb\">&amp; x</p>\r\n<!-- \"c\r\n-->"
                                        "<body bgcolor=#00ff00>\r\n&copy;\r\n<a b=\"x>y");
    const std::vector<Class> whole = classesOf(text);
    Engine<char16_t> engine;
    engine.reset(StringSource(text));
    for (qsizetype i = 0; i < text.size(); ++i)
        QCOMPARE(int(engine.classAt(StringSource(text), i)), int(whole[size_t(i)]));
    QCOMPARE(int(engine.classAt(StringSource(text), -1)), int(Class::Text));
    QCOMPARE(int(engine.classAt(StringSource(text), text.size())), int(Class::Text));

    const QByteArray utf8 = text.toUtf8();
    struct ByteSource : TextSource<char>
    {
        QByteArray bytes;
        qsizetype length() const override { return bytes.size(); }
        const char *range(qsizetype position, qsizetype) const override
        {
            return bytes.constData() + position;
        }
    } bytes;
    bytes.bytes = utf8;
    Engine<char> byteEngine;
    byteEngine.reset(bytes);
    for (qsizetype i = 0; i < text.size(); ++i)
        QCOMPARE(int(byteEngine.classAt(bytes, i)), int(whole[size_t(i)]));
}

// The test that proves the engine: edits recorded as the editor announces them (before the text
// changes), states brought up lazily to random lines, and after each step the engine's colours equal a
// fresh pass over the whole text.
void editAtRandom(
    QString &text, const QStringList &fragments, QRandomGenerator &random, int steps, int checkEvery)
{
    Engine<char16_t> engine;
    engine.reset(StringSource(text));
    for (int step = 0; step < steps; ++step) {
        const int kind = random.bounded(10);
        if (kind < 5) {
            QString insert = fragments.at(random.bounded(fragments.size()));
            if (random.bounded(8) == 0)
                insert = insert.repeated(1 + random.bounded(40));
            const qsizetype at = random.bounded(int(text.size()) + 1);
            engine.inserted(at, reinterpret_cast<const char16_t *>(insert.utf16()), insert.size());
            text.insert(at, insert);
        } else if (!text.isEmpty()) {
            const qsizetype at = random.bounded(int(text.size()));
            qsizetype count = 1 + random.bounded(random.bounded(10) == 0 ? 600 : 12);
            count = std::min(count, text.size() - at);
            engine.removed(at, count);
            text.remove(at, count);
        }
        const StringSource source(text);
        QCOMPARE(engine.length(), text.size());
        switch (random.bounded(4)) {
        case 0: {
            // What the editor does when it paints: colours a window of lines.
            const qsizetype line = random.bounded(int(engine.lineCount()));
            engine.update(source, line);
            break;
        }
        case 1: {
            const qsizetype at = random.bounded(int(text.size()) + 1);
            const std::vector<Class> whole = classesOf(text);
            const Class expected = at < text.size() ? whole[size_t(at)] : Class::Text;
            QCOMPARE(int(engine.classAt(source, at)), int(expected));
            break;
        }
        default:
            break;
        }
        if (step % checkEvery == 0 || step > steps - 100) {
            const std::vector<Class> classes = engineClasses(engine, text);
            const std::vector<Class> whole = classesOf(text);
            if (classes != whole)
                QCOMPARE(render(text, classes), render(text, whole));
            // The classes above cover every character but not the state of an empty last line.
            engine.update(source);
            Engine<char16_t> fresh;
            fresh.reset(source);
            QCOMPARE(engine.lineCount(), fresh.lineCount());
            for (qsizetype line = 0; line < fresh.lineCount(); ++line) {
                QCOMPARE(engine.lineStart(line), fresh.lineStart(line));
                QCOMPARE(int(engine.lineState(line)), int(fresh.lineState(line)));
            }
        }
    }
}

const QStringList &editFragments()
{
    static const QStringList fragments = { QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<!--"),
        QStringLiteral("-->"), QStringLiteral("\""), QStringLiteral("#ff0000 "), QStringLiteral("#"),
        QStringLiteral("&amp;"), QStringLiteral("&"), QStringLiteral(";"), QStringLiteral("\r\n"),
        QStringLiteral("\r\n\r\n"), QStringLiteral("\n"), QStringLiteral("\r"), QStringLiteral("-"),
        QStringLiteral("<p class=\"x\">"), QStringLiteral("text "), QStringLiteral("<!-- c -->"),
        QStringLiteral(" "), QStringLiteral("<td bgcolor=#336699 width=\"50%\">"),
        QStringLiteral("</td>\r\n"), QStringLiteral("<a href=\"x\r\ny\">"), QStringLiteral("caf\u00e9 "),
        QStringLiteral("&copy;"), QStringLiteral("<!--\r\n<b>\"\r\n-->\r\n") };
    return fragments;
}

void TestColouring::randomEditsMatchAFreshPass()
{
    const QStringList &fragments = editFragments();
    QRandomGenerator random(20240611);
    QString text;
    for (int i = 0; i < 400; ++i)
        text += fragments.at(random.bounded(fragments.size()));
    editAtRandom(text, fragments, random, 4000, 7);
    QVERIFY(text.count(u'\n') >= 20);
}

// The same in lines of tens of kilobytes, where a keystroke rescans only part of its line: most edits
// land in them, a few break them or join them, and a stretch without blanks leaves no place to restart.
void TestColouring::randomEditsInLongLinesMatchAFreshPass()
{
    QStringList inLine;
    for (const QString &fragment : editFragments()) {
        if (!fragment.contains(u'\n') && !fragment.contains(u'\r'))
            inLine += fragment;
    }
    QRandomGenerator random(20260812);
    const auto longLine = [&] {
        QString line;
        const qsizetype length = 20000 + random.bounded(80000);
        while (line.size() < length) {
            // Mostly plain words, so that a comment or string opened by an edit runs on for kilobytes.
            const int pick = random.bounded(2000);
            if (pick == 0)
                line += QString(3000, u'x');
            else if (pick < 10)
                line += inLine.at(random.bounded(inLine.size()));
            else
                line += QStringLiteral("text ");
        }
        return line;
    };
    // Line breaks rarely, so that the lines stay long.
    QStringList fragments = editFragments();
    for (int i = 0; i < 30; ++i)
        fragments += inLine;
    QString text;
    for (int i = 0; i < 4; ++i)
        text += longLine() + QStringLiteral("\r\n<p>short\r\n");
    // Checked less often, so that edits pile up in a line before it is scanned again.
    editAtRandom(text, fragments, random, 4000, 13);
    qsizetype longest = 0;
    for (const QStringView line : QStringView(text).split(u'\n'))
        longest = std::max(longest, line.size());
    QVERIFY(longest > 10000);

    // Edits that wait in one line for its next scan: a comment opened before an earlier edit, and
    // colours asked for far after it before the line is scanned again.
    QString plain = QStringLiteral("text ").repeated(8000) + QStringLiteral("\r\n<p>\r\n");
    Engine<char16_t> engine;
    engine.reset(StringSource(plain));
    // The first scan of a line after an edit places its marks.
    plain.insert(0, u'y');
    engine.inserted(0, u"y", 1);
    engine.update(StringSource(plain));
    plain.insert(30000, u'x');
    engine.inserted(30000, u"x", 1);
    plain.insert(1000, QStringLiteral("<!--"));
    engine.inserted(1000, u"<!--", 4);
    QCOMPARE(int(engine.classAt(StringSource(plain), 20000)), int(Class::Comment));
    QCOMPARE(render(plain, engineClasses(engine, plain)), render(plain, classesOf(plain)));
}

// Lines outside the range edit() reports keep their colours.
void TestColouring::editReportsTheLinesThatChanged()
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("<p class=\"c%1\">line &amp; %1</p>\r\n").arg(i);
    Engine<char16_t> engine;
    engine.reset(StringSource(text));

    QRandomGenerator random(7);
    const QStringList inserts = { QStringLiteral("x"), QStringLiteral("<!--"), QStringLiteral("-->"),
        QStringLiteral("\""), QStringLiteral("<"), QStringLiteral("\r\n") };
    for (int step = 0; step < 300; ++step) {
        const std::vector<Class> before = classesOf(text);
        const QString old = text;
        const qsizetype at = random.bounded(int(text.size()));
        qsizetype removed = 0;
        QString insert;
        if (random.bounded(2))
            insert = inserts.at(random.bounded(inserts.size()));
        else
            removed = std::min<qsizetype>(1 + random.bounded(5), text.size() - at);
        text.replace(at, removed, insert);
        const LineRange range = engine.edit(StringSource(text), at, removed, insert.size());
        const std::vector<Class> after = classesOf(text);
        QVERIFY(!range.isEmpty());
        QVERIFY(engine.isUpToDate());
        const qsizetype head = engine.lineStart(range.first);
        QVERIFY(head <= at);
        QVERIFY(std::equal(after.begin(), after.begin() + head, before.begin()));
        const qsizetype tail = text.size() - engine.lineEnd(range.last);
        QVERIFY(tail <= text.size() - at - insert.size());
        QVERIFY(std::equal(after.end() - tail, after.end(), before.end() - tail));
    }
}

void TestColouring::openingACommentScansOnlyWhatIsAsked()
{
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("<tr><td>%1</td></tr>\r\n").arg(i);
    Engine<char16_t> engine;
    engine.reset(StringSource(text));

    text.insert(0, QStringLiteral("<!--"));
    engine.inserted(0, u"<!--", 4);
    const LineRange shown = engine.update(StringSource(text), 40);
    QCOMPARE(shown.first, 0);
    QCOMPARE(shown.last, 40);
    QVERIFY(!engine.isUpToDate());
    QCOMPARE(int(engine.classAt(StringSource(text), engine.lineStart(30) + 2)), int(Class::Comment));

    // Closing it again settles at the first line after the edit.
    text.remove(0, 4);
    engine.removed(0, 4);
    const LineRange closed = engine.update(StringSource(text));
    QVERIFY(engine.isUpToDate());
    QVERIFY(closed.last <= 41);
    QCOMPARE(render(text, engineClasses(engine, text)), render(text, classesOf(text)));

    // A comment opened, then the text after it edited elsewhere, then the comment closed far below.
    text.insert(0, QStringLiteral("<!--"));
    engine.inserted(0, u"<!--", 4);
    engine.update(StringSource(text), 100);
    const qsizetype far = engine.lineStart(3000);
    text.insert(far, QStringLiteral("-->"));
    engine.inserted(far, u"-->", 3);
    engine.update(StringSource(text), 10);
    const qsizetype near = engine.lineStart(50);
    text.insert(near, QStringLiteral("x"));
    engine.inserted(near, u"x", 1);
    QCOMPARE(render(text, engineClasses(engine, text)), render(text, classesOf(text)));
}

void TestColouring::goldenPage()
{
    const QString folder = QStringLiteral(TAGLOOM_TEST_DATA "/colouring/");
    QFile input(folder + QStringLiteral("input.html"));
    QVERIFY(input.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(input.readAll());
    const QString rendered = render(text, classesOf(text));
    QFile reference(folder + QStringLiteral("reference.txt"));
    if (qEnvironmentVariableIsSet("TAGLOOM_REGENERATE")) {
        QVERIFY(reference.open(QIODevice::WriteOnly | QIODevice::Truncate));
        reference.write(rendered.toUtf8());
        QSKIP("reference written");
    }
    QVERIFY(reference.open(QIODevice::ReadOnly));
    QCOMPARE(rendered, QString::fromUtf8(reference.readAll()));
}

// The last line has no line break after it, so no later line's state is at stake: its own colours are.
void TestColouring::editInALastLineWithoutABreak()
{
    for (const QString &start : { QStringLiteral("<p>one</p>"), QStringLiteral("<p>\r\n<b>two</b>") }) {
        QString text = start;
        Engine<char16_t> engine;
        engine.reset(StringSource(text));
        const qsizetype last = engine.lineCount() - 1;
        const qsizetype at = text.size() - 2;
        text.insert(at, QStringLiteral("\""));
        const LineRange range = engine.edit(StringSource(text), at, 0, 1);
        QVERIFY(!range.isEmpty());
        QVERIFY(range.first <= last && range.last >= last);
        text.remove(at, 1);
        const LineRange removed = engine.edit(StringSource(text), at, 1, 0);
        QVERIFY(removed.first <= last && removed.last >= last);
        QCOMPARE(render(text, engineClasses(engine, text)), render(text, classesOf(text)));
    }
}

QTEST_GUILESS_MAIN(TestColouring)
#include "tst_colouring.moc"
