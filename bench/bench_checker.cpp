// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML checker over a generated 10 MB page, against tidy reporting the errors of the same bytes.
#include "benchsupport.h"

#include "base/programfolder.h"
#include "editor/tagdatabase.h"
#include "tools/htmlchecker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr qsizetype MB = 1024 * 1024;

// A page of everyday markup whose every tag and attribute the tables know, so the scan runs to the end.
QString generatedPage(qsizetype size)
{
    const QString head = QStringLiteral(
        "<html>\r\n<head>\r\n<title>Generated page</title>\r\n"
        "<meta name=\"description\" content=\"A page for measuring the checker\">\r\n</head>\r\n"
        "<body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n");
    const QString tail = QStringLiteral("</body>\r\n</html>\r\n");
    QString page = head;
    page.reserve(size + 4096);
    int n = 0;
    while (page.size() + tail.size() < size) {
        ++n;
        page += QStringLiteral(
            "<h2 align=\"left\"><a name=\"s%1\">Section %1</a></h2>\r\n"
            "<p align=\"justify\" class=\"text\">Paragraph %1 holds <b>bold</b>, <i>italic</i> and "
            "<a href=\"page%1.htm\" title=\"Page %1\">a link</a>; a &lt; b stays text.</p>\r\n"
            "<table border=\"1\" cellpadding=\"2\" width=\"100%\">\r\n<tr><td align=\"right\" valign=\"top\">%1</td>"
            "<td><img src=\"pic%1.gif\" alt=\"Picture %1\" width=\"20\" height=\"20\"></td></tr>\r\n</table>\r\n"
            "<ul>\r\n<li>One item</li>\r\n<li><font size=\"2\" color=\"red\">Another item</font></li>\r\n</ul>\r\n")
                    .arg(n);
    }
    return page + tail;
}

std::map<std::string, std::vector<double>> samples;

double median(const std::string &name)
{
    std::vector<double> values = samples[name];
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString page10;
QString pagePath;
const TagDatabase *tables = nullptr;
int findings = -1;

void checkOurs(benchmark::State &state)
{
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const HtmlChecker::Result result = HtmlChecker::check(page10, *tables);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        benchmark::DoNotOptimize(result.findings.size());
        findings = int(result.findings.size());
        samples["ours"].push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
}

void checkTidy(benchmark::State &state)
{
    for (auto _ : state) {
        QProcess tidy;
        QElapsedTimer clock;
        clock.start();
        tidy.start(QStringLiteral("tidy"), { QStringLiteral("-errors"), QStringLiteral("-quiet"), pagePath });
        if (!tidy.waitForStarted() || !tidy.waitForFinished(-1)) {
            state.SkipWithError("tidy did not run: install the package tidy");
            return;
        }
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        benchmark::DoNotOptimize(tidy.readAllStandardError().size());
        samples["tidy"].push_back(ms);
        state.SetIterationTime(ms / 1000);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!Bench::initialise(argc, argv))
        return 1;
    TagDatabase database;
    if (!database.open(ProgramFolder::path()))
        qFatal("%s", qPrintable(database.error()));
    tables = &database;
    page10 = generatedPage(10 * MB);
    QTemporaryDir folder;
    pagePath = Bench::writeFile(folder, QStringLiteral("page10.html"), page10.toUtf8());

    benchmark::RegisterBenchmark("checker/check_10mb_ours", checkOurs)
        ->Iterations(7)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("checker/check_10mb_tidy", checkTidy)
        ->Iterations(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double ours = median("ours");
    const double tidy = median("tidy");
    std::printf("checker: check_10mb_ms=%.0f tidy_10mb_ms=%.0f tidy_ratio=%.1f findings=%d\n", ours, tidy,
        ours > 0 && tidy > 0 ? tidy / ours : -1.0, findings);
    return tidy > 0 ? 0 : 1;
}
