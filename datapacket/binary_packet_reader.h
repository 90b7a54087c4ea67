#pragma once
// The packet reader of the binary form. All numbers little-endian:
//   header (24 bytes): signature, major and minor version (2 bytes each), header size (4),
//     column count (2), row count (4), flags (4: 1 column descriptions present), row offset (2)
//   column: name length (1, not 0), name, stored type word (4), attribute word (2),
//     parameter count (2), parameters; a nested table's columns follow the column that
//     holds it (the word's size is their count)
//   parameter: name length (1), name, stored type word (4), value in its binary form
//   after the main table's columns: table parameter count (2), parameters
//   row: state byte, 2 mark bits per column (null, unchanged), the values that are present
// Everything is read through bounds-checked cursors: a short or damaged packet raises
// EStoreError(kCodeMalformedPacket).

#include <cstdint>
#include <string_view>
#include <vector>

#include "datapacket/byte_cursor.h"
#include "datapacket/packet_source.h"

namespace velmora::datapacket {

// True when the buffer starts with a binary signature whose version numbers are accepted:
// 0x5E7A1C43 with major and minor version at most 3, or 0x0000ABCD with any.
bool IsBinaryPacket(std::string_view buffer);

class BinaryPacketReader : public PacketSource {
public:
    static constexpr size_t kHeaderSize = 24;

    // Reads the header. REQUIRES: IsBinaryPacket(buffer); buffer outlives the reader.
    explicit BinaryPacketReader(std::string_view buffer);

private:
    struct RowFrame {
        int table = 0;
        uint32_t rowsLeft = 0;
        size_t column = SIZE_MAX;  // SIZE_MAX: between rows
        uint8_t state = 0;
        std::string_view marks{};
    };

    bool NextColumn(int table, store::ColumnDescription& column) override;
    void LeaveNestedTable(int) override {}
    bool NextValue(std::string& stored, ValueMark& mark) override;

    std::string ReadName();
    void QueueParameters(uint16_t count, bool tableLevel);
    bool StartRow(RowFrame& frame, std::string& stored);
    ValueMark ReadColumnValue(RowFrame& frame, std::string& stored, int& nestedRows);

    ByteCursor cursor_;
    std::vector<uint32_t> columnsLeft_;  // per table: descriptions still to read
    uint32_t rowCount_ = 0;
    std::vector<RowFrame> frames_;
    bool rowsStarted_ = false;
};

}  // namespace velmora::datapacket
