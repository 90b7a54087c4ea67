#include "store/row_storage.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "store/row_block_pool.h"

namespace velmora::store {
namespace {

constexpr size_t kFirstBlock = 16 * 1024;
constexpr size_t kLargestBlock = 2 * 1024 * 1024;
constexpr size_t kLargestBlockImage = kLargestBlock / 4;

}  // namespace

SlotImage::SlotImage(std::string_view bytes)
    : bytes_(nullptr), size_(static_cast<uint32_t>(bytes.size())), owned_(true) {
    char* copy = new char[bytes.size()];
    if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
    bytes_ = copy;
}

SlotImage::SlotImage(SlotImage&& other) noexcept
    : bytes_(other.bytes_), size_(other.size_), owned_(other.owned_) {
    other.owned_ = false;
    other.bytes_ = nullptr;
    other.size_ = 0;
}

SlotImage& SlotImage::operator=(SlotImage&& other) noexcept {
    if (this != &other) {
        Release();
        bytes_ = other.bytes_;
        size_ = other.size_;
        owned_ = other.owned_;
        other.owned_ = false;
        other.bytes_ = nullptr;
        other.size_ = 0;
    }
    return *this;
}

SlotImage::~SlotImage() {
    Release();
}

void SlotImage::Release() noexcept {
    if (owned_) delete[] bytes_;
    owned_ = false;
}

RowStorage::~RowStorage() {
    for (const Slot& slot : slots_) FreeImage(slot);
    for (const Block& block : blocks_) GiveBackRowBlock(block.start, block.size);
}

void RowStorage::FreeImage(const Slot& slot) noexcept {
    if (slot.owned) delete[] slot.bytes;
}

SlotImage RowStorage::Allocate(std::string_view bytes) {
    if (bytes.size() > kLargestBlockImage) return SlotImage(bytes);
    char* place = TakeFromBlocks(bytes.size());
    if (!bytes.empty()) std::memcpy(place, bytes.data(), bytes.size());
    return SlotImage(place, static_cast<uint32_t>(bytes.size()), false);
}

char* RowStorage::TakeFromBlocks(size_t size) {
    if (blocks_.empty() || blocks_.back().size - used_ < size) AddBlock(size);
    char* place = blocks_.back().start + used_;
    used_ += size;
    return place;
}

// Blocks double until they reach the largest size.
void RowStorage::AddBlock(size_t needed) {
    size_t size = blocks_.empty() ? kFirstBlock : blocks_.back().size;
    if (!blocks_.empty()) size = std::min(2 * size, kLargestBlock);  // a trimmed one too
    while (size < needed) size *= 2;
    blocks_.reserve(blocks_.size() + 1);
    blocks_.push_back(Block{TakeRowBlock(size), size});
    used_ = 0;
}

void RowStorage::TrimNewestBlock() noexcept {
    if (blocks_.empty()) return;
    Block& newest = blocks_.back();
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    const size_t kept = (used_ + page - 1) / page * page;
    if (kept >= newest.size) return;
    TrimRowBlock(newest.start, newest.size, kept);
    newest.size = kept;
    if (kept != 0) return;
    blocks_.pop_back();
    used_ = blocks_.empty() ? 0 : blocks_.back().size;  // the block before counts as full
}

void RowStorage::ReserveOne() {
    if (slots_.size() == slots_.capacity()) slots_.reserve(slots_.empty() ? 64 : 2 * slots_.size());
}

uint32_t RowStorage::Append(SlotImage image, uint8_t state) noexcept {
    slots_.push_back(Slot{image.bytes_, image.size_, state, image.owned_});
    image.owned_ = false;
    return Count();
}

void RowStorage::PopLast() noexcept {
    const Slot& last = slots_.back();
    if (!last.owned && !blocks_.empty() && last.bytes + last.size == blocks_.back().start + used_)
        used_ -= last.size;
    FreeImage(last);
    slots_.pop_back();
}

SlotImage RowStorage::Exchange(uint32_t slot, SlotImage image) noexcept {
    Slot& s = slots_[slot - 1];
    SlotImage former(s.bytes, s.size, s.owned);
    s.bytes = image.bytes_;
    s.size = image.size_;
    s.owned = image.owned_;
    image.owned_ = false;
    return former;
}

}  // namespace velmora::store
