#include "store/TStringField.h"

#include "store/field_number_settings.h"
#include "store/field_value_text.h"
#include "store/number_parse.h"
#include "store/number_text.h"

namespace velmora::store {

TStringField::TStringField(std::string fieldName, uint16_t size)
    : TField(std::move(fieldName), ftString, size) {}

void TStringField::SetFixedChar(bool fixed) {
    SetDataType(fixed ? ftFixedChar : ftString);
}

std::string TStringField::AsText() const {
    // The stored characters up to the first zero character.
    Value value = CurrentValue();
    if (value.IsNull()) return std::string();
    const std::string& text = value.AsText();
    return text.substr(0, text.find('\0'));
}

void TStringField::SetAsText(const std::string& text) {
    WriteValue(Value::Text(text.substr(0, Size())));
}

int32_t TStringField::AsInt32() const {
    return TextAsInt32(AsText());
}

void TStringField::SetAsInt32(int32_t value) {
    SetAsText(IntegerText(value));
}

double TStringField::AsNumber() const {
    return TextAsNumber(AsText(), FieldNumberSettings());
}

void TStringField::SetAsNumber(double value) {
    SetAsText(FloatText(value, FieldNumberSettings()));
}

Value TStringField::AsValue() const {
    return CurrentValue();
}

void TStringField::SetAsValue(const Value& value) {
    if (value.IsNull())
        ClearValue();
    else
        SetAsText(ValueText(value));
}

}  // namespace velmora::store
