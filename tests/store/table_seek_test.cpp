// SeekRow: the condition built from the keys, the first match in view order, the window and the
// events when a row is found and when none is.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "table_order_fixture.h"

namespace velmora::store::testing_view {
namespace {

using ::testing::ElementsAre;

constexpr SeekOptions kTypeAhead{true, true};  // what the type-ahead search asks for
constexpr SeekOptions kExact{};

struct SeekCase {
    const char* name;
    const char* order;  // IndexFieldNames
    const char* fields;
    std::vector<Value> values;
    SeekOptions options;
    int32_t found;  // nuitem of the row found; 0: none
};

class SeekInViewOrder : public ::testing::TestWithParam<SeekCase> {};

TEST_P(SeekInViewOrder, FindsTheFirstMatch) {
    const SeekCase& c = GetParam();
    ItemTable items;
    items.table.OpenTable();
    items.table.SetIndexFieldNames(c.order);
    items.table.GoLast();
    const int32_t before = items.nuitem.AsInt32();
    EXPECT_EQ(items.table.SeekRow(c.fields, c.values, c.options), c.found != 0);
    EXPECT_EQ(items.nuitem.AsInt32(), c.found != 0 ? c.found : before);
}

Value T(const char* text) {
    return Value::Text(text);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SeekInViewOrder,
    ::testing::Values(
        // "caf\xE9" (30) comes before "Cafe" (40) in numitem order, though "Cafe" has the case.
        SeekCase{"PrefixInAnyCase", "numitem;nuitem", "descr_item", {T("Caf")}, kTypeAhead, 30},
        SeekCase{
            "PrefixInDescriptionOrder", "descr_item", "descr_item", {T("CAF")}, kTypeAhead, 15},
        SeekCase{
            "PrefixInTheSameCase", "numitem;nuitem", "descr_item", {T("Caf")}, {false, true}, 40},
        SeekCase{"WholeTextIgnoringCase",
                 "numitem;nuitem",
                 "descr_item",
                 {T("CAFE")},
                 {true, false},
                 15},
        SeekCase{
            "WholeTextWithoutPartialKey", "numitem;nuitem", "descr_item", {T("Caf")}, kExact, 0},
        SeekCase{"SingleLetterPrefix", "numitem;nuitem", "descr_item", {T("b")}, kTypeAhead, 10},
        SeekCase{
            "LongerThanEveryText", "numitem;nuitem", "descr_item", {T("bananada")}, kTypeAhead, 0},
        SeekCase{
            "QuoteInsideTheKey", "numitem;nuitem", "descr_item", {T("copo d'\xE1gua")}, kExact, 50},
        SeekCase{
            "QuoteInsideThePrefix", "numitem;nuitem", "descr_item", {T("COPO D'")}, kTypeAhead, 50},
        SeekCase{"ExactLot", "numitem;nuitem", "id_item", {Value::Integer(2)}, {false, true}, 5},
        SeekCase{"NoSuchLot", "numitem;nuitem", "id_item", {Value::Integer(9)}, {false, true}, 0},
        SeekCase{"LotGivenAsText", "numitem;nuitem", "id_item", {T("2")}, kExact, 5},
        SeekCase{"TwoKeys",
                 "descr_item",
                 "numitem;nuitem",
                 {Value::Integer(2), Value::Integer(15)},
                 kExact,
                 15},
        SeekCase{"NullKey", "descr_item", "numitem", {Value()}, kExact, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableSeek, AFoundRowIsCentredInTheWindowAndBothScrollsFire) {
    ItemTable items;
    items.ShowInGrid(3);
    items.table.OpenTable();
    items.RecordScrolls();
    EXPECT_TRUE(items.table.SeekRow("nuitem", Value::Integer(15)));
    EXPECT_THAT(items.WindowKeys(), ElementsAre(10, 15, 40));
    EXPECT_EQ(items.table.CurrentWindowRow(), 1);
    EXPECT_THAT(items.events, ElementsAre("BeforeScroll", "AfterScroll"));
    items.table.GoNext();
    EXPECT_EQ(items.nuitem.AsInt32(), 40);
}

TEST(TableSeek, NotFoundLeavesRowAndWindowAndFiresBeforeScrollOnly) {
    ItemTable items;
    items.ShowInGrid(3);
    items.table.OpenTable();
    items.table.GoNext();  // 5, in the window 30 5 20
    items.RecordScrolls();
    EXPECT_FALSE(items.table.SeekRow("descr_item", T("zzz"), kTypeAhead));
    EXPECT_THAT(items.WindowKeys(), ElementsAre(30, 5, 20));
    EXPECT_EQ(items.nuitem.AsInt32(), 5);
    EXPECT_THAT(items.events, ElementsAre("BeforeScroll"));
    items.table.GoNext();  // the cursor is back where the window says
    EXPECT_EQ(items.nuitem.AsInt32(), 20);
}

TEST(TableSeek, AFilteredTableFindsOnlyInItsView) {
    ItemTable items;
    items.OpenFiltered("id_item = 2");
    EXPECT_FALSE(items.table.SeekRow("descr_item", T("banana"), kTypeAhead));
    EXPECT_TRUE(items.table.SeekRow("descr_item", T("\xC1GUA"), kTypeAhead));
    EXPECT_EQ(items.nuitem.AsInt32(), 20);
}

TEST(TableSeek, APendingRowIsPostedFirst) {
    ItemTable items;
    items.table.OpenTable();
    items.table.BeginEdit();
    items.descr.SetAsText("melancia");
    EXPECT_TRUE(items.table.SeekRow("descr_item", T("mel"), kTypeAhead));
    EXPECT_EQ(items.table.CurrentState(), TableState::Browse);
    EXPECT_EQ(items.nuitem.AsInt32(), 30);
}

struct SeekFailure {
    const char* name;
    const char* fields;
    std::vector<Value> values;
    const char* message;
};

class SeekRefusal : public ::testing::TestWithParam<SeekFailure> {};

TEST_P(SeekRefusal, NamesTheField) {
    ItemTable items;
    items.table.OpenTable();
    try {
        items.table.SeekRow(GetParam().fields, GetParam().values);
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SeekRefusal,
    ::testing::Values(
        SeekFailure{
            "UnknownField", "preco", {Value::Integer(1)}, "CDSDigitacao: Field 'preco' not found"},
        SeekFailure{
            "MemoKey", "compl_descr", {T("x")}, "Field 'compl_descr' is of an unsupported type"},
        SeekFailure{"FewerValuesThanFields",
                    "numitem;nuitem",
                    {Value::Integer(2)},
                    "CDSDigitacao: No key value for field 'nuitem'"}),
    [](const auto& info) { return std::string(info.param.name); });

// A key text holding the syntax of another term stays one constant, refused as a number, so
// the row the added term would select (nuitem 15) is never found.
TEST(TableSeek, AKeyTextCannotAddTerms) {
    ItemTable items;
    items.table.OpenTable();
    items.table.GoLast();
    const int32_t before = items.nuitem.AsInt32();
    for (const char* fields : {"id_item", "nuitem"}) {
        try {
            items.table.SeekRow(fields, T("9 or [nuitem]=15"));
            ADD_FAILURE() << fields << ": no error";
        } catch (const EConvertError& error) {
            EXPECT_STREQ(error.what(), "'9 or [nuitem]=15' is not a valid integer value");
        }
        EXPECT_EQ(items.nuitem.AsInt32(), before) << fields;
    }
}

TEST(TableSeek, ASingleValueServesOnlyASingleField) {
    ItemTable items;
    items.table.OpenTable();
    EXPECT_THROW(items.table.SeekRow("numitem;nuitem", Value::Integer(2)), EDatabaseError);
    EXPECT_TRUE(items.table.SeekRow("nuitem", Value::Integer(60)));
}

}  // namespace
}  // namespace velmora::store::testing_view
