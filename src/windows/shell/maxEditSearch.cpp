// The editor's own commands: search, replace, go to line, select a span.

#include <QApplication>
#include <QLineEdit>

#include "shell/FindDialog.h"
#include "shell/maxEdit.h"

namespace quill {

void maxEdit::RunCommand(int command, int) {
    switch (command) {
        case ecFind: openFindDialog(false); break;
        case ecReplace: openFindDialog(true); break;
        case ecFindNext:
        case ecFindPrevious:
            if (!hasSearch_) openFindDialog(false);
            else if (!FindText(search_, command == ecFindNext))
                QApplication::beep();
            break;
        case ecGoToLine: {
            GoToLineDialog dialog(LineCount(), window());
            if (dialog.exec() == QDialog::Accepted) GoToLine(dialog.lineNumber());
            break;
        }
        default: break;
    }
}

void maxEdit::openFindDialog(bool replace) {
    if (!findDialog_) findDialog_ = new FindDialog(this, window());
    FindDialog* dialog = findDialog_;
    dialog->setReplaceMode(replace);
    // Start from the selected text when it is a single line, else the last search.
    const QString selected = selectedText();
    if (!selected.isEmpty() && !selected.contains(QLatin1Char('\n')) && !selected.contains(QLatin1Char('\r')))
        dialog->txtFind->setText(selected);
    else if (hasSearch_ && dialog->txtFind->text().isEmpty())
        dialog->txtFind->setText(search_.text);
    dialog->txtFind->selectAll();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->txtFind->setFocus();
}

void maxEdit::SelectionSpan(const QString& length) {
    bool ok = false;
    const long units = length.toLong(&ok);
    if (!ok || units < 0) return;
    const long total = SendScintilla(SCI_GETLENGTH);
    const long end = units == 0 ? 0 : SendScintilla(SCI_POSITIONRELATIVECODEUNITS, 0L, units);
    // A count beyond the text (or one that ends inside a character) selects it all.
    SendScintilla(SCI_SETSEL, 0L, end == 0 && units != 0 ? total : end);
}

long maxEdit::searchIn(const QByteArray& what, int flags, long from, long to) {
    SendScintilla(SCI_SETSEARCHFLAGS, static_cast<unsigned long>(flags));
    SendScintilla(SCI_SETTARGETRANGE, from, to);
    return SendScintilla(SCI_SEARCHINTARGET, static_cast<unsigned long>(what.size()), what.constData());
}

namespace {
int searchFlags(const SearchOptions& o) {
    return (o.matchCase ? QsciScintilla::SCFIND_MATCHCASE : 0) | (o.wholeWord ? QsciScintilla::SCFIND_WHOLEWORD : 0);
}
}  // namespace

bool maxEdit::FindText(const SearchOptions& options, bool forward) {
    if (options.text.isEmpty()) return false;
    search_ = options;
    hasSearch_ = true;
    const QByteArray what = options.text.toUtf8();
    const int flags = searchFlags(options);
    const long length = SendScintilla(SCI_GETLENGTH);
    const long selStart = SendScintilla(SCI_GETSELECTIONSTART);
    const long selEnd = SendScintilla(SCI_GETSELECTIONEND);
    long found = forward ? searchIn(what, flags, selEnd, length) : searchIn(what, flags, selStart, 0);
    if (found < 0 && options.wrap)
        found = forward ? searchIn(what, flags, 0, length) : searchIn(what, flags, length, 0);
    if (found < 0) return false;
    const long end = SendScintilla(SCI_GETTARGETEND);
    SendScintilla(SCI_SETSEL, found, end);
    SendScintilla(SCI_SCROLLRANGE, end, found);
    return true;
}

bool maxEdit::ReplaceSelection(const SearchOptions& options) {
    if (options.text.isEmpty()) return false;
    const QByteArray what = options.text.toUtf8();
    const long selStart = SendScintilla(SCI_GETSELECTIONSTART);
    const long selEnd = SendScintilla(SCI_GETSELECTIONEND);
    bool replaced = false;
    if (selEnd > selStart && searchIn(what, searchFlags(options), selStart, selEnd) == selStart &&
        SendScintilla(SCI_GETTARGETEND) == selEnd) {
        const QByteArray with = options.replacement.toUtf8();
        SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(with.size()), with.constData());
        // The next search must not find the match inside the replacement:
        // upwards it starts before the new text, downwards after it.
        const long caret = options.down ? selStart + with.size() : selStart;
        SendScintilla(SCI_SETSEL, caret, caret);
        replaced = true;
    }
    const bool found = FindText(options, options.down);
    return replaced || found;
}

int maxEdit::ReplaceAll(const SearchOptions& options) {
    if (options.text.isEmpty()) return 0;
    search_ = options;
    hasSearch_ = true;
    const QByteArray what = options.text.toUtf8();
    const QByteArray with = options.replacement.toUtf8();
    const int flags = searchFlags(options);
    int count = 0;
    long from = 0;
    SendScintilla(SCI_BEGINUNDOACTION);
    for (;;) {
        const long found = searchIn(what, flags, from, SendScintilla(SCI_GETLENGTH));
        if (found < 0) break;
        SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(with.size()), with.constData());
        from = found + with.size();
        ++count;
    }
    SendScintilla(SCI_ENDUNDOACTION);
    return count;
}

bool maxEdit::GoToLine(int lineNumber) {
    if (lineNumber < 1 || lineNumber > LineCount()) return false;
    setCursorPosition(lineNumber - 1, 0);
    ensureLineVisible(lineNumber - 1);
    setFocus();
    return true;
}

FindDialog* maxEdit::findDialog() const { return findDialog_.data(); }

}  // namespace quill
