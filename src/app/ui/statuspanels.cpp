// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuspanels.h"

#include "base/productstrings.h"
#include "base/ui/icons.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace {

QLabel *placeImage(QLabel *panel, const char *name, const QString &icon, int top)
{
    auto *image = new QLabel(panel);
    image->setObjectName(QString::fromLatin1(name));
    image->setPixmap(Icons::icon(icon).pixmap(12, 12));
    image->move(3, top);
    return image;
}

} // namespace

StatusPanels::StatusPanels(QStatusBar *bar)
{
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const int widths[] = { 300, 50, 70, 70, 50, 50 };
    for (int i = 0; i < 6; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel") + QString::number(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        // Hints and the attribute ticker may hold "<": they are shown as written.
        panel->setTextFormat(Qt::PlainText);
        if (i == 0) {
            panel->setMinimumWidth(widths[i]);
            bar->addWidget(panel, 1);
        } else {
            // The modified mark must fit beside its image whatever the font.
            const int mark = panel->fontMetrics().horizontalAdvance(Product::modifiedMark()) + 12;
            panel->setFixedWidth(i == 2 || i == 3 ? qMax(widths[i], mark) : widths[i]);
            bar->addPermanentWidget(panel);
        }
        m_panels.append(panel);
    }
    m_typing = placeImage(m_panels.at(1), "TypingImg", QStringLiteral("typing"), 4);
    m_typing->hide();
    m_noTyping = placeImage(m_panels.at(1), "NoTypeImg", QStringLiteral("notyping"), 4);
    placeImage(m_panels.at(2), "SiteImage", QStringLiteral("site"), 3);
    placeImage(m_panels.at(3), "PageImage", QStringLiteral("page"), 3);
    StatusProgressBar = new QProgressBar(m_panels.at(4));
    StatusProgressBar->setObjectName(QStringLiteral("StatusProgressBar"));
    StatusProgressBar->setGeometry(2, 2, 46, 14);
    StatusProgressBar->setTextVisible(false);
    StatusProgressBar->hide();

    auto *caret = new QLabel(bar);
    caret->setObjectName(QStringLiteral("CaretPanel"));
    caret->setFrameShape(QFrame::StyledPanel);
    caret->setFrameShadow(QFrame::Sunken);
    caret->setAlignment(Qt::AlignCenter);
    caret->setMinimumWidth(caret->fontMetrics().horizontalAdvance(QStringLiteral("Ln 99999, Col 9999")) + 8);
    bar->addPermanentWidget(caret);
    m_panels.append(caret);
}

void StatusPanels::showCaret(int line, int column)
{
    m_panels.at(6)->setText(QStringLiteral("Ln %1, Col %2").arg(line).arg(column));
}

QString StatusPanels::text(int n) const
{
    const QLabel *label = panel(n);
    return label ? label->text() : QString();
}
