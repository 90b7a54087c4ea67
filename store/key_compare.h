#pragma once
// How two rows compare on the key of an index: column by column, the first column that differs
// decides. Each key column has a comparer chosen by the column's stored type:
//   null                        before every value; two nulls are equal
//   Text                        the platform's locale collation under the table's locale id,
//                               ignoring letter case for a case-insensitive key column
//   WideText                    by UTF-16 code unit
//   integers, booleans, dates,  by numeric value (SqlDateTime field by field)
//   times, floats
//   Bcd, FmtBcd                 by value (negative before positive, then by magnitude)
//   everything else             byte by byte over the stored value
// A descending key column inverts its comparer, so its nulls come last.
//
// Comparing does not allocate, except for texts longer than the collation's own buffers.

#include <cstdint>
#include <string_view>
#include <vector>

#include "store/row_image.h"
#include "store/row_image_layout.h"
#include "store/stored_table_index_description.h"

namespace velmora::store {

class KeyColumnComparer {
public:
    // REQUIRES: key.column < layout.ColumnCount().
    KeyColumnComparer(const RowLayout& layout, const KeyColumn& key, uint32_t lcid);

    // <0, 0 or >0 as a sorts before, with or after b on this column.
    // REQUIRES: a and b have the layout given at construction.
    int Compare(const RowView& a, const RowView& b) const;

    const KeyColumn& Key() const { return key_; }

private:
    enum class Method : uint8_t {
        SignedInt,
        UnsignedInt,
        Real8,
        Real10,
        Decimal,
        SqlDateTime,
        Text,
        WideText,
        Bytes,
    };
    static Method MethodFor(LogicalType type);
    int CompareValues(std::string_view a, std::string_view b) const;

    KeyColumn key_;
    Method method_;
    uint32_t lcid_;
};

class KeyComparer {
public:
    // REQUIRES: every key column < layout.ColumnCount().
    KeyComparer(const RowLayout& layout, const std::vector<KeyColumn>& keys, uint32_t lcid);

    // <0, 0 or >0 as a's key sorts before, equal to or after b's; 0 without key columns.
    int Compare(const RowView& a, const RowView& b) const;
    bool HasKeyColumns() const { return !columns_.empty(); }

private:
    std::vector<KeyColumnComparer> columns_;
};

}  // namespace velmora::store
