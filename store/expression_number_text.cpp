#include "store/expression_number_text.h"

namespace velmora::store {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The exponent part at pos ("E", optional sign, at least one digit), or pos when there is none.
size_t ScanExponent(std::string_view text, size_t pos) {
    if (pos >= text.size() || (text[pos] != 'E' && text[pos] != 'e')) return pos;
    size_t digits = pos + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    const size_t end = SkipDigits(text, digits);
    return end > digits ? end : pos;
}

}  // namespace

size_t ScanNumber(std::string_view text, char decimalSeparator) {
    size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') ++pos;
    const size_t integerStart = pos;
    pos = SkipDigits(text, pos);
    bool digits = pos > integerStart;
    if (pos < text.size() && text[pos] == decimalSeparator) {
        const size_t fractionEnd = SkipDigits(text, pos + 1);
        const bool listComma = decimalSeparator == ',' && fractionEnd == pos + 1 &&
                               fractionEnd < text.size() && IsBlank(text[fractionEnd]);
        if (!listComma && (digits || fractionEnd > pos + 1)) {
            digits = digits || fractionEnd > pos + 1;
            pos = fractionEnd;
        }
    }
    if (!digits) return 0;
    return ScanExponent(text, pos);
}

}  // namespace velmora::store
