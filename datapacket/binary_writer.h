#pragma once
// The binary form of a written datapacket (little-endian): a 24-byte header, the column
// descriptions each with its field-level parameters, the count and list of table parameters,
// then the rows, each a state byte, two mark bits per column (null, unchanged) and the values
// that are present.

#include <memory>
#include <string>
#include <vector>

#include "datapacket/FLDConv.h"
#include "datapacket/binary_header.h"
#include "datapacket/packet_writer_buffer.h"
#include "datapacket/packet_writer_form.h"

namespace velmora::datapacket {

class BinaryPacketWriter final : public PacketFormWriter {
public:
    BinaryPacketWriter();
    ~BinaryPacketWriter() override;

    void BeginPacket(size_t columnCount) override;
    void WriteColumn(const std::string& name, const ColumnFormat& format,
                     uint16_t attributes) override;
    void WriteFieldParameter(const store::Parameter& parameter) override;
    void WriteTableParameter(const store::Parameter& parameter) override;
    void EndParameters() override;
    void BeginRow(uint8_t state) override;
    void WriteValue(size_t column, ValueMark mark, std::string_view stored) override;
    void EndRow() override;
    std::string EndPacket() override;

private:
    void AppendName(const std::string& name);
    void AppendParameter(const store::Parameter& parameter);
    void StartCount();
    void RaiseCount();

    PacketBuffer out_;
    std::vector<std::unique_ptr<FLDConv>> columns_;
    size_t countAt_ = 0;  // where the parameter count now being raised stands
    uint16_t count_ = 0;
    bool tableParametersBegun_ = false;
    bool parametersEnded_ = false;
    size_t marksAt_ = 0;
    uint32_t rows_ = 0;
    std::string scratch_;
};

}  // namespace velmora::datapacket
