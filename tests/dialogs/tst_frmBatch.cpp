#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "dialogs/frmBatch.h"
#include "dialogtest.h"
#include "testsupport.h"

using namespace quill;
using quill::dialogs::frmBatch;
using quill::test::scriptText;

class TestFrmBatch : public QObject {
    Q_OBJECT
    test::ScriptedPrompter* prompter = nullptr;
    frmMain* main = nullptr;

    frmBatch* pickRow() {
        main->setListIndex(main->cboNPC, 37);
        return frmBatch::instance();
    }
    static QStringList entries(const QListWidget* list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i) all << list->item(i)->text();
        return all;
    }
    // The messages told so far, as "title|text", and forgets them. An icon
    // would show up as a third field.
    QStringList takeTold() {
        QStringList all;
        for (const auto& t : prompter->told)
            all << t.title + u'|' + t.text + (t.icon == QMessageBox::NoIcon ? QString() : QStringLiteral("|icon"));
        prompter->told.clear();
        return all;
    }

private slots:
    void init() {
        prompter = new test::ScriptedPrompter;
        main = test::openEmptyMain();
    }
    void cleanup() {
        delete frmBatch::instance();
        delete main;
        delete prompter;
        test::settle();
    }

    void opensFreshFromItsRow() {
        frmBatch* b = pickRow();
        QVERIFY(b && b->isVisible());
        QVERIFY(!b->parentWidget());
        // Keeps the program running after the main window has closed.
        QVERIFY(b->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(b->windowTitle(), QStringLiteral("Brannick : Batch Creator"));
        QCOMPARE(b->Label1->text(), QStringLiteral("Insert Map To Batch"));
        QCOMPARE(b->Label2->text(), QStringLiteral("Insert Batch Delay"));
        QCOMPARE(b->Command1->text(), QStringLiteral("Add Batch"));
        QCOMPARE(b->Command2->text(), QStringLiteral("Add Delay"));
        QCOMPARE(b->Command3->text(), QStringLiteral("Batch Move"));
        QCOMPARE(b->Command5->text(), QStringLiteral("Insert Batch Script"));
        QCOMPARE(b->List1->count(), 0);
        QCOMPARE(b->focusWidget(), b->Command5);
        QCOMPARE(scriptText(), QStringLiteral("\r\n"));
        test::shot(b, QStringLiteral("frmBatch"));
    }

    void delayBoxTakesDigitsOnly() {
        frmBatch* b = pickRow();
        QTest::keyClicks(b->Text2, QStringLiteral("1x5"));
        QTest::keyClick(b->Text2, Qt::Key_Backspace);
        QCOMPARE(b->Text2->text(), QStringLiteral("15"));
        // The map name box is not filtered.
        QTest::keyClicks(b->Text1, QStringLiteral("D0x"));
        QTest::keyClick(b->Text1, Qt::Key_Backspace);
        QCOMPARE(b->Text1->text(), QStringLiteral("D0"));
    }

    void checksComeInOrderWithTheirTitles() {
        frmBatch* b = pickRow();
        b->Command1->click();  // empty list and empty map name: the delay is missing
        b->Command2->click();  // empty delay
        QCOMPARE(takeTold(), (QStringList{"[Error]|You Must Insert A Batch Delay Before Inserting Maps",
                                          "|Delay Must Be In Seconds"}));
        QCOMPARE(b->List1->count(), 0);

        QTest::keyClicks(b->Text2, QStringLiteral("0"));
        b->Command2->click();
        b->Command1->click();  // a delay now, but no map name
        QCOMPARE(takeTold(), QStringList{"|You Must Enter A Valid Map Name"});
        QCOMPARE(entries(b->List1), QStringList{"batchdelay 0"});
    }

    void batchMoveFirstBlocksMaps() {
        frmBatch* b = pickRow();
        b->Command3->click();
        QTest::keyClicks(b->Text2, QStringLiteral("5"));
        b->Command2->click();
        QTest::keyClicks(b->Text1, QStringLiteral("0"));
        b->Command1->click();
        QCOMPARE(takeTold(), QStringList{"[Error]|You Must Insert A Batch Delay Before Inserting Maps"});
        QCOMPARE(entries(b->List1), (QStringList{"batchmove", "batchdelay 5"}));
    }

    void insertWritesTheListAndCloses() {
        frmBatch* b = pickRow();
        QTest::keyClicks(b->Text2, QStringLiteral("5"));
        b->Command2->click();
        QTest::keyClicks(b->Text1, QStringLiteral(" "));
        b->Command1->click();
        b->Command1->click();  // the boxes keep their text; the same map goes in again
        b->Command3->click();
        QCOMPARE(entries(b->List1), (QStringList{"batchdelay 5", "addbatch  ", "addbatch  ", "batchmove"}));
        QVERIFY(prompter->told.empty());
        test::shot(b, QStringLiteral("frmBatch-list"));

        // Picking the row again keeps the list and adds its own line break.
        QCOMPARE(pickRow(), b);
        QCOMPARE(b->List1->count(), 4);

        b->Command5->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n\r\n\r\nbatchdelay 5\r\naddbatch  \r\naddbatch  \r\nbatchmove"));
        test::settle();
        QVERIFY(!frmBatch::instance());
        QCOMPARE(pickRow()->List1->count(), 0);
    }

    void emptyListInsertsNothingAndCloses() {
        frmBatch* b = pickRow();
        b->Command5->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n"));
        test::settle();
        QVERIFY(!frmBatch::instance());
    }

    void mainWindowGoneWritesNothing() {
        frmBatch* b = pickRow();
        b->Command3->click();
        delete main;
        main = nullptr;
        b->Command5->click();
        test::settle();
        QVERIFY(!frmBatch::instance());
    }
};

QTEST_MAIN(TestFrmBatch)
#include "tst_frmBatch.moc"
