#include "store/aggregate_rows.h"

#include <algorithm>

#include "store/keyed_entries.h"

namespace velmora::store {
namespace {

// The order's key columns; nullptr for an order without them.
const std::vector<KeyColumn>* KeyOf(const RowOrder& order) {
    const auto* keyed = dynamic_cast<const KeyedEntries*>(&order);
    return keyed ? &keyed->Key() : nullptr;
}

}  // namespace

void AggregateRows::RideOn(const RowOrder& order) noexcept {
    order_ = &order;
    orderKey_ = KeyOf(order);
}

bool AggregateRows::SortedOn(const std::vector<KeyColumn>& key) const {
    if (key.empty()) return true;
    return orderKey_ && key.size() <= orderKey_->size() &&
           std::equal(key.begin(), key.end(), orderKey_->begin());
}

void AggregateRows::ForEach(const Visit& visit) const {
    for (uint32_t position = 0; position < order_->Count(); ++position) visit(RowAt(position));
}

void AggregateRows::ForEachInGroup(const RowView& row, const std::vector<KeyColumn>& key,
                                   const KeyComparer& comparer, const Visit& visit) const {
    const uint32_t count = order_->Count();
    if (!SortedOn(key)) {
        for (uint32_t position = 0; position < count; ++position)
            if (comparer.Compare(RowAt(position), row) == 0) visit(RowAt(position));
        return;
    }
    uint32_t lo = 0;
    uint32_t hi = count;
    while (lo < hi) {
        const uint32_t mid = lo + (hi - lo) / 2;
        if (comparer.Compare(RowAt(mid), row) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    for (uint32_t position = lo; position < count && comparer.Compare(RowAt(position), row) == 0;
         ++position)
        visit(RowAt(position));
}

}  // namespace velmora::store
