// The editor's language as the main window reads it at start-up from the
// "NPC Script.ini" beside the program. How the file is read is the core's
// (language_test); here that what it holds colours the script.

#include <QtTest>

#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/tokenizer.h"
#include "testsupport.h"

using namespace quill;

class TestLanguage : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;

private slots:
    // Garbage before the lists and a second section after them: the window
    // starts without a word and colours with the first section's lists.
    // The file is written beside a copy of this program in a private folder,
    // unseen by the window tests that start from the build folder meanwhile.
    void languageBesideTheProgramColoursTheScript() {
        if (!qEnvironmentVariableIsSet("QUILL_PRIVATE_COPY")) {
            QTemporaryDir dir;
            const QString copy = dir.filePath("tst_language");
            QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("QUILL_PRIVATE_COPY", "1");
            child.setProcessEnvironment(environment);
            child.start(copy, {QTest::currentTestFunction()});
            QVERIFY(child.waitForFinished(120000));
            QCOMPARE(child.exitCode(), 0);
            return;
        }
        const QString path = QCoreApplication::applicationDirPath() + "/NPC Script.ini";
        test::writeBytes(path,
                         "\x01garbage\xff\r\n[Definition]\r\nno equals sign\r\nKeywords=Check,Give\r\n"
                         "ScopeKeywords1=#SAY\n[DEFINITION]\r\nKeywords=Take\r\n");
        {
            frmMain window;
            window.show();
            window.maxEdit->setText("#SAY\r\nGive Take");
            window.maxEdit->SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
            QList<int> styles;
            for (long at : {0, 6, 11}) styles << int(window.maxEdit->SendScintilla(QsciScintilla::SCI_GETSTYLEAT, at));
            QCOMPARE(styles, (QList<int>{lexer::Scope1, lexer::Keyword, lexer::Default}));
        }
        QVERIFY(prompter.told.empty() && prompter.asked.empty());
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
