// The maintained aggregates of the in-memory table: which are in use, where they ride, and
// the values each row buffer carries.

#include "store/TCustomMemTable.h"

namespace velmora::store {

// The stored table maintains no aggregate for the table yet: none is in use.
void TCustomMemTable::ActivateAggregates() {}

// With no aggregate in use every value in the aggregate area is null.
void TCustomMemTable::FillAggregates(RowBuffer& buffer) {
    buffer.ClearAggregates();
}

}  // namespace velmora::store
