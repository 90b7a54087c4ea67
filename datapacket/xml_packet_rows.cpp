#include "datapacket/xml_packet_reader.h"

#include <algorithm>

#include "datapacket/packet_codes.h"
#include "platform/errors.h"

namespace velmora::datapacket {

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
            StartRow(frame, token, stored);
            return true;
        }
        if (frame.column < tables_[static_cast<size_t>(frame.table)].columns.size()) {
            ReadColumnValue(index, stored, mark);
            return true;
        }
        // Only the element-form and nested-table values that were read may stand in a row.
        if (frame.open && tokens_.Next().kind != TokenKind::EndTag) RaiseMalformed();
        frame.column = RowFrame::kBetweenRows;
    }
    return false;
}

// Finds ROWDATA after the metadata; false when it holds no rows.
bool XmlPacketReader::StartRows() {
    while (true) {
        const XmlToken& token = tokens_.Next();
        if (token.kind == TokenKind::End) RaiseMalformed();
        if (token.kind == TokenKind::EndTag) continue;
        if (token.level > metadataLevel_) throw EStoreError(kCodeBadMetadata);
        if (token.level < metadataLevel_ || token.name != "ROWDATA") RaiseMalformed();
        if (token.kind != TokenKind::StartTag) return false;
        IndexRowAttributes();
        PushFrame(0);
        return true;
    }
}

// Slot i of a table is its column i (none for element-form and nested-table columns), the
// last slot RowState.
void XmlPacketReader::IndexRowAttributes() {
    for (const PacketTable& table : tables_) {
        std::vector<std::string_view> names;
        for (const PacketColumn& column : table.columns)
            names.push_back(column.inAttribute && column.nestedTable < 0 ? column.lookupName
                                                                         : std::string_view());
        names.push_back("RowState");
        rowAttributes_.emplace_back(std::move(names));
    }
}

void XmlPacketReader::StartRow(RowFrame& frame, const XmlToken& row, std::string& stored) {
    if (frame.first && row.name.substr(0, 3) != "ROW") RaiseMalformed();
    frame.first = false;
    frame.open = row.kind == TokenKind::StartTag;
    TakeRowAttributes(frame, row.attributes);
    frame.state = 0;
    if (const std::string_view* state = RowAttribute(frame, frame.values.size() - 1)) {
        ByteCursor text(*state);
        if (rowState_.Read(text, stored) == ValueMark::Present)
            frame.state = static_cast<uint8_t>(stored[0]);
    }
    frame.column = 0;
    stored.assign(1, static_cast<char>(frame.state));
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
    const std::string_view* attribute = RowAttribute(frame, frame.column - 1);
    if (!attribute) {
        mark = AbsentMark(table, column, frame.state);
        stored.clear();
        return;
    }
    ByteCursor text(*attribute);
    mark = column.converter->Read(text, stored);
}

ValueMark XmlPacketReader::ElementValue(const PacketColumn& column, const RowFrame& frame,
                                        std::string& stored) {
    stored.clear();
    const PacketTable& table = tables_[static_cast<size_t>(frame.table)];
    if (!frame.open || !IsElementStart(tokens_.Peek()))
        return AbsentMark(table, column, frame.state);
    if (tokens_.Peek().name != column.lookupName) RaiseMalformed();
    const XmlToken& element = tokens_.Next();
    if (element.kind == TokenKind::StartTag) RaiseMalformed();
    if (element.text.empty()) return ValueMark::Null;
    ByteCursor text(element.text);
    return column.converter->Read(text, stored);
}

ValueMark XmlPacketReader::NestedValue(const PacketColumn& column, const RowFrame& frame) {
    if (!frame.open) return ValueMark::Null;
    const XmlToken& next = tokens_.Peek();
    if (!IsElementStart(next) || next.name != column.lookupName) return ValueMark::Null;
    return tokens_.Next().kind == TokenKind::StartTag ? ValueMark::Present : ValueMark::Null;
}

// One pass over the row's attributes; the first one of a name counts.
void XmlPacketReader::TakeRowAttributes(RowFrame& frame, std::string_view attributes) {
    if (++frame.stamp == 0) {
        std::fill(frame.seen.begin(), frame.seen.end(), 0);
        frame.stamp = 1;
    }
    const RowAttributeIndex& index = rowAttributes_[static_cast<size_t>(frame.table)];
    ForEachAttribute(attributes, [&](std::string_view name, std::string_view value) {
        for (int slot = index.Find(name); slot != RowAttributeIndex::kNone;
             slot = index.Next(slot)) {
            const auto at = static_cast<size_t>(slot);
            if (frame.seen[at] == frame.stamp) continue;
            frame.seen[at] = frame.stamp;
            frame.values[at] = value;
        }
    });
}

const std::string_view* XmlPacketReader::RowAttribute(const RowFrame& frame, size_t slot) {
    return frame.seen[slot] == frame.stamp ? &frame.values[slot] : nullptr;
}

void XmlPacketReader::PushFrame(int table) {
    if (activeFrames_ == frames_.size()) frames_.emplace_back();
    RowFrame& frame = frames_[activeFrames_++];
    frame.table = table;
    frame.column = RowFrame::kBetweenRows;
    frame.first = true;
    const size_t slots = rowAttributes_[static_cast<size_t>(table)].SlotCount();
    frame.values.assign(slots, {});
    frame.seen.assign(slots, 0);
    frame.stamp = 0;
}

}  // namespace velmora::datapacket
