// The direct conversion of exact decimals to doubles gives the double that reading their exact
// text gives, inside its exact range and beyond it.
#include "store/decimal_double.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

namespace velmora::store {
namespace {

void ExpectSameDouble(const Decimal& value) {
    const double expected = DecimalToDouble(value);
    EXPECT_EQ(std::bit_cast<uint64_t>(NearestDouble(value)), std::bit_cast<uint64_t>(expected))
        << static_cast<int64_t>(value.units) << " at scale " << int(value.scale);
}

TEST(NearestDoubleTest, EqualsTheDecimalTextRouteAtTheEdges) {
    const Int128 exact = Int128{1} << 53;
    for (Int128 units :
         {Int128{0}, Int128{1}, Int128{-1}, Int128{5}, Int128{15}, exact - 1, exact, exact + 1,
          -exact - 1, -exact, exact * 3, PowerOfTen(30) + 7, -PowerOfTen(37)})
        for (int scale : {0, 1, 3, 4, 15, 22, 23, 30, 38})
            ExpectSameDouble(Decimal{units, uint8_t(scale)});
}

TEST(NearestDoubleTest, EqualsTheDecimalTextRouteForManyValues) {
    std::mt19937_64 random(20261210);
    for (int i = 0; i < 20000; ++i) {
        const int digits = static_cast<int>(random() % 19);
        const int64_t bound = static_cast<int64_t>(PowerOfTen(digits));
        int64_t units = static_cast<int64_t>(random() % static_cast<uint64_t>(bound + 1));
        if (random() % 2 != 0) units = -units;
        ExpectSameDouble(Decimal{units, static_cast<uint8_t>(random() % 25)});
    }
}

TEST(NearestDoubleTest, FixedPointReadsFourDecimals) {
    for (int64_t units : {int64_t{15000}, int64_t{-1}, int64_t{123456789012345678},
                          std::numeric_limits<int64_t>::min()})
        EXPECT_EQ(std::bit_cast<uint64_t>(NearestDouble(FixedPoint{units})),
                  std::bit_cast<uint64_t>(FixedPointToDouble(FixedPoint{units})));
}

}  // namespace
}  // namespace velmora::store
