#pragma once
// The packet writer: builds a datapacket, in the binary form or in XML, from calls made in
// this order:
//   SetPacketForm; BeginPacket; per column WriteColumn then WriteParameter(Field, ...) for its
//   field-level parameters; WriteParameter(Table, ...) for each table parameter, then
//   WriteParameter with a parameter without name to close the list; per row WriteValue with
//   the row state byte (one byte, Present), then WriteValue for each column; EndPacket.
// Every call returns 0 or a failure code (the packet is then of no further use):
//   kCodeNoXmlType (16400) a column type that XML cannot carry;
//   kCodeUnknownFieldType (10000) a type without converter (an array of length-prefixed
//     elements);
//   kCodeBadMetadata (10756) a column named "RowState", more columns than announced, no
//     column at all, a row left unfinished at EndPacket; XML: two columns under one attribute
//     name; binary: a column or parameter name of more than 255 bytes;
//   kCodeOutOfMemory (9473).

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "datapacket/FLDConv.h"
#include "store/column_description.h"

namespace velmora::datapacket {

class PacketFormWriter;

// A column type without XML name.
inline constexpr int kCodeNoXmlType = 16400;  // 0x4010

// XML mode words: bit 1 XML, bit 4 with METADATA, bit 8 UTF-8.
inline constexpr int kModeBinary = 0;
inline constexpr int kModeXml = 5;
inline constexpr int kModeXmlUtf8 = 13;

enum class ParameterLevel { Field, Table };

class PKWRITER {
public:
    PKWRITER();
    ~PKWRITER();
    PKWRITER(const PKWRITER&) = delete;
    PKWRITER& operator=(const PKWRITER&) = delete;

    int SetPacketForm(int mode);
    int BeginPacket(size_t columnCount);
    int WriteColumn(const std::string& name, const ColumnFormat& format, uint16_t attributes);
    int WriteParameter(ParameterLevel level, const store::Parameter& parameter);
    int WriteValue(ValueMark mark, std::string_view stored);
    // The finished packet, exactly as long as its content.
    int EndPacket(std::string& packet);

private:
    template <typename Action>
    int Guarded(Action action);

    int mode_ = kModeBinary;
    std::unique_ptr<PacketFormWriter> form_;
    size_t columnCount_ = 0;
    size_t columnsWritten_ = 0;
    size_t rowColumn_ = 0;  // 0: the row state comes next; n: column n - 1 comes next
    bool inRow_ = false;
};

}  // namespace velmora::datapacket
