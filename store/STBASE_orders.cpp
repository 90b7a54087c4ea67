// The orders of a stored table and the cursors that walk them.
#include <algorithm>

#include "platform/errors.h"
#include "store/STBASE.h"
#include "store/STCursor.h"
#include "store/row_storage.h"

namespace velmora::store {

RowOrder& STBASE::DefaultOrder() {
    std::lock_guard lock(mutex_);
    return *orders_.front();
}

RowOrder* STBASE::FindOrder(std::string_view name) {
    std::lock_guard lock(mutex_);
    for (const auto& order : orders_)
        if (order->Name() == name) return order.get();
    return nullptr;
}

void STBASE::InstallOrder(std::unique_ptr<RowOrder> order) {
    std::lock_guard lock(mutex_);
    auto same = std::find_if(orders_.begin(), orders_.end(),
                             [&](const auto& o) { return o->Name() == order->Name(); });
    if (same == orders_.end()) {
        orders_.push_back(std::move(order));
        return;
    }
    for (STCursor* cursor : cursors_)
        if (cursor->order_ == same->get()) cursor->Rebind(*order);
    *same = std::move(order);
}

void STBASE::DropOrder(std::string_view name) {
    std::lock_guard lock(mutex_);
    auto dropped = std::find_if(orders_.begin() + 1, orders_.end(),
                                [&](const auto& o) { return o->Name() == name; });
    if (dropped == orders_.end()) return;
    for (STCursor* cursor : cursors_)
        if (cursor->order_ == dropped->get()) cursor->Rebind(*orders_.front());
    orders_.erase(dropped);
}

void STBASE::RefreshCursors(const RowOrder& order) {
    std::lock_guard lock(mutex_);
    for (STCursor* cursor : cursors_)
        if (cursor->order_ == &order) cursor->Rebind(*cursor->order_);
}

void STBASE::CheckOrders(OrderStep step, const RowVersion& old, const RowVersion& now) {
    for (const auto& order : orders_) {
        int code = 0;
        if (step == OrderStep::Insert)
            code = order->CheckInsert(now);
        else if (step == OrderStep::Replace)
            code = order->CheckReplace(old, now);
        if (code != 0) throw EStoreError(code);
    }
}

void STBASE::ApplyToOrders(OrderStep step, const RowVersion& old, const RowVersion& now) noexcept {
    for (const auto& order : orders_) {
        OrderChange change;
        switch (step) {
            case OrderStep::Insert:
                change = order->Insert(now);
                break;
            case OrderStep::Remove:
                change = order->Remove(old);
                break;
            case OrderStep::Replace:
                change = order->Replace(old, now);
                break;
        }
        for (STCursor* cursor : cursors_)
            if (cursor->order_ == order.get()) cursor->Follow(change, now.slot);
    }
}

void STBASE::AttachCursor(STCursor* cursor) {
    cursors_.push_back(cursor);
}

void STBASE::DetachCursor(STCursor* cursor) {
    std::erase(cursors_, cursor);
}

}  // namespace velmora::store
