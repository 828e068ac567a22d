#include <QClipboard>
#include <QtTest>

#include "dialogs/frmCasino.h"
#include "dialogtest.h"

using namespace quill;
using quill::dialogs::frmCasino;
using quill::test::choose;
using quill::test::scriptText;

// The lines' rules and the lists offered are the core's; here the wiring.
class TestFrmCasino : public QObject {
    Q_OBJECT

private slots:
    void diceLinesFromItsRowToTheScript() {
        test::DialogRun<frmCasino> run{84};
        frmCasino* c = run.open();
        QTest::keyClicks(c->Text5, QStringLiteral("@m"));
        c->close();  // and it comes back afresh
        c = run.open();
        QVERIFY(test::openedAlone(c));
        QCOMPARE(c->Text5->text(), QString());
        for (QComboBox* combo : {c->Combo1, c->Combo2, c->Combo3, c->Combo4, c->Combo5})
            QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(c->focusWidget(), c->List2);

        choose(c->Combo1, QStringLiteral("Mov"));
        choose(c->Combo2, QStringLiteral("p9"));
        choose(c->Combo3, QStringLiteral("10"));
        c->Command4->click();
        choose(c->Combo4, QStringLiteral("playdice"));
        choose(c->Combo5, QStringLiteral("2"));
        QTest::keyClicks(c->Text5, QStringLiteral(" @win "));
        c->Command8->click();
        const QStringList lines{"Mov p9 10", "playdice 2  @win "};
        QTest::keyClick(c->Command10, Qt::Key_Return);
        c->Command10->click();
        const QString block = "\r\n" + lines.join("\r\n"), twice = "\r\n\r\n" + block + block;
        QCOMPARE(scriptText(), twice);
        // It stays open with everything in it; its row again brings it forward.
        test::settle();
        QCOMPARE(run.open(), c);
        QCOMPARE(scriptText(), twice + "\r\n");
        QCOMPARE(test::items(c->List2), lines);

        // A pasted menu name keeps its first line, however long.
        const QString longName(40000, u'm');
        QGuiApplication::clipboard()->setText(longName + QStringLiteral("\n@two"));
        c->Text5->clear();
        QTest::keyClick(c->Text5, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(c->Text5->text(), longName);

        run.dropMain();
        c->Command10->click();
        test::settle();
        QCOMPARE(frmCasino::instance(), c);
        QCOMPARE(test::items(c->List2), lines);
        QVERIFY(run.prompter.told.empty());
    }

    // The real message box of a refusal: a message that brings no title of
    // its own carries the program's.
    void refusalShowsInABoxWithTheProgramTitle() {
        test::DialogRun<frmCasino> run{84};
        frmCasino* c = run.open();
        QCOMPARE(test::realBoxShows(run.prompter, [c] { c->Command4->click(); }),
                 QStringLiteral("Quillmoor v3|You Must Choose A Sum (Large,Small,Equal)"));
    }
};

QTEST_MAIN(TestFrmCasino)
#include "tst_frmCasino.moc"
