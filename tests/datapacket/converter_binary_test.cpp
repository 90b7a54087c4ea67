// The binary direction of the value converters.

#include <gtest/gtest.h>

#include "datapacket/converter_factory.h"
#include "datapacket/packet_codes.h"
#include "packet_test_util.h"
#include "platform/errors.h"
#include "store/decimal.h"
#include "store/store_codes.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;
using store::StoredType;
using testing::LittleEndian;

ColumnFormat Format(StoredType type, uint16_t width = 0, uint16_t scale = 0) {
    return ColumnFormat{type, width, scale, 0};
}
const ColumnFormat kFixed = Format(StoredType{StoredKind::Bcd, 32}, 15, 4);

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out += static_cast<char>(b);
    return out;
}

// Precision, sign and scale, then 16 packed bytes.
std::string Bcd(int precision, int signAndScale, std::initializer_list<int> packed) {
    std::string out = Bytes({precision, signAndScale}) + Bytes(packed);
    return out + std::string(18 - out.size(), '\0');
}

struct BinaryCase {
    const char* name;
    ColumnFormat format;
    std::string stored;
    std::string binary;
};

class BinaryFormTest : public ::testing::TestWithParam<BinaryCase> {};

TEST_P(BinaryFormTest, WritesAndReadsBack) {
    const auto converter = CreateConverter("c", GetParam().format, PacketForm::Binary);
    std::string binary;
    converter->Write(GetParam().stored, binary);
    EXPECT_EQ(binary, GetParam().binary);
    const std::string packet = binary + "tail";
    ByteCursor in(packet);
    std::string stored;
    EXPECT_EQ(converter->Read(in, stored), ValueMark::Present);
    EXPECT_EQ(stored, GetParam().stored);
    EXPECT_EQ(in.Rest(), "tail");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BinaryFormTest,
    ::testing::Values(
        BinaryCase{"Int16", Format({StoredKind::SignedInt, 2}), LittleEndian(0xFFFE, 2),
                   LittleEndian(0xFFFE, 2)},
        BinaryCase{"Boolean", Format({StoredKind::Boolean, 2}), LittleEndian(1, 2),
                   LittleEndian(1, 2)},
        BinaryCase{"Date", Format({StoredKind::Date, 4}), LittleEndian(738916, 4),
                   LittleEndian(738916, 4)},
        BinaryCase{"Fixed", kFixed, store::EncodeDecimalUnits(125000),
                   Bcd(15, 4, {0, 0, 0, 0, 0x01, 0x25, 0, 0})},
        BinaryCase{"FixedNegative", kFixed, store::EncodeDecimalUnits(-30000),
                   Bcd(15, 0x84, {0, 0, 0, 0, 0, 0x30})},
        BinaryCase{"Text", Format({StoredKind::Text, 1, true}, 20), "abc",
                   Bytes({3, 'a', 'b', 'c'})},
        BinaryCase{"EmptyTextIsOneZeroByte", Format({StoredKind::Text, 1, true}, 20), "",
                   Bytes({1, 0})},
        BinaryCase{"LongText", Format({StoredKind::Text, 2, true}, 300), std::string(300, 'x'),
                   LittleEndian(300, 2) + std::string(300, 'x')},
        BinaryCase{"Blob", Format({StoredKind::Bytes, 4, true}), std::string("x\0y", 3),
                   LittleEndian(3, 4) + std::string("x\0y", 3)},
        BinaryCase{"EmptyBlob", Format({StoredKind::Bytes, 4, true}), "", LittleEndian(0, 4)},
        BinaryCase{"Wide", Format({StoredKind::WideText, 1, true}, 10),
                   testing::StoredWide(u"\u00E9"), Bytes({2, 0xE9, 0})},
        BinaryCase{"FixedBytes", Format({StoredKind::Bytes, 3}), std::string("a\0b", 3),
                   std::string("a\0b", 3)},
        BinaryCase{"Array", Format({StoredKind::UnsignedInt, 2, false, true}),
                   LittleEndian(0x8001, 2) + LittleEndian(2, 2),
                   LittleEndian(2, 4) + LittleEndian(0x8001, 2) + LittleEndian(2, 2)},
        BinaryCase{"Extended", Format({StoredKind::Real, 10}), std::string(10, '\x7F'),
                   std::string(10, '\x7F')},
        BinaryCase{"SqlDateTime", Format({StoredKind::SqlDateTime, 16}), std::string(16, '\x02'),
                   std::string(16, '\x02')}),
    [](const auto& info) { return std::string(info.param.name); });

ValueMark ReadBinary(const ColumnFormat& format, std::string_view binary, std::string& stored) {
    const auto converter = CreateConverter("c", format, PacketForm::Binary);
    ByteCursor in(binary);
    return converter->Read(in, stored);
}

int ReadBinaryFailure(const ColumnFormat& format, std::string_view binary) {
    std::string stored;
    try {
        ReadBinary(format, binary, stored);
    } catch (const EStoreError& error) {
        return error.Code();
    }
    return 0;
}

TEST(BinaryFormTest, FixedIsRescaledToTheColumn) {
    std::string stored;
    ASSERT_EQ(ReadBinary(kFixed, Bcd(4, 2, {0x12, 0x50}), stored), ValueMark::Present);
    EXPECT_EQ(store::DecodeDecimalUnits(stored), 125000);
    ASSERT_EQ(ReadBinary(kFixed, Bcd(6, 6, {0x12, 0x34, 0x56}), stored), ValueMark::Present);
    EXPECT_EQ(store::DecodeDecimalUnits(stored), 1234);
}

TEST(BinaryFormTest, BlobWhoseDataIsNotInThePacketIsNull) {
    std::string stored = "old";
    EXPECT_EQ(ReadBinary(Format({StoredKind::Bytes, 4, true}), LittleEndian(0xFFFFFFFF, 4), stored),
              ValueMark::Null);
}

TEST(BinaryFormTest, DamagedValuesFail) {
    const std::string fixed12Digits = Bcd(12, 0, {0x12, 0x34, 0x56, 0x78, 0x90, 0x12});
    const std::pair<ColumnFormat, std::string> malformed[] = {
        {Format({StoredKind::SignedInt, 4}), "abc"},
        {Format({StoredKind::Text, 1, true}, 10), Bytes({5, 'a'})},
        {Format({StoredKind::Bytes, 4, true}), LittleEndian(0x7FFFFFFF, 4)},
        {kFixed, Bcd(33, 0, {})},
        {kFixed, Bcd(2, 0, {0xA0})},
        {Format({StoredKind::UnsignedInt, 4, false, true}), LittleEndian(1000, 4) + "xy"},
    };
    for (const auto& [format, binary] : malformed)
        EXPECT_EQ(ReadBinaryFailure(format, binary), kCodeMalformedPacket);
    EXPECT_EQ(ReadBinaryFailure(kFixed, fixed12Digits), store::kCodeValueOutOfRange);
}

TEST(ConverterFactoryTest, TypesWithoutConverterAreRefused) {
    const StoredType refused[] = {
        {StoredKind::SignedInt, 3}, {StoredKind::Boolean, 8}, {StoredKind::Real, 4},
        {StoredKind::Reference, 0}, {StoredKind::None, 0},    {StoredKind::Text, 1, true, true},
    };
    for (const StoredType& type : refused) {
        try {
            CreateConverter("c", Format(type), PacketForm::Binary);
            ADD_FAILURE() << type.Word();
        } catch (const EStoreError& error) {
            EXPECT_EQ(error.Code(), kCodeUnknownFieldType) << type.Word();
        }
    }
    EXPECT_THROW(CreateConverter("c", Format({StoredKind::Date, 4, false, true}), PacketForm::Xml),
                 EStoreError);
}

}  // namespace
}  // namespace velmora::datapacket
