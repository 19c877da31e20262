// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "editor/sitedrag.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "formaccess.h"
#include "scriptedprompter.h"
#include "site/sitefile.h"
#include "site/ui/sitecommands.h"
#include "site/ui/sitetree.h"
#include "testenvironment.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

const QByteArray anchoredPage = "<html>\r\n<head><title>Club</title></head>\r\n<body>\r\n"
                                "<A NAME=\"top\">Top</A>\r\n<p>News</p>\r\n<a name=\"end\">End</a>\r\n"
                                "</body>\r\n</html>\r\n";

struct Fixture
{
    TestEnvironment env;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;

    explicit Fixture(const QStringList &arguments = {})
    {
        SettingsStore settings = env.settings();
        InstallCheck::seedTemplate(settings);
        form = std::make_unique<TMainForm>(settings, &prompter);
        form->FormCreate(arguments);
    }
    SiteCommands &site() const { return form->commands().site; }
    TSiteTree *tree() const { return form->commands().site.tree(); }
    SiteNode &root() const { return form->commands().site.model().root(); }
    SiteNode *section(SiteSection s) const { return Site::section(root(), s); }
    QString folder(const QString &name) const { return QDir(env.path(name)).absolutePath() + u'/'; }
    void click(const char *button) const
    {
        auto *b = form->findChild<QToolButton *>(QString::fromLatin1(button));
        QVERIFY(b);
        b->click();
    }
    // A new site club/club.site with two pages and an image added; the site is left unsaved.
    void buildClubSite()
    {
        env.writeFile(QStringLiteral("club/index.htm"), anchoredPage);
        env.writeFile(QStringLiteral("club/news/today.htm"), "<html><body>today</body></html>");
        env.writeFile(QStringLiteral("club/images/logo.gif"), "GIF89a");
        prompter.chooseFile(env.path(QStringLiteral("club/club.site")));
        click("NewSiteButton");
        prompter.chooseFiles(QStringList {
            env.path(QStringLiteral("club/index.htm")), env.path(QStringLiteral("club/news/today.htm")) });
        click("AddPageButton");
        prompter.chooseFiles(QStringList { env.path(QStringLiteral("club/images/logo.gif")) });
        click("AddFileButton");
    }
};

QStringList texts(const SiteNode *node)
{
    QStringList result;
    for (int i = 0; i < node->childCount(); ++i)
        result.append(node->child(i)->text());
    return result;
}

} // namespace

class TestSiteCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newSiteAddSaveAndReopen();
    void savedSiteIsRecentAndReopensWithItsPagesShown();
    void sectionsAndRootAreNeverDeleted();
    void refusedOverwriteNeverLeadsToThatFile();
    void doubleClickOpensPagesWithinTheLimit();
    void useCurrentAddsOneAnchorPerTick();
    void openingChecksTheRootAndTheFile();
    void recentSitesAndTheCommandLine();
    void movesRenamesAndDragData();
    void imageNodeDroppedOnAPageLinksRelatively();
    void siteSavedOntoAFullDiskKeepsTheOldFile();
};

void TestSiteCommands::newSiteAddSaveAndReopen()
{
    Fixture f;
    const QString sitePath = f.env.path(QStringLiteral("club/club.site"));
    f.env.writeFile(QStringLiteral("club/.keep"), "");
    // Before a site exists, Add Page asks to save it first; No leaves everything as it was.
    f.prompter.answer(PromptAnswer::No);
    f.click("AddPageButton");
    QCOMPARE(f.prompter.texts().constLast(),
        QStringLiteral("You must save the site before you can add files to it. Save now?"));
    QCOMPARE(f.root().text(), QStringLiteral("Root Directory"));

    f.buildClubSite();
    QCOMPARE(f.root().text(), f.folder(QStringLiteral("club")));
    QCOMPARE(f.prompter.fileRequests().at(0).title, QStringLiteral("Save Site"));
    QCOMPARE(texts(f.section(SiteSection::WebPages)),
        QStringList({ QStringLiteral("index.htm"), QStringLiteral("news/today.htm") }));
    QCOMPARE(texts(f.section(SiteSection::WebPages)->child(0)),
        QStringList({ QStringLiteral("top"), QStringLiteral("end") }));
    QCOMPARE(texts(f.section(SiteSection::Images)), QStringList { QStringLiteral("images/logo.gif") });
    QCOMPARE(f.section(SiteSection::Images)->child(0)->icon(), SiteIcon::Gif);
    QVERIFY(f.form->siteChanged());
    QCOMPARE(f.form->statusPanelText(2), QStringLiteral("      Modified"));

    namedAction(f.form, "SaveSite1")->setEnabled(false);
    f.site().Site1Click();
    QVERIFY(namedAction(f.form, "AddPage1")->isEnabled());
    QVERIFY(namedAction(f.form, "Upload1")->isEnabled());

    f.click("SaveSiteButton");
    QVERIFY(!f.form->siteChanged());
    QCOMPARE(f.form->statusPanelText(2), QString());
    const QByteArray expected = f.folder(QStringLiteral("club")).toUtf8()
        + "\r\n\tWeb Pages\r\n\t\tindex.htm\r\n\t\t\ttop\r\n\t\t\tend\r\n\t\tnews/today.htm\r\n"
          "\tImages\r\n\t\timages/logo.gif\r\n\tStyle Sheets\r\n\tFTP Sites\r\n\t\tNew FTP Profile\r\n";
    QCOMPARE(TestEnvironment::readFile(sitePath), expected);

    // Reopened in a fresh window: the same tree, the icons coming back as the nodes are expanded.
    Fixture g;
    QVERIFY(g.site().openSiteFile(sitePath));
    QCOMPARE(SiteFile::serialise(g.root(), TextEncoding::Utf8), expected);
    QCOMPARE(g.tree()->topLevelItem(0)->childCount(), 4);
    SiteNode *pages = g.section(SiteSection::WebPages);
    QCOMPARE(pages->icon(), SiteIcon::Folder);
    // The pages' section opens with the site, so its pages have their icons; the images' wait.
    QVERIFY(g.tree()->itemOf(pages)->isExpanded());
    QCOMPARE(pages->child(0)->icon(), SiteIcon::Page);
    SiteNode *images = g.section(SiteSection::Images);
    QCOMPARE(images->child(0)->icon(), SiteIcon::Root);
    g.tree()->expandNode(images);
    QVERIFY(images->child(0)->icon() != SiteIcon::Root);
    g.tree()->expandNode(pages->child(0));
    QCOMPARE(pages->child(0)->child(1)->icon(), SiteIcon::Anchor);
    QVERIFY(!g.tree()->itemOf(pages->child(0)->child(1))->icon(0).isNull());
    QVERIFY(!g.form->siteChanged());
}

void TestSiteCommands::sectionsAndRootAreNeverDeleted()
{
    Fixture f;
    f.buildClubSite();
    f.click("SaveSiteButton");

    // Without a selection, New Folder and Delete do nothing.
    f.tree()->clearSelection();
    f.click("NewFolderButton");
    f.click("DeleteButton");
    QCOMPARE(f.root().subtreeSize(), 11);
    QVERIFY(!f.form->siteChanged());

    for (SiteNode *node :
        { f.section(SiteSection::Images), &f.root(), f.section(SiteSection::FtpSites)->child(0) }) {
        f.tree()->selectNode(node);
        f.click("DeleteButton");
    }
    QCOMPARE(f.root().childCount(), 4);
    QCOMPARE(texts(f.section(SiteSection::FtpSites)), QStringList { QStringLiteral("New FTP Profile") });
    QVERIFY(!f.form->siteChanged());

    f.tree()->selectNode(f.section(SiteSection::WebPages)->child(0));
    f.click("DeleteButton");
    QCOMPARE(texts(f.section(SiteSection::WebPages)), QStringList { QStringLiteral("news/today.htm") });
    QCOMPARE(f.form->statusPanelText(2), QStringLiteral("      Modified"));
    QCOMPARE(f.tree()->itemOf(f.section(SiteSection::WebPages))->childCount(), 1);
    QVERIFY(QFileInfo::exists(f.env.path(QStringLiteral("club/index.htm"))));
}

void TestSiteCommands::savedSiteIsRecentAndReopensWithItsPagesShown()
{
    Fixture f;
    QString file;
    {
        // The site the program starts with, saved under a name of its own, is a recent site from then on.
        QVERIFY(QDir().mkpath(f.env.path(QStringLiteral("first"))));
        f.prompter.chooseFile(f.env.path(QStringLiteral("first/first.site")));
        QVERIFY(f.site().SaveSiteButtonClick());
        QCOMPARE(namedAction(f.form, "RecentSite1")->text(), QStringLiteral("&1 first.site"));
        QVERIFY(namedAction(f.form, "RecentSite1")->isVisible());

        f.buildClubSite();
        file = f.site().siteFileName();
        QVERIFY(f.site().SaveSiteButtonClick());
        QCOMPARE(namedAction(f.form, "RecentSite1")->text(), QStringLiteral("&1 club.site"));
        QCOMPARE(namedAction(f.form, "RecentSite2")->text(), QStringLiteral("&2 first.site"));
        QCOMPARE(namedAction(f.form, "RecentSite2")->statusTip(),
            QDir::toNativeSeparators(
                QFileInfo(f.env.path(QStringLiteral("first/first.site"))).absolutePath()));
        // Add File offers today's picture formats beside the old ones.
        const QString filter = f.prompter.fileRequests().constLast().filter;
        QVERIFY2(filter.contains(QStringLiteral("|*.png|")) && filter.contains(QStringLiteral("|*.svg|"))
                && filter.contains(QStringLiteral("|*.webp|"))
                && filter.endsWith(QStringLiteral("All Files (*.*)|*.*")),
            qPrintable(filter));
    }
    Fixture again(QStringList { file });
    QCOMPARE(again.site().siteFileName(), file);
    QVERIFY(again.tree()->itemOf(again.section(SiteSection::WebPages))->isExpanded());
    QVERIFY(!again.tree()->itemOf(again.section(SiteSection::Images))->isExpanded());
}

void TestSiteCommands::refusedOverwriteNeverLeadsToThatFile()
{
    Fixture f;
    const QString taken = f.env.writeFile(QStringLiteral("taken.site"), "precious");
    f.prompter.chooseFile(taken);
    f.prompter.answer(PromptAnswer::No);
    f.site().NewSite1Click();
    QCOMPARE(f.prompter.texts().constLast(), QStringLiteral("File already exists. Overwrite?"));
    QCOMPARE(f.site().siteFileName(), QString());
    QCOMPARE(f.root().text(), QStringLiteral("Root Directory"));

    // Save Site on a site never saved asks for its file; cancelling writes nothing anywhere.
    f.prompter.chooseFile(std::nullopt);
    QVERIFY(!f.site().SaveSiteButtonClick());
    QCOMPARE(f.prompter.fileRequests().constLast().title, QStringLiteral("Save Site"));
    QCOMPARE(TestEnvironment::readFile(taken), QByteArray("precious"));
    QVERIFY(!QFileInfo::exists(QStringLiteral("Untitled")));
    QCOMPARE(f.site().siteFileName(), QString());

    // The same refusal in Save Site's own dialog.
    f.prompter.chooseFile(taken);
    f.prompter.answer(PromptAnswer::No);
    QVERIFY(!f.site().SaveSiteButtonClick());
    QCOMPARE(TestEnvironment::readFile(taken), QByteArray("precious"));
    QCOMPARE(f.root().text(), QStringLiteral("Root Directory"));
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestSiteCommands::doubleClickOpensPagesWithinTheLimit()
{
    Fixture f;
    f.buildClubSite();
    SiteNode *index = f.section(SiteSection::WebPages)->child(0);

    f.site().SiteTreeDblClick(index);
    QCOMPARE(f.form->pageCount(), 2);
    QCOMPARE(f.form->currentFileName(),
        QFileInfo(f.env.path(QStringLiteral("club/index.htm"))).absoluteFilePath());

    while (f.form->pageCount() < 8)
        f.form->NewClick();
    SiteNode *today = f.section(SiteSection::WebPages)->child(1);
    Q_EMIT f.tree()->itemDoubleClicked(f.tree()->itemOf(today), 0);
    QCOMPARE(f.prompter.texts().constLast(),
        QStringLiteral(
            "You cannot open more than 8 files in Tagloom 99.\nPlease close one or more of the currently open files."));
    QCOMPARE(f.form->pageCount(), 8);

    QFile::remove(f.env.path(QStringLiteral("club/images/logo.gif")));
    f.site().SiteTreeDblClick(f.section(SiteSection::Images)->child(0));
    QCOMPARE(f.prompter.texts().constLast(),
        QStringLiteral("Cannot find file to open - ") + f.folder(QStringLiteral("club"))
            + QStringLiteral("images/logo.gif"));
    QCOMPARE(f.prompter.asked().constLast().caption, QStringLiteral("Error"));

    // A profile opens the upload dialog; cancelled before any transmit, the site stays as it was.
    bool shown = false;
    QTimer::singleShot(0, f.form.get(), [&] {
        auto *dialog = f.form->findChild<QDialog *>(QStringLiteral("FTPForm"));
        shown = dialog && dialog->isVisible();
        if (dialog)
            dialog->reject();
    });
    const bool changedBefore = f.form->siteChanged();
    f.site().SiteTreeDblClick(f.section(SiteSection::FtpSites)->child(0));
    QVERIFY(shown);
    QCOMPARE(f.form->siteChanged(), changedBefore);
    f.site().SiteTreeDblClick(nullptr); // nothing selected: nothing happens
}

void TestSiteCommands::useCurrentAddsOneAnchorPerTick()
{
    Fixture f;
    f.buildClubSite();
    const QString page = f.env.writeFile(QStringLiteral("club/about.htm"), anchoredPage);
    QVERIFY(f.form->commands().documents.openFileIntoPage(page));

    f.click("UseCurrentButton");
    SiteNode *pages = f.section(SiteSection::WebPages);
    SiteNode *about = pages->lastChild();
    QCOMPARE(about->text(), QStringLiteral("about.htm"));
    QCOMPARE(f.tree()->selectedNode(), about);
    QVERIFY(f.site().getSectionTimer()->isActive());
    QCOMPARE(about->childCount(), 0);

    // The scan reads the text as it was; selecting another node does not redirect it.
    f.form->activePage()->buffer().setText(QStringLiteral("<a name=\"other\">"));
    f.tree()->selectNode(pages->child(0));
    f.site().GetSectionTimerTimer();
    QCOMPARE(texts(about), QStringList { QStringLiteral("top") });
    f.site().GetSectionTimerTimer();
    f.site().GetSectionTimerTimer();
    QCOMPARE(texts(about), QStringList({ QStringLiteral("top"), QStringLiteral("end") }));
    QVERIFY(!f.site().getSectionTimer()->isActive());

    // Deleting the page while its anchors are still coming stops the scan.
    f.form->activePage()->buffer().setText(QString::fromUtf8(anchoredPage));
    f.click("UseCurrentButton");
    QVERIFY(f.site().getSectionTimer()->isActive());
    f.tree()->selectNode(pages->lastChild());
    f.click("DeleteButton");
    QVERIFY(!f.site().getSectionTimer()->isActive());
    f.site().GetSectionTimerTimer();
    QCOMPARE(pages->childCount(), 3);
}

void TestSiteCommands::openingChecksTheRootAndTheFile()
{
    Fixture f;
    f.buildClubSite();
    f.click("SaveSiteButton");
    const QString goodRoot = f.root().text();

    // A file that is not a site outline: reported with its line, the open site untouched.
    const QString bad = f.env.writeFile(QStringLiteral("bad.site"), "/r/\r\n\tWeb Pages\r\n\t\t\tdeep\r\n");
    QVERIFY(!f.site().openSiteFile(bad));
    QCOMPARE(f.prompter.asked().constLast().caption, QStringLiteral("Site File Error"));
    QVERIFY(f.prompter.texts().constLast().contains(bad + QStringLiteral(", line 3")));
    QCOMPARE(f.root().text(), goodRoot);
    QCOMPARE(f.tree()->topLevelItem(0)->text(0), goodRoot);

    // A site moved with its files takes the folder of its file as the root, and is then changed.
    f.env.writeFile(QStringLiteral("moved/index.htm"), anchoredPage);
    const QString moved = f.env.writeFile(QStringLiteral("moved/club.site"),
        "/gone/club/\r\n\tWeb Pages\r\n\t\tindex.htm\r\n\tImages\r\n\tStyle Sheets\r\n");
    QVERIFY(f.site().openSiteFile(moved));
    QCOMPARE(f.site().siteRoot(), f.folder(QStringLiteral("moved")));
    QCOMPARE(f.form->statusPanelText(2), QStringLiteral("      Modified"));
    QCOMPARE(texts(f.section(SiteSection::FtpSites)), QStringList { QStringLiteral("New FTP Profile") });
    f.prompter.answer(PromptAnswer::Cancel);
    QVERIFY(!f.form->FormCloseQuery());
    QCOMPARE(
        f.prompter.texts().constLast(), QStringLiteral("Site has changed. Save changes before closing?"));

    // Files not beside the site file: the user is told and picks the root.
    const QString lost = f.env.writeFile(QStringLiteral("lost/club.site"),
        "/gone/club/\r\n\tWeb Pages\r\n\t\tnowhere.htm\r\n\tImages\r\n\tStyle Sheets\r\n\tFTP Sites\r\n");
    f.prompter.answer(PromptAnswer::No); // the save-site question of the changed site
    f.prompter.chooseFolder(f.env.path(QStringLiteral("club")));
    QVERIFY(f.site().askSaveSite());
    QVERIFY(f.site().openSiteFile(lost));
    QVERIFY(f.prompter.texts().constLast().startsWith(
        QStringLiteral("The directory referred to as the root directory of the site does not exist")));
    QCOMPARE(f.prompter.folderRequests(),
        QStringList { QStringLiteral("Select the new root directory for the site:") });
    QCOMPARE(f.site().siteRoot(), f.folder(QStringLiteral("club")));
    QVERIFY(f.form->siteChanged());
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestSiteCommands::recentSitesAndTheCommandLine()
{
    TestEnvironment files;
    const QByteArray sections
        = "\tWeb Pages\r\n\tImages\r\n\tStyle Sheets\r\n\tFTP Sites\r\n\t\tNew FTP Profile\r\n";
    const QString folder = QDir(files.path(QString())).absolutePath() + u'/';
    const QString one = files.writeFile(QStringLiteral("one.site"), folder.toUtf8() + "\r\n" + sections);
    const QString two = files.writeFile(QStringLiteral("two.sit"), folder.toUtf8() + "\r\n" + sections);

    Fixture f(QStringList { one });
    QCOMPARE(f.site().siteFileName(), one);
    QCOMPARE(f.form->pageCount(), 1);
    QVERIFY(f.site().openSiteFile(two));
    QCOMPARE(namedAction(f.form, "RecentSite1")->text(), QStringLiteral("&1 two.sit"));
    QCOMPARE(namedAction(f.form, "RecentSite2")->text(), QStringLiteral("&2 one.site"));
    QVERIFY(!namedAction(f.form, "RecentSite3")->isVisible());
    QVERIFY(f.form->findChild<QMenu *>(QStringLiteral("RecentSites1"))->menuAction()->isEnabled());

    namedAction(f.form, "RecentSite2")->trigger();
    QCOMPARE(f.site().siteFileName(), one);
    QFile::remove(two);
    f.site().RecentSiteClick(2);
    QCOMPARE(f.prompter.texts().constLast(), QStringLiteral("Cannot find file to open"));
    QCOMPARE(f.site().siteFileName(), one);
}

void TestSiteCommands::movesRenamesAndDragData()
{
    Fixture f;
    f.buildClubSite();
    f.click("SaveSiteButton");
    SiteNode *pages = f.section(SiteSection::WebPages);
    SiteNode *index = pages->child(0);

    // New Folder beside the selection, then renamed: both change the site.
    f.tree()->selectNode(index);
    f.click("NewFolderButton");
    SiteNode *folder = pages->child(0);
    QCOMPARE(folder->text(), QStringLiteral("New Folder"));
    f.click("SaveSiteButton");
    QTreeWidgetItem *item = f.tree()->itemOf(folder);
    QVERIFY(item->flags() & Qt::ItemIsEditable);
    QVERIFY(!(f.tree()->itemOf(pages)->flags() & Qt::ItemIsEditable));
    item->setText(0, QStringLiteral("Archive"));
    QCOMPARE(folder->text(), QStringLiteral("Archive"));
    QVERIFY(f.form->siteChanged());

    // A move within the section changes the site; a move to another section does nothing.
    f.click("SaveSiteButton");
    QVERIFY(!f.tree()->dropNode(index, f.section(SiteSection::Images)));
    QVERIFY(!f.form->siteChanged());
    QVERIFY(f.tree()->dropNode(index, folder));
    QCOMPARE(index->parent(), folder);
    QCOMPARE(f.tree()->itemOf(index)->parent(), item);
    QVERIFY(f.form->siteChanged());

    // Dragging an anchor out carries its kind, the root, its name and its page.
    std::unique_ptr<QMimeData> data(f.tree()->dragData(index->child(1)));
    QVERIFY(data);
    const std::optional<SiteDrag::Item> carried = SiteDrag::decode(data->data(SiteDrag::mimeType()));
    QVERIFY(carried);
    QCOMPARE(carried->icon, SiteIcon::Anchor);
    QCOMPARE(carried->root, f.folder(QStringLiteral("club")));
    QCOMPARE(carried->text, QStringLiteral("end"));
    QCOMPARE(carried->page, QStringLiteral("index.htm"));
    QVERIFY(!f.tree()->dragData(folder));
}

void TestSiteCommands::imageNodeDroppedOnAPageLinksRelatively()
{
    Fixture f;
    f.buildClubSite();
    f.form->commands().documents.openFileIntoPage(f.env.path(QStringLiteral("club/news/today.htm")));
    EditorBuffer &buffer = f.form->activePage()->buffer();
    const int at = int(buffer.text().indexOf(QStringLiteral("today")));
    buffer.setSelStart(at);

    // What the tree puts on the drag is what the editor reads back.
    std::unique_ptr<QMimeData> data(f.tree()->dragData(f.section(SiteSection::Images)->child(0)));
    QVERIFY(data);
    QWidget *viewport = f.form->htmlSource()->viewport();
    const QPoint point(2, 2);
    QDragEnterEvent enter(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
    QCoreApplication::processEvents();

    // The page lies in news/, the image in images/: the link climbs one folder.
    QVERIFY2(buffer.text().contains(QStringLiteral("<img src=\"../images/logo.gif\">")),
        qPrintable(buffer.text()));
    QVERIFY(f.form->activePage()->isModified());
    f.form->UndoClick();
    QVERIFY(!buffer.text().contains(QStringLiteral("<img")));
}

void TestSiteCommands::siteSavedOntoAFullDiskKeepsTheOldFile()
{
    Fixture f;
    f.buildClubSite();
    f.click("SaveSiteButton");
    QVERIFY(!f.form->siteChanged());
    const QString sitePath = f.env.path(QStringLiteral("club/club.site"));
    const QByteArray old = TestEnvironment::readFile(sitePath);
    QVERIFY(old.size() > 100);

    // Under a file-size limit a write stops short as it does on a full disk. The limit holds for root
    // too. A site smaller than Qt's write buffer only fails when the file is committed, a larger one while
    // it is written: both must fail.
    for (const int pages : { 20, 3000 }) {
        QStringList files;
        for (int i = 0; i < pages; ++i)
            files.append(f.env.writeFile(QStringLiteral("club/p%1.htm").arg(i), "<p>x</p>"));
        f.prompter.chooseFiles(files);
        f.click("AddPageButton");
        QVERIFY(f.form->siteChanged());
        rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = old.size() + 16;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        f.click("SaveSiteButton");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(f.prompter.asked().constLast().caption, QStringLiteral("Error"));
        const QString shown = f.prompter.texts().constLast();
        QVERIFY2(shown.contains(QStringLiteral("club.site"))
                && shown.contains(QStringLiteral("was not saved"))
                && !shown.contains(QStringLiteral("Unknown error")),
            qPrintable(shown));
        QVERIFY(f.form->siteChanged());
        QCOMPARE(TestEnvironment::readFile(sitePath), old);
        QCOMPARE(
            QDir(f.env.path(QStringLiteral("club"))).entryList({ QStringLiteral("*.site*") }, QDir::Files),
            QStringList { QStringLiteral("club.site") });
        for (const QString &file : files)
            QFile::remove(file);
    }
    // With room again the same changes are saved.
    f.click("SaveSiteButton");
    QVERIFY(!f.form->siteChanged());
    QVERIFY(TestEnvironment::readFile(sitePath).size() > old.size());
}

QTEST_MAIN(TestSiteCommands)
#include "tst_sitecommands.moc"
