// SPDX-License-Identifier: GPL-3.0-or-later
#include "splashform.h"

#include "base/productstrings.h"
#include "base/ui/icons.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int ProgressMaximum = 50;
constexpr QRgb BandColor = 0xffe8742c;
constexpr QSize SplashSize(420, 240);
// The coloured band at the top holds the icon and the name; the progress sits on white below it.
constexpr int BandHeight = 132;

} // namespace

TSplashForm::TSplashForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , ProgressBar(new QProgressBar(this))
    , ProgressLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(Product::caption());
    setFixedSize(SplashSize);
    setAutoFillBackground(false);

    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, ProgressMaximum);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(14);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));

    // The painted band and texts are dark on white whatever the desktop theme is, so the label is too.
    QPalette palette = ProgressLabel->palette();
    palette.setColor(QPalette::WindowText, QColor(0x36, 0x42, 0x4f));
    ProgressLabel->setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, BandHeight + 20, 24, 20);
    layout->setSpacing(8);
    layout->addWidget(ProgressLabel);
    layout->addWidget(ProgressBar);
    layout->addStretch();

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), SplashSize);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    setProgress(0, QStringLiteral("Starting program"));
}

void TSplashForm::setProgress(int position, const QString &label)
{
    ProgressBar->setValue(std::clamp(position, 0, ProgressMaximum));
    ProgressLabel->setText(label);
    // repaint() paints now (when shown) without running the event loop, so no user input is handled early.
    ProgressBar->repaint();
    ProgressLabel->repaint();
}

void TSplashForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(QRect(0, 0, width(), BandHeight), QColor(BandColor));

    const QRect iconRect(28, (BandHeight - 64) / 2, 64, 64);
    // A white plate behind the icon keeps its orange square apart from the orange band.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(iconRect).adjusted(-6, -6, 6, 6), 16, 16);
    painter.drawPixmap(iconRect, Icons::icon(QStringLiteral("tagloom")).pixmap(64, 64));

    QFont title = font();
    title.setPixelSize(38);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    const QRect textArea(iconRect.right() + 26, 0, width() - iconRect.right() - 40, BandHeight);
    const QFontMetrics titleMetrics(title);
    const int baseline = BandHeight / 2 + titleMetrics.ascent() / 2 - 6;
    painter.drawText(textArea.left(), baseline, Product::caption());

    QFont subtitle = font();
    subtitle.setPixelSize(15);
    painter.setFont(subtitle);
    painter.setPen(QColor(0xff, 0xf1, 0xe6));
    painter.drawText(textArea.left(), baseline + QFontMetrics(subtitle).height() + 8,
        QStringLiteral("HTML editor, version ") + Product::version());

    QFont small = font();
    small.setPixelSize(11);
    painter.setFont(small);
    painter.setPen(QColor(0x7b, 0x88, 0x96));
    painter.drawText(rect().adjusted(24, 0, -24, -14), Qt::AlignLeft | Qt::AlignBottom,
        QStringLiteral("A desktop HTML editor for people who write web pages by hand."));

    painter.setPen(QColor(0xb9, 0x54, 0x1a));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
