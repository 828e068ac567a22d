#include "shell/maxEdit.h"

#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>

#include "shell/codepage.h"
#include "shell/file_io.h"

#include <algorithm>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMetaMethod>
#include <utility>

namespace quill {
namespace {

constexpr int kMarkMarker = 1;

// QScintilla's accessibility interface turns the caret's byte position into a
// character offset by counting from the start of the text, at every update of
// the screen: near the end of a 100 MB script each key cost a second. While
// no assistive technology listens, the editor gets a plain one that answers
// what a plain editable widget does; once one listens, the plain ones go and
// QScintilla's full interface takes their place at the next query.
class PlainWhileNobodyListens : public QAccessible::ActivationObserver {
public:
    static void install() { static PlainWhileNobodyListens observer; }

private:
    PlainWhileNobodyListens() {
        // Factories installed later are asked first.
        QAccessible::installFactory(&plainInterface);
        QAccessible::installActivationObserver(this);
    }
    static QAccessibleInterface* plainInterface(const QString& className, QObject* object) {
        if (listening() || className != QLatin1String(maxEdit::staticMetaObject.className()) || !object->isWidgetType())
            return nullptr;
        auto* widget = static_cast<QWidget*>(object);
        plainOnes().append(widget);
        return new QAccessibleWidget(widget, QAccessible::EditableText);
    }
    static bool& listening() {
        static bool active = QAccessible::isActive();
        return active;
    }
    void accessibilityActiveChanged(bool active) override {
        listening() = active;
        if (!active) return;
        for (const QPointer<QWidget>& widget : std::exchange(plainOnes(), {}))
            if (widget)
                if (QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(widget))
                    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(plain));
    }
    static QList<QPointer<QWidget>>& plainOnes() {
        static QList<QPointer<QWidget>> widgets;
        return widgets;
    }
};

const char* const kModifiedSignal = SIGNAL(SCN_MODIFIED(int, int, const char*, int, int, int, int, int, int, int));

bool isTextNotice(const QMetaMethod& signal) {
    return signal == QMetaMethod::fromSignal(&QsciScintilla::textChanged) ||
           signal == QMetaMethod::fromSignal(&QsciScintilla::linesChanged) ||
           signal == QMetaMethod::fromSignal(&QsciScintillaBase::SCN_MODIFIED);
}

EditorError noMemory(const QString& path) {
    return EditorError(QStringLiteral("there is not enough memory to load \"%1\"").arg(path).toStdString());
}

EditorError tooLarge(const QString& path, std::uint64_t textBytes, bool atLeast) {
    return EditorError(
        QStringLiteral("\"%1\" is too large to open: its text takes %2%3 bytes, and the editor holds at most %4 bytes")
            .arg(path, atLeast ? QStringLiteral("at least ") : QString())
            .arg(textBytes)
            .arg(textfile::kMaxTextBytes)
            .toStdString());
}

// Refuses, unread, a file whose size alone shows that its text would not fit
// the editor.
fileio::ReadCheck sizeCheckFor(const QString& path) {
    return [path](std::uint64_t size, std::string_view head) -> fileio::Failure {
        const std::uint64_t least = textfile::leastTextBytes(size, head);
        if (least > textfile::kMaxTextBytes) return tooLarge(path, least, true).what();
        return std::nullopt;
    };
}

// A whole file as the editor's UTF-8 text, with its format. A file whose text
// the editor could not hold is refused before it is read, where its size
// alone tells, and otherwise before anything is shown.
std::string readText(const QString& path, textfile::TextFormat& format, int codePage) {
    const std::string name = path.toStdString();
    std::string bytes, error;
    try {
        if (const fileio::Failure failure = fileio::readFile(name, bytes, sizeCheckFor(path)))
            throw EditorError(*failure);
        if (!textfile::decodeFileInPlace(bytes, format, error, codePage))
            throw EditorError("\"" + name + "\" " + error);
    } catch (const std::bad_alloc&) { throw noMemory(path); } catch (const std::length_error&) {
        throw noMemory(path);
    }
    if (bytes.size() > textfile::kMaxTextBytes) throw tooLarge(path, bytes.size(), false);
    return bytes;
}

// A document of the component's own, filled by a hidden editor that shows it
// and nothing else: with its notices off and no undo record, the text goes in
// without any of the work that an edit of the shown script does. It stays
// shown there until the editor that adopts it shows it too, so that QScintilla
// never has to keep it alive on its own.
class LoadedDocument {
public:
    explicit LoadedDocument(QsciScintilla* host) : host_(host) {}
    LoadedDocument(const LoadedDocument&) = delete;
    LoadedDocument& operator=(const LoadedDocument&) = delete;
    ~LoadedDocument() {
        if (!taken_) drop();
    }

    // A new, empty text with room for `bytes`, and some for typing: a text
    // filled to the last byte of its room is moved whole into a larger one
    // at the first key; false when there is no memory.
    bool start(std::uint64_t bytes) {
        drop();
        host_->setDocument(document_);
        host_->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0L);
        return tried([&] {
            host_->SendScintilla(QsciScintillaBase::SCI_ALLOCATE, static_cast<unsigned long>(bytes + kTypingRoom));
        });
    }
    bool add(std::string_view utf8) {
        return tried([&] {
            host_->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()),
                                 utf8.data());
        });
    }
    QsciDocument take() {
        // The room left (the gap of Scintilla's buffers) follows the last
        // text added, at the end; the first key, at the start where the caret
        // is, would move the whole text over it. One byte put in and taken
        // out at the start, with no undo record, brings the room there now.
        tried([&] {
            host_->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, " ");
            host_->SendScintilla(QsciScintillaBase::SCI_DELETERANGE, 0UL, 1L);
        });
        taken_ = true;
        return document_;
    }
    // The text goes, and the host shows an empty one of its own.
    void drop() {
        document_ = QsciDocument();
        host_->setDocument(QsciDocument());
    }

private:
    static constexpr std::uint64_t kTypingRoom = 1 << 20;

    template <class Step>
    static bool tried(const Step& step) {
        try {
            step();
            return true;
        } catch (const std::bad_alloc&) { return false; }
    }

    QsciScintilla* host_;
    QsciDocument document_;
    bool taken_ = false;
};

// The file at `path` as the editor's UTF-8 text, in a new document, with its
// format. The text goes to the document a piece at a time as it is read and
// decoded; whatever goes wrong, nothing of the editor's own is touched.
QsciDocument loadDocument(QsciScintilla* host, const QString& path, textfile::TextFormat& format, int codePage) {
    const std::string name = path.toStdString();
    LoadedDocument document(host);
    try {
        fileio::Reader reader;
        if (const fileio::Failure failure = reader.open(name, sizeCheckFor(path))) throw EditorError(*failure);
        const auto nextPiece = [&](std::string& piece) {
            if (const fileio::Failure failure = reader.next(piece)) throw EditorError(*failure);
            return !piece.empty();
        };
        // Counts the text against the editor's limit; past it, the rest is
        // only counted, for the message.
        std::uint64_t textBytes = 0;
        const auto give = [&](std::string_view utf8) {
            textBytes += utf8.size();
            if (textBytes > textfile::kMaxTextBytes) return document.drop();
            if (!document.add(utf8)) throw noMemory(path);
        };
        std::string piece;
        nextPiece(piece);
        const std::string_view mark = std::string_view(piece).substr(0, 2);
        const bool utf16 = mark == "\xFF\xFE" || mark == "\xFE\xFF";
        bool done = false;
        if (!utf16) {
            // Most scripts are UTF-8 (ASCII is): their bytes are the text.
            // The document's room is only made once the first piece passes,
            // as a file that is not UTF-8 mostly shows it at once and making
            // room for the whole text costs as much as the reading.
            const bool bom = piece.compare(0, 3, "\xEF\xBB\xBF") == 0;
            std::string_view text = piece;
            if (bom) text.remove_prefix(3);
            textfile::Utf8Check check;
            if (check.add(text)) {
                if (!document.start(reader.reportedSize() + 1)) throw noMemory(path);
                do {
                    give(text);
                    if (!nextPiece(piece)) break;
                    text = piece;
                } while (check.add(text));
            }
            done = check.valid();
            if (done) format = {textfile::Encoding::Utf8, bom};
            else
                textBytes = 0;
        }
        if (!done && !utf16 && codePage == codepage::kWestern) {
            // Not UTF-8: every byte is one Windows-1252 character. The text's
            // size is counted first, so that its room is made once and no
            // larger than the text needs.
            reader.rewind();
            std::uint64_t size = 0;
            while (nextPiece(piece)) size += textfile::windows1252Utf8Size(piece);
            reader.rewind();
            if (!document.start(size)) throw noMemory(path);
            std::string text;
            while (nextPiece(piece)) {
                text.clear();
                textfile::appendWindows1252(piece, text);
                give(text);
            }
            format = {textfile::Encoding::Windows1252, false};
            done = true;
        }
        if (!done) {
            // UTF-16, and the user's code page, are read whole, as the
            // format of such a file is only known from all of it.
            reader.rewind();
            std::string bytes, error;
            while (nextPiece(piece)) bytes.append(piece);
            if (!textfile::decodeFileInPlace(bytes, format, error, codePage))
                throw EditorError("\"" + name + "\" " + error);
            if (bytes.size() > textfile::kMaxTextBytes) throw tooLarge(path, bytes.size(), false);
            textBytes = 0;
            if (!document.start(bytes.size() + 1)) throw noMemory(path);
            for (std::size_t from = 0; from < bytes.size(); from += fileio::Reader::kPiece)
                give(std::string_view(bytes).substr(from, fileio::Reader::kPiece));
        }
        if (textBytes > textfile::kMaxTextBytes) throw tooLarge(path, textBytes, false);
    } catch (const std::bad_alloc&) { throw noMemory(path); } catch (const std::length_error&) {
        throw noMemory(path);
    }
    return document.take();
}

}  // namespace

maxEdit::maxEdit(QWidget* parent) : QsciScintilla(parent) {
    PlainWhileNobodyListens::install();
    setUtf8(true);
    setEolMode(EolWindows);
    markerDefine(QsciScintilla::RightArrow, kMarkMarker);
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this, [this](int position, int type, const char*, int length) {
        if (!(type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE))) return;
        ++textVersion_;
        const auto at = static_cast<std::size_t>(position);
        const auto after = static_cast<std::size_t>(SendScintilla(SCI_GETLENGTH)) - at -
                           (type & SC_MOD_BEFOREDELETE ? static_cast<std::size_t>(length) : 0);
        sameHead_ = std::min(sameHead_, at);
        sameTail_ = std::min(sameTail_, after);
        if (noticesOn_ && !heard()) setNotices(false);
    });
    // Scintilla reports reaching the save point even when it was never left
    // (a load or a reset of an unmodified document); only real changes of
    // the state reach the listeners.
    connect(this, &QsciScintilla::modificationChanged, this, [this](bool) {
        const bool now = ModifiedFlag();
        if (now == lastModified_) return;
        lastModified_ = now;
        emit ModifiedChange(this);
    });
    ownModifiedReceivers_ = receivers(kModifiedSignal);
    setNotices(heard());
}

void maxEdit::connectNotify(const QMetaMethod& signal) {
    QsciScintilla::connectNotify(signal);
    if (ownModifiedReceivers_ >= 0 && isTextNotice(signal)) setNotices(true);
}

void maxEdit::keyPressEvent(QKeyEvent* event) {
    // Tab stays a tab character; Ctrl+Tab and Ctrl+Shift+Tab move the focus
    // along the window's tab order, as Qt's own editors that keep Tab do.
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && event->modifiers().testFlag(Qt::ControlModifier)) {
        const bool back = event->key() == Qt::Key_Backtab || event->modifiers().testFlag(Qt::ShiftModifier);
        QAbstractScrollArea::focusNextPrevChild(!back);
        return;
    }
    QsciScintilla::keyPressEvent(event);
}

bool maxEdit::heard() const {
    return isSignalConnected(QMetaMethod::fromSignal(&QsciScintilla::textChanged)) ||
           isSignalConnected(QMetaMethod::fromSignal(&QsciScintilla::linesChanged)) ||
           receivers(kModifiedSignal) > ownModifiedReceivers_;
}

void maxEdit::setNotices(bool on) {
    // QScintilla hands every insertion and deletion to its accessibility
    // layer, which counts the characters from the start of the text up to the
    // change each time: a key typed near the end of a 100 MB script took a
    // second. So the insertion and deletion notices, and with them
    // textChanged and linesChanged, are sent only while something outside
    // listens to one of the three signals (a listener's going is seen at the
    // next change); otherwise Scintilla sends only what the editor itself
    // needs: the notices before each change, which skip that layer and count
    // the changes, and QsciScintilla's fold changes. Scintilla sends a
    // notification when any bit of its kind is in the mask, "done by the
    // user" included, so the mask names kinds only.
    noticesOn_ = on;
    const int quiet = SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE | SC_MOD_CHANGEFOLD;
    SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(on ? SC_MODEVENTMASKALL : quiet));
}

maxEdit::~maxEdit() = default;

std::string_view maxEdit::bytes() const {
    // The editor's own buffer, in place: no copy of a large script is made.
    auto* self = const_cast<maxEdit*>(this);
    const auto length = static_cast<std::size_t>(self->SendScintilla(SCI_GETLENGTH));
    const auto* chars = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
    return std::string_view(chars, length);
}

textfile::TextRuns maxEdit::textRuns() const {
    // Scintilla keeps the text in two parts around a gap where the last edit
    // was. Split at the start of the gap's line: the first run lies wholly
    // before the gap and needs no move; the second is made whole by moving
    // the gap back over the few bytes of that line before it.
    auto* self = const_cast<maxEdit*>(this);
    const long length = self->SendScintilla(SCI_GETLENGTH);
    const long gap = self->SendScintilla(SCI_GETGAPPOSITION);
    const long split = self->SendScintilla(SCI_POSITIONFROMLINE, self->SendScintilla(SCI_LINEFROMPOSITION, gap));
    const auto* tail = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETRANGEPOINTER, split, length - split));
    const auto* head = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETRANGEPOINTER, 0L, split));
    return {std::string_view(head, static_cast<std::size_t>(split)),
            std::string_view(tail, static_cast<std::size_t>(length - split))};
}

textfile::ChangedLines maxEdit::takeChangedLines(std::optional<quint64> since) {
    const auto length = static_cast<std::size_t>(SendScintilla(SCI_GETLENGTH));
    textfile::ChangedLines changed;
    if (since && since == recordVersion_) {
        // From the start of the line of the first changed byte to the end of
        // the line of the last one; a line break counts with its line.
        const std::size_t head = std::min(sameHead_, length), tail = std::min(sameTail_, length - head);
        const long first = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(head));
        const long last = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(length - tail));
        changed.whole = false;
        changed.from = static_cast<std::size_t>(SendScintilla(SCI_POSITIONFROMLINE, first));
        const std::size_t to = last + 1 < LineCount()
                                   ? static_cast<std::size_t>(SendScintilla(SCI_POSITIONFROMLINE, last + 1))
                                   : length;
        changed.oldSize = to - changed.from + recordLength_ - length;
        const auto* text = reinterpret_cast<const char*>(SendScintilla(
            SCI_GETRANGEPOINTER, static_cast<unsigned long>(changed.from), static_cast<long>(to - changed.from)));
        changed.text = {std::string_view(text, to - changed.from), {}};
    } else {
        changed.text = textRuns();
    }
    recordVersion_ = textVersion_;
    recordLength_ = length;
    sameHead_ = sameTail_ = length;
    return changed;
}

void maxEdit::adoptDocument(const QsciDocument& document) {
    ++textVersion_;
    recordVersion_.reset();
    // What Scintilla keeps with the document rather than the view goes over
    // to the new one, so the editor looks and behaves as it did.
    const long codePage = SendScintilla(SCI_GETCODEPAGE);
    const long eolMode = SendScintilla(SCI_GETEOLMODE);
    const long tabWidth = SendScintilla(SCI_GETTABWIDTH);
    const long indent = SendScintilla(SCI_GETINDENT);
    const long useTabs = SendScintilla(SCI_GETUSETABS);
    const long tabIndents = SendScintilla(SCI_GETTABINDENTS);
    const long backspaceUnindents = SendScintilla(SCI_GETBACKSPACEUNINDENTS);
    const long readOnly = SendScintilla(SCI_GETREADONLY);
    const long lexer = SendScintilla(SCI_GETLEXER);
    const long lineEnds = SendScintilla(SCI_GETLINEENDTYPESALLOWED);
    const bool marked = markedLine() >= 0;
    setDocument(document);
    SendScintilla(SCI_SETCODEPAGE, static_cast<unsigned long>(codePage));
    SendScintilla(SCI_SETEOLMODE, static_cast<unsigned long>(eolMode));
    SendScintilla(SCI_SETTABWIDTH, static_cast<unsigned long>(tabWidth));
    SendScintilla(SCI_SETINDENT, static_cast<unsigned long>(indent));
    SendScintilla(SCI_SETUSETABS, static_cast<unsigned long>(useTabs));
    SendScintilla(SCI_SETTABINDENTS, static_cast<unsigned long>(tabIndents));
    SendScintilla(SCI_SETBACKSPACEUNINDENTS, static_cast<unsigned long>(backspaceUnindents));
    SendScintilla(SCI_SETREADONLY, static_cast<unsigned long>(readOnly));
    if (SendScintilla(SCI_GETLEXER) != lexer) SendScintilla(SCI_SETLEXER, static_cast<unsigned long>(lexer));
    SendScintilla(SCI_SETLINEENDTYPESALLOWED, static_cast<unsigned long>(lineEnds));
    // Replacing the text kept the jump mark, merged into the first line.
    markerHandle_ = marked ? markerAdd(0, kMarkMarker) : -1;
    SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_GOTOPOS, 0L);
}

QString maxEdit::Text() const {
    const std::string_view text = bytes();
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void maxEdit::Text(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    SendScintilla(SCI_CLEARALL);
    if (!bytes.isEmpty()) SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
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
    // Only that line is made whole inside the editor, not the whole text.
    const auto* chars = reinterpret_cast<const char*>(self->SendScintilla(SCI_GETRANGEPOINTER, start, end - start));
    return QString::fromUtf8(chars, static_cast<qsizetype>(end - start));
}

textfile::TextFormat maxEdit::LoadFile(const QString& path, int codePage) {
    // The loader is asked of a hidden editor of its own: asking it of this
    // one would reset this one's line bookkeeping even when the load fails.
    if (!loaderHost_) {
        loaderHost_ = std::make_unique<QsciScintilla>();
        loaderHost_->SendScintilla(SCI_SETMODEVENTMASK, 0L);
    }
    textfile::TextFormat format;
    adoptDocument(loadDocument(loaderHost_.get(), path, format, codePage));
    // Now that this editor shows the text, the host lets go of it.
    loaderHost_->setDocument(QsciDocument());
    SendScintilla(SCI_SETSAVEPOINT);
    return format;
}

QString maxEdit::Unwritable(const textfile::TextFormat& format) const {
    std::string error;
    if (!textfile::canEncode(textRuns(), format, error)) return QString::fromStdString(error);
    // A save that follows with the text and format unchanged need not check
    // the whole text again.
    checkedWritable_ = textVersion_;
    checkedFormat_ = format;
    return {};
}

void maxEdit::SaveToFile(const QString& path, const textfile::TextFormat& format) {
    // Read where it lies: one run would first move everything after the last
    // edit, or copy the whole text to make room after a load.
    const textfile::TextRuns text = textRuns();
    std::string error;
    // Refused before the disk is touched.
    const bool checked = checkedWritable_ == textVersion_ && checkedFormat_ == format;
    if (!checked && !textfile::canEncode(text, format, error)) throw EditorError("the script was not saved: " + error);
    const auto encoded = [&](const fileio::Put& put) { return textfile::encodePieces(text, format, put, error); };
    if (const fileio::Failure failure = fileio::writeFile(path.toStdString(), encoded)) throw EditorError(*failure);
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
