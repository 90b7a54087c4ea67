#pragma once
// What PKWRITER hands to the writer of one packet form (XML or binary), after it has checked
// the order of the calls. Every call raises EStoreError with the code of a failure.

#include <cstddef>
#include <string>
#include <string_view>

#include "datapacket/FLDConv.h"
#include "store/column_description.h"

namespace velmora::datapacket {

class PacketFormWriter {
public:
    virtual ~PacketFormWriter() = default;

    // REQUIRES: columnCount > 0.
    virtual void BeginPacket(size_t columnCount) = 0;
    virtual void WriteColumn(const std::string& name, const ColumnFormat& format,
                             uint16_t attributes) = 0;
    virtual void WriteFieldParameter(const store::Parameter& parameter) = 0;
    virtual void WriteTableParameter(const store::Parameter& parameter) = 0;
    virtual void EndParameters() = 0;
    // The first value of a row is its state byte, then one per column.
    virtual void BeginRow(uint8_t state) = 0;
    virtual void WriteValue(size_t column, ValueMark mark, std::string_view stored) = 0;
    virtual void EndRow() = 0;
    virtual std::string EndPacket() = 0;
};

}  // namespace velmora::datapacket
