#include "store/TFieldDef.h"

#include "platform/errors.h"
#include "store/field_names.h"

namespace velmora::store {

namespace {

constexpr size_t kMaxColumnName = 31;

struct ColumnShape {
    LogicalType type;
    uint16_t subtype = kSubtypeNone;
};

bool ShapeOf(FieldType type, ColumnShape& shape) {
    switch (type) {
        case ftString:
            shape = {LogicalType::Text};
            return true;
        case ftFixedChar:
            shape = {LogicalType::Text, kSubtypeFixedChar};
            return true;
        case ftGuid:
            shape = {LogicalType::Text, kSubtypeGuid};
            return true;
        case ftWideString:
            shape = {LogicalType::WideText};
            return true;
        case ftSmallint:
            shape = {LogicalType::Int16};
            return true;
        case ftInteger:
            shape = {LogicalType::Int32};
            return true;
        case ftAutoInc:
            shape = {LogicalType::Int32, kSubtypeAutoinc};
            return true;
        case ftWord:
            shape = {LogicalType::UInt16};
            return true;
        case ftLargeint:
            shape = {LogicalType::Int64};
            return true;
        case ftBoolean:
            shape = {LogicalType::Boolean};
            return true;
        case ftFloat:
            shape = {LogicalType::Real8};
            return true;
        case ftCurrency:
            shape = {LogicalType::Real8, kSubtypeMoney};
            return true;
        case ftBCD:
            shape = {LogicalType::Bcd};
            return true;
        case ftFMTBcd:
            shape = {LogicalType::FmtBcd};
            return true;
        case ftDate:
            shape = {LogicalType::Date};
            return true;
        case ftTime:
            shape = {LogicalType::Time};
            return true;
        case ftDateTime:
            shape = {LogicalType::DateTime};
            return true;
        case ftTimeStamp:
            shape = {LogicalType::SqlDateTime};
            return true;
        case ftBytes:
            shape = {LogicalType::FixedBytes};
            return true;
        case ftVarBytes:
            shape = {LogicalType::VarBytes};
            return true;
        case ftMemo:
            shape = {LogicalType::Blob, kSubtypeText};
            return true;
        case ftBlob:
            shape = {LogicalType::Blob, kSubtypeBinary};
            return true;
        case ftFmtMemo:
            shape = {LogicalType::Blob, kSubtypeFormatted};
            return true;
        case ftGraphic:
            shape = {LogicalType::Blob, kSubtypeGraphics};
            return true;
        case ftParadoxOle:
            shape = {LogicalType::Blob, kSubtypeOle};
            return true;
        case ftDBaseOle:
            shape = {LogicalType::Blob, kSubtypeDBaseOle};
            return true;
        case ftTypedBinary:
            shape = {LogicalType::Blob, kSubtypeTypedBinary};
            return true;
        case ftWideMemo:
            shape = {LogicalType::Blob, kSubtypeWideText};
            return true;
        case ftOraClob:
            shape = {LogicalType::Blob, kSubtypeHMemo};
            return true;
        case ftOraBlob:
            shape = {LogicalType::Blob, kSubtypeHBinary};
            return true;
        default:
            return false;
    }
}

uint8_t AttributesOfColumn(const StoredColumn& column) {
    uint8_t attributes = 0;
    if (column.attributes & kColumnHidden) attributes |= faHiddenCol;
    if (column.attributes & kColumnReadOnly) attributes |= faReadonly;
    if (column.attributes & kColumnRequired) attributes |= faRequired;
    if (column.attributes & kColumnLink) attributes |= faLink;
    if (column.subtype == kSubtypeFixedChar) attributes |= faFixed;
    return attributes;
}

uint16_t ColumnAttributesOf(const TFieldDef& def, FieldType type) {
    uint16_t attributes = 0;
    if (def.Attributes & faHiddenCol) attributes |= kColumnHidden;
    if ((def.Attributes & faReadonly) || type == ftAutoInc) attributes |= kColumnReadOnly;
    if (def.Attributes & faRequired) attributes |= kColumnRequired;
    if (def.Attributes & faLink) attributes |= kColumnLink;
    return attributes;
}

Parameter FullNameParameter(const std::string& name) {
    return Parameter{"FIELDNAME", StoredType{StoredKind::Text, 1, true, false}, name};
}

}  // namespace

TFieldDef FieldDefOfColumn(const StoredColumn& column) {
    TFieldDef def;
    def.Name = column.name;
    def.DataType = FieldTypeOfColumn(column);
    def.Size = FieldSizeOfColumn(column);
    bool decimal = column.type == LogicalType::Bcd || column.type == LogicalType::FmtBcd;
    def.Precision = decimal ? (column.precision ? column.precision : column.width) : 0;
    def.Attributes = AttributesOfColumn(column);
    return def;
}

StoredColumn ColumnOfFieldDef(const TFieldDef& def) {
    FieldType type =
        (def.Attributes & faFixed) && def.DataType == ftString ? ftFixedChar : def.DataType;
    ColumnShape shape{LogicalType::Text};
    if (!ShapeOf(type, shape))
        DatabaseError(FillMessage("Field '%s' is of an unsupported type", {def.Name}));
    StoredColumn column;
    column.name = def.Name.substr(0, kMaxColumnName);
    if (def.Name.size() > kMaxColumnName) column.parameters.push_back(FullNameParameter(def.Name));
    column.type = shape.type;
    column.subtype = shape.subtype;
    column.attributes = ColumnAttributesOf(def, type);
    if (shape.type == LogicalType::Bcd || shape.type == LogicalType::FmtBcd) {
        column.precision = def.Precision;
        column.width = def.Precision;
        column.scale = def.Size;
    } else {
        column.width = shape.type == LogicalType::WideText ? def.Size * 2 : def.Size;
    }
    return column;
}

}  // namespace velmora::store
