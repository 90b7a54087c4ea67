#include "store/change_log.h"

namespace velmora::store {

// The capacity stays a whole number of 16-entry blocks, but grows by doubling: growing by one
// block each time would copy the whole log every 16 changes.
void ChangeLog::ReserveOne() {
    if (entries_.size() < entries_.capacity()) return;
    const size_t blocks = entries_.capacity() / kGrowthStep;
    entries_.reserve((blocks == 0 ? 1 : 2 * blocks) * kGrowthStep);
}

void ChangeLog::Append(ChangeLogEntry entry) noexcept {
    entries_.push_back(entry);
}

void ChangeLog::RemoveNewest() {
    entries_.pop_back();
}

void ChangeLog::Clear() {
    entries_.clear();
}

void ChangeLog::Assign(std::vector<ChangeLogEntry> entries) {
    entries_ = std::move(entries);
    entries_.reserve((entries_.size() + kGrowthStep - 1) / kGrowthStep * kGrowthStep);
}

}  // namespace velmora::store
