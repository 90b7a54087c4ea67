#include "datapacket/binary_writer.h"

#include "datapacket/binary_values.h"
#include "datapacket/converter_factory.h"
#include "datapacket/packet_codes.h"
#include "platform/errors.h"

namespace velmora::datapacket {

namespace {

constexpr size_t kRowCountAt = 14;
constexpr size_t kFlagsAt = 18;
constexpr size_t kRowOffsetAt = 22;
constexpr uint32_t kFlagRowOffset = 2;
constexpr uint16_t kAttributeBits = 0x0F;
constexpr size_t kLongestName = 0xFF;

std::string LittleEndian(uint64_t value, size_t size) {
    std::string bytes;
    AppendLittleEndian(bytes, value, size);
    return bytes;
}

bool IsText(store::StoredType type) {
    return type.varying && !type.array && type.kind == store::StoredKind::Text;
}

// The prefix width a varying value of `length` bytes needs.
uint16_t PrefixWidthFor(size_t length) {
    if (length <= 0xFF) return 1;
    if (length <= 0xFFFF) return 2;
    return 4;
}

}  // namespace

BinaryPacketWriter::BinaryPacketWriter() = default;
BinaryPacketWriter::~BinaryPacketWriter() = default;

void BinaryPacketWriter::BeginPacket(size_t columnCount) {
    std::string header = LittleEndian(kBinarySignature, 4);
    header += LittleEndian(kBinaryMajorVersion, 2);
    header += LittleEndian(0, 2);
    header += LittleEndian(kBinaryHeaderSize, 4);
    header += LittleEndian(columnCount, 2);
    header += LittleEndian(0, 4);
    header += LittleEndian(kBinaryFlagDescribed, 4);
    header += LittleEndian(0, 2);
    out_.Append(header);
    columns_.reserve(columnCount);
}

void BinaryPacketWriter::AppendName(const std::string& name) {
    // The form gives a name one length byte; a longer one would not read back.
    if (name.size() > kLongestName) throw EStoreError(kCodeBadMetadata);
    out_.Append(static_cast<char>(name.size()));
    out_.Append(name);
}

void BinaryPacketWriter::StartCount() {
    countAt_ = out_.Size();
    count_ = 0;
    out_.Append(LittleEndian(0, 2));
}

void BinaryPacketWriter::RaiseCount() {
    out_.Overwrite(countAt_, LittleEndian(++count_, 2));
}

void BinaryPacketWriter::WriteColumn(const std::string& name, const ColumnFormat& format,
                                     uint16_t attributes) {
    // The reader refuses a nameless column (10038).
    if (name.empty()) throw EStoreError(kCodeBadMetadata);
    columns_.push_back(CreateConverter(name, format, PacketForm::Binary));
    AppendName(name);
    out_.Append(LittleEndian(format.type.Word(), 4));
    out_.Append(LittleEndian(attributes & kAttributeBits, 2));
    StartCount();
}

// Text values carry their closing zero byte (the reader drops one), so a text that itself
// ends in a zero byte reads back whole; the prefix is widened when the value needs it (the
// reader gives a parameter back the prefix its XML type name has).
void BinaryPacketWriter::AppendParameter(const store::Parameter& parameter) {
    store::StoredType type = parameter.type;
    std::string value = parameter.value;
    if (IsText(type)) value += '\0';
    if (type.varying && type.size < PrefixWidthFor(value.size()))
        type.size = PrefixWidthFor(value.size());
    scratch_.clear();
    if (IsText(type))
        AppendPrefixedBytes(scratch_, type.size, value);
    else
        CreateConverter(parameter.name, ColumnFormat{type}, PacketForm::Binary)
            ->Write(value, scratch_);
    AppendName(parameter.name);
    out_.Append(LittleEndian(type.Word(), 4));
    out_.Append(scratch_);
}

void BinaryPacketWriter::WriteFieldParameter(const store::Parameter& parameter) {
    AppendParameter(parameter);
    RaiseCount();
}

void BinaryPacketWriter::WriteTableParameter(const store::Parameter& parameter) {
    if (!tableParametersBegun_) StartCount();
    tableParametersBegun_ = true;
    AppendParameter(parameter);
    RaiseCount();
}

void BinaryPacketWriter::EndParameters() {
    if (!tableParametersBegun_) StartCount();
    tableParametersBegun_ = true;
    parametersEnded_ = true;
}

void BinaryPacketWriter::BeginRow(uint8_t state) {
    if (!parametersEnded_) EndParameters();
    if (rows_ == 0 && out_.Size() < 0x10000) {
        out_.Overwrite(kRowOffsetAt, LittleEndian(out_.Size(), 2));
        out_.Overwrite(kFlagsAt, LittleEndian(kBinaryFlagDescribed | kFlagRowOffset, 4));
    }
    out_.Append(static_cast<char>(state));
    marksAt_ = out_.Size();
    out_.Append(std::string((columns_.size() + 3) / 4, '\0'));
}

void BinaryPacketWriter::WriteValue(size_t column, ValueMark mark, std::string_view stored) {
    if (mark == ValueMark::Present) {
        scratch_.clear();
        columns_[column]->Write(stored, scratch_);
        out_.Append(scratch_);
        return;
    }
    const size_t at = marksAt_ + column / 4;
    const unsigned bit = 2 * (column % 4) + (mark == ValueMark::Unchanged ? 1 : 0);
    const char marks = static_cast<char>(static_cast<unsigned char>(out_.Bytes()[at]) | 1u << bit);
    out_.Overwrite(at, std::string_view(&marks, 1));
}

void BinaryPacketWriter::EndRow() {
    out_.Overwrite(kRowCountAt, LittleEndian(++rows_, 4));
}

std::string BinaryPacketWriter::EndPacket() {
    if (!parametersEnded_) EndParameters();
    return out_.Take();
}

}  // namespace velmora::datapacket
