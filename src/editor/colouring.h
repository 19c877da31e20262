// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <bit>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The colour rules of the source editor and the engine that keeps them up to date while the text is
// edited. The rules are one left-to-right scan: tags and comments, and inside tags quoted strings and hex
// codes, and outside them character entities. Every look ahead or back the scan makes stops at a blank,
// and a line break is a blank, so a line's colours depend only on the line and the state left open at its
// start (text, tag, string inside a tag, comment). The engine keeps that state per line.
//
// Where the old two-pass rules needed to see the end of a construct before colouring it, the scan colours
// as it goes: a tag without its ">" is a tag up to the next "<", a comment without "-->" runs to the end,
// and a string without its closing quote is a string up to the tag's end. That is how markup looks while
// it is being typed; closed markup comes out exactly as before.
namespace Colouring {

// The colour class of a character; the numbers are also the editor's style numbers.
enum class Class : quint8 { Text, Tag, Comment, String, Hex, Entity };
inline constexpr int classCount = 6;

// What is open where a line starts.
enum class State : quint8 { Text, Tag, TagString, Comment };

namespace Detail {

enum Stop : quint8 {
    InText = 1,
    InTag = 2,
    InString = 4,
    InComment = 8,
    Blank = 16,
    EndsHexRun = 32,
    EndsEntity = 64,
    LineBreak = 128,
};

struct StopTable
{
    quint8 bits[128] = {};
    constexpr StopTable()
    {
        bits[int('<')] = InText | InTag | InString | EndsHexRun | EndsEntity;
        bits[int('&')] = InText | EndsEntity;
        bits[int(';')] = EndsEntity;
        bits[int('>')] = InTag | InString | InComment | EndsHexRun | EndsEntity;
        bits[int('"')] = InTag | InString | EndsHexRun;
        bits[int('#')] = InTag | EndsHexRun;
        for (const char blank : { ' ', '\t', '\r', '\n' })
            bits[int(blank)] = Blank | EndsHexRun | EndsEntity;
        bits[int('\n')] |= LineBreak;
    }
};
inline constexpr StopTable stops;

template <typename Char> inline unsigned unit(Char c)
{
    return static_cast<std::make_unsigned_t<Char>>(c);
}

template <typename Char> inline bool has(Char c, quint8 bits)
{
    const unsigned u = unit(c);
    return u < 128 && (stops.bits[u] & bits);
}

inline Class classOf(State state)
{
    switch (state) {
    case State::Tag:
        return Class::Tag;
    case State::TagString:
        return Class::String;
    case State::Comment:
        return Class::Comment;
    case State::Text:
        break;
    }
    return Class::Text;
}

#if defined(__SSE2__)
// Sixteen code units as bytes. A UTF-16 unit above 255 saturates to 0 or 255, which no stop matches.
inline __m128i load16(const char *p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
}

inline __m128i load16(const char16_t *p)
{
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 8));
    return _mm_packus_epi16(low, high);
}
#endif

// The first index from i on whose character stops the scan (has the bits; the characters are the same
// stops spelt out for the vector loop), or n. Markup stops often, so sixteen units are tried at a time.
template <char... Stops, typename Char>
inline qsizetype skipTo(const Char *s, qsizetype i, qsizetype n, quint8 bits)
{
#if defined(__SSE2__)
    while (n - i >= 16) {
        const __m128i v = load16(s + i);
        __m128i hit = _mm_setzero_si128();
        ((hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, _mm_set1_epi8(Stops)))), ...);
        const unsigned mask = unsigned(_mm_movemask_epi8(hit));
        if (mask)
            return i + std::countr_zero(mask);
        i += 16;
    }
#endif
    while (i < n && !has(s[i], bits))
        ++i;
    return i;
}

struct NoBreak
{
    void operator()(qsizetype, State) const { }
};

} // namespace Detail

// Colours lines that start in `state`: calls report(Class, from, to) for each run of one class, in order
// and covering s[0 .. length), calls lineBreak(next, state) with the start and state of each line after a
// line feed, and returns the state at the end. Nothing outside s[0 .. length) is read. Templated on the
// code unit so the same rules serve UTF-16 strings and the editor's UTF-8 bytes; only ASCII characters
// take part in the rules. Since every look ahead or back stops at a blank, scanning many lines at once
// gives each the colours it gets alone.
template <typename Char, typename Emit, typename Break>
State scan(const Char *s, qsizetype length, State state, Emit &&report, Break &&lineBreak)
{
    using namespace Detail;
    const qsizetype n = length;
    qsizetype i = 0;
    qsizetype runStart = 0;
    Class runClass = classOf(state);
    const auto switchTo = [&](Class next, qsizetype at) {
        if (next == runClass)
            return;
        if (at > runStart)
            report(runClass, runStart, at);
        runStart = at;
        runClass = next;
    };
    // A "<" opens a comment when "!--" follows on the same line, any other "<" a tag (an open tag is
    // given up: the old pass forgot its mark at every "<").
    const auto open = [&](qsizetype at) {
        if (at + 3 < n && s[at + 1] == Char('!') && s[at + 2] == Char('-') && s[at + 3] == Char('-')) {
            switchTo(Class::Comment, at);
            state = State::Comment;
            return at + 4;
        }
        switchTo(Class::Tag, at);
        state = State::Tag;
        return at + 1;
    };

    // Where the last string's closing quote stood: the character after it is judged by that quote's
    // string colour, so neither a quote nor a "#" there starts anything.
    qsizetype closedAt = -1;

    while (i < n) {
        switch (state) {
        case State::Text: {
            i = skipTo<'<', '&', '\n'>(s, i, n, InText | LineBreak);
            if (i == n)
                break;
            if (s[i] == Char('\n')) {
                lineBreak(++i, state);
                break;
            }
            if (s[i] == Char('<')) {
                i = open(i);
                break;
            }
            // "&": an entity when ";" comes before a blank, "<" or ">"; another "&" starts it anew.
            qsizetype k = i + 1;
            while (k < n && !has(s[k], EndsEntity))
                ++k;
            if (k < n && s[k] == Char(';')) {
                switchTo(Class::Entity, i);
                switchTo(Class::Text, k + 1);
                i = k + 1;
            } else {
                i = k;
            }
            break;
        }
        case State::Tag: {
            i = skipTo<'<', '>', '"', '#', '\n'>(s, i, n, InTag | LineBreak);
            if (i == n)
                break;
            const Char c = s[i];
            if (c == Char('\n')) {
                lineBreak(++i, state);
            } else if (c == Char('>')) {
                switchTo(Class::Tag, i);
                switchTo(Class::Text, i + 1);
                state = State::Text;
                ++i;
            } else if (c == Char('<')) {
                i = open(i);
            } else if (closedAt == i - 1 && closedAt >= 0) {
                ++i;
            } else if (c == Char('"')) {
                switchTo(Class::String, i);
                state = State::TagString;
                ++i;
            } else {
                // "#": a hex code is any six characters followed by a blank or ">". A blank, "<" or ">"
                // among them ends the attempt, another "#" starts one anew and a quote starts a string.
                qsizetype k = i + 1;
                while (k < n && k <= i + 6 && !has(s[k], EndsHexRun))
                    ++k;
                if (k == i + 7 && k < n && (s[k] == Char('>') || has(s[k], Blank))) {
                    switchTo(Class::Hex, i);
                    switchTo(Class::Tag, k);
                    i = k;
                } else {
                    ++i;
                }
            }
            break;
        }
        case State::TagString: {
            i = skipTo<'<', '>', '"', '\n'>(s, i, n, InString | LineBreak);
            if (i == n)
                break;
            const Char c = s[i];
            if (c == Char('\n')) {
                lineBreak(++i, state);
            } else if (c == Char('"')) {
                switchTo(Class::Tag, i + 1);
                state = State::Tag;
                closedAt = i;
                ++i;
            } else if (c == Char('<')) {
                i = open(i);
            } else {
                // A ">" ends the tag, and with it a string left open.
                switchTo(Class::Tag, i);
                switchTo(Class::Text, i + 1);
                state = State::Text;
                ++i;
            }
            break;
        }
        case State::Comment: {
            i = skipTo<'>', '\n'>(s, i, n, InComment | LineBreak);
            if (i == n)
                break;
            if (s[i] == Char('\n')) {
                lineBreak(++i, state);
                break;
            }
            // Only "-->" closes; the dashes of "<!--" count, so "<!-->" is a whole comment.
            if (i >= 2 && s[i - 1] == Char('-') && s[i - 2] == Char('-')) {
                switchTo(Class::Text, i + 1);
                state = State::Text;
            }
            ++i;
            break;
        }
        }
    }
    if (n > runStart)
        report(runClass, runStart, n);
    return state;
}

// Colours one line, its line break included, that starts in `state`, as scan does, and returns the state
// at the next line's start.
template <typename Char, typename Emit>
State scanLine(const Char *s, qsizetype length, State state, Emit &&report)
{
    return scan(s, length, state, std::forward<Emit>(report), Detail::NoBreak());
}

// The text the engine reads: any code units, handed out as contiguous ranges.
template <typename Char> class TextSource
{
public:
    virtual ~TextSource() = default;
    virtual qsizetype length() const = 0;
    // The code units position .. position + count, which the caller keeps within the text; the pointer
    // stays valid until the next call.
    virtual const Char *range(qsizetype position, qsizetype count) const = 0;
};

class StringSource : public TextSource<char16_t>
{
public:
    explicit StringSource(QStringView text)
        : m_text(text)
    { }
    qsizetype length() const override { return m_text.size(); }
    const char16_t *range(qsizetype position, qsizetype) const override { return m_text.utf16() + position; }

private:
    QStringView m_text;
};

// Line starts and the state at each, in blocks of a few hundred lines, so that an edit anywhere shifts
// one block's offsets and the bases of the blocks after it rather than every line of a big page.
class LineTable
{
public:
    LineTable();
    void clear();
    qsizetype count() const { return m_count; }
    qsizetype start(qsizetype line) const;
    State state(qsizetype line) const;
    void setState(qsizetype line, State state);
    // The last line starting at or before position.
    qsizetype lineAt(qsizetype position) const;

    void append(qsizetype start, State state);
    // Adds delta to the starts of lines from `line` on.
    void shift(qsizetype line, qsizetype delta);
    // New lines before `line`, their starts ascending, each with state.
    void insert(qsizetype line, const std::vector<qsizetype> &starts, State state);
    void remove(qsizetype line, qsizetype n);
    qsizetype memoryBytes() const;

private:
    struct Block
    {
        qsizetype base = 0;
        std::vector<qint32> offsets;
        std::vector<State> states;
    };
    struct Place
    {
        qsizetype block;
        qsizetype index;
    };
    Place place(qsizetype line) const;
    void renumber(qsizetype fromBlock);
    void split(qsizetype block);

    std::vector<Block> m_blocks;
    std::vector<qsizetype> m_firstLine; // of each block
    qsizetype m_count = 0;
};

struct LineRange
{
    qsizetype first = 0;
    qsizetype last = -1; // first > last when no line was scanned
    bool isEmpty() const { return last < first; }
};

// Keeps the state at every line start of one text. Edits are recorded as they happen (removed, inserted)
// and the states are brought up to date lazily (update): scanning starts at the first changed line and
// stops at the line requested, or earlier when the state at a line start agrees again with the one kept
// from before the edit and no changed line lies beyond it. Opening a comment near the top of a big page
// therefore costs only the lines shown until more are asked for.
template <typename Char> class Engine
{
public:
    // The whole-document pass: every line start and its state.
    void reset(const TextSource<Char> &text);

    // Record an edit. Both may be called before the text itself changes (the editor announces edits
    // before making them), but must come in the order the edits are made.
    void removed(qsizetype position, qsizetype count);
    void inserted(qsizetype position, const Char *text, qsizetype count);

    // Makes the states valid through line `through` (all lines by default) and returns the lines whose
    // colours were scanned again.
    LineRange update(const TextSource<Char> &text, qsizetype through = -1);
    // removed + inserted (reading the new text) + update: the lines whose colours changed.
    LineRange edit(
        const TextSource<Char> &text, qsizetype position, qsizetype removedCount, qsizetype insertedCount);

    Class classAt(const TextSource<Char> &text, qsizetype position);
    // What is open just before position: one scan from its line's start or the last mark before it.
    State stateAt(const TextSource<Char> &text, qsizetype position);
    // The classes of from .. to, one byte each, into out.
    void classes(const TextSource<Char> &text, qsizetype from, qsizetype to, Class *out);

    qsizetype length() const { return m_length; }
    qsizetype lineCount() const { return m_lines.count(); }
    qsizetype lineStart(qsizetype line) const { return m_lines.start(line); }
    qsizetype lineEnd(qsizetype line) const
    {
        return line + 1 < m_lines.count() ? m_lines.start(line + 1) : m_length;
    }
    qsizetype lineAt(qsizetype position) const { return m_lines.lineAt(position); }
    // Valid for lines the last update reached.
    State lineState(qsizetype line) const { return m_lines.state(line); }
    bool isUpToDate() const { return m_valid >= m_lines.count(); }
    qsizetype memoryBytes() const
    {
        return m_lines.memoryBytes() + qsizetype(m_marks.capacity() * sizeof(Mark));
    }

private:
    // A place inside a long line, just after a blank, and the state there: since no rule looks across a
    // blank, the scan can restart at it as at a line start.
    struct Mark
    {
        qsizetype position;
        State state;
    };

    void changed(qsizetype first, qsizetype last, qsizetype oldLast, qsizetype oldCount, qsizetype position,
        qsizetype tailStart, qsizetype delta);
    State scanLineMarked(
        const TextSource<Char> &text, qsizetype line, State state, qsizetype resume, qsizetype tailFrom);

    LineTable m_lines;
    // Sorted by position, only in lines of some kilobytes, placed as the lines are scanned.
    std::vector<Mark> m_marks;
    // For line m_valid - 1: its marks up to m_resume hold for the current text, and those from m_tailFrom
    // on belong with the kept state of the next line (the text after them is unchanged since their scan).
    qsizetype m_resume = -1;
    qsizetype m_tailFrom = std::numeric_limits<qsizetype>::max();
    qsizetype m_length = 0;
    // Lines 0 .. m_valid - 1 have correct start states. From m_agree on, the kept states all belong to
    // one earlier text whose lines from there on are unchanged, so agreement there settles the rest.
    qsizetype m_valid = 1;
    qsizetype m_agree = 1;
};

extern template class Engine<char16_t>;
extern template class Engine<char>;

// The classes of a whole text in one pass, for tests and comparisons.
std::vector<Class> classesOf(QStringView text);

} // namespace Colouring
