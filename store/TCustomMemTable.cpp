// The cursor side of the in-memory table: fetching, positioning and writing rows.

#include "store/TCustomMemTable.h"

#include "store/store_codes.h"

namespace velmora::store {

TCustomMemTable::TCustomMemTable(std::string name) : TTableBase(std::move(name)) {}

TCustomMemTable::~TCustomMemTable() {
    keepOnClose_ = false;
    try {
        CloseTable();
    } catch (const std::exception&) {
        // A destructor cannot report; callers that care close the table themselves.
    }
}

void TCustomMemTable::CopyCursorRow(RowBuffer& buffer) const {
    buffer.bookmark = cursor_->GetBookmark();
    buffer.rowState = cursor_->CurrentRowState();
    buffer.flag = BookmarkFlag::Current;
}

bool TCustomMemTable::FetchRow(Direction direction, RowBuffer& buffer) {
    if (!buffer.image.HasLayout()) buffer.image = stored_->NewRowImage();
    bool moved = direction == Direction::Forward ? cursor_->MoveNext(buffer.image)
                                                 : cursor_->MovePrior(buffer.image);
    if (moved) CopyCursorRow(buffer);
    return moved;
}

bool TCustomMemTable::ReadCursorRow(RowBuffer& buffer) {
    if (!buffer.image.HasLayout()) buffer.image = stored_->NewRowImage();
    if (!cursor_->GetCurrent(buffer.image)) return false;
    CopyCursorRow(buffer);
    return true;
}

bool TCustomMemTable::CursorToBookmark(const Bookmark& bookmark) {
    return cursor_->GoToBookmark(bookmark);
}

// A new row is inserted with the cursor where the row stood in the window, so that when the
// view does not take it (a filter refuses it) the cursor stays on the row that follows.
void TCustomMemTable::PositionCursorForInsert(const RowBuffer& buffer) {
    if (buffer.flag == BookmarkFlag::Inserted && buffer.bookmark &&
        cursor_->GoToBookmark(*buffer.bookmark))
        return;
    if (buffer.flag == BookmarkFlag::BeforeFirst)
        cursor_->SetToBegin();
    else
        cursor_->SetToEnd();
}

void TCustomMemTable::StoreRow(const RowBuffer& buffer, bool inserting) {
    if (inserting) {
        PositionCursorForInsert(buffer);
        cursor_->InsertRow(buffer.image);
        return;
    }
    if (!buffer.bookmark || !cursor_->GoToBookmark(*buffer.bookmark))
        throw EStoreError(kCodeNoCurrentRow);
    cursor_->ModifyCurrent(buffer.image);
}

void TCustomMemTable::DeleteStoredRow(const RowBuffer& buffer) {
    if (!buffer.bookmark || !cursor_->GoToBookmark(*buffer.bookmark))
        throw EStoreError(kCodeNoCurrentRow);
    cursor_->DeleteCurrent();
}

}  // namespace velmora::store
