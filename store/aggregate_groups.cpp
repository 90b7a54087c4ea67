#include "store/aggregate_groups.h"

namespace velmora::store {

AggregateGroups::AggregateGroups(const RowLayout& layout, const std::vector<KeyColumn>& key,
                                 uint32_t lcid, std::vector<AggregateKind> terms)
    : layout_(layout),
      comparer_(layout, key, lcid),
      terms_(std::move(terms)),
      groups_(KeyLess{&layout_, &comparer_}) {}

AggregateGroup* AggregateGroups::Find(const RowView& row) {
    auto it = groups_.find(row);
    return it == groups_.end() ? nullptr : &it->second;
}

AggregateGroup& AggregateGroups::Take(const RowView& row) {
    auto it = groups_.find(row);
    if (it != groups_.end()) return it->second;
    AggregateGroup group;
    for (AggregateKind kind : terms_) group.terms.emplace_back(kind);
    return groups_.emplace(std::string(row.Bytes()), std::move(group)).first->second;
}

void AggregateGroups::Drop(const RowView& row) {
    auto it = groups_.find(row);
    if (it != groups_.end()) groups_.erase(it);
}

}  // namespace velmora::store
