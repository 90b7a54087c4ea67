// When calculated fields are computed, and for which rows.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TMemTable_test_fixture.h"

namespace velmora::store::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A table of five rows shown three at a time.
class Calculated : public ::testing::Test {
protected:
    Calculated() {
        link.rows = 3;
        link.SetSource(&source);
        lots.Create(5);
        lots.RecordEvents();
    }

    LotTable lots;
    TDataSource source{&lots.table};
    RecordingLink link;
};

TEST_F(Calculated, OnceForEveryRowFetchedAtOpen) {
    lots.table.CloseTable();
    lots.table.OpenTable();
    EXPECT_THAT(lots.events,
                ElementsAre("BeforeClose", "AfterClose", "BeforeOpen", "OnCalcFields:1",
                            "OnCalcFields:2", "OnCalcFields:3", "AfterOpen", "AfterScroll"));
}

TEST_F(Calculated, OnlyForTheRowsEnteringTheWindow) {
    lots.table.GoNext();
    lots.table.GoNext();
    EXPECT_THAT(lots.events,
                ElementsAre("BeforeScroll", "AfterScroll", "BeforeScroll", "AfterScroll"));
    lots.events.clear();
    lots.table.GoNext();
    EXPECT_THAT(lots.events, ElementsAre("BeforeScroll", "OnCalcFields:4", "AfterScroll"));
}

TEST_F(Calculated, ForEveryRowReReadAfterPost) {
    lots.table.BeginEdit();
    lots.marca.SetAsText("Acme");
    lots.events.clear();
    lots.table.PostRow();
    EXPECT_THAT(lots.events, ElementsAre("BeforePost", "OnCalcFields:1", "OnCalcFields:2",
                                         "OnCalcFields:3", "AfterPost"));
}

TEST_F(Calculated, AfterEachDataWriteOnlyWhileAutoCalcFields) {
    lots.table.BeginEdit();
    lots.events.clear();
    lots.valor.SetAsInt32(4);
    EXPECT_THAT(lots.events, ElementsAre("OnCalcFields:1"));
    EXPECT_EQ(lots.dobro.AsNumber(), 8);
    lots.table.SetAutoCalcFields(false);
    lots.events.clear();
    lots.valor.SetAsInt32(5);
    EXPECT_THAT(lots.events, IsEmpty());
    EXPECT_EQ(lots.dobro.AsNumber(), 8);
}

TEST_F(Calculated, ReadingInBrowseComputesNothing) {
    EXPECT_EQ(lots.dobro.AsNumber(), 20);
    EXPECT_EQ(lots.dobro.DisplayText(), "20");
    EXPECT_THAT(lots.events, IsEmpty());
}

TEST_F(Calculated, AppendedRowStartsNullUntilItsFirstWrite) {
    lots.table.AppendRow();
    EXPECT_TRUE(lots.dobro.IsNullValue());
    lots.valor.SetAsInt32(3);
    EXPECT_EQ(lots.dobro.AsNumber(), 6);
}

TEST_F(Calculated, RecomputedValueIsAnnouncedWithoutMarkingTheRow) {
    lots.table.BeginEdit();
    link.calls.clear();
    lots.dobro.SetAsNumber(1);
    EXPECT_FALSE(lots.table.RowModified());
    lots.valor.SetAsInt32(4);
    EXPECT_THAT(link.calls, ElementsAre("field:dobro", "field:dobro", "field:valor"));
    EXPECT_TRUE(lots.table.RowModified());
}

TEST_F(Calculated, StateIsCalculatingOnlyWhileRowsAreFetched) {
    std::vector<TableState> states;
    lots.table.OnCalcFields = [&](TTableBase& table) { states.push_back(table.CurrentState()); };
    lots.table.GoLast();
    lots.table.BeginEdit();
    lots.valor.SetAsInt32(1);
    EXPECT_THAT(states,
                ElementsAre(TableState::Calculating, TableState::Calculating,
                            TableState::Calculating, TableState::Calculating, TableState::Editing));
    EXPECT_EQ(lots.table.CurrentState(), TableState::Editing);
}

}  // namespace
}  // namespace velmora::store::testing
