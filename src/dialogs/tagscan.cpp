// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/tagscan.h"

namespace TagScan {

namespace {

bool isNameEnd(QChar c)
{
    return c.isSpace() || c == u'>' || c == u'/';
}

// Where the tag starting at start ends (the index of its ">"), or -1 when it never does.
qsizetype closingBracket(const QString &text, qsizetype from)
{
    QChar quote;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            // A quote only opens a value right after "=" (spaces allowed between).
            qsizetype before = i - 1;
            while (before > from && text.at(before).isSpace())
                --before;
            if (text.at(before) == u'=')
                quote = c;
        } else if (c == u'>') {
            return i;
        }
    }
    return -1;
}

} // namespace

std::optional<QString> Tag::attribute(const QString &name) const
{
    // Skip "<" and the element name.
    qsizetype i = 1;
    while (i < text.size() && !isNameEnd(text.at(i)))
        ++i;
    const qsizetype last = text.size() - 1; // the ">"
    while (i < last) {
        while (i < last && (text.at(i).isSpace() || text.at(i) == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < last && !text.at(i).isSpace() && text.at(i) != u'=' && text.at(i) != u'/')
            ++i;
        const QString attributeName = text.mid(nameStart, i - nameStart);
        while (i < last && text.at(i).isSpace())
            ++i;
        std::optional<QString> value;
        if (i < last && text.at(i) == u'=') {
            ++i;
            while (i < last && text.at(i).isSpace())
                ++i;
            if (i < last && (text.at(i) == u'"' || text.at(i) == u'\'')) {
                const QChar quote = text.at(i);
                const qsizetype close = text.indexOf(quote, i + 1);
                const qsizetype valueEnd = close < 0 || close > last ? last : close;
                value = text.mid(i + 1, valueEnd - i - 1);
                i = valueEnd + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < last && !text.at(i).isSpace())
                    ++i;
                value = text.mid(valueStart, i - valueStart);
            }
        } else {
            value = QString();
        }
        if (attributeName.isEmpty())
            continue;
        if (attributeName.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

QList<Tag> tags(const QString &text, const QString &name)
{
    QList<Tag> found;
    const QString open = u'<' + name;
    qsizetype from = 0;
    while ((from = text.indexOf(open, from, Qt::CaseInsensitive)) >= 0) {
        const qsizetype after = from + open.size();
        if (after < text.size() && !isNameEnd(text.at(after))) {
            from = after;
            continue;
        }
        const qsizetype close = closingBracket(text, after);
        if (close < 0)
            break;
        found.append({ int(from), int(close + 1), text.mid(from, close + 1 - from) });
        from = close + 1;
    }
    return found;
}

} // namespace TagScan
