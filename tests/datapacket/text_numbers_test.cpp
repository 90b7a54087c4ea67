#include "datapacket/text_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velmora::datapacket {
namespace {

struct LongCase {
    const char* text;
    bool hasDigit;
    int64_t value32;
    int64_t value64;
};

class ParseLongTest : public ::testing::TestWithParam<LongCase> {};

TEST_P(ParseLongTest, ReadsAsAtolWithTheValidityTest) {
    const LongCase& c = GetParam();
    EXPECT_EQ(HasLeadingDigit(c.text), c.hasDigit);
    EXPECT_EQ(ParseLong(c.text), c.value32);
    EXPECT_EQ(ParseLong64(c.text), c.value64);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseLongTest,
    ::testing::Values(LongCase{"42", true, 42, 42}, LongCase{"  -17xyz", true, -17, -17},
                      LongCase{"+5", true, 5, 5}, LongCase{"", false, 0, 0},
                      LongCase{"abc12", false, 0, 0},
                      // Skipped by the validity test but not by atol.
                      LongCase{"$12", true, 0, 0}, LongCase{"-", false, 0, 0},
                      LongCase{"2147483648", true, INT32_MAX, 2147483648LL},
                      LongCase{"-2147483649", true, INT32_MIN, -2147483649LL},
                      LongCase{"99999999999999999999", true, INT32_MAX, INT64_MAX},
                      LongCase{"-9223372036854775808", true, INT32_MIN, INT64_MIN}));

struct DoubleCase {
    const char* text;
    double expected;
};

class ParseDoubleTest : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(ParseDoubleTest, ReadsAsStrtodWithAPoint) {
    const std::optional<double> value = ParseDouble(GetParam().text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, GetParam().expected);
    EXPECT_EQ(std::signbit(*value), std::signbit(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseDoubleTest,
                         ::testing::Values(DoubleCase{"1.5", 1.5}, DoubleCase{" -2.25e2", -225.0},
                                           DoubleCase{"+.5", 0.5}, DoubleCase{"12,50", 12.0},
                                           DoubleCase{"+-1", 0.0}, DoubleCase{"$1", 0.0},
                                           DoubleCase{"1e-400", 0.0}, DoubleCase{"-1e-400", -0.0}));

TEST(ParseDoubleTest, TooLargeForADoubleIsNoValue) {
    EXPECT_FALSE(ParseDouble("1e400").has_value());
    EXPECT_FALSE(ParseDouble(std::string(400, '9')).has_value());
}

struct DecimalCase {
    int64_t value;
    int minDigits;
    const char* text;
};

class AppendDecimalTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(AppendDecimalTest, WritesAsPrintfZeroPadded) {
    std::string out = "x";
    AppendDecimal(out, GetParam().value, GetParam().minDigits);
    EXPECT_EQ(out, std::string("x") + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, AppendDecimalTest,
                         ::testing::Values(DecimalCase{7, 1, "7"}, DecimalCase{7, 5, "00007"},
                                           DecimalCase{-5, 4, "-005"},
                                           DecimalCase{123456, 3, "123456"},
                                           DecimalCase{INT64_MIN, 1, "-9223372036854775808"}));

// Seventeen only where sixteen would read back as another double.
TEST(AppendDoubleTest, WritesSixteenSignificantDigitsInTheShorterNotation) {
    const std::pair<double, const char*> cases[] = {
        {0.1, "0.1"},
        {1.0 / 3, "0.3333333333333333"},
        {1e20, "1e+20"},
        {-2.5, "-2.5"},
        {123456789012345678.0, "1.2345678901234568e+17"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
        {1e-5, "1e-05"}};
    for (const auto& [value, text] : cases) {
        std::string out;
        AppendDouble(out, value);
        EXPECT_EQ(out, text);
    }
}

}  // namespace
}  // namespace velmora::datapacket
