// What the slots' state bytes and the change log record for each sequence of changes, and what
// undo makes of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "STBASE_fixture.h"
#include "store/change_log.h"
#include "store/row_state.h"

namespace velmora::store::testing {
namespace {

struct Step {
    enum Kind { Insert, Rename, Delete, Undo } kind;
    std::string row;  // the name of the row changed (Insert: of the new row)
    std::string to;   // Rename: the new name
};

struct Scenario {
    const char* name;
    std::vector<std::string> loaded;
    std::vector<Step> steps;
    std::vector<uint8_t> states;
    std::vector<ChangeLogEntry> log;
    std::vector<std::string> visible;
};

void PrintTo(const Scenario& c, std::ostream* os) {
    *os << c.name;
}

class ChangeLogScenario : public StoredTableTest, public ::testing::WithParamInterface<Scenario> {
protected:
    void Run(const Step& step) {
        switch (step.kind) {
            case Step::Insert:
                StoredTableTest::Insert(step.row);
                break;
            case Step::Rename:
                StoredTableTest::Rename(step.row, step.to);
                break;
            case Step::Delete:
                table->DeleteRow(SlotOf(step.row));
                break;
            case Step::Undo:
                table->UndoLastChange();
                break;
        }
    }
};

TEST_P(ChangeLogScenario, RecordsStatesAndEntries) {
    const Scenario& scenario = GetParam();
    Load(scenario.loaded);
    for (const Step& step : scenario.steps) Run(step);
    EXPECT_EQ(States(), scenario.states);
    EXPECT_EQ(table->LogEntries(), scenario.log);
    EXPECT_EQ(Visible(), scenario.visible);
}

Step Ins(std::string row) {
    return Step{Step::Insert, std::move(row), {}};
}
Step Ren(std::string row, std::string to) {
    return Step{Step::Rename, std::move(row), std::move(to)};
}
Step Del(std::string row) {
    return Step{Step::Delete, std::move(row), {}};
}
Step Undo() {
    return Step{Step::Undo, {}, {}};
}
using E = ChangeLogEntry;

INSTANTIATE_TEST_SUITE_P(
    StoredTable, ChangeLogScenario,
    ::testing::Values(
        Scenario{"OneEditOfALoadedRow",
                 {"a", "b"},
                 {Ren("a", "a2")},
                 {1, 0, 8},
                 {E{3, 1, 8}},
                 {"a2", "b"}},
        Scenario{"ThreeEditsChainTheVersions",
                 {"a"},
                 {Ren("a", "a2"), Ren("a2", "a3"), Ren("a3", "a4")},
                 {1, 9, 9, 8},
                 {E{2, 1, 8}, E{3, 2, 8}, E{4, 3, 8}},
                 {"a4"}},
        Scenario{"InsertedThenEdited",
                 {},
                 {Ins("a"), Ren("a", "a2")},
                 {5, 12},
                 {E{1, 0, 4}, E{2, 1, 8}},
                 {"a2"}},
        Scenario{"InsertedThenEditedTwice",
                 {},
                 {Ins("a"), Ren("a", "a2"), Ren("a2", "a3")},
                 {5, 13, 12},
                 {E{1, 0, 4}, E{2, 1, 8}, E{3, 2, 8}},
                 {"a3"}},
        Scenario{"LoadedRowDeleted", {"a", "b"}, {Del("a")}, {2, 0}, {E{1, 0, 2}}, {"b"}},
        Scenario{"InsertedRowDeleted", {}, {Ins("a"), Del("a")}, {6}, {E{1, 0, 4}, E{1, 0, 2}}, {}},
        Scenario{"EditedRowDeleted",
                 {"a"},
                 {Ren("a", "a2"), Del("a2")},
                 {1, 10},
                 {E{2, 1, 8}, E{2, 0, 2}},
                 {}},
        Scenario{"InsertedEditedDeleted",
                 {},
                 {Ins("a"), Ren("a", "a2"), Del("a2")},
                 {5, 14},
                 {E{1, 0, 4}, E{2, 1, 8}, E{2, 0, 2}},
                 {}},
        Scenario{"EditedRowKeepsItsPlace",
                 {"a", "b", "c"},
                 {Ren("a", "z")},
                 {1, 0, 0, 8},
                 {E{4, 1, 8}},
                 {"z", "b", "c"}},
        Scenario{"UndoInsertFreesTheLastSlot", {"a"}, {Ins("b"), Undo()}, {0}, {}, {"a"}},
        Scenario{"UndoEditRestoresTheEarlierVersion",
                 {"a", "b"},
                 {Ren("a", "a2"), Undo()},
                 {0, 0},
                 {},
                 {"a", "b"}},
        Scenario{"UndoTwoOfThreeEdits",
                 {"a"},
                 {Ren("a", "a2"), Ren("a2", "a3"), Ren("a3", "a4"), Undo(), Undo()},
                 {1, 8},
                 {E{2, 1, 8}},
                 {"a2"}},
        Scenario{"UndoDeleteBringsTheRowBackInPlace",
                 {"a", "b"},
                 {Del("a"), Undo()},
                 {0, 0},
                 {},
                 {"a", "b"}},
        Scenario{"UndoEditOfAnInsertedRow",
                 {},
                 {Ins("a"), Ren("a", "a2"), Undo()},
                 {4},
                 {E{1, 0, 4}},
                 {"a"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoredTableTest, EditEqualToTheStoredRowStoresNothing) {
    Load({"a"});
    const uint32_t slot = SlotOf("a");
    EXPECT_EQ(table->ModifyRow(slot, Stored(slot)), slot);
    RowImage same = Stored(slot);
    same.Put(kName, "a   ");  // trailing blanks are not part of a text
    EXPECT_EQ(table->ModifyRow(slot, same), slot);
    EXPECT_EQ(table->SlotCount(), 1u);
    EXPECT_TRUE(table->LogEntries().empty());
    EXPECT_EQ(table->ChangedMark(), 0u);
}

TEST_F(StoredTableTest, EveryStoredChangeCountsOnTheChangedMark) {
    Load({"a", "b"});
    Insert("c");
    Rename("a", "a2");
    table->DeleteRow(SlotOf("b"));
    EXPECT_EQ(table->ChangedMark(), 3u);
    table->ClearChangedMark();
    EXPECT_EQ(table->ChangedMark(), 0u);
}

// An undo or a merge changes what a save would write, so they count as changes too.
TEST_F(StoredTableTest, UndoAndMergeCountOnTheChangedMark) {
    Load({"a"});
    Rename("a", "a2");
    Rename("a2", "a3");
    table->ClearChangedMark();
    table->UndoLastChange();
    EXPECT_EQ(table->ChangedMark(), 1u);
    table->MergeChangeLog();
    EXPECT_EQ(table->ChangedMark(), 2u);
}

TEST_F(StoredTableTest, UndoOnAnEmptyLogRaises16386) {
    Load({"a"});
    EXPECT_EQ(StoreCodeOf([&] { table->UndoLastChange(); }), 16386);
    EXPECT_EQ(States(), std::vector<uint8_t>{0});
}

TEST_F(StoredTableTest, UndoInsertGivesBackTheAutoIncrementNumber) {
    Insert("a");
    Insert("b");
    EXPECT_EQ(table->AutoIncCounter(), 3);
    table->UndoLastChange();
    EXPECT_EQ(table->AutoIncCounter(), 2);
    EXPECT_EQ(Int32Of(table->SlotRow(Insert("c")).Value(kId)), 2);
}

TEST_F(StoredTableTest, MergeLeavesTheCurrentRowsUnchangedAndDiscardsTheRest) {
    Load({"a", "b", "c"});
    Rename("a", "a2");
    table->DeleteRow(SlotOf("b"));
    Insert("d");
    table->MergeChangeLog();
    EXPECT_THAT(States(), ::testing::ElementsAre(32, 32, 0, 0, 0));
    EXPECT_TRUE(table->LogEntries().empty());
    EXPECT_EQ(Visible(), (std::vector<std::string>{"a2", "c", "d"}));
    // Discarded slots keep their values but release their large objects.
    EXPECT_EQ(table->SlotRow(1).Value(kName), "a");
    EXPECT_TRUE(table->SlotRow(1).IsNull(kMemo));
    // Changes after a merge start a new log.
    Rename("c", "c2");
    EXPECT_EQ(table->LogEntries(), (std::vector<ChangeLogEntry>{{6, 3, 8}}));
}

TEST_F(StoredTableTest, WithoutLoggingChangesAreMadeInPlace) {
    Load({"a", "b"});
    table->SetChangeLogging(false);
    Rename("a", "a2");
    table->DeleteRow(SlotOf("b"));
    Insert("c");
    EXPECT_THAT(States(), ::testing::ElementsAre(0, 2, 0));
    EXPECT_TRUE(table->LogEntries().empty());
    EXPECT_EQ(Visible(), (std::vector<std::string>{"a2", "c"}));
    EXPECT_EQ(table->ChangedMark(), 3u);
}

TEST(ChangeLog, CapacityGrowsInWholeBlocksOfSixteen) {
    ChangeLog log;
    for (uint32_t n = 1; n <= 100; ++n) {
        log.ReserveOne();
        log.Append(ChangeLogEntry{n, 0, kChangeInsertion});
        ASSERT_EQ(log.Entries().capacity() % ChangeLog::kGrowthStep, 0u) << n;
    }
    EXPECT_EQ(log.Size(), 100u);
    EXPECT_EQ(log.Newest(), (ChangeLogEntry{100, 0, kChangeInsertion}));
}

}  // namespace
}  // namespace velmora::store::testing
