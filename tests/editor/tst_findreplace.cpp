// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/findreplace.h"
#include "editor/plainbuffer.h"

#include <QTest>

using Result = FindReplace::Result;

class TestFindReplace : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wholeWordAndCase_data();
    void wholeWordAndCase();
    void findNextStepsOverTheLastMatch();
    void notFoundAndEmptyText();
    void replaceNeedsTheMatchSelected();
    void replaceAll_data();
    void replaceAll();
    void replaceAllEndsAndForgets();
    void quotes_data();
    void quotes();
};

void TestFindReplace::wholeWordAndCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("found");

    const int whole = Search::WholeWord;
    const int exact = Search::MatchCase;
    QTest::newRow("word at the end") << "a table" << 0 << "table" << whole << 2;
    QTest::newRow("word at the start") << "table, a" << 0 << "table" << whole << 0;
    QTest::newRow("part of a word") << "tables" << 0 << "table" << whole << -1;
    QTest::newRow("part then word") << "tables table" << 0 << "table" << whole << 7;
    QTest::newRow("underscore joins") << "my_table table" << 0 << "table" << whole << 9;
    QTest::newRow("any part without the option") << "tables" << 0 << "table" << 0 << 0;
    // A caret inside a word must not make the word's tail a whole word.
    QTest::newRow("caret inside a word") << "tables ables" << 1 << "ables" << whole << 7;
    QTest::newRow("caret at a word start") << "x ables" << 2 << "ables" << whole << 2;
    QTest::newRow("case ignored") << "TABLE table" << 0 << "table" << 0 << 0;
    QTest::newRow("case matched") << "TABLE table" << 0 << "table" << exact << 6;
    QTest::newRow("case and word") << "Tables TABLE Table" << 0 << "Table" << (whole | exact) << 13;
    QTest::newRow("before the caret") << "table x" << 1 << "table" << 0 << -1;
}

void TestFindReplace::wholeWordAndCase()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, what);
    QFETCH(int, options);
    QFETCH(int, found);

    PlainBuffer buffer(text);
    buffer.select(caret, 0);
    FindReplace finder;
    const Result result = finder.findNext(buffer, what, Search::Options(options));
    QCOMPARE(result, found < 0 ? Result::NotFound : Result::Found);
    QCOMPARE(finder.lastMatch(), found);
    if (found >= 0) {
        QCOMPARE(buffer.selStart(), found);
        QCOMPARE(buffer.selLength(), what.size());
    }
}

void TestFindReplace::findNextStepsOverTheLastMatch()
{
    // Overlapping matches are each found once: the step over the last match is one character.
    PlainBuffer buffer(QStringLiteral("aaa"));
    FindReplace finder;
    QList<int> starts;
    while (finder.findNext(buffer, QStringLiteral("aa"), Search::NoOptions) == Result::Found)
        starts.append(buffer.selStart());
    QCOMPARE(starts, QList<int>({ 0, 1 }));

    // The caret moved away from the last match: the search starts at the caret itself.
    buffer.setText(QStringLiteral("ab ab ab"));
    QCOMPARE(finder.findNext(buffer, QStringLiteral("ab"), Search::NoOptions), Result::Found);
    QCOMPARE(buffer.selStart(), 0);
    buffer.select(3, 0);
    QCOMPARE(finder.findNext(buffer, QStringLiteral("ab"), Search::NoOptions), Result::Found);
    QCOMPARE(buffer.selStart(), 3);
    QCOMPARE(finder.findNext(buffer, QStringLiteral("ab"), Search::NoOptions), Result::Found);
    QCOMPARE(buffer.selStart(), 6);
}

void TestFindReplace::notFoundAndEmptyText()
{
    PlainBuffer buffer(QStringLiteral("one two"));
    FindReplace finder;
    QCOMPARE(finder.findNext(buffer, QStringLiteral("two"), Search::NoOptions), Result::Found);
    QCOMPARE(finder.lastMatch(), 4);

    // An empty search text neither moves the selection nor forgets the match.
    QCOMPARE(finder.findNext(buffer, QString(), Search::NoOptions), Result::NothingToFind);
    QCOMPARE(buffer.selStart(), 4);
    QCOMPARE(buffer.selLength(), 3);
    QCOMPARE(finder.lastMatch(), 4);

    QCOMPARE(finder.findNext(buffer, QStringLiteral("two"), Search::NoOptions), Result::NotFound);
    QCOMPARE(finder.lastMatch(), -1);
    QCOMPARE(buffer.selStart(), buffer.length());
    QCOMPARE(buffer.selLength(), 0);
    QCOMPARE(buffer.text(), QStringLiteral("one two"));
}

void TestFindReplace::replaceNeedsTheMatchSelected()
{
    PlainBuffer buffer(QStringLiteral("a Table and a table"));
    FindReplace finder;
    buffer.select(2, 4); // "Tabl"
    QVERIFY(!finder.replace(buffer, QStringLiteral("table"), QStringLiteral("chair")));
    buffer.select(0, 0);
    QVERIFY(!finder.replace(buffer, QStringLiteral("table"), QStringLiteral("chair")));
    buffer.select(2, 5);
    QVERIFY(!finder.replace(buffer, QString(), QStringLiteral("chair")));
    QCOMPARE(buffer.text(), QStringLiteral("a Table and a table"));

    // The selection is compared without case; the caret ends after the replacement.
    QVERIFY(finder.replace(buffer, QStringLiteral("table"), QStringLiteral("chair")));
    QCOMPARE(buffer.text(), QStringLiteral("a chair and a table"));
    QCOMPARE(buffer.selStart(), 7);

    // Find, replace by nothing, find: the match now starting at the caret is not stepped over.
    buffer.setText(QStringLiteral("xaab"));
    buffer.select(0, 0);
    QCOMPARE(finder.findNext(buffer, QStringLiteral("a"), Search::NoOptions), Result::Found);
    QVERIFY(finder.replace(buffer, QStringLiteral("a"), QString()));
    QCOMPARE(finder.findNext(buffer, QStringLiteral("a"), Search::NoOptions), Result::Found);
    QCOMPARE(buffer.selStart(), 1);
    QVERIFY(finder.replace(buffer, QStringLiteral("a"), QString()));
    QCOMPARE(buffer.text(), QStringLiteral("xb"));
}

void TestFindReplace::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("by");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("count");

    const int whole = Search::WholeWord;
    QTest::newRow("case ignored") << "Cat cat CAT" << 0 << "cat"
                                  << "dog" << 0 << "dog dog dog" << 3;
    QTest::newRow("case matched") << "Cat cat CAT" << 0 << "cat"
                                  << "dog" << int(Search::MatchCase) << "Cat dog CAT" << 1;
    QTest::newRow("by nothing") << "aa" << 0 << "a"
                                << "" << 0 << "" << 2;
    QTest::newRow("by nothing between") << "abab" << 0 << "a"
                                        << "" << 0 << "bb" << 2;
    QTest::newRow("by itself and more") << "aa" << 0 << "a"
                                        << "ab" << 0 << "abab" << 2;
    QTest::newRow("by a longer copy") << "a-a" << 0 << "a"
                                      << "aaa" << 0 << "aaa-aaa" << 2;
    QTest::newRow("from the caret") << "a a a" << 2 << "a"
                                    << "b" << 0 << "a b b" << 2;
    QTest::newRow("caret inside a word") << "tables ables" << 1 << "ables"
                                         << "x" << whole << "tables x" << 1;
    QTest::newRow("whole words") << "a aa a_ a" << 0 << "a"
                                 << "b" << whole << "b aa a_ b" << 2;
    // The inserted text's breaks become CR LF, so the search resumes after what was really put in.
    QTest::newRow("by a line break") << "aa" << 0 << "a"
                                     << "\na" << 0 << "\r\na\r\na" << 2;
    QTest::newRow("none") << "abc" << 0 << "x"
                          << "y" << 0 << "abc" << 0;
    QTest::newRow("empty find text") << "abc" << 0 << ""
                                     << "y" << 0 << "abc" << 0;
}

void TestFindReplace::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, what);
    QFETCH(QString, by);
    QFETCH(int, options);
    QFETCH(QString, result);
    QFETCH(int, count);

    PlainBuffer buffer(text);
    buffer.select(caret, 0);
    FindReplace finder;
    QCOMPARE(finder.replaceAll(buffer, what, by, Search::Options(options)), count);
    QCOMPARE(buffer.text(), result);
}

void TestFindReplace::replaceAllEndsAndForgets()
{
    // A match just found (the caret on it) is replaced too, and the run ends at the end of the text.
    PlainBuffer buffer(QStringLiteral("x one one"));
    FindReplace finder;
    QCOMPARE(finder.findNext(buffer, QStringLiteral("one"), Search::NoOptions), Result::Found);
    QCOMPARE(finder.lastMatch(), 2);
    QCOMPARE(finder.replaceAll(buffer, QStringLiteral("one"), QStringLiteral("two"), Search::NoOptions), 2);
    QCOMPARE(buffer.text(), QStringLiteral("x two two"));
    QCOMPARE(finder.lastMatch(), -1);
    QCOMPARE(buffer.selStart(), buffer.length());
    QCOMPARE(buffer.selLength(), 0);
}

void TestFindReplace::quotes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quoted");
    QTest::newRow("empty") << ""
                           << "\"\"";
    QTest::newRow("plain") << "abc"
                           << "\"abc\"";
    QTest::newRow("quoted") << "\"abc\""
                            << "\"abc\"";
    QTest::newRow("opening quote only") << "\"abc"
                                        << "\"abc";
    QTest::newRow("quote inside") << "a\"b"
                                  << "\"a\"b\"";
    QTest::newRow("single quotes") << "'a'"
                                   << "\"'a'\"";
}

void TestFindReplace::quotes()
{
    QFETCH(QString, text);
    QFETCH(QString, quoted);
    QCOMPARE(Quotes(text), quoted);
}

QTEST_GUILESS_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
