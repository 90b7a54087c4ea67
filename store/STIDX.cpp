#include "store/STIDX.h"

#include <algorithm>

#include "store/store_codes.h"

namespace velmora::store {

STIDX::STIDX(const STBASE& table, IndexDescription description)
    : KeyedEntries(table, description.keys), table_(table), description_(std::move(description)) {}

bool STIDX::KeyBeginsWith(const std::vector<KeyColumn>& keys) const {
    return keys.size() <= description_.keys.size() &&
           std::equal(keys.begin(), keys.end(), description_.keys.begin());
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
    return InsertAt(InsertionPoint(row), row);
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
    return ReplaceAt(*position, old, replacement, [&] { return InsertionPoint(replacement); });
}

STIDX* IndexNamed(STBASE& table, std::string_view name) {
    return dynamic_cast<STIDX*>(table.FindOrder(name));
}

}  // namespace velmora::store
