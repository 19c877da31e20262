// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/undolist.h"
#include "editor/plainbuffer.h"

#include <QTest>

#include <map>

namespace {

// The pages of a window and the undo handlers as the window runs them: activate the page the list
// names, then hand over that page's state.
struct Window
{
    UndoList undo;
    std::map<UndoPageId, PlainBuffer> pages;
    UndoPageId active = 0;
    int modifiedMarks = 0;

    PlainBuffer &page(UndoPageId id) { return pages[id]; }
    void activate(UndoPageId id)
    {
        if (id != active)
            undo.pageChanged();
        active = id;
    }
    // A command on the active page: record, then change the text.
    void command(const QString &name, const QString &newText)
    {
        undo.recordStep(active, undoStateOf(page(active)), name);
        page(active).setText(newText);
    }
    // A key typed at the end of the active page.
    void type(const QString &keys)
    {
        for (const QChar key : keys) {
            PlainBuffer &buffer = page(active);
            undo.typingKeyPress(active, [&] { return undoStateOf(buffer); });
            buffer.select(buffer.length(), 0);
            buffer.setSelText(QString(key));
        }
    }
    void apply(const std::optional<UndoRestore> &restore)
    {
        QVERIFY(restore.has_value());
        QCOMPARE(restore->page, active);
        applyUndoRestore(*restore, page(active));
        if (restore->pageModified)
            ++modifiedMarks;
    }
    void undoClick()
    {
        const std::optional<UndoPageId> id = undo.undoPage();
        QVERIFY(id.has_value());
        activate(*id);
        apply(undo.undo(*id, undoStateOf(page(*id))));
    }
    void redoClick()
    {
        const std::optional<UndoPageId> id = undo.redoPage();
        QVERIFY(id.has_value());
        activate(*id);
        apply(undo.redo(*id));
    }
};

UndoState stateOf(const QString &text)
{
    return { UndoText::fromString(text), 0, 0 };
}

} // namespace

class TestUndoList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keepsAtMostNineteenSteps();
    void hintsNameTheStepAndANewStepEndsRedo();
    void undoAndRedoSwitchToTheRecordedPage();
    void undoRefusesAnotherPageThanItNamed();
    void closingAPageSkipsItsSteps();
    void typingIsGroupedIntoBursts();
    void typingAfterUndoIsItsOwnStep();
    void snapshotsShareTheirText();
};

void TestUndoList::keepsAtMostNineteenSteps()
{
    Window w;
    w.page(1).setText(QStringLiteral("t0"));
    w.active = 1;
    for (int n = 1; n <= 25; ++n)
        w.command(QStringLiteral("Step %1").arg(n), QStringLiteral("t%1").arg(n));
    QCOMPARE(w.undo.undoCount(), 19);
    QCOMPARE(w.undo.undoDescription(), QStringLiteral("Step 25"));
    for (int n = 0; n < 19; ++n)
        w.undoClick();
    // The texts before steps 7 to 25 were kept; what came before step 7 is gone.
    QCOMPARE(w.page(1).text(), QStringLiteral("t6"));
    QVERIFY(!w.undo.canUndo());
    QVERIFY(!w.undo.undoPage().has_value());
    QCOMPARE(w.undo.redoCount(), 19);
    for (int n = 0; n < 19; ++n)
        w.redoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("t25"));
    QVERIFY(!w.undo.canRedo());
}

void TestUndoList::hintsNameTheStepAndANewStepEndsRedo()
{
    Window w;
    w.active = 1;
    QVERIFY(w.undo.undoHint().isEmpty());
    QVERIFY(w.undo.redoHint().isEmpty());

    w.page(1).setText(QStringLiteral("<b>cut me</b>"));
    w.command(QStringLiteral("Bold"), QStringLiteral("<b><b>cut me</b></b>"));
    w.command(QStringLiteral("Cut"), QStringLiteral("<b></b>"));
    QCOMPARE(w.undo.undoHint(), QStringLiteral("Undo Cut"));

    w.undoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("<b><b>cut me</b></b>"));
    QCOMPARE(w.undo.undoHint(), QStringLiteral("Undo Bold"));
    QCOMPARE(w.undo.redoHint(), QStringLiteral("Redo Cut"));

    w.command(QStringLiteral("Italic"), QStringLiteral("<i></i>"));
    QVERIFY(!w.undo.canRedo());
    QVERIFY(w.undo.redoHint().isEmpty());
    QVERIFY(!w.undo.redo(1).has_value());
    QCOMPARE(w.undo.undoHint(), QStringLiteral("Undo Italic"));
    QCOMPARE(w.undo.undoCount(), 2);

    // A change that was not recorded also leaves nothing to redo.
    w.undoClick();
    QVERIFY(w.undo.canRedo());
    w.undo.discardRedo();
    QVERIFY(!w.undo.canRedo());
    QCOMPARE(w.undo.undoHint(), QStringLiteral("Undo Bold"));
}

void TestUndoList::undoAndRedoSwitchToTheRecordedPage()
{
    Window w;
    w.page(1).setText(QStringLiteral("a0"));
    w.page(2).setText(QStringLiteral("b0"));
    w.activate(1);
    w.command(QStringLiteral("Bold"), QStringLiteral("a1"));
    w.activate(2);
    w.command(QStringLiteral("Cut"), QStringLiteral("b1"));
    w.activate(1);
    w.command(QStringLiteral("Italic"), QStringLiteral("a2"));
    // The user looks at page 2 when choosing Undo: page 1's step is undone, on page 1.
    w.activate(2);

    w.undoClick();
    QCOMPARE(w.active, UndoPageId(1));
    QCOMPARE(w.page(1).text(), QStringLiteral("a1"));
    QCOMPARE(w.page(2).text(), QStringLiteral("b1"));
    w.undoClick();
    QCOMPARE(w.active, UndoPageId(2));
    QCOMPARE(w.page(2).text(), QStringLiteral("b0"));
    w.undoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("a0"));

    // Redo steps forward page by page, each page getting back its own text.
    w.redoClick();
    QCOMPARE(w.active, UndoPageId(1));
    QCOMPARE(w.page(1).text(), QStringLiteral("a1"));
    QCOMPARE(w.page(2).text(), QStringLiteral("b0"));
    // Undoing again after a Redo still undoes page 1's step, not the page 2 step above it.
    w.undoClick();
    QCOMPARE(w.active, UndoPageId(1));
    QCOMPARE(w.page(1).text(), QStringLiteral("a0"));
    w.redoClick();
    w.redoClick();
    QCOMPARE(w.active, UndoPageId(2));
    QCOMPARE(w.page(2).text(), QStringLiteral("b1"));
    w.redoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("a2"));
    QCOMPARE(w.page(2).text(), QStringLiteral("b1"));
    // Every Undo and Redo left its page marked modified.
    QCOMPARE(w.modifiedMarks, 8);
}

void TestUndoList::undoRefusesAnotherPageThanItNamed()
{
    UndoList list;
    PlainBuffer pageOne(QStringLiteral("one before"));
    list.recordStep(1, undoStateOf(pageOne), QStringLiteral("Bold"));
    pageOne.setText(QStringLiteral("one after"));
    pageOne.select(4, 5);

    // A window that skipped the page switch offers the wrong page's text: nothing is taken from it.
    QVERIFY(!list.undo(2, stateOf(QStringLiteral("page two"))).has_value());
    QCOMPARE(list.undoCount(), 1);
    QVERIFY(!list.canRedo());

    const std::optional<UndoRestore> undone = list.undo(1, undoStateOf(pageOne));
    QVERIFY(undone.has_value());
    QCOMPARE(undone->state.text.toString(), QStringLiteral("one before"));
    QVERIFY(!list.redo(2).has_value());
    const std::optional<UndoRestore> redone = list.redo(1);
    QVERIFY(redone.has_value());
    QCOMPARE(redone->state.text.toString(), QStringLiteral("one after"));
    QCOMPARE(redone->state.selStart, 4);
    QCOMPARE(redone->state.selLength, 5);
    QCOMPARE(redone->description, QStringLiteral("Bold"));
}

void TestUndoList::closingAPageSkipsItsSteps()
{
    Window w;
    w.page(1).setText(QStringLiteral("a0"));
    w.page(2).setText(QStringLiteral("b0"));
    w.activate(1);
    w.command(QStringLiteral("Bold"), QStringLiteral("a1"));
    w.activate(2);
    w.command(QStringLiteral("Cut"), QStringLiteral("b1"));
    w.activate(1);
    w.command(QStringLiteral("Italic"), QStringLiteral("a2"));
    w.activate(2);
    w.command(QStringLiteral("Paste"), QStringLiteral("b2"));
    w.command(QStringLiteral("Title"), QStringLiteral("b3"));
    w.undoClick(); // Title is now a redo step

    w.undo.removePageRecords(2);
    w.pages.erase(2);
    QCOMPARE(w.undo.undoCount(), 2);
    QVERIFY(!w.undo.canRedo());
    QCOMPARE(w.undo.undoHint(), QStringLiteral("Undo Italic"));
    w.undoClick();
    QCOMPARE(w.active, UndoPageId(1));
    QCOMPARE(w.page(1).text(), QStringLiteral("a1"));
    w.undoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("a0"));
    QVERIFY(!w.undo.canUndo());
    // Redo steps of a closed page go too, and the position counts only those below it.
    w.redoClick();
    w.undo.removePageRecords(1);
    QCOMPARE(w.undo.undoCount(), 0);
    QCOMPARE(w.undo.redoCount(), 0);
}

void TestUndoList::typingIsGroupedIntoBursts()
{
    Window w;
    w.active = 1;
    w.page(1).setText(QStringLiteral("<p>"));
    QVERIFY(!w.undo.isTyping());
    w.type(QStringLiteral("one "));
    QVERIFY(w.undo.isTyping());
    w.type(QStringLiteral("two"));
    QCOMPARE(w.undo.undoCount(), 1);
    w.undo.typingTimerFired();
    QVERIFY(!w.undo.isTyping());
    w.type(QStringLiteral(" three"));
    QCOMPARE(w.undo.undoCount(), 2);
    QCOMPARE(w.undo.undoHint(), QStringLiteral("Undo Typing"));

    // A command ends the burst, so the keys after it are not undone with it; so does a page change.
    w.command(QStringLiteral("Bold"), QStringLiteral("<p><b>one two three</b>"));
    w.type(QStringLiteral("!"));
    QCOMPARE(w.undo.undoCount(), 4);
    w.activate(2);
    w.type(QStringLiteral("x"));
    w.activate(1);
    w.type(QStringLiteral("?"));
    QCOMPARE(w.undo.undoCount(), 6);
    // A burst never spans pages, even when the page change was not reported.
    w.active = 2;
    w.type(QStringLiteral("y"));
    QCOMPARE(w.undo.undoCount(), 7);

    // Each burst was recorded with the text before its first key.
    for (int n = 0; n < 6; ++n)
        w.undoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("<p>one two"));
    QCOMPARE(w.page(2).text(), QString());
}

void TestUndoList::typingAfterUndoIsItsOwnStep()
{
    Window w;
    w.active = 1;
    w.page(1).setText(QStringLiteral("<p>"));
    w.type(QStringLiteral("abc"));
    w.undoClick();
    // Undo ended the burst: the timer has not fired, yet the next key records a step and drops Redo.
    QVERIFY(!w.undo.isTyping());
    QCOMPARE(w.page(1).text(), QStringLiteral("<p>"));
    w.type(QStringLiteral("xy"));
    QVERIFY(!w.undo.canRedo());
    QCOMPARE(w.undo.undoCount(), 1);
    w.undoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("<p>"));
    w.redoClick();
    QCOMPARE(w.page(1).text(), QStringLiteral("<p>xy"));
    w.type(QStringLiteral("z"));
    QCOMPARE(w.undo.undoCount(), 2);
    QCOMPARE(w.page(1).text(), QStringLiteral("<p>xyz"));
}

void TestUndoList::snapshotsShareTheirText()
{
    UndoList list;
    QString text(100000, u'x');
    list.recordStep(1, stateOf(text), QStringLiteral("Cut"));
    // The list holds a reference to the caller's string, not a copy of it.
    QVERIFY(!text.isDetached());
    QCOMPARE(list.heldTextBytes(), text.size() * 2);
    const std::optional<UndoRestore> restore = list.undo(1, stateOf(QStringLiteral("after")));
    QVERIFY(restore.has_value());
    QCOMPARE(restore->state.text.toString().constData(), text.constData());

    // The editor's own UTF-8 bytes are kept as they are, and read back as text when a buffer needs it.
    QByteArray bytes = QStringLiteral("caf\u00e9 \U0001F600\r\n").toUtf8();
    const UndoText utf8 = UndoText::fromUtf8(bytes);
    QVERIFY(!bytes.isDetached());
    QCOMPARE(utf8.toUtf8().constData(), bytes.constData());
    QCOMPARE(utf8.toString(), QStringLiteral("caf\u00e9 \U0001F600\r\n"));
    QVERIFY(utf8 == UndoText::fromString(QStringLiteral("caf\u00e9 \U0001F600\r\n")));
    QVERIFY(!(utf8 == UndoText::fromUtf8("cafe")));

    // Undoing every step of one page keeps each text once: the redo snapshot of a step is the text
    // the next step's Undo put back.
    UndoList steps;
    QStringList texts;
    for (int n = 0; n < 5; ++n) {
        texts.append(QString(1000 * (n + 1), QChar(u'a' + n)));
        steps.recordStep(7, stateOf(texts.last()), QStringLiteral("Step"));
    }
    texts.append(QString(6000, u'f'));
    QString current = texts.last();
    for (int n = 4; n >= 0; --n) {
        // Each Undo is handed a fresh copy of the page's text, as an editor gives.
        const std::optional<UndoRestore> restored
            = steps.undo(7, stateOf(QString(current.constData(), current.size())));
        QVERIFY(restored.has_value());
        current = restored->state.text.toString();
        QCOMPARE(current, texts.at(n));
    }
    QCOMPARE(steps.heldTextBytes(), qsizetype(1000 + 2000 + 3000 + 4000 + 5000 + 6000) * 2);
}

QTEST_GUILESS_MAIN(TestUndoList)
#include "tst_undolist.moc"
