// Parsed filter texts as filters of a view.
#include "store/STIDXFILT_expression.h"

#include <gtest/gtest.h>

#include "STIDX_fixture.h"
#include "platform/codepage.h"
#include "store/STIDXFILT.h"
#include "store/expression_parser.h"

namespace velmora::store {
namespace {

using namespace testing_items;

struct FilterCase {
    const char* name;
    const char* text;
    ExpressionPurpose purpose;
    FilterOptions options;
    std::vector<size_t> rows;  // positions of the inserted rows that pass, in slot order
};

class ExpressionFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(ExpressionFilterTest, ViewHoldsTheRowsTheConditionAccepts) {
    const FilterCase& c = GetParam();
    ItemTable items;
    std::vector<uint32_t> slots;
    for (const Item& item : std::vector<Item>{{3, 1, "Caf\xE9"},
                                              {2, 2, "cafeteira"},
                                              {3, std::nullopt, "O'Brien"},
                                              {std::nullopt, 4, std::nullopt}})
        slots.push_back(items.Insert(item));
    STBASE& table = items.Table();
    table.InstallOrder(std::make_unique<STIDXFILT>(table, table.DefaultOrder(), "view"));
    auto& view = dynamic_cast<STIDXFILT&>(*table.FindOrder("view"));
    const ExpressionTree tree = ParseExpression(c.text, ItemFields(), c.purpose, c.options, {});
    view.AddFilter(std::make_shared<ExpressionFilter>(tree, table));
    std::vector<uint32_t> expected;
    for (size_t row : c.rows) expected.push_back(slots[row]);
    EXPECT_EQ(Entries(view), expected);
}

constexpr auto kFilter = ExpressionPurpose::Filter;
constexpr auto kSearch = ExpressionPurpose::Search;

INSTANTIATE_TEST_SUITE_P(
    Texts, ExpressionFilterTest,
    testing::Values(
        FilterCase{"Number", "numitem = 3", kFilter, 0, {0, 2}},
        FilterCase{"NullIsNotTrue", "nuitem > 1", kFilter, 0, {1, 3}},
        FilterCase{"IsNull", "[numitem] IS NULL", kSearch, 0, {3}},
        FilterCase{"PrefixIgnoringCase", "[descr]='CAF*'", kSearch, foCaseInsensitive, {0, 1}},
        FilterCase{"WholeValueWithoutPartial", "[descr]='Caf*'", kSearch, foNoPartialCompare, {}},
        FilterCase{"QuoteInside", "[descr]='O''Brien'", kSearch, foNoPartialCompare, {2}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

}  // namespace
}  // namespace velmora::store
