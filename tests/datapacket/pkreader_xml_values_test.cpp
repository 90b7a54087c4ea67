// PKREADER on XML documents: rows, row states, absent values, parameters and encodings.

#include <gtest/gtest.h>

#include "datapacket/field_types.h"
#include "packet_test_util.h"
#include "store/stored_table_column.h"

namespace velmora::datapacket {
namespace {

using store::StoredKind;
using store::StoredType;
using testing::Document;
using testing::LittleEndian;
using testing::Null;
using testing::Present;
using testing::ReadValue;
using testing::ReadWhole;
using testing::StoredWide;
using testing::Unchanged;
using Values = std::vector<ReadValue>;

constexpr std::string_view kMarca = "<FIELD attrname=\"marca\" fieldtype=\"string\" WIDTH=\"30\"/>";

std::string Int32(int64_t value) {
    return LittleEndian(static_cast<uint64_t>(value), 4);
}

TEST(XmlRowsTest, RowStateWithoutDigitsOrAbsentIsZero) {
    const auto packet = ReadWhole(Document(kMarca,
                                           "<ROW RowState=\"\"/><ROW RowState=\"x\"/><ROW/><ROW "
                                           "RowState=\"12\"/><ROW RowState=\" 9\"/>"));
    std::vector<int> states;
    for (const auto& row : packet.rows) states.push_back(row.state);
    EXPECT_EQ(states, (std::vector<int>{0, 0, 0, 12, 9}));
}

TEST(XmlRowsTest, ASingleQuotedAttributeEndsTheList) {
    const auto packet =
        ReadWhole(Document(std::string(kMarca) + "<FIELD attrname=\"b\" fieldtype=\"i4\"/>"
                                                 "<FIELD attrname=\"c\" fieldtype=\"i4\"/>",
                           "<ROW marca=\"x\" b='2' c=\"3\"/>"));
    EXPECT_EQ(packet.rows.at(0).values, (Values{Present("x"), Null(), Null()}));
}

TEST(XmlRowsTest, TheFirstAttributeOfANameCounts) {
    const auto packet = ReadWhole(Document(kMarca, "<ROW marca=\"a\" marca=\"b\"/>"));
    EXPECT_EQ(packet.rows.at(0).values, (Values{Present("a")}));
}

TEST(XmlRowsTest, StringValuesDecodeEntities) {
    const auto packet =
        ReadWhole(Document(kMarca, "<ROW marca=\"R&amp;D &x &#233;&#8364; &quot;&apos;\"/>"));
    EXPECT_EQ(packet.rows.at(0).values, (Values{Present("R&D &x \xE9\xAC \"'")}));
}

TEST(XmlRowsTest, NothingAfterRowdataIsRead) {
    const auto packet = ReadWhole(Document(kMarca, "<ROW marca=\"a\"/>") + "<trailing> garbage <");
    EXPECT_EQ(packet.rows.size(), 1u);
}

TEST(XmlRowsTest, EmptyRowdataGivesNoRows) {
    for (std::string_view rowdata :
         {"<ROWDATA/>", "<ROWDATA></ROWDATA>", "<ROWDATA>\r\n</ROWDATA>"}) {
        const std::string document = "<DATAPACKET><METADATA><FIELDS>" + std::string(kMarca) +
                                     "</FIELDS></METADATA>" + std::string(rowdata) +
                                     "</DATAPACKET>";
        const auto packet = ReadWhole(document);
        EXPECT_EQ(packet.columns.size(), 1u) << rowdata;
        EXPECT_TRUE(packet.rows.empty()) << rowdata;
    }
}

TEST(XmlRowsTest, ModifiedVersionsAndTheChangeLogAreRead) {
    const auto packet = ReadWhole(Document(
        kMarca,
        "<ROW RowState=\"1\" marca=\"old\"/><ROW marca=\"b\"/><ROW RowState=\"8\" marca=\"new\"/>",
        "<PARAMS CHANGE_LOG=\"3 1 8\"/>"));
    ASSERT_EQ(packet.rows.size(), 3u);
    EXPECT_EQ(packet.rows[0].state, 1);
    EXPECT_EQ(packet.rows[1].state, 0);
    EXPECT_EQ(packet.rows[2].state, 8);
    EXPECT_EQ(packet.parameters, (std::vector<store::Parameter>{{"CHANGE_LOG", kUIntArrayType,
                                                                 Int32(3) + Int32(1) + Int32(8)}}));
}

// marca is text, memo a text blob, foto a binary blob.
constexpr std::string_view kBlobFields =
    "<FIELD attrname=\"marca\" fieldtype=\"string\" WIDTH=\"30\"/>"
    "<FIELD attrname=\"memo\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/>"
    "<FIELD attrname=\"foto\" fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\"/>";

struct AbsentCase {
    const char* name;
    std::string_view params;
    std::string_view row;
    Values values;
};

class AbsentValueTest : public ::testing::TestWithParam<AbsentCase> {};

TEST_P(AbsentValueTest, IsNullOrUnchanged) {
    const auto packet = ReadWhole(Document(kBlobFields, GetParam().row, GetParam().params));
    EXPECT_EQ(packet.rows.at(0).values, GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AbsentValueTest,
    ::testing::Values(
        AbsentCase{"OrdinaryRow", "", "<ROW/>", {Null(), Null(), Null()}},
        AbsentCase{"ModifiedRowKeepsItsBlobs",
                   "",
                   "<ROW RowState=\"8\"/>",
                   {Null(), Unchanged(), Unchanged()}},
        AbsentCase{
            "ModifiedAgain", "", "<ROW RowState=\"9\" memo=\"\"/>", {Null(), Null(), Unchanged()}},
        AbsentCase{"InsertedRow", "", "<ROW RowState=\"4\"/>", {Null(), Null(), Null()}},
        AbsentCase{"ChangeSetModifiedRow",
                   "<PARAMS DATASET_DELTA=\"TRUE\"/>",
                   "<ROW RowState=\"8\"/>",
                   {Unchanged(), Unchanged(), Unchanged()}},
        AbsentCase{"DeltaModifiedRow",
                   "<PARAMS><PARAM Name=\"DELTA\" Value=\"t\" Type=\"boolean\"/></PARAMS>",
                   "<ROW RowState=\"12\" marca=\"x\"/>",
                   {Present("x"), Unchanged(), Unchanged()}},
        AbsentCase{"ChangeSetInsertedRow",
                   "<PARAMS DATASET_DELTA=\"TRUE\"/>",
                   "<ROW RowState=\"4\"/>",
                   {Null(), Null(), Null()}},
        AbsentCase{"NotAChangeSet",
                   "<PARAMS DATASET_DELTA=\"FALSE\"/>",
                   "<ROW RowState=\"8\"/>",
                   {Null(), Unchanged(), Unchanged()}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(XmlRowsTest, ElementFormColumnsAreChildrenInColumnOrder) {
    const auto packet = ReadWhole(Document(
        "<FIELD tagname=\"a\" fieldtype=\"i4\"/><FIELD attrname=\"b\" fieldtype=\"i4\"/>"
        "<FIELD tagname=\"c\" fieldtype=\"string\" WIDTH=\"9\"/>",
        "<ROW b=\"2\"><a "
        "dt:dt=\"i4\">1</a><c>x&amp;y</c></ROW><ROW><a/><c></c></ROW><ROW/><ROW><a>5</a></ROW>"));
    ASSERT_EQ(packet.rows.size(), 4u);
    EXPECT_EQ(packet.columns[0].description.attributes & store::kColumnInAttribute, 0);
    EXPECT_EQ(packet.columns[1].description.attributes & store::kColumnInAttribute,
              store::kColumnInAttribute);
    EXPECT_EQ(packet.rows[0].values,
              (Values{Present(Int32(1)), Present(Int32(2)), Present("x&y")}));
    EXPECT_EQ(packet.rows[1].values, (Values{Null(), Null(), Null()}));
    EXPECT_EQ(packet.rows[2].values, (Values{Null(), Null(), Null()}));
    EXPECT_EQ(packet.rows[3].values, (Values{Present(Int32(5)), Null(), Null()}));
}

TEST(XmlMetadataTest, FieldAttributesGiveTheDescriptionAndTheRestParameters) {
    const auto packet = ReadWhole(
        Document("<FIELD fieldname=\"Pre&#231;o Unit\" attrname=\"Pre_o_Unit\" fieldtype=\"r8\" "
                 "hidden=\"True\" "
                 "required=\"TRUE\" linkfield=\"yes\" readonly=\"false\" SUBTYPE=\"Money\" "
                 "ORIGIN=\"itens.preco\">"
                 "<PARAM Name=\"MINVALUE\" Value=\"0\"/></FIELD>"
                 "<FIELD attrname=\"a_name_that_is_longer_than_thirty_one\" fieldtype=\"i2\" "
                 "SUBTYPE=\"Mystery\"/>",
                 "<ROW Pre_o_Unit=\"1.5\" a_name_that_is_longer_than_thirty_one=\"7\"/>"));
    ASSERT_EQ(packet.columns.size(), 2u);
    EXPECT_EQ(packet.columns[0].description,
              (store::ColumnDescription{
                  "Pre\xE7o Unit", StoredType{StoredKind::Real, 8},
                  store::kColumnHidden | store::kColumnRequired | store::kColumnInAttribute}));
    EXPECT_EQ(packet.columns[0].parameters,
              (std::vector<store::Parameter>{{"SUBTYPE", kStringType, "Money"},
                                             {"ORIGIN", kStringType, "itens.preco"},
                                             {"MINVALUE", kStringType, "0"}}));
    EXPECT_EQ(packet.columns[1].description.name, "a_name_that_is_longer_than_thir");
    EXPECT_EQ(packet.columns[1].parameters,
              (std::vector<store::Parameter>{{"SUBTYPE", kStringType, "Mystery"}}));
    EXPECT_EQ(packet.rows.at(0).values,
              (Values{Present(testing::StoredDouble(1.5)), Present(LittleEndian(7, 2))}));
}

TEST(XmlMetadataTest, TableParametersAreAttributesThenParamChildren) {
    const auto packet = ReadWhole(Document(
        kMarca, "",
        "<PARAMS DATASET_DELTA=\"TRUE\" MD_FIELDLINKS=\"1 2\" lcid=\"1046\" ORIGIN=\"a&lt;b\">"
        "<PARAM Name=\"P\" Value=\"-5\" Type=\"i4\" Roundtrip=\"False\"/>"
        "<PARAM Name=\"Q\" Value=\"x\"/></PARAMS>"));
    std::vector<store::Parameter> expected = {
        {"DATASET_DELTA", StoredType{StoredKind::Boolean, 2}, LittleEndian(1, 2)},
        {"MD_FIELDLINKS", kIntArrayType, Int32(1) + Int32(2)},
        {"lcid", StoredType{StoredKind::SignedInt, 2}, LittleEndian(1046, 2)},
        {"ORIGIN", kStringType, "a<b"},
        {"P", StoredType{StoredKind::SignedInt, 4}, Int32(-5), true},
        {"Q", kStringType, "x"},
    };
    EXPECT_EQ(packet.parameters, expected);
}

TEST(XmlEncodingTest, Utf8DocumentsAreReadInTheCodePage) {
    const std::string fields =
        std::string(kMarca) + "<FIELD attrname=\"w\" fieldtype=\"string.uni\" WIDTH=\"20\"/>";
    const auto utf8 =
        ReadWhole("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" +
                  Document(fields, "<ROW marca=\"Pre\xC3\xA7o\" w=\"\xE2\x82\xAC&#8364;\"/>"));
    EXPECT_EQ(utf8.rows.at(0).values,
              (Values{Present("Pre\xE7o"), Present(StoredWide(u"\u20AC\u20AC"))}));
    // Declared UTF-8 but not UTF-8 throughout: 8-bit text, a byte stands for its Latin-1 unit.
    const auto ansi = ReadWhole("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" +
                                Document(fields, "<ROW marca=\"Pre\xE7o\" w=\"\x80\"/>"));
    EXPECT_EQ(ansi.rows.at(0).values,
              (Values{Present("Pre\xE7o"), Present(StoredWide(u"\u0080"))}));
}

}  // namespace
}  // namespace velmora::datapacket
