#include <QApplication>

#include "shell/AppStyle.h"
#include "shell/FormDesign.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    quill::installAppStyle();
    quill::keepWindowsOnScreen();
    auto* splash = new quill::frmSplash();
    // The main window is built, shown and given the focus while the splash
    // is still up; the splash closes after.
    QObject::connect(splash, &quill::frmSplash::finished, [] {
        auto* main = new quill::frmMain();
        main->show();
        main->activateWindow();
    });
    splash->show();
    return QApplication::exec();
}
