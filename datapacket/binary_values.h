#pragma once
// Pieces of the binary value forms shared by the converters: fixed-size values, little-endian
// integers and length-prefixed bytes.

#include <cstdint>
#include <string>
#include <string_view>

#include "datapacket/byte_cursor.h"

namespace velmora::datapacket {

// The next `count` bytes; raises EStoreError(kCodeMalformedPacket) when they are not there.
std::string_view TakeOrFail(ByteCursor& in, size_t count);

template <typename T>
T TakeLittleEndianOrFail(ByteCursor& in);
extern template uint8_t TakeLittleEndianOrFail<uint8_t>(ByteCursor&);
extern template uint16_t TakeLittleEndianOrFail<uint16_t>(ByteCursor&);
extern template int32_t TakeLittleEndianOrFail<int32_t>(ByteCursor&);
extern template uint32_t TakeLittleEndianOrFail<uint32_t>(ByteCursor&);

// The low `size` bytes of value, least significant first.
void AppendLittleEndian(std::string& out, uint64_t value, size_t size);
// The bytes of a stored value of `size` bytes: cut or zero-padded to that size.
void AppendFixedSize(std::string& out, std::string_view stored, size_t size);
// The stored little-endian integer of `stored.size()` (at most 8) bytes, sign-extended.
int64_t SignedValueOf(std::string_view stored);
// The same without sign extension.
uint64_t UnsignedValueOf(std::string_view stored);
// The stored double (missing bytes count as zero).
double DoubleOf(std::string_view stored);

// A length in `prefixWidth` bytes (1, 2 or 4), then that many bytes into `value`. False when
// a 4-byte length is negative: the data is not in the packet.
bool ReadPrefixedBytes(ByteCursor& in, uint16_t prefixWidth, std::string& value);
// The length in `prefixWidth` bytes, then the bytes. A value longer than the prefix can
// count raises EStoreError(kCodeValueOutOfRange).
void AppendPrefixedBytes(std::string& out, uint16_t prefixWidth, std::string_view bytes);

}  // namespace velmora::datapacket
