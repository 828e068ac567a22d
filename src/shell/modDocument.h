#pragma once
// The open script's identity and modified flag, and the File commands.

#include <QString>

namespace quill::modDocument {

QString CurrentFileName();
bool IsModified();

void SetStatusText(const QString& message);
void SetModified(bool flag);
void ResetDocumentState();

void NewDocument();
void OpenDocument();
void LoadDocument(const QString& fileName);
// True when the script was written to its file.
bool SaveDocument();
bool SaveDocumentAs();

}  // namespace quill::modDocument
