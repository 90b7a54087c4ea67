#pragma once
// A double assigned to a fixed-point field (AsNumber write): the number of 1/10000 units.

#include <optional>

#include "store/value.h"

namespace velmora::store {

// The value times 10000, computed in 80-bit extended precision and rounded to an integer with
// ties to the even one: 1.23456 gives 12346, 0.03125 gives 312 and 0.09375 gives 938, while
// 2.00005, whose double lies just below it, gives 20000. nullopt for infinities, NaN and values
// whose units fall outside the 64-bit range; callers refuse those like an integer part too
// long for the field's precision.
std::optional<FixedPoint> FloatToFixedPoint(double value);

}  // namespace velmora::store
