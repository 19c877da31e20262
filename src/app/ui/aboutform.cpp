// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutform.h"

#include "base/productstrings.h"
#include "base/ui/icons.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace {

QString dataSize(qint64 kilobytes)
{
    return QLocale().formattedDataSize(kilobytes * 1024, 2, QLocale::DataSizeTraditionalFormat);
}

QLabel *valueLabel(const QString &objectName, const QString &text)
{
    auto *label = new QLabel(text);
    label->setObjectName(objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

TAboutForm::TAboutForm(const MemoryFigures &memory, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About ") + Product::caption());

    auto *picture = new QLabel;
    picture->setPixmap(Icons::icon(QStringLiteral("tagloom")).pixmap(64, 64));
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto *name = new QLabel(Product::caption());
    name->setObjectName(QStringLiteral("ProductName"));
    QFont large = name->font();
    large.setPointSizeF(large.pointSizeF() * 1.8);
    large.setBold(true);
    name->setFont(large);

    auto *version = new QLabel(QStringLiteral("Version ") + Product::version());
    version->setObjectName(QStringLiteral("Version"));
    auto *purpose
        = new QLabel(QStringLiteral("A desktop HTML editor for people who write web pages by hand."));
    auto *licence = new QLabel(QStringLiteral("GPL-3.0-or-later"));
    licence->setObjectName(QStringLiteral("Licence"));

    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *figures = new QFormLayout;
    figures->setLabelAlignment(Qt::AlignLeft);
    figures->setHorizontalSpacing(16);
    if (memory.ok) {
        figures->addRow(QStringLiteral("Physical memory:"),
            valueLabel(QStringLiteral("PhysicalMemory"), dataSize(memory.totalKb)));
        figures->addRow(QStringLiteral("Available:"),
            valueLabel(QStringLiteral("AvailableMemory"), dataSize(memory.availableKb)));
        const QString swap = memory.swapTotalKb > 0
            ? QStringLiteral("%1 free of %2").arg(dataSize(memory.swapFreeKb), dataSize(memory.swapTotalKb))
            : QStringLiteral("None");
        figures->addRow(QStringLiteral("Swap:"), valueLabel(QStringLiteral("SwapMemory"), swap));
    } else {
        figures->addRow(valueLabel(
            QStringLiteral("MemoryNotAvailable"), QStringLiteral("Memory figures are not available")));
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(18);
    layout->addWidget(picture, 0, 0, 4, 1);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(purpose, 2, 1);
    layout->addWidget(licence, 3, 1);
    layout->addWidget(rule, 4, 0, 1, 2);
    layout->addLayout(figures, 5, 0, 1, 2);
    layout->addWidget(buttons, 6, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutForm::showAbout(QWidget *parent)
{
    TAboutForm form(readMemInfo(), parent);
    form.exec();
}
