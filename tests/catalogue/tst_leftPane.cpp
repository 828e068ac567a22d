// The left pane, the built-in names picker and the menu-header list, driven
// through the main window as a user would.

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <functional>

#include "catalogue/builtin_names.h"
#include "catalogue/templates.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modDocument.h"
#include "testsupport.h"

using namespace quill;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

QTreeWidgetItem* node(QTreeWidget* tree, const char* text) {
    const auto found = tree->findItems(QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// A prompter whose messages stay "open" while `whileOpen` runs, as a modal
// box's event loop would let a timer tick through.
class NestingPrompter : public test::ScriptedPrompter {
public:
    std::function<void()> whileOpen;
    void tell(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) override {
        ScriptedPrompter::tell(parent, title, text, icon);
        if (auto f = std::exchange(whileOpen, nullptr)) f();
    }
};

}  // namespace

class tst_leftPane : public QObject {
    Q_OBJECT
    frmMain* w = nullptr;
    test::ScriptedPrompter* prompter = nullptr;

    void setScript(const QString& text) {
        w->maxEdit->setText(text);
        w->mnuSyntaxTitles_Click();
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

    void startUpAndTheSelector() {
        QCOMPARE(w->Combo2->currentText(), QStringLiteral("--Menu Headers--"));
        QVERIFY(!w->List1->isHidden() && w->TV1->isHidden());
        QCOMPARE(w->Combo1->currentIndex(), 0);
        QCOMPARE(w->Combo1->count(), 36);
        for (int i = 0; i < 36; ++i) QCOMPARE(w->Combo1->itemText(i), qs(catalogue::builtInNames()[i]));
        QCOMPARE(w->maxEdit->Text(),
                 QStringLiteral(";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]"));
        QCOMPARE(rows(w->List1), (QStringList{"--Menu Headers--", "[@main]"}));
        QCOMPARE(w->Timer1->interval(), 3500);

        w->setListIndex(w->Combo2, 1);
        QVERIFY(!w->TV1->isHidden() && w->List1->isHidden());
        QCOMPARE(w->TV1->pos(), w->List1->pos());
        w->setListIndex(w->Combo2, 0);
        QVERIFY(w->TV1->isHidden() && !w->List1->isHidden());
    }

    void builtInNamePicks() {
        w->maxEdit->setText(QStringLiteral("x"));
        w->maxEdit->setCursorPosition(0, 1);
        for (int index : {21, 1, 0, 1}) w->setListIndex(w->Combo1, index);
        QCOMPARE(w->maxEdit->Text(), QStringLiteral("x\r\n@@guildwar\r\n<$USERNAME>\r\n<$USERNAME>"));
    }

    void templateTreeReplacesTheScriptAsOneUndoStep() {
        QStringList shown;  // each node as "key text", children indented
        for (QTreeWidgetItemIterator it(w->TV1); *it; ++it) {
            QVERIFY((*it)->icon(0).isNull() && !(*it)->isExpanded() && !(*it)->isSelected());
            const QString indent = (*it)->parent() ? QStringLiteral("  ") : QString();
            shown << indent + (*it)->data(0, Qt::UserRole).toString() + u' ' + (*it)->text(0);
        }
        QCOMPARE(shown, (QStringList{"M Merchant NPC's", "  M1 Weapon Merchant", "  M2 Armour Merchant",
                                     "  M3 Jewelry Merchant", "T Teleport NPC", "  T1 Teleporter"}));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("npc.txt"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[@main]\r\n#SAY\r\nHi") > 0);
        }
        modDocument::LoadDocument(path);
        const QString before = w->maxEdit->Text();
        const QString caption = w->windowTitle();
        for (const char* top : {"Merchant NPC's", "Teleport NPC"}) {
            w->TV1_NodeClick(node(w->TV1, top));
            QCOMPARE(w->maxEdit->Text(), before);
        }
        const char* kinds[] = {"Weapon Merchant", "Armour Merchant", "Jewelry Merchant", "Teleporter"};
        for (int kind = 1; kind <= 4; ++kind) {
            w->TV1_NodeClick(node(w->TV1, kinds[kind - 1]));
            QCOMPARE(w->maxEdit->Text(), qs(catalogue::templateText(kind)));
        }
        for (int i = 0; i < 3; ++i) w->mEDITUNDO_Click();
        QCOMPARE(w->maxEdit->Text(), qs(catalogue::templateText(1)));
        w->mEDITUNDO_Click();
        QCOMPARE(w->maxEdit->Text(), before);
        // The script stays the same document: same file, same caption, no question asked.
        QCOMPARE(modDocument::CurrentFileName(), path);
        QCOMPARE(w->windowTitle(), caption);
        QVERIFY(prompter->asked.empty());
    }

    void headerListAndItsDuplicateCheckFollowTheScript() {
        setScript(QStringLiteral("[@main]\r\n#SAY\n[@Buy]\r[@buy]"));
        QCOMPARE(rows(w->List1), (QStringList{"--Menu Headers--", "[@main]", "[@Buy]", "[@buy]"}));
        w->List1->setCurrentRow(1);
        w->Timer1_Timer();
        QVERIFY(w->List1->selectedItems().isEmpty());
        setScript(QString());
        QCOMPARE(rows(w->List1), (QStringList{"--Menu Headers--", "None Found"}));
        QVERIFY(prompter->told.empty());

        setScript(QStringLiteral("[@buy]\r\n[@sell]\r\n[@buy]\r\n[@sell]\r\n[@buy]"));
        QStringList texts;
        for (const auto& t : prompter->told) {
            QCOMPARE(t.title, QStringLiteral("[Error]"));
            QCOMPARE(t.icon, QMessageBox::Critical);
            texts << t.text;
        }
        const QString buy = QStringLiteral("Duplicate Menu Found : [@buy]");
        QCOMPARE(texts, (QStringList{buy, buy, QStringLiteral("Duplicate Menu Found : [@sell]"), buy}));
        // The check remembers nothing: the next tick reports them again; a
        // removed duplicate is no longer reported.
        w->Timer1_Timer();
        QCOMPARE(prompter->told.size(), std::size_t{8});
        setScript(QStringLiteral("[@buy]\r\n[@sell]"));
        QCOMPARE(prompter->told.size(), std::size_t{8});
    }

    void ticksWaitWhileAMessageIsOpen() {
        NestingPrompter nesting;  // replaces the scripted one for this test
        w->maxEdit->setText(QStringLiteral("[@a]\r\n[@a]"));
        nesting.whileOpen = [&] {
            w->maxEdit->setText(QStringLiteral("[@a]\r\n[@a]\r\n[@b]"));
            w->Timer1_Timer();
        };
        w->Timer1_Timer();
        QCOMPARE(nesting.told.size(), std::size_t{1});
        QCOMPARE(rows(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@a]"}));
        w->Timer1_Timer();
        QCOMPARE(nesting.told.size(), std::size_t{2});
        QCOMPARE(rows(w->List1), (QStringList{"--Menu Headers--", "[@a]", "[@a]", "[@b]"}));
    }

    void doubleClickMarksTheLastLineHoldingTheHeader() {
        setScript(QStringLiteral("[@main]\r\n[@buy]\r\n#SAY\r\n;back to [@buy] later\r\n[@sell]\r\nx[@buy]x"));
        w->List1->setCurrentRow(-1);
        w->List1_DblClick();
        QCOMPARE(w->maxEdit->markedLine(), -1);
        w->List1->setCurrentRow(2);  // "[@buy]", but the template tree is showing
        w->setListIndex(w->Combo2, 1);
        w->List1_DblClick();
        QCOMPARE(w->maxEdit->markedLine(), -1);
        w->setListIndex(w->Combo2, 0);
        w->List1_DblClick();
        QCOMPARE(w->maxEdit->markedLine(), 5);
        w->List1->setCurrentRow(3);  // "[@sell]"
        w->List1_DblClick();
        QCOMPARE(w->maxEdit->markedLine(), 4);
    }
};

QTEST_MAIN(tst_leftPane)
#include "tst_leftPane.moc"
