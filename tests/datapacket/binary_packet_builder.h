#pragma once
// Builds binary datapackets byte by byte for the tests.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "packet_test_util.h"

namespace velmora::datapacket::testing {

class BinaryPacket {
public:
    static constexpr uint32_t kSignature = 0x5E7A1C43;

    // The 24-byte header: signature, version 1.0, header size 24, counts, flags, row offset 0.
    void Header(uint16_t columns, uint32_t rows, uint32_t flags = 1,
                uint32_t signature = kSignature, uint16_t major = 1, uint16_t minor = 0) {
        bytes_ = LittleEndian(signature, 4) + LittleEndian(major, 2) + LittleEndian(minor, 2) +
                 LittleEndian(24, 4) + LittleEndian(columns, 2) + LittleEndian(rows, 4) +
                 LittleEndian(flags, 4) + LittleEndian(0, 2);
    }
    void Column(std::string_view name, uint32_t word, uint16_t attributes = 0,
                uint16_t parameters = 0) {
        Name(name);
        bytes_ += LittleEndian(word, 4) + LittleEndian(attributes, 2) + LittleEndian(parameters, 2);
    }
    void Parameter(std::string_view name, uint32_t word, std::string_view value) {
        Name(name);
        bytes_ += LittleEndian(word, 4);
        bytes_ += value;
    }
    void TableParameters(uint16_t count) { bytes_ += LittleEndian(count, 2); }
    void Row(uint8_t state, std::initializer_list<uint8_t> marks) {
        bytes_ += static_cast<char>(state);
        for (uint8_t mark : marks) bytes_ += static_cast<char>(mark);
    }
    void Int32(int32_t value) { bytes_ += LittleEndian(static_cast<uint32_t>(value), 4); }
    void Raw(std::string_view bytes) { bytes_ += bytes; }

    const std::string& Bytes() const { return bytes_; }

private:
    void Name(std::string_view name) {
        bytes_ += static_cast<char>(name.size());
        bytes_ += name;
    }

    std::string bytes_;
};

}  // namespace velmora::datapacket::testing
