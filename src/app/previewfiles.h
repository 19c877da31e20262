// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/documentfile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QTemporaryDir;

// The files the previews show: "~~HTML~~.html" beside a saved page, so its relative links and images
// resolve, or in a private folder of this run for a page never saved. Every file this run created is
// listed and removed by removeAll(); a file that was there before is never removed. The main window owns
// it.
class PreviewFiles
{
public:
    PreviewFiles();
    ~PreviewFiles();

    static QString fileName(); // "~~HTML~~.html"

    enum class Listing { Listed, Unlisted };
    struct Written
    {
        bool ok = false;
        QString path;
        QString error; // why nothing was written, for the user
    };

    // Writes text as the page saves it (format) to the preview file for a page whose file is
    // documentPath (none: never saved). A symbolic link at that place, or the page's own file, is never
    // written: the private folder is used instead. Unlisted leaves the file for an external program.
    Written write(const std::optional<QString> &documentPath, const QString &text, const FileFormat &format,
        Listing listing = Listing::Listed);

    // TempFileNames: the files removeAll() removes, in the order they were first written.
    const QStringList &tempFileNames() const { return m_tempFileNames; }
    void removeAll();
    // The private folder of this run (created on first use); empty when it could not be made.
    QString privateFolder();

private:
    QString placeFor(const std::optional<QString> &documentPath);

    std::unique_ptr<QTemporaryDir> m_private;
    QStringList m_tempFileNames;
};
