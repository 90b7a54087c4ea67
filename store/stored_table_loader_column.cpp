#include "store/stored_table_loader_column.h"

#include "platform/errors.h"
#include "store/store_codes.h"
#include "store/stored_table_parameters.h"

namespace velmora::store {
namespace {

[[noreturn]] void BadStructure() {
    throw EStoreError(kCodeBadStructure);
}

uint16_t SmallNumber(const Parameter& parameter) {
    std::optional<int64_t> value = ParameterInteger(parameter);
    if (!value || *value < 0 || *value > UINT16_MAX) BadStructure();
    return static_cast<uint16_t>(*value);
}

struct Given {
    bool subtype = false;  // any SUBTYPE, known or not
    bool width = false;
};

Given TakeParameters(StoredColumn& column, const std::vector<Parameter>& parameters) {
    Given given;
    for (const Parameter& parameter : parameters) {
        // One the column cannot give back when written is kept as it came.
        const bool held = ColumnHoldsParameter(parameter.name, column.type, column.attributes);
        if (held && IsParameterNamed(parameter, "WIDTH")) {
            column.width = SmallNumber(parameter);
            given.width = true;
        } else if (held && IsParameterNamed(parameter, "DECIMALS")) {
            column.scale = SmallNumber(parameter);
        } else if (held && IsParameterNamed(parameter, "CALCULATED")) {
            column.calculated = ParameterIsTrue(parameter);
        } else if (IsParameterNamed(parameter, "SUBTYPE")) {
            std::optional<std::string_view> name = ParameterText(parameter);
            if (!name) BadStructure();
            given.subtype = true;
            // The last SUBTYPE holds; one kept from before would be written after the new one
            // and hold in its place when read back.
            std::erase_if(column.parameters,
                          [](const Parameter& p) { return IsParameterNamed(p, "SUBTYPE"); });
            column.subtype = SubtypeNumber(*name);
            if (column.subtype == kSubtypeNone) column.parameters.push_back(parameter);
        } else if (ParameterHoldsValue(parameter)) {
            column.parameters.push_back(parameter);
        }
    }
    return given;
}

void SettleBytesType(StoredColumn& column, StoredType type, Given given) {
    if (IsBlobSubtype(column.subtype) || (type.varying && type.size == 4)) {
        column.type = LogicalType::Blob;
    } else if (!type.varying || !given.subtype) {
        column.type = LogicalType::FixedBytes;
        if (!type.varying && type.size != 0 && !given.width) column.width = type.size;
        if (column.width == 0) BadStructure();
    } else {
        column.type = LogicalType::VarBytes;
    }
}

}  // namespace

StoredColumn ColumnFromDescription(const ColumnDescription& description,
                                   const std::vector<Parameter>& parameters) {
    StoredColumn column;
    column.name = description.name;
    column.attributes = description.attributes & ~kColumnInAttribute;
    if (!LogicalTypeOf(description.type, column.type)) BadStructure();
    const Given given = TakeParameters(column, parameters);
    switch (column.type) {
        case LogicalType::Text:
        case LogicalType::WideText:
            if (!given.width || column.width == 0) BadStructure();
            break;
        case LogicalType::Bcd:
        case LogicalType::FmtBcd:
            column.precision = column.width;
            column.width = 0;
            break;
        case LogicalType::FixedBytes:
        case LogicalType::VarBytes:
        case LogicalType::Blob:
            SettleBytesType(column, description.type, given);
            break;
        case LogicalType::Struct:
        case LogicalType::ArrayColumn:
        case LogicalType::Reference:
        case LogicalType::Nested:
            column.width = description.type.size;
            break;
        default:
            break;
    }
    if (IsAutoIncColumn(column)) column.attributes |= kColumnReadOnly;
    return column;
}

}  // namespace velmora::store
