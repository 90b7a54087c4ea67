#include "store/row_image.h"

#include "platform/errors.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

constexpr uint8_t kNullBit = 1;
constexpr uint8_t kUnchangedBit = 2;

uint8_t MarksOf(std::string_view bytes, size_t column) {
    return static_cast<uint8_t>((static_cast<uint8_t>(bytes[column / 4]) >> (2 * (column % 4))) &
                                3);
}

// End offsets are read and written in place, byte by byte: a put rewrites the offsets of
// every later varying column, so this runs for most columns of every row a file loads.
uint32_t ReadEnd(std::string_view bytes, uint32_t offset) {
    const auto* at = reinterpret_cast<const unsigned char*>(bytes.data() + offset);
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

void WriteEnd(std::string& bytes, uint32_t offset, uint32_t value) {
    char* at = bytes.data() + offset;
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t StartOf(std::string_view bytes, const RowLayout::Place& place) {
    return place.previousEnd == RowLayout::kNoPlace ? 0 : ReadEnd(bytes, place.previousEnd);
}

}  // namespace

bool RowView::IsNull(size_t column) const {
    return (MarksOf(bytes_, column) & kNullBit) != 0;
}

bool RowView::IsUnchanged(size_t column) const {
    return (MarksOf(bytes_, column) & kUnchangedBit) != 0;
}

std::string_view RowView::Value(size_t column) const {
    const RowLayout::Place& place = layout_->At(column);
    if (!place.varying)
        return IsNull(column) ? std::string_view() : bytes_.substr(place.offset, place.size);
    const uint32_t start = StartOf(bytes_, place);
    return bytes_.substr(layout_->FixedSize() + start, ReadEnd(bytes_, place.offset) - start);
}

RowImage::RowImage(std::shared_ptr<const RowLayout> layout)
    : layout_(std::move(layout)), bytes_(layout_->NullImage()) {}

void RowImage::Clear() {
    bytes_ = layout_->NullImage();
}

void RowImage::SetNull(size_t column) {
    PutBytes(column, {});
    SetMarks(column, true, false);
}

void RowImage::SetUnchanged(size_t column) {
    PutBytes(column, {});
    SetMarks(column, false, true);
}

void RowImage::PutStored(size_t column, std::string_view stored) {
    const RowLayout::Place& place = layout_->At(column);
    if (!place.varying && stored.size() != place.size) throw EStoreError(kCodeValueOutOfRange);
    PutBytes(column, stored);
    SetMarks(column, false, false);
}

void RowImage::PutBytes(size_t column, std::string_view value) {
    const RowLayout::Place& place = layout_->At(column);
    if (!place.varying) {
        if (value.empty())
            bytes_.replace(place.offset, place.size, place.size, '\0');
        else
            bytes_.replace(place.offset, place.size, value);
        return;
    }
    const uint32_t start = StartOf(bytes_, place);
    const uint32_t end = ReadEnd(bytes_, place.offset);
    bytes_.replace(layout_->FixedSize() + start, end - start, value);
    const uint32_t grown = static_cast<uint32_t>(value.size()) - (end - start);  // modulo 2^32
    if (grown == 0) return;
    for (size_t later = column; later < layout_->ColumnCount(); ++later) {
        const RowLayout::Place& next = layout_->At(later);
        if (next.varying) WriteEnd(bytes_, next.offset, ReadEnd(bytes_, next.offset) + grown);
    }
}

void RowImage::SetMarks(size_t column, bool null, bool unchanged) {
    const int shift = static_cast<int>(2 * (column % 4));
    const uint8_t marks =
        static_cast<uint8_t>((null ? kNullBit : 0) | (unchanged ? kUnchangedBit : 0));
    uint8_t byte = static_cast<uint8_t>(bytes_[column / 4]);
    byte = static_cast<uint8_t>((byte & ~(3 << shift)) | (marks << shift));
    bytes_[column / 4] = static_cast<char>(byte);
}

}  // namespace velmora::store
