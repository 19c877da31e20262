// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ui/colourbutton.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTest>

class TestColourButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void routesEndInTheChosenColour();
    void swatchShowsTheLastColour();
};

void TestColourButton::routesEndInTheChosenColour()
{
    TColourButton button;
    QSignalSpy chosen(&button, &TColourButton::colourChosen);

    // The main part writes the last-used colour, red at first.
    button.click();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.takeFirst().at(0).value<TColor>(), TColor(0x0000FF));

    // A named colour from the drop-down becomes the last-used one.
    QAction *grey = button.colourMenu()->findChild<QAction *>(QStringLiteral("Grey1"));
    QVERIFY(grey);
    QCOMPARE(grey->text(), QStringLiteral("&Grey"));
    grey->trigger();
    QCOMPARE(chosen.takeFirst().at(0).value<TColor>(), TColor(0x808080));
    QCOMPARE(button.lastColour(), TColor(0x808080));
    button.click();
    QCOMPARE(chosen.takeFirst().at(0).value<TColor>(), TColor(0x808080));

    // "&More Colors": Cancel changes nothing, OK writes and remembers the colour.
    std::optional<QColor> answer;
    QColor offered;
    button.setColorChooser([&](QColor current) {
        offered = current;
        return answer;
    });
    QAction *more = button.colourMenu()->findChild<QAction *>(QStringLiteral("MoreColors1"));
    QVERIFY(more);
    QCOMPARE(more->text(), QStringLiteral("&More Colors"));
    more->trigger();
    QCOMPARE(offered, QColor(0x80, 0x80, 0x80));
    QCOMPARE(chosen.size(), 0);
    QCOMPARE(button.lastColour(), TColor(0x808080));
    answer = QColor(0x12, 0x34, 0x56);
    button.chooseMoreColours();
    QCOMPARE(chosen.takeFirst().at(0).value<TColor>(), TColor(0x563412));
    QCOMPARE(button.lastColour(), TColor(0x563412));
}

void TestColourButton::swatchShowsTheLastColour()
{
    TColourButton button;
    button.setIconSize(QSize(16, 16));
    button.setLastColour(0x00FF00);
    const QImage image = button.icon().pixmap(QSize(16, 16)).toImage();
    QVERIFY(!image.isNull());
    // The bottom rows carry the colour; the row above them belongs to the letter's area.
    const int bottom = image.height() - 1;
    QCOMPARE(image.pixelColor(image.width() / 2, bottom), QColor(0, 255, 0));
    QVERIFY(image.pixelColor(0, image.height() * 11 / 16 - 1) != QColor(0, 255, 0));
}

QTEST_MAIN(TestColourButton)
#include "tst_colourbutton.moc"
