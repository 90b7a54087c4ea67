#pragma once
// The search of SeekRow: a linear scan of the cursor's view, in view order, for the first row
// that a condition accepts.

#include "store/STCursor.h"
#include "store/row_image.h"
#include "store/row_predicate.h"

namespace velmora::store {

// Puts the cursor before the first row and moves forward until condition accepts a row: then
// the cursor is on it, row holds it and the result is true. Without a match the cursor is
// after the last row and the result is false. Raises what condition raises.
bool ScanForward(STCursor& cursor, const RowPredicate& condition, RowImage& row);

}  // namespace velmora::store
