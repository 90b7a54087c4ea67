#include "datapacket/binary_packet_reader.h"

#include "datapacket/binary_header.h"
#include "datapacket/binary_values.h"
#include "datapacket/converter_factory.h"
#include "datapacket/field_types.h"
#include "datapacket/packet_codes.h"
#include "platform/errors.h"

namespace velmora::datapacket {
namespace {

// 2 bits per column: null, then unchanged.
constexpr int kNullBit = 1;
constexpr int kUnchangedBit = 2;
constexpr uint16_t kXmlPrefixWidth = kStringType.size;

bool FramedByPrefix(store::StoredKind kind) {
    using store::StoredKind;
    return kind == StoredKind::Text || kind == StoredKind::WideText || kind == StoredKind::Bytes ||
           kind == StoredKind::BytesAlt;
}

// The prefix only frames a varying value here (the writer widens it to fit), so the parameter
// keeps the type its XML name gives, as when read from XML. A number or date is read whole
// whatever its type word says, and loses a varying mark that would frame it when written.
void KeepTypeOfXml(store::StoredType& type) {
    if (!type.varying) return;
    if (FramedByPrefix(type.kind))
        type.size = kXmlPrefixWidth;
    else
        type.varying = false;
}

}  // namespace

bool IsBinaryPacket(std::string_view buffer) {
    ByteCursor cursor(buffer);
    uint32_t signature = 0;
    uint16_t major = 0, minor = 0;
    if (!cursor.TakeLittleEndian(signature)) return false;
    if (signature == kBinaryOtherSignature) return true;
    return signature == kBinarySignature && cursor.TakeLittleEndian(major) &&
           cursor.TakeLittleEndian(minor) && major <= kBinaryHighestVersion &&
           minor <= kBinaryHighestVersion;
}

BinaryPacketReader::BinaryPacketReader(std::string_view buffer) : cursor_(buffer) {
    ByteCursor header(TakeOrFail(cursor_, kHeaderSize));
    header.Advance(8);  // signature and versions, checked by IsBinaryPacket
    const uint32_t headerSize = TakeLittleEndianOrFail<uint32_t>(header);
    const uint16_t columnCount = TakeLittleEndianOrFail<uint16_t>(header);
    rowCount_ = TakeLittleEndianOrFail<uint32_t>(header);
    const uint32_t flags = TakeLittleEndianOrFail<uint32_t>(header);
    if ((flags & kBinaryFlagDescribed) == 0) throw EStoreError(kCodeNoMetadata);
    if (headerSize < kHeaderSize || headerSize > buffer.size())
        throw EStoreError(kCodeMalformedPacket);
    cursor_.Seek(headerSize);
    tables_.emplace_back();
    columnsLeft_.push_back(columnCount);
    describing_.push_back(0);
}

std::string BinaryPacketReader::ReadName() {
    const uint8_t length = TakeLittleEndianOrFail<uint8_t>(cursor_);
    return std::string(TakeOrFail(cursor_, length));
}

void BinaryPacketReader::QueueParameters(uint16_t count, bool tableLevel) {
    std::string value;
    for (uint16_t i = 0; i < count; ++i) {
        store::Parameter parameter;
        parameter.name = ReadName();
        parameter.type = store::StoredType::FromWord(TakeLittleEndianOrFail<uint32_t>(cursor_));
        const std::unique_ptr<FLDConv> converter =
            CreateConverter(parameter.name, ColumnFormat{parameter.type}, PacketForm::Binary);
        converter->Read(cursor_, parameter.value);
        KeepTypeOfXml(parameter.type);
        QueueParameter(std::move(parameter), tableLevel);
    }
}

bool BinaryPacketReader::NextColumn(int table, store::ColumnDescription& column) {
    uint32_t& left = columnsLeft_[static_cast<size_t>(table)];
    if (left == 0) {
        if (tables_[static_cast<size_t>(table)].columns.empty())
            throw EStoreError(kCodeMalformedPacket);
        if (table == 0) QueueParameters(TakeLittleEndianOrFail<uint16_t>(cursor_), true);
        return false;
    }
    --left;
    column.name = ReadName();
    if (column.name.empty()) throw EStoreError(kCodeColumnWithoutName);
    std::string lookupName = column.name;
    if (column.name.size() > kMaxColumnName) column.name.resize(kMaxColumnName);
    column.type = store::StoredType::FromWord(TakeLittleEndianOrFail<uint32_t>(cursor_));
    column.attributes = TakeLittleEndianOrFail<uint16_t>(cursor_);
    QueueParameters(TakeLittleEndianOrFail<uint16_t>(cursor_), false);
    const PacketColumn& added = AddColumn(table, column, std::move(lookupName), PacketForm::Binary);
    if (added.nestedTable >= 0) columnsLeft_.push_back(column.type.size);
    return true;
}

bool BinaryPacketReader::NextValue(std::string& stored, ValueMark& mark) {
    if (!rowsStarted_) {
        rowsStarted_ = true;
        frames_.push_back({0, rowCount_});
    }
    while (!frames_.empty()) {
        RowFrame& frame = frames_.back();
        if (frame.column == SIZE_MAX) {
            if (frame.rowsLeft == 0) {
                frames_.pop_back();
                return false;
            }
            mark = ValueMark::Present;
            return StartRow(frame, stored);
        }
        const PacketTable& table = tables_[static_cast<size_t>(frame.table)];
        if (frame.column < table.columns.size()) {
            const int nestedTable = table.columns[frame.column].nestedTable;
            int nestedRows = 0;
            mark = ReadColumnValue(frame, stored, nestedRows);
            if (nestedRows > 0) frames_.push_back({nestedTable, static_cast<uint32_t>(nestedRows)});
            return true;
        }
        frame.column = SIZE_MAX;
    }
    return false;
}

bool BinaryPacketReader::StartRow(RowFrame& frame, std::string& stored) {
    --frame.rowsLeft;
    frame.state = TakeLittleEndianOrFail<uint8_t>(cursor_);
    const size_t columns = tables_[static_cast<size_t>(frame.table)].columns.size();
    frame.marks = TakeOrFail(cursor_, (columns + 3) / 4);
    frame.column = 0;
    stored.assign(1, static_cast<char>(frame.state));
    return true;
}

ValueMark BinaryPacketReader::ReadColumnValue(RowFrame& frame, std::string& stored,
                                              int& nestedRows) {
    const size_t index = frame.column++;
    const PacketColumn& column = tables_[static_cast<size_t>(frame.table)].columns[index];
    const int bits = static_cast<unsigned char>(frame.marks[index / 4]) >> (2 * (index % 4));
    stored.clear();
    if (bits & kNullBit) return ValueMark::Null;
    if (bits & kUnchangedBit) return ValueMark::Unchanged;
    const ValueMark mark = column.converter->Read(cursor_, stored);
    if (column.nestedTable >= 0 && mark == ValueMark::Present)
        nestedRows = static_cast<int>(SignedValueOf(stored));
    return mark;
}

}  // namespace velmora::datapacket
