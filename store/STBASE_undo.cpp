// Consuming the change log: undo of the newest change, and merge.
#include <algorithm>
#include <new>
#include <optional>

#include "platform/errors.h"
#include "store/STBASE.h"
#include "store/row_order_slots.h"
#include "store/row_state.h"
#include "store/row_storage.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

bool IsUndoable(uint32_t kind) {
    return kind == kChangeDeletion || kind == kChangeInsertion || kind == kChangeModification;
}

// Slot orders remember each slot's place for a row that comes back; the next row stored in a
// freed slot is a new one and must not take the place of the row that was there.
void ForgetFreedSlot(const std::vector<std::unique_ptr<RowOrder>>& orders, uint32_t slot) {
    for (const std::unique_ptr<RowOrder>& order : orders)
        if (auto* slots = dynamic_cast<SlotOrder*>(order.get())) slots->ForgetSlot(slot);
}

}  // namespace

void STBASE::UndoLastChange() {
    std::lock_guard lock(mutex_);
    if (readOnly_) throw EStoreError(kCodeTableReadOnly);
    // Empty entries (and notes about nested tables, which this table does not hold) are passed
    // over and go with the change they precede.
    const std::vector<ChangeLogEntry>& entries = log_.Entries();
    auto newest = std::find_if(entries.rbegin(), entries.rend(),
                               [](const ChangeLogEntry& e) { return IsUndoable(e.kind); });
    if (newest == entries.rend()) throw EStoreError(kCodeLogEmpty);
    const size_t keep = static_cast<size_t>(entries.rend() - newest) - 1;
    try {
        UndoEntry(*newest);
    } catch (const std::bad_alloc&) {
        throw EStoreError(kCodeOutOfMemory);
    }
    while (log_.Size() > keep) log_.RemoveNewest();
    ++changedMark_;
}

void STBASE::UndoEntry(const ChangeLogEntry& entry) {
    const uint32_t slot = entry.slot;
    if (entry.kind == kChangeDeletion) {
        UndoRemoval(slot, kRowDeleted, nullptr);
        return;
    }
    // The version the change produced goes: freed when it is the last slot, else discarded.
    std::optional<SlotImage> discarded;
    if (slot != rows_->Count()) discarded.emplace(DiscardedImage(slot));
    const RowVersion produced = Version(slot);
    const bool producedVisible = IsVisibleRowState(rows_->State(slot));
    if (entry.kind == kChangeModification) {
        UndoRemoval(entry.replaced, kRowSuperseded, producedVisible ? &produced : nullptr);
        if (entry.replaced < successors_.size()) successors_[entry.replaced] = 0;
    } else if (producedVisible) {
        ApplyToOrders(OrderStep::Remove, produced, produced);
    }
    if (discarded) {
        rows_->Exchange(slot, std::move(*discarded));
        rows_->SetState(slot, kRowDiscarded);
        return;
    }
    rows_->PopLast();
    ForgetFreedSlot(orders_, slot);
    if (entry.kind == kChangeInsertion && autoIncColumn_) --autoIncCounter_;
}

// Clears `clearedBit` of slot; when that makes the row visible it returns to the orders, in
// the place of `replacing` when given.
void STBASE::UndoRemoval(uint32_t slot, uint8_t clearedBit, const RowVersion* replacing) {
    const uint8_t state = static_cast<uint8_t>(rows_->State(slot) & ~clearedBit);
    const RowVersion row = Version(slot);
    const OrderStep step = replacing ? OrderStep::Replace : OrderStep::Insert;
    const RowVersion& old = replacing ? *replacing : row;
    if (IsVisibleRowState(state)) CheckOrders(step, old, row);
    rows_->SetState(slot, state);
    if (IsVisibleRowState(state))
        ApplyToOrders(step, old, row);
    else if (replacing)
        ApplyToOrders(OrderStep::Remove, *replacing, *replacing);
}

// The slot's image with its large objects released.
std::string STBASE::DiscardedImage(uint32_t slot) const {
    RowImage image(layout_);
    image.Assign(rows_->Bytes(slot));
    for (size_t column = 0; column < columns_.size(); ++column)
        if (columns_[column].type == LogicalType::Blob) image.SetNull(column);
    return std::string(image.Bytes());
}

void STBASE::MergeChangeLog() {
    std::lock_guard lock(mutex_);
    if (readOnly_) throw EStoreError(kCodeTableReadOnly);
    if (log_.Empty()) return;
    std::vector<uint32_t> concerned;
    std::vector<std::pair<uint32_t, SlotImage>> discards;
    try {
        for (const ChangeLogEntry& entry : log_.Entries())
            for (uint32_t slot : {entry.slot, entry.replaced})
                if (slot != 0 && slot <= rows_->Count()) concerned.push_back(slot);
        std::sort(concerned.begin(), concerned.end());
        concerned.erase(std::unique(concerned.begin(), concerned.end()), concerned.end());
        for (uint32_t slot : concerned)
            if (!IsVisibleRowState(rows_->State(slot)))
                discards.emplace_back(slot, SlotImage(DiscardedImage(slot)));
    } catch (const std::bad_alloc&) {
        throw EStoreError(kCodeOutOfMemory);
    }
    for (uint32_t slot : concerned)
        if (IsVisibleRowState(rows_->State(slot))) rows_->SetState(slot, kRowUnchanged);
    for (auto& [slot, buffer] : discards) {
        rows_->Exchange(slot, std::move(buffer));
        rows_->SetState(slot, kRowDiscarded);
    }
    log_.Clear();
    successors_.clear();
    ++changedMark_;
}

}  // namespace velmora::store
