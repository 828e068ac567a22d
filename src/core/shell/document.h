#pragma once
// The open script's identity (its file name and the format that file is
// written in), its modified flag and the File commands, apart from any
// window: the editor, the main window's caption and status bar and the
// dialogs are reached through the three small interfaces below.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shell/file_io.h"
#include "shell/msgboxex.h"
#include "shell/text_format.h"

namespace quill::document {

inline constexpr std::string_view kNewCaption = "Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]";
inline constexpr std::string_view kLoadedCaptionStart = "Legend Of Mir : Quillmoor : v3 : [";
inline constexpr std::string_view kOpened = "File Opened Succesfully";
inline constexpr std::string_view kOpenFailed = "There was an error trying to open the selected file: ";
inline constexpr std::string_view kSaved = "The script has been saved successfully.";
inline constexpr std::string_view kSaveFailed = "There was an error trying to save the script: ";
inline constexpr std::string_view kUtf8OfferTitle = "Save As UTF-8?";
inline constexpr std::string_view kUtf8OfferStart = "The script cannot be saved: ";
inline constexpr std::string_view kUtf8OfferQuestion = ".\n\nSave it as UTF-8 instead? Later saves stay UTF-8.";
inline constexpr std::string_view kNothingSaved = "; nothing was saved.";
inline constexpr std::string_view kChangedOnDiskTitle = "File Changed On Disk";
inline constexpr std::string_view kChangedOnDisk = "\" has been changed on disk since it was opened or saved";
inline constexpr std::string_view kOverwriteQuestion = ".\n\nOverwrite it?";
inline constexpr std::string_view kSaveCancelled = "Script saving cancelled - no filename entered.";
inline constexpr std::string_view kModified = "Modified";
inline constexpr std::string_view kAskToSavePrompt =
    "You Have Modified The Current NPC Script, Dou You Wish To Save It ?";
inline constexpr std::string_view kAskToSaveTitle = "Save NPC Script?";

// One file dialog as the commands ask for it. `filter` pairs a description
// and a pattern with "¬" between them.
struct FileDialogRequest {
    std::int32_t kind = 0;  // 0 open, anything else save
    std::string title;
    std::string defaultFile;
    std::string filter;
    std::string initialDir;
    std::string defExt;
    bool operator==(const FileDialogRequest&) const = default;
};

FileDialogRequest openDialog();
FileDialogRequest saveAsDialog();
FileDialogRequest insertFileDialog();

// "Text Files¬*.txt" -> "Text Files (*.txt)"; several pairs are joined by
// ";;", several patterns in one pair ("*.a;*.b") by spaces. "*.*" means every
// file, as it does on Windows.
std::string toQtFilter(std::string_view filter);

struct MsgBoxExRequest {
    std::string prompt;
    std::int32_t icon = mbxIconInformation;
    std::int32_t buttons = mbxOkayOnly;
    std::string title;
    std::int32_t autoCloseSecs = 0;
    std::int32_t position = mbxPosCentre;
    bool topMost = false;
    bool forceScroll = false;
};

// Failures come back as the description shown to the user.
using Failure = std::optional<std::string>;

class Editor {
public:
    virtual ~Editor() = default;
    virtual void clearText() = 0;
    // Whether the whole text is exactly `text`.
    virtual bool textIs(std::string_view text) = 0;
    virtual void resetForNewDocument() = 0;
    // The file becomes the whole text; `format` is what the file was read as.
    virtual Failure loadFile(const std::string& path, textfile::TextFormat& format) = 0;
    // Writes the whole text in `format`.
    virtual Failure saveToFile(const std::string& path, const textfile::TextFormat& format) = 0;
    // Why the text cannot be written in `format` (the character and its
    // line), or nullopt when it can.
    virtual std::optional<std::string> unwritable(const textfile::TextFormat& format) = 0;
    // The end of the selection (the caret when nothing is selected).
    virtual void selectionEnd(int& line, int& column) = 0;
    virtual Failure insertFileAt(const std::string& path, int line, int column) = 0;
};

class View {
public:
    virtual ~View() = default;
    virtual void setGeneralPanel(const std::string& text) = 0;
    virtual void setModifiedPanel(const std::string& text) = 0;
    virtual void setCaption(const std::string& text) = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen full path, or empty when cancelled or failed.
    virtual std::string showFileDialog(const FileDialogRequest& request) = 0;
    virtual MsgBoxExResult msgBoxEx(const MsgBoxExRequest& request) = 0;
    // A plain Yes/No question; true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& prompt) = 0;
};

class Document {
public:
    Document(Editor& editor, View& view, Dialogs& dialogs) : editor_(editor), view_(view), dialogs_(dialogs) {}

    const std::string& currentFileName() const { return currentFileName_; }
    bool isModified() const { return isModified_; }

    void setStatusText(const std::string& message);
    void setModified(bool flag);
    void resetDocumentState();

    // Each returns false when it stopped short: the user cancelled, or a
    // save or load failed (the "_general" panel says which).
    bool newDocument();
    // Asks about unsaved changes; false when the caller must not discard the
    // script: the user closed the question without an answer, or wanted the
    // changes saved and the save did not happen.
    bool askToSave();
    bool openDocument();
    bool loadDocument(const std::string& fileName);
    bool saveDocument();
    bool saveDocumentAs();
    bool insertFile();

private:
    Editor& editor_;
    View& view_;
    Dialogs& dialogs_;
    std::string currentFileName_;
    // What Save writes: the open file's own format; UTF-8 without a
    // byte-order mark for a new script and once the UTF-8 offer was taken.
    textfile::TextFormat format_;
    // The file as the last Open or Save left it, so that a change another
    // program made since is not overwritten unasked; none for a script that
    // has no file yet.
    std::optional<fileio::Stamp> onDisk_;
    bool isModified_ = false;

    // False when the file changed on disk since and the user would rather
    // keep what is there.
    bool mayOverwrite();
};

}  // namespace quill::document
