#include <QtTest>
#include <QtWidgets>

#include "dialogs/dialogtest.h"
#include "shell/frmAbout.h"
#include "testsupport.h"

using namespace quill;

// Opening from the menu and Enter on OK are the end-to-end run's.
class TestFrmAbout : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;

private slots:
    void oneWindowThatOutlivesTheMainWindow() {
        frmMain* main = test::openEmptyMain();
        main->mHELPABOUT_Click();
        frmAbout* a = frmAbout::instance();
        main->mHELPABOUT_Click();
        QCOMPARE(frmAbout::instance(), a);
        int shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) shown += qobject_cast<frmAbout*>(w) && w->isVisible();
        QCOMPARE(shown, 1);
        QCOMPARE(a->lblVersion->text(), QStringLiteral("Version 3.0"));  // not the splash's three-part version
        QVERIFY(test::openedAlone(a) && !a->isModal());
        delete main;
        test::settle();
        QVERIFY(frmAbout::instance() == a && a->isVisible());
        QTest::keyClick(a->cmdOK, Qt::Key_Escape);
        test::settle();
        QVERIFY(!frmAbout::instance());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmAbout.moc"
