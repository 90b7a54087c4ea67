// The XML form byte for byte: skeleton, FIELD attributes, parameters, rows, value texts,
// escaping and the two code forms.

#include <gtest/gtest.h>

#include "PKWRITER_test_util.h"
#include "datapacket/PKWRITER.h"
#include "datapacket/packet_writer_table.h"
#include "platform/codepage.h"
#include "store/STBASE.h"
#include "store/decimal.h"

namespace velmora::datapacket::testing {
namespace {

TEST(PKWRITERXml, WritesTheModifiedPriceTableExactly) {
    auto table = TableOf(WrittenDocument(
        "<FIELD attrname=\"numitem\" fieldtype=\"i4\" readonly=\"true\"/>"
        "<FIELD attrname=\"preco_ini\" fieldtype=\"fixed\" DECIMALS=\"4\" WIDTH=\"15\"/>",
        "", "<ROW numitem=\"1\" preco_ini=\"10.5\"/><ROW numitem=\"2\"/>"));
    store::RowImage row = table->NewRowImage();
    row.Assign(table->SlotRow(2).Bytes());
    row.Put(1, store::EncodeDecimalUnits(72500));
    table->ModifyRow(2, row);

    EXPECT_EQ(WritePacket(*table, kModeXml),
              "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA>"
              "<FIELDS><FIELD attrname=\"numitem\" fieldtype=\"i4\" readonly=\"true\"/>"
              "<FIELD attrname=\"preco_ini\" fieldtype=\"fixed\" DECIMALS=\"4\" WIDTH=\"15\"/>"
              "</FIELDS><PARAMS CHANGE_LOG=\"3 2 8\"/></METADATA><ROWDATA>"
              "<ROW numitem=\"1\" preco_ini=\"10.5000\"/><ROW RowState=\"1\" numitem=\"2\"/>"
              "<ROW RowState=\"8\" numitem=\"2\" preco_ini=\"7.2500\"/></ROWDATA></DATAPACKET>");
}

struct WriteCase {
    const char* name;
    std::string input;     // an XML packet read into the table
    std::string expected;  // what the writer makes of that table in mode 5
};

void PrintTo(const WriteCase& c, std::ostream* out) {
    *out << c.name;
}

const WriteCase kWriteCases[] = {
    {"EmptyTableGetsEmptyParamsAndRowdata",
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i4\"/>", "", ""),
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i4\"/>", "<PARAMS/>", "")},
    {"NullLeftOutEmptyWritten",
     WrittenDocument("<FIELD attrname=\"s\" fieldtype=\"string\" WIDTH=\"5\"/>", "",
                     "<ROW/><ROW s=\"\"/>"),
     WrittenDocument("<FIELD attrname=\"s\" fieldtype=\"string\" WIDTH=\"5\"/>", "<PARAMS/>",
                     "<ROW/><ROW s=\"\"/>")},
    {"NineCharactersEscaped",
     WrittenDocument("<FIELD attrname=\"s\" fieldtype=\"string\" WIDTH=\"30\"/>", "",
                     "<ROW s=\"&quot;&apos;&lt;&gt;&amp;\\&#9;&#10;&#13;x\"/>"),
     WrittenDocument("<FIELD attrname=\"s\" fieldtype=\"string\" WIDTH=\"30\"/>", "<PARAMS/>",
                     "<ROW s=\"&quot;&apos;&lt;&gt;&amp;&#092;&#009;&#010;&#013;x\"/>")},
    {"FixedKeepsItsScale",
     WrittenDocument("<FIELD attrname=\"f\" fieldtype=\"fixed\" DECIMALS=\"4\" WIDTH=\"15\"/>", "",
                     "<ROW f=\"12.5\"/><ROW f=\"-3\"/><ROW f=\"0\"/>"),
     WrittenDocument("<FIELD attrname=\"f\" fieldtype=\"fixed\" DECIMALS=\"4\" WIDTH=\"15\"/>",
                     "<PARAMS/>", "<ROW f=\"12.5000\"/><ROW f=\"-3.0000\"/><ROW f=\"0.0000\"/>")},
    {"NameWithSpaceGetsFieldname",
     WrittenDocument("<FIELD fieldname=\"Pre\xE7o Unit\" attrname=\"x\" fieldtype=\"i4\"/>", "",
                     "<ROW x=\"5\"/>"),
     WrittenDocument(
         "<FIELD fieldname=\"Pre\xE7o Unit\" attrname=\"Pre\xE7o_Unit\" fieldtype=\"i4\"/>",
         "<PARAMS/>", "<ROW Pre\xE7o_Unit=\"5\"/>")},
    {"BooleanDateAndMidnight",
     WrittenDocument("<FIELD attrname=\"b\" fieldtype=\"boolean\"/><FIELD attrname=\"d\" "
                     "fieldtype=\"date\"/><FIELD attrname=\"t\" fieldtype=\"dateTime\"/>",
                     "", "<ROW b=\"true\" d=\"20261210\" t=\"20261210\"/><ROW b=\"false\"/>"),
     WrittenDocument("<FIELD attrname=\"b\" fieldtype=\"boolean\"/><FIELD attrname=\"d\" "
                     "fieldtype=\"date\"/><FIELD attrname=\"t\" fieldtype=\"dateTime\"/>",
                     "<PARAMS/>",
                     "<ROW b=\"TRUE\" d=\"20261210\" t=\"20261210\"/><ROW b=\"FALSE\"/>")},
    {"AutoincBecomesReadOnly",
     WrittenDocument("<FIELD attrname=\"id\" fieldtype=\"i4\" SUBTYPE=\"Autoinc\"/>",
                     "<PARAMS AUTOINCVALUE=\"4\"/>", "<ROW id=\"3\"/>"),
     WrittenDocument("<FIELD attrname=\"id\" fieldtype=\"i4\" readonly=\"true\" "
                     "SUBTYPE=\"Autoinc\"/>",
                     "<PARAMS AUTOINCVALUE=\"4\"/>", "<ROW id=\"3\"/>")},
    {"FlagsInTheirOrder",
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i2\" linkfield=\"TRUE\" hidden=\"true\" "
                     "required=\"true\" readonly=\"true\"/>",
                     "", ""),
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i2\" readonly=\"true\" required=\"true\" "
                     "hidden=\"true\" linkfield=\"true\"/>",
                     "<PARAMS/>", "")},
    {"FileParametersInFileOrderRowsInDefaultOrder",
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i4\"/>",
                     "<PARAMS LCID=\"1046\" DEFAULT_ORDER=\"1\"/>",
                     "<ROW a=\"2\"/><ROW RowState=\"4\" a=\"1\"/>"),
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i4\"/>",
                     "<PARAMS LCID=\"1046\" DEFAULT_ORDER=\"1\"/>",
                     "<ROW RowState=\"4\" a=\"1\"/><ROW a=\"2\"/>")},
    {"KnownParametersAfterAParamChildStayAttributes",
     WrittenDocument("<FIELD attrname=\"b\" fieldtype=\"bin.hex\" WIDTH=\"2\" foo=\"1\" "
                     "SUBTYPE=\"zzz\"/>",
                     "<PARAMS><PARAM Name=\"custom\" Value=\"x\"/>"
                     "<PARAM Name=\"LCID\" Value=\"1046\" Type=\"i2\"/></PARAMS>",
                     ""),
     WrittenDocument("<FIELD attrname=\"b\" fieldtype=\"bin.hex\" WIDTH=\"2\" "
                     "SUBTYPE=\"zzz\"><PARAM Name=\"foo\" Value=\"1\"/></FIELD>",
                     "<PARAMS LCID=\"1046\"><PARAM Name=\"custom\" Value=\"x\"/></PARAMS>", "")},
    {"RoundtripParameterStaysAParamChild",
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i4\"/>",
                     "<PARAMS><PARAM Name=\"LCID\" Value=\"7\" Type=\"i2\" Roundtrip=\"1\"/>"
                     "</PARAMS>",
                     ""),
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i4\"/>",
                     "<PARAMS><PARAM Name=\"LCID\" Value=\"7\" Type=\"i2\" "
                     "Roundtrip=\"True\"/></PARAMS>",
                     "")},
};

class PKWRITERXmlCase : public ::testing::TestWithParam<WriteCase> {};

TEST_P(PKWRITERXmlCase, WritesTheExpectedDocument) {
    EXPECT_EQ(Rewritten(GetParam().input, kModeXml), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, PKWRITERXmlCase, ::testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PKWRITERXml, Utf8ModeConvertsNamesAndValuesAndDeclaresTheEncoding) {
    const std::string ansi =
        WrittenDocument("<FIELD attrname=\"pre\xE7o\" fieldtype=\"string\" WIDTH=\"9\"/>", "",
                        "<ROW pre\xE7o=\"a\xE7\xE3o&amp;\"/>");
    const std::string utf8 = Rewritten(ansi, kModeXmlUtf8);
    EXPECT_EQ(utf8,
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>  <DATAPACKET "
              "Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"pre\xC3\xA7o\" "
              "fieldtype=\"string\" WIDTH=\"9\"/></FIELDS><PARAMS/></METADATA><ROWDATA>"
              "<ROW pre\xC3\xA7o=\"a\xC3\xA7\xC3\xA3o&amp;\"/></ROWDATA></DATAPACKET>");
    EXPECT_EQ(Rewritten(utf8, kModeXml), Rewritten(ansi, kModeXml));
}

}  // namespace
}  // namespace velmora::datapacket::testing
