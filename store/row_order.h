#pragma once
// An order of the visible rows of a stored table: the default order, a keyed index or a
// filtered view. Its entries are row-slot numbers, one per row it holds, in its order.
//
// The stored table owns its orders and tells every one of them about each change; the orders
// report where their entries moved, and the stored table moves the cursors that walk them.
// Every call is made with the stored table's lock held.
//
// A change is offered in two steps: Check... says whether the order accepts it (a unique
// index refuses a key it already holds) and reserves what the change will need; the change
// itself (Insert, Remove, Replace) then cannot fail. A Check is not always followed by its
// change (another order may refuse), and then nothing may have changed.

#include <cstdint>
#include <optional>
#include <string>

#include "store/row_image.h"

namespace velmora::store {

// One version of a row: its slot and its values. For a modification made in place (change
// logging off) both versions name the same slot and differ in their values.
struct RowVersion {
    uint32_t slot = 0;
    RowView row;
};

// What a change did to the entries of one order. Positions count from 0; `insertedAt` is the
// position after the removal has been made.
struct OrderChange {
    static constexpr uint32_t kNone = UINT32_MAX;
    uint32_t removedAt = kNone;
    uint32_t insertedAt = kNone;
};

class RowOrder {
public:
    virtual ~RowOrder() = default;

    virtual const std::string& Name() const = 0;
    virtual uint32_t Count() const = 0;
    // REQUIRES: position < Count().
    virtual uint32_t SlotAt(uint32_t position) const = 0;
    // The position of the entry naming row.slot, if the order holds it.
    virtual std::optional<uint32_t> Find(const RowVersion& row) const = 0;

    // A row became visible (insertion, undone deletion). The order takes it or, when it does
    // not belong there (a filter refuses it), ignores it. Returns 0 or kCodeKeyViolation.
    virtual int CheckInsert(const RowVersion& row) = 0;
    virtual OrderChange Insert(const RowVersion& row) = 0;

    // A row stops being visible (deletion, undone insertion). Nothing when it is no entry.
    virtual OrderChange Remove(const RowVersion& row) = 0;

    // `replacement` takes the place of `old` (modification, undone modification). An entry
    // whose key is unchanged keeps its position. A filtered view may drop the row or take it.
    // Returns 0 or kCodeKeyViolation.
    virtual int CheckReplace(const RowVersion& old, const RowVersion& replacement) = 0;
    virtual OrderChange Replace(const RowVersion& old, const RowVersion& replacement) = 0;
};

}  // namespace velmora::store
