#pragma once
// What the expression parser needs to know about a table's fields, so that it can be used
// (and tested) without a table: the table front end implements ExpressionFieldCatalog.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/field_type.h"

namespace velmora::store {

struct ExpressionField {
    static constexpr size_t kNoColumn = SIZE_MAX;

    std::string name;
    FieldType type = ftString;
    uint16_t size = 0;  // declared width of text kinds
    FieldKind kind = fkData;
    size_t column = kNoColumn;  // the stored column the field reads (data and internalcalc)
};

class ExpressionFieldCatalog {
public:
    virtual ~ExpressionFieldCatalog() = default;
    // The field of that name, letter case ignored; nullptr when the table has none.
    virtual const ExpressionField* FindField(std::string_view name) const = 0;
    // Put in front of "Field '%s' not found" ("%s: %s"); may be empty.
    virtual std::string TableName() const = 0;
};

}  // namespace velmora::store
