// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/downloadspeeds.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

// "Downloading Speeds": the files the page uses with their sizes, the page's own size, the totals and the
// time over five line speeds. Made and destroyed by the Download Speeds command.
class TSpeedForm : public QDialog
{
    Q_OBJECT
public:
    TSpeedForm(const QString &text, const QString &documentFile, QWidget *parent);

    const DownloadSpeeds::Estimate &estimate() const { return m_estimate; }

private:
    DownloadSpeeds::Estimate m_estimate;
    QTreeWidget *FileList;
};
