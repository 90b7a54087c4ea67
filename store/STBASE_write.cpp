// Storing changes: modify, insert and delete. Each change is checked and its memory reserved
// before anything is changed, so a refusal leaves the table as it was. New row versions and
// inserted rows take their images from the storage's blocks; a modification in place (change
// logging off) keeps an allocation of its own, as it frees the image it replaces.
#include <algorithm>
#include <new>

#include "platform/errors.h"
#include "store/STBASE.h"
#include "store/row_state.h"
#include "store/row_storage.h"
#include "store/store_codes.h"
#include "store/stored_table_bytes.h"

namespace velmora::store {
namespace {

bool IsEmptyValue(const StoredColumn& column, RowView row, size_t index) {
    if (row.IsNull(index)) return true;
    switch (column.type) {
        case LogicalType::Text:
        case LogicalType::WideText:
        case LogicalType::Blob:
            return row.Value(index).empty();
        default:
            return false;
    }
}

// Runs a change, turning exhausted memory into the table's own code.
template <typename Change>
auto OutOfMemoryAsCode(Change change) {
    try {
        return change();
    } catch (const std::bad_alloc&) {
        throw EStoreError(kCodeOutOfMemory);
    }
}

}  // namespace

void STBASE::CheckChangeAllowed(bool disabled) const {
    if (readOnly_ || (changeLogging_ && (disabled || fileReadOnly_)))
        throw EStoreError(kCodeTableReadOnly);
}

void STBASE::CheckVisible(uint32_t slot) const {
    if (slot == 0 || slot > rows_->Count() || !IsVisibleRowState(rows_->State(slot)))
        throw EStoreError(kCodeNoCurrentRow);
}

void STBASE::CheckModifiedColumns(RowView stored, RowView changed) const {
    for (size_t column = 0; column < columns_.size(); ++column) {
        const StoredColumn& description = columns_[column];
        if (description.IsReadOnly() && !changed.IsNull(column) &&
            (stored.IsNull(column) || stored.Value(column) != changed.Value(column)))
            throw EStoreError(kCodeReadOnlyColumn);
        if (description.IsRequired() && IsEmptyValue(description, changed, column))
            throw EStoreError(kCodeRequiredEmpty);
    }
}

void STBASE::CheckRequiredColumns(RowView row) const {
    for (size_t column = 0; column < columns_.size(); ++column)
        if (columns_[column].IsRequired() && IsEmptyValue(columns_[column], row, column))
            throw EStoreError(kCodeRequiredEmpty);
}

uint32_t STBASE::ModifyRow(uint32_t slot, const RowImage& image) {
    std::lock_guard lock(mutex_);
    CheckChangeAllowed(editsDisabled_);
    CheckVisible(slot);
    const RowView stored = SlotRow(slot);
    if (image.Bytes() == stored.Bytes()) return slot;
    CheckModifiedColumns(stored, image.View());
    return OutOfMemoryAsCode([&] {
        if (!changeLogging_) {
            ModifyInPlace(slot, image);
            return slot;
        }
        return ModifyLogged(slot, image);
    });
}

uint32_t STBASE::ModifyLogged(uint32_t slot, const RowImage& image) {
    log_.ReserveOne();
    rows_->ReserveOne();
    const uint32_t next = rows_->Count() + 1;
    ReserveSuccessor(slot);
    const uint8_t state = static_cast<uint8_t>(kRowModified | (rows_->State(slot) & kRowInserted));
    rows_->Append(rows_->Allocate(image.Bytes()), state);
    const RowVersion old = Version(slot), now = Version(next);
    try {
        CheckOrders(OrderStep::Replace, old, now);
    } catch (...) {
        rows_->PopLast();
        throw;
    }
    rows_->SetState(slot, rows_->State(slot) | kRowSuperseded);
    successors_[slot] = next;
    ApplyToOrders(OrderStep::Replace, old, now);
    log_.Append(ChangeLogEntry{next, slot, kChangeModification});
    ++changedMark_;
    return next;
}

void STBASE::ModifyInPlace(uint32_t slot, const RowImage& image) {
    SlotImage former = rows_->Exchange(slot, SlotImage(image.Bytes()));
    const RowVersion old{slot, RowView(*layout_, former.View())}, now = Version(slot);
    try {
        CheckOrders(OrderStep::Replace, old, now);
    } catch (...) {
        rows_->Exchange(slot, std::move(former));
        throw;
    }
    ApplyToOrders(OrderStep::Replace, old, now);
    ++changedMark_;
}

uint32_t STBASE::InsertRow(const RowImage& image) {
    std::lock_guard lock(mutex_);
    CheckChangeAllowed(insertsDisabled_);
    return OutOfMemoryAsCode([&] {
        RowImage row = image;
        if (autoIncColumn_)
            row.PutStored(*autoIncColumn_,
                          UnsignedLEBytes(static_cast<uint32_t>(autoIncCounter_), 4));
        CheckRequiredColumns(row.View());
        log_.ReserveOne();
        rows_->ReserveOne();
        const uint32_t slot = rows_->Append(rows_->Allocate(row.Bytes()),
                                            changeLogging_ ? uint8_t{kRowInserted} : kRowUnchanged);
        const RowVersion now = Version(slot);
        try {
            CheckOrders(OrderStep::Insert, now, now);
        } catch (...) {
            rows_->PopLast();
            throw;
        }
        ApplyToOrders(OrderStep::Insert, now, now);
        if (changeLogging_) log_.Append(ChangeLogEntry{slot, 0, kChangeInsertion});
        if (autoIncColumn_) ++autoIncCounter_;
        ++changedMark_;
        return slot;
    });
}

void STBASE::DeleteRow(uint32_t slot) {
    std::lock_guard lock(mutex_);
    CheckChangeAllowed(deletesDisabled_);
    CheckVisible(slot);
    OutOfMemoryAsCode([&] { log_.ReserveOne(); });
    const RowVersion row = Version(slot);
    ApplyToOrders(OrderStep::Remove, row, row);
    rows_->SetState(slot, rows_->State(slot) | kRowDeleted);
    if (changeLogging_) log_.Append(ChangeLogEntry{slot, 0, kChangeDeletion});
    ++changedMark_;
}

void STBASE::ReserveSuccessor(uint32_t slot) {
    if (successors_.size() <= slot)
        successors_.resize(std::max<size_t>(slot + 1, 2 * successors_.size()));
}

uint32_t STBASE::CurrentVersion(uint32_t slot) const {
    while (slot < successors_.size() && successors_[slot] != 0) slot = successors_[slot];
    return slot;
}

}  // namespace velmora::store
