#pragma once
// Values read from a column's stored form (stored_type.h), as the evaluator loads them and as
// column comparisons read them in place.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "store/calendar.h"
#include "store/stored_table_column.h"

namespace velmora::store {

// REQUIRES: size <= 8.
inline uint64_t LittleEndian(std::string_view bytes, size_t offset, size_t size) {
    uint64_t value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, bytes.data() + offset, size);
    } else {
        for (size_t i = size; i-- > 0;)
            value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
    }
    return value;
}

inline int64_t SignedLittleEndian(std::string_view bytes, size_t size) {
    const uint64_t value = LittleEndian(bytes, 0, size);
    if (size == 8) return static_cast<int64_t>(value);
    const uint64_t sign = uint64_t{1} << (8 * size - 1);
    return static_cast<int64_t>((value ^ sign) - sign);
}

inline double Real8(std::string_view bytes) {
    const uint64_t bits = LittleEndian(bytes, 0, 8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline bool IsSignedIntegerType(LogicalType type) {
    return type == LogicalType::Int8 || type == LogicalType::Int16 || type == LogicalType::Int32 ||
           type == LogicalType::Int64;
}

inline bool IsUnsignedIntegerType(LogicalType type) {
    return type == LogicalType::UInt8 || type == LogicalType::UInt16 ||
           type == LogicalType::UInt32 || type == LogicalType::UInt64;
}

// REQUIRES: an integer type; stored is of its size.
inline int64_t StoredInteger(LogicalType type, std::string_view stored) {
    // Each size spelled out, so that reading one becomes a single load.
    const bool sign = IsSignedIntegerType(type);
    switch (stored.size()) {
        case 1:
            return sign ? SignedLittleEndian(stored, 1) : int64_t(LittleEndian(stored, 0, 1));
        case 2:
            return sign ? SignedLittleEndian(stored, 2) : int64_t(LittleEndian(stored, 0, 2));
        case 4:
            return sign ? SignedLittleEndian(stored, 4) : int64_t(LittleEndian(stored, 0, 4));
        default:
            return static_cast<int64_t>(LittleEndian(stored, 0, stored.size()));
    }
}

// A stored text up to its first zero byte.
inline std::string_view UpToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

// Milliseconds from day 0 (a Time: from midnight). REQUIRES: Date, Time or DateTime.
inline double StoredTemporal(LogicalType type, std::string_view stored) {
    if (type == LogicalType::Date)
        return static_cast<double>(SignedLittleEndian(stored, 4)) * kMillisecondsPerDay;
    if (type == LogicalType::Time) return static_cast<double>(SignedLittleEndian(stored, 4));
    return Real8(stored);
}

}  // namespace velmora::store
