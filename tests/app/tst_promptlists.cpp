// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/promptingcommands.h"
#include "editor/ui/promptlist.h"
#include "editor/ui/sourceeditor.h"
#include "formwindow.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A shown, active main window whose editor settings the test chooses, typing into its new page.
struct Window : FormWindow
{
    explicit Window(bool upper, bool usePrompting = true)
        : FormWindow(
            [&](SettingsStore &settings) {
                settings.writeBool(Keys::Editor, QStringLiteral("Upper"), upper);
                settings.writeBool(Keys::Editor, QStringLiteral("Names"), true);
                settings.writeBool(Keys::Editor, QStringLiteral("Use Prompting"), usePrompting);
                settings.writeBool(Keys::Editor, QStringLiteral("Tag Completion"), true);
                settings.writeBool(Keys::Editor, QStringLiteral("Tag Structure"), true);
            },
            QSize(900, 650))
    {
        // A line of its own to type on, between the body's tags.
        typeKeys(QStringLiteral("\r"));
    }
    int caret() const { return buffer().selStart(); }
    void typeKeys(const QString &keys) const
    {
        for (QChar c : keys) {
            if (c == u'\r')
                QTest::keyClick(form->htmlSource(), Qt::Key_Return);
            else if (c == u'\b')
                QTest::keyClick(form->htmlSource(), Qt::Key_Backspace);
            else
                QTest::keyClicks(form->htmlSource(), QString(c));
        }
    }
    TPromptList *list(PromptList which) const { return form->commands().prompting.list(which); }
    // The one list on screen, or null.
    TPromptList *shownList() const
    {
        TPromptList *shown = nullptr;
        for (PromptList which : { PromptList::Tag, PromptList::Property, PromptList::Value, PromptList::Font,
                 PromptList::Style, PromptList::Color }) {
            if (list(which)->isVisible()) {
                if (shown)
                    return nullptr;
                shown = list(which);
            }
        }
        return shown;
    }
    QString selected(PromptList which) const
    {
        TPromptList *l = list(which);
        return l->selectedRow() < 0 ? QString() : l->item(l->selectedRow())->text();
    }
    // Moves the selection of the shown list to text with the arrow keys, as a user would.
    void arrowTo(PromptList which, const QString &text) const
    {
        const int target = int(list(which)->entries().indexOf(text));
        QVERIFY(target >= 0);
        for (int guard = 0; list(which)->selectedRow() != target && guard < 200; ++guard)
            press(list(which)->selectedRow() < target ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(list(which)->selectedRow(), target);
    }
    QString ticker() const
    {
        return form->statusBar()->findChild<QLabel *>(QStringLiteral("StatusPanel5"))->text();
    }
};

} // namespace

class TestPromptingWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableFromNameToEndTag_data();
    void tableFromNameToEndTag();
    void colourListAndMoreColors();
    void backspaceEscapeAndTheCaret();
    void promptingOffOffersNothing();
};

void TestPromptingWindow::tableFromNameToEndTag_data()
{
    QTest::addColumn<bool>("upper");
    QTest::newRow("capitals") << true;
    QTest::newRow("small letters") << false;
}

void TestPromptingWindow::tableFromNameToEndTag()
{
    QFETCH(bool, upper);
    const auto cased = [upper](const char *text) {
        const QString s = QString::fromLatin1(text);
        return upper ? s.toUpper() : s.toLower();
    };
    Window w(upper);
    const int lineStart = w.caret();

    w.typeKeys(QStringLiteral("<ta"));
    QCOMPARE(w.shownList(), w.list(PromptList::Tag));
    QCOMPARE(w.selected(PromptList::Tag), QStringLiteral("TABLE"));
    // The editor keeps the keyboard, and the list lies below where the "<" was typed, inside the window.
    QCOMPARE(QApplication::focusWidget(), w.form->htmlSource());
    const QRect placed = w.list(PromptList::Tag)->geometry();
    QVERIFY(w.form->rect().contains(placed));
    const QPoint caretInForm = w.form->htmlSource()->viewport()->mapTo(w.form.get(),
        QPoint(int(w.form->htmlSource()->SendScintilla(
                   QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, w.buffer().bytePosition(lineStart))),
            0));
    QCOMPARE(placed.left(), caretInForm.x() + 10);

    // The arrows move the selection, not the caret.
    w.press(Qt::Key_Down);
    QCOMPARE(w.list(PromptList::Tag)->selectedRow(),
        int(w.list(PromptList::Tag)->entries().indexOf(QStringLiteral("TABLE"))) + 1);
    w.press(Qt::Key_Up);
    QCOMPARE(w.selected(PromptList::Tag), QStringLiteral("TABLE"));
    QCOMPARE(w.caret(), lineStart + 3);

    // Enter chooses, in the case asked for, and breaks no line.
    w.press(Qt::Key_Return);
    QCOMPARE(w.text().mid(lineStart, 8), cased("<table\r\n"));
    QCOMPARE(w.shownList(), nullptr);

    w.typeKeys(QStringLiteral(" "));
    QCOMPARE(w.shownList(), w.list(PromptList::Property));
    const QStringList attributes = w.list(PromptList::Property)->entries();
    QVERIFY(attributes.contains(QStringLiteral("ALIGN")));
    QVERIFY(attributes.contains(QStringLiteral("BORDER")));
    w.typeKeys(QStringLiteral("align="));
    QCOMPARE(w.shownList(), w.list(PromptList::Value));
    QVERIFY(w.list(PromptList::Value)->entries().contains(QStringLiteral("center")));
    w.arrowTo(PromptList::Value, QStringLiteral("center"));
    w.press(Qt::Key_Tab);
    QCOMPARE(w.shownList(), nullptr);
    QCOMPARE(w.text().mid(lineStart, 21), cased("<table align=center\r\n"));

    // ">" completes the element and leaves the caret between its tags.
    w.typeKeys(QStringLiteral(">"));
    QCOMPARE(w.text().mid(lineStart, 28), cased("<table align=center></table>"));
    QCOMPARE(w.caret(), lineStart + 20);
    QVERIFY(w.ticker().isEmpty());
    QVERIFY(!w.form->commands().prompting.tagStructureTimer()->isActive());
    w.typeKeys(QStringLiteral("1"));
    QCOMPARE(w.text().mid(lineStart, 29), cased("<table align=center>1</table>"));

    // A name typed whole and ended by a space: the tag in the case asked for, its attributes offered.
    w.typeKeys(QStringLiteral("<td "));
    QCOMPARE(w.text().mid(lineStart + 21, 4), cased("<td "));
    QCOMPARE(w.shownList(), w.list(PromptList::Property));
    // The ticker in the status bar names the tag and its attributes and scrolls when its timer fires.
    QVERIFY(w.form->commands().prompting.tagStructureTimer()->isActive());
    const QString ticker = w.ticker();
    QVERIFY(ticker.trimmed().startsWith(QStringLiteral("TD[")));
    QVERIFY(ticker.startsWith(u' '));
    w.form->commands().prompting.TagStructureTimerTimer();
    QCOMPARE(w.ticker(), ticker.mid(1) + ticker.at(0));
}

void TestPromptingWindow::colourListAndMoreColors()
{
    Window w(false);
    const int lineStart = w.caret();
    int asked = 0;
    w.form->commands().prompting.setColorChooser([&](QColor) {
        ++asked;
        return std::optional<QColor>(QColor(0x12, 0x34, 0x56));
    });

    w.typeKeys(QStringLiteral("<font color="));
    QCOMPARE(w.shownList(), w.list(PromptList::Color));
    const QStringList colours = w.list(PromptList::Color)->entries();
    QCOMPARE(colours.size(), 17);
    QCOMPARE(colours.first(), QStringLiteral("Black"));
    QCOMPARE(colours.last(), QStringLiteral("More Colors..."));
    w.press(Qt::Key_PageDown);
    w.press(Qt::Key_PageDown);
    QCOMPARE(w.selected(PromptList::Color), QStringLiteral("More Colors..."));
    w.press(Qt::Key_Return);
    QCOMPARE(asked, 1);
    QCOMPARE(w.text().mid(lineStart, 20), QStringLiteral("<font color=#123456\r"));

    // A double click chooses too; a named colour is written as its quoted name.
    w.typeKeys(QStringLiteral(" color="));
    TPromptList *list = w.list(PromptList::Color);
    QVERIFY(list->isVisible());
    const int red = int(colours.indexOf(QStringLiteral("Red")));
    list->scrollToItem(list->item(red));
    const QPoint at = list->visualItemRect(list->item(red)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(w.text().mid(lineStart, 32), QStringLiteral("<font color=#123456 color=\"red\"\r"));
    QCOMPARE(w.shownList(), nullptr);
    QCOMPARE(QApplication::focusWidget(), w.form->htmlSource());

    // The font list offers the generic families first.
    w.typeKeys(QStringLiteral(" face="));
    QCOMPARE(w.shownList(), w.list(PromptList::Font));
    QCOMPARE(w.list(PromptList::Font)->entries().mid(0, 5),
        QStringList({ QStringLiteral("Serif"), QStringLiteral("Sans-Serif"), QStringLiteral("Cursive"),
            QStringLiteral("Fantasy"), QStringLiteral("Monospace") }));
}

void TestPromptingWindow::backspaceEscapeAndTheCaret()
{
    Window w(true);
    const int lineStart = w.caret();
    w.typeKeys(QStringLiteral("<tabx"));
    QCOMPARE(w.list(PromptList::Tag)->selectedRow(), -1);
    w.typeKeys(QStringLiteral("\b"));
    QCOMPARE(w.form->commands().prompting.prompting().prefix(), QStringLiteral("tab"));
    QCOMPARE(w.selected(PromptList::Tag), QStringLiteral("TABLE"));
    QCOMPARE(w.text().mid(lineStart, 6), QStringLiteral("<tab\r\n"));

    // Escape closes the list and leaves the text alone; the key goes no further.
    w.press(Qt::Key_Escape);
    QCOMPARE(w.shownList(), nullptr);
    QCOMPARE(w.text().mid(lineStart, 6), QStringLiteral("<tab\r\n"));

    // Moving the caret away closes the list, so a choice cannot land elsewhere.
    w.typeKeys(QStringLiteral("<b"));
    QCOMPARE(w.shownList(), w.list(PromptList::Tag));
    w.press(Qt::Key_Left);
    QCOMPARE(w.shownList(), nullptr);
    QCOMPARE(w.caret(), lineStart + 5);

    // With the list closed, Enter breaks the line as usual.
    w.press(Qt::Key_End);
    const QString before = w.text();
    w.press(Qt::Key_Return);
    QCOMPARE(w.text().size(), before.size() + 3); // ">" closes the tag, then the line break
    QCOMPARE(w.text().mid(lineStart, 9), QStringLiteral("<tab<b>\r\n"));

    // Another click hides the lists from outside (the editor's click handler calls this).
    w.typeKeys(QStringLiteral("<"));
    QVERIFY(w.shownList());
    w.form->commands().prompting.hideLists();
    QCOMPARE(w.shownList(), nullptr);
}

void TestPromptingWindow::promptingOffOffersNothing()
{
    Window w(true, false);
    const int lineStart = w.caret();
    w.typeKeys(QStringLiteral("<table >"));
    QCOMPARE(w.shownList(), nullptr);
    QCOMPARE(w.text().mid(lineStart, 10), QStringLiteral("<table >\r\n"));
}

QTEST_MAIN(TestPromptingWindow)
#include "tst_promptlists.moc"
