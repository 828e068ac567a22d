#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QtTest>

#include "shell/frmMain.h"
#include "testsupport.h"

using quill::frmMain;

// The CAPS and NUM panels follow the lock keys where the window system can
// tell their state, and stay as drawn where it cannot.
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

    void panelsStayAsDrawnWhereStateIsUnknown() {
        if (xcb()) QSKIP("the lock state can be read here");
        QTest::keyClick(w, Qt::Key_CapsLock);
        QTest::keyClick(w, Qt::Key_NumLock);
        QCoreApplication::processEvents();
        QCOMPARE(w->panel(QStringLiteral("_capslock"))->text(), QStringLiteral("CAPS"));
        QCOMPARE(w->panel(QStringLiteral("_numlock"))->text(), QStringLiteral("NUM"));
        QVERIFY(w->panel(QStringLiteral("_capslock"))->isEnabled());
        QVERIFY(w->panel(QStringLiteral("_numlock"))->isEnabled());
    }

    void panelFollowsItsLock_data() {
        QTest::addColumn<QString>("keysym");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("otherPanel");
        QTest::newRow("caps") << "Caps_Lock" << "_capslock" << "CAPS" << "_numlock";
        QTest::newRow("num") << "Num_Lock" << "_numlock" << "NUM" << "_capslock";
    }
    void panelFollowsItsLock() {
        if (!xcb()) QSKIP("needs a real X display (run under xvfb-run with QT_QPA_PLATFORM=xcb)");
        QFETCH(QString, keysym);
        QFETCH(QString, panel);
        QFETCH(QString, text);
        QFETCH(QString, otherPanel);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QLabel* label = w->panel(panel);
        QLabel* other = w->panel(otherPanel);
        const bool wasOn = label->isEnabled();
        const bool otherWasOn = other->isEnabled();

        toggle(keysym);
        QTRY_COMPARE(label->isEnabled(), !wasOn);
        QCOMPARE(other->isEnabled(), otherWasOn);
        QCOMPARE(label->text(), text);

        toggle(keysym);
        QTRY_COMPARE(label->isEnabled(), wasOn);
        QCOMPARE(other->isEnabled(), otherWasOn);
        QCOMPARE(label->text(), text);
    }
};

QTEST_MAIN(tst_lockKeys)
#include "tst_lockKeys.moc"
