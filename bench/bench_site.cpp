// SPDX-License-Identifier: GPL-3.0-or-later
// A site of 5,000 pages with three anchors each, in folders of 100, plus images and style sheets: reading
// its site file into a tree, writing the tree back, and showing the tree in the site tree widget.
#include "site/sitefile.h"
#include "site/ui/sitetree.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int pageCount = 5000;
constexpr int iterations = 9;

QTemporaryDir folder;
QString sitePath;
std::map<std::string, std::vector<double>> milliseconds;

QByteArray generatedSite()
{
    QByteArray out = "/srv/sites/big/\r\n\tWeb Pages\r\n";
    for (int i = 0; i < pageCount; ++i) {
        if (i % 100 == 0)
            out += "\t\tSection " + QByteArray::number(i / 100) + "\r\n";
        out += "\t\t\tsection" + QByteArray::number(i / 100) + "/page" + QByteArray::number(i) + ".htm\r\n";
        for (const char *anchor : { "top", "contents", "end" })
            out += QByteArray("\t\t\t\t") + anchor + "\r\n";
    }
    out += "\tImages\r\n";
    for (int i = 0; i < 500; ++i)
        out += "\t\timages/picture" + QByteArray::number(i) + (i % 2 ? ".jpg\r\n" : ".gif\r\n");
    out += "\tStyle Sheets\r\n\t\tsite.css\r\n\tFTP Sites\r\n\t\tNew FTP Profile\r\n";
    return out;
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

void loadSite(benchmark::State &state)
{
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        SiteReading reading = SiteFile::read(sitePath);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (!reading.ok())
            state.SkipWithError("the generated site was refused");
        benchmark::DoNotOptimize(reading.root.get());
        record(state, "load", ms);
    }
}

void saveSite(benchmark::State &state)
{
    SiteReading reading = SiteFile::read(sitePath);
    const QString target = folder.filePath(QStringLiteral("saved.site"));
    for (auto _ : state) {
        TextEncoding encoding = reading.encoding;
        QElapsedTimer timer;
        timer.start();
        const SaveResult saved = SiteFile::write(target, *reading.root, encoding);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (!saved.ok)
            state.SkipWithError("the site could not be written");
        record(state, "save", ms);
    }
}

// Building every item of the widget for a freshly opened site, with "Web Pages" expanded.
void showTree(benchmark::State &state)
{
    SiteModel model;
    if (!model.open(sitePath).isEmpty())
        state.SkipWithError("the generated site was refused");
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        TSiteTree tree(model);
        tree.expandNode(Site::section(model.root(), SiteSection::WebPages));
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        record(state, "tree", ms);
    }
}

} // namespace

int main(int argc, char **argv)
{
    Bench::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (!Bench::initialise(argc, argv))
        return 1;

    const QByteArray bytes = generatedSite();
    sitePath = Bench::writeFile(folder, QStringLiteral("big.site"), bytes);

    const struct
    {
        const char *name;
        void (*run)(benchmark::State &);
    } benchmarks[] = { { "site/load_5000_pages", loadSite }, { "site/save_5000_pages", saveSite },
        { "site/tree_5000_pages", showTree } };
    for (const auto &b : benchmarks) {
        benchmark::RegisterBenchmark(b.name, b.run)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("site detail: file_kb=%lld nodes=%d\n", static_cast<long long>(bytes.size() / 1024),
        1 + 4 + pageCount / 100 + pageCount * 4 + 500 + 2);
    std::printf("site: load_5000_ms=%.1f save_5000_ms=%.1f tree_5000_ms=%.1f\n", median(milliseconds["load"]),
        median(milliseconds["save"]), median(milliseconds["tree"]));
    return 0;
}
