#include <QAction>
#include <QLabel>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modDocument.h"
#include "shell/wMsgBoxEx.h"
#include "testsupport.h"

// The flows themselves are checked against their tables in document_test;
// here the wiring to the real editor, window and disk.
using namespace quill;

namespace {

using quill::test::readBytes;
using quill::test::writeBytes;

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
    void initTestCase() {
        // An English user, whatever language the machine running the test has.
        qputenv("LC_ALL", "en_US.UTF-8");
        main = new frmMain();
    }
    void init();
    void cleanupTestCase() { delete prompter, delete main; }

    void commandsReachTheWindow();
    void escapeAndTheCloseBoxKeepTheScript();
    void bytesSurviveOpenAndSave_data();
    void bytesSurviveOpenAndSave();
    void badInputLosesNothing_data();
    void badInputLosesNothing();

private:
    Seen seen() const {
        return {modDocument::CurrentFileName(), main->windowTitle(), main->panel("_modified")->text(),
                main->maxEdit->Text(), modDocument::IsModified()};
    }
    QString general() const { return main->panel("_general")->text(); }

    frmMain* main = nullptr;
    test::ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
};

void tst_modDocument::init() {
    delete prompter;
    prompter = new test::ScriptedPrompter();
    main->maxEdit->setText(QString());
    main->maxEdit->ResetForNewDocument();
    modDocument::ResetDocumentState();
    main->panel("_general")->setText("ready");
}

void tst_modDocument::commandsReachTheWindow() {
    main->maxEdit->InsertText("[@main]");
    prompter->msgBoxExAnswers = {mbxResultNo};
    main->mNEWFILE_Click();
    QCOMPARE(prompter->askedEx.at(0).prompt, QString("You Have Modified The Current NPC Script, Dou You Wish To Save It ?"));
    QCOMPARE(seen(), (Seen{"", "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]", "", "", false}));

    const QString path = dir.filePath("shop.txt"), native = QDir::toNativeSeparators(path);
    writeBytes(path, "[@main]\r\n#SAY");
    // The start-up script set the flag, but Open does not question it.
    main->maxEdit->InsertText(";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]");
    QVERIFY(modDocument::IsModified());
    prompter->files = {path};
    main->mOPENFILE_Click();
    QCOMPARE(prompter->askedEx.size(), std::size_t(1));
    QCOMPARE(prompter->fileDialogs.at(0), "open|Select NPC File to open..|Text Files (*.txt)|" + QDir::rootPath());
    QCOMPARE(seen(), (Seen{native, "Legend Of Mir : Quillmoor : v3 : [" + native + "]", "", "[@main]\r\n#SAY", false}));
    QCOMPARE(general(), QString("File Opened Succesfully"));

    main->maxEdit->InsertText(";");
    QCOMPARE(main->panel("_modified")->text(), QString("Modified"));
    main->mSAVEFILE_Click();
    QCOMPARE(readBytes(path), QByteArray(";[@main]\r\n#SAY"));
    QCOMPARE(general(), QString("The script has been saved successfully."));
    QCOMPARE(main->panel("_modified")->text(), QString());

    // Insert File: its menu item stays unusable, the handler still works.
    const QAction* item = main->findChild<QAction*>("mFILEINSERTFILE");
    QVERIFY(item && !item->isEnabled());
    writeBytes(dir.filePath("part.txt"), "MID");
    main->maxEdit->setCursorPosition(0, 1);
    prompter->files = {dir.filePath("part.txt")};
    main->mFILEINSERTFILE_Click();
    QCOMPARE(main->maxEdit->Text(), QString(";MID[@main]\r\n#SAY"));
    QCOMPARE(prompter->fileDialogs.last(), QString("open|Select file to insert..|(*.*) All Files (*)|"));

    // An edited script is questioned; the close box (no answer) keeps it.
    prompter->files = {path};
    main->mOPENFILE_Click();
    QCOMPARE(prompter->askedEx.size(), std::size_t(2));
    QCOMPARE(main->maxEdit->Text(), QString(";MID[@main]\r\n#SAY"));
}

// The real question box: Esc does nothing in it, its close box stops New.
void tst_modDocument::escapeAndTheCloseBoxKeepTheScript() {
    writeBytes(dir.filePath("kept.txt"), "old");
    QVERIFY(modDocument::LoadDocument(dir.filePath("kept.txt")));
    main->maxEdit->InsertText("precious ");
    const Seen before = seen();
    const QString status = general();
    bool stayedAfterEscape = false;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<wMsgBoxEx*>(QApplication::activeModalWidget());
        if (!box) return;
        QTest::keyClick(box->focusWidget(), Qt::Key_Escape);
        stayedAfterEscape = box->isVisible();
        box->close();
    });
    Prompter::install(nullptr);
    main->mNEWFILE_Click();
    Prompter::install(prompter);
    QVERIFY(stayedAfterEscape);
    QCOMPARE(seen(), before);
    QCOMPARE(general(), status);
}

void tst_modDocument::bytesSurviveOpenAndSave_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");  // as the editor shows it; not checked when null
    const QByteArray utf8("[@main]\n#SAY\nH\xC3\xA9llo \xE4\xB8\xAD\n");
    QTest::newRow("UTF-8, LF") << utf8 << QString::fromUtf8(utf8);
    QTest::newRow("UTF-8 with mark, CR LF") << QByteArray("\xEF\xBB\xBF[@main]\r\n\xC3\x84rger\r\n")
                                            << QString::fromUtf8("[@main]\r\n\xC3\x84rger\r\n");
    QTest::newRow("Windows-1252, mixed endings, no final break")
        << QByteArray("[@main]\r\n#SAY\nCaf\xE9 \x80 \x81\x8D\x8F\x90\x9D\rend")
        << QString::fromUtf8("[@main]\r\n#SAY\nCaf\xC3\xA9 \xE2\x82\xAC \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\rend");
    // An English user reads GBK as Windows-1252; it still survives a save.
    const QByteArray gbk("\xC4\xE3\xBA\xC3\r\n\xCA\xC0\xBD\xE7\r\n");
    QTest::newRow("GBK") << gbk << QString::fromLatin1(gbk);
    QTest::newRow("a mark before broken UTF-8") << QByteArray("\xEF\xBB\xBF\xFF") << QString::fromLatin1("\xEF\xBB\xBF\xFF");
    QTest::newRow("NUL byte") << QByteArray("a\0b\r\nc", 6) << QString::fromUtf8("a\0b\r\nc", 6);
    QByteArray all;
    for (int i = 0; i < 256; ++i) all += char(i);
    QTest::newRow("every byte value") << all << QString();
    QTest::newRow("empty") << QByteArray() << QString("");
    QTest::newRow("50 MB") << QByteArray("#SAY\r\nA fairly ordinary line of an NPC script.\r\n").repeated(1100000) << QString();
}

void tst_modDocument::bytesSurviveOpenAndSave() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString path = dir.filePath("round.txt"), other = dir.filePath("round-as.txt");
    writeBytes(path, bytes);
    prompter->files = {path, other};
    main->mOPENFILE_Click();
    if (!text.isNull()) QCOMPARE(main->maxEdit->Text(), text);
    QVERIFY(!modDocument::IsModified());
    main->mSAVEFILE_Click();
    QCOMPARE(readBytes(path), bytes);
    main->mSAVEAS_Click();
    QCOMPARE(prompter->fileDialogs.last(), QString("save|Enter filename for this script..|(*.*) All Files (*)|"));
    QCOMPARE(readBytes(other), bytes);
}

void tst_modDocument::badInputLosesNothing_data() {
    QTest::addColumn<bool>("opening");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("vanished") << true << "does not exist";
    QTest::newRow("folder") << true << "is a folder, not a file";
    QTest::newRow("unreadable") << true << "permission to read";
    QTest::newRow("read-only") << false << "could not be opened for writing";
    QTest::newRow("folder removed") << false << "could not be opened for writing";
    QTest::newRow("disk full") << false << "could not be written";
}

void tst_modDocument::badInputLosesNothing() {
    QFETCH(bool, opening);
    QFETCH(QString, mentions);
    const QString kind = QTest::currentDataTag(), folder = dir.filePath(kind), path = folder + "/script.txt",
                  bad = folder + "/bad";
    const QByteArray original("[@main]\r\noriginal");
    QVERIFY(QDir().mkpath(folder));
    writeBytes(path, original);
    QVERIFY(modDocument::LoadDocument(path));
    main->maxEdit->InsertText(QString(8192, u'x'));
    const Seen before = seen();
    const bool root = geteuid() == 0;  // permissions do not bind root
    if (kind == "folder") QVERIFY(QDir().mkpath(bad));
    if (kind == "unreadable") {
        if (root) QSKIP("running as root, which reads files whatever their permissions say");
        writeBytes(bad, "secret");
        QFile::setPermissions(bad, QFileDevice::WriteOwner);
    }
    if (kind == "read-only") {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        if (root && QProcess::execute("chattr", {"+i", path}) != 0)
            QSKIP("running as root without chattr: nothing makes a file read-only for root");
    }
    if (kind == "folder removed") QVERIFY(QDir(folder).removeRecursively());
    // A file-size limit below the script's size makes the write fail
    // part-way, as a full disk does.
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit small{4096, oldLimit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    if (kind == "disk full") setrlimit(RLIMIT_FSIZE, &small);
    prompter->files = {bad};
    prompter->msgBoxExAnswers = {mbxResultNo};  // Open's question about the typed text
    opening ? main->mOPENFILE_Click() : main->mSAVEFILE_Click();
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    if (root && kind == "read-only") QProcess::execute("chattr", {"-i", path});
    QVERIFY2(general().startsWith(opening ? "There was an error trying to open the selected file: "
                                          : "There was an error trying to save the script: ") &&
                 general().contains(mentions),
             qPrintable(general()));
    QCOMPARE(seen(), before);
    if (kind != "folder removed") {
        QCOMPARE(readBytes(path), original);
        QCOMPARE(QDir(folder).entryList({"*script*"}, QDir::Files | QDir::Hidden), QStringList{"script.txt"});
    }
}

QTEST_MAIN(tst_modDocument)
#include "tst_modDocument.moc"
