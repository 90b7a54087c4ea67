// The write path of a value into a row image: what the stored table does to a value the program
// hands it before the value takes its place in the row.
#include "platform/errors.h"
#include "store/row_image.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

__extension__ typedef unsigned __int128 Magnitude;

constexpr int kMaxCheckedDigits = 38;  // 10^38 still fits the magnitude type

[[noreturn]] void Refuse() {
    throw EStoreError(kCodeValueOutOfRange);
}

// A decimal's count of units (16 bytes, little-endian two's complement) has at most `digits`
// decimal digits.
bool FitsDigits(std::string_view units, uint16_t digits) {
    if (digits == 0 || digits > kMaxCheckedDigits) return true;
    Magnitude value = 0;
    for (int i = 15; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(units[i]);
    if ((static_cast<uint8_t>(units[15]) & 0x80) != 0) value = ~value + 1;
    Magnitude limit = 1;
    for (int i = 0; i < digits; ++i) limit *= 10;
    return value < limit;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view Cut(std::string_view value, size_t width) {
    return width != 0 && value.size() > width ? value.substr(0, width) : value;
}

}  // namespace

void RowImage::Put(size_t column, std::string_view stored) {
    const RowLayout::Place& place = layout_->At(column);
    switch (place.type) {
        case LogicalType::Text:
            stored = TrimTrailingBlanks(Cut(stored, place.width));
            break;
        case LogicalType::WideText:
            if (stored.size() % 2 != 0) Refuse();
            stored = Cut(stored, place.width & ~1u);
            break;
        case LogicalType::VarBytes:
            if (place.width != 0 && stored.size() > place.width) Refuse();
            break;
        case LogicalType::Bcd:
        case LogicalType::FmtBcd:
            if (stored.size() != place.size || !FitsDigits(stored, place.precision)) Refuse();
            break;
        default:
            break;
    }
    PutStored(column, stored);
}

}  // namespace velmora::store
