#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modDocument.h"
#include "testsupport.h"

using namespace quill;

namespace {

const QString kOpenFailed = QStringLiteral("There was an error trying to open the selected file: ");
const QString kSaveFailed = QStringLiteral("There was an error trying to save the script: ");

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

bool runsAsRoot() { return geteuid() == 0; }

// What the user sees of the document.
struct Seen {
    QString fileName, caption, modifiedPanel, text;
    bool modified;
    bool operator==(const Seen&) const = default;
};

}  // namespace

class tst_modDocument : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void newAsksOnlyWhenModified();
    void newStopsWhenTheSaveDidNotHappen();
    void openShowsTheFileAndSaveWritesBack();
    void insertFileGoesInAtTheCaret();
    void bytesSurviveOpenAndSave_data();
    void bytesSurviveOpenAndSave();
    void badFilesToOpen_data();
    void badFilesToOpen();
    void largeFileOpens();
    void badPlacesToSave_data();
    void badPlacesToSave();

private:
    Seen seen() const;
    QLabel* general() const { return main->panel("_general"); }

    frmMain* main = nullptr;
    test::ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
};

Seen tst_modDocument::seen() const {
    return {modDocument::CurrentFileName(), main->windowTitle(), main->panel("_modified")->text(),
            main->maxEdit->Text(), modDocument::IsModified()};
}

void tst_modDocument::initTestCase() {
    QVERIFY(dir.isValid());
    main = new frmMain();
}

void tst_modDocument::init() {
    delete prompter;
    prompter = new test::ScriptedPrompter();
    main->maxEdit->setText(QString());
    main->maxEdit->ResetForNewDocument();
    modDocument::ResetDocumentState();
    general()->setText("ready");
}

void tst_modDocument::cleanupTestCase() {
    delete prompter;
    delete main;
}

void tst_modDocument::newAsksOnlyWhenModified() {
    main->maxEdit->InsertText("[@main]");
    QCOMPARE(main->panel("_modified")->text(), QString("Modified"));
    prompter->msgBoxExAnswers = {mbxResultNo};
    main->mNEWFILE_Click();
    main->mNEWFILE_Click();  // nothing changed since: no question
    QCOMPARE(prompter->askedEx.size(), std::size_t(1));
    QCOMPARE(prompter->askedEx[0].prompt, QString("You Have Modified The Current NPC Script, Dou You Wish To Save It ?"));
    QCOMPARE(seen(), (Seen{"", "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]", "", "", false}));
    main->mSAVEFILE_Click();  // untitled: the save dialog
    QCOMPARE(prompter->fileDialogs.last(), QString("save|Enter filename for this script..|(*.*) All Files (*)|"));
}

void tst_modDocument::newStopsWhenTheSaveDidNotHappen() {
    main->maxEdit->InsertText("precious");
    const Seen before = seen();
    prompter->msgBoxExAnswers = {mbxResultYes};  // and the Save As dialog is cancelled
    main->mNEWFILE_Click();
    QCOMPARE(seen(), before);
    QCOMPARE(general()->text(), QString("Script saving cancelled - no filename entered."));

    prompter->msgBoxExAnswers = {mbxResultYes};
    prompter->files = {dir.filePath("new.txt")};
    main->mNEWFILE_Click();
    QCOMPARE(readBytes(dir.filePath("new.txt")), QByteArray("precious"));
    QCOMPARE(general()->text(), QString("The script has been saved successfully."));
    QCOMPARE(seen().text, QString());
}

void tst_modDocument::openShowsTheFileAndSaveWritesBack() {
    const QString path = dir.filePath("shop.txt");
    writeBytes(path, "[@main]\r\n#SAY\r\nHi");
    main->maxEdit->InsertText("unsaved");
    prompter->files = {path};
    main->mOPENFILE_Click();
    QVERIFY(prompter->askedEx.empty());  // Open never asks
    QCOMPARE(prompter->fileDialogs.first(), "open|Select NPC File to open..|Text Files (*.txt)|" + QDir::rootPath());
    const QString native = QDir::toNativeSeparators(path);
    QCOMPARE(seen(), (Seen{native, "Legend Of Mir : Quillmoor : v3 : [" + native + "]", "", "[@main]\r\n#SAY\r\nHi", false}));
    QCOMPARE(general()->text(), QString("File Opened Succesfully"));

    main->maxEdit->InsertText(";");
    QCOMPARE(main->panel("_modified")->text(), QString("Modified"));
    main->mSAVEFILE_Click();
    QCOMPARE(prompter->fileDialogs.size(), 1);
    QCOMPARE(readBytes(path), QByteArray(";[@main]\r\n#SAY\r\nHi"));
    QCOMPARE(general()->text(), QString("The script has been saved successfully."));
    QCOMPARE(main->panel("_modified")->text(), QString());
}

void tst_modDocument::insertFileGoesInAtTheCaret() {
    const QAction* item = main->findChild<QAction*>("mFILEINSERTFILE");
    QVERIFY(item && !item->isEnabled());
    writeBytes(dir.filePath("part.txt"), "MID");
    main->maxEdit->InsertText("ab");
    main->maxEdit->setCursorPosition(0, 1);
    prompter->files = {QString(), dir.filePath("missing.txt"), dir.filePath("part.txt")};
    main->mFILEINSERTFILE_Click();
    main->mFILEINSERTFILE_Click();
    QCOMPARE(main->maxEdit->Text(), QString("ab"));
    main->mFILEINSERTFILE_Click();
    QCOMPARE(main->maxEdit->Text(), QString("aMIDb"));
    QCOMPARE(prompter->fileDialogs.first(), QString("open|Select file to insert..|(*.*) All Files (*)|"));
    QCOMPARE(modDocument::CurrentFileName(), QString());
}

void tst_modDocument::bytesSurviveOpenAndSave_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("utf-8 lf") << QByteArray("[@main]\n#SAY\nH\xC3\xA9llo w\xC3\xB6rld\n");
    QTest::newRow("utf-8 bom crlf") << QByteArray("\xEF\xBB\xBF[@main]\r\n#SAY\r\n\xC3\x84rger\r\n");
    QTest::newRow("windows-1252 mixed, no final break") << QByteArray("[@main]\r\n#SAY\nCaf\xE9 \x80 \x81\x8D\x8F\x90\x9D\rend");
    QTest::newRow("gbk") << QByteArray("\xC4\xE3\xBA\xC3\r\n\xCA\xC0\xBD\xE7\r\n");
    QTest::newRow("nul byte") << QByteArray("a\0b\r\nc", 6);
    QByteArray all;
    for (int i = 0; i < 256; ++i) all += char(i);
    QTest::newRow("binary") << all;
    QTest::newRow("empty") << QByteArray();
}

void tst_modDocument::bytesSurviveOpenAndSave() {
    QFETCH(QByteArray, bytes);
    const QString path = dir.filePath("round.txt");
    const QString other = dir.filePath("round-as.txt");
    writeBytes(path, bytes);
    QVERIFY(modDocument::LoadDocument(path));
    QCOMPARE(general()->text(), QString("File Opened Succesfully"));
    QVERIFY(modDocument::SaveDocument());
    QCOMPARE(readBytes(path), bytes);
    prompter->files = {other};
    QVERIFY(modDocument::SaveDocumentAs());
    QCOMPARE(readBytes(other), bytes);
}

void tst_modDocument::badFilesToOpen_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("vanished") << "vanished";
    QTest::newRow("folder") << "folder";
    QTest::newRow("no read permission") << "unreadable";
}

void tst_modDocument::badFilesToOpen() {
    QFETCH(QString, kind);
    const QString keep = dir.filePath("keep.txt");
    writeBytes(keep, "kept");
    QVERIFY(modDocument::LoadDocument(keep));
    main->maxEdit->InsertText("edit ");
    const Seen before = seen();

    QString path = dir.filePath("bad-" + kind);
    if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == "unreadable") {
        if (runsAsRoot()) QSKIP("running as root, which reads files whatever their permissions say");
        writeBytes(path, "secret");
        QFile::setPermissions(path, QFileDevice::WriteOwner);
    }
    prompter->files = {path};
    main->mOPENFILE_Click();
    QVERIFY2(general()->text().startsWith(kOpenFailed), qPrintable(general()->text()));
    QVERIFY(general()->text().size() > kOpenFailed.size());
    QCOMPARE(seen(), before);
    QCOMPARE(readBytes(keep), QByteArray("kept"));
}

void tst_modDocument::largeFileOpens() {
    const QString path = dir.filePath("large.txt");
    QByteArray line("#SAY\r\nA fairly ordinary line of an NPC script.\r\n");
    QByteArray bytes;
    bytes.reserve(50 * 1024 * 1024 + line.size());
    while (bytes.size() < 50 * 1024 * 1024) bytes += line;
    writeBytes(path, bytes);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(modDocument::LoadDocument(path));
    QCOMPARE(general()->text(), QString("File Opened Succesfully"));
    QVERIFY(modDocument::SaveDocument());
    qInfo() << "50 MB open and save:" << clock.elapsed() << "ms";
    QCOMPARE(readBytes(path).size(), bytes.size());
    main->maxEdit->setText(QString());
    QFile::remove(path);
}

void tst_modDocument::badPlacesToSave_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only file") << "read-only";
    QTest::newRow("folder removed") << "removed";
    QTest::newRow("name too long") << "long";
    QTest::newRow("disk full") << "full";
}

void tst_modDocument::badPlacesToSave() {
    QFETCH(QString, kind);
    const QString folder = dir.filePath("save-" + kind);
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/script.txt";
    const QByteArray original("[@main]\r\noriginal");
    writeBytes(path, original);
    QVERIFY(modDocument::LoadDocument(path));
    main->maxEdit->InsertText(QString(8192, u'x'));
    const Seen before = seen();

    bool immutable = false;
    rlimit oldLimit{};
    if (kind == "read-only") {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        if (runsAsRoot()) {
            // Root writes over permissions; the immutable attribute stops it.
            immutable = QProcess::execute("chattr", {"+i", path}) == 0;
            if (!immutable) QSKIP("running as root without chattr: nothing makes a file read-only for root");
        }
        main->mSAVEFILE_Click();
    } else if (kind == "removed") {
        QVERIFY(QDir(folder).removeRecursively());
        main->mSAVEFILE_Click();
    } else if (kind == "long") {
        prompter->files = {folder + "/" + QString(300, u'n') + ".txt"};
        main->mSAVEAS_Click();
    } else {
        // A file-size limit below the script's size makes the write fail
        // part-way, as a full disk does.
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        rlimit small = oldLimit;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        main->mSAVEFILE_Click();
        setrlimit(RLIMIT_FSIZE, &oldLimit);
    }
    if (immutable) QProcess::execute("chattr", {"-i", path});

    QVERIFY2(general()->text().startsWith(kSaveFailed), qPrintable(general()->text()));
    QVERIFY(general()->text().size() > kSaveFailed.size());
    QCOMPARE(seen(), before);
    if (kind != "removed") {
        QCOMPARE(readBytes(path), original);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"script.txt"});
    }
}

QTEST_MAIN(tst_modDocument)
#include "tst_modDocument.moc"
