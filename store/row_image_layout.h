#pragma once
// How the values of one row sit in its byte image. The same bytes are a row slot's storage and
// a front-end row buffer, so copying a row is one byte copy and comparing two rows is one byte
// compare.
//
// Image: [marks][fixed area][heap]
//   marks       2 bits per column (column j: byte j/4, bit 2*(j%4) null, the next bit unchanged)
//   fixed area  per fixed-size column its stored form (zero when null); per varying column the
//               4-byte little-endian end offset of its bytes in the heap
//   heap        the bytes of the varying columns in column order, nothing else
// The image of given values is therefore unique (canonical).

#include <cstdint>
#include <string>
#include <vector>

#include "store/stored_table_column.h"

namespace velmora::store {

class RowLayout {
public:
    static constexpr uint32_t kNoPlace = UINT32_MAX;

    struct Place {
        uint32_t offset = 0;  // in the image
        uint16_t size = 0;    // fixed-size value, or 4 for the end offset of a varying one
        bool varying = false;
        // Varying: the offset of the previous varying column's end offset (kNoPlace: none, the
        // value starts at the beginning of the heap).
        uint32_t previousEnd = kNoPlace;
        LogicalType type = LogicalType::Text;
        uint16_t width = 0;
        uint16_t precision = 0;  // digits a decimal may hold (0: unchecked)
    };

    explicit RowLayout(const std::vector<StoredColumn>& columns);

    size_t ColumnCount() const { return places_.size(); }
    const Place& At(size_t column) const { return places_[column]; }
    uint32_t MarkBytes() const { return markBytes_; }
    // Size of marks and fixed area: the image of a row whose varying values are all empty.
    uint32_t FixedSize() const { return fixedSize_; }
    // The image with every column null.
    const std::string& NullImage() const { return nullImage_; }

private:
    std::vector<Place> places_;
    uint32_t markBytes_ = 0;
    uint32_t fixedSize_ = 0;
    std::string nullImage_;
};

}  // namespace velmora::store
