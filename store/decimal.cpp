#include "store/decimal.h"

#include <array>
#include <charconv>
#include <limits>

namespace velmora::store {
namespace {

__extension__ typedef unsigned __int128 Magnitude;

constexpr int kTextIntegerDigits = 16;
constexpr int kTextFractionDigits = 16;
constexpr int kTextMaxDigits = 64;

Magnitude MagnitudeOf(Int128 units) {
    return units < 0 ? Magnitude(0) - static_cast<Magnitude>(units) : static_cast<Magnitude>(units);
}

Int128 WithSign(Int128 magnitude, bool negative) {
    return negative ? -magnitude : magnitude;
}

int DigitCount(Magnitude value) {
    int count = 0;
    for (; value != 0; value /= 10) ++count;
    return count;
}

int Compare(Magnitude a, Magnitude b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareMagnitudes(const Decimal& a, const Decimal& b) {
    const Magnitude ma = MagnitudeOf(a.units), mb = MagnitudeOf(b.units);
    const Magnitude oneA = static_cast<Magnitude>(PowerOfTen(a.scale));
    const Magnitude oneB = static_cast<Magnitude>(PowerOfTen(b.scale));
    if (int byInteger = Compare(ma / oneA, mb / oneB); byInteger != 0) return byInteger;
    // Fractions are below 10^scale, so both fit at the larger scale.
    const int scale = a.scale > b.scale ? a.scale : b.scale;
    return Compare((ma % oneA) * static_cast<Magnitude>(PowerOfTen(scale - a.scale)),
                   (mb % oneB) * static_cast<Magnitude>(PowerOfTen(scale - b.scale)));
}

// The digits of a "fixed" text as collected: all digits read and where the last point stood.
struct CollectedDigits {
    bool negative = false;
    std::string digits;
    size_t point = std::string::npos;
};

CollectedDigits CollectDigits(std::string_view text) {
    CollectedDigits out;
    int significant = 0;
    for (char c : text) {
        if (c == ' ') continue;
        if (c == '-' && out.digits.empty()) {
            out.negative = true;
        } else if (c == '.') {
            out.point = out.digits.size();
        } else if (c >= '0' && c <= '9') {
            if (significant > 0 || c != '0') ++significant;
            if (significant <= kTextMaxDigits) out.digits += c;
        } else {
            break;
        }
    }
    if (out.point == std::string::npos) out.point = out.digits.size();
    return out;
}

Int128 DigitsValue(std::string_view digits) {
    Int128 value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

Int128 PowerOfTen(int n) {
    static constexpr auto kPowers = [] {
        std::array<Int128, kMaxDecimalDigits + 1> powers{};
        powers[0] = 1;
        for (int i = 1; i <= kMaxDecimalDigits; ++i) powers[i] = powers[i - 1] * 10;
        return powers;
    }();
    return kPowers[n];
}

Int128 DivideHalfEven(Int128 value, Int128 divisor) {
    Int128 quotient = value / divisor;
    const Int128 remainder = value % divisor;
    const Int128 rest = remainder < 0 ? -remainder : remainder;
    const Int128 toNext = divisor - rest;
    if (rest > toNext || (rest == toNext && quotient % 2 != 0)) quotient += value < 0 ? -1 : 1;
    return quotient;
}

std::optional<Decimal> RescaleDecimal(const Decimal& value, int scale) {
    if (scale <= value.scale)
        return Decimal{value.units / PowerOfTen(value.scale - scale), static_cast<uint8_t>(scale)};
    const Magnitude limit = static_cast<Magnitude>(PowerOfTen(kMaxDecimalDigits));
    const Magnitude factor = static_cast<Magnitude>(PowerOfTen(scale - value.scale));
    if (MagnitudeOf(value.units) > (limit - 1) / factor) return std::nullopt;
    return Decimal{value.units * static_cast<Int128>(factor), static_cast<uint8_t>(scale)};
}

Decimal DecimalFromFixedPoint(FixedPoint value, int scale) {
    return *RescaleDecimal(Decimal{value.units, 4}, scale);
}

std::optional<FixedPoint> DecimalToFixedPoint(const Decimal& value) {
    std::optional<Decimal> fixed = RescaleDecimal(value, 4);
    if (!fixed || fixed->units > std::numeric_limits<int64_t>::max() ||
        fixed->units < std::numeric_limits<int64_t>::min())
        return std::nullopt;
    return FixedPoint{static_cast<int64_t>(fixed->units)};
}

bool FitsPrecision(const Decimal& value, int precision) {
    // With the units at the column's scale this is: integer part <= precision - scale digits.
    if (precision <= 0 || precision > kMaxDecimalDigits) return true;
    return DigitCount(MagnitudeOf(value.units)) <= precision;
}

int CompareDecimals(const Decimal& a, const Decimal& b) {
    const int signA = (a.units > 0) - (a.units < 0), signB = (b.units > 0) - (b.units < 0);
    if (signA != signB) return signA < signB ? -1 : 1;
    const int byMagnitude = CompareMagnitudes(a, b);
    return signA < 0 ? -byMagnitude : byMagnitude;
}

double DecimalToDouble(const Decimal& value) {
    // The exact decimal text read back by from_chars gives the correctly rounded double.
    const std::string text = DatapacketDecimalText(value);
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return result;
}

double FixedPointToDouble(FixedPoint value) {
    return DecimalToDouble(Decimal{value.units, 4});
}

int64_t RoundFixedPointToInteger(FixedPoint value) {
    return static_cast<int64_t>(DivideHalfEven(value.units, kFixedPointOne));
}

std::string EncodeDecimalUnits(Int128 units) {
    std::string stored(16, '\0');
    Magnitude bits = static_cast<Magnitude>(units);
    for (char& byte : stored) {
        byte = static_cast<char>(static_cast<uint8_t>(bits));
        bits >>= 8;
    }
    return stored;
}

Int128 DecodeDecimalUnits(std::string_view stored) {
    Magnitude bits = 0;
    for (int i = 15; i >= 0; --i) bits = (bits << 8) | static_cast<uint8_t>(stored[i]);
    return static_cast<Int128>(bits);
}

DecimalTextStatus ParseDatapacketDecimal(std::string_view text, int precision, int scale,
                                         Decimal& out) {
    const CollectedDigits read = CollectDigits(text);
    if (read.digits.empty()) return DecimalTextStatus::Null;
    std::string_view integer = std::string_view(read.digits).substr(0, read.point);
    while (!integer.empty() && integer.front() == '0') integer.remove_prefix(1);
    if (integer.size() > kTextIntegerDigits) return DecimalTextStatus::TooManyDigits;
    std::string fraction = read.digits.substr(read.point, kTextFractionDigits);
    fraction.resize(kTextFractionDigits, '0');
    const Int128 magnitude =
        DigitsValue(integer) * PowerOfTen(kTextFractionDigits) + DigitsValue(fraction);
    const Decimal read16{WithSign(magnitude, read.negative), kTextFractionDigits};
    std::optional<Decimal> atScale = RescaleDecimal(read16, scale);
    if (!atScale || !FitsPrecision(*atScale, precision)) return DecimalTextStatus::TooManyDigits;
    out = *atScale;
    return DecimalTextStatus::Ok;
}

std::string DatapacketDecimalText(const Decimal& value) {
    std::string digits;
    for (Magnitude rest = MagnitudeOf(value.units); rest != 0; rest /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    if (digits.size() <= value.scale) digits.insert(0, value.scale + 1 - digits.size(), '0');
    std::string text = value.units < 0 ? "-" : "";
    text.append(digits, 0, digits.size() - value.scale);
    if (value.scale > 0) text.append(".").append(digits, digits.size() - value.scale);
    return text;
}

}  // namespace velmora::store
