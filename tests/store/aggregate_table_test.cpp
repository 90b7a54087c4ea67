// SomaItens and other aggregates as the table maintains them: through posts, filters, order
// changes and AggregatesActive, and the failures of their definitions.
#include <gtest/gtest.h>

#include "aggregate_table_fixture.h"
#include "platform/errors.h"
#include "store/TIndexDef.h"

namespace velmora::store {
namespace {

using testing::SummedItems;

std::string MessageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const EDatabaseError& error) {
        return error.what();
    }
    return "nothing raised";
}

TEST(AggregateTableTest, SomaItensIncludesThePostedPriceInAfterPost) {
    SummedItems items;
    items.Create();
    items.table.SetFilter("id_item = 1");
    items.table.SetFiltered(true);
    EXPECT_EQ(items.soma.AsValue(), Value::Double(13));
    Value inAfterPost;
    items.table.AfterPost = [&](TTableBase&) { inAfterPost = items.soma.AsValue(); };
    items.GoToItem(2);
    items.table.BeginEdit();
    items.preco.SetAsFixed(FixedPoint{10000});
    items.table.PostRow();
    EXPECT_EQ(inAfterPost, Value::Double(16));
    EXPECT_EQ(items.soma.DisplayText(), "16,00");
}

TEST(AggregateTableTest, FilteringToAnotherLotChangesTheSumWithoutAPost) {
    SummedItems items;
    items.Create();
    EXPECT_EQ(items.soma.AsValue(), Value::Double(53));
    items.table.SetFilter("id_item = 2");
    items.table.SetFiltered(true);
    EXPECT_EQ(items.soma.AsValue(), Value::Double(40));
    items.table.SetFilter("id_item = 1");
    EXPECT_EQ(items.soma.AsValue(), Value::Double(13));
    items.table.SetFiltered(false);
    EXPECT_EQ(items.soma.AsValue(), Value::Double(53));
}

TEST(AggregateTableTest, NullOnAnEmptyViewAndWhileAggregatesAreInactive) {
    SummedItems items;
    items.Create();
    items.table.SetFilter("id_item = 9");
    items.table.SetFiltered(true);
    EXPECT_TRUE(items.soma.IsNullValue());
    EXPECT_EQ(items.soma.AsText(), "");
    items.table.SetFiltered(false);
    items.table.SetAggregatesActive(false);
    EXPECT_TRUE(items.soma.IsNullValue());
    EXPECT_EQ(items.soma.DisplayText(), "");
    items.table.SetAggregatesActive(true);
    EXPECT_EQ(items.soma.AsValue(), Value::Double(53)) << "activated on the open table";
}

TEST(AggregateTableTest, TheDisplayPatternGroupsThousands) {
    SummedItems items;
    items.table.CreateEmpty();
    items.Append(1, 1, 1000, 12345000);
    EXPECT_EQ(items.soma.DisplayText(), "1.234,50");
    EXPECT_EQ(items.soma.AsText(), "1234,5");
}

TEST(AggregateTableTest, OrderChangesKeepTheSumOverTheView) {
    SummedItems items;
    items.Create();
    items.table.SetFilter("id_item = 1");
    items.table.SetFiltered(true);
    items.table.SetIndexFieldNames("preco_ini");
    EXPECT_EQ(items.soma.AsValue(), Value::Double(13));
    items.table.SetIndexFieldNames("");
    EXPECT_EQ(items.soma.AsValue(), Value::Double(13));
}

class GroupedItems : public ::testing::Test {
protected:
    GroupedItems() {
        TIndexDef byLot;
        byLot.Name = "porLote";
        byLot.Fields = "id_item;nuitem";
        items.table.IndexDefs().push_back(byLot);
        lotSum.SetExpression("Sum(qtde*preco_ini)");
        lotSum.SetGroupingLevel(1);
        lotSum.SetIndexName("porLote");
        lotSum.SetActive(true);
    }

    // The lot sum at each row of the view, in view order.
    std::vector<Value> LotSums() {
        std::vector<Value> sums;
        for (items.table.GoFirst(); !items.table.AtEnd(); items.table.GoNext())
            sums.push_back(lotSum.AsValue());
        return sums;
    }

    SummedItems items;
    TAggregateField& lotSum = items.table.AddField<TAggregateField>("SomaLote");
};

TEST_F(GroupedItems, SumsEachLotOnTheIndexItNames) {
    items.table.SetIndexName("porLote");
    items.Create();
    const Value lot1 = Value::Double(13), lot2 = Value::Double(40);
    EXPECT_EQ(LotSums(), (std::vector<Value>{lot1, lot1, lot1, lot2}));
    items.GoToItem(4);
    items.table.BeginEdit();
    items.id.SetAsInt32(1);
    items.table.PostRow();
    EXPECT_EQ(LotSums(), std::vector<Value>(4, Value::Double(53)));
}

TEST_F(GroupedItems, NotInUseOnAnotherOrder) {
    items.Create();
    EXPECT_EQ(LotSums(), std::vector<Value>(4, Value()));
    items.table.SetIndexName("porLote");
    EXPECT_EQ(LotSums().back(), Value::Double(40));
}

TEST(AggregateTableTest, ACalculatedFieldCannotBeSummed) {
    SummedItems items;
    items.soma.SetExpression("Sum(totitem)");
    EXPECT_EQ(MessageOf([&] { items.table.CreateEmpty(); }),
              "Field 'totitem' is not the correct type of calculated field to be used in an "
              "aggregate, use an internalcalc");
    EXPECT_FALSE(items.table.Active());
}

TEST(AggregateTableTest, AnInactiveFieldsBadExpressionIsReportedAtOpen) {
    SummedItems items;
    items.soma.SetActive(false);
    items.soma.SetExpression("Sum(qtde*preco_ini");
    EXPECT_EQ(MessageOf([&] { items.table.CreateEmpty(); }),
              "')' or ',' expected but nothing found");
    items.soma.SetExpression("Sum(qtde*preco_ini)");
    items.table.CreateEmpty();
    EXPECT_TRUE(items.soma.IsNullValue()) << "inactive: not maintained";
}

TEST(AggregateTableTest, DefinitionsMayNotChangeWhileInUse) {
    SummedItems items;
    items.Create();
    const std::string open = "CDSDigitacao: Cannot perform this operation on an open dataset";
    EXPECT_EQ(MessageOf([&] { items.soma.SetExpression("Count(*)"); }), open);
    EXPECT_EQ(MessageOf([&] { items.soma.SetGroupingLevel(1); }), open);
    EXPECT_EQ(MessageOf([&] { items.soma.SetIndexName("x"); }), open);
    EXPECT_EQ(MessageOf([&] { items.soma.SetActive(false); }), open);

    TAggregate& count = items.table.AddAggregate();
    count.SetExpression("Count(*)");
    count.SetActive(true);
    const std::string active = "Property may not be modified while aggregate is active";
    EXPECT_EQ(MessageOf([&] { count.SetExpression("Count(qtde)"); }), active);
    EXPECT_EQ(MessageOf([&] { count.SetGroupingLevel(1); }), active);
    EXPECT_EQ(count.Expression(), "Count(*)");
    count.SetActive(false);
    count.SetExpression("Count(preco_ini)");
    count.SetActive(true);
    items.table.SetAggregatesActive(false);
    items.table.SetAggregatesActive(true);
    EXPECT_EQ(items.table.AggregateValue(count), Value::Integer(3));
}

}  // namespace
}  // namespace velmora::store
