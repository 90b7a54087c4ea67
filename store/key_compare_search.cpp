#include "store/key_compare_search.h"

#include <algorithm>

namespace velmora::store {

uint32_t KeySearch::LowerBound(const std::vector<uint32_t>& entries, const RowVersion& row,
                               const RowVersion* known) const {
    auto it = std::partition_point(entries.begin(), entries.end(),
                                   [&](uint32_t slot) { return CompareTo(row, slot, known) > 0; });
    return static_cast<uint32_t>(it - entries.begin());
}

uint32_t KeySearch::UpperBound(const std::vector<uint32_t>& entries, const RowVersion& row,
                               const RowVersion* known) const {
    auto it = std::partition_point(entries.begin(), entries.end(),
                                   [&](uint32_t slot) { return CompareTo(row, slot, known) >= 0; });
    return static_cast<uint32_t>(it - entries.begin());
}

std::optional<uint32_t> KeySearch::Find(const std::vector<uint32_t>& entries,
                                        const RowVersion& row) const {
    if (comparer_.HasKeyColumns()) return Locate(entries, row);
    auto it = std::find(entries.begin(), entries.end(), row.slot);
    if (it == entries.end()) return std::nullopt;
    return static_cast<uint32_t>(it - entries.begin());
}

std::optional<uint32_t> KeySearch::Locate(const std::vector<uint32_t>& entries,
                                          const RowVersion& row) const {
    for (uint32_t position = LowerBound(entries, row); position < entries.size(); ++position) {
        if (entries[position] == row.slot) return position;
        if (CompareTo(row, entries[position]) != 0) break;
    }
    return std::nullopt;
}

void ReserveOneMore(std::vector<uint32_t>& entries) {
    if (entries.size() == entries.capacity())
        entries.reserve(std::max<size_t>(16, 2 * entries.capacity()));
}

}  // namespace velmora::store
