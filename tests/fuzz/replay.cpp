// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds every file of the folders (or the files) named to the target once, so the corpus, with every
// input that once crashed, is run by the ordinary test build with any compiler.
#include "fuzzcheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString named = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(named).isDir()) {
            QDirIterator it(named, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files.append(it.next());
        } else {
            files.append(named);
        }
        files.sort();
        for (const QString &name : files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(
                reinterpret_cast<const std::uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++runs;
        }
    }
    std::printf("%d inputs replayed\n", runs);
    // An empty corpus proves nothing.
    return runs > 0 ? 0 : 1;
}
