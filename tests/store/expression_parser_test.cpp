#include "store/expression_parser.h"

#include <gtest/gtest.h>

#include "expression_test_fakes.h"
#include "platform/errors.h"

namespace velmora::store {
namespace {

using exprtest::FakeCatalog;

constexpr auto kFilter = ExpressionPurpose::Filter;
constexpr auto kSearch = ExpressionPurpose::Search;
constexpr auto kAggregate = ExpressionPurpose::Aggregate;

ExpressionTree Parse(std::string_view text, ExpressionPurpose purpose, FilterOptions options = 0,
                     char decimalSeparator = '.') {
    static const FakeCatalog catalog;
    return ParseExpression(text, catalog, purpose, options, NumberSettings{decimalSeparator, ' '});
}

struct TreeCase {
    const char* name;
    const char* text;
    ExpressionPurpose purpose;
    FilterOptions options;
    const char* tree;
};

class ParserTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(ParserTreeTest, BuildsTheTree) {
    const TreeCase& c = GetParam();
    EXPECT_EQ(DescribeNode(*Parse(c.text, c.purpose, c.options).root), c.tree);
}

INSTANTIATE_TEST_SUITE_P(
    Program, ParserTreeTest,
    ::testing::Values(
        TreeCase{"lot_filter", "id_item = 12", kFilter, 0, "(= id_item:Integer 12:Integer)"},
        TreeCase{"seek_lot", "[id_item]=7", kSearch, 0, "(= id_item:Integer 7:Integer)"},
        TreeCase{"seek_prefix_any_case", "[descr_item]='CAN*'", kSearch, foCaseInsensitive,
                 "(=ci3 descr_item:String 'CAN':String)"},
        TreeCase{"seek_exact", "[descr_item]='CAN*'", kSearch, foNoPartialCompare,
                 "(= descr_item:String 'CAN*':String)"},
        TreeCase{"seek_two_fields", "[id_item]=3 and [descr_item]='A''B*'", kSearch, 0,
                 "(AND (= id_item:Integer 3:Integer) (=3 descr_item:String 'A'B':String))"},
        TreeCase{"seek_null_key", "[preco_ini] IS NULL", kSearch, 0, "(ISNULL preco_ini:BCD)"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Rules, ParserTreeTest,
    ::testing::Values(
        TreeCase{"constant_left_swapped_and_mirrored", "3 < id_item", kFilter, 0,
                 "(> id_item:Integer 3:Integer)"},
        TreeCase{"mirror_less_equal", "3 <= id_item", kFilter, 0, "(>= id_item:Integer 3:Integer)"},
        TreeCase{"equal_null_is_null", "NULL = preco_ini", kFilter, 0, "(ISNULL preco_ini:BCD)"},
        TreeCase{"not_equal_null", "preco_ini <> null", kFilter, 0, "(ISNOTNULL preco_ini:BCD)"},
        TreeCase{"less_than_null_stays", "preco_ini < NULL", kFilter, 0,
                 "(< preco_ini:BCD NULL:BCD)"},
        TreeCase{"in_list", "id_item IN (1, 2,3)", kFilter, 0,
                 "(IN id_item:Integer 1:Integer 2:Integer 3:Integer)"},
        TreeCase{"in_text_list", "descr_item in ('a', 'b')", kFilter, 0,
                 "(IN descr_item:String 'a':String 'b':String)"},
        TreeCase{"boolean_field_alone", "ativo", kFilter, 0, "(<> ativo:Boolean False:Boolean)"},
        TreeCase{"boolean_field_in_logic", "not ativo or id_item = 1", kFilter, 0,
                 "(OR (NOT (<> ativo:Boolean False:Boolean)) (= id_item:Integer 1:Integer))"},
        TreeCase{"and_binds_tighter_than_or", "id_item = 1 or id_item = 2 and ativo = True",
                 kFilter, 0,
                 "(OR (= id_item:Integer 1:Integer) (AND (= id_item:Integer 2:Integer) "
                 "(= ativo:Boolean True:Boolean)))"},
        TreeCase{"arithmetic_precedence_left_to_right", "valor - 1 - qtde * 2 > 0", kFilter, 0,
                 "(> (- (- valor:BCD 1:Float):Float (* qtde:BCD 2:Float):Float):Float 0:Float)"},
        TreeCase{"parentheses", "(valor - (1 - 2)) = 0", kFilter, 0,
                 "(= (- valor:BCD (- 1:Float 2:Float):Float):Float 0:Float)"},
        TreeCase{"constant_fits_fixed_point", "preco_ini = 1.5", kFilter, 0,
                 "(= preco_ini:BCD 1.5:BCD)"},
        TreeCase{"fraction_stays_float_for_integer", "id_item = 3.5", kFilter, 0,
                 "(= id_item:Integer 3.5:Float)"},
        TreeCase{"text_for_integer_field", "id_item = '7'", kFilter, 0,
                 "(= id_item:Integer 7:Integer)"},
        TreeCase{"number_for_text_field", "descr_item = 12", kFilter, 0,
                 "(= descr_item:String '12':String)"},
        TreeCase{"single_star_not_partial", "descr_item = '*'", kFilter, 0,
                 "(= descr_item:String '*':String)"},
        TreeCase{"partial_not_equal", "descr_item <> 'ab*'", kFilter, 0,
                 "(<>2 descr_item:String 'ab':String)"},
        TreeCase{"like_case_insensitive", "descr_item LIKE '%a%'", kFilter, foCaseInsensitive,
                 "(LIKEci descr_item:String '%a%':String)"},
        TreeCase{"memo_left_of_like", "compl_descr LIKE '%x%'", kFilter, 0,
                 "(LIKE compl_descr:Memo '%x%':String)"},
        TreeCase{"internalcalc_field_allowed", "interno = 1", kFilter, 0,
                 "(= interno:Integer 1:Integer)"},
        TreeCase{"function_in_filter", "Upper(descr_item) = 'X'", kFilter, 0,
                 "(= (UPPER descr_item:String):String 'X':String)"},
        TreeCase{"function_needs_paren", "(Upper (descr_item)) = 'X'", kFilter, 0,
                 "(= (UPPER descr_item:String):String 'X':String)"},
        TreeCase{"getdate_without_argument", "entrega < getdate()", kFilter, 0,
                 "(< entrega:Date (GETDATE):DateTime)"},
        TreeCase{"comment_ignored", "id_item = 3 /* lote */", kFilter, 0,
                 "(= id_item:Integer 3:Integer)"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Aggregates, ParserTreeTest,
    ::testing::Values(
        TreeCase{"soma_itens", "Sum(qtde*preco_ini)", kAggregate, 0,
                 "(SUM (* qtde:BCD preco_ini:BCD):Float):Float"},
        TreeCase{"count_star", "count(*)", kAggregate, 0, "(COUNT(*)):Integer"},
        TreeCase{"count_star_blanks", "COUNT( * )", kAggregate, 0, "(COUNT(*)):Integer"},
        TreeCase{"max_keeps_kind", "Max(preco_ini)", kAggregate, 0, "(MAX preco_ini:BCD):BCD"},
        TreeCase{"aggregates_combined", "Sum(valor) / Count(*) * 2", kAggregate, 0,
                 "(* (/ (SUM valor:BCD):Float (COUNT(*)):Integer):Float 2:Float):Float"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParserTest, AggregateRecordsTheColumnsItReadsOnce) {
    EXPECT_EQ(Parse("Sum(qtde*preco_ini) + Max(qtde)", kAggregate).columns,
              (std::vector<size_t>{exprtest::kQtde, exprtest::kPrecoIni}));
    EXPECT_TRUE(Parse("qtde * preco_ini > 0", kFilter).columns.empty());
}

TEST(ParserTest, NumbersUseTheUsersDecimalSeparator) {
    EXPECT_EQ(DescribeNode(*Parse("preco_ini IN (1,25, 2)", kFilter, 0, ',').root),
              "(IN preco_ini:BCD 1.25:BCD 2:BCD)");
    EXPECT_EQ(DescribeNode(*Parse("descr_item = 1,5", kFilter, 0, ',').root),
              "(= descr_item:String '1,5':String)");
}

TEST(ParserTest, FieldNodeCarriesTheStoredColumn) {
    const ExpressionTree tree = Parse("[preco_ini] > 0", kSearch);
    EXPECT_EQ(tree.root->operands[0]->column, exprtest::kPrecoIni);
}

struct ErrorCase {
    const char* name;
    const char* text;
    ExpressionPurpose purpose;
    const char* message;
};

class ParserErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ParserErrorTest, RefusesWithTheMessage) {
    try {
        Parse(GetParam().text, GetParam().purpose);
        FAIL() << "parsed";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, ParserErrorTest,
    ::testing::Values(
        ErrorCase{"nothing_after_equals", "id_item =", kFilter,
                  "Expression expected but nothing found"},
        ErrorCase{"empty_text", "  ", kFilter, "Expression expected but nothing found"},
        ErrorCase{"paren_for_primary", "id_item = )", kFilter, "Expression expected but ')' found"},
        ErrorCase{"keyword_for_primary", "id_item = and", kFilter,
                  "Expression expected but 'and' found"},
        ErrorCase{"in_without_paren", "id_item IN 1", kFilter, "'(' expected but '1' found"},
        ErrorCase{"unclosed_paren", "(id_item = 1", kFilter, "')' expected but nothing found"},
        ErrorCase{"count_star_unclosed", "Count(* 1", kAggregate, "')' expected but '1' found"},
        ErrorCase{"list_without_comma", "id_item IN (1 2)", kFilter,
                  "')' or ',' expected but '2' found"},
        ErrorCase{"arguments_without_comma", "Substring(descr_item 1) = 'a'", kFilter,
                  "')' or ',' expected but '1' found"},
        ErrorCase{"empty_in_list", "id_item IN ()", kFilter, "IN predicate list may not be empty"},
        ErrorCase{"text_left_over", "id_item = 1 2", kFilter,
                  "Filter expression incorrectly terminated"},
        ErrorCase{"two_nots", "not not ativo", kFilter, "Expression expected but 'not' found"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Typing, ParserErrorTest,
    ::testing::Values(
        ErrorCase{"arithmetic_in_search", "[qtde]*2 > 1", kSearch,
                  "Arithmetic in filter expressions not supported"},
        ErrorCase{"minus_in_search", "[qtde] - 1 > 1", kSearch,
                  "Arithmetic in filter expressions not supported"},
        ErrorCase{"function_in_search_is_a_field", "Upper(descr_item) = 'X'", kSearch,
                  "CDSDigitacao: Field 'Upper' not found"},
        ErrorCase{"text_plus_number", "descr_item + 1 = 'a'", kFilter,
                  "Type mismatch in expression"},
        ErrorCase{"text_times_text", "descr_item * descr_item = 'a'", kFilter,
                  "Type mismatch in expression"},
        ErrorCase{"field_kinds_differ", "id_item = descr_item", kFilter,
                  "Type mismatch in expression"},
        ErrorCase{"memo_compared", "compl_descr = 'x'", kFilter, "Type mismatch in expression"},
        ErrorCase{"memo_right_of_like", "descr_item LIKE compl_descr", kFilter,
                  "Type mismatch in expression"},
        ErrorCase{"function_without_argument", "Upper() = 'a'", kFilter,
                  "Type mismatch in expression"},
        ErrorCase{"sum_without_argument", "Sum()", kAggregate, "Type mismatch in expression"},
        ErrorCase{"and_of_number", "ativo and id_item", kFilter, "Type mismatch in expression"},
        ErrorCase{"like_null", "descr_item LIKE NULL", kFilter,
                  "NULL only allowed with '=' and '<>'"},
        ErrorCase{"aggregate_mixed_with_row", "Sum(qtde) + qtde", kAggregate,
                  "Operation cannot mix aggregate value with record-varying value"},
        ErrorCase{"aggregate_compared_with_row", "Max(qtde) > qtde", kFilter,
                  "Operation cannot mix aggregate value with record-varying value"},
        ErrorCase{"not_an_aggregate", "qtde * preco_ini", kAggregate,
                  "Expression is not an aggregate expression"},
        ErrorCase{"constant_is_no_aggregate", "2", kAggregate,
                  "Expression is not an aggregate expression"},
        ErrorCase{"aggregate_in_filter", "Sum(qtde) > 1", kFilter,
                  "Aggregate expressions not allowed in filters"},
        ErrorCase{"filter_not_boolean", "id_item", kFilter, "Incorrectly formed filter expression"},
        ErrorCase{"filter_arithmetic_not_boolean", "valor / 2", kFilter,
                  "Incorrectly formed filter expression"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Fields, ParserErrorTest,
    ::testing::Values(
        ErrorCase{"unknown_field", "nada = 1", kFilter, "CDSDigitacao: Field 'nada' not found"},
        ErrorCase{"unknown_bracketed", "[descr lote] = 'a'", kSearch,
                  "CDSDigitacao: Field 'descr lote' not found"},
        ErrorCase{"calculated_in_filter", "totitem > 1", kFilter,
                  "Field 'totitem' cannot be used in a filter expression"},
        ErrorCase{"lookup_in_search", "[descr_lookup] = 'a'", kSearch,
                  "Field 'descr_lookup' cannot be used in a filter expression"},
        ErrorCase{"aggregate_field_in_filter", "SomaItens > 1", kFilter,
                  "Field 'SomaItens' cannot be used in a filter expression"},
        ErrorCase{"calculated_in_aggregate", "Sum(totitem)", kAggregate,
                  "Field 'totitem' is not the correct type of calculated field to be used in an "
                  "aggregate, use an internalcalc"}),
    [](const auto& info) { return std::string(info.param.name); });

std::string Repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

struct DepthCase {
    const char* name;
    std::string text;
    ExpressionPurpose purpose;
    bool parses;
};

// Within the bounds of nesting and tree depth a text parses; beyond them it is refused with a
// message instead of exhausting the stack.
class ParserDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(ParserDepthTest, RefusesOnlyBeyondTheBounds) {
    const DepthCase& c = GetParam();
    try {
        Parse(c.text, c.purpose);
        EXPECT_TRUE(c.parses) << "parsed";
    } catch (const EDatabaseError& error) {
        EXPECT_FALSE(c.parses) << error.Message();
        EXPECT_EQ(error.Message(), "Expression too deeply nested");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ParserDepthTest,
    ::testing::Values(
        DepthCase{"parentheses_within", Repeated("(", 250) + "id_item = 1" + Repeated(")", 250),
                  kFilter, true},
        DepthCase{"parentheses_beyond", Repeated("(", 5000) + "id_item = 1" + Repeated(")", 5000),
                  kFilter, false},
        DepthCase{"or_chain_within", "id_item = 0" + Repeated(" or id_item = 1", 1000), kFilter,
                  true},
        DepthCase{"or_chain_beyond", "id_item = 0" + Repeated(" or id_item = 1", 1100), kFilter,
                  false},
        DepthCase{"sum_chain_beyond", "Sum(qtde" + Repeated("+qtde", 2000) + ")", kAggregate,
                  false},
        DepthCase{"nested_arguments_beyond",
                  Repeated("Upper(", 300) + "descr_item" + Repeated(")", 300) + " = 'A'", kFilter,
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParserTest, TextThatIsNoNumberForANumericFieldIsAConversionError) {
    try {
        Parse("id_item = 'x'", kFilter);
        FAIL() << "parsed";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
    }
    EXPECT_THROW(Parse("entrega = '31/02/2026'", kFilter), EConvertError);
}

}  // namespace
}  // namespace velmora::store
