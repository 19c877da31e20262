// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a 10 MB page until its first paint: our path (DocumentFile::load, EditorBuffer into a
// TSourceEditor), the whole open command of the main window, and as peers a plain QsciScintilla and a
// QPlainTextEdit given the same bytes, in one run.
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/mainform.h"
#include "base/documentfile.h"
#include "base/prompter.h"
#include "base/settingsstore.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "pagegenerator.h"

#include "benchsupport.h"

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

// Runs open() on a fresh widget shown at the window size, timing it up to a painted frame, then after()
// untimed. Building and tearing down the widget are not timed.
template <typename Widget, typename Configure, typename Open, typename Make = Widget *(*)(),
    typename After = void (*)(Widget &)>
void measureOpen(
    benchmark::State &state, const std::string &name, Configure configure, Open open,
    Make make = [] { return new Widget; }, After after = [](Widget &) {})
{
    for (auto _ : state) {
        Widget *widget = make();
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
        after(*widget);
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

// The open command of the main window: reading, the page, the BODY and title checks, the page change.
void openWindow(benchmark::State &state)
{
    QTemporaryDir config;
    SettingsStore settings(
        config.filePath(QStringLiteral("user.ini")), config.filePath(QStringLiteral("machine.ini")));
    InstallCheck::seedTemplate(settings);
    Bench::YesPrompter prompter;
    measureOpen<TMainForm>(
        state, "window", [](TMainForm &) {},
        [](TMainForm &form) { form.commands().documents.openFileIntoPage(pagePath); },
        [&] {
            auto *form = new TMainForm(settings, &prompter);
            form->FormCreate({});
            return form;
        },
        [](TMainForm &) {
            // What is left to do in the background (wrapping the lines not shown) must not stall the
            // window: the longest pass of the event loop over the next second is its response time.
            QElapsedTimer idle;
            idle.start();
            double longest = 0;
            while (idle.elapsed() < 1000) {
                QElapsedTimer pass;
                pass.start();
                QCoreApplication::processEvents();
                longest = std::max(longest, double(pass.nsecsElapsed()) / 1e6);
            }
            milliseconds["window_event"].push_back(longest);
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
    } benchmarks[] = { { "open/ours_10mb", openOurs }, { "open/window_10mb", openWindow },
        { "open/qsci_10mb", openQsci }, { "open/plaintextedit_10mb", openPlainTextEdit } };
    for (const auto &[name, run] : benchmarks)
        benchmark::RegisterBenchmark(name, run)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("open: ours_10mb_ms=%ld window_10mb_ms=%ld window_longest_event_ms=%ld qsci_10mb_ms=%ld "
                "plaintextedit_10mb_ms=%ld\n",
        median("ours"), median("window"), median("window_event"), median("qsci"), median("plaintextedit"));
    return 0;
}
