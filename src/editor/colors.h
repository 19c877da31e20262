// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// A colour as the program stores and passes it: 0x00BBGGRR, red in the low byte.
using TColor = quint32;

// "#RRGGBB", red first.
QString ColorToHex(TColor color);
// The colour's name ("Gray" for 0x808080), or "Unknown_Color_Name".
QString ColorToStr(TColor color);
// A colour name or "#RRGGBB" code in any letter case, with or without the "#"; black for anything else.
TColor StrToColor(const QString &text);

inline const QString UnknownColorName = QStringLiteral("Unknown_Color_Name");

// The sixteen named colours in the order the colour lists show them.
QStringList namedColors();

QColor toQColor(TColor color);
TColor fromQColor(const QColor &color);
