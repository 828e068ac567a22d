#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/maxEdit.h"

using quill::EditorError;
using quill::maxEdit;

// The byte-for-byte round trips of LoadFile and SaveToFile are checked through
// Open and Save in tst_modDocument.
namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// Runs `call`, expecting an EditorError; returns its description.
template <typename F>
QString failureOf(F call) {
    try {
        call();
    } catch (const EditorError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

}  // namespace

class tst_maxEdit : public QObject {
    Q_OBJECT
private slots:
    void insertText();
    void consecutiveInsertionsReadInOrder();
    void modifiedEventFiresAtEachChange();
    void saveKeepsTheFormatOrRefusesAndLeavesTheFile();
    void loadFailuresLeaveTheText();
};

void tst_maxEdit::insertText() {
    struct Case {
        QString before;
        int selStart, selEnd;
        QString inserted, after;
        int caret;  // in bytes of UTF-8
    };
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

void tst_maxEdit::consecutiveInsertionsReadInOrder() {
    maxEdit editor;
    editor.setText(QStringLiteral("[@main]\r\n#SAY"));
    editor.SendScintilla(QsciScintilla::SCI_SETSEL, 7, 7);
    for (const char* piece : {"\r\n", "Checkgold ammount", "\r\n", "\xC3\xA9t\xC3\xA9"})
        editor.InsertText(QString::fromUtf8(piece));
    QCOMPARE(editor.Text(), QString::fromUtf8("[@main]\r\nCheckgold ammount\r\n\xC3\xA9t\xC3\xA9\r\n#SAY"));
}

void tst_maxEdit::modifiedEventFiresAtEachChange() {
    QTemporaryDir dir;
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
    QCOMPARE(seen, QList<bool>{true});
    editor.Undo();
    editor.Redo();
    editor.SaveToFile(path, true);
    QCOMPARE(seen, (QList<bool>{true, false, true, false}));
    editor.LoadFile(path);  // unmodified before and after: nothing fires
    QCOMPARE(seen.size(), 4);
    editor.InsertText(QStringLiteral("x"));
    editor.LoadFile(path);
    QVERIFY(!editor.CanUndo());
    editor.setText(QString());
    editor.ResetForNewDocument();
    QCOMPARE(seen, (QList<bool>{true, false, true, false, true, false, true, false}));
}

void tst_maxEdit::saveKeepsTheFormatOrRefusesAndLeavesTheFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shop.txt"));
    writeBytes(path, "caf\xE9\r\n");
    maxEdit editor;
    editor.LoadFile(path);
    editor.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    editor.InsertText(QString("na") + QChar(0xEF) + "ve");
    editor.SaveToFile(path, true);
    const QByteArray saved("caf\xE9\r\nna\xEFve");
    QCOMPARE(readBytes(path), saved);

    editor.InsertText(QString::fromUtf8("\xE4\xB8\xAD"));
    const QString text = editor.Text();
    const QString why = failureOf([&] { editor.SaveToFile(path, true); });
    QVERIFY2(why.contains(QStringLiteral("Windows-1252")) && why.contains(QStringLiteral("U+4E2D")), qPrintable(why));
    QCOMPARE(readBytes(path), saved);
    QCOMPARE(editor.Text(), text);
    QVERIFY(editor.ModifiedFlag());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"shop.txt"});  // nothing left beside it

    // A new script forgets the old file's format: UTF-8 without a mark.
    editor.setText(QString());
    editor.ResetForNewDocument();
    editor.InsertText(QString("caf") + QChar(0xE9));
    editor.SaveToFile(path, true);
    QCOMPARE(readBytes(path), QByteArray("caf\xC3\xA9"));
}

void tst_maxEdit::loadFailuresLeaveTheText() {
    QTemporaryDir dir;
    maxEdit editor;
    editor.setText(QStringLiteral("my script"));
    const QPair<QString, QString> cases[] = {{dir.filePath(QStringLiteral("nope.txt")), QStringLiteral("does not exist")},
                                             {dir.path(), QStringLiteral("folder")}};
    for (const auto& [path, mentions] : cases) {
        const QString why = failureOf([&] { editor.LoadFile(path); });
        QVERIFY2(why.contains(mentions), qPrintable(path + " -> " + why));
        QCOMPARE(editor.Text(), QStringLiteral("my script"));
        QVERIFY(editor.ModifiedFlag());
    }
}

QTEST_MAIN(tst_maxEdit)
#include "tst_maxEdit.moc"
