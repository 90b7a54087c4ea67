#include "store/key_compare.h"

#include <cmath>
#include <cstring>

#include "platform/collation.h"
#include "store/decimal.h"

namespace velmora::store {
namespace {

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

uint64_t ReadUnsigned(std::string_view bytes, size_t from, size_t size) {
    uint64_t value = 0;
    for (size_t i = size; i-- > 0;) value = (value << 8) | static_cast<uint8_t>(bytes[from + i]);
    return value;
}

int64_t ReadSigned(std::string_view bytes) {
    const size_t size = bytes.size();
    const uint64_t raw = ReadUnsigned(bytes, 0, size);
    if (size >= 8) return static_cast<int64_t>(raw);
    const uint64_t signBit = uint64_t{1} << (8 * size - 1);
    return static_cast<int64_t>((raw ^ signBit) - signBit);
}

// NaN sorts after every number, so that a sort always sees a consistent order.
int CompareReal8(std::string_view a, std::string_view b) {
    double x = 0;
    double y = 0;
    std::memcpy(&x, a.data(), sizeof x);
    std::memcpy(&y, b.data(), sizeof y);
    if (std::isnan(x) || std::isnan(y)) return Order(std::isnan(x), std::isnan(y));
    return Order(x, y);
}

// x87 extended: 8 bytes of mantissa, then sign and 15-bit exponent. The magnitude orders as
// (exponent, mantissa); zero of either sign is equal.
int CompareReal10(std::string_view a, std::string_view b) {
    const uint64_t mantissaA = ReadUnsigned(a, 0, 8), mantissaB = ReadUnsigned(b, 0, 8);
    const uint64_t topA = ReadUnsigned(a, 8, 2), topB = ReadUnsigned(b, 8, 2);
    const bool zeroA = mantissaA == 0 && (topA & 0x7FFF) == 0;
    const bool zeroB = mantissaB == 0 && (topB & 0x7FFF) == 0;
    if (zeroA && zeroB) return 0;
    const bool negativeA = !zeroA && (topA & 0x8000) != 0;
    const bool negativeB = !zeroB && (topB & 0x8000) != 0;
    if (negativeA != negativeB) return negativeA ? -1 : 1;
    int magnitude = Order(topA & 0x7FFF, topB & 0x7FFF);
    if (magnitude == 0) magnitude = Order(mantissaA, mantissaB);
    return negativeA ? -magnitude : magnitude;
}

// int16 year, then unsigned month, day, hour, minute, second (2 bytes each) and fraction (4).
int CompareSqlDateTime(std::string_view a, std::string_view b) {
    if (int year = Order(ReadSigned(a.substr(0, 2)), ReadSigned(b.substr(0, 2)))) return year;
    for (size_t offset = 2; offset < 12; offset += 2)
        if (int part = Order(ReadUnsigned(a, offset, 2), ReadUnsigned(b, offset, 2))) return part;
    return Order(ReadUnsigned(a, 12, 4), ReadUnsigned(b, 12, 4));
}

int CompareWideText(std::string_view a, std::string_view b) {
    const size_t units = std::min(a.size(), b.size()) / 2;
    for (size_t i = 0; i < units; ++i)
        if (int unit = Order(ReadUnsigned(a, 2 * i, 2), ReadUnsigned(b, 2 * i, 2))) return unit;
    return Order(a.size(), b.size());
}

int CompareBytes(std::string_view a, std::string_view b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

KeyColumnComparer::KeyColumnComparer(const RowLayout& layout, const KeyColumn& key, uint32_t lcid)
    : key_(key), method_(MethodFor(layout.At(key.column).type)), lcid_(lcid) {}

KeyColumnComparer::Method KeyColumnComparer::MethodFor(LogicalType type) {
    switch (type) {
        case LogicalType::Int8:
        case LogicalType::Int16:
        case LogicalType::Int32:
        case LogicalType::Int64:
        case LogicalType::Date:
        case LogicalType::Time:
            return Method::SignedInt;
        case LogicalType::UInt8:
        case LogicalType::UInt16:
        case LogicalType::UInt32:
        case LogicalType::UInt64:
        case LogicalType::Boolean:
        case LogicalType::Boolean8:
        case LogicalType::Boolean32:
            return Method::UnsignedInt;
        case LogicalType::Real8:
        case LogicalType::DateTime:
            return Method::Real8;
        case LogicalType::Real10:
            return Method::Real10;
        case LogicalType::Bcd:
        case LogicalType::FmtBcd:
            return Method::Decimal;
        case LogicalType::SqlDateTime:
            return Method::SqlDateTime;
        case LogicalType::Text:
            return Method::Text;
        case LogicalType::WideText:
            return Method::WideText;
        default:
            return Method::Bytes;
    }
}

int KeyColumnComparer::Compare(const RowView& a, const RowView& b) const {
    const bool nullA = a.IsNull(key_.column), nullB = b.IsNull(key_.column);
    const int order = (nullA || nullB) ? Order(!nullA, !nullB)
                                       : CompareValues(a.Value(key_.column), b.Value(key_.column));
    return key_.descending ? -order : order;
}

int KeyColumnComparer::CompareValues(std::string_view a, std::string_view b) const {
    switch (method_) {
        case Method::SignedInt:
            return Order(ReadSigned(a), ReadSigned(b));
        case Method::UnsignedInt:
            return Order(ReadUnsigned(a, 0, a.size()), ReadUnsigned(b, 0, b.size()));
        case Method::Real8:
            return CompareReal8(a, b);
        case Method::Real10:
            return CompareReal10(a, b);
        case Method::Decimal:
            return Order(DecodeDecimalUnits(a), DecodeDecimalUnits(b));
        case Method::SqlDateTime:
            return CompareSqlDateTime(a, b);
        case Method::Text: {
            const int order = platform::CompareText(a, b, lcid_, key_.caseInsensitive);
            return order < 0 ? -1 : (order > 0 ? 1 : 0);
        }
        case Method::WideText:
            return CompareWideText(a, b);
        case Method::Bytes:
            break;
    }
    return CompareBytes(a, b);
}

KeyComparer::KeyComparer(const RowLayout& layout, const std::vector<KeyColumn>& keys,
                         uint32_t lcid) {
    columns_.reserve(keys.size());
    for (const KeyColumn& key : keys) columns_.emplace_back(layout, key, lcid);
}

int KeyComparer::Compare(const RowView& a, const RowView& b) const {
    for (const KeyColumnComparer& column : columns_)
        if (int order = column.Compare(a, b)) return order;
    return 0;
}

}  // namespace velmora::store
