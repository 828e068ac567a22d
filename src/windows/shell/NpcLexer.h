#pragma once
// The editor's lexer for a registered language: Scintilla asks for a range,
// the core tokenizer colours it, and the styles go back in large blocks.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <Qsci/qscilexercustom.h>

#include "shell/language.h"
#include "shell/tokenizer.h"

namespace quill {

class NpcLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    NpcLexer(const QString& name, const language::LanguageDefinition& definition, QObject* parent = nullptr);

    const char* language() const override { return name_.constData(); }
    QString description(int style) const override;
    bool caseSensitive() const override { return caseSensitive_; }
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    QColor defaultPaper(int style) const override;

    // Restyles [start, end), backing up to the start of its first line only;
    // when no construct of the language spans lines, only the lines of it
    // that are shown.
    void styleText(int start, int end) override;

private:
    QByteArray name_;
    bool caseSensitive_;
    lexer::Tokenizer tokenizer_;
};

}  // namespace quill
