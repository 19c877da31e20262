// SPDX-License-Identifier: GPL-3.0-or-later
#include "charset.h"

#include <QRegularExpression>

namespace Charset {

namespace {

// Declarations live near the top; a page's text is not searched to its end for them.
constexpr qsizetype headLimit = 8192;

const QRegularExpression &xmlDeclaration()
{
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*<\?xml\b[^>]*?\bencoding\s*=\s*["']([^"'>\s]*)["'])"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &metaTag()
{
    static const QRegularExpression re(
        QStringLiteral(R"(<meta\b[^>]*>)"), QRegularExpression::CaseInsensitiveOption);
    return re;
}

// "charset=VALUE" inside a meta tag: the attribute of its own, or the parameter in a content value.
const QRegularExpression &charsetValue()
{
    static const QRegularExpression re(QStringLiteral(R"(\bcharset\s*=\s*["']?([A-Za-z0-9_.:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

bool isHigh(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLow(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

QString declared(const QString &text)
{
    const QString head = text.left(headLimit);
    const QRegularExpressionMatch xml = xmlDeclaration().match(head);
    if (xml.hasMatch())
        return xml.captured(1);
    for (const QRegularExpressionMatch &meta : metaTag().globalMatch(head)) {
        const QRegularExpressionMatch value = charsetValue().match(meta.captured(0));
        if (value.hasMatch())
            return value.captured(1);
    }
    return {};
}

bool isEightBit(const QString &charset)
{
    static const QStringList names { QStringLiteral("iso-8859-1"), QStringLiteral("iso8859-1"),
        QStringLiteral("iso_8859-1"), QStringLiteral("latin1"), QStringLiteral("latin-1"),
        QStringLiteral("l1"), QStringLiteral("windows-1252"), QStringLiteral("cp1252"),
        QStringLiteral("x-cp1252"), QStringLiteral("us-ascii"), QStringLiteral("ascii"),
        QStringLiteral("iso-ir-100"), QStringLiteral("ibm819"), QStringLiteral("cp819") };
    return names.contains(charset.trimmed().toLower());
}

FileFormat formatForPage(const QString &text, const FileFormat &loaded)
{
    FileFormat format = loaded;
    if (loaded.encoding != TextEncoding::Utf8 || !isEightBit(declared(text)))
        return format;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return format;
    }
    format.encoding = TextEncoding::Windows1252;
    return format;
}

QString withReferences(const QString &text, TextEncoding encoding)
{
    if (DocumentFile::canEncode(text, encoding))
        return text;
    QString out;
    out.reserve(text.size() + 64);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        const bool pair = isHigh(c) && i + 1 < n && isLow(text.at(i + 1).unicode());
        const QString one = text.mid(i, pair ? 2 : 1);
        if (DocumentFile::canEncode(one, encoding)) {
            out.append(one);
        } else if (pair) {
            out.append(QStringLiteral("&#%1;").arg(QChar::surrogateToUcs4(c, text.at(i + 1).unicode())));
        } else if (isHigh(c) || isLow(c)) {
            out.append(QStringLiteral("&#xFFFD;")); // a lone surrogate has no character to refer to
        } else {
            out.append(QStringLiteral("&#%1;").arg(uint(c)));
        }
        if (pair)
            ++i;
    }
    return out;
}

QString declaringUtf8(const QString &text)
{
    QString out = text;
    const QString utf8 = QStringLiteral("UTF-8");
    const QRegularExpressionMatch xml = xmlDeclaration().match(out.left(headLimit));
    if (xml.hasMatch())
        out.replace(xml.capturedStart(1), xml.capturedLength(1), utf8);
    // Replaced from the last match back, so earlier positions stay valid.
    QList<QRegularExpressionMatch> metas;
    for (const QRegularExpressionMatch &meta : metaTag().globalMatch(out.left(headLimit)))
        metas.append(meta);
    for (auto it = metas.crbegin(); it != metas.crend(); ++it) {
        const QRegularExpressionMatch value = charsetValue().match(it->captured(0));
        if (value.hasMatch())
            out.replace(it->capturedStart(0) + value.capturedStart(1), value.capturedLength(1), utf8);
    }
    return out;
}

QString firstUnencodable(const QString &text, TextEncoding encoding)
{
    const qsizetype at = DocumentFile::unencodableAt(text, encoding);
    if (at < 0)
        return {};
    const char16_t c = text.at(at).unicode();
    const bool pair = isHigh(c) && at + 1 < text.size() && isLow(text.at(at + 1).unicode());
    const uint code = pair ? QChar::surrogateToUcs4(c, text.at(at + 1).unicode()) : uint(c);
    const QString codeText = QStringLiteral("U+%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
    if (!pair && (isHigh(c) || isLow(c)))
        return QStringLiteral("the character %1").arg(codeText);
    return QStringLiteral("the character “%1” (%2)").arg(text.mid(at, pair ? 2 : 1), codeText);
}

bool isXhtml(const QString &text)
{
    static const QRegularExpression xmlStart(
        QStringLiteral(R"(^\s*<\?xml\b)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression htmlTag(
        QStringLiteral(R"(<html\b[^>]*\bxmlns\s*=)"), QRegularExpression::CaseInsensitiveOption);
    const QString head = text.left(headLimit);
    return xmlStart.match(head).hasMatch() || htmlTag.match(head).hasMatch();
}

} // namespace Charset
