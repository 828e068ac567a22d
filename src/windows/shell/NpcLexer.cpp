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
    const auto send = [ed](unsigned int message, long value) {
        return ed->SendScintilla(message, static_cast<unsigned long>(value));
    };
    const long asked = send(QsciScintilla::SCI_POSITIONFROMLINE, send(QsciScintilla::SCI_LINEFROMPOSITION, start));
    long from = asked, to = end;
    if (!tokenizer_.spansLines()) {
        // Scintilla asks for everything from the first line not yet coloured
        // to the last one it shows: after a jump to the end of a large
        // script, the whole script. Every line starts afresh here, so only
        // the lines shown are coloured.
        const long top = send(QsciScintilla::SCI_GETFIRSTVISIBLELINE, 0);
        const long first = send(QsciScintilla::SCI_DOCLINEFROMVISIBLE, top);
        const long last = send(QsciScintilla::SCI_DOCLINEFROMVISIBLE, top + send(QsciScintilla::SCI_LINESONSCREEN, 0));
        from = std::max(from, send(QsciScintilla::SCI_POSITIONFROMLINE, first));
        to = std::min(to, send(QsciScintilla::SCI_GETLINEENDPOSITION, last));
    }
    if (to > from) {
        const int state = from > 0 ? lexer::Tokenizer::stateBefore(
                                         static_cast<int>(send(QsciScintilla::SCI_GETSTYLEAT, from - 1)))
                                   : 0;
        const auto* bytes =
            reinterpret_cast<const char*>(ed->SendScintilla(QsciScintilla::SCI_GETRANGEPOINTER, from, to - from));
        if (!bytes) return;
        send(QsciScintilla::SCI_STARTSTYLING, from);
        StyleBlocks blocks(ed);
        tokenizer_.run(std::string_view(bytes, static_cast<std::size_t>(to - from)), state, blocks);
    }
    // Lines skipped above the shown ones are still to be coloured: Scintilla
    // asks again from the first of them when it shows one.
    if (from > asked) send(QsciScintilla::SCI_STARTSTYLING, asked);
}

}  // namespace quill
