#include <QtTest>
#include <QtWidgets>

#include "catalogue/HeaderList.h"
#include "catalogue/catalogue.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modDocument.h"
#include "testsupport.h"

using quill::frmMain;

namespace {
const QString kDefaultText = QStringLiteral(";NPC Created By Tarnhollow's Legend Of Mir 2 : Quillmoor v3\r\n[@main]");
const QString kWelcome = QStringLiteral("Welcome To The Legend Of Mir 2 Quillmoor");
}  // namespace

class tst_frmMain : public QObject {
    Q_OBJECT
    quill::test::ScriptedPrompter prompter;
    QPointer<frmMain> w;

    // Closes the window as the user would; true when it went.
    bool tryClose() {
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return w.isNull();
    }
    void forget() {
        prompter.answers.clear();
        prompter.files.clear();
        prompter.asked.clear();
        prompter.fileDialogs.clear();
    }
    bool activate() {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    }

private slots:
    void init() {
        forget();
        w = new frmMain();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void cleanup() {
        prompter.answers = {QMessageBox::No};
        if (w) tryClose();
        QVERIFY(w.isNull());
    }

    void startUpState() {
        QCOMPARE(w->windowTitle(), QStringLiteral("Legend Of Mir : Quillmoor : v3 : [Untitled NPC]"));
        QCOMPARE(w->maxEdit->Text(), kDefaultText);
        QCOMPARE(QList<int>({w->ScaleWidth(), w->ScaleHeight()}), QList<int>({9330, 6405}));
        QCOMPARE(w->font().family() + QString::number(w->font().pointSizeF()), QStringLiteral("Tahoma8.25"));
        QStringList shown{w->cboNPC->currentText(), w->Combo1->currentText(), w->Combo2->currentText()};
        for (int i = 0; i < w->List1->count(); ++i) shown << w->List1->model()->index(i, 0).data().toString();
        QCOMPARE(shown, QStringList({"NPC Command List...", "Built In Menu's And Variables...", "--Menu Headers--",
                                     "--Menu Headers--", "[@main]"}));
        for (QComboBox* combo : {w->Combo2, w->cboNPC, w->Combo1}) QVERIFY(!combo->isEditable());
        QVERIFY(w->List1->isVisible() && !w->TV1->isVisible());
        QCOMPARE(w->HourCounter, qint16(25));
        QVERIFY(w->Timer1->isActive() && w->Timer1->interval() == 3500);
        QVERIFY(activate());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->maxEdit));
    }

    void menus() {
        // name|caption|shortcut|enabled|visible; a menu is ">name|caption|enabled".
        const QStringList design{
            ">mFILE|&File|1", "mNEWFILE|New File|Ctrl+N|1|1", "mOPENFILE|Open File..|Ctrl+O|1|1",
            "mFILEINSERTFILE|Insert File..||0|1", "mSAVEFILE|Save|Ctrl+S|1|1", "mSAVEAS|Save As..||1|1",
            "mSEPERATOR0|-||1|1", "mSEPARATOR17|Print..||0|0", "mSEPARATOR14|-||1|1", "mQUIT|Quit||1|1",
            ">mEDIT|&Edit|1", "mEDITUNDO|Undo||1|1", "mEDITREDO|Redo||1|1", "mSEPARATOR2|-||1|1", "mEDITCUT|Cut||1|1",
            "mEDITCOPY|Copy||1|1", "mEDITPASTE|Paste||1|1", "mSEPRATOR3|-||1|1", "mEDITSELECTALL|Select All||1|1",
            ">mnuInsert|&Insert|1", "mnuInsertRef|Insert Merchant Re&frences||1|1",
            ">mSEARCH|S&earch|1", "mSEARCHFIND|Find|Ctrl+F|1|1", "mSEARCHFINDNEXT|Find Next|F3|1|1",
            "mSEARCHFINDPREVIOUS|Find Previous|Ctrl+F3|1|1", "mSEARCHREPLACE|Replace|Ctrl+H|1|1",
            "mSEPARATOR10|-||1|1", "mSEARCHGOTOLINE|Go to Line||1|1", "mSEPARATOR11|-||1|1",
            ">mINSERT|&Insert|0", "mINSERTNPC|NPC||0|1", "mINSERTMESSAGE|Message|Ctrl+M|0|1",
            ">mnuSyntax|&Syntax|1", "mnuSyntaxTitles|&Get Menu Titles||1|1", ">mHELP|&Help|1", "mHELPABOUT|About||1|1",
        };
        QStringList built;
        for (QAction* top : w->menuBar()->actions()) {
            built << QStringLiteral(">%1|%2|%3").arg(top->objectName(), top->text()).arg(top->isEnabled());
            for (QAction* a : top->menu()->actions())
                built << QStringLiteral("%1|%2|%3|%4|%5")
                             .arg(a->objectName(), a->isSeparator() ? QStringLiteral("-") : a->text(),
                                  a->shortcut().toString())
                             .arg(a->isEnabled())
                             .arg(a->isVisible());
        }
        QCOMPARE(built, design);
        // A shortcut reaches its handler while the editor has the focus.
        QVERIFY(activate());
        QTest::keyClick(w->maxEdit, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(prompter.fileDialogs.size(), 1);
        QVERIFY(prompter.fileDialogs.first().startsWith(QStringLiteral("open|Select NPC File to open..")));
    }

    void toolbarAndStatusPanels() {
        QStringList built;
        for (QAction* b : w->Toolbar1->actions()) {
            built << QStringList{b->data().toString(), b->property("imageKey").toString(), b->toolTip(), b->text()}
                         .join(u'|');
            QVERIFY(!b->icon().isNull());
        }
        QCOMPARE(built, (QStringList{"Openfile|_openfile|Open|", "Savefile|_savefile|Save|", "Newfile|_newfile|New|"}));
        QCOMPARE(w->Toolbar1->iconSize(), QSize(16, 16));
        // key, text, fixed width in twips (0: the stretching message panel), left to right.
        const std::tuple<const char*, QString, int> panels[] = {
            {"_general", kWelcome, 0}, {"_modified", "Modified", 950}, {"_capslock", "CAPS", 750}, {"_numlock", "NUM", 750}};
        int previousRight = -1;
        for (const auto& [key, text, width] : panels) {
            QLabel* label = w->panel(QString::fromUtf8(key));
            QVERIFY2(label, key);
            QCOMPARE(label->text(), text);  // the default text's insertion is an edit: "Modified"
            QWidget* frame = label->parentWidget();
            const int left = frame->mapTo(w->stbStatus, QPoint(0, 0)).x();
            QVERIFY2(left > previousRight, key);
            previousRight = left + frame->width();
            QVERIFY2(width ? frame->width() == w->toPixels(width) : frame->width() >= w->toPixels(1440), key);
        }
        QCOMPARE(w->panel(QStringLiteral("_general"))->parentWidget()->findChildren<QLabel*>().size(), 2);  // the icon
    }

    // Messages quote paths and script text, which show as they are, never as markup.
    void messagesShowTheirTextAsIs() {
        const QString header = QStringLiteral("[<b>shop</b>]");
        quill::modDocument::SetStatusText(header);
        QCOMPARE(quill::test::shownText(w->panel(QStringLiteral("_general"))), header);
        // The real message box of the duplicate check.
        w->maxEdit->setText(header + "\r\n" + header);
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = quill::test::shownText(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")));
                box->accept();
            }
        });
        quill::Prompter::install(nullptr);
        w->mnuSyntaxTitles_Click();
        quill::Prompter::install(&prompter);
        QCOMPARE(shown, "Duplicate Menu Found : " + header);
    }

    void layoutRule() {
        // client size in pixels -> editor size in twips; narrower than the left pane, the width stays.
        for (auto [client, editor] : {std::pair{QSize(622, 427), QSize(7055, 5290)}, {{1000, 700}, {12725, 9385}},
                                      {{622, 76}, {7055, 25}}, {{622, 75}, {7055, 15}}, {{100, 427}, {7055, 5290}}}) {
            w->resize(client + (w->size() - w->centralWidget()->size()));
            QTRY_COMPARE(w->centralWidget()->size(), client);
            QCOMPARE(w->maxEdit->geometry(), QRect(w->toPixels(2280), w->toPixels(840), w->toPixels(editor.width()),
                                                   w->toPixels(editor.height())));
            QCOMPARE(w->List1->geometry(), QRect(0, w->toPixels(840), w->toPixels(2175), w->maxEdit->height()));
            QCOMPARE(w->TV1->geometry(), w->List1->geometry());
            QCOMPARE(w->cboNPC->pos(), QPoint(w->toPixels(2280), w->toPixels(480)));
            QCOMPARE(w->Toolbar1->geometry(), QRect(0, 0, client.width(), w->toPixels(420)));
            QCOMPARE(w->stbStatus->height(), w->toPixels(300));
            QCOMPARE(w->stbStatus->geometry().bottom(), client.height() - 1);
        }
    }

    // The question comes when the text differs from the default text, whatever the modified flag says.
    void closeAsksOnlyWhenTextDiffers() {
        for (const QString& text : {kDefaultText, QString(kDefaultText).replace("[@main]", "[@MAIN]"),
                                    QString(kDefaultText).replace("\r\n", "\n")}) {
            if (!w) init();
            w->maxEdit->setText(text);
            w->maxEdit->ResetForNewDocument();
            prompter.answers = {QMessageBox::No};
            QVERIFY(tryClose());
            QCOMPARE(prompter.asked.size(), std::size_t(text == kDefaultText ? 0 : 1));
        }
    }

    void closeAnswers() {
        // answer, the Save As dialog's answer, the status left (empty when the window closes)
        for (auto [answer, saveTo, status] :
             {std::tuple{QMessageBox::Cancel, "", kWelcome}, {QMessageBox::NoButton, "", kWelcome},
              {QMessageBox::No, "", QString()}, {QMessageBox::Yes, "npc.txt", QString()},
              // Nothing was saved, so the window must stay with the script.
              {QMessageBox::Yes, "", QStringLiteral("Script saving cancelled - no filename entered.")}}) {
            if (!w) init();
            forget();
            QTemporaryDir dir;
            const QString file = *saveTo ? dir.filePath(saveTo) : QString();
            w->maxEdit->InsertText(QStringLiteral("\r\n#SAY"));
            const QString text = w->maxEdit->Text();
            prompter.answers = {answer};
            prompter.files = {file};
            QCOMPARE(tryClose(), status.isEmpty());
            QCOMPARE(prompter.asked.size(), std::size_t(1));
            const auto& q = prompter.asked.front();
            QCOMPARE(QStringList({q.title, q.text}), QStringList({"[Save]", "Would You Like To Save Your NPC Script?"}));
            QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            QVERIFY(q.icon == QMessageBox::Information && q.defaultButton == QMessageBox::Yes);
            if (!file.isEmpty()) {
                QFile saved(file);
                QVERIFY(saved.open(QIODevice::ReadOnly));
                QCOMPARE(saved.readAll(), text.toUtf8());
            }
            if (status.isEmpty()) continue;
            QVERIFY(w->isVisible());
            QCOMPARE(w->maxEdit->Text(), text);
            QCOMPARE(w->panel(QStringLiteral("_general"))->text(), status);
            prompter.answers = {QMessageBox::Cancel};  // each later attempt asks again
            QVERIFY(!tryClose());
            QCOMPARE(prompter.asked.size(), std::size_t(2));
        }
    }

    // The keys are matched with their letter case; each opens its file dialog or empties the script.
    void toolbarDispatch() {
        prompter.msgBoxExAnswers = {quill::mbxResultNo};  // New's question about the start-up script
        for (auto [key, dialog, emptied] : {std::tuple{"Openfile", "open", false}, {"Savefile", "save", false},
                                            {"savefile", "", false}, {"NEWFILE", "", false}, {"Newfile", "", true}}) {
            prompter.fileDialogs.clear();
            QAction stray;
            stray.setData(QString::fromLatin1(key));
            QAction* button = &stray;
            for (QAction* a : w->Toolbar1->actions())
                if (a->data() == stray.data()) button = a;
            if (button != &stray) QTest::mouseClick(w->Toolbar1->widgetForAction(button), Qt::LeftButton);
            else w->Toolbar1_ButtonClick(&stray);
            QCOMPARE(prompter.fileDialogs.size(), *dialog ? 1 : 0);
            if (*dialog) QVERIFY(prompter.fileDialogs.first().startsWith(QString::fromLatin1(dialog) + '|'));
            QCOMPARE(w->maxEdit->Text(), emptied ? QString() : kDefaultText);
        }
    }

    // The wheel over a picker that has no focus changes nothing, however
    // often it turns; with the focus it moves the row.
    void wheelPicksOnlyWithTheFocus() {
        QVERIFY(activate());
        const QString text = w->maxEdit->Text();
        auto turn = [this](QComboBox* picker) {
            const QPointF at = picker->mapTo(w, picker->rect().center());
            QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w->windowHandle(), &wheel);
        };
        for (QComboBox* picker : {w->cboNPC, w->Combo1}) {
            for (int notch = 0; notch < 3; ++notch) turn(picker);
            QCOMPARE(picker->currentIndex(), 0);
            QVERIFY(!picker->hasFocus());
        }
        QCOMPARE(w->maxEdit->Text(), text);
        w->Combo1->setFocus();
        turn(w->Combo1);
        QCOMPARE(w->Combo1->currentIndex(), 1);
    }

    // The rows themselves are the catalogue's; here only that the picker shows
    // them and hands each of a pick's texts to the editor as its own insertion.
    void picksInsertTheCataloguesTexts() {
        QStringList captions, shown, pieces, expected;
        for (const std::string& caption : quill::catalogue::captions()) captions << QString::fromStdString(caption);
        for (int i = 0; i < w->cboNPC->count(); ++i) shown << w->cboNPC->itemText(i);
        QCOMPARE(shown, captions);
        // The editor leaves insertion notices off; this test turns them on to watch.
        auto* e = w->maxEdit;
        e->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK,
                         static_cast<unsigned long>(e->SendScintilla(QsciScintillaBase::SCI_GETMODEVENTMASK) |
                                                    QsciScintillaBase::SC_MOD_INSERTTEXT));
        QObject::connect(w->maxEdit, &QsciScintillaBase::SCN_MODIFIED, w->maxEdit,
                         [&pieces](int, int type, const char* text, int length, int, int, int, int, int, int) {
                             if (type & QsciScintillaBase::SC_MOD_INSERTTEXT) pieces << QString::fromUtf8(text, length);
                         });
        // #SAY/#ELSESAY and an hour row, each twice as a user picking the row already shown.
        for (int row : {3, 3, 51, 51}) {
            w->cboNPC->setCurrentIndex(row);
            emit w->cboNPC->activated(row);
            for (const std::string& s : quill::catalogue::pick(row, captions[row].toStdString()).inserts)
                expected << QString::fromStdString(s);
            QCOMPARE(w->cboNPC->currentIndex(), row);
        }
        QCOMPARE(pieces, expected);
        QCOMPARE(w->maxEdit->Text(), kDefaultText + expected.join(QString()));
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
