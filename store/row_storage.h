#pragma once
// The row slots of a stored table: slot n (from 1) holds one row image (row_image_layout.h) in
// one allocation of its exact size, and the slot's row state byte.
//
// Allocation is kept apart from change: a SlotImage is allocated first (may throw
// std::bad_alloc), then installed without failing, so a change that fails half-way leaves the
// slots as they were.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace velmora::store {

class SlotImage {
public:
    SlotImage() = default;
    explicit SlotImage(std::string_view bytes);
    std::string_view View() const { return std::string_view(bytes_.get(), size_); }

private:
    friend class RowStorage;
    std::unique_ptr<char[]> bytes_;
    uint32_t size_ = 0;
};

class RowStorage {
public:
    uint32_t Count() const { return static_cast<uint32_t>(slots_.size()); }

    // REQUIRES (all taking a slot): 1 <= slot <= Count().
    uint8_t State(uint32_t slot) const { return slots_[slot - 1].state; }
    void SetState(uint32_t slot, uint8_t state) { slots_[slot - 1].state = state; }
    std::string_view Bytes(uint32_t slot) const {
        const Slot& s = slots_[slot - 1];
        return std::string_view(s.bytes.get(), s.size);
    }

    // Makes room for one more slot, so that the next Append cannot fail.
    void ReserveOne();
    // Puts a new last slot and returns its number. REQUIRES: ReserveOne() before.
    uint32_t Append(SlotImage buffer, uint8_t state) noexcept;
    // Frees the last slot. REQUIRES: Count() > 0.
    void PopLast() noexcept { slots_.pop_back(); }
    // Puts buffer into slot and returns the slot's former buffer.
    SlotImage Exchange(uint32_t slot, SlotImage buffer) noexcept;

private:
    // The buffer's parts, packed with the state into 16 bytes.
    struct Slot {
        std::unique_ptr<char[]> bytes;
        uint32_t size = 0;
        uint8_t state = 0;
    };
    std::vector<Slot> slots_;
};

}  // namespace velmora::store
