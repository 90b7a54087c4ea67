#include "store/number_pattern.h"

#include <array>
#include <cmath>
#include <optional>

#include "store/decimal.h"
#include "store/number_text.h"

namespace velmora::store {
namespace {

constexpr int kMaxSections = 3;

bool IsQuote(char c) {
    return c == '\'' || c == '"';
}
bool IsDigitPosition(char c) {
    return c == '0' || c == '#';
}

// The end of the quoted text that starts at `open`, or npos when the quote is never closed.
size_t ClosingQuote(std::string_view text, size_t open) {
    return text.find(text[open], open + 1);
}

// What one section asks for.
struct Section {
    std::string_view text;
    int integerPositions = 0;  // "0" and "#" before the point
    int minIntegerDigits = 0;  // "0" before the point
    int decimals = 0;          // "0" and "#" after the point
    int minDecimals = 0;       // decimals up to the last "0"
    bool grouping = false;
};

Section Analyze(std::string_view text) {
    Section section{text};
    bool afterPoint = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsQuote(c)) {
            i = ClosingQuote(text, i);
        } else if (c == ',') {
            section.grouping = true;
        } else if (c == '.') {
            afterPoint = true;
        } else if (IsDigitPosition(c) && afterPoint) {
            ++section.decimals;
            if (c == '0') section.minDecimals = section.decimals;
        } else if (IsDigitPosition(c)) {
            ++section.integerPositions;
            if (c == '0') ++section.minIntegerDigits;
        }
    }
    return section;
}

struct Sections {
    std::array<Section, kMaxSections> items;
    int count = 0;
};

// nullopt when the pattern cannot be applied.
std::optional<Sections> Split(std::string_view pattern) {
    Sections sections;
    size_t start = 0;
    for (size_t i = 0; i <= pattern.size(); ++i) {
        if (i < pattern.size() && IsQuote(pattern[i])) {
            i = ClosingQuote(pattern, i);
            if (i == std::string_view::npos) return std::nullopt;
        } else if (i == pattern.size() || pattern[i] == ';') {
            if (sections.count == kMaxSections) return std::nullopt;
            sections.items[sections.count++] = Analyze(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    return sections;
}

std::string IntegerDigits(const DecimalDigits& number, int minDigits) {
    std::string digits;
    if (number.exponent > 0) {
        digits = number.digits.substr(0, number.exponent);
        digits.resize(number.exponent, '0');
    }
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    return digits;
}

std::string FractionDigits(const DecimalDigits& number, const Section& section) {
    std::string digits(section.decimals, '0');
    for (int i = 0; i < section.decimals; ++i) {
        const int at = number.exponent + i;
        if (at >= 0 && at < static_cast<int>(number.digits.size())) digits[i] = number.digits[at];
    }
    while (static_cast<int>(digits.size()) > section.minDecimals && digits.back() == '0')
        digits.pop_back();
    return digits;
}

// Writes one section for the magnitude of a number already rounded to its decimals.
class SectionWriter {
public:
    SectionWriter(const Section& section, const DecimalDigits& number,
                  const NumberSettings& settings)
        : section_(section),
          settings_(settings),
          integer_(IntegerDigits(number, section.minIntegerDigits)),
          fraction_(FractionDigits(number, section)) {}

    void Write(std::string& out) {
        const std::string_view text = section_.text;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (IsQuote(c)) {
                const size_t close = ClosingQuote(text, i);
                out.append(text.substr(i + 1, close - i - 1));
                i = close;
            } else if (c == '.') {
                WritePoint(out);
            } else if (IsDigitPosition(c)) {
                afterPoint_ ? WriteFractionDigit(out) : WriteIntegerPosition(out);
            } else if (c != ',') {
                out += c;
            }
        }
    }

private:
    void WriteIntegers(std::string& out, int from, int to) {
        const int count = static_cast<int>(integer_.size());
        for (int j = from; j < to; ++j) {
            out += integer_[j];
            const int left = count - 1 - j;
            if (section_.grouping && left > 0 && left % 3 == 0) out += settings_.thousandsSeparator;
        }
    }
    // The first position takes every digit beyond the positions that follow it.
    void WriteIntegerPosition(std::string& out) {
        const int count = static_cast<int>(integer_.size());
        const int toTheRight = section_.integerPositions - 1 - position_++;
        const int last = count - toTheRight;
        if (last <= 0) return;
        WriteIntegers(out, position_ == 1 ? 0 : last - 1, last);
    }
    void WritePoint(std::string& out) {
        if (afterPoint_) return;
        afterPoint_ = true;
        if (section_.integerPositions == 0) WriteIntegers(out, 0, integer_.size());
        if (!fraction_.empty()) out += settings_.decimalSeparator;
    }
    void WriteFractionDigit(std::string& out) {
        if (next_ < fraction_.size()) out += fraction_[next_];
        ++next_;
    }

    const Section& section_;
    const NumberSettings& settings_;
    const std::string integer_;
    const std::string fraction_;
    int position_ = 0;
    size_t next_ = 0;
    bool afterPoint_ = false;
};

// Chooses the section and writes the value; `round` gives the value's digits at a number of
// decimals. nullopt when the pattern cannot be applied.
template <typename Round>
std::optional<std::string> Format(std::string_view pattern, bool negative, Round round,
                                  const NumberSettings& settings) {
    const std::optional<Sections> sections = Split(pattern);
    if (!sections) return std::nullopt;
    const auto usable = [&](int i) {
        return i < sections->count && !sections->items[i].text.empty();
    };
    int chosen = negative && usable(1) ? 1 : 0;
    DecimalDigits number = round(sections->items[chosen].decimals);
    if (number.IsZero()) chosen = usable(2) ? 2 : 0;
    std::string out = number.negative && chosen == 0 ? "-" : "";
    SectionWriter(sections->items[chosen], number, settings).Write(out);
    return out;
}

}  // namespace

std::string FormatFixedPoint(FixedPoint value, std::string_view pattern,
                             const NumberSettings& settings) {
    if (pattern.empty()) return FixedPointText(value, settings);
    const auto round = [units = value.units](int decimals) {
        if (decimals >= 4) return DigitsOfUnits(units, 4);
        return DigitsOfUnits(DivideHalfEven(units, PowerOfTen(4 - decimals)), decimals);
    };
    std::optional<std::string> text = Format(pattern, value.units < 0, round, settings);
    return text ? std::move(*text) : std::string(kPatternOverflowText);
}

std::string FormatFloat(double value, std::string_view pattern, const NumberSettings& settings) {
    if (pattern.empty() || !std::isfinite(value)) return FloatText(value, settings);
    const auto round = [value](int decimals) {
        DecimalDigits number = EighteenDigits(value);
        RoundToDecimals(number, decimals, DigitRounding::HalfAwayFromZero);
        return number;
    };
    std::optional<std::string> text = Format(pattern, value < 0, round, settings);
    return text ? std::move(*text) : FloatText(value, settings);
}

}  // namespace velmora::store
