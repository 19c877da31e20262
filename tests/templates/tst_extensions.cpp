// SPDX-License-Identifier: GPL-3.0-or-later
// Wizard dialogs, the plug-in menu, the code tree and the snippet list in the main window.
#include "base/productstrings.h"
#include "formwindow.h"
#include "templates/codesections.h"
#include "templates/ui/codeform.h"
#include "templates/ui/codepane.h"
#include "templates/ui/extensioncommands.h"
#include "templates/ui/wizardform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// A program folder of the test's own, so its Addin, Wizards, Common Code and Java hold what it puts there.
class Home
{
public:
    Home()
        : m_old(qgetenv("TAGLOOM_HOME"))
    {
        qputenv("TAGLOOM_HOME", m_dir.path().toUtf8());
    }
    ~Home() { qputenv("TAGLOOM_HOME", m_old); }
    QString folder(const QString &name) const
    {
        QDir(m_dir.path()).mkpath(name);
        return m_dir.filePath(name);
    }
    QString write(const QString &path, const QByteArray &bytes) const
    {
        QFile file(m_dir.filePath(path));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the test file");
        file.write(bytes);
        return file.fileName();
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

// Runs check on the modal dialog of type Dialog once it is shown.
template <typename Dialog> void whenShown(QObject *context, std::function<void(Dialog *)> check)
{
    QTimer::singleShot(0, context, [check] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        check(dialog);
    });
}

// Types name into the tree's label editor and commits it.
void typeLabel(QTreeWidget *tree, const QString &name)
{
    auto *editor = tree->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText(name);
    QPointer<QLineEdit> alive(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits and closes its editor from the event loop.
    QTRY_VERIFY(!alive);
}

} // namespace

class TestExtensions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wizardDialogWritesTheTag();
    void pluginMenuAndCommand();
    void codeSections();
    void snippets();
};

void TestExtensions::wizardDialogWritesTheTag()
{
    Home home;
    home.folder(QStringLiteral("Wizards"));
    const QString wizard = home.write(QStringLiteral("Wizards/foo.html"),
        "<html><head><title>Foo Wizard</title></head><body>\n"
        "<input name=\"title\" type=\"text\">\n<input name=\"size\" type=\"number\">\n<br>\n"
        "<input name=\"align\" type=\"select\" options=\"left;center;right\">\n"
        "<input name=\"mode\" type=\"hidden\" value=\"fast\">\n<input name=\"src\" type=\"file\">\n</body></html>");
    FormWindow w;
    ExtensionCommands &extensions = w.form->commands().extensions;
    const QString original = QStringLiteral("<p>x</p><foo title=\"Hello world\" size=2 mode=slow width=50%>");
    w.buffer().setText(original);
    w.selectText(QStringLiteral("<foo"));
    w.buffer().setSelLength(w.buffer().length() - w.buffer().selStart());

    // Cancel changes nothing.
    whenShown<TWizardForm>(this, [](TWizardForm *dialog) { dialog->reject(); });
    extensions.RunWizard(wizard);
    QCOMPARE(w.text(), original);

    whenShown<TWizardForm>(this, [](TWizardForm *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Foo Wizard"));
        auto *title = dialog->findChild<QLineEdit *>(QStringLiteral("title"));
        auto *size = dialog->findChild<QSpinBox *>(QStringLiteral("size"));
        auto *align = dialog->findChild<QComboBox *>(QStringLiteral("align"));
        QVERIFY(title && size && align);
        QCOMPARE(title->text(), QStringLiteral("Hello world"));
        QCOMPARE(size->value(), 2);
        QCOMPARE(align->count(), 3);
        QCOMPARE(align->itemText(1), QStringLiteral("center"));
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("title"));
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Label4"))->text(), QStringLiteral("src"));
        QCOMPARE(
            dialog->findChild<QPushButton *>(QStringLiteral("Button4"))->text(), QStringLiteral("Browse..."));
        QVERIFY(!dialog->findChild<QWidget *>(QStringLiteral("mode")));
        // The <br> put align in a second column, to the right of the first.
        QVERIFY(align->mapTo(dialog, QPoint()).x() >= title->mapTo(dialog, QPoint()).x() + 200);
        size->setValue(5);
        align->setCurrentIndex(1);
        dialog->findChild<QPushButton *>(QStringLiteral("ButtonOK"))->click();
    });
    extensions.RunWizard(wizard);
    const QString written = QStringLiteral(
        "<p>x</p><foo title=\"Hello world\" size=\"5\" align=\"center\" mode=\"fast\" src=\"\" width=\"50%\">");
    QCOMPARE(w.text(), written);
    QCOMPARE(w.form->statusPanelText(3), Product::modifiedMark());
    w.action("Undo")->trigger();
    QCOMPARE(w.text(), original);

    // A number the spin edit cannot hold is reported and nothing changes.
    w.buffer().setText(QStringLiteral("<foo size=\"50%\">"));
    w.buffer().select(0, w.buffer().length());
    w.prompter.clear();
    extensions.RunWizard(wizard);
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.text(), QStringLiteral("<foo size=\"50%\">"));
}

void TestExtensions::pluginMenuAndCommand()
{
    {
        Home empty;
        empty.folder(QStringLiteral("Addin"));
        FormWindow w;
        QVERIFY(w.action("NoPluginsInstalled")->isVisible());
        QVERIFY(!w.action("NoPluginsInstalled")->isEnabled());
    }
    Home home;
    const QString addin = home.folder(QStringLiteral("Addin"));
    QVERIFY(QFile::copy(QStringLiteral(TAGLOOM_UPPERTAGS), addin + QStringLiteral("/uppertags.so")));
    QVERIFY(QFile::copy(QStringLiteral(TAGLOOM_HEADINGLINKS), addin + QStringLiteral("/headinglinks.so")));
    FormWindow w;
    QMenu *tools = namedMenu(w.form, "Tools1");
    const auto pluginItems = [tools] {
        QStringList captions;
        for (QAction *item : tools->actions()) {
            if (item->objectName().startsWith(QStringLiteral("Plugin")))
                captions.append(item->text());
        }
        return captions;
    };
    const QStringList expected
        = { QStringLiteral("Heading Links ver 1.1"), QStringLiteral("Upper-Case Tag Names ver 1.0") };
    QCOMPARE(pluginItems(), expected);
    QVERIFY(!w.action("NoPluginsInstalled")->isVisible());
    QCOMPARE(w.action("Plugin2")->statusTip(),
        QStringLiteral("Write the tag names of the selection (or the page) in capitals"));
    // A second activation adds nothing.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w.form.get(), &activate);
    QCOMPARE(pluginItems(), expected);

    const QString original = QStringLiteral("<p>abc</p>\r\n<b>x</b>");
    w.buffer().setText(original);
    w.selectText(QStringLiteral("<p>abc</p>"));
    w.action("Plugin2")->trigger();
    QCOMPARE(w.text(), QStringLiteral("<P>abc</P>\r\n<b>x</b>"));
    QCOMPARE(w.buffer().selStart(), 0);
    QCOMPARE(w.buffer().selLength(), 10);
    QCOMPARE(w.form->statusPanelText(3), Product::modifiedMark());
    w.action("Undo")->trigger();
    QCOMPARE(w.text(), original);

    // With nothing selected the whole page is replaced and the caret goes to its start.
    w.buffer().select(5, 0);
    w.action("Plugin2")->trigger();
    QCOMPARE(w.text(), QStringLiteral("<P>abc</P>\r\n<B>x</B>"));
    QCOMPARE(w.buffer().selStart(), 0);
    QCOMPARE(w.buffer().selLength(), 0);

    // A library that went away after the menu was built is reported, not run.
    QVERIFY(QFile::remove(addin + QStringLiteral("/headinglinks.so")));
    w.prompter.clear();
    w.action("Plugin1")->trigger();
    QCOMPARE(w.prompter.texts(),
        QStringList {
            QStringLiteral("Invalid plugin file \"") + addin + QStringLiteral("/headinglinks.so\"") });
}

void TestExtensions::codeSections()
{
    Home home;
    const QString code = home.folder(QStringLiteral("Common Code"));
    FormWindow w;
    ExtensionCommands &extensions = w.form->commands().extensions;
    TCodeTree *tree = extensions.codeTree();
    QCOMPARE(tree->root()->text(0), QStringLiteral("Common Code Samples"));
    QCOMPARE(tree->root()->childCount(), 0);

    // Add as Code Section stores the selection and lets the user name it.
    w.buffer().setText(QStringLiteral("one word here"));
    w.selectText(QStringLiteral("word"));
    extensions.HTMLPopupPopup();
    QVERIFY(w.action("AddAsCodeSection1")->isEnabled());
    w.action("AddAsCodeSection1")->trigger();
    QVERIFY(QFile::exists(code + QStringLiteral("/New Item.ccs")));
    QCOMPARE(CodeSections::read(code + QStringLiteral("/New Item.ccs")).start, QStringLiteral("word"));
    typeLabel(tree, QStringLiteral("Bold"));
    QVERIFY(QFile::exists(code + QStringLiteral("/Bold.ccs")));
    QVERIFY(!QFile::exists(code + QStringLiteral("/New Item.ccs")));
    QTreeWidgetItem *bold = tree->currentItem();
    QCOMPARE(bold->text(0), QStringLiteral("Bold"));

    whenShown<TCodeForm>(this, [](TCodeForm *form) {
        auto *start = form->findChild<QPlainTextEdit *>(QStringLiteral("Start"));
        QCOMPARE(start->toPlainText(), QStringLiteral("word"));
        start->setPlainText(QStringLiteral("<b>"));
        form->findChild<QPlainTextEdit *>(QStringLiteral("End"))->setPlainText(QStringLiteral("</b>"));
        form->findChild<QPushButton *>(QStringLiteral("FinishButton"))->click();
    });
    extensions.EditCodeSection1Click();

    // A new section whose dialog is cancelled stays, empty; renaming it onto Bold is refused.
    whenShown<TCodeForm>(this, [](TCodeForm *form) { form->reject(); });
    w.action("CodeSample1")->trigger();
    QTreeWidgetItem *item = tree->currentItem();
    QCOMPARE(item->text(0), QStringLiteral("New Item"));
    QVERIFY(QFile::exists(code + QStringLiteral("/New Item.ccs")));
    extensions.RenameCodeSection1Click();
    typeLabel(tree, QStringLiteral("Bold"));
    QCOMPARE(item->text(0), QStringLiteral("New Item"));
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(CodeSections::read(code + QStringLiteral("/Bold.ccs")).start, QStringLiteral("<b>"));

    // A new folder, named at once, and the section dragged into it.
    tree->setCurrentItem(tree->root());
    w.action("NewFolder1")->trigger();
    typeLabel(tree, QStringLiteral("Inline"));
    QVERIFY(QDir(code + QStringLiteral("/Inline")).exists());
    QTreeWidgetItem *folder
        = TCodeTree::child(tree->root(), QStringLiteral("Inline"), TCodeTree::Kind::Folder);
    QVERIFY(folder);
    bold = TCodeTree::child(tree->root(), QStringLiteral("Bold"), TCodeTree::Kind::Section);
    extensions.CodeTreeDragDrop(bold, folder);
    QVERIFY(QFile::exists(code + QStringLiteral("/Inline/Bold.ccs")));
    QVERIFY(!QFile::exists(code + QStringLiteral("/Bold.ccs")));
    bold = tree->currentItem();
    QCOMPARE(bold->parent(), folder);

    // Applied around the selection, with one undo step.
    w.selectText(QStringLiteral("word"));
    extensions.CodePopupPopup();
    QVERIFY(w.action("ApplyCodeSection1")->isEnabled());
    QVERIFY(!w.action("DeleteFolder1")->isEnabled());
    w.action("ApplyCodeSection1")->trigger();
    QCOMPARE(w.text(), QStringLiteral("one <b>word</b> here"));
    QCOMPARE(w.buffer().selStart(), 15);
    w.action("Undo")->trigger();
    QCOMPARE(w.text(), QStringLiteral("one word here"));

    // Delete Folder refuses a folder that holds a section; Delete removes a section without asking.
    tree->setCurrentItem(folder);
    w.prompter.clear();
    w.action("DeleteFolder1")->trigger();
    QCOMPARE(w.prompter.texts(), QStringList { CodeSections::emptyFolderMessage() });
    QVERIFY(QDir(code + QStringLiteral("/Inline")).exists());
    tree->setCurrentItem(bold);
    w.action("DeleteCodeSection1")->trigger();
    QVERIFY(!QFile::exists(code + QStringLiteral("/Inline/Bold.ccs")));
    tree->setCurrentItem(folder);
    w.action("DeleteFolder1")->trigger();
    QVERIFY(!QDir(code + QStringLiteral("/Inline")).exists());
    QVERIFY(!TCodeTree::child(tree->root(), QStringLiteral("Inline"), TCodeTree::Kind::Folder));
    QCOMPARE(w.prompter.asked().size(), 1);
}

void TestExtensions::snippets()
{
    Home home;
    home.folder(QStringLiteral("Java"));
    home.write(QStringLiteral("Java/Scroll.jss"), "// Scroll the status bar\r\nscroll();");
    home.write(QStringLiteral("Java/ghost.js"), "// Not inserted\r\n");
    FormWindow w;
    ExtensionCommands &extensions = w.form->commands().extensions;
    QTreeWidget *list = extensions.javaList();
    QCOMPARE(list->topLevelItemCount(), 2);
    QTreeWidgetItem *scroll = list->topLevelItem(0);
    QCOMPARE(scroll->text(0), QStringLiteral("Scroll"));
    QCOMPARE(scroll->text(1), QStringLiteral("Scroll the status bar"));

    w.buffer().setText(QStringLiteral("<body></body>"));
    w.buffer().select(6, 0);
    list->setCurrentItem(scroll);
    extensions.JavaListDblClick();
    QCOMPARE(w.text(),
        QStringLiteral("<body><script language=jscript>\r\n<!--\r\n// Scroll the status bar\r\nscroll();\r\n"
                       "//-->\r\n</script></body>"));
    w.action("Undo")->trigger();
    QCOMPARE(w.text(), QStringLiteral("<body></body>"));

    // A listed file that is not a ".jss" cannot be inserted: the user is told, nothing changes.
    list->setCurrentItem(list->topLevelItem(1));
    extensions.JavaListDblClick();
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.text(), QStringLiteral("<body></body>"));
}

QTEST_MAIN(TestExtensions)
#include "tst_extensions.moc"
