#include "datapacket/binary_values.h"

#include <cstring>

#include "datapacket/packet_codes.h"
#include "platform/errors.h"
#include "store/store_codes.h"

namespace velmora::datapacket {

std::string_view TakeOrFail(ByteCursor& in, size_t count) {
    std::string_view bytes;
    if (!in.Take(count, bytes)) throw EStoreError(kCodeMalformedPacket);
    return bytes;
}

template <typename T>
T TakeLittleEndianOrFail(ByteCursor& in) {
    T value{};
    if (!in.TakeLittleEndian(value)) throw EStoreError(kCodeMalformedPacket);
    return value;
}
template uint8_t TakeLittleEndianOrFail<uint8_t>(ByteCursor&);
template uint16_t TakeLittleEndianOrFail<uint16_t>(ByteCursor&);
template int32_t TakeLittleEndianOrFail<int32_t>(ByteCursor&);
template uint32_t TakeLittleEndianOrFail<uint32_t>(ByteCursor&);

void AppendLittleEndian(std::string& out, uint64_t value, size_t size) {
    for (size_t i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void AppendFixedSize(std::string& out, std::string_view stored, size_t size) {
    const std::string_view kept = stored.substr(0, size);
    out.append(kept);
    out.append(size - kept.size(), '\0');
}

uint64_t UnsignedValueOf(std::string_view stored) {
    uint64_t bits = 0;
    const size_t size = stored.size() < 8 ? stored.size() : 8;
    for (size_t i = size; i-- > 0;) bits = bits << 8 | static_cast<unsigned char>(stored[i]);
    return bits;
}

int64_t SignedValueOf(std::string_view stored) {
    uint64_t bits = UnsignedValueOf(stored);
    const size_t size = stored.size() < 8 ? stored.size() : 8;
    if (size > 0 && size < 8 && (bits >> (8 * size - 1)) != 0) bits |= ~uint64_t{0} << (8 * size);
    return static_cast<int64_t>(bits);
}

double DoubleOf(std::string_view stored) {
    char bytes[sizeof(double)] = {};
    stored.copy(bytes, sizeof bytes);
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool ReadPrefixedBytes(ByteCursor& in, uint16_t prefixWidth, std::string& value) {
    int64_t length = 0;
    switch (prefixWidth) {
        case 1:
            length = TakeLittleEndianOrFail<uint8_t>(in);
            break;
        case 2:
            length = TakeLittleEndianOrFail<uint16_t>(in);
            break;
        default:
            length = TakeLittleEndianOrFail<int32_t>(in);
            break;
    }
    if (length < 0) return false;
    value.assign(TakeOrFail(in, static_cast<size_t>(length)));
    return true;
}

void AppendPrefixedBytes(std::string& out, uint16_t prefixWidth, std::string_view bytes) {
    const uint64_t limit = prefixWidth >= 4 ? INT32_MAX : (uint64_t{1} << (8 * prefixWidth)) - 1;
    if (bytes.size() > limit) throw EStoreError(store::kCodeValueOutOfRange);
    AppendLittleEndian(out, bytes.size(), prefixWidth >= 4 ? 4 : prefixWidth);
    out.append(bytes);
}

}  // namespace velmora::datapacket
