#include "shell/modDocument.h"

#include <QLabel>

#include "shell/Prompter.h"
#include "shell/frmMain.h"
#include "shell/maxEdit.h"

namespace quill::modDocument {
namespace {

QString currentFileName;
bool isModified = false;

}  // namespace

QString CurrentFileName() { return currentFileName; }
bool IsModified() { return isModified; }

void SetStatusText(const QString& message) {
    if (auto* w = frmMain::instance()) w->panel(QStringLiteral("_general"))->setText(message);
}

void SetModified(bool flag) {
    if (auto* w = frmMain::instance()) w->panel(QStringLiteral("_modified"))->setText(flag ? QStringLiteral("Modified") : QString());
    isModified = flag;
}

void ResetDocumentState() {
    currentFileName.clear();
    SetModified(false);
}

void NewDocument() {
    auto* w = frmMain::instance();
    if (!w) return;
    w->maxEdit->setText(QString());
    w->maxEdit->ResetForNewDocument();
    w->setWindowTitle(QStringLiteral("Tarnhollow's Mir 2 Quillmoor : v3.1 : [Untitled NPC]"));
    ResetDocumentState();
}

void OpenDocument() {
    auto* w = frmMain::instance();
    if (!w) return;
    const QString path = Prompter::current().openFile(w, QStringLiteral("Select NPC File to open.."),
                                                      QStringLiteral("Text Files (*.txt)"), QStringLiteral("/"));
    if (!path.isEmpty()) LoadDocument(path);
}

void LoadDocument(const QString& fileName) {
    auto* w = frmMain::instance();
    try {
        w->maxEdit->LoadFile(fileName);
        currentFileName = fileName;
        SetModified(false);
        SetStatusText(QStringLiteral("File Opened Succesfully"));
        w->setWindowTitle(QStringLiteral("Legend Of Mir : Quillmoor : v3 : [") + fileName + u']');
    } catch (const EditorError& e) {
        SetStatusText(QStringLiteral("There was an error trying to open the selected file: ") + QString::fromStdString(e.what()));
    }
}

bool SaveDocument() {
    if (currentFileName.isEmpty()) return SaveDocumentAs();
    try {
        frmMain::instance()->maxEdit->SaveToFile(currentFileName, true);
    } catch (const EditorError& e) {
        SetStatusText(QStringLiteral("There was an error trying to save the script: ") + QString::fromStdString(e.what()));
        return false;
    }
    SetStatusText(QStringLiteral("The script has been saved successfully."));
    return true;
}

bool SaveDocumentAs() {
    const QString path = Prompter::current().saveFile(frmMain::instance(), QStringLiteral("Enter filename for this script.."),
                                                      QStringLiteral("(*.*) All Files (*.*)"), QString());
    if (path.isEmpty()) {
        SetStatusText(QStringLiteral("Script saving cancelled - no filename entered."));
        return false;
    }
    const QString previous = currentFileName;
    currentFileName = path;
    if (!SaveDocument()) {
        currentFileName = previous;
        return false;
    }
    return true;
}

}  // namespace quill::modDocument
