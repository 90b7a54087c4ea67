// Starting to change rows: SettleEdit, BeginEdit, AppendRow and InsertRow.

#include <algorithm>

#include "store/TTableBase.h"
#include "store/row_state.h"

namespace velmora::store {

void TTableBase::SettleEdit() {
    CheckActive();
    SettleControls();
    if (!IsEditState(state_)) return;
    FlushControls();
    if (rowModified_)
        PostRow();
    else
        CancelEdit();
}

void TTableBase::BeginEdit() {
    if (IsEditState(state_)) return;
    if (IsEmptyView()) {
        InsertRow();
        return;
    }
    SettleEdit();
    if (!CanModify()) Fail("Cannot modify a read-only dataset");
    Fire(BeforeEdit);
    RunWithErrorEvent(OnEditError, [this] {
        if (EditsForbidden()) Fail("Modifications are not allowed");
    });
    CalculateFields(Current());
    SetState(TableState::Editing);
    rowModified_ = false;
    AnnounceRows();
    Fire(AfterEdit);
}

void TTableBase::AppendRow() {
    StartNewRow(true);
}

void TTableBase::InsertRow() {
    StartNewRow(false);
}

// An error in BeforeInsert (RaiseAbort among them) leaves everything as it was; a later error
// drops the new row again.
void TTableBase::StartNewRow(bool append) {
    SettleEdit();
    if (!CanModify()) Fail("Cannot modify a read-only dataset");
    if (InsertsForbidden()) Fail("Inserts are not allowed");
    Fire(BeforeInsert);
    Fire(BeforeScroll);
    try {
        PlaceNewRow(append);
        SetState(TableState::Inserting);
        FillAggregates(Current());
        Fire(OnNewRecord);
    } catch (...) {
        BookmarkFlag flag = held_ ? Current().flag : BookmarkFlag::BeforeFirst;
        std::optional<Bookmark> bookmark = held_ ? Current().bookmark : std::nullopt;
        SetState(TableState::Browse);
        RefillAt(flag, bookmark, current_);
        throw;
    }
    rowModified_ = false;
    AnnounceRows();
    Fire(AfterInsert);
    Fire(AfterScroll);
}

// Appending: the new row last in an emptied window, the rows before it fetched behind it.
// Inserting: the new row in the current row's place, the current row and those after it moved
// down (the last one dropped when the window is full).
void TTableBase::PlaceNewRow(bool append) {
    if (append) {
        ClearWindow();
        RowBuffer& row = buffers_[0];
        PrepareNewRow(row);
        row.flag = BookmarkFlag::AfterLast;
        held_ = 1;
        cursorAt_ = 0;
        CursorToEnd();
        FillWindow(Direction::Backward);
        atStart_ = false;
        return;
    }
    RowBuffer& spare = buffers_[static_cast<size_t>(held_)];
    PrepareNewRow(spare);
    if (held_ == 0) {
        spare.flag = BookmarkFlag::BeforeFirst;
        current_ = 0;
    } else {
        spare.flag = BookmarkFlag::Inserted;
        spare.bookmark = Current().bookmark;
    }
    auto first = buffers_.begin();
    std::rotate(first + current_, first + held_, first + held_ + 1);
    held_ = std::min(held_ + 1, windowRows_);
    cursorAt_ = -1;
}

void TTableBase::PrepareNewRow(RowBuffer& buffer) {
    PrepareBuffer(buffer);
    buffer.image = NewRowImage();
    buffer.rowState = kRowInserted;
    buffer.bookmark.reset();
}

}  // namespace velmora::store
