#include "store/number_parse.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "platform/errors.h"
#include "store/number_text.h"

namespace velmora::store {
namespace {

// Far beyond any double or fixed-point value, small enough to stay within int.
constexpr long long kExponentLimit = 1000000000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks typed number text.
class NumberReader {
public:
    explicit NumberReader(std::string_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }
    bool Take(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    // Takes an optional sign; true when it was "-".
    bool TakeSignNegative() { return !Take('+') && Take('-'); }
    std::string_view TakeDigits() {
        const size_t start = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }
    bool AtEnd() const { return pos_ == text_.size(); }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

long long ExponentValue(std::string_view digits, bool negative) {
    long long value = 0;
    for (char c : digits) value = std::min(value * 10 + (c - '0'), kExponentLimit);
    return negative ? -value : value;
}

// The digits of number text, or nullopt when the text does not have the form.
std::optional<DecimalDigits> ReadNumber(std::string_view text, char decimalSeparator) {
    NumberReader reader(text);
    reader.SkipBlanks();
    const bool negative = reader.TakeSignNegative();
    const std::string_view integer = reader.TakeDigits();
    const bool point = reader.Take(decimalSeparator);
    const std::string_view fraction = point ? reader.TakeDigits() : std::string_view();
    if (integer.empty() && !point) return std::nullopt;
    long long exponent = 0;
    if (reader.Take('E') || reader.Take('e')) {
        const bool negativeExponent = reader.TakeSignNegative();
        const std::string_view digits = reader.TakeDigits();
        if (digits.empty()) return std::nullopt;
        exponent = ExponentValue(digits, negativeExponent);
    }
    reader.SkipBlanks();
    if (!reader.AtEnd()) return std::nullopt;

    exponent = std::clamp(exponent + static_cast<long long>(integer.size()), -kExponentLimit,
                          kExponentLimit);
    DecimalDigits number{negative, std::string(integer) + std::string(fraction),
                         static_cast<int>(exponent)};
    NormalizeDigits(number);
    return number;
}

std::string FieldMessage(std::string_view text, const char* what, const std::string& name) {
    return "'" + std::string(text) + "' is not a valid " + what + " value for field '" + name + "'";
}

}  // namespace

std::optional<FixedPoint> ParseFixedPoint(std::string_view text, const NumberSettings& settings) {
    std::optional<DecimalDigits> number = ReadNumber(text, settings.decimalSeparator);
    if (!number) return std::nullopt;
    RoundToDecimals(*number, 4, DigitRounding::HalfEven);
    const std::optional<Int128> units = UnitsOfDigits(*number, 4);
    if (!units || *units > std::numeric_limits<int64_t>::max() ||
        *units < std::numeric_limits<int64_t>::min())
        return std::nullopt;
    return FixedPoint{static_cast<int64_t>(*units)};
}

std::optional<double> ParseFloat(std::string_view text, const NumberSettings& settings) {
    const std::optional<DecimalDigits> number = ReadNumber(text, settings.decimalSeparator);
    if (!number) return std::nullopt;
    if (number->IsZero()) return 0.0;
    const int scale = number->exponent - static_cast<int>(number->digits.size());
    const std::string exact =
        (number->negative ? "-" : "") + number->digits + "e" + std::to_string(scale);
    double value = 0;
    // from_chars rounds the exact decimal value to the nearest double.
    const auto result = std::from_chars(exact.data(), exact.data() + exact.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (number->exponent < 0) return 0.0;
        return std::nullopt;
    }
    return value;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    NumberReader reader(text);
    reader.SkipBlanks();
    const bool negative = reader.TakeSignNegative();
    std::string_view digits = reader.TakeDigits();
    reader.SkipBlanks();
    if (digits.empty() || !reader.AtEnd()) return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > int64_t{1} << 31) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<FixedPoint> FixedPointFieldValue(std::string_view text,
                                               const std::string& displayName,
                                               const NumberSettings& settings) {
    if (text.empty()) return std::nullopt;
    if (std::optional<FixedPoint> value = ParseFixedPoint(text, settings)) return value;
    throw EConvertError(FieldMessage(text, "floating point", displayName));
}

std::optional<double> FloatFieldValue(std::string_view text, const std::string& displayName,
                                      const NumberSettings& settings) {
    if (text.empty()) return std::nullopt;
    if (std::optional<double> value = ParseFloat(text, settings)) return value;
    throw EConvertError(FieldMessage(text, "floating point", displayName));
}

std::optional<int32_t> IntegerFieldValue(std::string_view text, const std::string& displayName) {
    if (text.empty()) return std::nullopt;
    if (std::optional<int32_t> value = ParseInteger(text)) return value;
    throw EConvertError(FieldMessage(text, "integer", displayName));
}

int32_t TextAsInt32(std::string_view text) {
    if (std::optional<int32_t> value = ParseInteger(text)) return *value;
    InvalidIntegerError(std::string(text));
}

double TextAsNumber(std::string_view text, const NumberSettings& settings) {
    if (std::optional<double> value = ParseFloat(text, settings)) return *value;
    InvalidFloatError(std::string(text));
}

}  // namespace velmora::store
