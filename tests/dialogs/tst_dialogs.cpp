#include <QClipboard>
#include <QInputMethodEvent>
#include <QtTest>

#include "dialogs/frmBatch.h"
#include "dialogs/frmCasino.h"
#include "dialogs/frmFlag.h"
#include "dialogs/frmRef.h"
#include "dialogtest.h"

using namespace quill;
using namespace quill::dialogs;
using quill::test::choose;
using quill::test::scriptText;

// The generator dialogs' windows, each opened as the user opens it. Their
// rules (refusals, lines, the lists offered) are the core's; here the boxes,
// the buttons and what reaches the script.
class tst_dialogs : public QObject {
    Q_OBJECT

private slots:
    void checkFlagFromItsRowToTheScript() {
        test::DialogRun<frmFlag> run{11};
        frmFlag* f = run.open();
        QVERIFY(test::openedAlone(f));
        QCOMPARE(scriptText(), QStringLiteral("\r\n"));
        QCOMPARE(f->Combo1->currentIndex(), -1);
        QCOMPARE(f->focusWidget(), f->Combo1);

        // Letters, blanks, signs and Backspace are refused, a fourth digit
        // too; keys that type nothing keep their effect: "123" becomes "23",
        // and Alt+digit types nothing.
        QTest::keyClicks(f->Text1, QStringLiteral("12a3 4-"));
        QTest::keyClick(f->Text1, Qt::Key_Backspace);
        QTest::keyClick(f->Text1, Qt::Key_Home);
        QTest::keyClick(f->Text1, Qt::Key_Delete);
        QTest::keyClick(f->Text1, Qt::Key_9, Qt::AltModifier);
        QCOMPARE(f->Text1->text(), QStringLiteral("23"));
        // Tab and Shift+Tab leave the box along the tab order.
        f->Text1->setFocus();
        QTest::keyClick(f->Text1, Qt::Key_Tab);
        QCOMPARE(f->focusWidget(), f->Combo1);
        f->Text1->setFocus();
        QTest::keyClick(f->Text1, Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(f->focusWidget(), f->Command1);
        // A paste is not typed, but holds one line.
        QGuiApplication::clipboard()->setText(QStringLiteral("7\r\n8"));
        f->Text1->selectAll();
        f->Text1->paste();
        f->Combo1->setCurrentIndex(0);
        // Its row again brings the same dialog forward, inputs kept, and
        // still opens its own line.
        QCOMPARE(run.open(), f);
        QTest::keyClick(f->Command1, Qt::Key_Return);
        QCOMPARE(scriptText(), QStringLiteral("\r\n\r\nCheck [7] 1"));
        test::settle();
        QVERIFY(!frmFlag::instance());
    }

    void batchListFromItsRowToTheScript() {
        test::DialogRun<frmBatch> run{37};
        frmBatch* b = run.open();
        QVERIFY(test::openedAlone(b));
        QCOMPARE(scriptText(), QStringLiteral("\r\n"));
        QCOMPARE(b->focusWidget(), b->Command5);
        b->Command1->click();  // no delay in the list yet
        QCOMPARE(run.prompter.told.at(0).title + run.prompter.told.at(0).text,
                 QStringLiteral("[Error]You Must Insert A Batch Delay Before Inserting Maps"));
        run.prompter.told.clear();
        // The delay box takes digits only, each character judged alike
        // whether typed, carried several to a key event, or committed by an
        // input method.
        QTest::keyClicks(b->Text2, QStringLiteral("1x"));
        QTest::sendKeyEvent(QTest::Click, b->Text2, Qt::Key_unknown, QStringLiteral("5a"), Qt::NoModifier);
        QInputMethodEvent committed;
        committed.setCommitString(QStringLiteral("b\u4e94"));
        QCoreApplication::sendEvent(b->Text2, &committed);
        QTest::keyClick(b->Text2, Qt::Key_Backspace);
        QTest::keyClick(b->Command2, Qt::Key_Enter);
        QTest::keyClicks(b->Text1, QStringLiteral(" D0x"));  // the map name box takes any key
        QTest::keyClick(b->Text1, Qt::Key_Backspace);
        b->Command1->click();
        // A pasted map name keeps its first line, however long.
        const QString longName(40000, u'M');
        QGuiApplication::clipboard()->setText(longName + QStringLiteral("\r\n[@evil]"));
        b->Text1->selectAll();
        QTest::keyClick(b->Text1, Qt::Key_V, Qt::ControlModifier);
        b->Command1->click();
        b->Command3->click();
        // Its row again keeps the list, opens its own line, and brings the
        // dialog back from the task bar.
        b->showMinimized();
        QCOMPARE(run.open(), b);
        QVERIFY(b->isVisible() && !b->isMinimized());
        b->Command5->click();
        QCOMPARE(scriptText(), "\r\n\r\n\r\nbatchdelay 15\r\naddbatch  D0\r\naddbatch " + longName + "\r\nbatchmove");
        test::undoOnce();  // one press, one step
        QCOMPARE(scriptText(), QStringLiteral("\r\n\r\n"));
        test::settle();
        QVERIFY(!frmBatch::instance());

        // Outliving the main window, its buttons write nothing (all the
        // dialogs write through the same path).
        frmBatch* fresh = run.open();
        QCOMPARE(fresh->List1->count(), 0);
        fresh->Command3->click();
        run.dropMain();
        fresh->Command5->click();
        test::settle();
        QVERIFY(!frmBatch::instance());
        QVERIFY(run.prompter.told.empty());
    }

    void diceLinesFromItsRowToTheScript() {
        test::DialogRun<frmCasino> run{84};
        frmCasino* c = run.open();
        QTest::keyClicks(c->Text5, QStringLiteral("@m"));
        c->close();  // and it comes back afresh
        c = run.open();
        QVERIFY(test::openedAlone(c));
        QCOMPARE(c->Text5->text(), QString());
        for (QComboBox* combo : {c->Combo1, c->Combo2, c->Combo3, c->Combo4, c->Combo5})
            QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(c->focusWidget(), c->List2);

        choose(c->Combo1, QStringLiteral("Mov"));
        choose(c->Combo2, QStringLiteral("p9"));
        choose(c->Combo3, QStringLiteral("10"));
        c->Command4->click();
        choose(c->Combo4, QStringLiteral("playdice"));
        choose(c->Combo5, QStringLiteral("2"));
        QTest::keyClicks(c->Text5, QStringLiteral(" @win "));
        c->Command8->click();
        const QStringList lines{"Mov p9 10", "playdice 2  @win "};
        QTest::keyClick(c->Command10, Qt::Key_Return);
        c->Command10->click();
        const QString block = "\r\n" + lines.join("\r\n"), twice = "\r\n\r\n" + block + block;
        QCOMPARE(scriptText(), twice);
        test::undoOnce();
        QCOMPARE(scriptText(), "\r\n\r\n" + block);
        c->Command10->click();
        // It stays open with everything in it; its row again brings it forward.
        test::settle();
        QCOMPARE(run.open(), c);
        QCOMPARE(scriptText(), twice + "\r\n");
        QCOMPARE(test::items(c->List2), lines);

        // A pasted menu name keeps its first line, however long.
        const QString longName(40000, u'm');
        QGuiApplication::clipboard()->setText(longName + QStringLiteral("\n@two"));
        c->Text5->clear();
        QTest::keyClick(c->Text5, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(c->Text5->text(), longName);
    }

    // The real message box of a refusal: a message that brings no title of
    // its own carries the program's.
    void refusalShowsInABoxWithTheProgramTitle() {
        test::DialogRun<frmCasino> run{84};
        frmCasino* c = run.open();
        QCOMPARE(test::realBoxShows(run.prompter, [c] { c->Command4->click(); }),
                 QStringLiteral("Quillmoor v3|You Must Choose A Sum (Large,Small,Equal)"));
    }

    void codesFromTheMenuToTheScript() {
        test::DialogRun<frmRef> run{[](frmMain* main) { main->mnuInsertRef_Click(); }};
        frmRef* r = run.open();
        r->Check7->setChecked(true);
        QTest::mouseClick(r->Option3, Qt::LeftButton);
        r->close();  // and it comes back afresh
        r = run.open();
        QVERIFY(test::openedAlone(r));
        for (QAbstractButton* box : r->findChildren<QAbstractButton*>()) QVERIFY(!box->isChecked());
        QCOMPARE(r->focusWidget(), r->Check1);

        r->Command4->click();  // no price chosen: nothing
        QTest::mouseClick(r->Option4, Qt::LeftButton);
        r->Command4->click();
        QTest::mouseClick(r->Option3, Qt::LeftButton);
        r->Command4->click();
        for (QCheckBox* box : r->findChildren<QCheckBox*>()) box->setChecked(true);
        QTest::mouseClick(r->Check2, Qt::LeftButton);
        r->Command2->click();
        QTest::keyClick(r->Command1, Qt::Key_Return);
        r->Command3->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n200%\r\n100%\r\n+10\r\n+11\r\n+15\r\n+5\r\n+43\r\n+0\r\n+42"));
        test::undoOnce();
        QCOMPARE(scriptText(), QStringLiteral("\r\n200%\r\n100%\r\n+10\r\n+11\r\n+15\r\n+5\r\n+43"));
        r->Command3->click();
        // It stays open with its ticks; the menu again brings it forward.
        test::settle();
        QCOMPARE(run.open(), r);
        QVERIFY(r->Check1->isChecked() && !r->Check2->isChecked() && r->Option3->isChecked());
    }
};

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
