// Unique indexes refuse equal keys, and a refusal leaves nothing behind.
#include <gtest/gtest.h>

#include <functional>

#include "STIDX_fixture.h"
#include "store/STIDX.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

using namespace testing_items;

int CodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EStoreError& error) {
        return error.Code();
    }
    return 0;
}

class STIDXUniqueTest : public testing::TestWithParam<bool> {
protected:
    STIDXUniqueTest() : items(/*logging=*/GetParam()) {
        table().InstallOrder(
            STIDX::Build(table(), IndexDescription{"byNum", {KeyColumn{kNumitem}}}));
        table().InstallOrder(STIDX::Build(
            table(), IndexDescription{
                         "unique", {KeyColumn{kNuitem}, KeyColumn{kDescr, false, true}}, true}));
        first = items.Insert({1, 10, "caf\xE9"});
        second = items.Insert({2, 20, "agua"});
    }
    STBASE& table() { return items.Table(); }

    // Refused, and the table, its log and both indexes are as they were.
    void ExpectRefused(const std::function<void()>& change) {
        const uint32_t slots = table().SlotCount(), rows = table().RowCount();
        const size_t log = table().LogSize();
        const auto byNum = Entries(*table().FindOrder("byNum"));
        const auto unique = Entries(*table().FindOrder("unique"));
        const RowView firstRow = table().SlotRow(first);
        const std::string firstBytes(firstRow.Bytes());
        EXPECT_EQ(CodeOf(change), kCodeKeyViolation);
        EXPECT_EQ(table().SlotCount(), slots);
        EXPECT_EQ(table().RowCount(), rows);
        EXPECT_EQ(table().LogSize(), log);
        EXPECT_EQ(Entries(*table().FindOrder("byNum")), byNum);
        EXPECT_EQ(Entries(*table().FindOrder("unique")), unique);
        EXPECT_EQ(table().SlotRow(first).Bytes(), firstBytes);
    }

    ItemTable items;
    uint32_t first = 0, second = 0;
};

TEST_P(STIDXUniqueTest, InsertOfAnEqualKeyIsRefused) {
    ExpectRefused([&] { items.Insert({7, 10, "CAF\xC9"}); });  // equal ignoring case
}

TEST_P(STIDXUniqueTest, ModificationOntoAnotherRowsKeyIsRefused) {
    ExpectRefused([&] { items.Modify(first, {1, 20, "Agua"}); });
}

TEST_P(STIDXUniqueTest, ModificationKeepingItsOwnKeyIsAccepted) {
    const uint32_t slot = items.Modify(first, {5, 10, "caf\xE9"});
    EXPECT_EQ(Entries(*table().FindOrder("unique")), (std::vector<uint32_t>{slot, second}));
    const uint32_t recased = items.Modify(slot, {5, 10, "CAF\xC9"});
    EXPECT_EQ(Entries(*table().FindOrder("unique")), (std::vector<uint32_t>{recased, second}));
}

TEST_P(STIDXUniqueTest, TwoNullKeysAreEqual) {
    items.Insert({3, std::nullopt, std::nullopt});
    ExpectRefused([&] { items.Insert({4, std::nullopt, std::nullopt}); });
}

INSTANTIATE_TEST_SUITE_P(Logging, STIDXUniqueTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "LoggingOn" : "LoggingOff";
                         });

TEST(STIDXUniqueBuildTest, BuildOverEqualKeysFails) {
    ItemTable items;
    items.Insert({1, 5, "a"});
    items.Insert({2, 6, "b"});
    items.Insert({1, 7, "c"});
    const IndexDescription unique{"unique", {KeyColumn{kNumitem}}, true};
    EXPECT_EQ(CodeOf([&] { STIDX::Build(items.Table(), unique); }), kCodeKeyViolation);
    const std::unique_ptr<STIDX> source = STIDX::Build(
        items.Table(), IndexDescription{"both", {KeyColumn{kNumitem}, KeyColumn{kNuitem}}});
    EXPECT_EQ(CodeOf([&] { STIDX::Build(items.Table(), unique, source.get()); }),
              kCodeKeyViolation);
}

}  // namespace
}  // namespace velmora::store
