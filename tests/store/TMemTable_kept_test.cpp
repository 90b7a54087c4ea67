// A table without a FileName keeps its data in memory from one close to the next open, with no
// packet provider installed; what it cannot keep or save is reported, never lost quietly.

#include <gtest/gtest.h>

#include "TMemTable_test_fixture.h"
#include "platform/errors.h"
#include "store/STBASE.h"
#include "store/packet_provider.h"

namespace velmora::store::testing {
namespace {

constexpr char kMissing[] = "CDSLotes: Missing data provider or data packet";

// Every slot's state byte, then every log entry, of the table's stored table.
struct StoredSnapshot {
    std::vector<uint8_t> states;
    std::vector<ChangeLogEntry> log;
    friend bool operator==(const StoredSnapshot&, const StoredSnapshot&) = default;
};

StoredSnapshot SnapshotOf(const TMemTable& table) {
    const STBASE& stored = *table.StoredTable();
    StoredSnapshot snapshot;
    for (uint32_t slot = 1; slot <= stored.SlotCount(); ++slot)
        snapshot.states.push_back(stored.SlotState(slot));
    snapshot.log = stored.LogEntries();
    return snapshot;
}

std::string OpenFailure(TMemTable& table) {
    try {
        table.OpenTable();
    } catch (const EDatabaseError& error) {
        return error.Message();
    }
    return "opened";
}

class KeptTable : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(InstalledPacketProvider(), nullptr); }

    // Three lots; the second gets a brand, the third is deleted.
    void CreateAndChange() {
        lots.Create(3);
        lots.table.GoNext();
        lots.table.BeginEdit();
        lots.marca.SetAsText("Acme");
        lots.table.PostRow();
        lots.table.GoLast();
        lots.table.DeleteRow();
    }

    LotTable lots;
};

TEST_F(KeptTable, CloseAndOpenGiveBackRowsStatesAndLog) {
    CreateAndChange();
    const StoredSnapshot before = SnapshotOf(lots.table);
    ASSERT_EQ(before.states, (std::vector<uint8_t>{4, 5, 6, 12}));
    lots.table.CloseTable();
    lots.table.OpenTable();
    EXPECT_EQ(SnapshotOf(lots.table), before);
    EXPECT_EQ(lots.Keys(), (std::vector<int>{1, 2}));
    lots.table.GoFirst();
    lots.table.GoNext();
    EXPECT_EQ(lots.marca.AsText(), "Acme");
    // The log goes on from where it was.
    lots.table.BeginEdit();
    lots.marca.SetAsText("Outra");
    lots.table.PostRow();
    EXPECT_EQ(lots.table.StoredTable()->LogEntries().back(), (ChangeLogEntry{5, 4, 8}));
}

TEST_F(KeptTable, NeverCreatedTableHasNothingToOpen) {
    EXPECT_EQ(OpenFailure(lots.table), kMissing);
    EXPECT_FALSE(lots.table.Active());
}

// Without a provider nothing can write the file; the close says so and keeps the rows, which
// the next open gives back.
TEST_F(KeptTable, CloseThatCannotSaveToItsFileKeepsTheRows) {
    CreateAndChange();
    lots.table.SetFileName("lotes.xml");
    try {
        lots.table.CloseTable();
        FAIL() << "closed";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), kMissing);
    }
    EXPECT_FALSE(lots.table.Active());
    lots.table.OpenTable();
    EXPECT_EQ(lots.Keys(), (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace velmora::store::testing
