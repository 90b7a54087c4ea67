#pragma once
// One token of an expression text.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::store {

enum class TokenKind : uint8_t {
    End,
    Symbol,  // a word: field name, function name, AND, OR, NOT, NULL, True, False
    Name,    // a bracketed field name
    Text,    // a quoted text literal
    Number,  // a number literal
    LParen,
    RParen,
    Comma,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Plus,
    Minus,
    Times,
    Divide,
    Like,
    In,
    IsNull,
    IsNotNull,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view source;  // the token's characters in the expression text
    std::string text;         // Symbol and Name: the name; Text: the literal's value
    double number = 0;        // Number: its value

    // How "... but %s found" names the token: the token in single quotes, or "nothing".
    std::string Described() const {
        return kind == TokenKind::End ? std::string("nothing") : "'" + std::string(source) + "'";
    }
};

// Words of the language (AND, LIKE, function names, ...) compare without regard to letter case.
inline bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        const char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
        if (x != y) return false;
    }
    return true;
}

}  // namespace velmora::store
