#include "store/row_storage.h"

#include <cstring>

namespace velmora::store {

SlotImage::SlotImage(std::string_view bytes)
    : bytes_(std::make_unique_for_overwrite<char[]>(bytes.size())),
      size_(static_cast<uint32_t>(bytes.size())) {
    if (!bytes.empty()) std::memcpy(bytes_.get(), bytes.data(), bytes.size());
}

void RowStorage::ReserveOne() {
    if (slots_.size() == slots_.capacity()) slots_.reserve(slots_.empty() ? 64 : 2 * slots_.size());
}

uint32_t RowStorage::Append(SlotImage buffer, uint8_t state) noexcept {
    slots_.push_back(Slot{std::move(buffer.bytes_), buffer.size_, state});
    return Count();
}

SlotImage RowStorage::Exchange(uint32_t slot, SlotImage buffer) noexcept {
    Slot& s = slots_[slot - 1];
    std::swap(s.bytes, buffer.bytes_);
    std::swap(s.size, buffer.size_);
    return buffer;
}

}  // namespace velmora::store
