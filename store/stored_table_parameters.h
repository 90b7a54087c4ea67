#pragma once
// Reading parameter values in their stored form (stored_type.h): integers, flags, texts, and
// the arrays of the key lists (DEFAULT_ORDER, UNIQUE_KEY, PRIMARY_KEY) and of CHANGE_LOG. An
// array value holds its elements one after another, without a count.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "store/change_log.h"
#include "store/column_description.h"
#include "store/stored_table_column.h"
#include "store/stored_table_index_description.h"

namespace velmora::store {

// Parameter names match without regard to letter case.
bool IsParameterNamed(const Parameter& parameter, std::string_view name);

// The value of an integer or boolean parameter of 1, 2, 4 or 8 bytes; none for other types.
std::optional<int64_t> ParameterInteger(const Parameter& parameter);
// A non-zero integer or boolean, or a text beginning with "T" or "t".
bool ParameterIsTrue(const Parameter& parameter);
// A text parameter's bytes without the closing zero bytes the binary form may carry; none
// for a parameter that is not text.
std::optional<std::string_view> ParameterText(const Parameter& parameter);

// False for a parameter of a fixed-size type without its value bytes (its text gave no
// value): no packet could carry it back, so a loaded table does not keep it.
bool ParameterHoldsValue(const Parameter& parameter);

// Whether a column of `type` with the attribute word `attributes` takes the field-level
// parameter into its structure, from where a written packet gives it back: WIDTH on texts,
// bytes and decimals; DECIMALS on all but structured and array columns; CALCULATED on all but
// link columns. False for any other parameter; a loaded column keeps those as its own.
bool ColumnHoldsParameter(std::string_view name, LogicalType type, uint16_t attributes);

// Key list elements: 1-based column numbers, 0x8000 marks a descending and 0x4000 a
// case-insensitive column. Raises EStoreError(kCodeBadStructure) for a value that is not an
// array of integers or names a column outside 1..columnCount.
std::vector<KeyColumn> ParseKeyList(const Parameter& parameter, size_t columnCount);

// Consecutive triples; elements after the last whole triple are ignored. Raises
// EStoreError(kCodeBadStructure) unless the value is an array of 4-byte integers holding at
// least one triple.
std::vector<ChangeLogEntry> ParseChangeLog(const Parameter& parameter);

}  // namespace velmora::store
