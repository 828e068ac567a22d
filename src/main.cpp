#include <QApplication>

#include "shell/frmSplash.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(true);
    auto* splash = new quill::frmSplash();
    splash->show();
    return QApplication::exec();
}
