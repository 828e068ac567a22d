#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <QtTest>

#include "dialogs/casino.h"
#include "dialogs/frmCasino.h"
#include "dialogtest.h"

using namespace quill;
using quill::dialogs::frmCasino;
using quill::test::choose;
using quill::test::scriptText;

class TestFrmCasino : public QObject {
    Q_OBJECT

private slots:
    void diceLinesFromItsRowToTheScript() {
        namespace casino = dialogs::casino;
        test::DialogRun<frmCasino> run{84};
        frmCasino* c = run.open();
        QTest::keyClicks(c->Text5, QStringLiteral("@m"));
        choose(c->Combo4, QStringLiteral("playdice"));
        c->close();  // and it comes back afresh
        c = run.open();
        QVERIFY(test::openedAlone(c));
        QCOMPARE(c->Text5->text(), QString());
        QCOMPARE(test::captions({c, c->Frame4, c->Frame5, c->Command10}),
                 (QStringList{"Dice Scripter", "Check Dice Ammount", "Play Dice Scripter", "Insert Dice Script"}));
        const std::pair<QComboBox*, const std::vector<std::string>&> offered[] = {
            {c->Combo1, casino::sums()}, {c->Combo2, casino::multipliers()}, {c->Combo3, casino::amounts()},
            {c->Combo4, casino::playOptions()}, {c->Combo5, casino::diceCounts()}};
        for (const auto& [combo, texts] : offered) {
            QCOMPARE(test::items(combo), test::items(texts));
            QCOMPARE(combo->currentIndex(), -1);
        }
        QCOMPARE(c->focusWidget(), c->List2);
        test::shot(c, QStringLiteral("frmCasino"));

        c->Command4->click();  // no sum
        choose(c->Combo1, QStringLiteral("Mov"));
        choose(c->Combo3, QStringLiteral("10"));
        c->Command4->click();  // no multiplier
        choose(c->Combo2, QStringLiteral("p9"));
        c->Command4->click();
        choose(c->Combo4, QStringLiteral("playdice"));
        c->Command8->click();  // no dice and no menu name: the dice are asked for
        choose(c->Combo5, QStringLiteral("2"));
        c->Command8->click();  // no menu name
        QTest::keyClicks(c->Text5, QStringLiteral(" @win "));
        c->Command8->click();
        QCOMPARE(run.takeTold(), (QStringList{"|You Must Choose A Sum (Large,Small,Equal)",
                                              "|You Must Choose A Multiplier (p9 or d0)",
                                              "|You Must Choose How Many Dice You Wish To Play",
                                              "|You Must Enter A Menu Name"}));
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
        QCOMPARE(c->Text5->text() + c->Combo1->currentText(), QStringLiteral(" @win Mov"));

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

    // The real message box: a message that brings no title of its own
    // carries the program's.
    void untitledMessageCarriesTheProgramTitle() {
        test::DialogRun<frmCasino> run{84};
        frmCasino* c = run.open();
        Prompter::install(nullptr);
        QString seen;
        QTimer::singleShot(0, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = box->windowTitle() + (box->icon() == QMessageBox::NoIcon ? "" : " icon") +
                       (box->standardButtons() == QMessageBox::Ok ? " OK" : " other buttons");
                box->accept();
            }
        });
        c->Command4->click();
        Prompter::install(&run.prompter);
        QCOMPARE(seen, QStringLiteral("Quillmoor v3 OK"));
    }
};

QTEST_MAIN(TestFrmCasino)
#include "tst_frmCasino.moc"
