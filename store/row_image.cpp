#include "store/row_image.h"

#include <algorithm>

#include "platform/errors.h"
#include "store/row_image_marks.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

constexpr uint8_t kNullBit = 1;
constexpr uint8_t kUnchangedBit = 2;

uint8_t MarksOf(std::string_view bytes, size_t column) {
    return static_cast<uint8_t>((static_cast<uint8_t>(bytes[column / 4]) >> (2 * (column % 4))) &
                                3);
}

// The end offsets of an image's varying values in one of the two forms: 2 or 4 bytes each.
// They are read and written in place, byte by byte: a put rewrites the offsets of every later
// varying column, so this runs for most columns of every row a file loads.
class Ends {
public:
    Ends(const RowLayout& layout, uint32_t width) : layout_(layout), width_(width) {}
    Ends(const RowLayout& layout, std::string_view bytes)
        : Ends(layout, layout.IsNarrow(bytes.size()) ? 2 : 4) {}

    uint32_t Width() const { return width_; }
    uint32_t HeapStart() const { return layout_.EndsOffset() + width_ * layout_.VaryingCount(); }

    uint32_t End(std::string_view bytes, uint32_t ordinal) const {
        const auto* at = reinterpret_cast<const unsigned char*>(bytes.data() + OffsetOf(ordinal));
        const uint32_t low = static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8;
        if (width_ == 2) return low;
        return low | static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
    }
    uint32_t Start(std::string_view bytes, uint32_t ordinal) const {
        return ordinal == 0 ? 0 : End(bytes, ordinal - 1);
    }
    void SetEnd(std::string& bytes, uint32_t ordinal, uint32_t value) const {
        char* at = bytes.data() + OffsetOf(ordinal);
        at[0] = static_cast<char>(value & 0xFF);
        at[1] = static_cast<char>((value >> 8) & 0xFF);
        if (width_ == 2) return;
        at[2] = static_cast<char>((value >> 16) & 0xFF);
        at[3] = static_cast<char>((value >> 24) & 0xFF);
    }

private:
    uint32_t OffsetOf(uint32_t ordinal) const { return layout_.EndsOffset() + width_ * ordinal; }

    const RowLayout& layout_;
    uint32_t width_;
};

// Rewrites the end offsets of bytes from the form `from` into the form `to`.
// REQUIRES: every end offset fits the width of `to`.
void Reform(const RowLayout& layout, std::string& bytes, const Ends& from, const Ends& to) {
    std::string ends;
    ends.reserve(static_cast<size_t>(to.Width()) * layout.VaryingCount());
    for (uint32_t ordinal = 0; ordinal < layout.VaryingCount(); ++ordinal) {
        const uint32_t end = from.End(bytes, ordinal);
        for (uint32_t i = 0; i < to.Width(); ++i) ends.push_back(static_cast<char>(end >> (8 * i)));
    }
    bytes.replace(layout.EndsOffset(), from.HeapStart() - layout.EndsOffset(), ends);
}

}  // namespace

bool HasUnchangedMark(const RowLayout& layout, std::string_view bytes) {
    constexpr uint8_t kUnchangedBits = 0xAA;  // the unchanged bit of each of a byte's columns
    for (uint32_t i = 0; i < layout.MarkBytes(); ++i)
        if ((static_cast<uint8_t>(bytes[i]) & kUnchangedBits) != 0) return true;
    return false;
}

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
    const Ends ends(*layout_, bytes_);
    const uint32_t start = ends.Start(bytes_, place.ordinal);
    return bytes_.substr(ends.HeapStart() + start, ends.End(bytes_, place.ordinal) - start);
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
    if (!place.varying) {  // same size in place: a copy, not a string replace
        char* at = bytes_.data() + place.offset;
        if (value.empty())
            std::fill_n(at, place.size, '\0');
        else
            std::copy(value.begin(), value.end(), at);
        return;
    }
    const RowLayout& layout = *layout_;
    const Ends narrow(layout, 2), wide(layout, 4);
    const Ends& before = layout.IsNarrow(bytes_.size()) ? narrow : wide;
    const uint32_t start = before.Start(bytes_, place.ordinal);
    const uint32_t end = before.End(bytes_, place.ordinal);
    const size_t heap = bytes_.size() - before.HeapStart() - (end - start) + value.size();
    const Ends& after = heap <= RowLayout::kNarrowHeap ? narrow : wide;
    // The value is put in the wide form whenever either side has it: widened before the heap
    // grows past what 2 bytes can tell, narrowed only after it shrank.
    const Ends& work = &before == &wide ? wide : after;
    if (&work != &before) Reform(layout, bytes_, before, work);
    bytes_.replace(work.HeapStart() + start, end - start, value);
    const uint32_t grown = static_cast<uint32_t>(value.size()) - (end - start);  // modulo 2^32
    if (grown != 0)
        for (uint32_t later = place.ordinal; later < layout.VaryingCount(); ++later)
            work.SetEnd(bytes_, later, work.End(bytes_, later) + grown);
    if (&work != &after) Reform(layout, bytes_, work, after);
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
