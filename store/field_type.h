#pragma once
// The data types a field or a field definition can have, the field kinds, and the rules that
// relate them to stored columns: kind names used in messages, base kinds that bind to each
// other, and which types may be calculated.

#include <cstdint>
#include <string_view>

#include "store/stored_table_column.h"

namespace velmora::store {

enum FieldType : uint8_t {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftADT,
    ftArray,
    ftReference,
    ftDataSet,
    ftOraBlob,
    ftOraClob,
    ftVariant,
    ftGuid,
    ftTimeStamp,
    ftFMTBcd,
    ftWideMemo,
    ftFixedWideChar,
};

enum FieldKind : uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

enum FieldAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// "String", "Integer", "AutoInc", "BCD" ... as messages name the type.
std::string_view FieldTypeName(FieldType type);

// Types that bind to each other's columns: the integer kinds, the text kinds, floating-point
// and currency, the date and time kinds, the large objects, the wide texts; every other type
// stands alone.
bool SameBaseKind(FieldType a, FieldType b);

// The large objects: memos and every other blob kind.
bool IsLargeObjectType(FieldType type);

// Whether a field of this type may be calculated (or looked up).
bool IsCalculableType(FieldType type);

// The types whose size must match the column's size when binding (for BCD the size is the
// scale).
bool SizeMustMatch(FieldType type);

bool IsTextType(FieldType type);  // text, fixed-width text, wide text, fixed-width wide text

// The field type the table makes of a stored column; ftUnknown for a column that is not exposed
// as a field (1-byte integers, extended reals).
FieldType FieldTypeOfColumn(const StoredColumn& column);

// The column's size in field terms: the width of texts and bytes, the scale of a decimal.
uint16_t FieldSizeOfColumn(const StoredColumn& column);

}  // namespace velmora::store
