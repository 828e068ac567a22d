#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "shell/modMsgBoxEx.h"
#include "shell/twips.h"
#include "shell/wMsgBoxEx.h"

using namespace quill;

namespace {

// Runs `act` on the modal box once it is up.
void whenShown(std::function<void(wMsgBoxEx*)> act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<wMsgBoxEx*>(QApplication::activeModalWidget());
        QVERIFY(box);
        act(box);
    });
}

QStringList visibleButtons(const wMsgBoxEx& box) {
    QStringList out;
    for (QPushButton* b : box.findChildren<QPushButton*>())
        if (b->isVisibleTo(&box)) out << b->objectName() + u'=' + b->text();
    out.sort();
    return out;
}

}  // namespace

class tst_wMsgBoxEx : public QObject {
    Q_OBJECT
private slots:
    void rowsAndCaptions_data();
    void rowsAndCaptions();
    void buttonsSitWhereDesigned();
    void tabOrderPutsRightHandButtonFirst();
    void textAreaChoice_data();
    void textAreaChoice();
    void captionIsTitleEvenWhenEmpty();
    void iconsAndTopMost();
    void buttonsReturnTheirCodes();
    void closedWithoutButtonIsCancel();
    void autoCloseClampsAndCloses();
    void clickCopiesTheSelection();
};

void tst_wMsgBoxEx::rowsAndCaptions_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("frame");
    QTest::addColumn<QStringList>("shown");
    const QStringList okayCancel{"Command1=Okay", "Command2=Cancel"};
    QTest::newRow("okay only") << 0 << 3 << QStringList{"cmdOkayOnly=&Okay"};
    QTest::newRow("okay cancel") << 1 << 0 << okayCancel;
    QTest::newRow("retry cancel") << 2 << 2 << QStringList{"Command3=Cancel", "Command4=Retry"};
    QTest::newRow("yes no") << 3 << 1 << QStringList{"cmdNo=&No", "cmdYes=&Yes"};
    QTest::newRow("4") << 4 << 0 << okayCancel;
    QTest::newRow("-1") << -1 << 0 << okayCancel;
}

void tst_wMsgBoxEx::rowsAndCaptions() {
    QFETCH(int, buttons);
    QFETCH(int, frame);
    QFETCH(QStringList, shown);
    wMsgBoxEx box;
    box.Setup("Hello", mbxIconInformation, static_cast<MsgBoxExButtons>(buttons), "T", 0, mbxPosCentre, false, false);
    for (int i = 0; i < 4; ++i) QCOMPARE(box.fraContainer[i]->isVisibleTo(&box), i == frame);
    QCOMPARE(visibleButtons(box), shown);
    box.show();
    for (QPushButton* b : box.findChildren<QPushButton*>()) QVERIFY(!b->isDefault());
}

void tst_wMsgBoxEx::buttonsSitWhereDesigned() {
    // With the caption bar as designed the row sits 945 twips above the
    // outer bottom: frame top 1785, Yes/No buttons 195 below it.
    wMsgBoxEx box;
    box.Setup("Hello", mbxIconWarning, mbxYesNo, "T", 0, mbxPosCentre, false, false);
    const double dpi = box.logicalDpiX();
    const auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    const int frameTop = msgboxex::frameTop(box.outerHeightTwips());
    QCOMPARE(box.fraContainer[1]->y(), px(frameTop));
    for (auto [button, left] : {std::pair{box.cmdYes, 1147}, std::pair{box.cmdNo, 2947}}) {
        const QPoint at = button->mapTo(&box, QPoint(0, 0));
        QVERIFY2(qAbs(at.x() - px(left)) <= 1, qPrintable(QString::number(at.x())));
        QVERIFY(qAbs(at.y() - px(frameTop + 195)) <= 1);
        QCOMPARE(button->size(), QSize(px(1770), px(330)));
    }
    QCOMPARE(box.size(), QSize(px(5805), px(2370)));
    QCOMPARE(box.txtText[1]->height(), px(msgboxex::textHeight(box.outerHeightTwips())));
}

void tst_wMsgBoxEx::tabOrderPutsRightHandButtonFirst() {
    wMsgBoxEx box;
    QStringList order;
    QWidget* w = box.txtText[1];
    for (int i = 0; i < 40 && order.size() < 7; ++i) {
        w = w->nextInFocusChain();
        if (qobject_cast<QPushButton*>(w)) order << w->objectName();
    }
    QCOMPARE(order, (QStringList{"cmdNo", "cmdYes", "Command2", "Command1", "Command3", "Command4", "cmdOkayOnly"}));
}

void tst_wMsgBoxEx::textAreaChoice_data() {
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("force");
    QTest::addColumn<int>("area");
    QTest::newRow("7 bars") << "1|2|3|4|5|6|7|8" << false << 1;
    QTest::newRow("8 bars") << "1|2|3|4|5|6|7|8|9" << false << 0;
    QTest::newRow("forced") << "one line" << true << 0;
}

void tst_wMsgBoxEx::textAreaChoice() {
    QFETCH(QString, prompt);
    QFETCH(bool, force);
    QFETCH(int, area);
    wMsgBoxEx box;
    box.Setup(prompt + " v%maj%.%min%.%rev%", mbxIconInformation, mbxOkayOnly, "T", 0, mbxPosCentre, false, force);
    QCOMPARE(box.chosenTextArea(), area);
    QPlainTextEdit* chosen = box.txtText[area];
    QVERIFY(chosen->isVisibleTo(&box));
    QVERIFY(!box.txtText[1 - area]->isVisibleTo(&box));
    QCOMPARE(chosen->verticalScrollBarPolicy(), area == 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QCOMPARE(chosen->blockCount(), int(prompt.count(u'|')) + 1);
    QVERIFY(chosen->toPlainText().endsWith(" v3.00.00006"));
}

void tst_wMsgBoxEx::captionIsTitleEvenWhenEmpty() {
    wMsgBoxEx box;
    QCOMPARE(box.windowTitle(), QString("Message"));
    box.Setup("x", mbxIconInformation, mbxOkayOnly, "", 0, mbxPosCentre, false, false);
    QCOMPARE(box.windowTitle(), QString());
    QVERIFY(box.windowFlags() & Qt::Tool);
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

void tst_wMsgBoxEx::iconsAndTopMost() {
    for (int icon = 0; icon < 4; ++icon) {
        wMsgBoxEx box;
        box.Setup("x", static_cast<MsgBoxExIcon>(icon), mbxOkayOnly, "T", 0, mbxPosCentre, icon == 2, false);
        QCOMPARE(box.imgIcon->pixmap().size(), QSize(32, 32));
        QCOMPARE(bool(box.windowFlags() & Qt::WindowStaysOnTopHint), icon == 2);
    }
    wMsgBoxEx box;
    box.Setup("x", static_cast<MsgBoxExIcon>(7), mbxOkayOnly, "T", 0, mbxPosCentre, false, false);
    QVERIFY(box.imgIcon->pixmap().isNull());
}

void tst_wMsgBoxEx::buttonsReturnTheirCodes() {
    struct Case {
        MsgBoxExButtons buttons;
        const char* button;
        MsgBoxExResult expected;
    } cases[] = {{mbxRetryCancel, "Command4", mbxResultRetry}, {mbxYesNo, "cmdNo", mbxResultNo},
                 {static_cast<MsgBoxExButtons>(4), "Command2", mbxResultCancel}};
    for (const Case& c : cases) {
        const QString name = c.button;
        whenShown([name](wMsgBoxEx* box) { box->findChild<QPushButton*>(name)->click(); });
        QCOMPARE(modMsgBoxEx::MsgBoxEx("Q", mbxIconQuestion, c.buttons, "T", 0, mbxPosCentre, false, false),
                 c.expected);
    }
}

void tst_wMsgBoxEx::closedWithoutButtonIsCancel() {
    // A Yes first, so a leftover code would show.
    whenShown([](wMsgBoxEx* box) { box->cmdYes->click(); });
    QCOMPARE(modMsgBoxEx::MsgBoxEx("Q", mbxIconQuestion, mbxYesNo, "T", 0, mbxPosCentre, false, false), mbxResultYes);
    whenShown([](wMsgBoxEx* box) { box->close(); });
    QCOMPARE(modMsgBoxEx::MsgBoxEx("Q", mbxIconQuestion, mbxYesNo, "T", 0, mbxPosCentre, false, false),
             mbxResultCancel);
}

void tst_wMsgBoxEx::autoCloseClampsAndCloses() {
    for (auto [asked, interval] : {std::pair{0, -1}, {-5, -1}, {65, 64000}, {1000, 64000}}) {
        wMsgBoxEx box;
        box.Setup("x", mbxIconInformation, mbxOkayOnly, "T", asked, mbxPosCentre, false, false);
        QCOMPARE(box.tmrAutoClose->isActive() ? box.tmrAutoClose->interval() : -1, interval);
    }
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(modMsgBoxEx::MsgBoxEx("x", mbxIconInformation, mbxYesNo, "T", 1, mbxPosCentre, false, false),
             mbxResultCancel);
    QVERIFY(clock.elapsed() >= 900 && clock.elapsed() < 5000);
}

void tst_wMsgBoxEx::clickCopiesTheSelection() {
    wMsgBoxEx box;
    box.Setup("first line|second line", mbxIconInformation, mbxOkayOnly, "T", 0, mbxPosTopLeft, false, false);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QPlainTextEdit* text = box.txtText[1];
    QApplication::clipboard()->setText("untouched");
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::qWait(20);
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

QTEST_MAIN(tst_wMsgBoxEx)
#include "tst_wMsgBoxEx.moc"
