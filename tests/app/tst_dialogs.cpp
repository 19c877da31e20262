// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/meminfo.h"
#include "app/ui/aboutform.h"
#include "app/ui/colorbox.h"
#include "app/ui/splashform.h"
#include "base/ui/icons.h"
#include "editor/colors.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {

const QStringList iconNames { u"new"_qs, u"open"_qs, u"save"_qs, u"print"_qs, u"cut"_qs, u"copy"_qs,
    u"paste"_qs, u"undo"_qs, u"redo"_qs, u"find"_qs, u"replace"_qs, u"spelling"_qs, u"refresh"_qs,
    u"preview"_qs, u"bold"_qs, u"italic"_qs, u"underline"_qs, u"link"_qs, u"image"_qs, u"symbol"_qs,
    u"table"_qs, u"meta"_qs, u"line"_qs, u"about"_qs, u"tagloom"_qs, u"typing"_qs, u"notyping"_qs, u"page"_qs,
    u"site"_qs };

// A colour chooser standing in for the modal dialog: answers from a script and remembers what it was shown.
struct ScriptedChooser
{
    std::optional<QColor> answer;
    QList<QColor> shown;

    TColorBox::ColorChooser hook()
    {
        return [this](QColor current) {
            shown.append(current);
            return answer;
        };
    }
};

TColor signalled(const QSignalSpy &spy, int n)
{
    return spy.at(n).at(0).value<TColor>();
}

void scroll(QWidget *widget, int angle)
{
    QWheelEvent event(QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, angle),
        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

QString labelText(const QWidget &form, const QString &name)
{
    const auto *label = form.findChild<QLabel *>(name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void colorBoxEmitsOncePerPick();
    void colorBoxShowsSetColorSilently();
    void colorBoxCustomColour();
    void colorBoxWheelNeverOpensChooser();
    void aboutShowsGivenFigures();
    void aboutWithoutFigures();
    void aboutShowsThisMachineAndClosesOnEscape();
    void splashProgress();
    void iconsDrawEveryName();
};

void TestDialogs::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // Data sizes are written in the locale's number format.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestDialogs::colorBoxEmitsOncePerPick()
{
    TColorBox box;
    QCOMPARE(box.count(), 17);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(box.itemText(i), namedColors().at(i));
        QVERIFY(!box.itemIcon(i).isNull());
    }
    QCOMPARE(box.itemText(16), u"Custom..."_qs);

    QSignalSpy spy(&box, &TColorBox::colorChanged);
    box.setSelectedColor(0xFFFFFF);
    // Typing a letter picks the first colour starting with it, as a user would from the keyboard.
    QTest::keyClicks(&box, u"r"_qs);
    QCOMPARE(box.currentText(), u"Red"_qs);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(signalled(spy, 0), TColor(0x0000FF));
    QCOMPARE(box.selectedColor(), TColor(0x0000FF));

    QTest::keyClick(&box, Qt::Key_Up);
    QCOMPARE(box.currentText(), u"Silver"_qs);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(signalled(spy, 1), TColor(0xC0C0C0));
}

void TestDialogs::colorBoxShowsSetColorSilently()
{
    TColorBox box;
    QSignalSpy spy(&box, &TColorBox::colorChanged);

    box.setSelectedColor(0x800000);
    QCOMPARE(box.currentText(), u"Navy"_qs);
    QCOMPARE(box.selectedColor(), TColor(0x800000));

    // An unnamed colour shows its code in an item of its own just before "Custom...".
    box.setSelectedColor(0x563412);
    QCOMPARE(box.count(), 18);
    QCOMPARE(box.currentIndex(), 16);
    QCOMPARE(box.currentText(), u"#123456"_qs);
    QCOMPARE(box.itemText(17), u"Custom..."_qs);
    QCOMPARE(box.selectedColor(), TColor(0x563412));

    // A second unnamed colour reuses that item rather than growing the list.
    box.setSelectedColor(0x0A0B0C);
    QCOMPARE(box.count(), 18);
    QCOMPARE(box.currentText(), ColorToHex(0x0A0B0C));

    box.setSelectedColor(0x808080);
    QCOMPARE(box.currentText(), u"Gray"_qs);
    QCOMPARE(box.selectedColor(), TColor(0x808080));
    QCOMPARE(spy.count(), 0);
}

void TestDialogs::colorBoxCustomColour()
{
    TColorBox box;
    ScriptedChooser chooser;
    box.setColorChooser(chooser.hook());
    QSignalSpy spy(&box, &TColorBox::colorChanged);
    box.setSelectedColor(0x800000);

    chooser.answer = QColor(0x12, 0x34, 0x56);
    QTest::keyClick(&box, Qt::Key_End);
    QCOMPARE(chooser.shown, QList<QColor> { QColor(0, 0, 0x80) });
    QCOMPARE(box.currentText(), u"#123456"_qs);
    QCOMPARE(box.itemText(box.count() - 1), u"Custom..."_qs);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(signalled(spy, 0), TColor(0x563412));

    // Cancelling goes back to what was shown before, whether custom or named, and reports nothing.
    chooser.answer.reset();
    QTest::keyClick(&box, Qt::Key_End);
    QCOMPARE(chooser.shown.size(), 2);
    QCOMPARE(chooser.shown.last(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(box.currentText(), u"#123456"_qs);
    QCOMPARE(box.selectedColor(), TColor(0x563412));
    box.setSelectedColor(0x808000);
    QTest::keyClick(&box, Qt::Key_End);
    QCOMPARE(box.currentText(), u"Teal"_qs);
    QCOMPARE(box.selectedColor(), TColor(0x808000));
    QCOMPARE(spy.count(), 1);

    // A chosen colour that has a name selects the named item.
    chooser.answer = QColor(0xFF, 0, 0);
    QTest::keyClick(&box, Qt::Key_End);
    QCOMPARE(box.currentText(), u"Red"_qs);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(signalled(spy, 1), TColor(0x0000FF));
}

void TestDialogs::colorBoxWheelNeverOpensChooser()
{
    TColorBox box;
    ScriptedChooser chooser;
    chooser.answer = QColor(0x12, 0x34, 0x56);
    box.setColorChooser(chooser.hook());
    QSignalSpy spy(&box, &TColorBox::colorChanged);

    box.setSelectedColor(0xC0C0C0);
    scroll(&box, -120);
    QCOMPARE(box.currentText(), u"Red"_qs);
    QCOMPARE(spy.count(), 1);

    box.setSelectedColor(0xFFFFFF);
    scroll(&box, -120);
    QCOMPARE(box.currentText(), u"White"_qs);
    QVERIFY(chooser.shown.isEmpty());
    QCOMPARE(spy.count(), 1);
}

void TestDialogs::aboutShowsGivenFigures()
{
    MemoryFigures memory;
    memory.ok = true;
    memory.totalKb = 8 * 1024 * 1024;
    memory.availableKb = 3 * 1024 * 1024 / 2;
    memory.swapTotalKb = 1024 * 1024;
    memory.swapFreeKb = 512 * 1024;
    TAboutForm form(memory);

    QCOMPARE(labelText(form, u"ProductName"_qs), u"Tagloom 99"_qs);
    QVERIFY(labelText(form, u"Version"_qs).startsWith(u"Version 4"_qs));
    QCOMPARE(labelText(form, u"Licence"_qs), u"GPL-3.0-or-later"_qs);
    QCOMPARE(labelText(form, u"PhysicalMemory"_qs), u"8.00 GB"_qs);
    QCOMPARE(labelText(form, u"AvailableMemory"_qs), u"1.50 GB"_qs);
    QCOMPARE(labelText(form, u"SwapMemory"_qs), u"512.00 MB free of 1.00 GB"_qs);
    QVERIFY(!form.findChild<QLabel *>(u"MemoryNotAvailable"_qs));

    // Each figure stands beside its own caption.
    const auto *layout = form.findChild<QFormLayout *>();
    QVERIFY(layout);
    const auto caption = [&](const QString &name) {
        const auto *label = qobject_cast<QLabel *>(layout->labelForField(form.findChild<QLabel *>(name)));
        return label ? label->text() : QString();
    };
    QCOMPARE(caption(u"PhysicalMemory"_qs), u"Physical memory:"_qs);
    QCOMPARE(caption(u"AvailableMemory"_qs), u"Available:"_qs);
    QCOMPARE(caption(u"SwapMemory"_qs), u"Swap:"_qs);
}

void TestDialogs::aboutWithoutFigures()
{
    TAboutForm form(MemoryFigures {});
    QCOMPARE(labelText(form, u"MemoryNotAvailable"_qs), u"Memory figures are not available"_qs);
    QVERIFY(!form.findChild<QLabel *>(u"PhysicalMemory"_qs));
    QVERIFY(!form.findChild<QLabel *>(u"SwapMemory"_qs));
}

void TestDialogs::aboutShowsThisMachineAndClosesOnEscape()
{
    const MemoryFigures memory = readMemInfo();
    QString shownTotal;
    bool closedByEscape = false;
    QTimer::singleShot(0, this, [&] {
        auto *form = qobject_cast<TAboutForm *>(QApplication::activeModalWidget());
        if (!form)
            return;
        shownTotal = labelText(*form, memory.ok ? u"PhysicalMemory"_qs : u"MemoryNotAvailable"_qs);
        QTest::keyClick(form, Qt::Key_Escape);
        closedByEscape = !form->isVisible();
        form->reject();
    });
    TAboutForm::showAbout(nullptr);

    QVERIFY(closedByEscape);
    const QString expected = memory.ok
        ? QLocale().formattedDataSize(memory.totalKb * 1024, 2, QLocale::DataSizeTraditionalFormat)
        : u"Memory figures are not available"_qs;
    QCOMPARE(shownTotal, expected);
}

void TestDialogs::splashProgress()
{
    TSplashForm splash;
    auto *bar = splash.findChild<QProgressBar *>(u"ProgressBar"_qs);
    auto *label = splash.findChild<QLabel *>(u"ProgressLabel"_qs);
    QVERIFY(bar && label);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 50);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(label->text(), u"Starting program"_qs);

    splash.show();
    splash.setProgress(25, u"Loading settings"_qs);
    QCOMPARE(bar->value(), 25);
    QCOMPARE(label->text(), u"Loading settings"_qs);
    // A step beyond the end fills the bar instead of being dropped and leaving the previous step shown.
    splash.setProgress(60, u"Finishing..."_qs);
    QCOMPARE(bar->value(), 50);
    QCOMPARE(label->text(), u"Finishing..."_qs);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((splash.frameGeometry().center() - screen.center()).manhattanLength() <= 2);
}

void TestDialogs::iconsDrawEveryName()
{
    QHash<QByteArray, QString> seen;
    for (const QString &name : iconNames) {
        const QIcon icon = Icons::icon(name);
        QVERIFY2(!icon.isNull(), qPrintable(name));
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY2(sizes.contains(QSize(16, 16)), qPrintable(name));

        const QImage image = icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(16, 16));
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0;
        }
        QVERIFY2(inked > 16, qPrintable(name));
        // Two names drawing the same picture would be a slip in the table of designs.
        const QByteArray bits(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
        QVERIFY2(!seen.contains(bits), qPrintable(name + u" looks like "_qs + seen.value(bits)));
        seen.insert(bits, name);
    }
    QVERIFY(Icons::icon(u"tagloom"_qs).availableSizes().contains(QSize(64, 64)));
    QVERIFY(Icons::icon(u"typing"_qs).availableSizes().contains(QSize(12, 12)));
    QVERIFY(Icons::icon(u"no-such-picture"_qs).isNull());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
