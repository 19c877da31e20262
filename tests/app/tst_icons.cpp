// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/actiontable.h"
#include "base/ui/icons.h"
#include "testenvironment.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void ownPicturesWithoutATheme();
    void themePicturesWhereTheThemeHasThem();

private:
    QStringList m_searchPaths;
};

namespace {

// The colour most of the picture's visible pixels have, to tell one picture from another.
QRgb mainColour(const QIcon &icon)
{
    const QImage image = icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    return best;
}

} // namespace

void TestIcons::init()
{
    QIcon::setThemeName(QString());
    QIcon::setFallbackThemeName(QString());
    QIcon::setThemeSearchPaths({});
}

void TestIcons::ownPicturesWithoutATheme()
{
    // Every picture the menus, toolbars and status bar name exists as our own, and draws.
    QStringList names = { u"tagloom"_qs, u"typing"_qs, u"notyping"_qs, u"page"_qs, u"site"_qs, u"folder"_qs,
        u"folder-open"_qs, u"web-page"_qs, u"style-sheet"_qs, u"anchor"_qs, u"ftp"_qs, u"ftp-new"_qs };
    for (const ActionTable::ActionRow &row : ActionTable::rows())
        if (*row.icon)
            names.append(QString::fromUtf16(row.icon));
    for (const QString &name : names) {
        const QIcon own = Icons::ownIcon(name);
        QVERIFY2(!own.isNull(), qPrintable(name));
        const QIcon icon = Icons::icon(name);
        QVERIFY2(!icon.isNull(), qPrintable(name));
        const QImage image = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0;
        QVERIFY2(inked > 16, qPrintable(name));
    }
    QVERIFY(Icons::icon(u"no-such-picture"_qs).isNull());
    QVERIFY(Icons::themeName(u"symbol"_qs).isEmpty());
    QCOMPARE(Icons::themeName(u"new"_qs), u"document-new"_qs);
}

void TestIcons::themePicturesWhereTheThemeHasThem()
{
    // A theme of our own with one picture, in a colour none of ours has.
    TestEnvironment env;
    env.writeFile(u"icons/Plain/index.theme"_qs,
        "[Icon Theme]\nName=Plain\nDirectories=24x24/actions\n\n[24x24/actions]\nSize=24\nType=Fixed\n");
    QImage green(24, 24, QImage::Format_ARGB32);
    green.fill(QColor(0, 200, 0));
    QDir().mkpath(env.path(u"icons/Plain/24x24/actions"_qs));
    QVERIFY(green.save(env.path(u"icons/Plain/24x24/actions/document-new.png"_qs)));
    QIcon::setThemeSearchPaths({ env.path(u"icons"_qs) });
    QIcon::setThemeName(u"Plain"_qs);

    const QIcon fromTheme = Icons::icon(u"new"_qs);
    QCOMPARE(fromTheme.name(), u"document-new"_qs);
    QCOMPARE(mainColour(fromTheme), qRgb(0, 200, 0));
    // What the theme lacks is ours, and so is a picture with no standard name.
    QCOMPARE(mainColour(Icons::icon(u"save"_qs)), mainColour(Icons::ownIcon(u"save"_qs)));
    QCOMPARE(mainColour(Icons::icon(u"symbol"_qs)), mainColour(Icons::ownIcon(u"symbol"_qs)));
    QVERIFY(mainColour(Icons::ownIcon(u"new"_qs)) != qRgb(0, 200, 0));
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
