// SPDX-License-Identifier: GPL-3.0-or-later
// The KSyntaxHighlighting peer of the colouring benchmark: the whole generated 10 MB page through its HTML
// definition, line by line with the state carried over, as an editor built on it would colour a page.
#include "pagegenerator.h"

#include <KSyntaxHighlighting/AbstractHighlighter>
#include <KSyntaxHighlighting/Definition>
#include <KSyntaxHighlighting/Format>
#include <KSyntaxHighlighting/Repository>
#include <KSyntaxHighlighting/State>
#include <KSyntaxHighlighting/Theme>

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr qsizetype MB = 1024 * 1024;

QByteArray page10;
QString text10;
std::vector<std::pair<int, int>> lines; // start and length in text10, without the line break
std::vector<double> samples; // milliseconds
std::vector<double> longLineSamples; // milliseconds
qint64 formatsApplied = 0;

// The cheapest highlighter that still receives every format: it counts them.
class CountingHighlighter : public KSyntaxHighlighting::AbstractHighlighter
{
public:
    qint64 formats = 0;
    double longLinesMs = 0;

    // The page's few very long lines are timed apart as well: the definition's rules cost far more than
    // in proportion to a line's length there.
    void highlightAll()
    {
        KSyntaxHighlighting::State state;
        const QStringView text(text10);
        longLinesMs = 0;
        for (const auto &[start, length] : lines) {
            if (length < 64 * 1024) {
                state = highlightLine(text.mid(start, length), state);
                continue;
            }
            QElapsedTimer timer;
            timer.start();
            state = highlightLine(text.mid(start, length), state);
            longLinesMs += double(timer.nsecsElapsed()) / 1e6;
        }
    }

protected:
    void applyFormat(int, int, const KSyntaxHighlighting::Format &) override { ++formats; }
};

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

void wholeKsh(benchmark::State &state, const KSyntaxHighlighting::Repository *repository)
{
    CountingHighlighter highlighter;
    highlighter.setDefinition(repository->definitionForName(QStringLiteral("HTML")));
    highlighter.setTheme(repository->defaultTheme());
    // The definition and the ones it includes (CSS, JavaScript) are loaded on first use: not timed.
    highlighter.highlightAll();
    for (auto _ : state) {
        highlighter.formats = 0;
        QElapsedTimer timer;
        timer.start();
        highlighter.highlightAll();
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        samples.push_back(ms);
        longLineSamples.push_back(highlighter.longLinesMs);
        formatsApplied = highlighter.formats;
    }
    state.SetBytesProcessed(state.iterations() * page10.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const KSyntaxHighlighting::Repository repository;
    if (!repository.definitionForName(QStringLiteral("HTML")).isValid()) {
        std::fprintf(stderr, "bench_ksh: KSyntaxHighlighting has no HTML definition\n");
        return 1;
    }

    // The highlighter takes UTF-16 lines; decoding and splitting are not part of the figure.
    page10 = PageGenerator::pageUtf8(10 * MB);
    QElapsedTimer decode;
    decode.start();
    text10 = QString::fromUtf8(page10);
    for (int start = 0; start <= text10.size();) {
        int end = text10.indexOf(QLatin1Char('\n'), start);
        const int next = end < 0 ? text10.size() + 1 : end + 1;
        if (end < 0)
            end = text10.size();
        const int length = end - start - (end > start && text10.at(end - 1) == QLatin1Char('\r') ? 1 : 0);
        lines.emplace_back(start, length);
        start = next;
    }
    const double decodeMs = double(decode.nsecsElapsed()) / 1e6;

    benchmark::RegisterBenchmark("colouring/whole_10mb_ksh", wholeKsh, &repository)
        ->Iterations(5)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    long long longLines = 0;
    for (const auto &line : lines)
        longLines += line.second >= 64 * 1024;
    // The checksum shows that the generator, built here against Qt 5, gave the bytes bench_colouring colours.
    std::printf("ksh detail: long_lines=%lld long_lines_ms=%.0f page_bytes=%lld page_md5=%s lines=%zu "
                "formats=%lld decode_split_ms=%.1f\n",
        longLines, median(longLineSamples), static_cast<long long>(page10.size()),
        QCryptographicHash::hash(page10, QCryptographicHash::Md5).toHex().constData(), lines.size(),
        static_cast<long long>(formatsApplied), decodeMs);
    std::printf("ksh: whole_10mb_ms=%.0f\n", median(samples));
    return 0;
}
