// Every way an XML document fails to load, each with a minimal document.

#include <gtest/gtest.h>

#include "datapacket/packet_codes.h"
#include "packet_test_util.h"
#include "store/store_codes.h"

namespace velmora::datapacket {
namespace {

using testing::Document;
using testing::ReadFailure;

constexpr std::string_view kField = "<FIELD attrname=\"a\" fieldtype=\"i4\"/>";

struct FailureCase {
    const char* name;
    std::string document;
    int code;
};

class XmlFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(XmlFailureTest, FailsWithItsCode) {
    EXPECT_EQ(ReadFailure(GetParam().document), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XmlFailureTest,
    ::testing::Values(
        FailureCase{"NoLessThanAtTheStart", "DATAPACKET", kCodeMalformedPacket},
        FailureCase{"DeclarationNotClosed", "<?xml version=\"1.0\" <DATAPACKET/>",
                    kCodeMalformedPacket},
        FailureCase{"StartTagNotClosed", "<DATAPACKET Version=\"2.0\"", kCodeMalformedPacket},
        FailureCase{"EndTagMismatch",
                    "<DATAPACKET><METADATA><FIELDS>" + std::string(kField) + "</FIELD></METADATA>",
                    kCodeMalformedPacket},
        FailureCase{"ElementLeftOpen", "<DATAPACKET><METADATA><FIELDS>" + std::string(kField),
                    kCodeMalformedPacket},
        FailureCase{"TextElementWithoutEndTag", Document(kField, "<ROW>text<X/></ROW>"),
                    kCodeMalformedPacket},
        FailureCase{"OtherFirstElement", "<TABLE/>", kCodeMalformedPacket},
        FailureCase{"MetadataWithoutFields",
                    "<DATAPACKET><METADATA><PARAMS/></METADATA><ROWDATA/></DATAPACKET>",
                    kCodeMalformedPacket},
        FailureCase{"NoRowdata",
                    "<DATAPACKET><METADATA><FIELDS>" + std::string(kField) +
                        "</FIELDS></METADATA></DATAPACKET>",
                    kCodeMalformedPacket},
        FailureCase{"OtherElementForRowdata",
                    "<DATAPACKET><METADATA><FIELDS>" + std::string(kField) +
                        "</FIELDS></METADATA><ROWS/></DATAPACKET>",
                    kCodeMalformedPacket},
        FailureCase{"FirstRowNotRow", Document(kField, "<LINE a=\"1\"/>"), kCodeMalformedPacket},
        FailureCase{"ColumnWithoutAttrnameOrTagname", Document("<FIELD fieldtype=\"i4\"/>", ""),
                    kCodeMalformedPacket},
        FailureCase{"NoColumn", Document("", ""), kCodeMalformedPacket},
        FailureCase{"TwoColumnsOfOneAttrname",
                    Document("<FIELD attrname=\"a\" fieldtype=\"string\" WIDTH=\"1\"/>"
                             "<FIELD attrname=\"a\" fieldtype=\"string\" WIDTH=\"5\"/>",
                             "<ROW a=\"xy\"/>"),
                    kCodeMalformedPacket},
        FailureCase{"EmptyFields",
                    "<DATAPACKET><METADATA><FIELDS/></METADATA><ROWDATA/></DATAPACKET>",
                    kCodeMalformedPacket},
        FailureCase{"ParamWithoutName",
                    Document(kField, "", "<PARAMS><PARAM Value=\"1\"/></PARAMS>"),
                    kCodeMalformedPacket},
        FailureCase{"ParamWithoutValue",
                    Document(kField, "", "<PARAMS><PARAM Name=\"X\"/></PARAMS>"),
                    kCodeMalformedPacket},
        FailureCase{
            "ElementValueOutOfOrder",
            Document(
                "<FIELD tagname=\"a\" fieldtype=\"i4\"/><FIELD tagname=\"b\" fieldtype=\"i4\"/>",
                "<ROW><b>2</b><a>1</a></ROW>"),
            kCodeMalformedPacket},
        FailureCase{"OtherElementInRow", Document(kField, "<ROW a=\"1\"><X/></ROW>"),
                    kCodeMalformedPacket},
        FailureCase{"RowsWithoutMetadata",
                    "<DATAPACKET><ROWDATA><ROW a=\"1\"/></ROWDATA></DATAPACKET>", kCodeNoMetadata},
        FailureCase{"NoFieldtype", Document("<FIELD attrname=\"a\"/>", ""), kCodeUnknownFieldType},
        FailureCase{"UnknownFieldtype", Document("<FIELD attrname=\"a\" fieldtype=\"money\"/>", ""),
                    kCodeUnknownFieldType},
        FailureCase{"ParamOfUnknownType",
                    Document(kField, "",
                             "<PARAMS><PARAM Name=\"X\" Value=\"1\" Type=\"decimal\"/></PARAMS>"),
                    kCodeUnknownFieldType},
        FailureCase{"StringWithoutWidth",
                    Document("<FIELD attrname=\"a\" fieldtype=\"string\"/>", ""),
                    store::kCodeBadStructure},
        FailureCase{"BytesWithoutSubtypeOrWidth",
                    Document("<FIELD attrname=\"a\" fieldtype=\"bin.hex\"/>", ""),
                    store::kCodeBadStructure},
        FailureCase{
            "DefaultOrderNotAnArray",
            Document(kField, "", "<PARAMS><PARAM Name=\"DEFAULT_ORDER\" Value=\"1\"/></PARAMS>"),
            store::kCodeBadStructure},
        FailureCase{
            "UniqueKeyNotAnArray",
            Document(kField, "",
                     "<PARAMS><PARAM Name=\"unique_key\" Value=\"1\" Type=\"i4\"/></PARAMS>"),
            store::kCodeBadStructure},
        FailureCase{"ChangeLogWithoutATriple",
                    Document(kField, "<ROW a=\"1\"/>", "<PARAMS CHANGE_LOG=\"1 0\"/>"),
                    store::kCodeBadStructure},
        FailureCase{
            "ChangeLogOfTwoByteNumbers",
            Document(kField, "",
                     "<PARAMS><PARAM Name=\"CHANGE_LOG\" Value=\"1 0 4\" Type=\"i2\"/></PARAMS>"),
            store::kCodeBadStructure},
        FailureCase{
            "SubtypeNotText",
            Document("<FIELD attrname=\"a\" fieldtype=\"i4\"><PARAM Name=\"SUBTYPE\" Value=\"29\" "
                     "Type=\"i4\"/></FIELD>",
                     ""),
            store::kCodeBadStructure},
        FailureCase{
            "FixedWithSeventeenIntegerDigits",
            Document("<FIELD attrname=\"a\" fieldtype=\"fixed\" WIDTH=\"32\" DECIMALS=\"4\"/>",
                     "<ROW a=\"12345678901234567\"/>"),
            store::kCodeValueOutOfRange},
        FailureCase{
            "FixedBeyondTheColumnPrecision",
            Document("<FIELD attrname=\"a\" fieldtype=\"fixed\" WIDTH=\"5\" DECIMALS=\"2\"/>",
                     "<ROW a=\"1234.5\"/>"),
            store::kCodeValueOutOfRange},
        FailureCase{"OtherElementInMetadata",
                    "<DATAPACKET><METADATA><FIELDS>" + std::string(kField) +
                        "</FIELDS><INDEXES/></METADATA><ROWDATA/></DATAPACKET>",
                    kCodeBadMetadata},
        FailureCase{"OtherElementAfterParams",
                    "<DATAPACKET><METADATA><FIELDS>" + std::string(kField) +
                        "</FIELDS><PARAMS/><X/></METADATA><ROWDATA/></DATAPACKET>",
                    kCodeBadMetadata}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::datapacket
