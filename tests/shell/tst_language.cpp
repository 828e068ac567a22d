// The editor's language and appearance at start-up, the lexer inside the
// editor, and the window metrics written on close.

#include <QtTest>

#include "shell/EditorGlobals.h"
#include "shell/NpcLexer.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modCodeSense.h"
#include "shell/modDeclarations.h"
#include "testsupport.h"

using namespace quill;

namespace {

const QString kShippedIni = QStringLiteral(QUILL_TEST_DATA "/../../resources/NPC Script.ini");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// Records where Scintilla asks styling to start.
struct RecordingLexer : NpcLexer {
    using NpcLexer::NpcLexer;
    QList<int> starts;
    void styleText(int start, int end) override { starts << start; NpcLexer::styleText(start, end); }
};

int styleAt(maxEdit& e, long pos) { return int(e.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, pos)); }

}  // namespace

class TestLanguage : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;
    QTemporaryDir dir;

    // A program folder with the given "NPC Script.ini" (none for empty bytes).
    void useProgramFolder(const QByteArray& ini, bool withData) {
        QDir(dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(dir.path()));
        if (!ini.isNull()) writeAll(dir.path() + QStringLiteral("/NPC Script.ini"), ini);
        if (withData) QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Data")));
        modDeclarations::InitPathsFrom(dir.path());
    }

private slots:
    // The list rules are the core's; here only that they reach the editor.
    void listsReachTheEditorAsLineFeeds() {
        useProgramFolder("[definition]\r\nKEYWORDS=Check, Give,,Take,\r\n", false);
        maxEdit editor;
        modCodeSense::SetupNPCScriptLanguage(editor);
        QCOMPARE(editor.languageName(), QStringLiteral("NPC Script"));
        QVERIFY(editor.lexer() != nullptr);
        const auto definition = EditorGlobals::language(QStringLiteral("NPC Script"));
        QVERIFY(definition.has_value() && !definition->caseSensitive);
        QCOMPARE(QString::fromStdString(definition->lists[language::Keywords]), QStringLiteral("Check\n Give\n\nTake\n"));
    }

    // Garbage, binary bytes, lines without "=", duplicate sections and keys, a 1 MB value, CR LF and LF.
    void badLanguageFileStillStartsQuietly() {
        QByteArray ini = "\x01garbage\xff\r\n[Definition]\r\nno equals sign\r\nKeywords=Check\n[DEFINITION]\r\n";
        for (int i = 0; i < 4096; ++i) ini += char(i * 37 + 11);
        ini += "\r\n[Definition]\nKeywords=" + QByteArray(1 << 20, 'k') + "\r\n" + readAll(kShippedIni);
        // The main window fixes its own paths from the executable's folder.
        const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/NPC Script.ini");
        writeAll(path, ini);
        {
            frmMain window;
            window.show();
            QVERIFY(window.maxEdit->lexer() != nullptr);
            window.maxEdit->SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
            QVERIFY(window.maxEdit->Text().startsWith(QStringLiteral(";NPC Created By")));
        }
        QFile::remove(path);
        QVERIFY(prompter.told.empty() && prompter.asked.empty());
    }

    void lexerRestylesOnlyWhatIsAsked() {
        useProgramFolder(readAll(kShippedIni), false);
        modCodeSense::SetupNPCScriptLanguage(*new maxEdit);  // registers the language
        maxEdit editor;
        editor.resize(600, 400);
        editor.show();
        auto* lexer = new RecordingLexer(QStringLiteral("NPC Script"),
                                         *EditorGlobals::language(QStringLiteral("NPC Script")), &editor);
        editor.setLexer(lexer);
        QString script = QStringLiteral("[@main]\r\n#IF\r\ncheckgold 500\r\n");
        for (int i = 0; i < 2000; ++i) script += QStringLiteral("#SAY\r\nHello <$USERNAME> <Main/@main> ;note\r\n");
        editor.setText(script);
        editor.SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
        QCOMPARE(styleAt(editor, 0), int(lexer::Header));
        QCOMPARE(styleAt(editor, 14), int(lexer::Keyword));  // checkgold

        lexer->starts.clear();
        const long length = editor.SendScintilla(QsciScintilla::SCI_GETLENGTH);
        editor.SendScintilla(QsciScintilla::SCI_GOTOPOS, length);
        editor.InsertText(QStringLiteral(";x"));
        editor.grab();  // painting asks for the styles it needs, as typing does
        QVERIFY(!lexer->starts.isEmpty());
        const int first = *std::min_element(lexer->starts.begin(), lexer->starts.end());
        QVERIFY2(first >= length - 2, qPrintable(QStringLiteral("restyled from %1 of %2").arg(first).arg(length)));
        QCOMPARE(styleAt(editor, length), int(lexer::Comment));
    }

    // The whole settings file after closing: the four keys in twips, every other line untouched.
    void metricsAreWrittenOnCloseUnlessMinimised() {
        const QByteArray before = "; mine\r\n[Window Metrics]\r\nfrmMain Y=1\r\n[Other]\r\nk=v\r\n";
        for (auto [data, state] : {std::pair{true, Qt::WindowNoState}, {true, Qt::WindowMaximized},
                                   {true, Qt::WindowMinimized}, {false, Qt::WindowNoState}}) {
            useProgramFolder(QByteArray(), data);
            const QString settings = dir.path() + QStringLiteral("/Data/Settings.ini");
            if (data) writeAll(settings, before);
            auto* window = new frmMain;
            modDeclarations::InitPathsFrom(dir.path());
            window->show();
            window->setWindowState(state);
            QCoreApplication::processEvents();
            const QRect outer = window->frameGeometry();
            QVERIFY(window->close());
            QCOMPARE(QFileInfo::exists(dir.path() + QStringLiteral("/Data")), data);  // never created
            if (!data) continue;
            const QByteArray after = QStringLiteral("; mine\r\n[Window Metrics]\r\nfrmMain Y=%2\r\nfrmMain X=%1\r\n"
                                                    "frmMain Width=%3\r\nfrmMain Height=%4\r\n[Other]\r\nk=v\r\n")
                                         .arg(outer.x() * 15).arg(outer.y() * 15).arg(outer.width() * 15)
                                         .arg(outer.height() * 15).toLatin1();
            QCOMPARE(readAll(settings), state == Qt::WindowMinimized ? before : after);
        }
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
