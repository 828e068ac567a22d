// Files at the edge of what the editor holds, opened through the main window
// as a user opens them: too slow and too large (over 2 GB) for the test suite.
//
//   cmake -S . -B build-bench -DQUILL_BENCH=ON && cmake --build build-bench --target large_file_bench
//   QT_QPA_PLATFORM=offscreen build-bench/bench/large_file_bench
//
// - A file of short lines exactly as large as the editor's limit opens, is
//   shown to its end (so it is laid out and coloured there) and holds every
//   byte of the file, nothing cut or changed; one byte more is refused with
//   the size and the limit named, and the open script is kept.
// - One line of 300 MB opens, is shown to its end and the program goes on.
// Each runs once; a failure ends the run with an error.
//
// QUILL_BENCH_OWN_MAIN: needs a QApplication, so it brings its own main().

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modDocument.h"
#include "shell/text_format.h"

namespace {

using quill::frmMain;

// Writes `size` bytes of short CR LF lines (the last one cut where the size
// ends) and returns them.
std::string writeLines(const QString& path, std::uint64_t size) {
    const std::string line = "#SAY A short line of an NPC script.\r\n";
    std::string bytes;
    bytes.reserve(size);
    while (bytes.size() + line.size() <= size) bytes += line;
    bytes.append(line, 0, size - bytes.size());
    std::ofstream(path.toStdString(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

bool holds(frmMain& w, const std::string& bytes) {
    auto* e = w.maxEdit;
    const auto length = static_cast<std::size_t>(e->SendScintilla(QsciScintilla::SCI_GETLENGTH));
    const auto* data = reinterpret_cast<const char*>(e->SendScintilla(QsciScintilla::SCI_GETCHARACTERPOINTER));
    return length == bytes.size() && std::memcmp(data, bytes.data(), length) == 0;
}

void showEnd(frmMain& w) {
    w.maxEdit->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

QString general(frmMain& w) { return w.panel("_general")->text(); }

void BM_OpenAtTheLimit(benchmark::State& state) {
    QTemporaryDir dir;
    frmMain w;
    w.show();
    for (auto _ : state) {
        const QString path = dir.filePath("limit.txt");
        const std::string bytes = writeLines(path, quill::textfile::kMaxTextBytes);
        if (!quill::modDocument::LoadDocument(path)) return state.SkipWithError(qPrintable(general(w)));
        showEnd(w);
        if (!holds(w, bytes)) return state.SkipWithError("the text shown is not the file's");
        std::ofstream(path.toStdString(), std::ios::app) << 'x';
        const QString caption = w.windowTitle();
        if (quill::modDocument::LoadDocument(path) || !general(w).contains("2147483648 bytes") ||
            !general(w).contains("at most 2147483647 bytes") || w.windowTitle() != caption || !holds(w, bytes))
            return state.SkipWithError(qPrintable("one byte over the limit: " + general(w)));
        QFile::remove(path);
    }
}

void BM_OpenOneHugeLine(benchmark::State& state) {
    QTemporaryDir dir;
    frmMain w;
    w.show();
    for (auto _ : state) {
        const QString path = dir.filePath("line.txt");
        const std::string bytes(300'000'000, 'x');
        std::ofstream(path.toStdString(), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!quill::modDocument::LoadDocument(path)) return state.SkipWithError(qPrintable(general(w)));
        showEnd(w);
        if (!holds(w, bytes)) return state.SkipWithError("the text shown is not the file's");
        QFile::remove(path);
    }
}

BENCHMARK(BM_OpenAtTheLimit)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_OpenOneHugeLine)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
