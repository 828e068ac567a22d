#include "dialogs/frmBatch.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/FormKit.h"
#include "dialogs/batch.h"
#include "dialogs/digit_filter.h"
#include "shell/Artwork.h"

namespace quill::dialogs {
QPointer<frmBatch> frmBatch::instance_;

frmBatch::frmBatch() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("frmBatch"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Brannick : Batch Creator"));
    setWindowIcon(artwork::programIcon());
    setFont(designFont(sansSerifFamilies(), 8.25));
    resize(px(this, 6045), px(this, 2280));

    // Stretched to its control; the controls keep their places when the
    // window is resized, so the picture does too.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(artwork::dialogBackground());
    Image1->setScaledContents(true);
    placeTwips(Image1, 0, -360, 6240, 4500);

    const QFont labelFont = designFont(sansSerifFamilies(), 8.25, true);
    auto colouredLabel = [&](const char* name, const char* text, int left, QPalette::ColorRole colour) {
        QLabel* label = autoSizeLabel(this, name, QString(), left, 240);
        label->setFont(labelFont);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, palette().color(colour));
        label->setPalette(pal);
        label->setText(QString::fromUtf8(text));
        label->adjustSize();
        return label;
    };
    // Qt has no menu-text role; window text is what menus are written in.
    Label1 = colouredLabel("Label1", "Insert Map To Batch", 90, QPalette::WindowText);
    Label2 = colouredLabel("Label2", "Insert Batch Delay", 2025, QPalette::HighlightedText);

    auto lineEdit = [&](const char* name, int left) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromUtf8(name));
        placeTwips(box, left, 600, 1575, 285);
        keepOneLine(box);
        return box;
    };
    Text1 = lineEdit("Text1", 180);
    Text1->setMaxLength(kNoLengthLimit);
    Text2 = lineEdit("Text2", 2040);
    Text2->installEventFilter(this);

    auto button = [&](const char* name, const char* caption, int left, int top, int width) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        placeTwips(b, left, top, width, 495);
        return b;
    };
    Command1 = button("Command1", "Add Batch", 420, 960, 1095);
    Command2 = button("Command2", "Add Delay", 2280, 960, 1095);
    Command3 = button("Command3", "Batch Move", 300, 1680, 1335);
    Command5 = button("Command5", "Insert Batch Script", 1920, 1680, 1815);
    connect(Command1, &QPushButton::clicked, this, &frmBatch::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmBatch::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmBatch::Command3_Click);
    connect(Command5, &QPushButton::clicked, this, &frmBatch::Command5_Click);

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFont(
        designFont({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"), QStringLiteral("Liberation Sans")},
                   8.25));
    QPalette listPalette = List1->palette();
    listPalette.setColor(QPalette::Text, Qt::black);
    List1->setPalette(listPalette);
    placeTwips(List1, 3840, 120, 2055, 2055);

    clickOnEnter(this);
    Image1->lower();
    QWidget* order[] = {Command5, Command3, Text1, Command1, Command2, Text2, List1};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Command5->setFocus();

    instance_ = this;
}

frmBatch::~frmBatch() = default;

frmBatch* frmBatch::instance() { return instance_.data(); }
frmBatch* frmBatch::showInstance(ScriptHost* host) { return showSingle(instance_, host); }

bool frmBatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text2 && filterTypedText(Text2, event, [this](int& key) { Text2_KeyPress(key); })) return true;
    return QWidget::eventFilter(watched, event);
}

void frmBatch::Text2_KeyPress(int& KeyAscii) { KeyAscii = filterDigitKey(KeyAscii); }

void frmBatch::Command1_Click() {
    applyOutcome(this, List1, batch::addBatch(entriesOf(List1), Text1->text().toStdString()));
}

void frmBatch::Command2_Click() { applyOutcome(this, List1, batch::addDelay(Text2->text().toStdString())); }

void frmBatch::Command3_Click() { List1->addItem(qs(batch::batchMove())); }

void frmBatch::Command5_Click() {
    insertIntoScript(insertsFor(entriesOf(List1)));
    List1->clear();
    close();
}

}  // namespace quill::dialogs
