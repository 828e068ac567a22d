// Every window opens where a person can reach all of it, at any scale and on
// any screen (the tests run on the offscreen platform's 800x600 screen and on
// a 1280x1024 X display at scale 2), and no message widens one.

#include <QtTest>
#include <QtWidgets>

#include "dialogs/DialogLauncher.h"
#include "shell/FindDialog.h"
#include "shell/FormDesign.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "shell/maxEdit.h"
#include "shell/wMsgBoxEx.h"
#include "testsupport.h"

using namespace quill;

class tst_onScreen : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;
    QStringList off;

    // Notes each window that is up and, across or down, neither lies inside
    // its screen's available part nor, being larger, starts where it starts.
    void noteOffScreen() {
        const auto kept = [](int from, int to, int areaFrom, int areaTo) {
            return from == areaFrom || (from > areaFrom && to <= areaTo);
        };
        for (QWidget* w : QApplication::topLevelWidgets())
            if (const QRect a = w->screen()->availableGeometry(), o = w->frameGeometry();
                w->isVisible() &&
                !(kept(o.left(), o.right(), a.left(), a.right()) && kept(o.top(), o.bottom(), a.top(), a.bottom())))
                off << QStringLiteral("%1 %2,%3").arg(w->objectName()).arg(o.x()).arg(o.y());
    }
    void noteWhileModal(const std::function<void()>& open) {
        QTimer::singleShot(0, this, [this] { noteOffScreen(), QApplication::activeModalWidget()->close(); });
        open();
    }

private slots:
    void everyWindowOpensOnTheScreen() {
        keepWindowsOnScreen();
        frmSplash splash;
        splash.show();
        frmMain main;
        main.show();
        showFrmAbout();
        for (auto show : {dialogs::showFrmFlag, dialogs::showFrmBatch, dialogs::showFrmCasino, dialogs::showFrmRef})
            show(&main);
        main.maxEdit->RunCommand(ecReplace);
        noteWhileModal(
            [&] { wMsgBoxEx::Show(&main, "Q", mbxIconQuestion, mbxOkayOnly, "T", 0, mbxPosBottomRight, 0, 0); });
        noteWhileModal([&] { main.maxEdit->RunCommand(ecGoToLine, -1); });
        // A search text longer than the screen is wide leaves Find as wide as it was.
        FindDialog* find = main.maxEdit->findDialog();
        const int width = find->width();
        find->txtFind->setText(QString(400, u'x'));
        QTest::mouseClick(find->cmdFindNext, Qt::LeftButton);
        QApplication::processEvents();  // the layout that follows the message
        noteOffScreen();
        QVERIFY2(off.isEmpty() && find->width() == width, qPrintable(off.join(u' ')));
    }
};

QTEST_MAIN(tst_onScreen)
#include "tst_onScreen.moc"
