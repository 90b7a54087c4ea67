#pragma once
// The row state byte carried by every row slot (saved as the RowState of a row).

#include <cstdint>

namespace velmora::store {

enum RowStateBit : uint8_t {
    kRowSuperseded = 1,      // an earlier version that a later modification replaced
    kRowDeleted = 2,         //
    kRowInserted = 4,        // inserted since the log began; kept by every later version
    kRowModified = 8,        // a version that replaced an earlier one
    kRowDiscarded = 32,      // the slot no longer holds a row; its large objects are released
    kRowNestedChanged = 64,  // nested rows changed (kept as read; no nested tables here)
};

// 0 is a row unchanged since the log began.
inline constexpr uint8_t kRowUnchanged = 0;

// A slot holds a row of the table exactly when none of these bits is set.
inline constexpr uint8_t kRowHiddenBits = kRowSuperseded | kRowDeleted | kRowDiscarded;

constexpr bool IsVisibleRowState(uint8_t state) {
    return (state & kRowHiddenBits) == 0;
}

}  // namespace velmora::store
