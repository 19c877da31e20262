// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "base/productstrings.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "editor/ui/spelldialog.h"
#include "editor/ui/spellingcommands.h"
#include "formwindow.h"
#include "scriptedanswers.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QQueue>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace Spelling;

namespace {

bool englishInstalled()
{
    const QList<Dictionary> installed = installedDictionaries(standardDictionaryFolders());
    return std::any_of(
        installed.begin(), installed.end(), [](const Dictionary &d) { return d.name == u"en_US"; });
}

#define REQUIRE_ENGLISH()                                                                                    \
    if (!englishInstalled())                                                                                 \
        QSKIP("the en_US Hunspell dictionary is not installed (package hunspell-en-us; ./dev installs it)");

// Answers from a script, recording each question and what the editor had selected when it was asked.

// A shown main window over a test's own settings, with a scripted prompter and scripted answers.
struct Window : FormWindow
{
    ScriptedAnswers answers;

    Window()
    {
        form->commands().spelling.setDictionarySearch(standardDictionaryFolders(), u"en_US"_qs);
        form->commands().spelling.setAnswers(&answers);
        answers.buffer = &buffer();
    }
    void load(const QString &text)
    {
        form->activePage()->loadText(text);
        form->activePage()->setModifiedFlag(false);
    }
    ScriptedPrompter::Asked lastMessage() const { return prompter.asked().constLast(); }
};

} // namespace

class TestSpellingCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changeInTextOnlyIsOneUndoStep();
    void cleanPageAndCancel();
    void noDictionaryChangesNothing();
    void menuAndToolbarRunTheCheck();
    void dialogKeysAndButtons();
    void dialogAnswersTheCheck();
};

void TestSpellingCommands::changeInTextOnlyIsOneUndoStep()
{
    REQUIRE_ENGLISH()
    Window w;
    const QString original = u"<html><body><p title=\"teh\">teh cat met teh dgo</p>\r\n</body></html>"_qs;
    w.load(original);
    QVERIFY(!w.action("Undo")->isEnabled());
    w.answers.script << Answer { Action::Change, u"the"_qs } << Answer { Action::Change, u"the"_qs }
                     << Answer { Action::Change, u"dog"_qs };
    w.form->SpellingClick();

    // Only the words in text were asked about, each selected in the editor when asked.
    QCOMPARE(w.answers.selected, QStringList({ u"teh"_qs, u"teh"_qs, u"dgo"_qs }));
    QCOMPARE(w.answers.asked.constFirst().word.start, int(original.indexOf(u">teh") + 1));
    QVERIFY(w.answers.asked.constFirst().suggestions.contains(u"the"_qs));
    QCOMPARE(w.text(), u"<html><body><p title=\"teh\">the cat met the dog</p>\r\n</body></html>"_qs);
    QVERIFY(w.form->activePage()->isModified());
    QCOMPARE(w.form->statusPanelText(3), Product::modifiedMark());
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.lastMessage().caption, u"Tagloom 99"_qs);
    QCOMPARE(w.lastMessage().text, u"Spell Check Complete. Updating text."_qs);
    QCOMPARE(w.lastMessage().icon, PromptIcon::Information);

    // Three changes, one step: one Undo brings the whole original back.
    QVERIFY(w.action("Undo")->isEnabled());
    QVERIFY(w.action("Undo")->toolTip().contains(u"Check Spelling"_qs));
    w.form->UndoClick();
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());
}

void TestSpellingCommands::cleanPageAndCancel()
{
    REQUIRE_ENGLISH()
    Window w;
    w.load(u"<p class=\"wrold\">The <!-- wrold --> world &wrold; is round.</p>"_qs);
    w.form->SpellingClick();
    QVERIFY(w.answers.asked.isEmpty());
    QCOMPARE(w.lastMessage().caption, u"Tagloom 99"_qs);
    QCOMPARE(w.lastMessage().text, u"Spell Check Complete. No errors were found."_qs);
    QCOMPARE(w.lastMessage().icon, PromptIcon::Information);
    QVERIFY(!w.form->activePage()->isModified());
    QVERIFY(!w.action("Undo")->isEnabled());

    // Cancel stops the check and keeps what was changed before it.
    w.load(u"<p>teh wrold and teh rest</p>"_qs);
    w.answers.script << Answer { Action::ChangeAll, u"the"_qs } << Answer { Action::Cancel, {} };
    w.form->SpellingClick();
    QCOMPARE(w.answers.selected.size(), 2);
    QCOMPARE(w.text(), u"<p>the wrold and the rest</p>"_qs);
    QCOMPARE(w.lastMessage().text, u"Spell Check Complete. Updating text."_qs);
    QVERIFY(w.form->activePage()->isModified());
    w.form->UndoClick();
    QCOMPARE(w.text(), u"<p>teh wrold and teh rest</p>"_qs);
}

void TestSpellingCommands::noDictionaryChangesNothing()
{
    Window w;
    QTemporaryDir empty;
    w.form->commands().spelling.setDictionarySearch({ empty.path() }, u"en_US"_qs);
    w.load(u"<p>teh</p>"_qs);
    w.form->SpellingClick();
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.lastMessage().caption, u"Tagloom 99"_qs);
    QVERIFY(w.lastMessage().text.startsWith(u"No spelling dictionary is installed"_qs));
    QCOMPARE(w.lastMessage().icon, PromptIcon::Stop);
    QVERIFY(w.answers.asked.isEmpty());
    QCOMPARE(w.text(), u"<p>teh</p>"_qs);
    QVERIFY(!w.form->activePage()->isModified());
    QVERIFY(!w.form->commands().spelling.checker());
}

void TestSpellingCommands::menuAndToolbarRunTheCheck()
{
    REQUIRE_ENGLISH()
    Window w;
    QAction *check = w.action("CheckSpelling");
    QVERIFY(check);
    QCOMPARE(check->text(), u"Check &Spelling..."_qs);
    QMenu *edit = w.form->findChild<QMenu *>(u"Edit1"_qs);
    QVERIFY(edit->actions().contains(check));
    auto *button = w.form->findChild<QToolButton *>(u"CheckSpellingButton"_qs);
    QVERIFY(button);
    QCOMPARE(button->toolTip(), u"Check Spelling"_qs);
    QCOMPARE(check->statusTip(), u"Run the spell checker over the current file"_qs);

    // Add from the toolbar: the word goes into the personal list beside the settings, and the next
    // check no longer asks about it.
    w.load(u"<p>Quorvanese</p>"_qs);
    w.answers.script << Answer { Action::Add, {} };
    button->click();
    QCOMPARE(w.answers.selected, QStringList({ u"Quorvanese"_qs }));
    QCOMPARE(TestEnvironment::readFile(personalWordListPath(w.form->settings().userFile())),
        QByteArray("Quorvanese\n"));
    check->trigger();
    QCOMPARE(w.answers.asked.size(), 1);
    QCOMPARE(w.lastMessage().text, u"Spell Check Complete. No errors were found."_qs);
}

void TestSpellingCommands::dialogKeysAndButtons()
{
    TSpellDialog dialog;
    Question question { Word { 10, u"teh"_qs }, u"<p>Read teh & book</p>"_qs, 8, { u"the"_qs, u"tea"_qs } };
    dialog.setQuestion(question);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *changeTo = dialog.findChild<QLineEdit *>(u"ChangeTo"_qs);
    auto *list = dialog.findChild<QListWidget *>(u"Suggestions"_qs);
    QCOMPARE(changeTo->text(), u"the"_qs);
    const QString context = dialog.findChild<QLabel *>(u"NotInDictionary"_qs)->text();
    QVERIFY(context.startsWith(u"&lt;p&gt;Read <span"_qs));
    QVERIFY(context.contains(u">teh</span> &amp; book&lt;/p&gt;"_qs));
    // The whole line stands in the tooltip as written, tags and all.
    const QString tip = dialog.findChild<QLabel *>(u"NotInDictionary"_qs)->toolTip();
    QCOMPARE(QTextDocumentFragment::fromHtml(tip).toPlainText(), question.line);

    // Enter changes to the first suggestion.
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.answer().action, Action::Change);
    QCOMPARE(dialog.answer().replacement, u"the"_qs);

    // Escape cancels.
    dialog.setQuestion(question);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.answer().action, Action::Cancel);

    // A double-click on a suggestion changes to it.
    dialog.setQuestion(question);
    dialog.show();
    QListWidgetItem *tea = list->item(1);
    const QPoint at = list->visualItemRect(tea).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(dialog.answer().action, Action::Change);
    QCOMPARE(dialog.answer().replacement, u"tea"_qs);

    // A typed replacement for Change All; with no suggestions the word itself is offered, and an empty
    // replacement cannot be chosen.
    dialog.setQuestion({ Word { 0, u"zqxv"_qs }, u"zqxv"_qs, 0, {} });
    dialog.show();
    QCOMPARE(changeTo->text(), u"zqxv"_qs);
    QVERIFY(!(list->item(0)->flags() & Qt::ItemIsEnabled));
    auto *changeAll = dialog.findChild<QPushButton *>(u"ChangeAllButton"_qs);
    changeTo->clear();
    QVERIFY(!changeAll->isEnabled());
    QTest::keyClick(changeTo, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QTest::keyClicks(changeTo, u"quiz"_qs);
    changeAll->click();
    QCOMPARE(dialog.answer().action, Action::ChangeAll);
    QCOMPARE(dialog.answer().replacement, u"quiz"_qs);

    for (const auto &[name, action] : { std::pair { "IgnoreButton", Action::Ignore },
             std::pair { "IgnoreAllButton", Action::IgnoreAll }, std::pair { "AddButton", Action::Add } }) {
        dialog.setQuestion(question);
        dialog.show();
        dialog.findChild<QPushButton *>(QString::fromLatin1(name))->click();
        QCOMPARE(dialog.answer().action, action);
    }
}

void TestSpellingCommands::dialogAnswersTheCheck()
{
    // The program's own answers: the modal dialog, answered here by clicking Ignore once it is up.
    QWidget parent;
    parent.resize(600, 400);
    parent.show();
    TSpellDialogAnswers answers(&parent);
    answers.setWordRect(QRect(parent.mapToGlobal(QPoint(280, 190)), QSize(40, 16)));
    QRect shownAt;
    QTimer::singleShot(0, &parent, [&] {
        auto *dialog = qobject_cast<TSpellDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shownAt = dialog->frameGeometry();
        dialog->findChild<QPushButton *>(u"IgnoreButton"_qs)->click();
    });
    const Answer answer = answers.ask({ Word { 0, u"teh"_qs }, u"teh"_qs, 0, { u"the"_qs } });
    QCOMPARE(answer.action, Action::Ignore);
    QVERIFY(shownAt.isValid());
    // It keeps clear of the word it asks about.
    QVERIFY(!shownAt.intersects(QRect(parent.mapToGlobal(QPoint(280, 190)), QSize(40, 16))));
}

QTEST_MAIN(TestSpellingCommands)
#include "tst_spellingcommands.moc"
