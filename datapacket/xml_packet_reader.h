#pragma once
// The packet reader of the XML form, straight from the document's bytes: no tree is built,
// values are decoded from the attribute text into the caller's buffer.
//
// Document: an optional DATAPACKET root, then METADATA (FIELDS, optional PARAMS) and ROWDATA.
// Every element of FIELDS up to its end (or up to a PARAMS start tag) describes one column,
// whatever its name; a FIELD may hold PARAM children and, for a nested table, that table's
// FIELDS and PARAMS. Each child of ROWDATA is a row (the first one's name must begin with
// "ROW"); its values are its attributes named by the columns' attrname, or child elements
// for columns declared by tagname and for nested tables, in column order.

#include <string_view>
#include <vector>

#include "datapacket/FLDCInt.h"
#include "datapacket/packet_source.h"
#include "datapacket/row_attribute_index.h"
#include "datapacket/xml_attributes.h"
#include "datapacket/xml_text.h"
#include "datapacket/xml_tokenizer.h"

namespace velmora::datapacket {

class XmlPacketReader : public PacketSource {
public:
    // Reads up to the first column description. REQUIRES: buffer outlives the reader.
    explicit XmlPacketReader(std::string_view buffer);

private:
    // Where a table's description stands in the document.
    struct TableElements {
        bool fieldsOpen = false;  // its FIELDS element has content
        int fieldLevel = 0;       // nested table: level of the FIELD that holds it
    };

    struct RowFrame {
        static constexpr size_t kBetweenRows = SIZE_MAX;
        int table = 0;
        size_t column = kBetweenRows;  // the next column to read
        bool first = true;
        bool open = false;  // the row element has children
        uint8_t state = 0;
        // Per attribute slot of the table (row_attribute_index.h): the value, valid when
        // `seen` holds this row's stamp.
        std::vector<std::string_view> values;
        std::vector<uint32_t> seen;
        uint32_t stamp = 0;
    };

    // Metadata (xml_packet_metadata.cpp).
    bool NextColumn(int table, store::ColumnDescription& column) override;
    void LeaveNestedTable(int table) override;
    bool EndOfColumns(int table, const XmlToken* params);
    void ReadColumnElement(int table, const XmlToken& field, store::ColumnDescription& column);
    bool ReadFieldChildren(bool nested);
    void QueueParamsElement(const XmlToken& params);
    void QueueParamElement(const XmlToken& param, bool tableLevel);
    store::Parameter MakeParameter(std::string name, store::StoredType type, std::string_view text);
    std::string Decoded(std::string_view text) const;

    // Rows (xml_packet_rows.cpp).
    bool NextValue(std::string& stored, ValueMark& mark) override;
    bool StartRows();
    void IndexRowAttributes();
    void StartRow(RowFrame& frame, const XmlToken& row, std::string& stored);
    void ReadColumnValue(size_t frameIndex, std::string& stored, ValueMark& mark);
    ValueMark ElementValue(const PacketColumn& column, const RowFrame& frame, std::string& stored);
    ValueMark NestedValue(const PacketColumn& column, const RowFrame& frame);
    void TakeRowAttributes(RowFrame& frame, std::string_view attributes);
    // The value of attribute slot `slot` in the current row of `frame`, or nullptr.
    static const std::string_view* RowAttribute(const RowFrame& frame, size_t slot);
    void PushFrame(int table);

    XmlText text_;
    XmlTokenizer tokens_;
    WideBytes wideBytes_;
    int metadataLevel_ = 0;
    std::vector<TableElements> elements_;  // per table
    std::vector<XmlAttribute> attributes_;
    std::vector<RowAttributeIndex> rowAttributes_;  // per table
    std::vector<RowFrame> frames_;  // the rows being read, innermost last; kept for reuse
    size_t activeFrames_ = 0;
    bool rowsStarted_ = false;
    FLDCInt8 rowState_{"RowState", PacketForm::Xml};
};

}  // namespace velmora::datapacket
