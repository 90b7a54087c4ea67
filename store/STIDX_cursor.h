#pragma once
// The order operations a table asks of its cursor: sort on a list of columns, switch to a
// named index, create an index from a description, add and drop filters. They keep the
// cursor on the row it was on (before the first row when the new order does not hold it) and
// keep the carried aggregates over exactly the rows of the cursor's view.
//
// The cursor walks an index (the default order, a declared index or the index made for a
// column list) or, while it has filters, a filtered view over that index. The index made for a
// column list lives while the cursor uses it: it is dropped when the order changes again.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/STBASE.h"
#include "store/STCursor.h"
#include "store/STIDX.h"
#include "store/STIDXFILT.h"
#include "store/row_predicate.h"

namespace velmora::store {

class CursorOrders {
public:
    // REQUIRES: cursor outlives this object, and its orders change only through it.
    explicit CursorOrders(STCursor& cursor);

    // The order under the view (the cursor's order when there is no view).
    RowOrder& Base() const { return *base_; }
    STIDXFILT* View() const { return view_; }

    // Orders by `keys`: nothing when the current order's key begins with them (same flags);
    // else an index named after the first key column is built (from an index with the same
    // leading key when there is one) and the cursor walks it.
    // REQUIRES: 1 <= keys.size(), every column exists.
    void SortOn(const std::vector<KeyColumn>& keys);
    // The cursor walks the registered index of that name; false (nothing changed) when there
    // is none.
    bool UseIndex(std::string_view name);
    // Builds and registers the index a description gives (kCodeKeyViolation as STIDX::Build).
    void CreateIndex(IndexDescription description);

    // Adds a filter to the cursor's view, making the view first; returns the filter's number.
    // A filter that raises leaves everything as it was.
    int AddFilter(std::shared_ptr<const RowPredicate> filter);
    // Drops a filter by number; the view goes with its last filter. False for no such number.
    bool DropFilter(int number);

    // The aggregate set riding on the cursor's order, if any.
    OrderAggregates* Aggregates() const;
    // Puts a set onto the cursor's order, recomputed over its rows (a default order without
    // key columns gets a view without filters to carry it); replaces the set it had.
    void CarryAggregates(std::unique_ptr<OrderAggregates> set);

    // Drops what belongs to the cursor, not to the table: the view with its filters, the index
    // made for a column list and the aggregate set. The cursor walks the default order.
    void Release();

private:
    void Walk(RowOrder& order, const std::optional<Bookmark>& bookmark);
    // Moves the cursor, its view and its aggregates onto `built` (registered here) or onto the
    // registered `existing` order; `fieldIndex` names the index made for a column list that
    // the cursor then uses (empty: none), the previous one is dropped.
    void MoveOnto(std::unique_ptr<STIDX> built, RowOrder* existing, const std::string& fieldIndex);
    void InstallView(std::unique_ptr<STIDXFILT> view, const std::optional<Bookmark>& bookmark);
    void DropView();
    std::vector<std::string> IndexNames() const;
    std::string FieldIndexName(const std::vector<KeyColumn>& keys) const;

    STBASE& table_;
    STCursor& cursor_;
    RowOrder* base_;
    STIDXFILT* view_ = nullptr;
    std::string fieldIndex_;  // the index made for a column list, while the cursor uses it
};

// The name of the view a cursor walks while it has filters: longer than any index name.
inline constexpr char kCursorViewName[] = "filtered view of the table cursor";

}  // namespace velmora::store
