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
// here the wiring to the real editor, question box, window and disk.
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

// Permissions do not bind root: a row about them runs again, alone, as an
// ordinary account in a process of its own, and passes when that run passes.
bool ranAsOrdinaryAccount() {
    if (geteuid() != 0) return false;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start("setpriv", {"--reuid=65534", "--regid=65534", "--clear-groups", QCoreApplication::applicationFilePath(),
                            QString("%1:%2").arg(QTest::currentTestFunction(), QTest::currentDataTag())});
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        QTest::qFail("the run as an ordinary account failed", __FILE__, __LINE__);
    return true;
}

}  // namespace

class tst_modDocument : public QObject {
    Q_OBJECT
    Seen seen() const {
        return {modDocument::CurrentFileName(), main->windowTitle(), main->panel("_modified")->text(),
                main->maxEdit->Text(), modDocument::IsModified()};
    }
    QString general() const { return main->panel("_general")->text(); }

    frmMain* main = nullptr;
    test::ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        // An English user, whatever language the machine running the test has.
        qputenv("LC_ALL", "en_US.UTF-8");
        qputenv("XDG_CACHE_HOME", dir.filePath("cache").toLocal8Bit());  // where backups go when not beside
        main = new frmMain();
    }
    void init() {
        delete prompter;
        prompter = new test::ScriptedPrompter();
        main->maxEdit->setText(QString());
        main->maxEdit->ResetForNewDocument();
        modDocument::ResetDocumentState();
        main->panel("_general")->setText("ready");
    }
    void cleanupTestCase() { delete prompter, delete main; }

    // What a fake cannot show: the Qt filter text, the caption and the panels
    // of the real window, and the bytes on the disk.
    void commandsReachTheWindow() {
        const QString path = dir.filePath("shop.txt"), native = QDir::toNativeSeparators(path);
        writeBytes(path, "[@main]\r\n#SAY");
        prompter->files = {path};
        main->mOPENFILE_Click();
        QCOMPARE(prompter->fileDialogs.at(0), "open|Select NPC File to open..|Text Files (*.txt)|" + QDir::rootPath());
        QCOMPARE(seen(),
                 (Seen{native, "Legend Of Mir : Quillmoor : v3 : [" + native + "]", "", "[@main]\r\n#SAY", false}));
        QCOMPARE(general(), QString("File Opened Succesfully"));
        main->maxEdit->InsertText(";");
        QCOMPARE(main->panel("_modified")->text(), QString("Modified"));
        main->mSAVEFILE_Click();
        QCOMPARE(readBytes(path), QByteArray(";[@main]\r\n#SAY"));
        QCOMPARE(general(), QString("The script has been saved successfully."));
        // Insert File: its menu item stays unusable, the handler still works.
        QVERIFY(!main->findChild<QAction*>("mFILEINSERTFILE")->isEnabled());
        writeBytes(dir.filePath("part.txt"), "MID");
        main->maxEdit->setCursorPosition(0, 1);
        prompter->files = {dir.filePath("part.txt")};
        main->mFILEINSERTFILE_Click();
        QCOMPARE(main->maxEdit->Text(), QString(";MID[@main]\r\n#SAY"));
        prompter->msgBoxExAnswers = {mbxResultNo};
        main->mNEWFILE_Click();
        QCOMPARE(seen(), (Seen{"", "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]", "", "", false}));
    }

    void bytesSurviveOpenAndSave_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");       // as the editor shows it; not checked when null
        QTest::addColumn<QByteArray>("edited");  // the file after typing "é😀" at its end; not checked when null
        const QString wide = QString::fromUtf8("[@main]\r\nH\xC3\xA9llo \xE4\xB8\xAD \xF0\x9F\x98\x80\n\0end", 30);
        const QString typed = QString::fromUtf8("\xC3\xA9\xF0\x9F\x98\x80");
        const std::pair<QStringConverter::Encoding, const char*> wideForms[] = {
            {QStringConverter::Utf16LE, "UTF-16 LE"},
            {QStringConverter::Utf16BE, "UTF-16 BE"},
            {QStringConverter::Utf32LE, "UTF-32 LE"},
            {QStringConverter::Utf32BE, "UTF-32 BE"}};
        for (const auto& [form, name] : wideForms) {
            const auto bytes = [form](const QString& text) {
                return QByteArray(QStringEncoder(form, QStringEncoder::Flag::WriteBom)(text));
            };
            QTest::newRow(name) << bytes(wide) << wide << bytes(wide + typed);
        }
        const QByteArray utf8 = QByteArrayLiteral("[@main]\n#SAY\0\nH\xC3\xA9llo \xE4\xB8\xAD\n");
        QTest::newRow("UTF-8, LF, NUL") << utf8 << QString::fromUtf8(utf8) << utf8 + "\xC3\xA9\xF0\x9F\x98\x80";
        QTest::newRow("UTF-8 with mark, CR LF") << QByteArray("\xEF\xBB\xBF[@main]\r\n\xC3\x84rger\r\n")
                                                << QString::fromUtf8("[@main]\r\n\xC3\x84rger\r\n") << QByteArray();
        QTest::newRow("a mark before broken UTF-8")
            << QByteArray("\xEF\xBB\xBF\xFF") << QString::fromLatin1("\xEF\xBB\xBF\xFF") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QString("") << QByteArray();
        QTest::newRow("50 MB") << QByteArray("#SAY\r\nA fairly ordinary line of an NPC script.\r\n").repeated(1100000)
                               << QString() << QByteArray();
    }

    void bytesSurviveOpenAndSave() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, edited);
        const QString path = dir.filePath("round.txt"), other = dir.filePath("round-as.txt");
        writeBytes(path, bytes);
        prompter->files = {path, other};
        main->mOPENFILE_Click();
        if (!text.isNull()) QCOMPARE(main->maxEdit->Text(), text);
        QVERIFY(!modDocument::IsModified());
        main->mSAVEFILE_Click();
        QCOMPARE(readBytes(path), bytes);
        main->mSAVEAS_Click();
        QCOMPARE(readBytes(other), bytes);
        if (edited.isNull()) return;
        main->maxEdit->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
        main->maxEdit->InsertText(QString::fromUtf8("\xC3\xA9\xF0\x9F\x98\x80"));
        main->mSAVEFILE_Click();
        QCOMPARE(readBytes(other), edited);
    }

    void everyKindOfFile_data() {
        QTest::addColumn<bool>("opening");
        QTest::addColumn<QString>("mentions");  // in the failure; empty when the save succeeds
        QTest::newRow("vanished") << true << "does not exist";
        QTest::newRow("folder") << true << "is a folder, not a file";
        QTest::newRow("unreadable") << true << "permission to read";
        QTest::newRow("UTF-16 of odd length")
            << true << "UTF-16 LE byte-order mark but is not UTF-16 text: it ends in half a character";
        QTest::newRow("UTF-16, half a surrogate pair")
            << true << "is not UTF-16 text: it holds half a surrogate pair (D800) at byte 4";
        QTest::newRow("named pipe") << true << "/bad\" is a named pipe, not a file";
        QTest::newRow("device") << true << "\"/dev/zero\" is a character device, not a file";
        QTest::newRow("too large")
            << true << "its text takes at least 2147483648 bytes, and the editor holds at most 2147483647 bytes";
        QTest::newRow("read-only") << false << "could not be opened for writing";
        QTest::newRow("folder removed") << false << "could not be opened for writing";
        QTest::newRow("disk full") << false << "could not be written";
        QTest::newRow("disk full, hard-linked") << false << "could not be written";
        // Saved: owner, group and mode stay, and so do links.
        QTest::newRow("owned by another account, 0600") << false << "";
        QTest::newRow("read-only 0444, saved by root") << false << "";
        QTest::newRow("symbolic link") << false << "";
    }

    // Nothing is lost: a refused open or a failed save leaves the script, the
    // window and the file as they were; a save keeps what the file is.
    void everyKindOfFile() {
        QFETCH(bool, opening);
        QFETCH(QString, mentions);
        const QString kind = QTest::currentDataTag(), folder = dir.filePath(kind), path = folder + "/script.txt",
                      bad = folder + "/bad", other = folder + "/other.txt";
        if ((kind == "unreadable" || kind == "read-only") && ranAsOrdinaryAccount()) return;
        if ((kind.startsWith("owned") || kind.endsWith("by root")) && geteuid() != 0)
            QSKIP("only root can give a file away or write a 0444 file (CI runs as root)");
        const QByteArray original("[@main]\r\noriginal"), saved = QByteArray(8192, 'x') + original;
        QVERIFY(QDir().mkpath(folder));
        writeBytes(path, original);
        if (kind.startsWith("owned"))
            QVERIFY(chown(path.toLocal8Bit(), 65534, 65534) == 0 && chmod(path.toLocal8Bit(), 0600) == 0);
        if (kind.startsWith("read-only")) QCOMPARE(chmod(path.toLocal8Bit(), 0444), 0);
        if (kind.contains("hard-linked")) QCOMPARE(link(path.toLocal8Bit(), other.toLocal8Bit()), 0);
        if (kind == "symbolic link") QVERIFY(QFile::link("script.txt", other));
        QVERIFY(modDocument::LoadDocument(kind == "symbolic link" ? other : path));
        main->maxEdit->InsertText(QString(8192, u'x'));
        const Seen before = seen();
        struct stat was {};
        QCOMPARE(stat(path.toLocal8Bit(), &was), 0);
        if (kind == "folder") QVERIFY(QDir().mkpath(bad));
        if (kind == "unreadable") writeBytes(bad, "secret"), QFile::setPermissions(bad, QFileDevice::WriteOwner);
        if (kind == "folder removed") QVERIFY(QDir(folder).removeRecursively());
        if (kind.startsWith("UTF-16"))
            writeBytes(bad, kind.contains("odd") ? "\xFF\xFE"
                                                   "A\0B"
                                                 : QByteArray("\xFE\xFF\0A\xD8\0\0B", 8));
        if (kind == "named pipe") QCOMPARE(mkfifo(bad.toLocal8Bit(), 0600), 0);
        if (kind == "too large") {  // sparse: it takes no room on the disk
            QFile big(bad);
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(1) << 31));
        }
        // A file-size limit below the script's size makes the write fail
        // part-way, as a full disk does.
        rlimit oldLimit{};
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        const rlimit small{4096, oldLimit.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        if (kind.startsWith("disk full")) setrlimit(RLIMIT_FSIZE, &small);
        // Reading what is not a plain file never ends (a pipe without a writer,
        // /dev/zero); should the open wait on it, the alarm ends the test run.
        alarm(60);
        prompter->files = {kind == "device" ? "/dev/zero" : bad};
        prompter->msgBoxExAnswers = {mbxResultNo};  // Open's question about the typed text
        opening ? main->mOPENFILE_Click() : main->mSAVEFILE_Click();
        alarm(0);
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        const QByteArray now = mentions.isEmpty() ? saved : original;
        if (mentions.isEmpty()) {
            QCOMPARE(general(), QString("The script has been saved successfully."));
        } else {
            QVERIFY2(general().startsWith(opening ? "There was an error trying to open the selected file: "
                                                  : "There was an error trying to save the script: ") &&
                         general().contains(mentions),
                     qPrintable(general()));
            QCOMPARE(seen(), before);
        }
        if (kind == "folder removed") return;
        QCOMPARE(readBytes(path), now);
        struct stat is {};
        QCOMPARE(stat(path.toLocal8Bit(), &is), 0);
        QCOMPARE(std::tie(is.st_uid, is.st_gid, is.st_mode), std::tie(was.st_uid, was.st_gid, was.st_mode));
        if (kind.contains("hard-linked")) QCOMPARE(readBytes(other), now);
        if (kind == "symbolic link") QCOMPARE(QFileInfo(other).symLinkTarget(), path);
        QCOMPARE(QDir(folder).entryList({"*script*", "*other*"}, QDir::Files | QDir::Hidden | QDir::System).size(),
                 1 + QFile::exists(other));
    }

    // No leaves everything as it was; Yes saves UTF-8, and so do later saves, without asking.
    void unwritableCharacterOffersUtf8() {
        const QString path = dir.filePath("shop1252.txt");
        writeBytes(path, "caf\xE9\r\n#SAY\r\n");
        QVERIFY(modDocument::LoadDocument(path));
        main->maxEdit->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
        main->maxEdit->InsertText(QString::fromUtf8("\xE4\xB8\xAD"));
        const Seen before = seen();
        prompter->answers = {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes};
        main->mSAVEFILE_Click();
        QVERIFY2(prompter->asked.at(0).text.contains(QString::fromUtf8("\xE4\xB8\xAD (U+4E2D) on line 3")),
                 qPrintable(prompter->asked.at(0).text));
        QVERIFY2(general().endsWith("nothing was saved."), qPrintable(general()));
        QCOMPARE(seen(), before);
        // Yes, then a write that fails: the old name and the old format come back, and Save asks again.
        prompter->files = {dir.filePath("no such folder/shop.txt")};
        main->mSAVEAS_Click();
        QCOMPARE(seen(), before);
        QCOMPARE(readBytes(path), QByteArray("caf\xE9\r\n#SAY\r\n"));
        main->mSAVEFILE_Click();
        QCOMPARE(readBytes(path), QByteArray("caf\xC3\xA9\r\n#SAY\r\n\xE4\xB8\xAD"));
        main->maxEdit->InsertText(QString::fromUtf8("\xC3\xA9"));
        main->mSAVEFILE_Click();
        QCOMPARE(readBytes(path), QByteArray("caf\xC3\xA9\r\n#SAY\r\n\xE4\xB8\xAD\xC3\xA9"));
        QCOMPARE(prompter->asked.size(), size_t(3));
    }

    // Another program's change is not overwritten unasked: No, the default,
    // writes nothing; Yes does. A file removed since is simply written.
    void aChangeOnDiskIsAskedAbout() {
        const QString path = dir.filePath("shared.txt"),
                      why = '"' + QDir::toNativeSeparators(path) +
                            "\" has been changed on disk since it was opened or saved";
        writeBytes(path, "mine");
        QVERIFY(modDocument::LoadDocument(path));
        main->maxEdit->InsertText("1");
        writeBytes(path, "theirs");
        prompter->answers = {QMessageBox::No, QMessageBox::Yes};
        main->mSAVEFILE_Click();
        QCOMPARE(std::make_pair(readBytes(path), general()),
                 std::make_pair(QByteArray("theirs"),
                                "There was an error trying to save the script: " + why + "; nothing was saved."));
        const auto& asked = prompter->asked.at(0);
        QCOMPARE(std::tie(asked.title, asked.text, asked.buttons, asked.defaultButton),
                 std::make_tuple(QString("File Changed On Disk"), why + ".\n\nOverwrite it?",
                                 QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No), QMessageBox::No));
        for (const bool removed : {false, false, true}) {
            if (removed) QFile::remove(path);
            main->mSAVEFILE_Click();
            QCOMPARE(readBytes(path), QByteArray("1mine"));
        }
        QCOMPARE(prompter->asked.size(), size_t(2));
    }
};

QTEST_MAIN(tst_modDocument)
#include "tst_modDocument.moc"
