// SPDX-License-Identifier: GPL-3.0-or-later
// The real prompter: where its boxes and file dialogs appear.
#include "app/ui/qtprompter.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class TestQtPrompter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boxesStandOverTheActiveWindow();
    void fileDialogsStartInTheDocumentsFolder();
};

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

QTEST_MAIN(TestQtPrompter)
#include "tst_qtprompter.moc"
