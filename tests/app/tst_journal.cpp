// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/installcheck.h"
#include "app/journal.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/journalcommands.h"
#include "app/ui/mainform.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "scriptedprompter.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <memory>

namespace {

QString journalFolder(const TestEnvironment &env)
{
    return env.path(QStringLiteral("state/Tagloom"));
}

QStringList journals(const TestEnvironment &env)
{
    return QDir(journalFolder(env)).entryList({ QStringLiteral("*.journal") }, QDir::Files);
}

// Answers the recovery dialog with the button named when it appears, noting the pages it listed.
struct DialogAnswer
{
    QTimer timer;
    QStringList listed;
    bool answered = false;

    explicit DialogAnswer(const char *button)
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this, button] {
            auto *dialog = qobject_cast<RecoveryDialog *>(QApplication::activeModalWidget());
            if (!dialog || answered)
                return;
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Recover unsaved changes"));
            auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("RecoveryList"));
            for (int i = 0; list && i < list->topLevelItemCount(); ++i)
                listed.append(list->topLevelItem(i)->text(0));
            answered = true;
            dialog->findChild<QPushButton *>(QString::fromLatin1(button))->click();
        });
        timer.start();
    }
};

struct Window
{
    std::unique_ptr<TMainForm> form;

    Window(const TestEnvironment &env, ScriptedPrompter &prompter, const QStringList &arguments = {})
    {
        SettingsStore settings = env.settings();
        InstallCheck::seedTemplate(settings);
        form = std::make_unique<TMainForm>(settings, &prompter);
        form->FormCreate(arguments);
        // The offer of recovered pages comes once the start-up is done.
        QCoreApplication::processEvents();
    }
    DocumentCommands &documents() const { return form->commands().documents; }
    void type(TDocumentPage *page, const QString &text) const
    {
        documents().activate(page);
        page->buffer().setSelStart(page->buffer().length());
        QTest::keyClicks(page->editor(), text);
    }
    // Waits past the journal's delay until its writes are on disk.
    void settle() const
    {
        QTest::qWait(JournalCommands::delayMs + 300);
        documents().journal().journal().flush();
    }
    TDocumentPage *pageWith(const QString &text) const
    {
        for (int i = 0; i < documents().pageCount(); ++i) {
            if (documents().page(i)->buffer().text().contains(text))
                return documents().page(i);
        }
        return nullptr;
    }
};

} // namespace

class TestJournal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void journalsReadBackWhole();
    void crashedWindowsPagesAreOfferedBack();
    void journalsOfAKilledProcessAreOrphans();
    void bigPagesAreJournalledByTheirEdits();
};

void TestJournal::journalsReadBackWhole()
{
    JournalEntry entry;
    entry.fileName = QStringLiteral("/srv/caf\u00e9/page.html");
    entry.caption = QStringLiteral("page.html");
    entry.format = { TextEncoding::Windows1252, LineEnd::Lf };
    entry.time = QDateTime::fromMSecsSinceEpoch(1700000000123);
    entry.text = QByteArray("<p>\xc3\xa9</p>\r\n", 12);
    const QByteArray bytes = Journal::serialise(entry);
    const std::optional<JournalEntry> back = Journal::parse(bytes);
    QVERIFY(back);
    QCOMPARE(back->fileName, entry.fileName);
    QCOMPARE(back->caption, entry.caption);
    QCOMPARE(back->format, entry.format);
    QCOMPARE(back->time, entry.time);
    QCOMPARE(back->text, entry.text);
    // A journal cut short anywhere, as by a crash while it was written, is no journal.
    for (qsizetype size = 0; size < bytes.size(); ++size)
        QVERIFY(!Journal::parse(bytes.left(size)));
    QVERIFY(!Journal::parse(bytes + 'x'));
}

void TestJournal::crashedWindowsPagesAreOfferedBack()
{
    TestEnvironment env;
    ScriptedPrompter prompter;
    const QString path
        = env.writeFile(QStringLiteral("page.html"), "<html>\n<body>\nold\n</body>\n</html>\n");
    const QString other
        = env.writeFile(QStringLiteral("other.html"), "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
    auto first = std::make_unique<Window>(env, prompter, QStringList { path });
    TDocumentPage *saved = first->documents().activePage();
    QCOMPARE(saved->fileName(), path);
    first->type(saved, QStringLiteral("typed into the page"));
    first->documents().NewClick();
    TDocumentPage *untitled = first->documents().activePage();
    QVERIFY(untitled->isUntitled());
    first->type(untitled, QStringLiteral("typed untitled"));
    // A page saved cleanly and one whose changes were let go keep no journal.
    QVERIFY(first->documents().openFileIntoPage(other));
    TDocumentPage *clean = first->documents().activePage();
    first->type(clean, QStringLiteral("saved"));
    first->documents().SaveClick();
    QVERIFY(!clean->isModified());
    first->settle();
    QCOMPARE(journals(env).size(), 2);
    for (const QString &name : journals(env)) {
        const QFileInfo info(journalFolder(env) + u'/' + name);
        QCOMPARE(info.permissions() & 0x0777, QFileDevice::ReadUser | QFileDevice::WriteUser);
    }
    prompter.answer(PromptAnswer::No);
    first->documents().activate(untitled);
    first->type(untitled, QStringLiteral("!"));
    first->documents().saveQuestion();
    first->settle();
    QCOMPARE(journals(env).size(), 1);
    first->type(untitled, QStringLiteral(" again"));
    first->settle();
    QCOMPARE(journals(env).size(), 2);

    // The window goes without its close handlers, as in a crash.
    first.reset();
    QCOMPARE(journals(env).size(), 2);

    // Later keeps the journals for the next start.
    {
        DialogAnswer later("LaterButton");
        Window second(env, prompter);
        QTRY_VERIFY(later.answered);
        QCOMPARE(later.listed.size(), 2);
        QVERIFY(later.listed.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(second.documents().pageCount(), 1);
    }
    QCOMPARE(journals(env).size(), 2);

    // Recover opens both pages modified, with their texts, names and formats.
    {
        DialogAnswer recover("RecoverButton");
        Window third(env, prompter);
        QTRY_VERIFY(recover.answered);
        QTRY_COMPARE(third.documents().pageCount(), 3);
        TDocumentPage *page = third.pageWith(QStringLiteral("typed into the page"));
        QVERIFY(page);
        QCOMPARE(page->fileName(), path);
        QVERIFY(page->isModified());
        QCOMPARE(page->format().lineEnd, LineEnd::Lf);
        QVERIFY(page->buffer().text().contains(QStringLiteral("old\r\n")));
        TDocumentPage *recovered = third.pageWith(QStringLiteral("typed untitled! again"));
        QVERIFY(recovered);
        QVERIFY(recovered->isUntitled());
        QVERIFY(recovered->isModified());
        // The journals now belong to this window.
        third.settle();
        QCOMPARE(journals(env).size(), 2);
    }

    // Discard removes them.
    {
        DialogAnswer discard("DiscardButton");
        Window fourth(env, prompter);
        QTRY_VERIFY(discard.answered);
        QCOMPARE(fourth.documents().pageCount(), 1);
        QCOMPARE(journals(env), QStringList());
    }
    // And nothing is offered after that.
    Window fifth(env, prompter);
    QTest::qWait(50);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(prompter.scriptUsedUp());
}

// A window process killed outright: its lock file stays behind with the dead process's id, and its
// journals must be found, while they are left alone as long as it runs.
void TestJournal::journalsOfAKilledProcessAreOrphans()
{
    TestEnvironment env;
    const QString folder = env.path(QStringLiteral("killed"));
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--journal-child"), folder });
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(30000));
    QCOMPARE(child.readAll(), QByteArray("written\n"));
    RecoveryJournal mine(folder);
    QCOMPARE(mine.orphans().size(), 0);

    child.kill();
    QVERIFY(child.waitForFinished());
    QVERIFY(!QDir(folder).entryList({ QStringLiteral("*.lock") }).isEmpty());
    const QList<JournalEntry> found = mine.orphans();
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).caption, QStringLiteral("Untitled 7"));
    QCOMPARE(found.at(0).text, QByteArray("typed before the kill\r\n"));
    RecoveryJournal::discard(found.at(0));
    QCOMPARE(mine.orphans().size(), 0);
    // The dead window's lock went with its last journal; this window's own stays.
    QCOMPARE(QDir(folder).entryList({ QStringLiteral("*.lock") }).size(), 1);
}

// With the limit at nothing every page with a file is journalled by its edits, as a big page is.
void TestJournal::bigPagesAreJournalledByTheirEdits()
{
    const qint64 limit = std::exchange(JournalCommands::snapshotLimit, 0);
    TestEnvironment env;
    ScriptedPrompter prompter;
    const QString path
        = env.writeFile(QStringLiteral("big.html"), "<html>\n<body>\n<p>caf\xc3\xa9</p>\n</body>\n</html>\n");
    const QString moved
        = env.writeFile(QStringLiteral("moved.html"), "<html>\r\n<body>\r\n</body>\r\n</html>\r\n");
    QString expected;
    {
        Window first(env, prompter, { path });
        TDocumentPage *page = first.documents().activePage();
        first.type(page, QStringLiteral("typed"));
        first.settle();
        QCOMPARE(journals(env).size(), 1);
        const QString journal = journalFolder(env) + u'/' + journals(env).at(0);
        QVERIFY(TestEnvironment::readFile(journal).startsWith("Tagloom journal 2\n"));
        // More typing is added to the journal, a deletion too.
        const qint64 before = QFileInfo(journal).size();
        first.type(page, QStringLiteral(" more"));
        page->buffer().select(page->buffer().length() - 10, 3);
        page->buffer().setSelText(QString());
        first.settle();
        QVERIFY(QFileInfo(journal).size() > before);
        expected = page->buffer().text();
        // A page whose file is changed on disk after it was opened cannot take its edits back.
        QVERIFY(first.documents().openFileIntoPage(moved));
        first.type(first.documents().activePage(), QStringLiteral("lost"));
        first.settle();
        QCOMPARE(journals(env).size(), 2);
        QThread::msleep(20);
        env.writeFile(
            QStringLiteral("moved.html"), "<html>\r\n<body>\r\nchanged elsewhere\r\n</body>\r\n</html>\r\n");
    }
    DialogAnswer recover("RecoverButton");
    Window second(env, prompter);
    QTRY_VERIFY(recover.answered);
    QCOMPARE(recover.listed, QStringList { QDir::toNativeSeparators(path) });
    TDocumentPage *page = second.pageWith(QStringLiteral(" more"));
    QVERIFY(page);
    QCOMPARE(page->buffer().text(), expected);
    QVERIFY(page->isModified());
    QCOMPARE(page->format().lineEnd, LineEnd::Lf);
    JournalCommands::snapshotLimit = limit;
}

// The child of journalsOfAKilledProcessAreOrphans: writes a journal, says so and waits to be killed.
static int journalChild(const QString &folder)
{
    RecoveryJournal journal(folder);
    JournalEntry entry;
    entry.caption = QStringLiteral("Untitled 7");
    entry.time = QDateTime::currentDateTime();
    entry.text = "typed before the kill\r\n";
    journal.write(1, entry);
    journal.flush();
    std::fputs("written\n", stdout);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--journal-child") == 0) {
        QCoreApplication app(argc, argv);
        return journalChild(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    TestJournal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_journal.moc"
