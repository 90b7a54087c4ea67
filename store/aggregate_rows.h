#pragma once
// The rows of the order an aggregate set rides on, walked whole or one group at a time. The
// rows of a group are found by binary search when the order is sorted on the group's key
// columns (an index whose key begins with them, or a filtered view over one), else by a scan.

#include <cstdint>
#include <functional>
#include <vector>

#include "store/STBASE.h"
#include "store/key_compare.h"
#include "store/row_order.h"

namespace velmora::store {

class AggregateRows {
public:
    using Visit = std::function<void(const RowView&)>;

    // REQUIRES: table outlives this object.
    explicit AggregateRows(const STBASE& table) : table_(table) {}

    // REQUIRES: order is an order of the table and outlives its use here.
    void RideOn(const RowOrder& order) noexcept;
    bool HasOrder() const { return order_ != nullptr; }

    // REQUIRES (both): HasOrder().
    void ForEach(const Visit& visit) const;
    // The rows whose key columns `key` (compared by `comparer`) equal row's.
    void ForEachInGroup(const RowView& row, const std::vector<KeyColumn>& key,
                        const KeyComparer& comparer, const Visit& visit) const;

private:
    RowView RowAt(uint32_t position) const { return table_.SlotRow(order_->SlotAt(position)); }
    bool SortedOn(const std::vector<KeyColumn>& key) const;

    const STBASE& table_;
    const RowOrder* order_ = nullptr;
    const std::vector<KeyColumn>* orderKey_ = nullptr;  // the order's own, while it rides on it
};

}  // namespace velmora::store
