// What a refused operation reports and the state it leaves.

#include <functional>

#include <gtest/gtest.h>

#include "TMemTable_test_fixture.h"
#include "store/STBASE.h"

namespace velmora::store::testing {
namespace {

struct FailureCase {
    const char* name;
    int rows;
    std::function<void(LotTable&)> operation;
    std::string message;
    TableState stateAfter;
};

class Refusal : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Refusal, RaisesTheMessageAndLeavesTheState) {
    const FailureCase& c = GetParam();
    LotTable lots;
    lots.Create(c.rows);
    try {
        c.operation(lots);
        FAIL() << "nothing was raised";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), c.message);
    }
    EXPECT_EQ(lots.table.CurrentState(), c.stateAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Refusal,
    ::testing::Values(
        FailureCase{"PostInBrowse", 1, [](LotTable& l) { l.table.PostRow(); },
                    "CDSLotes: Dataset not in edit or insert mode", TableState::Browse},
        FailureCase{"WriteInBrowse", 1, [](LotTable& l) { l.marca.SetAsText("x"); },
                    "CDSLotes: Dataset not in edit or insert mode", TableState::Browse},
        FailureCase{"WriteToReadOnlyField", 1,
                    [](LotTable& l) {
                        l.valor.SetReadOnly(true);
                        l.valor.SetDisplayLabel("Qtde.");
                        l.table.BeginEdit();
                        l.valor.SetAsInt32(3);
                    },
                    "Field 'Qtde.' cannot be modified", TableState::Editing},
        FailureCase{"RequiredFieldNull", 0,
                    [](LotTable& l) {
                        l.table.AppendRow();
                        l.marca.SetAsText("Acme");
                        l.table.PostRow();
                    },
                    "Field 'id_item' must have a value", TableState::Inserting},
        FailureCase{"MoveOnClosedTable", 1,
                    [](LotTable& l) {
                        l.table.CloseTable();
                        l.table.GoNext();
                    },
                    "CDSLotes: Cannot perform this operation on a closed dataset",
                    TableState::Inactive},
        FailureCase{"BeginEditOnClosedTable", 1,
                    [](LotTable& l) {
                        l.table.CloseTable();
                        l.table.BeginEdit();
                    },
                    "CDSLotes: Cannot perform this operation on a closed dataset",
                    TableState::Inactive},
        FailureCase{"CreateEmptyOnOpenTable", 1, [](LotTable& l) { l.table.CreateEmpty(); },
                    "CDSLotes: Cannot perform this operation on an open dataset",
                    TableState::Browse},
        FailureCase{"DeleteOnEmptyView", 0, [](LotTable& l) { l.table.DeleteRow(); },
                    "CDSLotes: Cannot perform this operation on an empty dataset",
                    TableState::Browse},
        FailureCase{"EditReadOnlyTable", 1,
                    [](LotTable& l) {
                        l.table.CloseTable();
                        l.table.SetReadOnly(true);
                        l.table.OpenTable();
                        l.table.BeginEdit();
                    },
                    "CDSLotes: Cannot modify a read-only dataset", TableState::Browse},
        FailureCase{"FieldNamedUnknown", 1, [](LotTable& l) { l.table.FieldNamed("preco"); },
                    "CDSLotes: Field 'preco' not found", TableState::Browse},
        FailureCase{"AggregateDefinitionWhileOpen", 1,
                    [](LotTable& l) {
                        l.table.CloseTable();
                        auto& soma = l.table.AddField<TAggregateField>("SomaItens");
                        l.table.OpenTable();
                        soma.SetExpression("Sum(valor)");
                    },
                    "CDSLotes: Cannot perform this operation on an open dataset",
                    TableState::Browse}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Refusal, CreateEmptyWithoutFieldsHasNoTableName) {
    TMemTable table("CDSLotes");
    try {
        table.CreateEmpty();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "No fields defined.  Cannot create dataset");
    }
}

TEST(Refusal, OpenWithoutStoredDataOrFile) {
    TMemTable table("CDSDigitacao");
    table.AddField<TStringField>("marca");
    table.SetFileName("/nonexistent/proposta.xml");
    try {
        table.OpenTable();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "CDSDigitacao: Missing data provider or data packet");
    }
    EXPECT_FALSE(table.Active());
}

// A value the store refuses (too many integer digits) leaves the previous one, and the row
// can still be corrected and posted.
TEST(Refusal, TooLongDecimalKeepsThePreviousValue) {
    LotTable lots;
    lots.Create(1);
    lots.table.BeginEdit();
    lots.valor.SetAsText("99999999999,9999");
    EXPECT_THROW(lots.valor.SetAsText("100000000000"), EStoreError);
    EXPECT_EQ(lots.valor.AsText(), "99999999999,9999");
    lots.table.PostRow();
    EXPECT_EQ(lots.valor.AsText(), "99999999999,9999");
}

// A failed post keeps the pending row: it can be completed and posted again.
TEST(Refusal, FailedPostKeepsThePendingRow) {
    LotTable lots;
    lots.Create(0);
    lots.table.AppendRow();
    lots.marca.SetAsText("Acme");
    EXPECT_THROW(lots.table.PostRow(), EDatabaseError);
    EXPECT_EQ(lots.marca.AsText(), "Acme");
    lots.id.SetAsInt32(5);
    lots.table.PostRow();
    EXPECT_EQ(lots.table.RowCount(), 1u);
    EXPECT_EQ(lots.marca.AsText(), "Acme");
}

TEST(Refusal, ErrorEventMayRetryAfterCorrecting) {
    LotTable lots;
    lots.Create(0);
    int calls = 0;
    lots.table.OnPostError = [&](TTableBase&, const EDatabaseError&) {
        ++calls;
        lots.id.SetAsInt32(9);
        return ErrorAction::Retry;
    };
    lots.table.AppendRow();
    lots.marca.SetAsText("Acme");
    lots.table.PostRow();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lots.table.CurrentState(), TableState::Browse);
    EXPECT_EQ(lots.id.AsInt32(), 9);
}

TEST(Refusal, ErrorInOnNewRecordDropsTheNewRow) {
    LotTable lots;
    lots.Create(2);
    lots.table.GoNext();
    lots.table.OnNewRecord = [](TTableBase& table) { table.FieldNamed("preco"); };
    EXPECT_THROW(lots.table.InsertRow(), EDatabaseError);
    EXPECT_EQ(lots.table.CurrentState(), TableState::Browse);
    EXPECT_EQ(lots.id.AsInt32(), 2);
    EXPECT_EQ(lots.table.RowCount(), 2u);
}

TEST(Refusal, RaiseAbortIsTheSilentAbort) {
    try {
        TTableBase::RaiseAbort();
        FAIL();
    } catch (const EAbort& abort) {
        EXPECT_STREQ(abort.what(), "Operation aborted");
    }
}

TEST(Refusal, AbortInBeforeInsertLeavesRowAndWindow) {
    LotTable lots;
    lots.Create(3);
    lots.table.GoNext();
    lots.table.BeforeInsert = [](TTableBase& table) { table.RaiseAbort(); };
    EXPECT_THROW(lots.table.AppendRow(), EAbort);
    EXPECT_THROW(lots.table.InsertRow(), EAbort);
    EXPECT_EQ(lots.table.CurrentState(), TableState::Browse);
    EXPECT_EQ(lots.id.AsInt32(), 2);
    EXPECT_EQ(lots.table.WindowRowCount(), 1);
}

}  // namespace
}  // namespace velmora::store::testing
