// PKREADER on binary packets built by hand.

#include <gtest/gtest.h>

#include "binary_packet_builder.h"
#include "datapacket/PKREADER.h"
#include "datapacket/packet_codes.h"
#include "store/decimal.h"
#include "store/store_codes.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;
using store::StoredType;
using testing::BinaryPacket;
using testing::LittleEndian;
using testing::Null;
using testing::Present;
using testing::ReadFailure;
using testing::ReadWhole;
using testing::Unchanged;
using Values = std::vector<testing::ReadValue>;

std::string Int32(int64_t value) {
    return LittleEndian(static_cast<uint64_t>(value), 4);
}
std::string Packed(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out += static_cast<char>(b);
    return out + std::string(18 - out.size(), '\0');
}

// numitem i4, marca text(30), preco fixed(15,4), foto blob, ativo boolean.
BinaryPacket FiveColumns(uint32_t rows) {
    BinaryPacket packet;
    packet.Header(5, rows);
    packet.Column("numitem", 0x10004, store::kColumnReadOnly);
    packet.Column("marca", 0x490001, 0, 1);
    packet.Parameter("WIDTH", 0x20002, LittleEndian(30, 2));
    packet.Column("preco", 0x50010, 0, 2);
    packet.Parameter("DECIMALS", 0x20002, LittleEndian(4, 2));
    packet.Parameter("WIDTH", 0x20002, LittleEndian(15, 2));
    packet.Column("foto", 0x4B0004, 0, 1);
    packet.Parameter("SUBTYPE", 0x490002, LittleEndian(9, 2) + std::string("Graphics\0", 9));
    packet.Column("ativo", 0x30002);
    packet.TableParameters(2);
    packet.Parameter("CHANGE_LOG", 0x820004, Int32(3) + Int32(3) + Int32(1) + Int32(8));
    packet.Parameter("LCID", 0x10002, LittleEndian(1046, 2));
    return packet;
}

// A row of FiveColumns with every value present: 1, "Acme", 12.5, "xy", true.
void AddFullRow(BinaryPacket& packet) {
    packet.Row(0, {0x00, 0x00});
    packet.Raw(Int32(1) + "\x04" + "Acme" + Packed({15, 4, 0, 0, 0, 0, 0x01, 0x25}) + Int32(2) +
               "xy" + LittleEndian(1, 2));
}

TEST(BinaryPacketTest, ReadsColumnsParametersAndRows) {
    BinaryPacket packet = FiveColumns(3);
    AddFullRow(packet);
    // The third column null: value 16 in the first mark byte, no bytes for it.
    packet.Row(1, {0x10, 0x01});
    packet.Raw(Int32(2) + std::string("\x01\0", 2) + Int32(0));
    // foto unchanged.
    packet.Row(8, {0x80, 0x00});
    packet.Raw(Int32(2) + "\x01z" + Packed({15, 0x84, 0, 0, 0, 0, 0, 0x30}) + LittleEndian(0, 2));

    const auto read = ReadWhole(packet.Bytes());
    ASSERT_EQ(read.columns.size(), 5u);
    EXPECT_EQ(read.columns[0].description,
              (store::ColumnDescription{"numitem", StoredType{StoredKind::SignedInt, 4},
                                        store::kColumnReadOnly}));
    EXPECT_EQ(read.columns[1].parameters,
              (std::vector<store::Parameter>{
                  {"WIDTH", StoredType{StoredKind::UnsignedInt, 2}, LittleEndian(30, 2)}}));
    EXPECT_EQ(read.columns[3].parameters.at(0).value, "Graphics");
    EXPECT_EQ(read.parameters.at(0).value, Int32(3) + Int32(1) + Int32(8));
    EXPECT_EQ(read.parameters.at(1).name, "LCID");
    ASSERT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.rows[0].values, (Values{Present(Int32(1)), Present("Acme"),
                                           Present(store::EncodeDecimalUnits(125000)),
                                           Present("xy"), Present(LittleEndian(1, 2))}));
    EXPECT_EQ(read.rows[1].state, 1);
    // An empty text travels as one zero byte.
    EXPECT_EQ(read.rows[1].values,
              (Values{Present(Int32(2)), Present(""), Null(), Present(""), Null()}));
    EXPECT_EQ(read.rows[2].values,
              (Values{Present(Int32(2)), Present("z"), Present(store::EncodeDecimalUnits(-30000)),
                      Unchanged(), Present(LittleEndian(0, 2))}));
}

TEST(BinaryPacketTest, OtherSignatureIsBinaryWhateverItsVersion) {
    BinaryPacket packet;
    packet.Header(1, 1, 1, 0x0000ABCD, 9, 9);
    packet.Column("a", 0x10004);
    packet.TableParameters(0);
    packet.Row(0, {0});
    packet.Int32(7);
    EXPECT_EQ(ReadWhole(packet.Bytes()).rows.at(0).values, (Values{Present(Int32(7))}));
}

// The varying mark frames texts and bytes only; a number carrying it is read whole.
TEST(BinaryPacketTest, AVaryingMarkOnANumberParameterIsDropped) {
    BinaryPacket packet;
    packet.Header(1, 1);
    packet.Column("a", 0x10004);
    packet.TableParameters(2);
    packet.Parameter("n", 0x410004, Int32(5));
    packet.Parameter("s", 0x490002, LittleEndian(2, 2) + "xy");
    packet.Row(0, {0});
    packet.Int32(7);
    const auto read = ReadWhole(packet.Bytes());
    EXPECT_EQ(read.parameters,
              (std::vector<store::Parameter>{{"n", StoredType{StoredKind::SignedInt, 4}, Int32(5)},
                                             {"s", StoredType{StoredKind::Text, 1, true}, "xy"}}));
}

BinaryPacket OneColumn(uint32_t flags = 1, uint32_t signature = BinaryPacket::kSignature,
                       uint16_t major = 1, uint16_t minor = 0) {
    BinaryPacket packet;
    packet.Header(1, 1, flags, signature, major, minor);
    packet.Column("a", 0x10004);
    packet.TableParameters(0);
    packet.Row(0, {0});
    packet.Int32(7);
    return packet;
}

std::string Cut(std::string bytes, size_t keep) {
    return bytes.substr(0, keep);
}

struct BinaryFailureCase {
    const char* name;
    std::string packet;
    int code;
};

class BinaryFailureTest : public ::testing::TestWithParam<BinaryFailureCase> {};

TEST_P(BinaryFailureTest, FailsWithItsCode) {
    EXPECT_EQ(ReadFailure(GetParam().packet), GetParam().code);
}

std::string ColumnWithoutName() {
    BinaryPacket packet;
    packet.Header(1, 0);
    packet.Column("", 0x10004);
    return packet.Bytes();
}

std::string ColumnOfUnknownKind() {
    BinaryPacket packet;
    packet.Header(1, 0);
    packet.Column("a", 0x3F0004);
    return packet.Bytes();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BinaryFailureTest,
    ::testing::Values(
        BinaryFailureCase{"Readable", OneColumn().Bytes(), 0},
        // A signature or version that does not match makes the packet XML, which it is not.
        BinaryFailureCase{"VersionTooHigh", OneColumn(1, BinaryPacket::kSignature, 4).Bytes(),
                          kCodeMalformedPacket},
        BinaryFailureCase{"MinorVersionTooHigh",
                          OneColumn(1, BinaryPacket::kSignature, 1, 4).Bytes(),
                          kCodeMalformedPacket},
        BinaryFailureCase{"OtherSignature", OneColumn(1, 0x5E7A1C44).Bytes(), kCodeMalformedPacket},
        BinaryFailureCase{"NoDescriptions", OneColumn(2).Bytes(), kCodeNoMetadata},
        BinaryFailureCase{"ColumnWithoutName", ColumnWithoutName(), kCodeColumnWithoutName},
        BinaryFailureCase{"UnknownKind", ColumnOfUnknownKind(), kCodeUnknownFieldType},
        BinaryFailureCase{"CutInTheHeader", Cut(OneColumn().Bytes(), 20), kCodeMalformedPacket},
        BinaryFailureCase{"CutInAColumn", Cut(OneColumn().Bytes(), 28), kCodeMalformedPacket},
        BinaryFailureCase{"CutInTheParameterCount", Cut(OneColumn().Bytes(), 35),
                          kCodeMalformedPacket},
        BinaryFailureCase{"CutInARow", Cut(OneColumn().Bytes(), 39), kCodeMalformedPacket}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BinaryFailureTest, EveryCutOfAPacketFailsCleanly) {
    BinaryPacket packet = FiveColumns(1);
    AddFullRow(packet);
    const std::string bytes = packet.Bytes();
    EXPECT_EQ(ReadFailure(bytes), 0);
    for (size_t keep = 8; keep < bytes.size(); ++keep)
        EXPECT_EQ(ReadFailure(bytes.substr(0, keep)), kCodeMalformedPacket) << keep;
}

}  // namespace
}  // namespace velmora::datapacket
