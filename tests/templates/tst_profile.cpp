// SPDX-License-Identifier: GPL-3.0-or-later
// Code section files (the profile reader and writer), applying sections, the disk operations behind the
// code tree, and the snippet list.
#include "editor/plainbuffer.h"
#include "templates/codesections.h"
#include "templates/profile.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsAsWindowsProfiles();
    void roundTripKeepsEveryLine();
    void sectionFiles();
    void applyWrapsTheSelection();
    void diskOperationsRefuseToLoseFiles();
    void snippets();
};

void TestProfile::readsAsWindowsProfiles()
{
    const QByteArray crlf
        = "; a note\r\n[Start Tag]\r\n0=<a href=\"x?a=b\">\r\n1 = spaced \r\nnot a key\r\n"
          "2=\"  quoted  \"\r\n[End Tag]\r\n0=</a>\r\n[start tag]\r\n0=ignored duplicate\r\n";
    const ProfileFile file = ProfileFile::fromBytes(crlf);
    QCOMPARE(file.values(QStringLiteral("START TAG")),
        QStringList({ QStringLiteral("<a href=\"x?a=b\">"), QStringLiteral("spaced"),
            QStringLiteral("  quoted  ") }));
    QCOMPARE(file.value(QStringLiteral("end tag"), QStringLiteral("0")), QStringLiteral("</a>"));
    QCOMPARE(file.value(QStringLiteral("Start Tag"), QStringLiteral(" 1 ")), QStringLiteral("spaced"));
    QVERIFY(file.value(QStringLiteral("Missing"), QStringLiteral("0")).isEmpty());

    // An LF file reads the same, and is written back with LF.
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    const ProfileFile unix = ProfileFile::fromBytes(lf);
    QCOMPARE(unix.values(QStringLiteral("Start Tag")), file.values(QStringLiteral("Start Tag")));
    QVERIFY(!unix.toBytes().contains('\r'));
    QVERIFY(file.toBytes().contains("\r\n"));
    QCOMPARE(file.toBytes(), crlf);
}

void TestProfile::roundTripKeepsEveryLine()
{
    const QStringList lines = { QStringLiteral("  <li>indented</li>"), QStringLiteral("\"both quoted\""),
        QStringLiteral("'single'"), QStringLiteral("a=b=c"), QString(), QStringLiteral("[not a header]"),
        QStringLiteral("trailing\t"), QStringLiteral("\"half") };
    ProfileFile file = ProfileFile::fromBytes("[Other]\r\nkeep=me\r\n[Start Tag]\r\n0=old\r\n9=gone\r\n");
    file.setLines(QStringLiteral("START TAG"), lines);
    const ProfileFile back = ProfileFile::fromBytes(file.toBytes());
    QCOMPARE(back.values(QStringLiteral("Start Tag")), lines);
    // The section was replaced whole; others are untouched.
    QVERIFY(back.value(QStringLiteral("Start Tag"), QStringLiteral("9")).isEmpty());
    QCOMPARE(back.value(QStringLiteral("Other"), QStringLiteral("keep")), QStringLiteral("me"));
    QVERIFY(file.toBytes().startsWith("[Other]\r\nkeep=me\r\n[Start Tag]\r\n0=\"  <li>indented</li>\"\r\n"));
}

void TestProfile::sectionFiles()
{
    TestEnvironment env;
    const QString file = env.path(QStringLiteral("Bold.ccs"));
    QVERIFY(CodeSections::write(file, QStringLiteral("<b>\r\n  <i>"), QStringLiteral("</i></b>\n")));
    const CodeSections::Section read = CodeSections::read(file);
    QCOMPARE(read.start, QStringLiteral("<b>\r\n  <i>"));
    // A last empty line is dropped on reading.
    QCOMPARE(read.end, QStringLiteral("</i></b>"));

    // Finish shrinks a section: no key of the old text survives.
    QVERIFY(CodeSections::write(file, QStringLiteral("<u>"), QString()));
    QCOMPARE(CodeSections::read(file).start, QStringLiteral("<u>"));
    QVERIFY(!TestEnvironment::readFile(file).contains("<i>"));

    // A selection is kept one line per key from "1", blanks and quotes included.
    const QString selection = QStringLiteral("<ul>\r\n  <li>\"a\"</li>\r\n</ul>");
    QVERIFY(CodeSections::writeSelection(file, selection));
    const ProfileFile profile = ProfileFile::load(file);
    QCOMPARE(profile.value(QStringLiteral("Start Tag"), QStringLiteral("1")), QStringLiteral("<ul>"));
    QCOMPARE(profile.value(QStringLiteral("End Tag"), QStringLiteral("1")), QString());
    QCOMPARE(CodeSections::read(file).start, selection);
    QVERIFY(CodeSections::read(file).end.isEmpty());

    // An empty file (a Cancelled new section) and a missing one read as nothing.
    const QString empty = env.writeFile(QStringLiteral("Empty.ccs"), {});
    QVERIFY(CodeSections::read(empty).start.isEmpty());
    QVERIFY(CodeSections::read(env.path(QStringLiteral("none.ccs"))).end.isEmpty());
}

void TestProfile::applyWrapsTheSelection()
{
    PlainBuffer buffer(QStringLiteral("one word here"));
    buffer.select(4, 4);
    int end = CodeSections::apply(buffer, { QStringLiteral("<b>"), QStringLiteral("</b>") });
    QCOMPARE(buffer.text(), QStringLiteral("one <b>word</b> here"));
    QCOMPARE(end, 15);
    QCOMPARE(buffer.selStart(), 15);
    QCOMPARE(buffer.selLength(), 0);

    // Nothing selected: both texts at the caret; LF texts become CR LF and the end accounts for it.
    buffer.setText(QStringLiteral("ab"));
    buffer.select(1, 0);
    end = CodeSections::apply(buffer, { QStringLiteral("<div>\n"), QStringLiteral("\n</div>") });
    QCOMPARE(buffer.text(), QStringLiteral("a<div>\r\n\r\n</div>b"));
    QCOMPARE(end, 16);
}

void TestProfile::diskOperationsRefuseToLoseFiles()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    using namespace CodeSections;
    QCOMPARE(freeName(root, QStringLiteral("New Item"), suffix()), QStringLiteral("New Item"));
    QVERIFY(createFile(root + QStringLiteral("/New Item.ccs")).ok);
    QVERIFY(createFile(root + QStringLiteral("/new item 1.CCS")).ok);
    QCOMPARE(freeName(root, QStringLiteral("New Item"), suffix()), QStringLiteral("New Item 2"));
    QVERIFY(createFolder(root + QStringLiteral("/Sub")).ok);
    QCOMPARE(freeName(root, QStringLiteral("sub"), QString()), QStringLiteral("sub 1"));

    const Listing listing = list(root);
    QCOMPARE(listing.folders, QStringList { QStringLiteral("Sub") });
    QCOMPARE(listing.sections, QStringList({ QStringLiteral("New Item"), QStringLiteral("new item 1") }));
    QVERIFY(hasChildren(root));
    QVERIFY(!hasChildren(root + QStringLiteral("/Sub")));

    // Renaming onto an existing name, to nothing or across folders is refused; the file stays.
    const QString item = root + QStringLiteral("/New Item.ccs");
    QVERIFY(!rename(item, QStringLiteral("new item 1"), QStringLiteral(".CCS")).ok);
    QVERIFY(QFile::exists(item) && QFile::exists(root + QStringLiteral("/new item 1.CCS")));
    QVERIFY(!rename(item, QStringLiteral("  "), suffix()).ok);
    QVERIFY(!rename(item, QStringLiteral("../out"), suffix()).message.isEmpty());
    QVERIFY(QFile::exists(item));
    QVERIFY(rename(item, QStringLiteral("Bold"), suffix()).ok);
    QVERIFY(QFile::exists(root + QStringLiteral("/Bold.ccs")) && !QFile::exists(item));
    QVERIFY(rename(root + QStringLiteral("/Sub"), QStringLiteral("Layout"), QString()).ok);

    // Moving onto a file of the same name in the target is refused and both files are kept.
    QVERIFY(write(root + QStringLiteral("/Layout/Bold.ccs"), QStringLiteral("<strong>"), QString()));
    QVERIFY(!move(root + QStringLiteral("/Bold.ccs"), root + QStringLiteral("/Layout")).ok);
    QCOMPARE(read(root + QStringLiteral("/Layout/Bold.ccs")).start, QStringLiteral("<strong>"));
    QVERIFY(QFile::exists(root + QStringLiteral("/Bold.ccs")));
    QVERIFY(move(root + QStringLiteral("/new item 1.CCS"), root + QStringLiteral("/Layout")).ok);
    QVERIFY(QFile::exists(root + QStringLiteral("/Layout/new item 1.CCS")));

    // A folder is removed only when the disk says it is empty.
    const Result refused = removeFolder(root + QStringLiteral("/Layout"));
    QVERIFY(!refused.ok);
    QCOMPARE(refused.message, emptyFolderMessage());
    QVERIFY(QDir(root + QStringLiteral("/Layout")).exists());
    QVERIFY(QFile(root + QStringLiteral("/Layout/.hidden")).open(QIODevice::WriteOnly));
    QVERIFY(removeSection(root + QStringLiteral("/Layout/Bold.ccs")).ok);
    QVERIFY(removeSection(root + QStringLiteral("/Layout/new item 1.CCS")).ok);
    QVERIFY(!removeFolder(root + QStringLiteral("/Layout")).ok);
    QVERIFY(QFile::remove(root + QStringLiteral("/Layout/.hidden")));
    QVERIFY(removeFolder(root + QStringLiteral("/Layout")).ok);
    QVERIFY(!QDir(root + QStringLiteral("/Layout")).exists());
}

void TestProfile::snippets()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("Scroll.jss")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("// Scroll the status bar\r\nvar x = 1;\r\n");
    file.close();
    QFile other(dir.filePath(QStringLiteral("a.b.js")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("//x");
    other.close();
    const QList<Snippets::Entry> entries = Snippets::list(dir.path());
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0).caption, QStringLiteral("Scroll"));
    QCOMPARE(entries.at(0).description, QStringLiteral("Scroll the status bar"));
    QCOMPARE(entries.at(1).caption, QStringLiteral("a.b"));
    QCOMPARE(entries.at(1).description, QString());
    QCOMPARE(Snippets::file(dir.path(), QStringLiteral("Scroll")), file.fileName());

    QCOMPARE(Snippets::insertion(QStringLiteral("// d\r\nx();"), false),
        QStringLiteral("<script language=jscript>\r\n<!--\r\n// d\r\nx();\r\n//-->\r\n</script>"));
    QVERIFY(Snippets::insertion(QString(), true).startsWith(QStringLiteral("<SCRIPT LANGUAGE=JSCRIPT>\r\n")));
    QVERIFY(Snippets::insertion(QString(), true).endsWith(QStringLiteral("</SCRIPT>")));
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
