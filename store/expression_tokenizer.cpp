#include "store/expression_tokenizer.h"

#include "platform/errors.h"
#include "store/expression_number_text.h"
#include "store/number_parse.h"

namespace velmora::store {
namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsWordStart(char c) {
    return IsLetter(c) || c == '_';
}
bool IsWordChar(char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '[' || c == ']';
}

size_t SkipBlanks(std::string_view text, size_t pos) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    return pos;
}

size_t WordEnd(std::string_view text, size_t pos) {
    while (pos < text.size() && IsWordChar(text[pos])) ++pos;
    return pos;
}

// Words after which a closing quote still ends a literal.
bool IsKeyword(std::string_view word) {
    for (std::string_view keyword : {"AND", "OR", "NOT", "LIKE", "IN", "IS"})
        if (SameWord(word, keyword)) return true;
    return false;
}

[[noreturn]] void InvalidCharacter(char c) {
    throw EDatabaseError("Invalid filter expression character: '" + std::string(1, c) + "'");
}

}  // namespace

ExpressionTokenizer::ExpressionTokenizer(std::string_view text, char decimalSeparator)
    : text_(text), decimalSeparator_(decimalSeparator) {
    Advance();
}

void ExpressionTokenizer::Advance() {
    SkipBlanksAndComments();
    const bool operandBefore = OperandBefore();
    current_.text.clear();
    current_.number = 0;
    if (pos_ >= text_.size()) return Finish(TokenKind::End, pos_);
    const char c = text_[pos_];
    if (c == '\'') return ReadText();
    if (c == '[') return ReadName();
    if (IsWordStart(c)) return ReadWord();
    if (c == '-' && operandBefore) return ReadOperator();
    if (c == '-' || IsDigit(c)) {
        const size_t length = ScanNumber(text_.substr(pos_), decimalSeparator_);
        if (length > 0) return ReadNumber(length);
    }
    ReadOperator();
}

void ExpressionTokenizer::SkipBlanksAndComments() {
    for (;;) {
        pos_ = SkipBlanks(text_, pos_);
        if (text_.substr(pos_, 2) != "/*") return;
        const size_t end = text_.find("*/", pos_ + 2);
        if (end == std::string_view::npos) InvalidCharacter('/');
        pos_ = end + 2;
    }
}

// "-" after an operand is the minus operator; elsewhere it may start a number. AND, OR and
// NOT are no operands: "a > 0 and -1 < b" compares with the number -1.
bool ExpressionTokenizer::OperandBefore() const {
    switch (current_.kind) {
        case TokenKind::Symbol:
            return !SameWord(current_.text, "AND") && !SameWord(current_.text, "OR") &&
                   !SameWord(current_.text, "NOT");
        case TokenKind::Name:
        case TokenKind::Text:
        case TokenKind::Number:
        case TokenKind::RParen:
            return true;
        default:
            return false;
    }
}

void ExpressionTokenizer::ReadText() {
    const size_t start = pos_++;
    std::string value;
    for (;;) {
        if (pos_ >= text_.size()) throw EDatabaseError("Unterminated string constant");
        const char c = text_[pos_];
        if (c == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                ++pos_;
            } else if (!QuoteTakenIntoLiteral(pos_)) {
                ++pos_;
                break;
            }
        }
        if (value.size() < kMaxLiteral) value += c;
        ++pos_;
    }
    Finish(TokenKind::Text, start);
    current_.text = std::move(value);
}

// A lone quote inside a literal ("O'Brien") when another quote follows later and the next
// token is a word other than a keyword; before anything else it closes the literal.
bool ExpressionTokenizer::QuoteTakenIntoLiteral(size_t quote) const {
    if (text_.find('\'', quote + 1) == std::string_view::npos) return false;
    const size_t wordStart = SkipBlanks(text_, quote + 1);
    if (wordStart >= text_.size() || !IsWordStart(text_[wordStart])) return false;
    return !IsKeyword(text_.substr(wordStart, WordEnd(text_, wordStart) - wordStart));
}

void ExpressionTokenizer::ReadName() {
    const size_t start = pos_;
    const size_t end = text_.find(']', start + 1);
    if (end == std::string_view::npos) throw EDatabaseError("Unterminated field name");
    pos_ = end + 1;
    Finish(TokenKind::Name, start);
    current_.text = std::string(text_.substr(start + 1, end - start - 1));
}

void ExpressionTokenizer::ReadWord() {
    const size_t start = pos_;
    pos_ = WordEnd(text_, pos_);
    const std::string_view word = text_.substr(start, pos_ - start);
    if (SameWord(word, "IS")) return ReadIs(start);
    if (SameWord(word, "LIKE")) return Finish(TokenKind::Like, start);
    if (SameWord(word, "IN")) return Finish(TokenKind::In, start);
    Finish(TokenKind::Symbol, start);
    current_.text = std::string(word);
}

void ExpressionTokenizer::ReadIs(size_t start) {
    auto nextWord = [this] {
        const size_t wordStart = SkipBlanks(text_, pos_);
        pos_ = WordEnd(text_, wordStart);
        return text_.substr(wordStart, pos_ - wordStart);
    };
    const std::string_view word = nextWord();
    if (SameWord(word, "NULL")) return Finish(TokenKind::IsNull, start);
    if (SameWord(word, "NOT") && SameWord(nextWord(), "NULL"))
        return Finish(TokenKind::IsNotNull, start);
    throw EDatabaseError("Invalid use of keyword");
}

void ExpressionTokenizer::ReadNumber(size_t length) {
    const size_t start = pos_;
    pos_ += length;
    Finish(TokenKind::Number, start);
    const std::optional<double> value =
        ParseFloat(current_.source, NumberSettings{decimalSeparator_, '\0'});
    if (!value) InvalidFloatError(std::string(current_.source));
    current_.number = *value;
}

void ExpressionTokenizer::ReadOperator() {
    struct Spelling {
        std::string_view text;
        TokenKind kind;
    };
    // Two-character operators first.
    static constexpr Spelling kOperators[] = {
        {"<=", TokenKind::LessEqual}, {"<>", TokenKind::NotEqual}, {">=", TokenKind::GreaterEqual},
        {"(", TokenKind::LParen},     {")", TokenKind::RParen},    {",", TokenKind::Comma},
        {"*", TokenKind::Times},      {"+", TokenKind::Plus},      {"-", TokenKind::Minus},
        {"/", TokenKind::Divide},     {"=", TokenKind::Equal},     {"<", TokenKind::Less},
        {">", TokenKind::Greater},
    };
    for (const Spelling& op : kOperators) {
        if (text_.substr(pos_, op.text.size()) != op.text) continue;
        const size_t start = pos_;
        pos_ += op.text.size();
        return Finish(op.kind, start);
    }
    InvalidCharacter(text_[pos_]);
}

void ExpressionTokenizer::Finish(TokenKind kind, size_t start) {
    current_.kind = kind;
    current_.source = text_.substr(start, pos_ - start);
}

}  // namespace velmora::store
