// Filtered views kept current across random changes: always the base's passing rows, in the
// base's order, with their aggregates over exactly those rows.
#include <gtest/gtest.h>

#include "STIDX_fixture.h"
#include "store/STIDX.h"
#include "store/STIDXFILT.h"

namespace velmora::store {
namespace {

using namespace testing_items;

int32_t NumitemOf(const RowView& row) {
    const std::string_view bytes = row.Value(kNumitem);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[i]);
    return static_cast<int32_t>(value);
}

bool EvenNumitem(const RowView& row) {
    return !row.IsNull(kNumitem) && NumitemOf(row) % 2 == 0;
}
bool HasDescr(const RowView& row) {
    return !row.IsNull(kDescr);
}

// Sum and count of numitem over the rows it is told of.
class NumitemSum final : public OrderAggregates {
public:
    explicit NumitemSum(const STBASE& table) : table_(table) {}
    void RowAdded(const RowView& row) noexcept override { Add(row, 1); }
    void RowRemoved(const RowView& row) noexcept override { Add(row, -1); }
    void RowReplaced(const RowView& old, const RowView& replacement) noexcept override {
        Add(old, -1);
        Add(replacement, 1);
    }
    void Recompute(const RowOrder& rows) noexcept override {
        sum = count = 0;
        ++recomputes;
        for (uint32_t i = 0; i < rows.Count(); ++i) Add(table_.SlotRow(rows.SlotAt(i)), 1);
    }

    int64_t sum = 0, count = 0;
    int recomputes = 0;

private:
    void Add(const RowView& row, int sign) {
        count += sign;
        if (!row.IsNull(kNumitem)) sum += sign * NumitemOf(row);
    }
    const STBASE& table_;
};

std::vector<uint32_t> Passing(const STBASE& table, const RowOrder& base) {
    std::vector<uint32_t> slots;
    for (uint32_t slot : Entries(base)) {
        const RowView row = table.SlotRow(slot);
        if (EvenNumitem(row) && HasDescr(row)) slots.push_back(slot);
    }
    return slots;
}

struct ViewCase {
    const char* name;
    bool logging;
    bool keyedBase;
};

class STIDXFILTKeepTest : public testing::TestWithParam<ViewCase> {};

TEST_P(STIDXFILTKeepTest, ViewIsTheBasesPassingRowsAfterEveryChange) {
    ItemTable items(GetParam().logging);
    STBASE& table = items.Table();
    RandomChanges changes(items, /*seed=*/4242, /*keyRange=*/4);
    for (int i = 0; i < 40; ++i) items.Insert(changes.RandomItem());
    // Few numitem values: long runs of equal keys, whose order only the base knows; without
    // key columns every row ties and only the base's positions tell the order.
    IndexDescription description{"base", {}};
    if (GetParam().keyedBase) description.keys.push_back(KeyColumn{kNumitem, true});
    table.InstallOrder(STIDX::Build(table, description));
    RowOrder* base = table.FindOrder("base");
    table.InstallOrder(std::make_unique<STIDXFILT>(table, *base, "view"));
    auto& view = dynamic_cast<STIDXFILT&>(*table.FindOrder("view"));
    auto sum = std::make_unique<NumitemSum>(table);
    NumitemSum& aggregates = *sum;
    view.Aggregates().Carry(std::move(sum), view);
    view.AddFilter(std::make_shared<CallbackFilter>(EvenNumitem));
    view.AddFilter(std::make_shared<CallbackFilter>(HasDescr));
    ASSERT_EQ(Entries(view), Passing(table, *base));

    for (int i = 0; i < 800; ++i) {
        changes.Next();
        ASSERT_EQ(Entries(view), Passing(table, *base)) << "step " << i;
        NumitemSum fresh(table);
        fresh.Recompute(view);
        ASSERT_EQ(aggregates.sum, fresh.sum) << "step " << i;
        ASSERT_EQ(aggregates.count, fresh.count) << "step " << i;
    }
    EXPECT_GT(view.Count(), 5u);
}

INSTANTIATE_TEST_SUITE_P(
    Bases, STIDXFILTKeepTest,
    testing::Values(ViewCase{"NoKeyLogging", true, false}, ViewCase{"NoKeyInPlace", false, false},
                    ViewCase{"IndexLogging", true, true}, ViewCase{"IndexInPlace", false, true}),
    [](const testing::TestParamInfo<ViewCase>& info) { return info.param.name; });

}  // namespace
}  // namespace velmora::store
