#include <QClipboard>
#include <QInputMethodEvent>
#include <QtTest>

#include "dialogs/frmBatch.h"
#include "dialogtest.h"

using namespace quill;
using quill::dialogs::frmBatch;
using quill::test::scriptText;

// The list's rules are the core's; here the boxes, the buttons and the script.
class TestFrmBatch : public QObject {
    Q_OBJECT

private slots:
    void batchListFromItsRowToTheScript() {
        test::DialogRun<frmBatch> run{37};
        frmBatch* b = run.open();
        QVERIFY(test::openedAlone(b));
        QCOMPARE(scriptText(), QStringLiteral("\r\n"));
        QCOMPARE(b->focusWidget(), b->Command5);
        b->Command1->click();  // no delay in the list yet
        QCOMPARE(run.takeTold(), QStringList{"[Error]|You Must Insert A Batch Delay Before Inserting Maps"});
        // The delay box takes digits only, each character judged alike
        // whether typed, carried several to a key event, or committed by an
        // input method.
        QTest::keyClicks(b->Text2, QStringLiteral("1x"));
        QTest::sendKeyEvent(QTest::Click, b->Text2, Qt::Key_unknown, QStringLiteral("a5"), Qt::NoModifier);
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
        test::settle();
        QVERIFY(!frmBatch::instance());

        // Outliving the main window, its buttons write nothing.
        frmBatch* fresh = run.open();
        QCOMPARE(fresh->List1->count(), 0);
        fresh->Command3->click();
        run.dropMain();
        fresh->Command5->click();
        test::settle();
        QVERIFY(!frmBatch::instance());
        QVERIFY(run.prompter.told.empty());
    }
};

QTEST_MAIN(TestFrmBatch)
#include "tst_frmBatch.moc"
