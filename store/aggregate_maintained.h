#pragma once
// One aggregate maintained over the rows of an order: its compiled program and its groups.
//
// It is computed from the order's rows at its first read, then kept current row by row: a row
// entering or leaving costs one evaluation of each term's argument and one accumulator step,
// in the row's group. A MIN or MAX that lost its extreme rescans its group at the next read.
// An evaluation that fails while rows change cannot be reported there (the change goes on), so
// it makes the aggregate compute itself again at its next read, where a failure reads as null.

#include <vector>

#include "store/aggregate_groups.h"
#include "store/aggregate_program.h"
#include "store/aggregate_rows.h"

namespace velmora::store {

class MaintainedAggregate {
public:
    // groupKey: the key columns whose equal values make a group (none: one group of all rows).
    // Raises EStoreError(kCodeCannotCompile) as AggregateProgram does.
    MaintainedAggregate(const ExpressionTree& tree, const STBASE& table,
                        std::vector<KeyColumn> groupKey);

    void RowAdded(const RowView& row) noexcept { Step(row, true); }
    void RowRemoved(const RowView& row) noexcept { Step(row, false); }
    // Whatever was accumulated is void: computed again at the next read.
    void Invalidate() noexcept { valid_ = false; }

    // The value for row's group over rows; null when no row contributes or when it cannot be
    // computed.
    // REQUIRES: rows.HasOrder().
    Value Read(const RowView& row, const AggregateRows& rows) noexcept;

    FieldType ResultType() const { return program_.ResultType(); }
    uint16_t ResultSize() const { return program_.ResultSize(); }

private:
    void Step(const RowView& row, bool adding) noexcept;
    void Accumulate(AggregateGroup& group, const RowView& row, bool adding);
    void Rebuild(const AggregateRows& rows);
    void Rescan(AggregateGroup& group, const RowView& row, const AggregateRows& rows);
    Value Combine(const AggregateGroup* group, const RowView& row);

    AggregateProgram program_;
    std::vector<KeyColumn> groupKey_;
    AggregateGroups groups_;
    bool valid_ = false;
    std::vector<Value> termValues_;
};

}  // namespace velmora::store
