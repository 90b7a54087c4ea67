// The table's order: IndexFieldNames and IndexName, declared indexes made on first use, and
// what an order change keeps.

#include <functional>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "table_order_fixture.h"

namespace velmora::store::testing_view {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(TableOrder, OpensInNumitemNuitemOrderWithTheNullNumitemFirst) {
    ItemTable items;
    items.table.OpenTable();
    EXPECT_THAT(items.Keys(), ElementsAre(30, 5, 20, 10, 15, 40, 50, 60));
}

TEST(TableOrder, AnOrderChangeKeepsTheCurrentRowAndFiresNoScrollEvent) {
    ItemTable items;
    items.table.OpenTable();
    items.GoToKey(10);
    items.RecordScrolls();
    items.table.SetIndexFieldNames("descr_item");
    EXPECT_EQ(items.nuitem.AsInt32(), 10);
    EXPECT_THAT(items.events, IsEmpty());
    items.table.GoNext();  // the neighbours are those of the new order
    EXPECT_EQ(items.nuitem.AsInt32(), 15);
}

// Accents and letter case sort by the Brazilian Portuguese collation, not by byte value (which
// would put "Cafe" first and "\xC1gua" last).
TEST(TableOrder, TextSortsByTheTablesLocale) {
    ItemTable items;
    items.table.OpenTable();
    items.table.SetIndexFieldNames("descr_item");
    EXPECT_THAT(items.Keys(), ElementsAre(60, 5, 20, 10, 15, 40, 30, 50));
}

TEST(TableOrder, SettingTheSameOrderDoesNothing) {
    ItemTable items;
    items.table.OpenTable();
    items.RecordScrolls();
    const int calculations = items.calculations;
    items.table.SetIndexFieldNames("numitem;nuitem");
    EXPECT_EQ(items.calculations, calculations);  // no refill
    EXPECT_THAT(items.events, IsEmpty());
}

// A row whose nuitem is changed moves inside its numitem group only under a two-column key.
TEST(TableOrder, APrefixOfTheOrderKeepsItThenTheDeclaredIndexTakesOver) {
    ItemTable items;
    items.table.OpenTable();
    items.table.SetIndexFieldNames("numitem");
    items.GoToKey(5);
    items.table.BeginEdit();
    items.nuitem.SetAsInt32(25);
    items.table.PostRow();
    EXPECT_THAT(items.Keys(), ElementsAre(30, 20, 25, 10, 15, 40, 50, 60));

    items.table.SetIndexName("CDSDigitacaoIndex3");
    EXPECT_EQ(items.table.IndexFieldNames(), "");
    EXPECT_EQ(items.table.IndexName(), "CDSDigitacaoIndex3");
    EXPECT_THAT(items.Keys(), ElementsAre(30, 20, 25, 10, 15, 40, 50, 60));

    items.table.SetIndexFieldNames("descr_item");
    EXPECT_EQ(items.table.IndexName(), "");
    items.table.SetIndexName("");  // the default order: rows as the file holds them
    EXPECT_THAT(items.Keys(), ElementsAre(10, 20, 30, 25, 40, 15, 50, 60));
}

TEST(TableOrder, TheOrderOfAClosedTableAppliesWhenItOpens) {
    ItemTable items;
    items.table.SetIndexName("CDSDigitacaoIndex1");
    items.table.OpenTable();
    EXPECT_THAT(items.Keys(), ElementsAre(60, 5, 20, 10, 15, 40, 30, 50));
    items.table.CloseTable();
    items.table.SetIndexFieldNames("nuitem");
    items.table.OpenTable();
    EXPECT_THAT(items.Keys(), ElementsAre(5, 10, 15, 20, 30, 40, 50, 60));
}

struct DefinitionCase {
    const char* name;
    TIndexDef def;
    std::vector<int32_t> keys;  // empty: the build fails with a key violation
};

class IndexDefinition : public ::testing::TestWithParam<DefinitionCase> {};

TEST_P(IndexDefinition, MakesTheOrderItDeclares) {
    ItemTable items;
    items.table.IndexDefs().push_back(GetParam().def);
    items.table.OpenTable();
    if (GetParam().keys.empty()) {
        try {
            items.table.SetIndexName(GetParam().def.Name);
            FAIL() << "no key violation";
        } catch (const EStoreError& error) {
            EXPECT_EQ(error.Code(), 0x2601);
        }
        EXPECT_EQ(items.table.IndexFieldNames(), "numitem;nuitem");
        return;
    }
    items.table.SetIndexName(GetParam().def.Name);
    EXPECT_EQ(items.Keys(), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Options, IndexDefinition,
    ::testing::Values(
        DefinitionCase{"DescendingPutsNullsLast",
                       Declared("Desc", "numitem;nuitem", "", "", ixDescending),
                       {60, 50, 40, 15, 10, 20, 5, 30}},
        DefinitionCase{"DescFieldsTurnOnlyThem",
                       Declared("Mixed", "numitem;nuitem", "nuitem"),
                       {30, 20, 5, 15, 10, 40, 50, 60}},
        DefinitionCase{"UniqueWithDistinctKeys",
                       Declared("Unique", "descr_item", "", "", ixUnique),
                       {60, 5, 20, 10, 15, 40, 30, 50}},
        DefinitionCase{"UniqueIgnoringCaseMeetsCafeTwice",
                       Declared("UniqueCI", "descr_item", "", "", ixUnique | ixCaseInsensitive),
                       {}},
        DefinitionCase{"CaseInsFieldsIgnoreCaseOnThem",
                       Declared("UniqueCIField", "descr_item", "", "descr_item", ixUnique),
                       {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::function<void(ItemTable&)> change;
    std::string message;
};

class OrderFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(OrderFailure, NamesTheCauseAndKeepsTheOrder) {
    ItemTable items;
    items.table.IndexDefs().push_back(Declared("NotAKey", "numitem", "descr_item"));
    items.table.OpenTable();
    try {
        GetParam().change(items);
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
    EXPECT_EQ(items.table.IndexFieldNames(), "numitem;nuitem");
    EXPECT_THAT(items.Keys(), ElementsAre(30, 5, 20, 10, 15, 40, 50, 60));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, OrderFailure,
    ::testing::Values(
        FailureCase{"UnknownField",
                    [](ItemTable& items) { items.table.SetIndexFieldNames("numitem;preco"); },
                    "CDSDigitacao: Field 'preco' not found"},
        FailureCase{"CalculatedField",
                    [](ItemTable& items) { items.table.SetIndexFieldNames("totitem"); },
                    "CDSDigitacao: Field index out of range"},
        FailureCase{"UnknownIndex",
                    [](ItemTable& items) { items.table.SetIndexName("CDSDigitacaoIndex9"); },
                    "CDSDigitacao: Index 'CDSDigitacaoIndex9' not found"},
        FailureCase{"DescFieldThatIsNoKey",
                    [](ItemTable& items) { items.table.SetIndexName("NotAKey"); },
                    "CDSDigitacao: Cannot access index field 'descr_item'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store::testing_view
