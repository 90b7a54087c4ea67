// PKREADER on XML documents: what each document reads to.

#include <gtest/gtest.h>

#include "datapacket/PKREADER.h"
#include "datapacket/field_types.h"
#include "packet_test_util.h"
#include "store/decimal.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;
using store::StoredType;
using testing::Document;
using testing::LittleEndian;
using testing::Null;
using testing::Present;
using testing::ReadWhole;
using testing::Unchanged;

constexpr std::string_view kFields =
    "<FIELD attrname=\"numitem\" fieldtype=\"i4\" readonly=\"true\"/>"
    "<FIELD attrname=\"marca\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"preco_ini\" fieldtype=\"fixed\" DECIMALS=\"4\" WIDTH=\"15\"/>";
constexpr std::string_view kRows =
    "<ROW numitem=\"1\" marca=\"Acme\" preco_ini=\"10.5\"/>"
    "<ROW RowState=\"4\" numitem=\"2\" marca=\"\" preco_ini=\"\"/>"
    "<ROW numitem=\"3\"/>";
constexpr std::string_view kParams = "<PARAMS LCID=\"1046\" TABLENAME=\"itens\"/>";

std::string Int32(int64_t value) {
    return LittleEndian(static_cast<uint64_t>(value), 4);
}
std::string Int16(int64_t value) {
    return LittleEndian(static_cast<uint64_t>(value), 2);
}
std::string Units(int64_t units) {
    return store::EncodeDecimalUnits(units);
}

const testing::ReadPacket& Canonical() {
    static const testing::ReadPacket packet = ReadWhole(Document(kFields, kRows, kParams));
    return packet;
}

TEST(PkreaderXmlTest, ReadsColumnsParametersAndRows) {
    const testing::ReadPacket& packet = Canonical();
    ASSERT_EQ(packet.columns.size(), 3u);
    EXPECT_EQ(packet.columns[0].description,
              (store::ColumnDescription{"numitem", StoredType{StoredKind::SignedInt, 4},
                                        store::kColumnReadOnly | store::kColumnInAttribute}));
    EXPECT_TRUE(packet.columns[0].parameters.empty());
    EXPECT_EQ(packet.columns[1].description.type.Word(), 0x490001u);
    EXPECT_EQ(packet.columns[1].parameters,
              (std::vector<store::Parameter>{
                  {"WIDTH", StoredType{StoredKind::SignedInt, 2}, Int16(20)}}));
    EXPECT_EQ(packet.columns[2].description.type.Word(), 0x50020u);
    EXPECT_EQ(packet.columns[2].parameters,
              (std::vector<store::Parameter>{
                  {"DECIMALS", StoredType{StoredKind::SignedInt, 2}, Int16(4)},
                  {"WIDTH", StoredType{StoredKind::SignedInt, 2}, Int16(15)}}));
    EXPECT_EQ(packet.parameters, (std::vector<store::Parameter>{
                                     {"LCID", StoredType{StoredKind::SignedInt, 2}, Int16(1046)},
                                     {"TABLENAME", kStringType, "itens"}}));
    ASSERT_EQ(packet.rows.size(), 3u);
    EXPECT_EQ(packet.rows[0].state, 0);
    EXPECT_EQ(packet.rows[0].values,
              (std::vector<testing::ReadValue>{Present(Int32(1)), Present("Acme"),
                                               Present(Units(105000))}));
    EXPECT_EQ(packet.rows[1].state, 4);
    // An empty string is empty, an empty decimal is null; an absent value is null.
    EXPECT_EQ(packet.rows[1].values,
              (std::vector<testing::ReadValue>{Present(Int32(2)), Present(""), Null()}));
    EXPECT_EQ(packet.rows[2].values,
              (std::vector<testing::ReadValue>{Present(Int32(3)), Null(), Null()}));
}

std::string Without(std::string text, std::string_view piece) {
    text.erase(text.find(piece), piece.size());
    return text;
}

struct SameCase {
    const char* name;
    std::string document;
};

class SameDocumentTest : public ::testing::TestWithParam<SameCase> {};

TEST_P(SameDocumentTest, ReadsLikeTheCanonicalDocument) {
    EXPECT_EQ(ReadWhole(GetParam().document), Canonical());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SameDocumentTest,
    ::testing::Values(
        SameCase{"WithoutRoot",
                 Without(Without(Document(kFields, kRows, kParams), "<DATAPACKET Version=\"2.0\">"),
                         "</DATAPACKET>")},
        SameCase{"Declaration", "<?xml version=\"1.0\" standalone=\"yes\"?>  " +
                                    Document(kFields, kRows, kParams)},
        SameCase{"Utf8WithByteOrderMark", "\xEF\xBB\xBF" + Document(kFields, kRows, kParams)},
        SameCase{
            "LayoutCommentsAndInstructions",
            "<?xml version=\"1.0\"?>\r\n<!-- proposals -->\r\n<DATAPACKET Version=\"2.0\">\r\n"
            "  <METADATA>\r\n    <FIELDS>\r\n"
            "      <FIELD attrname=\"numitem\" fieldtype=\"i4\" readonly=\"true\"/>\r\n"
            "      <!-- the brand -->\r\n"
            "      <FIELD attrname=\"marca\" fieldtype=\"string\" WIDTH=\"20\"/>\r\n"
            "      <?pi here?>\r\n"
            "      <FIELD attrname=\"preco_ini\" fieldtype=\"fixed\" DECIMALS=\"4\" "
            "WIDTH=\"15\"/>\r\n"
            "    </FIELDS>\r\n    <PARAMS LCID=\"1046\" TABLENAME=\"itens\"/>\r\n  </METADATA>\r\n"
            "  <ROWDATA>\r\n    <ROW numitem=\"1\" marca=\"Acme\" preco_ini=\"10.5\"/>\r\n"
            "    <ROW RowState=\"4\" numitem=\"2\" marca=\"\" preco_ini=\"\"/>\r\n"
            "    <ROW numitem=\"3\"/>\r\n  </ROWDATA>\r\n</DATAPACKET>\r\n"},
        SameCase{
            "AttributeOrder",
            Document(
                "<FIELD readonly=\"TRUE\" fieldtype=\"i4\" attrname=\"numitem\"/>"
                "<FIELD fieldtype=\"string\" WIDTH=\"20\" attrname=\"marca\"/>"
                "<FIELD DECIMALS=\"4\" attrname=\"preco_ini\" WIDTH=\"15\" fieldtype=\"fixed\"/>",
                "<ROW preco_ini=\"10.5\" marca=\"Acme\" numitem=\"1\"/>"
                "<ROW marca=\"\" preco_ini=\"\" numitem=\"2\" RowState=\"4\"/>"
                "<ROW numitem=\"3\" unknown=\"x\"/>",
                kParams)},
        SameCase{"RowsAsTextElements",
                 Document(kFields,
                          "<ROW numitem=\"1\" marca=\"Acme\" preco_ini=\"10.5\"></ROW>"
                          "<ROW RowState=\"4\" numitem=\"2\" marca=\"\" preco_ini=\"\"> </ROW>"
                          "<ROW numitem=\"3\" />"
                          "",
                          kParams)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::datapacket
