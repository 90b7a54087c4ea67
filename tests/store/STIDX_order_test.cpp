// Where an index puts rows: building by sort or from another index, equal keys, nulls.
#include <gtest/gtest.h>

#include <random>

#include "STIDX_fixture.h"
#include "store/STCursor.h"
#include "store/STIDX.h"

namespace velmora::store {
namespace {

using namespace testing_items;

const IndexDescription kByNum{"byNum", {KeyColumn{kNumitem}, KeyColumn{kNuitem}}};
const IndexDescription kNumOnly{"numitem", {KeyColumn{kNumitem}}};

class STIDXOrderTest : public testing::Test {
protected:
    STIDX& Install(const IndexDescription& description, const STIDX* source = nullptr) {
        table().InstallOrder(STIDX::Build(table(), description, source));
        return *IndexNamed(table(), description.name);
    }
    STBASE& table() { return items.Table(); }

    ItemTable items;
};

TEST_F(STIDXOrderTest, EqualKeyGoesAfterTheRowsAlreadyThere) {
    STIDX& index = Install(kNumOnly);
    const uint32_t first = items.Insert({2, 1, "a"});
    const uint32_t low = items.Insert({1, 9, "b"});
    const uint32_t second = items.Insert({2, 0, "c"});
    const uint32_t none = items.Insert({std::nullopt, 5, "d"});
    const uint32_t third = items.Insert({2, 7, "e"});
    EXPECT_EQ(Entries(index), (std::vector<uint32_t>{none, low, first, second, third}));

    // A new version with the same key keeps the place; a key that changes goes after its equals.
    const uint32_t renamed = items.Modify(first, {2, 1, "z"});
    EXPECT_EQ(Entries(index), (std::vector<uint32_t>{none, low, renamed, second, third}));
    const uint32_t moved = items.Modify(renamed, {1, 1, "z"});
    const uint32_t back = items.Modify(moved, {2, 1, "z"});
    EXPECT_EQ(Entries(index), (std::vector<uint32_t>{none, low, second, third, back}));
}

TEST_F(STIDXOrderTest, UndoneModificationReturnsToTheOldKeysPlace) {
    STIDX& index = Install(kNumOnly);
    const uint32_t a = items.Insert({1, 0, "a"});
    const uint32_t b = items.Insert({2, 0, "b"});
    items.Modify(a, {3, 0, "a"});
    EXPECT_EQ(Entries(index).back(), table().SlotCount());
    table().UndoLastChange();
    EXPECT_EQ(Entries(index), (std::vector<uint32_t>{a, b}));
}

TEST_F(STIDXOrderTest, SortGivesKeyOrderThenSlotOrderOverManyRows) {
    RandomChanges random(items, 7, /*keyRange=*/40);
    for (int i = 0; i < 3000; ++i) items.Insert(random.RandomItem());
    const std::unique_ptr<STIDX> index = STIDX::Build(
        table(),
        IndexDescription{"mixed", {KeyColumn{kDescr, false, true}, KeyColumn{kNumitem, true}}});
    ASSERT_EQ(index->Count(), 3000u);
    for (uint32_t i = 1; i < index->Count(); ++i) {
        const int order = index->Comparer().Compare(table().SlotRow(index->SlotAt(i - 1)),
                                                    table().SlotRow(index->SlotAt(i)));
        ASSERT_TRUE(order < 0 || (order == 0 && index->SlotAt(i - 1) < index->SlotAt(i)))
            << "at " << i;
    }
}

TEST_F(STIDXOrderTest, BuildingFromAnIndexKeepsItsOrderForEqualKeys) {
    RandomChanges random(items, 11, /*keyRange=*/5);
    for (int i = 0; i < 500; ++i) items.Insert(random.RandomItem());
    const STIDX& byNum = Install(kByNum);
    ASSERT_EQ(SourceIndexFor(table(), kNumOnly.keys, {"DEFAULT_ORDER", "byNum"}), &byNum);

    const std::unique_ptr<STIDX> fromSource = STIDX::Build(table(), kNumOnly, &byNum);
    const std::unique_ptr<STIDX> bySort = STIDX::Build(table(), kNumOnly);
    // Rows with equal numitem keep byNum's order, so the whole order is byNum's.
    EXPECT_EQ(Entries(*fromSource), Entries(byNum));
    ASSERT_EQ(bySort->Count(), fromSource->Count());
    for (uint32_t i = 0; i < bySort->Count(); ++i)
        ASSERT_EQ(bySort->Comparer().Compare(table().SlotRow(bySort->SlotAt(i)),
                                             table().SlotRow(fromSource->SlotAt(i))),
                  0);
}

TEST_F(STIDXOrderTest, SourceMustBeginWithTheSameKeyAndFlags) {
    Install(kByNum);
    const std::vector<std::string> names{"DEFAULT_ORDER", "byNum", "missing"};
    EXPECT_EQ(SourceIndexFor(table(), {KeyColumn{kNuitem}}, names), nullptr);
    EXPECT_EQ(SourceIndexFor(table(), {KeyColumn{kNumitem, true}}, names), nullptr);
    EXPECT_EQ(SourceIndexFor(table(), {KeyColumn{kNumitem}, KeyColumn{kNuitem}, KeyColumn{kDescr}},
                             names),
              nullptr);
    EXPECT_EQ(IndexNamed(table(), "DEFAULT_ORDER"), nullptr);  // the slot order is no index
}

TEST_F(STIDXOrderTest, WithoutKeyColumnsRowsStayInSlotOrder) {
    const uint32_t a = items.Insert({3, 0, "a"});
    const uint32_t b = items.Insert({1, 0, "b"});
    STIDX& plain = Install(IndexDescription{"plain", {}});
    const uint32_t c = items.Insert({0, 0, "c"});
    const uint32_t a2 = items.Modify(a, {9, 9, "a"});
    EXPECT_EQ(Entries(plain), (std::vector<uint32_t>{a2, b, c}));
}

TEST_F(STIDXOrderTest, NameAndKeyAreCutToTheirLimits) {
    IndexDescription description{std::string(40, 'x'), {}};
    for (int i = 0; i < 20; ++i) description.keys.push_back(KeyColumn{kNumitem});
    const std::unique_ptr<STIDX> index = STIDX::Build(table(), description);
    EXPECT_EQ(index->Name(), std::string(31, 'x'));
    EXPECT_EQ(index->Description().keys.size(), 16u);
}

TEST_F(STIDXOrderTest, CursorWalksTheIndexAndFollowsItsRow) {
    STIDX& index = Install(kNumOnly);
    items.Insert({3, 0, "c"});
    const uint32_t b = items.Insert({2, 0, "b"});
    items.Insert({1, 0, "a"});
    STCursor cursor(table());
    cursor.UseOrder(index);
    RowImage row;
    ASSERT_TRUE(cursor.MoveNext(row));
    ASSERT_TRUE(cursor.MoveNext(row));
    EXPECT_EQ(cursor.GetBookmark()->slot, b);
    cursor.ModifyCurrent(items.Image({5, 0, "b"}));
    EXPECT_FALSE(cursor.MoveNext(row));  // the row moved to the end, and the cursor with it
}

}  // namespace
}  // namespace velmora::store
