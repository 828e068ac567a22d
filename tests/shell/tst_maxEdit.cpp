#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

#include "shell/maxEdit.h"

using quill::EditorError;
using quill::maxEdit;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
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
    void insertText_data();
    void insertText();
    void consecutiveInsertionsReadInOrder();
    void linesCountFromZero();
    void modifiedEventFiresAtEachChange();
    void roundTrip_data();
    void roundTrip();
    void editedWindows1252FileStaysWindows1252();
    void newScriptIsUtf8WithoutMark();
    void saveRefusesWhatTheFormatCannotHold();
    void saveFailuresLeaveTheFileAsItWas();
    void loadFailuresLeaveTheText();
};

void tst_maxEdit::insertText_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caret");  // in bytes of UTF-8

    QTest::newRow("at the caret") << "ab" << 1 << 1 << "X" << "aXb" << 2;
    QTest::newRow("replaces the selection") << "hello world" << 6 << 11 << "there" << "hello there" << 11;
    QTest::newRow("backward selection") << "hello world" << 11 << 6 << "you" << "hello you" << 9;
    QTest::newRow("CR LF enters unchanged") << "[@main]" << 7 << 7 << "\r\n#IF" << "[@main]\r\n#IF" << 12;
    QTest::newRow("NUL enters too") << "" << 0 << 0 << QString::fromUtf8("a\0b", 3) << QString::fromUtf8("a\0b", 3) << 3;
    QTest::newRow("multi-byte text") << "" << 0 << 0 << QString::fromUtf8("\xE4\xB8\xAD") << QString::fromUtf8("\xE4\xB8\xAD")
                                     << 3;
    QTest::newRow("empty text deletes the selection") << "abc" << 0 << 2 << "" << "c" << 0;
}

void tst_maxEdit::insertText() {
    QFETCH(QString, before);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(QString, inserted);
    maxEdit editor;
    editor.setText(before);
    editor.SendScintilla(QsciScintilla::SCI_SETSEL, selStart, selEnd);
    editor.InsertText(inserted);
    QTEST(editor.Text(), "after");
    QTEST(int(editor.SendScintilla(QsciScintilla::SCI_GETCURRENTPOS)), "caret");
    QVERIFY(!editor.hasSelectedText());
}

void tst_maxEdit::consecutiveInsertionsReadInOrder() {
    maxEdit editor;
    editor.setText(QStringLiteral("[@main]\r\n#SAY"));
    editor.SendScintilla(QsciScintilla::SCI_SETSEL, 7, 7);
    for (const char* piece : {"\r\n", "Checkgold ammount", "\r\n", "\xC3\xA9t\xC3\xA9"})
        editor.InsertText(QString::fromUtf8(piece));
    QCOMPARE(editor.Text(), QString::fromUtf8("[@main]\r\nCheckgold ammount\r\n\xC3\xA9t\xC3\xA9\r\n#SAY"));
}

void tst_maxEdit::linesCountFromZero() {
    maxEdit editor;
    editor.setText(QStringLiteral("first\r\nsecond\nthird"));
    QCOMPARE(editor.LineCount(), 3);
    const QStringList lines{editor.GetLineText(0), editor.GetLineText(1), editor.GetLineText(2)};
    QCOMPARE(lines, (QStringList{"first", "second", "third"}));
    QCOMPARE(editor.GetLineText(3), QString());
    QCOMPARE(editor.GetLineText(-1), QString());
    editor.setText(QString());
    QCOMPARE(editor.LineCount(), 1);
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

    QVERIFY(!editor.ModifiedFlag());
    editor.InsertText(QStringLiteral("a"));
    editor.InsertText(QStringLiteral("b"));
    QCOMPARE(seen, QList<bool>{true});
    editor.Undo();
    QCOMPARE(seen, QList<bool>{true});
    editor.Undo();
    QCOMPARE(seen, (QList<bool>{true, false}));
    editor.Redo();
    QCOMPARE(seen, (QList<bool>{true, false, true}));

    editor.SaveToFile(path, true);
    QCOMPARE(seen, (QList<bool>{true, false, true, false}));
    QVERIFY(!editor.ModifiedFlag());

    // Loading into an unmodified editor changes no state, so nothing fires.
    editor.LoadFile(path);
    QCOMPARE(seen.size(), 4);
    editor.InsertText(QStringLiteral("x"));
    editor.LoadFile(path);
    QCOMPARE(seen, (QList<bool>{true, false, true, false, true, false}));
    QVERIFY(!editor.CanUndo());

    editor.setText(QString());
    editor.ResetForNewDocument();
    QCOMPARE(seen, (QList<bool>{true, false, true, false, true, false, true, false}));
}

void tst_maxEdit::roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString e = QString(QChar(0xE9));
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9\r\n[@main]\r\n") << QString("caf" + e + "\r\n[@main]\r\n");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF[@main]\r\n#SAY") << QString("[@main]\r\n#SAY");
    QTest::newRow("Windows-1252") << QByteArray("caf\xE9 \x80\x81") << QString("caf" + e + " " + QChar(0x20AC) + QChar(0x81));
    QTest::newRow("GBK read as Windows-1252") << QByteArray("\xD6\xD0\xCE\xC4\r\n[@main]")
                                              << QString::fromUtf8("\xC3\x96\xC3\x90\xC3\x8E\xC3\x84\r\n[@main]");
    QTest::newRow("LF") << QByteArray("a\nb\n") << QString("a\nb\n");
    QTest::newRow("mixed endings, no final break") << QByteArray("a\r\nb\nc\rd") << QString("a\r\nb\nc\rd");
    QTest::newRow("NUL byte") << QByteArray("a\0b\r\nc", 6) << QString::fromUtf8("a\0b\r\nc", 6);
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_maxEdit::roundTrip() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.txt"));
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    writeBytes(in, bytes);

    maxEdit editor;
    editor.setText(QStringLiteral("old text"));
    editor.LoadFile(in);
    QTEST(editor.Text(), "text");
    QVERIFY(!editor.ModifiedFlag());
    editor.SaveToFile(out, true);
    QCOMPARE(readBytes(out), bytes);
}

void tst_maxEdit::editedWindows1252FileStaysWindows1252() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shop.txt"));
    writeBytes(path, "caf\xE9\r\n");
    maxEdit editor;
    editor.LoadFile(path);
    editor.SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    editor.InsertText(QString("na") + QChar(0xEF) + "ve");
    editor.SaveToFile(path, true);
    QCOMPARE(readBytes(path), QByteArray("caf\xE9\r\nna\xEFve"));
}

void tst_maxEdit::newScriptIsUtf8WithoutMark() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.txt"));
    writeBytes(path, "\xEF\xBB\xBF" "old");
    maxEdit editor;
    editor.LoadFile(path);
    editor.setText(QString());
    editor.ResetForNewDocument();
    editor.InsertText(QString("caf") + QChar(0xE9));
    editor.SaveToFile(path, true);
    QCOMPARE(readBytes(path), QByteArray("caf\xC3\xA9"));
}

void tst_maxEdit::saveRefusesWhatTheFormatCannotHold() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.txt"));
    const QByteArray original("caf\xE9");
    writeBytes(path, original);
    maxEdit editor;
    editor.LoadFile(path);
    editor.InsertText(QString::fromUtf8("\xE4\xB8\xAD"));
    const QString text = editor.Text();

    const QString why = failureOf([&] { editor.SaveToFile(path, true); });
    QVERIFY2(why.contains(QStringLiteral("Windows-1252")) && why.contains(QStringLiteral("U+4E2D")), qPrintable(why));
    QCOMPARE(readBytes(path), original);
    QCOMPARE(editor.Text(), text);
    QVERIFY(editor.ModifiedFlag());
    // Nothing was left behind beside the file either.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.txt"});
}

void tst_maxEdit::saveFailuresLeaveTheFileAsItWas() {
    QTemporaryDir dir;
    maxEdit editor;
    editor.setText(QStringLiteral("new text"));

    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    QVERIFY(!failureOf([&] { editor.SaveToFile(dir.filePath(QStringLiteral("folder")), true); }).isEmpty());
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
    QVERIFY(!failureOf([&] { editor.SaveToFile(dir.filePath(QStringLiteral("missing/x.txt")), true); }).isEmpty());

    if (geteuid() == 0) QSKIP("permissions do not bind the superuser");
    const QString locked = dir.filePath(QStringLiteral("locked.txt"));
    writeBytes(locked, "keep me");
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    QVERIFY(!failureOf([&] { editor.SaveToFile(locked, true); }).isEmpty());
    QCOMPARE(readBytes(locked), QByteArray("keep me"));
}

void tst_maxEdit::loadFailuresLeaveTheText() {
    QTemporaryDir dir;
    maxEdit editor;
    editor.setText(QStringLiteral("my script"));
    const bool modified = editor.ModifiedFlag();

    struct Case {
        QString path, mentions;
    };
    QList<Case> cases{{dir.filePath(QStringLiteral("nope.txt")), QStringLiteral("does not exist")},
                      {dir.path(), QStringLiteral("folder")}};
    if (geteuid() != 0) {
        const QString locked = dir.filePath(QStringLiteral("locked.txt"));
        writeBytes(locked, "secret");
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        cases.append({locked, QStringLiteral("permission")});
    }
    for (const Case& c : cases) {
        const QString why = failureOf([&] { editor.LoadFile(c.path); });
        QVERIFY2(why.contains(c.mentions), qPrintable(c.path + " -> " + why));
        QCOMPARE(editor.Text(), QStringLiteral("my script"));
        QCOMPARE(editor.ModifiedFlag(), modified);
    }
}

QTEST_MAIN(tst_maxEdit)
#include "tst_maxEdit.moc"
