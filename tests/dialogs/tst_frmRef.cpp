#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "dialogs/frmRef.h"
#include "dialogtest.h"
#include "testsupport.h"

using namespace quill;
using quill::dialogs::frmRef;
using quill::test::scriptText;

class TestFrmRef : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;
    frmMain* main = nullptr;

    frmRef* open() {
        main->mnuInsertRef_Click();
        return frmRef::instance();
    }

private slots:
    void init() { main = test::openEmptyMain(); }
    void cleanup() {
        delete frmRef::instance();
        delete main;
        test::settle();
    }

    void opensAllClear() {
        frmRef* r = open();
        QVERIFY(r && r->isVisible());
        QVERIFY(!r->parentWidget());
        // Keeps the program running after the main window has closed.
        QVERIFY(r->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(r->windowTitle(), QStringLiteral("Quillmoor v3 : Merchant Refrences"));
        QCOMPARE(r->Frame5->title(), QStringLiteral("Prices"));
        QCOMPARE(r->Option3->text(), QStringLiteral("Full  Price (100%)"));
        QCOMPARE(r->Option4->text(), QStringLiteral("PK Price (200%)"));
        QCOMPARE(r->Command1->text(), QStringLiteral("Insert Weapon Refrences"));
        QCOMPARE(r->Command2->text(), QStringLiteral("Insert Armour Refrences"));
        QCOMPARE(r->Command3->text(), QStringLiteral("Insert Potion Refrences"));
        QCOMPARE(r->Command4->text(), QStringLiteral("Insert Price Refrences"));
        for (QCheckBox* box : r->findChildren<QCheckBox*>()) QVERIFY(!box->isChecked());
        QVERIFY(!r->Option3->isChecked() && !r->Option4->isChecked());
        // Helmet is numbered first but sits at the bottom of its frame.
        QVERIFY(r->Check6->y() < r->Check5->y() && r->Check5->y() < r->Check4->y());
        QCOMPARE(r->focusWidget(), r->Check1);
        QCOMPARE(scriptText(), QString());
        test::shot(r, QStringLiteral("frmRef"));
    }

    void buttonsInsertTheirOwnGroupTopToBottom() {
        frmRef* r = open();
        for (QCheckBox* box : r->findChildren<QCheckBox*>()) box->setChecked(true);
        r->Check2->setChecked(false);
        r->Command2->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n+10\r\n+11\r\n+15"));
        main->maxEdit->setText(QString());
        r->Command1->click();
        r->Command1->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n+5\r\n+43\r\n+5\r\n+43"));
        main->maxEdit->setText(QString());
        r->Command3->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n+0\r\n+42"));
        // The ticks stay; the dialog stays open.
        test::settle();
        QCOMPARE(frmRef::instance(), r);
        QVERIFY(r->Check1->isChecked() && !r->Check2->isChecked());
    }

    void priceNeedsAChoice() {
        frmRef* r = open();
        r->Command4->click();
        QCOMPARE(scriptText(), QString());
        QTest::mouseClick(r->Option4, Qt::LeftButton);
        r->Command4->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n200%"));
        QTest::mouseClick(r->Option3, Qt::LeftButton);
        QVERIFY(!r->Option4->isChecked());
        r->Command4->click();
        QCOMPARE(scriptText(), QStringLiteral("\r\n200%\r\n100%"));
        QVERIFY(prompter.told.empty());
    }

    void reopeningKeepsOrClearsTicks() {
        frmRef* r = open();
        r->Check7->setChecked(true);
        QCOMPARE(open(), r);
        QVERIFY(r->Check7->isChecked());
        r->close();
        frmRef* fresh = open();
        QVERIFY(fresh && fresh->isVisible());
        QVERIFY(!fresh->Check7->isChecked());
    }

    void mainWindowGoneWritesNothingAndStays() {
        frmRef* r = open();
        r->Check1->setChecked(true);
        delete main;
        main = nullptr;
        r->Command1->click();
        test::settle();
        QCOMPARE(frmRef::instance(), r);
        QVERIFY(r->Check1->isChecked());
    }
};

QTEST_MAIN(TestFrmRef)
#include "tst_frmRef.moc"
