// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/programfolder.h"
#include "editor/plainbuffer.h"
#include "editor/prompting.h"
#include "editor/tagdatabase.h"

#include <QTest>

namespace {

// The vocabulary the program ships, read once for every test.
const TagDatabase &database()
{
    static TagDatabase tables;
    static const bool opened = tables.open(ProgramFolder::path());
    Q_UNUSED(opened);
    return tables;
}

// An editor in miniature: every key goes through the prompting first and is then inserted (or
// swallowed, or turned into a choice) the way the window's key handler does it.
struct Typist
{
    PlainBuffer buffer;
    Prompting prompting { database() };
    QString ticker;
    std::optional<TColor> colourAnswer;
    int colourQuestions = 0;

    explicit Typist(const QString &text = QString(), int caret = -1, bool upper = true)
        : buffer(text)
    {
        buffer.setSelStart(caret < 0 ? buffer.length() : caret);
        PromptingOptions options;
        options.style.upper = upper;
        prompting.setOptions(options);
    }

    Colouring::Class classAt(int position) const
    {
        const std::vector<Colouring::Class> classes = Colouring::classesOf(buffer.text());
        return position >= 0 && position < int(classes.size()) ? classes[size_t(position)]
                                                               : Colouring::Class::Text;
    }

    void key(QChar key)
    {
        const Prompting::KeyOutcome out
            = prompting.keyPress(buffer, key, [this](int position) { return classAt(position); });
        if (out.ticker == Prompting::KeyOutcome::Ticker::Start)
            ticker = out.tickerText;
        else if (out.ticker == Prompting::KeyOutcome::Ticker::Stop)
            ticker.clear();
        if (out.choose)
            choose();
        if (out.swallow)
            return;
        const int caret = buffer.selStart();
        if (key == QChar(Prompting::backspace)) {
            if (caret > 0) {
                buffer.select(caret - 1, 1);
                buffer.setSelText(QString());
            }
        } else {
            buffer.setSelText(key == u'\r' ? QStringLiteral("\r\n") : QString(key));
        }
    }
    void type(const QString &keys)
    {
        for (QChar c : keys)
            key(c);
    }
    Prompting::ChoiceOutcome choose()
    {
        return prompting.choose(buffer, [this]() {
            ++colourQuestions;
            return colourAnswer;
        });
    }
    QString selectedItem() const
    {
        return prompting.items(prompting.visibleList()).value(prompting.selection());
    }
    QString text() const { return buffer.text(); }
    int caret() const { return buffer.selStart(); }
};

const QString page = QStringLiteral("<body>\r\n\r\n</body>");
constexpr int inBody = 8; // the empty line between the tags

} // namespace

class TestPrompting : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void tagListFollowsTypedName();
    void spaceOffersAttributesOfAWholeName();
    void valuesAndTheirSpecialLists();
    void choicesWriteInTheTagCase();
    void colourChoices();
    void closingTagAndCompletion();
    void typedEndTagStepsOverTheCompletedOne();
    void enterChoosesOrClosesTheTag();
    void backspaceRemovesOneCharacter();
    void backspaceOverTheTagStartForgetsTheTag();
    void insideTagFollowsTheColouring();
    void insideTagFromTheEngineStateAgrees();
    void staleStateNeverLeaksIntoTheNextTag();
    void positionsStayInsideTheText();
    void tickerScrolls();
};

void TestPrompting::initTestCase()
{
    QVERIFY2(database().tagCount() > 0, qPrintable(database().error()));
    for (const char *tag : { "TABLE", "FONT", "B", "TD", "IMG" })
        QVERIFY2(database().indexOf(QString::fromLatin1(tag)) >= 0, tag);
}

void TestPrompting::tagListFollowsTypedName()
{
    Typist t(page, inBody);
    t.type(QStringLiteral("<"));
    QCOMPARE(t.prompting.visibleList(), PromptList::Tag);
    QVERIFY(t.prompting.tagNamePrompting());
    QCOMPARE(t.prompting.tagStart(), inBody);
    QCOMPARE(t.prompting.selection(), 0);

    t.type(QStringLiteral("ta"));
    QCOMPARE(t.prompting.prefix(), QStringLiteral("ta"));
    QCOMPARE(t.selectedItem(), QStringLiteral("TABLE"));
    // The selection follows every key, Backspace included.
    t.type(QStringLiteral("\b\b"));
    t.type(QStringLiteral("b"));
    QCOMPARE(t.selectedItem(), QStringLiteral("B"));
    t.type(QStringLiteral("qqq"));
    QCOMPARE(t.prompting.selection(), -1);
    QCOMPARE(t.text(), QStringLiteral("<body>\r\n<bqqq\r\n</body>"));
}

void TestPrompting::spaceOffersAttributesOfAWholeName()
{
    // Only a whole name opens the attribute list.
    Typist partial(page, inBody);
    partial.type(QStringLiteral("<tab "));
    QCOMPARE(partial.prompting.visibleList(), PromptList::None);
    QVERIFY(!partial.prompting.attributePrompting());
    QCOMPARE(partial.text(), QStringLiteral("<body>\r\n<tab \r\n</body>"));

    Typist t(page, inBody);
    t.type(QStringLiteral("<table "));
    QCOMPARE(t.text(), QStringLiteral("<body>\r\n<TABLE \r\n</body>"));
    QCOMPARE(t.prompting.visibleList(), PromptList::Property);
    QVERIFY(t.prompting.attributePrompting());
    QCOMPARE(t.prompting.promptedTag(), database().indexOf(QStringLiteral("TABLE")));
    const QStringList attributes = t.prompting.items(PromptList::Property);
    QVERIFY(attributes.contains(QStringLiteral("ALIGN")) && attributes.contains(QStringLiteral("BORDER")));
    QStringList sorted = attributes;
    sorted.sort(Qt::CaseInsensitive);
    QCOMPARE(attributes, sorted);
    // The ticker names the tag and its attributes.
    QVERIFY(t.ticker.startsWith(QStringLiteral("TABLE[")));
    QVERIFY(t.ticker.endsWith(QStringLiteral("] ")));
    QVERIFY(t.ticker.contains(QStringLiteral(" BORDER ")) || t.ticker.contains(QStringLiteral("[BORDER ")));

    // At the end of a page there is no later tag, and the list still opens.
    Typist atEnd;
    atEnd.type(QStringLiteral("<td "));
    QCOMPARE(atEnd.prompting.visibleList(), PromptList::Property);
    QCOMPARE(atEnd.prompting.tagBound(atEnd.buffer), atEnd.buffer.length());

    // A space typed after the caret left the tag (past the next "<") opens nothing.
    Typist moved(page, inBody);
    moved.type(QStringLiteral("<b "));
    QCOMPARE(moved.prompting.visibleList(), PromptList::Property);
    moved.buffer.setSelStart(moved.buffer.length() - 2);
    moved.type(QStringLiteral(" "));
    QCOMPARE(moved.prompting.visibleList(), PromptList::None);
}

void TestPrompting::valuesAndTheirSpecialLists()
{
    Typist t(page, inBody);
    t.type(QStringLiteral("<table align="));
    QCOMPARE(t.text(), QStringLiteral("<body>\r\n<TABLE ALIGN=\r\n</body>"));
    QVERIFY(t.prompting.valuePrompting() && !t.prompting.attributePrompting());
    QCOMPARE(t.prompting.visibleList(), PromptList::Value);
    // ALIGN(TABLE) holds the table's own values.
    QCOMPARE(t.prompting.valueList(), database().values(QStringLiteral("ALIGN"), QStringLiteral("TABLE")));
    QVERIFY(t.prompting.valueList().contains(QStringLiteral("center")));
    QCOMPARE(t.prompting.valueKind(), t.prompting.valueList().first());

    Typist colour(page, inBody);
    colour.type(QStringLiteral("<font color="));
    QCOMPARE(colour.prompting.visibleList(), PromptList::Color);
    QCOMPARE(colour.prompting.valueKind(), QStringLiteral("<Colors>"));
    QCOMPARE(colour.prompting.items(PromptList::Color).last(), QStringLiteral("More Colors..."));
    QCOMPARE(colour.prompting.items(PromptList::Color).size(), 17);

    Typist font(page, inBody);
    font.prompting.setFontFamilies({ QStringLiteral("DejaVu Sans") });
    font.type(QStringLiteral("<font face="));
    QCOMPARE(font.prompting.visibleList(), PromptList::Font);
    QCOMPARE(font.prompting.items(PromptList::Font),
        QStringList({ QStringLiteral("Serif"), QStringLiteral("Sans-Serif"), QStringLiteral("Cursive"),
            QStringLiteral("Fantasy"), QStringLiteral("Monospace"), QStringLiteral("DejaVu Sans") }));

    Typist style(page, inBody);
    style.prompting.setStyleNames({ QStringLiteral("H1"), QStringLiteral("intro") });
    style.type(QStringLiteral("<b class="));
    QCOMPARE(style.prompting.visibleList(), PromptList::Style);

    // An attribute the tag does not have offers nothing, not the values of the last attribute.
    Typist unknown(page, inBody);
    unknown.type(QStringLiteral("<table align=left nosuch="));
    QCOMPARE(unknown.prompting.visibleList(), PromptList::None);
    QVERIFY(unknown.prompting.valueList().isEmpty());
}

void TestPrompting::choicesWriteInTheTagCase()
{
    for (const bool upper : { true, false }) {
        Typist t(page, inBody, upper);
        t.type(QStringLiteral("<Ta"));
        QCOMPARE(t.selectedItem(), QStringLiteral("TABLE"));
        t.choose();
        QCOMPARE(t.prompting.visibleList(), PromptList::None);
        QVERIFY(!t.prompting.tagNamePrompting());
        QCOMPARE(t.text(),
            upper ? QStringLiteral("<body>\r\n<TABLE\r\n</body>")
                  : QStringLiteral("<body>\r\n<table\r\n</body>"));
        t.type(QStringLiteral(" al"));
        QCOMPARE(t.selectedItem(), QStringLiteral("ALIGN"));
        t.choose();
        t.type(QStringLiteral("="));
        QCOMPARE(t.prompting.visibleList(), PromptList::Value);
        t.prompting.setSelection(int(t.prompting.valueList().indexOf(QStringLiteral("center"))));
        t.choose();
        QCOMPARE(t.text(),
            upper ? QStringLiteral("<body>\r\n<TABLE ALIGN=CENTER\r\n</body>")
                  : QStringLiteral("<body>\r\n<table align=center\r\n</body>"));
        QCOMPARE(t.caret(), int(t.text().indexOf(u'\r', inBody)));

        Typist font(page, inBody, upper);
        font.type(QStringLiteral("<font face="));
        font.prompting.setSelection(1);
        font.choose();
        QVERIFY(font.text().contains(
            upper ? QStringLiteral("FACE=\"SANS-SERIF\"") : QStringLiteral("face=\"sans-serif\"")));
    }

    // Typed value characters are replaced by the choice, not left before it.
    Typist typed(page, inBody);
    typed.type(QStringLiteral("<td align=ce"));
    QCOMPARE(typed.selectedItem(), QStringLiteral("center"));
    typed.choose();
    QCOMPARE(typed.text(), QStringLiteral("<body>\r\n<TD ALIGN=CENTER\r\n</body>"));
    Typist quoted(page, inBody);
    quoted.type(QStringLiteral("<td align=\"ri"));
    quoted.choose();
    QCOMPARE(quoted.text(), QStringLiteral("<body>\r\n<TD ALIGN=\"RIGHT\"\r\n</body>"));
}

void TestPrompting::colourChoices()
{
    Typist named(page, inBody);
    named.type(QStringLiteral("<font color="));
    named.prompting.setSelection(int(namedColors().indexOf(QStringLiteral("Red"))));
    named.choose();
    QCOMPARE(named.text(), QStringLiteral("<body>\r\n<FONT COLOR=\"RED\"\r\n</body>"));

    Typist hex(page, inBody, false);
    PromptingOptions options = hex.prompting.options();
    options.style.names = false;
    hex.prompting.setOptions(options);
    hex.type(QStringLiteral("<font color="));
    hex.prompting.setSelection(int(namedColors().indexOf(QStringLiteral("Teal"))));
    hex.choose();
    QCOMPARE(hex.text(), QStringLiteral("<body>\r\n<font color=#008080\r\n</body>"));

    // More Colors: a colour without a name is written as its code; Cancel writes nothing.
    Typist more(page, inBody);
    more.type(QStringLiteral("<font color="));
    more.prompting.setSelection(16);
    more.colourAnswer = 0x563412;
    more.choose();
    QCOMPARE(more.colourQuestions, 1);
    QCOMPARE(more.text(), QStringLiteral("<body>\r\n<FONT COLOR=#123456\r\n</body>"));

    Typist cancel(page, inBody);
    cancel.type(QStringLiteral("<font color="));
    cancel.prompting.setSelection(16);
    QVERIFY(cancel.choose().chosen);
    QCOMPARE(cancel.text(), QStringLiteral("<body>\r\n<FONT COLOR=\r\n</body>"));
    QCOMPARE(cancel.prompting.visibleList(), PromptList::None);
}

void TestPrompting::closingTagAndCompletion()
{
    Typist t(page, inBody, false);
    t.type(QStringLiteral("<b>"));
    QCOMPARE(t.text(), QStringLiteral("<body>\r\n<b></b>\r\n</body>"));
    QCOMPARE(t.caret(), inBody + 3);
    QVERIFY(!t.prompting.tagNamePrompting() && t.prompting.visibleList() == PromptList::None);
    QVERIFY(t.ticker.isEmpty());

    // After attributes and values the end tag still carries the tag's name.
    Typist attributes(page, inBody);
    attributes.type(QStringLiteral("<table border=1>"));
    QCOMPARE(attributes.text(), QStringLiteral("<body>\r\n<TABLE BORDER=1></TABLE>\r\n</body>"));

    // "</" marks a closing tag: no end tag is added, and a choice finishes it.
    Typist closing(page, inBody);
    closing.type(QStringLiteral("</"));
    QVERIFY(closing.prompting.closingTagMark());
    QCOMPARE(closing.prompting.prefix(), QString());
    closing.type(QStringLiteral("ta"));
    closing.choose();
    QCOMPARE(closing.text(), QStringLiteral("<body>\r\n</TABLE>\r\n</body>"));
    QVERIFY(!closing.prompting.closingTagMark());
    Typist typedClosing(page, inBody);
    typedClosing.type(QStringLiteral("</b>"));
    QCOMPARE(typedClosing.text(), QStringLiteral("<body>\r\n</b>\r\n</body>"));

    // A tag not in the tables is completed under its own name, whatever was typed last.
    Typist unknown(page, inBody);
    unknown.type(QStringLiteral("<my-tag x=1>"));
    QCOMPARE(unknown.text(), QStringLiteral("<body>\r\n<my-tag x=1></MY-TAG>\r\n</body>"));
    // Comments, declarations and "=" in plain text get nothing added.
    Typist comment(page, inBody);
    comment.type(QStringLiteral("<!-- a -->"));
    QCOMPARE(comment.text(), QStringLiteral("<body>\r\n<!-- a -->\r\n</body>"));
    Typist plain(page, inBody);
    plain.type(QStringLiteral("<b>a=b>"));
    QCOMPARE(plain.text(), QStringLiteral("<body>\r\n<b>a=b></B>\r\n</body>"));

    Typist off(page, inBody);
    off.prompting.setOptions({ false, true, {} });
    off.type(QStringLiteral("<b>"));
    QCOMPARE(off.text(), QStringLiteral("<body>\r\n<b>\r\n</body>"));
}

void TestPrompting::typedEndTagStepsOverTheCompletedOne()
{
    Typist t(page, inBody, false);
    t.type(QStringLiteral("<title>Home</title>"));
    QCOMPARE(t.text(), QStringLiteral("<body>\r\n<title>Home</title>\r\n</body>"));
    QCOMPARE(t.caret(), inBody + int(QStringLiteral("<title>Home</title>").size()));
    // Typed in the other case it still matches; after it, typing goes on beyond the end tag.
    Typist upper(page, inBody);
    upper.type(QStringLiteral("<b>x</b>y"));
    QCOMPARE(upper.text(), QStringLiteral("<body>\r\n<b>x</B>y\r\n</body>"));
    // An end tag that differs from the one after the caret is typed in full.
    Typist other(page, inBody, false);
    other.type(QStringLiteral("<b>x</i>"));
    QCOMPARE(other.text(), QStringLiteral("<body>\r\n<b>x</i></b>\r\n</body>"));
}

void TestPrompting::enterChoosesOrClosesTheTag()
{
    Typist t(page, inBody);
    t.type(QStringLiteral("<ta\r"));
    QCOMPARE(t.text(), QStringLiteral("<body>\r\n<TABLE\r\n</body>"));
    QCOMPARE(t.prompting.visibleList(), PromptList::None);

    // Tab chooses too.
    Typist tab(page, inBody);
    tab.type(QStringLiteral("<table bo\t"));
    QCOMPARE(tab.text(), QStringLiteral("<body>\r\n<TABLE BORDER\r\n</body>"));

    // With nothing selected, Enter closes the tag and breaks the line.
    Typist none(page, inBody);
    none.type(QStringLiteral("<xyz\r"));
    QCOMPARE(none.text(), QStringLiteral("<body>\r\n<xyz>\r\n\r\n</body>"));
    QVERIFY(!none.prompting.tagNamePrompting());
}

void TestPrompting::backspaceRemovesOneCharacter()
{
    Typist t(page, inBody);
    t.type(QStringLiteral("<tabx"));
    QCOMPARE(t.prompting.selection(), -1);
    t.type(QStringLiteral("\b"));
    QCOMPARE(t.prompting.prefix(), QStringLiteral("tab"));
    QCOMPARE(t.selectedItem(), QStringLiteral("TABLE"));
    t.choose();
    QCOMPARE(t.text(), QStringLiteral("<body>\r\n<TABLE\r\n</body>"));

    // Backspacing over the "<" itself ends the prompting.
    Typist gone(page, inBody);
    gone.type(QStringLiteral("<a\b\b"));
    QVERIFY(!gone.prompting.tagNamePrompting());
    QCOMPARE(gone.prompting.visibleList(), PromptList::None);
    QCOMPARE(gone.text(), page);
}

void TestPrompting::insideTagFollowsTheColouring()
{
    const auto inside = [](const QString &text) {
        const PlainBuffer buffer(text);
        const std::vector<Colouring::Class> classes = Colouring::classesOf(text);
        return Prompting::insideTag(
            buffer, int(text.size()), [&](int position) { return classes[size_t(position)]; });
    };
    QVERIFY(inside(QStringLiteral("<")));
    QVERIFY(inside(QStringLiteral("x <table")));
    QVERIFY(inside(QStringLiteral("<table\r\n")));
    QVERIFY(inside(QStringLiteral("<font color=\"red\"")));
    QVERIFY(inside(QStringLiteral("<font a=\"\"")));
    // A quote right after a closing quote opens no string, so the one after "y" does.
    QVERIFY(!inside(QStringLiteral("<font a=\"x\"\"y\"")));
    QVERIFY(inside(QStringLiteral("<body bgcolor=#ff0000")));
    QVERIFY(!inside(QStringLiteral("<font color=\"red")));
    QVERIFY(inside(QStringLiteral("<font a=\"x\"\"y")));
    QVERIFY(!inside(QStringLiteral("<b>")));
    QVERIFY(!inside(QStringLiteral("<b>text")));
    QVERIFY(!inside(QStringLiteral("<!-- <b")));
    QVERIFY(!inside(QStringLiteral("a &amp;")));
    QVERIFY(!inside(QString()));

    // So no attribute list opens inside a quoted value.
    Typist t(page, inBody);
    t.type(QStringLiteral("<table id=\"a "));
    QCOMPARE(t.prompting.visibleList(), PromptList::None);
    t.type(QStringLiteral("b\" "));
    QCOMPARE(t.prompting.visibleList(), PromptList::Property);
}

void TestPrompting::insideTagFromTheEngineStateAgrees()
{
    // The answer from the engine's state must be the walk's answer, caret by caret, in texts whose
    // strings span lines and long lines where the engine keeps marks.
    const QString longValue = QStringLiteral("<img alt=\"a b\" src=\"data:") + QString(9000, u'Q')
        + QStringLiteral("\" title=\"") + QString(5000, u' ')
        + QStringLiteral("x\"\">z<b c=\"\"\"d\" #00ff00 >");
    const QStringList texts { QStringLiteral(
                                  "<font a=\"x\"\"y\" b=\"\r\nsecond\" c>\r\n<!-- \"<b\" --> <i k=\"v"),
        QStringLiteral("x <table id=\"a\r\n\r\nb\" \"q\"><td x=#ff0000>&amp; \""), longValue };
    for (const QString &text : texts) {
        const PlainBuffer buffer(text);
        const std::vector<Colouring::Class> classes = Colouring::classesOf(text);
        Colouring::Engine<char16_t> engine;
        const Colouring::StringSource source(text);
        engine.reset(source);
        const auto classAt = [&](int position) { return classes[size_t(position)]; };
        const auto stateAt = [&](int position) { return engine.stateAt(source, position); };
        for (int caret = 0; caret <= text.size(); ++caret) {
            const bool walked = Prompting::insideTag(buffer, caret, classAt);
            if (Prompting::insideTag(buffer, caret, classAt, stateAt) != walked)
                QFAIL(qPrintable(QStringLiteral("caret %1 of %2").arg(caret).arg(text.left(40))));
        }
    }
    // The engine answers for a text edited since it was scanned.
    QString edited = longValue;
    Colouring::Engine<char16_t> engine;
    engine.reset(Colouring::StringSource(edited));
    edited.insert(30, u'"');
    engine.inserted(30, reinterpret_cast<const char16_t *>(edited.utf16()) + 30, 1);
    QCOMPARE(engine.stateAt(Colouring::StringSource(edited), 40), Colouring::State::Tag);
    QCOMPARE(engine.stateAt(Colouring::StringSource(edited), 25), Colouring::State::TagString);
}

void TestPrompting::staleStateNeverLeaksIntoTheNextTag()
{
    // A new "<" forgets the last tag's attributes, so an unknown tag offers none of them.
    Typist t(page, inBody);
    t.type(QStringLiteral("<table <zzz "));
    QCOMPARE(t.prompting.visibleList(), PromptList::None);
    QVERIFY(t.prompting.propertyList().isEmpty());
    QCOMPARE(t.prompting.promptedTag(), -1);

    // Another page: reset forgets everything.
    Typist other(page, inBody);
    other.type(QStringLiteral("<table "));
    other.prompting.reset();
    QCOMPARE(other.prompting.visibleList(), PromptList::None);
    QCOMPARE(other.prompting.tagStart(), -1);
    other.type(QStringLiteral(" "));
    QCOMPARE(other.prompting.visibleList(), PromptList::None);
}

void TestPrompting::positionsStayInsideTheText()
{
    // The prefix is replaced only where it stands: after the caret moved, a choice inserts.
    Typist t(page, inBody);
    t.type(QStringLiteral("<ta"));
    t.buffer.setSelStart(0);
    t.choose();
    QCOMPARE(t.text(), QStringLiteral("TABLE<body>\r\n<ta\r\n</body>"));

    // A text cut short under the prompting: nothing reads past its ends.
    Typist shrunk(page, inBody);
    shrunk.type(QStringLiteral("<table bor"));
    shrunk.buffer.setText(QStringLiteral("<"));
    shrunk.buffer.setSelStart(1);
    shrunk.type(QStringLiteral("der= "));
    QCOMPARE(shrunk.text(), QStringLiteral("<der= "));
    Typist far(page, inBody);
    far.type(QStringLiteral("<b"));
    far.buffer.setText(QString());
    far.type(QStringLiteral(">"));
    QCOMPARE(far.text(), QStringLiteral("></B>"));
    QCOMPARE(far.prompting.tagBound(far.buffer), -1);
}

void TestPrompting::tickerScrolls()
{
    QCOMPARE(Prompting::tickerStep(QStringLiteral("  B[ID] ")), QStringLiteral(" B[ID]  "));
    QCOMPARE(Prompting::tickerStep(QStringLiteral("AB")), QStringLiteral("BA"));
    QCOMPARE(Prompting::tickerStep(QString()), QString());

    Typist off(page, inBody);
    off.prompting.setOptions({ true, false, {} });
    off.type(QStringLiteral("<b "));
    QVERIFY(off.ticker.isEmpty());
}

void TestPrompting::backspaceOverTheTagStartForgetsTheTag()
{
    Typist t(page, inBody);
    t.type(QStringLiteral("<td\b\b\b"));
    QCOMPARE(t.prompting.tagStart(), -1);
    QCOMPARE(t.text(), page);
    // The text typed next is no tag: a blank offers no attributes of the tag that went.
    t.type(QStringLiteral("x "));
    QCOMPARE(t.prompting.visibleList(), PromptList::None);
    QVERIFY(!t.prompting.attributePrompting());

    // A selection taken away with the "<" in it ends the tag as well.
    Typist s(page, inBody);
    s.type(QStringLiteral("<td"));
    QCOMPARE(s.prompting.tagStart(), inBody);
    s.buffer.select(inBody, 2);
    s.key(QChar(Prompting::backspace));
    QCOMPARE(s.prompting.tagStart(), -1);
}

QTEST_GUILESS_MAIN(TestPrompting)
#include "tst_prompting.moc"
