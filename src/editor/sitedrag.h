// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What a drag from the site tree carries: the node's kind (its icon number: 3 page, 4 GIF image, 5 other
// image, 6 anchor, 7 style sheet), the site's root folder, the node's text (a path relative to the root,
// or an anchor's name) and, for an anchor, the text of the page it belongs to. Written by the site tree,
// read by the source editor's drop handling; four lines of UTF-8.
namespace SiteDrag {

inline QString mimeType()
{
    return QStringLiteral("application/x-tagloom-site-item");
}

struct Item
{
    int icon = 0;
    QString root;
    QString text;
    QString page;
};

inline QByteArray encode(const Item &item)
{
    return QStringList { QString::number(item.icon), item.root, item.text, item.page }
        .join(QLatin1Char('\n'))
        .toUtf8();
}

// Nothing for data that is not four lines with a number first.
inline std::optional<Item> decode(const QByteArray &data)
{
    const QStringList lines = QString::fromUtf8(data).split(QLatin1Char('\n'));
    if (lines.size() != 4)
        return std::nullopt;
    bool ok = false;
    const int icon = lines.at(0).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return Item { icon, lines.at(1), lines.at(2), lines.at(3) };
}

} // namespace SiteDrag
