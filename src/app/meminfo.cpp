// SPDX-License-Identifier: GPL-3.0-or-later
#include "meminfo.h"

#include <QFile>
#include <QList>

#include <optional>

namespace {

// The figure of a line such as "MemTotal:       16318412 kB".
std::optional<qint64> figure(QByteArrayView line, QByteArrayView key)
{
    if (!line.startsWith(key) || line.size() <= key.size() || line[key.size()] != ':')
        return std::nullopt;
    QByteArrayView value = line.sliced(key.size() + 1).trimmed();
    if (value.endsWith("kB"))
        value = value.chopped(2).trimmed();
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok || number < 0)
        return std::nullopt;
    return number;
}

} // namespace

MemoryFigures parseMemInfo(const QByteArray &contents)
{
    std::optional<qint64> total, available, swapTotal, swapFree, free, buffers, cached;
    const QList<QByteArray> lines = contents.split('\n');
    for (const QByteArray &line : lines) {
        const QByteArrayView view(line);
        if (auto v = figure(view, "MemTotal"))
            total = v;
        else if (auto v = figure(view, "MemAvailable"))
            available = v;
        else if (auto v = figure(view, "SwapTotal"))
            swapTotal = v;
        else if (auto v = figure(view, "SwapFree"))
            swapFree = v;
        else if (auto v = figure(view, "MemFree"))
            free = v;
        else if (auto v = figure(view, "Buffers"))
            buffers = v;
        else if (auto v = figure(view, "Cached"))
            cached = v;
    }

    MemoryFigures figures;
    if (!total)
        return figures;
    figures.ok = true;
    figures.totalKb = *total;
    // Kernels before 3.14 give no MemAvailable; free memory plus the caches is what they would have said.
    figures.availableKb
        = available ? *available : free.value_or(0) + buffers.value_or(0) + cached.value_or(0);
    figures.swapTotalKb = swapTotal.value_or(0);
    figures.swapFreeKb = swapFree.value_or(0);
    return figures;
}

MemoryFigures readMemInfo(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Files under /proc report no size, so readAll reads until the end instead of trusting size().
    const QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return parseMemInfo(contents);
}
