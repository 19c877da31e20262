// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentfile.h"
#include "safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Windows-1252 from 0x80 to 0x9F. The five bytes the code page leaves undefined keep their own value as
// C1 controls, so any byte sequence decodes to text that encodes back to the same bytes.
constexpr char16_t cp1252High[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6,
    0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

constexpr std::array<char16_t, 256> makeCp1252Table()
{
    std::array<char16_t, 256> table {};
    for (int b = 0; b < 256; ++b)
        table[b] = (b & 0xE0) == 0x80 ? cp1252High[b - 0x80] : char16_t(b);
    return table;
}

constexpr std::array<char16_t, 256> cp1252 = makeCp1252Table();

inline char16_t fromCp1252(uchar byte)
{
    return cp1252[byte];
}

// The byte for c, or -1 when Windows-1252 has none.
inline int toCp1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (cp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

constexpr char utf8Bom[] = "\xEF\xBB\xBF";

// What a pass over the bytes learns: whether they are valid UTF-8, how many UTF-16 units they make then,
// and how many line breaks of each kind they hold.
struct ByteScan
{
    bool utf8 = true;
    qsizetype bytes = 0;
    qsizetype units = 0;
    qsizetype crLf = 0;
    qsizetype lf = 0; // lone LF
    qsizetype cr = 0; // lone CR
};

inline bool hasZeroByte(quint64 v)
{
    return ((v - 0x0101010101010101ULL) & ~v & 0x8080808080808080ULL) != 0;
}

// Eight ASCII bytes without CR or LF: the common case in markup, skipped a word at a time.
inline bool plainAsciiWord(quint64 w)
{
    return (w & 0x8080808080808080ULL) == 0 && !hasZeroByte(w ^ 0x0D0D0D0D0D0D0D0DULL)
        && !hasZeroByte(w ^ 0x0A0A0A0A0A0A0A0AULL);
}

inline bool continuation(uchar b)
{
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at p (no overlongs, surrogates or values past U+10FFFF), 0 when
// there is none.
inline int utf8SequenceLength(const uchar *p, qsizetype available)
{
    const uchar b = p[0];
    if (b < 0xC2)
        return 0;
    if (b < 0xE0)
        return available >= 2 && continuation(p[1]) ? 2 : 0;
    if (b < 0xF0) {
        if (available < 3 || !continuation(p[2]))
            return 0;
        const uchar lo = b == 0xE0 ? 0xA0 : 0x80;
        const uchar hi = b == 0xED ? 0x9F : 0xBF;
        return p[1] >= lo && p[1] <= hi ? 3 : 0;
    }
    if (b < 0xF5) {
        if (available < 4 || !continuation(p[2]) || !continuation(p[3]))
            return 0;
        const uchar lo = b == 0xF0 ? 0x90 : 0x80;
        const uchar hi = b == 0xF4 ? 0x8F : 0xBF;
        return p[1] >= lo && p[1] <= hi ? 4 : 0;
    }
    return 0;
}

void scanPiece(ByteScan &scan, const uchar *p, qsizetype n)
{
    qsizetype saved = 0; // bytes beyond one UTF-16 unit per character
    qsizetype i = 0;
    while (i < n) {
        if (n - i >= 8) {
            quint64 w;
            std::memcpy(&w, p + i, 8);
            if (plainAsciiWord(w)) {
                i += 8;
                continue;
            }
        }
        const uchar b = p[i];
        if (b < 0x80) {
            if (b == '\r') {
                if (i + 1 < n && p[i + 1] == '\n') {
                    ++scan.crLf;
                    i += 2;
                    continue;
                }
                ++scan.cr;
            } else if (b == '\n') {
                ++scan.lf;
            }
            ++i;
            continue;
        }
        if (scan.utf8) {
            const int length = utf8SequenceLength(p + i, n - i);
            if (length > 0) {
                saved += length == 4 ? 2 : length - 1;
                i += length;
                continue;
            }
            scan.utf8 = false;
        }
        ++i;
    }
    scan.bytes += n;
    scan.units += n - saved;
}

// Files are read twice in pieces of this size, once to learn their encoding and line ends and once to
// decode them into a string of the right length: a small buffer that stays in the cache costs far less
// than a copy of the whole file.
constexpr qsizetype pieceSize = 256 * 1024;

// How much of the n bytes at p can be handled apart from what follows: the piece must not end inside a
// UTF-8 sequence or between a CR and its LF.
qsizetype safeLength(const uchar *p, qsizetype n)
{
    qsizetype cut = n;
    for (qsizetype k = n - 1; k >= 0 && k >= n - 4; --k) {
        if (!continuation(p[k])) {
            if (p[k] >= 0xC0)
                cut = k;
            break;
        }
    }
    if (cut > 0 && p[cut - 1] == '\r')
        --cut;
    return cut;
}

template <typename F> bool forEachPiece(QByteArrayView bytes, F f)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    qsizetype n = bytes.size();
    while (n > pieceSize) {
        const qsizetype length = safeLength(p, pieceSize);
        f(p, length);
        p += length;
        n -= length;
    }
    if (n > 0)
        f(p, n);
    return true;
}

// The same over a file read from its start; false when reading fails.
template <typename F> bool forEachPiece(QFile &file, F f)
{
    if (!file.seek(0))
        return false;
    QByteArray buffer(pieceSize, Qt::Uninitialized);
    uchar *p = reinterpret_cast<uchar *>(buffer.data());
    qsizetype kept = 0;
    for (;;) {
        const qint64 n = file.read(buffer.data() + kept, pieceSize - kept);
        if (n < 0)
            return false;
        if (n == 0) {
            if (kept > 0)
                f(p, kept);
            return true;
        }
        const qsizetype have = kept + n;
        const qsizetype length = safeLength(p, have);
        if (length > 0)
            f(p, length);
        kept = have - length;
        std::memmove(p, p + length, kept);
    }
}

// Copies n units from src to dst, mapping each through decode and writing every line break (CR LF, lone
// CR, lone LF) as CR LF. Returns the end of what was written.
template <typename Unit, typename Decode>
char16_t *copyWithCrLf(const Unit *src, qsizetype n, char16_t *dst, Decode decode)
{
    for (qsizetype i = 0; i < n; ++i) {
        const Unit c = src[i];
        if (c == Unit('\r')) {
            if (i + 1 < n && src[i + 1] == Unit('\n'))
                ++i;
            *dst++ = u'\r';
            *dst++ = u'\n';
        } else if (c == Unit('\n')) {
            *dst++ = u'\r';
            *dst++ = u'\n';
        } else {
            *dst++ = decode(c);
        }
    }
    return dst;
}

// Fills a string whose length the scan foretold, and refuses to run past its end: a file that changes
// between the two readings must not overrun it.
class TextFill
{
public:
    explicit TextFill(qsizetype length)
        : m_text(length, Qt::Uninitialized)
        , m_begin(reinterpret_cast<char16_t *>(m_text.data()))
    { }

    // produce(dst) writes at most maxUnits units from dst on and returns where it stopped.
    template <typename Produce> bool append(qsizetype maxUnits, Produce produce)
    {
        if (m_pos + maxUnits <= m_text.size()) {
            m_pos = produce(m_begin + m_pos) - m_begin;
            return true;
        }
        m_spare.resize(std::size_t(maxUnits));
        const qsizetype count = produce(m_spare.data()) - m_spare.data();
        if (m_pos + count > m_text.size())
            return false;
        std::memcpy(m_begin + m_pos, m_spare.data(), std::size_t(count) * sizeof(char16_t));
        m_pos += count;
        return true;
    }

    bool complete() const { return m_pos == m_text.size(); }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
    char16_t *m_begin;
    qsizetype m_pos = 0;
    std::vector<char16_t> m_spare;
};

// Decodes the pieces forEach hands out in the given format. Nothing when they no longer match the scan
// (the file changed between the readings) or, with *readOk false, when reading failed.
template <typename ForEach>
std::optional<QString> decodePieces(
    ForEach forEach, const ByteScan &scan, TextEncoding encoding, bool *readOk)
{
    const bool crLfOnly = scan.lf == 0 && scan.cr == 0;
    const bool utf8 = encoding != TextEncoding::Windows1252;
    qsizetype skip = encoding == TextEncoding::Utf8Bom ? 3 : 0;
    TextFill fill((utf8 ? scan.units - (skip ? 1 : 0) : scan.bytes) + scan.lf + scan.cr);
    // A second BOM after the first belongs to the text, so the decoder keeps any BOM it meets.
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    std::vector<char16_t> units;
    bool matches = true;
    *readOk = forEach([&](const uchar *p, qsizetype n) {
        const qsizetype skipped = std::min(skip, n);
        p += skipped;
        n -= skipped;
        skip -= skipped;
        if (!matches || n == 0)
            return;
        if (!utf8) {
            if (crLfOnly) {
                matches = fill.append(n, [&](char16_t *dst) {
                    for (qsizetype i = 0; i < n; ++i)
                        dst[i] = fromCp1252(p[i]);
                    return dst + n;
                });
            } else {
                matches
                    = fill.append(2 * n, [&](char16_t *dst) { return copyWithCrLf(p, n, dst, fromCp1252); });
            }
            return;
        }
        const QByteArrayView piece(p, n);
        const auto decodeInto = [&](char16_t *dst) {
            return reinterpret_cast<char16_t *>(
                decoder.appendToBuffer(reinterpret_cast<QChar *>(dst), piece));
        };
        if (crLfOnly) {
            matches = fill.append(n, decodeInto);
        } else {
            units.resize(std::size_t(n));
            const qsizetype count = decodeInto(units.data()) - units.data();
            matches = fill.append(2 * count, [&](char16_t *dst) {
                return copyWithCrLf(units.data(), count, dst, [](char16_t c) { return c; });
            });
        }
        matches = matches && !decoder.hasError();
    });
    if (!*readOk || !matches || !fill.complete())
        return std::nullopt;
    return fill.take();
}

LineEnd majorityLineEnd(const ByteScan &scan)
{
    // Mixed line ends are rare and a page keeps one style: the text holds CR LF throughout, and saving
    // writes every break in the style most lines had (CR LF wins ties, and a file without breaks).
    if (scan.lf > scan.crLf && scan.lf >= scan.cr)
        return LineEnd::Lf;
    if (scan.cr > scan.crLf && scan.cr > scan.lf)
        return LineEnd::Cr;
    return LineEnd::CrLf;
}

FileFormat formatOf(const ByteScan &scan, QByteArrayView head)
{
    FileFormat format;
    format.lineEnd = majorityLineEnd(scan);
    if (!scan.utf8)
        format.encoding = TextEncoding::Windows1252; // a leading "ï»¿" included
    else if (head.startsWith(QByteArrayView(utf8Bom, 3)))
        format.encoding = TextEncoding::Utf8Bom;
    return format;
}

// Copies n units from src to dst with every line break (CR LF, lone CR, lone LF) in the given style.
// Returns the end of what was written: at most 2 * n units.
char16_t *copyWithLineEnds(const char16_t *src, qsizetype n, char16_t *dst, LineEnd style)
{
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && src[i + 1] == u'\n')
                ++i;
            if (style != LineEnd::Lf)
                *dst++ = u'\r';
            if (style != LineEnd::Cr)
                *dst++ = u'\n';
        } else {
            *dst++ = c;
        }
    }
    return dst;
}

inline bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

inline bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Writes the n units at src as Windows-1252 bytes from dst on; returns the end.
char *appendCp1252(const char16_t *src, qsizetype n, char *dst, bool *fits)
{
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        const int byte = toCp1252(c);
        if (byte >= 0) {
            *dst++ = char(byte);
            continue;
        }
        // One "?" per character, so a surrogate pair does not become two.
        if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(src[i + 1]))
            ++i;
        *dst++ = '?';
        *fits = false;
    }
    return dst;
}

// Qt's error texts carry no final stop; ours are sentences.
QString sentence(QString text)
{
    while (text.endsWith(u'.'))
        text.chop(1);
    return text + u'.';
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// "the character “Ω” (U+03A9) on line 3"
QString describeCharacter(const QString &text, qsizetype index)
{
    qsizetype line = 1;
    for (qsizetype i = 0; i < index; ++i) {
        if (text.at(i) == u'\n' || (text.at(i) == u'\r' && (i + 1 >= text.size() || text.at(i + 1) != u'\n')))
            ++line;
    }
    const char16_t c = text.at(index).unicode();
    char32_t code = c;
    QString shown;
    if (isHighSurrogate(c) && index + 1 < text.size() && isLowSurrogate(text.at(index + 1).unicode())) {
        code = QChar::surrogateToUcs4(c, text.at(index + 1).unicode());
        shown = text.mid(index, 2);
    } else if (!isHighSurrogate(c) && !isLowSurrogate(c) && text.at(index).isPrint()) {
        shown = text.mid(index, 1);
    }
    const QString codeText = QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    if (shown.isEmpty())
        return QStringLiteral("the character %1 on line %2").arg(codeText).arg(line);
    return QStringLiteral("the character “%1” (%2) on line %3").arg(shown, codeText).arg(line);
}

} // namespace

namespace DocumentFile {

LoadedDocument decode(const QByteArray &bytes)
{
    ByteScan scan;
    forEachPiece(QByteArrayView(bytes), [&](const uchar *p, qsizetype n) { scanPiece(scan, p, n); });
    LoadedDocument doc;
    doc.format = formatOf(scan, bytes);
    // Bytes in memory cannot change between the readings, so there is always a text.
    bool readOk = true;
    const auto pieces = [&](auto f) { return forEachPiece(QByteArrayView(bytes), f); };
    doc.text = decodePieces(pieces, scan, doc.format.encoding, &readOk).value();
    doc.ok = true;
    return doc;
}

LoadedDocument load(const QString &path)
{
    LoadedDocument doc;
    const QString shown = nativePath(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        doc.error = QStringLiteral("The file “%1” does not exist.").arg(shown);
        return doc;
    }
    if (info.isDir()) {
        doc.error = QStringLiteral("“%1” is a folder, not a file.").arg(shown);
        return doc;
    }
    // A device or pipe could feed bytes for ever.
    if (!info.isFile()) {
        doc.error = QStringLiteral("“%1” is not a regular file.").arg(shown);
        return doc;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        doc.error = sentence(
            QStringLiteral("The file “%1” could not be opened: %2").arg(shown, file.errorString()));
        return doc;
    }
    const auto readError = [&] {
        doc.error
            = sentence(QStringLiteral("The file “%1” could not be read: %2").arg(shown, file.errorString()));
        return doc;
    };

    ByteScan scan;
    QByteArray head;
    const bool scanned = forEachPiece(file, [&](const uchar *p, qsizetype n) {
        if (head.size() < 3)
            head.append(reinterpret_cast<const char *>(p), std::min<qsizetype>(n, 3 - head.size()));
        scanPiece(scan, p, n);
    });
    if (!scanned)
        return readError();
    const FileFormat format = formatOf(scan, head);
    bool readOk = true;
    std::optional<QString> text
        = decodePieces([&](auto f) { return forEachPiece(file, f); }, scan, format.encoding, &readOk);
    if (!readOk)
        return readError();
    if (text) {
        doc.ok = true;
        doc.format = format;
        doc.text = std::move(*text);
        return doc;
    }
    // The file changed while it was read: take it whole this time.
    if (!file.seek(0))
        return readError();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readError();
    return decode(bytes);
}

qsizetype unencodableAt(const QString &text, TextEncoding encoding)
{
    const char16_t *src = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();
    if (encoding == TextEncoding::Windows1252) {
        for (qsizetype i = 0; i < n; ++i) {
            if (src[i] >= 0x80 && toCp1252(src[i]) < 0)
                return i;
        }
        return -1;
    }
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (isHighSurrogate(c)) {
            if (i + 1 < n && isLowSurrogate(src[i + 1])) {
                ++i;
                continue;
            }
            return i;
        }
        if (isLowSurrogate(c))
            return i;
    }
    return -1;
}

bool canEncode(const QString &text, TextEncoding encoding)
{
    return unencodableAt(text, encoding) < 0;
}

QString encodingName(TextEncoding encoding)
{
    return encoding == TextEncoding::Windows1252 ? QStringLiteral("Windows-1252") : QStringLiteral("UTF-8");
}

QByteArray encode(const QString &text, const FileFormat &format, bool *ok)
{
    const bool cp1252 = format.encoding == TextEncoding::Windows1252;
    // The UTF-8 encoder writes U+FFFD for a lone surrogate; say so rather than pass it off as the text.
    bool fits = cp1252 || canEncode(text, format.encoding);
    const char16_t *src = reinterpret_cast<const char16_t *>(text.constData());
    const qsizetype n = text.size();

    QByteArray out;
    out.reserve(n + n / 8 + 16);
    if (format.encoding == TextEncoding::Utf8Bom)
        out.append(utf8Bom, 3);
    qsizetype used = out.size();
    // The text is converted a piece at a time through a small buffer that stays in the cache, rather than
    // through a whole second copy with the line ends changed.
    constexpr qsizetype pieceUnits = 64 * 1024;
    std::vector<char16_t> lines(2 * pieceUnits);
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    for (qsizetype start = 0; start < n;) {
        qsizetype length = std::min(pieceUnits, n - start);
        const char16_t last = src[start + length - 1];
        if (start + length < n && (last == u'\r' || isHighSurrogate(last)))
            --length;
        const qsizetype count
            = copyWithLineEnds(src + start, length, lines.data(), format.lineEnd) - lines.data();
        out.resize(used + (cp1252 ? count : 3 * count));
        char *dst = out.data() + used;
        const char *end = cp1252 ? appendCp1252(lines.data(), count, dst, &fits)
                                 : encoder.appendToBuffer(dst, QStringView(lines.data(), count));
        used = end - out.constData();
        start += length;
    }
    out.truncate(used);
    if (ok)
        *ok = fits;
    return out;
}

SaveResult save(const QString &path, const QString &text, const FileFormat &format)
{
    SaveResult result;
    const QString shown = nativePath(path);
    const qsizetype bad = unencodableAt(text, format.encoding);
    if (bad >= 0) {
        result.error = QStringLiteral("“%1” was not saved: %2 cannot hold %3.")
                           .arg(shown, encodingName(format.encoding), describeCharacter(text, bad));
        return result;
    }
    const QFileInfo info(path);
    if (info.isDir()) {
        result.error = QStringLiteral("“%1” was not saved: it is a folder, not a file.").arg(shown);
        return result;
    }
    if (!info.absoluteDir().exists()) {
        result.error = QStringLiteral("“%1” was not saved: the folder “%2” does not exist.")
                           .arg(shown, nativePath(info.absolutePath()));
        return result;
    }

    const SafeFile::Result written = SafeFile::write(path, encode(text, format));
    if (!written.ok) {
        result.error = sentence(QStringLiteral("“%1” was not saved: %2").arg(shown, written.reason));
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace DocumentFile
