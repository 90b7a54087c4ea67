// The orders a loaded or created stored table gets from its key lists and index descriptions.
#include <gtest/gtest.h>

#include <functional>

#include "STIDX_fixture.h"
#include "store/STIDX.h"
#include "store/store_codes.h"
#include "store/stored_table_loader.h"

namespace velmora::store {
namespace {

using namespace testing_items;

Parameter KeyList(const char* name, std::vector<uint16_t> elements) {
    std::string bytes;
    for (uint16_t element : elements) bytes += Int32Bytes(element).substr(0, 2);
    return Parameter{name, StoredType{StoredKind::UnsignedInt, 2, false, true}, bytes};
}

struct Loaded {
    std::unique_ptr<STBASE> table;
    std::vector<uint32_t> slots;
};

// Two integer columns (numitem, nuitem) and the rows (3, 10), (1, 30), (2, 20), (1, 30).
Loaded Load(std::vector<Parameter> parameters, size_t rows = 3) {
    StoredTableLoader loader;
    for (const char* name : {"numitem", "nuitem"})
        loader.AddColumn(ColumnDescription{name, StoredType{StoredKind::SignedInt, 4}}, {});
    for (Parameter& parameter : parameters) loader.AddTableParameter(std::move(parameter));
    const int32_t values[][2] = {{3, 10}, {1, 30}, {2, 20}, {1, 30}};
    for (size_t i = 0; i < rows; ++i) {
        RowImage row = loader.NewRowImage();
        row.PutStored(0, Int32Bytes(values[i][0]));
        row.PutStored(1, Int32Bytes(values[i][1]));
        loader.AddRow(0, row);
    }
    Loaded loaded{loader.Finish(), {}};
    InstallDescribedIndexes(*loaded.table);
    return loaded;
}

struct InstallCase {
    const char* name;
    std::vector<Parameter> parameters;
    const char* index;            // the order looked at
    std::vector<uint32_t> slots;  // its rows
    std::vector<KeyColumn> keys;  // its key
    bool unique, primary;
};

class InstallTest : public testing::TestWithParam<InstallCase> {};

TEST_P(InstallTest, KeyListsGiveTheOrders) {
    const InstallCase& c = GetParam();
    Loaded loaded = Load(c.parameters);
    const STIDX* index = IndexNamed(*loaded.table, c.index);
    ASSERT_NE(index, nullptr);
    EXPECT_EQ(Entries(*index), c.slots);
    EXPECT_EQ(index->Description().keys, c.keys);
    EXPECT_EQ(index->Description().unique, c.unique);
    EXPECT_EQ(index->Description().primary, c.primary);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, InstallTest,
    testing::Values(
        InstallCase{"DefaultOrder",
                    {KeyList("DEFAULT_ORDER", {2})},
                    "DEFAULT_ORDER",
                    {1, 3, 2},
                    {KeyColumn{1}},
                    false,
                    false},
        InstallCase{"DefaultOrderDescending",
                    {KeyList("DEFAULT_ORDER", {2 | 0x8000})},
                    "DEFAULT_ORDER",
                    {2, 3, 1},
                    {KeyColumn{1, true}},
                    false,
                    false},
        InstallCase{"UniqueMarksTheDefaultOrder",
                    {KeyList("DEFAULT_ORDER", {1 | 0x8000}), KeyList("UNIQUE_KEY", {1})},
                    "DEFAULT_ORDER",
                    {1, 3, 2},
                    {KeyColumn{0, true}},
                    true,
                    false},
        InstallCase{"UniqueOfOtherColumns",
                    {KeyList("DEFAULT_ORDER", {1}), KeyList("UNIQUE_KEY", {2})},
                    "UNIQUE_KEY",
                    {1, 3, 2},
                    {KeyColumn{1}},
                    true,
                    false},
        InstallCase{"CaseMarkMustMatch",
                    {KeyList("DEFAULT_ORDER", {1}), KeyList("UNIQUE_KEY", {1 | 0x4000})},
                    "UNIQUE_KEY",
                    {2, 3, 1},
                    {KeyColumn{0, false, true}},
                    true,
                    false},
        InstallCase{"PrimaryWithoutDefaultOrder",
                    {KeyList("PRIMARY_KEY", {1})},
                    "PRIMARY_KEY",
                    {2, 3, 1},
                    {KeyColumn{0}},
                    true,
                    true}),
    [](const testing::TestParamInfo<InstallCase>& info) { return info.param.name; });

TEST(InstallFailureTest, UniqueKeyOverEqualRowsFails) {
    try {
        Load({KeyList("UNIQUE_KEY", {1, 2})}, /*rows=*/4);
        FAIL() << "no refusal";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Code(), kCodeKeyViolation);
    }
}

TEST(InstallFailureTest, WithoutKeysTheSlotOrderStays) {
    Loaded loaded = Load({});
    EXPECT_EQ(IndexNamed(*loaded.table, kDefaultOrderName), nullptr);
    EXPECT_EQ(Entries(loaded.table->DefaultOrder()), (std::vector<uint32_t>{1, 2, 3}));
}

TEST(InstallCreatedTest, DescribedIndexesOfACreatedTable) {
    std::unique_ptr<STBASE> table = STBASE::Create(
        {Column("numitem", LogicalType::Int32), Column("nuitem", LogicalType::Int32)},
        {IndexDescription{"byNuitem", {KeyColumn{1, true}}},
         IndexDescription{"unique", {KeyColumn{0}}, true}});
    InstallDescribedIndexes(*table);
    RowImage row = table->NewRowImage();
    row.PutStored(0, Int32Bytes(1));
    row.PutStored(1, Int32Bytes(5));
    const uint32_t first = table->InsertRow(row);
    row.PutStored(0, Int32Bytes(2));
    row.PutStored(1, Int32Bytes(9));
    const uint32_t second = table->InsertRow(row);
    EXPECT_EQ(Entries(*table->FindOrder("byNuitem")), (std::vector<uint32_t>{second, first}));
    EXPECT_THROW(table->InsertRow(row), EStoreError);  // numitem 2 again
}

}  // namespace
}  // namespace velmora::store
