// Tables read from small documents that once changed on the way out and back: each must
// read back as an equal table from every form it is written in.

#include <gtest/gtest.h>

#include <string>

#include "PKWRITER_test_util.h"
#include "datapacket/PKWRITER.h"
#include "datapacket/packet_writer_table.h"
#include "fuzz/stored_table_difference.h"
#include "packet_test_util.h"

namespace velmora::datapacket::testing {
namespace {

struct TableCase {
    const char* name;
    std::string document;
};

void PrintTo(const TableCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string kIntegerField = "<FIELD attrname=\"a\" fieldtype=\"i4\"/>";
const std::string kTextField = "<FIELD attrname=\"s\" fieldtype=\"string\" WIDTH=\"5\"/>";
const std::string kMemoField = "<FIELD attrname=\"m\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/>";

std::string WithFieldParameter(size_t valueLength) {
    return Document(
        "<FIELD attrname=\"a\" fieldtype=\"i4\" foo=\"" + std::string(valueLength, 'v') + "\"/>",
        "");
}

std::string WithTableParam(const std::string& type, const std::string& value) {
    return Document(
        kIntegerField, "",
        "<PARAMS><PARAM Name=\"p\" Value=\"" + value + "\" Type=\"" + type + "\"/></PARAMS>");
}

const TableCase kTables[] = {
    {"TextParameterOf254Bytes", WithFieldParameter(254)},
    {"TextParameterOf255Bytes", WithFieldParameter(255)},
    {"TextParameterOf70000Bytes", WithFieldParameter(70000)},
    {"EmptyText", Document(kTextField, "<ROW s=\"\"/>")},
    {"TextOfOneZeroByte", Document(kTextField, "<ROW s=\"&#0;\"/>")},
    {"TextEndingInAZeroByte", Document(kTextField, "<ROW s=\"ab&#0;\"/>")},
    // The reader drops one of the closing zero bytes: the memos hold "\0" and "ab\0".
    {"MemoOfOneZeroByte", Document(kMemoField, "<ROW m=\"&#0;&#0;\"/>")},
    {"MemoEndingInAZeroByte", Document(kMemoField, "<ROW m=\"ab&#0;&#0;\"/>")},
    // XML does not cut a wide text to its WIDTH; the binary form widens the length prefix.
    {"WideTextPastItsWidth",
     Document("<FIELD attrname=\"w\" fieldtype=\"string.uni\" WIDTH=\"40\"/>",
              "<ROW w=\"" + std::string(200, 'x') + "\"/>")},
    // A memo cleared in a modified version: left out, it would be read as the replaced one's.
    {"MemoClearedInAModifiedVersion",
     Document(kMemoField, "<ROW RowState=\"1\" m=\"abc\"/><ROW RowState=\"8\" m=\"\"/>",
              "<PARAMS CHANGE_LOG=\"2 1 8\"/>")},
    {"WidthOnAnIntegerColumn",
     Document("<FIELD attrname=\"a\" fieldtype=\"i4\" WIDTH=\"15\"/>", "<ROW a=\"1\"/>")},
    {"CalculatedOnALinkColumn",
     Document("<FIELD attrname=\"a\" fieldtype=\"i4\" linkfield=\"true\" CALCULATED=\"true\"/>",
              "")},
    {"UnknownSubtypeAfterAnotherParameter",
     Document("<FIELD attrname=\"b\" fieldtype=\"bin.hex\" WIDTH=\"2\" foo=\"1\" SUBTYPE=\"zzz\"/>",
              "")},
    // The last of two SUBTYPEs holds, known or not.
    {"KnownSubtypeAfterAnUnknownOne",
     Document("<FIELD attrname=\"b\" fieldtype=\"bin.hex\" SUBTYPE=\"zzz\" SUBTYPE=\"Text\"/>",
              "<ROW b=\"x\"/>")},
    {"UnknownSubtypeAfterAKnownOne",
     Document("<FIELD attrname=\"b\" fieldtype=\"bin.hex\" WIDTH=\"2\" SUBTYPE=\"Text\" "
              "SUBTYPE=\"zzz\"/>",
              "")},
    {"KnownTableParameterAfterAParam",
     Document(kIntegerField, "",
              "<PARAMS><PARAM Name=\"custom\" Value=\"x\"/>"
              "<PARAM Name=\"LCID\" Value=\"1046\" Type=\"i2\"/></PARAMS>")},
    {"ColumnNameWithBytesARowCarriesInside",
     Document("<FIELD attrname=\"s\" fieldtype=\"string\" WIDTH=\"5\" "
              "fieldname=\"a&quot;/&lt;&amp;'&#9;&#0;b\"/>",
              "<ROW s=\"b\"/>")},
    {"ExtendedRealParameter", WithTableParam("r10", "5")},
    {"NestedTypeParameter", WithTableParam("nested", "5")},
    {"IntegerParameterWithoutDigits", WithTableParam("i4", "")},
    // A parameter dropped at load takes its effect with it.
    {"RefusalWithoutAValue",
     Document(kIntegerField, "",
              "<PARAMS><PARAM Name=\"DISABLE_EDITS\" Value=\"x\" Type=\"i4\"/></PARAMS>")},
    {"SecondLocaleWithoutAValue", Document(kIntegerField, "", "<PARAMS LCID=\"1046\" LCID=\"\"/>")},
    {"DateParameterWithoutDigits", WithTableParam("date", "x")},
};

class TableRoundTrip : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableRoundTrip, ReadsBackEqualFromEveryForm) {
    const auto table = TableOf(GetParam().document);
    for (const int mode : {kModeBinary, kModeXml, kModeXmlUtf8}) {
        const auto form =
            mode == kModeBinary ? fuzzing::PacketForm::Binary : fuzzing::PacketForm::Xml;
        const auto again = TableOf(WritePacket(*table, mode));
        EXPECT_EQ(fuzzing::TableDifference(*table, *again, form), "") << "mode " << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, TableRoundTrip, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::datapacket::testing
