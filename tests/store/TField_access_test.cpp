// Field accessors by kind: what a write stores, what reads give back, nulls and errors.

#include <functional>

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/regional_settings.h"
#include "store/TAggregateField.h"
#include "store/TBCDField.h"
#include "store/TFloatField.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/TMemoField.h"
#include "store/TStringField.h"

namespace velmora::store {
namespace {

// One field of each kind in a table holding one new row; "," decimal, "." thousands.
struct Fields {
    Fields() {
        preco.SetDisplayLabel(platform::FromUtf8("Preço Inicial"));
        preco.SetDisplayFormat(",0.0000");
        preco.SetEditFormat(",0.0000");
        valor.SetDisplayFormat(",0.00");
        total.SetFieldKind(fkCalculated);
        total.SetDisplayFormat(",0.00");
        soma.SetDisplayFormat("###,##0.00");
        table.CreateEmpty();
        table.BeforeInsert = nullptr;
        table.AppendRow();
    }

    platform::ScopedSeparators separators{{',', '.'}};
    TMemTable table{"CDSDigitacao"};
    TStringField& marca = table.AddField<TStringField>("marca", 30);
    TStringField& tipo = table.AddField<TStringField>("tipoempresa", 1);
    TBCDField& qtde = table.AddField<TBCDField>("qtde", 15, 3);
    TBCDField& preco = table.AddField<TBCDField>("preco_ini", 15, 4);
    TBCDField& valor = table.AddField<TBCDField>("valor", 15, 4);
    TIntegerField& numero = table.AddField<TIntegerField>("numero");
    TFloatField& total = table.AddField<TFloatField>("totitem");
    TMemoField& memo = table.AddField<TMemoField>("compl_descr");
    TAggregateField& soma = table.AddField<TAggregateField>("SomaItens");
};

struct ReadCase {
    const char* name;
    std::function<void(Fields&)> write;
    std::function<std::string(Fields&)> read;
    std::string expected;
};

class Access : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Access, ReadsBackWhatWasWritten) {
    Fields f;
    GetParam().write(f);
    EXPECT_EQ(GetParam().read(f), GetParam().expected);
}

std::string Null(bool isNull) {
    return isNull ? "null" : "value";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Access,
    ::testing::Values(
        ReadCase{"TypedPriceIsShownWithThePattern", [](Fields& f) { f.preco.SetAsText("1234,5"); },
                 [](Fields& f) {
                     return f.preco.DisplayText() + "|" + f.preco.EditText() + "|" +
                            f.preco.AsText();
                 },
                 "1.234,5000|1.234,5000|1234,5"},
        ReadCase{"EmptyTextClearsThePrice",
                 [](Fields& f) {
                     f.preco.SetAsText("1");
                     f.preco.SetAsText("");
                 },
                 [](Fields& f) {
                     return Null(f.preco.IsNullValue()) + std::to_string(f.preco.AsNumber()) + "|" +
                            f.preco.DisplayText();
                 },
                 "null0.000000|"},
        ReadCase{"TypedDigitsBeyondFourRoundToEven",
                 [](Fields& f) { f.preco.SetAsText("1,00015"); },
                 [](Fields& f) { return f.preco.AsText(); }, "1,0002"},
        ReadCase{"FloatJustAboveHalfRoundsUp", [](Fields& f) { f.preco.SetAsNumber(0.00005); },
                 [](Fields& f) { return f.preco.AsText(); }, "0,0001"},
        ReadCase{"FloatExactHalfRoundsToEven", [](Fields& f) { f.preco.SetAsNumber(0.03125); },
                 [](Fields& f) { return f.preco.AsText(); }, "0,0312"},
        ReadCase{"DigitsBeyondTheScaleAreDropped", [](Fields& f) { f.qtde.SetAsNumber(1.2346); },
                 [](Fields& f) { return f.qtde.AsText(); }, "1,234"},
        ReadCase{"LargestValueOfPrecisionFifteen",
                 [](Fields& f) { f.preco.SetAsText("99999999999,9999"); },
                 [](Fields& f) { return f.preco.DisplayText(); }, "99.999.999.999,9999"},
        ReadCase{"DecimalRoundsExactlyForTheDisplay",
                 [](Fields& f) {
                     f.valor.SetAsText("10,125");
                     f.total.SetAsNumber(10.125);
                 },
                 [](Fields& f) { return f.valor.DisplayText() + "|" + f.total.DisplayText(); },
                 "10,12|10,13"},
        ReadCase{"DecimalAsInt32RoundsToEven", [](Fields& f) { f.preco.SetAsText("2,5"); },
                 [](Fields& f) { return std::to_string(f.preco.AsInt32()); }, "2"},
        ReadCase{"TextIsCutToTheWidth", [](Fields& f) { f.marca.SetAsText(std::string(35, 'x')); },
                 [](Fields& f) { return std::to_string(f.marca.AsText().size()); }, "30"},
        ReadCase{"TrailingBlanksGoLeadingOnesStay",
                 [](Fields& f) { f.marca.SetAsText("  Acme   "); },
                 [](Fields& f) { return "[" + f.marca.AsText() + "]"; }, "[  Acme]"},
        ReadCase{"EmptyTextIsNotNull", [](Fields& f) { f.marca.SetAsText(""); },
                 [](Fields& f) { return Null(f.marca.IsNullValue()); }, "value"},
        ReadCase{"IntegerValueInOneCharacterText",
                 [](Fields& f) { f.tipo.SetAsValue(Value::Integer(2)); },
                 [](Fields& f) { return f.tipo.AsText(); }, "2"},
        ReadCase{"LongerIntegerValueKeepsItsFirstCharacter",
                 [](Fields& f) { f.tipo.SetAsValue(Value::Integer(12)); },
                 [](Fields& f) { return f.tipo.AsText(); }, "1"},
        ReadCase{"NumberInTextUsesTheDecimalSeparator", [](Fields& f) { f.marca.SetAsNumber(1.5); },
                 [](Fields& f) { return f.marca.AsText(); }, "1,5"},
        ReadCase{"IntegerFromFloatRoundsToEven", [](Fields& f) { f.numero.SetAsNumber(2.5); },
                 [](Fields& f) { return f.numero.AsText(); }, "2"},
        ReadCase{"IntegerFromFixedRoundsToEven",
                 [](Fields& f) { f.numero.SetAsValue(Value::Fixed({35000})); },
                 [](Fields& f) { return f.numero.AsText(); }, "4"},
        ReadCase{"IntegerClearedReadsZero",
                 [](Fields& f) {
                     f.numero.SetAsInt32(5);
                     f.numero.SetAsText("");
                 },
                 [](Fields& f) { return f.numero.AsText() + std::to_string(f.numero.AsInt32()); },
                 "0"},
        ReadCase{"FloatTextHasFifteenDigits", [](Fields& f) { f.total.SetAsNumber(1.0 / 3); },
                 [](Fields& f) { return f.total.AsText(); }, "0,333333333333333"},
        ReadCase{"EmptyMemoShowsItsKindInItsOwnCase", [](Fields&) {},
                 [](Fields& f) { return f.memo.DisplayText() + Null(f.memo.IsNullValue()); },
                 "(Memo)null"},
        ReadCase{"MemoWithTextShowsItsKindInCapitals",
                 [](Fields& f) { f.memo.SetAsText("Cadeira de escrit\xF3rio"); },
                 [](Fields& f) { return f.memo.DisplayText() + "|" + f.memo.AsText(); },
                 "(MEMO)|Cadeira de escrit\xF3rio"},
        ReadCase{
            "MemoClearedIsNullButReadsAsEmptyText",
            [](Fields& f) {
                f.memo.SetAsText("x");
                f.memo.ClearValue();
            },
            [](Fields& f) { return Null(f.memo.IsNullValue()) + Null(f.memo.AsValue().IsNull()); },
            "nullvalue"},
        ReadCase{"AggregateWithoutValueIsNull", [](Fields&) {},
                 [](Fields& f) { return "[" + f.soma.AsText() + f.soma.DisplayText() + "]"; },
                 "[]"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    std::function<void(Fields&)> operation;
    std::string message;
};

class AccessError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(AccessError, RaisesTheMessage) {
    Fields f;
    try {
        GetParam().operation(f);
        FAIL() << "nothing was raised";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AccessError,
    ::testing::Values(
        ErrorCase{"ThousandsSeparatorInTypedPrice",
                  [](Fields& f) { f.preco.SetAsText("1.234,6000"); },
                  "'1.234,6000' is not a valid floating point value for field 'Pre\xE7o Inicial'"},
        ErrorCase{"BlanksOnlyAreNotANumber", [](Fields& f) { f.preco.SetAsText("   "); },
                  "'   ' is not a valid floating point value for field 'Pre\xE7o Inicial'"},
        ErrorCase{"TypedIntegerWithALetter", [](Fields& f) { f.numero.SetAsText("12a"); },
                  "'12a' is not a valid integer value for field 'numero'"},
        ErrorCase{"IntegerOutOfRange", [](Fields& f) { f.numero.SetAsNumber(3e9); },
                  "3000000000 is not a valid value for field 'numero'. The allowed range is "
                  "-2147483648 to 2147483647"},
        ErrorCase{"DeclaredRange",
                  [](Fields& f) {
                      f.valor.SetRange(0, 100);
                      f.valor.SetAsText("100,5");
                  },
                  "100,5 is not a valid value for field 'valor'. The allowed range is 0 to 100"},
        ErrorCase{"TextAsInteger",
                  [](Fields& f) {
                      f.marca.SetAsText("abc");
                      (void)f.marca.AsInt32();
                  },
                  "'abc' is not a valid integer value"},
        ErrorCase{"TextAsNumber",
                  [](Fields& f) {
                      f.marca.SetAsText("abc");
                      (void)f.marca.AsNumber();
                  },
                  "'abc' is not a valid floating point value"},
        ErrorCase{"MemoAsInteger", [](Fields& f) { (void)f.memo.AsInt32(); },
                  "Cannot access field 'compl_descr' as type Integer"},
        ErrorCase{"MemoAsNumber", [](Fields& f) { f.memo.SetAsNumber(1); },
                  "Cannot access field 'compl_descr' as type Float"},
        ErrorCase{"AggregateAsNumber", [](Fields& f) { (void)f.soma.AsNumber(); },
                  "Cannot access field 'SomaItens' as type Float"},
        ErrorCase{"AggregateIsNotWritable", [](Fields& f) { f.soma.SetAsText("1"); },
                  "Field 'SomaItens' cannot be modified"},
        ErrorCase{"BooleanIntoAnInteger",
                  [](Fields& f) { f.numero.SetAsValue(Value::Boolean(true)); },
                  "Invalid value for field 'numero'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Access, DecimalTooLargeForTheStoreIsRefusedWithoutText) {
    Fields f;
    try {
        f.preco.SetAsText("100000000000");
        FAIL();
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Message(), "");
    }
    EXPECT_TRUE(f.preco.IsNullValue());
}

TEST(Access, FieldsOfAClosedTableReadNull) {
    Fields f;
    f.marca.SetAsText("Acme");
    f.numero.SetAsInt32(3);
    f.table.PostRow();
    f.table.CloseTable();
    EXPECT_EQ(f.marca.AsText(), "");
    EXPECT_EQ(f.numero.AsInt32(), 0);
    EXPECT_TRUE(f.numero.IsNullValue());
}

TEST(Access, EditTextFallsBackToTheDisplayPattern) {
    Fields f;
    f.valor.SetEditFormat(",0.0000");
    f.valor.SetAsText("2");
    f.total.SetAsNumber(1234.5);  // after the data write, which clears calculated values
    EXPECT_EQ(f.total.EditText(), "1.234,50");
    EXPECT_EQ(f.valor.DisplayText(), "2,00");
    EXPECT_EQ(f.valor.EditText(), "2,0000");
}

TEST(Access, NumericKindsAlignRight) {
    Fields f;
    EXPECT_EQ(f.preco.Alignment(), taRightJustify);
    EXPECT_EQ(f.numero.Alignment(), taRightJustify);
    EXPECT_EQ(f.marca.Alignment(), taLeftJustify);
    EXPECT_EQ(f.memo.Alignment(), taLeftJustify);
}

}  // namespace
}  // namespace velmora::store
