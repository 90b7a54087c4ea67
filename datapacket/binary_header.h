#pragma once
// The header of a binary datapacket, shared by its reader and writer.

#include <cstddef>
#include <cstdint>

namespace velmora::datapacket {

inline constexpr uint32_t kBinarySignature = 0x5E7A1C43;
// An older signature, accepted with any version numbers.
inline constexpr uint32_t kBinaryOtherSignature = 0x0000ABCD;
// The highest major and minor version read; the writer writes kBinaryMajorVersion.
inline constexpr uint16_t kBinaryHighestVersion = 3;
inline constexpr uint16_t kBinaryMajorVersion = 1;
inline constexpr size_t kBinaryHeaderSize = 24;
// Header flag: column descriptions follow.
inline constexpr uint32_t kBinaryFlagDescribed = 1;

}  // namespace velmora::datapacket
