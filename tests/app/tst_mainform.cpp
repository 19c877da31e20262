// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/recentfiles.h"
#include "app/ui/colorbox.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "base/productstrings.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "formaccess.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

// A main window over a test's own settings and files, asking its questions of a scripted prompter.
struct Fixture
{
    TestEnvironment env;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;

    explicit Fixture(
        const QStringList &arguments = {}, const std::function<void(SettingsStore &)> &prepare = {})
    {
        SettingsStore settings = env.settings();
        InstallCheck::seedTemplate(settings);
        if (prepare)
            prepare(settings);
        form = std::make_unique<TMainForm>(settings, &prompter);
        form->FormCreate(arguments);
    }

    QString html(const QString &name, const QByteArray &bytes) const { return env.writeFile(name, bytes); }
    QString text(int page) const { return form->page(page)->buffer().text(); }
    QString tabText(int page) const { return form->commands().documents.filePages()->tabText(page); }
    QStringList tabs() const
    {
        QStringList result;
        for (int i = 0; i < form->pageCount(); ++i)
            result.append(tabText(i));
        return result;
    }
    void type(const QString &text) const
    {
        EditorBuffer &buffer = form->activePage()->buffer();
        buffer.setSelText(text);
    }
};

QByteArray page(const char *body)
{
    return QByteArray("<html>\r\n<head>\r\n<title>T</title>\r\n</head>\r\n<body>\r\n") + body
        + "\r\n</body>\r\n</html>";
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsWithANewPageAndItsFrame();
    void hintsFollowTheShortcutsSetting();
    void commandLineArgumentsChooseWhatOpens();
    void ninthOpenIsRefusedWhileNewWorks();
    void openingTheSameFileActivatesItsPage();
    void unreadableFileLeavesNoPage();
    void longFileAsksBeforeOpening();
    void pageWithoutBodyGainsItsTags();
    void saveQuestionAnswers();
    void exitWithChangesCanBeCancelled();
    void recentFilesRotateInTheMenu();
    void saveAsProposesTheTitleAndAsksAboutSimilarNames();
    void saveWritesAuthorAndKeepsBytes();
    void failedSaveKeepsOldFileAndModifiedMark();
    void closingActivatesTheNeighbour();
    void titleAndBackgroundBoxesEditTheDocument();
    void closeSavesWindowStateButNoPreviewHeight();
    void editKeysGoThroughTheWindow();
};

void TestMainForm::startsWithANewPageAndItsFrame()
{
    Fixture f;
    TMainForm &form = *f.form;
    QCOMPARE(form.pageCount(), 1);
    QCOMPARE(f.tabText(0), QStringLiteral("Untitled 1"));
    QCOMPARE(f.text(0), InstallCheck::defaultTemplate());
    QCOMPARE(form.currentFileName(), QStringLiteral("Not Saved"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Your Document Title - Tagloom 99 [Not Saved]"));
    QCOMPARE(form.commands().documents.docTitle()->text(), QStringLiteral("Your Document Title"));
    QVERIFY(!form.activePage()->isModified());
    QCOMPARE(form.statusPanelText(3), QString());

    // The caret waits after the BODY tag and its line break.
    EditorBuffer &buffer = form.activePage()->buffer();
    const int body = int(f.text(0).indexOf(QStringLiteral("<body")));
    QCOMPARE(buffer.selStart(), int(f.text(0).indexOf(u'>', body)) + 3);

    // Typing marks the page modified; the next New is numbered on.
    f.type(QStringLiteral("Hello"));
    QVERIFY(form.activePage()->isModified());
    QCOMPARE(form.statusPanelText(3), QStringLiteral("      Modified"));
    form.NewClick();
    QCOMPARE(f.tabs(), QStringList({ QStringLiteral("Untitled 1"), QStringLiteral("Untitled 2") }));
    QCOMPARE(form.statusPanelText(3), QString());
    form.commands().documents.filePages()->setCurrentIndex(0);
    QCOMPARE(form.statusPanelText(3), QStringLiteral("      Modified"));

    // Hints reach status panel 0 once start-up is complete.
    QStatusTipEvent tip(QStringLiteral("Create a new HTML File"));
    QCoreApplication::sendEvent(&form, &tip);
    QCOMPARE(form.statusPanelText(0), QStringLiteral("Create a new HTML File"));

    // The left pane's pages and the View menu's radio items follow each other.
    auto *pages = form.findChild<QTabWidget *>(QStringLiteral("ToolPages"));
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->tabText(0), QStringLiteral("Site Management"));
    namedAction(&form, "CommonCodeReuse1")->trigger();
    QCOMPARE(pages->currentIndex(), 2);
    pages->setCurrentIndex(3);
    QVERIFY(namedAction(&form, "JavascriptSnippets1")->isChecked());
}

void TestMainForm::hintsFollowTheShortcutsSetting()
{
    Fixture on;
    const auto button = [](TMainForm &form, const char *name) {
        return form.findChild<QToolButton *>(QString::fromLatin1(name))->defaultAction();
    };
    QCOMPARE(button(*on.form, "NewButton")->toolTip(), QStringLiteral("New (Ctrl+N)"));
    QCOMPARE(button(*on.form, "NewButton")->statusTip(), QStringLiteral("Create a new HTML File"));
    QCOMPARE(button(*on.form, "HorizontalLineButton")->toolTip(), QStringLiteral("Line (Ctrl+L)"));
    QCOMPARE(button(*on.form, "ItalicButton")->statusTip(), QStringLiteral("Italicasize the selected text"));
    // The preview button keeps the hint that says why it cannot be used.
    QAction *preview = button(*on.form, "InternalPreviewButton");
    QVERIFY(!preview->isEnabled());
    QCOMPARE(preview->toolTip(),
        QStringLiteral("You need to enable the internal preview in the Settings box to use this feature"));

    Fixture off({}, [](SettingsStore &s) { s.writeBool(Keys::Editor, QStringLiteral("Shortcuts"), false); });
    for (int n = 0; n < Product::toolbarHintCount; ++n)
        QVERIFY(!Product::toolbarHint(n, false).contains(u'('));
    QCOMPARE(button(*off.form, "NewButton")->toolTip(), QStringLiteral("New"));
    QCOMPARE(button(*off.form, "FindButton")->toolTip(), QStringLiteral("Find"));
    QCOMPARE(button(*off.form, "FindButton")->statusTip(),
        QStringLiteral("Find a section of text in the current file"));

    // The toolbar popup shows and hides the four toolbars.
    QMenu *popup = namedMenu(on.form, "ToolbarPopup");
    QCOMPARE(popup->actions().size(), 4);
    on.form->show();
    namedAction(on.form, "HTML1")->trigger();
    QVERIFY(namedToolbar(on.form, "HTMLToolbar")->isHidden());
    Q_EMIT popup->aboutToShow();
    QVERIFY(!namedAction(on.form, "HTML1")->isChecked());
    QVERIFY(namedAction(on.form, "Standard1")->isChecked());
}

void TestMainForm::commandLineArgumentsChooseWhatOpens()
{
    TestEnvironment files;
    const QString doc = files.writeFile(QStringLiteral("start.html"), page("Start"));
    Fixture opened({ doc });
    QCOMPARE(opened.tabs(), QStringList({ QStringLiteral("start.html") }));
    QCOMPARE(opened.form->currentFileName(), doc);
    QCOMPARE(opened.form->windowTitle(), QStringLiteral("T - Tagloom 99 [") + doc + u']');

    // A site file gives a new page; a capitalised extension is not a document.
    Fixture site({ files.writeFile(QStringLiteral("my.site"), "[Site]\n") });
    QCOMPARE(site.tabs(), QStringList({ QStringLiteral("Untitled 1") }));
    Fixture capitals({ files.writeFile(QStringLiteral("PAGE.HTML"), page("x")) });
    QCOMPARE(capitals.tabs(), QStringList({ QStringLiteral("Untitled 1") }));

    // A document that does not exist is reported, and a new page stands in for it.
    Fixture missing({ files.path(QStringLiteral("gone.htm")) });
    QCOMPARE(missing.prompter.texts(),
        QStringList(
            { QStringLiteral("Cannot find file to open: ") + files.path(QStringLiteral("gone.htm")) }));
    QCOMPARE(missing.tabs(), QStringList({ QStringLiteral("Untitled 1") }));
}

void TestMainForm::ninthOpenIsRefusedWhileNewWorks()
{
    Fixture f;
    for (int i = 1; i <= 7; ++i) {
        f.prompter.chooseFile(f.html(QStringLiteral("p%1.html").arg(i), page("x")));
        f.form->OpenClick();
    }
    QCOMPARE(f.form->pageCount(), 8);
    QVERIFY(f.prompter.asked().isEmpty());

    f.form->OpenClick();
    QCOMPARE(f.form->pageCount(), 8);
    QCOMPARE(f.prompter.asked().size(), 1);
    QCOMPARE(f.prompter.asked().constFirst().text,
        QStringLiteral(
            "You cannot open more than 8 files in Tagloom 99.\nPlease close one or more of the currently open files."));
    QCOMPARE(f.prompter.asked().constFirst().icon, PromptIcon::Stop);
    QCOMPARE(f.prompter.fileRequests().size(), 7);

    f.form->NewClick();
    QCOMPARE(f.form->pageCount(), 9);
    QCOMPARE(f.tabText(8), QStringLiteral("Untitled 2"));
}

void TestMainForm::openingTheSameFileActivatesItsPage()
{
    Fixture f;
    const QString one = f.html(QStringLiteral("one.html"), page("One"));
    const QString two = f.html(QStringLiteral("two.html"), page("Two"));
    QVERIFY(f.form->commands().documents.openFileIntoPage(one));
    QVERIFY(f.form->commands().documents.openFileIntoPage(two));
    QVERIFY(f.form->commands().documents.openFileIntoPage(
        QDir(f.env.path(QString())).filePath(QStringLiteral("./one.html"))));
    QCOMPARE(f.form->pageCount(), 3);
    QCOMPARE(f.form->commands().documents.filePages()->currentIndex(), 1);
    QCOMPARE(f.form->currentFileName(), one);
    QVERIFY(f.form->htmlSource() == f.form->page(1)->editor());
}

void TestMainForm::unreadableFileLeavesNoPage()
{
    Fixture f;
    const QString folder = f.env.path(QStringLiteral("folder.html"));
    QDir().mkpath(folder);
    QVERIFY(!f.form->commands().documents.openFileIntoPage(folder));
    QCOMPARE(f.form->pageCount(), 1);
    QCOMPARE(f.prompter.asked().size(), 1);
    QVERIFY(f.prompter.asked().constFirst().text.startsWith(QStringLiteral("Cannot open file ") + folder));
    QVERIFY(RecentFiles::read(f.form->settings()).constFirst().isEmpty());
}

void TestMainForm::longFileAsksBeforeOpening()
{
    Fixture f;
    const QString big = f.html(QStringLiteral("big.html"), page(QByteArray(40000, 'a').constData()));
    f.prompter.answer(PromptAnswer::No);
    QVERIFY(!f.form->commands().documents.openFileIntoPage(big));
    QCOMPARE(f.form->pageCount(), 1);
    QVERIFY(f.prompter.texts().constFirst().startsWith(QStringLiteral("This file is longer than 32KB.")));

    f.prompter.answer(PromptAnswer::Yes);
    QVERIFY(f.form->commands().documents.openFileIntoPage(big));
    QCOMPARE(f.form->pageCount(), 2);
    QVERIFY(f.text(1).contains(QString(40000, u'a')));
}

void TestMainForm::pageWithoutBodyGainsItsTags()
{
    Fixture f;
    const QString bare = f.html(QStringLiteral("bare.html"), "<p>Just a paragraph</p>");
    f.prompter.answer(PromptAnswer::Yes);
    QVERIFY(f.form->commands().documents.openFileIntoPage(bare));
    QVERIFY(f.prompter.texts().constFirst().startsWith(QStringLiteral(
        "This file does not contain the <body> tag which is needed by many functions of Tagloom 99.")));
    QVERIFY(f.text(1).startsWith(
        QStringLiteral("<html>\r\n<head>\r\n<title>Your Document Title</title>\r\n</head>\r\n<body")));
    QVERIFY(f.text(1).endsWith(QStringLiteral("<p>Just a paragraph</p>")));
    QVERIFY(f.form->activePage()->isModified());
    QCOMPARE(f.form->statusPanelText(3), QStringLiteral("      Modified"));

    const QString other = f.html(QStringLiteral("other.html"), "<p>Other</p>");
    f.prompter.answer(PromptAnswer::No);
    QVERIFY(f.form->commands().documents.openFileIntoPage(other));
    QCOMPARE(f.text(2), QStringLiteral("<p>Other</p>"));
    QVERIFY(!f.form->activePage()->isModified());
}

void TestMainForm::saveQuestionAnswers()
{
    Fixture f;
    f.form->NewClick();
    f.type(QStringLiteral("changed"));
    const QString caption = f.tabText(1);

    // Cancel keeps the page; No closes it without writing anything.
    f.prompter.answer(PromptAnswer::Cancel);
    f.form->Close1Click();
    QCOMPARE(f.form->pageCount(), 2);
    QCOMPARE(f.prompter.texts().constLast(), caption + QStringLiteral(" has changed. Save Changes?"));
    f.prompter.answer(PromptAnswer::No);
    f.form->Close1Click();
    QCOMPARE(f.form->pageCount(), 1);

    // Yes on a page never saved asks for a name, and asks before overwriting what is there.
    f.form->NewClick();
    f.type(QStringLiteral("<p>kept</p>"));
    const QString target = f.html(QStringLiteral("target.html"), "old");
    f.prompter.answer(PromptAnswer::Yes);
    f.prompter.chooseFile(target);
    f.prompter.answer(PromptAnswer::No);
    f.form->Close1Click();
    QCOMPARE(f.form->pageCount(), 2);
    QCOMPARE(TestEnvironment::readFile(target), QByteArray("old"));
    QCOMPARE(f.prompter.texts().constLast(), QStringLiteral("File already exists. Overwite?"));

    f.prompter.answer(PromptAnswer::Yes);
    f.prompter.chooseFile(target);
    f.prompter.answer(PromptAnswer::Yes);
    f.form->Close1Click();
    QCOMPARE(f.form->pageCount(), 1);
    QVERIFY(TestEnvironment::readFile(target).contains("<p>kept</p>"));
    QCOMPARE(RecentFiles::read(f.form->settings()).constFirst(), target);

    // The last page cannot be closed.
    f.form->Close1Click();
    QCOMPARE(f.form->pageCount(), 1);
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestMainForm::exitWithChangesCanBeCancelled()
{
    Fixture f;
    f.form->show();
    f.type(QStringLiteral("x"));
    f.prompter.answer(PromptAnswer::Cancel);
    QVERIFY(!f.form->close());
    QVERIFY(f.form->isVisible());

    f.prompter.answer(PromptAnswer::No);
    f.form->Exit1Click();
    QVERIFY(!f.form->isVisible());
}

void TestMainForm::recentFilesRotateInTheMenu()
{
    Fixture f;
    f.form->File1Click();
    QVERIFY(!namedAction(f.form, "RecentFile1")->isVisible());
    QVERIFY(!namedAction(f.form, "MenuItem15")->isVisible());
    QStringList names;
    for (int i = 1; i <= 5; ++i) {
        names.append(f.html(QStringLiteral("r%1.html").arg(i), page("r")));
        f.form->commands().documents.openFileIntoPage(names.constLast());
    }
    f.form->File1Click();
    QCOMPARE(namedAction(f.form, "RecentFile1")->text(), QStringLiteral("&1 r5.html"));
    QCOMPARE(namedAction(f.form, "RecentFile4")->text(), QStringLiteral("&4 r2.html"));
    QVERIFY(namedAction(f.form, "RecentFile4")->isVisible());
    QVERIFY(namedAction(f.form, "MenuItem15")->isVisible());

    // Choosing the second entry activates its page and swaps it to the front.
    f.form->RecentClick(2);
    QCOMPARE(f.form->currentFileName(), names.at(3));
    QCOMPARE(namedAction(f.form, "RecentFile1")->text(), QStringLiteral("&1 r4.html"));
    QCOMPARE(namedAction(f.form, "RecentFile2")->text(), QStringLiteral("&2 r5.html"));

    QFile::remove(names.at(1));
    f.form->RecentClick(4);
    QCOMPARE(f.prompter.texts().constLast(), QStringLiteral("Cannot find file to open"));
    QCOMPARE(f.prompter.asked().constLast().caption, QStringLiteral("Error"));
}

void TestMainForm::saveAsProposesTheTitleAndAsksAboutSimilarNames()
{
    Fixture f;
    TMainForm &form = *f.form;
    form.commands().documents.docTitle()->setText(QStringLiteral("Home/News: Today"));
    form.commands().documents.DocTitleChange();
    f.prompter.chooseFile(std::nullopt);
    form.SaveAs1Click();
    QCOMPARE(f.prompter.fileRequests().constLast().proposedName, QStringLiteral("Home News  Today.html"));
    QCOMPARE(f.prompter.fileRequests().constLast().title, QStringLiteral("Save File"));
    QCOMPARE(form.currentFileName(), QStringLiteral("Not Saved"));

    f.html(QStringLiteral("news.htm"), "old");
    f.prompter.chooseFile(f.env.path(QStringLiteral("news.html")));
    f.prompter.answer(PromptAnswer::No);
    form.SaveAs1Click();
    QCOMPARE(f.prompter.texts().constLast(),
        QStringLiteral("A file with a similar name already exists. Save anyway?"));
    QVERIFY(!QFile::exists(f.env.path(QStringLiteral("news.html"))));

    // The extension test is exact: .HTML beside .htm asks nothing.
    const int asked = int(f.prompter.asked().size());
    f.prompter.chooseFile(f.env.path(QStringLiteral("news.HTML")));
    form.SaveAs1Click();
    QCOMPARE(f.prompter.asked().size(), asked);
    QCOMPARE(form.currentFileName(), f.env.path(QStringLiteral("news.HTML")));
    QCOMPARE(f.tabText(0), QStringLiteral("news.HTML"));
    QVERIFY(
        form.windowTitle().endsWith(QStringLiteral("[") + f.env.path(QStringLiteral("news.HTML")) + u']'));
    QVERIFY(!form.activePage()->isModified());

    // Saving as text offers to strip the tags.
    f.prompter.chooseFile(f.env.path(QStringLiteral("plain.txt")));
    f.prompter.answer(PromptAnswer::Yes);
    form.SaveAs1Click();
    const QByteArray plain = TestEnvironment::readFile(f.env.path(QStringLiteral("plain.txt")));
    QVERIFY(plain.contains("Your Document Text"));
    QVERIFY(!plain.contains('<'));
}

void TestMainForm::saveWritesAuthorAndKeepsBytes()
{
    Fixture f({}, [](SettingsStore &s) {
        s.write(
            Keys::Machine, QStringLiteral("Name"), QStringLiteral("Ann & Bo"), SettingsStore::Root::Machine);
    });
    const QString doc = f.html(QStringLiteral("doc.html"), page("Text"));
    f.form->commands().documents.openFileIntoPage(doc);
    f.form->SaveClick();
    const QByteArray once = TestEnvironment::readFile(doc);
    QVERIFY(once.contains("<meta name=\"author\" content=\"Ann &amp; Bo\"></head>"));
    f.form->SaveClick();
    QCOMPARE(TestEnvironment::readFile(doc), once);

    // A Windows-1252 file with LF line ends and no HEAD comes back byte for byte.
    const QByteArray legacy("<html><body bgcolor=white>\ncaf\xe9 \x80 \x81\n</body></html>\n");
    const QString old = f.html(QStringLiteral("legacy.htm"), legacy);
    f.form->commands().documents.openFileIntoPage(old);
    QCOMPARE(f.form->activePage()->buffer().text(),
        QStringLiteral("<html><body bgcolor=white>\r\ncaf\u00e9 \u20ac \u0081\r\n</body></html>\r\n"));
    f.form->SaveClick();
    QCOMPARE(TestEnvironment::readFile(old), legacy);
}

void TestMainForm::failedSaveKeepsOldFileAndModifiedMark()
{
    Fixture f;
    const QString folder = f.env.path(QStringLiteral("gone"));
    QDir().mkpath(folder);
    const QString doc = f.html(QStringLiteral("gone/doc.html"), page("Old"));
    f.form->commands().documents.openFileIntoPage(doc);
    f.type(QStringLiteral("new text"));
    // The folder disappears and a plain file takes its name: nothing can be written there now.
    QVERIFY(QDir(folder).removeRecursively());
    f.html(QStringLiteral("gone"), "not a folder");
    f.form->SaveClick();
    QVERIFY(f.prompter.texts().constLast().startsWith(QStringLiteral("Could not save ") + doc));
    QVERIFY(f.form->activePage()->isModified());
    QCOMPARE(f.form->statusPanelText(3), QStringLiteral("      Modified"));

    // The close question then keeps the page rather than losing it.
    f.prompter.answer(PromptAnswer::Yes);
    f.form->Close1Click();
    QCOMPARE(f.form->pageCount(), 2);

    // An existing file is left whole when the new text cannot be written in its encoding and the user
    // declines UTF-8.
    const QByteArray legacy("<html><body>caf\xe9</body></html>");
    const QString old = f.html(QStringLiteral("legacy.html"), legacy);
    f.form->commands().documents.openFileIntoPage(old);
    f.type(QStringLiteral("\u4e2d"));
    f.prompter.answer(PromptAnswer::No);
    f.form->SaveClick();
    QCOMPARE(TestEnvironment::readFile(old), legacy);
    QVERIFY(f.form->activePage()->isModified());
    f.prompter.answer(PromptAnswer::Yes);
    f.form->SaveClick();
    QVERIFY(TestEnvironment::readFile(old).contains("caf\xc3\xa9"));
    QVERIFY(TestEnvironment::readFile(old).contains("\xe4\xb8\xad"));
}

void TestMainForm::closingActivatesTheNeighbour()
{
    Fixture f;
    f.form->NewClick();
    f.form->NewClick();
    QCOMPARE(f.tabs(),
        QStringList(
            { QStringLiteral("Untitled 1"), QStringLiteral("Untitled 2"), QStringLiteral("Untitled 3") }));
    f.form->commands().documents.filePages()->setCurrentIndex(1);
    f.form->Close1Click();
    QCOMPARE(f.tabs(), QStringList({ QStringLiteral("Untitled 1"), QStringLiteral("Untitled 3") }));
    QCOMPARE(f.form->commands().documents.filePages()->currentIndex(), 1);
    QVERIFY(f.form->htmlSource() == f.form->page(1)->editor());

    f.form->Close1Click();
    QCOMPARE(f.tabs(), QStringList({ QStringLiteral("Untitled 1") }));
    QVERIFY(f.form->htmlSource() == f.form->page(0)->editor());
    f.form->File1Click();
    QVERIFY(!namedAction(f.form, "Close")->isEnabled());
    QVERIFY(!namedAction(f.form, "Close2")->isEnabled());
}

void TestMainForm::titleAndBackgroundBoxesEditTheDocument()
{
    Fixture f;
    TMainForm &form = *f.form;
    form.commands().documents.DocTitleEnter();
    form.commands().documents.docTitle()->setText(QStringLiteral("Recipes"));
    form.commands().documents.DocTitleChange();
    form.commands().documents.DocTitleReturn();
    QVERIFY(f.text(0).contains(QStringLiteral("<title>Recipes</title>")));
    QCOMPARE(form.windowTitle(), QStringLiteral("Recipes - Tagloom 99 [Not Saved]"));
    QVERIFY(form.activePage()->isModified());

    form.commands().documents.backColor()->setSelectedColor(0x00FFFF);
    form.commands().documents.BackColorColorChange(0x00FFFF);
    QVERIFY(f.text(0).contains(QStringLiteral("<body bgcolor=\"yellow\" text=\"black\"")));
    form.commands().documents.BackColorColorChange(0x123456);
    QVERIFY(f.text(0).contains(QStringLiteral("<body bgcolor=#563412 text=")));

    // A page without a title disables the box, and its edits never reach the text.
    const QString untitled = f.html(QStringLiteral("notitle.html"), "<html><body>Body</body></html>");
    form.commands().documents.openFileIntoPage(untitled);
    QVERIFY(!form.commands().documents.docTitle()->isEnabled());
    const QString before = f.text(1);
    form.commands().documents.docTitle()->setText(QStringLiteral("sneaky"));
    form.commands().documents.DocTitleChange();
    QVERIFY(!f.text(1).contains(QStringLiteral("sneaky")));
    // Its colour box shows the default, read from the BODY tag that now carries it.
    QCOMPARE(form.commands().documents.backColor()->selectedColor(), TColor(0xFFFFFF));
    QVERIFY(before.contains(QStringLiteral("<body bgcolor=#ffffff>")));
}

void TestMainForm::closeSavesWindowStateButNoPreviewHeight()
{
    Fixture f;
    namedAction(f.form, "WordWrap")->setChecked(false);
    f.form->WordWrap1Click();
    QVERIFY(!f.form->htmlSource()->wordWrap());
    f.form->FormClose();
    SettingsStore settings = f.env.settings();
    QVERIFY(settings.hasValue(Keys::Position, QStringLiteral("Width")));
    QVERIFY(!settings.hasValue(Keys::Position, QStringLiteral("IEHeight")));
    QVERIFY(!settings.readBool(Keys::Editor, QStringLiteral("Word Wrap")));
    QVERIFY(settings.hasValue(Keys::Toolbars, QStringLiteral("State")));

    Fixture again({}, [&](SettingsStore &s) { s = settings; });
    QVERIFY(!namedAction(again.form, "WordWrap")->isChecked());
}

void TestMainForm::editKeysGoThroughTheWindow()
{
    Fixture f;
    TMainForm &form = *f.form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    TSourceEditor *editor = form.htmlSource();
    editor->setFocus();
    QVERIFY(!namedAction(&form, "Cut")->isEnabled());

    EditorBuffer &buffer = form.activePage()->buffer();
    const int at = int(f.text(0).indexOf(QStringLiteral("Your Document Text")));
    buffer.select(at, 4);
    QVERIFY(namedAction(&form, "Cut")->isEnabled());
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(!f.text(0).contains(QStringLiteral("Your Document Text")));
    QVERIFY(f.text(0).contains(QStringLiteral("Document Text")));
    QCOMPARE(form.statusPanelText(3), QStringLiteral("      Modified"));
    QVERIFY(namedAction(&form, "Paste")->isEnabled());

    // Paste puts the text back with CR LF line breaks, whatever the clipboard held.
    QApplication::clipboard()->setText(QStringLiteral("One\nTwo"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QVERIFY2(f.text(0).contains(QStringLiteral("One\r\nTwo Document Text")),
        f.text(0).mid(at - 5, 40).toUtf8().toPercentEncoding().constData());
    QCOMPARE(buffer.selStart(), at + 8);

    // The editor keeps none of the program's Ctrl letters for itself: Ctrl+T is the window's table
    // wizard (closed again here, writing nothing), Ctrl+L the window's Line.
    const QString before = f.text(0);
    QString wizard;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            closer.stop();
            wizard = dialog->windowTitle();
            dialog->close();
        }
    });
    closer.start();
    QTest::keyClick(editor, Qt::Key_T, Qt::ControlModifier);
    closer.stop();
    QCOMPARE(wizard, QStringLiteral("Table Wizard"));
    QTest::keyClick(editor, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(f.text(0), before);
    QTest::keyClick(editor, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(f.text(0).count(QStringLiteral("<hr>")), 1);
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
