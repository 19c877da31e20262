// SPDX-License-Identifier: GPL-3.0-or-later
// Pages far beyond everyday sizes, in the window as a user meets them (word wrap on): a generated 200 MB
// page (open, Ctrl+End, memory, a typed key, 19 typing steps held by undo), a page that is one 20 MB line
// (open, a typed key), and a blank typed after a 200 KB attribute value pasted into a typed tag. A plain
// QsciScintilla given the same 200 MB text with wrap on runs beside it. Each figure is one timed run: these
// runs take seconds.
#include "app/installcheck.h"
#include "app/ui/documentcommands.h"
#include "app/ui/documentpage.h"
#include "app/ui/mainform.h"
#include "app/ui/undocommands.h"
#include "base/settingsstore.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "pagegenerator.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr qsizetype bigBytes = 200 * 1024 * 1024;
constexpr qsizetype lineBytes = 20 * 1024 * 1024;
constexpr qsizetype valueBytes = 200 * 1024;
const QSize windowSize(1200, 800);

QString bigPath;
QString linePath;
QString valuePath;
std::map<std::string, double> figures;

// Resident memory of this process, in bytes.
double residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * 4096.0 : 0;
}

// Milliseconds from now until what work() changed is painted.
template <typename Work> double paintedAfter(QWidget *view, Work &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QCoreApplication::processEvents();
    view->repaint();
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Window
{
    QTemporaryDir config;
    SettingsStore settings { config.filePath(QStringLiteral("user.ini")),
        config.filePath(QStringLiteral("machine.ini")) };
    Bench::YesPrompter prompter;
    std::unique_ptr<TMainForm> form;

    Window()
    {
        InstallCheck::seedTemplate(settings);
        settings.writeBool(Settings::WordWrap, true);
        form = std::make_unique<TMainForm>(settings, &prompter);
        form->FormCreate({});
        form->resize(windowSize);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("the window was not shown");
    }
    TSourceEditor *editor() const { return form->htmlSource(); }
    double open(const QString &path)
    {
        return paintedAfter(form.get(), [&] { form->commands().documents.openFileIntoPage(path); });
    }
    double key(QChar character)
    {
        return paintedAfter(editor()->viewport(), [&] { QTest::keyClick(editor(), character.toLatin1()); });
    }
};

void bigPage(benchmark::State &state)
{
    for (auto _ : state) {
        const double empty = residentBytes();
        Window w;
        const double open = w.open(bigPath);
        state.SetIterationTime(open / 1000);
        figures["open_200mb_ms"] = open;
        figures["end_200mb_ms"] = paintedAfter(
            w.editor()->viewport(), [&] { QTest::keyClick(w.editor(), Qt::Key_End, Qt::ControlModifier); });
        figures["rss_200mb_bpb"] = (residentBytes() - empty) / double(bigBytes);
        EditorBuffer &buffer = w.form->activePage()->buffer();
        buffer.setSelStart(buffer.positionFromLine(buffer.lineCount() / 2));
        w.editor()->ensureCursorVisible();
        figures["key_200mb_ms"] = w.key(u'x');
        for (int step = 0; step < 19; ++step) {
            w.form->TypingTimerTimer();
            w.key(u'y');
        }
        figures["undo19_200mb_mb"]
            = double(w.form->commands().undo.undoList().heldTextBytes()) / (1024.0 * 1024.0);
    }
}

void oneLongLine(benchmark::State &state)
{
    for (auto _ : state) {
        Window w;
        const double open = w.open(linePath);
        state.SetIterationTime(open / 1000);
        figures["open_line20mb_ms"] = open;
        figures["key_line20mb_ms"] = w.key(u'x');
    }
}

void longValue(benchmark::State &state)
{
    for (auto _ : state) {
        Window w;
        w.open(valuePath);
        EditorBuffer &buffer = w.form->activePage()->buffer();
        // A tag typed as a user does, with the value pasted in: prompting follows the tag from its "<".
        buffer.setSelStart(int(buffer.text().indexOf(QStringLiteral("</p>"))));
        QTest::keyClicks(w.editor(), QStringLiteral("<img src=\""));
        buffer.setSelText(QStringLiteral("data:image/png;base64,") + QString(valueBytes, u'A'));
        QTest::keyClick(w.editor(), '"');
        const double key = w.key(u' ');
        state.SetIterationTime(key / 1000);
        figures["longvalue_key_ms"] = key;
    }
}

void peer(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(bigPath);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(bigPath));
        QsciScintilla editor;
        editor.resize(windowSize);
        editor.setWrapMode(QsciScintilla::WrapWord);
        editor.show();
        if (!QTest::qWaitForWindowExposed(&editor))
            qFatal("the peer was not shown");
        const double open = paintedAfter(&editor, [&] {
            editor.setUtf8(true);
            editor.setText(QString::fromUtf8(file.readAll()));
        });
        state.SetIterationTime(open / 1000);
        figures["qsci_open_200mb_ms"] = open;
        figures["qsci_end_200mb_ms"] = paintedAfter(
            editor.viewport(), [&] { QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier); });
    }
}

// Where laying out one long line starts to cost: a key typed in the middle of a line of each length, in
// a plain Scintilla editor with wrap on and off (the page editor never wraps a line this long).
void lineCost(benchmark::State &state)
{
    for (auto _ : state) {
        double total = 0;
        for (const int kb : { 64, 256, 512, 1024, 2048 }) {
            for (const bool wrap : { true, false }) {
                QsciScintilla editor;
                editor.resize(windowSize);
                editor.setUtf8(true);
                editor.setWrapMode(wrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
                editor.show();
                if (!QTest::qWaitForWindowExposed(&editor))
                    qFatal("the editor was not shown");
                const QByteArray line
                    = QByteArray("lorem <b>ipsum</b> dolor sit amet, ").repeated(kb * 1024 / 34);
                editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, line.constData());
                editor.SendScintilla(
                    QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(line.size() / 2));
                editor.repaint();
                const double ms = paintedAfter(editor.viewport(), [&] { QTest::keyClick(&editor, 'x'); });
                figures["line" + std::to_string(kb) + "kb_" + (wrap ? "wrapped" : "unwrapped") + "_key_ms"]
                    = ms;
                total += ms;
            }
        }
        state.SetIterationTime(total / 1000);
    }
}

QByteArray longValuePage()
{
    return "<html>\r\n<body>\r\n<p></p>\r\n</body>\r\n</html>\r\n";
}

} // namespace

int main(int argc, char **argv)
{
    Bench::useOffscreenPlatform();
    QApplication app(argc, argv);
    if (!Bench::initialise(argc, argv))
        return 1;

    QTemporaryDir folder;
    bigPath = Bench::writeFile(folder, QStringLiteral("big.html"), PageGenerator::pageUtf8(bigBytes));
    linePath = Bench::writeFile(folder, QStringLiteral("line.html"),
        "<html><body><p>" + QByteArray("lorem <b>ipsum</b> dolor sit amet, ").repeated(lineBytes / 34)
            + "</p></body></html>");
    valuePath = Bench::writeFile(folder, QStringLiteral("value.html"), longValuePage());

    for (benchmark::internal::Benchmark *b : {
             benchmark::RegisterBenchmark("big/window_200mb", bigPage),
             benchmark::RegisterBenchmark("big/window_line20mb", oneLongLine),
             benchmark::RegisterBenchmark("big/window_longvalue", longValue),
             benchmark::RegisterBenchmark("big/line_cost", lineCost),
             benchmark::RegisterBenchmark("big/qsci_200mb", peer),
         })
        b->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("big detail:");
    for (const auto &[name, value] : figures) {
        if (name.rfind("line", 0) == 0 && name.find("kb_") != std::string::npos)
            std::printf(" %s=%.1f", name.c_str(), value);
    }
    std::printf("\n");
    std::printf("big:");
    for (const char *name : { "open_200mb_ms", "end_200mb_ms", "rss_200mb_bpb", "key_200mb_ms",
             "open_line20mb_ms", "key_line20mb_ms", "undo19_200mb_mb", "longvalue_key_ms" })
        std::printf(" %s=%.1f", name, figures[name]);
    std::printf("\nbig qsci: open_200mb_ms=%.1f end_200mb_ms=%.1f\n", figures["qsci_open_200mb_ms"],
        figures["qsci_end_200mb_ms"]);
    return 0;
}
