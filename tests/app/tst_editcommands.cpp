// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "app/ui/undocommands.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "editor/ui/typingaids.h"
#include "formaccess.h"
#include "formwindow.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

// A shown, active main window over a test's own settings, with a scripted prompter.
struct Window : FormWindow
{
    // Most keys here are commands.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const
    {
        FormWindow::press(key, modifiers);
    }
};

} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boldButtonWrapsAndUndoRestores();
    void typingBurstsAreSteps();
    void enterWritesTheOnReturnTag();
    void everyUserEditIsAStep();
    void undoSwitchesPagesAndSkipsClosedOnes();
    void wholeTextCommandsMarkModified();
};

void TestEditCommands::boldButtonWrapsAndUndoRestores()
{
    Window w;
    const QString original = w.text();
    QVERIFY(!w.action("Undo")->isEnabled());
    w.selectText(QStringLiteral("Your Document Text"));
    w.form->findChild<QToolButton *>(QStringLiteral("BoldButton"))->click();

    QVERIFY(w.text().contains(QStringLiteral("<b>Your Document Text</b>")));
    QCOMPARE(w.buffer().selText(), QStringLiteral("<b>Your Document Text</b>"));
    // The new tags show in the tag colour at once, the text between them in the text colour.
    TColouringView *colours = w.form->activePage()->colouring();
    const int bold = int(w.text().indexOf(QStringLiteral("<b>")));
    QCOMPARE(colours->classAt(bold), Colouring::Class::Tag);
    QCOMPARE(colours->classAt(bold + 3), Colouring::Class::Text);
    QCOMPARE(colours->classAt(bold + 21), Colouring::Class::Tag);
    QCOMPARE(colours->colourAt(bold), w.form->editorSettings().colours.tagColor);
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));
    QVERIFY(w.action("Undo")->isEnabled());
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Bold"));
    QCOMPARE(w.form->findChild<QToolButton *>(QStringLiteral("UndoButton"))->toolTip(),
        QStringLiteral("Undo Bold"));

    w.press(Qt::Key_Z);
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());
    QVERIFY(w.action("Redo")->isEnabled());
    QCOMPARE(w.action("Redo")->statusTip(), QStringLiteral("Redo Bold"));
    // The restored text is not the saved one: closing must still ask.
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));

    w.action("Redo")->trigger();
    QVERIFY(w.text().contains(QStringLiteral("<b>Your Document Text</b>")));
    // A new command after Undo leaves nothing to redo.
    w.press(Qt::Key_Z);
    w.action("Italic")->trigger();
    QVERIFY(!w.action("Redo")->isEnabled());
}

void TestEditCommands::typingBurstsAreSteps()
{
    Window w;
    auto *typing = w.form->findChild<QLabel *>(QStringLiteral("TypingImg"));
    auto *noTyping = w.form->findChild<QLabel *>(QStringLiteral("NoTypeImg"));
    QVERIFY(noTyping->isVisible() && !typing->isVisible());

    const QString original = w.text();
    w.typeKeys(QStringLiteral("one"));
    QVERIFY(typing->isVisible() && !noTyping->isVisible());
    QVERIFY(w.form->commands().undo.typingTimer()->isActive());
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Typing"));
    // The pause: the burst's timer runs out.
    w.form->TypingTimerTimer();
    QVERIFY(!typing->isVisible() && noTyping->isVisible());
    const QString afterOne = w.text();
    w.typeKeys(QStringLiteral(" two"));
    QCOMPARE(w.form->commands().undo.undoList().undoCount(), qsizetype(2));

    w.press(Qt::Key_Z);
    QCOMPARE(w.text(), afterOne);
    // Typing right after Undo is a step of its own, and there is nothing left to redo.
    w.typeKeys(QStringLiteral("X"));
    QVERIFY(!w.action("Redo")->isEnabled());
    w.press(Qt::Key_Z);
    QCOMPARE(w.text(), afterOne);
    w.press(Qt::Key_Z);
    QCOMPARE(w.text(), original);
}

void TestEditCommands::enterWritesTheOnReturnTag()
{
    Window w;
    TypingAids &typing = w.form->commands().typing;
    QMenu *menu = namedMenu(w.form, "OnReturn1");
    auto item = [menu](const char *name) {
        for (QAction *action : menu->actions()) {
            if (action->objectName() == QLatin1String(name))
                return action;
        }
        return static_cast<QAction *>(nullptr);
    };

    w.buffer().setText(QStringLiteral("ab"));
    w.buffer().setSelStart(1);
    typing.setOnReturn(QStringLiteral("<BR>"));
    typing.OnReturn1Click();
    QVERIFY(item("br1")->isChecked() && !item("p1")->isChecked());
    w.press(Qt::Key_Return, Qt::NoModifier);
    // Without Upper the tag is written in small letters, before the line break.
    QCOMPARE(w.text(), QStringLiteral("a<br>\r\nb"));

    item("Nothing1")->trigger();
    QCOMPARE(typing.onReturn(), QString());
    typing.OnReturn1Click();
    QVERIFY(item("Nothing1")->isChecked());
    w.press(Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(w.text(), QStringLiteral("a<br>\r\n\r\nb"));

    item("p1")->trigger();
    QCOMPARE(TypingAids::returnTag(typing.onReturn(), true), QStringLiteral("<P>"));
    QCOMPARE(TypingAids::returnTag(QStringLiteral("<Br>"), true), QStringLiteral("<BR>"));
    QCOMPARE(TypingAids::returnTag(QString(), true), QString());
}

void TestEditCommands::everyUserEditIsAStep()
{
    Window w;
    w.buffer().setText(QStringLiteral("one two three"));
    w.form->markSaved();
    const qsizetype before = w.form->commands().undo.undoList().undoCount();

    // Ctrl+Backspace deletes a word: no character is typed, but it is the user's change all the same.
    w.buffer().setSelStart(7);
    w.press(Qt::Key_Backspace, Qt::ControlModifier);
    QCOMPARE(w.text(), QStringLiteral("one  three"));
    QCOMPARE(w.form->commands().undo.undoList().undoCount(), before + 1);
    QVERIFY(w.form->activePage()->isModified());
    w.form->TypingTimerTimer();

    // Text dropped into the editor (here from outside) is a step too.
    auto *viewport = w.form->htmlSource()->viewport();
    QMimeData data;
    data.setText(QStringLiteral("X"));
    const QPoint at(2, 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    QVERIFY(w.text().contains(QLatin1Char('X')));
    QCOMPARE(w.form->commands().undo.undoList().undoCount(), before + 2);

    w.form->UndoClick();
    QCOMPARE(w.text(), QStringLiteral("one  three"));
    w.form->UndoClick();
    QCOMPARE(w.text(), QStringLiteral("one two three"));
}

void TestEditCommands::undoSwitchesPagesAndSkipsClosedOnes()
{
    Window w;
    const QString first = w.text();
    w.selectText(QStringLiteral("Your Document Text"));
    w.action("Underline")->trigger();
    const QString firstUnderlined = w.text();

    w.form->NewClick();
    w.selectText(QStringLiteral("Your Document Text"));
    w.action("Bold")->trigger();
    w.form->NewClick();
    w.selectText(QStringLiteral("Your Document Text"));
    w.action("Italic")->trigger();
    QCOMPARE(w.form->pageCount(), 3);

    // The middle page goes; its step is skipped.
    w.form->commands().documents.filePages()->setCurrentIndex(1);
    w.prompter.answer(PromptAnswer::No);
    w.form->Close1Click();
    QCOMPARE(w.form->pageCount(), 2);

    w.action("Undo")->trigger();
    QCOMPARE(w.form->commands().documents.filePages()->currentIndex(), 1);
    QVERIFY(!w.text().contains(QStringLiteral("<i>")));
    // The next step belongs to the first page: Undo goes there first and restores its own text.
    w.action("Undo")->trigger();
    QCOMPARE(w.form->commands().documents.filePages()->currentIndex(), 0);
    QCOMPARE(w.text(), first);
    QVERIFY(!w.action("Undo")->isEnabled());

    // Redo writes each page's text back into that page only.
    w.action("Redo")->trigger();
    QCOMPARE(w.form->commands().documents.filePages()->currentIndex(), 0);
    QCOMPARE(w.text(), firstUnderlined);
    w.action("Redo")->trigger();
    QCOMPARE(w.form->commands().documents.filePages()->currentIndex(), 1);
    QVERIFY(w.text().contains(QStringLiteral("<i>Your Document Text</i>")));
    QCOMPARE(w.form->page(0)->buffer().text(), firstUnderlined);
}

void TestEditCommands::wholeTextCommandsMarkModified()
{
    Window w;
    w.form->markSaved();
    w.selectText(QStringLiteral("Your Document Text"));
    w.action("Upper1")->trigger();
    QVERIFY(w.text().contains(QStringLiteral("YOUR DOCUMENT TEXT")));
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Change Case"));

    w.form->markSaved();
    w.prompter.answer(PromptAnswer::Yes);
    w.action("StripTags1")->trigger();
    QVERIFY(!w.text().contains(u'<'));
    QVERIFY(w.form->activePage()->isModified());
    QVERIFY(!w.form->commands().documents.docTitle()->isEnabled());

    w.action("Undo")->trigger();
    QVERIFY(w.text().contains(QStringLiteral("<body")));
    w.form->markSaved();
    w.prompter.clear();
    w.action("StandardTags")->trigger();
    QCOMPARE(w.prompter.asked().size(), 1);
    QVERIFY(w.prompter.asked().constFirst().text.startsWith(
        QStringLiteral("The following tags are now present")));
}

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
