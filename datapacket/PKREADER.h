#pragma once
// The packet reader: takes the whole content of a datapacket file and hands out, in this
// order, the column descriptions (each followed by its field-level parameters), the table
// parameters, and the rows (each its row state byte, then one value per column with its
// mark). Each call returns 0 with an item, or kCodeNoMore (8706, not an error). See
// packet_source.h for the order with nested tables.
//
// The form is chosen by content: a buffer with an accepted binary signature is a binary
// packet (binary_packet_reader.h), anything else is XML (xml_packet_reader.h). Failures raise
// EStoreError with the codes of packet_codes.h and store/store_codes.h; the partly read
// packet is then of no further use.

#include <memory>
#include <string>

#include "datapacket/FLDConv.h"
#include "store/column_description.h"

namespace velmora::datapacket {

class PacketSource;

class PKREADER {
public:
    PKREADER();
    ~PKREADER();
    PKREADER(const PKREADER&) = delete;
    PKREADER& operator=(const PKREADER&) = delete;

    // Prepares the packet and stands before its first column description.
    // REQUIRES: the buffer stays valid and unchanged while this reader reads it.
    void OpenPacket(const char* buffer, size_t length);

    // REQUIRES (all three): OpenPacket succeeded.
    // The next column: its name (at most 31 characters), stored type and attribute word
    // (with kColumnInAttribute for an XML column whose values are ROW attributes).
    int ReadColumn(store::ColumnDescription& column);
    // The next parameter: name, stored type and value in the type's stored form.
    int ReadParameter(store::Parameter& parameter);
    // The next row state byte (as a one-byte `stored`, mark Present) or column value, in the
    // column's stored form; `stored` is empty unless the mark is Present.
    int ReadValue(std::string& stored, ValueMark& mark);

    bool IsBinary() const { return binary_; }

private:
    std::unique_ptr<PacketSource> source_;
    bool binary_ = false;
};

}  // namespace velmora::datapacket
