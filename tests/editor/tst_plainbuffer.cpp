// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plainbuffer.h"

#include <QTest>

// The behaviour PlainBuffer shares with the editor's buffer is tested on both in tst_editorbuffer; here
// is what is PlainBuffer's own.
class TestPlainBuffer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void constructorMakesBreaksCrLf();
    void lineIndexFollowsEveryChange();
    void manyLines();
};

void TestPlainBuffer::constructorMakesBreaksCrLf()
{
    const PlainBuffer buffer(QStringLiteral("a\nb\rc"));
    QCOMPARE(buffer.text(), QStringLiteral("a\r\nb\r\nc"));
    QCOMPARE(buffer.lineCount(), 3);
    QCOMPARE(buffer.selStart(), 0);
    QCOMPARE(buffer.selLength(), 0);
}

void TestPlainBuffer::lineIndexFollowsEveryChange()
{
    PlainBuffer buffer(QStringLiteral("one\r\ntwo"));
    QCOMPARE(buffer.lineCount(), 2); // builds the index
    buffer.setSelStart(3);
    buffer.setSelText(QStringLiteral("\r\n\r\n"));
    QCOMPARE(buffer.lineCount(), 4);
    QCOMPARE(buffer.positionFromLine(3), 9);
    QCOMPARE(buffer.line(3), QStringLiteral("two"));

    buffer.select(0, buffer.length());
    buffer.setSelText(QStringLiteral("x"));
    QCOMPARE(buffer.lineCount(), 1);
    QCOMPARE(buffer.positionFromLine(1), 1);
    QCOMPARE(buffer.lineFromPosition(1), 0);

    buffer.setText(QStringLiteral("a\r\nb\r\nc\r\n"));
    QCOMPARE(buffer.lineCount(), 4);
    QCOMPARE(buffer.line(2), QStringLiteral("c"));
}

void TestPlainBuffer::manyLines()
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QString::number(i) + QStringLiteral("\r\n");
    PlainBuffer buffer(text);
    QCOMPARE(buffer.lineCount(), 20001);
    int position = 0;
    for (int i = 0; i < 20000; i += 1234) {
        position
            = int(text.indexOf(QStringLiteral("\r\n") + QString::number(i) + QStringLiteral("\r\n"))) + 2;
        if (i == 0)
            position = 0;
        QCOMPARE(buffer.positionFromLine(i), position);
        QCOMPARE(buffer.line(i), QString::number(i));
        QCOMPARE(buffer.lineFromPosition(position + 1), i);
    }
    QCOMPARE(buffer.line(20000), QString());
    QCOMPARE(buffer.positionFromLine(20000), buffer.length());
}

QTEST_GUILESS_MAIN(TestPlainBuffer)
#include "tst_plainbuffer.moc"
