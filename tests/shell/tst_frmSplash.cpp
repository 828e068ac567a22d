#include <QtTest>
#include <QtWidgets>

#include "shell/frmSplash.h"
#include "shell/twips.h"

using quill::frmSplash;

// The keys a person presses at the splash are the end-to-end run's; here the
// input method's text, the timer, and that it says it is finished only once.
class tst_frmSplash : public QObject {
    Q_OBJECT

private slots:
    void handsOverOnce() {
        for (const char* how : {"key", "input method", "timer"}) {
            QPointer<frmSplash> splash = new frmSplash();
            int finished = 0;
            connect(splash, &frmSplash::finished, this, [&finished] { ++finished; });
            splash->show();
            QVERIFY(QTest::qWaitForWindowExposed(splash));
            // The right-aligned labels keep their designed right edge whatever their text needs.
            auto px = [&splash](int twips) { return quill::twipsToPixels(twips, splash->logicalDpiX()); };
            QCOMPARE(splash->lblPlatform->geometry().right() + 1, px(4635 + 2385));
            QCOMPARE(splash->lblVersion->geometry().right() + 1, px(6045 + 885));
            QTest::keyClick(splash, Qt::Key_Shift);
            QCOMPARE(finished, 0);
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
            QTRY_COMPARE(finished, 1);
            QTRY_VERIFY(!splash || !splash->isVisible());
            if (splash) {  // a second key, or the timer firing late
                QTest::keyClick(splash, Qt::Key_B);
                splash->Timer1_Timer();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(splash.isNull());
            QCOMPARE(finished, 1);
        }
    }
};

QTEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
