#pragma once
// The default order without key columns: the visible rows in slot order, where a new version
// of a row keeps the place of the version it replaced. So the rows stay in load order followed
// by the rows added since, however often they are modified or their changes undone.

#include <cstdint>
#include <string>
#include <vector>

#include "store/row_order.h"

namespace velmora::store {

class SlotOrder final : public RowOrder {
public:
    // REQUIRES: visibleSlots ascending, each at most slotCount (the table's slots, visible
    // or not, whose rows keep their slot's place if they become visible again).
    explicit SlotOrder(const std::vector<uint32_t>& visibleSlots, uint32_t slotCount = 0);

    const std::string& Name() const override { return name_; }
    uint32_t Count() const override { return static_cast<uint32_t>(entries_.size()); }
    uint32_t SlotAt(uint32_t position) const override { return entries_[position].slot; }
    std::optional<uint32_t> Find(const RowVersion& row) const override;

    int CheckInsert(const RowVersion& row) override;
    OrderChange Insert(const RowVersion& row) override;
    OrderChange Remove(const RowVersion& row) override;
    int CheckReplace(const RowVersion& old, const RowVersion& replacement) override;
    OrderChange Replace(const RowVersion& old, const RowVersion& replacement) override;

    // The slot was freed (an undone insertion or modification of the last slot): a row stored
    // there later is a new row, placed after every other.
    void ForgetSlot(uint32_t slot);

private:
    // An entry's place is the key its row got when it first became visible: its slot for a
    // row there from the start, one above every key given before for a new row. Later
    // versions of the row take the key over, and a row that returns (an undone deletion or
    // modification) finds it again.
    struct Entry {
        uint32_t key;
        uint32_t slot;
    };
    uint32_t LowerBound(uint32_t key) const;
    void ReserveEntry();
    void ReserveKey(uint32_t slot);

    std::string name_;
    std::vector<Entry> entries_;  // ascending keys
    std::vector<uint32_t> keys_;  // by slot: the key of the row version in it (0: none yet)
    uint32_t nextKey_ = 1;        // above every key given
};

}  // namespace velmora::store
