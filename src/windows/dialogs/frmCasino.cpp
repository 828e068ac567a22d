#include "dialogs/frmCasino.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/FormKit.h"
#include "dialogs/casino.h"
#include "shell/Artwork.h"

namespace quill::dialogs {
namespace {

QComboBox* dropDown(QWidget* frame, const char* name, int left) {
    auto* combo = new QComboBox(frame);
    combo->setObjectName(QString::fromUtf8(name));
    placeTwips(combo, left, 300, 1095, 315);
    return combo;
}

void fill(QComboBox* combo, const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) combo->addItem(qs(entry));
    combo->setCurrentIndex(-1);
}

}  // namespace

QPointer<frmCasino> frmCasino::instance_;

frmCasino::frmCasino()
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmCasino"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window (kept out of the task bar) would not keep the program
    // running on its own; this one does, after the main window has closed.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowTitle(QStringLiteral("Dice Scripter"));
    setWindowIcon(artwork::programIcon());
    setFont(designFont(sansSerifFamilies(), 8.25));
    setFixedSize(px(this, 6810), px(this, 2805));
    move(px(this, 3945), px(this, 5265));

    auto frame = [&](const char* name, const char* caption, int top) {
        auto* box = new QGroupBox(QString::fromUtf8(caption), this);
        box->setObjectName(QString::fromUtf8(name));
        placeTwips(box, 0, top, 4215, 1335);
        return box;
    };
    auto plus = [](QWidget* parent, const char* name, int left) {
        return autoSizeLabel(parent, name, QStringLiteral("+"), left, 360);
    };
    auto insertButton = [](QWidget* parent, const char* name) {
        auto* b = new QPushButton(QStringLiteral("Insert"), parent);
        b->setObjectName(QString::fromUtf8(name));
        placeTwips(b, 1499, 720, 1095, 495);
        return b;
    };

    Frame4 = frame("Frame4", "Check Dice Ammount", 0);
    // Qt has no scroll-bar colour role; midlight is the grey that stands for it.
    QPalette framePalette = Frame4->palette();
    framePalette.setColor(QPalette::Window, palette().color(QPalette::Midlight));
    Frame4->setPalette(framePalette);
    Frame4->setAutoFillBackground(true);
    Combo1 = dropDown(Frame4, "Combo1", 120);
    Label4 = plus(Frame4, "Label4", 1305);
    Combo2 = dropDown(Frame4, "Combo2", 1499);
    Label3 = plus(Frame4, "Label3", 2685);
    Combo3 = dropDown(Frame4, "Combo3", 2880);
    Command4 = insertButton(Frame4, "Command4");

    Frame5 = frame("Frame5", "Play Dice Scripter", 1440);
    Combo4 = dropDown(Frame5, "Combo4", 120);
    Label6 = plus(Frame5, "Label6", 1305);
    Combo5 = dropDown(Frame5, "Combo5", 1499);
    Label5 = plus(Frame5, "Label5", 2685);
    Text5 = new QLineEdit(Frame5);
    Text5->setObjectName(QStringLiteral("Text5"));
    placeTwips(Text5, 3000, 315, 1095, 285);
    Text5->setMaxLength(kNoLengthLimit);
    keepOneLine(Text5);
    Command8 = insertButton(Frame5, "Command8");

    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    placeTwips(List2, 4440, 120, 2295, 1815);

    Command10 = new QPushButton(QStringLiteral("Insert Dice Script"), this);
    Command10->setObjectName(QStringLiteral("Command10"));
    placeTwips(Command10, 4680, 2160, 1815, 495);

    connect(Command4, &QPushButton::clicked, this, &frmCasino::Command4_Click);
    connect(Command8, &QPushButton::clicked, this, &frmCasino::Command8_Click);
    connect(Command10, &QPushButton::clicked, this, &frmCasino::Command10_Click);
    clickOnEnter(this);

    QWidget* order[] = {List2, Text5, Combo5, Combo4, Command8, Command10, Command4, Combo1, Combo2, Combo3};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    List2->setFocus();

    instance_ = this;
    Form_Load();
}

frmCasino::~frmCasino() = default;

frmCasino* frmCasino::instance() { return instance_.data(); }
frmCasino* frmCasino::showInstance(ScriptHost* host) { return showSingle(instance_, host); }

void frmCasino::Form_Load() {
    fill(Combo1, casino::sums());
    fill(Combo2, casino::multipliers());
    fill(Combo3, casino::amounts());
    fill(Combo4, casino::playOptions());
    fill(Combo5, casino::diceCounts());
}

void frmCasino::Command4_Click() {
    applyOutcome(this, List2, casino::checkLine(choiceOf(Combo1), choiceOf(Combo2), choiceOf(Combo3)));
}

void frmCasino::Command8_Click() {
    applyOutcome(this, List2, casino::playLine(choiceOf(Combo4), choiceOf(Combo5), Text5->text().toStdString()));
}

void frmCasino::Command10_Click() { insertIntoScript(insertsFor(entriesOf(List2))); }

}  // namespace quill::dialogs
