// The menu-header refresh on a 2,000,000-line script with 200,000 headers:
// the whole tick (rebuild of the list and the duplicate check, and the list's
// own work left to the event loop) when nothing changed and when a header
// changed, the header scan alone, and a plain scan of the same bytes for
// "[...]" lines as the yardstick.
// QUILL_BENCH_OWN_MAIN: the tick needs a QApplication.
//
// Run: build with -DQUILL_BENCH=ON, then
//   QT_QPA_PLATFORM=offscreen build/bench/headers_bench
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

// One tick as the timer runs it, and the list's own work that it leaves to
// the event loop, with the script unchanged since the last tick.
void BM_TickUnchanged(benchmark::State& state) {
    quill::frmMain* w = window();
    w->mnuSyntaxTitles_Click();
    QApplication::processEvents();
    for (auto _ : state) {
        w->mnuSyntaxTitles_Click();
        QApplication::processEvents();
    }
    if (w->List1->count() != 200001) state.SkipWithError("wrong number of rows");
}
BENCHMARK(BM_TickUnchanged)->Unit(benchmark::kMillisecond);

// The same after the first header was changed by a typed character (the
// edit and the editor's repaint are not counted), so every tick reads the
// whole script and rebuilds the list.
void BM_TickHeadersChanged(benchmark::State& state) {
    quill::frmMain* w = window();
    auto* e = w->maxEdit;
    e->setFocus();
    bool added = false;
    for (auto _ : state) {
        state.PauseTiming();
        e->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 1L);
        QKeyEvent key(QEvent::KeyPress, added ? Qt::Key_Delete : Qt::Key_X, Qt::NoModifier,
                      added ? QString() : QStringLiteral("x"));
        QApplication::sendEvent(e, &key);
        added = !added;
        QApplication::processEvents();
        state.ResumeTiming();
        w->mnuSyntaxTitles_Click();
        QApplication::processEvents();
    }
    if (w->List1->count() != 200001) state.SkipWithError("wrong number of rows");
}
BENCHMARK(BM_TickHeadersChanged)->Unit(benchmark::kMillisecond);

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
    if (t.count("BM_PlainScan") && t.count("BM_HeaderScan") && t.count("BM_TickUnchanged") &&
        t.count("BM_TickHeadersChanged"))
        std::printf(
            "\nheader scan %.1f ms, plain scan of the same text %.1f ms, ratio %.2f\n"
            "refresh tick, script unchanged: %.2f ms (aim: under 16 ms)\n"
            "refresh tick, a header changed: %.2f ms (aim: under 50 ms)\n",
            t.at("BM_HeaderScan") * 1e3, t.at("BM_PlainScan") * 1e3, t.at("BM_HeaderScan") / t.at("BM_PlainScan"),
            t.at("BM_TickUnchanged") * 1e3, t.at("BM_TickHeadersChanged") * 1e3);
    delete window();
    return 0;
}
