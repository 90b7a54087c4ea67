#include "store/expression_constant.h"

#include <cmath>

#include "platform/errors.h"
#include "store/expression_temporal.h"
#include "store/expression_token.h"
#include "store/number_parse.h"
#include "store/number_text.h"

namespace velmora::store {
namespace {

// Beyond this magnitude a double holds no fraction and int64 no longer holds every value.
constexpr double kExactIntegerLimit = 9007199254740992.0;  // 2^53

[[noreturn]] void NotTemporal(const std::string& text, FieldType type) {
    const char* what = type == ftDate ? "date" : type == ftTime ? "time" : "date and time";
    throw EConvertError("'" + text + "' is not a valid " + what);
}

// The constant's number: its own, or its text read as a number.
double NumberOf(const ExpressionNode& node, FieldType type, const NumberSettings& numbers) {
    if (node.constant.GetKind() == Value::Kind::Double) return node.constant.AsDouble();
    const std::string& text = node.constant.AsText();
    const std::optional<double> number = ParseFloat(text, numbers);
    if (!number) {
        if (IsIntegerKind(type)) InvalidIntegerError(text);
        InvalidFloatError(text);
    }
    return *number;
}

void Set(ExpressionNode& node, Value value, FieldType type, uint16_t size) {
    node.constant = std::move(value);
    node.type = type;
    node.size = size;
}

void ToNumber(ExpressionNode& node, FieldType type, uint16_t size, const NumberSettings& numbers) {
    const double number = NumberOf(node, type, numbers);
    if (IsIntegerKind(type) && std::nearbyint(number) == number &&
        std::fabs(number) <= kExactIntegerLimit)
        return Set(node, Value::Integer(static_cast<int64_t>(number)), type, size);
    const double units = number * kFixedPointOne;
    if (IsFixedPointKind(type) && std::nearbyint(units) == units &&
        std::fabs(units) <= kExactIntegerLimit)
        return Set(node, Value::Fixed(FixedPoint{static_cast<int64_t>(units)}), type, size);
    const bool floating = type == ftFloat || type == ftCurrency;
    Set(node, Value::Double(number), floating ? type : ftFloat, floating ? size : 0);
}

}  // namespace

void ConvertConstant(ExpressionNode& node, FieldType type, uint16_t size,
                     const NumberSettings& numbers) {
    const Value::Kind kind = node.constant.GetKind();
    if (IsNumericKind(type) && (kind == Value::Kind::Double || kind == Value::Kind::Text))
        return ToNumber(node, type, size, numbers);
    if (IsTextKind(type) && kind == Value::Kind::Double)
        return Set(node, Value::Text(FloatText(node.constant.AsDouble(), numbers)), type, size);
    if (IsTextKind(type) && kind == Value::Kind::Text) return Set(node, node.constant, type, size);
    if (IsTemporalKind(type) && kind == Value::Kind::Text) {
        const std::optional<double> value = ReadTemporal(node.constant.AsText(), type);
        if (!value) NotTemporal(node.constant.AsText(), type);
        return Set(node, Value::Double(*value), type, size);
    }
    if (type == ftBoolean && kind == Value::Kind::Text) {
        const std::string& text = node.constant.AsText();
        if (SameWord(text, "True") || SameWord(text, "False"))
            return Set(node, Value::Boolean(SameWord(text, "True")), type, size);
    }
}

}  // namespace velmora::store
