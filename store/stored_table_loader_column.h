#pragma once
// A column as a datapacket describes it, made into a stored-table column.

#include <vector>

#include "store/column_description.h"
#include "store/stored_table_column.h"

namespace velmora::store {

// Takes WIDTH (the width, or the precision of a decimal), DECIMALS (scale), SUBTYPE (a known
// name; Autoinc also makes the column read-only) and CALCULATED into the column's structure,
// WIDTH, DECIMALS and CALCULATED only where the column gives them back (ColumnHoldsParameter),
// and keeps every other parameter, unknown SUBTYPE names included, in order. Bytes columns:
// a blob subtype or a 4-byte length prefix makes a blob; without a length prefix, or without
// any SUBTYPE, fixed bytes of WIDTH; otherwise varying bytes of at most WIDTH.
// Raises EStoreError(kCodeBadStructure) for a type without a logical type, a SUBTYPE that is
// not text, a text column without WIDTH, a bytes column with neither SUBTYPE nor WIDTH.
StoredColumn ColumnFromDescription(const ColumnDescription& description,
                                   const std::vector<Parameter>& parameters);

}  // namespace velmora::store
