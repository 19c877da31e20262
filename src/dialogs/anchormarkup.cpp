// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/anchormarkup.h"

namespace AnchorMarkup {

QStringList anchorNames(const QString &text)
{
    static const QString open = QStringLiteral("<A NAME=");
    QStringList names;
    qsizetype caret = 0;
    qsizetype found;
    while ((found = text.indexOf(open, caret + 1, Qt::CaseInsensitive)) >= 0) {
        qsizetype start = found + open.size();
        QChar quote;
        if (start < text.size() && (text.at(start) == u'"' || text.at(start) == u'\'')) {
            quote = text.at(start);
            ++start;
        }
        qsizetype end = start;
        while (end < text.size()) {
            const QChar c = text.at(end);
            if (c == u'>' || (quote.isNull() ? c.isSpace() || c == u'"' || c == u'\'' : c == quote))
                break;
            ++end;
        }
        if (end > start)
            names.append(text.mid(start, end - start));
        caret = start;
    }
    return names;
}

bool isDuplicate(const QStringList &sections, const QString &name)
{
    return sections.contains(name, Qt::CaseInsensitive);
}

TagCommands::WrapTags anchorTags(const QString &name, const TagCommands::TagStyle &style)
{
    return { TagCommands::cased(QStringLiteral("<A NAME=\""), style) + name + QStringLiteral("\">"),
        TagCommands::cased(QStringLiteral("</A>"), style) };
}

} // namespace AnchorMarkup
