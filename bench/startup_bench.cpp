// How long the main window takes to load and show, next to a bare window
// holding an empty editor, and how much memory the program holds once the
// main window is up. The splash window's wait is not part of it: the main
// window is constructed and shown directly.
//
//   cmake -S . -B build-bench -DQUILL_BENCH=ON && cmake --build build-bench --target startup_bench
//   QT_QPA_PLATFORM=offscreen build-bench/bench/startup_bench
//   QT_QPA_PLATFORM=xcb xvfb-run -a build-bench/bench/startup_bench
//
// "Shown" is the window exposed on the display and painted; on a real display
// that comes some time after show() returns.
//
// Two figures: the median time of a whole process, from its start to the
// window shown (the benchmark starts itself as a child for each run, so every
// run pays for loading, fonts and the first paint), and the median time of
// creating and showing the window again inside one warm process.
//
// QUILL_BENCH_OWN_MAIN: needs a QApplication, so it brings its own main().

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QWindow>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "shell/AppStyle.h"
#include "shell/frmMain.h"

namespace {

std::vector<double> mainTimes, bareTimes;

// Until the window is on the screen and painted: on a real display the
// window is mapped and exposed some time after show() returns.
void settle(QWidget* window) {
    QElapsedTimer waited;
    waited.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

template <typename MakeWindow>
double timeOneStart(MakeWindow make) {
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QWidget> window(make());
    window->show();
    settle(window.get());
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return seconds;
}

QWidget* makeMain() {
    auto* w = new quill::frmMain();
    // Owned by the caller here, not by its close.
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    return w;
}

QWidget* makeBare() {
    auto* w = new QMainWindow();
    w->setCentralWidget(new QsciScintilla(w));
    w->resize(622, 445);
    return w;
}

void BM_MainWindowStart(benchmark::State& state) {
    for (auto _ : state) {
        const double s = timeOneStart(makeMain);
        mainTimes.push_back(s);
        state.SetIterationTime(s);
    }
}

void BM_BareEditorWindowStart(benchmark::State& state) {
    for (auto _ : state) {
        const double s = timeOneStart(makeBare);
        bareTimes.push_back(s);
        state.SetIterationTime(s);
    }
}

BENCHMARK(BM_BareEditorWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(25);
BENCHMARK(BM_MainWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(25);

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

// Child mode: start the application, show one window, report, quit.
int runChild(int argc, char** argv, bool mainWindow) {
    QApplication app(argc, argv);
    if (mainWindow) quill::installAppStyle();  // as the program does
    std::unique_ptr<QWidget> window(mainWindow ? makeMain() : makeBare());
    window->show();
    settle(window.get());
    std::printf("shown %ld\n", peakKilobytes());
    std::fflush(stdout);
    return 0;
}

struct ProcessRun {
    double seconds = 0;
    long peakKilobytes = 0;
};

ProcessRun timeProcess(const QString& self, const QString& mode) {
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(self, {mode});
    ProcessRun run;
    while (child.waitForReadyRead(10000)) {
        const QByteArray line = child.readLine();
        if (line.startsWith("shown ")) {
            run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            run.peakKilobytes = line.mid(6).trimmed().toLong();
            break;
        }
    }
    child.waitForFinished();
    return run;
}

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--child-main") == 0) return runChild(argc, argv, true);
        if (qstrcmp(argv[i], "--child-bare") == 0) return runChild(argc, argv, false);
    }
    QApplication app(argc, argv);

    // The two kinds take turns, so a machine that slows down or speeds up
    // during the run weighs on both alike.
    constexpr int kStarts = 31;
    std::vector<double> mainProcess, bareProcess, pairRatios;
    std::vector<long> mainPeak;
    for (int i = 0; i < kStarts; ++i) {
        bareProcess.push_back(
            timeProcess(QCoreApplication::applicationFilePath(), QStringLiteral("--child-bare")).seconds);
        const ProcessRun run = timeProcess(QCoreApplication::applicationFilePath(), QStringLiteral("--child-main"));
        mainProcess.push_back(run.seconds);
        mainPeak.push_back(run.peakKilobytes);
        pairRatios.push_back(bareProcess.back() > 0 ? mainProcess.back() / bareProcess.back() : 0.0);
    }

    // The first start, in a fresh process, as the program does it: this is
    // also where the peak memory after start-up is read.
    const long before = peakKilobytes();
    const double cold = timeOneStart([] {
        auto* w = makeMain();
        return w;
    });
    std::unique_ptr<QWidget> kept(makeMain());
    kept->show();
    settle(kept.get());
    const long afterStart = peakKilobytes();
    kept.reset();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double mainMedian = median(mainTimes), bareMedian = median(bareTimes);
    const double mainStart = median(mainProcess), bareStart = median(bareProcess);
    std::printf(
        "\nmedian of %d whole processes, start to window shown: main window %.1f ms, bare window with "
        "empty editor %.1f ms, ratio %.2f (median of the %d side-by-side ratios %.2f)\n",
        kStarts, mainStart * 1e3, bareStart * 1e3, bareStart > 0 ? mainStart / bareStart : 0.0, kStarts,
        median(pairRatios));
    std::printf("peak resident memory of the program after start-up: %ld KiB (median of %d)\n",
                static_cast<long>(median(std::vector<double>(mainPeak.begin(), mainPeak.end()))), kStarts);
    std::printf("first main window start in this process: %.2f ms\n", cold * 1e3);
    std::printf(
        "median warm start in one process: main window %.2f ms, bare window with empty editor %.2f ms, ratio %.2f\n",
        mainMedian * 1e3, bareMedian * 1e3, bareMedian > 0 ? mainMedian / bareMedian : 0.0);
    std::printf("peak resident memory: %ld KiB with QApplication only, %ld KiB after the main window started\n", before,
                afterStart);
    return 0;
}
