#pragma once
// Where a number literal ends in an expression text.

#include <cstddef>
#include <string_view>

namespace velmora::store {

// The length of the number literal at the start of text: an optional "-", digits, optionally
// the decimal separator and digits, optionally "E" or "e" with an optional sign and digits.
// A separator "," followed by a blank is left out, so "1, 2" reads as two numbers. 0 when
// text does not start with a number.
size_t ScanNumber(std::string_view text, char decimalSeparator);

}  // namespace velmora::store
