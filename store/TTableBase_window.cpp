// The row window: the buffers that hold the rows bound controls show, around the current row.
// Only rows entering the window are copied out of the stored table and calculated.

#include <algorithm>

#include "store/TDataSource.h"
#include "store/TTableBase.h"

namespace velmora::store {

TTableBase::WindowRowScope::WindowRowScope(TTableBase& table, int row)
    : table_(table), saved_(table.readOverride_) {
    table.readOverride_ = &table.buffers_[static_cast<size_t>(row)];
}

TTableBase::WindowRowScope::~WindowRowScope() {
    table_.readOverride_ = saved_;
}

const RowBuffer* TTableBase::ReadBuffer() const {
    if (calculating_) return calculating_;
    if (readOverride_) return readOverride_;
    if (!Active() || held_ == 0) return nullptr;
    return &buffers_[static_cast<size_t>(current_)];
}

void TTableBase::PrepareBuffer(RowBuffer& buffer) const {
    buffer.calculated.assign(calculatedCount_, Value());
    buffer.aggregates.assign(aggregateCount_, Value());
    buffer.flag = BookmarkFlag::Current;
    buffer.rowNumber = -1;
}

void TTableBase::AllocateWindow() {
    buffers_.clear();
    buffers_.resize(static_cast<size_t>(windowRows_) + 1);
    ClearWindow();
}

void TTableBase::ReleaseWindow() {
    buffers_.clear();
    ClearWindow();
}

void TTableBase::ClearWindow() {
    held_ = 0;
    current_ = 0;
    cursorAt_ = -1;
    atStart_ = true;
    atEnd_ = true;
}

// Fetches the row after the window's last row (or before its first) into the spare buffer and
// takes it into the window, dropping the row at the other end when the window is full. The
// current row keeps its buffer; current_ follows it.
bool TTableBase::FetchIntoWindow(Direction direction) {
    bool forward = direction == Direction::Forward;
    int edge = forward ? held_ - 1 : 0;
    if (held_ > 0 && cursorAt_ != edge) {
        const RowBuffer& edgeRow = buffers_[static_cast<size_t>(edge)];
        if (!edgeRow.bookmark || !CursorToBookmark(*edgeRow.bookmark)) return false;
    }
    RowBuffer& spare = buffers_[static_cast<size_t>(held_)];
    PrepareBuffer(spare);
    if (!FetchRow(direction, spare)) {
        cursorAt_ = -1;
        return false;
    }
    FillAggregates(spare);
    CalculateFields(spare);
    auto first = buffers_.begin();
    bool full = held_ == windowRows_;
    if (forward) {
        if (full) {
            std::rotate(first, first + 1, first + held_ + 1);
            --current_;
        } else {
            ++held_;
        }
        cursorAt_ = held_ - 1;
    } else {
        std::rotate(first, first + held_, first + held_ + 1);
        if (!full) ++held_;
        ++current_;
        cursorAt_ = 0;
    }
    if (held_ == 1) atStart_ = atEnd_ = false;
    return true;
}

void TTableBase::FillWindow(Direction direction) {
    while (held_ < windowRows_ && FetchIntoWindow(direction)) {
    }
}

void TTableBase::RefillWindow(int keepIndex) {
    ClearWindow();
    RowBuffer& target = buffers_[0];
    PrepareBuffer(target);
    bool found = ReadCursorRow(target) || FetchRow(Direction::Forward, target) ||
                 FetchRow(Direction::Backward, target);
    if (!found) return;
    FillAggregates(target);
    CalculateFields(target);
    held_ = 1;
    cursorAt_ = 0;
    atStart_ = atEnd_ = false;
    while (current_ < keepIndex && held_ < windowRows_ && FetchIntoWindow(Direction::Backward)) {
    }
    FillWindow(Direction::Forward);
    FillWindow(Direction::Backward);
}

void TTableBase::PositionCursorOnCurrentRow() {
    cursorAt_ = -1;
    if (held_ == 0) {
        CursorToBegin();
        return;
    }
    const RowBuffer& row = Current();
    if (row.bookmark && CursorToBookmark(*row.bookmark)) cursorAt_ = current_;
}

void TTableBase::RefillKeepingPlace() {
    RefillWindow(current_);
    AnnounceRows();
}

void TTableBase::RefillCentredOnCursorRow() {
    // Read first into a buffer of its own: a failure leaves the window as it was.
    RowBuffer probe;
    if (!ReadCursorRow(probe)) Fail("Record not found");
    RefillWindow((windowRows_ - 1) / 2);
    AnnounceRows();
}

// Puts the cursor where a pending row stood and refills around that place.
void TTableBase::RefillAt(BookmarkFlag flag, std::optional<Bookmark> bookmark, int keepIndex) {
    switch (flag) {
        case BookmarkFlag::AfterLast:
            CursorToEnd();
            break;
        case BookmarkFlag::BeforeFirst:
            CursorToBegin();
            break;
        default:
            if (!bookmark || !CursorToBookmark(*bookmark)) CursorToBegin();
    }
    RefillWindow(keepIndex);
}

void TTableBase::TrimWindow(int rows) {
    while (held_ > rows) {
        if (current_ < rows) {
            --held_;  // drop the last row
        } else {
            auto first = buffers_.begin();
            std::rotate(first, first + 1, first + held_);
            --held_;
            --current_;
        }
        cursorAt_ = -1;
    }
}

void TTableBase::ResizeWindow() {
    int rows = 1;
    for (const TDataSource* source : sources_) rows = std::max(rows, source->RowsShown());
    if (rows == windowRows_) return;
    if (!Active()) {
        windowRows_ = rows;
        return;
    }
    TrimWindow(rows);
    windowRows_ = rows;
    buffers_.resize(static_cast<size_t>(rows) + 1);
    if (held_ > 0 && state_ == TableState::Browse) {
        FillWindow(Direction::Forward);
        FillWindow(Direction::Backward);
    }
    AnnounceRows();
}

}  // namespace velmora::store
