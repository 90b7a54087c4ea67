#include "store/float_to_fixed.h"

#include <cmath>

namespace velmora::store {

static_assert(sizeof(long double) > sizeof(double), "the product needs extended precision");

std::optional<FixedPoint> FloatToFixedPoint(double value) {
    const long double units = static_cast<long double>(value) * kFixedPointOne;
    // 2^63 is exact in long double; every integer below it in magnitude fits int64.
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!(units > -kLimit - 1 && units < kLimit)) return std::nullopt;
    // The program never leaves the default rounding mode, which rounds ties to even.
    const long double rounded = std::nearbyintl(units);
    if (rounded >= kLimit) return std::nullopt;
    return FixedPoint{static_cast<int64_t>(rounded)};
}

}  // namespace velmora::store
