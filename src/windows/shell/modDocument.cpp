#include "shell/modDocument.h"
#include "shell/QtText.h"

#include <QDir>
#include <QFileInfo>

#include "shell/Prompter.h"
#include "shell/ScriptHost.h"
#include "shell/codepage.h"
#include "shell/document.h"
#include "shell/maxEdit.h"

namespace quill::modDocument {
namespace {

ScriptHostRef host;
int codePage = codepage::kWestern;

maxEdit* editor() {
    ScriptHost* h = host.get();
    return h ? h->scriptEditor() : nullptr;
}

QWidget* owner() {
    ScriptHost* h = host.get();
    return h ? h->hostWindow() : nullptr;
}

class MainEditor : public document::Editor {
public:
    void clearText() override {
        if (auto* e = editor()) e->Text(QString());
    }
    bool textIs(std::string_view text) override {
        maxEdit* e = editor();
        // The length first, so a large script is not copied to be compared.
        return e && e->length() == static_cast<int>(text.size()) && e->Text() == qs(text);
    }
    void resetForNewDocument() override {
        if (auto* e = editor()) e->ResetForNewDocument();
    }
    document::Failure loadFile(const std::string& path, textfile::TextFormat& format) override {
        return call([&](maxEdit* e) { format = e->LoadFile(qs(path), codePage); });
    }
    document::Failure saveToFile(const std::string& path, const textfile::TextFormat& format) override {
        return call([&](maxEdit* e) { e->SaveToFile(qs(path), format); });
    }
    std::optional<std::string> unwritable(const textfile::TextFormat& format) override {
        maxEdit* e = editor();
        const QString why = e ? e->Unwritable(format) : QString();
        if (why.isEmpty()) return std::nullopt;
        return why.toStdString();
    }
    void selectionEnd(int& line, int& column) override {
        if (auto* e = editor()) {
            const EditorRange range = e->GetSelectionRange(false);
            line = range.EndLineNo;
            column = range.EndColNo;
        }
    }
    document::Failure insertFileAt(const std::string& path, int line, int column) override {
        return call([&](maxEdit* e) { e->InsertFileAt(qs(path), EditorPosition{line, column}, codePage); });
    }

private:
    template <typename F>
    static document::Failure call(F&& f) {
        maxEdit* e = editor();
        if (!e) return std::string("the main window is not open");
        try {
            f(e);
        } catch (const EditorError& error) { return std::string(error.what()); }
        return std::nullopt;
    }
};

class MainView : public document::View {
public:
    void setGeneralPanel(const std::string& text) override { setPanel(QStringLiteral("_general"), text); }
    void setModifiedPanel(const std::string& text) override { setPanel(QStringLiteral("_modified"), text); }
    void setCaption(const std::string& text) override {
        if (ScriptHost* h = host.get()) h->setCaption(qs(text));
    }

private:
    static void setPanel(const QString& key, const std::string& text) {
        if (ScriptHost* h = host.get()) h->setPanelText(key, qs(text));
    }
};

class MainDialogs : public document::Dialogs {
public:
    std::string showFileDialog(const document::FileDialogRequest& r) override {
        return ShowFileDialog(owner(), r.kind, qs(r.title), qs(r.defaultFile), qs(r.filter), qs(r.initialDir),
                              qs(r.defExt))
            .toStdString();
    }
    MsgBoxExResult msgBoxEx(const document::MsgBoxExRequest& r) override {
        return Prompter::current().msgBoxEx(owner(), qs(r.prompt), static_cast<MsgBoxExIcon>(r.icon),
                                            static_cast<MsgBoxExButtons>(r.buttons), qs(r.title), r.autoCloseSecs,
                                            static_cast<MsgBoxExPosition>(r.position), r.topMost, r.forceScroll);
    }
    bool askYesNo(const std::string& title, const std::string& prompt) override {
        return Prompter::current().ask(owner(), qs(title), qs(prompt), QMessageBox::Yes | QMessageBox::No,
                                       QMessageBox::Question, QMessageBox::No) == QMessageBox::Yes;
    }
};

document::Document& doc() {
    static MainEditor mainEditor;
    static MainView mainView;
    static MainDialogs mainDialogs;
    static document::Document document(mainEditor, mainView, mainDialogs);
    return document;
}

}  // namespace

void SetHost(ScriptHost* h) { host = h; }
void SetCodePage(int programCodePage) { codePage = programCodePage; }

QString CurrentFileName() { return qs(doc().currentFileName()); }
bool IsModified() { return doc().isModified(); }

void SetStatusText(const QString& message) { doc().setStatusText(message.toStdString()); }
void SetModified(bool flag) { doc().setModified(flag); }
void ResetDocumentState() { doc().resetDocumentState(); }

bool NewDocument() { return doc().newDocument(); }
bool AskToSave() { return doc().askToSave(); }
void OpenDocument() { doc().openDocument(); }
bool LoadDocument(const QString& fileName) {
    return doc().loadDocument(QDir::toNativeSeparators(fileName).toStdString());
}
bool SaveDocument() { return doc().saveDocument(); }
bool SaveDocumentAs() { return doc().saveDocumentAs(); }
void InsertFile() { doc().insertFile(); }

QString ShowFileDialog(QWidget* Owner, qint32 DialogKind, const QString& Title, const QString& DefaultFile,
                       const QString& Filter, const QString& InitialDir, const QString& DefExt) {
    // The system drive's root, wherever the program runs.
    QString dir = InitialDir == QLatin1String("C:\\") ? QDir::rootPath() : InitialDir;
    if (!DefaultFile.isEmpty()) dir = dir.isEmpty() ? DefaultFile : QDir(dir).filePath(DefaultFile);
    const QString filter = qs(document::toQtFilter(Filter.toStdString()));
    Prompter& prompter = Prompter::current();
    QString path =
        DialogKind == 0 ? prompter.openFile(Owner, Title, filter, dir) : prompter.saveFile(Owner, Title, filter, dir);
    if (path.isEmpty()) return {};
    if (DialogKind != 0 && !DefExt.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += u'.' + DefExt;
    return QDir::toNativeSeparators(path);
}

}  // namespace quill::modDocument
