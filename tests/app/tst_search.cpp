// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/finddialogs.h"
#include "editor/ui/searchcommands.h"
#include "editor/ui/sourceeditor.h"
#include "formwindow.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// A shown main window over a test's own settings, with a scripted prompter and a page holding text.
struct Window : FormWindow
{
    explicit Window(const QString &text)
    {
        form->activePage()->loadText(text);
        buffer().select(0, 0);
    }
    template <typename T> static T *child(QWidget *dialog, const char *name)
    {
        T *found = dialog->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    static void fill(QWidget *dialog, const char *field, const QString &text)
    {
        child<QLineEdit>(dialog, field)->setText(text);
    }
    static void click(QWidget *dialog, const char *button)
    {
        QPushButton *pushButton = child<QPushButton>(dialog, button);
        QVERIFY(pushButton->isEnabled());
        pushButton->click();
    }
};

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replaceAllIsOneUndoStep();
    void findNextReportsWhatIsNotFound();
    void findAgainOpensTheDialogUntilThereIsText();
    void replaceOnlyTheSelectedMatch();
    void replacingTheTitleUpdatesTheTitleBox();
};

void TestSearch::replaceAllIsOneUndoStep()
{
    const QString original = QStringLiteral("<p>Cat, cat and CAT</p>\r\n<p>cattle</p>");
    Window w(original);
    QVERIFY(!w.action("Undo")->isEnabled());
    w.press(Qt::Key_R, Qt::ControlModifier);
    TReplaceDialog *dialog = w.form->commands().search.replaceDialog();
    QVERIFY(dialog->isVisible());
    Window::fill(dialog, "FindText", QStringLiteral("cat"));
    Window::fill(dialog, "ReplaceText", QStringLiteral("dog"));
    Window::child<QCheckBox>(dialog, "WholeWord")->setChecked(true);
    Window::click(dialog, "ReplaceAllButton");

    QCOMPARE(w.text(), QStringLiteral("<p>dog, dog and dog</p>\r\n<p>cattle</p>"));
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.prompter.asked().at(0).caption, QStringLiteral("Done"));
    QCOMPARE(w.prompter.asked().at(0).text, QStringLiteral("Finished replacing all"));
    QCOMPARE(w.prompter.asked().at(0).icon, PromptIcon::Information);
    QVERIFY(w.form->activePage()->isModified());
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Replace All"));

    w.form->UndoClick();
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());
}

void TestSearch::findNextReportsWhatIsNotFound()
{
    Window w(QStringLiteral("one table, two tables"));
    w.action("Find")->trigger();
    TFindDialog *dialog = w.form->commands().search.findDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(!Window::child<QPushButton>(dialog, "FindNextButton")->isEnabled());

    // Enter in the text is Find Next; the match is selected and the editor is its window's focus.
    Window::fill(dialog, "FindText", QStringLiteral("TABLE"));
    QTest::keyClick(Window::child<QLineEdit>(dialog, "FindText"), Qt::Key_Return);
    QCOMPARE(w.buffer().selStart(), 4);
    QCOMPARE(w.buffer().selText(), QStringLiteral("table"));
    QCOMPARE(w.form->focusWidget(), w.form->htmlSource());
    QVERIFY(dialog->isVisible());
    QVERIFY(w.prompter.asked().isEmpty());

    Window::child<QCheckBox>(dialog, "MatchCase")->setChecked(true);
    Window::click(dialog, "FindNextButton");
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.prompter.asked().at(0).caption, QStringLiteral("Error"));
    QCOMPARE(w.prompter.asked().at(0).text, QStringLiteral("Search string not found!"));
    QCOMPARE(w.prompter.asked().at(0).icon, PromptIcon::Stop);
    QCOMPARE(w.buffer().selStart(), w.buffer().length());
    QCOMPARE(w.form->commands().search.finder().lastMatch(), -1);

    // Escape closes the dialog.
    QTest::keyClick(Window::child<QLineEdit>(dialog, "FindText"), Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
}

void TestSearch::findAgainOpensTheDialogUntilThereIsText()
{
    Window w(QStringLiteral("ab ab ab"));
    QCOMPARE(w.action("FindAgain1")->text(), QStringLiteral("Find Again"));
    QVERIFY(w.form->findChild<QToolButton *>(QStringLiteral("FindButton"))->isEnabled());
    QVERIFY(w.form->findChild<QToolButton *>(QStringLiteral("ReplaceButton"))->isEnabled());

    w.press(Qt::Key_F3);
    TFindDialog *dialog = w.form->commands().search.findDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(w.prompter.asked().isEmpty());
    QCOMPARE(w.buffer().selLength(), 0);

    Window::fill(dialog, "FindText", QStringLiteral("ab"));
    dialog->close();
    w.form->htmlSource()->setFocus();
    QList<int> starts;
    for (int i = 0; i < 3; ++i) {
        w.press(Qt::Key_F3);
        starts.append(w.buffer().selStart());
    }
    QCOMPARE(starts, QList<int>({ 0, 3, 6 }));
    QVERIFY(!dialog->isVisible());
    w.press(Qt::Key_F3);
    QCOMPARE(w.prompter.texts(), QStringList { QStringLiteral("Search string not found!") });
}

void TestSearch::replaceOnlyTheSelectedMatch()
{
    Window w(QStringLiteral("red Green green"));
    w.form->findChild<QToolButton *>(QStringLiteral("ReplaceButton"))->click();
    TReplaceDialog *dialog = w.form->commands().search.replaceDialog();
    Window::fill(dialog, "FindText", QStringLiteral("green"));
    Window::fill(dialog, "ReplaceText", QStringLiteral("blue"));

    // Nothing selected yet: Replace changes nothing and records no step.
    Window::click(dialog, "ReplaceOnceButton");
    QCOMPARE(w.text(), QStringLiteral("red Green green"));
    QVERIFY(!w.action("Undo")->isEnabled());
    QVERIFY(!w.form->activePage()->isModified());

    Window::click(dialog, "FindNextButton");
    QCOMPARE(w.buffer().selText(), QStringLiteral("Green"));
    Window::click(dialog, "ReplaceOnceButton");
    QCOMPARE(w.text(), QStringLiteral("red blue green"));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Replace"));
    QVERIFY(w.form->activePage()->isModified());

    // Replace all carries on from the caret, after the first replacement.
    Window::click(dialog, "ReplaceAllButton");
    QCOMPARE(w.text(), QStringLiteral("red blue blue"));
    w.form->UndoClick();
    QCOMPARE(w.text(), QStringLiteral("red blue green"));
    w.form->UndoClick();
    QCOMPARE(w.text(), QStringLiteral("red Green green"));
}

void TestSearch::replacingTheTitleUpdatesTheTitleBox()
{
    Window w(QStringLiteral("<html><head><title>Old Name</title></head></html>"));
    w.form->commands().documents.readTitleIntoBox();
    TReplaceDialog *dialog = w.form->commands().search.replaceDialog();
    Window::fill(dialog, "FindText", QStringLiteral("old"));
    Window::fill(dialog, "ReplaceText", QStringLiteral("New"));
    Window::click(dialog, "ReplaceAllButton");
    QCOMPARE(w.form->commands().documents.docTitle()->text(), QStringLiteral("New Name"));
    QVERIFY(w.form->windowTitle().startsWith(QStringLiteral("New Name")));
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
