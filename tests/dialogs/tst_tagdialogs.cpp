// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/ui/imageform.h"
#include "dialogs/ui/imagesizeform.h"
#include "dialogs/ui/mapform.h"
#include "dialogs/ui/redirectform.h"
#include "dialogs/ui/sectionform.h"
#include "dialogs/ui/tableform.h"
#include "dialogs/ui/targetform.h"
#include "editor/ui/editorhost.h"
#include "formwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

// Runs handle on the next modal dialog of type Dialog to show, from inside its own event loop; done is
// set once it ran. Dialogs are waited for a few seconds at most.
template <typename Dialog> struct WhenShown
{
    std::unique_ptr<QTimer> timer = std::make_unique<QTimer>();
    bool done = false;

    explicit WhenShown(std::function<void(Dialog *)> handle)
    {
        timer->setInterval(10);
        QObject::connect(timer.get(), &QTimer::timeout, [this, handle, ticks = 0]() mutable {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                if (++ticks > 500)
                    timer->stop();
                return;
            }
            timer->stop();
            done = true;
            handle(dialog);
        });
        timer->start();
    }
};

template <typename T> T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child %s", name);
    return found;
}

QAction *tool(QObject *parent, const char *name)
{
    return child<QAction>(parent, name);
}

// Gives the link dialog its address (and target) and confirms it.
std::unique_ptr<WhenShown<TTargetForm>> answerLink(const QString &href, const QString &target = {})
{
    return std::make_unique<WhenShown<TTargetForm>>([href, target](TTargetForm *form) {
        child<QLineEdit>(form, "Href")->setText(href);
        child<QComboBox>(form, "Target")->setEditText(target);
        child<QPushButton>(form, "OK")->click();
    });
}

void drag(QWidget *picture, QPoint from, QPoint to)
{
    QTest::mousePress(picture, Qt::LeftButton, {}, from);
    QTest::mouseMove(picture, (from + to) / 2);
    QTest::mouseMove(picture, to);
    QTest::mouseRelease(picture, Qt::LeftButton, {}, to);
}

} // namespace

class TestTagDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableWizardWritesTheGridAndUndoes();
    void tableWizardCancelAndFixedColumn();
    void imageWizardWithMapEditor();
    void imageWizardRefusesAndPreviews();
    void imageSizerKeepsProportion();
    void sectionWizardWrapsAndRefusesDuplicates();
    void redirectWizardReplacesTheRefreshTag();
};

void TestTagDialogs::tableWizardWritesTheGridAndUndoes()
{
    FormWindow w;
    const QString original = w.text();
    const int caret = int(original.indexOf(QStringLiteral("Your Document Text")));
    w.buffer().select(caret, 0);

    QString available;
    WhenShown<TTableForm> wizard([&](TTableForm *form) {
        QCOMPARE(form->windowTitle(), QStringLiteral("Table Wizard"));
        tool(form, "AddColumn")->trigger();
        tool(form, "AddColumn")->trigger();
        auto *sample = child<QTableWidget>(form, "Sample");
        QCOMPARE(sample->columnCount(), 6);
        QCOMPARE(sample->horizontalHeaderItem(5)->text(), QStringLiteral("6"));
        // Typed into the first cell: the first key opens the cell's editor, the rest go to it.
        sample->setFocus();
        sample->setCurrentCell(0, 0);
        QTest::keyClicks(sample, QStringLiteral("H"));
        auto *cellEditor = sample->viewport()->findChild<QLineEdit *>();
        QVERIFY(cellEditor);
        QTest::keyClicks(cellEditor, QStringLiteral("ello <b>"));
        tool(form, "Red1")->trigger();
        QCOMPARE(form->colour(), TColor(0x0000FF));
        tool(form, "VAlignBottom")->trigger();
        tool(form, "Insert")->trigger();
    });
    w.action("Table1")->trigger();
    QVERIFY(wizard.done);

    QString rows;
    const int heights[] = { 24, 25, 24, 24 };
    for (int row = 0; row < 4; ++row) {
        rows += QStringLiteral("<tr height=%1 valign=\"bottom\">").arg(heights[row]);
        for (int column = 0; column < 6; ++column) {
            const QString cell = row == 0 && column == 0 ? QStringLiteral("Hello <b>") : QString();
            rows += QStringLiteral("<td width=64>") + cell + QStringLiteral("</td>");
        }
        rows += QStringLiteral("</tr>\r\n");
    }
    const QString table = QStringLiteral("<table cols=6 bgcolor=\"red\" cellspacing=1 cellpadding=0 border=1 "
                                         "width=391 height=102>\r\n")
        + rows + QStringLiteral("</table>");
    QCOMPARE(w.text(), QString(original).insert(caret, table));
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Table"));

    // Ctrl+Z reaches the window at once: closing the wizard gave it back its keys.
    w.press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());
}

void TestTagDialogs::tableWizardCancelAndFixedColumn()
{
    FormWindow w;
    const QString original = w.text();
    WhenShown<TTableForm> cancelled([](TTableForm *form) {
        tool(form, "AddRow")->trigger();
        child<QTableWidget>(form, "Sample")->setItem(0, 0, new QTableWidgetItem(QStringLiteral("x")));
        tool(form, "Cancel")->trigger();
    });
    child<QToolButton>(w.form.get(), "TableButton")->click();
    QVERIFY(cancelled.done);

    // Columns and rows dragged to new places are taken in their new order, numbers and all.
    WhenShown<TTableForm> moved([](TTableForm *form) {
        auto *sample = child<QTableWidget>(form, "Sample");
        for (int column = 0; column < 4; ++column)
            sample->setItem(0, column, new QTableWidgetItem(QString(QChar(u'a' + column))));
        sample->setItem(1, 0, new QTableWidgetItem(QStringLiteral("second")));
        sample->setColumnWidth(0, 100);
        sample->setRowHeight(1, 40);
        sample->horizontalHeader()->moveSection(0, 3);
        sample->verticalHeader()->moveSection(1, 0);
        const TableMarkup::TableGrid grid = form->grid();
        QCOMPARE(grid.columnWidths.mid(1), QList<int>({ 64, 64, 64, 100 }));
        QCOMPARE(grid.rowHeights.mid(1), QList<int>({ 40, 24, 24, 24 }));
        QCOMPARE(
            grid.cells.at(0), QStringList({ QString(), QString(), QString(), QStringLiteral("second") }));
        QCOMPARE(grid.cells.at(1),
            QStringList(
                { QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("a") }));
        QCOMPARE(sample->horizontalHeaderItem(sample->horizontalHeader()->logicalIndex(3))->text(),
            QStringLiteral("1"));
        form->reject();
    });
    w.action("Table1")->trigger();
    QVERIFY(moved.done);
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());

    // Removing every column leaves the numbered one, which cannot go; rows are then written empty.
    w.buffer().select(0, 0);
    WhenShown<TTableForm> bare([](TTableForm *form) {
        QAction *remove = tool(form, "DeleteColumn");
        for (int i = 0; i < 4; ++i) {
            QVERIFY(remove->isEnabled());
            remove->trigger();
        }
        QVERIFY(!remove->isEnabled());
        remove->trigger();
        QCOMPARE(child<QTableWidget>(form, "Sample")->columnCount(), 0);
        // A spacing of 2 shows in the grid and is written as spacing and border.
        tool(form, "CellSpacing")->trigger();
        child<QSpinBox>(form, "SpinEdit")->setValue(2);
        child<QCheckBox>(form, "Percentages")->setChecked(true);
        const TableMarkup::TableGrid grid = form->grid();
        QVERIFY(grid.availableWidth >= 1 && grid.availableHeight >= 1);
        tool(form, "Insert")->trigger();
    });
    w.action("Table1")->trigger();
    QVERIFY(bare.done);
    QVERIFY2(w.text().startsWith(QStringLiteral("<table cols=0 bgcolor=\"white\" cellspacing=2 cellpadding=0 "
                                                "border=2 width=0% height=")),
        qPrintable(w.text().left(120)));
    QVERIFY(w.text().contains(QStringLiteral("valign=\"top\"></tr>\r\n</table>")));
}

void TestTagDialogs::imageWizardWithMapEditor()
{
    FormWindow w;
    const QString page = w.env.writeFile(
        QStringLiteral("site/page.html"), "<html>\r\n<body>\r\n<p>Picture:</p>\r\n</body>\r\n</html>\r\n");
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(QDir().mkpath(w.env.path(QStringLiteral("site/images"))));
    const QString picture = w.env.path(QStringLiteral("site/images/pic.png"));
    QVERIFY(image.save(picture));
    w.prompter.chooseFile(page);
    w.form->OpenClick();
    QCOMPARE(w.form->currentFileName(), page);
    const int caret = int(w.text().indexOf(QStringLiteral("</p>"))) + 4;
    w.buffer().select(caret, 0);

    QStringList firstAreas;
    QStringList reloaded;
    QStringList mapList;
    WhenShown<TImageForm> wizard([&](TImageForm *form) {
        QVERIFY(child<QCheckBox>(form, "Relative")->isChecked());
        auto *map = child<QPushButton>(form, "Map");
        QVERIFY(!map->isEnabled());
        child<QLineEdit>(form, "ImageFile")->setText(picture);
        QVERIFY(map->isEnabled());
        QVERIFY(!child<QLabel>(form, "Preview")->pixmap().isNull());
        QCOMPARE(form->picture().size(), QSize(200, 100));
        child<QComboBox>(form, "MapName")->setEditText(QStringLiteral("Nav"));

        // One rectangle, one circle and one polygon, each given its link.
        WhenShown<TMapForm> editor([&](TMapForm *mapForm) {
            QCOMPARE(mapForm->mapName(), QStringLiteral("Nav"));
            auto *pictureWidget = child<QWidget>(mapForm, "Image");
            auto link = answerLink(QStringLiteral("one.html"));
            drag(pictureWidget, { 10, 10 }, { 60, 40 });
            QVERIFY(link->done);
            link = answerLink(QStringLiteral("two.html"), QStringLiteral("_top"));
            tool(mapForm, "Circle")->trigger();
            drag(pictureWidget, { 140, 50 }, { 100, 20 });
            QVERIFY(link->done);
            // Corners of a polygon left unfinished when the tool changes are dropped.
            tool(mapForm, "Polygon")->trigger();
            QTest::mouseClick(pictureWidget, Qt::LeftButton, {}, QPoint(150, 10));
            QTest::mouseClick(pictureWidget, Qt::LeftButton, {}, QPoint(160, 20));
            tool(mapForm, "Rectangle")->trigger();
            tool(mapForm, "Polygon")->trigger();
            for (QPoint corner : { QPoint(20, 60), QPoint(80, 60), QPoint(50, 90) })
                QTest::mouseClick(pictureWidget, Qt::LeftButton, {}, corner);
            link = answerLink(QStringLiteral("three.html"));
            QTest::mouseClick(pictureWidget, Qt::LeftButton, {}, QPoint(22, 62));
            QVERIFY(link->done);
            firstAreas = mapForm->areas();
            child<QPushButton>(mapForm, "Finish")->click();
        });
        map->click();
        QVERIFY(editor.done);

        // Opened again, the map is loaded from the page; its name is listed once.
        WhenShown<TMapForm> again([&](TMapForm *mapForm) {
            reloaded = mapForm->areas();
            child<QPushButton>(mapForm, "Finish")->click();
        });
        map->click();
        QVERIFY(again.done);
        auto *names = child<QComboBox>(form, "MapName");
        for (int i = 0; i < names->count(); ++i)
            mapList.append(names->itemText(i));

        child<QRadioButton>(form, "Custom")->click();
        child<QPushButton>(form, "NextButton")->click();
        QCOMPARE(child<QSpinBox>(form, "Width")->value(), 200);
        QCOMPARE(child<QSpinBox>(form, "Height")->value(), 100);
        child<QSpinBox>(form, "Width")->setValue(150);
        child<QSpinBox>(form, "Height")->setValue(75);
        child<QCheckBox>(form, "DefTitle")->setChecked(true);
        child<QLineEdit>(form, "Title")->setText(QStringLiteral("A Cat"));
        child<QPushButton>(form, "FinishButton")->click();
    });
    w.action("Image")->trigger();
    QVERIFY(wizard.done);

    QCOMPARE(firstAreas,
        QStringList({ QStringLiteral("<Area Shape=Rect Coords=10,10,60,40 Href=\"one.html\">"),
            QStringLiteral("<Area Shape=Circ Coords=120,35,20 Href=\"two.html\" Target=\"_top\">"),
            QStringLiteral("<Area Shape=Poly Coords=20,60,80,60,50,90,22,62 Href=\"three.html\">") }));
    QCOMPARE(reloaded.size(), 3);
    QCOMPARE(reloaded.at(1),
        QStringLiteral("<area shape=circ coords=120,35,20 href=\"two.html\" Target=\"_top\">"));
    QCOMPARE(mapList, QStringList { QStringLiteral("Nav") });

    const QString text = w.text();
    // Written after BODY, then rewritten in place (one more empty line before it).
    const int body = int(text.indexOf(u'>', text.indexOf(QStringLiteral("<body")))) + 1;
    QVERIFY2(text.mid(body).startsWith(
                 QStringLiteral("\r\n\r\n<map id=\"Nav\" name=\"Nav\">\r\n"
                                "<area shape=rect coords=10,10,60,40 href=\"one.html\">\r\n")),
        qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("<map ")), 1);
    QVERIFY(text.contains(
        QStringLiteral("<p>Picture:</p><img src=\"images/pic.png\" width=150 height=75 border=0 "
                       "alt=\"A Cat\" ismap usemap=\"#Nav\">\r\n</body>")));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Image"));
    QVERIFY(w.prompter.asked().isEmpty());
}

void TestTagDialogs::imageWizardRefusesAndPreviews()
{
    FormWindow w;
    const QString original = w.text();
    const QString broken = w.env.writeFile(QStringLiteral("broken.gif"), "GIF89a not really a picture");
    WhenShown<TImageForm> wizard([&](TImageForm *form) {
        // A page never saved offers no relative names.
        QVERIFY(!child<QCheckBox>(form, "Relative")->isEnabled());
        QVERIFY(!child<QPushButton>(form, "FinishButton")->isEnabled());
        form->FinishClick();
        child<QLineEdit>(form, "ImageFile")->setText(broken);
        // The file exists, so a map may be drawn, but nothing can be shown of it.
        QVERIFY(child<QPushButton>(form, "Map")->isEnabled());
        QVERIFY(child<QLabel>(form, "Preview")->pixmap().isNull());
        QVERIFY(child<QPushButton>(form, "FinishButton")->isEnabled());
        QVERIFY(!child<QPushButton>(form, "NextButton")->isEnabled());
        child<QRadioButton>(form, "Custom")->click();
        QVERIFY(!child<QPushButton>(form, "FinishButton")->isEnabled());
        QVERIFY(child<QPushButton>(form, "NextButton")->isEnabled());
        form->reject();
    });
    w.action("Image")->trigger();
    QVERIFY(wizard.done);
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.prompter.asked().first().caption, QStringLiteral("Warning"));
    QCOMPARE(w.prompter.asked().first().text, QStringLiteral("You must select an image file"));
    QCOMPARE(w.prompter.asked().first().icon, PromptIcon::Stop);
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());
}

void TestTagDialogs::imageSizerKeepsProportion()
{
    FormWindow w;
    EditorHost &host = *w.form;
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::yellow);
    TImageSizeForm sizer(host, w.form.get(), image, QSize(600, 300));
    sizer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sizer));
    QCOMPARE(sizer.pictureSize(), QSize(600, 300));
    auto *ratio = child<QLineEdit>(&sizer, "AspectRatio");
    QCOMPARE(ratio->text(), QStringLiteral("2.0000"));

    // Widened by 100 pixels, a picture twice as wide as high grows 50 pixels higher.
    sizer.resize(sizer.width() + 100, sizer.height());
    QCOMPARE(sizer.pictureSize(), QSize(700, 350));

    // Only digits and one decimal point are typed; other keys are dropped.
    ratio->setFocus();
    ratio->end(false);
    QTest::keyClicks(ratio, QStringLiteral(".x5"));
    QCOMPARE(ratio->text(), QStringLiteral("2.00005"));
    ratio->clear();
    QTest::keyClicks(ratio, QStringLiteral("4"));
    QCOMPARE(sizer.pictureSize(), QSize(700, 175));
    // A ratio of 0 has no width to give: refused, the size stays.
    ratio->clear();
    QTest::keyClicks(ratio, QStringLiteral("0"));
    QCOMPARE(sizer.pictureSize(), QSize(700, 175));

    child<QCheckBox>(&sizer, "Proportional")->setChecked(false);
    sizer.resize(sizer.width(), sizer.height() + 40);
    QCOMPARE(sizer.pictureSize(), QSize(700, 215));

    // A size of 0 starts from the picture's own size rather than dividing by it; a picture narrower
    // than the bar keeps its size until the window is resized.
    TImageSizeForm zero(host, w.form.get(), image.scaled(100, 50), QSize(0, 0));
    zero.show();
    QVERIFY(QTest::qWaitForWindowExposed(&zero));
    QCOMPARE(zero.pictureSize(), QSize(100, 50));
    QCOMPARE(child<QLineEdit>(&zero, "AspectRatio")->text(), QStringLiteral("2.0000"));
}

void TestTagDialogs::sectionWizardWrapsAndRefusesDuplicates()
{
    FormWindow w;
    w.buffer().setText(QStringLiteral("<p><a name=\"top\">T</a> Intro <A NAME=end>E</A></p>"));
    const QString original = w.text();
    w.selectText(QStringLiteral("Intro"));

    // A name the page has, in other letters, is refused and the dialog stays open with it.
    WhenShown<TSectionForm> refused([&](TSectionForm *form) {
        QCOMPARE(form->windowTitle(), QStringLiteral("Section Wizard"));
        auto *sections = child<QListWidget>(form, "Sections");
        QCOMPARE(sections->count(), 2);
        QCOMPARE(sections->item(1)->text(), QStringLiteral("end"));
        QVERIFY(!sections->isVisible());
        auto *ok = child<QPushButton>(form, "OKButton");
        QVERIFY(!ok->isEnabled());
        auto *name = child<QLineEdit>(form, "Name");
        QTest::keyClicks(name, QStringLiteral("TOP"));
        QVERIFY(ok->isEnabled());
        ok->click();
        QVERIFY(form->isVisible());
        QCOMPARE(name->text(), QStringLiteral("TOP"));
        child<QPushButton>(form, "Cancel")->click();
    });
    w.action("Anchor1")->trigger();
    QVERIFY(refused.done);
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.prompter.asked().first().caption, QStringLiteral("Error"));
    QCOMPARE(w.prompter.asked().first().text, QStringLiteral("Section already exists with this name"));
    QCOMPARE(w.prompter.asked().first().icon, PromptIcon::Stop);
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());

    // A new name wraps the selection, its letters kept, from the editor's context menu too.
    w.selectText(QStringLiteral("Intro"));
    WhenShown<TSectionForm> named([](TSectionForm *form) {
        QTest::keyClicks(child<QLineEdit>(form, "Name"), QStringLiteral("Middle"));
        QTest::keyClick(child<QLineEdit>(form, "Name"), Qt::Key_Return);
    });
    w.action("Anchor2")->trigger();
    QVERIFY(named.done);
    QCOMPARE(w.text(),
        QString(original).replace(QStringLiteral("Intro"), QStringLiteral("<a name=\"Middle\">Intro</a>")));
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Anchor"));
    w.action("Undo")->trigger();
    QCOMPARE(w.text(), original);
}

void TestTagDialogs::redirectWizardReplacesTheRefreshTag()
{
    FormWindow w;
    w.buffer().setText(QStringLiteral("<html><head lang=\"en\">\r\n<META HTTP-EQUIV=\"REFRESH\" "
                                      "CONTENT=\"7;URL=old.html\">\r\n</head><body>x</body></html>"));
    const QString original = w.text();

    // An empty address is refused; Cancel then leaves the page alone.
    WhenShown<TRedirectForm> cancelled([](TRedirectForm *form) {
        QCOMPARE(form->windowTitle(), QStringLiteral("Redirect Wizard"));
        QCOMPARE(child<QLineEdit>(form, "URL")->text(), QStringLiteral("old.html"));
        QCOMPARE(child<QSpinBox>(form, "Time")->value(), 7);
        child<QLineEdit>(form, "URL")->clear();
        child<QPushButton>(form, "OKButton")->click();
        QVERIFY(form->isVisible());
        child<QPushButton>(form, "Cancel")->click();
    });
    w.action("Redirect1")->trigger();
    QVERIFY(cancelled.done);
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.prompter.asked().first().text, QStringLiteral("You must enter a URL to load"));
    QCOMPARE(w.prompter.asked().first().icon, PromptIcon::Information);
    QCOMPARE(w.text(), original);

    WhenShown<TRedirectForm> written([](TRedirectForm *form) {
        child<QLineEdit>(form, "URL")->setText(QStringLiteral("http://example.org/New"));
        child<QSpinBox>(form, "Time")->setValue(12);
        child<QPushButton>(form, "OKButton")->click();
    });
    w.action("Redirect1")->trigger();
    QVERIFY(written.done);
    QCOMPARE(w.text(),
        QString(original).replace(QStringLiteral("<META HTTP-EQUIV=\"REFRESH\" CONTENT=\"7;URL=old.html\">"),
            QStringLiteral("<meta http-equiv=\"refresh\" content=\"12;url=http://example.org/New\">")));
    QCOMPARE(w.form->statusPanelText(3), QStringLiteral("      Modified"));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Redirection"));
    w.action("Undo")->trigger();
    QCOMPARE(w.text(), original);
}

QTEST_MAIN(TestTagDialogs)
#include "tst_tagdialogs.moc"
