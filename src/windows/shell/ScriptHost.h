#pragma once
// What the document module and the generator dialogs need of the window that
// holds the script: the editor to write into, the caption, the status-bar
// panels and the owner of the questions and file dialogs. The main window
// implements it and hands itself over, so nothing has to reach for it.

#include <QPointer>
#include <QString>
#include <QWidget>

namespace quill {
class maxEdit;

class ScriptHost {
public:
    // The window that holds the script; it owns the dialogs asked about it,
    // and its end is the host's end (see ScriptHostRef).
    virtual QWidget* hostWindow() = 0;
    virtual maxEdit* scriptEditor() = 0;
    virtual void setCaption(const QString& text) = 0;
    // A status-bar panel by key: "_general", "_modified".
    virtual void setPanelText(const QString& key, const QString& text) = 0;

protected:
    ~ScriptHost() = default;
};

// A host as something that may outlive its window holds it (a generator
// dialog stays open after the main window has closed): once that window is
// destroyed it reads as no host, and nothing is written.
class ScriptHostRef {
public:
    ScriptHostRef() = default;
    ScriptHostRef(ScriptHost* host) : host_(host), window_(host ? host->hostWindow() : nullptr) {}
    ScriptHost* get() const { return window_ ? host_ : nullptr; }

private:
    ScriptHost* host_ = nullptr;
    QPointer<QWidget> window_;
};

}  // namespace quill
