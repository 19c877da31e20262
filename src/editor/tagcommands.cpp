// SPDX-License-Identifier: GPL-3.0-or-later
#include "tagcommands.h"

#include "bodyattributes.h"
#include "sourcebuffer.h"
#include "striptags.h"

#include <QImage>

namespace TagCommands {

namespace {

const QString crlf = QStringLiteral("\r\n");

// Inserts text at position with nothing selected afterwards but the caret after it.
void insertAt(SourceBuffer &buffer, int position, const QString &text)
{
    buffer.select(position, 0);
    buffer.setSelText(text);
}

// The command of an action: its names, caption, place and keys are the action table's.
TagCommand command(ActionId action, const char16_t *undoStep, CommandKind kind)
{
    TagCommand command;
    command.action = action;
    command.objectName = ActionTable::objectName(action);
    command.caption = ActionTable::text(action);
    command.menu = ActionTable::menuPath(action);
    command.dropDown = ActionTable::dropDownOf(action);
    command.button = ActionTable::buttonName(action);
    const ActionTable::ActionRow &row = ActionTable::row(action);
    command.shortcut = row.key;
    command.undoStep = QString::fromUtf16(undoStep);
    command.kind = kind;
    return command;
}

TagCommand wrap(ActionId action, const char16_t *undoStep, const char16_t *start, const char16_t *end)
{
    TagCommand wrapping = command(action, undoStep, CommandKind::Wrap);
    wrapping.start = QString::fromUtf16(start);
    wrapping.end = QString::fromUtf16(end);
    return wrapping;
}

TagCommand special(ActionId action, const char16_t *undoStep, CommandKind kind = CommandKind::Special)
{
    return command(action, undoStep, kind);
}

QList<TagCommand> buildCommands()
{
    using A = ActionId;
    QList<TagCommand> list;
    list << special(A::Colour1, u"Colour") << special(A::MoreColors1, u"Colour")
         << special(A::BaseFont1, u"", CommandKind::Later);

    const ActionId headings[]
        = { A::Heading1, A::Heading2, A::Heading3, A::Heading4, A::Heading5, A::Heading6 };
    const char16_t *headingStarts[] = { u"<H1>", u"<H2>", u"<H3>", u"<H4>", u"<H5>", u"<H6>" };
    const char16_t *headingEnds[] = { u"</H1>", u"</H2>", u"</H3>", u"</H4>", u"</H5>", u"</H6>" };
    for (int i = 0; i < 6; ++i)
        list << wrap(headings[i], u"Heading", headingStarts[i], headingEnds[i]);
    list << wrap(A::BodyText1, u"Heading", u"<BODY>", u"</BODY>");

    list << wrap(A::Left1, u"Align", u"<P ALIGN=LEFT>", u"</P>")
         << wrap(A::Right1, u"Align", u"<P ALIGN=RIGHT>", u"</P>")
         << wrap(A::Center1, u"Align", u"<CENTER>", u"</CENTER>")
         << wrap(A::Justify1, u"Align", u"<P ALIGN=JUSTIFY>", u"</P>");

    TagCommand bold = wrap(A::Bold, u"Bold", u"<B>", u"</B>");
    bold.logicalStart = QStringLiteral("<STRONG>");
    bold.logicalEnd = QStringLiteral("</STRONG>");
    TagCommand italic = wrap(A::Italic, u"Italic", u"<I>", u"</I>");
    italic.logicalStart = QStringLiteral("<EM>");
    italic.logicalEnd = QStringLiteral("</EM>");
    list << bold << italic << wrap(A::Underline, u"Underline", u"<U>", u"</U>")
         << wrap(A::StrikeThrough, u"Strikeout", u"<S>", u"</S>")
         << wrap(A::Superscript, u"Superscript", u"<SUP>", u"</SUP>")
         << wrap(A::Subscript, u"Subscript", u"<SUB>", u"</SUB>")
         << wrap(A::TypewriterText, u"Typewriter Text", u"<tt>", u"</tt>")
         << wrap(A::Increase1, u"Increase Font Size", u"<FONT SIZE=+1>", u"</FONT>")
         << wrap(A::Decrease1, u"Decrease Font Size", u"<FONT SIZE=-1>", u"</FONT>");

    list << wrap(A::Comment, u"Comment", u"<!-- ", u" -->") << wrap(A::HorizontalLine, u"Line", u"<HR>", u"")
         << special(A::StandardTags, u"Standard Tags") << special(A::StaticDateTime1, u"Time")
         << special(A::AutoDateTime1, u"Time") << special(A::Hyperlink1, u"", CommandKind::Later)
         << special(A::Link, u"", CommandKind::Later) << special(A::Image, u"", CommandKind::Later);

    list << special(A::StripTags1, u"Strip Tags") << special(A::Upper1, u"Change Case")
         << special(A::Lower1, u"Change Case") << special(A::EditinDialog1, u"", CommandKind::Later);
    return list;
}

// Where a tag name (as "<HEAD" or "</HEAD") first stands whole in text from from on, or -1: "<HEAD" does
// not find "<HEADER". A match must end by to.
int findTag(const QString &text, QStringView name, qsizetype from = 0, qsizetype to = -1)
{
    if (to < 0 || to > text.size())
        to = text.size();
    for (qsizetype at = text.indexOf(name, qMax<qsizetype>(from, 0), Qt::CaseInsensitive);
         at >= 0 && at + name.size() <= to; at = text.indexOf(name, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + name.size();
        if (after >= text.size())
            return int(at);
        const QChar c = text.at(after);
        if (!(c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.'))
            return int(at);
    }
    return -1;
}

// The time format of the locale's long form without the time zone, which the locale adds but a page's
// "last changed" stamp does without.
QString longTimeFormat(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (quoted || c != u't') {
            out += c;
            continue;
        }
        while (i + 1 < format.size() && format.at(i + 1) == u't')
            ++i;
        // The blank that separated the zone from the rest goes with it.
        while (!out.isEmpty() && out.back().isSpace())
            out.chop(1);
    }
    return out.trimmed();
}

} // namespace

QString cased(const QString &text, const TagStyle &style)
{
    const QLocale locale;
    return style.upper ? locale.toUpper(text) : locale.toLower(text);
}

EditResult insertFormatTag(SourceBuffer &buffer, const WrapTags &tags)
{
    const int selected = buffer.selLength();
    const int start = buffer.selStart();
    const int startLength = int(tags.start.size());
    const int endLength = int(tags.end.size());
    EditResult result;
    result.changed = startLength + endLength > 0;
    result.focusEditor = true;

    insertAt(buffer, start, tags.start);
    const int after = start + startLength + selected;
    if (!tags.end.isEmpty()) {
        insertAt(buffer, after, tags.end);
        buffer.select(start, startLength + selected + endLength);
        result.keepFirstVisibleLine = true;
        result.recolourStart = start;
        result.recolourEnd = after + endLength;
    } else {
        buffer.select(after, 0);
        result.recolourStart = start;
        result.recolourEnd = after;
    }
    return result;
}

EditResult insertFormatTag(
    SourceBuffer &buffer, const QString &start, const QString &end, const TagStyle &style)
{
    return insertFormatTag(buffer, WrapTags { cased(start, style), cased(end, style) });
}

WrapTags TagCommand::tags(const TagStyle &style) const
{
    const bool logical = style.logicalFonts && !logicalStart.isEmpty();
    return { cased(logical ? logicalStart : start, style), cased(logical ? logicalEnd : end, style) };
}

const QList<TagCommand> &tagCommands()
{
    static const QList<TagCommand> commands = buildCommands();
    return commands;
}

const TagCommand *findCommand(ActionId action)
{
    for (const TagCommand &command : tagCommands()) {
        if (command.action == action)
            return &command;
    }
    return nullptr;
}

QString colourValue(TColor colour, const TagStyle &style)
{
    const QString name = ColorToStr(colour);
    if (style.names && name != UnknownColorName)
        return u'"' + name + u'"';
    return ColorToHex(colour);
}

WrapTags colourTags(TColor colour, const TagStyle &style)
{
    return { cased(QStringLiteral("<FONT COLOR=") + colourValue(colour, style) + u'>', style),
        cased(QStringLiteral("</FONT>"), style) };
}

const QList<NamedColourItem> &colourMenu()
{
    static const QList<NamedColourItem> items = [] {
        const struct
        {
            const char16_t *caption;
            TColor colour;
        } table[] = {
            { u"&Black", 0x000000 },
            { u"&White", 0xFFFFFF },
            { u"&Grey", 0x808080 },
            { u"&Silver", 0xC0C0C0 },
            { u"&Maroon", 0x000080 },
            { u"&Red", 0x0000FF },
            { u"&Olive", 0x008080 },
            { u"&Yellow", 0x00FFFF },
            { u"&Green", 0x008000 },
            { u"&Lime", 0x00FF00 },
            { u"&Teal", 0x808000 },
            { u"&Aqua", 0xFFFF00 },
            { u"&Navy", 0x800000 },
            { u"&Blue", 0xFF0000 },
            { u"&Purple", 0x800080 },
            { u"&Fuchsia", 0xFF00FF },
        };
        QList<NamedColourItem> list;
        for (const auto &entry : table) {
            const QString caption = QString::fromUtf16(entry.caption);
            list.append({ caption.mid(1) + u'1', caption, entry.colour });
        }
        return list;
    }();
    return items;
}

QString moreColoursCaption()
{
    return QStringLiteral("&More Colors");
}

void paintColourSwatch(QImage &image, TColor colour, TColor buttonFace)
{
    if (image.isNull())
        return;
    const int width = image.width();
    const int height = image.height();
    const int top = height * 12 / 16;
    const QColor fill = toQColor(colour);
    const bool outline = colour == buttonFace;
    for (int y = top; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool edge = y == top || y == height - 1 || x == 0 || x == width - 1;
            image.setPixelColor(x, y, outline && edge ? QColor(Qt::black) : fill);
        }
    }
}

QString defaultFontItem()
{
    return QStringLiteral("[Default Font]");
}

QString defaultSizeItem()
{
    return QStringLiteral("[Default Size]");
}

QStringList fontNameItems(const QStringList &screenFonts)
{
    QStringList items = { defaultFontItem(), QStringLiteral("Serif"), QStringLiteral("Sans-Serif"),
        QStringLiteral("Cursive"), QStringLiteral("Fantasy"), QStringLiteral("Monospace") };
    items += screenFonts;
    return items;
}

QStringList fontSizeItems()
{
    QStringList items = { defaultSizeItem() };
    for (int n = 1; n <= 7; ++n)
        items.append(QString::number(n));
    return items;
}

QStringList fixedStyleItems()
{
    QStringList items;
    for (int n = 1; n <= 6; ++n)
        items.append(QStringLiteral("Heading ") + QString::number(n));
    items.append(QStringLiteral("Body Text"));
    return items;
}

std::optional<WrapTags> fontNameTags(const QString &item, const TagStyle &style)
{
    if (item.trimmed().isEmpty() || item == defaultFontItem())
        return std::nullopt;
    return WrapTags { cased(QStringLiteral("<FONT FACE=\"") + item + QStringLiteral("\">"), style),
        cased(QStringLiteral("</FONT>"), style) };
}

std::optional<WrapTags> fontSizeTags(const QString &item, const TagStyle &style)
{
    if (item.size() != 1 || item.at(0) < u'1' || item.at(0) > u'7')
        return std::nullopt;
    return WrapTags { cased(QStringLiteral("<FONT SIZE=") + item + u'>', style),
        cased(QStringLiteral("</FONT>"), style) };
}

std::optional<WrapTags> styleTags(int index, const QString &item, const TagStyle &style)
{
    if (index < 0)
        return std::nullopt;
    if (index < 6) {
        const QString level = QString::number(index + 1);
        return WrapTags { cased(QStringLiteral("<H") + level + u'>', style),
            cased(QStringLiteral("</H") + level + u'>', style) };
    }
    if (index == 6)
        return WrapTags { cased(QStringLiteral("<BODY>"), style), cased(QStringLiteral("</BODY>"), style) };
    if (item.isEmpty())
        return std::nullopt;
    return WrapTags { cased(QStringLiteral("<SPAN CLASS="), style) + u'"' + item + QStringLiteral("\">"),
        cased(QStringLiteral("</SPAN>"), style) };
}

QString staticDateTime(const QDateTime &when, const QLocale &locale)
{
    return locale.toString(when.date(), QLocale::ShortFormat) + u' '
        + locale.toString(when.time(), longTimeFormat(locale));
}

QString dateTimeScript(const TagStyle &style)
{
    const QStringList lines = {
        style.upper ? QStringLiteral("<SCRIPT LANGUAGE=\"JSCRIPT\">")
                    : QStringLiteral("<script language=\"jscript\">"),
        QStringLiteral("<!--"),
        QStringLiteral("document.writeln('This page was last updated ' + document.lastModified);"),
        QStringLiteral("-->"),
        style.upper ? QStringLiteral("</SCRIPT>") : QStringLiteral("</script>"),
    };
    return lines.join(crlf);
}

EditResult insertDateTime(SourceBuffer &buffer, DateTimeMode mode, const QDateTime &when,
    const QLocale &locale, const TagStyle &style)
{
    const int start = buffer.selStart();
    buffer.setSelText(mode == DateTimeMode::Script ? dateTimeScript(style) : staticDateTime(when, locale));
    EditResult result;
    result.changed = true;
    result.recolourStart = start;
    result.recolourEnd = buffer.selStart();
    return result;
}

const QList<SmileyGroup> &smileyMenu()
{
    static const QList<SmileyGroup> groups = {
        { QStringLiteral("Standard"),
            { QStringLiteral("Happy :-)"), QStringLiteral("Indifferent :-|"), QStringLiteral("Unhappy :-("),
                QStringLiteral("Very Funny |-)"), QStringLiteral("Wink ;-)"), QStringLiteral("Wink '-)"),
                QStringLiteral("Shout :-V"), QStringLiteral("Shout :-O"),
                QStringLiteral("Left handed (-:") } },
        { QStringLiteral("Emotions"),
            { QStringLiteral("Smile :-D"), QStringLiteral("Really Unhappy :-c"),
                QStringLiteral("Sarcastic :->"), QStringLiteral("Pursed Lips :-\""),
                QStringLiteral("Frightened <:-O"), QStringLiteral("Oops! :-*"),
                QStringLiteral("Tongue Tied :-&&"), QStringLiteral("Drunk :*)") } },
        { QStringLiteral("People"),
            { QStringLiteral("Theatrical :-) )-:"), QStringLiteral("Moustache :<)"),
                QStringLiteral("Moustache and Beard :<)="), QStringLiteral("Pirate P-)"),
                QStringLiteral("Sticking tongue out :-r"), QStringLiteral("Dunce <:-)"),
                QStringLiteral("Pope +-<=:-)"), QStringLiteral("Angel 0:-)"), QStringLiteral("Walkman [:-)"),
                QStringLiteral("Cross-eyed %-)"), QStringLiteral("Censored :-#"),
                QStringLiteral("Message in a bottle <{:-)}") } },
    };
    return groups;
}

QString smileyButtonCaption(const QString &menuCaption)
{
    return menuCaption.mid(menuCaption.lastIndexOf(u' ') + 1);
}

QString smileyText(const QString &caption)
{
    QString text = smileyButtonCaption(caption);
    if (text.size() >= 2 && text.at(text.size() - 2) == u'&')
        text.chop(1);
    return text;
}

EditResult insertSmiley(SourceBuffer &buffer, const QString &caption)
{
    EditResult result;
    const QString text = smileyText(caption);
    if (text.isEmpty())
        return result;
    const int start = buffer.selStart();
    buffer.setSelText(text);
    result.changed = true;
    result.recolourStart = start;
    result.recolourEnd = buffer.selStart();
    return result;
}

EditResult standardTags(SourceBuffer &buffer, const TagStyle &style)
{
    // Searches run on a copy kept in step with every insertion, so a big page is not read back each time.
    QString text = buffer.text();
    int caret = buffer.selStart();
    int selected = buffer.selLength();
    bool changed = false;
    // Text put exactly at the caret goes before it, except what is appended after the old text.
    const auto insert = [&](int position, const QString &piece, bool beforeCaret = true) {
        insertAt(buffer, position, piece);
        text.insert(position, piece);
        if (position < caret || (position == caret && beforeCaret))
            caret += int(piece.size());
        else if (position < caret + selected)
            selected += int(piece.size());
        changed = true;
        return int(piece.size());
    };
    const auto tag = [&style](const char16_t *name) { return cased(QString::fromUtf16(name), style); };
    // The position after the ">" that closes the tag at start; the end of the text if it is never closed.
    const auto afterTag = [&text](int start) {
        const qsizetype close = start < 0 ? -1 : text.indexOf(u'>', start);
        return close < 0 ? int(text.size()) : int(close) + 1;
    };

    if (findTag(text, u"<HTML") < 0)
        insert(0, tag(u"<HTML>") + crlf);
    if (findTag(text, u"</HTML") < 0)
        insert(int(text.size()), crlf + tag(u"</HTML>"), false);

    int head = findTag(text, u"<HEAD");
    int headEnd; // H: just after the HEAD start tag
    if (head < 0) {
        const int at = afterTag(findTag(text, u"<HTML"));
        headEnd = at + insert(at, crlf + tag(u"<HEAD>"));
    } else {
        headEnd = afterTag(head);
    }

    int headClose = findTag(text, u"</HEAD"); // E
    if (headClose < 0) {
        const int body = findTag(text, u"<BODY");
        if (body >= 0)
            headClose = body + insert(body, tag(u"</HEAD>") + crlf);
        else
            headClose = headEnd + insert(headEnd, crlf + tag(u"</HEAD>"));
    }

    const QString title = QStringLiteral("Your Document Title");
    if (findTag(text, u"<TITLE", headEnd, headClose) < 0) {
        const int titleClose = findTag(text, u"</TITLE", headEnd, headClose);
        if (titleClose < 0) {
            headClose += insert(headEnd, crlf + tag(u"<TITLE>") + title + tag(u"</TITLE>"));
        } else {
            const qsizetype before = titleClose > 0 ? text.lastIndexOf(u'>', titleClose - 1) : -1;
            const int at = before < 0 ? headEnd : int(before) + 1;
            headClose += insert(at, at == titleClose ? tag(u"<TITLE>") + title : tag(u"<TITLE>"));
        }
    }
    const int titleOpen = findTag(text, u"<TITLE", headEnd, headClose);
    if (titleOpen >= 0 && findTag(text, u"</TITLE", headEnd, headClose) < 0) {
        const int content = afterTag(titleOpen);
        const qsizetype next = text.indexOf(u'<', content);
        const int at = next < 0 ? int(text.size()) : int(next);
        insert(at, at == content ? title + tag(u"</TITLE>") : tag(u"</TITLE>"));
    }

    if (findTag(text, u"<BODY") < 0) {
        const int closeHead = findTag(text, u"</HEAD");
        insert(afterTag(closeHead), crlf + tag(u"<BODY>"));
    }
    if (findTag(text, u"</BODY") < 0) {
        const int closeHtml = findTag(text, u"</HTML");
        insert(closeHtml < 0 ? int(text.size()) : closeHtml, tag(u"</BODY>") + crlf);
    }

    buffer.select(caret, selected);
    EditResult result;
    result.changed = changed;
    result.recolourStart = 0;
    result.recolourEnd = buffer.length();
    return result;
}

QString standardTagsMessage()
{
    return QStringLiteral(
        "The following tags are now present in the current file:\n<html>\n\t<head>\n\t\t<title>\n\t\t</title>\n\t</head>\n\t<body>\n\t</body>\n</html>");
}

QString stripTagsQuestion()
{
    return QStringLiteral(
        "This will remove ALL the tags in this document and make it unusable as a web page.\nDo you want to continue?");
}

EditResult stripAllTags(SourceBuffer &buffer)
{
    EditResult result;
    const QString text = buffer.text();
    const QString stripped = stripTags(text);
    if (stripped.size() == text.size())
        return result; // stripping only ever removes, so the same length means nothing was removed
    buffer.setText(stripped);
    buffer.select(0, 0);
    result.changed = true;
    result.recolourStart = 0;
    result.recolourEnd = buffer.length();
    return result;
}

QStringList stripTagsDisabledControls()
{
    return QStringList { QStringLiteral("DocTitle") } + BodyAttributes::bodyDependentControls();
}

EditResult changeCase(SourceBuffer &buffer, LetterCase letterCase, const QLocale &locale)
{
    EditResult result;
    const QString selected = buffer.selText();
    if (selected.isEmpty())
        return result;
    const QString changed
        = letterCase == LetterCase::Upper ? locale.toUpper(selected) : locale.toLower(selected);
    if (changed == selected)
        return result;
    const int start = buffer.selStart();
    buffer.setSelText(changed);
    buffer.select(start, int(changed.size()));
    result.changed = true;
    result.recolourStart = start;
    result.recolourEnd = start + int(changed.size());
    return result;
}

std::optional<EditResult> selectBaseFont(SourceBuffer &buffer, const TagStyle &style)
{
    const int length = buffer.length();
    const int baseFont = buffer.findText(QStringLiteral("<BASEFONT"), 0, length);
    if (baseFont > 0 && baseFont < length) {
        const int close = buffer.findText(QStringLiteral(">"), baseFont, length - baseFont);
        const int end = close < 0 ? length : close + 1;
        buffer.select(baseFont, end - baseFont);
        return EditResult {};
    }
    const BodyAttributes::BodyTag body = BodyAttributes::findBodyTag(buffer);
    if (!body.present())
        return std::nullopt;
    const QString inserted = cased(QStringLiteral("<BASEFONT>"), style);
    insertAt(buffer, body.end + 1, crlf + inserted);
    const int start = body.end + 1 + int(crlf.size());
    buffer.select(start, int(inserted.size()));
    EditResult result;
    result.changed = true;
    result.recolourStart = start;
    result.recolourEnd = start + int(inserted.size());
    return result;
}

} // namespace TagCommands
