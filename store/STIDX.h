#pragma once
// A stored index: the visible rows of a stored table as an array of row-slot numbers in key
// order, kept current on every change by binary search and shifting, never rebuilt.
//
// Insertion: a row goes after the last entry with an equal key; a unique index refuses an equal
// key with kCodeKeyViolation. An index without key columns holds the rows in slot order when
// built and puts each new row at the end. A modified row whose key is unchanged keeps its
// place; otherwise it moves to where the insertion rule puts it.
//
// The index may carry a set of maintained aggregates, told of every row entering or leaving it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/STBASE.h"
#include "store/keyed_entries.h"
#include "store/stored_table_index_description.h"

namespace velmora::store {

class STIDX final : public KeyedEntries {
public:
    static constexpr size_t kMaxNameLength = 31;
    static constexpr size_t kMaxKeyColumns = 16;

    // Builds an index over table's visible rows. The name is cut to kMaxNameLength characters
    // and key columns beyond kMaxKeyColumns are ignored. With `source`, the entries are taken
    // from it one by one in its order by the insertion rule (rows with equal keys keep its
    // order); otherwise the rows in slot order are sorted (equal keys stay in slot order).
    // A unique index over two rows with equal keys raises EStoreError(kCodeKeyViolation).
    // REQUIRES: every key column exists in table; source, if given, is an index of table that
    //           holds its visible rows.
    static std::unique_ptr<STIDX> Build(const STBASE& table, IndexDescription description,
                                        const STIDX* source = nullptr);

    const IndexDescription& Description() const { return description_; }
    // True when this index's key columns begin with `keys` (same flags).
    bool KeyBeginsWith(const std::vector<KeyColumn>& keys) const;

    const std::string& Name() const override { return description_.name; }

    int CheckInsert(const RowVersion& row) override;
    OrderChange Insert(const RowVersion& row) override;
    int CheckReplace(const RowVersion& old, const RowVersion& replacement) override;
    OrderChange Replace(const RowVersion& old, const RowVersion& replacement) override;

private:
    STIDX(const STBASE& table, IndexDescription description);

    // Where row goes by the insertion rule.
    uint32_t InsertionPoint(const RowVersion& row) const;
    // True when an entry other than the one naming except.slot (which holds except's values)
    // has row's key.
    bool HoldsKeyElsewhere(const RowVersion& row, const RowVersion& except) const;
    void FillBySort();
    void FillFrom(const STIDX& source);
    void FillInSlotOrder();
    std::vector<uint32_t> VisibleSlots() const;

    const STBASE& table_;
    IndexDescription description_;
};

// The plain index of table registered under name, if there is one.
STIDX* IndexNamed(STBASE& table, std::string_view name);

// Among the plain indexes of table registered under `names`, the first whose key begins with
// `keys`: the one a new index with that key is best built from.
const STIDX* SourceIndexFor(STBASE& table, const std::vector<KeyColumn>& keys,
                            const std::vector<std::string>& names);

// Builds and registers the orders a stored table is described with: the index of every index
// description (a description named DEFAULT_ORDER replaces the default order); a keyed default
// order from the key columns a loaded DEFAULT_ORDER parameter gives; for a loaded UNIQUE_KEY or
// PRIMARY_KEY list, the default order marked unique (primary) when the list names its columns
// with the same case-insensitive marks, else a unique index of that name. Raises
// EStoreError(kCodeKeyViolation) when a unique index meets equal keys, kCodeBadStructure for a
// key list that is not one.
void InstallDescribedIndexes(STBASE& table);

}  // namespace velmora::store
