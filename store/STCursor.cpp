#include "store/STCursor.h"

#include "platform/errors.h"
#include "store/row_state.h"
#include "store/row_storage.h"
#include "store/store_codes.h"

namespace velmora::store {

STCursor::STCursor(STBASE& table) : table_(table), order_(&table.DefaultOrder()) {
    std::lock_guard lock(table_.mutex_);
    table_.AttachCursor(this);
}

STCursor::~STCursor() {
    std::lock_guard lock(table_.mutex_);
    table_.DetachCursor(this);
}

const RowOrder& STCursor::Order() const {
    std::lock_guard lock(table_.mutex_);
    return *order_;
}

void STCursor::UseOrder(RowOrder& order) {
    std::lock_guard lock(table_.mutex_);
    order_ = &order;
    place_ = Place::BeforeFirst;
}

STCursor::Place STCursor::Position() const {
    std::lock_guard lock(table_.mutex_);
    return place_;
}

void STCursor::SetToBegin() {
    std::lock_guard lock(table_.mutex_);
    place_ = Place::BeforeFirst;
}

void STCursor::SetToEnd() {
    std::lock_guard lock(table_.mutex_);
    place_ = Place::AfterLast;
}

void STCursor::CopyRow(RowImage& row) const {
    if (!row.HasLayout()) row = table_.NewRowImage();
    row.Assign(table_.rows_->Bytes(slot_));
}

bool STCursor::Land(uint32_t position, RowImage& row) {
    place_ = Place::OnRow;
    position_ = position;
    slot_ = order_->SlotAt(position);
    CopyRow(row);
    return true;
}

bool STCursor::MoveNext(RowImage& row) {
    std::lock_guard lock(table_.mutex_);
    uint32_t next = 0;
    switch (place_) {
        case Place::BeforeFirst:
            next = 0;
            break;
        case Place::OnRow:
            next = position_ + 1;
            break;
        case Place::Between:
            next = position_;
            break;
        case Place::AfterLast:
            return false;
    }
    if (next < order_->Count()) return Land(next, row);
    place_ = Place::AfterLast;
    return false;
}

bool STCursor::MovePrior(RowImage& row) {
    std::lock_guard lock(table_.mutex_);
    uint32_t after = 0;  // the position just after the row to land on
    switch (place_) {
        case Place::BeforeFirst:
            return false;
        case Place::OnRow:
        case Place::Between:
            after = position_;
            break;
        case Place::AfterLast:
            after = order_->Count();
            break;
    }
    if (after > 0) return Land(after - 1, row);
    place_ = Place::BeforeFirst;
    return false;
}

bool STCursor::GetCurrent(RowImage& row) const {
    std::lock_guard lock(table_.mutex_);
    if (place_ != Place::OnRow) return false;
    CopyRow(row);
    return true;
}

uint8_t STCursor::CurrentRowState() const {
    std::lock_guard lock(table_.mutex_);
    return table_.rows_->State(slot_);
}

std::optional<Bookmark> STCursor::GetBookmark() const {
    std::lock_guard lock(table_.mutex_);
    if (place_ != Place::OnRow) return std::nullopt;
    return Bookmark{slot_};
}

bool STCursor::GoToBookmark(Bookmark bookmark) {
    std::lock_guard lock(table_.mutex_);
    const uint32_t slot = table_.CurrentVersion(bookmark.slot);
    if (slot == 0 || slot > table_.rows_->Count() || !IsVisibleRowState(table_.rows_->State(slot)))
        return false;
    const std::optional<uint32_t> position = order_->Find(table_.Version(slot));
    if (!position) return false;
    place_ = Place::OnRow;
    position_ = *position;
    slot_ = slot;
    return true;
}

uint32_t STCursor::RowCount() const {
    std::lock_guard lock(table_.mutex_);
    return order_->Count();
}

void STCursor::ModifyCurrent(const RowImage& row) {
    std::lock_guard lock(table_.mutex_);
    if (place_ != Place::OnRow) throw EStoreError(kCodeNoCurrentRow);
    table_.ModifyRow(slot_, row);
}

void STCursor::InsertRow(const RowImage& row) {
    std::lock_guard lock(table_.mutex_);
    const uint32_t slot = table_.InsertRow(row);
    const std::optional<uint32_t> position = order_->Find(table_.Version(slot));
    if (!position) return;
    place_ = Place::OnRow;
    position_ = *position;
    slot_ = slot;
}

void STCursor::DeleteCurrent() {
    std::lock_guard lock(table_.mutex_);
    if (place_ != Place::OnRow) throw EStoreError(kCodeNoCurrentRow);
    table_.DeleteRow(slot_);
}

void STCursor::Follow(const OrderChange& change, uint32_t replacementSlot) noexcept {
    if (place_ == Place::OnRow && change.removedAt == position_) {
        if (change.insertedAt != OrderChange::kNone) {
            position_ = change.insertedAt;
            slot_ = replacementSlot;
        } else {
            place_ = Place::Between;
        }
        return;
    }
    if (place_ != Place::OnRow && place_ != Place::Between) return;
    const bool removedBefore =
        change.removedAt != OrderChange::kNone && change.removedAt < position_;
    if (removedBefore) --position_;
    if (change.insertedAt == OrderChange::kNone) return;
    // Between two rows, a row put right at the gap is the next row, unless it is a row from
    // before the gap that kept its place.
    const bool shifts =
        place_ == Place::OnRow
            ? change.insertedAt <= position_
            : change.insertedAt < position_ || (change.insertedAt == position_ && removedBefore);
    if (shifts) ++position_;
}

void STCursor::Rebind(RowOrder& order) {
    const bool onRow = place_ == Place::OnRow;
    order_ = &order;
    if (place_ == Place::AfterLast) return;
    place_ = Place::BeforeFirst;
    if (!onRow) return;
    const std::optional<uint32_t> position = order.Find(table_.Version(slot_));
    if (!position) return;
    place_ = Place::OnRow;
    position_ = *position;
}

}  // namespace velmora::store
