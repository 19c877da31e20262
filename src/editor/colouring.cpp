// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouring.h"

#include <algorithm>
#include <limits>

namespace Colouring {

namespace {

constexpr qsizetype blockLines = 256;
// Lines this long get marks about every markSpacing code units, so that a keystroke rescans a few
// kilobytes of them rather than the whole line.
constexpr qsizetype longLine = 4096;
constexpr qsizetype markSpacing = 2048;
constexpr qsizetype nowhere = std::numeric_limits<qsizetype>::max();

struct NoEmit
{
    void operator()(Class, qsizetype, qsizetype) const { }
};

} // namespace

LineTable::LineTable()
{
    clear();
}

void LineTable::clear()
{
    m_blocks.clear();
    m_firstLine.clear();
    m_count = 0;
}

LineTable::Place LineTable::place(qsizetype line) const
{
    const auto it = std::upper_bound(m_firstLine.begin(), m_firstLine.end(), line);
    const qsizetype block = (it - m_firstLine.begin()) - 1;
    return { block, line - m_firstLine[size_t(block)] };
}

qsizetype LineTable::start(qsizetype line) const
{
    const Place p = place(line);
    const Block &b = m_blocks[size_t(p.block)];
    return b.base + b.offsets[size_t(p.index)];
}

State LineTable::state(qsizetype line) const
{
    const Place p = place(line);
    return m_blocks[size_t(p.block)].states[size_t(p.index)];
}

void LineTable::setState(qsizetype line, State state)
{
    const Place p = place(line);
    m_blocks[size_t(p.block)].states[size_t(p.index)] = state;
}

qsizetype LineTable::lineAt(qsizetype position) const
{
    // The last block whose first line starts at or before position.
    qsizetype low = 0;
    qsizetype high = qsizetype(m_blocks.size()) - 1;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        const Block &b = m_blocks[size_t(mid)];
        if (b.base + b.offsets.front() <= position)
            low = mid;
        else
            high = mid - 1;
    }
    const Block &b = m_blocks[size_t(low)];
    const qsizetype relative = position - b.base;
    const auto it = std::upper_bound(b.offsets.begin(), b.offsets.end(), relative,
        [](qsizetype value, qint32 offset) { return value < offset; });
    const qsizetype index = std::max<qsizetype>(0, (it - b.offsets.begin()) - 1);
    return m_firstLine[size_t(low)] + index;
}

void LineTable::append(qsizetype start, State state)
{
    if (m_blocks.empty() || qsizetype(m_blocks.back().offsets.size()) >= blockLines) {
        m_firstLine.push_back(m_count);
        Block &b = m_blocks.emplace_back();
        b.base = start;
        b.offsets.reserve(blockLines);
        b.states.reserve(blockLines);
    }
    Block &b = m_blocks.back();
    b.offsets.push_back(qint32(start - b.base));
    b.states.push_back(state);
    ++m_count;
}

void LineTable::shift(qsizetype line, qsizetype delta)
{
    if (line >= m_count || delta == 0)
        return;
    const Place p = place(line);
    Block &b = m_blocks[size_t(p.block)];
    for (auto it = b.offsets.begin() + p.index; it != b.offsets.end(); ++it)
        *it += qint32(delta);
    for (size_t k = size_t(p.block) + 1; k < m_blocks.size(); ++k)
        m_blocks[k].base += delta;
}

void LineTable::insert(qsizetype line, const std::vector<qsizetype> &starts, State state)
{
    if (starts.empty())
        return;
    // Lines go into the block holding the line before, so a block never needs lines before its first.
    const Place p = line > 0 ? place(line - 1) : Place { 0, -1 };
    Block &b = m_blocks[size_t(p.block)];
    std::vector<qint32> offsets;
    offsets.reserve(starts.size());
    for (const qsizetype start : starts)
        offsets.push_back(qint32(start - b.base));
    const size_t at = size_t(p.index + 1);
    b.offsets.insert(b.offsets.begin() + qsizetype(at), offsets.begin(), offsets.end());
    b.states.insert(b.states.begin() + qsizetype(at), starts.size(), state);
    m_count += qsizetype(starts.size());
    if (qsizetype(b.offsets.size()) > 2 * blockLines)
        split(p.block);
    renumber(p.block);
}

void LineTable::split(qsizetype block)
{
    Block whole = std::move(m_blocks[size_t(block)]);
    std::vector<Block> pieces;
    for (size_t from = 0; from < whole.offsets.size(); from += size_t(blockLines)) {
        const size_t to = std::min(whole.offsets.size(), from + size_t(blockLines));
        Block piece;
        piece.base = whole.base + whole.offsets[from];
        for (size_t k = from; k < to; ++k)
            piece.offsets.push_back(qint32(whole.base + whole.offsets[k] - piece.base));
        piece.states.assign(whole.states.begin() + qsizetype(from), whole.states.begin() + qsizetype(to));
        pieces.push_back(std::move(piece));
    }
    m_blocks.erase(m_blocks.begin() + block);
    m_blocks.insert(m_blocks.begin() + block, std::make_move_iterator(pieces.begin()),
        std::make_move_iterator(pieces.end()));
    m_firstLine.resize(m_blocks.size());
}

void LineTable::remove(qsizetype line, qsizetype n)
{
    if (n <= 0)
        return;
    const qsizetype firstBlock = place(line).block;
    qsizetype block = firstBlock;
    qsizetype index = place(line).index;
    while (n > 0) {
        Block &b = m_blocks[size_t(block)];
        const qsizetype take = std::min(n, qsizetype(b.offsets.size()) - index);
        b.offsets.erase(b.offsets.begin() + index, b.offsets.begin() + index + take);
        b.states.erase(b.states.begin() + index, b.states.begin() + index + take);
        n -= take;
        m_count -= take;
        if (b.offsets.empty())
            m_blocks.erase(m_blocks.begin() + block);
        else
            ++block;
        index = 0;
    }
    m_firstLine.resize(m_blocks.size());
    renumber(std::max<qsizetype>(0, firstBlock - 1));
}

void LineTable::renumber(qsizetype fromBlock)
{
    m_firstLine.resize(m_blocks.size());
    qsizetype line = fromBlock > 0
        ? m_firstLine[size_t(fromBlock - 1)] + qsizetype(m_blocks[size_t(fromBlock - 1)].offsets.size())
        : 0;
    for (size_t k = size_t(fromBlock); k < m_blocks.size(); ++k) {
        m_firstLine[k] = line;
        line += qsizetype(m_blocks[k].offsets.size());
    }
}

qsizetype LineTable::memoryBytes() const
{
    qsizetype bytes
        = qsizetype(m_blocks.capacity() * sizeof(Block) + m_firstLine.capacity() * sizeof(qsizetype));
    for (const Block &b : m_blocks)
        bytes += qsizetype(b.offsets.capacity() * sizeof(qint32) + b.states.capacity());
    return bytes;
}

template <typename Char> void Engine<Char>::reset(const TextSource<Char> &text)
{
    m_lines.clear();
    m_marks.clear();
    m_length = text.length();
    // One scan over the whole text, noting each line's start and state as it passes.
    m_lines.append(0, State::Text);
    scan(text.range(0, m_length), m_length, State::Text, NoEmit(),
        [this](qsizetype next, State state) { m_lines.append(next, state); });
    m_valid = m_agree = m_lines.count();
    m_resume = nowhere;
    m_tailFrom = nowhere;
}

template <typename Char> void Engine<Char>::removed(qsizetype position, qsizetype count)
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    count = std::min(count, m_length - position);
    if (count <= 0)
        return;
    // The lines starting inside the removed text lose their line break.
    const qsizetype first = m_lines.lineAt(position);
    const qsizetype oldLast = m_lines.lineAt(position + count);
    const qsizetype oldCount = m_lines.count();
    m_lines.remove(first + 1, oldLast - first);
    m_lines.shift(first + 1, -count);
    m_length -= count;
    // A mark whose blank went goes with it; the ones after move back.
    const auto byPosition = [](qsizetype p, const Mark &m) { return p < m.position; };
    const auto gone = std::upper_bound(m_marks.begin(), m_marks.end(), position, byPosition);
    const auto kept = std::upper_bound(gone, m_marks.end(), position + count, byPosition);
    for (auto it = kept; it != m_marks.end(); ++it)
        it->position -= count;
    m_marks.erase(gone, kept);
    changed(first, first, oldLast, oldCount, position, position, -count);
}

template <typename Char> void Engine<Char>::inserted(qsizetype position, const Char *text, qsizetype count)
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    if (count <= 0)
        return;
    const qsizetype first = m_lines.lineAt(position);
    const qsizetype oldCount = m_lines.count();
    m_lines.shift(first + 1, count);
    std::vector<qsizetype> starts;
    for (qsizetype k = 0; k < count; ++k) {
        if (text[k] == Char('\n'))
            starts.push_back(position + k + 1);
    }
    m_lines.insert(first + 1, starts, State::Text);
    m_length += count;
    const auto after = std::upper_bound(
        m_marks.begin(), m_marks.end(), position, [](qsizetype p, const Mark &m) { return p < m.position; });
    for (auto it = after; it != m_marks.end(); ++it)
        it->position += count;
    changed(first, first + qsizetype(starts.size()), first, oldCount, position, position + count, count);
}

// Lines first .. last now hold changed text where first .. oldLast held the old; the text changed at
// position and is the old one again from tailStart on.
template <typename Char>
void Engine<Char>::changed(qsizetype first, qsizetype last, qsizetype oldLast, qsizetype oldCount,
    qsizetype position, qsizetype tailStart, qsizetype delta)
{
    // The marks of a line that was valid hold up to the edit, and after it while no line break came or
    // went; further edits in the line to be scanned next narrow what holds.
    const bool joinsLines = last != first || oldLast != first;
    if (m_valid >= oldCount || first < m_valid - 1) {
        m_resume = position;
        m_tailFrom = joinsLines ? nowhere : tailStart;
    } else if (first == m_valid - 1) {
        m_resume = std::min(m_resume, position);
        if (joinsLines || m_tailFrom == nowhere)
            m_tailFrom = nowhere;
        else
            m_tailFrom = std::max(
                m_tailFrom > position ? std::max(position, m_tailFrom + delta) : m_tailFrom, tailStart);
    }
    if (m_valid >= oldCount) {
        m_valid = first + 1;
        m_agree = last + 1;
        return;
    }
    const auto renumbered = [&](qsizetype line) {
        if (line <= first)
            return line;
        return line > oldLast ? line + (last - oldLast) : last + 1;
    };
    // A text scanned only in part keeps its older states from m_agree on; the lines scanned since
    // belong to yet another text, so agreement is looked for only past both.
    m_agree = std::max(renumbered(m_agree), last + 1);
    m_valid = std::min(renumbered(m_valid), first + 1);
}

template <typename Char> LineRange Engine<Char>::update(const TextSource<Char> &text, qsizetype through)
{
    const qsizetype count = m_lines.count();
    if (through < 0 || through >= count)
        through = count - 1;
    LineRange range { m_valid - 1, m_valid - 2 };
    if (m_valid > through)
        return range;
    qsizetype line = m_valid - 1;
    State state = m_lines.state(line);
    // Only the first line scanned can start at a mark or settle at one; the lines after it are new.
    qsizetype resume = m_resume;
    qsizetype tailFrom = m_tailFrom;
    m_resume = -1;
    m_tailFrom = nowhere;
    for (;;) {
        const qsizetype start = m_lines.start(line);
        const qsizetype end = line + 1 < count ? m_lines.start(line + 1) : m_length;
        if (end - start >= longLine || !m_marks.empty())
            state = scanLineMarked(text, line, state, resume, tailFrom);
        else
            state = scanLine(text.range(start, end - start), end - start, state, NoEmit());
        resume = -1;
        tailFrom = nowhere;
        range.last = line;
        ++line;
        if (line >= count || (line >= m_agree && m_lines.state(line) == state)) {
            m_valid = m_agree = count;
            m_resume = nowhere;
            break;
        }
        m_lines.setState(line, state);
        m_valid = line + 1;
        // The states just written belong to the new text: older ones to agree with start after them.
        m_agree = std::max(m_agree, m_valid);
        if (line >= through) {
            // The next line's start state changed too, so its colours may have.
            range.last = line;
            break;
        }
    }
    return range;
}

// Scans a line that starts in state and returns the state at its end, placing marks in a long line. With
// resume, it starts at the last mark up to there; past tailFrom it stops at a mark whose state agrees,
// and the kept state of the next line holds.
template <typename Char>
State Engine<Char>::scanLineMarked(
    const TextSource<Char> &text, qsizetype line, State state, qsizetype resume, qsizetype tailFrom)
{
    const qsizetype start = m_lines.start(line);
    const qsizetype end = lineEnd(line);
    const auto byPosition = [](const Mark &m, qsizetype p) { return m.position < p; };
    const auto firstMark = std::lower_bound(m_marks.begin(), m_marks.end(), start + 1, byPosition);
    size_t from = size_t(firstMark - m_marks.begin());
    const size_t to = size_t(std::lower_bound(firstMark, m_marks.end(), end, byPosition) - m_marks.begin());
    if (end - start < longLine) {
        m_marks.erase(m_marks.begin() + qsizetype(from), m_marks.begin() + qsizetype(to));
        return scanLine(text.range(start, end - start), end - start, state, NoEmit());
    }
    qsizetype at = start;
    for (size_t k = from; k < to && m_marks[k].position <= resume; ++k) {
        at = m_marks[k].position;
        state = m_marks[k].state;
        from = k + 1;
    }
    const Char *s = text.range(at, end - at);
    std::vector<Mark> fresh;
    qsizetype last = at;
    qsizetype cur = at;
    size_t old = from;
    while (cur < end) {
        while (old < to && m_marks[old].position <= cur)
            ++old;
        // The old marks are kept where they are (they are where agreement can be found), new ones put in
        // the gaps that have grown.
        qsizetype next;
        bool atOld = false;
        if (old < to && m_marks[old].position - cur <= 2 * markSpacing) {
            next = m_marks[old].position;
            atOld = true;
        } else {
            next = at
                + Detail::skipTo<' ', '\t', '\r', '\n'>(
                    s, std::min(end, cur + markSpacing) - at, end - at, Detail::Blank)
                + 1;
        }
        if (next >= end) {
            state = scanLine(s + (cur - at), end - cur, state, NoEmit());
            break;
        }
        state = scanLine(s + (cur - at), next - cur, state, NoEmit());
        if (atOld && next >= tailFrom && m_marks[old].state == state) {
            // The last line's end state is kept nowhere, and nothing needs it.
            if (line + 1 < m_lines.count())
                state = m_lines.state(line + 1);
            m_marks.erase(m_marks.begin() + qsizetype(from), m_marks.begin() + qsizetype(old));
            m_marks.insert(m_marks.begin() + qsizetype(from), fresh.begin(), fresh.end());
            return state;
        }
        if (next - last >= markSpacing / 2) {
            fresh.push_back({ next, state });
            last = next;
        }
        cur = next;
    }
    m_marks.erase(m_marks.begin() + qsizetype(from), m_marks.begin() + qsizetype(to));
    m_marks.insert(m_marks.begin() + qsizetype(from), fresh.begin(), fresh.end());
    return state;
}

template <typename Char>
LineRange Engine<Char>::edit(
    const TextSource<Char> &text, qsizetype position, qsizetype removedCount, qsizetype insertedCount)
{
    removed(position, removedCount);
    if (insertedCount > 0)
        inserted(position, text.range(position, insertedCount), insertedCount);
    const qsizetype first = m_valid - 1;
    LineRange range = update(text);
    range.first = std::min(range.first, first);
    // The edited lines themselves changed even when no later line needs scanning again, as with an edit
    // in a last line that has no line break after it.
    range.last = std::max(range.last, m_lines.lineAt(std::min(position + insertedCount, m_length)));
    return range;
}

template <typename Char> Class Engine<Char>::classAt(const TextSource<Char> &text, qsizetype position)
{
    if (position < 0 || position >= m_length)
        return Class::Text;
    Class found = Class::Text;
    classes(text, position, position + 1, &found);
    return found;
}

template <typename Char> State Engine<Char>::stateAt(const TextSource<Char> &text, qsizetype position)
{
    position = std::clamp<qsizetype>(position, 0, m_length);
    const qsizetype line = m_lines.lineAt(position);
    update(text, line);
    qsizetype start = m_lines.start(line);
    State state = m_lines.state(line);
    const qsizetype trusted = line < m_valid - 1 ? m_length : m_resume;
    auto mark = std::upper_bound(m_marks.begin(), m_marks.end(), std::min(position, trusted),
        [](qsizetype p, const Mark &m) { return p < m.position; });
    if (mark != m_marks.begin() && (--mark)->position > start) {
        start = mark->position;
        state = mark->state;
    }
    if (position > start)
        state = scanLine(text.range(start, position - start), position - start, state, NoEmit());
    return state;
}

template <typename Char>
void Engine<Char>::classes(const TextSource<Char> &text, qsizetype from, qsizetype to, Class *out)
{
    from = std::clamp<qsizetype>(from, 0, m_length);
    to = std::clamp<qsizetype>(to, from, m_length);
    if (from == to)
        return;
    const qsizetype firstLine = m_lines.lineAt(from);
    const qsizetype lastLine = m_lines.lineAt(to - 1);
    update(text, lastLine);
    // The lines in one scan from the first one's state (or the last mark before from that holds): the
    // states met on the way are the ones kept.
    qsizetype start = m_lines.start(firstLine);
    State state = m_lines.state(firstLine);
    const qsizetype trusted = firstLine < m_valid - 1 ? m_length : m_resume;
    auto mark = std::upper_bound(m_marks.begin(), m_marks.end(), std::min(from, trusted),
        [](qsizetype p, const Mark &m) { return p < m.position; });
    if (mark != m_marks.begin() && (--mark)->position > start) {
        start = mark->position;
        state = mark->state;
    }
    qsizetype end = lineEnd(lastLine);
    const Char *s = text.range(start, end - start);
    // Nor past the first blank from to on, after which the rest of a long line cannot matter.
    end = start
        + std::min(end - start,
            Detail::skipTo<' ', '\t', '\r', '\n'>(s, to - start, end - start, Detail::Blank) + 1);
    const qsizetype low = from - start;
    const qsizetype high = to - start;
    scan(
        s, end - start, state,
        [&](Class c, qsizetype runFrom, qsizetype runTo) {
            runFrom = std::max(runFrom, low);
            runTo = std::min(runTo, high);
#if defined(__SSE2__)
            // Runs are mostly short: sixteen bytes at a time, spilling past the run where later runs
            // write anyway, but never past the end of out.
            const __m128i fill = _mm_set1_epi8(char(c));
            for (; runFrom < runTo && runFrom + 16 <= high; runFrom += 16)
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out + (runFrom - low)), fill);
#endif
            if (runFrom < runTo)
                std::memset(out + (runFrom - low), int(c), size_t(runTo - runFrom));
        },
        Detail::NoBreak());
}

template class Engine<char16_t>;
template class Engine<char>;

std::vector<Class> classesOf(QStringView text)
{
    std::vector<Class> out(size_t(text.size()), Class::Text);
    scan(
        text.utf16(), text.size(), State::Text,
        [&](Class c, qsizetype from, qsizetype to) {
            std::memset(out.data() + from, int(c), size_t(to - from));
        },
        Detail::NoBreak());
    return out;
}

} // namespace Colouring
