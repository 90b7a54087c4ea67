#include "store/expression_tokenizer.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "store/number_text.h"

namespace velmora::store {
namespace {

std::string KindName(TokenKind kind) {
    static const char* const kNames[] = {"End",  "Symbol", "Name",    "Text",       "Number", "(",
                                         ")",    ",",      "=",       "<>",         "<",      ">",
                                         "<=",   ">=",     "+",       "-",          "*",      "/",
                                         "LIKE", "IN",     "IS NULL", "IS NOT NULL"};
    return kNames[static_cast<size_t>(kind)];
}

// The tokens up to the end: kinds, with the payload of words, names, literals and numbers.
std::string Tokens(std::string_view text, char decimalSeparator) {
    ExpressionTokenizer tokenizer(text, decimalSeparator);
    std::string out;
    for (; tokenizer.Current().kind != TokenKind::End; tokenizer.Advance()) {
        const Token& token = tokenizer.Current();
        if (!out.empty()) out += " ";
        out += KindName(token.kind);
        if (token.kind == TokenKind::Number)
            out += ":" + FloatText(token.number, NumberSettings{'.', ','});
        else if (!token.text.empty())
            out += ":" + token.text;
    }
    return out;
}

struct TokenCase {
    const char* name;
    const char* text;
    char separator;
    const char* tokens;
};

class TokenizerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTest, ReadsTokens) {
    EXPECT_EQ(Tokens(GetParam().text, GetParam().separator), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenizerTest,
    ::testing::Values(
        TokenCase{"lot_filter", "id_item = 12", '.', "Symbol:id_item = Number:12"},
        TokenCase{"operators", "<= <> >= < > = + - * / ( ) ,", '.', "<= <> >= < > = + - * / ( ) ,"},
        TokenCase{"comments_skipped", "a /* x = 1 */ = 1 /* end */", '.', "Symbol:a = Number:1"},
        TokenCase{"blanks_and_controls",
                  "\ta\r\n=\x01"
                  "1",
                  '.', "Symbol:a = Number:1"},
        TokenCase{"doubled_quote", "'O''Brien'", '.', "Text:O'Brien"},
        TokenCase{"lone_quote_before_word", "d = 'O'Brien' and x = 'y'", '.',
                  "Symbol:d = Text:O'Brien Symbol:and Symbol:x = Text:y"},
        TokenCase{"quote_before_keyword_ends", "d = 'a' OR e = 'b'", '.',
                  "Symbol:d = Text:a Symbol:OR Symbol:e = Text:b"},
        TokenCase{"quote_before_comma_ends", "d IN ('a', 'b')", '.',
                  "Symbol:d IN ( Text:a , Text:b )"},
        TokenCase{"quote_before_paren_ends", "(d = 'a') and (e = 'b')", '.',
                  "( Symbol:d = Text:a ) Symbol:and ( Symbol:e = Text:b )"},
        TokenCase{"last_quote_ends", "d = 'it's'", '.', "Symbol:d = Text:it's"},
        TokenCase{"bracketed_name", "[descr item] = [x]", '.', "Name:descr item = Name:x"},
        TokenCase{"word_characters", "a.b[1]_c", '.', "Symbol:a.b[1]_c"},
        TokenCase{"keywords_any_case", "a like b In (1) is null IS  NOT  NULL", '.',
                  "Symbol:a LIKE Symbol:b IN ( Number:1 ) IS NULL IS NOT NULL"},
        TokenCase{"minus_after_operand", "a-1", '.', "Symbol:a - Number:1"},
        TokenCase{"minus_after_paren", "(a)-1", '.', "( Symbol:a ) - Number:1"},
        TokenCase{"minus_after_number", "2-1", '.', "Number:2 - Number:1"},
        TokenCase{"negative_after_comparison", "a = -1", '.', "Symbol:a = Number:-1"},
        TokenCase{"negative_after_and", "a > 0 and -1 < b", '.',
                  "Symbol:a > Number:0 Symbol:and Number:-1 < Symbol:b"},
        TokenCase{"minus_without_digit", "= -a", '.', "= - Symbol:a"},
        TokenCase{"decimal_point", "1.25", '.', "Number:1.25"},
        TokenCase{"decimal_comma", "1,25", ',', "Number:1.25"},
        TokenCase{"comma_is_list_with_point", "1,25", '.', "Number:1 , Number:25"},
        TokenCase{"comma_blank_is_list", "(1, 2)", ',', "( Number:1 , Number:2 )"},
        TokenCase{"trailing_comma_kept", "(1,)", ',', "( Number:1 )"},
        TokenCase{"exponent", "2e3 1.5E-2", '.', "Number:2000 Number:0.015"},
        TokenCase{"exponent_letter_without_digits", "2east", '.', "Number:2 Symbol:east"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TokenizerTest, KeepsTheFirst512CharactersOfALiteral) {
    const std::string text = "'" + std::string(600, 'x') + "'";
    ExpressionTokenizer tokenizer(text, '.');
    EXPECT_EQ(tokenizer.Current().text, std::string(ExpressionTokenizer::kMaxLiteral, 'x'));
    tokenizer.Advance();
    EXPECT_EQ(tokenizer.Current().kind, TokenKind::End);
}

TEST(TokenizerTest, NamesTheOffendingTokenInMessages) {
    ExpressionTokenizer tokenizer("[a b] 'x' IS NULL", '.');
    EXPECT_EQ(tokenizer.Current().Described(), "'[a b]'");
    tokenizer.Advance();
    EXPECT_EQ(tokenizer.Current().Described(), "''x''");
    tokenizer.Advance();
    EXPECT_EQ(tokenizer.Current().Described(), "'IS NULL'");
    tokenizer.Advance();
    EXPECT_EQ(tokenizer.Current().Described(), "nothing");
}

struct ErrorCase {
    const char* name;
    std::string text;
    std::string message;
};

class TokenizerErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(TokenizerErrorTest, Refuses) {
    try {
        Tokens(GetParam().text, '.');
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), GetParam().message);
    }
}

const std::string kInvalid = "Invalid filter expression character: '";

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenizerErrorTest,
    ::testing::Values(ErrorCase{"exclamation", "a = !1", kInvalid + "!'"},
                      ErrorCase{"double_quote", "a = \"x\"", kInvalid + "\"'"},
                      ErrorCase{"semicolon", "a; b", kInvalid + ";'"},
                      ErrorCase{"point", ".5", kInvalid + ".'"},
                      ErrorCase{"closing_bracket", "]", kInvalid + "]'"},
                      ErrorCase{"brace", "{", kInvalid + "{'"},
                      ErrorCase{"code_128", "\x80", kInvalid + "\x80'"},
                      ErrorCase{"code_255", "\xFF", kInvalid + "\xFF'"},
                      ErrorCase{"accented_letter",
                                "\xE9"
                                "a",
                                kInvalid + "\xE9'"},
                      ErrorCase{"open_comment", "a = 1 /* no end", kInvalid + "/'"},
                      ErrorCase{"open_literal", "a = 'abc", "Unterminated string constant"},
                      ErrorCase{"open_name", "[abc = 1", "Unterminated field name"},
                      ErrorCase{"is_without_null", "a IS 5", "Invalid use of keyword"},
                      ErrorCase{"is_not_without_null", "a IS NOT b", "Invalid use of keyword"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TokenizerTest, NumberBeyondTheDoubleRangeIsAConversionError) {
    EXPECT_THROW(Tokens("1e999", '.'), EConvertError);
}

}  // namespace
}  // namespace velmora::store
