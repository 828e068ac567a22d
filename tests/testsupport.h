#pragma once
// Shared pieces of the window tests: a prompter that answers as told and
// records what it was asked, and a temporary folder per test.

#include <QFile>
#include <QLabel>
#include <QStringList>
#include <QtTest>
#include <deque>

#include "shell/Prompter.h"

namespace quill::test {

// A file's bytes, or a marker that cannot be mistaken for them.
inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

// A label's text as a person sees it and would copy it: markup that the label
// interprets shows as formatting, not as its characters.
inline QString shownText(QLabel* label) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setSelection(0, static_cast<int>(label->text().size()));
    return label->selectedText();
}

class ScriptedPrompter : public Prompter {
public:
    ScriptedPrompter() { Prompter::install(this); }
    ~ScriptedPrompter() override { Prompter::install(nullptr); }

    struct Asked {
        QString title, text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    };
    std::deque<QMessageBox::StandardButton> answers;  // for ask(); Cancel when empty
    std::deque<QString> files;                        // for openFile()/saveFile(); "" when empty
    std::vector<Asked> asked;
    std::vector<Asked> told;
    QStringList fileDialogs;  // "open|title|filter|dir" or "save|..."

    std::deque<MsgBoxExResult> msgBoxExAnswers;  // for msgBoxEx(); mbxResultCancel when empty

    QMessageBox::StandardButton ask(QWidget*, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                    QMessageBox::StandardButton defaultButton) override;
    void tell(QWidget*, const QString& title, const QString& text, QMessageBox::Icon icon) override;
    QString openFile(QWidget*, const QString& title, const QString& filter, const QString& dir) override;
    QString saveFile(QWidget*, const QString& title, const QString& filter, const QString& dir) override;
    MsgBoxExResult msgBoxEx(QWidget*, const QString& prompt, MsgBoxExIcon icon, MsgBoxExButtons buttons,
                            const QString& title, qint32 autoCloseSecs, MsgBoxExPosition position, bool topMost,
                            bool forceScroll) override;
};

}  // namespace quill::test
