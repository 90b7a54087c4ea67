#pragma once
// Number patterns of display and edit texts (",0.00", ",0.0000", "###,##0.00").
//
// "0" is a digit position that always shows a digit, "#" one that shows a digit only when the
// number has one there. The first "." marks the decimal separator; the "0" and "#" after it
// are the decimals shown (trailing zeros shown up to the last "0"). A "," anywhere outside
// quotes groups the integer digits by three with the thousands separator. Text in single or
// double quotes and every other character is copied as it stands. Integer digits beyond the
// digit positions before the point all go to the first one, so no digit is ever lost.
//
// Up to three sections separated by ";": positive; negative; zero. An absent or empty
// negative section shows negatives with the positive section and "-" in front; a value that
// rounds to zero at the chosen section's decimals is shown with the zero section, or, when
// there is none, with the positive section and no sign.
//
// A pattern cannot be applied when it has more than three sections or a quote that is never
// closed. The empty pattern gives the general number text.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/number_settings.h"
#include "store/value.h"

namespace velmora::store {

// What a fixed-point field shows when its pattern cannot be applied.
inline constexpr std::string_view kPatternOverflowText = "BCD overflow";

// Rounds exactly from the 1/10000 units: with fewer than four decimals the magnitude is
// divided by the power of ten and rounded to the nearest integer, ties to the even one
// (10.1250 with ",0.00" shows "10,12"). A pattern that cannot be applied gives
// kPatternOverflowText.
std::string FormatFixedPoint(FixedPoint value, std::string_view pattern,
                             const NumberSettings& settings);

// Floating-point numbers, integers and aggregates: the value is taken as its 18 most
// significant digits (ties to even), then cut after the pattern's last decimal, adding one
// when the first dropped digit is 5 or more (10.125 with ",0.00" shows "10,13"). A pattern
// that cannot be applied gives the general number text, as do not-a-number and infinities.
std::string FormatFloat(double value, std::string_view pattern, const NumberSettings& settings);

inline std::string FormatInteger(int32_t value, std::string_view pattern,
                                 const NumberSettings& settings) {
    return FormatFloat(value, pattern, settings);  // every 32-bit integer is an exact double
}

}  // namespace velmora::store
