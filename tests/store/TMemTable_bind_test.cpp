// Binding declared fields to the stored columns when a table opens.

#include <functional>

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "store/TAutoIncField.h"
#include "store/TBCDField.h"
#include "store/TFloatField.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/TStringField.h"

namespace velmora::store {
namespace {

// The stored structure the declared fields meet: a text of 10, an integer, a decimal of
// scale 4 and a double.
std::vector<TFieldDef> StoredColumns() {
    return {{"descr", ftString, 10, 0, 0},
            {"numitem", ftInteger, 0, 0, 0},
            {"valor", ftBCD, 4, 15, 0},
            {"peso", ftFloat, 0, 0, 0}};
}

struct BindCase {
    const char* name;
    std::function<void(TMemTable&)> declare;
    std::string message;
};

class BindingFails : public ::testing::TestWithParam<BindCase> {};

TEST_P(BindingFails, WithTheMessageAndLeavesTheTableClosed) {
    TMemTable table("CDSDigitacao");
    table.FieldDefs() = StoredColumns();
    GetParam().declare(table);
    bool opened = false;
    table.AfterOpen = [&opened](TTableBase&) { opened = true; };
    try {
        table.CreateEmpty();
        FAIL() << "the table opened";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), GetParam().message);
    }
    EXPECT_FALSE(table.Active());
    EXPECT_EQ(table.CurrentState(), TableState::Inactive);
    EXPECT_FALSE(opened);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BindingFails,
    ::testing::Values(
        BindCase{"MissingColumnNamedByDisplayLabel",
                 [](TMemTable& t) {
                     t.AddField<TStringField>("descr_item", 120)
                         .SetDisplayLabel(platform::FromUtf8("Descrição do Item"));
                 },
                 "CDSDigitacao: Field 'Descri\xE7\xE3o do Item' not found"},
        BindCase{"IntegerAgainstText", [](TMemTable& t) { t.AddField<TIntegerField>("descr"); },
                 "CDSDigitacao: Type mismatch for field 'descr', expecting: Integer actual: "
                 "String"},
        BindCase{"DecimalAgainstDouble", [](TMemTable& t) { t.AddField<TBCDField>("peso", 15, 4); },
                 "CDSDigitacao: Type mismatch for field 'peso', expecting: BCD actual: Float"},
        BindCase{
            "DecimalScaleDiffers",
            [](TMemTable& t) { t.AddField<TBCDField>("valor", 15, 3).SetDisplayLabel("Qtde."); },
            "CDSDigitacao: Size mismatch for field 'Qtde.', expecting: 3 actual: 4"},
        BindCase{"CalculatedFixedWidthText",
                 [](TMemTable& t) {
                     auto& field = t.AddField<TStringField>("sigla", 2);
                     field.SetFixedChar(true);
                     field.SetFieldKind(fkCalculated);
                 },
                 "CDSDigitacao: Field 'sigla' cannot be a calculated or lookup field"},
        BindCase{"CalculatedAutoIncrement",
                 [](TMemTable& t) { t.AddField<TAutoIncField>("n").SetFieldKind(fkCalculated); },
                 "CDSDigitacao: Field 'n' cannot be a calculated or lookup field"},
        BindCase{"FirstFailingFieldInOrderWins",
                 [](TMemTable& t) {
                     t.AddField<TIntegerField>("descr");
                     t.AddField<TStringField>("ausente");
                 },
                 "CDSDigitacao: Type mismatch for field 'descr', expecting: Integer actual: "
                 "String"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Binding, KindsOfOneBaseKindBindAndNamesIgnoreCase) {
    TMemTable table("t");
    table.FieldDefs() = StoredColumns();
    auto& number = table.AddField<TAutoIncField>("NUMITEM");
    auto& text = table.AddField<TStringField>("Descr", 10);
    text.SetFixedChar(true);
    table.CreateEmpty();
    EXPECT_EQ(number.Slot(), 1u);
    EXPECT_EQ(text.Slot(), 0u);
}

struct WidthCase {
    const char* name;
    uint16_t declared;
    bool readOnly;
    uint16_t expected;
};

class TextWidth : public ::testing::TestWithParam<WidthCase> {};

// A writable field takes a narrower column's width; otherwise the declared width stays.
TEST_P(TextWidth, FollowsTheColumnOnlyWhenNarrowerAndWritable) {
    TMemTable table("t");
    table.FieldDefs() = StoredColumns();
    auto& field = table.AddField<TStringField>("descr", GetParam().declared);
    field.SetReadOnly(GetParam().readOnly);
    table.CreateEmpty();
    EXPECT_EQ(field.Size(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, TextWidth,
                         ::testing::Values(WidthCase{"WiderWritable", 30, false, 10},
                                           WidthCase{"WiderReadOnly", 30, true, 30},
                                           WidthCase{"Narrower", 5, false, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Binding, TableWithoutDeclaredFieldsGetsOneFieldPerColumnUntilClosed) {
    TMemTable table("t");
    table.FieldDefs() = StoredColumns();
    table.CreateEmpty();
    ASSERT_EQ(table.Fields().size(), 4u);
    EXPECT_EQ(table.FieldNamed("valor").DataType(), ftBCD);
    table.CloseTable();
    EXPECT_TRUE(table.Fields().empty());
}

}  // namespace
}  // namespace velmora::store
