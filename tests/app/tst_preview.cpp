// SPDX-License-Identifier: GPL-3.0-or-later
// The internal and external previews and the preview files, on the real window with its web view.
#include "app/ui/documentcommands.h"
#include "app/ui/previewcommands.h"
#include "app/ui/previewpane.h"
#include "formwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>

namespace {

const QByteArray page = "<html>\r\n<head><title>Page</title><link rel=stylesheet href=look.css></head>\r\n"
                        "<body bgcolor=\"white\">\r\n<img src=\"pic.png\">\r\n</body>\r\n</html>";

struct PreviewWindow : FormWindow
{
    PreviewWindow()
        : FormWindow([](SettingsStore &settings) {
            settings.writeBool(Settings::IEVisible, true);
            settings.write(Settings::IEHeight, 150);
        })
    { }
    PreviewCommands &preview() const { return form->commands().preview; }
    TPreviewPane *pane() const { return preview().preview(); }
    QString open(const QString &name) const
    {
        const QString path = env.writeFile(name, page);
        form->commands().documents.openFileIntoPage(path);
        return path;
    }
};

QString previewFileBeside(const QString &path)
{
    return QFileInfo(path).absolutePath() + QStringLiteral("/~~HTML~~.html");
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagesInTwoFoldersPreviewBesideThemselves();
    void splitterDraggedToNothingStoresOne();
    void previewOffDisablesItsCommands();
    void externalPreviewStartsTheBrowserWithOneArgument();
    void sourcePrintsToTheChosenPrinter();
};

void TestPreview::pagesInTwoFoldersPreviewBesideThemselves()
{
    PreviewWindow w;
    QVERIFY(w.pane());
    QSignalSpy loaded(w.pane(), &QWebEngineView::loadFinished);
    const QString first = w.open(QStringLiteral("one/first.html"));
    const QString second = w.open(QStringLiteral("two folders/second.html"));
    QVERIFY(QFile::exists(previewFileBeside(first)));
    QVERIFY(QFile::exists(previewFileBeside(second)));
    QCOMPARE(w.pane()->lastFile(), previewFileBeside(second));
    const int navigations = w.pane()->navigations();
    QVERIFY(navigations >= 2);

    w.form->commands().documents.filePages()->setCurrentIndex(1);
    QCOMPARE(w.pane()->lastFile(), previewFileBeside(first));
    QCOMPARE(w.pane()->navigations(), navigations + 1);

    // The same page again is refreshed, not navigated to anew; the file shows the text as it is now.
    w.selectText(QStringLiteral("<img"));
    w.buffer().setSelText(QStringLiteral("<p>changed</p><img"));
    const int refreshes = w.pane()->refreshes();
    w.action("InternalPreview")->trigger();
    QCOMPARE(w.pane()->navigations(), navigations + 1);
    QCOMPARE(w.pane()->refreshes(), refreshes + 1);
    QVERIFY(TestEnvironment::readFile(previewFileBeside(first)).contains("<p>changed</p>"));
    QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 30000);
    QVERIFY(!static_cast<EditorHost &>(*w.form).editorBusy().isSet());

    // Closing the window removes every preview file it wrote, and nothing else.
    w.buffer().setText(QString::fromLatin1(page));
    w.form->markSaved();
    for (int i = 0; i < w.form->pageCount(); ++i)
        w.form->page(i)->setModifiedFlag(false);
    QVERIFY(w.form->close());
    QVERIFY(!QFile::exists(previewFileBeside(first)));
    QVERIFY(!QFile::exists(previewFileBeside(second)));
    QVERIFY(QFile::exists(first));
    QVERIFY(QFile::exists(second));
}

void TestPreview::splitterDraggedToNothingStoresOne()
{
    PreviewWindow w;
    w.form->resize(900, 620);
    auto *splitter = w.form->findChild<QSplitter *>(QStringLiteral("Splitter2"));
    QVERIFY(splitter);
    QTRY_VERIFY(splitter->sizes().value(1) > 0);
    QSplitterHandle *handle = splitter->handle(1);
    const QPoint start = handle->rect().center();
    const QPoint end = start + QPoint(0, splitter->height());
    QMouseEvent press(QEvent::MouseButtonPress, start, handle->mapToGlobal(start), Qt::LeftButton,
        Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(
        QEvent::MouseMove, end, handle->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, end, handle->mapToGlobal(end), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &press);
    QApplication::sendEvent(handle, &move);
    QApplication::sendEvent(handle, &release);
    QCOMPARE(w.form->settings().readInteger(Settings::IEHeight), 1);
    QCOMPARE(splitter->sizes().value(1), 1);
}

void TestPreview::previewOffDisablesItsCommands()
{
    FormWindow off;
    QVERIFY(!off.form->findChild<TPreviewPane *>());
    Q_EMIT off.form->findChild<QMenu *>(QStringLiteral("Print2"))->aboutToShow();
    QVERIFY(!off.action("PrintPreview1")->isEnabled());
    QVERIFY(!off.action("InternalPreview")->isEnabled());
    QCOMPARE(off.action("InternalPreview")->toolTip(),
        QStringLiteral("You need to enable the internal preview in the Settings box to use this feature"));
    // Without the preview nothing is written for it, beside a saved page or anywhere.
    const QString saved = off.env.writeFile(QStringLiteral("saved/page.html"), page);
    off.form->commands().documents.openFileIntoPage(saved);
    off.form->commands().preview.PreviewClick();
    QVERIFY(!QFile::exists(previewFileBeside(saved)));
    QVERIFY(off.form->commands().preview.files().tempFileNames().isEmpty());
    QVERIFY(off.prompter.asked().isEmpty());
    QVERIFY(off.form->close());

    PreviewWindow on;
    Q_EMIT on.form->findChild<QMenu *>(QStringLiteral("Print2"))->aboutToShow();
    QVERIFY(on.action("PrintPreview1")->isEnabled());
    QVERIFY(on.action("InternalPreview")->isEnabled());
}

void TestPreview::externalPreviewStartsTheBrowserWithOneArgument()
{
    FormWindow w;
    const QString path = w.env.writeFile(QStringLiteral("my site/page one.html"), page);
    w.form->commands().documents.openFileIntoPage(path);

    // No browser: the question, and on No nothing is written.
    w.prompter.answer(PromptAnswer::No);
    w.action("ExternalPreview")->trigger();
    QCOMPARE(w.prompter.texts().value(0),
        QStringLiteral(
            "You must specify a browser to use before you can use this function.\nDo you wan to set "
            "this up now?"));
    QVERIFY(!QFile::exists(previewFileBeside(path)));

    // A bare name is not looked up on PATH either.
    w.form->settings().write(Settings::Browser, QStringLiteral("sh"));
    w.prompter.answer(PromptAnswer::No);
    w.action("ExternalPreview")->trigger();
    QCOMPARE(w.prompter.asked().size(), 2);
    QVERIFY(!QFile::exists(previewFileBeside(path)));

    const QString record = w.env.path(QStringLiteral("arguments.txt"));
    const QString browser = w.env.writeFile(QStringLiteral("programs/a browser"),
        "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"" + QFile::encodeName(record) + "\"\n");
    QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    w.form->settings().write(Settings::Browser, browser);
    w.action("ExternalPreview")->trigger();
    QCOMPARE(w.prompter.asked().size(), 2);
    QTRY_VERIFY(QFile::exists(record) && TestEnvironment::readFile(record).count('\n') == 2);
    QCOMPARE(TestEnvironment::readFile(record), "1\n" + QFile::encodeName(previewFileBeside(path)) + "\n");

    // The browser may still be reading the file when the window closes: it stays.
    w.form->page(w.form->pageCount() - 1)->setModifiedFlag(false);
    for (int i = 0; i < w.form->pageCount(); ++i)
        w.form->page(i)->setModifiedFlag(false);
    QVERIFY(w.form->close());
    QVERIFY(QFile::exists(previewFileBeside(path)));
}

void TestPreview::sourcePrintsToTheChosenPrinter()
{
    FormWindow w;
    const QString pdf = w.env.path(QStringLiteral("source.pdf"));
    QPrinter *used = nullptr;
    w.form->commands().preview.setPrinterChooser([&](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        used = &printer;
        return true;
    });
    w.action("Print")->trigger();
    QVERIFY(w.prompter.asked().isEmpty());
    QVERIFY(TestEnvironment::readFile(pdf).startsWith("%PDF"));
    // The job carries the page's title.
    QVERIFY(used);
    QCOMPARE(used->docName(), QStringLiteral("Your Document Title"));

    // Cancelled at the print dialog: nothing printed.
    QFile::remove(pdf);
    w.form->commands().preview.setPrinterChooser([](QPrinter &, QWidget *) { return false; });
    w.action("Print1")->trigger();
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
