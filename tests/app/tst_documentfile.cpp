// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/documentfile.h"
#include "testenvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(LineEnd)

namespace {

// Every byte value once; CR stands right before LF so the file has one consistent line break.
QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (b == '\n')
            bytes += '\r';
        if (b != '\r')
            bytes += char(b);
    }
    return bytes;
}

} // namespace

class TestDocumentFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void everyCharacter();
    void largeFiles();
    void lineEnds();
    void unencodableText();
    void saveWritesAtomically();
    void failedSaveKeepsOldFile();
    void refusesTextTheEncodingCannotHold();
    void loadFailures();
};

void TestDocumentFile::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<LineEnd>("lineEnd");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-8 LF") << QByteArray("<p>caf\xC3\xA9</p>\n<b>\xE2\x82\xAC</b>\n") << TextEncoding::Utf8
                              << LineEnd::Lf << u"<p>café</p>\r\n<b>€</b>\r\n"_qs;
    QTest::newRow("UTF-8 BOM CR LF") << QByteArray("\xEF\xBB\xBFone\r\ntwo\r\n") << TextEncoding::Utf8Bom
                                     << LineEnd::CrLf << u"one\r\ntwo\r\n"_qs;
    QTest::newRow("UTF-8 CR") << QByteArray("a\rb\r\rc") << TextEncoding::Utf8 << LineEnd::Cr
                              << u"a\r\nb\r\n\r\nc"_qs;
    QTest::newRow("second BOM is text")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFz") << TextEncoding::Utf8Bom << LineEnd::CrLf << u"\uFEFFz"_qs;
    QTest::newRow("empty") << QByteArray() << TextEncoding::Utf8 << LineEnd::CrLf << QString();
    QTest::newRow("no line break") << QByteArray("<html>") << TextEncoding::Utf8 << LineEnd::CrLf
                                   << u"<html>"_qs;
    QTest::newRow("NUL bytes") << QByteArray("a\0b\n", 4) << TextEncoding::Utf8 << LineEnd::Lf
                               << QStringView(u"a\0b\r\n", 5).toString();

    QTest::newRow("Windows-1252 every byte")
        << allBytes() << TextEncoding::Windows1252 << LineEnd::CrLf << QString();
    QTest::newRow("Windows-1252 LF") << QByteArray("caf\xE9\n\x80\x81\x8D\x8F\x90\x9D\x9F\n")
                                     << TextEncoding::Windows1252 << LineEnd::Lf
                                     << u"café\r\n€\u0081\u008D\u008F\u0090\u009DŸ\r\n"_qs;
    QTest::newRow("BOM then bad bytes")
        << QByteArray("\xEF\xBB\xBF\xFF\r") << TextEncoding::Windows1252 << LineEnd::Cr << u"ï»¿ÿ\r\n"_qs;
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << TextEncoding::Windows1252 << LineEnd::CrLf
                              << u"À¯"_qs;
    QTest::newRow("encoded surrogate")
        << QByteArray("\xED\xA0\x80") << TextEncoding::Windows1252 << LineEnd::CrLf << u"í\u00A0€"_qs;
    QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << TextEncoding::Windows1252
                                   << LineEnd::CrLf << QString();
    QTest::newRow("cut sequence at end") << QByteArray("abcdefghij\xE2\x82") << TextEncoding::Windows1252
                                         << LineEnd::CrLf << u"abcdefghijâ‚"_qs;
}

void TestDocumentFile::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(LineEnd, lineEnd);
    QFETCH(QString, text);

    const LoadedDocument doc = DocumentFile::decode(bytes);
    QVERIFY(doc.ok);
    QCOMPARE(doc.format.encoding, encoding);
    QCOMPARE(doc.format.lineEnd, lineEnd);
    if (!text.isEmpty())
        QCOMPARE(doc.text, text);
    QVERIFY(!doc.text.contains(QRegularExpression(u"\r(?!\n)|(?<!\r)\n"_qs)));
    QCOMPARE(DocumentFile::encode(doc.text, doc.format), bytes);

    // The same through the disk.
    TestEnvironment env;
    const QString path = env.writeFile(u"page.html"_qs, bytes);
    const LoadedDocument loaded = DocumentFile::load(path);
    QVERIFY(loaded.ok);
    QCOMPARE(loaded.text, doc.text);
    QCOMPARE(loaded.format, doc.format);
    QVERIFY(DocumentFile::save(path, loaded.text, loaded.format).ok);
    QCOMPARE(TestEnvironment::readFile(path), bytes);
}

void TestDocumentFile::everyCharacter()
{
    // The UTF-8 check at the edges of each sequence length, and a sweep over the rest.
    QList<char32_t> codes = { 0x7F, 0x80, 0x7FF, 0x800, 0xFFF, 0x1000, 0xD7FF, 0xE000, 0xFEFF, 0xFFFF,
        0x10000, 0x3FFFF, 0x40000, 0xFFFFF, 0x100000, 0x10FFFF };
    for (char32_t c = 0x20; c < 0x110000; c += c < 0x800 ? 1 : 31) {
        if (c < 0xD800 || c > 0xDFFF)
            codes.append(c);
    }
    const QString text = QString::fromUcs4(codes.constData(), codes.size());
    const QByteArray bytes = text.toUtf8();
    const LoadedDocument doc = DocumentFile::decode(bytes);
    QCOMPARE(doc.format.encoding, TextEncoding::Utf8);
    QVERIFY(doc.text == text);
    QVERIFY(DocumentFile::encode(doc.text, doc.format) == bytes);

    // Overlong forms, values past U+10FFFF, stray and cut sequences are not UTF-8.
    for (const char *bad : { "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xF5\x80\x80\x80", "\xC1\xBF", "a\x80",
             "\xE2\x28\xA1", "\xF0\x9F\x98z", "\xEF\xBB\xBF\xC2" })
        QVERIFY2(DocumentFile::decode(bad).format.encoding == TextEncoding::Windows1252, bad);
}

void TestDocumentFile::largeFiles()
{
    // Large files are read in pieces; repeating units of odd length put every kind of character and line
    // break across the joins. Each unit decoded alone is the reference.
    TestEnvironment env;
    const QByteArray units[]
        = { "ab\r\n\xE2\x82\xAC", "x\n\xF0\x9F\x98\x80", "\r\xC3\xA9yz", "q\r\x80\xE9\xC3" };
    for (const QByteArray &unit : units) {
        const LoadedDocument one = DocumentFile::decode(unit);
        for (int pad = 0; pad < 6; ++pad) {
            const QByteArray bytes = QByteArray(pad, 'p') + unit.repeated(700000 / unit.size());
            const QString expected = QString(pad, u'p') + one.text.repeated(700000 / unit.size());
            const LoadedDocument doc = DocumentFile::decode(bytes);
            QCOMPARE(doc.format, one.format);
            QVERIFY(doc.text == expected);
            QVERIFY(DocumentFile::encode(doc.text, doc.format) == bytes);

            const LoadedDocument loaded = DocumentFile::load(env.writeFile(u"big.html"_qs, bytes));
            QVERIFY(loaded.ok);
            QCOMPARE(loaded.format, one.format);
            QVERIFY(loaded.text == expected);
        }
    }
}

void TestDocumentFile::lineEnds()
{
    // Saving writes every break in the style most lines had.
    LoadedDocument doc = DocumentFile::decode("a\r\nb\nc\nd\re");
    QCOMPARE(doc.format.lineEnd, LineEnd::Lf);
    QCOMPARE(doc.text, u"a\r\nb\r\nc\r\nd\r\ne"_qs);
    QCOMPARE(DocumentFile::encode(doc.text, doc.format), QByteArray("a\nb\nc\nd\ne"));

    doc = DocumentFile::decode("a\r\nb\nc");
    QCOMPARE(doc.format.lineEnd, LineEnd::CrLf);
    QCOMPARE(DocumentFile::encode(doc.text, doc.format), QByteArray("a\r\nb\r\nc"));

    // CR CR LF is a lone CR and a CR LF, not one break.
    doc = DocumentFile::decode("a\r\r\nb\xFF");
    QCOMPARE(doc.text, u"a\r\n\r\nbÿ"_qs);

    // Stray lone breaks in the text still come out in the file's style.
    const QString text = u"a\r\nb\nc\rd"_qs;
    QCOMPARE(
        DocumentFile::encode(text, { TextEncoding::Utf8, LineEnd::CrLf }), QByteArray("a\r\nb\r\nc\r\nd"));
    QCOMPARE(DocumentFile::encode(text, { TextEncoding::Utf8, LineEnd::Lf }), QByteArray("a\nb\nc\nd"));
    QCOMPARE(
        DocumentFile::encode(text, { TextEncoding::Windows1252, LineEnd::Cr }), QByteArray("a\rb\rc\rd"));
    QCOMPARE(DocumentFile::encode(u"é"_qs, { TextEncoding::Utf8Bom, LineEnd::CrLf }),
        QByteArray("\xEF\xBB\xBF\xC3\xA9"));
}

void TestDocumentFile::unencodableText()
{
    using DocumentFile::canEncode;
    QVERIFY(canEncode(u"€ŠŸ\u0081\u009D é"_qs, TextEncoding::Windows1252));
    // U+0080 would come back as the euro sign.
    QVERIFY(!canEncode(u"\u0080"_qs, TextEncoding::Windows1252));
    QVERIFY(!canEncode(u"Ω"_qs, TextEncoding::Windows1252));
    QVERIFY(!canEncode(u"\U0001F600"_qs, TextEncoding::Windows1252));
    QVERIFY(canEncode(u"Ω\U0001F600"_qs, TextEncoding::Utf8));
    const QString lone = u"a"_qs + QChar(0xD800) + u"b"_qs;
    QVERIFY(!canEncode(lone, TextEncoding::Utf8));
    QVERIFY(!canEncode(QString(QChar(0xDC00)), TextEncoding::Utf8Bom));
    QCOMPARE(DocumentFile::unencodableAt(u"ab\r\ncΩ"_qs, TextEncoding::Windows1252), 5);

    bool ok = true;
    QCOMPARE(DocumentFile::encode(u"aΩ\U0001F600b"_qs, { TextEncoding::Windows1252, LineEnd::CrLf }, &ok),
        QByteArray("a??b"));
    QVERIFY(!ok);
    ok = true;
    QCOMPARE(DocumentFile::encode(lone, { TextEncoding::Utf8, LineEnd::CrLf }, &ok),
        "a\xEF\xBF\xBD"
        "b");
    QVERIFY(!ok);
    QCOMPARE(DocumentFile::encode(u"€"_qs, { TextEncoding::Windows1252, LineEnd::CrLf }, &ok), "\x80");
    QVERIFY(ok);
}

void TestDocumentFile::saveWritesAtomically()
{
    TestEnvironment env;
    const QString path = env.writeFile(u"page.html"_qs, "old");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const SaveResult result
        = DocumentFile::save(path, u"new\r\nline"_qs, { TextEncoding::Utf8, LineEnd::Lf });
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(result.error.isEmpty());
    QCOMPARE(TestEnvironment::readFile(path), QByteArray("new\nline"));
    QCOMPARE(QFileInfo(path).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QCOMPARE(QDir(env.path(QString())).entryList(QDir::Files), QStringList({ u"page.html"_qs }));
}

void TestDocumentFile::failedSaveKeepsOldFile()
{
    TestEnvironment env;
    const FileFormat format;

    // A folder that does not exist.
    SaveResult result = DocumentFile::save(env.path(u"gone/page.html"_qs), u"x"_qs, format);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(u"does not exist"_qs), qPrintable(result.error));
    QVERIFY(!QFileInfo::exists(env.path(u"gone"_qs)));

    // The target is a folder: it stays one, with its contents.
    env.writeFile(u"folder.html/inside.txt"_qs, "keep");
    result = DocumentFile::save(env.path(u"folder.html"_qs), u"x"_qs, format);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(u"folder"_qs), qPrintable(result.error));
    QCOMPARE(TestEnvironment::readFile(env.path(u"folder.html/inside.txt"_qs)), QByteArray("keep"));

    // A place no one may create files in, root included.
    result = DocumentFile::save(u"/proc/self/page.html"_qs, u"x"_qs, format);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());

    // The disk fills up while writing: the file-size limit holds for root too. The smaller text fits in
    // Qt's write buffer and only fails when the file is committed.
    const QByteArray old("<p>old page</p>\r\n");
    const QString path = env.writeFile(u"page.html"_qs, old);
    for (const int size : { 10000, 100000 }) {
        rlimit saved {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 4096;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        result = DocumentFile::save(path, QString(size, u'x'), format);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(u"page.html"_qs) && !result.error.contains(u"Unknown error"_qs),
            qPrintable(result.error));
        QCOMPARE(TestEnvironment::readFile(path), old);
        // No temporary file is left beside it.
        QCOMPARE(QDir(env.path(QString())).entryList(QDir::Files), QStringList({ u"page.html"_qs }));
    }
}

void TestDocumentFile::refusesTextTheEncodingCannotHold()
{
    TestEnvironment env;
    const QByteArray old("caf\xE9");
    const QString path = env.writeFile(u"page.html"_qs, old);
    const LoadedDocument doc = DocumentFile::load(path);
    QCOMPARE(doc.format.encoding, TextEncoding::Windows1252);

    SaveResult result = DocumentFile::save(path, doc.text + u"\r\nΩ"_qs, doc.format);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(u"Windows-1252"_qs) && result.error.contains(u"U+03A9"_qs)
            && result.error.contains(u"line 2"_qs),
        qPrintable(result.error));
    QCOMPARE(TestEnvironment::readFile(path), old);

    result = DocumentFile::save(path, doc.text + QChar(0xD83D), { TextEncoding::Utf8, LineEnd::CrLf });
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(u"U+D83D"_qs), qPrintable(result.error));
    QCOMPARE(TestEnvironment::readFile(path), old);
}

void TestDocumentFile::loadFailures()
{
    TestEnvironment env;
    const auto expectFailure = [](const QString &path, const QString &reason) {
        const LoadedDocument doc = DocumentFile::load(path);
        QVERIFY(!doc.ok);
        QVERIFY(doc.text.isEmpty());
        QVERIFY2(doc.error.contains(reason), qPrintable(doc.error));
    };
    expectFailure(env.path(u"missing.html"_qs), u"does not exist"_qs);
    expectFailure(env.path(QString()), u"folder"_qs);
    expectFailure(u"/dev/zero"_qs, u"not a regular file"_qs);
    // Reading the start of one's own address space fails with an I/O error after a good open.
    expectFailure(u"/proc/self/mem"_qs, u"/proc/self/mem"_qs);
}

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
