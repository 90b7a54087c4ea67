#include "store/row_block_pool.h"

#include <sys/mman.h>

#include <bit>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

namespace velmora::store {
namespace {

// Enough for the rows of a file of some 40,000 items.
constexpr size_t kMostKeptBytes = 32 * 1024 * 1024;

class KeptBlocks {
public:
    char* Take(size_t size) {
        std::lock_guard lock(mutex_);
        const auto found = bySize_.find(size);
        if (found == bySize_.end() || found->second.empty()) return nullptr;
        char* start = found->second.back();
        found->second.pop_back();
        keptBytes_ -= size;
        return start;
    }

    bool Keep(char* start, size_t size) noexcept {
        // Storages ask for sizes that double; a trimmed block would hardly be asked for again.
        if (!std::has_single_bit(size)) return false;
        std::lock_guard lock(mutex_);
        if (keptBytes_ + size > kMostKeptBytes) return false;
        try {
            bySize_[size].push_back(start);
        } catch (const std::bad_alloc&) {
            return false;
        }
        keptBytes_ += size;
        return true;
    }

    void ReleaseAll() noexcept {
        std::lock_guard lock(mutex_);
        for (auto& [size, blocks] : bySize_)
            for (char* start : blocks) munmap(start, size);
        bySize_.clear();
        keptBytes_ = 0;
    }

private:
    std::mutex mutex_;
    std::unordered_map<size_t, std::vector<char*>> bySize_;
    size_t keptBytes_ = 0;
};

// Never destroyed: storages of static tables give their blocks back during exit.
KeptBlocks& Kept() {
    static KeptBlocks& kept = *new KeptBlocks;
    return kept;
}

}  // namespace

char* TakeRowBlock(size_t size) {
    if (char* kept = Kept().Take(size)) return kept;
    // Populated when mapped: one system call instead of a fault per page touched.
    void* start = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (start == MAP_FAILED) throw std::bad_alloc();
    return static_cast<char*>(start);
}

void GiveBackRowBlock(char* start, size_t size) noexcept {
    if (!Kept().Keep(start, size)) munmap(start, size);
}

void TrimRowBlock(char* start, size_t size, size_t kept) noexcept {
    munmap(start + kept, size - kept);
}

void ReleaseKeptRowBlocks() noexcept {
    Kept().ReleaseAll();
}

}  // namespace velmora::store
