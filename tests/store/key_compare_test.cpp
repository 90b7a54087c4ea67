#include "store/key_compare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "platform/codepage.h"
#include "store/decimal.h"

namespace velmora::store {
namespace {

constexpr uint32_t kPortugueseBrazil = 1046;

std::string LittleEndian(uint64_t value, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string Real8(double value) {
    std::string bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

// x87 extended: mantissa with its explicit leading bit, then sign and biased exponent.
std::string Real10(bool negative, uint16_t exponent, uint64_t mantissa) {
    return LittleEndian(mantissa, 8) + LittleEndian((negative ? 0x8000u : 0u) | exponent, 2);
}

std::string SqlDateTime(int16_t year, uint16_t month, uint16_t day, uint16_t hour) {
    return LittleEndian(static_cast<uint16_t>(year), 2) + LittleEndian(month, 2) +
           LittleEndian(day, 2) + LittleEndian(hour, 2) + std::string(4, '\0') + LittleEndian(0, 4);
}

std::string Utf16(char16_t unit) {
    return LittleEndian(unit, 2);
}

StoredColumn Column(const char* name, LogicalType type, uint16_t width = 0) {
    StoredColumn column;
    column.name = name;
    column.type = type;
    column.width = width;
    return column;
}

using Stored = std::optional<std::string>;  // none: null

struct CompareCase {
    const char* name;
    LogicalType type;
    uint16_t width;
    Stored a, b;
    int expected;  // sign of Compare(a, b) on an ascending, case-sensitive column
    bool descending = false;
    bool caseInsensitive = false;
};

int Sign(int value) {
    return (value > 0) - (value < 0);
}

class KeyColumnComparerTest : public testing::TestWithParam<CompareCase> {};

TEST_P(KeyColumnComparerTest, OrdersTwoValues) {
    const CompareCase& c = GetParam();
    StoredColumn column = Column("key", c.type, c.width);
    if (c.type == LogicalType::Bcd) column.precision = 18, column.scale = 2;
    auto layout = std::make_shared<RowLayout>(std::vector<StoredColumn>{column});
    RowImage a(layout), b(layout);
    if (c.a) a.PutStored(0, *c.a);
    if (c.b) b.PutStored(0, *c.b);
    const KeyColumnComparer comparer(*layout, KeyColumn{0, c.descending, c.caseInsensitive},
                                     kPortugueseBrazil);
    EXPECT_EQ(Sign(comparer.Compare(a.View(), b.View())), c.expected);
    EXPECT_EQ(Sign(comparer.Compare(b.View(), a.View())), -c.expected);
}

const std::string kNaN = Real8(std::numeric_limits<double>::quiet_NaN());

INSTANTIATE_TEST_SUITE_P(
    Types, KeyColumnComparerTest,
    testing::Values(
        CompareCase{"NullBeforeValue", LogicalType::Int32, 0, std::nullopt,
                    LittleEndian(uint32_t(-100), 4), -1},
        CompareCase{"NullsEqual", LogicalType::Text, 10, std::nullopt, std::nullopt, 0},
        CompareCase{"NullLastWhenDescending", LogicalType::Int32, 0, std::nullopt,
                    LittleEndian(5, 4), 1, true},
        CompareCase{"DescendingInverts", LogicalType::Int32, 0, LittleEndian(3, 4),
                    LittleEndian(7, 4), 1, true},
        CompareCase{"Int8BySign", LogicalType::Int8, 0, LittleEndian(0xFF, 1), LittleEndian(1, 1),
                    -1},
        CompareCase{"Int32ByValue", LogicalType::Int32, 0, LittleEndian(uint32_t(-5), 4),
                    LittleEndian(3, 4), -1},
        CompareCase{"Int64ByValue", LogicalType::Int64, 0, LittleEndian(uint64_t(-1) << 40, 8),
                    LittleEndian(2, 8), -1},
        CompareCase{"UInt16NotBytewise", LogicalType::UInt16, 0, LittleEndian(256, 2),
                    LittleEndian(2, 2), 1},
        CompareCase{"UInt32High", LogicalType::UInt32, 0, LittleEndian(0xFFFFFFFF, 4),
                    LittleEndian(1, 4), 1},
        CompareCase{"BooleanFalseFirst", LogicalType::Boolean, 0, LittleEndian(0, 2),
                    LittleEndian(1, 2), -1},
        CompareCase{"DateByDay", LogicalType::Date, 0, LittleEndian(730000, 4),
                    LittleEndian(729999, 4), 1},
        CompareCase{"Real8Negative", LogicalType::Real8, 0, Real8(-1.5), Real8(0.25), -1},
        CompareCase{"Real8Zeros", LogicalType::Real8, 0, Real8(-0.0), Real8(0.0), 0},
        CompareCase{"NaNAfterNumbers", LogicalType::Real8, 0, kNaN, Real8(1e300), 1},
        CompareCase{"DateTimeByValue", LogicalType::DateTime, 0, Real8(86400000.0 * 3),
                    Real8(86400000.0 * 2 + 5), 1},
        CompareCase{"Real10Magnitude", LogicalType::Real10, 0,
                    Real10(false, 0x3FFF, 0x8000000000000000), Real10(false, 0x4000, 1ull << 63),
                    -1},
        CompareCase{"Real10Negatives", LogicalType::Real10, 0,
                    Real10(true, 0x4000, 0x8000000000000000), Real10(true, 0x3FFF, 1ull << 63), -1},
        CompareCase{"Real10SignedZeros", LogicalType::Real10, 0, Real10(true, 0, 0),
                    Real10(false, 0, 0), 0},
        CompareCase{"BcdNegativesByMagnitudeReversed", LogicalType::Bcd, 0,
                    EncodeDecimalUnits(-1000), EncodeDecimalUnits(-200), -1},
        CompareCase{"BcdNegativeBeforePositive", LogicalType::Bcd, 0, EncodeDecimalUnits(-1),
                    EncodeDecimalUnits(1), -1},
        CompareCase{"BcdPositives", LogicalType::Bcd, 0, EncodeDecimalUnits(500),
                    EncodeDecimalUnits(200), 1},
        CompareCase{"SqlDateTimeYearFirst", LogicalType::SqlDateTime, 0,
                    SqlDateTime(1999, 12, 31, 23), SqlDateTime(2000, 1, 1, 0), -1},
        CompareCase{"SqlDateTimeHour", LogicalType::SqlDateTime, 0, SqlDateTime(2000, 1, 1, 9),
                    SqlDateTime(2000, 1, 1, 10), -1},
        CompareCase{"TextByCollationNotBytes", LogicalType::Text, 20, platform::FromUtf8("ação"),
                    std::string("acucar"), -1},
        CompareCase{"TextCaseSensitive", LogicalType::Text, 20, std::string("abc"),
                    std::string("ABC"), -1},
        CompareCase{"TextCaseInsensitiveEqual", LogicalType::Text, 20, platform::FromUtf8("AÇÃO"),
                    platform::FromUtf8("ação"), 0, false, true},
        CompareCase{"TextCaseInsensitiveOrder", LogicalType::Text, 20, std::string("Banana"),
                    std::string("apple"), 1, false, true},
        CompareCase{"TextDescendingCaseInsensitive", LogicalType::Text, 20, std::string("b"),
                    std::string("A"), -1, true, true},
        CompareCase{"WideTextByCodeUnit", LogicalType::WideText, 20, Utf16(0x00FF), Utf16(0x0100),
                    -1},
        CompareCase{"VarBytesBytewise", LogicalType::VarBytes, 8, std::string("\x01\x02", 2),
                    std::string("\x01\x03", 2), -1},
        CompareCase{"VarBytesPrefixFirst", LogicalType::VarBytes, 8, std::string("\x01", 1),
                    std::string("\x01\x00", 2), -1}),
    [](const testing::TestParamInfo<CompareCase>& info) { return info.param.name; });

TEST(KeyComparerTest, FirstDifferingColumnDecides) {
    const std::vector<StoredColumn> columns{Column("a", LogicalType::Int32),
                                            Column("b", LogicalType::Int32)};
    auto layout = std::make_shared<RowLayout>(columns);
    auto row = [&](uint32_t a, uint32_t b) {
        RowImage image(layout);
        image.PutStored(0, LittleEndian(a, 4));
        image.PutStored(1, LittleEndian(b, 4));
        return image;
    };
    const KeyComparer both(*layout, {KeyColumn{0}, KeyColumn{1, true}}, 0);
    EXPECT_LT(both.Compare(row(1, 1).View(), row(2, 0).View()), 0);
    EXPECT_LT(both.Compare(row(1, 9).View(), row(1, 3).View()), 0);  // second descending
    EXPECT_EQ(both.Compare(row(1, 3).View(), row(1, 3).View()), 0);
    const KeyComparer none(*layout, {}, 0);
    EXPECT_FALSE(none.HasKeyColumns());
    EXPECT_EQ(none.Compare(row(1, 1).View(), row(2, 2).View()), 0);
}

}  // namespace
}  // namespace velmora::store
