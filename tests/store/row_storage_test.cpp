// The row slots: images from the storage's blocks and images of their own side by side.

#include "store/row_storage.h"

#include <string>

#include <gtest/gtest.h>

namespace velmora::store {
namespace {

// Distinct bytes for image number n, of the given size.
std::string ImageBytes(int n, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((n * 31 + i * 7) % 251);
    return bytes;
}

uint32_t AppendFromBlocks(RowStorage& rows, const std::string& bytes, uint8_t state = 0) {
    rows.ReserveOne();
    return rows.Append(rows.Allocate(bytes), state);
}

struct SizeCase {
    const char* name;
    size_t count;
    size_t smallest;
    size_t largest;
};

class RowStorageSizes : public ::testing::TestWithParam<SizeCase> {};

// Many images across block boundaries (blocks grow from 16 KB to 2 MB), images of their own
// between them: every slot keeps exactly its bytes and state.
TEST_P(RowStorageSizes, EverySlotKeepsItsBytesAcrossBlocks) {
    const SizeCase& sizes = GetParam();
    RowStorage rows;
    for (size_t n = 0; n < sizes.count; ++n) {
        const size_t size = sizes.smallest + (n * 389) % (sizes.largest - sizes.smallest + 1);
        const std::string bytes = ImageBytes(static_cast<int>(n), size);
        rows.ReserveOne();
        if (n % 5 == 4)
            rows.Append(SlotImage(bytes), static_cast<uint8_t>(n % 16));
        else
            rows.Append(rows.Allocate(bytes), static_cast<uint8_t>(n % 16));
    }
    ASSERT_EQ(rows.Count(), sizes.count);
    for (uint32_t slot = 1; slot <= rows.Count(); ++slot) {
        const size_t n = slot - 1;
        const size_t size = sizes.smallest + (n * 389) % (sizes.largest - sizes.smallest + 1);
        ASSERT_EQ(rows.Bytes(slot), ImageBytes(static_cast<int>(n), size)) << "slot " << slot;
        ASSERT_EQ(rows.State(slot), n % 16) << "slot " << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RowStorageSizes,
                         ::testing::Values(SizeCase{"RowsOfAProposalsFile", 12000, 100, 900},
                                           SizeCase{"EmptyAndTinyImages", 3000, 0, 3},
                                           SizeCase{"ImagesNearAWholeBlock", 40, 15000, 17000},
                                           SizeCase{"ImagesTooLargeForBlocks", 6, 500000, 1200000}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) {
                             return std::string(info.param.name);
                         });

// A change refused after its slot was appended pops it: the room goes back, so the next image
// takes the same place and refused changes cost no memory.
TEST(RowStorage, PoppedNewestImageGivesItsRoomBack) {
    RowStorage rows;
    AppendFromBlocks(rows, ImageBytes(1, 300));
    AppendFromBlocks(rows, ImageBytes(2, 300));
    const char* popped = rows.Bytes(2).data();
    rows.PopLast();
    AppendFromBlocks(rows, ImageBytes(3, 200));
    EXPECT_EQ(rows.Bytes(2).data(), popped);
    EXPECT_EQ(rows.Bytes(1), ImageBytes(1, 300));
    EXPECT_EQ(rows.Bytes(2), ImageBytes(3, 200));
}

TEST(RowStorage, PoppingAnOlderBlockImageLeavesTheNewestInPlace) {
    RowStorage rows;
    AppendFromBlocks(rows, ImageBytes(1, 300));
    rows.ReserveOne();
    rows.Append(SlotImage(ImageBytes(2, 300)), 0);
    const SlotImage detached = rows.Allocate(ImageBytes(3, 100));  // taken, never installed
    rows.PopLast();
    AppendFromBlocks(rows, ImageBytes(4, 100));
    EXPECT_NE(rows.Bytes(2).data(), detached.View().data());
    EXPECT_EQ(detached.View(), ImageBytes(3, 100));
    EXPECT_EQ(rows.Bytes(2), ImageBytes(4, 100));
}

// Exchanging gives back the former image, readable after the slot changed, whichever kind
// either image is.
TEST(RowStorage, ExchangeReturnsTheFormerImage) {
    RowStorage rows;
    AppendFromBlocks(rows, ImageBytes(1, 250), 4);
    SlotImage former = rows.Exchange(1, SlotImage(ImageBytes(2, 40)));
    EXPECT_EQ(former.View(), ImageBytes(1, 250));
    EXPECT_EQ(rows.Bytes(1), ImageBytes(2, 40));
    EXPECT_EQ(rows.State(1), 4);

    SlotImage own = rows.Exchange(1, rows.Allocate(ImageBytes(3, 60)));
    EXPECT_EQ(own.View(), ImageBytes(2, 40));
    EXPECT_EQ(rows.Bytes(1), ImageBytes(3, 60));
    former = std::move(own);
    EXPECT_EQ(former.View(), ImageBytes(2, 40));
}

struct TrimCase {
    const char* name;
    size_t count;   // images of 256 bytes appended before the trim; the first block holds 64
    size_t popped;  // of them, popped again before the trim
};

class RowStorageTrim : public ::testing::TestWithParam<TrimCase> {};

// Trimming gives back only room no image uses: every image reads as before, and images taken
// afterwards (from a new block) and popped again behave as in an untrimmed storage.
TEST_P(RowStorageTrim, KeepsEveryImageAndTakesNewOnesAfterward) {
    RowStorage rows;
    const size_t kept = GetParam().count - GetParam().popped;
    for (size_t n = 0; n < GetParam().count; ++n) AppendFromBlocks(rows, ImageBytes(int(n), 256));
    for (size_t n = 0; n < GetParam().popped; ++n) rows.PopLast();
    rows.TrimNewestBlock();
    for (size_t n = kept; n < kept + 200; ++n) AppendFromBlocks(rows, ImageBytes(int(n), 256));
    rows.PopLast();
    AppendFromBlocks(rows, ImageBytes(9999, 100));
    rows.TrimNewestBlock();
    const uint32_t last = rows.Count();
    for (uint32_t slot = 1; slot < last; ++slot)
        ASSERT_EQ(rows.Bytes(slot), ImageBytes(int(slot - 1), 256)) << "slot " << slot;
    EXPECT_EQ(rows.Bytes(last), ImageBytes(9999, 100));
}

INSTANTIATE_TEST_SUITE_P(RowStorage, RowStorageTrim,
                         ::testing::Values(TrimCase{"NoImage", 0, 0}, TrimCase{"PartOfAPage", 3, 0},
                                           TrimCase{"WholePagesOfTheFirstBlock", 32, 0},
                                           TrimCase{"FirstBlockFull", 64, 0},
                                           TrimCase{"SecondBlockBegun", 65, 0},
                                           TrimCase{"SecondBlockEmptiedAgain", 65, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store
