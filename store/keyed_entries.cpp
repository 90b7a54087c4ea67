#include "store/keyed_entries.h"

namespace velmora::store {

KeyedEntries::KeyedEntries(const STBASE& table, std::vector<KeyColumn> key)
    : key_(std::move(key)),
      comparer_(table.Layout(), key_, table.Lcid()),
      search_(table, comparer_) {}

OrderChange KeyedEntries::Remove(const RowVersion& row) {
    const std::optional<uint32_t> position = Find(row);
    return position ? EraseAt(*position, row) : OrderChange{};
}

OrderChange KeyedEntries::InsertAt(uint32_t position, const RowVersion& row) {
    entries_.insert(entries_.begin() + position, row.slot);
    aggregates_.Added(row.row);
    return OrderChange{OrderChange::kNone, position};
}

OrderChange KeyedEntries::EraseAt(uint32_t position, const RowVersion& row) {
    entries_.erase(entries_.begin() + position);
    aggregates_.Removed(row.row);
    return OrderChange{position, OrderChange::kNone};
}

}  // namespace velmora::store
