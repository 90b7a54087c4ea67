#include "datapacket/packet_parameters.h"

#include "datapacket/binary_values.h"
#include "datapacket/field_types.h"
#include "platform/errors.h"
#include "store/store_codes.h"
#include "store/stored_table_column.h"
#include "store/stored_table_parameters.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;

bool IsInteger(const store::StoredType& type) {
    return type.kind == StoredKind::SignedInt || type.kind == StoredKind::UnsignedInt;
}

bool IsKeyList(std::string_view name) {
    return SameName(name, "DEFAULT_ORDER") || SameName(name, "UNIQUE_KEY") ||
           SameName(name, "PRIMARY_KEY");
}

// A non-negative integer parameter as an unsigned 16-bit number; 0 for anything else.
uint16_t SmallNumberOf(const store::Parameter& parameter) {
    if (!IsInteger(parameter.type) || parameter.type.array || parameter.value.empty()) return 0;
    const int64_t value = parameter.type.kind == StoredKind::UnsignedInt
                              ? static_cast<int64_t>(UnsignedValueOf(parameter.value) & 0xFFFFFFFF)
                              : SignedValueOf(parameter.value);
    return value < 0 || value > UINT16_MAX ? 0 : static_cast<uint16_t>(value);
}

}  // namespace

// The rules are the stored table's; applied here as well, they stop a bad packet before its
// rows are read.
void CheckParameter(const store::Parameter& parameter, bool tableLevel) {
    if (tableLevel && IsKeyList(parameter.name)) {
        store::ParseKeyList(parameter, SIZE_MAX);
    } else if (tableLevel && SameName(parameter.name, "CHANGE_LOG")) {
        store::ParseChangeLog(parameter);
    } else if (!tableLevel && SameName(parameter.name, "SUBTYPE") &&
               !store::ParameterText(parameter)) {
        throw EStoreError(store::kCodeBadStructure);
    }
}

void ApplyFieldParameter(const store::Parameter& parameter, FieldParameters& fields) {
    if (SameName(parameter.name, "WIDTH")) {
        fields.format.width = SmallNumberOf(parameter);
    } else if (SameName(parameter.name, "DECIMALS")) {
        fields.format.scale = SmallNumberOf(parameter);
    } else if (SameName(parameter.name, "SUBTYPE")) {
        fields.hasSubtype = true;
        fields.format.subtype = store::SubtypeNumber(parameter.value);
    }
}

bool MarksChangeSet(const store::Parameter& parameter) {
    if (!SameName(parameter.name, "DATASET_DELTA") && !SameName(parameter.name, "DELTA"))
        return false;
    if (parameter.type.kind == StoredKind::Text)
        return !parameter.value.empty() && (parameter.value[0] == 'T' || parameter.value[0] == 't');
    return parameter.value.find_first_not_of('\0') != std::string::npos;
}

}  // namespace velmora::datapacket
