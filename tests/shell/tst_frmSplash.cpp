#include <QtTest>
#include <QtWidgets>

#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "shell/twips.h"
#include "testsupport.h"

using quill::frmMain;
using quill::frmSplash;

static int mainWindows() {
    int n = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) n += qobject_cast<frmMain*>(top) != nullptr;
    return n;
}

// The keys a person presses at the splash are the end-to-end run's; here the
// input method's text, the timer, and that nothing opens a second window.
class tst_frmSplash : public QObject {
    Q_OBJECT
    quill::test::ScriptedPrompter prompter;

private slots:
    void handsOverOnce() {
        for (const char* how : {"key", "input method", "timer"}) {
            QPointer<frmSplash> splash = new frmSplash();
            splash->show();
            QVERIFY(QTest::qWaitForWindowExposed(splash));
            // The right-aligned labels keep their designed right edge whatever their text needs.
            auto px = [&splash](int twips) { return quill::twipsToPixels(twips, splash->logicalDpiX()); };
            QCOMPARE(splash->lblPlatform->geometry().right() + 1, px(4635 + 2385));
            QCOMPARE(splash->lblVersion->geometry().right() + 1, px(6045 + 885));
            QTest::keyClick(splash, Qt::Key_Shift);
            QCOMPARE(mainWindows(), 0);
            if (how != std::string_view("timer")) splash->Timer1->stop();  // only the key may hand over
            if (how == std::string_view("key")) {
                QTest::keyClick(splash, Qt::Key_C, Qt::ControlModifier);
            } else if (how == std::string_view("input method")) {
                QInputMethodEvent committed;
                committed.setCommitString(QStringLiteral("\u6587"));
                QCoreApplication::sendEvent(splash, &committed);
            } else {
                splash->Timer1->start(10);
            }
            QTRY_COMPARE(mainWindows(), 1);
            QPointer<frmMain> shown = frmMain::instance();
            QVERIFY(shown && shown->isVisible());
            QTRY_VERIFY(!splash || !splash->isVisible());
            if (splash) {  // a second key, or the timer firing late
                QTest::keyClick(splash, Qt::Key_B);
                splash->Timer1_Timer();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(splash.isNull());
            QCOMPARE(mainWindows(), 1);
            QCOMPARE(frmMain::instance(), shown.data());
            shown->close();  // the default script is unchanged: it closes unasked
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(mainWindows(), 0);
        }
        QVERIFY(prompter.asked.empty());
    }
};

QTEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
