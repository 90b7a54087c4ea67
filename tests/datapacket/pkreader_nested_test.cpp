// Nested tables, in both forms: the order in which PKREADER hands out their columns,
// parameters and rows.

#include <gtest/gtest.h>

#include "binary_packet_builder.h"
#include "datapacket/PKREADER.h"
#include "datapacket/packet_codes.h"
#include "packet_test_util.h"
#include "platform/errors.h"

namespace velmora::datapacket {
namespace {

using testing::Document;

// A table as the walk found it: per column whether it holds a nested table.
struct WalkedTable {
    std::vector<int> nested;  // per column: index of the nested table, or -1
};

// Walks a packet through the whole call order and writes down every answer:
// "C:name" column, "p:name" field parameter, "P:name" table parameter, "/" no more,
// "R<state>" row, "v<mark>:<first byte>" value.
class Walker {
public:
    explicit Walker(std::string_view packet) { reader_.OpenPacket(packet.data(), packet.size()); }

    std::string Walk() {
        WalkColumns();
        WalkTableParameters();
        WalkRows(0);
        return trace_;
    }

private:
    int WalkColumns() {
        const int table = static_cast<int>(tables_.size());
        tables_.emplace_back();
        store::ColumnDescription column;
        while (reader_.ReadColumn(column) == 0) {
            trace_ += "C:" + column.name + " ";
            WalkFieldParameters();
            int nested = -1;
            if (column.type.kind == store::StoredKind::Nested) {
                nested = WalkColumns();
                WalkTableParameters();
            }
            tables_[static_cast<size_t>(table)].nested.push_back(nested);
        }
        trace_ += "/ ";
        return table;
    }
    void WalkFieldParameters() {
        store::Parameter parameter;
        while (reader_.ReadParameter(parameter) == 0) trace_ += "p:" + parameter.name + " ";
    }
    void WalkTableParameters() {
        store::Parameter parameter;
        while (reader_.ReadParameter(parameter) == 0) trace_ += "P:" + parameter.name + " ";
        trace_ += "/ ";
    }
    void WalkRows(int table) {
        std::string stored;
        ValueMark mark;
        while (reader_.ReadValue(stored, mark) == 0) {
            trace_ += "R" + std::to_string(stored.at(0)) + " ";
            for (int nested : tables_[static_cast<size_t>(table)].nested) {
                if (reader_.ReadValue(stored, mark) != 0) throw std::logic_error("row ended early");
                trace_ += "v" + std::to_string(static_cast<int>(mark));
                if (nested < 0 && !stored.empty()) trace_ += ":" + std::to_string(stored[0]);
                trace_ += " ";
                if (nested >= 0 && mark == ValueMark::Present) WalkRows(nested);
            }
        }
        trace_ += "/ ";
    }

    PKREADER reader_;
    std::vector<WalkedTable> tables_;
    std::string trace_;
};

constexpr std::string_view kExpected =
    "C:id C:itens p:SUBTYPE C:q / P:X / C:z / / "
    "R0 v0:1 v0 R0 v0:5 R4 v0:6 / v0:9 "
    "R0 v0:2 v1 v1 "
    "R0 v0:3 v1 v1 / ";

TEST(NestedTableTest, XmlNestedColumnsAndRowsFollowTheColumnThatHoldsThem) {
    const std::string document = Document(
        "<FIELD attrname=\"id\" fieldtype=\"i4\"/>"
        "<FIELD attrname=\"itens\" fieldtype=\"nested\"><PARAM Name=\"SUBTYPE\" "
        "Value=\"Reference\"/>"
        "<FIELDS><FIELD attrname=\"q\" fieldtype=\"i4\"/></FIELDS><PARAMS X=\"1\"/></FIELD>"
        "<FIELD attrname=\"z\" fieldtype=\"i4\"/>",
        "<ROW id=\"1\" z=\"9\"><itens><ROWitens q=\"5\"/><ROWitens RowState=\"4\" "
        "q=\"6\"/></itens></ROW>"
        "<ROW id=\"2\"/><ROW id=\"3\"><itens/></ROW>");
    EXPECT_EQ(Walker(document).Walk(), kExpected);
}

TEST(NestedTableTest, BinaryNestedColumnsAndRowsFollowTheColumnThatHoldsThem) {
    testing::BinaryPacket packet;
    packet.Header(3, 3);
    packet.Column("id", 0x10004);
    packet.Column("itens", 0x50E0001, 0, 1);
    packet.Parameter("SUBTYPE", 0x490002,
                     testing::LittleEndian(10, 2) + std::string("Reference\0", 10));
    packet.Column("q", 0x10004);
    packet.Column("z", 0x10004);
    packet.TableParameters(0);
    packet.Row(0, {0x00});
    packet.Int32(1);
    packet.Int32(2);  // nested rows
    packet.Row(0, {0x00});
    packet.Int32(5);
    packet.Row(4, {0x00});
    packet.Int32(6);
    packet.Int32(9);
    packet.Row(0, {0x14});  // itens and z null
    packet.Int32(2);
    packet.Row(0, {0x10});  // z null, no nested rows
    packet.Int32(3);
    packet.Int32(0);
    std::string expected(kExpected);
    expected.replace(expected.find("P:X "), 4, "");
    EXPECT_EQ(Walker(packet.Bytes()).Walk(), expected);
}

std::string NestedFields(int levels) {
    std::string fields = "<FIELD attrname=\"leaf\" fieldtype=\"i4\"/>";
    for (int i = 0; i < levels; ++i)
        fields =
            "<FIELD attrname=\"n\" fieldtype=\"nested\"><FIELDS>" + fields + "</FIELDS></FIELD>";
    return Document(fields, "");
}

TEST(NestedTableTest, XmlNestingEndsAtSixtyThreeElementLevels) {
    // DATAPACKET, METADATA, FIELDS and a FIELD, then a FIELDS and a FIELD per level.
    EXPECT_EQ(testing::ReadFailure(NestedFields(29)), 0);
    EXPECT_EQ(testing::ReadFailure(NestedFields(30)), kCodeMalformedPacket);
}

TEST(NestedTableTest, BinaryNestingEndsAtSixtyTwoTables) {
    auto packet = [](int levels) {
        testing::BinaryPacket built;
        built.Header(1, 0);
        for (int i = 0; i < levels; ++i) built.Column("n", 0x50E0001);
        built.Column("leaf", 0x10004);
        built.TableParameters(0);
        return built.Bytes();
    };
    EXPECT_EQ(testing::ReadFailure(packet(kMaxNestedTableDepth)), 0);
    EXPECT_EQ(testing::ReadFailure(packet(kMaxNestedTableDepth + 1)), kCodeBadMetadata);
}

}  // namespace
}  // namespace velmora::datapacket
