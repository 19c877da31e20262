// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "formaccess.h"
#include "ftptestserver.h"
#include "scriptedprompter.h"
#include "site/ui/ftpform.h"
#include "site/ui/replaceallform.h"
#include "site/ui/sitecommands.h"
#include "site/ui/sitetree.h"
#include "testenvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    TestEnvironment env;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;

    Fixture()
    {
        SettingsStore settings = env.settings();
        InstallCheck::seedTemplate(settings);
        form = std::make_unique<TMainForm>(settings, &prompter);
        form->FormCreate({});
    }
    SiteCommands &site() const { return form->commands().site; }
    SiteNode &root() const { return form->commands().site.model().root(); }
    SiteNode *section(SiteSection s) const { return Site::section(root(), s); }
    void click(const char *button) const
    {
        auto *b = form->findChild<QToolButton *>(QString::fromLatin1(button));
        QVERIFY(b);
        b->click();
    }
    // A saved site club/club.site with the pages index.htm and news/today.htm and an image.
    void buildSite(const QByteArray &index, const QByteArray &today)
    {
        env.writeFile(u"club/index.htm"_s, index);
        env.writeFile(u"club/news/today.htm"_s, today);
        env.writeFile(u"club/images/logo.gif"_s, QByteArray("GIF89a\r\n\x00\x01", 10));
        prompter.chooseFile(env.path(u"club/club.site"_s));
        click("NewSiteButton");
        prompter.chooseFiles(
            QStringList { env.path(u"club/index.htm"_s), env.path(u"club/news/today.htm"_s) });
        click("AddPageButton");
        prompter.chooseFiles(QStringList { env.path(u"club/images/logo.gif"_s) });
        click("AddFileButton");
        click("SaveSiteButton");
    }
    QString file(const char *name) const { return env.path(QString::fromLatin1(name)); }
    SiteNode *newProfileNode() const { return section(SiteSection::FtpSites)->child(0); }
};

// Runs driver on the FTP dialog once it is shown by the command that follows.
void onFtpForm(Fixture &f, std::function<void(TFTPForm *)> driver)
{
    QTimer::singleShot(0, f.form.get(), [&f, driver] {
        auto *form = f.form->findChild<TFTPForm *>();
        QVERIFY(form);
        driver(form);
    });
}

void fillServer(TFTPForm *form, int port, const QString &path)
{
    form->findChild<QLineEdit *>(u"HostName"_s)->setText(u"127.0.0.1"_s);
    form->findChild<QLineEdit *>(u"Port"_s)->setText(QString::number(port));
    form->findChild<QLineEdit *>(u"Path"_s)->setText(path);
    form->findChild<QLineEdit *>(u"UserName"_s)->setText(QLatin1String(FtpTestServer::user));
    form->findChild<QLineEdit *>(u"Password"_s)->setText(QLatin1String(FtpTestServer::password));
}

void chooseFile(TFTPForm *form, const QString &entry)
{
    const QList<QListWidgetItem *> found = form->fileList()->findItems(entry, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    form->fileList()->setCurrentItem(found.first());
    form->FileListDblClick();
}

} // namespace

class TestSiteWideCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void replaceAllRunsOverThePagesAndTheOpenOnes();
    void stripTagsAsksFirst();
    void siteUploadStoresTheProfile();
    void singleFileUploadSendsTheSavedFile();
};

void TestSiteWideCommands::replaceAllRunsOverThePagesAndTheOpenOnes()
{
    Fixture f;
    f.buildSite("<body><p>colour colour</p></body>\r\n", "<body><p>no match</p></body>\r\n");
    QVERIFY(!f.form->siteChanged());
    f.site().SiteTreeDblClick(f.section(SiteSection::WebPages)->child(0));
    TDocumentPage *page = f.form->activePage();
    QCOMPARE(page->fileName(), f.file("club/index.htm"));
    page->buffer().setText(u"<body><p>colour edited</p></body>\r\n"_s);
    page->setModifiedFlag(true);

    namedAction(f.form, "ReplaceAll1")->trigger();
    TReplaceAllForm *dialog = f.site().replaceDialog();
    QVERIFY(dialog && dialog->isVisible());
    // Nothing to find, nothing to run.
    QVERIFY(!dialog->replaceAllButton()->isEnabled());
    dialog->findEdit()->setText(u"colour"_s);
    dialog->replaceEdit()->setText(u"color"_s);
    QVERIFY(dialog->replaceAllButton()->isEnabled());

    // The open page with unsaved edits is offered for saving; Cancel stops the run before any write.
    f.prompter.answer(PromptAnswer::Cancel);
    dialog->replaceAllButton()->click();
    QCOMPARE(f.prompter.texts().constLast(), u"index.htm has changed. Save Changes?"_s);
    QCOMPARE(TestEnvironment::readFile(f.file("club/index.htm")),
        QByteArray("<body><p>colour colour</p></body>\r\n"));
    QVERIFY(!f.form->siteChanged());

    // Saved first, the edits are part of what is replaced, and the open page shows the result.
    f.prompter.answer(PromptAnswer::Yes);
    dialog->replaceAllButton()->click();
    QCOMPARE(f.prompter.texts().constLast(), u"Found \"colour\" 1 times, in a total of 2 files."_s);
    QCOMPARE(f.prompter.asked().constLast().caption, u"Tagloom 99"_s);
    QVERIFY(TestEnvironment::readFile(f.file("club/index.htm")).contains("<p>color edited</p>"));
    QVERIFY(page->buffer().text().contains(u"<p>color edited</p>"_s));
    QVERIFY(!page->isModified());
    QVERIFY(f.form->siteChanged());
    QCOMPARE(f.form->statusPanelText(2), u"      Modified"_s);
    QVERIFY(dialog->isVisible());

    // Whole words and case go to the run; a page edited and not saved (No) keeps its edits.
    page->buffer().setText(u"mine"_s);
    page->setModifiedFlag(true);
    dialog->findEdit()->setText(u"Color"_s);
    dialog->replaceEdit()->setText(QString());
    dialog->matchCaseBox()->setChecked(true);
    f.prompter.answer(PromptAnswer::No);
    dialog->replaceAllButton()->click();
    QCOMPARE(f.prompter.texts().constLast(), u"Found \"Color\" 0 times, in a total of 2 files."_s);
    QCOMPARE(page->buffer().text(), u"mine"_s);
    QVERIFY(page->isModified());
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestSiteWideCommands::stripTagsAsksFirst()
{
    Fixture f;
    f.buildSite("<html>\r\n<p>Hello</p>\r\n</html>", "<!DOCTYPE html>\r\n<b>x</b>y");
    f.prompter.answer(PromptAnswer::No);
    namedAction(f.form, "StripTags2")->trigger();
    QCOMPARE(f.prompter.asked().constLast().text,
        u"This will remove all tags from all the HTML files in the current site. This will remove any formatting effects, controls and page settings. Are you sure you want to continue?"_s);
    QCOMPARE(f.prompter.asked().constLast().icon, PromptIcon::Exclamation);
    QCOMPARE(
        TestEnvironment::readFile(f.file("club/index.htm")), QByteArray("<html>\r\n<p>Hello</p>\r\n</html>"));

    f.prompter.answer(PromptAnswer::Yes);
    namedAction(f.form, "StripTags2")->trigger();
    QCOMPARE(f.prompter.texts().constLast(), u"Stripped tags from a total of 2 files."_s);
    QCOMPARE(TestEnvironment::readFile(f.file("club/index.htm")), QByteArray("Hello"));
    QCOMPARE(TestEnvironment::readFile(f.file("club/news/today.htm")), QByteArray("xy"));
    QVERIFY(f.form->siteChanged());
}

void TestSiteWideCommands::siteUploadStoresTheProfile()
{
    FtpTestServer server;
    QVERIFY2(server.port() > 0, "the FTP test server did not start");
    Fixture f;
    f.buildSite("<p>index</p>\n", "<p>today</p>\n");
    QDir().mkpath(f.file("club/images.htm")); // a folder named like a file is not offered

    // From "New FTP Profile": fill the server page, pick two files, transmit, keep the log and the profile.
    onFtpForm(f, [&](TFTPForm *form) {
        QCOMPARE(form->windowTitle(), u"FTP Upload"_s);
        QVERIFY(!form->backButton()->isEnabled());
        QVERIFY(!form->finishButton()->isEnabled());
        QVERIFY(form->findChild<QCheckBox *>(u"Secure"_s)->isChecked());
        fillServer(form, server.port(), u"www"_s);
        form->NextClick();
        QCOMPARE(form->fileList()->count(), 3);
        chooseFile(form, u"news/today.htm"_s);
        chooseFile(form, u"images/logo.gif"_s);
        QVERIFY(form->finishButton()->isEnabled());
        form->FinishClick();
        QCOMPARE(form->pages()->currentIndex(), 2);
        QVERIFY(form->isTransmitting());
    });
    f.prompter.answer(PromptAnswer::Yes); // Save log file?
    f.prompter.answer(PromptAnswer::Yes); // Do you want to save this FTP profile?
    f.site().SiteTreeDblClick(f.newProfileNode());
    QCOMPARE(server.bytes(u"www/news/today.htm"_s), QByteArray("<p>today</p>\n"));
    QCOMPARE(server.bytes(u"www/images/logo.gif"_s), QByteArray("GIF89a\r\n\x00\x01", 10));
    QCOMPARE(f.prompter.texts().at(f.prompter.texts().size() - 3),
        u"Finished transmitting files. Save log file?"_s);
    QCOMPARE(f.prompter.texts().at(f.prompter.texts().size() - 2),
        u"Log file saved to "_s + f.file("club/Ftplog.txt"));
    QCOMPARE(f.prompter.texts().constLast(), u"Do you want to save this FTP profile?"_s);
    const QByteArray log = TestEnvironment::readFile(f.file("club/Ftplog.txt"));
    QVERIFY(log.contains("STOR /www/news/today.htm\r\n"));
    QVERIFY(log.contains("PASS ****\r\n"));
    QVERIFY(!log.contains(FtpTestServer::password));
    SiteNode *sites = f.section(SiteSection::FtpSites);
    QCOMPARE(sites->childCount(), 2);
    SiteNode *profile = sites->child(1);
    QCOMPARE(profile->text(), u"127.0.0.1"_s);
    QCOMPARE(profile->icon(), SiteIcon::FtpProfile);
    QCOMPARE(Site::profileOf(*profile).port, QString::number(server.port()));
    QCOMPARE(Site::profileOf(*profile).path, u"www"_s);
    QCOMPARE(Site::profileOf(*profile).password, QLatin1String(FtpTestServer::password));
    QVERIFY(f.form->siteChanged());

    // From the profile: the fields come filled, which counts as a change, so the profile is stored again.
    f.click("SaveSiteButton");
    QVERIFY(!f.form->siteChanged());
    onFtpForm(f, [&](TFTPForm *form) {
        QCOMPARE(form->settings().path, u"www"_s);
        QVERIFY(form->changed());
        form->NextClick();
        // Return in the list moves the file, and does not press the default button.
        form->fileList()->setCurrentItem(
            form->fileList()->findItems(u"index.htm"_s, Qt::MatchExactly).value(0));
        QTest::keyClick(form->fileList(), Qt::Key_Return);
        QCOMPARE(form->toSend(), QStringList { u"index.htm"_s });
        QVERIFY(!form->isTransmitting());
        form->FinishClick();
    });
    f.prompter.answer(PromptAnswer::No);
    f.site().SiteTreeDblClick(profile);
    QCOMPARE(server.bytes(u"www/index.htm"_s), QByteArray("<p>index</p>\n"));
    QVERIFY(f.form->siteChanged());

    // No to the profile question leaves the site as it was, even after a failed connection.
    f.click("SaveSiteButton");
    onFtpForm(f, [&](TFTPForm *form) {
        fillServer(form, server.port(), QString());
        form->findChild<QLineEdit *>(u"Password"_s)->setText(u"wrong"_s);
        form->NextClick();
        chooseFile(form, u"index.htm"_s);
        form->FinishClick();
    });
    f.prompter.answer(PromptAnswer::No);
    f.site().SiteTreeDblClick(f.newProfileNode());
    QCOMPARE(f.prompter.texts().at(f.prompter.texts().size() - 2), u"Could not connect to ftp server"_s);
    QCOMPARE(f.prompter.texts().constLast(), u"Do you want to save this FTP profile?"_s);
    QVERIFY(!f.form->siteChanged());
    QCOMPARE(f.section(SiteSection::FtpSites)->childCount(), 2);
    QVERIFY(f.prompter.scriptUsedUp());
}

void TestSiteWideCommands::singleFileUploadSendsTheSavedFile()
{
    FtpTestServer server;
    QVERIFY2(server.port() > 0, "the FTP test server did not start");
    Fixture f;
    // The first page was never saved: there is no file to send.
    namedAction(f.form, "Upload")->trigger();
    QVERIFY(f.prompter.texts().constLast().contains(u"never been saved"_s));
    QVERIFY(!f.form->findChild<TFTPForm *>());

    const QString file = f.env.writeFile(u"pages/single.html"_s, "<body><p>saved</p></body>\n");
    f.prompter.chooseFile(file);
    namedAction(f.form, "Open")->trigger();
    f.form->activePage()->buffer().setText(u"<p>unsaved edits</p>"_s);
    QDir().mkpath(server.file(u"up"_s));
    onFtpForm(f, [&](TFTPForm *form) {
        QCOMPARE(form->mode(), FtpMode::SingleFile);
        QVERIFY(!form->nextButton()->isEnabled());
        QVERIFY(form->finishButton()->isEnabled());
        QCOMPARE(form->toSend(), QStringList { file });
        fillServer(form, server.port(), u"up"_s);
        form->finishButton()->click();
    });
    f.prompter.answer(PromptAnswer::Yes);
    namedAction(f.form, "Upload2")->trigger();
    QCOMPARE(server.bytes(u"up/single.html"_s), QByteArray("<body><p>saved</p></body>\n"));
    QCOMPARE(f.prompter.texts().constLast(), u"Log file saved to "_s + f.env.path(u"pages/Ftplog.txt"_s));
}

QTEST_MAIN(TestSiteWideCommands)
#include "tst_sitewidecommands.moc"
