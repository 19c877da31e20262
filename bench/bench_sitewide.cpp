// SPDX-License-Identifier: GPL-3.0-or-later
// Replace All and Strip Tags over a generated site of 5,000 pages in 50 folders (about 115 MB), every page
// read, changed and written back atomically; the peer is sed -i doing the same replacement over the same
// files in one run.
#include "site/sitewide.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int pageCount = 5000;
constexpr int folderCount = 50;
constexpr int iterations = 3;

QTemporaryDir folder;
QStringList files;
qint64 totalBytes = 0;
std::map<std::string, std::vector<double>> milliseconds;

// About 23 KB of ordinary markup with the word "colour" a few times per paragraph.
QByteArray page(int n)
{
    QByteArray out = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>Page " + QByteArray::number(n)
        + "</title>\r\n<!-- generated -->\r\n</head>\r\n<body>\r\n";
    for (int p = 0; out.size() < 23000; ++p) {
        out += "<p class=\"body\">Paragraph " + QByteArray::number(p)
            + " of the page: the colour of the <b>sky</b> and the colour of the <i>sea</i> are told "
              "apart by <a href=\"page"
            + QByteArray::number(n + 1) + ".htm\">the next page</a>, if (a < b) in prose.</p>\r\n";
    }
    out += "</body>\r\n</html>\r\n";
    return out;
}

void writePages()
{
    files.clear();
    totalBytes = 0;
    for (int i = 0; i < pageCount; ++i) {
        const QString sub = QStringLiteral("folder%1").arg(i % folderCount);
        QDir(folder.path()).mkpath(sub);
        const QByteArray bytes = page(i);
        files.append(Bench::writeFile(folder, sub + QStringLiteral("/page%1.htm").arg(i), bytes));
        totalBytes += bytes.size();
    }
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void record(benchmark::State &state, const char *name, double ms)
{
    state.SetIterationTime(ms / 1000.0);
    milliseconds[name].push_back(ms);
}

// Each run turns the word one way and the next turns it back, so every run finds the same matches.
void replaceAll(benchmark::State &state)
{
    bool forth = true;
    for (auto _ : state) {
        const SiteWide::ReplaceOptions options { forth ? QStringLiteral("colour") : QStringLiteral("color"),
            forth ? QStringLiteral("color") : QStringLiteral("colour"), true, false };
        QElapsedTimer timer;
        timer.start();
        const SiteWide::RunResult result = SiteWide::replaceAll(files, options);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (result.files != pageCount || !result.failed.isEmpty())
            state.SkipWithError("not every page was written");
        record(state, "replace", ms);
        forth = !forth;
    }
}

void sedPeer(benchmark::State &state)
{
    bool forth = true;
    for (auto _ : state) {
        QProcess sed;
        const QString script
            = forth ? QStringLiteral("s/colour/color/g") : QStringLiteral("s/color/colour/g");
        QElapsedTimer timer;
        timer.start();
        sed.start(QStringLiteral("sed"), QStringList { QStringLiteral("-i"), script } + files);
        sed.waitForFinished(-1);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (sed.exitStatus() != QProcess::NormalExit || sed.exitCode() != 0)
            state.SkipWithError("sed failed");
        record(state, "sed", ms);
        forth = !forth;
    }
}

void stripAll(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        writePages();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        const SiteWide::RunResult result = SiteWide::stripAll(files);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (result.files != pageCount)
            state.SkipWithError("not every page was written");
        record(state, "strip", ms);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!Bench::initialise(argc, argv))
        return 1;
    writePages();

    const struct
    {
        const char *name;
        void (*run)(benchmark::State &);
    } benchmarks[] = { { "sitewide/replace_5000_pages", replaceAll }, { "sitewide/sed_5000_pages", sedPeer },
        { "sitewide/strip_5000_pages", stripAll } };
    for (const auto &b : benchmarks) {
        benchmark::RegisterBenchmark(b.name, b.run)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double replace = median(milliseconds["replace"]);
    const double sed = median(milliseconds["sed"]);
    std::printf(
        "sitewide detail: pages=%d folders=%d mb=%.1f\n", pageCount, folderCount, double(totalBytes) / 1e6);
    std::printf("sitewide: replace_5000_ms=%.0f sed_5000_ms=%.0f sed_ratio=%.2f strip_5000_ms=%.0f\n",
        replace, sed, replace > 0 ? sed / replace : 0.0, median(milliseconds["strip"]));
    return 0;
}
