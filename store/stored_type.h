#pragma once
// The stored type of a column or parameter: a kind, a byte size and the varying and array
// flags. It travels as one 32-bit word in both datapacket forms, so the word layout is fixed:
// bits 0-15 size, bits 16-21 kind, bit 22 varying, bit 23 array, bits 24-26 composite marks.
//
// Stored form of a value (the bytes the stored table keeps and the converters produce):
//   SignedInt, UnsignedInt, Boolean   little-endian integer of `size` bytes (Boolean: 0 or 1)
//   Real                              IEEE double (size 8) or x87 extended (size 10), as in memory
//   Bcd, FmtBcd                       16-byte little-endian two's complement count of units at the
//                                     column's scale (value = units / 10^scale)
//   Date                              int32 day number (1 = 0001-01-01)
//   Time                              int32 milliseconds of the day
//   DateTime                          double: day number * 86400000 + milliseconds of the day
//   SqlDateTime                       16 bytes: int16 year, uint16 month, day, hour, minute,
//                                     second, uint32 fraction
//   Text                              the 8-bit bytes, no terminator (length kept beside)
//   WideText                          UTF-16 little-endian units, no terminator
//   Bytes, BytesAlt                   the bytes as they are
//   array flag                        the elements one after another in their own stored form

#include <cstdint>

namespace velmora::store {

enum class StoredKind : uint8_t {
    None = 0,
    SignedInt = 1,
    UnsignedInt = 2,
    Boolean = 3,
    Real = 4,
    Bcd = 5,
    Date = 6,
    Time = 7,
    DateTime = 8,
    Text = 9,
    WideText = 10,
    Bytes = 11,
    Struct = 12,
    ArrayColumn = 13,
    Nested = 14,
    Reference = 15,
    BytesAlt = 16,
    SqlDateTime = 17,
    FmtBcd = 18,
};

// Size in bytes of the stored form of a Bcd or FmtBcd value.
inline constexpr uint16_t kBcdStoredSize = 16;

struct StoredType {
    StoredKind kind = StoredKind::None;
    uint16_t size = 0;  // for a varying type: the width of the length prefix (1, 2 or 4)
    bool varying = false;
    bool array = false;

    static constexpr uint32_t kVaryingBit = 0x400000;
    static constexpr uint32_t kArrayBit = 0x800000;
    static constexpr uint32_t kCompositeBit = 0x1000000;
    static constexpr uint32_t kArrayColumnBit = 0x2000000;
    static constexpr uint32_t kNestedBit = 0x4000000;

    // The word as written. The composite marks follow from the kind; for composite kinds
    // `size` carries the child or element count.
    constexpr uint32_t Word() const {
        uint32_t word = size | (static_cast<uint32_t>(kind) << 16);
        if (varying) word |= kVaryingBit;
        if (array) word |= kArrayBit;
        switch (kind) {
            case StoredKind::ArrayColumn:
                return word | kCompositeBit | kArrayColumnBit;
            case StoredKind::Nested:
                return word | kCompositeBit | kNestedBit;
            case StoredKind::Struct:
            case StoredKind::Reference:
                return word | kCompositeBit;
            default:
                return word;
        }
    }

    // The composite marks are redundant with the kind and are not checked.
    static constexpr StoredType FromWord(uint32_t word) {
        return StoredType{static_cast<StoredKind>((word >> 16) & 0x3F),
                          static_cast<uint16_t>(word & 0xFFFF), (word & kVaryingBit) != 0,
                          (word & kArrayBit) != 0};
    }

    friend constexpr bool operator==(StoredType, StoredType) = default;
};

}  // namespace velmora::store
