// The menu-header refresh on a 2,000,000-line script with 200,000 headers:
// the whole tick as the shown main window runs it (the timer's handler, then
// everything it leaves to the event loop: the list's relayout and repaint)
// when nothing changed, when a header was renamed and when a header was
// inserted or removed in the middle; the header scan alone, and a plain scan
// of the same bytes for "[...]" lines as the yardstick.
// QUILL_BENCH_OWN_MAIN: the tick needs a QApplication.
//
// Run: build with -DQUILL_BENCH=ON, then, in a real X display as
// scripts/bench.sh runs it (the offscreen platform paints less),
//   xvfb-run -a build/bench/headers_bench
// It also writes the script to $TMPDIR/headers_bench_script.txt, so that
//   grep -c '^\[.*\]$' on that file can be timed beside it.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "catalogue/HeaderList.h"
#include "catalogue/LeftPane.h"
#include "catalogue/headers.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"

namespace {

// 2,000,000 lines, every tenth a header, all headers different.
const std::string& script() {
    static const std::string text = [] {
        const char* body[] = {"#IF",
                              "Checkgold 1000",
                              "#SAY",
                              "Hello <$USERNAME>, Welcome To My Armoury.\\",
                              "I Would Like To <Buy/@buy> A Weapon\\",
                              "#ACT",
                              "Take Gold 1000",
                              "<Main/@main>",
                              ""};
        std::string s;
        for (int n = 0; n < 2000000; ++n) {
            if (n > 0) s += "\r\n";
            if (n % 10 == 0) s += "[@menu" + std::to_string(n / 10) + "]";
            else
                s += body[n % 10 - 1];
        }
        return s;
    }();
    return text;
}

// The yardstick: find each LF, look at the line's first and last byte.
std::size_t plainScan(std::string_view text) {
    std::size_t count = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* stop = lf ? lf : end;
        const char* last = stop > p && stop[-1] == '\r' ? stop - 1 : stop;
        if (last > p && *p == '[' && last[-1] == ']') ++count;
        p = stop + 1;
    }
    return count;
}

void BM_PlainScan(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(plainScan(script()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * script().size()));
}
BENCHMARK(BM_PlainScan)->Unit(benchmark::kMillisecond);

void BM_HeaderScan(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(quill::catalogue::scanHeaders(script()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * script().size()));
}
BENCHMARK(BM_HeaderScan)->Unit(benchmark::kMillisecond);

quill::frmMain* window() {
    static quill::frmMain* w = [] {
        auto* f = new quill::frmMain;
        f->Timer1->stop();
        f->show();
        f->maxEdit->setText(QString::fromStdString(script()));
        QApplication::processEvents();
        return f;
    }();
    return w;
}

// Runs the event loop until it has nothing left to do.
void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

// A tick of Timer1 and the work it posts.
void tick(quill::frmMain* w) {
    w->leftPane->Timer1_Timer();
    settle();
}

void BM_TickUnchanged(benchmark::State& state) {
    quill::frmMain* w = window();
    tick(w);
    for (auto _ : state) tick(w);
    if (w->List1->count() != 200001) state.SkipWithError("wrong number of rows");
}
BENCHMARK(BM_TickUnchanged)->Unit(benchmark::kMillisecond);

// Before each tick, untimed, one key changes the header in the middle of the
// script: `key` typed at `column` the first time, Backspace after it the
// next, so the script alternates between the two. `removes`: the key makes
// the line no header.
void tickAfterKey(benchmark::State& state, int column, Qt::Key key, const QString& text, bool removes) {
    quill::frmMain* w = window();
    auto* e = w->maxEdit;
    e->setFocus();
    const auto press = [&](bool undo) {
        if (!undo) e->setCursorPosition(1000000, column);
        QKeyEvent event(QEvent::KeyPress, undo ? Qt::Key_Backspace : key, Qt::NoModifier, undo ? QString() : text);
        QApplication::sendEvent(e, &event);
        settle();
    };
    bool typed = false;
    for (auto _ : state) {
        state.PauseTiming();
        press(typed);
        typed = !typed;
        state.ResumeTiming();
        tick(w);
    }
    if (w->List1->count() != (typed && removes ? 200000 : 200001)) state.SkipWithError("wrong number of rows");
    if (typed) press(true);
}

// "[@menu100000]" in the middle becomes "[x@menu100000]" and back.
void BM_TickHeaderRenamed(benchmark::State& state) { tickAfterKey(state, 1, Qt::Key_X, "x", false); }
BENCHMARK(BM_TickHeaderRenamed)->Unit(benchmark::kMillisecond);
// Enter splits "[@menu100000]" in two lines that are no headers, and
// Backspace joins them again: every row after it moves up, then down.
void BM_TickHeaderRemoved(benchmark::State& state) { tickAfterKey(state, 6, Qt::Key_Return, "\r", true); }
BENCHMARK(BM_TickHeaderRemoved)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration so the figures can be printed
// next to their yardsticks once all have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFile out(QDir::temp().filePath(QStringLiteral("headers_bench_script.txt")));
    if (out.open(QIODevice::WriteOnly)) out.write(script().data(), static_cast<qint64>(script().size()));
    out.close();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto& t = reporter.seconds;
    if (t.count("BM_PlainScan") && t.count("BM_HeaderScan"))
        std::printf("\nheader scan %.1f ms, plain scan of the same text %.1f ms, ratio %.2f\n",
                    t.at("BM_HeaderScan") * 1e3, t.at("BM_PlainScan") * 1e3,
                    t.at("BM_HeaderScan") / t.at("BM_PlainScan"));
    for (const auto& [name, what] : {std::pair{"BM_TickUnchanged", "script unchanged"},
                                     {"BM_TickHeaderRenamed", "a header renamed"},
                                     {"BM_TickHeaderRemoved", "a header removed or inserted"}})
        if (t.count(name)) std::printf("refresh tick, %s: %.2f ms (aim: under 16 ms)\n", what, t.at(name) * 1e3);
    delete window();
    return 0;
}
