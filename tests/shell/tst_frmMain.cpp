#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "catalogue/catalogue.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "testsupport.h"

using quill::frmMain;

namespace {

const QString kDefaultText = QStringLiteral(";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]");
const QString kCaption = QStringLiteral("Legend Of Mir : Quillmoor : v3 : [Untitled NPC]");

// Every piece of text that reaches the document, one entry per insertion.
struct InsertionLog {
    QStringList pieces;
    explicit InsertionLog(quill::maxEdit* editor) {
        QObject::connect(editor, &QsciScintillaBase::SCN_MODIFIED, editor,
                         [this](int, int type, const char* text, int length, int, int, int, int, int, int) {
                             if (type & QsciScintillaBase::SC_MOD_INSERTTEXT) pieces << QString::fromUtf8(text, length);
                         });
    }
};

}  // namespace

class tst_frmMain : public QObject {
    Q_OBJECT
    quill::test::ScriptedPrompter prompter;
    QPointer<frmMain> w;

    frmMain* open() {
        w = new frmMain();
        w->show();
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(w);
        return w;
    }
    // Closes the window as the user would; true when it went.
    bool tryClose() {
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return w.isNull();
    }

private slots:
    void init() {
        prompter.answers.clear();
        prompter.files.clear();
        prompter.asked.clear();
        prompter.fileDialogs.clear();
        open();
    }
    void cleanup() {
        prompter.answers = {QMessageBox::No};
        if (w) tryClose();
        QVERIFY(w.isNull());
    }

    void controlsSitWhereDesigned();
    void tabOrderStartsAtTheEditor();
    void menus();
    void toolbar();
    void statusPanelsAtOpening();
    void startUpState();
    void layoutRule_data();
    void layoutRule();
    void closeAsksOnlyWhenTextDiffers_data();
    void closeAsksOnlyWhenTextDiffers();
    void closeAnswers_data();
    void closeAnswers();
    void yesSavesAndCloses();
    void toolbarDispatch_data();
    void toolbarDispatch();
    void pickerHoldsTheCatalogue();
    void picksInsertTheRowsTexts_data();
    void picksInsertTheRowsTexts();
};

void tst_frmMain::controlsSitWhereDesigned() {
    QCOMPARE(w->ScaleWidth(), 9330);
    QCOMPARE(w->ScaleHeight(), 6405);
    QCOMPARE(w->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(w->font().pointSizeF(), 8.25);
    QVERIFY(!w->windowIcon().isNull());
    struct Place {
        QWidget* control;
        int left, top, width;
    };
    const Place places[] = {{w->Combo2, 0, 480, 2160},  {w->cboNPC, 2280, 480, 3480}, {w->Combo1, 5760, 480, 3480},
                            {w->List1, 0, 840, 2175},   {w->TV1, 0, 840, 2175},       {w->maxEdit, 2280, 840, 9330 - 2175 - 100}};
    for (const Place& p : places) {
        const QRect g = p.control->geometry();
        QCOMPARE(QList<int>({g.left(), g.top(), g.width()}),
                 QList<int>({w->toPixels(p.left), w->toPixels(p.top), w->toPixels(p.width)}));
    }
    QCOMPARE(w->Toolbar1->geometry().topLeft(), QPoint(0, 0));
    QCOMPARE(w->Toolbar1->height(), w->toPixels(420));
    QCOMPARE(w->stbStatus->height(), w->toPixels(300));
    QCOMPARE(w->stbStatus->geometry().bottom(), w->toPixels(6405) - 1);
    for (QComboBox* combo : {w->Combo2, w->cboNPC, w->Combo1}) QVERIFY(!combo->isEditable());
    QCOMPARE(w->Timer1->interval(), 3500);
    QVERIFY(w->Timer1->isActive());
}

void tst_frmMain::tabOrderStartsAtTheEditor() {
    const QList<QWidget*> designed{w->maxEdit, w->cboNPC, w->List1, w->Combo2, w->TV1, w->Combo1};
    QList<QWidget*> chain;
    QWidget* at = w->maxEdit;
    do {
        if (designed.contains(at) && !chain.contains(at)) chain << at;
        at = at->nextInFocusChain();
    } while (at != w->maxEdit);
    QCOMPARE(chain, designed);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->maxEdit));
}

void tst_frmMain::menus() {
    // name, caption, shortcut, enabled (visible unless noted); menus start with '>'.
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut = "";
        bool enabled = true;
        bool visible = true;
    };
    const Item design[] = {
        {">mFILE", "&File"},
        {"mNEWFILE", "New File", "Ctrl+N"},
        {"mOPENFILE", "Open File..", "Ctrl+O"},
        {"mFILEINSERTFILE", "Insert File..", "", false},
        {"mSAVEFILE", "Save", "Ctrl+S"},
        {"mSAVEAS", "Save As.."},
        {"mSEPERATOR0", "-"},
        {"mSEPARATOR17", "Print..", "", false, false},
        {"mSEPARATOR14", "-"},
        {"mQUIT", "Quit"},
        {">mEDIT", "&Edit"},
        {"mEDITUNDO", "Undo"},
        {"mEDITREDO", "Redo"},
        {"mSEPARATOR2", "-"},
        {"mEDITCUT", "Cut"},
        {"mEDITCOPY", "Copy"},
        {"mEDITPASTE", "Paste"},
        {"mSEPRATOR3", "-"},
        {"mEDITSELECTALL", "Select All"},
        {">mnuInsert", "&Insert"},
        {"mnuInsertRef", "Insert Merchant Re&frences"},
        {">mSEARCH", "S&earch"},
        {"mSEARCHFIND", "Find", "Ctrl+F"},
        {"mSEARCHFINDNEXT", "Find Next", "F3"},
        {"mSEARCHFINDPREVIOUS", "Find Previous", "Ctrl+F3"},
        {"mSEARCHREPLACE", "Replace", "Ctrl+H"},
        {"mSEPARATOR10", "-"},
        {"mSEARCHGOTOLINE", "Go to Line"},
        {"mSEPARATOR11", "-"},
        {">mINSERT", "&Insert", "", false},
        {"mINSERTNPC", "NPC", "", false},
        {"mINSERTMESSAGE", "Message", "Ctrl+M", false},
        {">mnuSyntax", "&Syntax"},
        {"mnuSyntaxTitles", "&Get Menu Titles"},
        {">mHELP", "&Help"},
        {"mHELPABOUT", "About"},
    };
    QStringList built, wanted;
    for (QAction* top : w->menuBar()->actions()) {
        built << QStringLiteral(">%1|%2|%3").arg(top->objectName(), top->text()).arg(top->isEnabled());
        for (QAction* a : top->menu()->actions())
            built << QStringLiteral("%1|%2|%3|%4|%5")
                         .arg(a->objectName(), a->isSeparator() ? QStringLiteral("-") : a->text(),
                              a->shortcut().toString())
                         .arg(a->isEnabled())
                         .arg(a->isVisible());
    }
    for (const Item& i : design) {
        if (i.name[0] == '>')
            wanted << QStringLiteral("%1|%2|%3").arg(QString::fromUtf8(i.name), QString::fromUtf8(i.caption)).arg(i.enabled);
        else
            wanted << QStringLiteral("%1|%2|%3|%4|%5")
                          .arg(QString::fromUtf8(i.name), QString::fromUtf8(i.caption), QString::fromUtf8(i.shortcut))
                          .arg(i.enabled)
                          .arg(i.visible);
    }
    QCOMPARE(built, wanted);

    // A shortcut reaches its handler while the editor has the focus.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w->maxEdit, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(prompter.fileDialogs.size(), 1);
    QVERIFY(prompter.fileDialogs.first().startsWith(QStringLiteral("open|Select NPC File to open..")));
}

void tst_frmMain::toolbar() {
    const QList<QAction*> buttons = w->Toolbar1->actions();
    QStringList built;
    for (QAction* b : buttons)
        built << QStringList{b->data().toString(), b->property("imageKey").toString(), b->toolTip(), b->text()}.join(u'|');
    QCOMPARE(built, (QStringList{"Openfile|_openfile|Open|", "Savefile|_savefile|Save|", "Newfile|_newfile|New|"}));
    QCOMPARE(w->Toolbar1->iconSize(), QSize(16, 16));
    for (QAction* b : buttons) QVERIFY(!b->icon().isNull());
}

void tst_frmMain::statusPanelsAtOpening() {
    struct Panel {
        const char* key;
        QString text;
        int width;  // fixed width in twips; 0 for the message panel
    };
    // The start-up insertion of the default text is an edit, and the
    // modified panel follows the editor.
    const Panel panels[] = {{"_general", QStringLiteral("Welcome To The Legend Of Mir 2 Quillmoor"), 0},
                            {"_modified", QStringLiteral("Modified"), 950},
                            {"_capslock", QStringLiteral("CAPS"), 750},
                            {"_numlock", QStringLiteral("NUM"), 750}};
    int previousRight = -1;
    for (const Panel& p : panels) {
        QLabel* label = w->panel(QString::fromUtf8(p.key));
        QVERIFY2(label, p.key);
        QCOMPARE(label->text(), p.text);
        QWidget* frame = label->parentWidget();
        const int left = frame->mapTo(w->stbStatus, QPoint(0, 0)).x();
        QVERIFY2(left > previousRight, p.key);  // left to right in design order
        previousRight = left + frame->width();
        if (p.width) QCOMPARE(frame->width(), w->toPixels(p.width));
        else QVERIFY(frame->width() >= w->toPixels(1440));
    }
    QCOMPARE(w->panel(QStringLiteral("_general"))->parentWidget()->findChildren<QLabel*>().size(), 2);  // the icon
}

void tst_frmMain::startUpState() {
    QCOMPARE(w->windowTitle(), kCaption);
    QCOMPARE(w->maxEdit->Text(), kDefaultText);
    QCOMPARE(w->List1->count(), 2);
    QCOMPARE(w->List1->item(0)->text(), QStringLiteral("--Menu Headers--"));
    QCOMPARE(w->List1->item(1)->text(), QStringLiteral("[@main]"));
    QCOMPARE(w->cboNPC->currentText(), QStringLiteral("NPC Command List..."));
    QCOMPARE(w->Combo1->currentIndex(), 0);
    QCOMPARE(w->Combo1->currentText(), QStringLiteral("Built In Menu's And Variables..."));
    QCOMPARE(w->Combo2->currentText(), QStringLiteral("--Menu Headers--"));
    QVERIFY(w->List1->isVisible());
    QVERIFY(!w->TV1->isVisible());
    QCOMPARE(w->HourCounter, qint16(25));
    QCOMPARE(frmMain::instance(), w.data());
}

void tst_frmMain::layoutRule_data() {
    QTest::addColumn<int>("clientWidth");   // pixels
    QTest::addColumn<int>("clientHeight");  // pixels
    QTest::addColumn<int>("editorWidth");   // twips
    QTest::addColumn<int>("editorHeight");  // twips

    QTest::newRow("as opened") << 622 << 427 << 9330 - 2175 - 100 << 6405 - 1115;
    QTest::newRow("larger") << 1000 << 700 << 15000 - 2175 - 100 << 10500 - 1115;
    QTest::newRow("one step above the floor") << 622 << 76 << 9330 - 2175 - 100 << 1140 - 1115;
    QTest::newRow("at the floor") << 622 << 75 << 9330 - 2175 - 100 << 15;
    QTest::newRow("below the floor") << 622 << 20 << 9330 - 2175 - 100 << 15;
    // Narrower than the left pane: the width cannot be applied and stays.
    QTest::newRow("too narrow") << 100 << 427 << 9330 - 2175 - 100 << 6405 - 1115;
}

void tst_frmMain::layoutRule() {
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(int, editorWidth);
    QFETCH(int, editorHeight);
    const QSize frame = w->size() - w->centralWidget()->size();
    w->resize(QSize(clientWidth, clientHeight) + frame);
    QTRY_COMPARE(w->centralWidget()->size(), QSize(clientWidth, clientHeight));

    QCOMPARE(w->maxEdit->width(), w->toPixels(editorWidth));
    QCOMPARE(w->maxEdit->height(), w->toPixels(editorHeight));
    QCOMPARE(w->maxEdit->pos(), QPoint(w->toPixels(2280), w->toPixels(840)));
    QCOMPARE(w->List1->height(), w->maxEdit->height());
    QCOMPARE(w->TV1->height(), w->List1->height());
    QCOMPARE(w->List1->width(), w->toPixels(2175));
    QCOMPARE(w->cboNPC->pos(), QPoint(w->toPixels(2280), w->toPixels(480)));
    QCOMPARE(w->stbStatus->geometry().bottom(), clientHeight - 1);
    QCOMPARE(w->Toolbar1->width(), clientWidth);
}

void tst_frmMain::closeAsksOnlyWhenTextDiffers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("asks");
    QTest::newRow("the default text") << kDefaultText << false;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("a line break more") << kDefaultText + "\r\n" << true;
    QTest::newRow("other case") << QString(kDefaultText).replace("[@main]", "[@MAIN]") << true;
    QTest::newRow("LF instead of CR LF") << QString(kDefaultText).replace("\r\n", "\n") << true;
}

void tst_frmMain::closeAsksOnlyWhenTextDiffers() {
    QFETCH(QString, text);
    QFETCH(bool, asks);
    w->maxEdit->setText(text);
    // The modified flag plays no part: clear it either way.
    w->maxEdit->ResetForNewDocument();
    prompter.answers = {QMessageBox::No};
    QVERIFY(tryClose());
    QCOMPARE(prompter.asked.size(), std::size_t(asks ? 1 : 0));
    if (!asks) return;
    const auto& q = prompter.asked.front();
    QCOMPARE(q.title, QStringLiteral("[Save]"));
    QCOMPARE(q.text, QStringLiteral("Would You Like To Save Your NPC Script?"));
    QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(q.icon, QMessageBox::Information);
    QCOMPARE(q.defaultButton, QMessageBox::Yes);
}

void tst_frmMain::closeAnswers_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("status");
    QTest::newRow("Cancel keeps the window") << QMessageBox::Cancel << false << QStringLiteral("Welcome To The Legend Of Mir 2 Quillmoor");
    QTest::newRow("dismissed box keeps it") << QMessageBox::NoButton << false << QStringLiteral("Welcome To The Legend Of Mir 2 Quillmoor");
    QTest::newRow("No closes") << QMessageBox::No << true << QString();
    // The script is untitled and the Save As dialog is cancelled: nothing
    // was saved, so the window must stay with the script.
    QTest::newRow("Yes, Save As cancelled") << QMessageBox::Yes << false
                                            << QStringLiteral("Script saving cancelled - no filename entered.");
}

void tst_frmMain::closeAnswers() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, closes);
    QFETCH(QString, status);
    w->maxEdit->InsertText(QStringLiteral("\r\n#SAY"));
    const QString text = w->maxEdit->Text();
    prompter.answers = {answer};
    QCOMPARE(tryClose(), closes);
    QCOMPARE(prompter.asked.size(), std::size_t(1));
    if (closes) return;
    QVERIFY(w->isVisible());
    QCOMPARE(w->maxEdit->Text(), text);
    QCOMPARE(w->panel(QStringLiteral("_general"))->text(), status);
    // Each later attempt asks again.
    prompter.answers = {QMessageBox::Cancel};
    QVERIFY(!tryClose());
    QCOMPARE(prompter.asked.size(), std::size_t(2));
}

void tst_frmMain::yesSavesAndCloses() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("npc.txt"));
    w->maxEdit->InsertText(QStringLiteral("\r\n#SAY"));
    prompter.answers = {QMessageBox::Yes};
    prompter.files = {path};
    QVERIFY(tryClose());
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), (kDefaultText + "\r\n#SAY").toUtf8());
}

void tst_frmMain::toolbarDispatch_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("dialog");  // the file dialog it opened, if any
    QTest::addColumn<bool>("emptied");
    QTest::newRow("Openfile") << "Openfile" << "open" << false;
    QTest::newRow("Savefile") << "Savefile" << "save" << false;
    QTest::newRow("Newfile") << "Newfile" << "" << true;
    QTest::newRow("savefile") << "savefile" << "" << false;
    QTest::newRow("NEWFILE") << "NEWFILE" << "" << false;
    QTest::newRow("empty key") << "" << "" << false;
}

void tst_frmMain::toolbarDispatch() {
    QFETCH(QString, key);
    QFETCH(QString, dialog);
    QFETCH(bool, emptied);
    QAction* button = nullptr;
    for (QAction* a : w->Toolbar1->actions())
        if (a->data().toString() == key) button = a;
    QAction stray;
    stray.setData(key);
    if (button) {
        // A real click, so the button's wiring is checked too.
        auto* tool = qobject_cast<QToolButton*>(w->Toolbar1->widgetForAction(button));
        QVERIFY(tool);
        QTest::mouseClick(tool, Qt::LeftButton);
    } else {
        w->Toolbar1_ButtonClick(&stray);
    }
    QCOMPARE(prompter.fileDialogs.size(), dialog.isEmpty() ? 0 : 1);
    if (!dialog.isEmpty()) QVERIFY(prompter.fileDialogs.first().startsWith(dialog + '|'));
    QCOMPARE(w->maxEdit->Text(), emptied ? QString() : kDefaultText);
}

void tst_frmMain::pickerHoldsTheCatalogue() {
    QStringList wanted;
    for (const std::string& caption : quill::catalogue::captions()) wanted << QString::fromStdString(caption);
    QStringList shown;
    for (int i = 0; i < w->cboNPC->count(); ++i) shown << w->cboNPC->itemText(i);
    QCOMPARE(shown.size(), 119);
    QCOMPARE(shown, wanted);
}

void tst_frmMain::picksInsertTheRowsTexts_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("title row: nothing") << 0 << QStringList{};
    QTest::newRow("header: a line break") << 31 << QStringList{"\r\n"};
    QTest::newRow("Check Gold") << 13 << QStringList{"\r\n", "Checkgold ammount"};
    QTest::newRow("#SAY/#ELSESAY in one call") << 3 << QStringList{"\r\n", "#SAY\r\nText\r\n#ELSESAY\r\nText"};
    QTest::newRow("Hour 5") << 51 << QStringList{"\r\n", "Hour  5"};
    QTest::newRow("Hour 10") << 56 << QStringList{"\r\n", "Hour 10"};
    QTest::newRow("Check [Flag]") << 11 << QStringList{"\r\n"};
    QTest::newRow("Goto") << 91 << QStringList{"\r\n", "Goto @menu"};
}

void tst_frmMain::picksInsertTheRowsTexts() {
    QFETCH(int, row);
    QFETCH(QStringList, pieces);
    InsertionLog log(w->maxEdit);
    // Twice, as a user picking the row that is already shown.
    for (int round = 0; round < 2; ++round) {
        w->cboNPC->setCurrentIndex(row);
        emit w->cboNPC->activated(row);
    }
    QCOMPARE(log.pieces, pieces + pieces);
    QCOMPARE(w->maxEdit->Text(), kDefaultText + pieces.join(QString()) + pieces.join(QString()));
    QCOMPARE(w->cboNPC->currentIndex(), row);
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
