// Column comparisons judged on stored bytes give the evaluator's verdicts, decline the rows
// where a compared column is null, and take only the shapes they can judge.
#include "store/expression_column_comparison.h"

#include <gtest/gtest.h>

#include <limits>

#include "expression_test_fakes.h"
#include "store/expression_compiler.h"
#include "store/expression_evaluator.h"
#include "store/expression_parser.h"
#include "store/row_image_layout.h"

namespace velmora::store {
namespace {

using namespace exprtest;

// Values at the edges of each kind, with a null in every compared column somewhere.
std::vector<FakeRow> Rows() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<FakeRow> rows(8);
    rows[0].Int(kIdItem, 3).Text(kDescrItem, "CANETA AZUL").Dec(kPrecoIni, 1.5);
    rows[0].Day(kEntrega, Day(2026, 12, 10)).Real(kFator, 0.1 + 0.2).Int(kInterno, 3);
    rows[1].Int(kIdItem, 4).Text(kDescrItem, "caneta").Dec(kPrecoIni, 0);
    rows[1].Day(kEntrega, Day(2026, 12, 11)).Real(kFator, 0.3).Int(kInterno, 5);
    rows[2].Int(kIdItem, std::numeric_limits<int32_t>::max()).Text(kDescrItem, "");
    rows[2].Dec(kPrecoIni, -2.25).Day(kEntrega, Day(1899, 12, 30)).Real(kFator, -0.0);
    rows[3].Int(kIdItem, std::numeric_limits<int32_t>::min()).Text(kDescrItem, "Caf\xE9");
    rows[3].Dec(kPrecoIni, 99999999999.9999).Day(kEntrega, -1).Real(kFator, nan);
    rows[4].Int(kIdItem, 0).Text(kDescrItem, "D").Dec(kPrecoIni, 1.49995).Real(kFator, 1e300);
    rows[5].Text(kDescrItem, "CANETA").Dec(kPrecoIni, 1.5).Day(kEntrega, Day(2026, 12, 10));
    rows[6].Int(kIdItem, 3).Real(kFator, 0.3).Int(kInterno, 3);
    rows[7].Int(kIdItem, -1);
    return rows;
}

RowImage ImageOf(const FakeRow& fake, const std::shared_ptr<const RowLayout>& layout) {
    RowImage image(layout);
    for (size_t column = 0; column < kColumnCount; ++column)
        if (!fake.IsNull(column)) image.PutStored(column, fake.Stored(column));
    return image;
}

struct ComparisonCase {
    const char* name;
    const char* text;
    FilterOptions options;
    bool judged;  // the shape is one that column comparisons take
};

class ColumnComparisonTest : public testing::TestWithParam<ComparisonCase> {};

TEST_P(ColumnComparisonTest, GivesTheEvaluatorsVerdictOrDeclinesANullColumn) {
    const ComparisonCase& c = GetParam();
    static const FakeCatalog catalog;
    const std::vector<StoredColumn> columns = ItemColumns();
    const auto layout = std::make_shared<const RowLayout>(columns);
    const LocaleTextCollation collation(1046);
    const ExpressionProgram program = CompileCondition(
        ParseExpression(c.text, catalog, ExpressionPurpose::Filter, c.options, NumberSettings{}),
        columns);
    const std::optional<ColumnComparisons> comparisons =
        ColumnComparisons::Of(program, *layout, collation);
    ASSERT_EQ(comparisons.has_value(), c.judged);
    if (!comparisons) return;
    ExpressionEvaluator evaluator(program, collation);
    const std::vector<FakeRow> rows = Rows();
    size_t judged = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        const RowImage image = ImageOf(rows[row], layout);
        const std::optional<bool> verdict = comparisons->Judge(image.View());
        if (!verdict) continue;
        ++judged;
        EXPECT_EQ(*verdict, evaluator.Passes(RowViewExpressionRow(image.View()))) << "row " << row;
    }
    EXPECT_LT(judged, rows.size());  // a null compared column is left to the evaluator
    EXPECT_GT(judged, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Judged, ColumnComparisonTest,
    testing::Values(
        ComparisonCase{"lot_filter", "id_item = 3", 0, true},
        ComparisonCase{"not_equal", "id_item <> 3", 0, true},
        ComparisonCase{"constant_first", "3 < id_item", 0, true},
        ComparisonCase{"integer_extremes", "id_item >= -2147483648", 0, true},
        ComparisonCase{"integer_against_fraction", "id_item < 3.5", 0, true},
        ComparisonCase{"two_columns", "id_item = interno", 0, true},
        ComparisonCase{"fixed_point", "preco_ini >= 1.5", 0, true},
        ComparisonCase{"fixed_point_rounded_away", "preco_ini = 1.4999", 0, true},
        ComparisonCase{"fixed_point_negative", "preco_ini < -2", 0, true},
        ComparisonCase{"float_within_tolerance", "fator = 0.3", 0, true},
        ComparisonCase{"float_not_a_number", "fator <= 1", 0, true},
        ComparisonCase{"date", "entrega = '10/12/2026'", 0, true},
        ComparisonCase{"date_before_day_zero", "entrega < '1899-12-30'", 0, true},
        ComparisonCase{"text_locale_order", "descr_item < 'D'", 0, true},
        ComparisonCase{"text_prefix", "descr_item = 'CANETA*'", 0, true},
        ComparisonCase{"text_any_case", "descr_item = 'caneta'", foCaseInsensitive, true},
        ComparisonCase{"text_accented_any_case", "descr_item = 'CAF\xC9'", foCaseInsensitive, true},
        ComparisonCase{"text_empty", "descr_item <> ''", 0, true},
        ComparisonCase{"conjunction", "id_item = 3 and preco_ini >= 1.5", 0, true},
        ComparisonCase{"nested_conjunction", "id_item >= 0 and (descr_item < 'D' and fator < 1)", 0,
                       true}),
    [](const testing::TestParamInfo<ComparisonCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Declined, ColumnComparisonTest,
    testing::Values(ComparisonCase{"or", "id_item = 3 or id_item = 4", 0, false},
                    ComparisonCase{"not", "not (id_item = 3)", 0, false},
                    ComparisonCase{"in_list", "id_item IN (3, 4)", 0, false},
                    ComparisonCase{"arithmetic", "qtde * preco_ini = 3", 0, false},
                    ComparisonCase{"boolean_column", "ativo", 0, false},
                    ComparisonCase{"like", "descr_item LIKE 'C%'", 0, false},
                    ComparisonCase{"is_null", "preco_ini IS NULL", 0, false},
                    ComparisonCase{"null_constant", "id_item = NULL", 0, false},
                    ComparisonCase{"function", "Upper(descr_item) = 'CANETA'", 0, false},
                    ComparisonCase{"conjunction_with_or",
                                   "id_item = 3 and (fator = 0.3 or fator = 1)", 0, false}),
    [](const testing::TestParamInfo<ComparisonCase>& info) { return info.param.name; });

}  // namespace
}  // namespace velmora::store
