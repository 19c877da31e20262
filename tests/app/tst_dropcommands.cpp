// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/dropcommands.h"
#include "app/ui/mainform.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "formwindow.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QAction>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

const QByteArray pageText = "<html><head><title>T</title></head><body>\r\nthe news today\r\n</body></html>";

// A shown main window over a test's own settings, a site folder x/ with pages/ and images/, and a
// scripted prompter.
struct Window : FormWindow
{
    explicit Window(bool upper = false)
        : FormWindow(
            [upper](SettingsStore &settings) {
                settings.writeBool(Keys::Editor, QStringLiteral("Upper"), upper);
            },
            QSize(900, 600))
    { }
    QString root() const { return env.path(QStringLiteral("x/")); }
    // Opens x/pages/<name> (written first) into a page of its own.
    void openPage(const QString &name = QStringLiteral("index.htm"))
    {
        const QString file = env.writeFile(QStringLiteral("x/pages/") + name, pageText);
        QVERIFY(form->commands().documents.openFileIntoPage(file));
        QCOMPARE(form->activePage()->fileName(), file);
    }
    // Drags data over the editor to position and drops it there, as a drag from elsewhere would; then
    // lets the drop's queued handling run. Returns whether the editor took the drag.
    bool drop(const QMimeData &data, int position, QWidget *target = nullptr)
    {
        QWidget *receiver = target ? target : editor()->viewport();
        const QPoint at = target ? QPoint(5, 5) : pointAt(position);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(receiver, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        dropped.ignore();
        QApplication::sendEvent(receiver, &dropped);
        // The site tree keeps its item and the desktop its file.
        if (dropped.isAccepted() && dropped.dropAction() != Qt::CopyAction)
            qWarning("the drop was not taken as a copy");
        QCoreApplication::processEvents();
        return dropped.isAccepted();
    }
    bool dropItem(const SiteDrag::Item &item, int position)
    {
        QMimeData data;
        data.setData(SiteDrag::mimeType(), SiteDrag::encode(item));
        return drop(data, position);
    }
    bool dropFile(const QString &file, int position, QWidget *target = nullptr)
    {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(file) });
        return drop(data, position, target);
    }
    int positionOf(const QString &what) const { return int(text().indexOf(what)); }
};

const QString modified = QStringLiteral("      Modified");

} // namespace

class TestDropCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void imageItemOnSavedPage();
    void pageAndAnchorItemsWrapTheSelection();
    void styleSheetItem();
    void itemsTheEditorRefuses();
    void unsavedPageAsksToSaveFirst();
    void saveBeforeDropAsksBeforeOverwriting();
    void shellPictureDrops();
    void shellOtherFiles();
    void shellSiteFile();
    void plainTextDragsStayWithTheEditor();
    void filesDroppedOnTheWindow();
};

void TestDropCommands::imageItemOnSavedPage()
{
    for (const bool upper : { true, false }) {
        Window w(upper);
        w.openPage();
        const QString original = w.text();
        const int at = w.positionOf(QStringLiteral("news"));
        QVERIFY(w.dropItem({ 4, w.root(), QStringLiteral("images/a.gif"), {} }, at));

        const QString tag = upper ? QStringLiteral("<IMG SRC=\"../images/a.gif\">")
                                  : QStringLiteral("<img src=\"../images/a.gif\">");
        // The caret went to the drop point first: the picture stands there, the caret after it.
        QCOMPARE(w.text(), QString(original).insert(at, tag));
        QCOMPARE(w.buffer().selStart(), at + int(tag.size()));
        QCOMPARE(w.form->statusPanelText(3), modified);
        QVERIFY(w.form->activePage()->isModified());
        QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Drag Item"));
        QVERIFY(w.prompter.asked().isEmpty());

        // One drop, one step.
        w.form->UndoClick();
        QCOMPARE(w.text(), original);
        QVERIFY(!w.action("Undo")->isEnabled());
    }
}

void TestDropCommands::pageAndAnchorItemsWrapTheSelection()
{
    Window w;
    w.openPage();
    const QString original = w.text();
    w.selectText(QStringLiteral("news"));
    // Dropped on the selected word, the selection stays and is linked.
    QVERIFY(w.dropItem({ 3, w.root(), QStringLiteral("news.htm"), {} }, w.positionOf(QStringLiteral("ews"))));
    QVERIFY(w.text().contains(QStringLiteral("the <a href=\"../news.htm\">news</a> today")));
    QCOMPARE(w.buffer().selText(), QStringLiteral("<a href=\"../news.htm\">news</a>"));
    w.form->UndoClick();
    QCOMPARE(w.text(), original);

    // Dropped elsewhere, the caret moves there and the link is empty.
    w.selectText(QStringLiteral("news"));
    QVERIFY(w.dropItem({ 6, w.root(), QStringLiteral("top"), QStringLiteral("pages/page.htm") },
        w.positionOf(QStringLiteral("today"))));
    QVERIFY(w.text().contains(QStringLiteral("the news <a href=\"page.htm#top\"></a>today")));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Drag Item"));
    w.form->UndoClick();
    QCOMPARE(w.text(), original);
}

void TestDropCommands::styleSheetItem()
{
    Window w(true);
    w.openPage();
    QVERIFY(w.dropItem(
        { 7, w.root(), QStringLiteral("css/site.css"), {} }, w.positionOf(QStringLiteral("news"))));
    QVERIFY(w.text().startsWith(QStringLiteral(
        "<html><head><title>T</title><LINK REL=STYLESHEET TYPE=\"TEXT/CSS\" HREF=\"../css/site.css\">\r\n</head>")));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Drag Item"));

    // A page without "</head>" gets nothing, and says why; no step is recorded.
    w.form->UndoClick();
    w.buffer().setText(QStringLiteral("<body>only a body</body>"));
    w.form->markSaved();
    QVERIFY(w.dropItem({ 7, w.root(), QStringLiteral("css/site.css"), {} }, 3));
    QCOMPARE(w.text(), QStringLiteral("<body>only a body</body>"));
    QCOMPARE(w.prompter.texts(),
        QStringList {
            QStringLiteral("This page has no </head> tag, so the style sheet link was not added.") });
    QVERIFY(!w.action("Undo")->isEnabled());
    QCOMPARE(w.form->statusPanelText(3), QString());
}

void TestDropCommands::itemsTheEditorRefuses()
{
    Window w;
    w.openPage();
    const QString original = w.text();
    // Folders and the site's root are not taken, nor are they inserted as text.
    QVERIFY(!w.dropItem({ 1, w.root(), QStringLiteral("images/"), {} }, 5));
    QVERIFY(!w.dropItem({ 2, w.root(), w.root(), {} }, 5));
    QMimeData broken;
    broken.setData(SiteDrag::mimeType(), "3\nonly two lines");
    broken.setText(QStringLiteral("3"));
    QVERIFY(!w.drop(broken, 5));
    QCOMPARE(w.text(), original);
    QVERIFY(!w.form->commands().drops.HTMLSourceDragOver(&broken));
}

void TestDropCommands::unsavedPageAsksToSaveFirst()
{
    Window w;
    QVERIFY(w.form->activePage()->isUntitled());
    const QString original = w.text();
    const SiteDrag::Item image { 4, w.root(), QStringLiteral("images/a.gif"), {} };

    w.prompter.answer(PromptAnswer::No);
    QVERIFY(w.dropItem(image, 0));
    QCOMPARE(w.prompter.asked().size(), 1);
    const ScriptedPrompter::Asked question = w.prompter.asked().first();
    QCOMPARE(question.caption, QStringLiteral("Warning"));
    QCOMPARE(
        question.text, QStringLiteral("You must save the file before you can add internal links. Save now?"));
    QCOMPARE(question.buttons, PromptButtons::YesNo);
    QCOMPARE(question.icon, PromptIcon::Stop);
    QCOMPARE(w.text(), original);
    QVERIFY(!w.action("Undo")->isEnabled());

    // Yes, then Cancel in the save dialog: still nothing.
    w.prompter.clear();
    w.prompter.answer(PromptAnswer::Yes);
    w.prompter.chooseFile(std::nullopt);
    w.dropItem(image, 0);
    QCOMPARE(w.text(), original);
    QVERIFY(w.form->activePage()->isUntitled());

    // Yes and a file: the page is saved there, named after it, and the link is relative to its folder.
    w.prompter.clear();
    w.prompter.answer(PromptAnswer::Yes);
    const QString file = w.env.path(QStringLiteral("x/pages/new.html"));
    QDir().mkpath(QFileInfo(file).absolutePath());
    w.prompter.chooseFile(file);
    w.dropItem(image, 0);
    QVERIFY(w.prompter.scriptUsedUp());
    QCOMPARE(w.form->activePage()->fileName(), file);
    QCOMPARE(w.form->currentFileName(), file);
    QCOMPARE(w.form->commands().documents.filePages()->tabText(
                 w.form->commands().documents.filePages()->currentIndex()),
        QStringLiteral("new.html"));
    QVERIFY(w.form->windowTitle().contains(file));
    QVERIFY(QFileInfo::exists(file));
    QVERIFY(w.text().startsWith(QStringLiteral("<img src=\"../images/a.gif\">")));
    // Saved, then changed by the drop.
    QCOMPARE(w.form->statusPanelText(3), modified);
    QVERIFY(!TestEnvironment::readFile(file).contains("<img"));
}

void TestDropCommands::saveBeforeDropAsksBeforeOverwriting()
{
    Window w;
    const QString existing = w.env.writeFile(QStringLiteral("x/pages/old.html"), "keep me");
    const QString original = w.text();
    w.prompter.answer(PromptAnswer::Yes); // save now
    w.prompter.chooseFile(existing);
    w.prompter.answer(PromptAnswer::No); // do not overwrite
    w.dropItem({ 3, w.root(), QStringLiteral("a.htm"), {} }, 0);
    QVERIFY(w.prompter.texts().contains(QStringLiteral("File already exists. Overwite?")));
    QCOMPARE(TestEnvironment::readFile(existing), QByteArray("keep me"));
    QVERIFY(w.form->activePage()->isUntitled());
    QCOMPARE(w.text(), original);
}

void TestDropCommands::shellPictureDrops()
{
    Window w(true);
    w.openPage();
    const QString picture = w.env.writeFile(QStringLiteral("x/images/photo.jpg"), "jpg");
    const QString original = w.text();
    w.form->markSaved();
    QVERIFY(w.dropFile(picture, w.positionOf(QStringLiteral("news"))));
    QVERIFY(w.text().contains(QStringLiteral("the <IMG SRC=\"../images/photo.jpg\">news today")));
    // Every drop that changes the text marks the page.
    QCOMPARE(w.form->statusPanelText(3), modified);
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Drag File"));
    w.form->UndoClick();
    QCOMPARE(w.text(), original);

    const QString video = w.env.writeFile(QStringLiteral("x/pages/clip.avi"), "avi");
    QVERIFY(w.dropFile(video, 0));
    QVERIFY(w.text().startsWith(QStringLiteral("<IMG DYNSRC=\"clip.avi\">")));
    w.form->UndoClick();

    const QString sheet = w.env.writeFile(QStringLiteral("x/site.css"), "p {}");
    QVERIFY(w.dropFile(sheet, 0));
    QVERIFY(w.text().contains(
        QStringLiteral("<LINK REL=STYLESHEET TYPE=\"TEXT/CSS\" HREF=\"../site.css\">\r\n</head>")));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Drag Style Sheet"));
    w.form->UndoClick();
    QCOMPARE(w.text(), original);

    // A picture dropped on a page never saved asks to save it first, as a link does.
    w.form->NewClick();
    const QString untitled = w.text();
    w.prompter.answer(PromptAnswer::No);
    w.dropFile(picture, 0);
    QCOMPARE(w.prompter.texts().last(),
        QStringLiteral("You must save the file before you can add internal links. Save now?"));
    QCOMPARE(w.text(), untitled);
}

void TestDropCommands::shellOtherFiles()
{
    Window w;
    w.openPage();
    const QString original = w.text();
    // A capital extension is no picture: the user chooses between opening and linking.
    const QString photo = w.env.writeFile(QStringLiteral("x/pages/photo.GIF"), "GIF89a");
    w.prompter.answer(PromptAnswer::Cancel);
    QVERIFY(w.dropFile(photo, 0));
    QCOMPARE(w.prompter.asked().size(), 1);
    QCOMPARE(w.prompter.asked().first().caption, QStringLiteral("Confirmation"));
    QCOMPARE(w.prompter.asked().first().text,
        QStringLiteral("You can either open this file or create a link to it. Do you want to open it?"));
    QCOMPARE(w.prompter.asked().first().buttons, PromptButtons::YesNoCancel);
    QCOMPARE(w.prompter.asked().first().icon, PromptIcon::Question);
    QCOMPARE(w.text(), original);
    QCOMPARE(w.form->pageCount(), 2);

    // No: a link around the selection.
    w.form->markSaved();
    w.selectText(QStringLiteral("news"));
    w.prompter.answer(PromptAnswer::No);
    QVERIFY(w.dropFile(photo, w.positionOf(QStringLiteral("news")) + 1));
    QVERIFY(w.text().contains(QStringLiteral("the <a href=\"photo.GIF\">news</a> today")));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Drag Link"));
    QCOMPARE(w.form->statusPanelText(3), modified);
    w.form->UndoClick();
    QCOMPARE(w.text(), original);

    // Yes: an HTML file opens into a page of its own.
    const QString other = w.env.writeFile(QStringLiteral("elsewhere/other.htm"), pageText);
    w.prompter.answer(PromptAnswer::Yes);
    QVERIFY(w.dropFile(other, 0));
    QCOMPARE(w.form->pageCount(), 3);
    QCOMPARE(w.form->activePage()->fileName(), other);
    QCOMPARE(w.form->page(1)->buffer().text(), original);
}

void TestDropCommands::shellSiteFile()
{
    for (const char *name : { "my.site", "old.sit" }) {
        Window w;
        w.openPage();
        QStringList opened;
        w.form->commands().drops.setOpenSite([&opened](const QString &file) {
            opened.append(file);
            return true;
        });
        const QString original = w.text();
        const QString site = w.env.writeFile(QStringLiteral("x/") + QString::fromLatin1(name), "[Site]");
        QVERIFY(w.dropFile(site, 0));
        QCOMPARE(opened, QStringList { site });
        QVERIFY(w.prompter.asked().isEmpty());
        QCOMPARE(w.text(), original);
        QVERIFY(!w.action("Undo")->isEnabled());
    }
}

void TestDropCommands::plainTextDragsStayWithTheEditor()
{
    Window w;
    w.openPage();
    QMimeData text;
    text.setText(QStringLiteral("dragged"));
    QVERIFY(w.drop(text, w.positionOf(QStringLiteral("news"))));
    QVERIFY(w.text().contains(QStringLiteral("the draggednews today")));
    QVERIFY(w.prompter.asked().isEmpty());
    // A web address is text too.
    QMimeData web;
    web.setUrls({ QUrl(QStringLiteral("https://example.org/a.gif")) });
    QVERIFY(!w.form->commands().drops.HTMLSourceDragOver(&web));
}

void TestDropCommands::filesDroppedOnTheWindow()
{
    Window w;
    w.openPage();
    const QString picture = w.env.writeFile(QStringLiteral("x/pages/a.gif"), "GIF89a");
    w.buffer().select(0, 0);
    QVERIFY(w.dropFile(picture, 0, w.form.get()));
    QVERIFY(w.text().startsWith(QStringLiteral("<img src=\"a.gif\"><html>")));
    QCOMPARE(w.action("Undo")->toolTip(), QStringLiteral("Undo Drag File"));
    // Site items belong on the editor only.
    QMimeData item;
    item.setData(SiteDrag::mimeType(), SiteDrag::encode({ 4, w.root(), QStringLiteral("a.gif"), {} }));
    QVERIFY(!w.drop(item, 0, w.form.get()));
}

QTEST_MAIN(TestDropCommands)
#include "tst_dropcommands.moc"
