// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// The tips of the day: the lines of the file "Tips" beside the program, one picked at random at a time.
// The generator is seeded once, so tips picked in quick succession differ.
class Tips
{
public:
    // A missing or unreadable file gives no tips.
    static QStringList load(const QString &path);
    static QString path(const QString &programFolder);

    explicit Tips(QStringList lines, quint32 seed = QRandomGenerator::global()->generate());

    // An empty text when there are no tips; never the same line twice running when there are two or more.
    QString next();
    int count() const { return int(m_lines.size()); }

private:
    QStringList m_lines;
    QRandomGenerator m_random;
    int m_last = -1;
};
