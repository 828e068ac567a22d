#include <QtTest>
#include <QtWidgets>

#include "shell/modMsgBoxEx.h"
#include "shell/wMsgBoxEx.h"

using namespace quill;

static MsgBoxExResult showModal(MsgBoxExButtons buttons, std::function<void(wMsgBoxEx*)> act, qint32 autoClose = 0) {
    if (act)
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<wMsgBoxEx*>(QApplication::activeModalWidget());
            QVERIFY(box);
            act(box);
        });
    return modMsgBoxEx::MsgBoxEx("Q", mbxIconQuestion, buttons, "T", autoClose, mbxPosCentre, false, false);
}

class tst_wMsgBoxEx : public QObject {
    Q_OBJECT
private slots:
    // The rows are the core's; here that a value shows its row's frame and only its buttons, captioned and
    // placed as designed (in pixels at 96 dots an inch), none of them a default button.
    void eachValueShowsItsRow() {
        const std::tuple<MsgBoxExButtons, int, QStringList> cases[] = {
            {mbxYesNo, 1, {"&Yes 76,132", "&No 196,132"}},
            {mbxOkayOnly, 3, {"&Okay 133,129"}},
        };
        for (const auto& [buttons, frame, shown] : cases) {
            wMsgBoxEx box;
            box.Setup("Hello", mbxIconInformation, buttons, "T", 0, mbxPosCentre, false, false);
            box.show();
            QCOMPARE(box.logicalDpiX(), 96);
            QStringList seen;
            for (QPushButton* b : box.findChildren<QPushButton*>()) {
                QVERIFY(!b->isDefault());
                const QPoint at = b->mapTo(&box, QPoint(0, 0));
                if (b->isVisible()) seen << QString("%1 %2,%3").arg(b->text()).arg(at.x()).arg(at.y());
            }
            QCOMPARE(seen, shown);
            for (std::size_t i = 0; i < 4; ++i) QCOMPARE(box.fraContainer[i]->isVisible(), int(i) == frame);
        }
    }

    // The choice is the core's; here that the chosen area alone shows the expanded lines.
    void textAreaChoice() {
        wMsgBoxEx box;
        box.Setup("1|2|3|4|5|6|7|8|9 v%maj%.%min%.%rev%", mbxIconInformation, mbxOkayOnly, "T", 0, mbxPosCentre, false,
                  false);
        QVERIFY(box.txtText[0]->isVisibleTo(&box) && !box.txtText[1]->isVisibleTo(&box));
        QCOMPARE(box.txtText[0]->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box.txtText[0]->toPlainText(), QString("1\n2\n3\n4\n5\n6\n7\n8\n9 v3.00.00006"));
    }

    void titleIconsAndTopMost() {
        for (int icon : {2, 7}) {
            wMsgBoxEx box;
            box.Setup("x", static_cast<MsgBoxExIcon>(icon), mbxOkayOnly, "", 0, mbxPosCentre, icon == 2, false);
            const Qt::WindowFlags flags = box.windowFlags();
            QVERIFY(box.windowTitle().isEmpty() && (flags & Qt::Tool));  // an empty title stays empty
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(bool(flags & Qt::WindowStaysOnTopHint), icon == 2);
            QCOMPARE(box.imgIcon->pixmap().size(), icon == 7 ? QSize(0, 0) : QSize(32, 32));
        }
    }

    // In this order, so a code left over from the box before would show.
    void buttonsReturnTheirCodesAndClosingIsCancel() {
        const auto click = [](const char* name) {
            return [name](wMsgBoxEx* box) { box->findChild<QPushButton*>(name)->click(); };
        };
        QCOMPARE(showModal(mbxYesNo, click("cmdYes")), mbxResultYes);
        QCOMPARE(showModal(mbxYesNo, [](wMsgBoxEx* box) { box->close(); }), mbxResultCancel);
        QCOMPARE(showModal(mbxRetryCancel, click("Command4")), mbxResultRetry);
        QCOMPARE(showModal(mbxYesNo, click("cmdNo")), mbxResultNo);
        QCOMPARE(showModal(static_cast<MsgBoxExButtons>(4), click("Command2")), mbxResultCancel);
        QCOMPARE(showModal(mbxOkayOnly, click("cmdOkayOnly")), mbxResultOkay);

        // No button is the default or the cancel button: Esc answers nothing,
        // and Enter presses only the focused button, also once the focus has
        // passed over the buttons and gone back to the message.
        QStringList seen;
        QCOMPARE(showModal(mbxYesNo,
                           [&seen](wMsgBoxEx* box) {
                               QVERIFY(QTest::qWaitForWindowActive(box));
                               for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab,
                                                   Qt::Key_Return, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}) {
                                   if (!box->isVisible()) break;
                                   seen << box->focusWidget()->objectName();
                                   QTest::keyClick(box->focusWidget(), key);
                               }
                           }),
                 mbxResultYes);
        QCOMPARE(seen, (QStringList{"txtText(1)", "txtText(1)", "cmdNo", "cmdYes", "txtText(1)", "txtText(1)", "cmdNo",
                                    "cmdYes"}));

        QCOMPARE(showModal(mbxYesNo, nullptr, 1), mbxResultCancel);  // the auto-close timer
        wMsgBoxEx box;
        box.Setup("x", mbxIconInformation, mbxOkayOnly, "T", 1000, mbxPosCentre, false, false);
        QCOMPARE(box.tmrAutoClose->interval(), 64000);
    }

    void clickCopiesTheSelection() {
        wMsgBoxEx box;
        box.Setup("first line|second line", mbxIconInformation, mbxOkayOnly, "T", 0, mbxPosTopLeft, false, false);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QPlainTextEdit* text = box.txtText[1];
        QApplication::clipboard()->setText("untouched");
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        // The copy is queued behind the release: delivered here, it has had its chance.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(QApplication::clipboard()->text(), QString("untouched"));

        QTextCursor cursor = text->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(17, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
        // The end of a drag that made the selection.
        QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, QPoint(40, 20));
        QTRY_COMPARE(QApplication::clipboard()->text(), QString("line\r\nsecond"));
        QVERIFY(!text->textCursor().hasSelection());
    }
};

QTEST_MAIN(tst_wMsgBoxEx)
#include "tst_wMsgBoxEx.moc"
