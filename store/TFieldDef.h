#pragma once
// A field definition: one column of a table's declared stored structure. CreateEmpty builds
// the stored table from the definitions; opening a table refreshes them from its columns.

#include <cstdint>
#include <string>

#include "store/field_type.h"
#include "store/stored_table_column.h"

namespace velmora::store {

enum FieldAttribute : uint8_t {
    faHiddenCol = 1,
    faReadonly = 2,
    faRequired = 4,
    faLink = 8,
    faUnNamed = 16,
    faFixed = 32,
};

struct TFieldDef {
    std::string Name;
    FieldType DataType = ftUnknown;
    uint16_t Size = 0;       // text width, or the scale of a decimal
    uint16_t Precision = 0;  // digits of a decimal
    uint8_t Attributes = 0;  // FieldAttribute bits

    bool Required() const { return (Attributes & faRequired) != 0; }
};

// The definition that describes column (name, type, size, precision, attributes).
TFieldDef FieldDefOfColumn(const StoredColumn& column);

// The column a definition declares. Names of 32 characters or more are cut to 31 and keep the
// full name in a FIELDNAME parameter. A type that cannot be stored raises EDatabaseError
// "Field '%s' is of an unsupported type".
StoredColumn ColumnOfFieldDef(const TFieldDef& def);

}  // namespace velmora::store
