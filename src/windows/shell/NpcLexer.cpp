#include "shell/NpcLexer.h"

#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace quill {
namespace {

// Collects styles and hands them to Scintilla a block at a time, so neither
// a style per byte nor a call per token reaches the editor.
class StyleBlocks : public lexer::Sink {
public:
    explicit StyleBlocks(QsciScintilla* editor) : editor_(editor), buffer_(kBlock) {}
    ~StyleBlocks() override { flush(); }
    void span(std::size_t, std::size_t length, int style) override {
        while (length != 0) {
            const std::size_t n = std::min(length, kBlock - used_);
            std::memset(buffer_.data() + used_, style, n);
            used_ += n;
            length -= n;
            if (used_ == kBlock) flush();
        }
    }
    void flush() {
        if (used_ != 0)
            editor_->SendScintilla(QsciScintilla::SCI_SETSTYLINGEX, static_cast<unsigned long>(used_), buffer_.data());
        used_ = 0;
    }

private:
    static constexpr std::size_t kBlock = 64 * 1024;
    QsciScintilla* editor_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace

NpcLexer::NpcLexer(const QString& name, const language::LanguageDefinition& definition, QObject* parent)
    : QsciLexerCustom(parent), name_(name.toUtf8()), caseSensitive_(definition.caseSensitive), tokenizer_(definition) {}

QString NpcLexer::description(int style) const {
    if (style < 0 || style >= lexer::kStyleCount) return {};
    return QString::fromLatin1(lexer::styleName(style).data(), static_cast<qsizetype>(lexer::styleName(style).size()));
}

QColor NpcLexer::defaultColor(int style) const {
    switch (style) {
        case lexer::Header: return QColor(128, 0, 0);
        case lexer::Label: return QColor(0, 128, 128);
        default: return style >= lexer::BlockComment ? QColor(128, 128, 128) : QColor(Qt::black);
    }
}

QFont NpcLexer::defaultFont(int style) const {
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::Monospace);
    font.setBold(style == lexer::Header || style == lexer::Scope1 || style == lexer::Scope2);
    return font;
}

QColor NpcLexer::defaultPaper(int) const { return QColor(Qt::white); }

void NpcLexer::styleText(int start, int end) {
    QsciScintilla* ed = editor();
    if (!ed || end <= start) return;
    const long line = ed->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
    const long from = ed->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const int state = from > 0
                          ? lexer::Tokenizer::stateBefore(static_cast<int>(
                                ed->SendScintilla(QsciScintilla::SCI_GETSTYLEAT, static_cast<unsigned long>(from - 1))))
                          : 0;
    const long length = end - from;
    const auto* bytes = reinterpret_cast<const char*>(
        ed->SendScintilla(QsciScintilla::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), length));
    if (!bytes) return;
    ed->SendScintilla(QsciScintilla::SCI_STARTSTYLING, static_cast<unsigned long>(from), 0L);
    StyleBlocks blocks(ed);
    tokenizer_.run(std::string_view(bytes, static_cast<std::size_t>(length)), state, blocks);
}

}  // namespace quill
