#pragma once
// The main window's left pane: the selector (Combo2) that shows either the
// menu-header list (List1) or the template tree (TV1), and the refresh
// (Timer1) that keeps the list, and its duplicate check, following the script.

#include <QObject>

class QComboBox;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace quill {
class HeaderList;
class maxEdit;

class LeftPane : public QObject {
    Q_OBJECT
public:
    // Builds the controls on `client`, at their designed places, with the
    // selector's rows and the tree's nodes; the list stays empty and Timer1
    // stopped until the window's start-up fills and starts them.
    LeftPane(QWidget* client, maxEdit* editor, QObject* parent);

    QComboBox* Combo2 = nullptr;
    HeaderList* List1 = nullptr;
    QTreeWidget* TV1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Rebuilds the list from the script's headers and reports each duplicate
    // (the work of Syntax > Get Menu Titles).
    void RefreshHeaders();

public slots:
    void Timer1_Timer();
    void Combo2_Click();
    void TV1_NodeClick(QTreeWidgetItem* node);
    void List1_DblClick();

protected:
    // The keyboard's activation key does what the mouse gesture does: Enter
    // on a header row is its double click, Enter or Space on a node its click.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void InsertNpcTemplate(qint16 kind);

    maxEdit* editor_;
};

}  // namespace quill
