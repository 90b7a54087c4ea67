#include "store/TBCDField.h"

#include "platform/errors.h"
#include "store/decimal.h"
#include "store/decimal_double.h"
#include "store/field_number_settings.h"
#include "store/float_to_fixed.h"
#include "store/number_parse.h"
#include "store/number_pattern.h"
#include "store/number_text.h"
#include "store/store_codes.h"

namespace velmora::store {

namespace {

// Refused like an integer part too long for the precision: an error without text.
[[noreturn]] void RefuseOutOfRange() {
    throw EStoreError(kCodeValueOutOfRange);
}

}  // namespace

TBCDField::TBCDField(std::string fieldName, uint16_t precision, uint16_t size)
    : NumericField(std::move(fieldName), ftBCD, size), precision_(precision) {}

std::string TBCDField::AsText() const {
    Value value = CurrentValue();
    return value.IsNull() ? std::string() : FixedPointText(value.AsFixed(), FieldNumberSettings());
}

void TBCDField::SetAsText(const std::string& text) {
    std::optional<FixedPoint> value =
        FixedPointFieldValue(text, DisplayName(), FieldNumberSettings());
    if (value)
        SetAsFixed(*value);
    else
        ClearValue();
}

int32_t TBCDField::AsInt32() const {
    Value value = CurrentValue();
    if (value.IsNull()) return 0;
    int64_t rounded = RoundFixedPointToInteger(value.AsFixed());
    CheckInt32Range(static_cast<double>(rounded));
    return static_cast<int32_t>(rounded);
}

void TBCDField::SetAsInt32(int32_t value) {
    SetAsFixed(FixedPoint{int64_t{value} * kFixedPointOne});
}

double TBCDField::AsNumber() const {
    Value value = CurrentValue();
    return value.IsNull() ? 0 : NearestDouble(value.AsFixed());
}

void TBCDField::SetAsNumber(double value) {
    std::optional<FixedPoint> fixed = FloatToFixedPoint(value);
    if (!fixed) RefuseOutOfRange();
    SetAsFixed(*fixed);
}

void TBCDField::SetNumber(const Value& number) {
    if (number.GetKind() == Value::Kind::Double) return SetAsNumber(number.AsDouble());
    if (number.GetKind() == Value::Kind::FixedPoint) return SetAsFixed(number.AsFixed());
    int64_t units;
    if (__builtin_mul_overflow(number.AsInteger(), kFixedPointOne, &units)) RefuseOutOfRange();
    SetAsFixed(FixedPoint{units});
}

void TBCDField::SetAsFixed(FixedPoint value) {
    CheckRange(NearestDouble(value));
    if (Size() < 4) {
        int64_t step = static_cast<int64_t>(PowerOfTen(4 - Size()));
        value.units -= value.units % step;  // digits beyond the scale are dropped
    }
    WriteValue(Value::Fixed(value));
}

std::string TBCDField::FormatValue(const Value& value, std::string_view pattern) const {
    NumberSettings settings = FieldNumberSettings();
    if (pattern.empty()) return FixedPointText(value.AsFixed(), settings);
    return FormatFixedPoint(value.AsFixed(), pattern, settings);
}

}  // namespace velmora::store
