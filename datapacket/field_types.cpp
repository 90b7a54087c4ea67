#include "datapacket/field_types.h"

#include "store/stored_table_column.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;
using store::StoredType;

constexpr StoredType Fixed(StoredKind kind, uint16_t size) {
    return StoredType{kind, size};
}

struct NamedType {
    std::string_view name;
    StoredType type;
};

// Names matched whole (the groups "i", "u" and "f" have their own rules).
constexpr NamedType kWholeNames[] = {
    {"IntArray", kIntArrayType},
    {"UIntArray", kUIntArrayType},
    {"boolean", Fixed(StoredKind::Boolean, 2)},
    {"bin.hex", StoredType{StoredKind::Bytes, 1, true}},
    {"r8", Fixed(StoredKind::Real, 8)},
    {"r10", Fixed(StoredKind::Real, 10)},
    {"date", Fixed(StoredKind::Date, 4)},
    {"dateTime", Fixed(StoredKind::DateTime, 8)},
    {"time", Fixed(StoredKind::Time, 4)},
    {"string", kStringType},
    {"string.uni", StoredType{StoredKind::WideText, 1, true}},
    {"SQLdateTime", Fixed(StoredKind::SqlDateTime, 16)},
    {"struct", Fixed(StoredKind::Struct, 0)},
    {"nested", Fixed(StoredKind::Nested, 0)},
};

// "fixed" and "fixedFMT" carry this size in their type word.
constexpr uint16_t kBcdWordSize = 32;

uint16_t SizeOfDigit(char c) {
    switch (c) {
        case '1':
            return 1;
        case '2':
            return 2;
        case '8':
            return 8;
        default:
            return 4;
    }
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct NamedParameter {
    std::string_view name;
    StoredType type;
};

constexpr StoredType kBoolean = Fixed(StoredKind::Boolean, 2);
constexpr StoredType kInt16 = Fixed(StoredKind::SignedInt, 2);
constexpr NamedParameter kParameters[] = {
    {"UNIQUE_KEY", kUIntArrayType},
    {"DEFAULT_ORDER", kUIntArrayType},
    {"CHANGE_LOG", kUIntArrayType},
    {"SERVER_COL", kStringType},
    {"DATASET_DELTA", kBoolean},
    {"READONLY", kBoolean},
    {"SUBTYPE", kStringType},
    {"DECIMALS", kInt16},
    {"WIDTH", kInt16},
    {"LCID", kInt16},
    {"AUTOINCVALUE", Fixed(StoredKind::SignedInt, 4)},
    {"TABLENAME", kStringType},
    {"TYPENAME", kStringType},
    {"UPDATEMODE", kInt16},
    {"MD_SEMANTICS", kUIntArrayType},
    {"CALCULATED", kBoolean},
    {"DELTA", kBoolean},
    {"PRIMARY_KEY", kUIntArrayType},
    {"MINVALUE", kStringType},
    {"MAXVALUE", kStringType},
    {"DEFVALUE", kStringType},
};

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool StoredTypeOfName(std::string_view name, StoredType& type) {
    for (const NamedType& whole : kWholeNames) {
        if (SameName(name, whole.name)) {
            type = whole.type;
            return true;
        }
    }
    if (name.empty()) return false;
    switch (Lower(name[0])) {
        case 'i':
            type = Fixed(StoredKind::SignedInt, SizeOfDigit(name.size() > 1 ? name[1] : '\0'));
            return true;
        case 'u':
            type = Fixed(StoredKind::UnsignedInt, SizeOfDigit(name.size() > 2 ? name[2] : '\0'));
            return true;
        case 'f':
            type = Fixed(SameName(name, "fixedFMT") ? StoredKind::FmtBcd : StoredKind::Bcd,
                         kBcdWordSize);
            return true;
        default:
            return false;
    }
}

StoredType ParameterTypeOf(std::string_view name, bool tableLevel) {
    for (const NamedParameter& known : kParameters)
        if (SameName(name, known.name)) return known.type;
    if (tableLevel && SameName(name, "MD_FIELDLINKS")) return kIntArrayType;
    return kStringType;
}

bool IsBlobType(store::StoredType type) {
    const bool bytes =
        type.kind == store::StoredKind::Bytes || type.kind == store::StoredKind::BytesAlt;
    return bytes && type.varying && !type.array && type.size == 4;
}

}  // namespace velmora::datapacket
