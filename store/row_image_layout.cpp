#include "store/row_image_layout.h"

namespace velmora::store {

RowLayout::RowLayout(const std::vector<StoredColumn>& columns)
    : markBytes_(static_cast<uint32_t>((columns.size() + 3) / 4)) {
    uint32_t offset = markBytes_;
    places_.reserve(columns.size());
    for (const StoredColumn& column : columns) {
        Place place;
        place.varying = IsVaryingType(column.type);
        place.type = column.type;
        place.width = column.width;
        place.precision = column.precision;
        if (place.varying) {
            place.ordinal = varyingCount_++;
        } else {
            place.offset = offset;
            place.size = FixedValueSize(column.type, column.width);
            offset += place.size;
        }
        places_.push_back(place);
    }
    endsOffset_ = offset;
    nullImage_.assign(FixedSize(), '\0');
    for (size_t column = 0; column < places_.size(); ++column)
        nullImage_[column / 4] =
            static_cast<char>(nullImage_[column / 4] | (1 << (2 * (column % 4))));
}

}  // namespace velmora::store
