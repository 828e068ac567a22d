#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "dialogs/frmFlag.h"
#include "dialogtest.h"
#include "testsupport.h"

using namespace quill;
using quill::dialogs::frmFlag;
using quill::test::scriptText;

class TestFrmFlag : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;
    frmMain* main = nullptr;

    frmFlag* pickRow() {
        main->setListIndex(main->cboNPC, 11);
        return frmFlag::instance();
    }

private slots:
    void init() { main = test::openEmptyMain(); }
    void cleanup() {
        delete frmFlag::instance();
        delete main;
        test::settle();
    }

    void opensFreshFromItsRow() {
        frmFlag* f = pickRow();
        QVERIFY(f && f->isVisible());
        QVERIFY(!f->parentWidget());
        // Keeps the program running after the main window has closed.
        QVERIFY(f->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(scriptText(), QStringLiteral("\r\n"));
        QCOMPARE(f->windowTitle(), QStringLiteral("Check Flag"));
        QCOMPARE(f->Label1->text(), QStringLiteral("Flag/Unit To Check:"));
        QCOMPARE(f->Text1->text(), QString());
        QCOMPARE(f->Text1->toolTip(), QStringLiteral("Flag MUST Be 3 Digits Only"));
        QCOMPARE(f->Combo1->count(), 2);
        QCOMPARE(f->Combo1->itemText(0), QStringLiteral("True"));
        QCOMPARE(f->Combo1->itemText(1), QStringLiteral("False"));
        QCOMPARE(f->Combo1->currentIndex(), -1);
        QCOMPARE(f->Command1->text(), QStringLiteral("Proceed"));
        QCOMPARE(f->focusWidget(), f->Combo1);
        test::shot(f, QStringLiteral("frmFlag"));
    }

    void flagBoxTakesThreeDigitsOnly() {
        frmFlag* f = pickRow();
        QTest::keyClicks(f->Text1, QStringLiteral("12a3"));
        QCOMPARE(f->Text1->text(), QStringLiteral("123"));
        QTest::keyClicks(f->Text1, QStringLiteral("4 -"));
        QCOMPARE(f->Text1->text(), QStringLiteral("123"));
        QTest::keyClick(f->Text1, Qt::Key_Backspace);
        QCOMPARE(f->Text1->text(), QStringLiteral("123"));
        // Keys that type nothing keep their effect.
        QTest::keyClick(f->Text1, Qt::Key_Home);
        QTest::keyClick(f->Text1, Qt::Key_Delete);
        QCOMPARE(f->Text1->text(), QStringLiteral("23"));
    }

    void proceedWritesTheLineAndCloses_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("line");
        QTest::newRow("true") << "123" << 0 << "Check [123] 1";
        QTest::newRow("false") << "7" << 1 << "Check [7] 0";
        QTest::newRow("empty, no choice") << "" << -1 << "Check [] 0";
        QTest::newRow("no choice") << "5" << -1 << "Check [5] 0";
    }
    void proceedWritesTheLineAndCloses() {
        QFETCH(QString, typed);
        QFETCH(int, choice);
        QFETCH(QString, line);
        frmFlag* f = pickRow();
        QTest::keyClicks(f->Text1, typed);
        f->Combo1->setCurrentIndex(choice);
        f->Command1->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n") + line);
        test::settle();
        QVERIFY(!frmFlag::instance());
        QVERIFY(prompter.told.empty());
    }

    void secondPickRaisesTheSameDialog() {
        frmFlag* f = pickRow();
        QTest::keyClicks(f->Text1, QStringLiteral("42"));
        f->Combo1->setCurrentIndex(0);
        QCOMPARE(pickRow(), f);
        QCOMPARE(f->Text1->text(), QStringLiteral("42"));
        QCOMPARE(f->Combo1->currentIndex(), 0);
        QCOMPARE(scriptText(), QStringLiteral("\r\n\r\n"));
        // Closed, it comes back empty.
        f->close();
        frmFlag* again = pickRow();
        QVERIFY(again && again->isVisible());
        QCOMPARE(again->Text1->text(), QString());
        QCOMPARE(again->Combo1->currentIndex(), -1);
    }

    void mainWindowGoneWritesNothing() {
        frmFlag* f = pickRow();
        delete main;
        main = nullptr;
        QTest::keyClicks(f->Text1, QStringLiteral("9"));
        f->Command1->click();
        test::settle();
        QVERIFY(!frmFlag::instance());
    }
};

QTEST_MAIN(TestFrmFlag)
#include "tst_frmFlag.moc"
