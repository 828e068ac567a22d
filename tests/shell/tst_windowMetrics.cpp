// The window metrics that closing the main window writes to Settings.ini.

#include <QtTest>

#include "shell/frmMain.h"
#include "shell/modDeclarations.h"
#include "testsupport.h"

using namespace quill;

class tst_windowMetrics : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;
    QTemporaryDir dir;

private slots:
    // The outer rectangle in twips at 96 dots an inch, after the entries
    // already there; every other line untouched. A minimised window writes nothing.
    void writtenOnCloseUnlessMinimised() {
        const QString settings = dir.filePath("Data/Settings.ini");
        const QByteArray before = "; mine\r\n[Window Metrics]\r\nfrmMain Y=1\r\n[Other]\r\nk=v\r\n";
        for (const bool minimised : {false, true}) {
            QVERIFY(QDir(dir.path()).mkpath("Data"));
            test::writeBytes(settings, before);
            auto* window = new frmMain;
            modDeclarations::InitPathsFrom(dir.path());
            window->show();
            window->move(40, 30);      // the frame's corner
            window->resize(700, 500);  // inside a frame of 2 pixels on the offscreen platform
            if (minimised) window->showMinimized();
            QCoreApplication::processEvents();
            QVERIFY(window->close());
            QCOMPARE(test::readBytes(settings),
                     minimised ? before
                               : QByteArray("; mine\r\n[Window Metrics]\r\nfrmMain Y=450\r\nfrmMain X=600\r\n"
                                            "frmMain Width=10560\r\nfrmMain Height=7560\r\n[Other]\r\nk=v\r\n"));
        }
    }
};

QTEST_MAIN(tst_windowMetrics)
#include "tst_windowMetrics.moc"
