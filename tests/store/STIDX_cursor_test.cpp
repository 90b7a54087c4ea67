// Order changes, filters and the scan of a table's cursor; the aggregates follow the view.
#include <gtest/gtest.h>

#include "STIDX_fixture.h"
#include "store/STIDX_cursor.h"
#include "store/seek_scan.h"

namespace velmora::store {
namespace {

using namespace testing_items;

// Sum of numitem over the rows it is told of (null counts 0).
class NumitemTotal final : public OrderAggregates {
public:
    NumitemTotal(const ItemTable& items, int64_t& total) : items_(items), total_(total) {}
    void RowAdded(const RowView& row) noexcept override { total_ += Of(row); }
    void RowRemoved(const RowView& row) noexcept override { total_ -= Of(row); }
    void RowReplaced(const RowView& old, const RowView& now) noexcept override {
        total_ += Of(now) - Of(old);
    }
    void Recompute(const RowOrder& rows) noexcept override {
        total_ = 0;
        for (uint32_t slot : Entries(rows)) total_ += items_.Numitem(slot).value_or(0);
    }

private:
    static int64_t Of(const RowView& row) {
        return row.IsNull(kNumitem) ? 0 : static_cast<uint8_t>(row.Value(kNumitem)[0]);
    }
    const ItemTable& items_;
    int64_t& total_;
};

class Numitem final : public RowPredicate {
public:
    explicit Numitem(int32_t wanted) : wanted_(Int32Bytes(wanted)) {}
    bool Accepts(const RowView& row) const override {
        return !row.IsNull(kNumitem) && row.Value(kNumitem) == wanted_;
    }

private:
    std::string wanted_;
};

class CursorOrdersTest : public testing::Test {
protected:
    CursorOrdersTest() {
        // (numitem, nuitem): lot 1 holds 1 and 3, lot 2 holds 2.
        for (auto [numitem, nuitem] : {std::pair{2, 1}, {1, 3}, {2, 2}, {1, 1}, {2, 3}})
            slots.push_back(items.Insert({numitem, nuitem, "x"}));
    }
    STBASE& table() { return items.Table(); }
    std::vector<uint32_t> Walked() { return Entries(cursor.Order()); }
    uint32_t Current() { return cursor.GetBookmark()->slot; }
    void GoTo(uint32_t slot) { ASSERT_TRUE(cursor.GoToBookmark(Bookmark{slot})); }

    ItemTable items{/*logging=*/true};
    std::vector<uint32_t> slots;
    STCursor cursor{items.Table()};
    CursorOrders orders{cursor};
};

TEST_F(CursorOrdersTest, SortKeepsTheCurrentRowAndAPrefixChangesNothing) {
    GoTo(slots[2]);
    orders.SortOn({KeyColumn{kNumitem}, KeyColumn{kNuitem}});
    EXPECT_EQ(Walked(), (std::vector<uint32_t>{slots[3], slots[1], slots[0], slots[2], slots[4]}));
    EXPECT_EQ(Current(), slots[2]);
    const RowOrder* sorted = &orders.Base();
    EXPECT_EQ(sorted->Name(), "numitem");
    orders.SortOn({KeyColumn{kNumitem}});
    EXPECT_EQ(&orders.Base(), sorted);
}

TEST_F(CursorOrdersTest, IndexOfAColumnListGoesWhenTheOrderChangesAgain) {
    orders.CreateIndex(IndexDescription{"nuitem", {KeyColumn{kNuitem, true}}});
    orders.SortOn({KeyColumn{kNumitem}});
    orders.SortOn({KeyColumn{kNuitem}});  // "nuitem" is taken by the declared index
    EXPECT_EQ(table().FindOrder("numitem"), nullptr);
    EXPECT_EQ(orders.Base().Name(), "nuitem~");
    ASSERT_TRUE(orders.UseIndex("nuitem"));
    EXPECT_EQ(table().FindOrder("nuitem~"), nullptr);
    const RowView first = table().SlotRow(Entries(orders.Base()).front());
    EXPECT_EQ(first.Value(kNuitem), Int32Bytes(3));  // descending nuitem
    EXPECT_FALSE(orders.UseIndex("missing"));
    EXPECT_TRUE(orders.UseIndex(kDefaultOrderName));
    EXPECT_EQ(Walked(), slots);
}

TEST_F(CursorOrdersTest, FiltersSurviveOrderChangesAndTheViewGoesWithTheLast) {
    const int lot = orders.AddFilter(std::make_shared<Numitem>(2));
    EXPECT_EQ(Walked(), (std::vector<uint32_t>{slots[0], slots[2], slots[4]}));
    GoTo(slots[4]);
    orders.SortOn({KeyColumn{kNuitem, /*descending=*/true}});
    EXPECT_EQ(Walked(), (std::vector<uint32_t>{slots[4], slots[2], slots[0]}));
    EXPECT_EQ(Current(), slots[4]);
    EXPECT_EQ(orders.View()->Base().Name(), "nuitem");
    EXPECT_TRUE(orders.DropFilter(lot));
    EXPECT_EQ(orders.View(), nullptr);
    EXPECT_EQ(table().FindOrder(kCursorViewName), nullptr);
    EXPECT_EQ(Walked().size(), 5u);
    EXPECT_EQ(Current(), slots[4]);
    EXPECT_FALSE(orders.DropFilter(lot));
}

TEST_F(CursorOrdersTest, AggregatesCoverTheViewWhateverItsOrder) {
    int64_t total = 0;
    orders.CarryAggregates(std::make_unique<NumitemTotal>(items, total));
    EXPECT_EQ(total, 8);  // over the default order, carried by a view without filters
    const int lot = orders.AddFilter(std::make_shared<Numitem>(1));
    EXPECT_EQ(total, 2);
    orders.SortOn({KeyColumn{kNumitem}, KeyColumn{kNuitem}});
    EXPECT_EQ(total, 2);
    items.Insert({1, 9, "y"});
    items.Insert({2, 9, "y"});
    EXPECT_EQ(total, 3);
    orders.DropFilter(lot);
    EXPECT_EQ(total, 11);
    orders.SortOn({KeyColumn{kNuitem}});  // the old order is released, the total stays
    EXPECT_EQ(table().FindOrder("numitem"), nullptr);
    items.Modify(slots[0], {0, 1, "x"});
    EXPECT_EQ(total, 9);
    EXPECT_TRUE(orders.UseIndex(kDefaultOrderName));
    EXPECT_EQ(total, 9);
    ASSERT_NE(orders.Aggregates(), nullptr);
}

// What a released cursor leaves is what a fresh cursor on the kept table expects: no view, no
// index of a column list (so the next sort gets its plain name back), no aggregates.
TEST_F(CursorOrdersTest, ReleaseLeavesOnlyTheTablesOwnOrders) {
    orders.CreateIndex(IndexDescription{"declared", {KeyColumn{kNuitem}}});
    ASSERT_TRUE(orders.UseIndex("declared"));
    int64_t total = 0;
    orders.CarryAggregates(std::make_unique<NumitemTotal>(items, total));
    orders.SortOn({KeyColumn{kNumitem}});
    orders.AddFilter(std::make_shared<Numitem>(1));
    orders.Release();
    EXPECT_EQ(table().FindOrder(kCursorViewName), nullptr);
    EXPECT_EQ(table().FindOrder("numitem"), nullptr);
    EXPECT_NE(table().FindOrder("declared"), nullptr);
    EXPECT_EQ(&cursor.Order(), &table().DefaultOrder());
    EXPECT_EQ(orders.Aggregates(), nullptr);
    items.Insert({1, 9, "y"});
    EXPECT_EQ(total, 2);  // no longer told of changes

    CursorOrders next(cursor);
    next.SortOn({KeyColumn{kNumitem}});
    EXPECT_EQ(next.Base().Name(), "numitem");
}

TEST_F(CursorOrdersTest, ScanFindsTheFirstMatchInViewOrder) {
    orders.SortOn({KeyColumn{kNuitem, /*descending=*/true}});
    RowImage row;
    ASSERT_TRUE(ScanForward(cursor, Numitem(2), row));
    EXPECT_EQ(Current(), slots[4]);  // nuitem 3 comes first
    orders.AddFilter(std::make_shared<Numitem>(1));
    EXPECT_FALSE(ScanForward(cursor, Numitem(2), row));
    EXPECT_EQ(cursor.Position(), STCursor::Place::AfterLast);
}

}  // namespace
}  // namespace velmora::store
