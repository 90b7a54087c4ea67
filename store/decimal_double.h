#pragma once
// The nearest double of an exact decimal, without going through its decimal text when the
// units and the power of ten are both exact doubles: one correctly rounded IEEE division then
// gives the same double as reading the exact text back (DecimalToDouble), at a fraction of
// the cost. Posting a price and summing qtde*preco_ini convert on every row.

#include "store/decimal.h"

namespace velmora::store {

// Equal to DecimalToDouble(value) for every value.
double NearestDouble(const Decimal& value);
// Equal to FixedPointToDouble(value) for every value.
double NearestDouble(FixedPoint value);

}  // namespace velmora::store
