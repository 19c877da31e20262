// SPDX-License-Identifier: GPL-3.0-or-later
#include "formwindow.h"
#include "httptestserver.h"
#include "tools/ui/checkhtmlform.h"
#include "tools/ui/httpform.h"
#include "tools/ui/importform.h"
#include "tools/ui/linkanalyserform.h"
#include "tools/ui/speedform.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Runs work on the modal dialog of type Form once the action has shown it.
template <typename Form> void onDialog(const std::function<void(Form *)> &work)
{
    QTimer::singleShot(0, [work] {
        auto *form = qobject_cast<Form *>(QApplication::activeModalWidget());
        QVERIFY(form);
        work(form);
    });
}

template <typename Widget> Widget *child(QWidget *form, const char *name)
{
    return form->findChild<Widget *>(QString::fromLatin1(name));
}

QString labelText(QWidget *form, const char *name)
{
    return child<QLabel>(form, name)->text();
}

} // namespace

class TestToolCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void checkHTML()
    {
        FormWindow window;
        window.buffer().setText(
            u"<html><head><title>t</title></head>\r\n<body>\r\n<blob>\r\n</body></html>"_s);
        window.buffer().select(3, 4);
        QStringList listed;
        QString report;
        QString version;
        int selectionDuringCheck = -1;
        onDialog<TCheckHTMLForm>([&](TCheckHTMLForm *form) {
            QTRY_VERIFY(!form->checking() && child<QPushButton>(form, "Close")->isEnabled());
            selectionDuringCheck = window.buffer().selStart() * 100 + window.buffer().selLength();
            auto *list = child<QListWidget>(form, "ErrorList");
            for (int i = 0; i < list->count(); ++i)
                listed.append(list->item(i)->text());
            report = labelText(form, "Report");
            version = labelText(form, "HTMLVersion");
            QCOMPARE(labelText(form, "ErrorCount"), u"Errors: 1"_s);
            child<QPushButton>(form, "Show")->click();
            child<QPushButton>(form, "Close")->click();
        });
        window.action("CheckHTML")->trigger();
        QCOMPARE(listed, QStringList { u"Unknown tag \"blob\" on line 3"_s });
        QCOMPARE(report, u"Finished checking HTML. 1 problems were found."_s);
        QCOMPARE(version, u"Minimum HTML Version: 2"_s);
        // The check left the selection alone; Show selected the finding.
        QCOMPARE(selectionDuringCheck, 3 * 100 + 4);
        QCOMPARE(window.buffer().selText(), u"blob"_s);

        // With nothing found, Show puts the caret at the start.
        window.buffer().setText(u"<html><head><title>t</title></head><body></body></html>"_s);
        window.buffer().select(10, 3);
        onDialog<TCheckHTMLForm>([&](TCheckHTMLForm *form) {
            QTRY_VERIFY(!form->checking() && child<QPushButton>(form, "Show")->isEnabled());
            QCOMPARE(labelText(form, "Report"), u"Finished checking HTML. No problems were found."_s);
            child<QPushButton>(form, "Show")->click();
            form->accept();
        });
        window.action("CheckHTML")->trigger();
        QCOMPARE(window.buffer().selStart(), 0);
        QCOMPARE(window.buffer().selLength(), 0);
    }

    void linkAnalyserAndSpeeds()
    {
        FormWindow window;
        const QString page = window.env.writeFile(u"page.htm"_s, QByteArray());
        window.env.writeFile(u"there.htm"_s, QByteArray(3000, 'x'));
        window.buffer().setText(
            u"<a href=\"there.htm\">1</a> <a href=\"gone.htm\">2</a> "
            u"<a href=\"http://example.org/x.htm\">3</a> <a href=\"file:///etc/passwd://\">4</a>"
            u"<img src=\"there.htm\">"_s);
        TLinkAnalyserForm form(window.buffer().text(), page, window.prompter, window.form.get());
        QStringList opened;
        form.setOpener([&](const QString &address) { opened.append(address); });
        auto *list = child<QTreeWidget>(&form, "LinkList");
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(list->topLevelItem(1)->text(1), u"gone.htm"_s);
        QCOMPARE(labelText(&form, "TotalLinksLabel"), u"This document contains a total of 4 links."_s);
        QCOMPARE(labelText(&form, "OKLinksLabel"), u"1 of these links are OK."_s);
        QCOMPARE(labelText(&form, "BrokenLinksLabel"), u"1 of these links are broken."_s);
        QCOMPARE(labelText(&form, "ExternalLinksLabel"), u"2 of these links are external (uncheckable)."_s);
        auto *check = child<QPushButton>(&form, "Check");
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(!check->isEnabled());
        list->setCurrentItem(list->topLevelItem(2));
        QVERIFY(check->isEnabled());
        check->click();
        QCOMPARE(opened, QStringList { u"http://example.org/x.htm"_s });
        // A file address is refused with a word, never handed to the desktop.
        list->setCurrentItem(list->topLevelItem(3));
        check->click();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(window.prompter.asked().size(), 1);
        QVERIFY(window.prompter.asked()[0].text.startsWith(u"Only web, FTP and e-mail addresses"_s));

        TSpeedForm speeds(window.buffer().text(), page, window.form.get());
        QCOMPARE(child<QTreeWidget>(&speeds, "FileList")->topLevelItemCount(), 1);
        QCOMPARE(child<QTreeWidget>(&speeds, "FileList")->topLevelItem(0)->text(0), u"there.htm"_s);
        QCOMPARE(labelText(&speeds, "RelatedSize"), DownloadSpeeds::formatKb(2, QLocale()));
        QCOMPARE(labelText(&speeds, "_144"),
            DownloadSpeeds::formatSeconds(speeds.estimate().seconds[0], QLocale()));
    }

    void openFromWeb()
    {
        FormWindow window;
        HttpTestServer server;
        QVERIFY(server.listening());
        server.answer("200 OK", "<html><head><title>W</title></head><BODY>\r\nHello</body></html>",
            "Content-Type: text/html\r\n");
        const int pages = window.form->pageCount();
        onDialog<THTTPForm>([&](THTTPForm *form) {
            auto *address = child<QLineEdit>(form, "FileName");
            QCOMPARE(address->text(), u"http://"_s);
            QCOMPARE(labelText(form, "StatusBar"), u"Not Connected"_s);
            address->setText(u"127.0.0.1:%1/page.htm"_s.arg(server.port()));
            child<QPushButton>(form, "Download")->click();
        });
        window.action("OpenfromWeb1")->trigger();
        QCOMPARE(window.form->pageCount(), pages + 1);
        // The page change reads the background colour, writing it into BODY as for any page opened.
        QVERIFY(window.text().startsWith(u"<html><head><title>W</title></head><BODY"_s));
        QVERIFY(window.text().endsWith(u">\r\nHello</body></html>"_s));
        QCOMPARE(window.buffer().selStart(), int(window.text().indexOf(u"Hello"_s)));
        QVERIFY(window.form->activePage()->isModified());
        QCOMPARE(window.form->statusPanelText(3), u"      Modified"_s);
        QVERIFY(server.requests().last().startsWith("GET /page.htm HTTP/1.0\r\n"));

        // A 404 keeps the dialog open with the reason, and Cancel then makes no page.
        server.answer("404 Not Found", "<html>gone</html>");
        QString status;
        onDialog<THTTPForm>([&](THTTPForm *form) {
            child<QLineEdit>(form, "FileName")->setText(server.address(u"/none.htm"_s));
            child<QPushButton>(form, "Download")->click();
            QTRY_VERIFY(!form->fetching());
            status = labelText(form, "StatusBar");
            QVERIFY(form->isVisible());
            child<QPushButton>(form, "Cancel")->click();
        });
        window.action("OpenfromWeb1")->trigger();
        QCOMPARE(status, u"Unable to download file: the server answered 404 Not Found"_s);
        QCOMPARE(window.form->pageCount(), pages + 1);

        // Cancel during a slow transfer ends it at once and makes no page.
        server.setMode(HttpTestServer::Mode::Slow);
        onDialog<THTTPForm>([&](THTTPForm *form) {
            child<QLineEdit>(form, "FileName")->setText(server.address(u"/slow"_s));
            child<QPushButton>(form, "Download")->click();
            QTRY_COMPARE(labelText(form, "StatusBar").startsWith(u"Received"_s), true);
            QVERIFY(form->fetching());
            child<QPushButton>(form, "Cancel")->click();
        });
        window.action("OpenfromWeb1")->trigger();
        QCOMPARE(window.form->pageCount(), pages + 1);
    }

    void textFiles()
    {
        FormWindow window;
        const QString file = window.env.writeFile(u"notes.txt"_s, "first\r\nsecond\xe9\r\n");
        const int pages = window.form->pageCount();
        window.prompter.chooseFile(file);
        window.action("ConvertTextFile1")->trigger();
        QCOMPARE(window.form->pageCount(), pages + 1);
        QVERIFY(window.text().contains(u"<title>notes.txt</title>"_s, Qt::CaseInsensitive));
        QVERIFY(window.text().contains(u"first<br>\r\nsecond\u00e9<br>"_s, Qt::CaseInsensitive));
        QCOMPARE(window.prompter.fileRequests().last().title, u"Convert Text File"_s);

        window.buffer().setText(u"<body>X</body>"_s);
        window.buffer().select(7, 0);
        window.prompter.chooseFile(file);
        window.action("PreformattedTextFile1")->trigger();
        QVERIFY(window.text().contains(
            u"X<pre>\r\nfirst\r\nsecond\u00e9\r\n\r\n</pre></body>"_s, Qt::CaseInsensitive));
        window.action("Undo")->trigger();
        QCOMPARE(window.text(), u"<body>X</body>"_s);

        window.prompter.chooseFile(std::nullopt);
        window.action("TextFile2")->trigger();
        QCOMPARE(window.text(), u"<body>X</body>"_s);
    }

    void importHTML()
    {
        FormWindow window;
        const QString file = window.env.writeFile(u"other.htm"_s,
            "<html><head><title>Other</title><meta name=\"author\" content=\"B\"></head>"
            "<body text=red>\r\nImported text\r\n</body></html>");
        const QString before = u"<html><head><title>Mine</title><meta name=\"author\" content=\"A\"></head>"
                               u"<body>\r\nMy text\r\n</body></html>"_s;
        window.buffer().setText(before);
        window.buffer().select(int(before.indexOf(u"My"_s)), 0);
        window.prompter.chooseFile(file);
        QStringList states;
        onDialog<TImportForm>([&](TImportForm *form) {
            for (const char *name : { "Header", "Meta", "Styles", "StyleSheet", "Title", "Body", "Text" }) {
                auto *option = child<QCheckBox>(form, name);
                states.append(QString::fromLatin1(name) + (option->isEnabled() ? u"+"_s : u"-"_s)
                    + (option->isChecked() ? u"x"_s : QString()));
            }
            QVERIFY(child<QRadioButton>(form, "Current")->isChecked());
            QVERIFY(child<QRadioButton>(form, "Cursor")->isChecked());
            child<QCheckBox>(form, "Title")->setChecked(true);
            child<QCheckBox>(form, "Body")->setChecked(true);
            child<QRadioButton>(form, "Imported")->setChecked(true);
            child<QPushButton>(form, "OK")->click();
        });
        window.action("ImportHTMLFile1")->trigger();
        QCOMPARE(states,
            QStringList({ u"Header+x"_s, u"Meta+x"_s, u"Styles-"_s, u"StyleSheet-"_s, u"Title+"_s, u"Body+"_s,
                u"Text+x"_s }));
        QCOMPARE(window.prompter.fileRequests().last().title, u"Import File"_s);
        QCOMPARE(window.text(),
            u"<html><head><title>Other</title><meta name=\"author\" content=\"B\"></head>"
            u"<body text=red>\r\n\r\nImported text\r\nMy text\r\n</body></html>"_s);
        QVERIFY(window.form->activePage()->isModified());
        window.action("Undo")->trigger();
        QCOMPARE(window.text(), before);

        // Cancel imports nothing.
        window.prompter.chooseFile(file);
        onDialog<TImportForm>([&](TImportForm *form) { child<QPushButton>(form, "Cancel")->click(); });
        window.action("ImportHTMLFile1")->trigger();
        QCOMPARE(window.text(), before);
    }
};

QTEST_MAIN(TestToolCommands)
#include "tst_toolcommands.moc"
