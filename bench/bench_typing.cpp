// SPDX-License-Identifier: GPL-3.0-or-later
// Typing a tag in the middle of a 10 MB page in the main window, with every typing aid on (the undo
// burst, prompting with its lists and ticker, the end tag on ">"), and a click that loads a tag into the
// current-tag editor, with word wrap on and off; as peers the same keys typed into a plain QsciScintilla
// and a QPlainTextEdit that hold the same page, in one run. Each key is timed from the key event until its
// repaint is done; after the tag, the longest pass of the event loop over the next two seconds shows what
// is left to do in the background.
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
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
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr qsizetype pageBytes = 10 * 1024 * 1024;
constexpr int iterations = 5;
const QSize windowSize(1200, 800);
// What a user types for a table: the tag list narrows, the attribute list, the value list, the end tag.
const QString typed = QStringLiteral("<table align=center>");

QString pagePath;
std::map<std::string, std::vector<double>> milliseconds;

// Sends each character of keys to target and lets the window finish with it, painting included.
void typeTimed(QWidget *target, const QString &keys, const std::string &name)
{
    for (const QChar c : keys) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(target, c.toLatin1());
        QCoreApplication::processEvents();
        target->repaint();
        milliseconds[name].push_back(double(timer.nsecsElapsed()) / 1e6);
    }
}

// Runs the event loop for ms milliseconds and returns its longest pass.
double settle(int ms = 300)
{
    QElapsedTimer idle;
    idle.start();
    double longest = 0;
    while (idle.elapsed() < ms) {
        QElapsedTimer pass;
        pass.start();
        QCoreApplication::processEvents();
        longest = std::max(longest, double(pass.nsecsElapsed()) / 1e6);
    }
    return longest;
}

void typeInWindow(benchmark::State &state, bool wrap)
{
    const std::string name = wrap ? "window" : "window_nowrap";
    QTemporaryDir config;
    SettingsStore settings(
        config.filePath(QStringLiteral("user.ini")), config.filePath(QStringLiteral("machine.ini")));
    InstallCheck::seedTemplate(settings);
    for (const char *flag : { "Use Prompting", "Tag Completion", "Tag Structure", "Tag Edit", "Tag Info" })
        settings.writeBool(Keys::Editor, QString::fromLatin1(flag), true);
    settings.writeBool(Keys::Editor, QStringLiteral("Word Wrap"), wrap);
    Bench::YesPrompter prompter;
    TMainForm form(settings, &prompter);
    form.FormCreate({});
    form.commands().documents.openFileIntoPage(pagePath);
    form.resize(windowSize);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("the window was not shown");
    TSourceEditor *editor = form.htmlSource();
    EditorBuffer &buffer = form.activePage()->buffer();
    // Long enough for the lines that were not shown to be wrapped in the background.
    settle(5000);

    int line = buffer.lineCount() / 2;
    for (auto _ : state) {
        // A fresh line in the middle of the page each time, typed as a new burst.
        form.TypingTimerTimer();
        buffer.setSelStart(buffer.positionFromLine(line));
        editor->ensureCursorVisible();
        QTest::keyClick(editor, Qt::Key_Return);
        buffer.setSelStart(buffer.positionFromLine(line));
        settle();
        QElapsedTimer whole;
        whole.start();
        typeTimed(editor, typed, name + "_key");
        state.SetIterationTime(double(whole.nsecsElapsed()) / 1e9);
        milliseconds[name + "_after"].push_back(settle(2000));

        // A click inside the tag just typed: load on click, the tooltip, the edit menu.
        const int inside = buffer.positionFromLine(line) + 3;
        const long byte = buffer.bytePosition(inside);
        const QPoint at(int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, byte)) + 1,
            int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, byte)) + 5);
        QElapsedTimer click;
        click.start();
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        editor->repaint();
        milliseconds[name + "_click"].push_back(double(click.nsecsElapsed()) / 1e6);
        line += 7;
    }
}

template <typename Editor> void typeInPeer(benchmark::State &state, const std::string &name)
{
    QFile file(pagePath);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(pagePath));
    Editor editor;
    if constexpr (std::is_same_v<Editor, QsciScintilla>) {
        editor.setUtf8(true);
        editor.setText(QString::fromUtf8(file.readAll()));
        editor.setCursorPosition(editor.lines() / 2, 0);
    } else {
        editor.setPlainText(QString::fromUtf8(file.readAll()));
        QTextCursor cursor = editor.textCursor();
        cursor.setPosition(editor.document()->characterCount() / 2);
        editor.setTextCursor(cursor);
    }
    editor.resize(windowSize);
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        qFatal("the peer was not shown");
    settle();
    for (auto _ : state) {
        QElapsedTimer whole;
        whole.start();
        typeTimed(&editor, typed, name + "_key");
        state.SetIterationTime(double(whole.nsecsElapsed()) / 1e9);
    }
}

double percentile(const std::string &name, double p)
{
    std::vector<double> times = milliseconds[name];
    if (times.empty())
        return -1;
    std::sort(times.begin(), times.end());
    return times[std::min(times.size() - 1, size_t(p * double(times.size())))];
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

    for (benchmark::internal::Benchmark *b : {
             benchmark::RegisterBenchmark(
                 "typing/window_10mb", [](benchmark::State &state) { typeInWindow(state, true); }),
             benchmark::RegisterBenchmark(
                 "typing/window_nowrap_10mb", [](benchmark::State &state) { typeInWindow(state, false); }),
             benchmark::RegisterBenchmark("typing/qsci_10mb",
                 [](benchmark::State &state) { typeInPeer<QsciScintilla>(state, "qsci"); }),
             benchmark::RegisterBenchmark("typing/plaintextedit_10mb",
                 [](benchmark::State &state) { typeInPeer<QPlainTextEdit>(state, "plaintextedit"); }),
         })
        b->Iterations(iterations)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    for (const char *name : { "window", "window_nowrap" }) {
        const std::string n = name;
        std::printf(
            "typing %s: key_median_ms=%.1f key_max_ms=%.1f after_longest_event_ms=%.1f click_ms=%.1f\n", name,
            percentile(n + "_key", 0.5), percentile(n + "_key", 1.0), percentile(n + "_after", 0.5),
            percentile(n + "_click", 0.5));
    }
    for (const char *name : { "qsci", "plaintextedit" }) {
        const std::string n = name;
        std::printf("typing %s: key_median_ms=%.1f key_max_ms=%.1f\n", name, percentile(n + "_key", 0.5),
            percentile(n + "_key", 1.0));
    }
    return 0;
}
