// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/prompting.h"

#include "editor/sourcebuffer.h"
#include "editor/tagdatabase.h"

#include <algorithm>

namespace {

QStringList sorted(QStringList names)
{
    names.sort(Qt::CaseInsensitive);
    return names;
}

int indexIgnoringCase(const QStringList &items, const QString &name)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

QStringList Prompting::genericFonts()
{
    return { QStringLiteral("Serif"), QStringLiteral("Sans-Serif"), QStringLiteral("Cursive"),
        QStringLiteral("Fantasy"), QStringLiteral("Monospace") };
}

Prompting::Prompting(const TagDatabase &database)
    : m_database(database)
{ }

QStringList Prompting::items(PromptList list) const
{
    switch (list) {
    case PromptList::Tag:
        return m_database.tagList();
    case PromptList::Property:
        return m_propertyList;
    case PromptList::Value:
        return m_valueList;
    case PromptList::Font:
        return genericFonts() + m_fontFamilies;
    case PromptList::Style:
        return m_styleNames;
    case PromptList::Color:
        return namedColors() << moreColors();
    case PromptList::None:
        break;
    }
    return {};
}

void Prompting::setSelection(int row)
{
    if (m_visible == PromptList::None)
        return;
    const int count = int(items(m_visible).size());
    m_selection = count == 0 ? -1 : std::clamp(row, 0, count - 1);
}

void Prompting::hideLists()
{
    m_visible = PromptList::None;
    m_selection = -1;
}

void Prompting::reset()
{
    endTag();
    m_tagStart = -1;
    m_promptedTag = -1;
}

void Prompting::endTag()
{
    m_tagName = m_attribute = m_value = false;
    m_closingTagMark = false;
    m_prefix.clear();
    m_propertyList.clear();
    m_valueList.clear();
    m_valueKind.clear();
    hideLists();
}

void Prompting::open(PromptList list)
{
    const bool empty = items(list).isEmpty();
    m_visible = empty ? PromptList::None : list;
    m_selection = empty ? -1 : 0;
}

PromptList Prompting::valueListKind() const
{
    if (m_valueKind.compare(TagDatabase::stylesMarker(), Qt::CaseInsensitive) == 0)
        return PromptList::Style;
    if (m_valueKind.compare(TagDatabase::colorsMarker(), Qt::CaseInsensitive) == 0)
        return PromptList::Color;
    if (m_valueKind.compare(TagDatabase::fontsMarker(), Qt::CaseInsensitive) == 0)
        return PromptList::Font;
    return PromptList::Value;
}

int Prompting::tagBound(const SourceBuffer &buffer) const
{
    if (m_tagStart < 0)
        return -1;
    // Without a later tag the tag being typed may run to the end of the text.
    const int from = std::min(m_tagStart + 1, buffer.length());
    const int next = buffer.findText(QStringLiteral("<"), from, buffer.length() - from);
    return next >= 0 ? next : buffer.length();
}

bool Prompting::insideTag(
    const SourceBuffer &buffer, int caret, const ClassAt &classAt, const StateAt &stateAt)
{
    if (caret <= 0 || caret > buffer.length())
        return false;
    const int before = caret - 1;
    switch (classAt(before)) {
    case Colouring::Class::Tag:
        return buffer.charAt(before) != u'>';
    case Colouring::Class::Hex:
        return true;
    case Colouring::Class::String: {
        // After a string's closing quote the tag is open again; inside the string it is the string.
        if (stateAt)
            return stateAt(caret) == Colouring::State::Tag;
        // A run of string colour holds whole strings back to back, the last perhaps still open: the
        // caret follows a closed one when the run holds an even number of quotes.
        int quotes = 0;
        for (int at = before; at >= 0 && classAt(at) == Colouring::Class::String; --at) {
            if (buffer.charAt(at) == u'"')
                ++quotes;
        }
        return quotes % 2 == 0;
    }
    default:
        return false;
    }
}

bool Prompting::caretInTag(const SourceBuffer &buffer, int caret, const ClassAt &classAt) const
{
    return m_tagStart >= 0 && caret > m_tagStart && caret <= tagBound(buffer)
        && insideTag(buffer, caret, classAt, m_stateAt);
}

int Prompting::matchingRow(const QStringList &items) const
{
    QString typed = m_prefix;
    // A value may be typed with its opening quote; the lists hold them without.
    if (m_visible != PromptList::Tag && m_visible != PromptList::Property && typed.startsWith(u'"'))
        typed.remove(0, 1);
    if (items.isEmpty())
        return -1;
    if (typed.isEmpty())
        return 0;
    const int exact = indexIgnoringCase(items, typed);
    if (exact >= 0)
        return exact;
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString Prompting::promptedTagName() const
{
    return m_database.tagList().value(m_promptedTag);
}

QString Prompting::nameAtTagStart(const SourceBuffer &buffer, int caret) const
{
    if (m_tagStart < 0 || m_tagStart >= caret || buffer.charAt(m_tagStart) != u'<')
        return {};
    const QString tail = buffer.textRange(m_tagStart + 1, std::min(caret, m_tagStart + 1 + 256));
    qsizetype end = 0;
    while (end < tail.size() && !tail.at(end).isSpace() && tail.at(end) != u'>' && tail.at(end) != u'<'
        && tail.at(end) != u'"' && tail.at(end) != u'=')
        ++end;
    return tail.left(end);
}

bool Prompting::replacePrefix(
    SourceBuffer &buffer, const QString &text, Placement placement, int &editStart, int &editEnd) const
{
    const int caret = std::clamp(buffer.selStart(), 0, buffer.length());
    int length = int(m_prefix.size());
    // The prefix is only taken back when it stands before the caret, so nothing else typed is lost.
    if (length > caret
        || buffer.textRange(caret - length, caret).compare(m_prefix, Qt::CaseInsensitive) != 0) {
        if (placement == Placement::OverPrefixOnly)
            return false;
        length = 0;
    }
    buffer.select(caret - length, length);
    buffer.setSelText(text);
    editStart = caret - length;
    editEnd = editStart + int(text.size());
    return true;
}

QString Prompting::colourText(TColor colour, const QString &name) const
{
    if (m_options.style.names && !name.isEmpty() && name != UnknownColorName)
        return cased(u'"' + name + u'"');
    return cased(ColorToHex(colour));
}

Prompting::KeyOutcome Prompting::keyPress(SourceBuffer &buffer, QChar key, const ClassAt &classAt)
{
    KeyOutcome out;
    const int caret = std::clamp(buffer.selStart(), 0, buffer.length());
    const bool lineEnd = key == u'\r' || key == u'\n';

    // Backspace over the tag's "<" (or a selection reaching it) ends the tag: its start is gone, and a
    // later "<" must not be measured from a stale one.
    if (key == QChar(backspace) && m_tagStart >= 0) {
        const int from = buffer.selLength() > 0 ? caret : caret - 1;
        if (from <= m_tagStart) {
            reset();
            out.ticker = KeyOutcome::Ticker::Stop;
            return out;
        }
    }

    // Enter or Tab with a list open chooses its item; with none selected the list closes and the key
    // goes on as if no list had been open.
    if ((lineEnd || key == u'\t') && m_visible != PromptList::None) {
        if (m_selection >= 0) {
            out.choose = true;
            out.swallow = true;
            return out;
        }
        hideLists();
    }

    // What is typed after a list opened is followed, so the list can select it and a choice replace it.
    const bool following = m_tagName || m_attribute || (m_value && m_visible != PromptList::None);
    if (following && key != u' ' && key != u'=' && key != u'>') {
        if (lineEnd) {
            if (m_tagName || m_attribute) {
                buffer.select(caret, 0);
                buffer.setSelText(QStringLiteral(">"));
                out.editStart = caret;
                out.editEnd = caret + 1;
                m_tagName = m_attribute = false;
            }
        } else if (key == QChar(backspace)) {
            if (m_prefix.isEmpty()) {
                // The "<", blank or "=" that opened the list goes: so does the prompting.
                m_tagName = m_attribute = m_value = false;
                hideLists();
            } else {
                m_prefix.chop(1);
            }
        } else if (!(key == u'/' && m_prefix.isEmpty())) {
            m_prefix += key;
        }
        if (m_visible != PromptList::None)
            m_selection = matchingRow(items(m_visible));
    }

    if (key == u'<') {
        // A new tag begins: nothing of the last one carries over.
        m_tagStart = caret;
        m_tagName = true;
        m_attribute = m_value = false;
        m_closingTagMark = false;
        m_prefix.clear();
        m_propertyList.clear();
        m_valueList.clear();
        m_valueKind.clear();
        m_promptedTag = -1;
        open(PromptList::Tag);
        out.listOpened = m_visible != PromptList::None;
    }

    if (key == u' ') {
        if (m_tagName) {
            const int index = m_database.indexOf(m_prefix);
            if (index >= 0) {
                replacePrefix(buffer, cased(m_prefix), Placement::OverPrefixOnly, out.editStart, out.editEnd);
                m_promptedTag = index;
                const TagDatabase::Tag *tag = m_database.tag(index);
                if (!m_closingTagMark && tag && !tag->attributes.isEmpty())
                    m_propertyList = sorted(tag->attributes);
            }
            if (m_options.tagStructure) {
                out.ticker = KeyOutcome::Ticker::Start;
                out.tickerText = m_prefix.toUpper() + u'[' + m_propertyList.join(u' ') + QStringLiteral("] ");
            }
        }
        m_tagName = m_value = false;
        hideLists();
        if (!m_propertyList.isEmpty() && caretInTag(buffer, caret, classAt)) {
            open(PromptList::Property);
            out.listOpened = true;
            m_attribute = true;
            m_prefix.clear();
        }
    }

    if (key == u'=') {
        const int item = m_attribute ? indexIgnoringCase(m_propertyList, m_prefix) : -1;
        if (item >= 0) {
            replacePrefix(buffer, cased(m_prefix), Placement::OverPrefixOnly, out.editStart, out.editEnd);
            m_valueList = m_database.values(m_propertyList.at(item), promptedTagName());
        } else {
            // An attribute the tag does not know has no values to offer, least of all another's.
            m_valueList.clear();
        }
        m_valueKind = m_valueList.value(0);
        m_attribute = false;
        m_value = true;
        m_prefix.clear();
        hideLists();
        if (!m_valueList.isEmpty() && caretInTag(buffer, caret, classAt)) {
            open(valueListKind());
            out.listOpened = m_visible != PromptList::None;
        }
    }

    if (key == u'/' && m_visible == PromptList::Tag)
        m_closingTagMark = true;

    if (key == u'>') {
        // An end tag typed just before the one completion already wrote steps over it rather than
        // doubling it.
        const bool shortTag = m_tagStart >= 0 && m_tagStart < caret && caret - m_tagStart <= 256;
        const QString typed = shortTag ? buffer.textRange(m_tagStart, caret) : QString();
        const QString written = typed + u'>';
        if (m_options.tagCompletion && typed.startsWith(QStringLiteral("</")) && typed.size() > 2
            && buffer.textRange(caret, caret + int(written.size())).compare(written, Qt::CaseInsensitive)
                == 0) {
            buffer.select(m_tagStart, caret - m_tagStart);
            buffer.setSelText(QString());
            buffer.setSelStart(m_tagStart + int(written.size()));
            out.swallow = true;
            out.editStart = m_tagStart;
            out.editEnd = m_tagStart + int(written.size());
        } else if (m_options.tagCompletion && (m_tagName || m_attribute || m_value) && !m_closingTagMark) {
            if (m_tagName)
                m_promptedTag = m_database.indexOf(m_prefix);
            QString name = m_promptedTag >= 0 ? promptedTagName()
                : m_tagName                   ? m_prefix
                                              : nameAtTagStart(buffer, caret);
            if (name.endsWith(u'>'))
                name.chop(1);
            // Declarations, comments and stray ">"s have no end tag.
            if (!name.isEmpty() && name.at(0).isLetter()) {
                const QString endTag = cased(QStringLiteral("></") + name + u'>');
                buffer.select(caret, 0);
                buffer.setSelText(endTag);
                buffer.setSelStart(caret + 1);
                out.swallow = true;
                out.editStart = caret;
                out.editEnd = caret + int(endTag.size());
            }
        }
        out.ticker = KeyOutcome::Ticker::Stop;
        endTag();
        m_promptedTag = -1;
        m_tagStart = -1;
    }
    return out;
}

Prompting::ChoiceOutcome Prompting::choose(SourceBuffer &buffer, const ColourQuestion &askColour)
{
    ChoiceOutcome out;
    const PromptList list = m_visible;
    const QStringList entries = items(list);
    if (list == PromptList::None || m_selection < 0 || m_selection >= entries.size())
        return out;
    const int row = m_selection;
    const QString item = entries.at(row);
    out.chosen = true;

    if (list == PromptList::Tag && item == u"/") {
        const int caret = std::clamp(buffer.selStart(), 0, buffer.length());
        buffer.select(caret, 0);
        buffer.setSelText(QStringLiteral("/"));
        out.editStart = caret;
        out.editEnd = caret + 1;
        m_closingTagMark = true;
        out.listStays = true;
        return out;
    }
    hideLists();

    switch (list) {
    case PromptList::Tag: {
        m_promptedTag = row;
        const TagDatabase::Tag *tag = m_database.tag(row);
        const bool complete = !tag || tag->attributes.isEmpty() || m_closingTagMark;
        replacePrefix(buffer, cased(item) + (complete ? QStringLiteral(">") : QString()), Placement::AtCaret,
            out.editStart, out.editEnd);
        if (complete) {
            m_closingTagMark = false;
            m_tagStart = -1;
        } else {
            m_propertyList = sorted(tag->attributes);
        }
        m_prefix.clear();
        m_tagName = false;
        break;
    }
    case PromptList::Property: {
        const QString name = cased(item);
        replacePrefix(buffer, name, Placement::AtCaret, out.editStart, out.editEnd);
        // The name now stands before the caret as if typed, so a following "=" finds it.
        m_prefix = name;
        m_valueList = m_database.values(item, promptedTagName());
        m_valueKind = m_valueList.value(0);
        break;
    }
    case PromptList::Value: {
        QString value = cased(item);
        if (m_prefix.startsWith(u'"') && !value.startsWith(u'"'))
            value = u'"' + value + u'"';
        replacePrefix(buffer, value, Placement::AtCaret, out.editStart, out.editEnd);
        m_prefix.clear();
        m_valueList.clear();
        break;
    }
    case PromptList::Font:
    case PromptList::Style:
        replacePrefix(buffer, u'"' + cased(item) + u'"', Placement::AtCaret, out.editStart, out.editEnd);
        m_prefix.clear();
        break;
    case PromptList::Color: {
        QString text;
        if (item == moreColors()) {
            const std::optional<TColor> colour = askColour ? askColour() : std::nullopt;
            if (!colour)
                return out;
            text = colourText(*colour, ColorToStr(*colour));
        } else {
            text = colourText(StrToColor(item), item);
        }
        replacePrefix(buffer, text, Placement::AtCaret, out.editStart, out.editEnd);
        m_prefix.clear();
        break;
    }
    case PromptList::None:
        break;
    }
    return out;
}

QString Prompting::tickerStep(const QString &text)
{
    return text.isEmpty() ? text : text.mid(1) + text.at(0);
}
