// Bound controls through a data source: the row window they size, what they are told and
// what the table asks of them.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TMemTable_test_fixture.h"

namespace velmora::store::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

std::vector<std::string> WindowKeys(LotTable& lots) {
    std::vector<std::string> keys;
    for (int row = 0; row < lots.table.WindowRowCount(); ++row) {
        TTableBase::WindowRowScope scope(lots.table, row);
        keys.push_back(lots.id.AsText());
    }
    return keys;
}

TEST(DataSource, WindowFollowsTheLargestControl) {
    LotTable lots;
    lots.Create(5);
    TDataSource source(&lots.table);
    RecordingLink small, grid;
    small.SetSource(&source);
    EXPECT_EQ(lots.table.BufferCount(), 2);
    grid.rows = 3;
    grid.SetSource(&source);
    EXPECT_EQ(lots.table.BufferCount(), 4);
    EXPECT_THAT(WindowKeys(lots), ElementsAre("1", "2", "3"));
    grid.SetRows(2);
    EXPECT_THAT(WindowKeys(lots), ElementsAre("1", "2"));
    grid.SetSource(nullptr);
    EXPECT_EQ(lots.table.BufferCount(), 2);
    EXPECT_EQ(lots.table.WindowRowCount(), 1);
}

// Five rows shown by a grid of three.
class GridOfThree : public ::testing::Test {
protected:
    GridOfThree() {
        grid.rows = 3;
        grid.SetSource(&source);
        lots.Create(5);
    }

    LotTable lots;
    TDataSource source{&lots.table};
    RecordingLink grid;
};

TEST_F(GridOfThree, ScrollingPastTheWindowDropsTheOldestRow) {
    lots.table.GoLast();
    EXPECT_THAT(WindowKeys(lots), ElementsAre("3", "4", "5"));
    EXPECT_EQ(lots.table.CurrentWindowRow(), 2);
    lots.table.MoveRows(-3);
    EXPECT_THAT(WindowKeys(lots), ElementsAre("2", "3", "4"));
    EXPECT_EQ(lots.id.AsInt32(), 2);
}

// The pending row stays at its window row when posted.
TEST_F(GridOfThree, PostKeepsTheCurrentRowAtItsWindowRow) {
    lots.table.GoLast();
    lots.table.GoPrior();
    lots.table.BeginEdit();
    lots.marca.SetAsText("Acme");
    lots.table.PostRow();
    EXPECT_EQ(lots.table.CurrentWindowRow(), 1);
    EXPECT_THAT(WindowKeys(lots), ElementsAre("3", "4", "5"));
}

TEST_F(GridOfThree, AppendShowsTheRowsBeforeTheNewOne) {
    lots.table.AppendRow();
    EXPECT_THAT(WindowKeys(lots), ElementsAre("4", "5", ""));
    EXPECT_EQ(lots.table.CurrentWindowRow(), 2);
}

// Two rows shown by an edit control.
class OneEdit : public ::testing::Test {
protected:
    OneEdit() {
        edit.SetSource(&source);
        lots.Create(2);
    }

    LotTable lots;
    TDataSource source{&lots.table};
    RecordingLink edit;
};

TEST_F(OneEdit, ControlsHearOfWritesAndScrolls) {
    lots.table.BeginEdit();
    edit.calls.clear();
    lots.marca.SetAsText("Acme");
    EXPECT_THAT(edit.calls, ElementsAre("field:dobro", "field:marca"));  // recomputed first
    lots.table.GoNext();
    EXPECT_THAT(edit.calls, Contains("rows"));
}

// A control's pending typed text reaches the row before it is posted, so a move posts it.
TEST_F(OneEdit, PendingTextIsFlushedBeforeSettling) {
    lots.table.BeginEdit();
    edit.pendingText = [this] { lots.marca.SetAsText("Typed"); };
    lots.table.GoNext();
    lots.table.GoFirst();
    EXPECT_EQ(lots.marca.AsText(), "Typed");
}

TEST_F(OneEdit, RequiredFieldGetsTheFocus) {
    lots.table.AppendRow();
    lots.marca.SetAsText("Acme");
    EXPECT_THROW(lots.table.PostRow(), EDatabaseError);
    EXPECT_EQ(edit.focused, &lots.id);
}

TEST(DataSource, DestroyingEitherSideDetaches) {
    LotTable lots;
    RecordingLink edit;
    {
        TDataSource source(&lots.table);
        edit.rows = 4;
        edit.SetSource(&source);
        EXPECT_EQ(lots.table.BufferCount(), 5);
    }
    EXPECT_EQ(edit.Source(), nullptr);
    EXPECT_EQ(lots.table.BufferCount(), 2);
    TDataSource source(&lots.table);
    {
        RecordingLink grid;
        grid.rows = 6;
        grid.SetSource(&source);
    }
    EXPECT_TRUE(source.Links().empty());
    EXPECT_EQ(lots.table.BufferCount(), 2);
}

}  // namespace
}  // namespace velmora::store::testing
