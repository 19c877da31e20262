// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every benchmark program does before and around its measurements.
#include "base/prompter.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace Bench {

// Windows are made offscreen unless the caller chose a platform; call before the application exists.
inline void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Google Benchmark's set-up; false when the command line holds arguments it does not know.
inline bool initialise(int &argc, char **argv)
{
    // The windows a benchmark makes and drops with changed pages leave recovery journals: never in the
    // user's own state folder.
    static QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    benchmark::Initialize(&argc, argv);
    return !benchmark::ReportUnrecognizedArguments(argc, argv);
}

// Writes bytes to name in folder and returns its path; a run without its input stops there.
inline QString writeFile(const QTemporaryDir &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Answers as a user opening a big page does: Yes to the long-file question, OK to a message; no file is
// ever chosen.
class YesPrompter : public Prompter
{
public:
    PromptAnswer message(const QString &, const QString &, PromptButtons buttons, PromptIcon) override
    {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
    }
    std::optional<QString> openFileName(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileRequest &) override { return std::nullopt; }
};

} // namespace Bench
