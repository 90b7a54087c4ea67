#include "store/TIntegerField.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "store/decimal.h"
#include "store/field_number_settings.h"
#include "store/number_parse.h"
#include "store/number_pattern.h"
#include "store/number_text.h"

namespace velmora::store {

TIntegerField::TIntegerField(std::string fieldName, FieldType type)
    : NumericField(std::move(fieldName), type, 0) {
    if (type == ftSmallint)
        SetKindRange(std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max());
    else if (type == ftWord)
        SetKindRange(0, std::numeric_limits<uint16_t>::max());
    else
        SetKindRange(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

std::string TIntegerField::AsText() const {
    Value value = CurrentValue();
    return value.IsNull() ? std::string() : IntegerText(value.AsInteger());
}

void TIntegerField::SetAsText(const std::string& text) {
    std::optional<int32_t> value = IntegerFieldValue(text, DisplayName());
    if (value)
        SetAsInt32(*value);
    else
        ClearValue();
}

int32_t TIntegerField::AsInt32() const {
    Value value = CurrentValue();
    return value.IsNull() ? 0 : static_cast<int32_t>(value.AsInteger());
}

void TIntegerField::SetAsInt32(int32_t value) {
    CheckRange(value);
    WriteValue(Value::Integer(value));
}

double TIntegerField::AsNumber() const {
    return AsInt32();
}

void TIntegerField::SetAsNumber(double value) {
    double rounded = std::nearbyint(value);  // the default rounding mode: ties to even
    CheckRange(rounded);
    SetAsInt32(static_cast<int32_t>(rounded));
}

void TIntegerField::SetNumber(const Value& number) {
    if (number.GetKind() == Value::Kind::Double) return SetAsNumber(number.AsDouble());
    if (number.GetKind() == Value::Kind::FixedPoint)
        return SetAsNumber(static_cast<double>(RoundFixedPointToInteger(number.AsFixed())));
    CheckRange(static_cast<double>(number.AsInteger()));
    SetAsInt32(static_cast<int32_t>(number.AsInteger()));
}

std::string TIntegerField::FormatValue(const Value& value, std::string_view pattern) const {
    if (pattern.empty()) return IntegerText(value.AsInteger());
    return FormatInteger(static_cast<int32_t>(value.AsInteger()), pattern, FieldNumberSettings());
}

}  // namespace velmora::store
