#include "store/field_stored_form.h"

#include <cstring>

#include "store/decimal.h"

namespace velmora::store {

namespace {

bool IsSigned(LogicalType type) {
    return type == LogicalType::Int8 || type == LogicalType::Int16 || type == LogicalType::Int32 ||
           type == LogicalType::Int64;
}

bool IsInteger(LogicalType type) {
    return IsSigned(type) || type == LogicalType::UInt8 || type == LogicalType::UInt16 ||
           type == LogicalType::UInt32 || type == LogicalType::UInt64;
}

bool IsBoolean(LogicalType type) {
    return type == LogicalType::Boolean || type == LogicalType::Boolean8 ||
           type == LogicalType::Boolean32;
}

bool IsDecimal(LogicalType type) {
    return type == LogicalType::Bcd || type == LogicalType::FmtBcd;
}

int64_t LittleEndian(std::string_view bytes, bool sign) {
    uint64_t value = 0;
    for (size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    size_t bits = bytes.size() * 8;
    if (sign && bits < 64 && (value >> (bits - 1)) & 1) value |= ~uint64_t{0} << bits;
    return static_cast<int64_t>(value);
}

std::string LittleEndianBytes(int64_t value, size_t size) {
    std::string bytes(size, '\0');
    auto bits = static_cast<uint64_t>(value);
    for (size_t i = 0; i < size; ++i, bits >>= 8) bytes[i] = static_cast<char>(bits & 0xFF);
    return bytes;
}

}  // namespace

Value DecodeColumnValue(const StoredColumn& column, std::string_view stored) {
    if (IsInteger(column.type)) return Value::Integer(LittleEndian(stored, IsSigned(column.type)));
    if (IsBoolean(column.type)) return Value::Boolean(LittleEndian(stored, false) != 0);
    if (IsDecimal(column.type)) {
        Decimal decimal{DecodeDecimalUnits(stored), static_cast<uint8_t>(column.scale)};
        std::optional<FixedPoint> fixed = DecimalToFixedPoint(decimal);
        return fixed ? Value::Fixed(*fixed) : Value();
    }
    if (column.type == LogicalType::Real8 && stored.size() == sizeof(double)) {
        double value;
        std::memcpy(&value, stored.data(), sizeof value);
        return Value::Double(value);
    }
    return Value::Text(std::string(stored));
}

std::string EncodeColumnValue(const StoredColumn& column, const Value& value) {
    if (IsInteger(column.type) || IsBoolean(column.type)) {
        int64_t number = value.GetKind() == Value::Kind::Boolean ? (value.AsBoolean() ? 1 : 0)
                                                                 : value.AsInteger();
        return LittleEndianBytes(number, FixedValueSize(column.type, column.width));
    }
    if (IsDecimal(column.type))
        return EncodeDecimalUnits(DecimalFromFixedPoint(value.AsFixed(), column.scale).units);
    if (column.type == LogicalType::Real8) {
        std::string bytes(sizeof(double), '\0');
        double number = value.AsDouble();
        std::memcpy(bytes.data(), &number, sizeof number);
        return bytes;
    }
    return value.AsText();
}

}  // namespace velmora::store
