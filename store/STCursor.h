#pragma once
// A cursor walks one order of a stored table (the default order, a keyed index or a filtered
// view) and holds a position in it: before the first row, on a row, after the last row, or
// between two rows when its row left the order (deleted, or no longer passing a filter).
//
// The cursor keeps its place while the table changes: rows inserted or removed before it
// shift it, and when its own row gets a new version it moves with the row to wherever the
// order puts the new version.
//
// Moves that run off the view are not errors: they return false. Changes raise EStoreError
// as STBASE does. Every call holds the table's lock.

#include <cstdint>
#include <optional>

#include "store/STBASE.h"
#include "store/row_image.h"
#include "store/row_order.h"

namespace velmora::store {

// A row's identity: the slot of one of its versions. Going to a bookmark of an earlier version
// finds the row's current version.
struct Bookmark {
    uint32_t slot = 0;
    friend bool operator==(Bookmark, Bookmark) = default;
};

class STCursor {
public:
    enum class Place { BeforeFirst, OnRow, Between, AfterLast };

    // A cursor on the table's default order, before the first row.
    // REQUIRES: table outlives the cursor.
    explicit STCursor(STBASE& table);
    STCursor(const STCursor&) = delete;
    STCursor& operator=(const STCursor&) = delete;
    ~STCursor();

    STBASE& Table() const { return table_; }
    const RowOrder& Order() const;
    // Walks another order of the same table, before its first row.
    // REQUIRES: order is registered with this cursor's table.
    void UseOrder(RowOrder& order);

    Place Position() const;
    void SetToBegin();  // before the first row
    void SetToEnd();    // after the last row

    // Moves one row forward (from before the first: onto the first; from between two rows: onto
    // the later one) and copies it into row. At the end: false, the cursor after the last row.
    bool MoveNext(RowImage& row);
    // The mirror image of MoveNext.
    bool MovePrior(RowImage& row);
    // Copies the current row; false when the cursor is not on a row.
    bool GetCurrent(RowImage& row) const;
    // The state byte of the current row. REQUIRES: Position() == Place::OnRow.
    uint8_t CurrentRowState() const;

    // The current row's bookmark; none when the cursor is not on a row.
    std::optional<Bookmark> GetBookmark() const;
    // Goes onto the bookmarked row's current version; false (cursor unmoved) when that row is
    // not in the order.
    bool GoToBookmark(Bookmark bookmark);

    // Rows in the cursor's order.
    uint32_t RowCount() const;

    // Changes through the cursor (STBASE::ModifyRow, InsertRow, DeleteRow). Modify and delete
    // act on the current row (kCodeNoCurrentRow when there is none). After an insertion the
    // cursor is on the new row when its order holds it, else it stays where it was. After a
    // deletion it is between the rows around the deleted one.
    void ModifyCurrent(const RowImage& row);
    void InsertRow(const RowImage& row);
    void DeleteCurrent();

private:
    friend class STBASE;
    // Called by the table, with its lock held. Follow: the cursor's order made `change`; when
    // it replaced the cursor's row, the row's new version is in `replacementSlot`.
    void Follow(const OrderChange& change, uint32_t replacementSlot) noexcept;
    // Walks `order` from now on, on the same row when the order holds it, else before the
    // first row (after the last stays after the last).
    void Rebind(RowOrder& order);
    bool Land(uint32_t position, RowImage& row);
    void CopyRow(RowImage& row) const;

    STBASE& table_;
    RowOrder* order_;
    Place place_ = Place::BeforeFirst;
    uint32_t position_ = 0;  // OnRow: the row's position; Between: the position of the next row
    uint32_t slot_ = 0;      // OnRow: the row's slot
};

}  // namespace velmora::store
