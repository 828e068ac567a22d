#pragma once
// The main window's editing surface: QsciScintilla behind the operations the
// rest of the program calls by name. Scintilla works in UTF-8; the file's own
// format is remembered so that a save writes back the bytes that were read.

#include <QString>
#include <Qsci/qsciscintilla.h>
#include <stdexcept>

#include "shell/text_format.h"

class QsciLexer;

namespace quill {

// Raised by LoadFile, SaveToFile and InsertFileAt; what() is the description
// shown to the user.
class EditorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct EditorPosition {
    int LineNo = 0;
    int ColNo = 0;
};

struct EditorRange {
    int StartLineNo = 0;
    int StartColNo = 0;
    int EndLineNo = 0;
    int EndColNo = 0;
};

// Command numbers that RunCommand understands.
enum EditorCommand {
    ecGoToLine = 168,
    ecReplace = 169,
    ecFindPrevious = 174,
    ecFindNext = 176,
    ecFind = 178,
};

class maxEdit : public QsciScintilla {
    Q_OBJECT
public:
    explicit maxEdit(QWidget* parent = nullptr);
    ~maxEdit() override;

    // The whole text, line breaks as they stand.
    QString Text() const;
    void setText(const QString& text) override;
    // Replaces the selection, or inserts at the caret, and leaves the caret
    // after the inserted text, so consecutive insertions read in order.
    void InsertText(const QString& text);

    int LineCount() const;
    // Line `line` (from 0) without its line break.
    QString GetLineText(int line) const;

    // Replaces the whole text with the file's; on failure the text is left
    // untouched and EditorError describes what went wrong.
    void LoadFile(const QString& path);
    // Writes the whole text atomically in the file's own format; on failure
    // the file on disk is unchanged and EditorError says why.
    void SaveToFile(const QString& path, bool keepFormat = true);
    void InsertFileAt(const QString& path, const EditorPosition& position);

    bool ModifiedFlag() const;
    void ResetForNewDocument();
    textfile::TextFormat fileFormat() const { return format_; }

    bool CanUndo() const;
    bool CanRedo() const;
    bool CanCut() const;
    bool CanCopy() const;
    bool CanPaste() const;
    void Undo();
    void Redo();
    void Cut();
    void Copy();
    void Paste();

    void RunCommand(int command, int data = 0);
    // "Select All" hands over the text's length in characters.
    void SelectionSpan(const QString& length);

    void MarkedLine(int line);
    int markedLine() const;
    void RevealLine(int line, bool atTop = true);

    EditorRange GetSelectionRange(bool normalized = false) const;

signals:
    // The modified state changed; the handler reads ModifiedFlag().
    void ModifiedChange(quill::maxEdit* editor);

private:
    void replaceAllBytes(const std::string& utf8);
    std::string utf8Bytes() const;

    textfile::TextFormat format_;
    int markerHandle_ = -1;
    bool lastModified_ = false;
};

}  // namespace quill
