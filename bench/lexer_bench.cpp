// QUILL_BENCH_OWN_MAIN
// Colouring cost of the NPC Script lexer.
//
//   lexer_bench            opens a 20 MB script twice, each in a fresh process:
//                          once in a plain QsciScintilla without a lexer (the
//                          floor), once in our editor with the language, shown
//                          and coloured as far as shown; prints time and peak
//                          memory of each and their ratios; then runs the
//                          keystroke benchmark.
//   lexer_bench --open bare|ours FILE      one measured open (used by the above)
//
// The peak memory is the process's maximum resident set size, which includes
// the Qt start-up both sides share.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>
#include <cstdio>
#include <string>

#include "shell/EditorGlobals.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/maxEdit.h"

namespace {

const char* const kIni = QUILL_SOURCE_DIR "/resources/NPC Script.ini";

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray scriptOf(qint64 bytes) {
    const QByteArray block =
        ";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]\r\n#IF\r\ncheckgold 500\r\nCheck [123] 1\r\n"
        "#SAY\r\nHello <$USERNAME>, Welcome To My Armoury.\\\r\nI Would Like To <Buy/@buy> A Weapon\\\r\n"
        "#ACT\r\nmapmove 0 330 330\r\ntake Gold 500 ;pay\r\n#ELSESAY\r\nYou need more gold\\\r\n<Main/@main>\r\n\r\n";
    QByteArray out;
    out.reserve(bytes + block.size());
    while (out.size() < bytes) out += block;
    return out;
}

void defineLanguage() {
    quill::EditorGlobals().DefineLanguage(QStringLiteral("NPC Script"), quill::language::readDefinition(kIni));
}

// One open in this process; prints "milliseconds peak-kB".
int openOnce(const QString& mode, const QString& file) {
    QElapsedTimer timer;
    timer.start();
    if (mode == QLatin1String("bare")) {
        QWidget window;
        auto* editor = new QsciScintilla(&window);
        editor->resize(800, 600);
        std::string bytes;
        {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) return 2;
            bytes.resize(static_cast<std::size_t>(f.size()));
            f.read(bytes.data(), f.size());
        }
        editor->SendScintilla(QsciScintilla::SCI_SETCODEPAGE, 65001L);
        editor->SendScintilla(QsciScintilla::SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.data());
        std::string().swap(bytes);
        window.show();
        editor->grab();
    } else {
        defineLanguage();
        quill::maxEdit editor;
        editor.resize(800, 600);
        editor.LanguageName(QStringLiteral("NPC Script"));
        editor.LoadFile(file, quill::codepage::kWestern);
        editor.show();
        editor.grab();
    }
    std::printf("%lld %ld\n", static_cast<long long>(timer.elapsed()), peakKilobytes());
    return 0;
}

// Typing one character at the end of a 100,000-line script: the restyling
// Scintilla then asks for (from the changed line to the end of the view).
void BM_KeystrokeRestyle(benchmark::State& state) {
    defineLanguage();
    quill::maxEdit editor;
    editor.resize(800, 600);
    editor.LanguageName(QStringLiteral("NPC Script"));
    QByteArray text;
    const QByteArray lines[] = {"#SAY\r\n", "Hello <$USERNAME> <Main/@main> ;note\r\n", "checkgold 500\r\n",
                                "[@main]\r\n"};
    for (int i = 0; i < 100000; ++i) text += lines[i % 4];
    editor.setText(QString::fromUtf8(text));
    editor.SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
    editor.SendScintilla(QsciScintilla::SCI_GOTOPOS, editor.SendScintilla(QsciScintilla::SCI_GETLENGTH));
    for (auto _ : state) {
        state.PauseTiming();
        editor.SendScintilla(QsciScintilla::SCI_ADDTEXT, 1UL, "x");
        const long pos = editor.SendScintilla(QsciScintilla::SCI_GETENDSTYLED);
        state.ResumeTiming();
        editor.SendScintilla(QsciScintilla::SCI_COLOURISE, pos, -1L);
    }
    state.counters["lines"] = editor.LineCount();
}
BENCHMARK(BM_KeystrokeRestyle)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--open")
        return openOnce(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/big.txt");
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write(scriptOf(20 * 1024 * 1024));
    }
    double figures[2][2] = {};
    const char* modes[] = {"bare", "ours"};
    for (int m = 0; m < 2; ++m) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open"), QLatin1String(modes[m]), file});
        child.waitForFinished(-1);
        const QList<QByteArray> out = child.readAllStandardOutput().trimmed().split(' ');
        if (child.exitCode() != 0 || out.size() != 2) {
            std::printf("open %s failed (exit %d)\n", modes[m], child.exitCode());
            return 1;
        }
        figures[m][0] = out[0].toDouble();
        figures[m][1] = out[1].toDouble() / 1024.0;
        std::printf("20 MB open, %-4s: %7.0f ms, peak %7.1f MB\n", modes[m], figures[m][0], figures[m][1]);
    }
    std::printf("ratio ours/bare: time %.2f, peak memory %.2f\n", figures[1][0] / figures[0][0],
                figures[1][1] / figures[0][1]);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
