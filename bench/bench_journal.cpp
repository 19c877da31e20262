// SPDX-License-Identifier: GPL-3.0-or-later
// What the recovery journal's tick costs the UI thread on a 200 MB page in the main window after one
// typed character: as the page's edits since it was opened (how a big page is journalled), and as its
// whole text (how a small one is); as a peer in the same run a bare copy of as many bytes. The writer
// thread's work is not counted, but is waited for between ticks.
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/journalcommands.h"
#include "app/ui/mainform.h"
#include "base/settingsstore.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "pagegenerator.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr qsizetype pageBytes = 200 * 1024 * 1024;
constexpr int iterations = 5;

QString pagePath;
std::map<std::string, std::vector<double>> milliseconds;

double median(const std::string &name)
{
    std::vector<double> v = milliseconds[name];
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void tick(benchmark::State &state, const std::string &name, qint64 limit)
{
    QTemporaryDir config;
    SettingsStore settings(
        config.filePath(QStringLiteral("user.ini")), config.filePath(QStringLiteral("machine.ini")));
    InstallCheck::seedTemplate(settings);
    Bench::YesPrompter prompter;
    TMainForm form(settings, &prompter);
    form.FormCreate({});
    DocumentCommands &documents = form.commands().documents;
    documents.openFileIntoPage(pagePath);
    EditorBuffer &buffer = documents.activePage()->buffer();
    const qint64 saved = std::exchange(JournalCommands::snapshotLimit, limit);
    int at = buffer.length() / 2;
    for (auto _ : state) {
        buffer.select(at++, 0);
        buffer.setSelText(QStringLiteral("x"));
        QElapsedTimer timer;
        timer.start();
        documents.journal().writeChanged();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        milliseconds[name].push_back(ms);
        documents.journal().journal().flush();
    }
    JournalCommands::snapshotLimit = saved;
}

void edits(benchmark::State &state)
{
    tick(state, "edits", 2 * 1024 * 1024);
}

void whole(benchmark::State &state)
{
    tick(state, "whole", std::numeric_limits<qint64>::max());
}

void bareCopy(benchmark::State &state)
{
    const QByteArray page(pageBytes, 'x');
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QByteArray copy(page.size(), Qt::Uninitialized);
        std::memcpy(copy.data(), page.constData(), size_t(page.size()));
        benchmark::DoNotOptimize(copy.constData());
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        milliseconds["memcpy"].push_back(ms);
    }
}

} // namespace

int main(int argc, char **argv)
{
    Bench::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (!Bench::initialise(argc, argv))
        return 1;
    QTemporaryDir folder;
    pagePath = Bench::writeFile(folder, QStringLiteral("page.html"), PageGenerator::pageUtf8(pageBytes));

    const struct
    {
        const char *name;
        void (*run)(benchmark::State &);
    } benchmarks[] = { { "journal/edits_200mb", edits }, { "journal/whole_200mb", whole },
        { "journal/memcpy_200mb", bareCopy } };
    for (const auto &[name, run] : benchmarks)
        benchmark::RegisterBenchmark(name, run)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("journal: edits_200mb_ms=%.2f whole_200mb_ms=%.1f memcpy_200mb_ms=%.1f\n", median("edits"),
        median("whole"), median("memcpy"));
    return 0;
}
