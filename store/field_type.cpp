#include "store/field_type.h"

#include <array>

namespace velmora::store {

namespace {

constexpr std::array<std::string_view, ftFixedWideChar + 1> kTypeNames = {
    "Unknown",     "String",        "SmallInt",   "Integer",  "Word",     "Boolean",    "Float",
    "Currency",    "BCD",           "Date",       "Time",     "DateTime", "Bytes",      "VarBytes",
    "AutoInc",     "Blob",          "Memo",       "Graphic",  "FmtMemo",  "ParadoxOle", "DBaseOle",
    "TypedBinary", "FixedChar",     "WideString", "LargeInt", "ADT",      "Array",      "Reference",
    "DataSet",     "OraBlob",       "OraClob",    "Variant",  "Guid",     "TimeStamp",  "FMTBcd",
    "WideMemo",    "FixedWideChar",
};

enum class BaseKind { Integer, Text, Float, DateTime, LargeObject, WideText, Own };

BaseKind BaseKindOf(FieldType type) {
    switch (type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftAutoInc:
            return BaseKind::Integer;
        case ftString:
        case ftFixedChar:
        case ftGuid:
            return BaseKind::Text;
        case ftFloat:
        case ftCurrency:
            return BaseKind::Float;
        case ftDate:
        case ftTime:
        case ftDateTime:
            return BaseKind::DateTime;
        case ftBlob:
        case ftMemo:
        case ftGraphic:
        case ftFmtMemo:
        case ftParadoxOle:
        case ftDBaseOle:
        case ftTypedBinary:
        case ftOraBlob:
        case ftOraClob:
        case ftWideMemo:
            return BaseKind::LargeObject;
        case ftWideString:
        case ftFixedWideChar:
            return BaseKind::WideText;
        default:
            return BaseKind::Own;
    }
}

FieldType BlobTypeOf(uint16_t subtype) {
    switch (subtype) {
        case kSubtypeText:
            return ftMemo;
        case kSubtypeFormatted:
            return ftFmtMemo;
        case kSubtypeOle:
            return ftParadoxOle;
        case kSubtypeGraphics:
            return ftGraphic;
        case kSubtypeDBaseOle:
            return ftDBaseOle;
        case kSubtypeTypedBinary:
            return ftTypedBinary;
        case kSubtypeWideText:
            return ftWideMemo;
        case kSubtypeHMemo:
            return ftOraClob;
        case kSubtypeHBinary:
            return ftOraBlob;
        default:
            return ftBlob;
    }
}

FieldType TextTypeOf(uint16_t subtype) {
    if (subtype == kSubtypeGuid) return ftGuid;
    if (subtype == kSubtypeFixedChar) return ftFixedChar;
    return ftString;
}

}  // namespace

std::string_view FieldTypeName(FieldType type) {
    return type < kTypeNames.size() ? kTypeNames[type] : kTypeNames[ftUnknown];
}

bool SameBaseKind(FieldType a, FieldType b) {
    BaseKind kind = BaseKindOf(a);
    return kind == BaseKind::Own ? a == b : kind == BaseKindOf(b);
}

bool IsLargeObjectType(FieldType type) {
    return BaseKindOf(type) == BaseKind::LargeObject;
}

bool IsCalculableType(FieldType type) {
    switch (type) {
        case ftString:
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftBoolean:
        case ftFloat:
        case ftCurrency:
        case ftBCD:
        case ftDate:
        case ftTime:
        case ftDateTime:
        case ftWideString:
        case ftLargeint:
        case ftVariant:
        case ftTimeStamp:
        case ftFMTBcd:
            return true;
        default:
            return false;
    }
}

bool SizeMustMatch(FieldType type) {
    return type == ftBCD || type == ftBytes || type == ftVarBytes || type == ftReference;
}

bool IsTextType(FieldType type) {
    return type == ftString || type == ftFixedChar || type == ftWideString ||
           type == ftFixedWideChar;
}

FieldType FieldTypeOfColumn(const StoredColumn& column) {
    switch (column.type) {
        case LogicalType::Text:
            return TextTypeOf(column.subtype);
        case LogicalType::WideText:
            return ftWideString;
        case LogicalType::Int16:
            return ftSmallint;
        case LogicalType::Int32:
            return column.subtype == kSubtypeAutoinc ? ftAutoInc : ftInteger;
        case LogicalType::UInt16:
            return ftWord;
        case LogicalType::UInt32:
            return ftInteger;
        case LogicalType::Int64:
        case LogicalType::UInt64:
            return ftLargeint;
        case LogicalType::Boolean:
        case LogicalType::Boolean8:
        case LogicalType::Boolean32:
            return ftBoolean;
        case LogicalType::Real8:
            return column.subtype == kSubtypeMoney ? ftCurrency : ftFloat;
        case LogicalType::Bcd:
            return ftBCD;
        case LogicalType::FmtBcd:
            return ftFMTBcd;
        case LogicalType::Date:
            return ftDate;
        case LogicalType::Time:
            return ftTime;
        case LogicalType::DateTime:
            return ftDateTime;
        case LogicalType::SqlDateTime:
            return ftTimeStamp;
        case LogicalType::FixedBytes:
            return ftBytes;
        case LogicalType::VarBytes:
            return ftVarBytes;
        case LogicalType::Blob:
            return BlobTypeOf(column.subtype);
        case LogicalType::Struct:
            return ftADT;
        case LogicalType::ArrayColumn:
            return ftArray;
        case LogicalType::Reference:
            return ftReference;
        case LogicalType::Nested:
            return ftDataSet;
        default:  // 1-byte integers and extended reals are not exposed as fields
            return ftUnknown;
    }
}

uint16_t FieldSizeOfColumn(const StoredColumn& column) {
    if (column.type == LogicalType::Bcd || column.type == LogicalType::FmtBcd) return column.scale;
    if (column.type == LogicalType::WideText) return column.width / 2;
    return column.width;
}

}  // namespace velmora::store
