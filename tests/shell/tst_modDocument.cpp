#include <QAction>
#include <QLabel>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
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
    void saveKeepsWhatTheFileIs_data();
    void saveKeepsWhatTheFileIs();
    void unwritableCharacterOffersUtf8();

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
    QTest::addColumn<QByteArray>("edited");  // the file after typing "é😀" at its end; not checked when null
    // UTF-16 in either byte order, mark included, from a text of plain UTF-16 code units.
    const auto utf16 = [](const QString& text, bool bigEndian) {
        QByteArray out(bigEndian ? "\xFE\xFF" : "\xFF\xFE");
        for (QChar c : text) {
            const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
            out += bigEndian ? QByteArray{&hi, 1} + lo : QByteArray{&lo, 1} + hi;
        }
        return out;
    };
    const QString wide = QString::fromUtf8("[@main]\r\nH\xC3\xA9llo \xE4\xB8\xAD \xF0\x9F\x98\x80\n\0end", 30);
    const QString typed = QString::fromUtf8("\xC3\xA9\xF0\x9F\x98\x80");
    for (bool bigEndian : {false, true})
        QTest::newRow(bigEndian ? "UTF-16 BE" : "UTF-16 LE")
            << utf16(wide, bigEndian) << wide << utf16(wide + typed, bigEndian);
    const QByteArray utf8("[@main]\n#SAY\nH\xC3\xA9llo \xE4\xB8\xAD\n");
    QTest::newRow("UTF-8, LF") << utf8 << QString::fromUtf8(utf8) << QByteArray();
    QTest::newRow("UTF-8 with mark, CR LF") << QByteArray("\xEF\xBB\xBF[@main]\r\n\xC3\x84rger\r\n")
                                            << QString::fromUtf8("[@main]\r\n\xC3\x84rger\r\n") << QByteArray();
    QTest::newRow("Windows-1252, mixed endings, no final break")
        << QByteArray("[@main]\r\n#SAY\nCaf\xE9 \x80 \x81\x8D\x8F\x90\x9D\rend")
        << QString::fromUtf8("[@main]\r\n#SAY\nCaf\xC3\xA9 \xE2\x82\xAC \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\rend") << QByteArray();
    // An English user reads GBK as Windows-1252; it still survives a save.
    const QByteArray gbk("\xC4\xE3\xBA\xC3\r\n\xCA\xC0\xBD\xE7\r\n");
    QTest::newRow("GBK") << gbk << QString::fromLatin1(gbk) << QByteArray();
    QTest::newRow("a mark before broken UTF-8") << QByteArray("\xEF\xBB\xBF\xFF") << QString::fromLatin1("\xEF\xBB\xBF\xFF") << QByteArray();
    QTest::newRow("NUL byte") << QByteArray("a\0b\r\nc", 6) << QString::fromUtf8("a\0b\r\nc", 6) << QByteArray();
    QByteArray all;
    for (int i = 0; i < 256; ++i) all += char(i);
    QTest::newRow("every byte value") << all << QString() << QByteArray();
    QTest::newRow("empty") << QByteArray() << QString("") << QByteArray();
    QTest::newRow("50 MB") << QByteArray("#SAY\r\nA fairly ordinary line of an NPC script.\r\n").repeated(1100000) << QString() << QByteArray();
    QTest::newRow("UTF-8, edited") << utf8 << QString() << utf8 + "\xC3\xA9\xF0\x9F\x98\x80";
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
    QFETCH(QByteArray, edited);
    if (edited.isNull()) return;
    main->maxEdit->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    main->maxEdit->InsertText(QString::fromUtf8("\xC3\xA9\xF0\x9F\x98\x80"));
    main->mSAVEFILE_Click();
    QCOMPARE(general(), QString("The script has been saved successfully."));
    QCOMPARE(readBytes(other), edited);
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
    QTest::newRow("disk full, hard-linked") << false << "could not be written";
    QTest::newRow("UTF-16 of odd length") << true << "UTF-16 LE byte-order mark but is not UTF-16 text: it ends in half a character";
    QTest::newRow("UTF-16, half a surrogate pair") << true << "is not UTF-16 text: it holds half a surrogate pair (D800) at byte 4";
    QTest::newRow("named pipe") << true << "/bad\" is a named pipe, not a file";
    QTest::newRow("device") << true << "\"/dev/zero\" is a character device, not a file";
    QTest::newRow("too large") << true << "its text takes at least 2147483648 bytes, and the editor holds at most 2147483647 bytes";
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
    if (kind.startsWith("UTF-16")) writeBytes(bad, kind.contains("odd") ? "\xFF\xFE" "A\0B" : QByteArray("\xFE\xFF\0A\xD8\0\0B", 8));
    if (kind == "named pipe") QCOMPARE(mkfifo(bad.toLocal8Bit(), 0600), 0);
    // Reading what is not a plain file never ends (a pipe without a writer,
    // /dev/zero); should the open wait on it, the alarm ends the test run.
    alarm(60);
    if (kind == "too large") {  // sparse: it takes no room on the disk
        QFile big(bad);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 31));
    }
    const QString linked = folder + "/linked.txt";
    if (kind.contains("hard-linked")) QCOMPARE(link(path.toLocal8Bit(), linked.toLocal8Bit()), 0);
    // A file-size limit below the script's size makes the write fail
    // part-way, as a full disk does.
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit small{4096, oldLimit.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN);
    if (kind.startsWith("disk full")) setrlimit(RLIMIT_FSIZE, &small);
    prompter->files = {kind == "device" ? "/dev/zero" : bad};
    prompter->msgBoxExAnswers = {mbxResultNo};  // Open's question about the typed text
    opening ? main->mOPENFILE_Click() : main->mSAVEFILE_Click();
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    alarm(0);
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
    if (kind.contains("hard-linked")) QCOMPARE(readBytes(linked), original);
}

void tst_modDocument::saveKeepsWhatTheFileIs_data() {
    QTest::addColumn<bool>("needsRoot");  // only root can hand a file to another account
    QTest::newRow("owned by another account, 0600") << true;
    QTest::newRow("read-only 0444, saved by root") << true;
    QTest::newRow("hard-linked") << false;
    QTest::newRow("symbolic link") << false;
    QTest::newRow("writable file in a read-only folder") << false;
}

void tst_modDocument::saveKeepsWhatTheFileIs() {
    QFETCH(bool, needsRoot);
    const QString kind = QTest::currentDataTag();
    const bool root = geteuid() == 0, readOnlyFolder = kind.contains("read-only folder");
    // The read-only folder is saved into by an ordinary account: root runs
    // this row again as one, in a folder it prepared.
    const QString given = qEnvironmentVariable("QUILL_READ_ONLY_FOLDER");
    const QString folder = given.isEmpty() ? dir.filePath(kind) : given, path = folder + "/script.txt",
                  other = folder + "/other.txt";
    if (needsRoot && !root) QSKIP("only root can give a file to another account");
    const QByteArray original("[@main]\r\n#SAY\r\n");
    if (given.isEmpty()) {
        QVERIFY(QDir().mkpath(folder));
        writeBytes(path, original);
    }
    QString opened = path;
    if (kind.startsWith("owned")) QVERIFY(chown(path.toLocal8Bit(), 65534, 65534) == 0 && chmod(path.toLocal8Bit(), 0600) == 0);
    if (kind.startsWith("read-only 0444")) QCOMPARE(chmod(path.toLocal8Bit(), 0444), 0);
    if (kind == "hard-linked") QCOMPARE(link(path.toLocal8Bit(), other.toLocal8Bit()), 0);
    if (kind == "symbolic link") QVERIFY(QFile::link("script.txt", opened = other));
    if (readOnlyFolder && root) {
        QVERIFY(chmod(dir.path().toLocal8Bit(), 0755) == 0 && chown(path.toLocal8Bit(), 65534, 65534) == 0);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUILL_READ_ONLY_FOLDER", folder);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", QCoreApplication::applicationFilePath(),
                                "saveKeepsWhatTheFileIs:" + kind});
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(readBytes(path), "x" + original);
        return;
    }
    if (readOnlyFolder && given.isEmpty()) QCOMPARE(chmod(folder.toLocal8Bit(), 0555), 0);
    struct stat before {};
    QCOMPARE(stat(path.toLocal8Bit(), &before), 0);

    prompter->files = {opened};
    main->mOPENFILE_Click();
    main->maxEdit->InsertText("x");
    main->mSAVEFILE_Click();
    if (readOnlyFolder && given.isEmpty()) chmod(folder.toLocal8Bit(), 0755);
    QCOMPARE(general(), QString("The script has been saved successfully."));
    QCOMPARE(readBytes(path), "x" + original);
    struct stat after {};
    QCOMPARE(stat(path.toLocal8Bit(), &after), 0);
    QCOMPARE(std::tie(after.st_uid, after.st_gid, after.st_mode), std::tie(before.st_uid, before.st_gid, before.st_mode));
    if (kind == "hard-linked") QCOMPARE(readBytes(other), "x" + original);
    if (kind == "symbolic link") QCOMPARE(QFileInfo(other).symLinkTarget(), path);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), kind == "hard-linked" || kind == "symbolic link" ? 2 : 1);
}

void tst_modDocument::unwritableCharacterOffersUtf8() {
    const QString path = dir.filePath("shop1252.txt");
    const QByteArray original("caf\xE9\r\n#SAY\r\n");
    writeBytes(path, original);
    QVERIFY(modDocument::LoadDocument(path));
    main->maxEdit->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
    main->maxEdit->InsertText(QString::fromUtf8("\xE4\xB8\xAD"));
    const Seen before = seen();

    prompter->answers = {QMessageBox::No};
    QVERIFY(!modDocument::SaveDocument());
    QCOMPARE(prompter->asked.size(), size_t(1));
    const auto& question = prompter->asked.front();
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY2(question.text.contains(QString::fromUtf8("\xE4\xB8\xAD (U+4E2D) on line 3")) && question.text.contains("UTF-8"),
             qPrintable(question.text));
    QVERIFY2(general().startsWith("There was an error trying to save the script: ") && general().endsWith("nothing was saved."),
             qPrintable(general()));
    QCOMPARE(seen(), before);
    QCOMPARE(readBytes(path), original);

    prompter->answers = {QMessageBox::Yes};
    QVERIFY(modDocument::SaveDocument());
    QCOMPARE(general(), QString("The script has been saved successfully."));
    QCOMPARE(readBytes(path), QByteArray("caf\xC3\xA9\r\n#SAY\r\n\xE4\xB8\xAD"));
    main->maxEdit->InsertText(QString::fromUtf8("\xC3\xA9"));  // later saves stay UTF-8, without asking
    QVERIFY(modDocument::SaveDocument());
    QCOMPARE(readBytes(path), QByteArray("caf\xC3\xA9\r\n#SAY\r\n\xE4\xB8\xAD\xC3\xA9"));
    QCOMPARE(prompter->asked.size(), size_t(2));
}

QTEST_MAIN(tst_modDocument)
#include "tst_modDocument.moc"
