#pragma once
// Numbers as decimal digits, and the general number text built from them: the shortest form
// with the locale's decimal separator, no thousands separators, no trailing zeros after the
// separator and "-" in front of negatives. The digit form is shared with the number patterns
// and the typed-number parser.

#include <cstdint>
#include <optional>
#include <string>

#include "store/decimal.h"
#include "store/number_settings.h"
#include "store/value.h"

namespace velmora::store {

// value = 0.<digits> x 10^exponent, so `exponent` counts the integer digits (negative when
// zeros follow the point). `digits` has neither leading nor trailing zeros; zero has none
// and is never negative.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
};

// Removes leading zeros (adjusting the exponent) and trailing zeros; zero becomes the
// canonical zero.
void NormalizeDigits(DecimalDigits& number);

enum class DigitRounding { HalfAwayFromZero, HalfEven };

// The 18 most significant digits of the exact value, the 18th rounded to nearest with ties to
// even. REQUIRES: value is finite.
DecimalDigits EighteenDigits(double value);

// The exact digits of units / 10^scale. REQUIRES: 0 <= scale <= kMaxDecimalDigits.
DecimalDigits DigitsOfUnits(Int128 units, int scale);

// Keeps the first `keep` significant digits (none when keep <= 0) and rounds by the first
// dropped digit; a carry may add an integer digit (9.99 kept to 2 gives 10).
void RoundDigits(DecimalDigits& number, int keep, DigitRounding rounding);

// Rounds to `decimals` places after the decimal point.
inline void RoundToDecimals(DecimalDigits& number, int decimals, DigitRounding rounding) {
    RoundDigits(number, number.exponent + decimals, rounding);
}

// The value as a count of units at `scale`, digits beyond the scale dropped; nullopt when the
// count would need more than kMaxDecimalDigits digits.
std::optional<Int128> UnitsOfDigits(const DecimalDigits& number, int scale);

// Plain positional text: "-", the integer digits ("0" when none), and the fraction digits
// after the separator when there are any.
std::string PlainNumberText(const DecimalDigits& number, char decimalSeparator);

// General text of a fixed-point value: up to its four decimals, exactly (1234.5 -> "1234,5").
std::string FixedPointText(FixedPoint value, const NumberSettings& settings);

// General text of a double: 15 significant digits, rounded half away from zero on the
// 18-digit form. Positional when the digit form's exponent lies in -3..15, that is at most 15
// integer digits and at most three zeros right after the point (0.0001 -> "0,0001");
// otherwise the mantissa, "E", "-" for a negative exponent and the exponent without leading
// zeros ("1,5E20", "1E-5"). Not-a-number and the infinities read "NAN", "INF" and "-INF".
std::string FloatText(double value, const NumberSettings& settings);

// Decimal digits with "-" for negatives.
std::string IntegerText(int64_t value);

}  // namespace velmora::store
