#include "dialogs/frmRef.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "dialogs/FormKit.h"
#include "dialogs/refs.h"
#include "shell/Artwork.h"

namespace quill::dialogs {
namespace {

// The designed widths were measured for the Windows indicator and face;
// where this platform's need more, a caption would be cut, so the box takes
// the room it needs within its frame.
void placeBox(QWidget* box, int left, int top, int width) {
    placeTwips(box, left, top, width, 255);
    const int room = box->parentWidget()->width() - box->x();
    box->resize(std::min(std::max(box->width(), box->sizeHint().width()), room), box->height());
}

std::vector<bool> ticks(std::initializer_list<const QCheckBox*> boxes) {
    std::vector<bool> states;
    for (const QCheckBox* box : boxes) states.push_back(box->checkState() == Qt::Checked);
    return states;
}

}  // namespace

QPointer<frmRef> frmRef::instance_;

frmRef::frmRef()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmRef"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window (kept out of the task bar) would not keep the program
    // running on its own; this one does, after the main window has closed.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowTitle(QStringLiteral("Quillmoor v3 : Merchant Refrences"));
    setWindowIcon(artwork::programIcon());
    setFont(designFont(sansSerifFamilies(), 8.25));
    setFixedSize(px(this, 6420), px(this, 2940));

    auto frame = [&](const char* name, const QString& caption, int left, int top, int height) {
        auto* box = new QGroupBox(caption, this);
        box->setObjectName(QString::fromUtf8(name));
        placeTwips(box, left, top, 2055, height);
        return box;
    };
    // The group's boxes come from the table in walk order (top to bottom).
    auto group = [&](QGroupBox* parent, refs::Group g) {
        std::vector<QCheckBox*> made;
        int top = 360;
        for (const refs::Box& b : refs::boxes(g)) {
            auto* box = new QCheckBox(QString::fromUtf8(b.caption), parent);
            box->setObjectName(QString::fromUtf8(b.name));
            placeBox(box, 360, top, 1335);
            made.push_back(box);
            top += 360;
        }
        return made;
    };

    Frame1 = frame("Frame1", qs(refs::caption(refs::Group::Weapon)), 0, 0, 1695);
    Frame2 = frame("Frame2", qs(refs::caption(refs::Group::Armour)), 2160, 0, 1695);
    Frame3 = frame("Frame3", qs(refs::caption(refs::Group::Potion)), 4320, 0, 1695);
    Frame5 = frame("Frame5", QStringLiteral("Prices"), 0, 1800, 1095);
    const auto weapon = group(Frame1, refs::Group::Weapon);
    Check1 = weapon[0];
    Check2 = weapon[1];
    Check3 = weapon[2];
    const auto armour = group(Frame2, refs::Group::Armour);
    Check6 = armour[0];
    Check5 = armour[1];
    Check4 = armour[2];
    const auto potion = group(Frame3, refs::Group::Potion);
    Check7 = potion[0];
    Check8 = potion[1];

    Option3 = new QRadioButton(QStringLiteral("Full  Price (100%)"), Frame5);
    Option3->setObjectName(QStringLiteral("Option3"));
    placeBox(Option3, 360, 360, 1575);
    Option4 = new QRadioButton(QStringLiteral("PK Price (200%)"), Frame5);
    Option4->setObjectName(QStringLiteral("Option4"));
    placeBox(Option4, 360, 720, 1455);

    auto button = [&](const char* name, const char* caption, int left, int top) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        placeTwips(b, left, top, 2055, 495);
        return b;
    };
    Command1 = button("Command1", "Insert Weapon Refrences", 2160, 1800);
    Command2 = button("Command2", "Insert Armour Refrences", 4320, 1800);
    Command3 = button("Command3", "Insert Potion Refrences", 2160, 2400);
    Command4 = button("Command4", "Insert Price Refrences", 4320, 2400);
    connect(Command1, &QPushButton::clicked, this, &frmRef::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRef::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRef::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmRef::Command4_Click);
    clickOnEnter(this);

    QWidget* order[] = {Check1, Check2,   Check3,  Check4,  Check5,   Check6,   Check7,
                        Check8, Command1, Option3, Option4, Command2, Command3, Command4};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    Check1->setFocus();

    instance_ = this;
}

frmRef::~frmRef() = default;

frmRef* frmRef::instance() { return instance_.data(); }
frmRef* frmRef::showInstance(ScriptHost* host) { return showSingle(instance_, host); }

void frmRef::Command1_Click() {
    insertIntoScript(refs::groupInserts(refs::Group::Weapon, ticks({Check1, Check2, Check3})));
}

void frmRef::Command2_Click() {
    insertIntoScript(refs::groupInserts(refs::Group::Armour, ticks({Check6, Check5, Check4})));
}

void frmRef::Command3_Click() { insertIntoScript(refs::groupInserts(refs::Group::Potion, ticks({Check7, Check8}))); }

void frmRef::Command4_Click() { insertIntoScript(refs::priceInserts(Option3->isChecked(), Option4->isChecked())); }

}  // namespace quill::dialogs
