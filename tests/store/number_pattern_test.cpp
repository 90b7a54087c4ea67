#include "store/number_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <variant>

#include "store/decimal.h"
#include "store/number_parse.h"

namespace velmora::store {
namespace {

constexpr NumberSettings kBrazil{',', '.'};

// A fixed-point value (in 1/10000 units) or a floating-point one.
using Number = std::variant<FixedPoint, double>;

std::string Format(const Number& value, std::string_view pattern,
                   const NumberSettings& settings = kBrazil) {
    if (const FixedPoint* fixed = std::get_if<FixedPoint>(&value))
        return FormatFixedPoint(*fixed, pattern, settings);
    return FormatFloat(std::get<double>(value), pattern, settings);
}

struct PatternCase {
    const char* name;
    Number value;
    const char* pattern;
    const char* text;
};

class NumberPatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(NumberPatternTest, Renders) {
    EXPECT_EQ(Format(GetParam().value, GetParam().pattern), GetParam().text);
}

std::string CaseName(const testing::TestParamInfo<PatternCase>& info) {
    return info.param.name;
}

// The aggregate values are doubles, as SUM gives them.
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, NumberPatternTest,
    testing::Values(PatternCase{"FixedGrouped", FixedPoint{12345678915}, ",0.00", "1.234.567,89"},
                    PatternCase{"FixedTieToEvenDown", FixedPoint{101250}, ",0.00", "10,12"},
                    PatternCase{"FixedTieToEvenUp", FixedPoint{101350}, ",0.00", "10,14"},
                    PatternCase{"FixedNegativeTie", FixedPoint{-25050}, ",0.00", "-2,50"},
                    PatternCase{"FixedNegativeToZero", FixedPoint{-40}, ",0.00", "0,00"},
                    PatternCase{"FixedFourDecimals", FixedPoint{12345000}, ",0.0000", "1.234,5000"},
                    PatternCase{"FixedWhole", FixedPoint{120000}, ",0.0000", "12,0000"},
                    PatternCase{"FixedHalf", FixedPoint{5000}, ",0.0000", "0,5000"},
                    PatternCase{"FloatTieAway", 0.125, ",0.00", "0,13"},
                    PatternCase{"FloatTieAwayTen", 10.125, ",0.00", "10,13"},
                    PatternCase{"FloatProductBelow", 2 * 1.2225, ",0.00", "2,44"},
                    PatternCase{"FloatProductAbove", 3 * 0.335, ",0.00", "1,01"},
                    PatternCase{"FloatNegative", -1234.5, ",0.00", "-1.234,50"},
                    PatternCase{"AggregateGrouped", 1234567.5, "###,##0.00", "1.234.567,50"},
                    PatternCase{"AggregateHalf", 0.5, "###,##0.00", "0,50"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Language, NumberPatternTest,
    testing::Values(
        PatternCase{"NoGrouping", FixedPoint{12345678915}, "0.00", "1234567,89"},
        PatternCase{"GroupingMarkAtTheEnd", 1234567.0, "0.00,", "1.234.567,00"},
        PatternCase{"ThreeDigitsNoSeparator", 999.0, ",0", "999"},
        PatternCase{"FixedMoreDecimalsThanUnits", FixedPoint{12345}, "0.000000", "1,234500"},
        PatternCase{"FixedToInteger", FixedPoint{25000}, "0", "2"},
        PatternCase{"FloatToInteger", 2.5, "0", "3"},
        PatternCase{"OptionalDecimals", 1.5, "0.0#", "1,5"},
        PatternCase{"OptionalDecimalsUsed", 1.25, "0.0#", "1,25"},
        PatternCase{"OptionalDecimalsAllZero", 2.0, "0.##", "2"},
        PatternCase{"NoIntegerZero", 0.5, "#.00", ",50"},
        PatternCase{"NoIntegerPosition", 12.5, ".00", "12,50"},
        PatternCase{"MinimumIntegerDigits", 7.0, "000", "007"},
        PatternCase{"LiteralsAndQuotes", 12.5, "'R$ '0.00\" un\"", "R$ 12,50 un"},
        PatternCase{"QuotedPatternCharacters", 3.0, "0 '#;0.,'", "3 #;0.,"},
        PatternCase{"DigitsAcrossALiteral", 123456.0, "00-00", "1234-56"},
        PatternCase{"NegativeSection", -2.5, "0.00;(0.00)", "(2,50)"},
        PatternCase{"EmptyNegativeSection", -2.5, "0.00;;zero", "-2,50"},
        PatternCase{"ZeroSection", 0.0, "0.00;(0.00);zero", "zero"},
        PatternCase{"RoundsToZeroSection", FixedPoint{-40}, "0.00;(0.00);zero", "zero"},
        PatternCase{"RoundsToZeroNoZeroSection", -0.004, "0.00;(0.00)", "0,00"},
        PatternCase{"FloatNegativeToZero", -0.004, ",0.00", "0,00"},
        PatternCase{"LargeGrouped", 1e20, ",0", "100.000.000.000.000.000.000"},
        PatternCase{"EighteenDigitsThenZeros", 0.1, "0.00000000000000000000",
                    "0,10000000000000000600"},
        PatternCase{"FixedExtremes", FixedPoint{INT64_MIN}, ",0.00", "-922.337.203.685.477,58"},
        PatternCase{"EmptyPatternFixed", FixedPoint{12345000}, "", "1234,5"},
        PatternCase{"EmptyPatternFloat", 0.1 + 0.2, "", "0,3"},
        PatternCase{"FixedFourSections", FixedPoint{10000}, "0;0;0;0", "BCD overflow"},
        PatternCase{"FixedOpenQuote", FixedPoint{10000}, "0.00 'un", "BCD overflow"},
        PatternCase{"FloatOpenQuote", 1.5, "0.00 'un", "1,5"},
        PatternCase{"FloatInfinity", std::numeric_limits<double>::infinity(), ",0.00", "INF"}),
    CaseName);

TEST(NumberPattern, UsesTheSettingsSeparators) {
    EXPECT_EQ(Format(FixedPoint{12345678915}, ",0.00", NumberSettings{}), "1,234,567.89");
    EXPECT_EQ(Format(-1234.5, "###,##0.00", NumberSettings{}), "-1,234.50");
}

TEST(NumberPattern, IntegersTakeTheFloatingPointRegime) {
    EXPECT_EQ(FormatInteger(-2147483647 - 1, ",0", kBrazil), "-2.147.483.648");
    EXPECT_EQ(FormatInteger(5, "0.00", kBrazil), "5,00");
}

// A price typed, stored at the column's precision and shown again.
TEST(NumberPattern, TypedPriceRoundTrip) {
    const std::optional<FixedPoint> typed = ParseFixedPoint("1234,5", kBrazil);
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(FormatFixedPoint(*typed, ",0.0000", kBrazil), "1.234,5000");
    EXPECT_EQ(ParseFixedPoint(FormatFixedPoint(*typed, ",0.0000", kBrazil), kBrazil), std::nullopt);
    const auto fitsPrice = [](const char* text) {
        return FitsPrecision(DecimalFromFixedPoint(*ParseFixedPoint(text, kBrazil), 4), 15);
    };
    EXPECT_TRUE(fitsPrice("99999999999,9999"));
    EXPECT_FALSE(fitsPrice("100000000000"));
}

}  // namespace
}  // namespace velmora::store
