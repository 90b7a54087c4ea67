#include "store/float_to_fixed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velmora::store {
namespace {

struct Case {
    const char* name;
    double value;
    int64_t units;
};

class FloatToFixedPointTest : public testing::TestWithParam<Case> {};

TEST_P(FloatToFixedPointTest, RoundsUnitsTiesToEven) {
    EXPECT_EQ(FloatToFixedPoint(GetParam().value), FixedPoint{GetParam().units});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatToFixedPointTest,
    testing::Values(
        Case{"FifthDecimalRoundsUp", 1.23456, 12346}, Case{"DoubleBelowTheHalf", 2.00005, 20000},
        Case{"DoubleAboveTheHalf", 0.00005, 1}, Case{"ExactHalfToEvenDown", 0.03125, 312},
        Case{"ExactHalfToEvenUp", 0.09375, 938}, Case{"NegativeExactHalf", -0.03125, -312},
        Case{"NegativeFifthDecimal", -1.23456, -12346}, Case{"Zero", 0.0, 0},
        Case{"NegativeZero", -0.0, 0}, Case{"LargeExact", 99999999999.9999, 999999999999999},
        Case{"LargestDoubleBelowTheLimit", 922337203685477.5, 9223372036854775000},
        Case{"LowestDoubleAboveTheLimit", -922337203685477.5, -9223372036854775000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FloatToFixedPoint, RefusesWhatHasNoUnits) {
    for (double value :
         {922337203685477.6, -922337203685477.7, 1e300, std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_EQ(FloatToFixedPoint(value), std::nullopt) << value;
}

}  // namespace
}  // namespace velmora::store
