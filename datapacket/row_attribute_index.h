#pragma once
// Which columns of a table take their value from a ROW attribute of a given name, found by
// hashing the name: a row's attributes are matched to columns in one pass, in any order.

#include <cstdint>
#include <string_view>
#include <vector>

namespace velmora::datapacket {

class RowAttributeIndex {
public:
    static constexpr int kNone = -1;

    // Entry i is the attribute name of slot i; an empty name takes no attribute.
    explicit RowAttributeIndex(std::vector<std::string_view> names);

    // The first slot named `name`, then the following ones with the same name; kNone after
    // the last.
    int Find(std::string_view name) const;
    int Next(int slot) const { return sameName_[static_cast<size_t>(slot)]; }

    size_t SlotCount() const { return names_.size(); }

private:
    static uint32_t Hash(std::string_view name);

    std::vector<std::string_view> names_;
    std::vector<int> sameName_;  // per slot: the next slot with the same name
    std::vector<int> buckets_;   // open addressing over the first slot of each name
    uint32_t mask_ = 0;
};

}  // namespace velmora::datapacket
