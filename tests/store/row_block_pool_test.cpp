// The blocks kept between row storages: reused by size, up to a bound.

#include "store/row_block_pool.h"

#include <set>
#include <vector>

#include <gtest/gtest.h>

namespace velmora::store {
namespace {

constexpr size_t kBlock = 64 * 1024;
constexpr size_t kLargest = 2 * 1024 * 1024;

class RowBlockPool : public ::testing::Test {
protected:
    void SetUp() override { ReleaseKeptRowBlocks(); }
    void TearDown() override { ReleaseKeptRowBlocks(); }
};

TEST_F(RowBlockPool, AGivenBackBlockServesTheNextRequestOfItsSize) {
    char* block = TakeRowBlock(kBlock);
    block[kBlock - 1] = 'x';
    GiveBackRowBlock(block, kBlock);
    char* other = TakeRowBlock(2 * kBlock);
    EXPECT_NE(other, block);
    EXPECT_EQ(TakeRowBlock(kBlock), block);
    GiveBackRowBlock(other, 2 * kBlock);
    GiveBackRowBlock(block, kBlock);
}

TEST_F(RowBlockPool, KeepsAtMost32MegabytesOfBlocks) {
    std::vector<char*> blocks;
    for (int i = 0; i < 20; ++i) blocks.push_back(TakeRowBlock(kLargest));
    for (char* block : blocks) GiveBackRowBlock(block, kLargest);
    const std::set<char*> given(blocks.begin(), blocks.end());
    std::vector<char*> again;
    for (int i = 0; i < 20; ++i) again.push_back(TakeRowBlock(kLargest));
    // Fresh mappings may land where an unmapped block was; the kept 16 come back first.
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(given.count(again[i])) << i;
    for (char* block : again) GiveBackRowBlock(block, kLargest);
}

}  // namespace
}  // namespace velmora::store
