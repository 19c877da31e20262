// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <array>

// The download-time estimate of a page: the pictures it shows, the pages of its frames with their
// pictures, their sizes, and the time the whole takes over five line speeds.
namespace DownloadSpeeds {

struct File
{
    QString path; // absolute
    QString fileName;
    QString location; // the folder, ending with "/"
    qint64 size = 0; // bytes
};

inline constexpr std::array<double, 5> speeds { 14.4, 28.8, 56, 64, 128 }; // kilobits per second

struct Estimate
{
    QList<File> files; // in the order found, each once
    double pageKb = 0; // characters of the page's text / 1024
    qint64 relatedKb = 0; // the files' bytes / 1024, cut to whole kilobytes
    float totalKb = 0;
    std::array<double, 5> seconds {}; // at each of speeds
};

// Frame pages are followed this many levels deep.
inline constexpr int frameDepthLimit = 9;

// pageText is the page in the editor, documentFile its file (empty for a page never saved: its relative
// pictures are then not found). Only regular files are sized or read.
Estimate estimate(const QString &pageText, const QString &documentFile);

// "###,##0.00' KB'" and "###,##0.0' s'" in the locale's digits and separators.
QString formatKb(double kb, const QLocale &locale);
QString formatSeconds(double seconds, const QLocale &locale);

} // namespace DownloadSpeeds
