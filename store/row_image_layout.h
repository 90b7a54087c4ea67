#pragma once
// How the values of one row sit in its byte image. The same bytes are a row slot's storage and
// a front-end row buffer, so copying a row is one byte copy and comparing two rows is one byte
// compare.
//
// Image: [marks][fixed values][end offsets][heap]
//   marks         2 bits per column (column j: byte j/4, bit 2*(j%4) null, the next bit
//                 unchanged)
//   fixed values  per fixed-size column, in column order, its stored form (zero when null)
//   end offsets   per varying column, in column order, the little-endian end of its bytes in
//                 the heap: 2 bytes each while the heap holds at most kNarrowHeap bytes (the
//                 narrow form, nearly every row), 4 bytes each beyond
//   heap          the bytes of the varying columns in column order, nothing else
// The form follows from the image's size alone (IsNarrow), and the image of given values is
// therefore unique (canonical).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/stored_table_column.h"

namespace velmora::store {

class RowLayout {
public:
    // The largest heap whose end offsets fit in 2 bytes.
    static constexpr uint32_t kNarrowHeap = 0xFFFF;

    struct Place {
        uint32_t offset = 0;   // fixed-size value: its offset in the image
        uint32_t ordinal = 0;  // varying value: its number among the varying columns
        uint16_t size = 0;     // fixed-size value: its size; 0 for a varying one
        bool varying = false;
        LogicalType type = LogicalType::Text;
        uint16_t width = 0;
        uint16_t precision = 0;  // digits a decimal may hold (0: unchecked)
    };

    explicit RowLayout(const std::vector<StoredColumn>& columns);

    size_t ColumnCount() const { return places_.size(); }
    const Place& At(size_t column) const { return places_[column]; }
    uint32_t MarkBytes() const { return markBytes_; }
    // Where the end offsets begin (marks and fixed values before them).
    uint32_t EndsOffset() const { return endsOffset_; }
    uint32_t VaryingCount() const { return varyingCount_; }
    // Size of the image of a row whose varying values are all empty.
    uint32_t FixedSize() const { return endsOffset_ + 2 * varyingCount_; }
    // True when an image of this many bytes has the narrow form.
    bool IsNarrow(size_t imageSize) const { return imageSize <= FixedSize() + kNarrowHeap; }
    // The image with every column null.
    const std::string& NullImage() const { return nullImage_; }

private:
    std::vector<Place> places_;
    uint32_t markBytes_ = 0;
    uint32_t endsOffset_ = 0;
    uint32_t varyingCount_ = 0;
    std::string nullImage_;
};

}  // namespace velmora::store
