// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/textimport.h"

#include <QStringList>

namespace TextImport {

namespace {

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
