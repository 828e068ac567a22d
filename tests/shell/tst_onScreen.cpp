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

    // Each window that is up lies inside its screen's available part, or
    // starts at its top-left corner where it is larger.
    static QStringList offScreen() {
        QStringList off;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) continue;
            const QRect area = w->screen()->availableGeometry(), outer = w->frameGeometry();
            if (!area.contains(outer) && outer.topLeft() != area.topLeft())
                off << QStringLiteral("%1 at %2,%3 %4x%5")
                           .arg(w->objectName())
                           .arg(outer.x())
                           .arg(outer.y())
                           .arg(outer.width())
                           .arg(outer.height());
        }
        return off;
    }

private slots:
    void initTestCase() { keepWindowsOnScreen(); }

    void everyWindowOpensOnTheScreen() {
        frmSplash splash;
        splash.show();
        frmMain main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        showFrmAbout();
        for (auto show : {dialogs::showFrmFlag, dialogs::showFrmBatch, dialogs::showFrmCasino, dialogs::showFrmRef})
            show(&main);
        main.maxEdit->RunCommand(ecReplace);
        QStringList off;
        const auto checkAndClose = [this, &off] {
            QTimer::singleShot(0, this, [&off] {
                off << offScreen();
                if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            });
        };
        checkAndClose();
        wMsgBoxEx::Show(&main, QStringLiteral("Q"), mbxIconQuestion, mbxOkayOnly, QStringLiteral("T"), 0,
                        mbxPosBottomRight, false, false);
        checkAndClose();
        main.maxEdit->RunCommand(ecGoToLine, -1);
        QCOMPARE(off, QStringList());

        // A search text longer than the screen is wide leaves the window as
        // it was; the message says it in short and whole in its tooltip.
        FindDialog* find = main.maxEdit->findDialog();
        const int width = find->width();
        find->txtFind->setText(QString(400, u'x'));
        QTest::mouseClick(find->cmdFindNext, Qt::LeftButton);
        QApplication::processEvents();  // the layout that follows the message
        QCOMPARE(find->width(), width);
        QVERIFY(find->lblResult->text().contains(QString(400, u'x')));
        QCOMPARE(offScreen(), QStringList());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main && w != &splash && w->isVisible()) w->close();
    }
};

QTEST_MAIN(tst_onScreen)
#include "tst_onScreen.moc"
