#pragma once
// The maintained aggregates of one order (an index or a filtered view), as the stored table
// keeps them: each added at a grouping level with its expression tree, known by a handle,
// kept current as rows enter and leave the order, and read for the group of a given row.
//
// Grouping level n groups the rows by the first n key columns of the index the set is made
// for (a level above that index's key count groups by its whole key); level 0 covers all the
// order's rows. The set may move to another order (CursorOrders carries it when the filter or
// the order changes): it then covers that order's rows, grouped by the same columns.
//
// Locking: every call takes the stored table's lock, so the set may be used while it rides on
// an order the table changes.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "store/aggregate_maintained.h"
#include "store/aggregate_rows.h"
#include "store/order_aggregates.h"

namespace velmora::store {

struct AggregateDescription {
    FieldType type = ftUnknown;
    uint16_t size = 0;
};

class AggregateSet final : public OrderAggregates {
public:
    // REQUIRES: table outlives the set; every column of indexKey exists in it.
    AggregateSet(const STBASE& table, std::vector<KeyColumn> indexKey);

    // Compiles tree and adds the aggregate, computed at its first read; returns its handle.
    // Raises EStoreError(kCodeCannotCompile) for a tree it cannot compile (nothing added).
    int Add(size_t groupingLevel, const ExpressionTree& tree);
    // False when no aggregate has that handle.
    bool Drop(int handle);
    // REQUIRES (both): handle names an aggregate of the set.
    AggregateDescription Describe(int handle) const;
    // The value for the group of row over the rows of the order the set rides on; null (the
    // blank value) when no row contributes, when it cannot be computed, and before the set
    // rides on an order.
    Value Read(int handle, const RowView& row);

    void RowAdded(const RowView& row) noexcept override;
    void RowRemoved(const RowView& row) noexcept override;
    void RowReplaced(const RowView& old, const RowView& replacement) noexcept override;
    void Recompute(const RowOrder& rows) noexcept override;

private:
    MaintainedAggregate& Named(int handle) const;

    const STBASE& table_;
    std::vector<KeyColumn> indexKey_;
    AggregateRows rows_;
    std::vector<std::pair<int, std::unique_ptr<MaintainedAggregate>>> aggregates_;
    int nextHandle_ = 1;
};

}  // namespace velmora::store
