#include "datapacket/row_attribute_index.h"

#include <gtest/gtest.h>

namespace velmora::datapacket {
namespace {

std::vector<int> SlotsNamed(const RowAttributeIndex& index, std::string_view name) {
    std::vector<int> slots;
    for (int slot = index.Find(name); slot != RowAttributeIndex::kNone; slot = index.Next(slot))
        slots.push_back(slot);
    return slots;
}

TEST(RowAttributeIndexTest, FindsEverySlotOfAName) {
    // x1yzz and x2yzz share length and end bytes, so they share a bucket chain.
    const RowAttributeIndex index(
        {"numitem", "x1yzz", "", "x2yzz", "marca", "numitem", "RowState"});
    EXPECT_EQ(SlotsNamed(index, "numitem"), (std::vector<int>{0, 5}));
    EXPECT_EQ(SlotsNamed(index, "x1yzz"), (std::vector<int>{1}));
    EXPECT_EQ(SlotsNamed(index, "x2yzz"), (std::vector<int>{3}));
    EXPECT_EQ(SlotsNamed(index, "RowState"), (std::vector<int>{6}));
    EXPECT_TRUE(SlotsNamed(index, "").empty());
    EXPECT_TRUE(SlotsNamed(index, "x3yzz").empty());
    EXPECT_TRUE(SlotsNamed(index, "Marca").empty());
}

TEST(RowAttributeIndexTest, ManyNamesFit) {
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) names.push_back("c" + std::to_string(i));
    const RowAttributeIndex index(std::vector<std::string_view>(names.begin(), names.end()));
    for (int i = 0; i < 300; ++i) EXPECT_EQ(index.Find(names[static_cast<size_t>(i)]), i);
}

}  // namespace
}  // namespace velmora::datapacket
