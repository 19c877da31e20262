// SPDX-License-Identifier: GPL-3.0-or-later
#include "editorbuffer.h"

#include "editor/ui/sourceeditor.h"

#include <Qsci/qsciscintilla.h>

#include <QStringMatcher>

#include <cstring>

namespace {

using Sci = QsciScintillaBase;
constexpr long utf16Index = Sci::SC_LINECHARACTERINDEX_UTF16;

} // namespace

EditorBuffer::EditorBuffer(QsciScintilla *editor)
    : m_editor(editor)
{
    Q_ASSERT(send(Sci::SCI_GETCODEPAGE) == Sci::SC_CP_UTF8);
    // The index is reference-counted per document; holding our own keeps it alive for as long as we map.
    send(Sci::SCI_ALLOCATELINECHARACTERINDEX, utf16Index);
}

EditorBuffer::~EditorBuffer()
{
    if (m_editor)
        send(Sci::SCI_RELEASELINECHARACTERINDEX, utf16Index);
}

long EditorBuffer::send(unsigned int message, unsigned long wParam, long lParam) const
{
    return m_editor->SendScintilla(message, wParam, lParam);
}

const char *EditorBuffer::bytes(long start, long end) const
{
    return reinterpret_cast<const char *>(
        send(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start));
}

QString EditorBuffer::decode(long start, long end) const
{
    return end > start ? QString::fromUtf8(bytes(start, end), end - start) : QString();
}

QString EditorBuffer::text() const
{
    return decode(0, send(Sci::SCI_GETLENGTH));
}

void EditorBuffer::setText(const QString &text)
{
    setUtf8Text(normalizeLineBreaks(text).toUtf8());
}

void EditorBuffer::setUtf8Text(const QByteArray &crlfUtf8)
{
    TSourceEditor::loadUtf8(m_editor, crlfUtf8);
}

QByteArray EditorBuffer::utf8Range(long start, long end) const
{
    return end > start ? QByteArray(bytes(start, end), end - start) : QByteArray();
}

void EditorBuffer::replaceUtf8Range(long start, long end, const QByteArray &bytes)
{
    send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
    // With its length given, the replacement may hold NUL bytes.
    m_editor->SendScintilla(
        Sci::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
}

int EditorBuffer::length() const
{
    return int(send(Sci::SCI_INDEXPOSITIONFROMLINE, send(Sci::SCI_GETLINECOUNT), utf16Index));
}

long EditorBuffer::bytePosition(int position, Rounding rounding, int *used) const
{
    const int size = length();
    position = qBound(0, position, size);
    if (used)
        *used = position;
    // A document of ASCII alone has as many bytes as code units.
    if (send(Sci::SCI_GETLENGTH) == size)
        return position;
    const long line = send(Sci::SCI_LINEFROMINDEXPOSITION, position, utf16Index);
    const long lineStart = send(Sci::SCI_INDEXPOSITIONFROMLINE, line, utf16Index);
    const long lineByte = send(Sci::SCI_POSITIONFROMLINE, line);
    const long offset = position - lineStart;
    if (offset == 0)
        return lineByte;
    const long nextStart = send(Sci::SCI_INDEXPOSITIONFROMLINE, line + 1, utf16Index);
    const long nextByte = send(Sci::SCI_POSITIONFROMLINE, line + 1);
    if (nextByte - lineByte == nextStart - lineStart)
        return lineByte + offset;
    const long byte = send(Sci::SCI_POSITIONRELATIVECODEUNITS, lineByte, offset);
    if (byte > lineByte)
        return byte;
    // Scintilla finds no byte between the halves of a surrogate pair.
    const long whole = rounding == RoundDown ? offset - 1 : offset + 1;
    if (used)
        *used = int(lineStart + whole);
    return whole == 0 ? lineByte : send(Sci::SCI_POSITIONRELATIVECODEUNITS, lineByte, whole);
}

int EditorBuffer::characterPosition(long byte) const
{
    const long size = send(Sci::SCI_GETLENGTH);
    byte = qBound(0L, byte, size);
    if (size == length())
        return int(byte);
    const long line = send(Sci::SCI_LINEFROMPOSITION, byte);
    const long lineStart = send(Sci::SCI_INDEXPOSITIONFROMLINE, line, utf16Index);
    const long lineByte = send(Sci::SCI_POSITIONFROMLINE, line);
    if (byte == lineByte)
        return int(lineStart);
    const long nextStart = send(Sci::SCI_INDEXPOSITIONFROMLINE, line + 1, utf16Index);
    const long nextByte = send(Sci::SCI_POSITIONFROMLINE, line + 1);
    if (nextByte - lineByte == nextStart - lineStart)
        return int(lineStart + byte - lineByte);
    return int(lineStart + send(Sci::SCI_COUNTCODEUNITS, lineByte, byte));
}

QString EditorBuffer::textRange(int start, int end) const
{
    const int size = length();
    start = qBound(0, start, size);
    end = qBound(0, end, size);
    if (end <= start)
        return QString();
    int first = start;
    int last = end;
    const long startByte = bytePosition(start, RoundDown, &first);
    const long endByte = bytePosition(end, RoundUp, &last);
    const QString range = decode(startByte, endByte);
    // A range starting or ending inside a surrogate pair holds half of it, as a QString would.
    return first == start && last == end ? range : range.mid(start - first, end - start);
}

int EditorBuffer::selStart() const
{
    return characterPosition(send(Sci::SCI_GETSELECTIONSTART));
}

int EditorBuffer::selLength() const
{
    return characterPosition(send(Sci::SCI_GETSELECTIONEND)) - selStart();
}

void EditorBuffer::setSelStart(int start)
{
    const long byte = bytePosition(start);
    send(Sci::SCI_SETSEL, static_cast<unsigned long>(byte), byte);
}

void EditorBuffer::setSelLength(int length)
{
    const long startByte = send(Sci::SCI_GETSELECTIONSTART);
    const qint64 end = qint64(characterPosition(startByte)) + qMax(0, length);
    const long endByte = bytePosition(int(qMin<qint64>(end, this->length())), RoundUp);
    send(Sci::SCI_SETSEL, static_cast<unsigned long>(startByte), endByte);
}

void EditorBuffer::setSelText(const QString &text)
{
    const QByteArray utf8 = normalizeLineBreaks(text).toUtf8();
    long startByte = send(Sci::SCI_GETSELECTIONSTART);
    long endByte = send(Sci::SCI_GETSELECTIONEND);
    // CR and LF are one byte each, so the break rule can be applied to byte positions directly.
    const auto insideBreak = [this](long byte) {
        return byte > 0 && send(Sci::SCI_GETCHARAT, static_cast<unsigned long>(byte - 1)) == '\r'
            && send(Sci::SCI_GETCHARAT, static_cast<unsigned long>(byte)) == '\n';
    };
    if (startByte == endByte) {
        if (insideBreak(startByte))
            endByte = --startByte;
    } else {
        if (insideBreak(startByte))
            --startByte;
        if (insideBreak(endByte))
            ++endByte;
    }
    send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(startByte), endByte);
    m_editor->SendScintilla(
        Sci::SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()), utf8.constData());
    send(Sci::SCI_GOTOPOS, static_cast<unsigned long>(send(Sci::SCI_GETTARGETEND)));
}

int EditorBuffer::findText(const QString &what, int start, int length, Search::Options options) const
{
    const int size = this->length();
    start = qBound(0, start, size);
    const int end = length < 0 ? size : int(qMin<qint64>(qint64(start) + length, size));
    if (what.isEmpty() || end - start < what.size())
        return -1;

    // The range is decoded piece by piece, growing, so a match near the start is found without
    // decoding the rest of a big document; matching itself is the base class's, to find the same places.
    const QStringMatcher matcher(
        what, options.testFlag(Search::MatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive);
    int first = start;
    int last = end;
    long byte = bytePosition(start, RoundDown, &first);
    const long endByte = bytePosition(end, RoundUp, &last);
    QString window; // the text from windowStart on that still matters
    int windowStart = start;
    qsizetype skip = start - first; // the high half of a pair the range starts inside
    qsizetype from = 0; // the first candidate in window not yet judged
    long piece = 16 * 1024;
    while (byte < endByte) {
        long next = qMin(endByte, byte + piece);
        while (next < endByte
            && (uchar(send(Sci::SCI_GETCHARAT, static_cast<unsigned long>(next))) & 0xC0) == 0x80)
            ++next;
        window.append(QStringView(decode(byte, next)).mid(skip));
        skip = 0;
        byte = next;
        piece = qMin(piece * 2, 1L << 20);
        const bool atEnd = byte >= endByte;
        if (atEnd)
            window.truncate(end - windowStart);
        // A candidate before limit has the whole match and the character behind it in the window.
        const qsizetype limit = atEnd ? window.size() : window.size() - what.size();
        if (limit <= from)
            continue;
        const qsizetype found = indexIn(window, from, matcher, what.size(), options);
        if (found >= 0 && found < limit)
            return windowStart + int(found);
        if (atEnd)
            return -1;
        // Keep one character before the next candidate: whole words and case folding look back at it.
        const qsizetype judged = limit - 1;
        window.remove(0, judged);
        windowStart += int(judged);
        from = 1;
    }
    return -1;
}

int EditorBuffer::lineCount() const
{
    return int(send(Sci::SCI_GETLINECOUNT));
}

QString EditorBuffer::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return QString();
    return decode(send(Sci::SCI_POSITIONFROMLINE, index), send(Sci::SCI_GETLINEENDPOSITION, index));
}

int EditorBuffer::lineFromPosition(int position) const
{
    position = qBound(0, position, length());
    return int(send(Sci::SCI_LINEFROMINDEXPOSITION, position, utf16Index));
}

int EditorBuffer::positionFromLine(int line) const
{
    // Scintilla asserts on lines past the end.
    if (line < 0 || line > lineCount())
        return -1;
    return int(send(Sci::SCI_INDEXPOSITIONFROMLINE, line, utf16Index));
}

QByteArray EditorBuffer::utf8Text() const
{
    // Each side of Scintilla's gap is copied where it lies, so the buffer is not moved to make it whole.
    const long size = send(QsciScintillaBase::SCI_GETLENGTH);
    const long gap = qBound(0L, send(QsciScintillaBase::SCI_GETGAPPOSITION), size);
    QByteArray out(size, Qt::Uninitialized);
    const auto copy = [&](long start, long end) {
        if (end > start)
            std::memcpy(out.data() + start, bytes(start, end), size_t(end - start));
    };
    copy(0, gap);
    copy(gap, size);
    return out;
}
