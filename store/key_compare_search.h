#pragma once
// Binary search by key over an array of row slots kept in key order: the one search that the
// indexes and the filtered views share.
//
// Searches run inside the table's calls to its orders, or under its Lock(), so they read rows
// without taking the lock again. The entries' rows are read from the stored table, except the
// row of `known.slot`, which is read from `known` (by default the row searched for): a row
// modified in place already holds its new values in its slot while its entry still stands
// where its old values put it.

#include <cstdint>
#include <optional>
#include <vector>

#include "store/STBASE.h"
#include "store/key_compare.h"
#include "store/row_order.h"

namespace velmora::store {

class KeySearch {
public:
    // REQUIRES: table and comparer outlive the search.
    KeySearch(const STBASE& table, const KeyComparer& comparer)
        : table_(table), comparer_(comparer) {}

    const KeyComparer& Comparer() const { return comparer_; }

    RowView RowOf(uint32_t slot, const RowVersion& known) const {
        return slot == known.slot ? known.row : table_.SlotRowUnderLock(slot);
    }
    // row's key against the key of the entry naming slot.
    int CompareTo(const RowVersion& row, uint32_t slot, const RowVersion* known = nullptr) const {
        return comparer_.Compare(row.row, RowOf(slot, known ? *known : row));
    }

    // The first entry whose key is not before row's key / is after it.
    // REQUIRES (all): entries in key order.
    uint32_t LowerBound(const std::vector<uint32_t>& entries, const RowVersion& row,
                        const RowVersion* known = nullptr) const;
    uint32_t UpperBound(const std::vector<uint32_t>& entries, const RowVersion& row,
                        const RowVersion* known = nullptr) const;
    // The position of the entry naming row.slot: among the entries with row's key, or by a
    // scan of all entries without key columns.
    std::optional<uint32_t> Find(const std::vector<uint32_t>& entries, const RowVersion& row) const;
    // The position of the entry naming row.slot among the entries with row's key.
    std::optional<uint32_t> Locate(const std::vector<uint32_t>& entries,
                                   const RowVersion& row) const;

private:
    const STBASE& table_;
    const KeyComparer& comparer_;
};

// Room for one more entry, so that inserting it cannot fail.
void ReserveOneMore(std::vector<uint32_t>& entries);

}  // namespace velmora::store
