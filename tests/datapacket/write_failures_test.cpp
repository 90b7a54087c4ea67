// Every failure code of the writer, each with the smallest table or call sequence that
// shows it, and the growth of the packet buffer.

#include <gtest/gtest.h>

#include "datapacket/PKWRITER.h"
#include "datapacket/packet_codes.h"
#include "datapacket/packet_writer_buffer.h"
#include "datapacket/packet_writer_table.h"
#include "platform/errors.h"
#include "store/STBASE.h"

namespace velmora::datapacket {
namespace {

using store::LogicalType;

int CodeOfWriting(std::vector<store::StoredColumn> columns, int mode) {
    const auto table = store::STBASE::Create(std::move(columns));
    try {
        WritePacket(*table, mode);
    } catch (const EStoreError& error) {
        return error.Code();
    }
    return 0;
}

struct FailureCase {
    const char* name;
    const char* columnName;
    LogicalType type;
    int mode;
    int code;
};

const FailureCase kFailures[] = {
    {"UnsignedEightBytesHasNoXmlName", "u", LogicalType::UInt64, kModeXml, kCodeNoXmlType},
    {"TenByteRealHasNoXmlName", "r", LogicalType::Real10, kModeXmlUtf8, kCodeNoXmlType},
    {"RowStateNameRefusedInXml", "RowState", LogicalType::Int32, kModeXml, kCodeBadMetadata},
    {"RowStateNameRefusedInBinary", "RowState", LogicalType::Int32, kModeBinary, kCodeBadMetadata},
    {"TenByteRealWritesInBinary", "r", LogicalType::Real10, kModeBinary, 0},
    {"BlobWithoutSubtypeHasNoXmlForm", "b", LogicalType::Blob, kModeXml, kCodeNoXmlType},
    {"BlobWithoutSubtypeWritesInBinary", "b", LogicalType::Blob, kModeBinary, 0},
    // A ROW start tag cannot give these names back: "=" ends a name, ">" the tag, and bytes up
    // to 32 around a name are dropped.
    {"EqualsSignInANameRefusedInXml", "a=b", LogicalType::Int32, kModeXml, kCodeBadMetadata},
    {"GreaterThanInANameRefusedInXml", "a>b", LogicalType::Int32, kModeXmlUtf8, kCodeBadMetadata},
    {"TabEndingANameRefusedInXml", "ab\t", LogicalType::Int32, kModeXml, kCodeBadMetadata},
    {"LineFeedStartingANameRefusedInXml", "\nab", LogicalType::Int32, kModeXml, kCodeBadMetadata},
    {"ControlByteEndingANameRefusedInXml", "ab\x01", LogicalType::Int32, kModeXml,
     kCodeBadMetadata},
    {"EqualsSignInANameWritesInBinary", "a=b", LogicalType::Int32, kModeBinary, 0},
    // The binary reader refuses a nameless column.
    {"EmptyNameRefusedInBinary", "", LogicalType::Int32, kModeBinary, kCodeBadMetadata},
    {"EmptyNameRefusedInXml", "", LogicalType::Int32, kModeXml, kCodeBadMetadata},
};

class WriteFailure : public ::testing::TestWithParam<FailureCase> {};

TEST(WriteFailureNames, ColumnsUnderOneAttributeNameAreRefusedInXmlOnly) {
    store::StoredColumn spaced, underscored;
    spaced.name = "a b";
    underscored.name = "a_b";
    spaced.type = underscored.type = LogicalType::Int32;
    EXPECT_EQ(CodeOfWriting({spaced, underscored}, kModeXml), kCodeBadMetadata);
    EXPECT_EQ(CodeOfWriting({spaced, underscored}, kModeBinary), 0);
}

// The binary form gives a name one length byte.
struct NameCase {
    const char* name;
    size_t columnName;
    size_t parameterName;
    int code;
};

const NameCase kNames[] = {
    {"ColumnNameOf255BytesWrites", 255, 1, 0},
    {"ColumnNameOf256BytesIsRefused", 256, 1, kCodeBadMetadata},
    {"ParameterNameOf255BytesWrites", 1, 255, 0},
    {"ParameterNameOf256BytesIsRefused", 1, 256, kCodeBadMetadata},
};

class BinaryNameLength : public ::testing::TestWithParam<NameCase> {};

TEST_P(BinaryNameLength, IsRefusedBeyondOneLengthByte) {
    store::StoredColumn column;
    column.name = std::string(GetParam().columnName, 'c');
    column.type = LogicalType::Int32;
    column.parameters.push_back(
        store::Parameter{std::string(GetParam().parameterName, 'p'),
                         store::StoredType{store::StoredKind::Text, 1, true}, "x"});
    EXPECT_EQ(CodeOfWriting({column}, kModeBinary), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Names, BinaryNameLength, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(WriteFailure, ReturnsItsCode) {
    store::StoredColumn column;
    column.name = GetParam().columnName;
    column.type = GetParam().type;
    EXPECT_EQ(CodeOfWriting({column}, GetParam().mode), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Columns, WriteFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// XML reads WIDTH and DECIMALS as "i2"; the binary form carries them up to 65535.
struct SizeCase {
    const char* name;
    LogicalType type;
    uint16_t width;
    uint16_t scale;
    int mode;
    int code;
};

const SizeCase kSizes[] = {
    {"TextWidthOf32767Writes", LogicalType::Text, 32767, 0, kModeXml, 0},
    {"TextWidthOf32768IsRefusedInXml", LogicalType::Text, 32768, 0, kModeXml, kCodeBadMetadata},
    {"TextWidthOf65535WritesInBinary", LogicalType::Text, 65535, 0, kModeBinary, 0},
    {"BytesWidthOf40000IsRefusedInXml", LogicalType::FixedBytes, 40000, 0, kModeXmlUtf8,
     kCodeBadMetadata},
    {"ScaleOf32768IsRefusedInXml", LogicalType::Int32, 0, 32768, kModeXml, kCodeBadMetadata},
};

class WriteSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(WriteSize, FitsTheFormOrIsRefused) {
    store::StoredColumn column;
    column.name = "c";
    column.type = GetParam().type;
    column.width = GetParam().width;
    column.scale = GetParam().scale;
    EXPECT_EQ(CodeOfWriting({column}, GetParam().mode), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Columns, WriteSize, ::testing::ValuesIn(kSizes),
                         [](const auto& info) { return std::string(info.param.name); });

const ColumnFormat kInt32{store::StoredType{store::StoredKind::SignedInt, 4}};

TEST(WriteFailureCalls, NoColumnAtAllIsRefused) {
    for (int mode : {kModeBinary, kModeXml}) {
        PKWRITER writer;
        writer.SetPacketForm(mode);
        EXPECT_EQ(writer.BeginPacket(0), kCodeBadMetadata);
    }
}

TEST(WriteFailureCalls, MoreColumnsThanAnnouncedAreRefused) {
    PKWRITER writer;
    writer.SetPacketForm(kModeXml);
    ASSERT_EQ(writer.BeginPacket(1), 0);
    ASSERT_EQ(writer.WriteColumn("a", kInt32, 0), 0);
    EXPECT_EQ(writer.WriteColumn("b", kInt32, 0), kCodeBadMetadata);
}

TEST(WriteFailureCalls, ArrayOfPrefixedElementsHasNoConverter) {
    PKWRITER writer;
    writer.SetPacketForm(kModeBinary);
    ASSERT_EQ(writer.BeginPacket(1), 0);
    const ColumnFormat textArray{store::StoredType{store::StoredKind::Text, 1, true, true}};
    EXPECT_EQ(writer.WriteColumn("a", textArray, 0), kCodeUnknownFieldType);
}

TEST(WriteFailureCalls, UnfinishedRowIsRefusedAtTheEnd) {
    PKWRITER writer;
    writer.SetPacketForm(kModeXml);
    ASSERT_EQ(writer.BeginPacket(2), 0);
    ASSERT_EQ(writer.WriteColumn("a", kInt32, 0), 0);
    ASSERT_EQ(writer.WriteColumn("b", kInt32, 0), 0);
    ASSERT_EQ(writer.WriteParameter(ParameterLevel::Table, {}), 0);
    ASSERT_EQ(writer.WriteValue(ValueMark::Present, std::string(1, '\0')), 0);
    ASSERT_EQ(writer.WriteValue(ValueMark::Null, {}), 0);
    std::string packet;
    EXPECT_EQ(writer.EndPacket(packet), kCodeBadMetadata);
}

void Fill(PacketBuffer& buffer) {
    buffer.Append(std::string(buffer.Capacity() - buffer.Size(), 'x'));
}

TEST(PacketBufferGrowth, AlternatesStepAndDoublingCappedAtOnce) {
    PacketBuffer buffer;
    EXPECT_EQ(buffer.Capacity(), 32768u);
    Fill(buffer);
    EXPECT_EQ(buffer.Capacity(), 32768u);
    buffer.EnsureRoom(1);
    EXPECT_EQ(buffer.Capacity(), 65536u);  // step
    buffer.EnsureRoom(40000);
    EXPECT_EQ(buffer.Capacity(), 131072u);  // doubling
    buffer.EnsureRoom(200000);
    EXPECT_EQ(buffer.Capacity(), 32768u + 200000u);  // step, as large as the piece needs
    const size_t expected[] = {465536, 498304, 996608, 1029376, 1029376 + 1024000};
    for (size_t capacity : expected) {
        Fill(buffer);
        buffer.EnsureRoom(1);
        EXPECT_EQ(buffer.Capacity(), capacity);
    }
    EXPECT_EQ(buffer.Take().size(), 1029376u);
}

}  // namespace
}  // namespace velmora::datapacket
