// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/textimport.h"

#include "editor/sourcebuffer.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace TextImport {

namespace {

// Lines end with CR LF; a tag put before "</head" gets a line of its own, as the HEAD's other tags have.
const QString crlf = QStringLiteral("\r\n");

// The lines of a text as a list of lines holds them: a final line break ends the last line, it does not
// start an empty one.
QStringList linesOf(const QString &text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(crlf);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString cased(const QString &markup, bool upper)
{
    return upper ? markup : markup.toLower();
}

} // namespace

QString convertedPage(const QString &text, const QString &fileName, bool upper, bool names)
{
    QStringList lines = linesOf(text);
    const QString br = cased(QStringLiteral("<BR>"), upper);
    for (QString &line : lines)
        line += br;
    const QString background = names ? QStringLiteral("\"WHITE\">") : QStringLiteral("#FFFFFF>");
    return cased(QStringLiteral("<HTML>\r\n<HEAD>\r\n<TITLE>"), upper) + fileName
        + cased(QStringLiteral("</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=") + background, upper) + crlf
        + lines.join(crlf) + crlf + cased(QStringLiteral("</BODY>\r\n</HTML>"), upper);
}

QString preformatted(const QString &text, bool upper)
{
    QString body;
    for (const QString &line : linesOf(text))
        body += line + crlf;
    return cased(QStringLiteral("<PRE>"), upper) + crlf + body + crlf
        + cased(QStringLiteral("</PRE>"), upper);
}

} // namespace TextImport

namespace TextImport {

namespace {

qsizetype find(const QString &text, const QString &what, qsizetype from = 0)
{
    return text.indexOf(what, std::max<qsizetype>(from, 0), Qt::CaseInsensitive);
}

bool found(qsizetype at, const QString &text)
{
    return at > 0 && at < text.size();
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':';
}

// The HEAD of a text: from its "<head" to its "</head"; empty range when either is missing.
std::pair<qsizetype, qsizetype> headOf(const QString &text)
{
    const qsizetype start = find(text, QStringLiteral("<head"));
    const qsizetype end = start < 0 ? -1 : find(text, QStringLiteral("</head"), start);
    if (start < 0 || end < 0)
        return { -1, -1 };
    return { start, end };
}

// Attributes of a tag's inside, split at blanks outside quotes: each as written.
QStringList splitAttributes(QStringView inside)
{
    QStringList attributes;
    QString current;
    QChar quote;
    for (QChar c : inside) {
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            current += c;
        } else if (c.isSpace()) {
            if (!current.isEmpty())
                attributes.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        attributes.append(current);
    return attributes;
}

QString attributeName(const QString &attribute)
{
    const qsizetype equals = attribute.indexOf(u'=');
    return (equals < 0 ? attribute : attribute.first(equals)).trimmed();
}

// Where a whole attribute name=" followed by value and a closing quote stands in text[from, to); -1 if not.
qsizetype findNamedValue(const QString &text, const QString &value, qsizetype from, qsizetype to)
{
    const QString what = QStringLiteral("name=\"") + value + u'"';
    for (qsizetype at = find(text, what, from); at >= 0 && at < to; at = find(text, what, at + 1)) {
        if (at == 0 || !isNameChar(text[at - 1]))
            return at;
    }
    return -1;
}

// Edits the page's text and keeps the caret where it was among the text around it.
class Editor
{
public:
    Editor(SourceBuffer &buffer, int caret)
        : m_buffer(buffer)
        , m_caret(caret)
    { }
    QString text() const { return m_buffer.text(); }
    int caret() const { return m_caret; }
    void replace(qsizetype start, qsizetype length, const QString &with)
    {
        m_buffer.select(int(start), int(length));
        m_buffer.setSelText(with);
        if (start + length <= m_caret)
            m_caret += int(with.size() - length);
        else if (start < m_caret)
            m_caret = int(start + with.size());
    }
    void insert(qsizetype at, const QString &what) { replace(at, 0, what); }

private:
    SourceBuffer &m_buffer;
    int m_caret;
};

void importMeta(Editor &page, const QString &imported, bool importedWins)
{
    const auto [headStart, headEnd] = headOf(imported);
    for (qsizetype at = find(imported, QStringLiteral("<meta"), headStart); at >= 0 && at < headEnd;
         at = find(imported, QStringLiteral("<meta"), at + 1)) {
        const qsizetype close = imported.indexOf(u'>', at);
        if (close < 0)
            break;
        const QString tag = imported.mid(at, close + 1 - at);
        // The name attribute whole: "xname=" or "ename=" are other attributes.
        qsizetype name = find(tag, QStringLiteral("name=\""));
        while (name > 0 && isNameChar(tag[name - 1]))
            name = find(tag, QStringLiteral("name=\""), name + 1);
        if (name < 0)
            continue;
        const qsizetype valueStart = name + 6;
        const qsizetype valueEnd = tag.indexOf(u'"', valueStart);
        if (valueEnd < 0)
            continue;
        const QString value = tag.mid(valueStart, valueEnd - valueStart);
        const QString current = page.text();
        const auto [currentHead, currentHeadEnd] = headOf(current);
        if (currentHead < 0)
            return;
        const qsizetype same = findNamedValue(current, value, currentHead, currentHeadEnd);
        if (same >= 0) {
            if (!importedWins)
                continue;
            const qsizetype tagStart
                = current.lastIndexOf(QStringLiteral("<meta"), same, Qt::CaseInsensitive);
            const qsizetype tagEnd = current.indexOf(u'>', same);
            if (tagStart >= currentHead && tagEnd >= 0)
                page.replace(tagStart, tagEnd + 1 - tagStart, tag);
        } else {
            page.insert(currentHeadEnd, tag + crlf);
        }
    }
}

// Where selector stands whole in text[from, to), followed by its "{"; -1 if not.
qsizetype findSelector(const QString &text, const QString &selector, qsizetype from, qsizetype to)
{
    for (qsizetype at = find(text, selector, from); at >= 0 && at < to; at = find(text, selector, at + 1)) {
        const bool startsWhole
            = at == from || !(isNameChar(text[at - 1]) || text[at - 1] == u'.' || text[at - 1] == u'#');
        qsizetype after = at + selector.size();
        while (after < to && text[after].isSpace())
            ++after;
        if (startsWhole && after < to && text[after] == u'{')
            return at;
    }
    return -1;
}

void importStyles(Editor &page, const QString &imported, bool importedWins)
{
    const qsizetype blockStart = find(imported, QStringLiteral("<style"));
    const qsizetype blockEnd = blockStart < 0 ? -1 : find(imported, QStringLiteral("</style>"), blockStart);
    if (blockEnd < 0)
        return;
    const qsizetype comment = find(imported, QStringLiteral("<!--"), blockStart);
    qsizetype position
        = comment >= 0 && comment < blockEnd ? comment + 4 : imported.indexOf(u'>', blockStart) + 1;
    const qsizetype commentEnd = imported.lastIndexOf(QStringLiteral("-->"), blockEnd);
    const qsizetype rulesEnd = commentEnd > position ? commentEnd : blockEnd;

    if (!page.text().contains(
            QRegularExpression(QStringLiteral("<style\\b"), QRegularExpression::CaseInsensitiveOption))) {
        const QString current = page.text();
        const qsizetype head = find(current, QStringLiteral("<head"));
        const qsizetype headClose = head < 0 ? -1 : current.indexOf(u'>', head);
        if (headClose < 0)
            return;
        page.insert(headClose + 1, QStringLiteral("\r\n<style type=\"text/css\">\r\n<!-- -->\r\n</style>"));
    }
    while (true) {
        while (position < rulesEnd && imported[position].isSpace())
            ++position;
        if (position >= rulesEnd)
            break;
        const qsizetype open = imported.indexOf(u'{', position);
        const qsizetype close = open < 0 ? -1 : imported.indexOf(u'}', open);
        if (close < 0 || close >= rulesEnd)
            break;
        const QString selector = imported.mid(position, open - position).trimmed();
        const QString rule = imported.mid(position, close + 1 - position).trimmed();
        if (selector.isEmpty() || rule.contains(u'<') || rule.contains(u'>'))
            break;
        const QString current = page.text();
        const qsizetype style = find(current, QStringLiteral("<style"));
        const qsizetype styleEnd = find(current, QStringLiteral("</style"), style);
        if (style < 0 || styleEnd < 0)
            return;
        const qsizetype currentCommentEnd = current.lastIndexOf(QStringLiteral("-->"), styleEnd);
        const qsizetype insertAt = currentCommentEnd > style ? currentCommentEnd : styleEnd;
        const qsizetype same = findSelector(current, selector, style, insertAt);
        if (same >= 0) {
            const qsizetype sameEnd = current.indexOf(u'}', same);
            if (importedWins && sameEnd >= 0)
                page.replace(same, sameEnd + 1 - same, rule);
        } else {
            page.insert(insertAt, rule + QStringLiteral("\r\n"));
        }
        position = close + 1;
    }
}

// The first style sheet link: "<link rel=stylesheet", else a LINK tag naming "stylesheet" in quotes.
std::pair<qsizetype, qsizetype> styleSheetLink(const QString &text)
{
    qsizetype at = find(text, QStringLiteral("<link rel=stylesheet"));
    if (at < 0) {
        for (qsizetype link = find(text, QStringLiteral("<link")); link >= 0;
             link = find(text, QStringLiteral("<link"), link + 1)) {
            const qsizetype close = text.indexOf(u'>', link);
            if (close >= 0 && find(text.mid(link, close - link), QStringLiteral("\"stylesheet\"")) >= 0) {
                at = link;
                break;
            }
        }
    }
    const qsizetype close = at < 0 ? -1 : text.indexOf(u'>', at);
    return close < 0 ? std::pair<qsizetype, qsizetype> { -1, -1 } : std::pair { at, close + 1 };
}

void importStyleSheet(Editor &page, const QString &imported)
{
    const auto [start, end] = styleSheetLink(imported);
    if (start < 0)
        return;
    const QString tag = imported.mid(start, end - start);
    const QString current = page.text();
    const auto [currentStart, currentEnd] = styleSheetLink(current);
    if (currentStart >= 0) {
        page.replace(currentStart, currentEnd - currentStart, tag);
    } else if (const qsizetype headEnd = find(current, QStringLiteral("</head")); headEnd >= 0) {
        page.insert(headEnd, tag + crlf);
    }
}

// The title's text: after the ">" of the TITLE tag up to "</title".
std::pair<qsizetype, qsizetype> titleText(const QString &text)
{
    const qsizetype tag = find(text, QStringLiteral("<title"));
    const qsizetype close = tag < 0 ? -1 : text.indexOf(u'>', tag);
    const qsizetype end = close < 0 ? -1 : find(text, QStringLiteral("</title"), close);
    return end < 0 ? std::pair<qsizetype, qsizetype> { -1, -1 } : std::pair { close + 1, end };
}

void importTitle(Editor &page, const QString &imported, bool importedWins)
{
    const auto [start, end] = titleText(imported);
    if (start < 0)
        return;
    const QString title = imported.mid(start, end - start);
    const QString current = page.text();
    const auto [currentStart, currentEnd] = titleText(current);
    if (currentStart >= 0) {
        if (importedWins)
            page.replace(currentStart, currentEnd - currentStart, title);
    } else if (const qsizetype headEnd = find(current, QStringLiteral("</head")); headEnd >= 0) {
        // A page without a title gets the imported one, as a TITLE element: bare text in HEAD is no markup.
        page.insert(headEnd, QStringLiteral("<title>") + title + QStringLiteral("</title>") + crlf);
    }
}

// The inside of the first BODY start tag: after "<body" up to its ">".
std::pair<qsizetype, qsizetype> bodyInside(const QString &text)
{
    const qsizetype tag = find(text, QStringLiteral("<body"));
    const qsizetype close = tag < 0 ? -1 : text.indexOf(u'>', tag);
    return close < 0 ? std::pair<qsizetype, qsizetype> { -1, -1 } : std::pair { tag + 5, close };
}

void importBodyAttributes(Editor &page, const QString &imported, bool importedWins)
{
    const auto [start, end] = bodyInside(imported);
    if (start < 0 || start == end)
        return;
    for (const QString &attribute : splitAttributes(QStringView(imported).mid(start, end - start))) {
        const QString name = attributeName(attribute);
        const QString current = page.text();
        const auto [currentStart, currentEnd] = bodyInside(current);
        if (currentStart < 0)
            return;
        // The current tag's attributes with where each stands.
        qsizetype position = currentStart;
        qsizetype sameAt = -1;
        qsizetype sameLength = 0;
        for (const QString &existing :
            splitAttributes(QStringView(current).mid(currentStart, currentEnd - currentStart))) {
            position = current.indexOf(existing, position);
            if (attributeName(existing).compare(name, Qt::CaseInsensitive) == 0) {
                sameAt = position;
                sameLength = existing.size();
                break;
            }
            position += existing.size();
        }
        if (sameAt >= 0) {
            if (importedWins)
                page.replace(sameAt, sameLength, attribute);
        } else {
            page.insert(currentEnd, u' ' + attribute);
        }
    }
}

void importBodyText(Editor &page, const QString &imported, bool atEnd)
{
    const auto [start, end] = bodyInside(imported);
    if (start < 0)
        return;
    const qsizetype closing = find(imported, QStringLiteral("</body"), end);
    const QString body = imported.mid(end + 1, closing < 0 ? -1 : closing - end - 1);
    const QString current = page.text();
    qsizetype at = page.caret();
    if (atEnd) {
        const qsizetype currentClosing = find(current, QStringLiteral("</body"));
        at = currentClosing < 0 ? current.size() : currentClosing;
    } else {
        // Never inside a tag: a caret between "<" and its ">" moves after the ">".
        const qsizetype open = current.lastIndexOf(u'<', at - 1);
        const qsizetype close = open < 0 ? -1 : current.indexOf(u'>', open);
        if (open >= 0 && close >= at)
            at = close + 1;
    }
    page.insert(std::clamp<qsizetype>(at, 0, current.size()), body);
}

} // namespace

ImportParts importParts(const QString &current, const QString &imported)
{
    ImportParts parts;
    const auto hasHead = [](const QString &text) {
        const qsizetype head = find(text, QStringLiteral("<head"));
        return found(head, text) && found(find(text, QStringLiteral("</head"), head), text);
    };
    if (hasHead(current) && hasHead(imported)) {
        parts.header = true;
        const auto [start, end] = headOf(imported);
        const QString head = imported.mid(start, end - start);
        parts.meta = find(head, QStringLiteral("<meta")) >= 0;
        parts.styles = find(head, QStringLiteral("<style")) >= 0;
        parts.styleSheet = find(head, QStringLiteral("<link")) >= 0;
        parts.title = find(head, QStringLiteral("<title")) >= 0;
    }
    parts.body = found(find(imported, QStringLiteral("<body")), imported);
    return parts;
}

void importHtml(SourceBuffer &current, const QString &imported, const ImportChoice &choice, int caret,
    const std::function<void(const QString &step)> &progress)
{
    const auto say = [&](const char16_t *step) {
        if (progress)
            progress(QString::fromUtf16(step));
    };
    Editor page(current, caret);
    if (choice.header) {
        say(u"Processing Header Information");
        if (choice.meta && find(imported, QStringLiteral("<meta")) >= 0) {
            say(u"Importing Meta Tags");
            importMeta(page, imported, choice.importedWins);
        }
        if (choice.styles) {
            say(u"Importing Inline Styles");
            importStyles(page, imported, choice.importedWins);
        }
        if (choice.styleSheet) {
            say(u"Importing Style Sheet");
            importStyleSheet(page, imported);
        }
        if (choice.title && find(imported, QStringLiteral("<title")) >= 0) {
            say(u"Importing Title");
            importTitle(page, imported, choice.importedWins);
        }
    }
    if (choice.body) {
        say(u"Importing Body Settings");
        importBodyAttributes(page, imported, choice.importedWins);
    }
    if (choice.text) {
        say(u"Importing Body Text");
        importBodyText(page, imported, choice.atEnd);
    }
}

} // namespace TextImport
