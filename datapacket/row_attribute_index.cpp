#include "datapacket/row_attribute_index.h"

namespace velmora::datapacket {

// Length and the bytes at both ends: cheap for every attribute of every row, and column
// names of one table seldom share all of them (a shared hash only costs a compare).
uint32_t RowAttributeIndex::Hash(std::string_view name) {
    if (name.empty()) return 0;
    auto at = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(name[i])); };
    const size_t last = name.size() - 1;
    return ((static_cast<uint32_t>(name.size()) * 31 + at(0)) * 31 + at(last)) * 31 +
           at(last > 0 ? last - 1 : 0) * 7 + at(name.size() / 2);
}

RowAttributeIndex::RowAttributeIndex(std::vector<std::string_view> names)
    : names_(std::move(names)), sameName_(names_.size(), kNone) {
    size_t buckets = 8;
    while (buckets < 2 * names_.size()) buckets *= 2;
    buckets_.assign(buckets, kNone);
    mask_ = static_cast<uint32_t>(buckets - 1);
    for (size_t slot = 0; slot < names_.size(); ++slot) {
        if (names_[slot].empty()) continue;
        const int first = Find(names_[slot]);
        if (first != kNone) {
            int last = first;
            while (sameName_[static_cast<size_t>(last)] != kNone)
                last = sameName_[static_cast<size_t>(last)];
            sameName_[static_cast<size_t>(last)] = static_cast<int>(slot);
            continue;
        }
        uint32_t bucket = Hash(names_[slot]) & mask_;
        while (buckets_[bucket] != kNone) bucket = (bucket + 1) & mask_;
        buckets_[bucket] = static_cast<int>(slot);
    }
}

int RowAttributeIndex::Find(std::string_view name) const {
    for (uint32_t bucket = Hash(name) & mask_;; bucket = (bucket + 1) & mask_) {
        const int slot = buckets_[bucket];
        if (slot == kNone || names_[static_cast<size_t>(slot)] == name) return slot;
    }
}

}  // namespace velmora::datapacket
