#include <QAccessible>
#include <QtTest>

#include "shell/NpcLexer.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/maxEdit.h"
#include "shell/tokenizer.h"
#include "testsupport.h"

using quill::maxEdit;
using quill::codepage::kWestern;
using quill::test::writeBytes;

namespace {

// Records where Scintilla asks styling to start.
struct RecordingLexer : quill::NpcLexer {
    using NpcLexer::NpcLexer;
    QList<int> starts;
    void styleText(int start, int end) override { starts << start, NpcLexer::styleText(start, end); }
};

}  // namespace

class tst_maxEdit : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void insertTextReplacesTheSelection() {
        struct Case {
            QString before;
            int selStart, selEnd;
            QString inserted, after;
            int caret;
        };  // caret in UTF-8 bytes
        const Case cases[] = {
            {"hello world", 11, 6, "you", "hello you", 9},  // backward selection
            {"", 0, 0, QString::fromUtf8("\xE4\xB8\xAD"), QString::fromUtf8("\xE4\xB8\xAD"), 3},
            {"abc", 0, 2, "", "c", 0},
        };
        for (const Case& c : cases) {
            maxEdit editor;
            editor.setText(c.before);
            editor.SendScintilla(QsciScintilla::SCI_SETSEL, c.selStart, c.selEnd);
            editor.InsertText(c.inserted);
            QCOMPARE(editor.Text(), c.after);
            QCOMPARE(int(editor.SendScintilla(QsciScintilla::SCI_GETCURRENTPOS)), c.caret);
            QVERIFY(!editor.hasSelectedText());
        }
    }

    void modifiedEventFiresAtEachChange() {
        const QString path = dir.filePath("a.txt");
        writeBytes(path, "[@main]");
        maxEdit editor;
        QList<bool> seen;
        connect(&editor, &maxEdit::ModifiedChange, this,
                [&](maxEdit* e) { seen << (e == &editor && e->ModifiedFlag()); });
        editor.InsertText("a");
        editor.InsertText("b");
        editor.Undo();
        editor.Undo();
        editor.Redo();
        editor.SaveToFile(path, {});
        editor.LoadFile(path, kWestern);  // unmodified before and after: nothing fires
        editor.InsertText("x");
        editor.LoadFile(path, kWestern);
        QVERIFY(!editor.CanUndo());
        editor.Text(QString());
        editor.ResetForNewDocument();
        QCOMPARE(seen, (QList<bool>{true, false, true, false, true, false, true, false}));
    }

    // QScintilla's promises hold: typing is heard while someone listens (and
    // unheard costs no notice), a loaded document is the one document()
    // hands out, setText forgets the undo history.
    void componentKeepsItsContract() {
        writeBytes(dir.filePath("doc.txt"), "[@main]\r\n");
        maxEdit editor;
        editor.LoadFile(dir.filePath("doc.txt"), kWestern);
        auto spy = std::make_unique<QSignalSpy>(&editor, &QsciScintilla::linesChanged);
        QTest::keyClick(&editor, Qt::Key_Return);
        QCOMPARE(std::exchange(spy, nullptr)->count(), 1);
        editor.InsertText("#SAY");
        QVERIFY(!(editor.SendScintilla(QsciScintilla::SCI_GETMODEVENTMASK) & QsciScintilla::SC_MOD_INSERTTEXT));
        QsciScintilla other;
        other.setDocument(editor.document());
        QCOMPARE(other.text(), QStringLiteral("\r\n#SAY[@main]\r\n"));
        editor.setText("a");
        QVERIFY(!editor.CanUndo());
    }

    void loadReadsPastTheReportedSize() {
        // The kernel's files report a size of 0 and still have content.
        QCOMPARE(QFileInfo("/proc/version").size(), 0);
        maxEdit editor;
        editor.LoadFile("/proc/version", kWestern);
        QVERIFY2(editor.Text().startsWith("Linux version "), qPrintable(editor.Text()));
    }

    // A language with block comments, so that a restyle starting inside one
    // must take up the state the line before it ended in.
    void lexerRestylesOnlyWhatIsAsked() {
        maxEdit editor;
        editor.resize(600, 400);
        editor.show();
        auto* lexer =
            new RecordingLexer("custom", quill::language::readDefinition(QUILL_TEST_DATA "/lexer/custom.ini"), &editor);
        editor.setLexer(lexer);
        editor.setText("Begin /* open\r\n" + QString("inside the comment\r\n").repeated(2000));
        editor.SendScintilla(QsciScintilla::SCI_COLOURISE, 0L, -1L);
        lexer->starts.clear();
        const long length = editor.SendScintilla(QsciScintilla::SCI_GETLENGTH);
        editor.SendScintilla(QsciScintilla::SCI_GOTOPOS, length);
        editor.InsertText("Begin");
        editor.grab();  // painting asks for the styles it needs, as typing does
        QVERIFY(!lexer->starts.isEmpty());
        const int first = *std::min_element(lexer->starts.begin(), lexer->starts.end());
        QVERIFY2(first >= length - 2, qPrintable(QString("restyled from %1 of %2").arg(first).arg(length)));
        QCOMPARE(editor.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, 0L), long(quill::lexer::Keyword));
        QCOMPARE(editor.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, length), long(quill::lexer::BlockComment));
    }

    // Without a construct that spans lines, a jump to the end of the script
    // colours the lines shown there and none before them; a line is
    // coloured once it is shown.
    void lexerColoursOnlyShownLinesWhenNoneSpans() {
        maxEdit editor;
        editor.resize(600, 400);
        editor.show();
        quill::language::LanguageDefinition plain;
        plain.lists[quill::language::Keywords] = "Give";
        plain.lists[quill::language::SingleLineComments] = ";";
        editor.setLexer(new quill::NpcLexer("plain", plain, &editor));
        editor.setText(QString("Give 5 ;gold\r\n").repeated(3000) + "Give 5 ;gold");
        const auto stylesOf = [&](long line) {
            const long at = editor.SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line);
            QList<long> styles;
            for (long column : {0, 5, 7}) styles << editor.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, at + column);
            return styles;
        };
        const QList<long> coloured{quill::lexer::Keyword, quill::lexer::Number, quill::lexer::Comment};
        QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
        editor.grab();
        const long top = editor.SendScintilla(QsciScintilla::SCI_GETFIRSTVISIBLELINE);
        QVERIFY(top > 2000);
        for (long line = top; line <= 3000; ++line) QCOMPARE(stylesOf(line), coloured);
        QCOMPARE(stylesOf(1000), (QList<long>{0, 0, 0}));
        editor.SendScintilla(QsciScintilla::SCI_SETFIRSTVISIBLELINE, 1000L);
        editor.grab();
        QCOMPARE(stylesOf(1000), coloured);
    }

    // Without a listener the editor's interface has no text side (QScintilla's
    // counts characters from the start at every screen update); with one, the
    // editor's text is there to read.
    void fullAccessibilityOnceAnAssistiveToolListens() {
        maxEdit editor;
        editor.InsertText(QString::fromUtf8("caf\xC3\xA9 [@main]"));
        QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(&editor);
        QVERIFY(plain && !plain->textInterface());
        QAccessible::setActive(true);
        QAccessibleInterface* full = QAccessible::queryAccessibleInterface(&editor);
        QVERIFY(full && full->textInterface());
        QCOMPARE(full->textInterface()->text(0, full->textInterface()->characterCount()),
                 QString::fromUtf8("caf\xC3\xA9 [@main]"));
        QAccessible::setActive(false);
    }
};

QTEST_MAIN(tst_maxEdit)
#include "tst_maxEdit.moc"
