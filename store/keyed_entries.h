#pragma once
// What a stored index (STIDX) and a filtered view (STIDXFILT) share: their entries, row-slot
// numbers kept in key order and searched by key, and the aggregate set told of every row that
// enters or leaves them. Where a row goes is each order's own rule; the moves of entries, and
// telling the aggregates, are made here.

#include <cstdint>
#include <optional>
#include <vector>

#include "store/STBASE.h"
#include "store/key_compare.h"
#include "store/key_compare_search.h"
#include "store/order_aggregates.h"
#include "store/row_order.h"

namespace velmora::store {

class KeyedEntries : public RowOrder {
public:
    // The key columns (none: the entries are in the order rows were given).
    const std::vector<KeyColumn>& Key() const { return key_; }
    const KeyComparer& Comparer() const { return comparer_; }
    AggregateSlot& Aggregates() { return aggregates_; }

    uint32_t Count() const override { return static_cast<uint32_t>(entries_.size()); }
    uint32_t SlotAt(uint32_t position) const override { return entries_[position]; }
    std::optional<uint32_t> Find(const RowVersion& row) const override {
        return search_.Find(entries_, row);
    }
    OrderChange Remove(const RowVersion& row) override;

protected:
    // REQUIRES: table outlives the entries; every key column exists in it.
    KeyedEntries(const STBASE& table, std::vector<KeyColumn> key);

    // REQUIRES (all): position is within the entries; room was reserved (ReserveOneMore).
    OrderChange InsertAt(uint32_t position, const RowVersion& row);
    OrderChange EraseAt(uint32_t position, const RowVersion& row);
    // The entry at position, which names old, now names replacement: in place when the key is
    // unchanged, else at the position `place` gives once the entry has been taken out.
    template <typename Place>
    OrderChange ReplaceAt(uint32_t position, const RowVersion& old, const RowVersion& replacement,
                          Place place) {
        uint32_t insertedAt = position;
        if (comparer_.Compare(old.row, replacement.row) == 0) {
            entries_[position] = replacement.slot;
        } else {
            entries_.erase(entries_.begin() + position);
            insertedAt = place();
            entries_.insert(entries_.begin() + insertedAt, replacement.slot);
        }
        aggregates_.Replaced(old.row, replacement.row);
        return OrderChange{position, insertedAt};
    }

    std::vector<KeyColumn> key_;
    KeyComparer comparer_;
    KeySearch search_;
    std::vector<uint32_t> entries_;
    AggregateSlot aggregates_;
};

}  // namespace velmora::store
