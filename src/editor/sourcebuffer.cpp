// SPDX-License-Identifier: GPL-3.0-or-later
#include "sourcebuffer.h"

#include <QStringMatcher>

void SourceBuffer::wholeLineBreaks(int &start, int &end) const
{
    const auto insideBreak = [this](int position) {
        return position > 0 && charAt(position - 1) == u'\r' && charAt(position) == u'\n';
    };
    if (start == end) {
        if (insideBreak(start))
            end = --start;
        return;
    }
    if (insideBreak(start))
        --start;
    if (insideBreak(end))
        ++end;
}

QChar SourceBuffer::charAt(int position) const
{
    if (position < 0 || position >= length())
        return QChar();
    const QString one = textRange(position, position + 1);
    return one.isEmpty() ? QChar() : one.front();
}

void SourceBuffer::select(int start, int length)
{
    setSelStart(start);
    setSelLength(length);
}

QString SourceBuffer::selText() const
{
    return textRange(selStart(), selStart() + selLength());
}

int SourceBuffer::findText(const QString &what, int start, int length, Search::Options options) const
{
    const int size = this->length();
    start = qBound(0, start, size);
    const int end = length < 0 ? size : int(qMin<qint64>(qint64(start) + length, size));
    if (what.isEmpty() || end - start < what.size())
        return -1;
    const QString range = textRange(start, end);
    const Qt::CaseSensitivity cs
        = options.testFlag(Search::MatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QStringMatcher matcher(what, cs);
    const qsizetype found = indexIn(range, 0, matcher, what.size(), options);
    return found < 0 ? -1 : start + int(found);
}

qsizetype SourceBuffer::indexIn(QStringView range, qsizetype from, const QStringMatcher &matcher,
    qsizetype patternLength, Search::Options options)
{
    for (;;) {
        const qsizetype found = matcher.indexIn(range, from);
        if (found < 0 || !options.testFlag(Search::WholeWord))
            return found;
        const auto isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
        const bool before = found > 0 && isWordChar(range.at(found - 1));
        const qsizetype after = found + patternLength;
        const bool behind = after < range.size() && isWordChar(range.at(after));
        if (!before && !behind)
            return found;
        from = found + 1;
    }
}

QStringList SourceBuffer::lines() const
{
    QStringList result;
    const int count = lineCount();
    result.reserve(count);
    for (int i = 0; i < count; ++i)
        result.append(line(i));
    return result;
}

QString SourceBuffer::normalizeLineBreaks(const QString &text)
{
    // Fast path: nothing to do when every LF follows a CR and there are no more CRs than LFs. Jumping
    // from break to break with indexOf is several times quicker on a big page than looking at each
    // character, and opening a page goes through here.
    const qsizetype size = text.size();
    const QChar *data = text.constData();
    const QStringView view(text);
    bool clean = true;
    qsizetype pairs = 0;
    for (qsizetype lf = view.indexOf(u'\n'); lf >= 0 && clean; lf = view.indexOf(u'\n', lf + 1)) {
        clean = lf > 0 && data[lf - 1] == u'\r';
        ++pairs;
    }
    for (qsizetype cr = view.indexOf(u'\r'); cr >= 0 && clean; cr = view.indexOf(u'\r', cr + 1))
        clean = --pairs >= 0;
    if (clean)
        return text;

    QString out;
    out.reserve(size + size / 16);
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = data[i];
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < size && data[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}
