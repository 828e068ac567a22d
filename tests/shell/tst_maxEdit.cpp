#include <QAccessible>
#include <QtTest>

#include "shell/codepage.h"
#include "shell/maxEdit.h"
#include "testsupport.h"

using quill::EditorError;
using quill::maxEdit;
using quill::codepage::kWestern;

// The byte-for-byte round trips of LoadFile and SaveToFile are checked through
// Open and Save in tst_modDocument.
namespace {

using quill::test::readBytes;
using quill::test::writeBytes;

}  // namespace

class tst_maxEdit : public QObject {
    Q_OBJECT
private slots:
    void insertText();
    void modifiedEventFiresAtEachChange();
    void saveKeepsTheFormatOrRefusesAndLeavesTheFile();
    void filesAreReadInTheGivenCodePage();
    void loadReadsPastTheReportedSize();
    void fullAccessibilityOnceAnAssistiveToolListens();

private:
    QTemporaryDir dir;
};

void tst_maxEdit::insertText() {
    struct Case { QString before; int selStart, selEnd; QString inserted, after; int caret; };  // caret in UTF-8 bytes
    const QString nul = QString::fromUtf8("a\0b", 3), han = QString::fromUtf8("\xE4\xB8\xAD");
    const Case cases[] = {
        {"ab", 1, 1, "X", "aXb", 2},
        {"hello world", 6, 11, "there", "hello there", 11},
        {"hello world", 11, 6, "you", "hello you", 9},  // backward selection
        {"[@main]", 7, 7, "\r\n#IF", "[@main]\r\n#IF", 12},
        {"", 0, 0, nul, nul, 3},
        {"", 0, 0, han, han, 3},
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

void tst_maxEdit::modifiedEventFiresAtEachChange() {
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    writeBytes(path, "[@main]");
    maxEdit editor;
    QList<bool> seen;
    connect(&editor, &maxEdit::ModifiedChange, this, [&](maxEdit* e) {
        QCOMPARE(e, &editor);
        seen << e->ModifiedFlag();
    });

    editor.InsertText(QStringLiteral("a"));
    editor.InsertText(QStringLiteral("b"));
    editor.Undo();
    editor.Undo();
    editor.Redo();
    editor.SaveToFile(path, {});
    editor.LoadFile(path, kWestern);  // unmodified before and after: nothing fires
    editor.InsertText(QStringLiteral("x"));
    editor.LoadFile(path, kWestern);
    QVERIFY(!editor.CanUndo());
    editor.setText(QString());
    editor.ResetForNewDocument();
    QCOMPARE(seen, (QList<bool>{true, false, true, false, true, false, true, false}));
}

void tst_maxEdit::saveKeepsTheFormatOrRefusesAndLeavesTheFile() {
    const QString path = dir.filePath(QStringLiteral("shop.txt"));
    writeBytes(path, "caf\xE9\r\n");
    maxEdit editor;
    const quill::textfile::TextFormat format = editor.LoadFile(path, kWestern);
    editor.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    editor.InsertText(QString("na") + QChar(0xEF) + "ve");
    editor.SaveToFile(path, format);
    const QByteArray saved("caf\xE9\r\nna\xEFve");
    QCOMPARE(readBytes(path), saved);

    // Found writable, then changed: the save checks again.
    QVERIFY(editor.Unwritable(format).isEmpty());
    editor.InsertText(QString::fromUtf8("\xE4\xB8\xAD"));
    const QString text = editor.Text();
    QString why;
    try {
        editor.SaveToFile(path, format);
    } catch (const EditorError& e) {
        why = QString::fromStdString(e.what());
    }
    QVERIFY2(why.contains(QStringLiteral("Windows-1252")) && why.contains(QStringLiteral("U+4E2D")), qPrintable(why));
    QCOMPARE(readBytes(path), saved);
    QCOMPARE(editor.Text(), text);
    QVERIFY(editor.ModifiedFlag());
    QCOMPARE(QDir(dir.path()).entryList({"shop*"}, QDir::Files | QDir::Hidden), QStringList{"shop.txt"});  // nothing left beside it
}

void tst_maxEdit::filesAreReadInTheGivenCodePage() {
    // A Chinese user: GBK "你好" opens, is inserted and is saved as GBK.
    const QString path = dir.filePath(QStringLiteral("gbk.txt"));
    writeBytes(path, "\xC4\xE3\xBA\xC3\r\n");
    maxEdit editor;
    const quill::textfile::TextFormat format = editor.LoadFile(path, 936);
    editor.InsertFileAt(path, {1, 0}, 936);
    QCOMPARE(editor.Text(), QString::fromUtf8("\xE4\xBD\xA0\xE5\xA5\xBD\r\n\xE4\xBD\xA0\xE5\xA5\xBD\r\n"));
    editor.SaveToFile(path, format);
    QCOMPARE(readBytes(path), QByteArray("\xC4\xE3\xBA\xC3\r\n\xC4\xE3\xBA\xC3\r\n"));
}

void tst_maxEdit::loadReadsPastTheReportedSize() {
    // The kernel's files report a size of 0 and still have content.
    QCOMPARE(QFileInfo("/proc/version").size(), 0);
    maxEdit editor;
    editor.LoadFile("/proc/version", kWestern);
    QVERIFY2(editor.Text().startsWith("Linux version "), qPrintable(editor.Text()));
}

QTEST_MAIN(tst_maxEdit)
// Without a listener the editor's interface has no text side (QScintilla's
// counts characters from the start at every screen update); with one, the
// editor's text is there to read.
void tst_maxEdit::fullAccessibilityOnceAnAssistiveToolListens() {
    maxEdit editor;
    editor.InsertText(QString::fromUtf8("caf\xC3\xA9 [@main]"));
    QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(&editor);
    QVERIFY(plain && !plain->textInterface());
    QAccessible::setActive(true);
    QAccessibleInterface* full = QAccessible::queryAccessibleInterface(&editor);
    QVERIFY(full && full->textInterface());
    QCOMPARE(full->textInterface()->text(0, full->textInterface()->characterCount()), QString::fromUtf8("caf\xC3\xA9 [@main]"));
    QAccessible::setActive(false);
}

#include "tst_maxEdit.moc"
