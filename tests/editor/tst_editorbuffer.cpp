// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ui/sourceeditor.h"

#include "editor/plainbuffer.h"
#include "editor/ui/editorbuffer.h"

#include <QAccessible>
#include <QAction>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>

#include <iterator>
#include <memory>

using Sci = QsciScintillaBase;

namespace {

// Every scenario runs on a PlainBuffer and on an EditorBuffer over a real editor, with the same
// expectations: commands are tested on the first and run on the second.
struct Scenario
{
    const char *name;
    void (*run)(SourceBuffer &buffer);
};

const QString emoji = QStringLiteral("\U0001F600");

void selection(SourceBuffer &b)
{
    b.setText(QStringLiteral("abc\r\ndef"));
    QCOMPARE(b.length(), 8);
    b.select(1, 2);
    QCOMPARE(b.selStart(), 1);
    QCOMPARE(b.selLength(), 2);
    QCOMPARE(b.selText(), QStringLiteral("bc"));
    b.setSelStart(4);
    QCOMPARE(b.selStart(), 4);
    QCOMPARE(b.selLength(), 0);
    b.setSelLength(100);
    QCOMPARE(b.selLength(), 4);
    QCOMPARE(b.selText(), QStringLiteral("\ndef"));
    b.setSelStart(-5);
    QCOMPARE(b.selStart(), 0);
    b.setSelStart(1000);
    QCOMPARE(b.selStart(), 8);
    b.setSelStart(2);
    b.setSelLength(-3);
    QCOMPARE(b.selLength(), 0);
    b.select(3, 2);
    QCOMPARE(b.selText(), QStringLiteral("\r\n"));
    b.setText(QStringLiteral("xyz"));
    QCOMPARE(b.selStart(), 0);
    QCOMPARE(b.selLength(), 0);
}

void replaceSelection(SourceBuffer &b)
{
    b.setText(QStringLiteral("Hello world"));
    b.select(0, 0);
    b.setSelText(QStringLiteral("<b>"));
    QCOMPARE(b.text(), QStringLiteral("<b>Hello world"));
    QCOMPARE(b.selStart(), 3);
    QCOMPARE(b.selLength(), 0);

    b.select(9, 5);
    QCOMPARE(b.selText(), QStringLiteral("world"));
    b.setSelText(QStringLiteral("there"));
    QCOMPARE(b.text(), QStringLiteral("<b>Hello there"));
    QCOMPARE(b.selStart(), 14);

    b.setSelStart(b.length());
    b.setSelText(QStringLiteral("</b>"));
    QCOMPARE(b.text(), QStringLiteral("<b>Hello there</b>"));
    QCOMPARE(b.selStart(), b.length());

    b.select(3, 6);
    b.setSelText(QString());
    QCOMPARE(b.text(), QStringLiteral("<b>there</b>"));
    QCOMPARE(b.selStart(), 3);
    QCOMPARE(b.selLength(), 0);
}

void replaceAcrossLines(SourceBuffer &b)
{
    b.setText(QStringLiteral("one\r\ntwo\r\nthree"));
    QCOMPARE(b.lineCount(), 3);
    b.select(2, 9);
    QCOMPARE(b.selText(), QStringLiteral("e\r\ntwo\r\nt"));
    b.setSelText(QStringLiteral("X\nY"));
    QCOMPARE(b.text(), QStringLiteral("onX\r\nYhree"));
    QCOMPARE(b.selStart(), 6);
    QCOMPARE(b.lines(), (QStringList { QStringLiteral("onX"), QStringLiteral("Yhree") }));
    QCOMPARE(b.positionFromLine(1), 5);

    // Replacing a break alone joins the lines.
    b.select(3, 2);
    b.setSelText(QString());
    QCOMPARE(b.lineCount(), 1);
    QCOMPARE(b.line(0), QStringLiteral("onXYhree"));
}

void nonAscii(SourceBuffer &b)
{
    // é is one code unit, the emoji two; the editor holds them as two and four bytes.
    b.setText(QStringLiteral("caf\u00e9 ") + emoji + QStringLiteral(" na\u00efve\r\n\u00e7\u00e0!"));
    QCOMPARE(b.length(), 18);
    QCOMPARE(b.charAt(3), QChar(0xe9));
    b.select(5, 2);
    QCOMPARE(b.selText(), emoji);
    b.select(8, 5);
    QCOMPARE(b.selText(), QStringLiteral("na\u00efve"));
    QCOMPARE(b.textRange(3, 9), QStringLiteral("\u00e9 ") + emoji + QStringLiteral(" n"));
    QCOMPARE(b.lineFromPosition(12), 0);
    QCOMPARE(b.lineFromPosition(15), 1);
    QCOMPARE(b.positionFromLine(1), 15);
    QCOMPARE(b.line(1), QStringLiteral("\u00e7\u00e0!"));
    QCOMPARE(b.charAt(17), QChar(u'!'));

    b.select(5, 2);
    b.setSelText(QStringLiteral("\u00fc") + emoji + emoji);
    QCOMPARE(b.selStart(), 10);
    QCOMPARE(b.text(),
        QStringLiteral("caf\u00e9 \u00fc") + emoji + emoji + QStringLiteral(" na\u00efve\r\n\u00e7\u00e0!"));
    b.select(13, 6);
    QCOMPARE(b.selText(), QStringLiteral("\u00efve\r\n\u00e7"));
    b.setSelText(QStringLiteral("|"));
    QCOMPARE(b.text(), QStringLiteral("caf\u00e9 \u00fc") + emoji + emoji + QStringLiteral(" na|\u00e0!"));
    QCOMPARE(b.selStart(), 14);
}

void insideSurrogatePair(SourceBuffer &b)
{
    b.setText(QStringLiteral("a") + emoji + QStringLiteral("b"));
    // The caret cannot sit between the halves: a start goes back, an end forward.
    b.setSelStart(2);
    QCOMPARE(b.selStart(), 1);
    QCOMPARE(b.selLength(), 0);
    b.setSelLength(1);
    QCOMPARE(b.selLength(), 2);
    QCOMPARE(b.selText(), emoji);
    b.select(0, 2);
    QCOMPARE(b.selLength(), 3);
    // Reading a range gives exactly the code units asked for, as QString::mid does.
    QCOMPARE(b.textRange(2, 4), emoji.right(1) + QStringLiteral("b"));
    QCOMPARE(b.textRange(0, 2), QStringLiteral("a") + emoji.left(1));
    QCOMPARE(b.charAt(1), emoji.at(0));
    QCOMPARE(b.charAt(2), emoji.at(1));
    QCOMPARE(b.findText(QStringLiteral("b"), 2, 2), 3);
    QCOMPARE(b.findText(emoji, 2, 2), -1);
}

void lineBreaksMadeCrLf(SourceBuffer &b)
{
    b.setText(QStringLiteral("a\nb\rc\r\nd\n\r"));
    QCOMPARE(b.text(), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n"));
    QCOMPARE(b.lineCount(), 6);
    b.select(1, 0);
    b.setSelText(QStringLiteral("x\ny\r"));
    QCOMPARE(b.textRange(0, 9), QStringLiteral("ax\r\ny\r\n\r\n"));
    QCOMPARE(b.selStart(), 7);
    QCOMPARE(b.lineCount(), 8);
}

void findText(SourceBuffer &b)
{
    b.setText(QStringLiteral("<P>Para</p>\r\n<p class=x>\u00c9t\u00e9</P>"));
    QCOMPARE(b.findText(QStringLiteral("</p>"), 0, b.length()), 7);
    QCOMPARE(b.findText(QStringLiteral("</p>"), 0, b.length(), Search::MatchCase), 7);
    QCOMPARE(b.findText(QStringLiteral("</P>"), 0, b.length(), Search::MatchCase), 27);
    QCOMPARE(b.findText(QStringLiteral("</p>"), 8, b.length()), 27);
    QCOMPARE(b.findText(QStringLiteral("</p>"), 8, -1), 27);
    // The match must end inside the range.
    QCOMPARE(b.findText(QStringLiteral("</p>"), 0, 10), -1);
    QCOMPARE(b.findText(QStringLiteral("</p>"), 0, 11), 7);
    QCOMPARE(b.findText(QStringLiteral("\u00e9t\u00e9"), 0, b.length()), 24);
    QCOMPARE(b.findText(QStringLiteral("\u00e9t\u00e9"), 0, b.length(), Search::MatchCase), -1);
    QCOMPARE(b.findText(QStringLiteral(">\r\n<"), 0, b.length()), 10);
    QCOMPARE(b.findText(QStringLiteral("p"), 14, 10, Search::WholeWord), 14);
    QCOMPARE(b.findText(QStringLiteral("x"), 0, b.length(), Search::WholeWord), 22);
    QCOMPARE(b.findText(QStringLiteral("para"), 0, b.length(), Search::WholeWord), 3);
    QCOMPARE(b.findText(QStringLiteral("par"), 0, b.length(), Search::WholeWord), -1);
    QCOMPARE(b.findText(QString(), 0, b.length()), -1);
    QCOMPARE(b.findText(QStringLiteral("<P>"), -10, 5), 0);
    QCOMPARE(b.findText(QStringLiteral("<"), b.length() + 5, 5), -1);
}

void lines(SourceBuffer &b)
{
    b.setText(QString());
    QCOMPARE(b.lineCount(), 1);
    QCOMPARE(b.line(0), QString());
    QCOMPARE(b.positionFromLine(0), 0);
    QCOMPARE(b.positionFromLine(1), 0);
    QCOMPARE(b.positionFromLine(2), -1);
    QCOMPARE(b.lineFromPosition(0), 0);

    b.setText(QStringLiteral("ab\r\n\r\ncd\r\n"));
    QCOMPARE(b.lineCount(), 4);
    QCOMPARE(b.lines(), (QStringList { QStringLiteral("ab"), QString(), QStringLiteral("cd"), QString() }));
    QCOMPARE(b.line(-1), QString());
    QCOMPARE(b.line(4), QString());
    QCOMPARE(b.positionFromLine(0), 0);
    QCOMPARE(b.positionFromLine(1), 4);
    QCOMPARE(b.positionFromLine(2), 6);
    QCOMPARE(b.positionFromLine(3), 10);
    QCOMPARE(b.positionFromLine(4), 10);
    QCOMPARE(b.positionFromLine(5), -1);
    QCOMPARE(b.positionFromLine(-1), -1);
    // The break belongs to the line it ends.
    QCOMPARE(b.lineFromPosition(2), 0);
    QCOMPARE(b.lineFromPosition(3), 0);
    QCOMPARE(b.lineFromPosition(4), 1);
    QCOMPARE(b.lineFromPosition(9), 2);
    QCOMPARE(b.lineFromPosition(10), 3);
    QCOMPARE(b.lineFromPosition(99), 3);
    QCOMPARE(b.lineFromPosition(-1), 0);

    // The line index follows edits.
    b.select(6, 0);
    b.setSelText(QStringLiteral("x\r\n"));
    QCOMPARE(b.lineCount(), 5);
    QCOMPARE(b.line(2), QStringLiteral("x"));
    QCOMPARE(b.positionFromLine(3), 9);
    QCOMPARE(b.lineFromPosition(9), 3);
}

void nulCharacters(SourceBuffer &b)
{
    const QString withNul = QStringLiteral("a") + QChar(0) + QStringLiteral("b\r\nc");
    b.setText(withNul);
    QCOMPARE(b.text(), withNul);
    QCOMPARE(b.length(), 6);
    QCOMPARE(b.line(1), QStringLiteral("c"));
    b.select(2, 1);
    b.setSelText(QStringLiteral("x") + QChar(0));
    QCOMPARE(b.textRange(0, 4), QStringLiteral("a") + QChar(0) + QStringLiteral("x") + QChar(0));
}

void editsInsideALineBreak(SourceBuffer &b)
{
    // A deletion from between CR and LF takes the whole break: no lone LF is left to miscount.
    b.setText(QStringLiteral("ab\r\ncd\r\nef"));
    b.select(3, 2);
    b.setSelText(QString());
    QCOMPARE(b.text(), QStringLiteral("abd\r\nef"));
    QCOMPARE(b.length(), 7);
    QCOMPARE(b.selStart(), 2);
    QCOMPARE(b.lineCount(), 2);
    QCOMPARE(b.textRange(3, 7), QStringLiteral("\r\nef"));
    QCOMPARE(b.line(1), QStringLiteral("ef"));
    // One that ends there takes it too.
    b.setText(QStringLiteral("ab\r\ncd"));
    b.select(1, 2);
    b.setSelText(QStringLiteral("X"));
    QCOMPARE(b.text(), QStringLiteral("aXcd"));
    QCOMPARE(b.length(), 4);
    QCOMPARE(b.selStart(), 2);
    QCOMPARE(b.lineCount(), 1);
    // Text put in between CR and LF goes before the break.
    b.setText(QStringLiteral("a\u00e9\r\nb"));
    b.select(3, 0);
    b.setSelText(QStringLiteral("x"));
    QCOMPARE(b.text(), QStringLiteral("a\u00e9x\r\nb"));
    QCOMPARE(b.selStart(), 3);
    QCOMPARE(b.positionFromLine(1), 5);
    QCOMPARE(b.length(), 6);
}

const Scenario scenarios[] = {
    { "selection", selection },
    { "replace selection", replaceSelection },
    { "replace across lines", replaceAcrossLines },
    { "non-ASCII", nonAscii },
    { "inside a surrogate pair", insideSurrogatePair },
    { "line breaks made CR LF", lineBreaksMadeCrLf },
    { "find text", findText },
    { "lines", lines },
    { "NUL characters", nulCharacters },
    { "edits inside a line break", editsInsideALineBreak },
};

} // namespace

class TestEditorBuffer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameBehaviour_data();
    void sameBehaviour();
    void findMatchesBaseClass();
    void findAtPieceBoundaries();
    void bigDocumentPositions();
    void editorConfiguration();
    void undoKeysReachTheWindow();
    void tabAndEnterAreText();
    void loadUtf8();
    void indexReferences();
};

void TestEditorBuffer::sameBehaviour_data()
{
    QTest::addColumn<bool>("editor");
    QTest::addColumn<int>("scenario");
    for (int i = 0; i < int(std::size(scenarios)); ++i) {
        QTest::addRow("plain: %s", scenarios[i].name) << false << i;
        QTest::addRow("editor: %s", scenarios[i].name) << true << i;
    }
}

void TestEditorBuffer::sameBehaviour()
{
    QFETCH(bool, editor);
    QFETCH(int, scenario);
    if (editor) {
        TSourceEditor widget;
        EditorBuffer buffer(&widget);
        scenarios[scenario].run(buffer);
    } else {
        PlainBuffer buffer;
        scenarios[scenario].run(buffer);
    }
}

void TestEditorBuffer::findMatchesBaseClass()
{
    // The editor's piecewise search against the base class's, which searches one copied range, over
    // every range of a short text.
    TSourceEditor widget;
    EditorBuffer buffer(&widget);
    buffer.setText(QStringLiteral("Ab_ab AB\u00e9\u00c9 ") + emoji + QStringLiteral("x\r\nab\u00c9a_b\r\n"));
    const QStringList needles = { QStringLiteral("ab"), QStringLiteral("AB"), QStringLiteral("\u00e9"),
        QStringLiteral("\u00c9"), emoji, QStringLiteral("a_b"), QStringLiteral("\r\n"), QStringLiteral("x"),
        emoji + QStringLiteral("X") };
    const Search::Options optionSets[]
        = { Search::NoOptions, Search::MatchCase, Search::WholeWord, Search::MatchCase | Search::WholeWord };
    const int size = buffer.length();
    int compared = 0;
    for (const QString &needle : needles) {
        for (const Search::Options options : optionSets) {
            for (int start = -1; start <= size + 1; ++start) {
                for (int length = -1; start + length <= size + 1; ++length) {
                    const int expected = buffer.SourceBuffer::findText(needle, start, length, options);
                    const int found = buffer.findText(needle, start, length, options);
                    if (found != expected)
                        QFAIL(qPrintable(QStringLiteral("\"%1\" from %2 for %3, options %4: %5 instead of %6")
                                             .arg(needle)
                                             .arg(start)
                                             .arg(length)
                                             .arg(int(options))
                                             .arg(found)
                                             .arg(expected)));
                    ++compared;
                }
            }
        }
    }
    QVERIFY(compared > 10000);
}

void TestEditorBuffer::findAtPieceBoundaries()
{
    // The search decodes 16 KB first, then 32 KB more: matches and their neighbours are put right
    // around those byte offsets, after fillers of one, two and four bytes a character.
    TSourceEditor widget;
    EditorBuffer buffer(&widget);
    const struct
    {
        QString filler;
        int bytes; // per code unit
    } fillers[] = { { QStringLiteral("."), 1 }, { QStringLiteral("\u00e9"), 2 }, { emoji, 2 } };
    for (const auto &[filler, bytes] : fillers) {
        for (const int boundary : { 16 * 1024, 48 * 1024 }) {
            for (int shift = -20; shift <= 4; ++shift) {
                QString text = filler.repeated((boundary / bytes + shift) / int(filler.size()));
                const int first = int(text.size());
                text += QStringLiteral("Needlex xneedle needle ") + filler.repeated(9000);
                buffer.setText(text);
                const QString context = QStringLiteral(" at %1 after %2").arg(first).arg(filler);
                QVERIFY2(buffer.findText(QStringLiteral("NEEDLE"), 0, -1) == first, qPrintable(context));
                QVERIFY2(buffer.findText(QStringLiteral("needle"), 0, -1, Search::WholeWord) == first + 16,
                    qPrintable(context));
                QVERIFY2(buffer.findText(QStringLiteral("x x"), 0, -1, Search::MatchCase) == first + 6,
                    qPrintable(context));
            }
        }
    }
}

void TestEditorBuffer::bigDocumentPositions()
{
    // 2 MB of ASCII lines, then multibyte text at the end, then one long line holding both.
    QString text;
    const QString asciiLine = QStringLiteral("<p>plain text line, nothing but ASCII here</p>\r\n");
    while (text.size() < 2'000'000)
        text += asciiLine;
    const int tailStart = int(text.size());
    const QString tail = QStringLiteral("\u00e9t\u00e9 ") + emoji + QStringLiteral(" \u4e2d\u6587\r\n");
    text += tail;
    const int longLineStart = int(text.size());
    for (int i = 0; i < 20000; ++i)
        text += (i % 7 ? QStringLiteral("ab") : QStringLiteral("\u00e9") + emoji);
    text += QStringLiteral("END");

    TSourceEditor widget;
    EditorBuffer buffer(&widget);
    buffer.setText(text);
    PlainBuffer plain(text);

    QCOMPARE(buffer.length(), int(text.size()));
    QCOMPARE(buffer.lineCount(), plain.lineCount());
    const int tailLine = plain.lineFromPosition(tailStart);
    QCOMPARE(buffer.lineFromPosition(tailStart + 6), tailLine);
    QCOMPARE(buffer.positionFromLine(tailLine), tailStart);
    QCOMPARE(buffer.positionFromLine(tailLine + 1), longLineStart);
    QCOMPARE(buffer.line(tailLine), tail.chopped(2));
    QCOMPARE(buffer.textRange(tailStart + 4, tailStart + 6), emoji);
    QCOMPARE(buffer.textRange(buffer.length() - 5, buffer.length()), text.right(5));
    for (const int position : { tailStart, tailStart + 3, tailStart + 7, longLineStart + 1234,
             longLineStart + 40001, int(text.size()) - 3 }) {
        QCOMPARE(buffer.charAt(position), text.at(position));
        QCOMPARE(buffer.lineFromPosition(position), plain.lineFromPosition(position));
    }

    // Selecting and replacing near the end puts the bytes in the right place.
    buffer.select(tailStart + 4, 2);
    QCOMPARE(buffer.selText(), emoji);
    buffer.setSelText(QStringLiteral("\u00fc"));
    text.replace(tailStart + 4, 2, QStringLiteral("\u00fc"));
    QCOMPARE(buffer.selStart(), tailStart + 5);
    const int endOfLong = int(text.size()) - 3;
    buffer.select(endOfLong, 3);
    QCOMPARE(buffer.selText(), QStringLiteral("END"));
    QCOMPARE(buffer.selStart(), endOfLong);
    QCOMPARE(buffer.text(), text);
}

void TestEditorBuffer::editorConfiguration()
{
    TSourceEditor editor;
    QCOMPARE(editor.SendScintilla(Sci::SCI_GETCODEPAGE), long(Sci::SC_CP_UTF8));
    QCOMPARE(editor.SendScintilla(Sci::SCI_GETEOLMODE), long(Sci::SC_EOL_CRLF));
    QCOMPARE(editor.SendScintilla(Sci::SCI_GETMODEVENTMASK),
        long(Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE));
    QCOMPARE(editor.SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) & Sci::SC_LINECHARACTERINDEX_UTF16,
        long(Sci::SC_LINECHARACTERINDEX_UTF16));
    // Not QScintilla's accessible text, which counts the whole buffer up to the caret on every move.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&editor);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QVERIFY(!accessible->textInterface());

    EditorBuffer buffer(&editor);
    buffer.setText(QStringLiteral("abc"));
    buffer.select(1, 1);
    buffer.setSelText(QStringLiteral("x"));
    QCOMPARE(buffer.text(), QStringLiteral("axc"));
    QCOMPARE(editor.SendScintilla(Sci::SCI_CANUNDO), 0L);

    editor.setWordWrap(true);
    QCOMPARE(editor.SendScintilla(Sci::SCI_GETWRAPMODE), long(Sci::SC_WRAP_WORD));
    QVERIFY(editor.wordWrap());
    editor.setWordWrap(false);
    QVERIFY(!editor.wordWrap());

    // Text is drawn in style 0 until the colouring engine comes, so the default must reach it.
    editor.setColours(QColor(0x12, 0x34, 0x56), QColor(0xfe, 0xdc, 0xba));
    editor.setFont(QStringLiteral("Courier New"), 13);
    QCOMPARE(editor.SendScintilla(Sci::SCI_STYLEGETFORE, 0UL), 0x563412L);
    QCOMPARE(editor.SendScintilla(Sci::SCI_STYLEGETBACK, 0UL), 0xbadcfeL);
    QCOMPARE(editor.SendScintilla(Sci::SCI_STYLEGETSIZE, 0UL), 13L);
    char font[64] = {};
    editor.SendScintilla(Sci::SCI_STYLEGETFONT, 0UL, static_cast<void *>(font));
    QCOMPARE(QByteArray(font), QByteArray("Courier New"));
}

void TestEditorBuffer::undoKeysReachTheWindow()
{
    QMainWindow window;
    auto *editor = new TSourceEditor(&window);
    window.setCentralWidget(editor);
    QAction undo(&window);
    undo.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction redo(&window);
    redo.setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) });
    window.addAction(&undo);
    window.addAction(&redo);
    QSignalSpy undone(&undo, &QAction::triggered);
    QSignalSpy redone(&redo, &QAction::triggered);
    window.show();
    window.activateWindow();
    editor->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Even with Scintilla's undo collecting, its keys must not undo anything.
    editor->SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 1L);
    QTest::keyClicks(editor, QStringLiteral("abc"));
    QCOMPARE(editor->text(), QStringLiteral("abc"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(editor->text(), QStringLiteral("abc"));
    QCOMPARE(undone.size(), 1);
    QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(redone.size(), 2);
    QCOMPARE(editor->text(), QStringLiteral("abc"));
}

void TestEditorBuffer::tabAndEnterAreText()
{
    TSourceEditor editor;
    editor.show();
    editor.activateWindow();
    editor.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    EditorBuffer buffer(&editor);
    buffer.setText(QStringLiteral("one\r\ntwo"));
    buffer.select(1, 5);
    QTest::keyClick(&editor, Qt::Key_Tab);
    QCOMPARE(buffer.text(), QStringLiteral("o\two"));
    QCOMPARE(buffer.selStart(), 2);
    QVERIFY(editor.hasFocus());
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(buffer.text(), QStringLiteral("o\t\r\nwo"));
    QCOMPARE(buffer.selStart(), 4);
    QCOMPARE(editor.SendScintilla(Sci::SCI_CANUNDO), 0L);
}

void TestEditorBuffer::loadUtf8()
{
    TSourceEditor editor;
    editor.resize(400, 200);
    editor.show();
    EditorBuffer buffer(&editor);
    QString lines;
    for (int i = 0; i < 500; ++i)
        lines += QStringLiteral("line %1 \u00e9\r\n").arg(i);
    buffer.setText(lines);
    buffer.setSelStart(buffer.length());
    QVERIFY(editor.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE) > 0);

    const QByteArray bytes = QByteArrayLiteral("first\r\nnul \0 inside \xc3\xa9");
    editor.loadUtf8(bytes);
    QCOMPARE(buffer.text(), QString::fromUtf8(bytes));
    QCOMPARE(buffer.length(), int(bytes.size()) - 1);
    QCOMPARE(buffer.selStart(), 0);
    QCOMPARE(editor.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE), 0L);

    editor.setReadOnly(true);
    buffer.setUtf8Text(QByteArrayLiteral("read-only pages load too"));
    QCOMPARE(buffer.text(), QStringLiteral("read-only pages load too"));
    QVERIFY(editor.isReadOnly());

    // Loading lets go of the UTF-16 index and takes it again: every holder keeps its reference.
    const auto indexed = [&editor] {
        return (editor.SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) & Sci::SC_LINECHARACTERINDEX_UTF16) != 0;
    };
    {
        EditorBuffer second(&editor);
        second.setText(QStringLiteral("\u00e9\u00e9\r\nab"));
        QCOMPARE(second.positionFromLine(1), 4);
    }
    QCOMPARE(buffer.positionFromLine(1), 4);
    editor.SendScintilla(Sci::SCI_RELEASELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
    QVERIFY(indexed()); // the buffer's own reference
    editor.SendScintilla(Sci::SCI_ALLOCATELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
}

void TestEditorBuffer::indexReferences()
{
    auto *editor = new TSourceEditor;
    const auto indexed = [editor] {
        return (editor->SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) & Sci::SC_LINECHARACTERINDEX_UTF16)
            != 0;
    };
    {
        EditorBuffer buffer(editor);
        buffer.setText(QStringLiteral("\u00e9\r\nx"));
        QCOMPARE(buffer.lineFromPosition(3), 1);
    }
    // The editor's own reference outlives the buffer's, and only it is left.
    QVERIFY(indexed());
    editor->SendScintilla(Sci::SCI_RELEASELINECHARACTERINDEX, Sci::SC_LINECHARACTERINDEX_UTF16);
    QVERIFY(!indexed());
    // A buffer outliving its editor does not touch it.
    auto buffer = std::make_unique<EditorBuffer>(editor);
    delete editor;
    QVERIFY(!buffer->editor());
}

QTEST_MAIN(TestEditorBuffer)
#include "tst_editorbuffer.moc"
