#pragma once
// Internal to platform/: an owned POSIX file descriptor and the write loop shared by the writers.

#include <string_view>

namespace velmora::platform::detail {

// Closes the descriptor it owns when it dies.
class UniqueDescriptor {
public:
    explicit UniqueDescriptor(int descriptor = -1) noexcept : descriptor_(descriptor) {}
    UniqueDescriptor(UniqueDescriptor&& other) noexcept : descriptor_(other.Release()) {}
    UniqueDescriptor& operator=(UniqueDescriptor&& other) noexcept;
    UniqueDescriptor(const UniqueDescriptor&) = delete;
    UniqueDescriptor& operator=(const UniqueDescriptor&) = delete;
    ~UniqueDescriptor() { Reset(); }

    int Get() const noexcept { return descriptor_; }
    bool Valid() const noexcept { return descriptor_ >= 0; }
    int Release() noexcept;
    // Closes the descriptor; returns the errno of a failed close, else 0.
    int Reset() noexcept;

private:
    int descriptor_;
};

// Writes every byte, continuing after partial writes and interruptions. Returns 0 on success,
// else the errno of the failure; a write that makes no progress counts as a full disk.
int WriteAll(int descriptor, std::string_view bytes) noexcept;

}  // namespace velmora::platform::detail
