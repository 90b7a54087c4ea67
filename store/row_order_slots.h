#pragma once
// The default order without key columns: the visible rows in slot order, where a new version
// of a row keeps the place of the version it replaced. So the rows stay in load order followed
// by the rows added since, however often they are modified.

#include <cstdint>
#include <string>
#include <vector>

#include "store/row_order.h"

namespace velmora::store {

class SlotOrder final : public RowOrder {
public:
    // REQUIRES: visibleSlots ascending.
    explicit SlotOrder(const std::vector<uint32_t>& visibleSlots);

    const std::string& Name() const override { return name_; }
    uint32_t Count() const override { return static_cast<uint32_t>(entries_.size()); }
    uint32_t SlotAt(uint32_t position) const override { return entries_[position].slot; }
    std::optional<uint32_t> Find(const RowVersion& row) const override;

    int CheckInsert(const RowVersion& row) override;
    OrderChange Insert(const RowVersion& row) override;
    OrderChange Remove(const RowVersion& row) override;
    int CheckReplace(const RowVersion& old, const RowVersion& replacement) override;
    OrderChange Replace(const RowVersion& old, const RowVersion& replacement) override;

private:
    // An entry's place is the slot of the first version of its row.
    struct Entry {
        uint32_t key;
        uint32_t slot;
    };
    uint32_t KeyOf(uint32_t slot) const;
    uint32_t LowerBound(uint32_t key) const;
    void ReserveEntry();

    std::string name_;
    std::vector<Entry> entries_;  // ascending keys
    std::vector<uint32_t> keys_;  // by slot: the key of a later version (0: its own slot)
};

}  // namespace velmora::store
