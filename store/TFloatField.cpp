#include "store/TFloatField.h"

#include <cmath>

#include "store/decimal.h"
#include "store/field_number_settings.h"
#include "store/number_parse.h"
#include "store/number_pattern.h"
#include "store/number_text.h"

namespace velmora::store {

TFloatField::TFloatField(std::string fieldName, FieldType type)
    : NumericField(std::move(fieldName), type, 0) {}

std::string TFloatField::AsText() const {
    Value value = CurrentValue();
    return value.IsNull() ? std::string() : FloatText(value.AsDouble(), FieldNumberSettings());
}

void TFloatField::SetAsText(const std::string& text) {
    std::optional<double> value = FloatFieldValue(text, DisplayName(), FieldNumberSettings());
    if (value)
        SetAsNumber(*value);
    else
        ClearValue();
}

int32_t TFloatField::AsInt32() const {
    double rounded = std::nearbyint(AsNumber());  // the default rounding mode: ties to even
    CheckInt32Range(rounded);
    return static_cast<int32_t>(rounded);
}

double TFloatField::AsNumber() const {
    Value value = CurrentValue();
    return value.IsNull() ? 0 : value.AsDouble();
}

void TFloatField::SetAsNumber(double value) {
    CheckRange(value);
    WriteValue(Value::Double(value));
}

void TFloatField::SetNumber(const Value& number) {
    if (number.GetKind() == Value::Kind::Double) return SetAsNumber(number.AsDouble());
    if (number.GetKind() == Value::Kind::FixedPoint)
        return SetAsNumber(FixedPointToDouble(number.AsFixed()));
    SetAsNumber(static_cast<double>(number.AsInteger()));
}

std::string TFloatField::FormatValue(const Value& value, std::string_view pattern) const {
    NumberSettings settings = FieldNumberSettings();
    if (pattern.empty()) return FloatText(value.AsDouble(), settings);
    return FormatFloat(value.AsDouble(), pattern, settings);
}

}  // namespace velmora::store
