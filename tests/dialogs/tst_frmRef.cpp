#include <QCheckBox>
#include <QRadioButton>
#include <QtTest>

#include "dialogs/frmRef.h"
#include "dialogtest.h"

using namespace quill;
using quill::dialogs::frmRef;
using quill::test::scriptText;

class TestFrmRef : public QObject {
    Q_OBJECT

private slots:
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
        // It stays open with its ticks; the menu again brings it forward.
        test::settle();
        QCOMPARE(run.open(), r);
        QVERIFY(r->Check1->isChecked() && !r->Check2->isChecked() && r->Option3->isChecked());

        run.dropMain();
        r->Command1->click();
        test::settle();
        QCOMPARE(frmRef::instance(), r);
        QVERIFY(r->Check1->isChecked() && run.prompter.told.empty());
    }
};

QTEST_MAIN(TestFrmRef)
#include "tst_frmRef.moc"
