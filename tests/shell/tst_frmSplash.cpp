#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "shell/twips.h"
#include "testsupport.h"

using quill::frmMain;
using quill::frmSplash;

namespace {

int mainWindows() {
    int n = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<frmMain*>(top)) ++n;
    return n;
}

}  // namespace

class tst_frmSplash : public QObject {
    Q_OBJECT
    quill::test::ScriptedPrompter prompter;
    QPointer<frmSplash> splash;

private slots:
    void init() {
        splash = new frmSplash();
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
    }
    void cleanup() {
        if (splash) splash->close();
        // The default script is unchanged, so the main window closes unasked.
        if (frmMain* w = frmMain::instance()) w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(mainWindows(), 0);
        QVERIFY(prompter.asked.empty());
    }

    void layout();
    void characterKeyHandsOverOnce_data();
    void characterKeyHandsOverOnce();
    void keysThatTypeNothingDoNot_data();
    void keysThatTypeNothingDoNot();
    void timerHandsOver();
};

void tst_frmSplash::layout() {
    auto px = [this](int twips) { return quill::twipsToPixels(twips, splash->logicalDpiX()); };
    QCOMPARE(splash->size(), QSize(px(7275), px(4110)));
    QVERIFY(splash->windowTitle().isEmpty());
    QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash->Timer1->interval(), 5000);
    QVERIFY(splash->Timer1->isActive());

    struct Label {
        QLabel* label;
        QString text;
        double points;
        bool bold;
        Qt::Alignment horizontal;
    };
    const Label labels[] = {
        {splash->lblProductName, "Quillmoor v3", 32.25, true, Qt::AlignLeft},
        {splash->lblPlatform, "Legend Of Mir 2", 15.75, true, Qt::AlignRight},
        {splash->lblVersion, "Version 3.0.6", 12, true, Qt::AlignRight},
        {splash->lblWarning, "Warning: This Is Only For Offline Use, Do Not Use In Conjunction With Online Servers", 8.25,
         false, Qt::AlignLeft},
    };
    for (const Label& l : labels) {
        QCOMPARE(l.label->text(), l.text);
        QCOMPARE(l.label->font().family(), QStringLiteral("Arial"));
        QCOMPARE(l.label->font().pointSizeF(), l.points);
        QCOMPARE(l.label->font().bold(), l.bold);
        QCOMPARE(l.label->alignment() & Qt::AlignHorizontal_Mask, l.horizontal);
        QCOMPARE(l.label->palette().color(QPalette::WindowText), splash->palette().color(QPalette::HighlightedText));
        QVERIFY2(splash->rect().contains(l.label->geometry()), qPrintable(l.text));
    }
    QCOMPARE(splash->lblProductName->pos(), QPoint(px(1665), px(1028)));
    QCOMPARE(splash->lblPlatform->geometry().right() + 1, px(4635 + 2385));
    QCOMPARE(splash->lblVersion->geometry().right() + 1, px(6045 + 885));
    QCOMPARE(splash->lblWarning->geometry(), QRect(px(225), px(3548), px(6855), px(195)));
    QCOMPARE(splash->imgLogo->geometry(), QRect(px(195), px(368), px(1215), px(1545)));
    QVERIFY(splash->imgLogo->hasScaledContents());
}

void tst_frmSplash::characterKeyHandsOverOnce_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("letter") << int(Qt::Key_A);
    QTest::newRow("digit") << int(Qt::Key_7);
    QTest::newRow("space") << int(Qt::Key_Space);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void tst_frmSplash::characterKeyHandsOverOnce() {
    QFETCH(int, key);
    QTest::keyClick(splash, Qt::Key(key));
    QCOMPARE(mainWindows(), 1);
    QPointer<frmMain> shown = frmMain::instance();
    QVERIFY(shown && shown->isVisible());
    QVERIFY(!splash || !splash->isVisible());
    // A second key, or the timer firing late, must not open another window.
    if (splash) {
        QTest::keyClick(splash, Qt::Key_B);
        splash->Timer1_Timer();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(splash.isNull());
    QCOMPARE(mainWindows(), 1);
    QCOMPARE(frmMain::instance(), shown.data());
}

void tst_frmSplash::keysThatTypeNothingDoNot_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Shift") << int(Qt::Key_Shift);
    QTest::newRow("Control") << int(Qt::Key_Control);
    QTest::newRow("Left") << int(Qt::Key_Left);
    QTest::newRow("Down") << int(Qt::Key_Down);
    QTest::newRow("F1") << int(Qt::Key_F1);
    QTest::newRow("F5") << int(Qt::Key_F5);
}

void tst_frmSplash::keysThatTypeNothingDoNot() {
    QFETCH(int, key);
    QTest::keyClick(splash, Qt::Key(key));
    QTest::mouseClick(splash, Qt::LeftButton);
    QCOMPARE(mainWindows(), 0);
    QVERIFY(splash->isVisible());
    QVERIFY(splash->Timer1->isActive());
}

void tst_frmSplash::timerHandsOver() {
    splash->Timer1->setInterval(10);
    splash->Timer1->start();
    QTRY_COMPARE(mainWindows(), 1);
    QTRY_VERIFY(splash.isNull());
    QVERIFY(frmMain::instance()->isVisible());
}

QTEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
