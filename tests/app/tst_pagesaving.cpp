// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/colorbox.h"
#include "app/ui/documentcommands.h"
#include "base/settingsstore.h"
#include "formwindow.h"

#include <QFile>
#include <QLineEdit>
#include <QXmlStreamReader>

namespace {

const QString lukasz = QStringLiteral("\u0141ukasz");

// A window whose user is called Łukasz, as the login name gives it on many machines.
struct Window : FormWindow
{
    Window()
        : FormWindow([](SettingsStore &s) {
            s.write(Keys::Machine, QStringLiteral("Name"), lukasz, SettingsStore::Root::Machine);
        })
    { }
    DocumentCommands &documents() const { return form->commands().documents; }
    QString open(const QString &name, const QByteArray &bytes) const
    {
        const QString path = env.writeFile(name, bytes);
        if (!documents().openFileIntoPage(path))
            qWarning("could not open %s", qPrintable(path));
        return path;
    }
    void type(const QString &text) const { buffer().setSelText(text); }
};

QByteArray page(const QByteArray &head, const QByteArray &body)
{
    return "<html>\r\n<head>\r\n" + head + "\r\n<title>T</title>\r\n</head>\r\n<body bgcolor=white>\r\n"
        + body + "\r\n</body>\r\n</html>\r\n";
}

QByteArray withAuthor(const QByteArray &bytes, const QByteArray &author)
{
    QByteArray out = bytes;
    return out.replace("</head>", "<meta name=\"author\" content=\"" + author + "\"></head>");
}

} // namespace

class TestPageSaving : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void authorNameRoundTripsInEveryEncoding_data();
    void authorNameRoundTripsInEveryEncoding();
    void typedCharacterAsksReferencesOrConversion();
    void newPageFromAnEightBitTemplate();
    void pageWhoseBytesAlreadyContradictItsCharset();
    void xhtmlPageStaysWellFormedXml();
    void symlinkActivatesTheOpenPage();
    void caretStaysAfterBodyWhenBgcolorIsAdded();
    void undoBringsTheBoxesUpToDate();
};

void TestPageSaving::authorNameRoundTripsInEveryEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("author");
    QTest::newRow("ISO-8859-1") << page(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">", "caf\xe9")
                                << QByteArray("&#321;ukasz");
    QTest::newRow("Windows-1252") << page("<meta charset=\"windows-1252\">", "\x80 caf\xe9")
                                  << QByteArray("&#321;ukasz");
    // Read as UTF-8, being ASCII, but saved as the charset it declares.
    QTest::newRow("ISO-8859-1 in ASCII")
        << page("<meta charset=\"ISO-8859-1\">", "cafe") << QByteArray("&#321;ukasz");
    QTest::newRow("UTF-8") << page("<meta charset=\"utf-8\">", "caf\xc3\xa9") << QByteArray("\xc5\x81ukasz");
}

void TestPageSaving::authorNameRoundTripsInEveryEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, author);
    const QByteArray expected = withAuthor(bytes, author);
    QByteArray saved;
    {
        Window w;
        const QString path = w.open(QStringLiteral("page.html"), bytes);
        w.form->SaveClick();
        // The author tag never asks a question: the name is written in a form the page's bytes hold.
        QCOMPARE(w.prompter.asked().size(), 0);
        saved = TestEnvironment::readFile(path);
        QCOMPARE(saved, expected);
    }
    // Opened again and saved, the page comes back byte for byte.
    Window again;
    const QString path = again.open(QStringLiteral("page.html"), saved);
    QVERIFY(again.text().contains(QStringLiteral("<meta name=\"author\" content=\"")));
    again.form->SaveClick();
    QCOMPARE(again.prompter.asked().size(), 0);
    QCOMPARE(TestEnvironment::readFile(path), expected);
}

void TestPageSaving::typedCharacterAsksReferencesOrConversion()
{
    Window w;
    const QByteArray bytes = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
        + page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">", "caf\xe9");
    const QString path = w.open(QStringLiteral("typed.html"), bytes);
    w.type(QStringLiteral("\u4e2d"));

    // Cancel saves nothing and keeps the changes.
    w.prompter.answer(PromptAnswer::Cancel);
    w.form->SaveClick();
    QCOMPARE(TestEnvironment::readFile(path), bytes);
    QVERIFY(w.form->activePage()->isModified());
    const ScriptedPrompter::Asked question = w.prompter.asked().constLast();
    QCOMPARE(question.buttons, PromptButtons::YesNoCancel);
    QVERIFY2(question.text.contains(QStringLiteral("declares the ISO-8859-1 encoding"))
            && question.text.contains(QStringLiteral("U+4E2D")),
        qPrintable(question.text));

    // Yes keeps the page 8-bit: the character goes into the file as a reference, the page keeps it.
    w.prompter.answer(PromptAnswer::Yes);
    w.form->SaveClick();
    QByteArray saved = TestEnvironment::readFile(path);
    QVERIFY(saved.contains("&#20013;"));
    QVERIFY(saved.contains("caf\xe9"));
    QVERIFY(saved.contains("charset=ISO-8859-1") && saved.contains("encoding=\"ISO-8859-1\""));
    QVERIFY(w.text().contains(QStringLiteral("\u4e2d")));
    QCOMPARE(w.form->activePage()->format().encoding, TextEncoding::Windows1252);
    QVERIFY(!w.form->activePage()->isModified());
    // The choice holds for the page's later saves.
    const qsizetype questions = w.prompter.asked().size();
    w.type(QStringLiteral("\u4e2d"));
    w.form->SaveClick();
    QCOMPARE(w.prompter.asked().size(), questions);
    QVERIFY(TestEnvironment::readFile(path).contains("&#20013;&#20013;"));

    // In another page, No converts it, and its declarations say so in the same save.
    const QString other = w.open(QStringLiteral("other.html"), bytes);
    w.type(QStringLiteral("\u00e9\u4e2d"));
    w.prompter.answer(PromptAnswer::No);
    w.form->SaveClick();
    saved = TestEnvironment::readFile(other);
    QVERIFY(saved.contains("caf\xc3\xa9"));
    QVERIFY(saved.contains("\xe4\xb8\xad"));
    QVERIFY(saved.contains("charset=UTF-8") && saved.contains("encoding=\"UTF-8\""));
    QVERIFY(!saved.contains("ISO-8859-1"));
    QCOMPARE(QString::fromUtf8(saved), w.text());
    QCOMPARE(w.form->activePage()->format().encoding, TextEncoding::Utf8);
    // Now UTF-8, the next save asks nothing.
    const qsizetype asked = w.prompter.asked().size();
    w.type(QStringLiteral("\u0141"));
    w.form->SaveClick();
    QCOMPARE(w.prompter.asked().size(), asked);
}

void TestPageSaving::newPageFromAnEightBitTemplate()
{
    FormWindow w([](SettingsStore &s) {
        s.write(Keys::Machine, QStringLiteral("Name"), lukasz, SettingsStore::Root::Machine);
        s.write(Settings::Template,
            QStringLiteral(
                "<html><head><meta charset=\"ISO-8859-1\"><title>T</title></head>\r\n<body>\r\n</body></html>"));
    });
    QCOMPARE(w.form->activePage()->format().encoding, TextEncoding::Windows1252);
    w.buffer().setSelText(QStringLiteral("caf\u00e9"));
    const QString path = w.env.path(QStringLiteral("new.html"));
    w.prompter.chooseFile(path);
    w.form->SaveClick();
    const QByteArray saved = TestEnvironment::readFile(path);
    QVERIFY(saved.contains("caf\xe9"));
    QVERIFY(saved.contains("content=\"&#321;ukasz\""));
}

void TestPageSaving::pageWhoseBytesAlreadyContradictItsCharset()
{
    // Declared UTF-8 but read as Windows-1252: the question offers the conversion the page asks for.
    Window w;
    const QByteArray bytes = page("<meta charset=\"utf-8\">", "caf\xe9");
    const QString path = w.open(QStringLiteral("mixed.html"), bytes);
    w.type(QStringLiteral("\u4e2d"));
    w.prompter.answer(PromptAnswer::Yes);
    w.form->SaveClick();
    QCOMPARE(w.prompter.asked().constLast().buttons, PromptButtons::YesNo);
    QVERIFY(!w.prompter.asked().constLast().text.contains(QStringLiteral("declares")));
    const QByteArray saved = TestEnvironment::readFile(path);
    QVERIFY(saved.contains("caf\xc3\xa9") && saved.contains("\xe4\xb8\xad"));
}

void TestPageSaving::xhtmlPageStaysWellFormedXml()
{
    Window w;
    const QByteArray bytes = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                             "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                             "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
                             "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n<head>\r\n<title>T</title>\r\n"
                             "</head>\r\n<body>\r\n<p>caf\xe9</p>\r\n</body>\r\n</html>\r\n";
    const QString path = w.open(QStringLiteral("page.xhtml"), bytes);
    w.form->SaveClick();
    const QByteArray saved = TestEnvironment::readFile(path);
    QVERIFY(saved.contains("<meta name=\"author\" content=\"&#321;ukasz\" />"));
    QXmlStreamReader reader(saved);
    while (!reader.atEnd())
        reader.readNext();
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    // The background colour added on opening is quoted too, and a new colour keeps it so.
    QVERIFY(saved.contains("bgcolor=\"#") || saved.contains("BGCOLOR=\"#"));
    w.documents().BackColorColorChange(TColor(0x0000FF));
    w.form->SaveClick();
    QXmlStreamReader changed(TestEnvironment::readFile(path));
    while (!changed.atEnd())
        changed.readNext();
    QVERIFY2(!changed.hasError(), qPrintable(changed.errorString()));
}

void TestPageSaving::symlinkActivatesTheOpenPage()
{
    Window w;
    const QString target = w.open(QStringLiteral("real.html"), page("", "Real"));
    const QString link = w.env.path(QStringLiteral("link.html"));
    QVERIFY(QFile::link(target, link));
    w.type(QStringLiteral("changed "));
    const int pages = w.form->pageCount();
    QVERIFY(w.documents().openFileIntoPage(link));
    QCOMPARE(w.form->pageCount(), pages);
    QCOMPARE(w.form->activePage()->fileName(), target);
    QVERIFY(w.text().contains(QStringLiteral("changed ")));
}

void TestPageSaving::caretStaysAfterBodyWhenBgcolorIsAdded()
{
    Window w;
    w.open(QStringLiteral("plain.html"),
        "<html>\r\n<head>\r\n<title>T</title>\r\n</head>\r\n<body>\r\nText\r\n</body>\r\n</html>");
    QVERIFY(w.text().contains(QStringLiteral("<body bgcolor=#ffffff>\r\n"), Qt::CaseInsensitive));
    const int after = int(w.text().indexOf(QStringLiteral(">\r\nText"))) + 3;
    QCOMPARE(w.buffer().selStart(), after);
    // What is typed first lands in the body, not in the tag.
    w.type(QStringLiteral(":-)"));
    QVERIFY(w.text().contains(QStringLiteral(">\r\n:-)Text")));
}

void TestPageSaving::undoBringsTheBoxesUpToDate()
{
    Window w;
    w.open(QStringLiteral("boxes.html"), page("", "Text"));
    QLineEdit *title = w.documents().docTitle();
    TColorBox *colour = w.documents().backColor();
    QCOMPARE(title->text(), QStringLiteral("T"));
    const TColor white = colour->selectedColor();

    const QString before = w.text();
    w.documents().BackColorColorChange(TColor(0x000000));
    QVERIFY(w.text() != before);
    w.form->commands().undo.recordUndoStep(QStringLiteral("Title"));
    w.buffer().select(int(w.text().indexOf(QStringLiteral(">T<"))) + 1, 1);
    w.buffer().setSelText(QStringLiteral("News"));

    w.form->commands().undo.UndoClick();
    QCOMPARE(title->text(), QStringLiteral("T"));
    QVERIFY(w.form->windowTitle().startsWith(QStringLiteral("T - ")));
    w.form->commands().undo.UndoClick();
    QCOMPARE(w.text(), before);
    QCOMPARE(colour->selectedColor(), white);
    w.form->commands().undo.RedoClick();
    QCOMPARE(colour->selectedColor(), TColor(0x000000));
    w.form->commands().undo.RedoClick();
    QCOMPARE(title->text(), QStringLiteral("News"));
}

QTEST_MAIN(TestPageSaving)
#include "tst_pagesaving.moc"
