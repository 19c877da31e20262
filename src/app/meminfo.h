// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The system's memory figures for the about box, read from /proc/meminfo (values in KiB).
struct MemoryFigures
{
    bool ok = false;
    qint64 totalKb = 0;
    qint64 availableKb = 0;
    qint64 swapTotalKb = 0;
    qint64 swapFreeKb = 0;
};

MemoryFigures parseMemInfo(const QByteArray &contents);
MemoryFigures readMemInfo(const QString &path = QStringLiteral("/proc/meminfo"));
