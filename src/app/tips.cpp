// SPDX-License-Identifier: GPL-3.0-or-later
#include "tips.h"

#include <QFile>

QStringList Tips::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString tip = line.trimmed();
        if (!tip.isEmpty())
            lines.append(tip);
    }
    return lines;
}

QString Tips::path(const QString &programFolder)
{
    return programFolder + QStringLiteral("/Tips");
}

Tips::Tips(QStringList lines, quint32 seed)
    : m_lines(std::move(lines))
    , m_random(seed)
{ }

QString Tips::next()
{
    if (m_lines.isEmpty())
        return QString();
    int index = int(m_random.bounded(quint32(m_lines.size())));
    if (index == m_last && m_lines.size() > 1)
        index = (index + 1 + int(m_random.bounded(quint32(m_lines.size() - 1)))) % int(m_lines.size());
    m_last = index;
    return m_lines.at(index);
}
