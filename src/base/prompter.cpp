// SPDX-License-Identifier: GPL-3.0-or-later
#include "prompter.h"

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            if (pattern == u"*.*")
                pattern = QStringLiteral("*");
        }
        // The design's descriptions carry their own "(*.html, *.htm)"; Qt adds the patterns again, so the
        // description's list gives way to the one Qt reads.
        QString description = parts.at(i).trimmed();
        if (description.endsWith(u')')) {
            const qsizetype open = description.lastIndexOf(QStringLiteral(" ("));
            if (open > 0 && description.mid(open).contains(u'*'))
                description.truncate(open);
        }
        result.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return result;
}
