#include "dialogs/frmFlag.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/FormKit.h"
#include "dialogs/digit_filter.h"
#include "dialogs/flag.h"
#include "shell/Artwork.h"

namespace quill::dialogs {

QPointer<frmFlag> frmFlag::instance_;

frmFlag::frmFlag()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmFlag"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Check Flag"));
    setWindowIcon(artwork::programIcon());
    setFont(designFont(sansSerifFamilies(), 8.25));
    setFixedSize(px(this, 3180), px(this, 2145));

    // Shown at its own size, cut by the window's edges.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(artwork::dialogBackground());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(Image1, -720, -360, 6000, 4500);

    Label1 = autoSizeLabel(this, "Label1", QString(), 555, 120);
    Label1->setFont(designFont(sansSerifFamilies(), 9.75, true));
    QPalette white = Label1->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(white);
    Label1->setText(QStringLiteral("Flag/Unit To Check:"));
    Label1->adjustSize();

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMaxLength(flag::kMaxFlagLength);
    Text1->setToolTip(QStringLiteral("Flag MUST Be 3 Digits Only"));
    placeTwips(Text1, 983, 525, 1215, 285);
    keepOneLine(Text1);
    Text1->installEventFilter(this);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    placeTwips(Combo1, 983, 975, 1215, 315);

    Command1 = new QPushButton(QStringLiteral("Proceed"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    placeTwips(Command1, 983, 1485, 1215, 495);
    connect(Command1, &QPushButton::clicked, this, &frmFlag::Command1_Click);

    clickOnEnter(this);
    Image1->lower();
    setTabOrder(Combo1, Command1);
    setTabOrder(Command1, Text1);
    Combo1->setFocus();

    instance_ = this;
    Form_Load();
}

frmFlag::~frmFlag() = default;

frmFlag* frmFlag::instance() { return instance_.data(); }
frmFlag* frmFlag::showInstance(ScriptHost* host) { return showSingle(instance_, host); }

void frmFlag::Form_Load() {
    for (const std::string& entry : flag::choices()) Combo1->addItem(qs(entry));
    Combo1->setCurrentIndex(-1);
}

bool frmFlag::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && filterTypedText(Text1, event, [this](int& key) { Text1_KeyPress(key); })) return true;
    return QWidget::eventFilter(watched, event);
}

void frmFlag::Text1_KeyPress(int& KeyAscii) { KeyAscii = filterDigitKey(KeyAscii); }

void frmFlag::Command1_Click() {
    insertIntoScript({flag::line(Text1->text().toStdString(), choiceOf(Combo1))});
    close();
}

}  // namespace quill::dialogs
