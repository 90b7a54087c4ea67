#pragma once
// Parameters and column descriptions as the packet reader hands them over.

#include <cstdint>
#include <string>
#include <vector>

#include "store/column_description.h"

namespace velmora::store::testing {

inline Parameter Integer(std::string name, int64_t value, uint16_t size = 2,
                         StoredKind kind = StoredKind::SignedInt) {
    std::string bytes(size, '\0');
    for (uint16_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return Parameter{std::move(name), StoredType{kind, size}, std::move(bytes)};
}

inline Parameter Text(std::string name, std::string value) {
    return Parameter{std::move(name), StoredType{StoredKind::Text, 1, true}, std::move(value)};
}

inline Parameter Array(std::string name, const std::vector<uint32_t>& elements, uint16_t size = 4) {
    std::string bytes;
    for (uint32_t element : elements)
        for (uint16_t i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>((element >> (8 * i)) & 0xFF));
    return Parameter{std::move(name), StoredType{StoredKind::UnsignedInt, size, false, true},
                     bytes};
}

inline ColumnDescription Described(std::string name, uint32_t word, uint16_t attributes = 0) {
    return ColumnDescription{std::move(name), StoredType::FromWord(word), attributes};
}

inline constexpr uint32_t kWordI4 = 0x10004, kWordString = 0x490001, kWordBinHex = 0x4B0001;

}  // namespace velmora::store::testing
