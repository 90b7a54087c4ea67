// A free-standing aggregate's definition and its out-of-date mark.
#include "store/TAggregate.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/errors.h"

namespace velmora::store {
namespace {

struct DefinitionChange {
    const char* name;
    std::function<void(TAggregate&)> change;
};

class AggregateDefinitionTest : public ::testing::TestWithParam<DefinitionChange> {};

TEST_P(AggregateDefinitionTest, RefusedWhileActiveAndMarksOutOfDateOtherwise) {
    TAggregate aggregate;
    aggregate.SetExpression("Count(*)");
    aggregate.Parsed({});
    aggregate.SetActive(true);
    try {
        GetParam().change(aggregate);
        ADD_FAILURE() << "accepted while active";
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), "Property may not be modified while aggregate is active");
    }
    EXPECT_EQ(aggregate.Expression(), "Count(*)");
    EXPECT_EQ(aggregate.GroupingLevel(), 0);
    EXPECT_EQ(aggregate.IndexName(), "");
    EXPECT_FALSE(aggregate.OutOfDate());
    aggregate.SetActive(false);
    GetParam().change(aggregate);
    EXPECT_TRUE(aggregate.OutOfDate());
}

INSTANTIATE_TEST_SUITE_P(
    Properties, AggregateDefinitionTest,
    ::testing::Values(
        DefinitionChange{"Expression", [](TAggregate& a) { a.SetExpression("Sum(qtde)"); }},
        DefinitionChange{"GroupingLevel", [](TAggregate& a) { a.SetGroupingLevel(1); }},
        DefinitionChange{"IndexName", [](TAggregate& a) { a.SetIndexName("porLote"); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store
