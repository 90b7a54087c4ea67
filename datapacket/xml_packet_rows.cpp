#include "datapacket/xml_packet_reader.h"

#include "datapacket/packet_codes.h"
#include "platform/errors.h"

namespace velmora::datapacket {
namespace {

[[noreturn]] void Malformed() {
    throw EStoreError(kCodeMalformedPacket);
}

bool IsStart(const XmlToken& token) {
    return token.kind == TokenKind::StartTag || token.kind == TokenKind::EmptyElement ||
           token.kind == TokenKind::TextElement;
}

}  // namespace

bool XmlPacketReader::NextValue(std::string& stored, ValueMark& mark) {
    if (!rowsStarted_) {
        rowsStarted_ = true;
        if (!StartRows()) return false;
    }
    while (activeFrames_ > 0) {
        const size_t index = activeFrames_ - 1;
        RowFrame& frame = frames_[index];
        if (frame.column == RowFrame::kBetweenRows) {
            const XmlToken& token = tokens_.Next();
            if (token.kind == TokenKind::EndTag) {
                --activeFrames_;
                return false;
            }
            mark = ValueMark::Present;
            return StartRow(frame, token, stored);
        }
        if (frame.column < tables_[static_cast<size_t>(frame.table)].columns.size()) {
            ReadColumnValue(index, stored, mark);
            return true;
        }
        // Only the element-form and nested-table values that were read may stand in a row.
        if (frame.open && tokens_.Next().kind != TokenKind::EndTag) Malformed();
        frame.column = RowFrame::kBetweenRows;
    }
    return false;
}

// Finds ROWDATA after the metadata; false when it holds no rows.
bool XmlPacketReader::StartRows() {
    while (true) {
        const XmlToken& token = tokens_.Next();
        if (token.kind == TokenKind::End) Malformed();
        if (token.kind == TokenKind::EndTag) continue;
        if (token.level > metadataLevel_) throw EStoreError(kCodeBadMetadata);
        if (token.level < metadataLevel_ || token.name != "ROWDATA") Malformed();
        if (token.kind != TokenKind::StartTag) return false;
        PushFrame(0);
        return true;
    }
}

bool XmlPacketReader::StartRow(RowFrame& frame, const XmlToken& row, std::string& stored) {
    if (frame.first && row.name.substr(0, 3) != "ROW") Malformed();
    frame.first = false;
    frame.open = row.kind == TokenKind::StartTag;
    ParseAttributes(row.attributes, frame.attributes);
    frame.nextAttribute = 0;
    frame.state = 0;
    if (const XmlAttribute* state = FindRowAttribute(frame, "RowState")) {
        ByteCursor text(state->value);
        if (rowState_.Read(text, stored) == ValueMark::Present)
            frame.state = static_cast<uint8_t>(stored[0]);
    }
    frame.column = 0;
    stored.assign(1, static_cast<char>(frame.state));
    return true;
}

void XmlPacketReader::ReadColumnValue(size_t frameIndex, std::string& stored, ValueMark& mark) {
    RowFrame& frame = frames_[frameIndex];
    const PacketTable& table = tables_[static_cast<size_t>(frame.table)];
    const PacketColumn& column = table.columns[frame.column++];
    if (column.nestedTable >= 0) {
        mark = NestedValue(column, frame);
        stored.clear();
        if (mark == ValueMark::Present) PushFrame(column.nestedTable);
        return;
    }
    if (!column.inAttribute) {
        mark = ElementValue(column, frame, stored);
        return;
    }
    const XmlAttribute* attribute = FindRowAttribute(frame, column.lookupName);
    if (!attribute) {
        mark = AbsentMark(table, column, frame.state);
        stored.clear();
        return;
    }
    ByteCursor text(attribute->value);
    mark = column.converter->Read(text, stored);
}

ValueMark XmlPacketReader::ElementValue(const PacketColumn& column, const RowFrame& frame,
                                        std::string& stored) {
    stored.clear();
    const PacketTable& table = tables_[static_cast<size_t>(frame.table)];
    if (!frame.open || !IsStart(tokens_.Peek())) return AbsentMark(table, column, frame.state);
    if (tokens_.Peek().name != column.lookupName) Malformed();
    const XmlToken& element = tokens_.Next();
    if (element.kind == TokenKind::StartTag) Malformed();
    if (element.text.empty()) return ValueMark::Null;
    ByteCursor text(element.text);
    return column.converter->Read(text, stored);
}

ValueMark XmlPacketReader::NestedValue(const PacketColumn& column, const RowFrame& frame) {
    if (!frame.open) return ValueMark::Null;
    const XmlToken& next = tokens_.Peek();
    if (!IsStart(next) || next.name != column.lookupName) return ValueMark::Null;
    return tokens_.Next().kind == TokenKind::StartTag ? ValueMark::Present : ValueMark::Null;
}

// Attributes usually come in column order, so each look-up starts after the last match.
const XmlAttribute* XmlPacketReader::FindRowAttribute(RowFrame& frame, std::string_view name) {
    const size_t count = frame.attributes.size();
    for (size_t k = 0, i = frame.nextAttribute; k < count; ++k, ++i) {
        if (i == count) i = 0;
        if (frame.attributes[i].name == name) {
            frame.nextAttribute = i + 1;
            return &frame.attributes[i];
        }
    }
    return nullptr;
}

void XmlPacketReader::PushFrame(int table) {
    if (activeFrames_ == frames_.size()) frames_.emplace_back();
    RowFrame& frame = frames_[activeFrames_++];
    frame.table = table;
    frame.column = RowFrame::kBetweenRows;
    frame.first = true;
}

}  // namespace velmora::datapacket
