#pragma once
// The maintained aggregates that ride on one order (a keyed index or a filtered view). The order
// tells its set of every row that enters or leaves it, so that the accumulated values always
// cover exactly the order's rows. The accumulators themselves implement this interface.
//
// Every call is made with the stored table's lock held, from inside a change that can no longer
// fail, so none of them may throw.

#include <memory>
#include <utility>

#include "store/row_image.h"
#include "store/row_order.h"

namespace velmora::store {

class OrderAggregates {
public:
    virtual ~OrderAggregates() = default;

    // A row entered the order.
    virtual void RowAdded(const RowView& row) noexcept = 0;
    // A row left the order; row holds the values it had in the order.
    virtual void RowRemoved(const RowView& row) noexcept = 0;
    // A row stayed in the order with new values.
    virtual void RowReplaced(const RowView& old, const RowView& replacement) noexcept = 0;
    // The order's entries were rebuilt (or the set moved to another order): whatever was
    // accumulated is void and is recomputed over `rows`, at once or at the next read.
    // REQUIRES: rows outlives the set or the next Recompute.
    virtual void Recompute(const RowOrder& rows) noexcept = 0;
};

// The set an order carries, if any, and the forwarding of its changes.
class AggregateSlot {
public:
    OrderAggregates* Get() const { return set_.get(); }
    // The set now rides on `rows` and is recomputed over them.
    void Carry(std::unique_ptr<OrderAggregates> set, const RowOrder& rows) noexcept {
        set_ = std::move(set);
        if (set_) set_->Recompute(rows);
    }
    std::unique_ptr<OrderAggregates> Release() noexcept { return std::move(set_); }

    void Added(const RowView& row) noexcept {
        if (set_) set_->RowAdded(row);
    }
    void Removed(const RowView& row) noexcept {
        if (set_) set_->RowRemoved(row);
    }
    void Replaced(const RowView& old, const RowView& replacement) noexcept {
        if (set_) set_->RowReplaced(old, replacement);
    }

private:
    std::unique_ptr<OrderAggregates> set_;
};

}  // namespace velmora::store
