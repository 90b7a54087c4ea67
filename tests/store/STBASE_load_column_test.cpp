// Columns as a datapacket describes them, made into stored-table columns.
#include <gtest/gtest.h>

#include "STBASE_fixture.h"
#include "STBASE_packet_values.h"
#include "store/store_codes.h"
#include "store/stored_table_loader_column.h"

namespace velmora::store::testing {
namespace {

struct ColumnCase {
    const char* name;
    ColumnDescription description;
    std::vector<Parameter> parameters;
    LogicalType type;
    uint16_t width, precision, scale, attributes, subtype;
    std::vector<std::string> kept;
};

void PrintTo(const ColumnCase& c, std::ostream* os) {
    *os << c.name;
}

class LoadedColumn : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(LoadedColumn, TakesItsStructureFromTheParameters) {
    const ColumnCase& c = GetParam();
    const StoredColumn column = ColumnFromDescription(c.description, c.parameters);
    EXPECT_EQ(column.type, c.type);
    EXPECT_EQ(column.width, c.width);
    EXPECT_EQ(column.precision, c.precision);
    EXPECT_EQ(column.scale, c.scale);
    EXPECT_EQ(column.attributes, c.attributes);
    EXPECT_EQ(column.subtype, c.subtype);
    std::vector<std::string> kept;
    for (const Parameter& p : column.parameters) kept.push_back(p.name);
    EXPECT_EQ(kept, c.kept);
}

using L = LogicalType;

INSTANTIATE_TEST_SUITE_P(
    StoredTableLoad, LoadedColumn,
    ::testing::Values(
        ColumnCase{"TextOfItsWidth",
                   Described("s", kWordString),
                   {Integer("WIDTH", 30)},
                   L::Text,
                   30,
                   0,
                   0,
                   0,
                   0,
                   {}},
        ColumnCase{"DecimalWithPrecisionAndScale",
                   Described("p", 0x50020),
                   {Integer("width", 15), Integer("DECIMALS", 4)},
                   L::Bcd,
                   0,
                   15,
                   4,
                   0,
                   0,
                   {}},
        ColumnCase{"AutoIncIsReadOnly",
                   Described("id", kWordI4, kColumnRequired),
                   {Text("SUBTYPE", std::string("Autoinc\0", 8))},
                   L::Int32,
                   0,
                   0,
                   0,
                   kColumnRequired | kColumnReadOnly,
                   kSubtypeAutoinc,
                   {}},
        ColumnCase{"TextBlob",
                   Described("m", kWordBinHex),
                   {Text("SUBTYPE", "Text")},
                   L::Blob,
                   0,
                   0,
                   0,
                   0,
                   kSubtypeText,
                   {}},
        ColumnCase{"BytesWithoutSubtypeAreFixed",
                   Described("b", kWordBinHex),
                   {Integer("WIDTH", 8)},
                   L::FixedBytes,
                   8,
                   0,
                   0,
                   0,
                   0,
                   {}},
        ColumnCase{"BytesWithAnotherSubtypeVary",
                   Described("v", kWordBinHex),
                   {Text("SUBTYPE", "AccessOle"), Integer("WIDTH", 5)},
                   L::VarBytes,
                   5,
                   0,
                   0,
                   0,
                   kSubtypeAccessOle,
                   {}},
        ColumnCase{
            "FourBytePrefixIsABlob", Described("g", 0x4B0004), {}, L::Blob, 0, 0, 0, 0, 0, {}},
        ColumnCase{"UnknownSubtypeAndOthersAreKept",
                   Described("x", kWordI4, kColumnInAttribute | kColumnHidden),
                   {Text("MINVALUE", "1"), Text("SUBTYPE", "Strange"), Text("custom", "z")},
                   L::Int32,
                   0,
                   0,
                   0,
                   kColumnHidden,
                   0,
                   {"MINVALUE", "SUBTYPE", "custom"}},
        // What a written packet would not give back stays a parameter of the column.
        ColumnCase{"WidthOnAnIntegerIsKept",
                   Described("i", kWordI4),
                   {Integer("WIDTH", 15)},
                   L::Int32,
                   0,
                   0,
                   0,
                   0,
                   0,
                   {"WIDTH"}},
        ColumnCase{"CalculatedOnALinkColumnIsKept",
                   Described("k", kWordI4, kColumnLink),
                   {Integer("CALCULATED", 1, 2)},
                   L::Int32,
                   0,
                   0,
                   0,
                   kColumnLink,
                   0,
                   {"CALCULATED"}},
        ColumnCase{"NumberWithoutItsValueIsDropped",
                   Described("n", kWordI4),
                   {Parameter{"num", StoredType{StoredKind::SignedInt, 4}, ""}, Text("custom", "")},
                   L::Int32,
                   0,
                   0,
                   0,
                   0,
                   0,
                   {"custom"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StoredTableLoad, RefusesColumnsThatCannotBeLaidOut) {
    const auto code = [](uint32_t word, std::vector<Parameter> parameters) {
        return StoreCodeOf([&] { ColumnFromDescription(Described("c", word), parameters); });
    };
    EXPECT_EQ(code(kWordString, {}), kCodeBadStructure);
    EXPECT_EQ(code(kWordBinHex, {}), kCodeBadStructure);
    EXPECT_EQ(code(kWordI4, {Integer("SUBTYPE", 29)}), kCodeBadStructure);
    EXPECT_EQ(code(0x10003, {}), kCodeBadStructure);  // a 3-byte integer
    EXPECT_EQ(code(kWordString, {Integer("WIDTH", 10)}), 0);
}

}  // namespace
}  // namespace velmora::store::testing
