#pragma once
// Splits an expression text into tokens, one at a time. Errors raise EDatabaseError with the
// messages "Invalid filter expression character: '%s'", "Unterminated string constant",
// "Unterminated field name" and "Invalid use of keyword"; a number literal beyond the double
// range raises EConvertError.

#include <string_view>

#include "store/expression_token.h"

namespace velmora::store {

class ExpressionTokenizer {
public:
    // Reads the first token. REQUIRES: text outlives the tokenizer.
    ExpressionTokenizer(std::string_view text, char decimalSeparator);

    const Token& Current() const { return current_; }
    void Advance();

    // The text after the current token, for the parser's look-ahead ("(" after a function
    // name, "(*" after COUNT).
    std::string_view Rest() const { return text_.substr(pos_); }

    // The longest text literal; longer literals keep their first characters.
    static constexpr size_t kMaxLiteral = 512;

private:
    void SkipBlanksAndComments();
    bool OperandBefore() const;
    void ReadText();
    void ReadName();
    void ReadWord();
    void ReadIs(size_t start);
    void ReadNumber(size_t length);
    void ReadOperator();
    bool QuoteTakenIntoLiteral(size_t quote) const;
    void Finish(TokenKind kind, size_t start);

    std::string_view text_;
    char decimalSeparator_;
    size_t pos_ = 0;
    Token current_;
};

}  // namespace velmora::store
