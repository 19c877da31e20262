// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bodyattributes.h"
#include "editor/plainbuffer.h"

#include <QTest>

using namespace BodyAttributes;

class TestBodyAttributes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsValues_data();
    void readsValues();
    void missingAttributeIsAddedWithTheDefault();
    void malformedTagAndTheCaret();
    void writeReplacesOnlyTheValue_data();
    void writeReplacesOnlyTheValue();
};

void TestBodyAttributes::readsValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quoted name") << QStringLiteral("<html><body bgcolor=\"red\">")
                                 << QStringLiteral("BGCOLOR=") << QStringLiteral("red");
    QTest::newRow("unquoted code") << QStringLiteral("<html><BODY TEXT=#000000 BGCOLOR=#00ff00>")
                                   << QStringLiteral("BGCOLOR=") << QStringLiteral("#00ff00");
    QTest::newRow("not inside VLINK") << QStringLiteral("<html><body vlink=red link=blue>")
                                      << QStringLiteral("LINK=") << QStringLiteral("blue");
    QTest::newRow("not inside a quoted value")
        << QStringLiteral("<html><body title=\"x bgcolor=red\" bgcolor=navy>") << QStringLiteral("BGCOLOR=")
        << QStringLiteral("navy");
    QTest::newRow("quoted value with a blank")
        << QStringLiteral("<html><body background=\"my pic.gif\" text=red>") << QStringLiteral("BACKGROUND=")
        << QStringLiteral("my pic.gif");
    QTest::newRow("blanks around =") << QStringLiteral("<html><body bgcolor = white>")
                                     << QStringLiteral("BGCOLOR=") << QStringLiteral("white");
}

void TestBodyAttributes::readsValues()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    PlainBuffer buffer(text);
    const Reading reading = read(buffer, name, QStringLiteral("#FFFFFF"), Case::Upper);
    QVERIFY(reading.bodyPresent);
    QVERIFY(!reading.added);
    QCOMPARE(reading.value, expected);
    QCOMPARE(buffer.text(), text);
}

void TestBodyAttributes::missingAttributeIsAddedWithTheDefault()
{
    PlainBuffer buffer(QStringLiteral("<html><BODY TEXT=#000000>"));
    Reading reading = read(buffer, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), Case::Upper);
    QVERIFY(reading.added);
    QCOMPARE(reading.value, QStringLiteral("#FFFFFF"));
    QCOMPARE(buffer.text(), QStringLiteral("<html><BODY BGCOLOR=#FFFFFF TEXT=#000000>"));

    // No BODY tag, a BODY at the very start, or one never closed: nothing changes.
    for (const QString &text : { QStringLiteral("<p>x</p>"), QStringLiteral("<body text=red>"),
             QStringLiteral("<html><body text=red") }) {
        PlainBuffer other(text);
        reading = read(other, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), Case::Lower);
        QVERIFY(!reading.bodyPresent);
        QCOMPARE(reading.value, QStringLiteral("#FFFFFF"));
        QCOMPARE(other.text(), text);
        QVERIFY(!write(other, QStringLiteral("BGCOLOR="), QStringLiteral("red"), Case::Lower));
        QCOMPARE(other.text(), text);
    }
}

void TestBodyAttributes::malformedTagAndTheCaret()
{
    // A quote another attribute leaves open makes the tag unreadable: nothing is added or read from it.
    const QString broken = QStringLiteral("<html><body title=\"oops bgcolor=red>");
    PlainBuffer buffer(broken);
    Reading reading = read(buffer, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), Case::Lower);
    QVERIFY(reading.bodyPresent);
    QVERIFY(!reading.added);
    QCOMPARE(reading.value, QStringLiteral("#FFFFFF"));
    QCOMPARE(buffer.text(), broken);

    // The attribute goes in before the caret, which stays after the tag's ">"; a selection over the
    // insertion point grows with it.
    const QString page = QStringLiteral("<html><body>\r\nText");
    PlainBuffer caret(page);
    caret.select(int(page.indexOf(u'>', 7)) + 1, 0);
    read(caret, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), Case::Lower);
    QCOMPARE(caret.text(), QStringLiteral("<html><body bgcolor=#ffffff>\r\nText"));
    QCOMPARE(caret.selStart(), int(caret.text().indexOf(u'>', 7)) + 1);
    QCOMPARE(caret.selLength(), 0);
    PlainBuffer spanning(page);
    spanning.select(2, 12);
    write(spanning, QStringLiteral("TEXT="), QStringLiteral("red"), Case::Upper);
    QCOMPARE(spanning.text(), QStringLiteral("<html><body TEXT=RED>\r\nText"));
    QCOMPARE(spanning.selStart(), 2);
    QCOMPARE(spanning.selLength(), 12 + 9);
    PlainBuffer before(page);
    before.select(1, 0);
    read(before, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), Case::Lower);
    QCOMPARE(before.selStart(), 1);

    // peek reads the same values and never writes.
    PlainBuffer plain(QStringLiteral("<html><body text=red>"));
    QCOMPARE(peek(plain, QStringLiteral("TEXT="), QStringLiteral("black")).value, QStringLiteral("red"));
    const Reading missing = peek(plain, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"));
    QVERIFY(missing.bodyPresent && !missing.added);
    QCOMPARE(missing.value, QStringLiteral("#FFFFFF"));
    QCOMPARE(plain.text(), QStringLiteral("<html><body text=red>"));
}

void TestBodyAttributes::writeReplacesOnlyTheValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("letterCase");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quoted name by code")
        << QStringLiteral("<html><body bgcolor=\"White\" text=black>") << QStringLiteral("#0000ff")
        << int(Case::Upper) << QStringLiteral("<html><body bgcolor=#0000FF text=black>");
    QTest::newRow("unquoted by quoted name")
        << QStringLiteral("<html><BODY BGCOLOR=#FFFFFF>") << QStringLiteral("\"Red\"") << int(Case::Lower)
        << QStringLiteral("<html><BODY BGCOLOR=\"red\">");
    QTest::newRow("VLINK untouched") << QStringLiteral("<html><body vlink=red link=blue>")
                                     << QStringLiteral("navy") << int(Case::Lower)
                                     << QStringLiteral("<html><body vlink=red link=navy>");
    QTest::newRow("missing is added")
        << QStringLiteral("<html><body text=red>") << QStringLiteral("#FFFFFF") << int(Case::Upper)
        << QStringLiteral("<html><body BGCOLOR=#FFFFFF text=red>");
    QTest::newRow("unclosed quote left alone")
        << QStringLiteral("<html><body bgcolor=\"red>") << QStringLiteral("blue") << int(Case::Lower)
        << QStringLiteral("<html><body bgcolor=\"red>");
    QTest::newRow("another attribute's open quote left alone")
        << QStringLiteral("<html><body title=\"oops bgcolor=red>") << QStringLiteral("blue")
        << int(Case::Lower) << QStringLiteral("<html><body title=\"oops bgcolor=red>");
}

void TestBodyAttributes::writeReplacesOnlyTheValue()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(int, letterCase);
    QFETCH(QString, expected);
    PlainBuffer buffer(text);
    const QString name = QTest::currentDataTag() == QByteArray("VLINK untouched")
        ? QStringLiteral("LINK=")
        : QStringLiteral("BGCOLOR=");
    write(buffer, name, value, Case(letterCase));
    QCOMPARE(buffer.text(), expected);
}

QTEST_GUILESS_MAIN(TestBodyAttributes)
#include "tst_bodyattributes.moc"
