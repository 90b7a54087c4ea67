// The order of the events of every table operation.

#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TMemTable_test_fixture.h"

namespace velmora::store::testing {
namespace {

using ::testing::ElementsAreArray;

struct EventCase {
    const char* name;
    int rows;  // rows in the table before the operation
    std::function<void(LotTable&)> operation;
    std::vector<std::string> expected;
};

class EventOrder : public ::testing::TestWithParam<EventCase> {};

TEST_P(EventOrder, FiresInOrder) {
    const EventCase& c = GetParam();
    LotTable lots;
    lots.Create(c.rows);
    lots.RecordEvents();
    c.operation(lots);
    EXPECT_THAT(lots.events, ElementsAreArray(c.expected));
}

void Reopen(LotTable& lots) {
    lots.table.CloseTable();
    lots.table.OpenTable();
}

void EditAndPost(LotTable& lots) {
    lots.table.BeginEdit();
    lots.marca.SetAsText("Acme");
    lots.table.PostRow();
}

INSTANTIATE_TEST_SUITE_P(
    Operations, EventOrder,
    ::testing::Values(
        EventCase{"OpenWithRows",
                  2,
                  Reopen,
                  {"BeforeClose", "AfterClose", "BeforeOpen", "OnCalcFields:1", "AfterOpen",
                   "AfterScroll"}},
        EventCase{"OpenEmptyViewFiresNoAfterScroll",
                  0,
                  Reopen,
                  {"BeforeClose", "AfterClose", "BeforeOpen", "AfterOpen"}},
        EventCase{"EditWriteAndPost",
                  2,
                  EditAndPost,
                  {"BeforeEdit", "OnCalcFields:1", "AfterEdit", "OnCalcFields:1", "BeforePost",
                   "OnCalcFields:1", "AfterPost"}},
        EventCase{"EditAndCancel",
                  2,
                  [](LotTable& lots) {
                      lots.table.BeginEdit();
                      lots.marca.SetAsText("Acme");
                      lots.table.CancelEdit();
                  },
                  {"BeforeEdit", "OnCalcFields:1", "AfterEdit", "OnCalcFields:1", "BeforeCancel",
                   "OnCalcFields:1", "AfterCancel"}},
        EventCase{"AppendAndPost",
                  1,
                  [](LotTable& lots) {
                      lots.table.AppendRow();
                      lots.id.SetAsInt32(7);
                      lots.table.PostRow();
                  },
                  // One buffer: the new row fills the window, no row before it is fetched.
                  {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                   "OnCalcFields:7", "BeforePost", "OnCalcFields:7", "AfterPost"}},
        EventCase{"InsertAndCancel",
                  1,
                  [](LotTable& lots) {
                      lots.table.InsertRow();
                      lots.table.CancelEdit();
                  },
                  {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                   "BeforeCancel", "BeforeScroll", "OnCalcFields:1", "AfterCancel", "AfterScroll"}},
        EventCase{"BeginEditOnEmptyViewInserts",
                  0,
                  [](LotTable& lots) { lots.table.BeginEdit(); },
                  {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
        EventCase{"Delete",
                  2,
                  [](LotTable& lots) { lots.table.DeleteRow(); },
                  {"BeforeDelete", "BeforeScroll", "OnCalcFields:2", "AfterDelete", "AfterScroll"}},
        EventCase{"GoNextFetchesTheNextRow",
                  2,
                  [](LotTable& lots) { lots.table.GoNext(); },
                  {"BeforeScroll", "OnCalcFields:2", "AfterScroll"}},
        EventCase{"GoNextOnLastRowThenAgain",
                  1,
                  [](LotTable& lots) {
                      lots.table.GoNext();
                      lots.table.GoNext();
                  },
                  {"BeforeScroll", "AfterScroll", "BeforeScroll"}},
        EventCase{"GoFirstOnEmptyView",
                  0,
                  [](LotTable& lots) { lots.table.GoFirst(); },
                  {"BeforeScroll", "AfterScroll"}},
        EventCase{"MoveWhileEditingWithWritePostsFirst",
                  2,
                  [](LotTable& lots) {
                      lots.table.BeginEdit();
                      lots.marca.SetAsText("Acme");
                      lots.table.GoNext();
                  },
                  {"BeforeEdit", "OnCalcFields:1", "AfterEdit", "OnCalcFields:1", "BeforePost",
                   "OnCalcFields:1", "AfterPost", "BeforeScroll", "OnCalcFields:2", "AfterScroll"}},
        EventCase{"MoveWhileEditingWithoutWriteCancelsFirst",
                  2,
                  [](LotTable& lots) {
                      lots.table.BeginEdit();
                      lots.table.GoNext();
                  },
                  {"BeforeEdit", "OnCalcFields:1", "AfterEdit", "BeforeCancel", "OnCalcFields:1",
                   "AfterCancel", "BeforeScroll", "OnCalcFields:2", "AfterScroll"}},
        EventCase{"CloseWithPendingRowPostsNothing",
                  1,
                  [](LotTable& lots) {
                      lots.table.BeginEdit();
                      lots.marca.SetAsText("Acme");
                      lots.table.CloseTable();
                  },
                  {"BeforeEdit", "OnCalcFields:1", "AfterEdit", "OnCalcFields:1", "BeforeClose",
                   "AfterClose"}},
        EventCase{"AppendRefusedInBeforeInsert",
                  1,
                  [](LotTable& lots) {
                      lots.table.BeforeInsert = [](TTableBase& table) { table.RaiseAbort(); };
                      EXPECT_THROW(lots.table.AppendRow(), EAbort);
                  },
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The program's stamp loop: every row visited once, in order, though each is posted.
TEST(EventOrder, LoopThatPostsEveryRowVisitsEachOnce) {
    LotTable lots;
    lots.Create(3);
    std::vector<int> visited;
    for (lots.table.GoFirst(); !lots.table.AtEnd(); lots.table.GoNext()) {
        visited.push_back(lots.id.AsInt32());
        lots.table.BeginEdit();
        lots.marca.SetAsText("Acme");
        lots.table.PostRow();
        EXPECT_FALSE(lots.table.AtEnd());
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace velmora::store::testing
