// Keeping a filtered view current: the filters decide whether a row is in the view, the base
// decides where.
#include <algorithm>

#include "store/STIDXFILT.h"

namespace velmora::store {

void STIDXFILT::Judge(const RowVersion& row) {
    ReserveOneMore(entries_);
    judgedSlot_ = 0;
    judgedPasses_ = Passes(row.row);
    judgedSlot_ = row.slot;
}

// The judgement made when the change was checked; a change that was not checked is judged
// now, and a filter that raises then keeps the row out.
bool STIDXFILT::Judged(const RowVersion& row) const {
    if (row.slot == judgedSlot_) return judgedPasses_;
    try {
        return Passes(row.row);
    } catch (...) {
        return false;
    }
}

std::optional<uint32_t> STIDXFILT::BasePositionOf(uint32_t slot) const {
    return base_.Find(RowVersion{slot, table_.SlotRowUnderLock(slot)});
}

// Where base holds row: base has made the change already, or (a replacement it has not yet
// seen) still holds the old version in the same place.
std::optional<uint32_t> STIDXFILT::BasePosition(const RowVersion& row,
                                                const RowVersion* old) const {
    if (std::optional<uint32_t> position = base_.Find(row)) return position;
    if (old) return base_.Find(*old);
    return std::nullopt;
}

// Among the view's entries with row's key, the place that keeps base's order; after all of
// them when base does not hold the row (base puts a new key after its equals).
uint32_t STIDXFILT::PlaceFor(const RowVersion& row, const RowVersion* old) const {
    const uint32_t lo = search_.LowerBound(entries_, row);
    const uint32_t hi = search_.UpperBound(entries_, row);
    if (lo == hi) return lo;
    const std::optional<uint32_t> target = BasePosition(row, old);
    if (!target) return hi;
    auto it =
        std::partition_point(entries_.begin() + lo, entries_.begin() + hi, [&](uint32_t slot) {
            const std::optional<uint32_t> position = BasePositionOf(slot);
            return position && *position < *target;
        });
    return static_cast<uint32_t>(it - entries_.begin());
}

int STIDXFILT::CheckInsert(const RowVersion& row) {
    Judge(row);
    return 0;
}

OrderChange STIDXFILT::Insert(const RowVersion& row) {
    const bool passes = Judged(row);
    judgedSlot_ = 0;
    if (!passes) return OrderChange{};
    return InsertAt(PlaceFor(row, nullptr), row);
}

int STIDXFILT::CheckReplace(const RowVersion&, const RowVersion& replacement) {
    Judge(replacement);
    return 0;
}

OrderChange STIDXFILT::Replace(const RowVersion& old, const RowVersion& replacement) {
    const bool passes = Judged(replacement);
    judgedSlot_ = 0;
    const std::optional<uint32_t> position = Find(old);
    if (!position)
        return passes ? InsertAt(PlaceFor(replacement, &old), replacement) : OrderChange{};
    if (!passes) return EraseAt(*position, old);
    // An unchanged key keeps its place in base, and so in the view.
    return ReplaceAt(*position, old, replacement, [&] { return PlaceFor(replacement, &old); });
}

}  // namespace velmora::store
