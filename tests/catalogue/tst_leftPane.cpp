// The left pane, the built-in names picker and the menu-header list, driven
// through the main window as a user would.

#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <array>
#include <functional>

#include "catalogue/HeaderList.h"
#include "catalogue/LeftPane.h"
#include "catalogue/builtin_names.h"
#include "catalogue/templates.h"
#include "dialogs/dialogtest.h"
#include "shell/modDocument.h"

using namespace quill;
using test::items;

class tst_leftPane : public QObject {
    Q_OBJECT
    frmMain* w = nullptr;
    test::ScriptedPrompter* prompter = nullptr;

    void setScript(const QString& text) {
        w->maxEdit->setText(text);
        w->mnuSyntaxTitles_Click();
    }
    void setCurrentRow(int row) { w->List1->setCurrentIndex(w->List1->model()->index(row, 0)); }
    void clickNode(const QString& text) {
        w->leftPane->TV1_NodeClick(w->TV1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0));
    }

private slots:
    void init() {
        prompter = new test::ScriptedPrompter;
        w = new frmMain;
        w->Timer1->stop();  // ticks are driven by hand
    }
    void cleanup() {
        delete w;
        delete prompter;
    }

    void startUpTheSelectorAndTheNamesPicker() {
        QCOMPARE(w->Combo2->currentText(), QStringLiteral("--Menu Headers--"));
        QCOMPARE(items(w->Combo1), items(catalogue::builtInNames()));
        QCOMPARE(w->maxEdit->Text(),
                 QStringLiteral(";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]"));
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]"}));
        QCOMPARE(w->Timer1->interval(), 3500);
        w->setListIndex(w->Combo2, 1);
        QVERIFY(!w->TV1->isHidden() && w->List1->isHidden());
        QCOMPARE(w->TV1->pos(), w->List1->pos());
        w->setListIndex(w->Combo2, 0);
        QVERIFY(w->TV1->isHidden() && !w->List1->isHidden());

        w->maxEdit->setText(QStringLiteral("x"));
        w->maxEdit->setCursorPosition(0, 1);
        for (int index : {21, 1, 0, 1}) w->setListIndex(w->Combo1, index);
        QCOMPARE(w->maxEdit->Text(), QStringLiteral("x\r\n@@guildwar\r\n<$USERNAME>\r\n<$USERNAME>"));
    }

    void templateTreeReplacesTheScriptAsOneUndoStep() {
        QStringList shown;  // each node as "key text", children indented
        for (QTreeWidgetItemIterator it(w->TV1); *it; ++it) {
            QVERIFY((*it)->icon(0).isNull() && !(*it)->isExpanded() && !(*it)->isSelected());
            shown << QString((*it)->parent() ? "  " : "") + (*it)->data(0, Qt::UserRole).toString() + u' ' +
                         (*it)->text(0);
        }
        QCOMPARE(shown, (QStringList{"M Merchant NPC's", "  M1 Weapon Merchant", "  M2 Armour Merchant",
                                     "  M3 Jewelry Merchant", "T Teleport NPC", "  T1 Teleporter"}));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("npc.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[@main]\r\n#SAY\r\nHi") > 0);
        file.close();
        modDocument::LoadDocument(path);
        const QString before = w->maxEdit->Text(), caption = w->windowTitle();
        clickNode(QStringLiteral("Merchant NPC's"));
        clickNode(QStringLiteral("Teleport NPC"));
        QCOMPARE(w->maxEdit->Text(), before);
        const QStringList kinds{"Weapon Merchant", "Armour Merchant", "Jewelry Merchant", "Teleporter"};
        for (int kind = 1; kind <= 4; ++kind) {
            clickNode(kinds[kind - 1]);
            QCOMPARE(w->maxEdit->Text(), QString::fromStdString(catalogue::templateText(kind)));
        }
        for (int i = 0; i < 3; ++i) w->mEDITUNDO_Click();
        QCOMPARE(w->maxEdit->Text(), QString::fromStdString(catalogue::templateText(1)));
        w->mEDITUNDO_Click();
        QCOMPARE(w->maxEdit->Text(), before);
        // The script stays the same document: same file, same caption, no question asked.
        QCOMPARE(modDocument::CurrentFileName(), path);
        QCOMPARE(w->windowTitle(), caption);
        QVERIFY(prompter->asked.empty());
    }

    void headerListAndItsDuplicateCheckFollowTheScript() {
        setScript(QStringLiteral("[@main]\r\n#SAY\n[@Buy]\r[@buy]"));
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]", "[@Buy]", "[@buy]"}));
        setCurrentRow(1);
        w->leftPane->Timer1_Timer();
        QVERIFY(!w->List1->selectionModel()->hasSelection() && w->List1->currentRow() == -1);
        setScript(QString());
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "None Found"}));
        QVERIFY(prompter->told.empty());

        setScript(QStringLiteral("[@buy]\r\n[@sell]\r\n[@buy]\r\n[@sell]\r\n[@buy]"));
        QStringList told;
        for (const auto& t : prompter->told)
            told << t.title + u'|' + t.text + (t.icon == QMessageBox::Critical ? "" : "|not the stop icon");
        const QString buy = QStringLiteral("[Error]|Duplicate Menu Found : [@buy]");
        QCOMPARE(told, (QStringList{buy, buy, QStringLiteral("[Error]|Duplicate Menu Found : [@sell]"), buy}));
        // The check remembers nothing: the next tick reports them again; a
        // removed duplicate is no longer reported.
        w->leftPane->Timer1_Timer();
        QCOMPARE(prompter->told.size(), std::size_t{8});
        setScript(QStringLiteral("[@buy]\r\n[@sell]"));
        QCOMPARE(prompter->told.size(), std::size_t{8});
    }

    // A tick reads the script again only after it changed: typing, deleting,
    // undoing and loading a file each count as a change.
    void headerListFollowsKeysUndoAndLoads() {
        setScript(QStringLiteral("[@main]\r\n"));
        maxEdit* e = w->maxEdit;
        QTest::keyClick(e, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(e, QStringLiteral("[@a]"));
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]", "[@a]"}));
        QTest::keyClick(e, Qt::Key_Backspace);
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]"}));
        QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@main]", "[@a]"}));
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("loaded.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[@loaded]\r\n") > 0);
        file.close();
        e->LoadFile(file.fileName(), 1252);
        w->leftPane->Timer1_Timer();
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@loaded]"}));
    }

    void ticksWaitWhileAMessageIsOpen() {
        // Its messages stay "open" while `whileOpen` runs, as a modal box's
        // event loop would let a timer tick through; it replaces the scripted one.
        struct NestingPrompter : test::ScriptedPrompter {
            std::function<void()> whileOpen;
            void tell(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) override {
                ScriptedPrompter::tell(parent, title, text, icon);
                if (auto f = std::exchange(whileOpen, nullptr)) f();
            }
        } nesting;
        w->maxEdit->setText(QStringLiteral("[@a]\r\n[@a]"));
        nesting.whileOpen = [&] {
            w->maxEdit->setText(QStringLiteral("[@a]\r\n[@a]\r\n[@b]"));
            w->leftPane->Timer1_Timer();
        };
        w->leftPane->Timer1_Timer();
        QCOMPARE(nesting.told.size(), std::size_t{1});
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@a]"}));
        w->leftPane->Timer1_Timer();
        QCOMPARE(nesting.told.size(), std::size_t{2});
        QCOMPARE(items(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@a]", "[@b]"}));
    }

    void doubleClickMarksTheLastLineHoldingTheHeader() {
        setScript(QStringLiteral("[@main]\r\n[@buy]\r\n#SAY\r\n;back to [@buy] later\r\n[@sell]\r\nx[@buy]x"));
        // {row, Combo2 row, line marked}: no row, the template tree showing, then two headers.
        for (auto [row, pane, marked] : {std::array{-1, 0, -1}, {2, 1, -1}, {2, 0, 5}, {3, 0, 4}}) {
            setCurrentRow(row);
            w->setListIndex(w->Combo2, pane);
            w->leftPane->List1_DblClick();
            QCOMPARE(w->maxEdit->markedLine(), marked);
        }
    }
};

QTEST_MAIN(tst_leftPane)
#include "tst_leftPane.moc"
