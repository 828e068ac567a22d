#include "shell/document.h"

#include "shell/app_info.h"
#include "shell/misc.h"

namespace quill::document {
namespace {

// "¬" in UTF-8.
constexpr std::string_view kPairSeparator = "\xC2\xAC";

std::string qtPatterns(std::string_view patterns) {
    std::string out;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string_view::npos) end = patterns.size();
        std::string_view one = patterns.substr(start, end - start);
        if (one == "*.*") one = "*";
        if (!one.empty()) {
            if (!out.empty()) out += ' ';
            out += one;
        }
        start = end + 1;
    }
    return out;
}

}  // namespace

FileDialogRequest openDialog() { return {0, "Select NPC File to open..", "", "Text Files\xC2\xAC*.txt", "C:\\", ""}; }
FileDialogRequest saveAsDialog() {
    return {1, "Enter filename for this script..", "", "(*.*) All Files\xC2\xAC*.*", "", ""};
}
FileDialogRequest insertFileDialog() {
    return {0, "Select file to insert..", "", "(*.*) All Files\xC2\xAC*.*", "", ""};
}

std::string toQtFilter(std::string_view filter) {
    std::string out;
    std::size_t start = 0;
    while (start < filter.size()) {
        const std::size_t mid = filter.find(kPairSeparator, start);
        // A description without a pattern was never offered by the dialog.
        if (mid == std::string_view::npos) break;
        std::size_t end = filter.find(kPairSeparator, mid + kPairSeparator.size());
        if (end == std::string_view::npos) end = filter.size();
        const std::string_view description = filter.substr(start, mid - start);
        const std::size_t patternStart = mid + kPairSeparator.size();
        if (!out.empty()) out += ";;";
        out += description;
        out += " (";
        out += qtPatterns(filter.substr(patternStart, end - patternStart));
        out += ')';
        start = end + kPairSeparator.size();
    }
    return out;
}

void Document::setStatusText(const std::string& message) { view_.setGeneralPanel(message); }

void Document::setModified(bool flag) {
    view_.setModifiedPanel(flag ? std::string(kModified) : std::string());
    isModified_ = flag;
}

void Document::resetDocumentState() {
    currentFileName_.clear();
    setModified(false);
}

bool Document::newDocument() {
    if (!askToSave()) return false;
    editor_.clearText();
    editor_.resetForNewDocument();
    format_ = {};
    onDisk_.reset();
    view_.setCaption(std::string(kNewCaption));
    resetDocumentState();
    return true;
}

bool Document::askToSave() {
    if (!isModified_) return true;
    MsgBoxExRequest question;
    question.prompt = std::string(kAskToSavePrompt);
    question.icon = mbxIconWarning;
    question.buttons = mbxYesNo;
    question.title = std::string(kAskToSaveTitle);
    switch (dialogs_.msgBoxEx(question)) {
        case mbxResultYes: return saveDocument();
        case mbxResultNo: return true;
        // The question has no Cancel button, but a box closed with its close box
        // is no answer: only "No" may throw the script away.
        default: return false;
    }
}

bool Document::openDocument() {
    const std::string path = dialogs_.showFileDialog(openDialog());
    if (path.empty()) return false;
    // A load cannot be undone. The untouched start-up script is not worth a
    // question, although inserting it set the flag.
    if (isModified_ && !editor_.textIs(kDefaultScriptText) && !askToSave()) return false;
    return loadDocument(path);
}

bool Document::loadDocument(const std::string& fileName) {
    textfile::TextFormat format;
    // Taken before the read: a change made while it reads shows at the
    // next Save, rather than being missed.
    std::optional<fileio::Stamp> stamp = fileio::stampOf(fileName);
    if (const Failure failure = editor_.loadFile(fileName, format)) {
        setStatusText(std::string(kOpenFailed) + *failure);
        return false;
    }
    currentFileName_ = fileName;
    format_ = format;
    onDisk_ = stamp;
    setModified(false);
    setStatusText(std::string(kOpened));
    view_.setCaption(std::string(kLoadedCaptionStart) + fileName + "]");
    return true;
}

bool Document::mayOverwrite() {
    const std::optional<fileio::Stamp> now = fileio::stampOf(currentFileName_);
    // A file removed since is simply written again.
    if (!onDisk_ || !now || *now == *onDisk_) return true;
    const std::string why = "\"" + currentFileName_ + std::string(kChangedOnDisk);
    if (dialogs_.askYesNo(std::string(kChangedOnDiskTitle), why + std::string(kOverwriteQuestion))) return true;
    setStatusText(std::string(kSaveFailed) + why + std::string(kNothingSaved));
    return false;
}

bool Document::saveDocument() {
    if (currentFileName_.empty()) return saveDocumentAs();
    if (!mayOverwrite()) return false;
    const textfile::TextFormat previousFormat = format_;
    // Nothing is written in a format that would lose a character; the way out
    // is a format that holds every one.
    if (const std::optional<std::string> why = editor_.unwritable(format_)) {
        const std::string prompt = std::string(kUtf8OfferStart) + *why + std::string(kUtf8OfferQuestion);
        if (!dialogs_.askYesNo(std::string(kUtf8OfferTitle), prompt)) {
            setStatusText(std::string(kSaveFailed) + *why + std::string(kNothingSaved));
            return false;
        }
        // Later saves stay UTF-8, without asking again.
        format_ = {};
    }
    if (const Failure failure = editor_.saveToFile(currentFileName_, format_)) {
        // The file is still in its old format, and the next save asks again.
        format_ = previousFormat;
        setStatusText(std::string(kSaveFailed) + *failure);
        return false;
    }
    onDisk_ = fileio::stampOf(currentFileName_);
    setStatusText(std::string(kSaved));
    return true;
}

bool Document::saveDocumentAs() {
    const std::string path = dialogs_.showFileDialog(saveAsDialog());
    if (path.empty()) {
        setStatusText(std::string(kSaveCancelled));
        return false;
    }
    // A failed write leaves the script named as it was, so the next Save
    // does not aim at a file that was never written.
    std::string previous = std::move(currentFileName_);
    std::optional<fileio::Stamp> previousStamp = onDisk_;
    // Another file was never opened here: the file dialog asked about
    // replacing it.
    if (path != previous) onDisk_.reset();
    currentFileName_ = path;
    if (saveDocument()) return true;
    currentFileName_ = std::move(previous);
    onDisk_ = previousStamp;
    return false;
}

bool Document::insertFile() {
    const std::string path = dialogs_.showFileDialog(insertFileDialog());
    if (!FileExists(path)) return false;
    int line = 0, column = 0;
    editor_.selectionEnd(line, column);
    if (const Failure failure = editor_.insertFileAt(path, line, column)) {
        setStatusText(std::string(kOpenFailed) + *failure);
        return false;
    }
    return true;
}

}  // namespace quill::document
