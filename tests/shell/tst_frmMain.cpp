#include <QtTest>
#include <QtWidgets>

#include "catalogue/HeaderList.h"
#include "dialogs/dialogtest.h"
#include "shell/AppStyle.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/modDocument.h"

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
    void forget() { prompter.answers = {}, prompter.files = {}, prompter.asked = {}, prompter.fileDialogs = {}; }
    bool activate() { return w->activateWindow(), QTest::qWaitForWindowActive(w); }

private slots:
    void initTestCase() { quill::installAppStyle(); }  // as the program starts
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
        QCOMPARE(w->maxEdit->Text(), kDefaultText);
        QCOMPARE(QList<int>({w->ScaleWidth(), w->ScaleHeight()}), QList<int>({9330, 6405}));
        QCOMPARE(w->font().family() + QString::number(w->font().pointSizeF()), QStringLiteral("Tahoma8.25"));
        QStringList shown{w->cboNPC->currentText(), w->Combo1->currentText(), w->Combo2->currentText()};
        for (int i = 0; i < w->List1->count(); ++i) shown << w->List1->model()->index(i, 0).data().toString();
        QCOMPARE(shown, QStringList({"NPC Command List...", "Built In Menu's And Variables...", "--Menu Headers--",
                                     "--Menu Headers--", "[@main]"}));
        QVERIFY(!w->cboNPC->isEditable() && !w->Combo1->isEditable() && !w->Combo2->isEditable());
        QVERIFY(w->List1->isVisible() && !w->TV1->isVisible());
        QVERIFY(w->Timer1->isActive() && w->Timer1->interval() == 3500);
        QVERIFY(activate());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->maxEdit));
        // Tab types a tab; Ctrl+Tab and Ctrl+Shift+Tab leave the editor along the tab order.
        QTest::keyClick(w->maxEdit, Qt::Key_Tab);
        QTest::keyClick(w->maxEdit, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), w->cboNPC);
        QTest::keyClick(w->cboNPC, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->List1));
        w->maxEdit->setFocus();
        QTest::keyClick(w->maxEdit, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w->Combo1);
        QCOMPARE(w->maxEdit->Text(), kDefaultText + QStringLiteral("\t"));
    }

    // The catalogue's open list is a bounded number of rows high, with a
    // scroll bar, well inside the screen.
    void pickerListIsBounded() {
        w->cboNPC->showPopup();
        QAbstractItemView* rows = w->cboNPC->view();
        QVERIFY(QTest::qWaitForWindowExposed(rows->window()));
        QVERIFY(rows->verticalScrollBar()->isVisible());
        QVERIFY(rows->window()->height() <= 21 * rows->sizeHintForRow(0));
        w->cboNPC->hidePopup();
    }

    void overflowArrowIsTheStyles() {
        // The style reads the bars' overflow arrows only when one is drawn;
        // a menu bar too narrow for its menus must still show the arrow.
        w->resize(90, w->height());
        QCoreApplication::processEvents();
        auto* arrow = w->menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(arrow && arrow->isVisible());
        const QImage drawn = arrow->icon().pixmap(arrow->iconSize()).toImage();
        const QIcon styles = qobject_cast<QProxyStyle*>(QApplication::style())
                                 ->baseStyle()
                                 ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!drawn.isNull() && drawn == styles.pixmap(arrow->iconSize()).toImage());
    }

    void menus() {
        // name|caption|shortcut|enabled|visible; a menu is ">name|caption|enabled".
        QFile file(QStringLiteral(QUILL_TEST_DATA "/main_window/menus.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList design = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
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
        QCOMPARE(built, design);  // the shortcuts are pressed in the end-to-end run
    }

    // Panels left to right: key, text, fixed width in twips (0: the message panel, which stretches).
    void statusPanels() {
        // clang-format off
        const std::tuple<const char*, QString, int> panels[] = {
            {"_general", kWelcome, 0}, {"_modified", "Modified", 950}, {"_capslock", "CAPS", 750}, {"_numlock", "NUM", 750}};
        // clang-format on
        int previousRight = -1;
        for (const auto& [key, text, width] : panels) {
            QLabel* label = w->panel(QString::fromUtf8(key));
            QCOMPARE(label->text(), text);  // the default text's insertion is an edit: "Modified"
            QWidget* frame = label->parentWidget();
            const int left = frame->mapTo(w->stbStatus, QPoint(0, 0)).x();
            QVERIFY2(left > previousRight, key);
            previousRight = left + frame->width();
            QVERIFY2(width ? frame->width() == w->toPixels(width) : frame->width() >= w->toPixels(1440), key);
        }
    }

    // Messages quote paths and script text, which show as they are, never as markup.
    void messagesShowTheirTextAsIs() {
        const QString header = QStringLiteral("[<b>shop</b>]");
        quill::modDocument::SetStatusText(header);
        QCOMPARE(quill::test::shownText(w->panel(QStringLiteral("_general"))), header);
        // The real message box of the duplicate check.
        w->maxEdit->setText(header + "\r\n" + header);
        QCOMPARE(quill::test::realBoxShows(prompter, [this] { w->mnuSyntaxTitles_Click(); }),
                 "[Error]|Duplicate Menu Found : " + header + "|icon");
    }

    // A resize lays the window out again; a width the editor cannot take is skipped.
    void resizeLaysOut() {
        for (auto [client, editor] : {std::pair{QSize(100, 427), QSize(7055, 5290)}, {{1000, 700}, {12725, 9385}}}) {
            w->resize(client + (w->size() - w->centralWidget()->size()));
            QTRY_COMPARE(w->centralWidget()->size(), client);
            // The status bar's panels are shown whole; what they need beyond
            // its designed 20 pixels comes off the editor.
            const int extra = w->stbStatus->height() - 20;
            for (QFrame* panel : w->stbStatus->findChildren<QFrame*>(Qt::FindDirectChildrenOnly))
                QVERIFY(panel->height() >= panel->sizeHint().height());
            QCOMPARE(w->maxEdit->size(), QSize(w->toPixels(editor.width()), w->toPixels(editor.height()) - extra));
            QVERIFY(w->TV1->height() == w->maxEdit->height() && w->List1->height() == w->maxEdit->height());
            QCOMPARE(w->Toolbar1->width(), client.width());
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
             {std::tuple{QMessageBox::Cancel, "", kWelcome},
              {QMessageBox::NoButton, "", kWelcome},
              {QMessageBox::No, "", QString()},
              {QMessageBox::Yes, "npc.txt", QString()},
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
            QCOMPARE(q.title + u'|' + q.text, QStringLiteral("[Save]|Would You Like To Save Your NPC Script?"));
            QVERIFY(q.buttons == (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) &&
                    q.icon == QMessageBox::Information && q.defaultButton == QMessageBox::Yes);
            if (!file.isEmpty()) QCOMPARE(quill::test::readBytes(file), text.toUtf8());
            if (status.isEmpty()) continue;
            QVERIFY(w->isVisible());
            QCOMPARE(w->maxEdit->Text(), text);
            QCOMPARE(w->panel(QStringLiteral("_general"))->text(), status);
            prompter.answers = {QMessageBox::Cancel};  // each later attempt asks again
            QVERIFY(!tryClose());
            QCOMPARE(prompter.asked.size(), std::size_t(2));
        }
    }

    void toolbarButtons() {
        prompter.msgBoxExAnswers = {quill::mbxResultNo};  // New's question about the start-up script
        for (auto [key, dialog] : {std::pair{"Openfile", "open|"}, {"Savefile", "save|"}, {"Newfile", ""}}) {
            prompter.fileDialogs.clear();
            for (QAction* a : w->Toolbar1->actions())
                if (a->data() == QLatin1String(key) && !a->icon().isNull())
                    QTest::mouseClick(w->Toolbar1->widgetForAction(a), Qt::LeftButton);
            QCOMPARE(prompter.fileDialogs.value(0).left(5), QLatin1String(dialog));
            QCOMPARE(w->maxEdit->Text(), *dialog ? kDefaultText : QString());
        }
    }

    // Each of a pick's texts reaches the editor as its own insertion, also
    // when the user picks the row already shown.
    void picksInsertTheirTexts() {
        QStringList pieces;
        QObject::connect(w->maxEdit, &QsciScintillaBase::SCN_MODIFIED, w->maxEdit,
                         [&pieces](int, int type, const char* text, int length, int, int, int, int, int, int) {
                             if (type & QsciScintillaBase::SC_MOD_INSERTTEXT) pieces << QString::fromUtf8(text, length);
                         });
        for (int row : {3, 3, 51}) {
            w->cboNPC->setCurrentIndex(row);
            emit w->cboNPC->activated(row);
        }
        const QString say = QStringLiteral("#SAY\r\nText\r\n#ELSESAY\r\nText");
        QCOMPARE(pieces, (QStringList{"\r\n", say, "\r\n", say, "\r\n", "Hour  5"}));
        QCOMPARE(w->maxEdit->Text(), kDefaultText + pieces.join(QString()));
        QCOMPARE(w->cboNPC->currentText(), QStringLiteral("Hour 5"));
        // Each pick, a built-in name's too, is one undo step.
        const QString picked = w->maxEdit->Text();
        QTest::keyClick(w->Combo1, Qt::Key_Down);
        for (const QString& back : {picked, kDefaultText + pieces.mid(0, 4).join(QString())}) {
            QTest::keyClick(w->maxEdit, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(w->maxEdit->Text(), back);
        }
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
