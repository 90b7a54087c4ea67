#include "store/field_numeric.h"

#include <cstdint>
#include <limits>

#include "platform/errors.h"
#include "store/field_names.h"
#include "store/field_number_settings.h"
#include "store/number_text.h"

namespace velmora::store {

void NumericField::SetRange(double minValue, double maxValue) {
    SetKindRange(minValue, maxValue);
}

void NumericField::SetKindRange(double minValue, double maxValue) {
    minValue_ = minValue;
    maxValue_ = maxValue;
}

void NumericField::SetAsValue(const Value& value) {
    switch (value.GetKind()) {
        case Value::Kind::Null:
            return ClearValue();
        case Value::Kind::Text:
            return SetAsText(value.AsText());
        case Value::Kind::Boolean:
            InvalidValueError();
        default:
            return SetNumber(value);
    }
}

std::string NumericField::DisplayText() const {
    Value value = AsValue();
    return value.IsNull() ? std::string() : FormatValue(value, displayFormat_);
}

std::string NumericField::EditText() const {
    Value value = AsValue();
    if (value.IsNull()) return std::string();
    return FormatValue(value, editFormat_.empty() ? displayFormat_ : editFormat_);
}

bool NumericField::AcceptsNumberChar(char c, bool decimal, bool exponent) const {
    if (static_cast<unsigned char>(c) < 32) return true;  // control keys pass
    if (c == '+' || c == '-' || (c >= '0' && c <= '9')) return true;
    if (decimal && c == FieldNumberSettings().decimalSeparator) return true;
    return exponent && (c == 'E' || c == 'e');
}

namespace {

[[noreturn]] void RangeError(double value, const std::string& displayName, double minValue,
                             double maxValue) {
    NumberSettings settings = FieldNumberSettings();
    throw EDatabaseError(
        FillMessage("%g is not a valid value for field '%s'. The allowed range is %g to %g",
                    {FloatText(value, settings), displayName, FloatText(minValue, settings),
                     FloatText(maxValue, settings)}));
}

}  // namespace

void NumericField::CheckRange(double value) const {
    if (minValue_ && !(value >= *minValue_ && value <= *maxValue_))
        RangeError(value, DisplayName(), *minValue_, *maxValue_);
}

void NumericField::CheckInt32Range(double value) const {
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    if (!(value >= kMin && value <= kMax)) RangeError(value, DisplayName(), kMin, kMax);
}

}  // namespace velmora::store
