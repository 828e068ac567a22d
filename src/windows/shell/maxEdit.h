#pragma once
// The main window's editing surface: QsciScintilla behind the operations the
// rest of the program calls by name. Scintilla works in UTF-8; a load reports
// the file's own format and a save is told the format to write, so that the
// document, which keeps it, gets back the bytes that were read.

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QString>
#include <Qsci/qsciscintilla.h>
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "shell/FindDialog.h"
#include "shell/text_format.h"

class QsciLexer;

namespace quill {
class NpcLexer;

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

class maxEdit : public QsciScintilla, public SearchTarget {
    Q_OBJECT
public:
    explicit maxEdit(QWidget* parent = nullptr);
    ~maxEdit() override;

    // The whole text, line breaks as they stand.
    QString Text() const;
    // Puts `text` in place of the whole text, NUL characters included, as one
    // change that Undo takes back (QsciScintilla's setText, which keeps its
    // own contract, stops at a NUL and forgets the undo history).
    void Text(const QString& text);
    // The same text as the editor holds it, UTF-8, read in place: valid until
    // the next edit. Every reader of the whole text goes through here.
    std::string_view bytes() const;
    // Replaces the selection, or inserts at the caret, and leaves the caret
    // after the inserted text, so consecutive insertions read in order.
    void InsertText(const QString& text);

    int LineCount() const;
    // Line `line` (from 0) without its line break. The editor's interface
    // offers it though nothing calls it yet; kept for the callers to come.
    QString GetLineText(int line) const;

    // Replaces the whole text with the file's and returns the format it was
    // read in; on failure the text is left untouched and EditorError
    // describes what went wrong. `codePage` is the program's ANSI code page,
    // which a file that is not Unicode is tried in before Windows-1252.
    textfile::TextFormat LoadFile(const QString& path, int codePage);
    // Writes the whole text atomically in `format`; on failure the file on
    // disk is unchanged and EditorError says why. Where callers of the editor
    // pass True to keep the file's format, they pass that format here.
    void SaveToFile(const QString& path, const textfile::TextFormat& format);
    // Why the text cannot be written in `format` (the first character the
    // format cannot hold, and its line); empty when it can.
    QString Unwritable(const textfile::TextFormat& format) const;
    // The file's text, read as LoadFile reads it, goes in at `position`.
    void InsertFileAt(const QString& path, const EditorPosition& position, int codePage);

    bool ModifiedFlag() const;
    void ResetForNewDocument();

    // Goes up with every change of the text (typing, undo, a load): the same
    // number means the same text.
    quint64 textVersion() const { return textVersion_; }
    // The whole text as UTF-8, in place, in two runs that follow each other;
    // the first ends at the start of a line. Reading it moves at most one
    // line's bytes inside the editor, where one run would move everything
    // after the last edit. Valid until the next change.
    textfile::TextRuns textRuns() const;

    // The whole lines that may differ from the text of version `since`, as
    // textfile::ChangedLines tells; all of them when the editor did not keep
    // track from that version. Each call starts the record again, from the
    // current version, so it serves one reader: the menu-header list.
    textfile::ChangedLines takeChangedLines(std::optional<quint64> since);

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

    // The editor's own commands: Find and Replace open their dialog, Find
    // Next and Find Previous repeat the last search (opening Find when there
    // is none), Go to Line asks for a line number.
    // `data` is the command's argument; Go to Line's -1 ("ask for the line")
    // is the only one callers pass, and no command here needs it.
    void RunCommand(int command, int data = 0);
    // Selects that many characters from the start of the text ("Select All"
    // hands over the text's length in UTF-16 code units, as QString counts).
    void SelectionSpan(const QString& length);

    // Searching, as the find and replace dialogs use it. FindText selects the
    // next match in the given direction and remembers the search for Find
    // Next; ReplaceSelection replaces the selection when it is a match and
    // moves on; ReplaceAll replaces every match as one undo step.
    bool FindText(const SearchOptions& options, bool forward) override;
    bool ReplaceSelection(const SearchOptions& options) override;
    int ReplaceAll(const SearchOptions& options) override;
    bool hasSelection() const override { return hasSelectedText(); }
    FindDialog* findDialog() const;
    // Moves the caret to the start of a line counted from 1; false, moving
    // nothing, when the script has no such line.
    bool GoToLine(int lineNumber);

    // Language and appearance (see maxEditLanguage.cpp for what each option,
    // colour slot and slot value means here).
    void LanguageName(const QString& name);
    QString languageName() const { return languageName_; }
    class FontRef {
    public:
        explicit FontRef(maxEdit* editor) : editor_(editor) {}
        void Name(const QString& name);
        void Size(double points);

    private:
        maxEdit* editor_;
    };
    FontRef Font() { return FontRef(this); }
    // `value` is a boolean (non-zero is on) or a number, by option.
    void AppearanceOption(int option, int value);
    // `rgb`: red in the lowest byte, then green, then blue.
    void SetColourSlot(int slot, quint32 rgb);
    void SetSlotValue(int slot, int value);

    void MarkedLine(int line);
    int markedLine() const;
    // Scrolls line `line` into view; where it lands is left to the editor
    // component, so `atTop` (the callers' True) is ignored.
    void RevealLine(int line, bool atTop = true);

    // The selection, or the caret as an empty range. Start and end are as
    // Scintilla reports them, start first; `normalized` (the callers' False)
    // is ignored.
    EditorRange GetSelectionRange(bool normalized = false) const;

signals:
    // The modified state changed; the handler reads ModifiedFlag().
    void ModifiedChange(quill::maxEdit* editor);

protected:
    // Scintilla tells of each insertion and deletion only while someone
    // listens (see setNotices).
    void connectNotify(const QMetaMethod& signal) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Makes a document filled by the loader the editor's own.
    void adoptDocument(const QsciDocument& document);
    // Something outside listens to textChanged, linesChanged or SCN_MODIFIED.
    bool heard() const;
    void setNotices(bool on);

    void applyAppearance();
    long searchIn(const QByteArray& what, int flags, long from, long to);
    void openFindDialog(bool replace);

    std::unique_ptr<QsciScintilla> loaderHost_;
    // Receivers of SCN_MODIFIED that are the component's own; -1 while the
    // editor is being made.
    int ownModifiedReceivers_ = -1;
    bool noticesOn_ = true;
    int markerHandle_ = -1;
    bool lastModified_ = false;
    quint64 textVersion_ = 0;
    // Since the version `recordVersion_` of `recordLength_` bytes, only bytes
    // after the first `sameHead_` and before the last `sameTail_` changed.
    std::optional<quint64> recordVersion_;
    std::size_t recordLength_ = 0;
    std::size_t sameHead_ = 0;
    std::size_t sameTail_ = 0;
    // The text, in that version, was found writable in the file's format.
    mutable quint64 checkedWritable_ = ~quint64(0);
    mutable textfile::TextFormat checkedFormat_;

    SearchOptions search_;
    bool hasSearch_ = false;
    QPointer<FindDialog> findDialog_;

    QString languageName_;
    NpcLexer* lexer_ = nullptr;
    bool colourSyntax_ = true;
    QString fontName_ = QStringLiteral("Courier New");
    double fontSize_ = 9;
    QHash<int, QColor> slotColours_;
    QHash<int, int> slotValues_;
};

// What is done to the editor's text while one of these lives is one undo
// step: an action that inserts several texts is taken back by one Undo.
class UndoStep {
public:
    explicit UndoStep(maxEdit* editor) : editor_(editor) { editor_->beginUndoAction(); }
    ~UndoStep() { editor_->endUndoAction(); }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    maxEdit* editor_;
};

}  // namespace quill
