// The Edit and Search menus of the main window and the editor's own find,
// replace and go-to-line windows.

#include <QtTest>
#include <QtWidgets>

#include "shell/FindDialog.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "testsupport.h"

using namespace quill;

class TestEditCommands : public QObject {
    Q_OBJECT
    test::ScriptedPrompter prompter;
    QPointer<frmMain> window;

    void trigger(const char* name) {
        auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action, name);
        action->trigger();
    }
    maxEdit& editor() { return *window->maxEdit; }
    QString status() { return window->panel(QStringLiteral("_general"))->text(); }
    int caretLine() {
        return int(editor().SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION,
                                          editor().SendScintilla(QsciScintilla::SCI_GETCURRENTPOS)));
    }

private slots:
    void init() {
        window = new frmMain;
        window->show();
        prompter.answers = {QMessageBox::No, QMessageBox::No};
    }
    void cleanup() {
        if (auto* d = editor().findDialog()) d->close();
        delete window;
    }

    void undoAndRedoGatesSayWhy() {
        editor().setText(QString());
        editor().ResetForNewDocument();
        trigger("mEDITUNDO");
        QCOMPARE(status(), QStringLiteral("Cannot Undo; currently at end of undo buffer."));
        trigger("mEDITREDO");
        QCOMPARE(status(), QStringLiteral("Cannot Redo; currently at end of redo buffer."));
    }

    void findNextAndPreviousRepeatTheLastSearch() {
        editor().setText(QStringLiteral("gold\r\nGold\r\ngolden\r\ngold"));
        editor().setCursorPosition(0, 0);
        trigger("mSEARCHFINDNEXT");  // no search yet: opens Find
        FindDialog* find = editor().findDialog();
        QVERIFY(find && find->isVisible() && !find->replaceMode());
        find->txtFind->setText(QStringLiteral("gold"));
        find->chkMatchCase->setChecked(true);
        find->chkWholeWord->setChecked(true);
        find->cmdFindNext->click();
        QCOMPARE(caretLine(), 0);
        trigger("mSEARCHFINDNEXT");  // skips "Gold" (case) and "golden" (whole word)
        QVERIFY(caretLine() == 3 && editor().selectedText() == QStringLiteral("gold"));
        trigger("mSEARCHFINDNEXT");  // wraps round
        QCOMPARE(caretLine(), 0);
        trigger("mSEARCHFINDPREVIOUS");
        QCOMPARE(caretLine(), 3);

        // What was typed is quoted as it is, never read as markup.
        find->txtFind->setText(QStringLiteral("<b>x</b>"));
        find->cmdFindNext->click();
        QCOMPARE(test::shownText(find->lblResult), QStringLiteral("Cannot find \"<b>x</b>\"."));
    }

    void replaceAllIsOneUndoStepReplaceNeverInItsOwnText() {
        const QString text = QStringLiteral("Take Gold 5\r\ntake gold 6\r\nTake Goldbar");
        editor().setText(text);
        trigger("mSEARCHREPLACE");
        FindDialog* find = editor().findDialog();
        QVERIFY(find && find->replaceMode() && find->txtReplace->isVisible());
        find->txtFind->setText(QStringLiteral("gold"));
        find->txtReplace->setText(QStringLiteral("Gold Gold"));
        find->chkWholeWord->setChecked(true);
        find->cmdReplaceAll->click();
        QCOMPARE(editor().Text(), QStringLiteral("Take Gold Gold 5\r\ntake Gold Gold 6\r\nTake Goldbar"));
        // The result speaks of that search only: another text or option clears it.
        for (const auto& change :
             std::initializer_list<std::function<void()>>{[&] { QTest::keyClick(find->txtFind, Qt::Key_S); },
                                                          [&] {
                                                              QTest::mouseClick(find->chkMatchCase, Qt::LeftButton);
                                                          }}) {
            QVERIFY(!find->lblResult->text().isEmpty());
            change();
            QCOMPARE(find->lblResult->text(), QString());
            find->cmdReplaceAll->click();
        }
        find->txtFind->setText(QStringLiteral("gold"));
        find->chkMatchCase->setChecked(false);
        // Every control has an access key of its own.
        QStringList keys;
        for (QAbstractButton* b : find->findChildren<QAbstractButton*>())
            keys << QKeySequence::mnemonic(b->text()).toString();
        for (QLabel* l : find->findChildren<QLabel*>())
            if (l->buddy()) keys << QKeySequence::mnemonic(l->text()).toString();
        QVERIFY2(!keys.contains(QString()) && QSet<QString>(keys.begin(), keys.end()).size() == keys.size(),
                 qPrintable(keys.join(u' ')));
        trigger("mEDITUNDO");
        QCOMPARE(editor().Text(), text);

        editor().setCursorPosition(0, 0);
        find->cmdReplace->click();  // first press finds, second replaces
        QCOMPARE(editor().Text(), text);
        find->cmdReplace->click();
        QCOMPARE(editor().Text(), QStringLiteral("Take Gold Gold 5\r\ntake gold 6\r\nTake Goldbar"));
        QCOMPARE(caretLine(), 1);  // and the next match is selected

        // Upwards the next search starts before the replacement, so a match
        // inside it is never replaced again.
        editor().setText(QStringLiteral("gold gold"));
        editor().setCursorPosition(0, 9);
        find->chkWholeWord->setChecked(false);
        find->chkWrap->setChecked(false);
        find->optUp->setChecked(true);
        find->txtReplace->setText(QStringLiteral("golden"));
        for (int press = 0; press < 4; ++press) find->cmdReplace->click();
        QCOMPARE(editor().Text(), QStringLiteral("golden golden"));
    }

    void goToLineRefusesLinesOutsideTheScript() {
        editor().setText(QStringLiteral("a\r\nb\r\nc"));
        QStringList errors;
        QTimer::singleShot(0, this, [&errors] {
            auto* dialog = qobject_cast<GoToLineDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            for (const char* typed : {"0", "4", "two"}) {
                dialog->txtLine->setText(QString::fromLatin1(typed));
                dialog->accept();
                errors << dialog->lblError->text();
            }
            dialog->txtLine->setText(QStringLiteral("3"));
            dialog->accept();
        });
        trigger("mSEARCHGOTOLINE");
        QCOMPARE(errors.size(), 3);
        for (const QString& e : errors) QVERIFY2(e.contains(QStringLiteral("from 1 to 3")), qPrintable(e));
        QCOMPARE(caretLine(), 2);
    }
};

QTEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
