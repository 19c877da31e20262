// SPDX-License-Identifier: GPL-3.0-or-later
#include "striptags.h"

QString stripTags(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) != u'<') {
            const qsizetype next = text.indexOf(u'<', i);
            const qsizetype end = next < 0 ? text.size() : next;
            out += QStringView(text).mid(i, end - i);
            i = end;
            continue;
        }
        const bool comment = text.mid(i, 2) == u"<!";
        // A comment's "->" must lie past its own "<!": "<!->" closes at the earliest at its fourth character.
        const qsizetype close
            = comment ? text.indexOf(QStringLiteral("->"), i + 2) : text.indexOf(u'>', i + 1);
        if (close < 0) {
            out += QStringView(text).mid(i);
            break;
        }
        i = close + (comment ? 2 : 1);
    }
    return out;
}
