// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "editor/currenttag.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "editor/ui/tageditorcommands.h"
#include "editor/ui/tageditorpage.h"
#include "formaccess.h"
#include "formwindow.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

// A shown, active main window over a test's own settings, with a scripted prompter.
struct Window : FormWindow
{
    Window() { form->commands().tagEditor.CurrentTagEditor1Click(); }
    TagEditorCommands &tags() const { return form->commands().tagEditor; }
    TTagEditorPage *page() const { return tags().page(); }
    void load(const QString &text) const { form->activePage()->loadText(text); }
    int row(const QString &attribute) const
    {
        QTreeWidget *list = page()->tagEditor();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->text(0) == attribute)
                return i;
        }
        return -1;
    }
    QString value(const QString &attribute) const
    {
        const int i = row(attribute);
        return i < 0 ? QStringLiteral("<no row>") : page()->tagEditor()->topLevelItem(i)->text(1);
    }
    // A real click with the mouse on the character at position.
    void clickAt(int position) const
    {
        TSourceEditor *editor = form->htmlSource();
        const long byte = buffer().bytePosition(position);
        const int x = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, byte));
        const int y = int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, byte));
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(x + 1, y + 5));
    }
    // Types into the value box, ending with Enter or leaving the text as it is.
    void typeValue(const QString &value, bool enter = true) const
    {
        QComboBox *box = page()->valueCombo();
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box, value);
        if (enter)
            QTest::keyClick(box, Qt::Key_Return);
    }
    // The first tag starting with start, as it stands now.
    QString tagText(const QString &start) const
    {
        const QString all = text();
        const qsizetype at = all.indexOf(start);
        return at < 0 ? QString() : all.mid(at, all.indexOf(QLatin1Char('>'), at) - at + 1);
    }
};

// A tag's attributes as written, sorted: their order follows the tag table.
QStringList attributesOf(const QString &tagText)
{
    QStringList written;
    const QStringView body = QStringView(tagText).mid(1 + CurrentTag::tagName(tagText).size()).chopped(1);
    for (const CurrentTag::Attribute &attribute : CurrentTag::splitAttributes(body))
        written.append(attribute.written);
    written.sort();
    return written;
}

} // namespace

class TestTagEditor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clickLoadsApplyRewritesUndoRestores();
    void applyRefusesAMovedTag();
    void applyWritesToTheTagsOwnPage();
    void colourAndFontRows();
    void contextMenuAndRefusals();
};

void TestTagEditor::clickLoadsApplyRewritesUndoRestores()
{
    Window w;
    w.load(QStringLiteral("<HTML><BODY>\r\n<P>Text <IMG SRC=\"a.gif\" WIDTH=10> more</P>\r\n</BODY></HTML>"));
    const QString original = w.text();

    w.clickAt(int(original.indexOf(QStringLiteral("WIDTH"))) + 2);
    QTRY_COMPARE(w.value(QStringLiteral("SRC")), QStringLiteral("\"a.gif\""));
    QCOMPARE(w.value(QStringLiteral("WIDTH")), QStringLiteral("10"));
    QCOMPARE(w.value(QStringLiteral("ALT")), QString());
    // Until a row is chosen there is no value to edit.
    QVERIFY(!w.page()->valueCombo()->isEnabled());
    QCOMPARE(w.tags().loadedTag().start, int(original.indexOf(QStringLiteral("<IMG"))));
    // The tag's description is the editor's tooltip.
    QCOMPARE(w.form->htmlSource()->toolTip(), w.form->tagDatabase().find(QStringLiteral("IMG"))->description);

    // A click in the text outside any tag loads nothing and clears the tooltip.
    w.clickAt(int(original.indexOf(QStringLiteral("more"))) + 2);
    QTRY_COMPARE(w.form->htmlSource()->toolTip(), QString());
    QCOMPARE(w.value(QStringLiteral("WIDTH")), QStringLiteral("10"));

    w.page()->setCurrentRow(w.row(QStringLiteral("WIDTH")));
    QVERIFY(w.page()->valueCombo()->isVisible());
    QVERIFY(w.page()->valueCombo()->isEnabled());
    QVERIFY(!w.page()->colorCombo()->isVisible());
    QCOMPARE(w.page()->valueCombo()->currentText(), QStringLiteral("10"));
    w.typeValue(QStringLiteral("20"));
    // A value typed by hand is quoted.
    QCOMPARE(w.value(QStringLiteral("WIDTH")), QStringLiteral("\"20\""));

    w.page()->applyChanges()->click();
    const QString tag = w.tagText(QStringLiteral("<IMG"));
    QVERIFY(tag.startsWith(QStringLiteral("<IMG ")));
    QCOMPARE(
        attributesOf(tag), QStringList({ QStringLiteral("src=\"a.gif\""), QStringLiteral("width=\"20\"") }));
    QVERIFY(w.text().startsWith(QStringLiteral("<HTML><BODY>\r\n<P>Text <IMG ")));
    QVERIFY(w.text().endsWith(QStringLiteral("> more</P>\r\n</BODY></HTML>")));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Edit Tag"));
    QVERIFY(w.form->activePage()->isModified());

    w.form->UndoClick();
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());
}

void TestTagEditor::applyRefusesAMovedTag()
{
    Window w;
    w.load(QStringLiteral("<BODY>\r\n<IMG SRC=\"a.gif\" WIDTH=10>\r\n</BODY>"));
    w.selectText(QStringLiteral("<IMG SRC=\"a.gif\" WIDTH=10>"));
    w.page()->editTag()->click();
    QCOMPARE(w.value(QStringLiteral("WIDTH")), QStringLiteral("10"));
    w.page()->setCurrentRow(w.row(QStringLiteral("WIDTH")));
    w.typeValue(QStringLiteral("30"));

    // Text typed before the tag after it was loaded.
    w.buffer().select(0, 0);
    w.buffer().setSelText(QStringLiteral("<P>"));
    const QString moved = w.text();
    w.page()->applyChanges()->click();
    QCOMPARE(w.text(), moved);
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.prompter.asked().at(0).caption, QStringLiteral("Warning"));
    QCOMPARE(w.prompter.asked().at(0).text, CurrentTag::tagMovedMessage());
    // Nothing was written, so nothing is offered to undo.
    QVERIFY(!w.action("Undo")->isEnabled());

    // Loaded again from its new place, it applies.
    w.selectText(QStringLiteral("<IMG SRC=\"a.gif\" WIDTH=10>"));
    w.tags().EditTag1Click();
    w.page()->setCurrentRow(w.row(QStringLiteral("WIDTH")));
    // Text typed but not yet ended counts when Apply is chosen.
    w.typeValue(QStringLiteral("30"), false);
    w.page()->applyChanges()->click();
    QVERIFY(w.tagText(QStringLiteral("<IMG")).contains(QStringLiteral("width=\"30\"")));
    QCOMPARE(w.prompter.asked().size(), 1);
}

void TestTagEditor::applyWritesToTheTagsOwnPage()
{
    Window w;
    w.load(QStringLiteral("<TD ALIGN=left>cell</TD>"));
    TDocumentPage *first = w.form->activePage();
    w.clickAt(5);
    QTRY_COMPARE(w.value(QStringLiteral("ALIGN")), QStringLiteral("left"));
    w.form->NewClick();
    TDocumentPage *second = w.form->activePage();
    QVERIFY(second != first);
    const QString secondText = second->buffer().text();

    w.page()->setCurrentRow(w.row(QStringLiteral("ALIGN")));
    QComboBox *box = w.page()->valueCombo();
    QVERIFY(box->findText(QStringLiteral("right")) >= 0);
    box->setCurrentIndex(box->findText(QStringLiteral("right")));
    Q_EMIT box->activated(box->currentIndex());
    // A value chosen from the list is written as it is.
    QCOMPARE(w.value(QStringLiteral("ALIGN")), QStringLiteral("right"));
    w.page()->applyChanges()->click();

    QCOMPARE(w.form->activePage(), first);
    QCOMPARE(first->buffer().text(), QStringLiteral("<TD align=right>cell</TD>"));
    QCOMPARE(second->buffer().text(), secondText);
}

void TestTagEditor::colourAndFontRows()
{
    Window w;
    w.load(QStringLiteral("<FONT COLOR=\"#FF0000\" FACE=\"Arial\">x</FONT>"));
    w.selectText(QStringLiteral("<FONT COLOR=\"#FF0000\" FACE=\"Arial\">"));
    w.tags().EditTag1Click();

    w.page()->setCurrentRow(w.row(QStringLiteral("COLOR")));
    QVERIFY(w.page()->colorCombo()->isVisible());
    QVERIFY(!w.page()->valueCombo()->isVisible());
    QCOMPARE(w.page()->colorCombo()->currentText(), QStringLiteral("Red"));
    QCOMPARE(w.page()->colorCombo()->count(), 16);
    QCOMPARE(w.value(QStringLiteral("COLOR")), QStringLiteral("\"#FF0000\""));
    QComboBox *colours = w.page()->colorCombo();
    colours->setCurrentIndex(colours->findText(QStringLiteral("Navy")));
    Q_EMIT colours->activated(colours->currentIndex());
    QCOMPARE(w.value(QStringLiteral("COLOR")), QStringLiteral("\"Navy\""));
    QCOMPARE(colours->currentText(), QStringLiteral("Navy"));
    // A code typed by hand that names no colour is written as its code.
    colours->setFocus();
    colours->lineEdit()->selectAll();
    QTest::keyClicks(colours, QStringLiteral("#123456"));
    QTest::keyClick(colours, Qt::Key_Return);
    QCOMPARE(w.value(QStringLiteral("COLOR")), QStringLiteral("#123456"));
    colours->setCurrentIndex(colours->findText(QStringLiteral("Navy")));
    Q_EMIT colours->activated(colours->currentIndex());

    w.page()->setCurrentRow(w.row(QStringLiteral("FACE")));
    QVERIFY(w.page()->fontNameCombo()->isVisible());
    QVERIFY(!w.page()->colorCombo()->isVisible());
    QCOMPARE(w.page()->fontNameCombo()->currentText(), QStringLiteral("Arial"));
    QCOMPARE(w.page()->fontNameCombo()->itemText(0), QStringLiteral("Serif"));
    QComboBox *fonts = w.page()->fontNameCombo();
    fonts->setCurrentIndex(fonts->findText(QStringLiteral("Monospace")));
    Q_EMIT fonts->activated(fonts->currentIndex());
    QCOMPARE(w.value(QStringLiteral("FACE")), QStringLiteral("\"Monospace\""));

    // A style class row, where the table gives FONT one.
    if (w.row(QStringLiteral("CLASS")) >= 0) {
        w.page()->setCurrentRow(w.row(QStringLiteral("CLASS")));
        QVERIFY(w.page()->fontStyleCombo()->isVisible());
        QVERIFY(!w.page()->fontNameCombo()->isVisible());
    }

    w.page()->applyChanges()->click();
    QCOMPARE(attributesOf(w.tagText(QStringLiteral("<FONT"))),
        QStringList({ QStringLiteral("color=\"navy\""), QStringLiteral("face=\"monospace\"") }));
}

void TestTagEditor::contextMenuAndRefusals()
{
    Window w;
    w.load(QStringLiteral("<BODY>\r\n<P>Some <IMG SRC=a.gif> text</P>\r\n</BODY>"));
    QAction *editTag = w.action("EditTag1");
    QAction *wizard = w.action("EditinDialog1");
    QVERIFY(editTag);
    QVERIFY(namedMenu(w.form, "HTMLPopup")->actions().contains(editTag));

    w.selectText(QStringLiteral("</P>"));
    w.tags().HTMLPopupPopup();
    QVERIFY(!editTag->isEnabled());
    QVERIFY(!wizard->isEnabled());
    QVERIFY(w.action("Cut1")->isEnabled());

    w.selectText(QStringLiteral("<IMG SRC=a.gif>"));
    w.tags().HTMLPopupPopup();
    QVERIFY(editTag->isEnabled());
    QVERIFY(wizard->isEnabled());

    w.selectText(QStringLiteral("<P>"));
    w.tags().HTMLPopupPopup();
    QVERIFY(editTag->isEnabled());
    QVERIFY(!wizard->isEnabled()); // no wizard for P

    // The context menu's Edit Tag brings the page into view.
    auto *pages = w.form->findChild<QTabWidget *>(QStringLiteral("ToolPages"));
    pages->setCurrentIndex(0);
    w.selectText(QStringLiteral("<IMG SRC=a.gif>"));
    editTag->trigger();
    QCOMPARE(pages->currentWidget(), w.page());
    QVERIFY(w.action("CurrentTagEditor1")->isChecked());
    QCOMPARE(w.value(QStringLiteral("SRC")), QStringLiteral("a.gif"));

    w.selectText(QStringLiteral("</P>"));
    w.page()->editTag()->click();
    w.selectText(QStringLiteral("P>Some"));
    w.page()->editTag()->click();
    QCOMPARE(w.prompter.texts(),
        QStringList({ QStringLiteral("Cannot edit a closing tag"),
            QStringLiteral("You must select the entire tag before you can edit it") }));
    for (const ScriptedPrompter::Asked &asked : w.prompter.asked()) {
        QCOMPARE(asked.caption, QStringLiteral("Warning"));
        QCOMPARE(asked.icon, PromptIcon::Information);
    }
    // The refused selections left the loaded tag as it was.
    QCOMPARE(w.value(QStringLiteral("SRC")), QStringLiteral("a.gif"));

    // A click inside a closing tag names it in the tooltip and loads nothing.
    w.clickAt(int(w.text().indexOf(QStringLiteral("</BODY>"))) + 3);
    const QString body = w.form->tagDatabase().find(QStringLiteral("BODY"))->description;
    QTRY_COMPARE(w.form->htmlSource()->toolTip(), body + QStringLiteral(" (Closing Tag)"));
    QCOMPARE(w.tags().loadedTag().name, QStringLiteral("IMG"));
}

QTEST_MAIN(TestTagEditor)
#include "tst_tageditor.moc"
