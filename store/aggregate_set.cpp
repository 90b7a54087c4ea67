#include "store/aggregate_set.h"

#include <algorithm>

namespace velmora::store {

AggregateSet::AggregateSet(const STBASE& table, std::vector<KeyColumn> indexKey)
    : table_(table), indexKey_(std::move(indexKey)), rows_(table) {}

int AggregateSet::Add(size_t groupingLevel, const ExpressionTree& tree) {
    auto lock = table_.Lock();
    const size_t level = std::min(groupingLevel, indexKey_.size());
    std::vector<KeyColumn> groupKey(indexKey_.begin(), indexKey_.begin() + level);
    aggregates_.emplace_back(nextHandle_,
                             std::make_unique<MaintainedAggregate>(tree, table_, groupKey));
    return nextHandle_++;
}

bool AggregateSet::Drop(int handle) {
    auto lock = table_.Lock();
    auto it = std::find_if(aggregates_.begin(), aggregates_.end(),
                           [&](const auto& entry) { return entry.first == handle; });
    if (it == aggregates_.end()) return false;
    aggregates_.erase(it);
    return true;
}

MaintainedAggregate& AggregateSet::Named(int handle) const {
    auto it = std::find_if(aggregates_.begin(), aggregates_.end(),
                           [&](const auto& entry) { return entry.first == handle; });
    return *it->second;
}

AggregateDescription AggregateSet::Describe(int handle) const {
    const MaintainedAggregate& aggregate = Named(handle);
    return AggregateDescription{aggregate.ResultType(), aggregate.ResultSize()};
}

Value AggregateSet::Read(int handle, const RowView& row) {
    auto lock = table_.Lock();
    if (!rows_.HasOrder()) return Value();
    return Named(handle).Read(row, rows_);
}

void AggregateSet::RowAdded(const RowView& row) noexcept {
    for (auto& entry : aggregates_) entry.second->RowAdded(row);
}

void AggregateSet::RowRemoved(const RowView& row) noexcept {
    for (auto& entry : aggregates_) entry.second->RowRemoved(row);
}

void AggregateSet::RowReplaced(const RowView& old, const RowView& replacement) noexcept {
    for (auto& entry : aggregates_) {
        entry.second->RowRemoved(old);
        entry.second->RowAdded(replacement);
    }
}

void AggregateSet::Recompute(const RowOrder& rows) noexcept {
    rows_.RideOn(rows);
    for (auto& entry : aggregates_) entry.second->Invalidate();
}

}  // namespace velmora::store
