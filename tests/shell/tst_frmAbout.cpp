#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

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

        QVERIFY(!a->parentWidget());
        QVERIFY(!a->isModal());
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

    void okEnterAndEscClose_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("OK") << 0;
    }
    void okEnterAndEscClose() {
        QFETCH(int, key);
        main->mHELPABOUT_Click();
        frmAbout* a = frmAbout::instance();
        if (key) QTest::keyClick(a->cmdOK, Qt::Key(key));
        else a->cmdOK->click();
        QVERIFY(!a->isVisible());
        test::settle();
        QVERIFY(!frmAbout::instance());
        // And it opens again afresh.
        main->mHELPABOUT_Click();
        QVERIFY(frmAbout::instance() && frmAbout::instance()->isVisible());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmAbout.moc"
