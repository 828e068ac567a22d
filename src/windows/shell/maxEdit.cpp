#include "shell/maxEdit.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>

#include "shell/file_io.h"

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

// The text of a file as it is read, counted against the room the editor has
// left for it; past that room the rest is only counted, for the message.
class EditorText : public textfile::TextSink {
public:
    explicit EditorText(std::uint64_t room) : room_(room) {}
    void begin(std::uint64_t bytes) override {
        used_ = 0;
        start(std::min(bytes, room_) + 1);
    }
    void add(std::string_view utf8) override {
        used_ += utf8.size();
        if (used_ > room_) return drop();
        if (!utf8.empty()) put(utf8);
    }

    // Reads the file at `path` in `codePage`, the program's ANSI code page;
    // a file whose text would not fit is refused, unread when its size
    // alone tells.
    textfile::TextFormat read(const QString& path, int codePage) {
        const std::uint64_t held = textfile::kMaxTextBytes - room_;
        const auto sizeCheck = [&](std::uint64_t size, std::string_view head) -> fileio::Failure {
            const std::uint64_t least = textfile::leastTextBytes(size, head);
            if (least > room_) return tooLarge(path, held + least, true).what();
            return std::nullopt;
        };
        textfile::TextFormat format;
        try {
            if (const fileio::Failure failure =
                    textfile::readText(path.toStdString(), codePage, format, *this, sizeCheck))
                throw EditorError(*failure);
        } catch (const std::bad_alloc&) { throw noMemory(path); } catch (const std::length_error&) {
            throw noMemory(path);
        }
        if (used_ > room_) throw tooLarge(path, held + used_, false);
        return format;
    }

protected:
    // A new, empty text with room for `bytes`.
    virtual void start(std::uint64_t bytes) = 0;
    virtual void put(std::string_view utf8) = 0;
    virtual void drop() = 0;

private:
    std::uint64_t room_;
    std::uint64_t used_ = 0;
};

// A document of the component's own, filled by a hidden editor that shows it
// and nothing else: with its notices off and no undo record, the text goes in
// without any of the work that an edit of the shown script does. It stays
// shown there until the editor that adopts it shows it too, so that QScintilla
// never has to keep it alive on its own.
class LoadedDocument : public EditorText {
public:
    explicit LoadedDocument(QsciScintilla* host) : EditorText(textfile::kMaxTextBytes), host_(host) {}
    LoadedDocument(const LoadedDocument&) = delete;
    LoadedDocument& operator=(const LoadedDocument&) = delete;
    ~LoadedDocument() override {
        if (!taken_) drop();
    }

    QsciDocument take() {
        // The room left (the gap of Scintilla's buffers) follows the last
        // text added, at the end; the first key, at the start where the caret
        // is, would move the whole text over it. One byte put in and taken
        // out at the start, with no undo record, brings the room there now.
        try {
            host_->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, 0UL, " ");
            host_->SendScintilla(QsciScintillaBase::SCI_DELETERANGE, 0UL, 1L);
        } catch (const std::bad_alloc&) {
            // Without the room the first key is only slower.
        }
        taken_ = true;
        return document_;
    }

private:
    static constexpr std::uint64_t kTypingRoom = 1 << 20;

    // Room for some typing too: a text filled to the last byte of its room is
    // moved whole into a larger one at the first key. A failure to find the
    // memory throws std::bad_alloc, which read() reports.
    void start(std::uint64_t bytes) override {
        drop();
        host_->setDocument(document_);
        host_->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0L);
        host_->SendScintilla(QsciScintillaBase::SCI_ALLOCATE, static_cast<unsigned long>(bytes + kTypingRoom));
    }
    void put(std::string_view utf8) override {
        host_->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
    }
    // The text goes, and the host shows an empty one of its own.
    void drop() override {
        document_ = QsciDocument();
        host_->setDocument(QsciDocument());
    }

    QsciScintilla* host_;
    QsciDocument document_;
    bool taken_ = false;
};

// Text gathered whole, to go into the editor's own.
class InsertedText : public EditorText {
public:
    using EditorText::EditorText;
    std::string text;

private:
    void start(std::uint64_t bytes) override {
        text.clear();
        text.reserve(static_cast<std::size_t>(bytes));
    }
    void put(std::string_view utf8) override { text.append(utf8); }
    void drop() override { std::string().swap(text); }
};

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
    // Whatever goes wrong, nothing of the editor's own is touched.
    if (!loaderHost_) {
        loaderHost_ = std::make_unique<QsciScintilla>();
        loaderHost_->SendScintilla(SCI_SETMODEVENTMASK, 0L);
    }
    LoadedDocument document(loaderHost_.get());
    const textfile::TextFormat format = document.read(path, codePage);
    adoptDocument(document.take());
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
    InsertedText inserted(textfile::kMaxTextBytes - static_cast<std::uint64_t>(SendScintilla(SCI_GETLENGTH)));
    inserted.read(path, codePage);
    // The position is a line and a character in it, as the selection is
    // reported, not a column on the screen (a tab takes several).
    const long pos = positionFromLineIndex(position.LineNo, position.ColNo);
    // Through the target, with a length, so NUL bytes go in too.
    SendScintilla(SCI_SETTARGETRANGE, pos, pos);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(inserted.text.size()), inserted.text.data());
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
