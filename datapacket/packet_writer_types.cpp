#include "datapacket/packet_writer_types.h"

#include <array>

#include "datapacket/field_types.h"
#include "datapacket/packet_codes.h"

namespace velmora::datapacket {

namespace {

using store::StoredKind;

constexpr std::array<std::string_view, 21> kKnownParameters = {
    "UNIQUE_KEY", "DEFAULT_ORDER", "CHANGE_LOG",   "SERVER_COL", "DATASET_DELTA", "READONLY",
    "SUBTYPE",    "DECIMALS",      "WIDTH",        "LCID",       "AUTOINCVALUE",  "TABLENAME",
    "TYPENAME",   "UPDATEMODE",    "MD_SEMANTICS", "CALCULATED", "DELTA",         "PRIMARY_KEY",
    "MINVALUE",   "MAXVALUE",      "DEFVALUE"};

std::optional<std::string_view> IntegerName(StoredKind kind, uint16_t size) {
    const bool isSigned = kind == StoredKind::SignedInt;
    switch (size) {
        case 1:
            return isSigned ? "i1" : "ui1";
        case 2:
            return isSigned ? "i2" : "ui2";
        case 4:
            return isSigned ? "i4" : "ui4";
        case 8:
            if (isSigned) return "i8";
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<std::string_view> ArrayName(store::StoredType type) {
    if (type.kind == StoredKind::SignedInt) return "IntArray";
    if (type.kind == StoredKind::UnsignedInt) return "UIntArray";
    return std::nullopt;
}

}  // namespace

std::optional<std::string_view> XmlTypeName(store::StoredType type) {
    if (type.array) return ArrayName(type);
    switch (type.kind) {
        case StoredKind::SignedInt:
        case StoredKind::UnsignedInt:
            return IntegerName(type.kind, type.size);
        case StoredKind::Boolean:
            return "boolean";
        case StoredKind::Real:
            if (type.size == 8) return "r8";
            return std::nullopt;
        case StoredKind::Bcd:
            return "fixed";
        case StoredKind::FmtBcd:
            return "fixedFMT";
        case StoredKind::Date:
            return "date";
        case StoredKind::Time:
            return "time";
        case StoredKind::DateTime:
            return "dateTime";
        case StoredKind::SqlDateTime:
            return "SQLdateTime";
        case StoredKind::Text:
            return "string";
        case StoredKind::WideText:
            return "string.uni";
        case StoredKind::Bytes:
        case StoredKind::BytesAlt:
            return "bin.hex";
        default:
            return std::nullopt;
    }
}

bool WrittenAsAttribute(const store::Parameter& parameter, bool tableLevel) {
    if (parameter.roundtrip) return false;
    bool known = false;
    for (std::string_view name : kKnownParameters) known = known || SameName(name, parameter.name);
    if (!known) return false;
    const auto written = XmlTypeName(parameter.type);
    return written && written == XmlTypeName(ParameterTypeOf(parameter.name, tableLevel));
}

void CheckXmlSmallNumber(uint16_t value) {
    if (value > INT16_MAX) throw EStoreError(kCodeBadMetadata);
}

}  // namespace velmora::datapacket
