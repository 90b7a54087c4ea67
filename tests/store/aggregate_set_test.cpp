// The aggregate functions over the rows of an order, with null arguments, as rows change.
#include "store/aggregate_set.h"

#include <gtest/gtest.h>

#include "STBASE_fixture.h"
#include "aggregate_fixture.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

using namespace testing_aggregates;
using testing::StoreCodeOf;

// Quantities 2, 3, 5 and none; prices 1.50, none, 2.00 and 4.00; descriptions whose byte
// order is not their collation order.
std::vector<uint32_t> InsertFourItems(AggregateItems& items) {
    return {items.Insert({1, 2000, 15000, "Banana"}), items.Insert({1, 3000, std::nullopt, "agua"}),
            items.Insert({2, 5000, 20000, "caf\xE9"}),
            items.Insert({2, std::nullopt, 40000, std::nullopt})};
}

struct FunctionCase {
    const char* name;
    const char* text;
    Value expected;
};

class AggregateFunctionTest : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(AggregateFunctionTest, AccumulatesTheRowsWithArguments) {
    AggregateItems items;
    InsertFourItems(items);
    AggregateSet& set = items.Carry(GetParam().text);
    EXPECT_EQ(items.Read(set), GetParam().expected);
}

TEST_P(AggregateFunctionTest, RowsAddedAfterTheFirstReadGiveTheSameValue) {
    AggregateItems items;
    AggregateSet& set = items.Carry(GetParam().text);
    items.Read(set);
    InsertFourItems(items);
    EXPECT_EQ(items.Read(set), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, AggregateFunctionTest,
    ::testing::Values(FunctionCase{"SumOfProducts", "Sum(qtde*preco_ini)", Value::Double(13)},
                      FunctionCase{"SumOfFixedPoint", "sum(qtde)", Value::Double(10)},
                      FunctionCase{"Count", "Count(preco_ini)", Value::Integer(3)},
                      FunctionCase{"CountStar", "COUNT(*)", Value::Integer(4)},
                      FunctionCase{"Avg", "Avg(preco_ini)", Value::Double(2.5)},
                      FunctionCase{"MinOfFixedPoint", "Min(preco_ini)", Value::Fixed({15000})},
                      FunctionCase{"MaxOfFixedPoint", "Max(qtde)", Value::Fixed({50000})},
                      FunctionCase{"MinOfTextByCollation", "Min(descr)", Value::Text("agua")},
                      FunctionCase{"MaxOfInteger", "Max(id_item)", Value::Integer(2)},
                      FunctionCase{"TermsCombined", "Sum(qtde) / Count(*) + 1",
                                   Value::Double(3.5)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AggregateSetTest, NoContributingRowIsNullButCountsAreZero) {
    AggregateItems items;
    const uint32_t slot = items.Insert({1, 2000, std::nullopt, "x"});
    for (const auto& [text, expected] :
         std::vector<std::pair<std::string, Value>>{{"Sum(qtde*preco_ini)", Value()},
                                                    {"Max(preco_ini)", Value()},
                                                    {"Count(preco_ini)", Value::Integer(0)},
                                                    {"Count(*)", Value::Integer(1)}}) {
        AggregateSet& set = items.Carry(text);
        EXPECT_EQ(items.Read(set), expected) << text;
    }
    AggregateSet& sum = items.Carry("Sum(qtde)");
    EXPECT_EQ(items.Read(sum), Value::Double(2));
    items.Delete(slot);
    EXPECT_EQ(items.Read(sum), Value()) << "the last value left";
}

TEST(AggregateSetTest, SumFollowsModificationsDeletionsAndUndo) {
    AggregateItems items;
    const std::vector<uint32_t> slots = InsertFourItems(items);
    AggregateSet& set = items.Carry("Sum(qtde*preco_ini)");
    EXPECT_EQ(items.Read(set), Value::Double(13));
    items.Modify(slots[1], {1, 3000, 10000, "agua"});
    EXPECT_EQ(items.Read(set), Value::Double(16));
    items.Delete(slots[0]);
    EXPECT_EQ(items.Read(set), Value::Double(13));
    items.Table().UndoLastChange();
    EXPECT_EQ(items.Read(set), Value::Double(16));
    items.Table().UndoLastChange();
    EXPECT_EQ(items.Read(set), Value::Double(13));
}

struct ExtremeCase {
    const char* name;
    const char* text;
    size_t removed;  // of the four items
    Value before;
    Value after;
};

class AggregateExtremeTest : public ::testing::TestWithParam<ExtremeCase> {};

TEST_P(AggregateExtremeTest, RemovingTheExtremeFindsTheNextOne) {
    const ExtremeCase& c = GetParam();
    AggregateItems items;
    const std::vector<uint32_t> slots = InsertFourItems(items);
    AggregateSet& set = items.Carry(c.text);
    EXPECT_EQ(items.Read(set), c.before);
    items.Delete(slots[c.removed]);
    EXPECT_EQ(items.Read(set), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Extremes, AggregateExtremeTest,
    ::testing::Values(
        ExtremeCase{"MinPrice", "Min(preco_ini)", 0, Value::Fixed({15000}), Value::Fixed({20000})},
        ExtremeCase{"MaxPrice", "Max(preco_ini)", 3, Value::Fixed({40000}), Value::Fixed({20000})},
        ExtremeCase{"MinNotRemoved", "Min(preco_ini)", 2, Value::Fixed({15000}),
                    Value::Fixed({15000})},
        ExtremeCase{"MaxText", "Max(descr)", 2, Value::Text("caf\xE9"), Value::Text("Banana")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AggregateSetTest, ModifyingTheMinimumUpwardsRescans) {
    AggregateItems items;
    const std::vector<uint32_t> slots = InsertFourItems(items);
    AggregateSet& set = items.Carry("Min(preco_ini)");
    EXPECT_EQ(items.Read(set), Value::Fixed({15000}));
    items.Modify(slots[0], {1, 2000, 90000, "Banana"});
    EXPECT_EQ(items.Read(set), Value::Fixed({20000}));
    items.Modify(slots[1], {1, 3000, 5000, "agua"});
    EXPECT_EQ(items.Read(set), Value::Fixed({5000}));
}

TEST(AggregateSetTest, WhatCannotBeCompiledIsRefusedWithItsCode) {
    AggregateItems items;
    AggregateSet set(items.Table(), {});
    EXPECT_EQ(StoreCodeOf([&] { set.Add(0, AggregateItems::Parse("Sum(descr)")); }),
              kCodeCannotCompile);
    ExpressionTree filter =
        ParseExpression("id_item = 1", AggregateFields(), ExpressionPurpose::Filter, 0, {});
    EXPECT_EQ(StoreCodeOf([&] { set.Add(0, filter); }), kCodeCannotCompile);
    const int handle = set.Add(0, AggregateItems::Parse("Sum(qtde*preco_ini)"));
    EXPECT_EQ(set.Describe(handle).type, ftFloat);
    EXPECT_TRUE(set.Drop(handle));
    EXPECT_FALSE(set.Drop(handle));
}

}  // namespace
}  // namespace velmora::store
