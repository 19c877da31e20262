// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recentfiles.h"
#include "app/ui/colorbox.h"
#include "app/ui/documentcommands.h"
#include "app/ui/toolbarwrap.h"
#include "app/ui/undocommands.h"
#include "base/programfolder.h"
#include "editor/ui/finddialogs.h"
#include "editor/ui/searchcommands.h"
#include "formwindow.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTabWidget>
#include <QWheelEvent>

class TestWindowConventions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void linuxKeysFindRedoAndZoom();
    void caretPanelFollowsTheCaret();
    void tabsAndRecentItemsShowTheirFolders();
    void narrowWindowWrapsTheToolbars();
};

void TestWindowConventions::linuxKeysFindRedoAndZoom()
{
    FormWindow w;
    QVERIFY(w.action("Find")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+F"))));
    QVERIFY(w.action("Redo")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));
    // Ctrl+Y stays Symbol's.
    QVERIFY(!w.action("Redo")->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Y"))));

    w.press(Qt::Key_F, Qt::ControlModifier);
    TFindDialog *find = w.form->commands().search.findDialog();
    QTRY_VERIFY(find->isVisible());
    find->hide();
    w.form->htmlSource()->setFocus();

    const QString before = w.text();
    w.typeKeys(QStringLiteral("abc"));
    QVERIFY(w.text() != before);
    w.form->commands().undo.endTypingBurst();
    const QString typed = w.text();
    w.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.text(), before);
    w.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w.text(), typed);

    // Ctrl and the wheel zoom the text; the wheel alone does not.
    TSourceEditor *editor = w.editor();
    const long zoom = editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM);
    const QPointF at(20, 20);
    QWheelEvent up(at, editor->viewport()->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120), Qt::NoButton,
        Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor->viewport(), &up);
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM), zoom + 1);
    QWheelEvent down(at, editor->viewport()->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -240),
        Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor->viewport(), &down);
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM), zoom - 1);
    // A touchpad's small parts add up to one step.
    for (int part = 0; part < 4; ++part) {
        QWheelEvent small(at, editor->viewport()->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 30),
            Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor->viewport(), &small);
    }
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM), zoom);
    QWheelEvent plain(at, editor->viewport()->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor->viewport(), &plain);
    QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_GETZOOM), zoom);
}

void TestWindowConventions::caretPanelFollowsTheCaret()
{
    FormWindow w;
    // After the design's six panels.
    QLabel *panel = w.form->findChild<QLabel *>(QStringLiteral("CaretPanel"));
    QVERIFY(panel);
    QCOMPARE(w.form->statusPanelText(6), panel->text());
    const int line = w.buffer().lineFromPosition(w.buffer().selStart());
    QTRY_COMPARE(panel->text(), QStringLiteral("Ln %1, Col 1").arg(line + 1));
    w.buffer().select(w.buffer().positionFromLine(1) + 3, 0);
    QTRY_COMPARE(panel->text(), QStringLiteral("Ln 2, Col 4"));
    w.typeKeys(QStringLiteral("xy"));
    QTRY_COMPARE(panel->text(), QStringLiteral("Ln 2, Col 6"));

    // A page change shows the new page's caret.
    w.form->NewClick();
    QTRY_COMPARE(panel->text(), QStringLiteral("Ln %1, Col 1").arg(line + 1));
    w.form->commands().documents.filePages()->setCurrentIndex(0);
    QTRY_COMPARE(panel->text(), QStringLiteral("Ln 2, Col 6"));
}

void TestWindowConventions::tabsAndRecentItemsShowTheirFolders()
{
    FormWindow w;
    const QByteArray page = "<html><head><title>T</title></head><body>x</body></html>";
    const QString one = w.env.writeFile(QStringLiteral("one/index.html"), page);
    const QString two = w.env.writeFile(QStringLiteral("two/index.html"), page);
    DocumentCommands &documents = w.form->commands().documents;
    QVERIFY(documents.openFileIntoPage(one));
    QVERIFY(documents.openFileIntoPage(two));
    QTabWidget *tabs = documents.filePages();
    QCOMPARE(tabs->tabText(1), tabs->tabText(2));
    QCOMPARE(tabs->tabToolTip(1), QDir::toNativeSeparators(one));
    QCOMPARE(tabs->tabToolTip(2), QDir::toNativeSeparators(two));

    // Recent files show their folders in the status bar.
    SettingsStore settings = w.env.settings();
    RecentFiles::add(settings, one);
    RecentFiles::add(settings, two);
    documents.rebuildRecentMenu();
    QCOMPARE(w.action("RecentFile1")->statusTip(), QDir::toNativeSeparators(QFileInfo(two).absolutePath()));
    QCOMPARE(w.action("RecentFile2")->statusTip(), QDir::toNativeSeparators(QFileInfo(one).absolutePath()));
}

void TestWindowConventions::narrowWindowWrapsTheToolbars()
{
    FormWindow w({}, QSize(900, 620));
    QToolBar *standard = namedToolbar(w.form, "StdToolbar");
    QToolBar *document = namedToolbar(w.form, "DocumentToolbar");
    QVERIFY(standard && document);
    QVERIFY(w.form->width() <= 900);
    QVERIFY(standard->sizeHint().width() + document->sizeHint().width() > w.form->width());
    // The document bar takes a row of its own, and every item of it is on show.
    QTRY_VERIFY(w.form->toolBarBreak(document));
    QTRY_VERIFY(document->y() > standard->y());
    QLineEdit *title = w.form->commands().documents.docTitle();
    QTRY_VERIFY(title->isVisible());
    QVERIFY(w.form->commands().documents.backColor()->isVisible());
    QVERIFY(title->mapTo(w.form.get(), QPoint(title->width(), 0)).x() <= w.form->width());

    // Wide enough again, the two bars share their row.
    QMainWindow window;
    QToolBar *first = window.addToolBar(QStringLiteral("first"));
    QToolBar *second = window.addToolBar(QStringLiteral("second"));
    for (QToolBar *bar : { first, second }) {
        auto *box = new QLineEdit;
        box->setFixedWidth(150);
        bar->addWidget(box);
    }
    window.setCentralWidget(new QWidget);
    ToolbarWrap wrap(&window, first, second);
    window.resize(700, 300);
    window.show();
    QTRY_VERIFY(!wrap.wrapped());
    window.resize(250, 300);
    QTRY_VERIFY(wrap.wrapped());
    QVERIFY(window.toolBarBreak(second));
    window.resize(700, 300);
    QTRY_VERIFY(!wrap.wrapped());
    QVERIFY(!window.toolBarBreak(second));
}

QTEST_MAIN(TestWindowConventions)
#include "tst_windowconventions.moc"
