#include <QClipboard>
#include <QtTest>

#include "dialogs/frmFlag.h"
#include "dialogtest.h"

using namespace quill;
using quill::dialogs::frmFlag;
using quill::test::scriptText;

class TestFrmFlag : public QObject {
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

        frmFlag* fresh = run.open();
        QVERIFY(fresh->Text1->text().isEmpty() && fresh->Combo1->currentIndex() == -1);
        run.dropMain();
        QTest::keyClicks(fresh->Text1, QStringLiteral("9"));
        fresh->Command1->click();
        test::settle();
        QVERIFY(!frmFlag::instance());
        QVERIFY(run.prompter.told.empty());
    }
};

QTEST_MAIN(TestFrmFlag)
#include "tst_frmFlag.moc"
