#include "store/TMemoField.h"

#include "store/field_value_text.h"

namespace velmora::store {

TMemoField::TMemoField(std::string fieldName) : TField(std::move(fieldName), ftMemo, 0) {}

std::string TMemoField::AsText() const {
    Value value = CurrentValue();
    return value.IsNull() ? std::string() : value.AsText();
}

void TMemoField::SetAsText(const std::string& text) {
    if (!text.empty()) return WriteValue(Value::Text(text));
    // Empty and null mean the same: a row that holds an empty text keeps it, so that clearing
    // an empty memo does not change the row.
    Value current = CurrentValue();
    WriteValue(current.IsNull() || !current.AsText().empty() ? Value() : current);
}

Value TMemoField::AsValue() const {
    return Value::Text(AsText());
}

void TMemoField::SetAsValue(const Value& value) {
    SetAsText(ValueText(value));
}

std::string TMemoField::DisplayText() const {
    return AsText().empty() ? "(Memo)" : "(MEMO)";
}

}  // namespace velmora::store
