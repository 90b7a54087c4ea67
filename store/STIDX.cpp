#include "store/STIDX.h"

#include <algorithm>

#include "store/store_codes.h"

namespace velmora::store {

STIDX::STIDX(const STBASE& table, IndexDescription description)
    : table_(table),
      description_(std::move(description)),
      comparer_(table.Layout(), description_.keys, table.Lcid()),
      search_(table, comparer_) {}

bool STIDX::KeyBeginsWith(const std::vector<KeyColumn>& keys) const {
    return keys.size() <= description_.keys.size() &&
           std::equal(keys.begin(), keys.end(), description_.keys.begin());
}

std::optional<uint32_t> STIDX::Find(const RowVersion& row) const {
    return search_.Find(entries_, row);
}

// Appending is the common case (rows added in key order, building from a sorted source), so
// the last entry is tried before the binary search.
uint32_t STIDX::InsertionPoint(const RowVersion& row) const {
    if (!comparer_.HasKeyColumns() || entries_.empty()) return Count();
    if (search_.CompareTo(row, entries_.back()) >= 0) return Count();
    return search_.UpperBound(entries_, row);
}

bool STIDX::HoldsKeyElsewhere(const RowVersion& row, const RowVersion& except) const {
    if (!comparer_.HasKeyColumns()) return false;
    for (uint32_t position = search_.LowerBound(entries_, row, &except); position < entries_.size();
         ++position) {
        if (search_.CompareTo(row, entries_[position], &except) != 0) return false;
        if (entries_[position] != except.slot) return true;
    }
    return false;
}

int STIDX::CheckInsert(const RowVersion& row) {
    ReserveOneMore(entries_);
    if (description_.unique && HoldsKeyElsewhere(row, row)) return kCodeKeyViolation;
    return 0;
}

OrderChange STIDX::Insert(const RowVersion& row) {
    const uint32_t position = InsertionPoint(row);
    entries_.insert(entries_.begin() + position, row.slot);
    aggregates_.Added(row.row);
    return OrderChange{OrderChange::kNone, position};
}

OrderChange STIDX::Remove(const RowVersion& row) {
    const std::optional<uint32_t> position = Find(row);
    if (!position) return OrderChange{};
    entries_.erase(entries_.begin() + *position);
    aggregates_.Removed(row.row);
    return OrderChange{*position, OrderChange::kNone};
}

int STIDX::CheckReplace(const RowVersion& old, const RowVersion& replacement) {
    ReserveOneMore(entries_);
    if (description_.unique && comparer_.Compare(old.row, replacement.row) != 0 &&
        HoldsKeyElsewhere(replacement, old))
        return kCodeKeyViolation;
    return 0;
}

OrderChange STIDX::Replace(const RowVersion& old, const RowVersion& replacement) {
    const std::optional<uint32_t> position = Find(old);
    if (!position) return Insert(replacement);
    if (comparer_.Compare(old.row, replacement.row) == 0) {
        entries_[*position] = replacement.slot;
        aggregates_.Replaced(old.row, replacement.row);
        return OrderChange{*position, *position};
    }
    entries_.erase(entries_.begin() + *position);
    const uint32_t insertedAt = InsertionPoint(replacement);
    entries_.insert(entries_.begin() + insertedAt, replacement.slot);
    aggregates_.Replaced(old.row, replacement.row);
    return OrderChange{*position, insertedAt};
}

STIDX* IndexNamed(STBASE& table, std::string_view name) {
    return dynamic_cast<STIDX*>(table.FindOrder(name));
}

}  // namespace velmora::store
