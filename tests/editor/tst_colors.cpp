// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/colors.h"

#include <QTest>

class TestColors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namedColorsRoundTrip_data();
    void namedColorsRoundTrip();
    void listOrder();
    void readsAnyForm_data();
    void readsAnyForm();
    void unknownColours();
    void qcolorConversion();
};

void TestColors::namedColorsRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("value");
    QTest::addColumn<QString>("hex");
    const struct
    {
        const char *name;
        uint value;
        const char *hex;
    } table[] = {
        { "Black", 0x000000, "#000000" },
        { "Maroon", 0x000080, "#800000" },
        { "Green", 0x008000, "#008000" },
        { "Olive", 0x008080, "#808000" },
        { "Navy", 0x800000, "#000080" },
        { "Purple", 0x800080, "#800080" },
        { "Teal", 0x808000, "#008080" },
        { "Gray", 0x808080, "#808080" },
        { "Silver", 0xC0C0C0, "#C0C0C0" },
        { "Red", 0x0000FF, "#FF0000" },
        { "Lime", 0x00FF00, "#00FF00" },
        { "Yellow", 0x00FFFF, "#FFFF00" },
        { "Blue", 0xFF0000, "#0000FF" },
        { "Fuchsia", 0xFF00FF, "#FF00FF" },
        { "Aqua", 0xFFFF00, "#00FFFF" },
        { "White", 0xFFFFFF, "#FFFFFF" },
    };
    for (const auto &row : table)
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.value << QString::fromLatin1(row.hex);
}

void TestColors::namedColorsRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(uint, value);
    QFETCH(QString, hex);
    QCOMPARE(StrToColor(name), TColor(value));
    QCOMPARE(ColorToHex(StrToColor(name)), hex);
    QCOMPARE(ColorToStr(value), name);
    QCOMPARE(StrToColor(hex), TColor(value));
    QCOMPARE(StrToColor(name.toLower()), TColor(value));
    QCOMPARE(StrToColor(name.toUpper()), TColor(value));
    QCOMPARE(StrToColor(hex.toLower()), TColor(value));
}

void TestColors::listOrder()
{
    QCOMPARE(namedColors(),
        QStringList({ u"Black"_qs, u"Maroon"_qs, u"Green"_qs, u"Olive"_qs, u"Navy"_qs, u"Purple"_qs,
            u"Teal"_qs, u"Gray"_qs, u"Silver"_qs, u"Red"_qs, u"Lime"_qs, u"Yellow"_qs, u"Blue"_qs,
            u"Fuchsia"_qs, u"Aqua"_qs, u"White"_qs }));
}

void TestColors::readsAnyForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("value");
    QTest::newRow("mixed case name") << u"rEd"_qs << 0x0000FFu;
    QTest::newRow("lower-case digits") << u"#ff0000"_qs << 0x0000FFu;
    QTest::newRow("byte order, mixed case") << u"#12aB5c"_qs << 0x5CAB12u;
    QTest::newRow("no hash") << u"0000ff"_qs << 0xFF0000u;
    QTest::newRow("three digits") << u"#f80"_qs << 0x0088FFu;
    QTest::newRow("double quotes and blanks") << u"  \"Navy\" "_qs << 0x800000u;
    QTest::newRow("single quotes") << u"'#C0C0C0'"_qs << 0xC0C0C0u;
    QTest::newRow("CSS name") << u"orange"_qs << 0x00A5FFu;
    QTest::newRow("Grey spelling") << u"GREY"_qs << 0x808080u;
    QTest::newRow("Cyan") << u"Cyan"_qs << 0xFFFF00u;
}

void TestColors::readsAnyForm()
{
    QFETCH(QString, text);
    QFETCH(uint, value);
    QCOMPARE(StrToColor(text), TColor(value));
}

void TestColors::unknownColours()
{
    // Names the reader knows beyond the sixteen are never written back; the sixteen's spelling wins.
    QCOMPARE(ColorToStr(StrToColor(u"cyan"_qs)), u"Aqua"_qs);
    QCOMPARE(ColorToStr(StrToColor(u"grey"_qs)), u"Gray"_qs);
    QCOMPARE(ColorToStr(0x00A5FF), UnknownColorName);
    QCOMPARE(ColorToStr(0x123456), u"Unknown_Color_Name"_qs);
    // A system colour is not a plain RGB value, even if its low bytes match one.
    QCOMPARE(ColorToStr(0x80000000), UnknownColorName);
    QCOMPARE(ColorToHex(0x0000FF), u"#FF0000"_qs);
    QCOMPARE(ColorToHex(0xFF0000), u"#0000FF"_qs);

    for (const QString &text : { u""_qs, u"   "_qs, u"\"\""_qs, u"Redd"_qs, u"#12345"_qs, u"#1234567"_qs,
             u"#GG0000"_qs, u"12345G"_qs, u"transparent"_qs, u"rgb(255,0,0)"_qs, u"light blue"_qs, u"#"_qs,
             u"#FF000080"_qs, u"Réd"_qs })
        QVERIFY2(StrToColor(text) == 0, qPrintable(text));
}

void TestColors::qcolorConversion()
{
    const QColor color = toQColor(0x563412);
    QCOMPARE(color.red(), 0x12);
    QCOMPARE(color.green(), 0x34);
    QCOMPARE(color.blue(), 0x56);
    QCOMPARE(fromQColor(color), TColor(0x563412));
    QCOMPARE(fromQColor(QColor()), TColor(0));
}

QTEST_GUILESS_MAIN(TestColors)
#include "tst_colors.moc"
