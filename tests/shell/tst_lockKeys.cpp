#include <QtTest>
#include <QtWidgets>

#include "shell/frmMain.h"
#include "testsupport.h"

using quill::frmMain;

// Under X each toggle turns its own panel over and leaves the other's state
// and both texts alone; where the state cannot be read the panels stay as drawn.
class tst_lockKeys : public QObject {
    Q_OBJECT
    quill::test::ScriptedPrompter prompter;
    QPointer<frmMain> w;
    QStringList pressedOnce;  // lock keys toggled and not yet toggled back

    static bool xcb() { return QGuiApplication::platformName() == QLatin1String("xcb"); }
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

    // Under X each toggle turns its own panel over and leaves the other's
    // state and both texts alone; elsewhere the panels stay as drawn.
    void panelFollowsItsLock() {
        QLabel* caps = w->panel(QStringLiteral("_capslock"));
        QLabel* num = w->panel(QStringLiteral("_numlock"));
        QTest::keyClick(w, Qt::Key_CapsLock);  // elsewhere the panels stay as drawn
        QVERIFY(xcb() || (caps->isEnabled() && num->isEnabled()));
        for (auto [keysym, label, other] : {std::tuple{"Caps_Lock", caps, num}, {"Num_Lock", num, caps}}) {
            if (!xcb()) break;
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
