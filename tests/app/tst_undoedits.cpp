// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/undolist.h"
#include "editor/plainbuffer.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>
#include <map>

namespace {

// The pages of a window and its undo handlers, keeping either whole snapshots or each step's edits. A
// page reports every change to its text to the list, as the window does.
struct Window
{
    explicit Window(bool byEdits)
        : byEdits(byEdits)
    { }

    const bool byEdits;
    UndoList undo;
    std::map<UndoPageId, PlainBuffer> pages;
    UndoPageId active = 1;

    UndoState state(UndoPageId id)
    {
        PlainBuffer &buffer = pages[id];
        return byEdits ? UndoState::byEdits(buffer.selStart(), buffer.selLength()) : undoStateOf(buffer);
    }
    void change(UndoPageId id, const QString &text)
    {
        PlainBuffer &buffer = pages[id];
        const QByteArray before = buffer.text().toUtf8();
        buffer.setText(text);
        undo.noteEdit(id, undoEditBetween(before, buffer.text().toUtf8()));
    }
    void activate(UndoPageId id)
    {
        if (id != active)
            undo.pageChanged();
        active = id;
    }
    void command(const QString &name, const QString &newText)
    {
        undo.recordStep(active, state(active), name);
        change(active, newText);
    }
    // Keys typed at a place of the active page; a NUL key stands for Backspace.
    void type(int position, const QString &keys)
    {
        for (const QChar key : keys) {
            undo.typingKeyPress(active, [&] { return state(active); });
            QString text = pages[active].text();
            position = qBound(0, position, int(text.size()));
            if (key.isNull()) {
                if (position == 0)
                    continue;
                text.remove(--position, 1);
            } else {
                text.insert(position++, key);
            }
            change(active, text);
            pages[active].select(position, 0);
        }
    }
    // A change no step was recorded for: a step that keeps edits takes it in.
    void unrecorded(const QString &newText) { change(active, newText); }
    bool undoClick()
    {
        const std::optional<UndoPageId> id = undo.undoPage();
        if (!id)
            return false;
        activate(*id);
        const std::optional<UndoRestore> restore = undo.undo(*id, state(*id));
        if (!restore)
            return false;
        applyUndoRestore(*restore, pages[*id]);
        return true;
    }
    bool redoClick()
    {
        const std::optional<UndoPageId> id = undo.redoPage();
        if (!id)
            return false;
        activate(*id);
        const std::optional<UndoRestore> restore = undo.redo(*id);
        if (!restore)
            return false;
        applyUndoRestore(*restore, pages[*id]);
        return true;
    }
    void close(UndoPageId id)
    {
        undo.removePageRecords(id);
        pages.erase(id);
    }

    // Everything a user can see of the list and the pages.
    QStringList observed() const
    {
        QStringList result { undo.undoHint(), undo.redoHint(), QString::number(undo.undoCount()),
            QString::number(undo.redoCount()), QString::number(active),
            undo.isTyping() ? QStringLiteral("typing") : QString() };
        for (const auto &[id, buffer] : pages)
            result << QStringLiteral("%1:%2:%3+%4")
                          .arg(id)
                          .arg(buffer.text())
                          .arg(buffer.selStart())
                          .arg(buffer.selLength());
        return result;
    }
};

// Runs the same actions through both kinds of window.
struct Both
{
    Window snapshots { false };
    Window edits { true };

    template <typename Action> void operator()(Action &&action)
    {
        action(snapshots);
        action(edits);
    }
    void check(const char *where)
    {
        if (snapshots.observed() != edits.observed())
            QFAIL(qPrintable(QStringLiteral("%1: snapshots %2, edits %3")
                                 .arg(QLatin1String(where), snapshots.observed().join(u'|'),
                                     edits.observed().join(u'|'))));
    }
};

} // namespace

class TestUndoEdits : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scenariosGiveWhatSnapshotsGive();
    void randomActionsGiveWhatSnapshotsGive();
    void aStepHoldsWhatItChanged();
};

void TestUndoEdits::scenariosGiveWhatSnapshotsGive()
{
    Both w;
    w([](Window &x) {
        x.pages[1].setText(QStringLiteral("<p>caf\u00e9</p>"));
        x.pages[2].setText(QStringLiteral("b0 \U0001F600"));
    });
    struct Step
    {
        const char *name;
        std::function<void(Window &)> action;
    };
    const QList<Step> table {
        { "type", [](Window &x) { x.type(3, QStringLiteral("one two")); } },
        { "backspace within the burst", [](Window &x) { x.type(10, QString(3, QChar(0))); } },
        { "type after timer",
            [](Window &x) { x.undo.typingTimerFired(), x.type(0, QStringLiteral("\u00e9\r\n")); } },
        { "command",
            [](Window &x) {
                x.command(QStringLiteral("Bold"),
                    x.pages[1].text().replace(QStringLiteral("one"), QStringLiteral("<b>one</b>")));
            } },
        { "other page", [](Window &x) { x.activate(2), x.type(2, QStringLiteral("xyz")); } },
        { "cut on other page", [](Window &x) { x.command(QStringLiteral("Cut"), QStringLiteral("b")); } },
        { "back to page 1", [](Window &x) { x.activate(1), x.type(0, QString(2, QChar(0))); } },
        { "strip everything", [](Window &x) { x.command(QStringLiteral("Strip Tags"), QString()); } },
        { "undo 1", [](Window &x) { x.undoClick(); } },
        { "undo 2", [](Window &x) { x.undoClick(); } },
        { "undo 3", [](Window &x) { x.undoClick(); } },
        { "redo 1", [](Window &x) { x.redoClick(); } },
        { "undo again", [](Window &x) { x.undoClick(); } },
        { "unrecorded change", [](Window &x) { x.unrecorded(x.pages[x.active].text() + u'!'); } },
        { "undo after it", [](Window &x) { x.undoClick(); } },
        { "undo all",
            [](Window &x) {
                while (x.undoClick()) { }
            } },
        { "redo all",
            [](Window &x) {
                while (x.redoClick()) { }
            } },
        { "undo twice", [](Window &x) { x.undoClick(), x.undoClick(); } },
        { "typing after undo drops redo", [](Window &x) { x.type(1, QStringLiteral("q")); } },
        { "close page 2", [](Window &x) { x.activate(1), x.close(2); } },
        { "undo all after close",
            [](Window &x) {
                while (x.undoClick()) { }
            } },
    };
    for (const Step &step : table) {
        w(step.action);
        w.check(step.name);
        if (QTest::currentTestFailed())
            return;
    }

    // Beyond nineteen steps the oldest go, with their edits.
    for (int n = 0; n < 25; ++n) {
        w([n](Window &x) {
            x.command(QStringLiteral("Step %1").arg(n), x.pages[1].text() + QString::number(n));
        });
        w.check("many steps");
    }
    w([](Window &x) {
        while (x.undoClick()) { }
    });
    w.check("nineteen undone");
    QCOMPARE(w.edits.undo.redoCount(), UndoList::maxSteps);
    w([](Window &x) {
        while (x.redoClick()) { }
    });
    w.check("nineteen redone");
}

void TestUndoEdits::randomActionsGiveWhatSnapshotsGive()
{
    QRandomGenerator random(12);
    Both w;
    // Single code units only: a key typed inside a surrogate pair would make text UTF-8 cannot hold.
    const QString letters = QStringLiteral("ab<>\"= \u00e9\r\n");
    const auto randomText = [&](int length) {
        QString text;
        for (int i = 0; i < length; ++i)
            text += letters.at(random.bounded(int(letters.size())));
        return text;
    };
    UndoPageId nextPage = 4;
    for (UndoPageId id = 1; id < nextPage; ++id) {
        const QString text = randomText(20);
        w([&](Window &x) { x.pages[id].setText(text); });
    }
    for (int round = 0; round < 3000; ++round) {
        const int choice = random.bounded(100);
        const UndoPageId page = w.edits.pages.empty()
            ? 0
            : std::next(w.edits.pages.begin(), random.bounded(int(w.edits.pages.size())))->first;
        const int position = random.bounded(40);
        const QString keys = randomText(1 + random.bounded(4));
        if (choice < 30 && page)
            w([&](Window &x) { x.activate(page), x.type(position, keys); });
        else if (choice < 35 && page)
            w([&](Window &x) { x.activate(page), x.type(position, QString(1 + position % 3, QChar(0))); });
        else if (choice < 40)
            w([](Window &x) { x.undo.typingTimerFired(); });
        else if (choice < 55 && page) {
            // A command replaces a stretch of the page, or all of it now and then.
            w([&](Window &x) {
                x.activate(page);
                QString text = x.pages[page].text();
                const int from = qMin(position, int(text.size()));
                if (round % 7 == 0)
                    text = keys;
                else
                    text.replace(from, qMin(int(keys.size()), int(text.size()) - from), keys + keys);
                x.command(QStringLiteral("Command %1").arg(round), text);
            });
        } else if (choice < 72)
            w([](Window &x) { x.undoClick(); });
        else if (choice < 86)
            w([](Window &x) { x.redoClick(); });
        else if (choice < 88 && page)
            w([&](Window &x) { x.activate(page), x.unrecorded(x.pages[page].text() + keys); });
        else if (choice < 90 && w.edits.pages.size() > 1)
            w([&](Window &x) { x.close(page), x.activate(x.pages.begin()->first); });
        else if (choice < 92) {
            const QString text = randomText(10);
            w([&](Window &x) { x.pages[nextPage].setText(text); });
            ++nextPage;
        } else if (page)
            w([&](Window &x) { x.pages[page].select(position % 5, 1); });
        w.check(qPrintable(QStringLiteral("round %1").arg(round)));
        if (QTest::currentTestFailed())
            return;
    }
}

void TestUndoEdits::aStepHoldsWhatItChanged()
{
    // Keys typed into a big page keep only the keys; the page's text is never copied.
    Window w(true);
    w.pages[1].setText(QString(100000, u'x'));
    w.type(50000, QString(200, u'k'));
    w.type(50200, QString(50, QChar(0)));
    QCOMPARE(w.undo.undoCount(), 1);
    QCOMPARE(w.undo.heldTextBytes(), 150);
    w.undo.typingTimerFired();
    w.type(10, QStringLiteral("ab"));
    w.type(90000, QStringLiteral("cd"));
    QCOMPARE(w.undo.undoCount(), 2);
    QCOMPARE(w.undo.heldTextBytes(), 150 + 4);

    QVERIFY(w.undoClick());
    QCOMPARE(w.pages[1].text().size(), 100150);
    QCOMPARE(w.pages[1].selStart(), 50150);
    QVERIFY(w.undoClick());
    QCOMPARE(w.pages[1].text(), QString(100000, u'x'));
    QVERIFY(w.redoClick());
    QVERIFY(w.redoClick());
    QCOMPARE(w.pages[1].text().mid(10, 2), QStringLiteral("ab"));
    QCOMPARE(w.pages[1].text().mid(90000, 2), QStringLiteral("cd"));
    QCOMPARE(w.pages[1].selStart(), 90002);

    // The edit between two texts leaves out what they share, in UTF-8 bytes.
    const UndoEdit edit = undoEditBetween("caf\xc3\xa9 au lait", "caf\xc3\xa8 au lait");
    QCOMPARE(edit.position, 4);
    QCOMPARE(edit.removed, QByteArray("\xa9"));
    QCOMPARE(edit.inserted, QByteArray("\xa8"));
    QCOMPARE(undoEditBetween("aaa", "aaaa"), (UndoEdit { 3, {}, "a" }));
    QCOMPARE(undoEditBetween("abc", "abc"), (UndoEdit { 3, {}, {} }));
}

QTEST_GUILESS_MAIN(TestUndoEdits)
#include "tst_undoedits.moc"
