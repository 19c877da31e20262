// SPDX-License-Identifier: GPL-3.0-or-later
#include "bodyattributes.h"

#include "plainbuffer.h"
#include "sourcebuffer.h"

#include <QLocale>

namespace BodyAttributes {

namespace {

struct Tag
{
    int start = -1; // of "<BODY"
    QString text; // from "<BODY" up to its ">"
};

Tag readBodyTag(const SourceBuffer &buffer)
{
    const BodyTag body = findBodyTag(buffer);
    if (!body.present())
        return {};
    return { body.start, buffer.textRange(body.start, body.end) };
}

// valueStart's answer for a tag with a quote that is never closed: no attribute can be told apart in it.
constexpr qsizetype malformed = -2;

// Where the value of name starts inside the tag text, -1 when the tag has no such attribute, or malformed
// when another attribute's quote runs to the end of the tag. name ends with "=".
qsizetype valueStart(const QString &tag, const QString &name)
{
    const QString bare = name.endsWith(u'=') ? name.chopped(1).trimmed() : name.trimmed();
    QChar quote;
    for (qsizetype i = 5; i < tag.size(); ++i) {
        const QChar c = tag.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        if (!tag.at(i - 1).isSpace() || tag.mid(i, bare.size()).compare(bare, Qt::CaseInsensitive) != 0)
            continue;
        qsizetype j = i + bare.size();
        while (j < tag.size() && tag.at(j).isSpace())
            ++j;
        if (j >= tag.size() || tag.at(j) != u'=')
            continue;
        ++j;
        while (j < tag.size() && tag.at(j).isSpace())
            ++j;
        return j;
    }
    return quote.isNull() ? -1 : malformed;
}

// Inserts text at position; a caret or selection after it moves with the text it stood by, so what the
// user types next does not land inside the tag.
void insertKeepingSelection(SourceBuffer &buffer, int position, const QString &text)
{
    int start = buffer.selStart();
    int length = buffer.selLength();
    const int size = int(text.size());
    if (start >= position)
        start += size;
    else if (start + length > position)
        length += size;
    buffer.select(position, 0);
    buffer.setSelText(text);
    buffer.select(start, length);
}

// The end (exclusive) of the value starting at start, or -1 for a quote that is never closed.
qsizetype valueEnd(const QString &tag, qsizetype start)
{
    if (start < tag.size() && (tag.at(start) == u'"' || tag.at(start) == u'\'')) {
        const qsizetype close = tag.indexOf(tag.at(start), start + 1);
        return close < 0 ? -1 : close + 1;
    }
    qsizetype end = start;
    while (end < tag.size() && !tag.at(end).isSpace())
        ++end;
    return end;
}

QString cased(const QString &text, Case letterCase)
{
    const QLocale locale;
    return letterCase == Case::Upper ? locale.toUpper(text) : locale.toLower(text);
}

} // namespace

BodyTag findBodyTag(const SourceBuffer &buffer)
{
    BodyTag tag;
    const int body = buffer.findText(QStringLiteral("<BODY"), 0, buffer.length());
    // A BODY tag at the very start does not count; pages always have something before it.
    if (body <= 0)
        return tag;
    const int close = buffer.findText(QStringLiteral(">"), body, buffer.length() - body);
    if (close < 0)
        return tag;
    tag.start = body;
    tag.end = close;
    return tag;
}

QStringList bodyDependentControls()
{
    return { QStringLiteral("DocumentOptions"), QStringLiteral("DocumentOptionsButton"),
        QStringLiteral("DocumentOptionsButton1"), QStringLiteral("BackColor"), QStringLiteral("BaseFont1") };
}

Reading peek(const SourceBuffer &buffer, const QString &name, const QString &defaultValue)
{
    PlainBuffer copy;
    const BodyTag body = findBodyTag(buffer);
    if (!body.present())
        return Reading { false, false, defaultValue };
    // Only the tag is read, so a copy of it stands in for the page; nothing is added to either.
    copy.setText(QStringLiteral("x") + buffer.textRange(body.start, body.end + 1));
    Reading reading = read(copy, name, defaultValue, Case::Lower);
    if (reading.added) {
        reading.added = false;
        reading.value = defaultValue;
    }
    return reading;
}

Reading read(
    SourceBuffer &buffer, const QString &name, const QString &defaultValue, Case letterCase, bool quoteAdded)
{
    Reading reading;
    reading.value = defaultValue;
    const Tag tag = readBodyTag(buffer);
    if (tag.start < 0)
        return reading;
    reading.bodyPresent = true;
    const qsizetype start = valueStart(tag.text, name);
    if (start == malformed)
        return reading;
    if (start < 0) {
        const QString value = quoteAdded ? u'"' + defaultValue + u'"' : defaultValue;
        insertKeepingSelection(buffer, tag.start + 5, u' ' + cased(name + value, letterCase));
        reading.added = true;
        return reading;
    }
    const qsizetype end = valueEnd(tag.text, start);
    QString value = tag.text.mid(start, (end < 0 ? tag.text.size() : end) - start);
    // A quote at either end goes, even when its partner is missing.
    const QChar quote = !value.isEmpty() && value.front() == u'\'' ? u'\'' : u'"';
    if (value.startsWith(quote))
        value.remove(0, 1);
    if (value.endsWith(quote))
        value.chop(1);
    reading.value = value;
    return reading;
}

bool write(SourceBuffer &buffer, const QString &name, const QString &value, Case letterCase)
{
    const Tag tag = readBodyTag(buffer);
    if (tag.start < 0)
        return false;
    const qsizetype start = valueStart(tag.text, name);
    if (start == malformed)
        return false;
    if (start < 0) {
        insertKeepingSelection(buffer, tag.start + 5, u' ' + cased(name + value, letterCase));
        return true;
    }
    const qsizetype end = valueEnd(tag.text, start);
    if (end < 0)
        return false;
    buffer.select(tag.start + int(start), int(end - start));
    buffer.setSelText(cased(value, letterCase));
    return true;
}

} // namespace BodyAttributes
