// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bodyattributes.h"
#include "editor/plainbuffer.h"
#include "editor/tagcommands.h"

#include <QImage>
#include <QSet>
#include <QTest>

using namespace TagCommands;

namespace {

// The command table's row with that object name, as the menus show it.
const TagCommand *commandNamed(const QString &objectName)
{
    for (const TagCommand &command : tagCommands()) {
        if (command.objectName == objectName)
            return &command;
    }
    return nullptr;
}

TagStyle style(bool upper, bool names = true, bool logicalFonts = false)
{
    return TagStyle { upper, names, logicalFonts };
}

} // namespace

class TestTagCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void wrapCommands_data();
    void wrapCommands();
    void insertFormatTagResult();
    void commandTable();
    void colours_data();
    void colours();
    void colourMenuAndSwatch();
    void boxes();
    void dateAndTime();
    void smileys_data();
    void smileys();
    void smileyInsertion();
    void standardTags_data();
    void standardTags();
    void standardTagsKeepsCaretAndReportsNoChange();
    void stripTags_data();
    void stripTags();
    void changeCase();
    void bodyAttributes_data();
    void bodyAttributes();
    void baseFont();
};

void TestTagCommands::initTestCase()
{
    // Case conversion follows the user's locale; the tests fix one without special rules.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestTagCommands::wrapCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<bool>("logical");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedLength");

    // The text is always "ab word cd"; "word" is 3..7.
    QTest::newRow("bold, empty, upper") << "Bold" << true << false << 3 << 0 << "ab <B></B>word cd" << 3 << 7;
    QTest::newRow("bold, word, lower")
        << "Bold" << false << false << 3 << 4 << "ab <b>word</b> cd" << 3 << 11;
    QTest::newRow("bold, logical") << "Bold" << true << true << 3 << 4 << "ab <STRONG>word</STRONG> cd" << 3
                                   << 21;
    QTest::newRow("italic, logical, lower")
        << "Italic" << false << true << 3 << 4 << "ab <em>word</em> cd" << 3 << 13;
    QTest::newRow("italic") << "Italic" << true << false << 0 << 0 << "<I></I>ab word cd" << 0 << 7;
    QTest::newRow("underline") << "Underline" << false << true << 3 << 4 << "ab <u>word</u> cd" << 3 << 11;
    QTest::newRow("strike") << "StrikeThrough" << true << false << 3 << 4 << "ab <S>word</S> cd" << 3 << 11;
    QTest::newRow("sup") << "Superscript" << true << false << 3 << 4 << "ab <SUP>word</SUP> cd" << 3 << 15;
    QTest::newRow("sub") << "Subscript" << false << false << 3 << 4 << "ab <sub>word</sub> cd" << 3 << 15;
    QTest::newRow("typewriter upper")
        << "TypewriterText" << true << false << 3 << 4 << "ab <TT>word</TT> cd" << 3 << 13;
    QTest::newRow("increase") << "Increase1" << true << false << 3 << 4 << "ab <FONT SIZE=+1>word</FONT> cd"
                              << 3 << 25;
    QTest::newRow("decrease lower") << "Decrease1" << false << false << 10 << 0
                                    << "ab word cd<font size=-1></font>" << 10 << 21;
    QTest::newRow("comment") << "Comment" << true << false << 3 << 4 << "ab <!-- word --> cd" << 3 << 13;
    QTest::newRow("heading 3") << "Heading3" << true << false << 3 << 4 << "ab <H3>word</H3> cd" << 3 << 13;
    QTest::newRow("body text") << "BodyText1" << false << false << 3 << 4 << "ab <body>word</body> cd" << 3
                               << 17;
    QTest::newRow("left") << "Left1" << true << false << 3 << 4 << "ab <P ALIGN=LEFT>word</P> cd" << 3 << 22;
    QTest::newRow("right lower") << "Right1" << false << false << 3 << 4 << "ab <p align=right>word</p> cd"
                                 << 3 << 23;
    QTest::newRow("center") << "Center1" << true << false << 3 << 4 << "ab <CENTER>word</CENTER> cd" << 3
                            << 21;
    QTest::newRow("justify") << "Justify1" << true << false << 3 << 4 << "ab <P ALIGN=JUSTIFY>word</P> cd"
                             << 3 << 25;
    // No end tag: the tag goes before the selection and the caret after it, nothing selected.
    QTest::newRow("line, word") << "HorizontalLine" << true << false << 3 << 4 << "ab <HR>word cd" << 11 << 0;
    QTest::newRow("line, empty, lower")
        << "HorizontalLine" << false << false << 3 << 0 << "ab <hr>word cd" << 7 << 0;
}

void TestTagCommands::wrapCommands()
{
    QFETCH(QString, command);
    QFETCH(bool, upper);
    QFETCH(bool, logical);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, expectedStart);
    QFETCH(int, expectedLength);

    const TagCommand *found = commandNamed(command);
    QVERIFY(found);
    QCOMPARE(found->kind, CommandKind::Wrap);
    PlainBuffer buffer(QStringLiteral("ab word cd"));
    buffer.select(selStart, selLength);
    const EditResult result = insertFormatTag(buffer, found->tags(style(upper, true, logical)));
    QCOMPARE(buffer.text(), expected);
    QCOMPARE(buffer.selStart(), expectedStart);
    QCOMPARE(buffer.selLength(), expectedLength);
    QVERIFY(result.changed);
    QVERIFY(result.focusEditor);
    // The recoloured range covers exactly the new element (or the tag and the text after it).
    QCOMPARE(result.recolourStart, selStart);
    QCOMPARE(result.recolourEnd - result.recolourStart, int(expected.size()) - 10 + selLength);
    QCOMPARE(result.keepFirstVisibleLine, !found->end.isEmpty());
}

void TestTagCommands::insertFormatTagResult()
{
    // Line breaks count as two characters and stay whole inside the wrapped text.
    PlainBuffer buffer(QStringLiteral("x\r\ny\r\nz"));
    buffer.select(1, 5);
    insertFormatTag(buffer, QStringLiteral("<B>"), QStringLiteral("</B>"), style(false));
    QCOMPARE(buffer.text(), QStringLiteral("x<b>\r\ny\r\n</b>z"));
    QCOMPARE(buffer.selText(), QStringLiteral("<b>\r\ny\r\n</b>"));

    // Case conversion is locale-aware and covers the whole string; the lengths follow the converted text.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    PlainBuffer german(QStringLiteral("Text"));
    german.select(0, 4);
    const EditResult result = insertFormatTag(
        german, QStringLiteral("<FONT FACE=\"Straße\">"), QStringLiteral("</FONT>"), style(true));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(german.text(), QStringLiteral("<FONT FACE=\"STRASSE\">Text</FONT>"));
    QCOMPARE(german.selLength(), german.length());
    QCOMPARE(result.recolourEnd, german.length());
}

void TestTagCommands::commandTable()
{
    // The step names the undo list shows ("Undo Bold") and the menus are built from this table.
    const QSet<QString> knownSteps = { QStringLiteral("Colour"), QStringLiteral("Heading"),
        QStringLiteral("Align"), QStringLiteral("Bold"), QStringLiteral("Italic"),
        QStringLiteral("Underline"), QStringLiteral("Strikeout"), QStringLiteral("Superscript"),
        QStringLiteral("Subscript"), QStringLiteral("Typewriter Text"), QStringLiteral("Increase Font Size"),
        QStringLiteral("Decrease Font Size"), QStringLiteral("Comment"), QStringLiteral("Line"),
        QStringLiteral("Standard Tags"), QStringLiteral("Time"), QStringLiteral("Strip Tags"),
        QStringLiteral("Change Case") };
    QSet<QString> names;
    for (const TagCommand &command : tagCommands()) {
        QVERIFY2(!names.contains(command.objectName), qPrintable(command.objectName));
        names.insert(command.objectName);
        QVERIFY(!command.caption.isEmpty());
        QVERIFY(!command.menu.isEmpty() || !command.dropDown.isEmpty() || !command.button.isEmpty());
        if (command.kind == CommandKind::Later) {
            QVERIFY(command.undoStep.isEmpty());
            continue;
        }
        QVERIFY2(knownSteps.contains(command.undoStep), qPrintable(command.objectName));
        if (command.kind == CommandKind::Wrap)
            QVERIFY(command.start.startsWith(u'<'));
    }
    for (const char *later : { "BaseFont1", "Hyperlink1", "Link", "Image", "EditinDialog1" })
        QCOMPARE(commandNamed(QString::fromLatin1(later))->kind, CommandKind::Later);
    QVERIFY(!commandNamed(QStringLiteral("NoSuchCommand")));

    const TagCommand *bold = commandNamed(QStringLiteral("Bold"));
    QCOMPARE(bold->caption, QStringLiteral("&Bold"));
    QCOMPARE(bold->shortcut, QKeyCombination(Qt::CTRL, Qt::Key_B));
    QCOMPARE(bold->button, QStringLiteral("BoldButton"));
    QCOMPARE(commandNamed(QStringLiteral("Increase1"))->shortcut, QKeyCombination(Qt::CTRL, Qt::Key_Equal));
    QVERIFY(!commandNamed(QStringLiteral("Comment"))->hasShortcut());
    QCOMPARE(commandNamed(QStringLiteral("AutoDateTime1"))->caption,
        QStringLiteral("Automatcally updating date && time"));
}

void TestTagCommands::colours_data()
{
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<bool>("names");
    QTest::addColumn<QString>("start");

    QTest::newRow("grey by name") << quint32(0x808080) << true << true << "<FONT COLOR=\"GRAY\">";
    QTest::newRow("grey by name, lower") << quint32(0x808080) << false << true << "<font color=\"gray\">";
    QTest::newRow("grey by code") << quint32(0x808080) << true << false << "<FONT COLOR=#808080>";
    QTest::newRow("red by code, lower") << quint32(0x0000FF) << false << false << "<font color=#ff0000>";
    QTest::newRow("no name: code unquoted") << quint32(0x123456) << true << true << "<FONT COLOR=#563412>";
    QTest::newRow("no name, lower") << quint32(0x123456) << false << true << "<font color=#563412>";
}

void TestTagCommands::colours()
{
    QFETCH(quint32, colour);
    QFETCH(bool, upper);
    QFETCH(bool, names);
    QFETCH(QString, start);
    const WrapTags tags = colourTags(colour, style(upper, names));
    QCOMPARE(tags.start, start);
    QCOMPARE(tags.end, upper ? QStringLiteral("</FONT>") : QStringLiteral("</font>"));

    PlainBuffer buffer(QStringLiteral("hot"));
    buffer.select(0, 3);
    insertFormatTag(buffer, tags);
    QCOMPARE(buffer.text(), start + QStringLiteral("hot") + tags.end);
}

void TestTagCommands::colourMenuAndSwatch()
{
    const QList<NamedColourItem> &menu = colourMenu();
    QCOMPARE(menu.size(), 16);
    QCOMPARE(menu.first().caption, QStringLiteral("&Black"));
    QCOMPARE(menu.at(2).caption, QStringLiteral("&Grey"));
    QCOMPARE(menu.at(2).colour, TColor(0x808080));
    QCOMPARE(menu.last().caption, QStringLiteral("&Fuchsia"));
    QCOMPARE(menu.last().colour, TColor(0xFF00FF));
    // Every item writes a name when Names is set, never the unknown-name sentinel.
    for (const NamedColourItem &item : menu)
        QVERIFY2(colourValue(item.colour, style(true)).startsWith(u'"'), qPrintable(item.caption));
    QCOMPARE(moreColoursCaption(), QStringLiteral("&More Colors"));
    QCOMPARE(FormattingState().lastColour, TColor(0x0000FF));

    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    paintColourSwatch(image, 0x00FF00, 0xF0F0F0);
    QCOMPARE(image.pixelColor(0, 11).alpha(), 0);
    QCOMPARE(image.pixelColor(0, 12), QColor(0, 255, 0));
    QCOMPARE(image.pixelColor(15, 15), QColor(0, 255, 0));
    // A swatch in the toolbar's own colour gets a black outline so it can be seen.
    paintColourSwatch(image, 0xF0F0F0, 0xF0F0F0);
    QCOMPARE(image.pixelColor(0, 12), QColor(Qt::black));
    QCOMPARE(image.pixelColor(15, 15), QColor(Qt::black));
    QCOMPARE(image.pixelColor(5, 13), QColor(0xF0, 0xF0, 0xF0));
    // A larger picture for a high-density screen keeps the proportions.
    QImage large(32, 32, QImage::Format_ARGB32);
    large.fill(Qt::transparent);
    paintColourSwatch(large, 0x0000FF, 0);
    QCOMPARE(large.pixelColor(3, 23).alpha(), 0);
    QCOMPARE(large.pixelColor(3, 24), QColor(255, 0, 0));
}

void TestTagCommands::boxes()
{
    const QStringList fonts = fontNameItems({ QStringLiteral("Times New Roman") });
    QCOMPARE(fonts,
        QStringList({ QStringLiteral("[Default Font]"), QStringLiteral("Serif"), QStringLiteral("Sans-Serif"),
            QStringLiteral("Cursive"), QStringLiteral("Fantasy"), QStringLiteral("Monospace"),
            QStringLiteral("Times New Roman") }));
    QVERIFY(!fontNameTags(QStringLiteral("[Default Font]"), style(true)));
    QVERIFY(!fontNameTags(QString(), style(true)));
    // With Upper clear the whole start tag is lower case, face name included.
    QCOMPARE(fontNameTags(QStringLiteral("Times New Roman"), style(false))->start,
        QStringLiteral("<font face=\"times new roman\">"));
    QCOMPARE(fontNameTags(QStringLiteral("Sans-Serif"), style(true))->start,
        QStringLiteral("<FONT FACE=\"SANS-SERIF\">"));
    QCOMPARE(fontNameTags(QStringLiteral("Serif"), style(true))->end, QStringLiteral("</FONT>"));

    QCOMPARE(fontSizeItems().size(), 8);
    QCOMPARE(fontSizeItems().first(), QStringLiteral("[Default Size]"));
    QVERIFY(!fontSizeTags(QStringLiteral("[Default Size]"), style(true)));
    QVERIFY(!fontSizeTags(QStringLiteral("8"), style(true)));
    QVERIFY(!fontSizeTags(QStringLiteral("0"), style(true)));
    QCOMPARE(fontSizeTags(QStringLiteral("1"), style(true))->start, QStringLiteral("<FONT SIZE=1>"));
    QCOMPARE(fontSizeTags(QStringLiteral("7"), style(false))->end, QStringLiteral("</font>"));

    QCOMPARE(fixedStyleItems().size(), fixedStyleCount);
    QCOMPARE(fixedStyleItems().at(5), QStringLiteral("Heading 6"));
    QCOMPARE(fixedStyleItems().at(6), QStringLiteral("Body Text"));
    QVERIFY(!styleTags(-1, QString(), style(true)));
    QCOMPARE(styleTags(0, QStringLiteral("Heading 1"), style(true))->start, QStringLiteral("<H1>"));
    QCOMPARE(styleTags(5, QStringLiteral("Heading 6"), style(false))->end, QStringLiteral("</h6>"));
    QCOMPARE(styleTags(6, QStringLiteral("Body Text"), style(true))->start, QStringLiteral("<BODY>"));
    // A class name keeps its case: the style rule's selector has to match it.
    const std::optional<WrapTags> span = styleTags(7, QStringLiteral("NoteBox"), style(false));
    QCOMPARE(span->start, QStringLiteral("<span class=\"NoteBox\">"));
    QCOMPARE(span->end, QStringLiteral("</span>"));
    QCOMPARE(styleTags(8, QStringLiteral("x"), style(true))->start, QStringLiteral("<SPAN CLASS=\"x\">"));
    QVERIFY(!styleTags(7, QString(), style(true)));
}

void TestTagCommands::dateAndTime()
{
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    // Short date, a space, the long time with seconds and without a time zone.
    QCOMPARE(staticDateTime(when, QLocale(QLocale::German, QLocale::Germany)),
        QStringLiteral("05.03.24 14:07:09"));
    QCOMPARE(staticDateTime(when, QLocale(QLocale::English, QLocale::UnitedStates)),
        QStringLiteral("3/5/24 2:07:09 PM"));

    const QString upperScript = QStringLiteral("<SCRIPT LANGUAGE=\"JSCRIPT\">\r\n<!--\r\n"
                                               "document.writeln('This page was last updated ' + "
                                               "document.lastModified);\r\n-->\r\n</SCRIPT>");
    QCOMPARE(dateTimeScript(style(true)), upperScript);
    const QString lowerScript = dateTimeScript(style(false));
    QVERIFY(lowerScript.startsWith(QStringLiteral("<script language=\"jscript\">\r\n<!--\r\n")));
    QVERIFY(lowerScript.endsWith(QStringLiteral("lastModified);\r\n-->\r\n</script>")));

    PlainBuffer buffer(QStringLiteral("Updated: old."));
    buffer.select(9, 3);
    EditResult result = insertDateTime(
        buffer, DateTimeMode::Static, when, QLocale(QLocale::German, QLocale::Germany), style(true));
    QCOMPARE(buffer.text(), QStringLiteral("Updated: 05.03.24 14:07:09."));
    QVERIFY(result.changed);

    buffer.setText(QStringLiteral("<p></p>"));
    buffer.select(3, 0);
    result = insertDateTime(buffer, DateTimeMode::Script, when, QLocale(), style(true));
    QCOMPARE(buffer.text(), QStringLiteral("<p>") + upperScript + QStringLiteral("</p>"));
    QVERIFY(result.changed);
    // The recoloured range runs from the old caret to the new one.
    QCOMPARE(result.recolourStart, 3);
    QCOMPARE(result.recolourEnd, 3 + int(upperScript.size()));
    QCOMPARE(buffer.selStart(), result.recolourEnd);
    QCOMPARE(FormattingState().dateTimeMode, DateTimeMode::Static);
}

void TestTagCommands::smileys_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "Happy :-)"
                           << ":-)";
    QTest::newRow("doubled ampersand") << "Tongue Tied :-&&"
                                       << ":-&";
    QTest::newRow("quote") << "Pursed Lips :-\""
                           << ":-\"";
    QTest::newRow("after the last space") << "Theatrical :-) )-:"
                                          << ")-:";
    QTest::newRow("long") << "Message in a bottle <{:-)}"
                          << "<{:-)}";
    QTest::newRow("button caption with &&") << ":-&&"
                                            << ":-&";
    QTest::newRow("ampersand first of two") << "x &a"
                                            << "&";
    QTest::newRow("one character") << "&"
                                   << "&";
    QTest::newRow("empty button") << ""
                                  << "";
}

void TestTagCommands::smileys()
{
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QCOMPARE(smileyText(caption), text);
}

void TestTagCommands::smileyInsertion()
{
    const QList<SmileyGroup> &menu = smileyMenu();
    QCOMPARE(menu.size(), 3);
    QCOMPARE(menu.at(0).caption, QStringLiteral("Standard"));
    QCOMPARE(menu.at(1).items.at(3), QStringLiteral("Pursed Lips :-\""));
    int count = 0;
    for (const SmileyGroup &group : menu) {
        count += int(group.items.size());
        for (const QString &item : group.items)
            QVERIFY2(smileyText(item).size() >= 3, qPrintable(item));
    }
    QCOMPARE(count, 29);

    // The drop-down gives the button its caption; the button then inserts the same smiley.
    const QString caption = smileyButtonCaption(QStringLiteral("Tongue Tied :-&&"));
    PlainBuffer buffer(QStringLiteral("ab"));
    buffer.select(1, 0);
    EditResult result = insertSmiley(buffer, caption);
    QCOMPARE(buffer.text(), QStringLiteral("a:-&b"));
    QVERIFY(result.changed);
    QCOMPARE(buffer.selStart(), 4);

    // Before any smiley was chosen the button has no caption and changes nothing.
    result = insertSmiley(buffer, FormattingState().smileyCaption);
    QVERIFY(!result.changed);
    QCOMPARE(buffer.text(), QStringLiteral("a:-&b"));
}

void TestTagCommands::standardTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty, upper") << QString() << true
                                  << QStringLiteral(
                                         "<HTML>\r\n<HEAD>\r\n<TITLE>Your Document Title</TITLE>\r\n"
                                         "</HEAD>\r\n<BODY>\r\n\r\n</BODY>\r\n</HTML>");
    QTest::newRow("empty, lower") << QString() << false
                                  << QStringLiteral(
                                         "<html>\r\n<head>\r\n<title>Your Document Title</title>\r\n"
                                         "</head>\r\n<body>\r\n\r\n</body>\r\n</html>");
    QTest::newRow("only a body") << QStringLiteral("<BODY>Hi</BODY>") << true
                                 << QStringLiteral(
                                        "<HTML>\r\n<HEAD>\r\n<TITLE>Your Document Title</TITLE>\r\n"
                                        "</HEAD>\r\n<BODY>Hi</BODY>\r\n</HTML>");
    QTest::newRow("only a body start tag, lower")
        << QStringLiteral("<body bgcolor=red>\r\nHi") << false
        << QStringLiteral("<html>\r\n<head>\r\n<title>Your Document Title</title>\r\n"
                          "</head>\r\n<body bgcolor=red>\r\nHi\r\n</body>\r\n</html>");
    QTest::newRow("title end only, text before it")
        << QStringLiteral("<html><head>Mine</title></head><body></body></html>") << true
        << QStringLiteral("<html><head><TITLE>Mine</title></head><body></body></html>");
    QTest::newRow("title end only, right after a tag")
        << QStringLiteral("<html><head></title></head><body></body></html>") << true
        << QStringLiteral("<html><head><TITLE>Your Document Title</title></head><body></body></html>");
    QTest::newRow("title start only, empty")
        << QStringLiteral("<html><head><title></head><body></body></html>") << false
        << QStringLiteral("<html><head><title>Your Document Title</title></head><body></body></html>");
    QTest::newRow("title start only, with text")
        << QStringLiteral("<html><head><title>Mine</head><body></body></html>") << true
        << QStringLiteral("<html><head><title>Mine</TITLE></head><body></body></html>");
    QTest::newRow("no body") << QStringLiteral("<html><head><title>T</title></head></html>") << true
                             << QStringLiteral(
                                    "<html><head><title>T</title></head>\r\n<BODY></BODY>\r\n</html>");
    // An HTML5 HEADER element is not the HEAD.
    QTest::newRow("header is not head")
        << QStringLiteral("<html><body><header>x</header></body></html>") << true
        << QStringLiteral("<html>\r\n<HEAD>\r\n<TITLE>Your Document Title</TITLE></HEAD>\r\n"
                          "<body><header>x</header></body></html>");
}

void TestTagCommands::standardTags()
{
    QFETCH(QString, text);
    QFETCH(bool, upper);
    QFETCH(QString, expected);
    PlainBuffer buffer(text);
    const EditResult result = TagCommands::standardTags(buffer, style(upper));
    QCOMPARE(buffer.text(), expected);
    QVERIFY(result.changed);
    QCOMPARE(result.recolourStart, 0);
    QCOMPARE(result.recolourEnd, buffer.length());
    // A second run finds everything present.
    const QString once = buffer.text();
    QVERIFY(!TagCommands::standardTags(buffer, style(upper)).changed);
    QCOMPARE(buffer.text(), once);
}

void TestTagCommands::standardTagsKeepsCaretAndReportsNoChange()
{
    PlainBuffer buffer(QStringLiteral("<p>Hello</p>"));
    buffer.select(3, 5);
    TagCommands::standardTags(buffer, style(true));
    QCOMPARE(buffer.selText(), QStringLiteral("Hello"));

    // On an empty page the caret lands on the empty line inside BODY, ready for typing.
    buffer.setText(QString());
    buffer.select(0, 0);
    TagCommands::standardTags(buffer, style(true));
    QCOMPARE(buffer.lineFromPosition(buffer.selStart()), 5);
    QCOMPARE(buffer.line(4), QStringLiteral("<BODY>"));

    QCOMPARE(standardTagsMessage(),
        QStringLiteral(
            "The following tags are now present in the current file:\n<html>\n\t<head>\n\t\t<title>\n"
            "\t\t</title>\n\t</head>\n\t<body>\n\t</body>\n</html>"));
}

void TestTagCommands::stripTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comment with its text") << "a<!-- <b>gone</b> -->b\r\nc"
                                           << "ab\r\nc";
    QTest::newRow("doctype runs to the next ->") << "<!DOCTYPE html><p>x</p><!-- c -->y"
                                                 << "y";
    QTest::newRow("script keeps its code") << "<script>\r\nx = 1;\r\n</script>"
                                           << "\r\nx = 1;\r\n";
    QTest::newRow("> in a value ends the tag") << "<img alt=\"a > b\">pic"
                                               << " b\">pic";
    QTest::newRow("tag across lines") << "one<a\r\nhref=x>two</a>"
                                      << "onetwo";
    QTest::newRow("unclosed < is kept") << "x <b never"
                                        << "x <b never";
}

void TestTagCommands::stripTags()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    PlainBuffer buffer(text);
    buffer.select(2, 1);
    const EditResult result = stripAllTags(buffer);
    QCOMPARE(buffer.text(), expected);
    QCOMPARE(result.changed, expected != text);
    if (result.changed) {
        QCOMPARE(buffer.selStart(), 0);
        QCOMPARE(buffer.selLength(), 0);
    }
    QVERIFY(stripTagsQuestion().startsWith(QStringLiteral("This will remove ALL the tags in this document")));
    const QStringList disabled = stripTagsDisabledControls();
    QVERIFY(disabled.contains(QStringLiteral("DocTitle")));
    QVERIFY(disabled.contains(QStringLiteral("BackColor")));
    QVERIFY(disabled.contains(QStringLiteral("DocumentOptions")));
}

void TestTagCommands::changeCase()
{
    PlainBuffer buffer(QStringLiteral("ab Größe cd"));
    buffer.select(3, 5);
    EditResult result = TagCommands::changeCase(buffer, LetterCase::Upper, QLocale(QLocale::German));
    QCOMPARE(buffer.text(), QStringLiteral("ab GRÖSSE cd"));
    QCOMPARE(buffer.selText(), QStringLiteral("GRÖSSE"));
    QVERIFY(result.changed);
    result = TagCommands::changeCase(buffer, LetterCase::Lower, QLocale(QLocale::German));
    QCOMPARE(buffer.text(), QStringLiteral("ab grösse cd"));
    QVERIFY(result.changed);

    // Turkish has its own dotted capital I.
    buffer.setText(QStringLiteral("istanbul"));
    buffer.select(0, 8);
    TagCommands::changeCase(buffer, LetterCase::Upper, QLocale(QLocale::Turkish));
    QCOMPARE(buffer.text(), QStringLiteral("İSTANBUL"));

    // Nothing selected, or nothing to change: the page stays unmodified.
    buffer.select(2, 0);
    QVERIFY(!TagCommands::changeCase(buffer, LetterCase::Upper).changed);
    buffer.select(0, 3);
    QVERIFY(!TagCommands::changeCase(buffer, LetterCase::Upper, QLocale(QLocale::Turkish)).changed);
}

void TestTagCommands::bodyAttributes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("afterRead");
    QTest::addColumn<QString>("afterWrite");

    // Read BGCOLOR= with default #FFFFFF, then write BGCOLOR= "#0000FF".
    QTest::newRow("quoted name") << "<html><body bgcolor=\"White\" text=black>" << true << "White"
                                 << "<html><body bgcolor=\"White\" text=black>"
                                 << "<html><body bgcolor=#0000FF text=black>";
    QTest::newRow("quoted, lower") << "<html><BODY BGCOLOR=\"red\">" << false << "red"
                                   << "<html><BODY BGCOLOR=\"red\">"
                                   << "<html><BODY BGCOLOR=#0000ff>";
    QTest::newRow("unquoted") << "<html><body bgcolor=#00ff00>x" << true << "#00ff00"
                              << "<html><body bgcolor=#00ff00>x"
                              << "<html><body bgcolor=#0000FF>x";
    QTest::newRow("single quotes") << "<html><body bgcolor='navy' link=red>" << true << "navy"
                                   << "<html><body bgcolor='navy' link=red>"
                                   << "<html><body bgcolor=#0000FF link=red>";
    QTest::newRow("missing, upper") << "<html><BODY TEXT=#000000>" << true << "#FFFFFF"
                                    << "<html><BODY BGCOLOR=#FFFFFF TEXT=#000000>"
                                    << "<html><BODY BGCOLOR=#0000FF TEXT=#000000>";
    QTest::newRow("missing, lower") << "<html><body>" << false << "#FFFFFF"
                                    << "<html><body bgcolor=#ffffff>"
                                    << "<html><body bgcolor=#0000ff>";
    QTest::newRow("not inside a longer name") << "<html><body vbgcolor=red>" << true << "#FFFFFF"
                                              << "<html><body BGCOLOR=#FFFFFF vbgcolor=red>"
                                              << "<html><body BGCOLOR=#0000FF vbgcolor=red>";
}

void TestTagCommands::bodyAttributes()
{
    QFETCH(QString, text);
    QFETCH(bool, upper);
    QFETCH(QString, read);
    QFETCH(QString, afterRead);
    QFETCH(QString, afterWrite);
    const auto letterCase = upper ? BodyAttributes::Case::Upper : BodyAttributes::Case::Lower;
    PlainBuffer buffer(text);
    const BodyAttributes::Reading reading
        = BodyAttributes::read(buffer, QStringLiteral("BGCOLOR="), QStringLiteral("#FFFFFF"), letterCase);
    QVERIFY(reading.bodyPresent);
    QCOMPARE(reading.value, read);
    QCOMPARE(buffer.text(), afterRead);
    QCOMPARE(reading.added, afterRead != text);
    QVERIFY(BodyAttributes::write(buffer, QStringLiteral("BGCOLOR="), QStringLiteral("#0000FF"), letterCase));
    QCOMPARE(buffer.text(), afterWrite);
}

void TestTagCommands::baseFont()
{
    // An existing BASEFONT tag is selected whole.
    PlainBuffer buffer(QStringLiteral("<html><body>\r\n<basefont size=3>text"));
    std::optional<EditResult> result = selectBaseFont(buffer, style(true));
    QVERIFY(result);
    QVERIFY(!result->changed);
    QCOMPARE(buffer.selText(), QStringLiteral("<basefont size=3>"));

    // Otherwise one is written after the BODY start tag and selected.
    buffer.setText(QStringLiteral("<html><body text=red>text"));
    result = selectBaseFont(buffer, style(false));
    QVERIFY(result && result->changed);
    QCOMPARE(buffer.text(), QStringLiteral("<html><body text=red>\r\n<basefont>text"));
    QCOMPARE(buffer.selText(), QStringLiteral("<basefont>"));
    QCOMPARE(result->recolourStart, buffer.selStart());

    // A page without a BODY tag, or with one at the very start, has nothing to edit.
    for (const QString &text : { QStringLiteral("<p>x</p>"), QStringLiteral("<body>x") }) {
        buffer.setText(text);
        QVERIFY(!selectBaseFont(buffer, style(true)));
        QCOMPARE(buffer.text(), text);
    }
    QVERIFY(BodyAttributes::bodyDependentControls().contains(QStringLiteral("BaseFont1")));
}

QTEST_GUILESS_MAIN(TestTagCommands)
#include "tst_tagcommands.moc"
