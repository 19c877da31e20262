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
