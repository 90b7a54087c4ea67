// Indexes kept current across random changes, compared with a freshly sorted copy.
#include <gtest/gtest.h>

#include <algorithm>

#include "STIDX_fixture.h"
#include "store/STIDX.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

using namespace testing_items;

// The index holds exactly the visible rows, in the key order a fresh sort gives.
testing::AssertionResult IsCurrent(ItemTable& items, const STIDX& index) {
    std::vector<uint32_t> slots = Entries(index);
    std::sort(slots.begin(), slots.end());
    if (slots != items.VisibleSlots())
        return testing::AssertionFailure() << index.Name() << " does not hold the visible rows";
    const std::unique_ptr<STIDX> fresh = STIDX::Build(items.Table(), index.Description());
    for (uint32_t i = 0; i < index.Count(); ++i) {
        const int order = index.Comparer().Compare(items.Table().SlotRow(index.SlotAt(i)),
                                                   items.Table().SlotRow(fresh->SlotAt(i)));
        if (order != 0)
            return testing::AssertionFailure() << index.Name() << " out of order at " << i;
    }
    return testing::AssertionSuccess();
}

// What an index without key columns must hold after a step: new rows at the end, a modified
// row in the place of the version it replaced.
void FollowInSlotOrder(std::vector<uint32_t>& expected, const Step& step) {
    auto replace = [&](uint32_t from, uint32_t to) {
        std::replace(expected.begin(), expected.end(), from, to);
    };
    auto erase = [&](uint32_t slot) { std::erase(expected, slot); };
    switch (step.kind) {
        case Step::Insert:
            expected.push_back(step.slot);
            break;
        case Step::Modify:
            replace(step.replaced, step.slot);
            break;
        case Step::Delete:
            erase(step.slot);
            break;
        case Step::Undo:
            if (step.undone.kind == kChangeDeletion)
                expected.push_back(step.undone.slot);
            else if (step.undone.kind == kChangeInsertion)
                erase(step.undone.slot);
            else
                replace(step.undone.slot, step.undone.replaced);
            break;
    }
}

struct Snapshot {
    uint32_t slots;
    size_t log;
    std::vector<std::vector<uint32_t>> entries;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

class STIDXKeepTest : public testing::TestWithParam<bool> {};

TEST_P(STIDXKeepTest, IndexesStayCurrentAcrossRandomChanges) {
    ItemTable items(/*logging=*/GetParam());
    STBASE& table = items.Table();
    const std::vector<IndexDescription> descriptions{
        {"byNum", {KeyColumn{kNumitem}, KeyColumn{kNuitem}}},
        {"byDescr", {KeyColumn{kDescr, true, true}, KeyColumn{kNumitem}}},
        {"uniqueNuitem", {KeyColumn{kNuitem, true}}, true},
        {"plain", {}},
    };
    std::vector<STIDX*> indexes;
    for (const IndexDescription& description : descriptions) {
        table.InstallOrder(STIDX::Build(table, description));
        indexes.push_back(IndexNamed(table, description.name));
    }
    auto snapshot = [&] {
        Snapshot s{table.SlotCount(), table.LogSize(), {}};
        for (const STIDX* index : indexes) s.entries.push_back(Entries(*index));
        return s;
    };
    std::vector<uint32_t> inSlotOrder;
    RandomChanges changes(items, /*seed=*/20240611, /*keyRange=*/6);
    int refusals = 0;
    for (int i = 0; i < 700; ++i) {
        const Snapshot before = snapshot();
        const Step step = changes.Next();
        if (step.refusal != 0) {
            ASSERT_EQ(step.refusal, kCodeKeyViolation) << "step " << i;
            ASSERT_EQ(snapshot(), before) << "a refused step left something behind at " << i;
            ++refusals;
            continue;
        }
        FollowInSlotOrder(inSlotOrder, step);
        for (const STIDX* index : indexes) ASSERT_TRUE(IsCurrent(items, *index)) << "step " << i;
        ASSERT_EQ(Entries(*indexes.back()), inSlotOrder) << "step " << i;
    }
    EXPECT_GT(refusals, 0);  // the unique index was put to the test
    EXPECT_GT(table.RowCount(), 20u);
}

INSTANTIATE_TEST_SUITE_P(Logging, STIDXKeepTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "LoggingOn" : "LoggingOff";
                         });

}  // namespace
}  // namespace velmora::store
