// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/programfolder.h"
#include "editor/currenttag.h"
#include "editor/plainbuffer.h"
#include "editor/tagdatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace CurrentTag;

namespace {

QString valueOf(const LoadedTag &tag, const QString &attribute)
{
    for (const Row &row : tag.rows) {
        if (row.attribute == attribute)
            return row.value;
    }
    return QStringLiteral("<no row>");
}

void setValue(LoadedTag &tag, const QString &attribute, const QString &value)
{
    for (Row &row : tag.rows) {
        if (row.attribute == attribute)
            row.value = value;
    }
}

// A tag's attributes as written, sorted: the rows come in the table's order, which is not at issue here.
QStringList attributesOf(const QString &tagText)
{
    QStringList written;
    for (const Attribute &attribute :
        splitAttributes(QStringView(tagText).mid(1 + tagName(tagText).size()).chopped(1)))
        written.append(attribute.written);
    written.sort();
    return written;
}

} // namespace

class TestCurrentTag : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void loadsOneRowPerTableAttribute();
    void loadsTagsSplitOverLines();
    void applyWritesRowsInTheChosenCase();
    void applyKeepsAttributesWithoutRows();
    void applyLeavesMalformedTagsLoadable();
    void applyRefusesAnotherTag();
    void selectionChecks();
    void rowValueQuotes();
    void clickWalksStayInsideTheText();
    void wizardNamesArePlainNames();

private:
    TagDatabase m_database;
};

void TestCurrentTag::initTestCase()
{
    QVERIFY2(m_database.open(ProgramFolder::path()), qPrintable(m_database.error()));
    QVERIFY(m_database.find(QStringLiteral("TD")));
    QVERIFY(m_database.find(QStringLiteral("IMG")));
}

void TestCurrentTag::loadsOneRowPerTableAttribute()
{
    PlainBuffer buffer(QStringLiteral("<P>x</P><TD NOWRAP ALIGN=center WIDTH=\"50%\">\r\nrest"));
    buffer.select(8, 38); // the tag and the CR LF after it
    const LoadResult result = loadSelection(buffer, m_database);
    QCOMPARE(result.check, SelectionCheck::WholeTag);
    // The CR LF after the ">" leaves the selection.
    QCOMPARE(buffer.selText(), QStringLiteral("<TD NOWRAP ALIGN=center WIDTH=\"50%\">"));

    const LoadedTag &tag = result.tag;
    QCOMPARE(tag.start, 8);
    QCOMPARE(tag.name, QStringLiteral("TD"));
    QCOMPARE(valueOf(tag, QStringLiteral("NOWRAP")), QStringLiteral("True"));
    QCOMPARE(valueOf(tag, QStringLiteral("ALIGN")), QStringLiteral("center"));
    QCOMPARE(valueOf(tag, QStringLiteral("WIDTH")), QStringLiteral("\"50%\""));
    QCOMPARE(valueOf(tag, QStringLiteral("VALIGN")), QString());
    // The rows follow the table's order of the tag's attributes.
    const TagDatabase::Tag *record = m_database.find(QStringLiteral("TD"));
    QCOMPARE(tag.rows.size(), record->attributes.size());
    for (int i = 0; i < tag.rows.size(); ++i)
        QCOMPARE(tag.rows.at(i).attribute, record->attributes.at(i));

    // A tag the table does not know gets no rows, and Apply leaves it alone.
    PlainBuffer unknown(QStringLiteral("<BLINKY SPEED=3>"));
    LoadedTag blinky = loadTag(unknown.text(), 0, m_database);
    QVERIFY(blinky.rows.isEmpty());
    QCOMPARE(applyTag(unknown, blinky, true).status, ApplyStatus::NothingToApply);
    QCOMPARE(unknown.text(), QStringLiteral("<BLINKY SPEED=3>"));

    // A tag without attributes loads with empty rows; "<BR/>" is the BR tag.
    QCOMPARE(valueOf(loadTag(QStringLiteral("<td>"), 0, m_database), QStringLiteral("ALIGN")), QString());
    QCOMPARE(tagName(u"<BR/>"), QStringLiteral("BR"));
    QCOMPARE(tagName(u"<TD\r\nALIGN=left>"), QStringLiteral("TD"));
}

void TestCurrentTag::loadsTagsSplitOverLines()
{
    const QString text = QStringLiteral("<td nowrap\r\n    align = center\r\n\twidth=\"50 %\"\r\n>");
    PlainBuffer buffer(QStringLiteral("ab") + text + QStringLiteral("cd"));
    LoadedTag tag = loadTag(text, 2, m_database);
    QCOMPARE(tag.name, QStringLiteral("td"));
    QCOMPARE(valueOf(tag, QStringLiteral("NOWRAP")), QStringLiteral("True"));
    QCOMPARE(valueOf(tag, QStringLiteral("ALIGN")), QStringLiteral("center"));
    QCOMPARE(valueOf(tag, QStringLiteral("WIDTH")), QStringLiteral("\"50 %\""));

    setValue(tag, QStringLiteral("ALIGN"), QStringLiteral("right"));
    const ApplyResult result = applyTag(buffer, tag, false);
    QCOMPARE(result.status, ApplyStatus::Applied);
    const QString rewritten = buffer.textRange(2, buffer.length() - 2);
    QVERIFY(rewritten.startsWith(QStringLiteral("<td ")));
    QVERIFY(!rewritten.contains(QLatin1Char('\n')));
    QCOMPARE(attributesOf(rewritten),
        QStringList({ QStringLiteral("align=right"), QStringLiteral("nowrap=true"),
            QStringLiteral("width=\"50 %\"") }));
    QVERIFY(buffer.text().endsWith(QStringLiteral(">cd")));
    QCOMPARE(result.start, 2);
    QCOMPARE(result.end, int(buffer.text().size()) - 2);
    QCOMPARE(buffer.selStart(), result.end);
    QCOMPARE(buffer.selLength(), 0);
}

void TestCurrentTag::applyWritesRowsInTheChosenCase()
{
    PlainBuffer buffer(QStringLiteral("<TD NOWRAP ALIGN=center WIDTH=\"50%\">"));
    LoadedTag td = loadTag(buffer.text(), 0, m_database);
    setValue(td, QStringLiteral("NOWRAP"), QString()); // an emptied row leaves the tag
    QCOMPARE(applyTag(buffer, td, true).status, ApplyStatus::Applied);
    QVERIFY(buffer.text().startsWith(QStringLiteral("<TD ")));
    QCOMPARE(attributesOf(buffer.text()),
        QStringList({ QStringLiteral("ALIGN=CENTER"), QStringLiteral("WIDTH=\"50%\"") }));
    // The tag stays loaded with its new text, so it can be changed again.
    setValue(td, QStringLiteral("WIDTH"), QStringLiteral("\"75%\""));
    QCOMPARE(applyTag(buffer, td, false).status, ApplyStatus::Applied);
    QCOMPARE(attributesOf(buffer.text()),
        QStringList({ QStringLiteral("align=center"), QStringLiteral("width=\"75%\"") }));

    // Addresses and names keep their case whatever the table's letter case for the attribute.
    PlainBuffer img(QStringLiteral("<img src=\"Pics/Photo.GIF\" align=Top width=10>"));
    LoadedTag tag = loadTag(img.text(), 0, m_database);
    QCOMPARE(applyTag(img, tag, true).status, ApplyStatus::Applied);
    QVERIFY(img.text().startsWith(QStringLiteral("<img ")));
    QCOMPARE(attributesOf(img.text()),
        QStringList({ QStringLiteral("ALIGN=TOP"), QStringLiteral("SRC=\"Pics/Photo.GIF\""),
            QStringLiteral("WIDTH=10") }));

    const QList<Row> rows = { { QStringLiteral("HREF"), QStringLiteral("\"Page.HTML#Top\"") },
        { QStringLiteral("Name"), QStringLiteral("Mark") },
        { QStringLiteral("TARGET"), QStringLiteral("_Blank") }, { QStringLiteral("TITLE"), QString() } };
    QCOMPARE(attributeText(rows, true), QStringLiteral(" HREF=\"Page.HTML#Top\" NAME=Mark TARGET=_BLANK"));
    QCOMPARE(attributeText(rows, false), QStringLiteral(" href=\"Page.HTML#Top\" name=Mark target=_blank"));
}

void TestCurrentTag::applyKeepsAttributesWithoutRows()
{
    PlainBuffer buffer(
        QStringLiteral("<IMG data-x=\"Keep Me\" SRC=a.gif aria-label='Big Pic'\r\nWIDTH=10 x-made-up />"));
    LoadedTag tag = loadTag(buffer.text(), 0, m_database);
    setValue(tag, QStringLiteral("WIDTH"), QStringLiteral("20"));
    QCOMPARE(applyTag(buffer, tag, true).status, ApplyStatus::Applied);
    // The rows' attributes first, then the others in their order and as they were written.
    QVERIFY(buffer.text().startsWith(QStringLiteral("<IMG SRC=a.gif WIDTH=20 "))
        || buffer.text().startsWith(QStringLiteral("<IMG WIDTH=20 SRC=a.gif ")));
    QVERIFY(buffer.text().endsWith(QStringLiteral(" data-x=\"Keep Me\" aria-label='Big Pic' x-made-up />")));

    // An attribute given twice: the row stands for the first, the second stays as it was.
    PlainBuffer twice(QStringLiteral("<TD ALIGN=left ALIGN=right>"));
    LoadedTag td = loadTag(twice.text(), 0, m_database);
    QCOMPARE(valueOf(td, QStringLiteral("ALIGN")), QStringLiteral("left"));
    setValue(td, QStringLiteral("ALIGN"), QStringLiteral("center"));
    applyTag(twice, td, true);
    QCOMPARE(twice.text(), QStringLiteral("<TD ALIGN=CENTER ALIGN=right>"));
}

void TestCurrentTag::applyRefusesAnotherTag()
{
    const QString tagText = QStringLiteral("<IMG SRC=\"a.gif\" WIDTH=10>");
    PlainBuffer buffer(QStringLiteral("<P>") + tagText);
    LoadedTag tag = loadTag(tagText, 3, m_database);
    QCOMPARE(checkApply(buffer, tag), ApplyStatus::Applied);

    // Text typed before the tag moves it away from where it was loaded.
    buffer.select(0, 0);
    buffer.setSelText(QStringLiteral("x"));
    setValue(tag, QStringLiteral("WIDTH"), QStringLiteral("20"));
    QCOMPARE(applyTag(buffer, tag, true).status, ApplyStatus::TagMoved);
    QCOMPARE(buffer.text(), QStringLiteral("x<P>") + tagText);

    // The same place, but the tag there was changed by hand: writing the rows would undo that.
    PlainBuffer edited(QStringLiteral("<P>") + tagText);
    edited.select(3 + int(tagText.indexOf(QStringLiteral("10"))), 2);
    edited.setSelText(QStringLiteral("99"));
    QCOMPARE(applyTag(edited, tag, true).status, ApplyStatus::TagMoved);
    QCOMPARE(edited.text(), QStringLiteral("<P><IMG SRC=\"a.gif\" WIDTH=99>"));

    // A tag at the very end, cut short since: nothing is read beyond the text.
    PlainBuffer cut(QStringLiteral("<P><IMG SRC"));
    QCOMPARE(checkApply(cut, tag), ApplyStatus::TagMoved);
    QCOMPARE(checkApply(cut, LoadedTag()), ApplyStatus::NothingToApply);
}

void TestCurrentTag::selectionChecks()
{
    QCOMPARE(checkSelection(u""), SelectionCheck::Empty);
    QCOMPARE(checkSelection(u"<TD ALIGN=left>"), SelectionCheck::WholeTag);
    QCOMPARE(checkSelection(u"<TD>\r\n"), SelectionCheck::WholeTag);
    QCOMPARE(checkSelection(u"<A onclick=\"if (a > b) go()\">"), SelectionCheck::WholeTag);
    QCOMPARE(checkSelection(u"</TD>"), SelectionCheck::ClosingTag);
    QCOMPARE(checkSelection(u"TD ALIGN=left>"), SelectionCheck::NotWholeTag);
    QCOMPARE(checkSelection(u"<TD ALIGN=left"), SelectionCheck::NotWholeTag);
    QCOMPARE(checkSelection(u"<>"), SelectionCheck::NotWholeTag);
    // More than one tag, or a tag whose quote never closes, is not a whole tag.
    QCOMPARE(checkSelection(u"<B>bold</B>"), SelectionCheck::NotWholeTag);
    QCOMPARE(checkSelection(u"<A TITLE=\"a>"), SelectionCheck::NotWholeTag);
    QVERIFY(isWholeStartTag(u"<IMG SRC=x>"));
    QVERIFY(!isWholeStartTag(u"</IMG>"));
}

void TestCurrentTag::rowValueQuotes()
{
    QCOMPARE(unquoted(QStringLiteral("\"50%\"")).text, QStringLiteral("50%"));
    QVERIFY(unquoted(QStringLiteral("\"50%\"")).quoted);
    QCOMPARE(unquoted(QStringLiteral("\"\"")).text, QString());
    QCOMPARE(unquoted(QStringLiteral("\"open")).text, QStringLiteral("open"));
    QVERIFY(!unquoted(QStringLiteral("center")).quoted);
    QCOMPARE(requoted(unquoted(QStringLiteral("open\""))), QStringLiteral("\"open\""));
    QCOMPARE(requoted(unquoted(QStringLiteral("center"))), QStringLiteral("center"));

    QCOMPARE(quotedText(QStringLiteral("My Page")), QStringLiteral("\"My Page\""));
    QCOMPARE(quotedText(QStringLiteral("half\"")), QStringLiteral("\"half\""));
    QCOMPARE(quotedText(QString()), QString());

    QCOMPARE(colourBoxText(QStringLiteral("#ff0000")), QStringLiteral("Red"));
    QCOMPARE(colourBoxText(QStringLiteral("\"#123456\"")), QStringLiteral("#123456"));
    QCOMPARE(colourValue(QStringLiteral("Navy"), true), QStringLiteral("\"Navy\""));
    QCOMPARE(colourValue(QStringLiteral("Navy"), false), QStringLiteral("#000080"));
    QCOMPARE(colourValue(QStringLiteral("#123456"), true), QStringLiteral("#123456"));

    QCOMPARE(
        valueKind(m_database.values(QStringLiteral("COLOR"), QStringLiteral("FONT"))), ValueKind::Colors);
    QCOMPARE(valueKind(m_database.values(QStringLiteral("FACE"), QStringLiteral("FONT"))), ValueKind::Fonts);
    QCOMPARE(valueKind(m_database.values(QStringLiteral("CLASS"), QStringLiteral("TD"))), ValueKind::Styles);
    QCOMPARE(valueKind({ QStringLiteral("LEFT") }), ValueKind::List);
}

void TestCurrentTag::clickWalksStayInsideTheText()
{
    const QString text = QStringLiteral("<TD ALIGN=left>cell</TD><BR/>");
    PlainBuffer buffer(text);
    // Anywhere inside the start tag finds the whole of it.
    for (int caret : { 1, 5, 14 }) {
        const std::optional<Span> span = startTagAround(buffer, caret);
        QVERIFY(span);
        QCOMPARE(span->start, 0);
        QCOMPARE(span->length, 15);
    }
    QVERIFY(!startTagAround(buffer, 0)); // nothing before the caret
    QVERIFY(!startTagAround(buffer, 15)); // just after the ">"
    QVERIFY(!startTagAround(buffer, 21)); // in the closing tag
    QVERIFY(!startTagAround(buffer, int(text.size()) + 5));
    QVERIFY(startTagAround(buffer, int(text.size()) - 1)); // before the last ">"
    PlainBuffer open(QStringLiteral("<TD ALIGN"));
    QVERIFY(!startTagAround(open, 9)); // no ">" up to the end

    QCOMPARE(tagNameAt(buffer, 5)->name, QStringLiteral("TD"));
    QVERIFY(!tagNameAt(buffer, 5)->closing);
    QCOMPARE(tagNameAt(buffer, 21)->name, QStringLiteral("TD"));
    QVERIFY(tagNameAt(buffer, 21)->closing);
    QCOMPARE(tagNameAt(buffer, 26)->name, QStringLiteral("BR"));
    QVERIFY(!tagNameAt(buffer, 26)->closing);
    QCOMPARE(tagNameAt(buffer, 0)->name, QStringLiteral("TD"));
    QVERIFY(!tagNameAt(buffer, int(text.size()))); // after the last ">"
    QVERIFY(!tagNameAt(buffer, 17)); // in the cell's text
    QCOMPARE(tagNameAt(open, 9)->name, QStringLiteral("TD")); // a blank ends the name
    QVERIFY(!tagNameAt(PlainBuffer(QStringLiteral("<TD")), 3));
    QVERIFY(!tagNameAt(PlainBuffer(), 0));

    const QString description = m_database.find(QStringLiteral("TD"))->description;
    QCOMPARE(tagTooltip(m_database, { QStringLiteral("td"), false }), description);
    QCOMPARE(tagTooltip(m_database, { QStringLiteral("TD"), true }),
        description + QStringLiteral(" (Closing Tag)"));
    QCOMPARE(tagTooltip(m_database, { QStringLiteral("BLINKY"), false }), QString());
}

void TestCurrentTag::wizardNamesArePlainNames()
{
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Wizards")));
    const QString wizards = home.filePath(QStringLiteral("Wizards"));
    const auto touch = [](const QString &path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    };
    touch(wizards + QStringLiteral("/table.html"));
    touch(wizards + QStringLiteral("/h-1.htm"));
    touch(home.filePath(QStringLiteral("outside.html")));

    QCOMPARE(wizardTagName(u"<IMG SRC=a>"), QStringLiteral("IMG"));
    QCOMPARE(wizardTagName(u"<HR>"), QStringLiteral("HR"));
    QVERIFY(hasWizard(u"<IMG SRC=a>", wizards));
    QVERIFY(hasWizard(u"<basefont>", QString()));
    QVERIFY(hasWizard(u"<TABLE BORDER=1>", wizards));
    QVERIFY(hasWizard(u"<h-1>", wizards));
    QVERIFY(!hasWizard(u"<TR>", wizards));
    QVERIFY(!hasWizard(u"</TABLE>", wizards));
    // A name that would reach outside the folder is never looked for.
    QVERIFY(!hasWizard(u"<../outside>", wizards));
    QVERIFY(!hasWizard(u"<table.html/..>", wizards));
}

// Apply must not let an attribute without a row take a nameless fragment for its value, nor an open
// quote swallow the attributes written after it; what it writes can always be loaded again.
void TestCurrentTag::applyLeavesMalformedTagsLoadable()
{
    const auto applied = [this](const QString &tagText, const QString &attribute, const QString &value) {
        PlainBuffer buffer(tagText);
        LoadedTag tag = loadTag(tagText, 0, m_database);
        setValue(tag, attribute, value);
        applyTag(buffer, tag, true);
        return buffer.text();
    };
    // A bare attribute before a nameless fragment stays bare.
    QString text = applied(
        QStringLiteral("<IMG FOO ALT=\"a\" =\"x\">"), QStringLiteral("ALT"), QStringLiteral("\"b\""));
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    QList<Attribute> split = splitAttributes(QStringView(text).mid(4).chopped(1));
    QCOMPARE(split.size(), 3);
    for (const Attribute &attribute : split) {
        if (attribute.name == u"FOO")
            QVERIFY2(!attribute.hasValue, qPrintable(text));
    }
    QCOMPARE(valueOf(loadTag(text, 0, m_database), QStringLiteral("ALT")), QStringLiteral("\"B\""));

    // An attribute without a row whose quote is never closed gets its closing quote.
    text = applied(QStringLiteral("<IMG FOO=\"x WIDTH=2>"), QStringLiteral("WIDTH"), QStringLiteral("3"));
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    QCOMPARE(valueOf(loadTag(text, 0, m_database), QStringLiteral("WIDTH")), QStringLiteral("3"));
    // An "=" with nothing after it stays at the end, where it cannot take a quote for its value.
    text = applied(QStringLiteral("<IMG =x \"y=z =>"), QStringLiteral("WIDTH"), QString());
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    QVERIFY2(text.endsWith(QStringLiteral(" =>")), qPrintable(text));
    // So is a value with an "=" in it, which could be read as the start of another value.
    text = applied(QStringLiteral("<IMG =G$= \"y=z>"), QStringLiteral("WIDTH"), QString());
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    // A quote inside an unquoted value, closed only by a later fragment's quote, is quoted whole.
    text = applied(QStringLiteral("<IMG FOO=T=\"a =\"x\">"), QStringLiteral("WIDTH"), QStringLiteral("3"));
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    QVERIFY2(text.contains(QStringLiteral("FOO='T=\"a'")), qPrintable(text));

    // So does a row value typed with an open quote, and a value with blanks is quoted whole.
    text = applied(QStringLiteral("<IMG SRC=a.gif>"), QStringLiteral("ALT"), QStringLiteral("\"big"));
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    LoadedTag again = loadTag(text, 0, m_database);
    QCOMPARE(valueOf(again, QStringLiteral("ALT")), QStringLiteral("\"BIG\""));
    QCOMPARE(valueOf(again, QStringLiteral("SRC")), QStringLiteral("a.gif"));
    text = applied(QStringLiteral("<IMG SRC=a.gif>"), QStringLiteral("ALT"), QStringLiteral("a <b> c"));
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    QCOMPARE(valueOf(loadTag(text, 0, m_database), QStringLiteral("ALT")), QStringLiteral("\"A <B> C\""));
    // A tag whose other attributes cannot be written again as one tag is refused and left as it was.
    const QString broken = QStringLiteral("<IMG Frd%r=T=\"a <;\"x\">");
    PlainBuffer buffer(broken);
    LoadedTag tag = loadTag(broken, 0, m_database);
    setValue(tag, QStringLiteral("WIDTH"), QStringLiteral("3"));
    QCOMPARE(checkRewrite(tag, false), ApplyStatus::WouldBreak);
    QCOMPARE(applyTag(buffer, tag, false).status, ApplyStatus::WouldBreak);
    QCOMPARE(buffer.text(), broken);
    // A value holding both kinds of quote is written with "&quot;", which the letter case leaves alone.
    text = applied(QStringLiteral("<IMG SRC=a.gif>"), QStringLiteral("ALT"), QStringLiteral("it's \"x\""));
    QCOMPARE(checkSelection(text), SelectionCheck::WholeTag);
    QVERIFY2(text.contains(QStringLiteral("ALT=\"IT'S &quot;X&quot;\"")), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestCurrentTag)
#include "tst_currenttag.moc"
