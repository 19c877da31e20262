// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ui/sourceeditor.h"

#include "app/ui/documentpage.h"
#include "editor/ui/editorbuffer.h"

#include <QLabel>
#include <QTest>

using Sci = QsciScintillaBase;

namespace {

constexpr int kb = 1024;

struct Page
{
    TDocumentPage page { 1, 1 };
    TSourceEditor *editor = page.editor();
    EditorBuffer &buffer = page.buffer();
    QLabel *note = page.findChild<QLabel *>(QStringLiteral("WrapNote"));

    Page()
    {
        page.resize(600, 400);
        page.show();
        editor->setWordWrap(true);
    }
    bool wrapping() const { return editor->SendScintilla(Sci::SCI_GETWRAPMODE) == Sci::SC_WRAP_WORD; }
    bool noteShown() const { return note && note->isVisibleTo(&page); }
    void replace(int start, int length, const QString &text)
    {
        buffer.select(start, length);
        buffer.setSelText(text);
    }
};

} // namespace

class TestLongLines : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aLongLineIsShownUnwrappedUntilItIsShort();
    void splitAndJoinedLinesAreFollowed();
};

void TestLongLines::aLongLineIsShownUnwrappedUntilItIsShort()
{
    Page p;
    QVERIFY(p.note);
    QVERIFY(p.wrapping());
    QVERIFY(!p.noteShown());

    // A 1 MB line opens unwrapped at once, with the note; the wish for wrapping stays.
    const QString line = QStringLiteral("<p>") + QString(kb * kb, u'a') + QStringLiteral("</p>");
    p.page.loadText(QStringLiteral("<html>\r\n") + line + QStringLiteral("\r\n</html>"));
    QVERIFY(!p.wrapping());
    QVERIFY(p.editor->wordWrap());
    QVERIFY(p.editor->wrapSuspended());
    QVERIFY(p.noteShown());
    QVERIFY(!p.editor->isReadOnly());

    // Keys still go in.
    p.buffer.setSelStart(20);
    QTest::keyClicks(p.editor, QStringLiteral("xyz"));
    QCOMPARE(p.buffer.textRange(20, 23), QStringLiteral("xyz"));

    // Shortened below the limit, the page wraps again and the note goes.
    p.replace(100, 700 * kb, QString());
    QTRY_VERIFY(p.wrapping());
    QVERIFY(!p.editor->wrapSuspended());
    QVERIFY(!p.noteShown());

    // Pasted into again, it is long again.
    p.replace(100, 0, QString(600 * kb, u'b'));
    QTRY_VERIFY(!p.wrapping());
    QVERIFY(p.noteShown());

    // Switching wrap off hides the note, switching it on shows it again, and wraps nothing meanwhile.
    p.editor->setWordWrap(false);
    QVERIFY(!p.noteShown());
    QVERIFY(!p.wrapping());
    p.editor->setWordWrap(true);
    QVERIFY(p.noteShown());
    QVERIFY(!p.wrapping());

    // A short text put in whole wraps at once.
    p.page.loadText(QStringLiteral("<p>short</p>"));
    QVERIFY(p.wrapping());
    QVERIFY(!p.noteShown());
}

void TestLongLines::splitAndJoinedLinesAreFollowed()
{
    Page p;
    // Two long halves after a line break is typed in the middle: still unwrapped.
    p.page.loadText(QString(1200 * kb, u'c'));
    QVERIFY(p.editor->wrapSuspended());
    p.replace(600 * kb, 0, QStringLiteral("\r\n"));
    QCoreApplication::processEvents();
    QVERIFY(p.editor->wrapSuspended());
    QCOMPARE(p.buffer.lineCount(), 2);

    // The first half made short: the second still holds the page unwrapped.
    p.replace(0, 200 * kb, QString());
    QCoreApplication::processEvents();
    QVERIFY(p.editor->wrapSuspended());
    // Then the second.
    p.replace(400 * kb + 2, 200 * kb, QString());
    QTRY_VERIFY(p.wrapping());
    QVERIFY(!p.noteShown());

    // Joining the two short lines makes one long line again.
    p.replace(400 * kb, 2, QString());
    QTRY_VERIFY(!p.wrapping());
    QVERIFY(p.noteShown());
    QCOMPARE(p.buffer.length(), 800 * kb);
}

QTEST_MAIN(TestLongLines)
#include "tst_longlines.moc"
