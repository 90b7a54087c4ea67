#pragma once
// Exact decimals as the stored table keeps them for fixed-point columns: a count of units at
// the column's scale (value = units / 10^scale), and the conversions between them, the
// four-place FixedPoint of the field layer, doubles and the datapacket text form.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/value.h"

namespace velmora::store {

__extension__ typedef __int128 Int128;

// The widest count of units kept: 38 decimal digits still fit in 128 bits.
inline constexpr int kMaxDecimalDigits = 38;
// The widest scale a FixedPoint converts to without overflow.
inline constexpr int kMaxDecimalScale = 20;

struct Decimal {
    Int128 units = 0;
    uint8_t scale = 0;
};

// REQUIRES: 0 <= n <= kMaxDecimalDigits.
Int128 PowerOfTen(int n);

// value / divisor rounded to the nearest integer, ties to the even one.
// REQUIRES: divisor > 0.
Int128 DivideHalfEven(Int128 value, Int128 divisor);

// The same value at another scale. Digits beyond a smaller scale are dropped (truncated
// toward zero). nullopt when the units would need more than kMaxDecimalDigits digits.
// REQUIRES: 0 <= scale <= kMaxDecimalDigits.
std::optional<Decimal> RescaleDecimal(const Decimal& value, int scale);

// REQUIRES: 0 <= scale <= kMaxDecimalScale.
Decimal DecimalFromFixedPoint(FixedPoint value, int scale);

// The value in 1/10000 units, digits beyond four places dropped; nullopt when it exceeds the
// 64-bit range.
std::optional<FixedPoint> DecimalToFixedPoint(const Decimal& value);

// True when the units have at most `precision` digits, i.e. the integer part has at most
// precision - scale digits. A precision of 0 (not declared) or above kMaxDecimalDigits sets
// no limit.
bool FitsPrecision(const Decimal& value, int precision);

// <0, 0 or >0 as a is less than, equal to or greater than b, by value (1.50 equals 1.5).
int CompareDecimals(const Decimal& a, const Decimal& b);

// The nearest double.
double DecimalToDouble(const Decimal& value);
double FixedPointToDouble(FixedPoint value);

// The value rounded to the nearest integer, ties to the even one.
int64_t RoundFixedPointToInteger(FixedPoint value);

// The 16-byte stored form of the units: little-endian two's complement.
std::string EncodeDecimalUnits(Int128 units);
// REQUIRES: stored.size() == 16.
Int128 DecodeDecimalUnits(std::string_view stored);

enum class DecimalTextStatus {
    Ok,
    Null,           // no digit before the number ended
    TooManyDigits,  // more integer digits than the text form or the column allows
};

// Reads the datapacket text of a "fixed" value into `out` at the column's scale: "-" before
// the first digit makes it negative, "." is the decimal point (the last one counts), blanks
// are skipped, any other character ends the number. At most 16 integer digits and 16
// fraction digits are read (further fraction digits are dropped); leading zeros do not
// count. Surplus fraction digits for the column are dropped; an integer part too long for
// the column's precision (see FitsPrecision) gives TooManyDigits.
// REQUIRES: 0 <= scale <= kMaxDecimalDigits.
DecimalTextStatus ParseDatapacketDecimal(std::string_view text, int precision, int scale,
                                         Decimal& out);

// The datapacket text of a value: "-" when negative, the integer digits ("0" when there are
// none), then "." and exactly `scale` fraction digits (no "." for scale 0): 10.5 at scale 4
// is "10.5000".
std::string DatapacketDecimalText(const Decimal& value);

}  // namespace velmora::store
