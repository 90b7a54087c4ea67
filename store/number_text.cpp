#include "store/number_text.h"

#include <charconv>
#include <cmath>

namespace velmora::store {
namespace {

__extension__ typedef unsigned __int128 Magnitude;

constexpr int kGeneralDigits = 15;
constexpr int kLowestPositionalExponent = -3;

// Adds one to the last digit, carrying through nines.
void Increment(DecimalDigits& number) {
    std::string& digits = number.digits;
    size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
        digits.insert(digits.begin(), '1');
        ++number.exponent;
    } else {
        ++digits[i - 1];
    }
}

bool RoundsUp(const DecimalDigits& number, size_t keep, DigitRounding rounding) {
    const char first = number.digits[keep];
    if (first != '5') return first > '5';
    if (rounding == DigitRounding::HalfAwayFromZero || number.digits.size() > keep + 1) return true;
    return keep > 0 && (number.digits[keep - 1] - '0') % 2 != 0;  // a tie goes to the even one
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string ExponentText(const DecimalDigits& number, char decimalSeparator) {
    std::string text = number.negative ? "-" : "";
    text += number.digits[0];
    if (number.digits.size() > 1) text.append(1, decimalSeparator).append(number.digits, 1);
    return text + "E" + IntegerText(number.exponent - 1);
}

}  // namespace

void NormalizeDigits(DecimalDigits& number) {
    const size_t first = number.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        number = DecimalDigits{};
        return;
    }
    number.digits.erase(number.digits.find_last_not_of('0') + 1);
    number.digits.erase(0, first);
    number.exponent -= static_cast<int>(first);
}

DecimalDigits EighteenDigits(double value) {
    char buffer[32];
    // Precision 17 in scientific form gives 18 digits "d.ddd...e+x", correctly rounded from the
    // exact binary value with ties to even.
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 17).ptr;
    std::string_view text(buffer, end - buffer);
    const bool negative = text[0] == '-';
    text.remove_prefix(negative ? 1 : 0);
    const size_t mark = text.find('e');
    const std::string_view power = text.substr(mark + 1);
    int exponent = 0;
    std::from_chars(power.data() + (power[0] == '+'), power.data() + power.size(), exponent);
    DecimalDigits number{negative, std::string(1, text[0]), exponent + 1};
    number.digits.append(text.substr(2, mark - 2));
    NormalizeDigits(number);
    return number;
}

DecimalDigits DigitsOfUnits(Int128 units, int scale) {
    DecimalDigits number;
    number.negative = units < 0;
    Magnitude rest =
        units < 0 ? Magnitude(0) - static_cast<Magnitude>(units) : static_cast<Magnitude>(units);
    for (; rest != 0; rest /= 10)
        number.digits.insert(number.digits.begin(), static_cast<char>('0' + int(rest % 10)));
    number.exponent = static_cast<int>(number.digits.size()) - scale;
    NormalizeDigits(number);
    return number;
}

void RoundDigits(DecimalDigits& number, int keep, DigitRounding rounding) {
    if (keep >= static_cast<int>(number.digits.size())) return;
    if (keep < 0) {
        number = DecimalDigits{};
        return;
    }
    const bool up = RoundsUp(number, keep, rounding);
    number.digits.resize(keep);
    if (up) Increment(number);
    NormalizeDigits(number);
}

std::optional<Int128> UnitsOfDigits(const DecimalDigits& number, int scale) {
    const int count = number.exponent + scale;
    if (number.IsZero() || count <= 0) return Int128(0);
    if (count > kMaxDecimalDigits) return std::nullopt;
    Int128 units = 0;
    for (int i = 0; i < count; ++i)
        units =
            units * 10 + (i < static_cast<int>(number.digits.size()) ? number.digits[i] - '0' : 0);
    return number.negative ? -units : units;
}

std::string PlainNumberText(const DecimalDigits& number, char decimalSeparator) {
    const std::string& digits = number.digits;
    const int size = static_cast<int>(digits.size());
    std::string text = number.negative ? "-" : "";
    if (number.exponent <= 0) {
        text += '0';
    } else {
        text.append(digits, 0, number.exponent);
        if (number.exponent > size) text.append(number.exponent - size, '0');
    }
    if (size > number.exponent) {
        text += decimalSeparator;
        if (number.exponent < 0) text.append(-number.exponent, '0');
        text.append(digits, number.exponent < 0 ? 0 : number.exponent);
    }
    return text;
}

std::string FixedPointText(FixedPoint value, const NumberSettings& settings) {
    return PlainNumberText(DigitsOfUnits(value.units, 4), settings.decimalSeparator);
}

std::string FloatText(double value, const NumberSettings& settings) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    DecimalDigits number = EighteenDigits(value);
    RoundDigits(number, kGeneralDigits, DigitRounding::HalfAwayFromZero);
    if (number.IsZero()) return "0";
    if (number.exponent > kGeneralDigits || number.exponent < kLowestPositionalExponent)
        return ExponentText(number, settings.decimalSeparator);
    return PlainNumberText(number, settings.decimalSeparator);
}

std::string IntegerText(int64_t value) {
    char buffer[24];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

}  // namespace velmora::store
