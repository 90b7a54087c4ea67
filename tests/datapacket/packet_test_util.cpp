#include "packet_test_util.h"

#include <cstring>

#include "datapacket/PKREADER.h"
#include "platform/errors.h"
#include "store/store_codes.h"

namespace velmora::datapacket::testing {

std::string LittleEndian(uint64_t value, size_t size) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string StoredDouble(double value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

std::string StoredWide(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) bytes += LittleEndian(unit, 2);
    return bytes;
}

std::string Document(std::string_view fields, std::string_view rows, std::string_view params) {
    std::string document = "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    document += fields;
    document += "</FIELDS>";
    document += params;
    document += "</METADATA><ROWDATA>";
    document += rows;
    document += "</ROWDATA></DATAPACKET>";
    return document;
}

ReadPacket ReadWhole(std::string_view bytes) {
    PKREADER reader;
    reader.OpenPacket(bytes.data(), bytes.size());
    ReadPacket packet;
    store::ColumnDescription column;
    store::Parameter parameter;
    while (reader.ReadColumn(column) == 0) {
        packet.columns.push_back({column, {}});
        while (reader.ReadParameter(parameter) == 0)
            packet.columns.back().parameters.push_back(parameter);
    }
    while (reader.ReadParameter(parameter) == 0) packet.parameters.push_back(parameter);
    std::string stored;
    ValueMark mark;
    while (reader.ReadValue(stored, mark) == 0) {
        ReadRow row;
        row.state = static_cast<uint8_t>(stored.at(0));
        for (size_t i = 0; i < packet.columns.size(); ++i) {
            if (reader.ReadValue(stored, mark) != 0) throw std::logic_error("row ended early");
            row.values.push_back({mark, stored});
        }
        packet.rows.push_back(std::move(row));
    }
    return packet;
}

int ReadFailure(std::string_view bytes) {
    try {
        ReadWhole(bytes);
    } catch (const EStoreError& error) {
        return error.Code();
    }
    return 0;
}

void PrintTo(const ReadValue& value, std::ostream* out) {
    *out << "{mark " << static_cast<int>(value.mark) << ", bytes";
    for (unsigned char c : value.stored) *out << ' ' << std::hex << static_cast<int>(c) << std::dec;
    *out << '}';
}

ReadValue Present(std::string stored) {
    return {ValueMark::Present, std::move(stored)};
}
ReadValue Null() {
    return {ValueMark::Null, {}};
}
ReadValue Unchanged() {
    return {ValueMark::Unchanged, {}};
}

}  // namespace velmora::datapacket::testing
