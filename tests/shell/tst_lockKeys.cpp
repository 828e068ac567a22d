#include <QtTest>
#include <QtWidgets>

#include "shell/frmMain.h"
#include "testsupport.h"

using quill::frmMain;

// Each toggle of a lock key in the X server turns its own panel over and
// leaves the other's state and both texts alone. Run under X only.
class tst_lockKeys : public QObject {
    Q_OBJECT
    quill::test::ScriptedPrompter prompter;
    QPointer<frmMain> w;
    QStringList pressedOnce;  // lock keys toggled and not yet toggled back

    static bool press(const QString& keysym) {
        return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keysym}) == 0;
    }
    void toggle(const QString& keysym) {
        QVERIFY2(press(keysym), "xdotool failed");
        if (!pressedOnce.removeOne(keysym)) pressedOnce << keysym;
    }

private slots:
    void init() {
        w = new frmMain();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() {
        // Leave the display's locks as they were found, even after a failure.
        for (const QString& keysym : std::as_const(pressedOnce)) press(keysym);
        pressedOnce.clear();
        delete w;
    }

    void panelFollowsItsLock() {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "the lock keys have a state only under X");
        QLabel* caps = w->panel(QStringLiteral("_capslock"));
        QLabel* num = w->panel(QStringLiteral("_numlock"));
        for (auto [keysym, label, other] : {std::tuple{"Caps_Lock", caps, num}, {"Num_Lock", num, caps}}) {
            QVERIFY(QTest::qWaitForWindowActive(w));
            const bool wasOn = label->isEnabled(), otherWasOn = other->isEnabled();
            for (bool on : {!wasOn, wasOn}) {
                toggle(QString::fromLatin1(keysym));
                QTRY_COMPARE(label->isEnabled(), on);
                QCOMPARE(other->isEnabled(), otherWasOn);
            }
        }
        QCOMPARE(QStringList({caps->text(), num->text()}), QStringList({"CAPS", "NUM"}));
    }
};

QTEST_MAIN(tst_lockKeys)
#include "tst_lockKeys.moc"
