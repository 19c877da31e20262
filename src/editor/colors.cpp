// SPDX-License-Identifier: GPL-3.0-or-later
#include "colors.h"

#include <array>
#include <optional>

namespace {

struct NamedColor
{
    const char16_t *name;
    TColor value;
};

// The names the colour menu and colour lists offer, in their order. They are also the only names the
// program writes: every browser and checker knows these sixteen.
constexpr std::array<NamedColor, 16> sixteen = { {
    { u"Black", 0x000000 },
    { u"Maroon", 0x000080 },
    { u"Green", 0x008000 },
    { u"Olive", 0x008080 },
    { u"Navy", 0x800000 },
    { u"Purple", 0x800080 },
    { u"Teal", 0x808000 },
    { u"Gray", 0x808080 },
    { u"Silver", 0xC0C0C0 },
    { u"Red", 0x0000FF },
    { u"Lime", 0x00FF00 },
    { u"Yellow", 0x00FFFF },
    { u"Blue", 0xFF0000 },
    { u"Fuchsia", 0xFF00FF },
    { u"Aqua", 0xFFFF00 },
    { u"White", 0xFFFFFF },
} };

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// "RRGGBB" or "RGB" (each digit doubled), red first.
std::optional<TColor> parseHex(QStringView digits)
{
    if (digits.size() != 6 && digits.size() != 3)
        return std::nullopt;
    int channel[6];
    for (qsizetype i = 0; i < digits.size(); ++i) {
        channel[i] = hexDigit(digits[i]);
        if (channel[i] < 0)
            return std::nullopt;
    }
    int red, green, blue;
    if (digits.size() == 3) {
        red = channel[0] * 17;
        green = channel[1] * 17;
        blue = channel[2] * 17;
    } else {
        red = channel[0] * 16 + channel[1];
        green = channel[2] * 16 + channel[3];
        blue = channel[4] * 16 + channel[5];
    }
    return TColor(red) | TColor(green) << 8 | TColor(blue) << 16;
}

bool isQuoteOrBlank(QChar c)
{
    return c.isSpace() || c == u'"' || c == u'\'';
}

} // namespace

QString ColorToHex(TColor color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString ColorToStr(TColor color)
{
    for (const NamedColor &named : sixteen) {
        if (named.value == color)
            return QString::fromUtf16(named.name);
    }
    return UnknownColorName;
}

// Reads what an attribute or style may hold: one of the sixteen names, another CSS colour name,
// "#RRGGBB", "#RGB" or six hex digits without "#", in any letter case, with blanks and quotes around it.
// Anything else (rgb(), system colours, a misspelt name) gives black, since every caller uses the result
// unchecked and black is the safe default text colour.
TColor StrToColor(const QString &text)
{
    QStringView view(text);
    while (!view.isEmpty() && isQuoteOrBlank(view.front()))
        view = view.sliced(1);
    while (!view.isEmpty() && isQuoteOrBlank(view.back()))
        view.chop(1);
    if (view.isEmpty())
        return 0;

    if (view.front() == u'#')
        return parseHex(view.sliced(1)).value_or(0);
    if (view.size() == 6) {
        if (const auto hex = parseHex(view))
            return *hex;
    }
    for (const NamedColor &named : sixteen) {
        if (view.compare(QStringView(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    // The other CSS names ("Orange", "Cyan", "Grey"). QColor also reads codes and "transparent", which are
    // not names: only plain words reach it.
    for (const QChar c : view) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return 0;
    }
    if (view.compare(u"transparent", Qt::CaseInsensitive) == 0)
        return 0;
    const QColor color = QColor::fromString(view);
    return color.isValid() ? fromQColor(color) : 0;
}

QStringList namedColors()
{
    QStringList names;
    names.reserve(int(sixteen.size()));
    for (const NamedColor &named : sixteen)
        names.append(QString::fromUtf16(named.name));
    return names;
}

QColor toQColor(TColor color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor fromQColor(const QColor &color)
{
    if (!color.isValid())
        return 0;
    const QColor rgb = color.toRgb();
    return TColor(rgb.red()) | TColor(rgb.green()) << 8 | TColor(rgb.blue()) << 16;
}
