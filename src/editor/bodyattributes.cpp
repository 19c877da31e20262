// SPDX-License-Identifier: GPL-3.0-or-later
#include "bodyattributes.h"

#include "sourcebuffer.h"

namespace BodyAttributes {

namespace {

struct Tag
{
    int start = -1; // of "<BODY"
    int end = -1; // of ">"
    QString text;
};

Tag findBodyTag(const SourceBuffer &buffer)
{
    Tag tag;
    const int body = buffer.findText(QStringLiteral("<BODY"), 0, buffer.length());
    // A BODY tag at the very start does not count; pages always have something before it.
    if (body <= 0)
        return tag;
    const int close = buffer.findText(QStringLiteral(">"), body, buffer.length() - body);
    if (close < 0)
        return tag;
    tag.start = body;
    tag.end = close;
    tag.text = buffer.textRange(body, close);
    return tag;
}

// Where the value of name starts inside the tag text, or -1. name ends with "=".
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
    return -1;
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
    return letterCase == Case::Upper ? text.toUpper() : text.toLower();
}

} // namespace

Reading read(SourceBuffer &buffer, const QString &name, const QString &defaultValue, Case letterCase)
{
    Reading reading;
    reading.value = defaultValue;
    const Tag tag = findBodyTag(buffer);
    if (tag.start < 0)
        return reading;
    reading.bodyPresent = true;
    const qsizetype start = valueStart(tag.text, name);
    if (start < 0) {
        buffer.select(tag.start + 5, 0);
        buffer.setSelText(u' ' + cased(name + defaultValue, letterCase));
        reading.added = true;
        return reading;
    }
    const qsizetype end = valueEnd(tag.text, start);
    QString value = tag.text.mid(start, (end < 0 ? tag.text.size() : end) - start);
    if (value.startsWith(u'"'))
        value.remove(0, 1);
    if (value.endsWith(u'"'))
        value.chop(1);
    reading.value = value;
    return reading;
}

bool write(SourceBuffer &buffer, const QString &name, const QString &value, Case letterCase)
{
    const Tag tag = findBodyTag(buffer);
    if (tag.start < 0)
        return false;
    const qsizetype start = valueStart(tag.text, name);
    if (start < 0) {
        buffer.select(tag.start + 5, 0);
        buffer.setSelText(u' ' + cased(name + value, letterCase));
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
