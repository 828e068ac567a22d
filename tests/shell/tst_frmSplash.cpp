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

static frmMain* mainWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<frmMain*>(top)) return main;
    return nullptr;
}

class tst_frmSplash : public QObject {
    Q_OBJECT
    quill::test::ScriptedPrompter prompter;
    QPointer<frmSplash> splash;

private slots:
    void init() {
        splash = new frmSplash();
        // As the program does: the main window is shown while the splash still is.
        connect(splash, &frmSplash::finished, this, [this] {
            QVERIFY(splash->isVisible());
            auto* main = new frmMain();
            main->show();
            main->activateWindow();
        });
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
    }
    void cleanup() {
        if (splash) splash->close();
        // The default script is unchanged, so the main window closes unasked.
        if (frmMain* w = mainWindow()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(mainWindows(), 0);
        QVERIFY(prompter.asked.empty());
    }

    void layout() {
        auto px = [this](int twips) { return quill::twipsToPixels(twips, splash->logicalDpiX()); };
        QCOMPARE(splash->size(), QSize(px(7275), px(4110)));
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash->Timer1->isActive() && splash->Timer1->interval() == 5000);
        const std::tuple<QLabel*, QString, Qt::Alignment> labels[] = {
            {splash->lblProductName, "Quillmoor v3", Qt::AlignLeft}, {splash->lblPlatform, "Legend Of Mir 2", Qt::AlignRight},
            {splash->lblVersion, "Version 3.0.6", Qt::AlignRight},
            {splash->lblWarning, "Warning: This Is Only For Offline Use, Do Not Use In Conjunction With Online Servers",
             Qt::AlignLeft},
        };
        for (const auto& [label, text, horizontal] : labels) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, horizontal);
            QVERIFY2(splash->rect().contains(label->geometry()), qPrintable(text));
        }
        // The right-aligned labels keep their designed right edge whatever their text needs.
        QCOMPARE(splash->lblPlatform->geometry().right() + 1, px(4635 + 2385));
        QCOMPARE(splash->lblVersion->geometry().right() + 1, px(6045 + 885));
    }

    // A character key, Enter, Esc, Ctrl+letter, an input method's text or the timer
    // hands over; a second key, or the timer firing late, must not open another window.
    void handsOverOnce() {
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_A, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Escape, Qt::NoModifier},
            {Qt::Key_C, Qt::ControlModifier}, {Qt::Key_unknown, Qt::NoModifier}, {Qt::Key_unknown, Qt::AltModifier}};
        for (const auto& [key, modifiers] : keys) {
            if (!splash) init();
            // Only the key itself may hand over, not the timer while QTRY waits.
            if (key != Qt::Key_unknown || modifiers != Qt::NoModifier) splash->Timer1->stop();
            if (key != Qt::Key_unknown) {
                QTest::keyClick(splash, key, modifiers);
            } else if (modifiers == Qt::AltModifier) {
                QInputMethodEvent committed;
                committed.setCommitString(QStringLiteral("\u6587"));
                QCoreApplication::sendEvent(splash, &committed);
            } else {
                splash->Timer1->start(10);
            }
            QTRY_COMPARE(mainWindows(), 1);
            QPointer<frmMain> shown = mainWindow();
            QVERIFY(shown && shown->isVisible());
            QTRY_VERIFY(!splash || !splash->isVisible());
            if (splash) {
                QTest::keyClick(splash, Qt::Key_B);
                splash->Timer1_Timer();
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(splash.isNull());
            QCOMPARE(mainWindows(), 1);
            QCOMPARE(mainWindow(), shown.data());
            cleanup();
        }
    }

    void keysThatTypeNothingDoNot() {
        for (Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Left, Qt::Key_F1, Qt::Key_Home, Qt::Key_Tab})
            QTest::keyClick(splash, key);
        QTest::keyClick(splash, Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(splash, Qt::Key_X, Qt::AltModifier);
        // Delete as X11 delivers it, with the text "\x7f".
        QTest::sendKeyEvent(QTest::Click, splash, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
        QTest::mouseClick(splash, Qt::LeftButton);
        QCOMPARE(mainWindows(), 0);
        QVERIFY(splash->isVisible() && splash->Timer1->isActive());
    }
};

QTEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
