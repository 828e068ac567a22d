// Inner figures of opening and saving a large script, next to the editing
// component's own best: a bare QsciScintilla handed the same file through
// Scintilla's loader is the floor an open can reach.
//
//   cmake -S . -B build-bench -DQUILL_BENCH=ON && cmake --build build-bench --target load_bench
//   QT_QPA_PLATFORM=offscreen build-bench/bench/load_bench
//
// The script is 100 MB of CR LF lines (QUILL_BENCH_MB sets another size),
// once plain ASCII and once with Windows-1252 bytes above 0x7F. Figures:
// decoding, checking and encoding throughput; an open into a bare editor in
// one SCI_APPENDTEXT and through the loader; an open and a save of the
// program's editor; a plain copy of the file for the save to be compared
// with; and a keystroke's restyle and repaint at the top and at the end of
// the script in the main window.
//
// QUILL_BENCH_OWN_MAIN: needs a QApplication, so it brings its own main().

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <ILoader.h>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "shell/codepage.h"
#include "shell/file_io.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modDocument.h"
#include "shell/text_format.h"

namespace {

std::unique_ptr<QTemporaryDir> dir;
std::string asciiPath, westernPath;

std::size_t scriptBytes() {
    const char* mb = std::getenv("QUILL_BENCH_MB");
    return static_cast<std::size_t>(mb ? std::atol(mb) : 100) * 1000 * 1000;
}

std::string makeScript(bool western) {
    const std::string plain = "#SAY Welcome, traveller. <Buy/@buy> <Sell/@sell>\r\n";
    const std::string accented = "#SAY Caf\xE9 cr\xE8me for the Vill\xE9 r\xF4le \x80 5\r\n";
    std::string bytes;
    bytes.reserve(scriptBytes() + 64);
    for (int i = 0; bytes.size() < scriptBytes(); ++i) {
        if (i % 20 == 0) bytes += "[@main" + std::to_string(i) + "]\r\n";
        bytes += western && i % 4 == 0 ? accented : plain;
    }
    return bytes;
}

void writeScripts() {
    dir = std::make_unique<QTemporaryDir>();
    asciiPath = dir->filePath("ascii.txt").toStdString();
    westernPath = dir->filePath("western.txt").toStdString();
    for (bool western : {false, true}) {
        const std::string bytes = makeScript(western);
        std::ofstream(western ? westernPath : asciiPath, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

std::string readAll(const std::string& path) {
    std::string bytes;
    quill::fileio::readFile(path, bytes);
    return bytes;
}

void BM_DecodeWindows1252(benchmark::State& state) {
    const std::string bytes = readAll(westernPath);
    std::string out;
    for (auto _ : state) {
        out.clear();
        quill::textfile::appendWindows1252(bytes, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_CheckUtf8(benchmark::State& state) {
    const std::string bytes = readAll(asciiPath);
    for (auto _ : state) {
        quill::textfile::Utf8Check check;
        for (std::size_t i = 0; i < bytes.size(); i += quill::fileio::Reader::kPiece)
            check.add(std::string_view(bytes).substr(i, quill::fileio::Reader::kPiece));
        benchmark::DoNotOptimize(check.valid());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_EncodeWindows1252(benchmark::State& state) {
    std::string text;
    quill::textfile::TextFormat format;
    std::string error;
    quill::textfile::decodeFile(readAll(westernPath), quill::codepage::kWestern, format, text, error);
    for (auto _ : state) {
        std::size_t total = 0;
        quill::textfile::encodePieces(
            {text, {}}, format,
            [&](std::string_view piece) {
                total += piece.size();
                return 0;
            },
            error);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// The component alone: the file read whole and appended in one call with
// undo collection off, as the program did before.
void BM_BareEditorAppendText(benchmark::State& state) {
    for (auto _ : state) {
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.resize(800, 600);
        editor.show();
        QCoreApplication::processEvents();
        const std::string bytes = readAll(asciiPath);
        editor.SendScintilla(QsciScintilla::SCI_SETUNDOCOLLECTION, 0L);
        editor.SendScintilla(QsciScintilla::SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.data());
        editor.repaint();
    }
}

// The component's best: the file read a piece at a time into a document
// through Scintilla's loader, which the shown editor then takes. The bytes
// go in as they are, undecoded: for the Windows-1252 script this is the
// floor of an open that must also decode.
void bareLoad(QsciScintilla& editor, QsciScintillaBase& host, const std::string& path) {
    quill::fileio::Reader reader;
    reader.open(path);
    auto* loader =
        reinterpret_cast<ILoader*>(host.SendScintilla(QsciScintillaBase::SCI_CREATELOADER,
                                                      static_cast<unsigned long>(reader.reportedSize() + 1), 0L));
    std::string piece;
    while (!reader.next(piece) && !piece.empty())
        loader->AddData(piece.data(), static_cast<Sci_Position>(piece.size()));
    void* document = loader->ConvertToDocument();
    editor.SendScintilla(QsciScintillaBase::SCI_SETDOCPOINTER, 0UL, document);
    editor.SendScintilla(QsciScintillaBase::SCI_RELEASEDOCUMENT, 0UL, document);
    editor.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, static_cast<unsigned long>(QsciScintillaBase::SC_CP_UTF8));
}

void bareLoader(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        state.PauseTiming();
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.resize(800, 600);
        editor.show();
        QCoreApplication::processEvents();
        QsciScintillaBase host;
        state.ResumeTiming();
        bareLoad(editor, host, path);
        editor.repaint();
    }
}
void BM_BareEditorLoader(benchmark::State& state) { bareLoader(state, asciiPath); }
void BM_BareEditorLoaderWindows1252(benchmark::State& state) { bareLoader(state, westernPath); }

// The program's editor in the main window, coloured by its lexer.
void openInMainWindow(benchmark::State& state, const std::string& path) {
    quill::frmMain w;
    w.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (!quill::modDocument::LoadDocument(QString::fromStdString(path))) return state.SkipWithError("not opened");
        w.maxEdit->repaint();
    }
}
void BM_OpenAscii(benchmark::State& state) { openInMainWindow(state, asciiPath); }
void BM_OpenWindows1252(benchmark::State& state) { openInMainWindow(state, westernPath); }

void saveFromMainWindow(benchmark::State& state, const std::string& path) {
    quill::frmMain w;
    w.show();
    const QString out = dir->filePath("saved.txt");
    const quill::textfile::TextFormat format =
        w.maxEdit->LoadFile(QString::fromStdString(path), quill::codepage::kWestern);
    // As a Save runs it: the writability check that may offer UTF-8, then the write.
    for (auto _ : state) {
        if (!w.maxEdit->Unwritable(format).isEmpty()) return state.SkipWithError("not writable");
        w.maxEdit->SaveToFile(out, format);
    }
    if (readAll(out.toStdString()) != readAll(path)) state.SkipWithError("the saved file is not the file opened");
    QFile::remove(out);
}
void BM_SaveAscii(benchmark::State& state) { saveFromMainWindow(state, asciiPath); }
void BM_SaveWindows1252(benchmark::State& state) { saveFromMainWindow(state, westernPath); }

// What the save is compared with: the bytes copied to a new file, as cp
// does, and the same made durable with fsync, as a save must.
void copyFile(benchmark::State& state, bool durable) {
    const std::string out = dir->filePath("copied.txt").toStdString();
    for (auto _ : state) {
        const int from = ::open(asciiPath.c_str(), O_RDONLY),
                  to = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string buffer(1 << 17, '\0');
        ssize_t n;
        while ((n = ::read(from, buffer.data(), buffer.size())) > 0)
            if (::write(to, buffer.data(), static_cast<std::size_t>(n)) != n) break;
        if (durable) ::fsync(to);
        ::close(from);
        ::close(to);
    }
    ::unlink(out.c_str());
}
void BM_CopyFile(benchmark::State& state) { copyFile(state, false); }
void BM_CopyFileFsync(benchmark::State& state) { copyFile(state, true); }

// One typed character and what the event loop then does for it (the
// restyle of the changed line and the repaint Scintilla asks for): in the
// main window, and in a bare editor of the same size holding the same text
// without a lexer, the component's own cost.
void typeIn(benchmark::State& state, QsciScintilla* e, bool atEnd) {
    e->setFocus();
    e->SendScintilla(atEnd ? QsciScintilla::SCI_DOCUMENTEND : QsciScintilla::SCI_DOCUMENTSTART);
    e->repaint();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(e, &key);
        QCoreApplication::processEvents();
    }
}
void typeAt(benchmark::State& state, bool atEnd) {
    quill::frmMain w;
    w.show();
    quill::modDocument::LoadDocument(QString::fromStdString(asciiPath));
    typeIn(state, w.maxEdit, atEnd);
}
void bareTypeAt(benchmark::State& state, bool atEnd) {
    quill::frmMain w;  // for the same size and the same font
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.resize(w.maxEdit->size());
    editor.setFont(w.maxEdit->font());
    editor.show();
    QsciScintillaBase host;
    bareLoad(editor, host, asciiPath);
    typeIn(state, &editor, atEnd);
}
// The first key typed at the start of a freshly opened script, each
// iteration opening the script again (untimed).
void BM_FirstKeystrokeAtTop(benchmark::State& state) {
    quill::frmMain w;
    w.show();
    for (auto _ : state) {
        state.PauseTiming();
        quill::modDocument::LoadDocument(QString::fromStdString(asciiPath));
        w.maxEdit->setFocus();
        w.maxEdit->repaint();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(w.maxEdit, &key);
        QCoreApplication::processEvents();
    }
}
void BM_KeystrokeAtTop(benchmark::State& state) { typeAt(state, false); }
void BM_KeystrokeAtEnd(benchmark::State& state) { typeAt(state, true); }
void BM_BareEditorKeystrokeAtTop(benchmark::State& state) { bareTypeAt(state, false); }
void BM_BareEditorKeystrokeAtEnd(benchmark::State& state) { bareTypeAt(state, true); }

BENCHMARK(BM_DecodeWindows1252)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeWindows1252)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareEditorAppendText)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareEditorLoader)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAscii)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareEditorLoaderWindows1252)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWindows1252)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAscii)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWindows1252)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFile)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFileFsync)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstKeystrokeAtTop)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeAtTop)->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareEditorKeystrokeAtTop)->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeAtEnd)->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareEditorKeystrokeAtEnd)->Iterations(50)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                ms[run.run_name.function_name] = run.real_accumulated_time * 1e3 / static_cast<double>(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> ms;
};

void printRatios(const std::map<std::string, double>& ms) {
    const auto has = [&](std::initializer_list<const char*> names) {
        for (const char* n : names)
            if (!ms.count(n)) return false;
        return true;
    };
    const auto at = [&](const char* n) { return ms.at(n); };
    std::printf("\n");
    if (has({"BM_OpenAscii", "BM_BareEditorLoader"}))
        std::printf("open ASCII %.0f ms; the component's own loader alone, the floor: %.0f ms; %.2f x (aim: 1.1)\n",
                    at("BM_OpenAscii"), at("BM_BareEditorLoader"), at("BM_OpenAscii") / at("BM_BareEditorLoader"));
    if (has({"BM_OpenWindows1252", "BM_BareEditorLoaderWindows1252"}))
        std::printf(
            "open Windows-1252 %.0f ms; the component's own loader alone, same bytes undecoded: %.0f ms; %.2f x\n",
            at("BM_OpenWindows1252"), at("BM_BareEditorLoaderWindows1252"),
            at("BM_OpenWindows1252") / at("BM_BareEditorLoaderWindows1252"));
    for (const char* save : {"BM_SaveAscii", "BM_SaveWindows1252"})
        if (has({save, "BM_CopyFile", "BM_CopyFileFsync"}))
            std::printf("%s %.0f ms: %.2f x cp (%.0f ms), %.2f x cp + fsync (%.0f ms) (aim: 1.5)\n", save + 3, at(save),
                        at(save) / at("BM_CopyFile"), at("BM_CopyFile"), at(save) / at("BM_CopyFileFsync"),
                        at("BM_CopyFileFsync"));
    if (has({"BM_FirstKeystrokeAtTop", "BM_KeystrokeAtTop"}))
        std::printf("first key at the top of a freshly opened script: %.2f ms, each later one %.2f ms (aim: under 16 ms)\n",
                    at("BM_FirstKeystrokeAtTop"), at("BM_KeystrokeAtTop"));
    // A plain QScintilla is no floor here: it hands every change to its
    // accessibility layer, which counts the text up to the change. Its cost
    // is shown beside ours, never taken from it.
    for (const char* where : {"Top", "End"}) {
        const std::string ours = std::string("BM_KeystrokeAt") + where,
                          bare = std::string("BM_BareEditorKeystrokeAt") + where;
        if (ms.count(ours) && ms.count(bare))
            std::printf("keystroke at the %s: %.2f ms (aim: under 1 ms); a plain QScintilla holding the same text: %.2f ms\n",
                        where, ms.at(ours), ms.at(bare));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    writeScripts();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatios(reporter.ms);
    dir.reset();
    return 0;
}
