#pragma once
// The groups one aggregate accumulates in: rows with equal values in the group's key columns
// form a group (without key columns all rows form one), each with one accumulator per term of
// the aggregate. A row's group is found by its key in logarithmic time, without a pass over
// the rows; a group lives while it has rows.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "store/aggregate_accumulator.h"
#include "store/key_compare.h"
#include "store/row_image.h"

namespace velmora::store {

struct AggregateGroup {
    uint32_t rows = 0;
    std::vector<TermAccumulator> terms;
};

class AggregateGroups {
public:
    // REQUIRES: layout outlives the groups; every key column exists in it.
    AggregateGroups(const RowLayout& layout, const std::vector<KeyColumn>& key, uint32_t lcid,
                    std::vector<AggregateKind> terms);
    AggregateGroups(const AggregateGroups&) = delete;
    AggregateGroups& operator=(const AggregateGroups&) = delete;

    // Compares rows on the group's key columns: equal exactly when in one group.
    const KeyComparer& Comparer() const { return comparer_; }

    // The group of row; nullptr when no row of that group is in.
    AggregateGroup* Find(const RowView& row);
    // The group of row, made empty when there is none.
    AggregateGroup& Take(const RowView& row);
    // Forgets the group of row.
    void Drop(const RowView& row);
    void Clear() { groups_.clear(); }

private:
    // Orders groups by the key of the row image each was made from.
    struct KeyLess {
        using is_transparent = void;
        const RowLayout* layout;
        const KeyComparer* comparer;
        RowView Of(const std::string& image) const { return RowView(*layout, image); }
        bool operator()(const std::string& a, const std::string& b) const {
            return comparer->Compare(Of(a), Of(b)) < 0;
        }
        bool operator()(const RowView& a, const std::string& b) const {
            return comparer->Compare(a, Of(b)) < 0;
        }
        bool operator()(const std::string& a, const RowView& b) const {
            return comparer->Compare(Of(a), b) < 0;
        }
    };

    const RowLayout& layout_;
    KeyComparer comparer_;
    std::vector<AggregateKind> terms_;
    std::map<std::string, AggregateGroup, KeyLess> groups_;
};

}  // namespace velmora::store
