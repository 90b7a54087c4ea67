// The table's filter: Filter, FilterOptions and Filtered, what each assignment moves and fires,
// what a text that does not parse leaves behind, and the record-filter callback.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "table_order_fixture.h"

namespace velmora::store::testing_view {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct FilterCase {
    const char* name;
    const char* text;
    FilterOptions options;
    std::vector<int32_t> keys;  // the view, in "numitem;nuitem" order
};

class FilterThroughTheTable : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterThroughTheTable, KeepsTheRowsThatPass) {
    const FilterCase& c = GetParam();
    ItemTable items;
    items.table.OpenTable();
    items.table.SetFilterOptions(c.options);
    items.table.SetFilter(c.text);
    items.table.SetFiltered(true);
    EXPECT_EQ(items.Keys(), c.keys);
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, FilterThroughTheTable,
    ::testing::Values(
        FilterCase{"OneLot", "id_item = 2", 0, {5, 20}},
        FilterCase{"PrefixInTheSameCase", "descr_item = 'Caf*'", 0, {40}},
        FilterCase{"PrefixInAnyCase", "descr_item = 'Caf*'", foCaseInsensitive, {30, 15, 40}},
        FilterCase{"NoPartialCompareWantsTheStar", "descr_item = 'Caf*'", foNoPartialCompare, {}},
        FilterCase{"ASingleStarIsNoPrefix", "descr_item = '*'", 0, {60}},
        FilterCase{"NullPassesNoComparison", "numitem <> 1", 0, {10, 15, 40, 50, 60}},
        FilterCase{"IsNull", "numitem IS NULL", 0, {30}},
        FilterCase{"DivisionByZeroIsNull", "numitem / 0 = 1", 0, {}},
        FilterCase{"CommentIgnored", "numitem = 2 /* lote dois */", 0, {10, 15}},
        FilterCase{"QuoteInsideText", "descr_item = 'copo d''\xE1gua'", 0, {50}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableFilter, SwitchingTheLotMovesToItsFirstItemAndFiresTheScrolls) {
    ItemTable items;
    items.table.OpenTable();
    items.table.SetFilter("id_item = 1");
    items.RecordScrolls();
    items.table.SetFiltered(true);
    EXPECT_EQ(items.nuitem.AsInt32(), 30);
    EXPECT_THAT(items.events, ElementsAre("BeforeScroll", "AfterScroll"));
    items.table.GoNext();
    items.events.clear();
    items.table.SetFilter("id_item = 3");
    EXPECT_EQ(items.nuitem.AsInt32(), 40);
    EXPECT_THAT(items.events, ElementsAre("BeforeScroll", "AfterScroll"));
    EXPECT_THAT(items.Keys(), ElementsAre(40, 50, 60));
}

TEST(TableFilter, FilteredAgainMovesToTheFirstRowAndFiresTheScrolls) {
    ItemTable items;
    items.OpenFiltered("id_item = 1");
    items.table.GoLast();
    items.RecordScrolls();
    items.table.SetFiltered(true);
    EXPECT_EQ(items.nuitem.AsInt32(), 30);
    EXPECT_THAT(items.events, ElementsAre("BeforeScroll", "AfterScroll"));
}

TEST(TableFilter, AnUnfilteredTableOnlyStoresTheText) {
    ItemTable items;
    items.table.OpenTable();
    items.GoToKey(10);
    items.RecordScrolls();
    items.table.SetFilter("id_item =");  // not parsed until it applies
    EXPECT_EQ(items.table.Filter(), "id_item =");
    EXPECT_EQ(items.nuitem.AsInt32(), 10);
    EXPECT_THAT(items.events, IsEmpty());
}

TEST(TableFilter, AFilterMatchingNothingGivesAnEmptyView) {
    ItemTable items;
    items.table.OpenTable();
    items.table.SetFilter("id_item = 9");
    items.RecordScrolls();
    items.table.SetFiltered(true);
    EXPECT_TRUE(items.table.IsEmptyView());
    EXPECT_TRUE(items.table.AtEnd());
    EXPECT_THAT(items.events, ElementsAre("BeforeScroll", "AfterScroll"));
}

TEST(TableFilter, TheOrderAndTheFilterEachKeepTheOther) {
    ItemTable items;
    items.OpenFiltered("id_item = 1");
    items.table.SetIndexFieldNames("descr_item");
    EXPECT_THAT(items.Keys(), ElementsAre(10, 15, 30));
    items.table.SetFilter("id_item = 2");
    EXPECT_THAT(items.Keys(), ElementsAre(5, 20));
    items.table.SetFiltered(false);
    EXPECT_THAT(items.Keys(), ElementsAre(60, 5, 20, 10, 15, 40, 30, 50));
}

TEST(TableFilter, FilterAndOrderSurviveClosing) {
    ItemTable items;
    items.table.SetFilter("id_item = 1");
    items.table.SetFiltered(true);
    items.table.OpenTable();
    EXPECT_THAT(items.Keys(), ElementsAre(30, 10, 15));
    items.table.CloseTable();
    items.table.OpenTable();
    EXPECT_THAT(items.Keys(), ElementsAre(30, 10, 15));
}

TEST(TableFilter, PostingARowOutOfTheLotTakesItOutOfTheView) {
    ItemTable items;
    items.OpenFiltered("id_item = 1");
    items.table.GoNext();  // 10
    items.table.BeginEdit();
    items.id.SetAsInt32(2);
    items.table.PostRow();
    EXPECT_EQ(items.nuitem.AsInt32(), 15);
    EXPECT_THAT(items.Keys(), ElementsAre(30, 15));
}

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const EDatabaseError& error) {
        return error.what();
    }
    return "no error";
}

// The old filter is dropped before the new text is parsed; the old text stays stored.
TEST(TableFilter, ATextThatDoesNotParseLeavesTheViewUnfilteredAndTheOldText) {
    ItemTable items;
    items.OpenFiltered("id_item = 2");
    EXPECT_EQ(MessageOf([&] { items.table.SetFilter("id_item = 2 /* lote"); }),
              "Invalid filter expression character: '/'");
    EXPECT_EQ(items.table.Filter(), "id_item = 2");
    EXPECT_TRUE(items.table.Filtered());
    EXPECT_EQ(items.Keys().size(), 8u);
    // Setting the stored text again applies it, though it equals the stored one.
    items.table.SetFilter("id_item = 2");
    EXPECT_THAT(items.Keys(), ElementsAre(5, 20));
}

TEST(TableFilter, FilteredWithATextThatDoesNotParseStaysUnfiltered) {
    ItemTable items;
    items.table.OpenTable();
    items.GoToKey(10);
    items.table.SetFilter("id_item =");
    EXPECT_EQ(MessageOf([&] { items.table.SetFiltered(true); }),
              "Expression expected but nothing found");
    EXPECT_FALSE(items.table.Filtered());
    EXPECT_EQ(items.nuitem.AsInt32(), 10);
    EXPECT_EQ(items.Keys().size(), 8u);
}

TEST(TableFilter, FilteredAtOpenWithATextThatDoesNotParseLeavesTheTableClosed) {
    ItemTable items;
    items.table.SetFilter("[preco] = 1");
    items.table.SetFiltered(true);
    EXPECT_EQ(MessageOf([&] { items.table.OpenTable(); }), "CDSDigitacao: Field 'preco' not found");
    EXPECT_FALSE(items.table.Active());
}

TEST(TableFilter, TheRecordFilterJudgesEachRowWithTheFilter) {
    ItemTable items;
    std::vector<TableState> states;
    items.table.OnFilterRecord = [&](TTableBase& table) {
        states.push_back(table.CurrentState());
        return items.descr.AsText().size() > 5;
    };
    items.OpenFiltered("id_item = 1");
    EXPECT_THAT(items.Keys(), ElementsAre(10));  // "banana"; "caf\xE9" and "cafe" are short
    EXPECT_THAT(states, ::testing::Each(TableState::Filtering));
    items.table.SetFiltered(false);
    EXPECT_EQ(items.Keys().size(), 8u);
}

}  // namespace
}  // namespace velmora::store::testing_view
