#include "store/row_order_slots.h"

#include <algorithm>

#include "store/stored_table_index_description.h"

namespace velmora::store {

SlotOrder::SlotOrder(const std::vector<uint32_t>& visibleSlots, uint32_t slotCount)
    : name_(kDefaultOrderName) {
    if (!visibleSlots.empty()) slotCount = std::max(slotCount, visibleSlots.back());
    keys_.resize(slotCount + 1);
    for (uint32_t slot = 1; slot <= slotCount; ++slot) keys_[slot] = slot;
    nextKey_ = slotCount + 1;
    entries_.reserve(visibleSlots.size());
    for (uint32_t slot : visibleSlots) entries_.push_back(Entry{slot, slot});
}

uint32_t SlotOrder::LowerBound(uint32_t key) const {
    auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const Entry& e, uint32_t k) { return e.key < k; });
    return static_cast<uint32_t>(it - entries_.begin());
}

std::optional<uint32_t> SlotOrder::Find(const RowVersion& row) const {
    if (row.slot >= keys_.size() || keys_[row.slot] == 0) return std::nullopt;
    const uint32_t position = LowerBound(keys_[row.slot]);
    if (position < entries_.size() && entries_[position].slot == row.slot) return position;
    return std::nullopt;
}

// Makes Insert and Replace unable to fail: room for one more entry.
void SlotOrder::ReserveEntry() {
    if (entries_.size() == entries_.capacity())
        entries_.reserve(std::max<size_t>(16, 2 * entries_.capacity()));
}

void SlotOrder::ReserveKey(uint32_t slot) {
    if (keys_.size() <= slot) keys_.resize(std::max<size_t>(slot + 1, 2 * keys_.size()));
}

int SlotOrder::CheckInsert(const RowVersion& row) {
    ReserveEntry();
    ReserveKey(row.slot);
    return 0;
}

OrderChange SlotOrder::Insert(const RowVersion& row) {
    uint32_t& key = keys_[row.slot];
    if (key == 0) key = nextKey_++;
    const uint32_t position = LowerBound(key);
    entries_.insert(entries_.begin() + position, Entry{key, row.slot});
    return OrderChange{OrderChange::kNone, position};
}

OrderChange SlotOrder::Remove(const RowVersion& row) {
    const std::optional<uint32_t> position = Find(row);
    if (!position) return OrderChange{};
    entries_.erase(entries_.begin() + *position);
    return OrderChange{*position, OrderChange::kNone};
}

int SlotOrder::CheckReplace(const RowVersion&, const RowVersion& replacement) {
    ReserveEntry();  // the replaced row may be missing: it is then inserted
    ReserveKey(replacement.slot);
    return 0;
}

OrderChange SlotOrder::Replace(const RowVersion& old, const RowVersion& replacement) {
    const std::optional<uint32_t> position = Find(old);
    if (!position) return Insert(replacement);
    Entry& entry = entries_[*position];
    keys_[replacement.slot] = entry.key;
    entry.slot = replacement.slot;
    return OrderChange{*position, *position};
}

void SlotOrder::ForgetSlot(uint32_t slot) {
    if (slot < keys_.size()) keys_[slot] = 0;
}

}  // namespace velmora::store
