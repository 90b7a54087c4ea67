#include "store/aggregate_maintained.h"

namespace velmora::store {
namespace {

std::vector<AggregateKind> TermKinds(const AggregateProgram& program) {
    std::vector<AggregateKind> kinds;
    for (size_t term = 0; term < program.TermCount(); ++term)
        kinds.push_back(program.TermKind(term));
    return kinds;
}

}  // namespace

MaintainedAggregate::MaintainedAggregate(const ExpressionTree& tree, const STBASE& table,
                                         std::vector<KeyColumn> groupKey)
    : program_(tree, table),
      groupKey_(std::move(groupKey)),
      groups_(table.Layout(), groupKey_, table.Lcid(), TermKinds(program_)),
      termValues_(program_.TermCount()) {}

void MaintainedAggregate::Accumulate(AggregateGroup& group, const RowView& row, bool adding) {
    for (size_t term = 0; term < group.terms.size(); ++term) {
        const TermArgument argument = program_.Argument(term, row);
        if (adding)
            group.terms[term].Add(argument, program_.Collation());
        else
            group.terms[term].Remove(argument, program_.Collation());
    }
    if (adding)
        ++group.rows;
    else
        --group.rows;
}

void MaintainedAggregate::Step(const RowView& row, bool adding) noexcept {
    if (!valid_) return;  // the next read computes everything from the rows
    try {
        AggregateGroup* group = adding ? &groups_.Take(row) : groups_.Find(row);
        if (!group || (!adding && group->rows == 0)) {
            valid_ = false;  // a row that was never counted: the groups no longer match
            return;
        }
        Accumulate(*group, row, adding);
        if (group->rows == 0) groups_.Drop(row);
    } catch (...) {
        valid_ = false;
    }
}

void MaintainedAggregate::Rebuild(const AggregateRows& rows) {
    groups_.Clear();
    rows.ForEach([this](const RowView& row) { Accumulate(groups_.Take(row), row, true); });
    valid_ = true;
}

// Only the terms that lost their extreme start again, from the group's rows.
void MaintainedAggregate::Rescan(AggregateGroup& group, const RowView& row,
                                 const AggregateRows& rows) {
    for (size_t term = 0; term < group.terms.size(); ++term) {
        TermAccumulator& accumulator = group.terms[term];
        if (!accumulator.NeedsRescan()) continue;
        accumulator.Reset();
        rows.ForEachInGroup(row, groupKey_, groups_.Comparer(), [&](const RowView& member) {
            accumulator.Add(program_.Argument(term, member), program_.Collation());
        });
    }
}

Value MaintainedAggregate::Combine(const AggregateGroup* group, const RowView& row) {
    for (size_t term = 0; term < termValues_.size(); ++term)
        termValues_[term] =
            group ? group->terms[term].Result() : TermAccumulator(program_.TermKind(term)).Result();
    return program_.Combine(termValues_, row);
}

Value MaintainedAggregate::Read(const RowView& row, const AggregateRows& rows) noexcept {
    try {
        if (!valid_) Rebuild(rows);
        AggregateGroup* group = groups_.Find(row);
        if (group) Rescan(*group, row, rows);
        return Combine(group, row);
    } catch (...) {
        valid_ = false;
        return Value();
    }
}

}  // namespace velmora::store
