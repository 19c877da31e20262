// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ui/speedform.h"

#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QLabel *value(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TSpeedForm::TSpeedForm(const QString &text, const QString &documentFile, QWidget *parent)
    : QDialog(parent)
    , m_estimate(DownloadSpeeds::estimate(text, documentFile))
{
    setObjectName(QStringLiteral("SpeedForm"));
    setWindowTitle(QStringLiteral("Downloading Speeds"));
    const QLocale locale;

    FileList = new QTreeWidget(this);
    FileList->setObjectName(QStringLiteral("FileList"));
    FileList->setToolTip(QStringLiteral("Files used in current page"));
    FileList->setRootIsDecorated(false);
    FileList->setHeaderLabels(
        { QStringLiteral("File Name"), QStringLiteral("Location"), QStringLiteral("File Size") });
    const QFileIconProvider icons;
    for (const DownloadSpeeds::File &file : std::as_const(m_estimate.files)) {
        auto *row = new QTreeWidgetItem(FileList,
            { file.fileName, file.location, DownloadSpeeds::formatKb(double(file.size) / 1024.0, locale) });
        row->setIcon(0, icons.icon(QFileInfo(file.path)));
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    FileList->header()->resizeSection(0, 150);
    FileList->header()->resizeSection(1, 220);
    FileList->setMinimumHeight(120);

    auto *sizes = new QGridLayout;
    sizes->addWidget(new QLabel(QStringLiteral("File Size:"), this), 0, 0);
    sizes->addWidget(
        value(QStringLiteral("FileSize"), DownloadSpeeds::formatKb(m_estimate.pageKb, locale), this), 0, 1);
    sizes->addWidget(new QLabel(QStringLiteral("Total Related File Sizes:"), this), 1, 0);
    sizes->addWidget(value(QStringLiteral("RelatedSize"),
                         DownloadSpeeds::formatKb(double(m_estimate.relatedKb), locale), this),
        1, 1);
    sizes->addWidget(new QLabel(QStringLiteral("Total Size:"), this), 2, 0);
    sizes->addWidget(value(QStringLiteral("TotalSize"),
                         DownloadSpeeds::formatKb(double(m_estimate.totalKb), locale), this),
        2, 1);
    sizes->setRowStretch(3, 1);

    auto *times = new QGroupBox(QStringLiteral("Time to download at:"), this);
    auto *timeGrid = new QGridLayout(times);
    const QStringList captions { QStringLiteral("14.4Kb/s"), QStringLiteral("28.8Kb/s"),
        QStringLiteral("56Kb/s"), QStringLiteral("ISDN (64Kb/s)"), QStringLiteral("ISDN (128Kb/s)") };
    const QStringList names { QStringLiteral("_144"), QStringLiteral("_288"), QStringLiteral("_56"),
        QStringLiteral("_64"), QStringLiteral("_128") };
    for (int i = 0; i < captions.size(); ++i) {
        timeGrid->addWidget(new QLabel(captions[i], times), i, 0);
        timeGrid->addWidget(
            value(names[i], DownloadSpeeds::formatSeconds(m_estimate.seconds[size_t(i)], locale), times), i,
            1);
    }

    auto *figures = new QHBoxLayout;
    figures->addLayout(sizes, 1);
    figures->addSpacing(16);
    figures->addWidget(times, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FileList, 1);
    layout->addLayout(figures);
    layout->addWidget(buttons);
    resize(560, 400);
}
