// SPDX-License-Identifier: GPL-3.0-or-later
#include "plainbuffer.h"

#include <algorithm>

PlainBuffer::PlainBuffer(const QString &text)
    : m_text(normalizeLineBreaks(text))
{ }

void PlainBuffer::setText(const QString &text)
{
    m_text = normalizeLineBreaks(text);
    m_selStart = 0;
    m_selLength = 0;
    m_lineStarts.clear();
}

QString PlainBuffer::textRange(int start, int end) const
{
    start = qBound(0, start, length());
    end = qBound(0, end, length());
    return end > start ? m_text.mid(start, end - start) : QString();
}

bool PlainBuffer::insidePair(int position) const
{
    return position > 0 && position < length() && m_text.at(position - 1).isHighSurrogate()
        && m_text.at(position).isLowSurrogate();
}

void PlainBuffer::setSelStart(int start)
{
    start = qBound(0, start, length());
    if (insidePair(start))
        --start;
    m_selStart = start;
    m_selLength = 0;
}

void PlainBuffer::setSelLength(int length)
{
    int end = int(qMin<qint64>(qint64(m_selStart) + qMax(0, length), this->length()));
    if (insidePair(end))
        ++end;
    m_selLength = end - m_selStart;
}

void PlainBuffer::setSelText(const QString &text)
{
    const QString inserted = normalizeLineBreaks(text);
    int start = m_selStart;
    int end = m_selStart + m_selLength;
    wholeLineBreaks(start, end);
    m_text.replace(start, end - start, inserted);
    m_selStart = start + int(inserted.size());
    m_selLength = 0;
    m_lineStarts.clear();
}

const std::vector<int> &PlainBuffer::lineStarts() const
{
    if (m_lineStarts.empty()) {
        // Every break is CR LF, so each LF ends a line.
        m_lineStarts.push_back(0);
        const QStringView view(m_text);
        for (qsizetype lf = view.indexOf(u'\n'); lf >= 0; lf = view.indexOf(u'\n', lf + 1))
            m_lineStarts.push_back(int(lf + 1));
    }
    return m_lineStarts;
}

int PlainBuffer::lineCount() const
{
    return int(lineStarts().size());
}

QString PlainBuffer::line(int index) const
{
    const std::vector<int> &starts = lineStarts();
    if (index < 0 || index >= int(starts.size()))
        return QString();
    const int end = index + 1 < int(starts.size()) ? starts[index + 1] - 2 : length();
    return m_text.mid(starts[index], end - starts[index]);
}

int PlainBuffer::lineFromPosition(int position) const
{
    const std::vector<int> &starts = lineStarts();
    position = qBound(0, position, length());
    return int(std::upper_bound(starts.begin(), starts.end(), position) - starts.begin()) - 1;
}

int PlainBuffer::positionFromLine(int line) const
{
    const std::vector<int> &starts = lineStarts();
    if (line >= 0 && line < int(starts.size()))
        return starts[line];
    return line == int(starts.size()) ? length() : -1;
}
