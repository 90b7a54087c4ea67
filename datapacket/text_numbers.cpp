#include "datapacket/text_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace velmora::datapacket {
namespace {

size_t SkipBlanks(std::string_view text, size_t i) {
    while (i < text.size() && IsCBlank(static_cast<unsigned char>(text[i]))) ++i;
    return i;
}

int64_t ParseSaturating(std::string_view text, int64_t low, int64_t high) {
    size_t i = SkipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const uint64_t limit = negative ? 0 - static_cast<uint64_t>(low) : static_cast<uint64_t>(high);
    uint64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (magnitude > (limit - digit) / 10) return negative ? low : high;
        magnitude = magnitude * 10 + digit;
    }
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

// Decimal magnitude of the number that starts at `i` (the exponent of its first significant
// digit), to tell an overflow from an underflow.
int64_t DecimalMagnitude(std::string_view text, size_t i) {
    int64_t significantIntegerDigits = 0, leadingFractionZeros = 0;
    bool seenSignificant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (text[i] != '0') seenSignificant = true;
        if (seenSignificant) ++significantIntegerDigits;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            if (!seenSignificant && text[i] == '0')
                ++leadingFractionZeros;
            else
                seenSignificant = true;
        }
    }
    int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
        exponent = ParseLong(text.substr(i + 1));
    return (significantIntegerDigits > 0 ? significantIntegerDigits - 1
                                         : -(leadingFractionZeros + 1)) +
           exponent;
}

}  // namespace

bool HasLeadingDigit(std::string_view text) {
    for (char c : text) {
        if (IsDigit(c)) return true;
        if (IsAsciiLetter(static_cast<unsigned char>(c))) return false;
    }
    return false;
}

int32_t ParseLong(std::string_view text) {
    return static_cast<int32_t>(ParseSaturating(text, std::numeric_limits<int32_t>::min(),
                                                std::numeric_limits<int32_t>::max()));
}

int64_t ParseLong64(std::string_view text) {
    return ParseSaturating(text, std::numeric_limits<int64_t>::min(),
                           std::numeric_limits<int64_t>::max());
}

std::optional<double> ParseDouble(std::string_view text) {
    size_t i = SkipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // from_chars takes no sign of its own beyond this point: a second one is no number.
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) return 0.0;
    double value = 0.0;
    const char* first = text.data() + i;
    auto [end, error] =
        std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
    (void)end;
    if (error == std::errc::invalid_argument) return 0.0;
    if (error == std::errc::result_out_of_range) {
        if (DecimalMagnitude(text, i) > 0) return std::nullopt;
        value = 0.0;
    }
    return negative ? -value : value;
}

void AppendDecimal(std::string& out, int64_t value, int minDigits) {
    char digits[24];
    const uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    auto result = std::to_chars(digits, digits + sizeof digits, magnitude);
    const int count = static_cast<int>(result.ptr - digits);
    if (value < 0) out += '-';
    const int width = minDigits - (value < 0 ? 1 : 0);
    if (count < width) out.append(static_cast<size_t>(width - count), '0');
    // By count, not by iterator range: this runs for every integer a packet holds.
    out.append(digits, static_cast<size_t>(count));
}

void AppendDouble(std::string& out, double value) {
    char text[40];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 16);
    // Sixteen digits do not tell every double apart; one they would change gets a 17th.
    double back = 0;
    std::from_chars(text, result.ptr, back, std::chars_format::general);
    if (std::isfinite(value) && back != value)
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
    out.append(text, static_cast<size_t>(result.ptr - text));
}

}  // namespace velmora::datapacket
