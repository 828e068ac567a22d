#include "shell/maxEdit.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <new>
#include <stdexcept>

namespace quill {
namespace {

constexpr int kMarkMarker = 1;

QString fileErrorText(const QString& path, const QFile& file) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("the file \"%1\" does not exist").arg(path);
    if (info.isDir()) return QStringLiteral("\"%1\" is a folder, not a file").arg(path);
    if (!info.isReadable()) return QStringLiteral("permission to read \"%1\" was denied").arg(path);
    return QStringLiteral("\"%1\" could not be read: %2").arg(path, file.errorString());
}

// Reads a whole file into a byte string, one allocation, no text conversion.
std::string readAllBytes(const QString& path) {
    if (QFileInfo(path).isDir()) throw EditorError(QStringLiteral("\"%1\" is a folder, not a file").arg(path).toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw EditorError(fileErrorText(path, file).toStdString());
    std::string bytes;
    try {
        const qint64 size = file.size();
        bytes.resize(static_cast<std::size_t>(size));
        qint64 got = 0;
        while (got < size) {
            const qint64 n = file.read(bytes.data() + got, size - got);
            if (n <= 0) throw EditorError(fileErrorText(path, file).toStdString());
            got += n;
        }
    } catch (const std::bad_alloc&) {
        throw EditorError(QStringLiteral("there is not enough memory to load \"%1\"").arg(path).toStdString());
    }
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

std::string maxEdit::utf8Bytes() const {
    auto* self = const_cast<maxEdit*>(this);
    const auto length = static_cast<std::size_t>(self->SendScintilla(SCI_GETLENGTH));
    const auto* chars = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
    return std::string(chars, length);
}

QString maxEdit::Text() const {
    auto* self = const_cast<maxEdit*>(this);
    const auto length = static_cast<qsizetype>(self->SendScintilla(SCI_GETLENGTH));
    const auto* chars = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
    return QString::fromUtf8(chars, length);
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
    const auto* chars = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETRANGEPOINTER, start, end - start));
    return QString::fromUtf8(chars, end - start);
}

void maxEdit::LoadFile(const QString& path) {
    const auto noMemory = [&path] {
        return EditorError(QStringLiteral("there is not enough memory to load \"%1\"").arg(path).toStdString());
    };
    std::string bytes = readAllBytes(path);
    textfile::TextFormat format;
    try {
        format = textfile::decodeInPlace(bytes);
    } catch (const std::bad_alloc&) {
        throw noMemory();
    } catch (const std::length_error&) {
        throw noMemory();
    }
    // Room for the new text is made while the old text is still there, so a
    // file too large for memory leaves the editor as it was.
    SendScintilla(SCI_SETSTATUS, static_cast<unsigned long>(SC_STATUS_OK));
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(bytes.size() + 1));
    if (SendScintilla(SCI_GETSTATUS) == SC_STATUS_BADALLOC) {
        SendScintilla(SCI_SETSTATUS, static_cast<unsigned long>(SC_STATUS_OK));
        throw noMemory();
    }
    replaceAllBytes(bytes);
    format_ = format;
    SendScintilla(SCI_SETSAVEPOINT);
}

void maxEdit::SaveToFile(const QString& path, bool) {
    std::string out, error;
    if (!textfile::encode(utf8Bytes(), format_, out, error))
        throw EditorError("the script was not saved: " + error);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EditorError(QStringLiteral("\"%1\" could not be opened for writing: %2").arg(path, file.errorString()).toStdString());
    const qint64 written = file.write(out.data(), static_cast<qint64>(out.size()));
    if (written != static_cast<qint64>(out.size()) || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw EditorError(QStringLiteral("\"%1\" could not be written: %2").arg(path, why).toStdString());
    }
    if (!file.commit())
        throw EditorError(QStringLiteral("\"%1\" could not be written: %2").arg(path, file.errorString()).toStdString());
    SendScintilla(SCI_SETSAVEPOINT);
}

void maxEdit::InsertFileAt(const QString& path, const EditorPosition& position) {
    std::string bytes = readAllBytes(path);
    textfile::decodeInPlace(bytes);
    const long pos = SendScintilla(SCI_FINDCOLUMN, position.LineNo, position.ColNo);
    // Through the target, with a length, so NUL bytes go in too.
    SendScintilla(SCI_SETTARGETRANGE, pos, pos);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.data());
}

bool maxEdit::ModifiedFlag() const { return isModified(); }

void maxEdit::ResetForNewDocument() {
    format_ = {};
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
    int anchorLine = 0, anchorIndex = 0, caretLine = 0, caretIndex = 0;
    getCursorPosition(&caretLine, &caretIndex);
    if (hasSelectedText()) {
        getSelection(&r.StartLineNo, &r.StartColNo, &r.EndLineNo, &r.EndColNo);
    } else {
        anchorLine = caretLine;
        anchorIndex = caretIndex;
        r = {anchorLine, anchorIndex, caretLine, caretIndex};
    }
    return r;
}

}  // namespace quill
