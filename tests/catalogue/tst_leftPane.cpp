// The left pane and the built-in names picker, driven through the shown main
// window with real keys, clicks and timer ticks.

#include <QtTest>
#include <QtWidgets>

#include "catalogue/HeaderList.h"
#include "catalogue/LeftPane.h"
#include "dialogs/dialogtest.h"
#include "shell/modDocument.h"

using namespace quill;
using test::items;

class tst_leftPane : public QObject {
    Q_OBJECT
    frmMain* w = nullptr;
    test::ScriptedPrompter* prompter = nullptr;

    void setScript(const QString& text) {
        w->maxEdit->setText(text);
        w->mnuSyntaxTitles_Click();
    }
    void setCurrentRow(int row) { w->List1->setCurrentIndex(w->List1->model()->index(row, 0)); }
    void clickNode(const QString& text) {
        QTreeWidgetItem* node = w->TV1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY2(node, qPrintable(text));
        QTest::mouseClick(w->TV1->viewport(), Qt::LeftButton, {}, w->TV1->visualItemRect(node).center());
    }
    static QString golden(const char* name) {  // a template as written out by hand
        QFile file(QStringLiteral(QUILL_TEST_DATA "/catalogue/") + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<unreadable>");
    }

private slots:
    void init() {
        prompter = new test::ScriptedPrompter;
        w = new frmMain;
        w->Timer1->stop();  // a test that wants a tick starts the timer itself
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() {
        delete w;
        delete prompter;
    }

    // The arrow keys on the closed picker choose rows as a pick does.
    void namesPickerFollowsItsKeys() {
        w->maxEdit->setText(QStringLiteral("x"));
        w->maxEdit->setCursorPosition(0, 1);
        w->Combo1->setFocus();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End}) QTest::keyClick(w->Combo1, key);
        QCOMPARE(w->maxEdit->Text(), QStringLiteral("x\r\n<$USERNAME>\r\n@hirearchernow"));
        QTest::keyClick(w->maxEdit, Qt::Key_Z, Qt::ControlModifier);  // a pick is one undo step
        QCOMPARE(w->maxEdit->Text(), QStringLiteral("x\r\n<$USERNAME>"));
    }

    void templateNodeReplacesTheScriptAsOneUndoStep() {
        w->Combo2->setFocus();
        QTest::keyClick(w->Combo2, Qt::Key_Down);  // "--Templates--" shows the tree in the list's place
        QVERIFY(w->TV1->isVisible() && !w->List1->isVisible());
        QCOMPARE(w->TV1->geometry(), w->List1->geometry());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("npc.txt"));
        test::writeBytes(path, "[@main]\r\n#SAY\r\nHi");
        modDocument::LoadDocument(path);
        const QString before = w->maxEdit->Text(), caption = w->windowTitle();
        clickNode(QStringLiteral("Merchant NPC's"));
        clickNode(QStringLiteral("Teleport NPC"));
        QCOMPARE(w->maxEdit->Text(), before);
        w->TV1->expandAll();
        for (auto [node, file] : {std::pair{"Weapon Merchant", "weapon_merchant.txt"},
                                  {"Armour Merchant", "armour_merchant.txt"},
                                  {"Jewelry Merchant", "jewelry_merchant.txt"},
                                  {"Teleporter", "teleporter.txt"}}) {
            clickNode(QString::fromLatin1(node));
            QCOMPARE(w->maxEdit->Text(), golden(file));
        }
        for (int step = 0; step < 3; ++step) QTest::keyClick(w->maxEdit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->maxEdit->Text(), golden("weapon_merchant.txt"));
        QTest::keyClick(w->maxEdit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->maxEdit->Text(), before);
        QTest::keyClick(w->Combo2, Qt::Key_Up);
        QVERIFY(!w->TV1->isVisible() && w->List1->isVisible());
        // The script stays the same document: same file, same caption, no question asked.
        QCOMPARE(modDocument::CurrentFileName(), path);
        QCOMPARE(w->windowTitle(), caption);
        QVERIFY(prompter->asked.empty());
    }

    // The real timer's tick rebuilds the list and reports each duplicate.
    void timerTickRebuildsTheListAndReportsDuplicates() {
        w->maxEdit->setText(QStringLiteral("[@buy]\r\n[@sell]\r\n[@buy]\r\n[@sell]\r\n[@buy]"));
        setCurrentRow(0);
        QSignalSpy ticks(w->Timer1, &QTimer::timeout);
        w->Timer1->start();
        QVERIFY(ticks.wait(10000));
        w->Timer1->stop();
        QCOMPARE(items(w->List1),
                 (QStringList{"--Menu Headers--", "[@buy]", "[@sell]", "[@buy]", "[@sell]", "[@buy]"}));
        QVERIFY(!w->List1->selectionModel()->hasSelection());
        QStringList told;
        for (const auto& t : prompter->told)
            told << t.title + u'|' + t.text + (t.icon == QMessageBox::Critical ? "" : "|not the stop icon");
        const QString buy = QStringLiteral("[Error]|Duplicate Menu Found : [@buy]");
        QCOMPARE(told, (QStringList{buy, buy, QStringLiteral("[Error]|Duplicate Menu Found : [@sell]"), buy}));
        // The check remembers nothing: the next tick reports them again.
        w->leftPane->Timer1_Timer();
        QCOMPARE(prompter->told.size(), std::size_t{8});
    }

    // A tick reads the script again only after it changed: typing, deleting,
    // undoing and loading a file each count as a change.
    void headerListFollowsKeysUndoAndLoads() {
        setScript(QStringLiteral("[@main]\r\n"));
        maxEdit* e = w->maxEdit;
        QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e, QStringLiteral("[@a]"));
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]", "[@a]"}));
        QTest::keyClick(e, Qt::Key_Backspace);
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]"}));
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]", "[@a]"}));
        QTemporaryDir dir;
        test::writeBytes(dir.filePath(QStringLiteral("loaded.txt")), "[@loaded]\r\n");
        e->LoadFile(dir.filePath(QStringLiteral("loaded.txt")), 1252);
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@loaded]"}));
    }

    // A tick hands the view only the rows that changed; the view's rows are
    // then the script's headers in order, whatever changed where.
    void headerListFollowsChangesInTheMiddle() {
        const QStringList lines{"[@a]", "[@bb]", "#SAY", "[@cc]", "[@d]", "[@e", "]"};
        setScript(lines.join("\r\n"));
        QAbstractItemModelTester tester(w->List1->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy rewritten(w->List1->model(), &QAbstractItemModel::dataChanged);
        maxEdit* e = w->maxEdit;
        const auto typeAt = [&](int line, int column, const QString& keys) {
            e->setCursorPosition(line, column);
            QTest::keyClicks(e, keys);
            w->leftPane->Timer1_Timer();
        };
        typeAt(1, 4, QStringLiteral("\bx"));  // renamed, same length
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@bx]", "[@cc]", "[@d]"}));
        QCOMPARE(rewritten.size(), 1);
        QCOMPARE(rewritten[0][0].toModelIndex().row(), 2);
        typeAt(2, 4, QStringLiteral("\r[@new]\r[@a]"));  // two inserted after "#SAY", one a duplicate
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@bx]", "[@new]", "[@a]", "[@cc]", "[@d]"}));
        QCOMPARE(prompter->told.size(), std::size_t{1});
        typeAt(4, 0, QStringLiteral("x"));  // no header any more
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@bx]", "[@new]", "[@cc]", "[@d]"}));
        QCOMPARE(prompter->told.size(), std::size_t{1});
        typeAt(1, 0, QStringLiteral("x"));
        typeAt(3, 0, QStringLiteral("x"));
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@cc]", "[@d]"}));
        typeAt(8, 0, QStringLiteral("\b"));  // two lines joined into one header
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@cc]", "[@d]", "[@e]"}));
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "None Found"}));
    }

    // Keys do what the mouse does: arrows only move, Enter on a header row is
    // its double click, Enter or Space on a template node its click.
    void activationKeysDoWhatTheMouseDoes() {
        setScript(QStringLiteral("[@main]\r\n[@buy]\r\n#SAY\r\nx[@buy]x"));
        setCurrentRow(1);
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(w->List1, key);
        QCOMPARE(w->maxEdit->markedLine(), 3);
        QTest::keyClick(w->Combo2, Qt::Key_Down);
        w->TV1->expandAll();
        w->TV1->setCurrentItem(w->TV1->findItems(QStringLiteral("Teleporter"), Qt::MatchRecursive).value(0));
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Return, Qt::Key_Up, Qt::Key_Up})
            QTest::keyClick(w->TV1, key);
        QCOMPARE(w->maxEdit->Text(), golden("teleporter.txt"));
        QTest::keyClick(w->TV1, Qt::Key_Space);  // on Jewelry Merchant
        QCOMPARE(w->maxEdit->Text(), golden("jewelry_merchant.txt"));
    }

    // While a modal window is up (a file dialog, a question, a report) a
    // tick does nothing; the next one after it closes rebuilds and reports.
    void ticksWaitWhileAModalWindowIsOpen() {
        w->maxEdit->setText(QStringLiteral("[@a]\r\n[@a]"));
        QDialog question(w);
        question.setModal(true);
        question.show();
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]"}));
        question.close();
        w->leftPane->Timer1_Timer();
        QCOMPARE(prompter->told.size(), std::size_t{1});
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@a]"}));
    }

    void doubleClickMarksTheLastLineHoldingTheHeader() {
        setScript(QStringLiteral("[@main]\r\n[@buy]\r\n#SAY\r\n;back to [@buy] later\r\n[@sell]\r\nx[@buy]x"));
        for (auto [row, marked] : {std::pair{2, 5}, {3, 4}}) {
            const QRect rect = w->List1->visualRect(w->List1->model()->index(row, 0));
            // Through the window, as the platform delivers it: press, release, press, release.
            QTest::mouseDClick(w->windowHandle(), Qt::LeftButton, {}, w->List1->viewport()->mapTo(w, rect.center()));
            QCOMPARE(w->maxEdit->markedLine(), marked);
        }
    }
};

QTEST_MAIN(tst_leftPane)
#include "tst_leftPane.moc"
