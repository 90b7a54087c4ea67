#pragma once
// Little-endian integers inside stored values and row images.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::store {

// REQUIRES: bytes.size() <= 8.
inline uint64_t ReadUnsignedLE(std::string_view bytes) {
    uint64_t value = 0;
    for (size_t i = bytes.size(); i-- > 0;) value = (value << 8) | static_cast<uint8_t>(bytes[i]);
    return value;
}

// The low `size` bytes of value. REQUIRES: size <= 8.
inline std::string UnsignedLEBytes(uint64_t value, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

}  // namespace velmora::store
