#include "store/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velmora::store {
namespace {

constexpr NumberSettings kBrazil{',', '.'};

TEST(NumberText, FixedPointShowsUpToFourDecimalsExactly) {
    const std::pair<int64_t, const char*> cases[] = {{12345000, "1234,5"},
                                                     {1, "0,0001"},
                                                     {100000, "10"},
                                                     {0, "0"},
                                                     {-5, "-0,0005"},
                                                     {-120000, "-12"},
                                                     {INT64_MAX, "922337203685477,5807"},
                                                     {INT64_MIN, "-922337203685477,5808"}};
    for (auto [units, text] : cases)
        EXPECT_EQ(FixedPointText(FixedPoint{units}, kBrazil), text) << units;
    EXPECT_EQ(FixedPointText(FixedPoint{12345000}, NumberSettings{}), "1234.5");
}

struct FloatCase {
    const char* name;
    double value;
    const char* text;
};

class FloatTextTest : public testing::TestWithParam<FloatCase> {};

TEST_P(FloatTextTest, FifteenSignificantDigits) {
    EXPECT_EQ(FloatText(GetParam().value, kBrazil), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatTextTest,
    testing::Values(FloatCase{"Integer", 10.0, "10"}, FloatCase{"Fraction", 1234.5, "1234,5"},
                    FloatCase{"Negative", -0.125, "-0,125"}, FloatCase{"Zero", 0.0, "0"},
                    FloatCase{"NegativeZero", -0.0, "0"},
                    FloatCase{"BinaryNoiseRoundedAway", 0.1 + 0.2, "0,3"},
                    FloatCase{"ProductBelowTheHalf", 2 * 1.2225, "2,445"},
                    FloatCase{"SixteenthDigitRoundsUp", 0.123456789012345678, "0,123456789012346"},
                    FloatCase{"CarryAddsADigit", 9.9999999999999999e14, "1E15"},
                    FloatCase{"FifteenIntegerDigits", 999999999999999.0, "999999999999999"},
                    FloatCase{"SixteenIntegerDigits", 1234567890123456.0, "1,23456789012346E15"},
                    FloatCase{"LargeExponent", 1.5e20, "1,5E20"},
                    FloatCase{"NegativeLarge", -2e300, "-2E300"},
                    FloatCase{"ThreeZerosAfterPoint", 0.0001, "0,0001"},
                    FloatCase{"FourZerosAfterPoint", 0.00001, "1E-5"},
                    FloatCase{"SmallWithDigits", -1.25e-7, "-1,25E-7"},
                    FloatCase{"Denormal", 4.9406564584124654e-324, "4,94065645841247E-324"},
                    FloatCase{"NotANumber", std::nan(""), "NAN"},
                    FloatCase{"Infinity", std::numeric_limits<double>::infinity(), "INF"},
                    FloatCase{"MinusInfinity", -std::numeric_limits<double>::infinity(), "-INF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberText, IntegerText) {
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(-2147483648LL), "-2147483648");
    EXPECT_EQ(IntegerText(INT64_MAX), "9223372036854775807");
}

TEST(DecimalDigits, EighteenDigitsRoundsTiesToEven) {
    // 2^-27 = 7.450580596923828125e-9 has 19 digits and ends in an exact half.
    const DecimalDigits tie = EighteenDigits(std::ldexp(1.0, -27));
    EXPECT_EQ(tie.digits, "745058059692382812");
    EXPECT_EQ(tie.exponent, -8);
    const DecimalDigits above = EighteenDigits(-3 * std::ldexp(1.0, -27));
    EXPECT_TRUE(above.negative);
    EXPECT_EQ(above.digits, "223517417907714844");
    EXPECT_EQ(EighteenDigits(1200.0).digits, "12");
    EXPECT_EQ(EighteenDigits(1200.0).exponent, 4);
}

struct RoundCase {
    const char* name;
    int64_t units;  // at scale 4
    int decimals;
    DigitRounding rounding;
    const char* text;
};

class RoundDigitsTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundDigitsTest, RoundsAtTheDecimalPlace) {
    const RoundCase& c = GetParam();
    DecimalDigits number = DigitsOfUnits(c.units, 4);
    RoundToDecimals(number, c.decimals, c.rounding);
    EXPECT_EQ(PlainNumberText(number, '.'), c.text);
}

constexpr auto kAway = DigitRounding::HalfAwayFromZero;
constexpr auto kEven = DigitRounding::HalfEven;

INSTANTIATE_TEST_SUITE_P(Cases, RoundDigitsTest,
                         testing::Values(RoundCase{"TieAway", 101250, 2, kAway, "10.13"},
                                         RoundCase{"TieEvenDown", 101250, 2, kEven, "10.12"},
                                         RoundCase{"TieEvenUp", 101350, 2, kEven, "10.14"},
                                         RoundCase{"AboveTieEven", 101251, 2, kEven, "10.13"},
                                         RoundCase{"NegativeTieAway", -25050, 2, kAway, "-2.51"},
                                         RoundCase{"NegativeTieEven", -25050, 2, kEven, "-2.5"},
                                         RoundCase{"ToZeroDropsTheSign", -40, 2, kAway, "0"},
                                         RoundCase{"HalfOfFirstPlaceEven", 50, 2, kEven, "0"},
                                         RoundCase{"HalfOfFirstPlaceAway", 50, 2, kAway, "0.01"},
                                         RoundCase{"FarBelowThePlace", 4, 1, kAway, "0"},
                                         RoundCase{"CarryThroughNines", 99995, 3, kAway, "10"},
                                         RoundCase{"ToIntegerTens", 150000, -1, kEven, "20"},
                                         RoundCase{"NothingToDrop", 12345, 6, kEven, "1.2345"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecimalDigits, UnitsAtAScale) {
    EXPECT_TRUE(UnitsOfDigits(DigitsOfUnits(-12345, 4), 2) == -123);
    EXPECT_TRUE(UnitsOfDigits(DigitsOfUnits(12, 0), 4) == 120000);
    EXPECT_TRUE(UnitsOfDigits(DigitsOfUnits(5, 4), 3) == 0);
    EXPECT_TRUE(UnitsOfDigits(DecimalDigits{}, 4) == 0);
    EXPECT_EQ(UnitsOfDigits(DecimalDigits{false, "1", 36}, 3), std::nullopt);
    EXPECT_TRUE(UnitsOfDigits(DecimalDigits{false, "1", 36}, 2) == PowerOfTen(37));
}

}  // namespace
}  // namespace velmora::store
