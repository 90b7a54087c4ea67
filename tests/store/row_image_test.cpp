// Putting values into row images and reading them back.
#include <gtest/gtest.h>

#include "STBASE_fixture.h"
#include "store/row_image.h"
#include "store/row_image_marks.h"
#include "store/store_codes.h"

namespace velmora::store::testing {
namespace {

// A 16-byte count of units, little-endian two's complement.
std::string Units(int64_t units) {
    std::string bytes(16, units < 0 ? '\xFF' : '\0');
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>((static_cast<uint64_t>(units) >> (8 * i)) & 0xFF);
    return bytes;
}

class RowImageTest : public ::testing::Test {
protected:
    enum : size_t { kText, kNumber, kPrice, kMemo, kWide, kBytes };
    static StoredColumn Price() {
        StoredColumn price = Column("price", LogicalType::Bcd);
        price.precision = 6;
        price.scale = 2;
        return price;
    }
    RowImage NewRow() const { return RowImage(layout); }

    std::shared_ptr<const RowLayout> layout = std::make_shared<RowLayout>(std::vector<StoredColumn>{
        Column("text", LogicalType::Text, 5), Column("number", LogicalType::Int32), Price(),
        Column("memo", LogicalType::Blob), Column("wide", LogicalType::WideText, 4),
        Column("bytes", LogicalType::VarBytes, 3)});
    RowImage row = NewRow();
};

TEST_F(RowImageTest, StartsWithEveryColumnNull) {
    for (size_t column = 0; column < row.ColumnCount(); ++column) {
        EXPECT_TRUE(row.IsNull(column)) << column;
        EXPECT_TRUE(row.Value(column).empty()) << column;
    }
}

TEST_F(RowImageTest, VaryingValuesGrowAndShrinkWithoutDisturbingTheOthers) {
    row.Put(kText, "abc");
    row.Put(kMemo, std::string(600, 'm'));
    row.Put(kBytes, std::string("\0\1", 2));
    row.Put(kNumber, Int32Bytes(-5));
    row.Put(kMemo, "short");
    row.Put(kText, "abcde");
    EXPECT_EQ(row.Value(kText), "abcde");
    EXPECT_EQ(row.Value(kMemo), "short");
    EXPECT_EQ(row.Value(kBytes), std::string("\0\1", 2));
    EXPECT_EQ(Int32Of(row.Value(kNumber)), -5);
    row.SetNull(kMemo);
    EXPECT_TRUE(row.IsNull(kMemo));
    EXPECT_EQ(row.Value(kBytes), std::string("\0\1", 2));
}

TEST_F(RowImageTest, EqualValuesGiveEqualImagesWhateverTheirHistory) {
    RowImage other = NewRow();
    row.Put(kMemo, "long memo text");
    row.Put(kText, "x");
    row.Put(kMemo, "m");
    row.Put(kNumber, Int32Bytes(1));
    row.SetNull(kNumber);
    other.Put(kText, "x");
    other.Put(kMemo, "m");
    EXPECT_EQ(row, other);
    other.Put(kText, "y");
    EXPECT_FALSE(row == other);
}

TEST_F(RowImageTest, EmptyTextIsNotNull) {
    row.Put(kText, "");
    EXPECT_FALSE(row.IsNull(kText));
    EXPECT_EQ(row.Value(kText), "");
    EXPECT_FALSE(row == NewRow());
}

struct TextCase {
    const char* name;
    std::string given, stored;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class TextPut : public RowImageTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(TextPut, IsCutToTheWidthWithoutTrailingBlanks) {
    row.Put(kText, GetParam().given);
    EXPECT_EQ(row.Value(kText), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(RowImage, TextPut,
                         ::testing::Values(TextCase{"Fits", "abc", "abc"},
                                           TextCase{"TooLong", "abcdefgh", "abcde"},
                                           TextCase{"TrailingBlanks", "ab   ", "ab"},
                                           TextCase{"LeadingAndInnerBlanksStay", " a b", " a b"},
                                           TextCase{"BlanksBeyondTheCut", "abcd  x", "abcd"},
                                           TextCase{"OnlyBlanks", "   ", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RowImageTest, FileValuesAreKeptAsRead) {
    row.PutStored(kText, "ab   ");
    EXPECT_EQ(row.Value(kText), "ab   ");
}

TEST_F(RowImageTest, DecimalMustFitThePrecision) {
    row.Put(kPrice, Units(999999));  // 9999.99
    EXPECT_EQ(row.Value(kPrice), Units(999999));
    row.Put(kPrice, Units(-999999));
    EXPECT_EQ(StoreCodeOf([&] { row.Put(kPrice, Units(1000000)); }), kCodeValueOutOfRange);
    EXPECT_EQ(StoreCodeOf([&] { row.Put(kPrice, Units(-1000000)); }), kCodeValueOutOfRange);
    EXPECT_EQ(row.Value(kPrice), Units(-999999));  // unchanged by the refusals
}

TEST_F(RowImageTest, RefusesValuesThatDoNotFit) {
    EXPECT_EQ(StoreCodeOf([&] { row.Put(kNumber, "abc"); }), kCodeValueOutOfRange);
    EXPECT_EQ(StoreCodeOf([&] { row.Put(kPrice, Int32Bytes(1)); }), kCodeValueOutOfRange);
    EXPECT_EQ(StoreCodeOf([&] { row.Put(kBytes, "abcd"); }), kCodeValueOutOfRange);
    EXPECT_EQ(StoreCodeOf([&] { row.Put(kWide, "abc"); }), kCodeValueOutOfRange);  // half a unit
    EXPECT_EQ(row, NewRow());
}

TEST_F(RowImageTest, WideTextIsCutInWholeUnits) {
    row.Put(kWide, std::string("a\0b\0c\0", 6));
    EXPECT_EQ(row.Value(kWide), std::string("a\0b\0", 4));
}

class UnchangedMark : public RowImageTest, public ::testing::WithParamInterface<size_t> {};

// The mark is seen wherever the column sits among the mark bytes, and only while it is set.
TEST_P(UnchangedMark, IsSeenOnTheWholeRowWhileSet) {
    const size_t column = GetParam();
    EXPECT_FALSE(HasUnchangedMark(*layout, row.Bytes()));
    row.SetUnchanged(column);
    EXPECT_TRUE(HasUnchangedMark(*layout, row.Bytes()));
    row.SetNull(column);
    EXPECT_FALSE(HasUnchangedMark(*layout, row.Bytes()));
}

// Text and memo open and close the first mark byte, wide and bytes open the second.
INSTANTIATE_TEST_SUITE_P(RowImage, UnchangedMark,
                         ::testing::Values(size_t{0}, size_t{3}, size_t{4}, size_t{5}));

}  // namespace
}  // namespace velmora::store::testing
