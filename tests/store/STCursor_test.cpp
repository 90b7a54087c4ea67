// Walking the default order with a cursor while rows come, go and change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "STBASE_fixture.h"
#include "store/row_order_slots.h"
#include "store/store_codes.h"

namespace velmora::store::testing {
namespace {

class CursorTest : public StoredTableTest {
protected:
    void SetUp() override { Load({"a", "b", "c"}); }

    // The names met walking forward from where the cursor is.
    std::vector<std::string> Forward() {
        std::vector<std::string> names;
        while (cursor.MoveNext(row)) names.emplace_back(row.Value(kName));
        return names;
    }

    std::string Current() {
        return cursor.GetCurrent(row) ? std::string(row.Value(kName)) : std::string("<none>");
    }

    void MoveTo(const std::string& name) {
        cursor.SetToBegin();
        while (cursor.MoveNext(row))
            if (row.Value(kName) == name) return;
        FAIL() << "no row " << name;
    }

    STCursor cursor{*table};
    RowImage row;
};

TEST_F(CursorTest, WalksForwardAndBackAndStopsAtBothEnds) {
    EXPECT_EQ(cursor.Position(), STCursor::Place::BeforeFirst);
    EXPECT_FALSE(cursor.MovePrior(row));
    EXPECT_EQ(Forward(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(cursor.Position(), STCursor::Place::AfterLast);
    EXPECT_FALSE(cursor.GetCurrent(row));
    ASSERT_TRUE(cursor.MovePrior(row));
    EXPECT_EQ(row.Value(kName), "c");
    ASSERT_TRUE(cursor.MovePrior(row));
    ASSERT_TRUE(cursor.MovePrior(row));
    EXPECT_EQ(row.Value(kName), "a");
    EXPECT_FALSE(cursor.MovePrior(row));
    EXPECT_EQ(cursor.Position(), STCursor::Place::BeforeFirst);
    cursor.SetToEnd();
    ASSERT_TRUE(cursor.MovePrior(row));
    EXPECT_EQ(row.Value(kName), "c");
    EXPECT_EQ(cursor.RowCount(), 3u);
}

TEST_F(CursorTest, EmptyViewHasNoRowAtEitherEnd) {
    auto empty = STBASE::Create(Columns());
    STCursor other(*empty);
    EXPECT_FALSE(other.MoveNext(row));
    EXPECT_FALSE(other.MovePrior(row));
    EXPECT_EQ(other.RowCount(), 0u);
    EXPECT_EQ(StoreCodeOf([&] { other.DeleteCurrent(); }), kCodeNoCurrentRow);
}

TEST_F(CursorTest, FollowsItsRowToTheNewVersion) {
    MoveTo("b");
    RowImage changed = row;
    changed.Put(kName, "b2");
    cursor.ModifyCurrent(changed);
    EXPECT_EQ(Current(), "b2");
    EXPECT_EQ(cursor.CurrentRowState(), 8);
    EXPECT_EQ(Forward(), (std::vector<std::string>{"c"}));
}

TEST_F(CursorTest, KeepsItsRowWhenOthersAreInsertedDeletedOrChanged) {
    MoveTo("b");
    Insert("d");
    table->DeleteRow(SlotOf("a"));
    Rename("c", "c2");
    EXPECT_EQ(Current(), "b");
    EXPECT_EQ(Forward(), (std::vector<std::string>{"c2", "d"}));
}

TEST_F(CursorTest, StandsBetweenTheNeighboursOfItsDeletedRow) {
    MoveTo("b");
    cursor.DeleteCurrent();
    EXPECT_EQ(cursor.Position(), STCursor::Place::Between);
    EXPECT_EQ(Current(), "<none>");
    ASSERT_TRUE(cursor.MovePrior(row));
    EXPECT_EQ(row.Value(kName), "a");
    MoveTo("c");
    cursor.DeleteCurrent();
    EXPECT_FALSE(cursor.MoveNext(row));
    MoveTo("a");
    cursor.DeleteCurrent();
    EXPECT_FALSE(cursor.MovePrior(row));
    EXPECT_EQ(cursor.RowCount(), 0u);
}

TEST_F(CursorTest, StaysBetweenTheNeighboursWhenTheyChange) {
    MoveTo("b");
    cursor.DeleteCurrent();
    Rename("a", "a2");
    Rename("c", "c2");
    ASSERT_TRUE(cursor.MoveNext(row));
    EXPECT_EQ(row.Value(kName), "c2");
    table->SetChangeLogging(false);  // in place
    MoveTo("c2");
    cursor.DeleteCurrent();
    Rename("a2", "a3");
    EXPECT_FALSE(cursor.MoveNext(row));
    ASSERT_TRUE(cursor.MovePrior(row));
    EXPECT_EQ(row.Value(kName), "a3");
}

TEST_F(CursorTest, NextAfterADeletionIsTheFollowingRow) {
    MoveTo("a");
    cursor.DeleteCurrent();
    EXPECT_EQ(Forward(), (std::vector<std::string>{"b", "c"}));
}

TEST_F(CursorTest, AnUndoneDeletionComesBackBeforeTheCursor) {
    MoveTo("a");
    cursor.DeleteCurrent();
    MoveTo("b");
    table->UndoLastChange();
    EXPECT_EQ(Current(), "b");
    ASSERT_TRUE(cursor.MovePrior(row));
    EXPECT_EQ(row.Value(kName), "a");
}

TEST_F(CursorTest, LandsOnTheRowItInserts) {
    MoveTo("a");
    cursor.InsertRow(Row("d"));
    EXPECT_EQ(Current(), "d");
    EXPECT_EQ(cursor.CurrentRowState(), 4);
    EXPECT_FALSE(cursor.MoveNext(row));
}

TEST_F(CursorTest, BookmarksFindTheirRowAcrossChanges) {
    MoveTo("b");
    const std::optional<Bookmark> b = cursor.GetBookmark();
    ASSERT_TRUE(b);
    MoveTo("c");
    const std::optional<Bookmark> c = cursor.GetBookmark();
    Insert("d");
    table->DeleteRow(SlotOf("a"));
    Rename("b", "b2");
    Rename("b2", "b3");
    cursor.SetToEnd();
    ASSERT_TRUE(cursor.GoToBookmark(*b));
    EXPECT_EQ(Current(), "b3");  // the row's current version
    ASSERT_TRUE(cursor.GoToBookmark(*c));
    EXPECT_EQ(Current(), "c");
    EXPECT_EQ(Forward(), (std::vector<std::string>{"d"}));
}

TEST_F(CursorTest, BookmarkOfADeletedRowIsNotFound) {
    MoveTo("b");
    const Bookmark b = *cursor.GetBookmark();
    MoveTo("c");
    table->DeleteRow(SlotOf("b"));
    EXPECT_FALSE(cursor.GoToBookmark(b));
    EXPECT_EQ(Current(), "c");
    EXPECT_FALSE(cursor.GoToBookmark(Bookmark{99}));
    EXPECT_FALSE(cursor.GoToBookmark(Bookmark{0}));
}

TEST_F(CursorTest, TwoCursorsFollowEachOthersChanges) {
    STCursor other(*table);
    RowImage mine;
    ASSERT_TRUE(other.MoveNext(mine));  // on "a"
    MoveTo("a");
    RowImage changed = row;
    changed.Put(kName, "a2");
    cursor.ModifyCurrent(changed);
    ASSERT_TRUE(other.GetCurrent(mine));
    EXPECT_EQ(mine.Value(kName), "a2");
    cursor.DeleteCurrent();
    EXPECT_FALSE(other.GetCurrent(mine));
    ASSERT_TRUE(other.MoveNext(mine));
    EXPECT_EQ(mine.Value(kName), "b");
}

TEST_F(CursorTest, ARebuiltOrderKeepsTheCursorOnItsRow) {
    MoveTo("b");
    table->InstallOrder(std::make_unique<SlotOrder>(std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(&cursor.Order(), &table->DefaultOrder());
    EXPECT_EQ(Current(), "b");
    EXPECT_EQ(Forward(), (std::vector<std::string>{"c"}));
}

}  // namespace
}  // namespace velmora::store::testing
