// The default order without key columns after undone changes: rows inserted afterwards still
// come after every row already there, in the stored table and in a table walked over it.
#include <gtest/gtest.h>

#include "STBASE_fixture.h"
#include "STBASE_packet_values.h"
#include "store/TMemTable.h"
#include "store/TStringField.h"
#include "store/packet_provider.h"
#include "store/stored_table_loader.h"

namespace velmora::store::testing {
namespace {

// Steps: "+a" inserts a, "-a" deletes a, "a>b" renames a to b, "undo" undoes the newest change.
struct UndoCase {
    const char* name;
    std::vector<std::string> loaded;
    std::vector<std::string> steps;
    std::vector<std::string> expected;  // before the rows inserted afterwards
};

void PrintTo(const UndoCase& c, std::ostream* os) {
    *os << c.name;
}

// Hands one prepared stored table to the table that opens "undo.xml".
class OneTableProvider : public PacketProvider {
public:
    explicit OneTableProvider(std::unique_ptr<STBASE> table) : table_(std::move(table)) {
        InstallPacketProvider(this);
    }
    ~OneTableProvider() override { InstallPacketProvider(nullptr); }

    bool FileExists(const std::string& path) const override { return path == "undo.xml"; }
    std::unique_ptr<STBASE> LoadStoredTable(const std::string&) override {
        return std::move(table_);
    }
    void SaveStoredTable(const STBASE&, const std::string&, PacketFormat) override {}

private:
    std::unique_ptr<STBASE> table_;
};

class UndoThenInsert : public StoredTableTest, public ::testing::WithParamInterface<UndoCase> {
protected:
    void SetUp() override {
        Load(GetParam().loaded);
        for (const std::string& step : GetParam().steps) Run(step);
    }

    void Run(const std::string& step) {
        const size_t arrow = step.find('>');
        if (step == "undo")
            table->UndoLastChange();
        else if (step[0] == '+')
            Insert(step.substr(1));
        else if (step[0] == '-')
            table->DeleteRow(SlotOf(step.substr(1)));
        else
            Rename(step.substr(0, arrow), step.substr(arrow + 1));
    }

    std::vector<std::string> ExpectedWith(std::vector<std::string> added) const {
        std::vector<std::string> names = GetParam().expected;
        names.insert(names.end(), added.begin(), added.end());
        return names;
    }
};

TEST_P(UndoThenInsert, StoredTableKeepsNewRowsLast) {
    Insert("b");
    Insert("c");
    EXPECT_EQ(Visible(), ExpectedWith({"b", "c"}));
}

TEST_P(UndoThenInsert, TableWalkShowsNewRowsLast) {
    OneTableProvider provider(std::move(table));
    TMemTable walked("CDSLotes");
    TStringField& name = walked.AddField<TStringField>("name", 10);
    walked.SetFileName("undo.xml");
    walked.OpenTable();
    for (const char* added : {"b", "c"}) {
        walked.AppendRow();
        name.SetAsText(added);
        walked.PostRow();
    }
    std::vector<std::string> names;
    for (walked.GoFirst(); !walked.AtEnd(); walked.GoNext()) names.push_back(name.AsText());
    EXPECT_EQ(names, ExpectedWith({"b", "c"}));
}

INSTANTIATE_TEST_SUITE_P(
    DefaultOrder, UndoThenInsert,
    ::testing::Values(
        UndoCase{"InsertionUndone", {"x"}, {"+a", "undo"}, {"x"}},
        UndoCase{"EditOfAnInsertedRowUndone", {"x"}, {"+a", "a>a2", "undo"}, {"x", "a"}},
        UndoCase{"InsertedAndEditedRowUndoneTwice", {"x"}, {"+a", "a>a2", "undo", "undo"}, {"x"}},
        UndoCase{"EditOfALoadedRowUndone", {"x", "y"}, {"x>x2", "undo"}, {"x", "y"}},
        UndoCase{
            "SecondEditOfALoadedRowUndone", {"x", "y"}, {"x>x2", "x2>x3", "undo"}, {"x2", "y"}},
        UndoCase{"EditsOfTwoRowsUndone", {"x", "y"}, {"x>x2", "y>y2", "undo", "undo"}, {"x", "y"}},
        UndoCase{"DeletionUndone", {"x", "y"}, {"-x", "undo"}, {"x", "y"}},
        UndoCase{"DeletionOfAnEditedRowUndone", {"x", "y"}, {"x>x2", "-x2", "undo"}, {"x2", "y"}},
        UndoCase{
            "EditAndDeletionBothUndone", {"x", "y"}, {"x>x2", "-x2", "undo", "undo"}, {"x", "y"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A file's change log undone: the earlier versions take the places of the undone ones, and the
// freed slots that new rows get again must not put those rows among them.
struct LoadedRow {
    uint8_t state;
    const char* name;
};

std::unique_ptr<STBASE> LoadedWithLog(const std::vector<LoadedRow>& rows,
                                      const std::vector<uint32_t>& log) {
    StoredTableLoader loader;
    loader.AddColumn(Described("name", kWordString), {Integer("WIDTH", 10)});
    loader.AddTableParameter(Array("CHANGE_LOG", log));
    for (const LoadedRow& row : rows) {
        RowImage image = loader.NewRowImage();
        image.PutStored(0, row.name);
        loader.AddRow(row.state, image);
    }
    return loader.Finish();
}

std::vector<std::string> NamesInDefaultOrder(STBASE& table) {
    std::vector<std::string> names;
    RowOrder& order = table.DefaultOrder();
    for (uint32_t position = 0; position < order.Count(); ++position)
        names.emplace_back(table.SlotRow(order.SlotAt(position)).Value(0));
    return names;
}

void InsertNamed(STBASE& table, const std::string& name) {
    RowImage row = table.NewRowImage();
    row.Put(0, name);
    table.InsertRow(row);
}

struct LoadedLogCase {
    const char* name;
    std::vector<LoadedRow> rows;
    std::vector<uint32_t> log;
    int undos;
    std::vector<std::string> expected;  // after inserting c and d
};

void PrintTo(const LoadedLogCase& c, std::ostream* os) {
    *os << c.name;
}

class LoadedLogUndone : public ::testing::TestWithParam<LoadedLogCase> {};

TEST_P(LoadedLogUndone, NewRowsComeLast) {
    const LoadedLogCase& c = GetParam();
    auto table = LoadedWithLog(c.rows, c.log);
    for (int undo = 0; undo < c.undos; ++undo) table->UndoLastChange();
    InsertNamed(*table, "c");
    InsertNamed(*table, "d");
    EXPECT_EQ(NamesInDefaultOrder(*table), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultOrder, LoadedLogUndone,
    ::testing::Values(
        LoadedLogCase{"Edit", {{1, "a"}, {0, "b"}, {8, "a2"}}, {3, 1, 8}, 1, {"b", "a", "c", "d"}},
        LoadedLogCase{"EditsOfTwoRows",
                      {{1, "a"}, {1, "b"}, {8, "a2"}, {8, "b2"}},
                      {3, 1, 8, 4, 2, 8},
                      2,
                      {"a", "b", "c", "d"}},
        LoadedLogCase{"InsertionAfterAnEdit",
                      {{1, "a"}, {4, "b"}, {8, "a2"}},
                      {2, 0, 4, 3, 1, 8},
                      2,
                      {"a", "c", "d"}},
        LoadedLogCase{"Deletion", {{2, "a"}, {0, "b"}}, {1, 0, 2}, 1, {"a", "b", "c", "d"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store::testing
