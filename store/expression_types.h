#pragma once
// How expressions classify the field types of their nodes (field_type.h; ftBoolean for
// conditions, ftUnknown for NULL before a comparison gives it a type), and the scope that says
// whether a node varies per row, per group of rows or not at all.

#include <cstdint>

#include "store/field_type.h"

namespace velmora::store {

enum class ExprScope : uint8_t { Constant, Record, Aggregate };

// Text, fixed-width text, wide text, fixed-width wide text and GUID text: the kinds whose
// constants may become partial or case-insensitive comparisons.
bool IsTextKind(FieldType type);
// Small integer, integer, word, auto-increment and 64-bit integer.
bool IsIntegerKind(FieldType type);
bool IsFixedPointKind(FieldType type);  // BCD and FMTBcd
// The integers, floating-point, currency and the fixed-point decimals.
bool IsNumericKind(FieldType type);
// Date, time, date-time and timestamp.
bool IsTemporalKind(FieldType type);
// Bytes and large objects, memos included: no comparison takes them but the left of LIKE.
bool IsLargeKind(FieldType type);

// The byte size of a value of the type as the stored table reports it for an aggregate
// result; `size` is the declared width of text kinds.
uint16_t ResultSizeOf(FieldType type, uint16_t size);

}  // namespace velmora::store
