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
        result.append(parts.at(i) + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return result;
}
