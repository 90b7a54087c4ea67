#pragma once
// A filtered view: the entries of a base order (an index or the default order) that pass every
// filter of a numbered list, in the base's order, kept current on every change of the table.
//
// A row passes when every filter accepts it, asked in list order up to the first refusal. A
// change is judged when it is checked (so a filter that raises refuses the change and nothing
// is changed); a row that passes enters or stays, one that does not leaves. Adding or dropping
// a filter rebuilds the entries from the base.
//
// The view may carry a set of maintained aggregates, told of every row entering or leaving it
// and recomputed over its rows after each rebuild.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/STBASE.h"
#include "store/keyed_entries.h"
#include "store/row_predicate.h"

namespace velmora::store {

class STIDXFILT final : public KeyedEntries {
public:
    // A view over base without filters: all of base's rows.
    // REQUIRES: base is registered with table and outlives the view; the view is registered
    //           after base (the stored table tells its orders of a change in registration
    //           order, and the view places rows by where base has put them).
    STIDXFILT(STBASE& table, RowOrder& base, std::string name);

    // Its Key() is base's (none for an order without key columns).
    RowOrder& Base() const { return base_; }

    // Adds a filter at the end of the list and rebuilds; returns its number (numbers count
    // from 1 and are never given twice by one view). A raise from the filter leaves the view
    // as it was, without the filter.
    int AddFilter(std::shared_ptr<const RowPredicate> filter);
    // Drops the filter with that number and rebuilds; false when the view has none.
    bool DropFilter(int number);
    // DropFilter(number) then AddFilter(filter) with one rebuild instead of two: the view ends
    // as those would leave it, also when filter raises (then it has neither filter; should one
    // of the other filters raise on that rebuild, its raise is the one that escapes).
    // REQUIRES: the view has a filter with that number.
    int ReplaceFilter(int number, std::shared_ptr<const RowPredicate> filter);
    size_t FilterCount() const { return filters_.size(); }
    // A view over another base with the same filters under the same numbers.
    // REQUIRES: as for the constructor.
    std::unique_ptr<STIDXFILT> Over(RowOrder& base) const;

    // True when every filter accepts row. May raise as a filter does.
    bool Passes(const RowView& row) const;

    const std::string& Name() const override { return name_; }

    int CheckInsert(const RowVersion& row) override;
    OrderChange Insert(const RowVersion& row) override;
    int CheckReplace(const RowVersion& old, const RowVersion& replacement) override;
    OrderChange Replace(const RowVersion& old, const RowVersion& replacement) override;

private:
    using Filter = std::pair<int, std::shared_ptr<const RowPredicate>>;

    void Rebuild();
    void Judge(const RowVersion& row);
    bool Judged(const RowVersion& row) const;
    uint32_t PlaceFor(const RowVersion& row, const RowVersion* old) const;
    std::optional<uint32_t> BasePosition(const RowVersion& row, const RowVersion* old) const;
    std::optional<uint32_t> BasePositionOf(uint32_t slot) const;

    STBASE& table_;
    RowOrder& base_;
    std::string name_;
    std::vector<Filter> filters_;
    int nextNumber_ = 1;
    // The judgement of the change being checked: the slot and whether it passes.
    uint32_t judgedSlot_ = 0;
    bool judgedPasses_ = false;
};

}  // namespace velmora::store
