#pragma once
// The XML form of a written datapacket: one line, no indentation, the declaration followed
// by two spaces, then DATAPACKET with METADATA (FIELDS, PARAMS) and ROWDATA. In UTF-8 mode
// every attribute name and value is converted from the code page to UTF-8 before escaping,
// and the declaration names the encoding.

#include <memory>
#include <string>
#include <vector>

#include "datapacket/FLDConv.h"
#include "datapacket/packet_writer_buffer.h"
#include "datapacket/packet_writer_form.h"
#include "datapacket/xml_escape.h"

namespace velmora::datapacket {

// The name a column's values are written under: each of space ! # $ % ( ) * ? becomes "_".
std::string AttrNameOf(const std::string& columnName);

class XmlPacketWriter final : public PacketFormWriter {
public:
    explicit XmlPacketWriter(bool utf8);
    ~XmlPacketWriter() override;

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

    // A start tag still open for attributes (FIELD or PARAMS), with its PARAM children.
    struct OpenElement {
        std::string name;
        std::string attributes;
        std::string children;
    };

private:
    struct Column {
        std::string attrName;  // as written (UTF-8 in UTF-8 mode)
        std::unique_ptr<FLDConv> converter;
    };

    std::string Encoded(std::string_view text) const;
    // A parameter's value as its converter writes it, and whether that text marks references.
    struct ParameterValue {
        std::string text;
        MarkedReferences marked = MarkedReferences::No;
    };

    std::string Attribute(std::string_view name, std::string_view text,
                          MarkedReferences marked = MarkedReferences::No) const;
    ParameterValue ParameterText(const store::Parameter& parameter) const;
    void AddParameter(OpenElement& element, const store::Parameter& parameter, bool tableLevel);
    void CloseOpenElement();
    void BeginTableParameters();
    void BeginRows();
    void AppendValueAttribute(std::string_view attrName, const FLDConv& converter,
                              std::string_view stored);

    bool utf8_;
    PacketBuffer out_;
    std::vector<Column> columns_;
    std::unique_ptr<FLDConv> rowState_;
    std::unique_ptr<OpenElement> open_;
    bool parametersBegun_ = false;
    bool parametersEnded_ = false;
    bool rowsBegun_ = false;
    std::string text_;  // scratch for value texts
};

}  // namespace velmora::datapacket
