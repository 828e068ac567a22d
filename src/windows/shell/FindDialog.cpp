#include "shell/FindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>

namespace quill {
namespace {

// A one-line message that quotes what the user typed, which can be longer
// than the screen is wide: it takes the width its window gives and never
// asks for more, shows what does not fit as an ellipsis, and shows its whole
// text as its tooltip (text() is always the whole text).
class MessageLabel : public QLabel {
public:
    MessageLabel() {
        setTextFormat(Qt::PlainText);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return {0, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), shown(),
                              foregroundRole());
    }
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return QLabel::event(event);
        if (shown() != text()) QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }

private:
    QString shown() const { return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width()); }
};

}  // namespace

FindDialog::FindDialog(SearchTarget* editor, QWidget* parent) : QDialog(parent), editor_(editor) {
    setObjectName(QStringLiteral("FindDialog"));
    auto* grid = new QGridLayout;
    txtFind = new QLineEdit;
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtReplace = new QLineEdit;
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    lblReplace_ = new QLabel(tr("Replace wi&th:"));
    lblReplace_->setBuddy(txtReplace);
    auto* lblFind = new QLabel(tr("Fi&nd what:"));
    lblFind->setBuddy(txtFind);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(lblReplace_, 1, 0);
    grid->addWidget(txtReplace, 1, 1);

    chkMatchCase = new QCheckBox(tr("Match &case"));
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    chkWholeWord = new QCheckBox(tr("Match &whole word only"));
    chkWholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    chkWrap = new QCheckBox(tr("Wra&p around"));
    chkWrap->setObjectName(QStringLiteral("chkWrap"));
    chkWrap->setChecked(true);
    auto* checks = new QVBoxLayout;
    checks->addWidget(chkMatchCase);
    checks->addWidget(chkWholeWord);
    checks->addWidget(chkWrap);

    auto* direction = new QGroupBox(tr("Direction"));
    optUp = new QRadioButton(tr("&Up"));
    optUp->setObjectName(QStringLiteral("optUp"));
    optDown = new QRadioButton(tr("&Down"));
    optDown->setObjectName(QStringLiteral("optDown"));
    optDown->setChecked(true);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(optUp);
    directions->addWidget(optDown);

    auto* options = new QHBoxLayout;
    options->addLayout(checks);
    options->addWidget(direction);

    cmdFindNext = new QPushButton(tr("&Find Next"));
    cmdFindNext->setObjectName(QStringLiteral("cmdFindNext"));
    cmdFindNext->setDefault(true);
    cmdReplace = new QPushButton(tr("&Replace"));
    cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    cmdReplaceAll = new QPushButton(tr("Replace &All"));
    cmdReplaceAll->setObjectName(QStringLiteral("cmdReplaceAll"));
    auto* cmdClose = new QPushButton(tr("C&lose"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdFindNext);
    buttons->addWidget(cmdReplace);
    buttons->addWidget(cmdReplaceAll);
    buttons->addWidget(cmdClose);
    buttons->addStretch();

    lblResult = new MessageLabel;
    lblResult->setObjectName(QStringLiteral("lblResult"));
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addLayout(options);
    left->addWidget(lblResult);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(cmdFindNext, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(cmdReplace, &QPushButton::clicked, this, &FindDialog::replaceOne);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &FindDialog::replaceAll);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    // A result speaks of the search that was made; another search text or
    // option makes it stale.
    for (QLineEdit* box : {txtFind, txtReplace}) connect(box, &QLineEdit::textChanged, lblResult, &QLabel::clear);
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{chkMatchCase, chkWholeWord, chkWrap, optUp})
        connect(option, &QAbstractButton::toggled, lblResult, &QLabel::clear);
    setReplaceMode(false);
}

void FindDialog::setReplaceMode(bool replace) {
    replace_ = replace;
    setWindowTitle(replace ? tr("Replace") : tr("Find"));
    lblReplace_->setVisible(replace);
    txtReplace->setVisible(replace);
    cmdReplace->setVisible(replace);
    cmdReplaceAll->setVisible(replace);
    lblResult->clear();
}

SearchOptions FindDialog::options() const {
    SearchOptions o;
    o.text = txtFind->text();
    o.replacement = txtReplace->text();
    o.matchCase = chkMatchCase->isChecked();
    o.wholeWord = chkWholeWord->isChecked();
    o.wrap = chkWrap->isChecked();
    o.down = optDown->isChecked();
    return o;
}

void FindDialog::showNotFound() { lblResult->setText(tr("Cannot find \"%1\".").arg(txtFind->text())); }

void FindDialog::findNext() {
    lblResult->clear();
    const SearchOptions o = options();
    if (o.text.isEmpty()) return;
    if (!editor_->FindText(o, o.down)) showNotFound();
}

void FindDialog::replaceOne() {
    lblResult->clear();
    const SearchOptions o = options();
    if (o.text.isEmpty()) return;
    if (!editor_->ReplaceSelection(o) && !editor_->hasSelection()) showNotFound();
}

void FindDialog::replaceAll() {
    const SearchOptions o = options();
    if (o.text.isEmpty()) return;
    const int count = editor_->ReplaceAll(o);
    lblResult->setText(count == 0 ? tr("Cannot find \"%1\".").arg(o.text)
                                  : tr("%n occurrence(s) replaced.", nullptr, count));
}

GoToLineDialog::GoToLineDialog(int lineCount, QWidget* parent) : QDialog(parent), lineCount_(lineCount) {
    setObjectName(QStringLiteral("GoToLineDialog"));
    setWindowTitle(tr("Go to Line"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("&Line number (1 - %1):").arg(lineCount));
    txtLine = new QLineEdit;
    txtLine->setObjectName(QStringLiteral("txtLine"));
    label->setBuddy(txtLine);
    lblError = new MessageLabel;
    lblError->setObjectName(QStringLiteral("lblError"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(label);
    layout->addWidget(txtLine);
    layout->addWidget(lblError);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToLineDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void GoToLineDialog::accept() {
    bool ok = false;
    const int line = txtLine->text().trimmed().toInt(&ok);
    if (!ok || line < 1 || line > lineCount_) {
        lblError->setText(
            tr("There is no line \"%1\"; enter a number from 1 to %2.").arg(txtLine->text()).arg(lineCount_));
        txtLine->selectAll();
        txtLine->setFocus();
        return;
    }
    line_ = line;
    QDialog::accept();
}

}  // namespace quill
