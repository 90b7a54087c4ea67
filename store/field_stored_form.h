#pragma once
// Values of fields in the stored form of their column (stored_type.h): what a field reads from
// a row image and hands to it.

#include <string>
#include <string_view>

#include "store/stored_table_column.h"
#include "store/value.h"

namespace velmora::store {

// Integer columns give Integer, decimals Fixed (digits beyond four places dropped), reals
// Double, booleans Boolean, everything else Text (the bytes as stored).
// REQUIRES: stored is a non-null value of column.
Value DecodeColumnValue(const StoredColumn& column, std::string_view stored);

// The stored form of value for column. A decimal is cut to the column's scale (digits beyond
// it dropped); the precision is checked by the row image. Integers are cut to the column's
// size, so the caller checks their range.
// REQUIRES: value is not null and of the kind DecodeColumnValue gives for column.
std::string EncodeColumnValue(const StoredColumn& column, const Value& value);

}  // namespace velmora::store
