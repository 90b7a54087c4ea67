#include "store/field_value_text.h"

#include "store/field_number_settings.h"
#include "store/number_text.h"

namespace velmora::store {

std::string ValueText(const Value& value) {
    switch (value.GetKind()) {
        case Value::Kind::Null:
            return std::string();
        case Value::Kind::Integer:
            return IntegerText(value.AsInteger());
        case Value::Kind::FixedPoint:
            return FixedPointText(value.AsFixed(), FieldNumberSettings());
        case Value::Kind::Double:
            return FloatText(value.AsDouble(), FieldNumberSettings());
        case Value::Kind::Boolean:
            return value.AsBoolean() ? "True" : "False";
        case Value::Kind::Text:
            break;
    }
    return value.AsText();
}

}  // namespace velmora::store
