#include "store/decimal.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora::store {
namespace {

Decimal Dec(int64_t units, int scale) {
    return Decimal{units, static_cast<uint8_t>(scale)};
}

std::string Text(const Decimal& value) {
    return DatapacketDecimalText(value);
}

struct ParseCase {
    const char* name;
    const char* text;
    int precision, scale;
    DecimalTextStatus status;
    const char* value;  // the value written back, when read
};

class ParseDatapacketDecimalTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDatapacketDecimalTest, ReadsTextForm) {
    const ParseCase& c = GetParam();
    Decimal out{-7, 9};
    ASSERT_EQ(ParseDatapacketDecimal(c.text, c.precision, c.scale, out), c.status);
    if (c.status == DecimalTextStatus::Ok) {
        EXPECT_EQ(out.scale, c.scale);
        EXPECT_EQ(Text(out), c.value);
    }
}

constexpr auto Ok = DecimalTextStatus::Ok;
constexpr auto Null = DecimalTextStatus::Null;
constexpr auto TooMany = DecimalTextStatus::TooManyDigits;

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseDatapacketDecimalTest,
    testing::Values(
        ParseCase{"Plain", "10.5", 15, 4, Ok, "10.5000"},
        ParseCase{"CommaEndsTheNumber", "12,50", 15, 4, Ok, "12.0000"},
        ParseCase{"NegativeHalf", "-0.5", 15, 4, Ok, "-0.5000"},
        ParseCase{"Empty", "", 15, 4, Null, ""}, ParseCase{"LetterFirst", "x12", 15, 4, Null, ""},
        ParseCase{"SignOnly", "-", 15, 4, Null, ""}, ParseCase{"PointOnly", ".", 15, 4, Null, ""},
        ParseCase{"PlusIsNotASign", "+5", 15, 4, Null, ""},
        ParseCase{"BlanksSkipped", " 1 234 .5 ", 15, 4, Ok, "1234.5000"},
        ParseCase{"LastPointCounts", "1.2.3", 15, 4, Ok, "12.3000"},
        ParseCase{"MinusAfterDigitEnds", "5-3", 15, 4, Ok, "5.0000"},
        ParseCase{"LeadingPoint", ".25", 15, 4, Ok, "0.2500"},
        ParseCase{"ExtraFractionCutTowardZero", "-1.23456", 15, 4, Ok, "-1.2345"},
        ParseCase{"ScaleThreeCuts", "1.2346", 15, 3, Ok, "1.234"},
        ParseCase{"ScaleZero", "7.9", 15, 0, Ok, "7"},
        ParseCase{"SixteenIntegerDigits", "1234567890123456", 32, 4, Ok, "1234567890123456.0000"},
        ParseCase{"SeventeenIntegerDigits", "12345678901234567", 38, 4, TooMany, ""},
        ParseCase{"LeadingZerosDoNotCount", "000000000000000000012", 15, 4, Ok, "12.0000"},
        ParseCase{"SixteenFractionDigitsKept", "0.123456789012345678", 32, 20, Ok,
                  "0.12345678901234560000"},
        ParseCase{"LargestForPrecision15Scale4", "99999999999.9999", 15, 4, Ok, "99999999999.9999"},
        ParseCase{"TooLongForPrecision15Scale4", "100000000000", 15, 4, TooMany, ""},
        ParseCase{"NoPrecisionDeclared", "1234567890123456", 0, 4, Ok, "1234567890123456.0000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DatapacketDecimalText, WritesScaleDigits) {
    EXPECT_EQ(Text(Dec(125000, 4)), "12.5000");
    EXPECT_EQ(Text(Dec(-30000, 4)), "-3.0000");
    EXPECT_EQ(Text(Dec(0, 4)), "0.0000");
    EXPECT_EQ(Text(Dec(0, 0)), "0");
    EXPECT_EQ(Text(Dec(-5, 2)), "-0.05");
    EXPECT_EQ(Text(Dec(120, 0)), "120");
    EXPECT_EQ(Text(Decimal{PowerOfTen(37) * -3, 10}),
              "-3" + std::string(27, '0') + "." + std::string(10, '0'));
}

TEST(Decimal, FitsPrecisionCountsIntegerDigits) {
    EXPECT_TRUE(FitsPrecision(Dec(999999999999999, 4), 15));
    EXPECT_FALSE(FitsPrecision(Dec(1000000000000000, 4), 15));
    EXPECT_TRUE(FitsPrecision(Dec(-999999999999999, 4), 15));
    EXPECT_FALSE(FitsPrecision(Dec(-1000000000000000, 4), 15));
    EXPECT_TRUE(FitsPrecision(Dec(999999999999, 3), 12));
    EXPECT_TRUE(FitsPrecision(Dec(0, 4), 4));
    EXPECT_TRUE(FitsPrecision(Dec(1000000000000000, 4), 0));
}

TEST(Decimal, RescaleDropsDigitsTowardZero) {
    EXPECT_EQ(Text(*RescaleDecimal(Dec(12346, 4), 3)), "1.234");
    EXPECT_EQ(Text(*RescaleDecimal(Dec(-12346, 4), 3)), "-1.234");
    EXPECT_EQ(Text(*RescaleDecimal(Dec(12346, 4), 6)), "1.234600");
    EXPECT_EQ(RescaleDecimal(Decimal{PowerOfTen(30), 0}, 8), std::nullopt);
    EXPECT_TRUE(RescaleDecimal(Decimal{PowerOfTen(30), 0}, 7).has_value());
}

TEST(Decimal, FixedPointConversions) {
    EXPECT_EQ(Text(DecimalFromFixedPoint(FixedPoint{12346}, 3)), "1.234");
    EXPECT_EQ(Text(DecimalFromFixedPoint(FixedPoint{-12346}, 0)), "-1");
    EXPECT_EQ(Text(DecimalFromFixedPoint(FixedPoint{INT64_MIN}, kMaxDecimalScale)),
              "-922337203685477.58080000000000000000");
    EXPECT_EQ(DecimalToFixedPoint(Dec(1234567, 6)), FixedPoint{12345});
    EXPECT_EQ(DecimalToFixedPoint(Dec(-1234567, 6)), FixedPoint{-12345});
    EXPECT_EQ(DecimalToFixedPoint(Dec(922337203685477, 0)), FixedPoint{9223372036854770000});
    EXPECT_EQ(DecimalToFixedPoint(Dec(922337203685478, 0)), std::nullopt);
    const Int128 lowest = Int128(INT64_MIN) * 10;
    EXPECT_EQ(DecimalToFixedPoint(Decimal{lowest - 9, 5}), FixedPoint{INT64_MIN});
    EXPECT_EQ(DecimalToFixedPoint(Decimal{lowest - 10, 5}), std::nullopt);
}

TEST(Decimal, ComparesByValue) {
    EXPECT_EQ(CompareDecimals(Dec(150, 2), Dec(15, 1)), 0);
    EXPECT_LT(CompareDecimals(Dec(-2, 0), Dec(1, 0)), 0);
    EXPECT_LT(CompareDecimals(Dec(-2, 0), Dec(-15, 1)), 0);
    EXPECT_GT(CompareDecimals(Dec(1, 1), Dec(9, 2)), 0);
    EXPECT_LT(CompareDecimals(Dec(0, 3), Dec(1, 20)), 0);
    EXPECT_GT(CompareDecimals(Decimal{PowerOfTen(37), 0}, Decimal{PowerOfTen(37) - 1, 20}), 0);
    EXPECT_LT(CompareDecimals(Decimal{-PowerOfTen(37), 0}, Decimal{-PowerOfTen(37) + 1, 20}), 0);
}

TEST(Decimal, RoundsToIntegerTiesToEven) {
    const std::pair<int64_t, int64_t> cases[] = {{25000, 2},   {35000, 4},  {-25000, -2},
                                                 {25001, 3},   {-5000, 0},  {14999, 1},
                                                 {-15000, -2}, {-14999, -1}};
    for (auto [units, rounded] : cases)
        EXPECT_EQ(RoundFixedPointToInteger(FixedPoint{units}), rounded) << units;
}

TEST(Decimal, NearestDouble) {
    EXPECT_EQ(DecimalToDouble(Dec(11, 1)), 1.1);
    EXPECT_EQ(FixedPointToDouble(FixedPoint{12345}), 1.2345);
    EXPECT_EQ(FixedPointToDouble(FixedPoint{-1}), -0.0001);
    EXPECT_EQ(FixedPointToDouble(FixedPoint{999999999999999999}), 99999999999999.9999);
    EXPECT_EQ(DecimalToDouble(Decimal{PowerOfTen(37), 16}), 1e21);
}

TEST(Decimal, StoredFormIsLittleEndianTwosComplement) {
    EXPECT_EQ(EncodeDecimalUnits(-1), std::string(16, '\xFF'));
    EXPECT_EQ(EncodeDecimalUnits(258), std::string("\x02\x01", 2) + std::string(14, '\0'));
    for (Int128 units : {Int128(0), Int128(-258), PowerOfTen(38) - 1, -PowerOfTen(38) + 1})
        EXPECT_TRUE(DecodeDecimalUnits(EncodeDecimalUnits(units)) == units);
}

}  // namespace
}  // namespace velmora::store
