#pragma once
// The row slots of a stored table: slot n (from 1) holds one row image (row_image_layout.h)
// and the slot's row state byte.
//
// Allocation is kept apart from change: a SlotImage is allocated first (may throw
// std::bad_alloc), then installed without failing, so a change that fails half-way leaves the
// slots as they were.
//
// An image is either an allocation of its own (SlotImage(bytes)), freed when its slot lets it
// go, or taken from the storage's blocks (Allocate). Blocks are an arena for the rows a load
// stores and the row versions that posting appends: taking an image is a bump of a pointer
// into memory whose pages are present ahead (blocks doubling from 16 KB to 2 MB), so neither
// searches the heap, pays an allocation's header, or faults fresh pages in one at a time.
// Slots are never compacted while a table lives, so block memory is given back only with the
// storage, to the blocks kept for the next storage (row_block_pool.h), and the newest block's
// unused pages by TrimNewestBlock; PopLast takes back the newest image's room.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace velmora::store {

class SlotImage {
public:
    SlotImage() = default;
    // A copy of bytes in an allocation of its own.
    explicit SlotImage(std::string_view bytes);
    SlotImage(SlotImage&& other) noexcept;
    SlotImage& operator=(SlotImage&& other) noexcept;
    SlotImage(const SlotImage&) = delete;
    SlotImage& operator=(const SlotImage&) = delete;
    ~SlotImage();

    std::string_view View() const { return std::string_view(bytes_, size_); }

private:
    friend class RowStorage;
    SlotImage(const char* bytes, uint32_t size, bool owned)
        : bytes_(bytes), size_(size), owned_(owned) {}
    void Release() noexcept;

    const char* bytes_ = nullptr;
    uint32_t size_ = 0;
    bool owned_ = false;  // false: in a block of a storage (or empty)
};

class RowStorage {
public:
    RowStorage() = default;
    RowStorage(const RowStorage&) = delete;
    RowStorage& operator=(const RowStorage&) = delete;
    ~RowStorage();

    uint32_t Count() const { return static_cast<uint32_t>(slots_.size()); }

    // REQUIRES (all taking a slot): 1 <= slot <= Count().
    uint8_t State(uint32_t slot) const { return slots_[slot - 1].state; }
    void SetState(uint32_t slot, uint8_t state) { slots_[slot - 1].state = state; }
    std::string_view Bytes(uint32_t slot) const {
        const Slot& s = slots_[slot - 1];
        return std::string_view(s.bytes, s.size);
    }

    // A copy of bytes in this storage's blocks (an image larger than a quarter of the largest
    // block gets an allocation of its own instead).
    // REQUIRES: the image is installed into this storage or dropped while the storage lives.
    SlotImage Allocate(std::string_view bytes);
    // Makes room for one more slot, so that the next Append cannot fail.
    void ReserveOne();
    // Puts a new last slot and returns its number. REQUIRES: ReserveOne() before.
    uint32_t Append(SlotImage image, uint8_t state) noexcept;
    // Frees the last slot. REQUIRES: Count() > 0.
    void PopLast() noexcept;
    // Puts image into slot and returns the slot's former image.
    SlotImage Exchange(uint32_t slot, SlotImage image) noexcept;
    // Gives the pages of the newest block that no image uses back to the system; the next
    // image taken from blocks starts a new block. For a storage filled at once (a loaded table).
    void TrimNewestBlock() noexcept;

private:
    // The image's parts, packed with the state into 16 bytes.
    struct Slot {
        const char* bytes;
        uint32_t size;
        uint8_t state;
        bool owned;
    };
    struct Block {
        char* start;
        size_t size;
    };

    char* TakeFromBlocks(size_t size);
    void AddBlock(size_t needed);  // REQUIRES: needed <= the largest block size
    static void FreeImage(const Slot& slot) noexcept;

    std::vector<Slot> slots_;
    std::vector<Block> blocks_;  // the newest last; images are taken from it
    size_t used_ = 0;            // bytes taken from the newest block
};

}  // namespace velmora::store
