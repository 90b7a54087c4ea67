#include "store/expression_evaluator.h"

#include <gtest/gtest.h>

#include "expression_test_fakes.h"
#include "store/expression_compiler.h"
#include "store/expression_parser.h"
#include "store/row_image_layout.h"

namespace velmora::store {
namespace {

using namespace exprtest;

// Five items of a lot auction; row numbers count from 1.
std::vector<FakeRow> Items() {
    std::vector<FakeRow> rows(5);
    rows[0].Int(kIdItem, 3).Text(kDescrItem, "CANETA AZUL").Dec(kQtde, 2).Dec(kPrecoIni, 1.5);
    rows[0].Dec(kValor, 3).Text(kComplDescr, "Ponta de tungst\xEAnio").Bool(kAtivo, true);
    rows[0].Day(kEntrega, Day(2026, 12, 10)).Real(kFator, 0.1 + 0.2);
    rows[1].Int(kIdItem, 3).Text(kDescrItem, "caneta preta").Dec(kQtde, 3).Bool(kAtivo, false);
    rows[1].Real(kFator, 0.3);
    rows[2].Int(kIdItem, 4).Text(kDescrItem, "L\xC1PIS").Dec(kQtde, 5).Dec(kPrecoIni, 2);
    rows[2].Dec(kValor, 10).Day(kEntrega, Day(2026, 12, 11));
    rows[3].Text(kDescrItem, "*").Dec(kQtde, 1).Dec(kPrecoIni, 0).Dec(kValor, 0);
    rows[4].Int(kIdItem, 5).Text(kDescrItem, "O'Brien 50% off_x").Dec(kQtde, 0);
    rows[4].Dec(kPrecoIni, 4).Int(kInterno, 7);
    return rows;
}

// The numbers of the rows that pass the filter, "1,2".
std::string Passing(std::string_view text, FilterOptions options,
                    ExpressionPurpose purpose = ExpressionPurpose::Filter) {
    static const FakeCatalog catalog;
    static const std::vector<FakeRow> rows = Items();
    const LocaleTextCollation collation(1046);
    const ExpressionProgram program = CompileCondition(
        ParseExpression(text, catalog, purpose, options, NumberSettings{}), ItemColumns());
    ExpressionEvaluator evaluator(program, collation);
    std::string passing;
    for (size_t i = 0; i < rows.size(); ++i)
        if (evaluator.Passes(rows[i]))
            passing += (passing.empty() ? "" : ",") + std::to_string(i + 1);
    return passing;
}

struct FilterCase {
    const char* name;
    const char* text;
    FilterOptions options;
    const char* rows;
};

class EvaluatorTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(EvaluatorTest, KeepsTheRowsThatPass) {
    EXPECT_EQ(Passing(GetParam().text, GetParam().options), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    NullsAndNumbers, EvaluatorTest,
    ::testing::Values(FilterCase{"lot_filter_skips_null", "id_item = 3", 0, "1,2"},
                      FilterCase{"not_equal_skips_null", "id_item <> 3", 0, "3,5"},
                      FilterCase{"not_reads_null_as_zero", "NOT (id_item = 3)", 0, "3,4,5"},
                      FilterCase{"or_ignores_null_marks", "id_item = 0 or id_item = 5", 0, "4,5"},
                      FilterCase{"integer_against_fraction", "id_item = 3.5", 0, ""},
                      FilterCase{"integer_below_fraction", "id_item < 3.5", 0, "1,2"},
                      FilterCase{"is_null", "preco_ini IS NULL", 0, "2"},
                      FilterCase{"equal_null", "preco_ini = NULL", 0, "2"},
                      FilterCase{"is_not_null", "NULL <> id_item", 0, "1,2,3,5"},
                      FilterCase{"fixed_point_compare", "preco_ini >= 1.5", 0, "1,3,5"},
                      FilterCase{"product_of_decimals", "qtde * preco_ini = 3", 0, "1"},
                      FilterCase{"product_with_null", "qtde * preco_ini >= 0", 0, "1,3,4,5"},
                      FilterCase{"division_by_zero_is_null", "valor / 0 = 1", 0, ""},
                      FilterCase{"division_by_zero_tested", "valor / 0 IS NULL", 0, "1,2,3,4,5"},
                      FilterCase{"division", "valor / qtde = 2", 0, "3"},
                      FilterCase{"float_equal_within_tolerance", "fator = 0.3", 0, "1,2"},
                      FilterCase{"float_not_equal_exact", "fator <> 0.3", 0, "1"},
                      FilterCase{"float_beyond_tolerance", "fator = 0.3000001", 0, ""},
                      FilterCase{"float_beyond_every_integer", "fator < 1e35", 0, "1,2"},
                      FilterCase{"internalcalc_column", "interno = 7", 0, "5"},
                      FilterCase{"boolean_field_alone", "ativo", 0, "1"},
                      FilterCase{"not_boolean_field", "not ativo", 0, "2,3,4,5"},
                      FilterCase{"in_numbers", "id_item IN (4, 5)", 0, "3,5"},
                      FilterCase{"in_with_null_element", "id_item IN (3, NULL)", 0, "1,2"},
                      FilterCase{"in_texts", "descr_item IN ('*', 'L\xC1PIS')", 0, "3,4"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Texts, EvaluatorTest,
    ::testing::Values(
        FilterCase{"prefix_in_capitals", "descr_item = 'CANETA*'", 0, "1"},
        FilterCase{"prefix_any_case", "descr_item = 'CANETA*'", foCaseInsensitive, "1,2"},
        FilterCase{"no_partial_compare", "descr_item = 'CANETA*'", foNoPartialCompare, ""},
        FilterCase{"single_star_is_not_partial", "descr_item = '*'", 0, "4"},
        FilterCase{"one_letter_prefix", "descr_item = 'L*'", 0, "3"},
        FilterCase{"prefix_longer_than_text", "descr_item = 'CANETA AZUL E VERDE*'", 0, ""},
        FilterCase{"whole_text_any_case", "descr_item = 'caneta AZUL'", foCaseInsensitive, "1"},
        FilterCase{"case_sensitive_whole_text", "descr_item = 'caneta AZUL'", 0, ""},
        FilterCase{"accented_any_case", "descr_item = 'l\xE1pis'", foCaseInsensitive, "3"},
        FilterCase{"not_prefix", "descr_item <> 'CANETA*'", 0, "2,3,4,5"},
        FilterCase{"quote_inside", "descr_item = 'O''Brien*'", 0, "5"},
        FilterCase{"locale_order", "descr_item < 'D'", 0, "1,2,4"},
        FilterCase{"like_suffix", "descr_item LIKE '%AZUL'", 0, "1"},
        FilterCase{"like_one_character", "descr_item LIKE 'c_neta%'", 0, "2"},
        FilterCase{"like_any_case", "descr_item LIKE 'c_neta%'", foCaseInsensitive, "1,2"},
        FilterCase{"like_escaped_percent", "descr_item LIKE '%50\\%%'", 0, "5"},
        FilterCase{"like_memo", "compl_descr LIKE '%tungst%'", 0, "1"},
        FilterCase{"concatenation", "descr_item + '!' = 'CANETA AZUL!'", 0, "1"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DatesAndFunctions, EvaluatorTest,
    ::testing::Values(
        FilterCase{"date_equal", "entrega = '10/12/2026'", 0, "1"},
        FilterCase{"date_after", "entrega > '2026-12-10'", 0, "3"},
        FilterCase{"date_plus_days", "entrega + 1 = '2026-12-11'", 0, "1"},
        FilterCase{"date_minus_days", "entrega - 1 = '2026-12-09'", 0, "1"},
        FilterCase{"days_between", "'2026-12-12' - entrega = 2", 0, "1"},
        FilterCase{"year", "Year(entrega) = 2026", 0, "1,3"},
        FilterCase{"month_and_day", "Month(entrega) = 12 and Day(entrega) = 11", 0, "3"},
        FilterCase{"hour_of_a_date", "Hour(entrega) = 0", 0, "1,3"},
        FilterCase{"getdate", "Date(GetDate()) > '2001-01-01' and entrega IS NOT NULL", 0, "1,3"},
        FilterCase{"upper", "Upper(descr_item) = 'CANETA PRETA'", 0, "2"},
        FilterCase{"lower_accented", "Lower(descr_item) = 'l\xE1pis'", 0, "3"},
        FilterCase{"substring", "Substring(descr_item, 1, 3) = 'CAN'", 0, "1"},
        FilterCase{"substring_to_end", "Substring(descr_item, 8) = 'AZUL'", 0, "1"},
        FilterCase{"trim_characters", "TrimLeft(descr_item, 'C') = 'ANETA AZUL'", 0, "1"},
        FilterCase{"trim_blanks", "Trim('  x ') = 'x' and id_item = 4", 0, "3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EvaluatorSearchTest, SeekConditionFindsPrefixesInAnyCase) {
    EXPECT_EQ(Passing("[id_item]=3 and [descr_item]='can*'", foCaseInsensitive,
                      ExpressionPurpose::Search),
              "1,2");
    EXPECT_EQ(
        Passing("[descr_item]='O''Brien 50% off_x'", foNoPartialCompare, ExpressionPurpose::Search),
        "5");
}

TEST(EvaluatorRowViewTest, ReadsTheStoredRowInPlace) {
    const std::vector<StoredColumn> columns = ItemColumns();
    RowImage image(std::make_shared<const RowLayout>(columns));
    image.Put(kIdItem, std::string("\x0C\0\0\0", 4));
    image.Put(kDescrItem, "CANETA AZUL   ");  // trailing blanks are not stored
    image.Put(kPrecoIni, EncodeDecimalUnits(15000));
    static const FakeCatalog catalog;
    const LocaleTextCollation collation(0);
    const ExpressionProgram program =
        CompileCondition(ParseExpression("id_item = 12 and descr_item = 'CANETA AZUL' and "
                                         "preco_ini = 1.5 and qtde IS NULL",
                                         catalog, ExpressionPurpose::Filter, 0, NumberSettings{}),
                         columns);
    ExpressionEvaluator evaluator(program, collation);
    EXPECT_TRUE(evaluator.Passes(RowViewExpressionRow(image.View())));
    image.Put(kIdItem, std::string("\x0D\0\0\0", 4));
    EXPECT_FALSE(evaluator.Passes(RowViewExpressionRow(image.View())));
}

}  // namespace
}  // namespace velmora::store
