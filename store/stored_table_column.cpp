#include "store/stored_table_column.h"

#include <array>
#include <utility>

namespace velmora::store {
namespace {

// Width of the length prefix of a varying value whose stored size is `storedSize`.
uint16_t PrefixWidth(uint32_t storedSize) {
    return storedSize <= 254 ? 1 : 2;
}

constexpr StoredType Fixed(StoredKind kind, uint16_t size) {
    return StoredType{kind, size};
}
constexpr StoredType Varying(StoredKind kind, uint16_t prefix) {
    return StoredType{kind, prefix, true};
}

// Bcd columns travel with this size in their type word; their values with kBcdStoredSize.
constexpr uint16_t kBcdWordSize = 32;

bool IntegerType(uint16_t size, std::array<LogicalType, 4> bySize, LogicalType& logical) {
    switch (size) {
        case 1:
            logical = bySize[0];
            return true;
        case 2:
            logical = bySize[1];
            return true;
        case 4:
            logical = bySize[2];
            return true;
        case 8:
            logical = bySize[3];
            return true;
        default:
            return false;
    }
}

bool BytesType(StoredType type, LogicalType& logical) {
    if (!type.varying)
        logical = LogicalType::FixedBytes;
    else if (type.size == 4)
        logical = LogicalType::Blob;
    else
        logical = LogicalType::VarBytes;
    return true;
}

bool SizedType(StoredType type, LogicalType& logical) {
    using L = LogicalType;
    switch (type.kind) {
        case StoredKind::SignedInt:
            return IntegerType(type.size, {L::Int8, L::Int16, L::Int32, L::Int64}, logical);
        case StoredKind::UnsignedInt:
            return IntegerType(type.size, {L::UInt8, L::UInt16, L::UInt32, L::UInt64}, logical);
        case StoredKind::Boolean:
            if (type.size == 1)
                logical = L::Boolean8;
            else if (type.size == 2)
                logical = L::Boolean;
            else if (type.size == 4)
                logical = L::Boolean32;
            else
                return false;
            return true;
        case StoredKind::Real:
            if (type.size == 8)
                logical = L::Real8;
            else if (type.size == 10)
                logical = L::Real10;
            else
                return false;
            return true;
        default:
            return false;
    }
}

constexpr std::pair<uint16_t, std::string_view> kSubtypes[] = {
    {kSubtypeMoney, "Money"},
    {kSubtypeText, "Text"},
    {kSubtypeBinary, "Binary"},
    {kSubtypeFormatted, "Formatted"},
    {kSubtypeOle, "Ole"},
    {kSubtypeGraphics, "Graphics"},
    {kSubtypeDBaseOle, "dBASEOle"},
    {kSubtypeTypedBinary, "TypedBinary"},
    {kSubtypeAutoinc, "Autoinc"},
    {kSubtypeAccessOle, "AccessOle"},
    {kSubtypeFixedChar, "FixedChar"},
    {kSubtypeWideText, "WideText"},
    {kSubtypeHMemo, "HMemo"},
    {kSubtypeHBinary, "HBinary"},
    {kSubtypeADTNestedTable, "ADTNestedTable"},
    {kSubtypeBFile, "BFile"},
    {kSubtypeADTDate, "ADTDate"},
    {kSubtypeGuid, "Guid"},
    {kSubtypeReference, "Reference"},
};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

}  // namespace

bool IsAutoIncColumn(const StoredColumn& column) {
    return column.subtype == kSubtypeAutoinc &&
           (column.type == LogicalType::Int32 || column.type == LogicalType::UInt32);
}

StoredType StoredTypeOf(const StoredColumn& column) {
    using K = StoredKind;
    const uint16_t w = column.width;
    switch (column.type) {
        case LogicalType::Text:
            return Varying(K::Text, PrefixWidth(w + 1u));
        case LogicalType::WideText:
            return Varying(K::WideText, PrefixWidth(w + 2u));
        case LogicalType::Int8:
            return Fixed(K::SignedInt, 1);
        case LogicalType::Int16:
            return Fixed(K::SignedInt, 2);
        case LogicalType::Int32:
            return Fixed(K::SignedInt, 4);
        case LogicalType::Int64:
            return Fixed(K::SignedInt, 8);
        case LogicalType::UInt8:
            return Fixed(K::UnsignedInt, 1);
        case LogicalType::UInt16:
            return Fixed(K::UnsignedInt, 2);
        case LogicalType::UInt32:
            return Fixed(K::UnsignedInt, 4);
        case LogicalType::UInt64:
            return Fixed(K::UnsignedInt, 8);
        case LogicalType::Boolean:
            return Fixed(K::Boolean, 2);
        case LogicalType::Boolean8:
            return Fixed(K::Boolean, 1);
        case LogicalType::Boolean32:
            return Fixed(K::Boolean, 4);
        case LogicalType::Real8:
            return Fixed(K::Real, 8);
        case LogicalType::Real10:
            return Fixed(K::Real, 10);
        case LogicalType::Bcd:
            return Fixed(K::Bcd, kBcdWordSize);
        case LogicalType::FmtBcd:
            return Fixed(K::FmtBcd, kBcdWordSize);
        case LogicalType::Date:
            return Fixed(K::Date, 4);
        case LogicalType::Time:
            return Fixed(K::Time, 4);
        case LogicalType::DateTime:
            return Fixed(K::DateTime, 8);
        case LogicalType::SqlDateTime:
            return Fixed(K::SqlDateTime, 16);
        case LogicalType::FixedBytes:
            return Fixed(K::Bytes, w);
        case LogicalType::VarBytes:
            return Varying(K::Bytes, PrefixWidth(w + 2u));
        case LogicalType::Blob:
            return Varying(K::Bytes, 4);
        case LogicalType::Struct:
            return Fixed(K::Struct, w);
        case LogicalType::ArrayColumn:
            return Fixed(K::ArrayColumn, w);
        case LogicalType::Reference:
            return Fixed(K::Reference, w);
        case LogicalType::Nested:
            return Fixed(K::Nested, w);
    }
    return StoredType{};
}

bool LogicalTypeOf(StoredType type, LogicalType& logical) {
    using L = LogicalType;
    if (type.array) return false;
    switch (type.kind) {
        case StoredKind::Bcd:
            logical = L::Bcd;
            return true;
        case StoredKind::FmtBcd:
            logical = L::FmtBcd;
            return true;
        case StoredKind::Date:
            logical = L::Date;
            return true;
        case StoredKind::Time:
            logical = L::Time;
            return true;
        case StoredKind::DateTime:
            logical = L::DateTime;
            return true;
        case StoredKind::SqlDateTime:
            logical = L::SqlDateTime;
            return true;
        case StoredKind::Text:
            logical = L::Text;
            return true;
        case StoredKind::WideText:
            logical = L::WideText;
            return true;
        case StoredKind::Bytes:
        case StoredKind::BytesAlt:
            return BytesType(type, logical);
        case StoredKind::Struct:
            logical = L::Struct;
            return true;
        case StoredKind::ArrayColumn:
            logical = L::ArrayColumn;
            return true;
        case StoredKind::Reference:
            logical = L::Reference;
            return true;
        case StoredKind::Nested:
            logical = L::Nested;
            return true;
        default:
            return SizedType(type, logical);
    }
}

bool IsVaryingType(LogicalType type) {
    switch (type) {
        case LogicalType::Text:
        case LogicalType::WideText:
        case LogicalType::VarBytes:
        case LogicalType::Blob:
        case LogicalType::ArrayColumn:
        case LogicalType::Reference:
        case LogicalType::Nested:
            return true;
        default:
            return false;
    }
}

uint16_t FixedValueSize(LogicalType type, uint16_t width) {
    switch (type) {
        case LogicalType::Bcd:
        case LogicalType::FmtBcd:
            return kBcdStoredSize;
        case LogicalType::FixedBytes:
            return width;
        case LogicalType::Struct:
            return 0;
        default: {
            StoredColumn column;
            column.type = type;
            return IsVaryingType(type) ? 0 : StoredTypeOf(column).size;
        }
    }
}

bool IsBlobSubtype(uint16_t subtype) {
    return (subtype >= kSubtypeText && subtype <= kSubtypeTypedBinary) ||
           (subtype >= kSubtypeWideText && subtype <= kSubtypeHBinary);
}

uint16_t SubtypeNumber(std::string_view name) {
    for (const auto& [number, subtypeName] : kSubtypes)
        if (SameIgnoringCase(name, subtypeName)) return number;
    return kSubtypeNone;
}

std::string_view SubtypeName(uint16_t subtype) {
    for (const auto& [number, subtypeName] : kSubtypes)
        if (number == subtype) return subtypeName;
    return {};
}

}  // namespace velmora::store
