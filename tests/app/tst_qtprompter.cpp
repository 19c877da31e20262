// SPDX-License-Identifier: GPL-3.0-or-later
// The real prompter: where its boxes and file dialogs appear.
#include "app/installcheck.h"
#include "app/ui/mainform.h"
#include "app/ui/qtprompter.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

class TestQtPrompter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boxesStandOverTheActiveWindow();
    void fileDialogsStartInTheDocumentsFolder();
    void messagesShowTheirTextAsWritten();
};

namespace {

// What the shown box's label puts on the screen: its text as is, or what is left of it read as markup.
QString shownText(const QMessageBox *box)
{
    const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return QStringLiteral("<no label>");
    const bool markup = label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    return markup ? QTextDocumentFragment::fromHtml(label->text()).toPlainText() : label->text();
}

// Answers every box the window shows with No (Ok when it has no No), noting what each showed.
struct BoxReader : QObject
{
    QStringList shown;
    QTimer timer;
    BoxReader()
    {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            shown.append(shownText(box));
            QAbstractButton *no = box->button(QMessageBox::No);
            (no ? no : box->button(QMessageBox::Ok))->click();
        });
        timer.start();
    }
};

} // namespace

void TestQtPrompter::boxesStandOverTheActiveWindow()
{
    QWidget main;
    main.setWindowTitle(QStringLiteral("main"));
    main.show();
    TQtPrompter prompter(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QCOMPARE(prompter.owner(), &main);

    // A modeless dialog the user works in (the Find dialog) owns the box, so it has the keyboard back
    // when the box closes.
    QDialog find(&main);
    find.show();
    find.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&find));
    QTRY_COMPARE(prompter.owner(), &find);

    QWidget *boxParent = nullptr;
    QString boxText;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        boxParent = box->parentWidget();
        boxText = box->text();
        box->accept();
    });
    prompter.message(QStringLiteral("Tagloom 99"), QStringLiteral("Search string not found!"),
        PromptButtons::Ok, PromptIcon::Stop);
    QCOMPARE(boxParent, &find);
    QCOMPARE(boxText, QStringLiteral("Search string not found!"));
}

void TestQtPrompter::fileDialogsStartInTheDocumentsFolder()
{
    FileRequest request { QStringLiteral("Open File"), QString(), QStringLiteral(".html"), QString(),
        QString() };
    QCOMPARE(TQtPrompter::startFolder(request, QStringLiteral("/site/pages"), QStringLiteral("/last")),
        QStringLiteral("/site/pages"));
    // A page never saved has no folder: the last folder a file was chosen in.
    QCOMPARE(TQtPrompter::startFolder(request, QString(), QStringLiteral("/last")), QStringLiteral("/last"));
    QCOMPARE(TQtPrompter::startFolder(request, QString(), QString()), QString());
    // A command that names its folder (a site's root) keeps it.
    request.directory = QStringLiteral("/site");
    QCOMPARE(TQtPrompter::startFolder(request, QStringLiteral("/site/pages"), QStringLiteral("/last")),
        QStringLiteral("/site"));
}

void TestQtPrompter::messagesShowTheirTextAsWritten()
{
    QStandardPaths::setTestModeEnabled(true);
    TestEnvironment env;
    SettingsStore settings = env.settings();
    InstallCheck::seedTemplate(settings);
    const QString noBody = env.writeFile(QStringLiteral("plain.html"), "<p>no body here</p>");
    // A folder whose name looks like markup, holding a "page" that is a folder and cannot be read.
    QVERIFY(QDir(env.path(QString())).mkpath(QStringLiteral("<b>x</b>/a.html")));
    const QString unreadable = env.path(QStringLiteral("<b>x</b>/a.html"));

    BoxReader reader;
    TMainForm form(settings); // no scripted prompter: the real boxes
    form.FormCreate({ noBody });
    form.commands().documents.openFileIntoPage(unreadable);

    QVERIFY2(reader.shown.size() == 2, qPrintable(reader.shown.join(u"|")));
    QCOMPARE(reader.shown.at(0),
        QStringLiteral(
            "This file does not contain the <body> tag which is needed by many functions of Tagloom 99.\n"
            "Some HTML files, such as those including frames do not need this tag. Do you want to insert "
            "it?"));
    QVERIFY2(reader.shown.at(1).startsWith(
                 QStringLiteral("Cannot open file ") + unreadable + QStringLiteral(":\n")),
        qPrintable(reader.shown.at(1)));
}

QTEST_MAIN(TestQtPrompter)
#include "tst_qtprompter.moc"
