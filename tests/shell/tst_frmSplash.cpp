#include <QtTest>
#include <QtWidgets>

#include "shell/frmSplash.h"

using quill::frmSplash;

// The keys that hand over or not, the input method's text, the timer, and
// that it says it is finished only once.
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
            // The right-aligned labels keep their designed right edge (in
            // pixels at 96 dots an inch) whatever their text needs.
            QCOMPARE(splash->logicalDpiX(), 96);
            QCOMPARE(splash->lblPlatform->geometry().right() + 1, 468);
            QCOMPARE(splash->lblVersion->geometry().right() + 1, 462);
            QCOMPARE(splash->Timer1->interval(), 5000);
            // Keys that type nothing keep the splash, though X gives some of them a text.
            for (auto [key, text] : {std::pair{Qt::Key_Shift, ""},
                                     {Qt::Key_Left, ""},
                                     {Qt::Key_F2, ""},
                                     {Qt::Key_Delete, "\x7f"},
                                     {Qt::Key_Tab, "\t"}})
                QTest::sendKeyEvent(QTest::Click, splash, key, QString::fromLatin1(text), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Click, splash, Qt::Key_X, QStringLiteral("x"), Qt::AltModifier);
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
