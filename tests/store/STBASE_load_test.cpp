// Building a stored table from what a datapacket holds.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "STBASE_fixture.h"
#include "STBASE_packet_values.h"
#include "store/row_state.h"
#include "store/store_codes.h"
#include "store/stored_table_loader.h"

namespace velmora::store::testing {
namespace {

// id i4, name string(10), memo text blob.
class LoaderTest : public ::testing::Test {
protected:
    LoaderTest() {
        loader.AddColumn(Described("id", kWordI4), {Text("SUBTYPE", "Autoinc")});
        loader.AddColumn(Described("name", kWordString), {Integer("WIDTH", 10)});
        loader.AddColumn(Described("memo", kWordBinHex), {Text("SUBTYPE", "Text")});
    }

    void AddRow(uint8_t state, int32_t id, std::string name, const char* memo = "memo") {
        RowImage row = loader.NewRowImage();
        row.PutStored(0, Int32Bytes(id));
        row.PutStored(1, name);
        if (memo)
            row.PutStored(2, memo);
        else
            row.SetUnchanged(2);
        loader.AddRow(state, row);
    }

    std::vector<std::string> Visible() const {
        std::vector<std::string> names;
        RowOrder& order = table->DefaultOrder();
        for (uint32_t position = 0; position < order.Count(); ++position)
            names.emplace_back(table->SlotRow(order.SlotAt(position)).Value(1));
        return names;
    }

    void Finish() { table = loader.Finish(); }

    StoredTableLoader loader;
    std::unique_ptr<STBASE> table;
};

TEST_F(LoaderTest, PutsTheFilesChangeLogInForce) {
    loader.AddTableParameter(Array("CHANGE_LOG", {3, 1, 8}));
    AddRow(1, 1, "old");
    AddRow(0, 2, "other");
    AddRow(8, 1, "new");
    Finish();
    EXPECT_EQ(table->RowCount(), 2u);
    EXPECT_EQ(Visible(), (std::vector<std::string>{"other", "new"}));
    EXPECT_EQ(table->LogEntries(), (std::vector<ChangeLogEntry>{{3, 1, 8}}));
    EXPECT_EQ(table->ChangedMark(), 0u);
    EXPECT_TRUE(table->TableParameters().empty());
    table->UndoLastChange();  // the earlier version takes the place of the undone one
    EXPECT_EQ(Visible(), (std::vector<std::string>{"other", "old"}));
    EXPECT_EQ(table->SlotCount(), 2u);
}

TEST_F(LoaderTest, FurtherChangesAppendToTheLoadedLog) {
    loader.AddTableParameter(Array("CHANGE_LOG", {2, 1, 8}));
    AddRow(1, 1, "a");
    AddRow(8, 1, "a2");
    Finish();
    RowImage row = table->NewRowImage();
    row.Assign(table->SlotRow(2).Bytes());
    row.Put(1, "a3");
    EXPECT_EQ(table->ModifyRow(2, row), 3u);
    EXPECT_EQ(table->LogEntries(), (std::vector<ChangeLogEntry>{{2, 1, 8}, {3, 2, 8}}));
    EXPECT_THAT(
        std::vector<uint8_t>({table->SlotState(1), table->SlotState(2), table->SlotState(3)}),
        ::testing::ElementsAre(1, 9, 8));
    // A bookmark of the first version finds the current one.
    STCursor cursor(*table);
    ASSERT_TRUE(cursor.GoToBookmark(Bookmark{1}));
    EXPECT_EQ(cursor.GetBookmark(), Bookmark{3});
}

TEST_F(LoaderTest, DiscardedAndDeletedSlotsAreNoRows) {
    AddRow(kRowDiscarded, 1, "gone");
    AddRow(kRowDeleted, 2, "deleted");
    AddRow(0, 3, "kept");
    Finish();
    EXPECT_EQ(Visible(), std::vector<std::string>{"kept"});
    EXPECT_EQ(table->SlotCount(), 3u);
}

TEST_F(LoaderTest, UndoOfAnInsertionBeforeTheLastSlotDiscardsIt) {
    loader.AddTableParameter(Array("CHANGE_LOG", {1, 0, 4}));
    AddRow(kRowInserted, 1, "new");
    AddRow(0, 2, "old");
    Finish();
    table->UndoLastChange();
    EXPECT_EQ(table->SlotState(1), kRowDiscarded);
    EXPECT_EQ(table->SlotRow(1).Value(1), "new");
    EXPECT_TRUE(table->SlotRow(1).IsNull(2));  // its large objects are released
    EXPECT_EQ(Visible(), std::vector<std::string>{"old"});
}

TEST_F(LoaderTest, UnchangedBlobIsTheReplacedVersionsBlob) {
    loader.AddTableParameter(Array("CHANGE_LOG", {2, 1, 8}));
    AddRow(kRowSuperseded, 1, "a", "the memo");
    AddRow(kRowModified, 1, "a2", nullptr);
    AddRow(0, 3, "b", nullptr);  // no version to take it from
    Finish();
    EXPECT_EQ(table->SlotRow(2).Value(2), "the memo");
    EXPECT_FALSE(table->SlotRow(2).IsUnchanged(2));
    EXPECT_TRUE(table->SlotRow(3).IsNull(2));
}

TEST_F(LoaderTest, KeepsTheTableParametersInOrder) {
    loader.AddTableParameter(Integer("LCID", 1046));
    loader.AddTableParameter(Array("MD_FIELDLINKS", {1}));
    loader.AddTableParameter(Text("TABLENAME", "items"));
    loader.AddTableParameter(Text("", "nameless"));  // no packet could carry these two back
    loader.AddTableParameter(Parameter{"num", StoredType{StoredKind::SignedInt, 4}, ""});
    loader.AddTableParameter(Integer("AUTOINCVALUE", 40, 4));
    loader.AddTableParameter(Array("DEFAULT_ORDER", {0x8002, 1}, 2));
    loader.AddTableParameter(Array("CHANGE_LOG", {1, 0, 4}));
    AddRow(kRowInserted, 1, "a");
    Finish();
    std::vector<std::string> names;
    for (const Parameter& p : table->TableParameters()) names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"LCID", "TABLENAME", "DEFAULT_ORDER"}));
    EXPECT_EQ(table->Lcid(), 1046u);
    EXPECT_TRUE(table->FieldLinks());
    EXPECT_EQ(table->AutoIncCounter(), 40);
    EXPECT_TRUE(table->KeepsAutoIncCounter());
    EXPECT_EQ(table->DefaultOrderKey(),
              (std::vector<KeyColumn>{{1, true, false}, {0, false, false}}));
}

TEST_F(LoaderTest, DefaultOrderParameterOrdersTheRows) {
    loader.AddTableParameter(Array("DEFAULT_ORDER", {0x8002}, 2));  // name, descending
    AddRow(0, 1, "b");
    AddRow(0, 2, "c");
    AddRow(0, 3, "a");
    Finish();
    EXPECT_EQ(Visible(), (std::vector<std::string>{"c", "b", "a"}));
}

TEST_F(LoaderTest, UniqueKeySharedByTwoRowsFailsTheLoad) {
    loader.AddTableParameter(Array("UNIQUE_KEY", {2}));
    AddRow(0, 1, "a");
    AddRow(0, 2, "a");
    EXPECT_EQ(StoreCodeOf([&] { Finish(); }), kCodeKeyViolation);
}

TEST_F(LoaderTest, AnUnknownLocaleBecomesTheDefault) {
    loader.AddTableParameter(Integer("LCID", 0x7FF0));
    Finish();
    EXPECT_EQ(table->Lcid(), 0u);
    EXPECT_EQ(table->TableParameters().size(), 1u);
}

TEST_F(LoaderTest, WithoutAutoIncValueNumberingGoesOnAfterTheHighest) {
    AddRow(0, 7, "a");
    AddRow(0, 3, "b");
    Finish();
    EXPECT_FALSE(table->KeepsAutoIncCounter());
    EXPECT_EQ(table->AutoIncCounter(), 8);
}

struct Permission {
    const char* name;
    std::vector<Parameter> parameters;
    bool editRefused, insertRefused, deleteRefused;
};

void PrintTo(const Permission& c, std::ostream* os) {
    *os << c.name;
}

class LoadedPermission : public LoaderTest, public ::testing::WithParamInterface<Permission> {};

TEST_P(LoadedPermission, RefusesOnlyWhatTheFileForbidsWhileLogging) {
    for (const Parameter& p : GetParam().parameters) loader.AddTableParameter(p);
    AddRow(0, 1, "a");
    AddRow(0, 2, "b");
    Finish();
    RowImage row = table->NewRowImage();
    row.Assign(table->SlotRow(1).Bytes());
    row.Put(1, "a2");
    const auto refused = [](int code) { return code == kCodeTableReadOnly; };
    EXPECT_EQ(refused(StoreCodeOf([&] { table->ModifyRow(1, row); })), GetParam().editRefused);
    EXPECT_EQ(refused(StoreCodeOf([&] { table->InsertRow(row); })), GetParam().insertRefused);
    EXPECT_EQ(refused(StoreCodeOf([&] { table->DeleteRow(2); })), GetParam().deleteRefused);
    table->SetChangeLogging(false);
    EXPECT_EQ(StoreCodeOf([&] { table->DeleteRow(table->DefaultOrder().SlotAt(0)); }), 0);
}

INSTANTIATE_TEST_SUITE_P(
    StoredTableLoad, LoadedPermission,
    ::testing::Values(
        Permission{"Nothing", {}, false, false, false},
        Permission{"Edits", {Integer("DISABLE_EDITS", 0)}, true, false, false},
        Permission{"Inserts", {Text("disable_inserts", "")}, false, true, false},
        Permission{"Deletes", {Integer("DISABLE_DELETES", 1)}, false, false, true},
        Permission{"ReadOnly", {Integer("READONLY", 1, 2, StoredKind::Boolean)}, true, true, true},
        Permission{"ReadOnlyFalse",
                   {Integer("READONLY", 0, 2, StoredKind::Boolean)},
                   false,
                   false,
                   false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoaderTest, ADeltaLogsNothing) {
    loader.AddTableParameter(Integer("DATASET_DELTA", 1, 2, StoredKind::Boolean));
    AddRow(0, 1, "a");
    Finish();
    EXPECT_TRUE(table->IsDelta());
    EXPECT_FALSE(table->ChangeLogging());
}

struct BadParameter {
    const char* name;
    Parameter parameter;
};

void PrintTo(const BadParameter& c, std::ostream* os) {
    *os << c.name;
}

class LoadedBadParameter : public LoaderTest, public ::testing::WithParamInterface<BadParameter> {};

TEST_P(LoadedBadParameter, FailsTheLoad) {
    EXPECT_EQ(StoreCodeOf([&] {
                  loader.AddTableParameter(GetParam().parameter);
                  AddRow(0, 1, "a");
                  AddRow(0, 2, "b");
                  Finish();
              }),
              kCodeBadStructure);
}

INSTANTIATE_TEST_SUITE_P(
    StoredTableLoad, LoadedBadParameter,
    ::testing::Values(BadParameter{"ChangeLogNotAnArray", Integer("CHANGE_LOG", 1, 4)},
                      BadParameter{"ChangeLogOfTwoByteNumbers", Array("CHANGE_LOG", {2, 1, 8}, 2)},
                      BadParameter{"ChangeLogWithoutATriple", Array("CHANGE_LOG", {2, 1})},
                      BadParameter{"ChangeLogNamesAMissingSlot", Array("CHANGE_LOG", {3, 1, 8})},
                      BadParameter{"ChangeLogReplacesSlotZero", Array("CHANGE_LOG", {2, 0, 8})},
                      BadParameter{"DefaultOrderNotAnArray", Integer("DEFAULT_ORDER", 1)},
                      BadParameter{"DefaultOrderOfAMissingColumn", Array("DEFAULT_ORDER", {4})},
                      BadParameter{"UniqueKeyNotAnArray", Text("UNIQUE_KEY", "1")},
                      BadParameter{"AutoIncValueNotANumber", Text("AUTOINCVALUE", "1")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoaderTest, ElementsAfterTheLastWholeTripleAreIgnored) {
    loader.AddTableParameter(Array("CHANGE_LOG", {2, 0, 4, 9}));
    AddRow(0, 1, "a");
    AddRow(kRowInserted, 2, "b");
    Finish();
    EXPECT_EQ(table->LogEntries(), (std::vector<ChangeLogEntry>{{2, 0, 4}}));
}

TEST_F(LoaderTest, FixedSizeValueOfTheWrongSizeIsRefused) {
    RowImage row = loader.NewRowImage();
    EXPECT_EQ(StoreCodeOf([&] { row.PutStored(0, "abc"); }), kCodeValueOutOfRange);
    EXPECT_TRUE(row.IsNull(0));
}

}  // namespace
}  // namespace velmora::store::testing
