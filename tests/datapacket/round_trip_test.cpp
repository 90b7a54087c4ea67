// Documents in the writer's own form read and written back unchanged, directly and through
// the binary form; the sample proposals files byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "PKWRITER_test_util.h"
#include "datapacket/PKWRITER.h"
#include "datapacket/packet_writer_table.h"

namespace velmora::datapacket::testing {
namespace {

const std::string kEveryType =
    "<FIELD attrname=\"a1\" fieldtype=\"i1\"/><FIELD attrname=\"a2\" fieldtype=\"i2\"/>"
    "<FIELD attrname=\"a4\" fieldtype=\"i4\"/><FIELD attrname=\"a8\" fieldtype=\"i8\"/>"
    "<FIELD attrname=\"u1\" fieldtype=\"ui1\"/><FIELD attrname=\"u2\" fieldtype=\"ui2\"/>"
    "<FIELD attrname=\"u4\" fieldtype=\"ui4\"/><FIELD attrname=\"b\" fieldtype=\"boolean\"/>"
    "<FIELD attrname=\"r\" fieldtype=\"r8\"/>"
    "<FIELD attrname=\"f\" fieldtype=\"fixed\" DECIMALS=\"4\" WIDTH=\"15\"/>"
    "<FIELD attrname=\"fm\" fieldtype=\"fixedFMT\" DECIMALS=\"2\" WIDTH=\"10\"/>"
    "<FIELD attrname=\"d\" fieldtype=\"date\"/><FIELD attrname=\"t\" fieldtype=\"time\"/>"
    "<FIELD attrname=\"dt\" fieldtype=\"dateTime\"/>"
    "<FIELD attrname=\"sq\" fieldtype=\"SQLdateTime\"/>"
    "<FIELD attrname=\"s\" fieldtype=\"string\" WIDTH=\"20\"/>"
    "<FIELD attrname=\"w\" fieldtype=\"string.uni\" WIDTH=\"40\"/>"
    "<FIELD attrname=\"m\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/>"
    "<FIELD attrname=\"bl\" fieldtype=\"bin.hex\" SUBTYPE=\"Binary\"/>"
    "<FIELD attrname=\"fx\" fieldtype=\"bin.hex\" WIDTH=\"3\"/>";

const std::string kEveryTypeRows =
    "<ROW a1=\"-5\" a2=\"-300\" a4=\"123456\" a8=\"-9000000000\" u1=\"-56\" u2=\"-1\" "
    "u4=\"-2\" b=\"TRUE\" r=\"3.25\" f=\"10.5000\" fm=\"-3.00\" d=\"20261210\" "
    "t=\"13:45:30500\" dt=\"20261210T08:00:00000\" sq=\"20261210T01:02:03004\" "
    "s=\"Pre\xE7o &quot;x&quot;\" w=\"&#231;a&#8364;\" m=\"memo&#010;text\" bl=\"AAEC\" "
    "fx=\"YWJj\"/><ROW/><ROW r=\"1e+100\" s=\"\"/>";

struct RoundTripCase {
    const char* name;
    std::string document;  // already in the writer's form
};

void PrintTo(const RoundTripCase& c, std::ostream* out) {
    *out << c.name;
}

const RoundTripCase kRoundTrips[] = {
    {"EveryTypeWithNullsAndEmptyText", WrittenDocument(kEveryType, "<PARAMS/>", kEveryTypeRows)},
    {"ChangeLogWithFourVersions",
     WrittenDocument("<FIELD attrname=\"a\" fieldtype=\"i4\"/>",
                     "<PARAMS CHANGE_LOG=\"2 1 8 3 2 8 4 3 8\"/>",
                     "<ROW RowState=\"1\" a=\"1\"/><ROW RowState=\"9\" a=\"2\"/>"
                     "<ROW RowState=\"9\" a=\"3\"/><ROW RowState=\"8\" a=\"4\"/>")},
    {"TableAndFieldParameters",
     WrittenDocument("<FIELD attrname=\"id\" fieldtype=\"i4\" readonly=\"true\" "
                     "SUBTYPE=\"Autoinc\"/><FIELD attrname=\"s\" fieldtype=\"string\" "
                     "WIDTH=\"20\" MINVALUE=\"a\"><PARAM Name=\"ORIGIN\" Value=\"abc\"/>"
                     "</FIELD>",
                     "<PARAMS AUTOINCVALUE=\"3\" DEFAULT_ORDER=\"1\" LCID=\"1046\" "
                     "TABLENAME=\"itens\"><PARAM Name=\"custom\" Value=\"x y\"/>"
                     "<PARAM Name=\"num\" Value=\"7\" Type=\"i4\"/>"
                     "<PARAM Name=\"DISABLE_EDITS\" Value=\"1 2\" Type=\"IntArray\"/></PARAMS>",
                     "<ROW id=\"1\" s=\"b\"/><ROW id=\"2\"/>")},
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, XmlComesBackIdentical) {
    EXPECT_EQ(Rewritten(GetParam().document, kModeXml), GetParam().document);
}

TEST_P(RoundTrip, BinaryComesBackAsTheSameXml) {
    const std::string binary = Rewritten(GetParam().document, kModeBinary);
    EXPECT_EQ(binary.substr(0, 4), "\x43\x1C\x7A\x5E");
    EXPECT_EQ(Rewritten(binary, kModeXml), GetParam().document);
}

TEST_P(RoundTrip, Utf8ComesBackAsTheSameXml) {
    EXPECT_EQ(Rewritten(Rewritten(GetParam().document, kModeXmlUtf8), kModeXml),
              GetParam().document);
}

INSTANTIATE_TEST_SUITE_P(Tables, RoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Sample(const char* name) {
    // Lexical parents: the data folder need not exist in a fresh clone.
    const std::filesystem::path root =
        std::filesystem::path(VELMORA_TEST_DATA_DIR).parent_path().parent_path().parent_path();
    std::ifstream in(root / "samples" / name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class SampleRoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleRoundTrip, IsWrittenBackByteForByte) {
    const std::string sample = Sample(GetParam());
    ASSERT_FALSE(sample.empty());
    EXPECT_EQ(Rewritten(sample, kModeXml), sample);
    EXPECT_EQ(Rewritten(Rewritten(sample, kModeBinary), kModeXml), sample);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoundTrip,
                         ::testing::Values("pregao_itens.xml", "pregao_lotes.xml"));

}  // namespace
}  // namespace velmora::datapacket::testing
