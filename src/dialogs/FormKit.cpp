#include "dialogs/FormKit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

#include "shell/Prompter.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"
#include "shell/twips.h"

namespace quill::dialogs {

int px(const QWidget* w, double twips) { return twipsToPixels(twips, w->logicalDpiX()); }

void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(px(w, left), px(w, top), px(w, width), px(w, height));
}

QLabel* autoSizeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->move(px(parent, left), px(parent, top));
    label->adjustSize();
    return label;
}

QFont designFont(const QStringList& families, double points, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QStringList sansSerifFamilies() {
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")};
}

std::string choiceOf(const QComboBox* combo) {
    const int index = combo->currentIndex();
    return index < 0 ? std::string() : combo->itemText(index).toStdString();
}

std::vector<std::string> entriesOf(const QListWidget* list) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->item(i)->text().toStdString());
    return entries;
}

void applyOutcome(QWidget* form, QListWidget* list, const Outcome& outcome) {
    if (outcome.line) list->addItem(QString::fromStdString(*outcome.line));
    else Prompter::current().tell(form, qs(outcome.title), qs(outcome.message), QMessageBox::NoIcon);
}

int typedKeyAscii(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return -1;
    const auto* key = static_cast<const QKeyEvent*>(event);
    // Some platforms hand Delete a DEL character; it still types nothing.
    if (key->text().isEmpty() || key->key() == Qt::Key_Delete) return -1;
    return key->text().at(0).unicode();
}

void insertIntoScript(const std::vector<std::string>& texts) {
    frmMain* main = frmMain::instance();
    if (!main || !main->maxEdit) return;
    for (const std::string& text : texts) main->maxEdit->InsertText(QString::fromStdString(text));
}

}  // namespace quill::dialogs
