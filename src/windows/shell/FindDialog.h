#pragma once
// The editor's own Find / Replace window and its Go to Line question.

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quill {

// What Find, Find Next, Find Previous and Replace search for.
struct SearchOptions {
    QString text;
    QString replacement;
    bool matchCase = false;
    bool wholeWord = false;
    bool wrap = true;
    bool down = true;
};

// The text the window searches: the editor that owns it.
class SearchTarget {
public:
    virtual bool FindText(const SearchOptions& options, bool forward) = 0;
    virtual bool ReplaceSelection(const SearchOptions& options) = 0;
    virtual int ReplaceAll(const SearchOptions& options) = 0;
    virtual bool hasSelection() const = 0;

protected:
    ~SearchTarget() = default;
};

// One window for both commands; Replace shows the replacement box and its
// two buttons. Modeless, so the user can keep editing while it is open.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(SearchTarget* editor, QWidget* parent);
    void setReplaceMode(bool replace);
    bool replaceMode() const { return replace_; }

    QLineEdit* txtFind = nullptr;
    QLineEdit* txtReplace = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QCheckBox* chkWholeWord = nullptr;
    QCheckBox* chkWrap = nullptr;
    QRadioButton* optUp = nullptr;
    QRadioButton* optDown = nullptr;
    QPushButton* cmdFindNext = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;
    QLabel* lblResult = nullptr;

public slots:
    void findNext();
    void replaceOne();
    void replaceAll();

private:
    SearchOptions options() const;
    void showNotFound();

    SearchTarget* editor_;
    bool replace_ = false;
    QLabel* lblReplace_ = nullptr;
};

// Asks for a line number from 1 to the script's line count; anything else is
// refused in the window itself, which stays open.
class GoToLineDialog : public QDialog {
    Q_OBJECT
public:
    GoToLineDialog(int lineCount, QWidget* parent);
    int lineNumber() const { return line_; }
    void accept() override;

    QLineEdit* txtLine = nullptr;
    QLabel* lblError = nullptr;

private:
    int lineCount_;
    int line_ = 0;
};

}  // namespace quill
