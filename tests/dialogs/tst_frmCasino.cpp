#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "dialogs/frmCasino.h"
#include "dialogtest.h"
#include "testsupport.h"

using namespace quill;
using quill::dialogs::frmCasino;
using quill::test::scriptText;

class TestFrmCasino : public QObject {
    Q_OBJECT
    test::ScriptedPrompter* prompter = nullptr;
    frmMain* main = nullptr;

    frmCasino* pickRow() {
        main->setListIndex(main->cboNPC, 84);
        return frmCasino::instance();
    }
    static QStringList items(const QComboBox* combo) {
        QStringList all;
        for (int i = 0; i < combo->count(); ++i) all << combo->itemText(i);
        return all;
    }
    static QStringList entries(const QListWidget* list) {
        QStringList all;
        for (int i = 0; i < list->count(); ++i) all << list->item(i)->text();
        return all;
    }
    QStringList takeTold() {
        QStringList all;
        for (const auto& t : prompter->told)
            all << t.title + u'|' + t.text + (t.icon == QMessageBox::NoIcon ? QString() : QStringLiteral("|icon"));
        prompter->told.clear();
        return all;
    }
    static void choose(QComboBox* combo, const QString& entry) { combo->setCurrentIndex(combo->findText(entry)); }

private slots:
    void init() {
        prompter = new test::ScriptedPrompter;
        main = test::openEmptyMain();
    }
    void cleanup() {
        delete frmCasino::instance();
        delete main;
        delete prompter;
        test::settle();
    }

    void opensWithItsChoices() {
        frmCasino* c = pickRow();
        QVERIFY(c && c->isVisible());
        QVERIFY(!c->parentWidget());
        // Keeps the program running after the main window has closed.
        QVERIFY(c->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(c->windowTitle(), QStringLiteral("Dice Scripter"));
        QCOMPARE(c->Frame4->title(), QStringLiteral("Check Dice Ammount"));
        QCOMPARE(c->Frame5->title(), QStringLiteral("Play Dice Scripter"));
        const QStringList oneToTen{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
        QCOMPARE(items(c->Combo1), (QStringList{"Equal", "Small", "Large", "Mov"}));
        QCOMPARE(items(c->Combo2), (QStringList{"p9", "d0"}));
        QCOMPARE(items(c->Combo3), oneToTen);
        QCOMPARE(items(c->Combo4), QStringList{"playdice"});
        QCOMPARE(items(c->Combo5), oneToTen);
        for (QComboBox* combo : {c->Combo1, c->Combo2, c->Combo3, c->Combo4, c->Combo5})
            QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(c->Command10->text(), QStringLiteral("Insert Dice Script"));
        QCOMPARE(c->focusWidget(), c->List2);
        test::shot(c, QStringLiteral("frmCasino"));
    }

    void composersCheckInOrder() {
        frmCasino* c = pickRow();
        c->Command4->click();
        choose(c->Combo1, QStringLiteral("Small"));
        choose(c->Combo3, QStringLiteral("7"));
        c->Command4->click();
        choose(c->Combo4, QStringLiteral("playdice"));
        c->Command8->click();  // no dice and no menu name: the dice are asked for
        choose(c->Combo5, QStringLiteral("3"));
        c->Command8->click();
        QCOMPARE(takeTold(), (QStringList{"|You Must Choose A Sum (Large,Small,Equal)",
                                          "|You Must Choose A Multiplier (p9 or d0)",
                                          "|You Must Choose How Many Dice You Wish To Play",
                                          "|You Must Enter A Menu Name"}));
        QCOMPARE(c->List2->count(), 0);
    }

    void linesCollectAndInsertTwice() {
        frmCasino* c = pickRow();
        choose(c->Combo1, QStringLiteral("Mov"));
        choose(c->Combo2, QStringLiteral("p9"));
        choose(c->Combo3, QStringLiteral("10"));
        c->Command4->click();
        choose(c->Combo4, QStringLiteral("playdice"));
        choose(c->Combo5, QStringLiteral("2"));
        QTest::keyClicks(c->Text5, QStringLiteral(" @win "));
        c->Command8->click();
        c->Command4->click();
        QVERIFY(prompter->told.empty());
        const QStringList lines{"Mov p9 10", "playdice 2  @win ", "Mov p9 10"};
        QCOMPARE(entries(c->List2), lines);

        c->Command10->click();
        c->Command10->click();
        const QString block = QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n"));
        QCOMPARE(scriptText(), QStringLiteral("\r\n") + block + block);
        test::settle();
        QCOMPARE(frmCasino::instance(), c);
        QCOMPARE(entries(c->List2), lines);
        QCOMPARE(c->Text5->text(), QStringLiteral(" @win "));
        QCOMPARE(c->Combo1->currentText(), QStringLiteral("Mov"));
    }

    void reopeningKeepsOrResetsState() {
        frmCasino* c = pickRow();
        c->Command10->click();  // empty list: nothing
        QCOMPARE(scriptText(), QStringLiteral("\r\n"));
        choose(c->Combo4, QStringLiteral("playdice"));
        QTest::keyClicks(c->Text5, QStringLiteral("@m"));
        QCOMPARE(pickRow(), c);
        QCOMPARE(c->Combo4->currentIndex(), 0);
        QCOMPARE(c->Text5->text(), QStringLiteral("@m"));
        QCOMPARE(scriptText(), QStringLiteral("\r\n\r\n"));
        c->close();
        frmCasino* fresh = pickRow();
        QVERIFY(fresh && fresh->isVisible());
        QCOMPARE(fresh->Combo4->currentIndex(), -1);
        QCOMPARE(fresh->Text5->text(), QString());
    }

    void mainWindowGoneWritesNothingAndStays() {
        frmCasino* c = pickRow();
        choose(c->Combo1, QStringLiteral("Equal"));
        choose(c->Combo2, QStringLiteral("d0"));
        choose(c->Combo3, QStringLiteral("1"));
        c->Command4->click();
        delete main;
        main = nullptr;
        c->Command10->click();
        test::settle();
        QCOMPARE(frmCasino::instance(), c);
        QCOMPARE(c->List2->count(), 1);
    }

    // The real message box: a message that brings no title of its own
    // carries the program's.
    void untitledMessageCarriesTheProgramTitle() {
        frmCasino* c = pickRow();
        Prompter::install(nullptr);
        QString title;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QMessageBox::StandardButtons buttons;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            icon = box->icon();
            buttons = box->standardButtons();
            box->accept();
        });
        c->Command4->click();
        Prompter::install(prompter);
        QCOMPARE(title, QStringLiteral("Quillmoor v3"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(TestFrmCasino)
#include "tst_frmCasino.moc"
