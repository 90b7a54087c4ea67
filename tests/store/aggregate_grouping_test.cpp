// Grouped aggregates kept current through random changes, checked against a fresh computation;
// and aggregates that follow the cursor's view when it is filtered or ordered anew.
#include <gtest/gtest.h>

#include <functional>

#include "STBASE_fixture.h"
#include "STIDX_fixture.h"
#include "aggregate_fixture.h"
#include "store/STIDXFILT_expression.h"

namespace velmora::store {
namespace {

using namespace testing_items;
using testing_aggregates::AggregateFields;

ExpressionTree ParseItems(const std::string& text, ExpressionPurpose purpose) {
    return ParseExpression(text, ItemFields(), purpose, 0, {});
}

// What a fresh pass over the visible rows of one group gives.
class FreshGroup {
public:
    FreshGroup(ItemTable& items, const std::function<bool(uint32_t)>& inGroup) {
        const STBASE& table = items.Table();
        for (uint32_t slot : items.VisibleSlots()) {
            if (!inGroup(slot)) continue;
            ++rows;
            const RowView row = table.SlotRow(slot);
            if (!row.IsNull(kNuitem)) {
                const int64_t nuitem = testing::Int32Of(row.Value(kNuitem));
                sum = Value::Double((sum.IsNull() ? 0 : sum.AsDouble()) + nuitem);
                if (min.IsNull() || nuitem < min.AsInteger()) min = Value::Integer(nuitem);
            }
            if (row.IsNull(kDescr)) continue;
            ++descriptions;
            const std::string descr(row.Value(kDescr));
            if (max.IsNull() || platform::CompareText(descr, max.AsText(), 0, false) > 0)
                max = Value::Text(descr);
        }
    }

    int64_t rows = 0;
    int64_t descriptions = 0;
    Value sum, min, max;
};

struct GroupedAggregate {
    const char* text;
    size_t level;
    std::function<Value(const FreshGroup&)> fresh;
};

TEST(AggregateGroupingTest, IncrementalValuesMatchAFreshComputationPerGroup) {
    ItemTable items;
    STCursor cursor(items.Table());
    CursorOrders orders(cursor);
    const std::vector<KeyColumn> key{{kNumitem}, {kNuitem}};
    orders.SortOn(key);
    const std::vector<GroupedAggregate> aggregates{
        {"Sum(nuitem)", 1, [](const FreshGroup& g) { return g.sum; }},
        {"Min(nuitem)", 1, [](const FreshGroup& g) { return g.min; }},
        {"Max(descr)", 1, [](const FreshGroup& g) { return g.max; }},
        {"Count(descr)", 1, [](const FreshGroup& g) { return Value::Integer(g.descriptions); }},
        {"Sum(nuitem)", 0, [](const FreshGroup& g) { return g.sum; }},
        {"Count(*)", 2, [](const FreshGroup& g) { return Value::Integer(g.rows); }}};
    auto set = std::make_unique<AggregateSet>(items.Table(), key);
    std::vector<int> handles;
    for (const GroupedAggregate& aggregate : aggregates)
        handles.push_back(
            set->Add(aggregate.level, ParseItems(aggregate.text, ExpressionPurpose::Aggregate)));
    AggregateSet& carried = *set;
    orders.CarryAggregates(std::move(set));

    RandomChanges changes(items, 20261210, 4);
    for (int step = 0; step < 300; ++step) {
        changes.Next();
        for (uint32_t slot : items.VisibleSlots()) {
            const RowView row = items.Table().SlotRow(slot);
            for (size_t i = 0; i < aggregates.size(); ++i) {
                const FreshGroup fresh(items, [&](uint32_t other) {
                    const RowView candidate = items.Table().SlotRow(other);
                    for (size_t k = 0; k < aggregates[i].level; ++k)
                        if (candidate.IsNull(key[k].column) != row.IsNull(key[k].column) ||
                            candidate.Value(key[k].column) != row.Value(key[k].column))
                            return false;
                    return true;
                });
                ASSERT_EQ(carried.Read(handles[i], row), aggregates[i].fresh(fresh))
                    << aggregates[i].text << " level " << aggregates[i].level << " step " << step;
            }
        }
    }
}

TEST(AggregateGroupingTest, FollowsTheViewThroughFiltersAndOrders) {
    testing_aggregates::AggregateItems items;
    items.Insert({1, 2000, 15000, "a"});
    items.Insert({2, 3000, 10000, "b"});
    items.Insert({2, 5000, 20000, "c"});
    AggregateSet& set = items.Carry("Sum(qtde*preco_ini)");
    EXPECT_EQ(items.Read(set), Value::Double(16));
    const auto lot = [&](int number) {
        return std::make_shared<ExpressionFilter>(
            ParseExpression("id_item = " + std::to_string(number), AggregateFields(),
                            ExpressionPurpose::Filter, 0, {}),
            items.Table());
    };
    const int second = items.Orders().AddFilter(lot(2));
    EXPECT_EQ(items.Read(set), Value::Double(13)) << "the second lot, without a change";
    items.Orders().DropFilter(second);
    items.Orders().AddFilter(lot(1));
    EXPECT_EQ(items.Read(set), Value::Double(3)) << "the first lot";
    items.Insert({1, 1000, 10000, "d"});
    items.Insert({2, 1000, 10000, "e"});
    EXPECT_EQ(items.Read(set), Value::Double(4)) << "only the row that enters the view";
    items.Orders().SortOn({{testing_aggregates::kDescr}});
    EXPECT_EQ(items.Read(set), Value::Double(4)) << "the filtered view in another order";
}

TEST(AggregateGroupingTest, AnUnfilteredTableKeepsItsRowsAcrossOrderChanges) {
    testing_aggregates::AggregateItems items;
    items.Orders().SortOn({{testing_aggregates::kDescr}});
    AggregateSet& set = items.Carry("Count(*)");
    items.Insert({1, 2000, 15000, "a"});
    items.Insert({2, 3000, 10000, "b"});
    items.Orders().SortOn({{testing_aggregates::kLote}});
    items.Insert({2, 5000, 20000, "c"});
    EXPECT_EQ(items.Read(set), Value::Integer(3));
}

}  // namespace
}  // namespace velmora::store
