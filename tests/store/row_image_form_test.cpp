// The two forms of a row image's end offsets: 2 bytes each while the heap is small, 4 beyond.
#include <gtest/gtest.h>

#include <vector>

#include "STBASE_fixture.h"
#include "store/row_image.h"

namespace velmora::store::testing {
namespace {

enum : size_t { kText, kNumber, kMemo, kBytes };
constexpr size_t kVarying = 3;
const std::string kFinalText = "abcde";
const std::string kBytesValue("\0\1", 2);

std::string MemoOf(size_t size) {
    std::string memo(size, 'm');
    for (size_t i = 0; i < size; i += 97) memo[i] = static_cast<char>('a' + i % 26);
    return memo;
}

struct FormCase {
    const char* name;
    std::vector<size_t> memoSizes;  // put in turn; the last one stays
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.name;
}

class RowImageFormTest : public ::testing::Test {
protected:
    std::shared_ptr<const RowLayout> layout = std::make_shared<RowLayout>(std::vector<StoredColumn>{
        Column("text", LogicalType::Text, 5), Column("number", LogicalType::Int32),
        Column("memo", LogicalType::Blob), Column("bytes", LogicalType::VarBytes, 3)});

    // The image of the final values, put once each.
    RowImage Direct(size_t memoSize) const {
        RowImage row(layout);
        row.Put(kText, kFinalText);
        row.Put(kNumber, Int32Bytes(7));
        row.Put(kMemo, MemoOf(memoSize));
        row.Put(kBytes, kBytesValue);
        return row;
    }
};

class RowImageForm : public RowImageFormTest, public ::testing::WithParamInterface<FormCase> {};

// Whatever the image went through, it ends as the image of its values, in the form its heap
// size asks for, and every value reads back.
TEST_P(RowImageForm, EveryHistoryEndsInTheImageOfItsValues) {
    RowImage row(layout);
    row.Put(kText, "ab");
    row.Put(kNumber, Int32Bytes(7));
    row.Put(kBytes, kBytesValue);
    for (size_t size : GetParam().memoSizes) {
        row.Put(kMemo, MemoOf(size));
        ASSERT_EQ(row.Value(kMemo), MemoOf(size));
        ASSERT_EQ(row.Value(kBytes), kBytesValue);
    }
    row.Put(kText, kFinalText);  // a value before the memo changes in the final form

    const size_t memoSize = GetParam().memoSizes.back();
    EXPECT_EQ(row, Direct(memoSize));
    EXPECT_EQ(row.Value(kText), kFinalText);
    EXPECT_EQ(Int32Of(row.Value(kNumber)), 7);
    EXPECT_EQ(row.Value(kMemo), MemoOf(memoSize));
    EXPECT_EQ(row.Value(kBytes), kBytesValue);

    const size_t heap = kFinalText.size() + memoSize + kBytesValue.size();
    const size_t ends = heap <= RowLayout::kNarrowHeap ? 0 : 2 * kVarying;
    EXPECT_EQ(row.Bytes().size(), layout->FixedSize() + ends + heap);
}

// 65528 bytes of memo make a heap of exactly 0xFFFF bytes with the other two values.
INSTANTIATE_TEST_SUITE_P(
    RowImage, RowImageForm,
    ::testing::Values(FormCase{"Small", {10}}, FormCase{"HeapAtTheNarrowLimit", {65528}},
                      FormCase{"HeapJustPastTheLimit", {65529}},
                      FormCase{"GrowsPastTheLimitAndBack", {70000, 10}},
                      FormCase{"ShrinksToTheLimitFromWide", {200000, 65528}},
                      FormCase{"StaysWideWhileShrinking", {200000, 70000}},
                      FormCase{"CrossesTheLimitBackAndForth", {65529, 65528, 65529, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RowImageFormTest, NullingTheLargeValueGivesTheNullImageBack) {
    RowImage row(layout);
    row.Put(kMemo, MemoOf(70000));
    row.SetNull(kMemo);
    EXPECT_EQ(row, RowImage(layout));
    EXPECT_EQ(row.Bytes().size(), layout->FixedSize());
}

}  // namespace
}  // namespace velmora::store::testing
