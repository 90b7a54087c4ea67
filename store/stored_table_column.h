#pragma once
// A column of a stored table: its name, logical type with width, precision and scale, the
// attribute bits, the subtype, and its other field-level parameters in stored order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/column_description.h"
#include "store/stored_type.h"

namespace velmora::store {

// What the stored table keeps per column. Each maps to one stored type word (StoredTypeOf).
enum class LogicalType : uint8_t {
    Text,      // 8-bit text of at most `width` characters
    WideText,  // UTF-16 text of at most `width` bytes
    Int8,
    Int16,
    Int32,
    Int64,
    UInt8,
    UInt16,
    UInt32,
    UInt64,
    Boolean,    // 2 bytes
    Boolean8,   // 1 byte
    Boolean32,  // 4 bytes
    Real8,
    Real10,
    Bcd,     // `precision` digits, `scale` of them after the point
    FmtBcd,  // as Bcd, the formatted kind
    Date,
    Time,
    DateTime,
    SqlDateTime,
    FixedBytes,   // exactly `width` bytes
    VarBytes,     // at most `width` bytes
    Blob,         // any length; `subtype` tells text blobs (memos) from others
    Struct,       // `width` child columns follow it; holds no value itself
    ArrayColumn,  // `width` elements, kept as opaque bytes
    Reference,    // kept as opaque bytes
    Nested,       // kept as opaque bytes; nested tables are not supported further
};

// Subtype numbers (the SUBTYPE parameter). 0: none.
enum ColumnSubtype : uint16_t {
    kSubtypeNone = 0,
    kSubtypeMoney = 21,
    kSubtypeText = 22,
    kSubtypeBinary = 23,
    kSubtypeFormatted = 24,
    kSubtypeOle = 25,
    kSubtypeGraphics = 26,
    kSubtypeDBaseOle = 27,
    kSubtypeTypedBinary = 28,
    kSubtypeAutoinc = 29,
    kSubtypeAccessOle = 30,
    kSubtypeFixedChar = 31,
    kSubtypeWideText = 32,
    kSubtypeHMemo = 33,
    kSubtypeHBinary = 34,
    kSubtypeADTNestedTable = 35,
    kSubtypeBFile = 36,
    kSubtypeADTDate = 37,
    kSubtypeGuid = 38,
    kSubtypeReference = 70,
};

struct StoredColumn {
    std::string name;
    LogicalType type = LogicalType::Text;
    uint16_t width = 0;       // see LogicalType; decimals keep their width in `precision`
    uint16_t precision = 0;   // Bcd, FmtBcd: total digits (0: no limit beyond the stored form)
    uint16_t scale = 0;       // Bcd, FmtBcd: digits after the point
    uint16_t attributes = 0;  // ColumnAttribute bits: hidden 1, read-only 2, required 4, link 8
    uint16_t subtype = kSubtypeNone;
    bool calculated = false;            // an internally calculated column (CALCULATED)
    std::vector<Parameter> parameters;  // the other field-level parameters, in stored order

    bool IsReadOnly() const { return (attributes & kColumnReadOnly) != 0; }
    bool IsRequired() const { return (attributes & kColumnRequired) != 0; }

    friend bool operator==(const StoredColumn&, const StoredColumn&) = default;
};

// The auto-increment kind: a 4-byte integer column with the Autoinc subtype.
bool IsAutoIncColumn(const StoredColumn& column);

// The stored type word written for a column (0x490000 + prefix width for text, and so on).
StoredType StoredTypeOf(const StoredColumn& column);

// The logical type read back from a stored type, or false when the type has none.
bool LogicalTypeOf(StoredType type, LogicalType& logical);

// True for the types whose values have a length (text, bytes, blobs, opaque composites).
bool IsVaryingType(LogicalType type);

// Byte size of the stored form of a fixed-size type (see stored_type.h); 0 for varying types
// and for Struct.
uint16_t FixedValueSize(LogicalType type, uint16_t width);

// The subtype number of a SUBTYPE name (case-insensitive), kSubtypeNone when unknown.
uint16_t SubtypeNumber(std::string_view name);
// The SUBTYPE name of a subtype number; empty for kSubtypeNone or an unknown number.
std::string_view SubtypeName(uint16_t subtype);
// Whether the subtype makes a "bin.hex" column a blob (Text to TypedBinary, WideText to
// HBinary).
bool IsBlobSubtype(uint16_t subtype);

}  // namespace velmora::store
