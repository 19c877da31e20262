// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a 10 MB page until its first paint: our path (DocumentFile::load, EditorBuffer into a
// TSourceEditor) against a plain QsciScintilla and a QPlainTextEdit given the same bytes, in one run.
#include "app/documentfile.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "pagegenerator.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr qsizetype pageBytes = 10 * 1024 * 1024;
constexpr int iterations = 7;
const QSize windowSize(1200, 800);

QString pagePath;
std::map<std::string, std::vector<double>> milliseconds;

QString readUtf8(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

// Runs open() on a fresh widget shown at the window size, timing it up to a painted frame. Building and
// tearing down the widget are not timed.
template <typename Widget, typename Configure, typename Open>
void measureOpen(benchmark::State &state, const std::string &name, Configure configure, Open open)
{
    for (auto _ : state) {
        auto *widget = new Widget;
        configure(*widget);
        widget->resize(windowSize);
        widget->show();
        QCoreApplication::processEvents();

        QElapsedTimer timer;
        timer.start();
        open(*widget);
        const QPixmap frame = widget->grab();
        const double ms = double(timer.nsecsElapsed()) / 1e6;

        benchmark::DoNotOptimize(frame.cacheKey());
        state.SetIterationTime(ms / 1000.0);
        milliseconds[name].push_back(ms);
        delete widget;
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * pageBytes);
}

void openOurs(benchmark::State &state)
{
    measureOpen<TSourceEditor>(
        state, "ours", [](TSourceEditor &) {},
        [](TSourceEditor &editor) {
            const LoadedDocument document = DocumentFile::load(pagePath);
            if (!document.ok)
                qFatal("%s", qPrintable(document.error));
            EditorBuffer(&editor).setText(document.text);
        });
}

void openQsci(benchmark::State &state)
{
    measureOpen<QsciScintilla>(
        state, "qsci", [](QsciScintilla &editor) { editor.setUtf8(true); },
        [](QsciScintilla &editor) { editor.setText(readUtf8(pagePath)); });
}

void openPlainTextEdit(benchmark::State &state)
{
    measureOpen<QPlainTextEdit>(
        state, "plaintextedit", [](QPlainTextEdit &) {},
        [](QPlainTextEdit &editor) { editor.setPlainText(readUtf8(pagePath)); });
}

long median(const std::string &name)
{
    std::vector<double> times = milliseconds[name];
    if (times.empty())
        return -1;
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    const double value = times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    return std::lround(value);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir folder;
    pagePath = folder.filePath(QStringLiteral("page.html"));
    QFile file(pagePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(PageGenerator::pageUtf8(pageBytes)) < pageBytes)
        qFatal("cannot write %s", qPrintable(pagePath));
    file.close();

    const struct
    {
        const char *name;
        void (*run)(benchmark::State &);
    } benchmarks[] = { { "open/ours_10mb", openOurs }, { "open/qsci_10mb", openQsci },
        { "open/plaintextedit_10mb", openPlainTextEdit } };
    for (const auto &[name, run] : benchmarks)
        benchmark::RegisterBenchmark(name, run)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("open: ours_10mb_ms=%ld qsci_10mb_ms=%ld plaintextedit_10mb_ms=%ld\n", median("ours"),
        median("qsci"), median("plaintextedit"));
    return 0;
}
