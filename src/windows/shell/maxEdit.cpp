#include "shell/maxEdit.h"

#include <cstdint>
#include <new>
#include <stdexcept>

#include "shell/file_io.h"

namespace quill {
namespace {

constexpr int kMarkMarker = 1;

EditorError noMemory(const QString& path) {
    return EditorError(QStringLiteral("there is not enough memory to load \"%1\"").arg(path).toStdString());
}

EditorError tooLarge(const QString& path, std::uint64_t textBytes, bool atLeast) {
    return EditorError(QStringLiteral("\"%1\" is too large to open: its text takes %2%3 bytes, and the editor holds at most %4 bytes")
                           .arg(path, atLeast ? QStringLiteral("at least ") : QString())
                           .arg(textBytes)
                           .arg(textfile::kMaxTextBytes)
                           .toStdString());
}

// A whole file as the editor's UTF-8 text, with its format. A file whose text
// the editor could not hold is refused before it is read, where its size
// alone tells, and otherwise before anything is shown.
std::string readText(const QString& path, textfile::TextFormat& format, int codePage) {
    const std::string name = path.toStdString();
    std::string bytes, error;
    try {
        const auto sizeCheck = [&path](std::uint64_t size, std::string_view head) -> fileio::Failure {
            const std::uint64_t least = textfile::leastTextBytes(size, head);
            if (least > textfile::kMaxTextBytes) return tooLarge(path, least, true).what();
            return std::nullopt;
        };
        if (const fileio::Failure failure = fileio::readFile(name, bytes, sizeCheck)) throw EditorError(*failure);
        if (!textfile::decodeFileInPlace(bytes, format, error, codePage)) throw EditorError("\"" + name + "\" " + error);
    } catch (const std::bad_alloc&) {
        throw noMemory(path);
    } catch (const std::length_error&) {
        throw noMemory(path);
    }
    if (bytes.size() > textfile::kMaxTextBytes) throw tooLarge(path, bytes.size(), false);
    return bytes;
}

}  // namespace

maxEdit::maxEdit(QWidget* parent) : QsciScintilla(parent) {
    setUtf8(true);
    setEolMode(EolWindows);
    markerDefine(QsciScintilla::RightArrow, kMarkMarker);
    // Scintilla reports reaching the save point even when it was never left
    // (a load or a reset of an unmodified document); only real changes of
    // the state reach the listeners.
    connect(this, &QsciScintilla::modificationChanged, this, [this](bool) {
        const bool now = ModifiedFlag();
        if (now == lastModified_) return;
        lastModified_ = now;
        emit ModifiedChange(this);
    });
}

maxEdit::~maxEdit() = default;

std::string_view maxEdit::bytes() const {
    auto* self = const_cast<maxEdit*>(this);
    const auto length = static_cast<std::size_t>(self->SendScintilla(SCI_GETLENGTH));
    const auto* chars = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
    return {chars, length};
}

QString maxEdit::Text() const {
    const std::string_view text = bytes();
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void maxEdit::setText(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    SendScintilla(SCI_CLEARALL);
    if (!bytes.isEmpty()) SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
}

void maxEdit::replaceAllBytes(const std::string& utf8) {
    // A load is not an edit the user can undo, and keeping it out of the undo
    // history spares a second copy of a large file.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
    SendScintilla(SCI_CLEARALL);
    if (!utf8.empty()) SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_GOTOPOS, 0L);
}

void maxEdit::InsertText(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    // Replacing the target rather than SCI_REPLACESEL keeps NUL characters.
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    SendScintilla(SCI_SETTARGETRANGE, start, end);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    const long caret = start + bytes.size();
    SendScintilla(SCI_SETEMPTYSELECTION, caret);
    // Before the editor is first shown its text area has no real width, and
    // scrolling to the caret then would leave the view shifted sideways.
    if (isVisible()) SendScintilla(SCI_SCROLLCARET);
}

int maxEdit::LineCount() const { return lines(); }

QString maxEdit::GetLineText(int line) const {
    auto* self = const_cast<maxEdit*>(this);
    if (line < 0 || line >= LineCount()) return {};
    const long start = self->SendScintilla(SCI_POSITIONFROMLINE, line);
    const long end = self->SendScintilla(SCI_GETLINEENDPOSITION, line);
    const std::string_view text =
        bytes().substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

textfile::TextFormat maxEdit::LoadFile(const QString& path, int codePage) {
    textfile::TextFormat format;
    const std::string bytes = readText(path, format, codePage);
    // Room for the new text is made while the old text is still there, so a
    // file too large for memory leaves the editor as it was.
    SendScintilla(SCI_SETSTATUS, static_cast<unsigned long>(SC_STATUS_OK));
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(bytes.size() + 1));
    if (SendScintilla(SCI_GETSTATUS) == SC_STATUS_BADALLOC) {
        SendScintilla(SCI_SETSTATUS, static_cast<unsigned long>(SC_STATUS_OK));
        throw noMemory(path);
    }
    replaceAllBytes(bytes);
    SendScintilla(SCI_SETSAVEPOINT);
    return format;
}

QString maxEdit::Unwritable(const textfile::TextFormat& format) const {
    std::string out, error;
    if (textfile::encode(bytes(), format, out, error)) return {};
    return QString::fromStdString(error);
}

void maxEdit::SaveToFile(const QString& path, const textfile::TextFormat& format) {
    std::string out, error;
    if (!textfile::encode(bytes(), format, out, error)) throw EditorError("the script was not saved: " + error);
    if (const fileio::Failure failure = fileio::writeFile(path.toStdString(), out)) throw EditorError(*failure);
    SendScintilla(SCI_SETSAVEPOINT);
}

void maxEdit::InsertFileAt(const QString& path, const EditorPosition& position, int codePage) {
    textfile::TextFormat format;
    const std::string bytes = readText(path, format, codePage);
    const auto length = static_cast<std::uint64_t>(SendScintilla(SCI_GETLENGTH));
    if (length + bytes.size() > textfile::kMaxTextBytes) throw tooLarge(path, length + bytes.size(), false);
    const long pos = SendScintilla(SCI_FINDCOLUMN, position.LineNo, position.ColNo);
    // Through the target, with a length, so NUL bytes go in too.
    SendScintilla(SCI_SETTARGETRANGE, pos, pos);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.data());
}

bool maxEdit::ModifiedFlag() const { return isModified(); }

void maxEdit::ResetForNewDocument() {
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);
}

bool maxEdit::CanUndo() const { return isUndoAvailable(); }
bool maxEdit::CanRedo() const { return isRedoAvailable(); }
bool maxEdit::CanCut() const { return hasSelectedText() && !isReadOnly(); }
bool maxEdit::CanCopy() const { return hasSelectedText(); }
bool maxEdit::CanPaste() const { return const_cast<maxEdit*>(this)->SendScintilla(SCI_CANPASTE) != 0; }
void maxEdit::Undo() { undo(); }
void maxEdit::Redo() { redo(); }
void maxEdit::Cut() { cut(); }
void maxEdit::Copy() { copy(); }
void maxEdit::Paste() { paste(); }


void maxEdit::MarkedLine(int line) {
    if (markerHandle_ >= 0) markerDeleteHandle(markerHandle_);
    markerHandle_ = markerAdd(line, kMarkMarker);
    setCursorPosition(line, 0);
}

int maxEdit::markedLine() const { return markerHandle_ < 0 ? -1 : markerLine(markerHandle_); }

void maxEdit::RevealLine(int line, bool) { ensureLineVisible(line); }

EditorRange maxEdit::GetSelectionRange(bool) const {
    EditorRange r;
    if (hasSelectedText()) {
        getSelection(&r.StartLineNo, &r.StartColNo, &r.EndLineNo, &r.EndColNo);
    } else {
        getCursorPosition(&r.StartLineNo, &r.StartColNo);
        r.EndLineNo = r.StartLineNo;
        r.EndColNo = r.StartColNo;
    }
    return r;
}

}  // namespace quill
