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

    static int openAboutWindows() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<frmAbout*>(w) && w->isVisible()) ++n;
        return n;
    }

private slots:
    void init() { main = test::openEmptyMain(); }
    void cleanup() {
        delete frmAbout::instance();
        delete main;
        test::settle();
    }

    void showsItsFixedTexts() {
        main->mHELPABOUT_Click();
        frmAbout* a = frmAbout::instance();
        QVERIFY(a && a->isVisible());
        QVERIFY(!a->parentWidget());
        // Keeps the program running after the main window has closed.
        QVERIFY(a->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(!a->isModal());
        QCOMPARE(a->windowTitle(), QStringLiteral("About Quillmoor v3"));
        QCOMPARE(a->lblTitle->text(), QStringLiteral("Legend Of Mir 2 : Quillmoor : v3"));
        // Fixed text, not the splash window's three-part version.
        QCOMPARE(a->lblVersion->text(), QStringLiteral("Version 3.0"));
        QVERIFY(a->lblDescription->text().contains(QStringLiteral("Tarnhollow")));
        QVERIFY(a->lblDescription->text().endsWith(QStringLiteral(
            "It's Purpose Is To Allow Less Experienced People Create NPC Scripts For The Legend Of Mir Server  Files.")));
        QVERIFY(!a->lblDisclaimer->text().isEmpty());
        QCOMPARE(a->cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(a->focusWidget(), a->cmdOK);
        QVERIFY(!a->picIcon->pixmap().isNull());
        test::shot(a, QStringLiteral("frmAbout"));
    }

    void aboutTwiceGivesOneWindow() {
        main->mHELPABOUT_Click();
        frmAbout* first = frmAbout::instance();
        main->mHELPABOUT_Click();
        QCOMPARE(frmAbout::instance(), first);
        QCOMPARE(openAboutWindows(), 1);
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

    void outlivesTheMainWindow() {
        main->mHELPABOUT_Click();
        delete main;
        main = nullptr;
        test::settle();
        QVERIFY(frmAbout::instance() && frmAbout::instance()->isVisible());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmAbout.moc"
