#include "store/number_parse.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/errors.h"

namespace velmora::store {
namespace {

constexpr NumberSettings kBrazil{',', '.'};

// A typed text and what each parse makes of it; nullopt: refused.
struct TypedCase {
    const char* name;
    const char* text;
    std::optional<int64_t> units;  // fixed-point, in 1/10000
    std::optional<double> number;  // floating-point
    std::optional<int32_t> integer;
};

class TypedNumberTest : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedNumberTest, ReadsEachKind) {
    const TypedCase& c = GetParam();
    const std::optional<FixedPoint> fixed = ParseFixedPoint(c.text, kBrazil);
    EXPECT_EQ(fixed ? std::optional<int64_t>(fixed->units) : std::nullopt, c.units);
    EXPECT_EQ(ParseFloat(c.text, kBrazil), c.number);
    EXPECT_EQ(ParseInteger(c.text), c.integer);
}

constexpr std::nullopt_t no = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedNumberTest,
    testing::Values(
        TypedCase{"Decimal", "1234,5", 12345000, 1234.5, no},
        TypedCase{"Integer", "42", 420000, 42.0, 42},
        TypedCase{"SignsAndBlanks", "  -7  ", -70000, -7.0, -7},
        TypedCase{"Plus", "+7", 70000, 7.0, 7},
        TypedCase{"TieToEvenDown", "1,00005", 10000, 1.00005, no},
        TypedCase{"TieToEvenUp", "1,00015", 10002, 1.00015, no},
        TypedCase{"AboveTie", "1,000050001", 10001, 1.000050001, no},
        TypedCase{"NegativeTie", "-0,00025", -2, -0.00025, no},
        TypedCase{"SeparatorAlone", ",", 0, 0.0, no},
        TypedCase{"SignedSeparator", "-,5", -5000, -0.5, no},
        TypedCase{"TrailingSeparator", "3,", 30000, 3.0, no},
        TypedCase{"Exponent", "1,5E3", 15000000, 1500.0, no},
        TypedCase{"NegativeExponent", "25e-4", 25, 0.0025, no},
        TypedCase{"ThousandsSeparatorRefused", "1.234,6000", no, no, no},
        TypedCase{"ThousandsSeparatorAlone", ".", no, no, no},
        TypedCase{"BlanksOnly", "   ", no, no, no}, TypedCase{"SignOnly", "-", no, no, no},
        TypedCase{"TwoSigns", "+-1", no, no, no},
        TypedCase{"ExponentWithoutDigits", "1E", no, no, no},
        TypedCase{"ExponentWithoutMantissa", "E5", no, no, no},
        TypedCase{"BlankInside", "1 2", no, no, no},
        TypedCase{"SecondSeparator", "1,2,3", no, no, no}, TypedCase{"Letters", "12a", no, no, no},
        TypedCase{"Empty", "", no, no, no},
        TypedCase{"LargestUnits", "922337203685477,5807", INT64_MAX, 922337203685477.5807, no},
        TypedCase{"BeyondUnits", "922337203685477,5808", no, 922337203685477.5808, no},
        TypedCase{"LargestInteger", "2147483647", 21474836470000, 2147483647.0, 2147483647},
        TypedCase{"LowestInteger", "-2147483648", -21474836480000, -2147483648.0, INT32_MIN},
        TypedCase{"BeyondInteger", "2147483648", 21474836480000, 2147483648.0, no},
        TypedCase{"LongIntegerText", "00000000000000000000000012", 120000, 12.0, 12},
        TypedCase{"TooSmallForADouble", "1E-400", 0, 0.0, no},
        TypedCase{"TooLargeForADouble", "1E400", no, no, no},
        TypedCase{"HugeExponent", "1E99999999999999999999", no, no, no}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseFloat, GivesTheNearestDouble) {
    // Long digit strings that extended precision alone would misround.
    EXPECT_EQ(ParseFloat("0,1000000000000000055511151231257827", kBrazil), 0.1);
    EXPECT_EQ(ParseFloat("9007199254740993", kBrazil), 9007199254740992.0);
    EXPECT_EQ(ParseFloat("9007199254740993,0000001", kBrazil), 9007199254740994.0);
    EXPECT_EQ(ParseFloat("2,2250738585072011e-308", kBrazil), 2.2250738585072011e-308);
}

TEST(ParseNumber, UsesTheSettingsSeparator) {
    EXPECT_EQ(ParseFixedPoint("1234.5", NumberSettings{})->units, 12345000);
    EXPECT_EQ(ParseFixedPoint("1,234.5", NumberSettings{}), std::nullopt);
    EXPECT_EQ(ParseFloat("0,5", NumberSettings{}), std::nullopt);
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EConvertError& error) {
        return error.Message();
    }
    return "(no error)";
}

TEST(FieldValue, EmptyTextClearsAndBadTextNamesTheField) {
    const std::string price = "Pre\xE7o Inicial";
    EXPECT_EQ(FixedPointFieldValue("", price, kBrazil), std::nullopt);
    EXPECT_EQ(FloatFieldValue("", price, kBrazil), std::nullopt);
    EXPECT_EQ(IntegerFieldValue("", "numitem"), std::nullopt);
    EXPECT_EQ(FixedPointFieldValue("1234,6", price, kBrazil), FixedPoint{12346000});
    EXPECT_EQ(IntegerFieldValue(" 12", "numitem"), 12);
    EXPECT_EQ(MessageOf([&] { FixedPointFieldValue("1.234,6000", price, kBrazil); }),
              "'1.234,6000' is not a valid floating point value for field 'Pre\xE7o Inicial'");
    EXPECT_EQ(MessageOf([&] { FloatFieldValue("  ", "totitem", kBrazil); }),
              "'  ' is not a valid floating point value for field 'totitem'");
    EXPECT_EQ(MessageOf([&] { IntegerFieldValue("1,5", "numitem"); }),
              "'1,5' is not a valid integer value for field 'numitem'");
}

TEST(TextAsNumber, ConvertsOrRefusesWithTheTextAlone) {
    EXPECT_EQ(TextAsInt32("-15"), -15);
    EXPECT_EQ(TextAsNumber("2,5", kBrazil), 2.5);
    EXPECT_EQ(MessageOf([] { TextAsInt32("abc"); }), "'abc' is not a valid integer value");
    EXPECT_EQ(MessageOf([] { TextAsInt32(""); }), "'' is not a valid integer value");
    EXPECT_EQ(MessageOf([] { TextAsNumber("1.5", kBrazil); }),
              "'1.5' is not a valid floating point value");
}

}  // namespace
}  // namespace velmora::store
