#include "catalogue/LeftPane.h"

#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QTimer>
#include <QTreeWidget>

#include "catalogue/HeaderList.h"
#include "catalogue/headers.h"
#include "catalogue/modDuplicates.h"
#include "catalogue/templates.h"
#include "shell/FormDesign.h"
#include "shell/QtText.h"
#include "shell/maxEdit.h"

namespace quill {

LeftPane::LeftPane(QWidget* client, maxEdit* editor, QObject* parent) : QObject(parent), editor_(editor) {
    Combo2 = new QComboBox(client);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    // A drop-down list's height is its font's; only left, top and width are designed.
    placeTwips(Combo2, 0, 480, 2160, 315);
    Combo2->setEditable(false);
    Combo2->setMaxVisibleItems(20);
    Combo2->addItems(qStringList(catalogue::paneRows()));

    List1 = new HeaderList(client);
    List1->setObjectName(QStringLiteral("List1"));
    placeTwips(List1, 0, 840, 2175, 5130);

    TV1 = new QTreeWidget(client);
    TV1->setObjectName(QStringLiteral("TV1"));
    TV1->setHeaderHidden(true);
    TV1->setColumnCount(1);
    placeTwips(TV1, 0, 840, 2175, 5175);
    TV1->setVisible(false);
    // A child names its parent by key; the tree keeps each node's key with it.
    // The nodes are put together first and handed to the tree in one
    // insertion, rather than one model insertion per node.
    QHash<QString, QTreeWidgetItem*> byKey;
    QList<QTreeWidgetItem*> topLevel;
    for (const catalogue::TemplateNode& node : catalogue::templateNodes()) {
        QTreeWidgetItem* parentNode = node.parentKey.empty() ? nullptr : byKey.value(qs(node.parentKey));
        auto* item = parentNode ? new QTreeWidgetItem(parentNode) : new QTreeWidgetItem();
        if (!parentNode) topLevel.append(item);
        item->setText(0, qs(node.text));
        item->setData(0, Qt::UserRole, qs(node.key));
        byKey.insert(qs(node.key), item);
    }
    TV1->addTopLevelItems(topLevel);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(3500);

    connect(Combo2, &QComboBox::activated, this, &LeftPane::Combo2_Click);
    connect(TV1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node, int) { TV1_NodeClick(node); });
    connect(List1, &QListView::doubleClicked, this, [this](const QModelIndex&) { List1_DblClick(); });
    connect(Timer1, &QTimer::timeout, this, &LeftPane::Timer1_Timer);
    List1->installEventFilter(this);
    TV1->installEventFilter(this);
}

bool LeftPane::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == List1 && enter) {
        List1_DblClick();
        return true;
    }
    if (watched == TV1 && (enter || key->key() == Qt::Key_Space)) {
        TV1_NodeClick(TV1->currentItem());
        return true;
    }
    return false;
}

void LeftPane::RefreshHeaders() {
    modDuplicates::GetMenuTitles(List1, editor_);
    modDuplicates::FindDuplicateMenus(List1);
}

void LeftPane::Timer1_Timer() {
    // A tick that arrives while a duplicate message waits for its OK, or
    // while any other modal window (a file dialog, a question) is up, would
    // put its report over that window and take the keys typed into it; the
    // next tick after it closes checks.
    if (modDuplicates::ReportShowing() || QApplication::activeModalWidget()) return;
    RefreshHeaders();
}

void LeftPane::Combo2_Click() {
    if (Combo2->currentText() == qs(catalogue::kMenuHeaders)) {
        TV1->setVisible(false);
        List1->setVisible(true);
    }
    if (Combo2->currentText() == qs(catalogue::kPaneTemplates)) {
        TV1->setVisible(true);
        List1->setVisible(false);
    }
}

void LeftPane::TV1_NodeClick(QTreeWidgetItem* node) {
    if (!node) return;
    const int kind = catalogue::templateKindForNode(node->text(0).toStdString());
    if (kind == 0) return;
    // One undo step brings the replaced script back whole.
    const UndoStep step(editor_);
    editor_->Text(QString());
    InsertNpcTemplate(static_cast<qint16>(kind));
}

void LeftPane::InsertNpcTemplate(qint16 kind) {
    const std::string text = catalogue::templateText(kind);
    if (!text.empty()) editor_->InsertText(QString::fromStdString(text));
}

void LeftPane::List1_DblClick() {
    if (Combo2->currentText() != qs(catalogue::kMenuHeaders)) return;
    const int row = List1->currentRow();
    if (row < 0) return;
    const std::string needle(List1->rows()->row(row));
    if (needle.empty()) return;
    // Every line that holds the row's text is marked in turn; the last one
    // stays marked. A step that fails is skipped.
    std::vector<std::size_t> lines;
    try {
        const auto [head, tail] = editor_->textRuns();
        lines = catalogue::linesContaining(head, tail, needle);
    } catch (...) { return; }
    for (const std::size_t n : lines) {
        try {
            editor_->MarkedLine(static_cast<int>(n));
            editor_->RevealLine(static_cast<int>(n), true);
        } catch (...) {}
    }
}

}  // namespace quill
