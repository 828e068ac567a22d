#pragma once
// The open script's identity and modified flag, and the File commands. The
// rules live in document::Document (Qt-free); this module binds it to the
// editor, caption and status bar of the window that holds the script and to
// the Prompter seam.

#include <QString>

class QWidget;

namespace quill {
class ScriptHost;
}

namespace quill::modDocument {

// The window whose script the commands act on, from now on; the commands do
// nothing to a window that has been destroyed.
void SetHost(ScriptHost* host);
// The program's ANSI code page (the user's language's, read once at
// start-up), which files that are not Unicode are tried in before
// Windows-1252; Windows-1252 alone until it is set.
void SetCodePage(int codePage);

QString CurrentFileName();
bool IsModified();

void SetStatusText(const QString& message);
void SetModified(bool flag);
void ResetDocumentState();

// False when New stopped: the question was closed without an answer, or the
// save the user asked for did not happen.
bool NewDocument();
// False when the script must not be discarded (see document::Document).
// New and Open ask it inside the document; this is the module's interface for
// callers to come.
bool AskToSave();
void OpenDocument();
// True when the file was loaded.
bool LoadDocument(const QString& fileName);
// True when the script was written to its file.
bool SaveDocument();
bool SaveDocumentAs();
// File > Insert File..: the chosen file's contents go in at the end of the
// selection.
void InsertFile();

// A modal open (`DialogKind` 0) or save dialog; the chosen full path in
// native form, or the empty text when cancelled or failed. `Filter` pairs a
// description and a pattern with "¬" between them.
QString ShowFileDialog(QWidget* Owner, qint32 DialogKind, const QString& Title, const QString& DefaultFile,
                       const QString& Filter, const QString& InitialDir, const QString& DefExt);

}  // namespace quill::modDocument
