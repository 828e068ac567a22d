#include <QtTest>
#include <QtWidgets>

#include "dialogs/dialogtest.h"
#include "shell/frmAbout.h"
#include "testsupport.h"

using namespace quill;

class TestFrmAbout : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;
    frmMain* main = nullptr;

private slots:
    void init() { main = test::openEmptyMain(); }
    void cleanup() {
        delete frmAbout::instance();
        delete main;
        test::settle();
    }

    void oneWindowWithItsFixedTexts() {
        main->mHELPABOUT_Click();
        frmAbout* a = frmAbout::instance();
        QVERIFY(a && a->isVisible());
        main->mHELPABOUT_Click();
        QCOMPARE(frmAbout::instance(), a);
        int shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) shown += qobject_cast<frmAbout*>(w) && w->isVisible();
        QCOMPARE(shown, 1);

        QVERIFY(!a->parentWidget() && !a->isModal());
        QCOMPARE(a->windowTitle(), QStringLiteral("About Quillmoor v3"));
        QCOMPARE(a->lblTitle->text(), QStringLiteral("Legend Of Mir 2 : Quillmoor : v3"));
        QCOMPARE(a->lblVersion->text(), QStringLiteral("Version 3.0"));  // not the splash's three-part version
        QVERIFY(a->lblDescription->text().contains(QStringLiteral("Tarnhollow")));
        QVERIFY(a->lblDescription->text().endsWith(QStringLiteral(
            "It's Purpose Is To Allow Less Experienced People Create NPC Scripts For The Legend Of Mir Server  Files.")));
        QVERIFY(!a->lblDisclaimer->text().isEmpty());
        QCOMPARE(a->cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(a->focusWidget(), a->cmdOK);
        QVERIFY(!a->picIcon->pixmap().isNull());
        test::shot(a, QStringLiteral("frmAbout"));

        // It keeps the program running after the main window has closed.
        QVERIFY(a->testAttribute(Qt::WA_QuitOnClose));
        delete main;
        main = nullptr;
        test::settle();
        QVERIFY(frmAbout::instance() == a && a->isVisible());
    }

    // Enter, Esc and OK close it; it opens again afresh.
    void okEnterAndEscClose() {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {
            main->mHELPABOUT_Click();
            frmAbout* a = frmAbout::instance();
            QVERIFY(a && a->isVisible());
            if (key != Qt::Key_unknown) QTest::keyClick(a->cmdOK, key);
            else a->cmdOK->click();
            QVERIFY(!a->isVisible());
            test::settle();
            QVERIFY(!frmAbout::instance());
        }
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmAbout.moc"
