#include "store/row_image_layout.h"

namespace velmora::store {
namespace {
constexpr uint16_t kEndOffsetSize = 4;
}

RowLayout::RowLayout(const std::vector<StoredColumn>& columns)
    : markBytes_(static_cast<uint32_t>((columns.size() + 3) / 4)) {
    uint32_t offset = markBytes_;
    uint32_t previousEnd = kNoPlace;
    places_.reserve(columns.size());
    for (const StoredColumn& column : columns) {
        Place place;
        place.offset = offset;
        place.varying = IsVaryingType(column.type);
        place.size = place.varying ? kEndOffsetSize : FixedValueSize(column.type, column.width);
        place.type = column.type;
        place.width = column.width;
        place.precision = column.precision;
        if (place.varying) {
            place.previousEnd = previousEnd;
            previousEnd = offset;
        }
        offset += place.size;
        places_.push_back(place);
    }
    fixedSize_ = offset;
    nullImage_.assign(fixedSize_, '\0');
    for (size_t column = 0; column < places_.size(); ++column)
        nullImage_[column / 4] =
            static_cast<char>(nullImage_[column / 4] | (1 << (2 * (column % 4))));
}

}  // namespace velmora::store
