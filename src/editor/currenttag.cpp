// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/currenttag.h"

#include "base/programfolder.h"
#include "editor/colors.h"
#include "editor/sourcebuffer.h"
#include "editor/tagcommands.h"
#include "editor/tagdatabase.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace CurrentTag {

namespace {

bool isBlank(QChar c)
{
    return c.isSpace();
}

qsizetype skipBlanks(QStringView text, qsizetype i)
{
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return i;
}

// The end (one past) of a value starting at i: a quoted value ends after its matching quote (the text's
// end when unclosed, reported through closed), any other at the next blank.
qsizetype valueEnd(QStringView text, qsizetype i, bool *closed = nullptr)
{
    if (closed)
        *closed = true;
    if (i < text.size() && (text.at(i) == u'"' || text.at(i) == u'\'')) {
        const qsizetype close = text.indexOf(text.at(i), i + 1);
        if (close >= 0)
            return close + 1;
        if (closed)
            *closed = false;
        return text.size();
    }
    while (i < text.size() && !isBlank(text.at(i)))
        ++i;
    return i;
}

// True when the inside of a tag (between "<" and ">") holds no "<" or ">" outside a quoted value and
// leaves no quote open.
bool cleanInside(QStringView inside)
{
    qsizetype i = 0;
    while (i < inside.size()) {
        const QChar c = inside.at(i);
        if (c == u'<' || c == u'>')
            return false;
        if (c == u'=') {
            const qsizetype value = skipBlanks(inside, i + 1);
            if (value < inside.size() && (inside.at(value) == u'"' || inside.at(value) == u'\'')) {
                bool closed = true;
                i = valueEnd(inside, value, &closed);
                if (!closed)
                    return false;
                continue;
            }
        }
        ++i;
    }
    return true;
}

// The text of a tag after its name, without the closing ">".
QStringView bodyOf(QStringView tagText, const QString &name)
{
    qsizetype end = tagText.size();
    if (end > 0 && tagText.at(end - 1) == u'>')
        --end;
    const qsizetype from = qMin<qsizetype>(1 + name.size(), end);
    return tagText.mid(from, end - from);
}

const Attribute *firstNamed(const QList<Attribute> &attributes, const QString &name)
{
    for (const Attribute &attribute : attributes) {
        if (attribute.name.compare(name, Qt::CaseInsensitive) == 0)
            return &attribute;
    }
    return nullptr;
}

bool hasRow(const QList<Row> &rows, const QString &name)
{
    for (const Row &row : rows) {
        if (row.attribute.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Reads backwards from `from` (inclusive) for the nearest of chars; -1 when there is none. The text is
// read in pieces, so a long way back never copies the whole document.
int findBackward(const SourceBuffer &buffer, int from, QStringView chars)
{
    constexpr int piece = 512;
    int end = qMin(from + 1, buffer.length());
    while (end > 0) {
        const int start = qMax(0, end - piece);
        const QString text = buffer.textRange(start, end);
        for (qsizetype i = text.size() - 1; i >= 0; --i) {
            if (chars.contains(text.at(i)))
                return start + int(i);
        }
        end = start;
    }
    return -1;
}

int findForward(const SourceBuffer &buffer, int from, QStringView chars)
{
    constexpr int piece = 512;
    const int size = buffer.length();
    for (int start = qMax(0, from); start < size; start += piece) {
        const QString text = buffer.textRange(start, start + piece);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (chars.contains(text.at(i)))
                return start + int(i);
        }
    }
    return -1;
}

// A value written so that it reads back as one value: an open quote is closed, and an unquoted value
// that a blank, "<" or ">" would cut short, or with a quote or "=" inside that could be taken for the
// start of a quoted value, is put in quotes.
QString wholeValue(const QString &value)
{
    if (value.isEmpty())
        return value;
    const QChar first = value.front();
    bool closed = true;
    const qsizetype end = valueEnd(value, 0, &closed);
    if (first == u'"' || first == u'\'') {
        if (!closed)
            return value + first;
        if (end == value.size())
            return value;
    } else if (end == value.size() && std::none_of(value.begin(), value.end(), [](QChar c) {
                   return QStringView(u"<>\"'=").contains(c);
               })) {
        return value;
    }
    if (!value.contains(u'"'))
        return u'"' + value + u'"';
    if (!value.contains(u'\''))
        return u'\'' + value + u'\'';
    return u'"' + QString(value).replace(u'"', QStringLiteral("&quot;")) + u'"';
}

} // namespace

QList<Attribute> splitAttributes(QStringView text)
{
    QList<Attribute> attributes;
    qsizetype i = skipBlanks(text, 0);
    while (i < text.size()) {
        const qsizetype start = i;
        while (i < text.size() && !isBlank(text.at(i)) && text.at(i) != u'=')
            ++i;
        Attribute attribute;
        attribute.name = text.mid(start, i - start).toString();
        const qsizetype equals = skipBlanks(text, i);
        if (equals < text.size() && text.at(equals) == u'=') {
            const qsizetype value = skipBlanks(text, equals + 1);
            i = valueEnd(text, value);
            attribute.value = text.mid(value, i - value).toString();
            attribute.hasValue = true;
        }
        attribute.written = text.mid(start, i - start).toString();
        attributes.append(attribute);
        i = skipBlanks(text, i);
    }
    return attributes;
}

QString tagName(QStringView tagText)
{
    if (tagText.isEmpty() || tagText.front() != u'<')
        return QString();
    qsizetype end = 1;
    while (end < tagText.size()) {
        const QChar c = tagText.at(end);
        if (isBlank(c) || c == u'>' || c == u'<' || (c == u'/' && end > 1))
            break;
        ++end;
    }
    return tagText.mid(1, end - 1).toString();
}

SelectionCheck checkSelection(QStringView selected)
{
    if (selected.isEmpty())
        return SelectionCheck::Empty;
    QStringView tag = selected;
    if (tag.endsWith(u"\r\n"))
        tag.chop(2);
    if (tag.size() < 3 || tag.front() != u'<' || tag.back() != u'>'
        || !cleanInside(tag.mid(1, tag.size() - 2)))
        return SelectionCheck::NotWholeTag;
    return tag.at(1) == u'/' ? SelectionCheck::ClosingTag : SelectionCheck::WholeTag;
}

bool isWholeStartTag(QStringView selected)
{
    return checkSelection(selected) == SelectionCheck::WholeTag;
}

QString warningCaption()
{
    return QStringLiteral("Warning");
}

QString notWholeTagMessage()
{
    return QStringLiteral("You must select the entire tag before you can edit it");
}

QString closingTagMessage()
{
    return QStringLiteral("Cannot edit a closing tag");
}

QString tagMovedMessage()
{
    return QStringLiteral(
        "The tag in the tag editor is no longer where it was loaded from: the text has been "
        "changed since. Select the tag and choose Edit Tag to load it again.");
}

QString pageClosedMessage()
{
    return QStringLiteral("The page of the tag in the tag editor has been closed.");
}

QString tagWouldBreakMessage()
{
    return QStringLiteral(
        "The tag's other attributes are written so that the changed tag would no longer read as one tag. "
        "The tag was left as it is; correct it in the page and choose Edit Tag again.");
}

LoadedTag loadTag(const QString &tagText, int start, const TagDatabase &database)
{
    LoadedTag tag;
    tag.start = start;
    tag.text = tagText;
    tag.name = tagName(tagText);
    tag.record = database.indexOf(tag.name);
    const TagDatabase::Tag *record = database.tag(tag.record);
    if (!record)
        return tag;
    const QList<Attribute> attributes = splitAttributes(bodyOf(tagText, tag.name));
    for (const QString &name : record->attributes) {
        Row row { name, QString() };
        if (const Attribute *attribute = firstNamed(attributes, name))
            row.value = attribute->hasValue ? attribute->value.trimmed() : QStringLiteral("True");
        tag.rows.append(row);
    }
    return tag;
}

LoadResult loadSelection(SourceBuffer &buffer, const TagDatabase &database)
{
    QString selected = buffer.selText();
    LoadResult result;
    result.check = checkSelection(selected);
    if (result.check != SelectionCheck::WholeTag)
        return result;
    if (selected.endsWith(QStringLiteral("\r\n"))) {
        selected.chop(2);
        buffer.setSelLength(int(selected.size()));
    }
    result.tag = loadTag(selected, buffer.selStart(), database);
    return result;
}

QString attributeText(const QList<Row> &rows, bool upper)
{
    // Values that name files, addresses or identifiers are case-sensitive on the web.
    static const QStringList keepCase = { QStringLiteral("Src"), QStringLiteral("Href"),
        QStringLiteral("LowSrc"), QStringLiteral("Url"), QStringLiteral("Background"),
        QStringLiteral("DynSrc"), QStringLiteral("UseMap"), QStringLiteral("Content"), QStringLiteral("Name"),
        QStringLiteral("Id"), QStringLiteral("Class") };
    const TagCommands::TagStyle style { upper };
    QString text;
    for (const Row &row : rows) {
        if (row.value.isEmpty())
            continue;
        const QString name = QLatin1Char(' ') + row.attribute;
        if (keepCase.contains(row.attribute, Qt::CaseInsensitive))
            text += TagCommands::cased(name, style) + QLatin1Char('=') + wholeValue(row.value);
        else
            // The value takes its case before it is quoted: "&quot;" must stay an entity.
            text += TagCommands::cased(name + QLatin1Char('='), style)
                + wholeValue(TagCommands::cased(row.value, style));
    }
    return text;
}

QString rewrittenTag(const LoadedTag &tag, bool upper)
{
    // Fragments without a name ("=x") go right after the tag's name, where no attribute can take them
    // for its value; the rows follow, then the other attributes, each with any open quote closed so it
    // cannot swallow what comes after it. An "=" with no value, which only the tag's end can follow, stays
    // last, or it would take the next attribute for its value.
    QString fragments;
    QString others;
    QString last;
    QSet<QString> taken;
    for (const Attribute &attribute : splitAttributes(bodyOf(tag.text, tag.name))) {
        const QString key = attribute.name.toUpper();
        if (hasRow(tag.rows, attribute.name) && !taken.contains(key)) {
            taken.insert(key); // the row stands for it
            continue;
        }
        QString written = attribute.written;
        if (attribute.hasValue) {
            const QString value = wholeValue(attribute.value);
            if (value != attribute.value)
                written = written.left(written.size() - attribute.value.size()) + value;
        }
        QString &into = attribute.hasValue && attribute.value.isEmpty() ? last
            : attribute.name.isEmpty()                                  ? fragments
                                                                        : others;
        into += QLatin1Char(' ') + written;
    }
    return QLatin1Char('<') + tag.name + fragments + attributeText(tag.rows, upper) + others + last
        + QLatin1Char('>');
}

ApplyStatus checkApply(const SourceBuffer &buffer, const LoadedTag &tag)
{
    if (!tag.isLoaded() || tag.rows.isEmpty())
        return ApplyStatus::NothingToApply;
    if (buffer.textRange(tag.start, tag.start + int(tag.text.size())) != tag.text)
        return ApplyStatus::TagMoved;
    return ApplyStatus::Applied;
}

ApplyStatus checkRewrite(const LoadedTag &tag, bool upper)
{
    return checkSelection(rewrittenTag(tag, upper)) == SelectionCheck::WholeTag ? ApplyStatus::Applied
                                                                                : ApplyStatus::WouldBreak;
}

ApplyResult applyTag(SourceBuffer &buffer, LoadedTag &tag, bool upper)
{
    ApplyResult result;
    result.status = checkApply(buffer, tag);
    if (result.status != ApplyStatus::Applied)
        return result;
    const QString text = rewrittenTag(tag, upper);
    // A tag that no longer reads as one would take the text after it into its attributes.
    if (checkSelection(text) != SelectionCheck::WholeTag) {
        result.status = ApplyStatus::WouldBreak;
        return result;
    }
    buffer.select(tag.start, int(tag.text.size()));
    buffer.setSelText(text);
    buffer.setSelStart(tag.start + int(text.size()));
    tag.text = text;
    result.start = tag.start;
    result.end = tag.start + int(text.size());
    return result;
}

EditValue unquoted(const QString &value)
{
    EditValue edit { value, false };
    if (value.isEmpty())
        return edit;
    if (value == QStringLiteral("\"\"")) {
        edit.text.clear();
        edit.quoted = true;
        return edit;
    }
    if (edit.text.startsWith(QLatin1Char('"'))) {
        edit.text.remove(0, 1);
        edit.quoted = true;
    }
    if (edit.text.endsWith(QLatin1Char('"'))) {
        edit.text.chop(1);
        edit.quoted = true;
    }
    return edit;
}

QString requoted(const EditValue &value)
{
    return value.quoted ? QLatin1Char('"') + value.text + QLatin1Char('"') : value.text;
}

QString quotedText(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString quoted = text;
    if (!quoted.startsWith(QLatin1Char('"')))
        quoted.prepend(QLatin1Char('"'));
    if (quoted.size() < 2 || !quoted.endsWith(QLatin1Char('"')))
        quoted.append(QLatin1Char('"'));
    return quoted;
}

ValueKind valueKind(const QStringList &values)
{
    const QString first = values.value(0);
    if (first.compare(TagDatabase::colorsMarker(), Qt::CaseInsensitive) == 0)
        return ValueKind::Colors;
    if (first.compare(TagDatabase::fontsMarker(), Qt::CaseInsensitive) == 0)
        return ValueKind::Fonts;
    if (first.compare(TagDatabase::stylesMarker(), Qt::CaseInsensitive) == 0)
        return ValueKind::Styles;
    return ValueKind::List;
}

QStringList attributeValues(const TagDatabase &database, const QString &attribute, const QString &tag)
{
    const bool handler = attribute.startsWith(QStringLiteral("on"), Qt::CaseInsensitive);
    return database.values(attribute, tag, !handler);
}

QString colourBoxText(const QString &value)
{
    const TColor colour = StrToColor(unquoted(value).text);
    const QString name = ColorToStr(colour);
    return name == UnknownColorName ? ColorToHex(colour) : name;
}

QString colourValue(const QString &boxText, bool names)
{
    const TColor colour = StrToColor(unquoted(boxText.trimmed()).text);
    const QString name = ColorToStr(colour);
    if (names && name != UnknownColorName)
        return QLatin1Char('"') + name + QLatin1Char('"');
    return ColorToHex(colour);
}

std::optional<Span> startTagAround(const SourceBuffer &buffer, int caret)
{
    const int size = buffer.length();
    if (caret <= 0 || caret > size)
        return std::nullopt;
    const QStringView marks = u"<>";
    const int open = findBackward(buffer, caret - 1, marks);
    if (open < 0 || buffer.charAt(open) != u'<' || buffer.charAt(open + 1) == u'/')
        return std::nullopt;
    const int close = findForward(buffer, caret, marks);
    if (close < 0 || buffer.charAt(close) != u'>')
        return std::nullopt;
    return Span { open, close - open + 1 };
}

std::optional<NameAt> tagNameAt(const SourceBuffer &buffer, int caret)
{
    const int size = buffer.length();
    if (size == 0)
        return std::nullopt;
    const int open = findBackward(buffer, qBound(0, caret, size - 1), u"<>");
    if (open < 0 || buffer.charAt(open) != u'<')
        return std::nullopt;
    const int end = findForward(buffer, open + 1, u" \t\r\n<>");
    if (end < 0 || buffer.charAt(end) == u'<')
        return std::nullopt;
    QString name = buffer.textRange(open + 1, end);
    NameAt at;
    if (name.startsWith(QLatin1Char('/'))) {
        at.closing = true;
        name.remove(0, 1);
    }
    // An empty element written "<BR/>" is the BR tag, not a closing one.
    if (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    if (name.isEmpty())
        return std::nullopt;
    at.name = name;
    return at;
}

QString tagTooltip(const TagDatabase &database, const NameAt &at)
{
    const TagDatabase::Tag *record = database.find(at.name);
    if (!record)
        return QString();
    return at.closing ? record->description + QStringLiteral(" (Closing Tag)") : record->description;
}

QString wizardTagName(QStringView selected)
{
    if (selected.size() < 2)
        return QString();
    qsizetype end = 1;
    while (end < selected.size() && !isBlank(selected.at(end)))
        ++end;
    if (end == selected.size())
        end = selected.size() - 1; // up to the ">"
    return selected.mid(1, end - 1).toString();
}

bool hasWizard(QStringView selected, const QString &wizardsFolder)
{
    if (!isWholeStartTag(selected))
        return false;
    QStringView tag = selected;
    if (tag.endsWith(u"\r\n"))
        tag.chop(2);
    const QString name = wizardTagName(tag).toLower();
    static const QStringList builtIn
        = { QStringLiteral("img"), QStringLiteral("body"), QStringLiteral("meta"), QStringLiteral("marquee"),
              QStringLiteral("font"), QStringLiteral("basefont") };
    if (builtIn.contains(name))
        return true;
    if (name.isEmpty() || wizardsFolder.isEmpty())
        return false;
    for (const QChar c : name) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
        if (!plain)
            return false;
    }
    for (const char *suffix : { ".html", ".htm" }) {
        const QString file = ProgramFolder::findEntry(wizardsFolder, name + QLatin1String(suffix));
        if (!file.isEmpty() && QFileInfo(file).isFile())
            return true;
    }
    return false;
}

} // namespace CurrentTag
