// Rows through the table: moves, posting, numbering, what closing keeps.

#include <gtest/gtest.h>

#include "TMemTable_test_fixture.h"
#include "store/STBASE.h"
#include "store/TAutoIncField.h"

namespace velmora::store::testing {
namespace {

TEST(Rows, GoNextOnTheLastRowKeepsItCurrentAndSetsAtEnd) {
    LotTable lots;
    lots.Create(2);
    EXPECT_TRUE(lots.table.AtStart());
    EXPECT_EQ(lots.table.MoveRows(5), 1);
    EXPECT_TRUE(lots.table.AtEnd());
    EXPECT_EQ(lots.id.AsInt32(), 2);
    EXPECT_EQ(lots.table.MoveRows(1), 0);
    EXPECT_EQ(lots.table.MoveRows(-5), -1);
    EXPECT_TRUE(lots.table.AtStart());
    EXPECT_EQ(lots.id.AsInt32(), 1);
}

TEST(Rows, GoLastThenBackward) {
    LotTable lots;
    lots.Create(3);
    lots.table.GoLast();
    EXPECT_TRUE(lots.table.AtEnd());
    EXPECT_FALSE(lots.table.AtStart());
    EXPECT_EQ(lots.id.AsInt32(), 3);
    lots.table.GoPrior();
    EXPECT_EQ(lots.id.AsInt32(), 2);
}

TEST(Rows, EmptyViewReadsNullAndGoFirstLeavesBothEnds) {
    LotTable lots;
    lots.Create(0);
    lots.table.GoFirst();
    EXPECT_TRUE(lots.table.IsEmptyView());
    EXPECT_TRUE(lots.table.AtStart());
    EXPECT_TRUE(lots.table.AtEnd());
    EXPECT_EQ(lots.descr.AsText(), "");
    EXPECT_EQ(lots.valor.AsNumber(), 0);
    EXPECT_TRUE(lots.valor.IsNullValue());
}

TEST(Rows, PostingAnUnchangedRowStoresNothingButFiresAfterPost) {
    LotTable lots;
    lots.Create(1);
    const STBASE& stored = *lots.table.StoredTable();
    uint32_t mark = stored.ChangedMark();
    size_t log = stored.LogSize();
    int afterPost = 0;
    lots.table.AfterPost = [&afterPost](TTableBase&) { ++afterPost; };
    lots.table.BeginEdit();
    lots.descr.SetAsText(lots.descr.AsText());
    lots.marca.ClearValue();
    lots.table.PostRow();
    EXPECT_EQ(afterPost, 1);
    EXPECT_EQ(stored.ChangedMark(), mark);
    EXPECT_EQ(stored.LogSize(), log);
}

TEST(Rows, PostedChangeIsReadBackAndLogged) {
    LotTable lots;
    lots.Create(2);
    lots.table.GoNext();
    lots.table.BeginEdit();
    lots.marca.SetAsText("Acme");
    lots.table.PostRow();
    EXPECT_EQ(lots.id.AsInt32(), 2);
    EXPECT_EQ(lots.marca.AsText(), "Acme");
    EXPECT_FALSE(lots.table.AtEnd());
    EXPECT_EQ(lots.table.StoredTable()->LogSize(), 3u);  // two insertions, one modification
}

TEST(Rows, CloseWithPendingRowLosesTheTypedValue) {
    LotTable lots;
    lots.Create(1);
    lots.table.BeginEdit();
    lots.marca.SetAsText("Acme");
    lots.table.CloseTable();
    lots.table.OpenTable();
    EXPECT_EQ(lots.marca.AsText(), "");
    EXPECT_FALSE(lots.table.RowModified());
}

TEST(Rows, TableWithoutFileKeepsRowsAndLogAcrossCloseAndOpen) {
    LotTable lots;
    lots.Create(3);
    size_t log = lots.table.StoredTable()->LogSize();
    lots.table.CloseTable();
    ASSERT_NE(lots.table.StoredTable(), nullptr);
    lots.table.OpenTable();
    EXPECT_EQ(lots.Keys(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(lots.table.StoredTable()->LogSize(), log);
    lots.table.CloseTable();
    lots.table.CreateEmpty();
    EXPECT_TRUE(lots.table.IsEmptyView());
}

TEST(Rows, DeleteMakesTheNextRowCurrentAndThePriorOneAtTheEnd) {
    LotTable lots;
    lots.Create(3);
    lots.table.GoNext();
    lots.table.DeleteRow();
    EXPECT_EQ(lots.id.AsInt32(), 3);
    lots.table.DeleteRow();
    EXPECT_EQ(lots.id.AsInt32(), 1);
    EXPECT_EQ(lots.Keys(), (std::vector<int>{1}));
}

TEST(Rows, DeleteWhileInsertingCancels) {
    LotTable lots;
    lots.Create(1);
    lots.table.AppendRow();
    lots.table.DeleteRow();
    EXPECT_EQ(lots.table.CurrentState(), TableState::Browse);
    EXPECT_EQ(lots.table.RowCount(), 1u);
}

TEST(Rows, AutoIncrementNumbersInsertedRowsWhateverWasWritten) {
    TMemTable table("t");
    auto& number = table.AddField<TAutoIncField>("id_item");
    auto& name = table.AddField<TStringField>("nome");
    table.CreateEmpty();
    for (const char* text : {"a", "b"}) {
        table.AppendRow();
        number.SetAsInt32(77);
        name.SetAsText(text);
        table.PostRow();
    }
    table.GoFirst();
    EXPECT_EQ(number.AsInt32(), 1);
    table.GoNext();
    EXPECT_EQ(number.AsInt32(), 2);
}

TEST(Rows, FieldNamedIgnoresCaseAndFindsAggregates) {
    LotTable lots;
    auto& soma = lots.table.AddField<TAggregateField>("SomaItens");
    EXPECT_EQ(&lots.table.FieldNamed("VALOR"), &lots.valor);
    EXPECT_EQ(&lots.table.FieldNamed("somaitens"), &soma);
    EXPECT_EQ(lots.table.FindFieldNamed("preco"), nullptr);
}

TEST(Rows, InsertBuildsTheNewRowBeforeTheCurrentOne) {
    LotTable lots;
    lots.Create(2);
    lots.table.GoNext();
    lots.table.InsertRow();
    EXPECT_TRUE(lots.id.IsNullValue());
    lots.table.CancelEdit();
    EXPECT_EQ(lots.id.AsInt32(), 2);
    EXPECT_EQ(lots.table.RowCount(), 2u);
}

// IndexFieldNames and IndexName share one slot: setting either replaces the other.
TEST(Rows, OrderNamesShareOneSlot) {
    TMemTable table("CDSDigitacao");
    table.SetIndexFieldNames("numitem");
    table.SetIndexName("CDSDigitacaoIndex3");
    EXPECT_EQ(table.IndexFieldNames(), "");
    EXPECT_EQ(table.IndexName(), "CDSDigitacaoIndex3");
    table.SetIndexFieldNames("numitem;nuitem");
    EXPECT_EQ(table.IndexName(), "");
    EXPECT_EQ(table.IndexFieldNames(), "numitem;nuitem");
    table.SetIndexFieldNames("");
    EXPECT_EQ(table.IndexName(), "");
}

}  // namespace
}  // namespace velmora::store::testing
