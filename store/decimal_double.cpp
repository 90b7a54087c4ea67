#include "store/decimal_double.h"

namespace velmora::store {
namespace {

// Integers up to 2^53 and powers of ten up to 10^22 are exact doubles.
constexpr Int128 kExactUnits = Int128{1} << 53;
constexpr int kExactPowers = 23;

constexpr double kPowers[kExactPowers] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

double NearestDouble(const Decimal& value) {
    if (value.scale >= kExactPowers || value.units > kExactUnits || value.units < -kExactUnits)
        return DecimalToDouble(value);
    return static_cast<double>(static_cast<int64_t>(value.units)) / kPowers[value.scale];
}

double NearestDouble(FixedPoint value) {
    return NearestDouble(Decimal{value.units, 4});
}

}  // namespace velmora::store
