#pragma once
// Numbers in the text forms of a datapacket, read and written the same way on every locale:
// the rules of the C run-time functions that the format was defined with (atol, strtod,
// printf "%0Nd" and "%.16g"), without their locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::datapacket {

// The validity test of numeric text: characters that are neither digits nor letters are
// skipped; true when a digit comes before any letter.
bool HasLeadingDigit(std::string_view text);

// As atol with a 32-bit long: leading blanks skipped, an optional sign, then the digits up to
// the first non-digit (none gives 0); a value outside the range saturates at its bound.
int32_t ParseLong(std::string_view text);
// The same with a 64-bit result.
int64_t ParseLong64(std::string_view text);

// As strtod with "." as decimal point: leading blanks, sign, digits, fraction and exponent;
// text that holds no number gives 0, a number too small for a double gives 0 (with its sign).
// nullopt for a number too large for a double.
std::optional<double> ParseDouble(std::string_view text);

// printf "%0*d": at least `minDigits` characters, zeros after the sign.
void AppendDecimal(std::string& out, int64_t value, int minDigits = 1);
// printf "%.16g" in the C locale, or "%.17g" for a value that sixteen digits would not give
// back when read.
void AppendDouble(std::string& out, double value);

inline bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}
inline bool IsAsciiLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
// The blanks of the C locale's isspace.
inline bool IsCBlank(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace velmora::datapacket
