// SPDX-License-Identifier: GPL-3.0-or-later
// Recording undo steps on a 10 MB page held by a real page editor: the time of one record step and the
// memory 19 snapshots hold, for the two forms a snapshot can take: the page's text as the QString an
// EditorBuffer returns (UTF-16), and a copy of the editor's own UTF-8 bytes. Between steps the page gets
// a small edit, so every snapshot is a fresh text, as in use.
#include "app/undolist.h"
#include "editor/ui/editorbuffer.h"
#include "editor/ui/sourceeditor.h"
#include "pagegenerator.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr qsizetype pageBytes = 10 * 1024 * 1024;
constexpr int iterations = 5;
constexpr double mb = 1024.0 * 1024.0;

struct Figures
{
    std::vector<double> recordMs; // one per step
    std::vector<double> residentMb; // one per run of 19 steps
    std::vector<double> heldMb;
    std::vector<double> undoMs; // one per Undo
    std::vector<double> undoneResidentMb; // after undoing all 19 steps
    std::vector<double> undoneHeldMb;
};
std::map<std::string, Figures> figures;

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/statm");
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// What the window reads for a UTF-8 snapshot: one copy of the editor's bytes. Each side of Scintilla's
// gap is copied where it lies; asking for the whole text at once would first move the gap to the end.
QByteArray editorUtf8(TSourceEditor &editor)
{
    using Sci = QsciScintillaBase;
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    const long gap = qBound(0L, editor.SendScintilla(Sci::SCI_GETGAPPOSITION), length);
    QByteArray bytes(length, Qt::Uninitialized);
    const auto copy = [&](long start, long end) {
        if (end > start)
            std::memcpy(bytes.data() + start,
                reinterpret_cast<const char *>(editor.SendScintilla(
                    Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(start), end - start)),
                size_t(end - start));
    };
    copy(0, gap);
    copy(gap, length);
    return bytes;
}

// The peer: what one copy of the page's bytes into fresh memory costs, kept like the snapshots are.
void copyPage(benchmark::State &state)
{
    const QByteArray page = PageGenerator::pageUtf8(pageBytes);
    std::vector<double> &out = figures["copy"].recordMs;
    for (auto _ : state) {
        malloc_trim(0);
        std::vector<QByteArray> copies;
        double runMs = 0;
        for (qsizetype step = 0; step < UndoList::maxSteps; ++step) {
            QElapsedTimer timer;
            timer.start();
            copies.emplace_back(page.constData(), page.size());
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            out.push_back(ms);
            runMs += ms;
        }
        state.SetIterationTime(runMs / 1000.0 / double(UndoList::maxSteps));
    }
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

enum class Storage { String, Utf8 };

void recordSteps(benchmark::State &state, const std::string &name, Storage storage)
{
    TSourceEditor editor;
    EditorBuffer buffer(&editor);
    buffer.setUtf8Text(PageGenerator::pageUtf8(pageBytes));
    quint32 random = 7;
    Figures &out = figures[name];
    const auto snapshot = [&] {
        return UndoState { storage == Storage::Utf8 ? UndoText::fromUtf8(editorUtf8(editor))
                                                    : UndoText::fromString(buffer.text()),
            buffer.selStart(), buffer.selLength() };
    };

    for (auto _ : state) {
        malloc_trim(0);
        const qint64 residentBefore = residentBytes();
        double runMs = 0;
        {
            UndoList list;
            for (qsizetype step = 0; step < UndoList::maxSteps; ++step) {
                QElapsedTimer timer;
                timer.start();
                list.recordStep(1, snapshot(), QStringLiteral("Bold"));
                const double ms = double(timer.nsecsElapsed()) / 1e6;
                out.recordMs.push_back(ms);
                runMs += ms;

                // The command the step was recorded for: a tag put in at the start of some line.
                random = random * 1103515245u + 12345u;
                buffer.select(buffer.positionFromLine(int(random % quint32(buffer.lineCount()))), 0);
                buffer.setSelText(QStringLiteral("<B>"));
            }
            malloc_trim(0);
            out.residentMb.push_back(double(residentBytes() - residentBefore) / mb);
            out.heldMb.push_back(double(list.heldTextBytes()) / mb);

            // Undo every step as the window does: the page's state read afresh, then the old text put in.
            for (qsizetype step = 0; step < UndoList::maxSteps; ++step) {
                QElapsedTimer timer;
                timer.start();
                const std::optional<UndoRestore> restore = list.undo(1, snapshot());
                if (!restore)
                    qFatal("nothing to undo");
                if (storage == Storage::Utf8)
                    buffer.setUtf8Text(restore->state.text.toUtf8());
                else
                    buffer.setText(restore->state.text.toString());
                buffer.select(restore->state.selStart, restore->state.selLength);
                out.undoMs.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            malloc_trim(0);
            out.undoneResidentMb.push_back(double(residentBytes() - residentBefore) / mb);
            out.undoneHeldMb.push_back(double(list.heldTextBytes()) / mb);
        }
        state.SetIterationTime(runMs / 1000.0 / double(UndoList::maxSteps));
    }
    // The text the list itself counts, beside the resident growth measured around it.
    state.counters["held_mb"] = median(out.heldMb);
    state.counters["resident_mb"] = median(out.residentMb);
    state.counters["undo_ms"] = median(out.undoMs);
    state.counters["undone_held_mb"] = median(out.undoneHeldMb);
    state.counters["undone_resident_mb"] = median(out.undoneResidentMb);
}

} // namespace

int main(int argc, char **argv)
{
    Bench::useOffscreenPlatform();
    // Big blocks come straight from the system and go back to it when freed, so the growth of the
    // resident set is the memory the snapshots hold, not what the allocator kept from earlier runs.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    QApplication app(argc, argv);
    if (!Bench::initialise(argc, argv))
        return 1;

    benchmark::RegisterBenchmark(
        "undo/record_10mb_utf8", [](benchmark::State &state) { recordSteps(state, "utf8", Storage::Utf8); })
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("undo/record_10mb_qstring",
        [](benchmark::State &state) { recordSteps(state, "qstring", Storage::String); })
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("undo/copy_10mb", copyPage)
        ->Iterations(iterations)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const Figures &utf8 = figures["utf8"];
    const Figures &string = figures["qstring"];
    std::printf(
        "undo: record_10mb_ms=%.1f snapshots_19_10mb_mb=%.0f record_10mb_qstring_ms=%.1f "
        "snapshots_19_10mb_qstring_mb=%.0f copy_10mb_ms=%.1f undo_10mb_ms=%.0f undone_19_10mb_mb=%.0f\n",
        median(utf8.recordMs), median(utf8.residentMb), median(string.recordMs), median(string.residentMb),
        median(figures["copy"].recordMs), median(utf8.undoMs), median(utf8.undoneResidentMb));
    return 0;
}
