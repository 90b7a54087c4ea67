// Opening from and closing to FileName through the installed packet provider.

#include <map>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/STCursor.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/TStringField.h"
#include "store/field_stored_form.h"
#include "store/packet_provider.h"

namespace velmora::store {
namespace {

using ::testing::ElementsAre;

// Files as counts of rows, kept in memory; every call is recorded.
class FakeProvider : public PacketProvider {
public:
    FakeProvider() { InstallPacketProvider(this); }
    ~FakeProvider() override { InstallPacketProvider(nullptr); }

    bool FileExists(const std::string& path) const override { return files.count(path) > 0; }

    std::unique_ptr<STBASE> LoadStoredTable(const std::string& path) override {
        calls.push_back("load " + path);
        if (files.at(path) == 0) return nullptr;
        std::vector<StoredColumn> columns = {ColumnOfFieldDef({"id", ftInteger, 0, 0, 0}),
                                             ColumnOfFieldDef({"marca", ftString, 30, 0, 0})};
        auto table = STBASE::Create(columns);
        {
            STCursor cursor(*table);
            for (int key = 1; key <= files.at(path); ++key) {
                RowImage row = table->NewRowImage();
                row.Put(0, EncodeColumnValue(columns[0], Value::Integer(key)));
                cursor.InsertRow(row);
            }
        }
        table->ClearChangedMark();
        return table;
    }

    void SaveStoredTable(const STBASE& table, const std::string& path,
                         PacketFormat format) override {
        calls.push_back("save " + path + (format == pfBinary ? " binary" : " xml"));
        if (refuseSaving) CannotCreateFileError(path, EACCES);
        files[path] = static_cast<int>(table.RowCount());
    }

    std::map<std::string, int> files;
    std::vector<std::string> calls;
    bool refuseSaving = false;
};

class FileTable : public ::testing::Test {
protected:
    FileTable() {
        provider.files["proposta.xml"] = 2;
        table.SetFileName("proposta.xml");
        table.BeforeOpen = [this](TTableBase&) { provider.calls.push_back("BeforeOpen"); };
    }

    void ChangeFirstRow() {
        table.BeginEdit();
        marca.SetAsText("Acme");
        table.PostRow();
    }

    FakeProvider provider;
    TMemTable table{"CDSDigitacao"};
    TIntegerField& id = table.AddField<TIntegerField>("id");
    TStringField& marca = table.AddField<TStringField>("marca", 30);
};

TEST_F(FileTable, OpenLoadsAfterBeforeOpenAndUnchangedCloseWritesNothing) {
    table.OpenTable();
    EXPECT_EQ(table.RowCount(), 2u);
    table.CloseTable();
    EXPECT_THAT(provider.calls, ElementsAre("BeforeOpen", "load proposta.xml"));
}

TEST_F(FileTable, ChangedTableIsSavedAndKeptForAFileThatIsGone) {
    table.OpenTable();
    ChangeFirstRow();
    table.CloseTable();
    table.SetFileName("nova.xml");
    table.OpenTable();
    EXPECT_EQ(marca.AsText(), "Acme");
    table.CloseTable();
    EXPECT_THAT(provider.calls,
                ElementsAre("BeforeOpen", "load proposta.xml", "save proposta.xml binary",
                            "BeforeOpen", "save nova.xml binary"));
}

TEST_F(FileTable, UnchangedCloseKeepsNothingForAFileThatIsGone) {
    table.OpenTable();
    table.CloseTable();
    table.SetFileName("nova.xml");
    EXPECT_THROW(table.OpenTable(), EDatabaseError);
    EXPECT_FALSE(table.Active());
}

TEST_F(FileTable, EmptyFileGivesNoData) {
    provider.files["proposta.xml"] = 0;
    try {
        table.OpenTable();
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "CDSDigitacao: Missing data provider or data packet");
    }
}

TEST_F(FileTable, FileDeletedWhileOpenIsWrittenAgain) {
    table.OpenTable();
    provider.files.clear();
    table.CloseTable();
    EXPECT_EQ(provider.files.count("proposta.xml"), 1u);
}

// The changes that could not be saved are not lost: the next open reopens them rather than
// reading the file again.
TEST_F(FileTable, FailedSaveKeepsTheChangesForTheNextOpen) {
    table.OpenTable();
    ChangeFirstRow();
    provider.refuseSaving = true;
    EXPECT_THROW(table.CloseTable(), EFCreateError);
    EXPECT_FALSE(table.Active());
    provider.refuseSaving = false;
    table.OpenTable();
    EXPECT_EQ(marca.AsText(), "Acme");
    table.CloseTable();
    EXPECT_EQ(provider.calls.back(), "save proposta.xml binary");
}

TEST_F(FileTable, SaveFileSettlesAndWritesTheFormatAsked) {
    table.OpenTable();
    table.BeginEdit();
    marca.SetAsText("Acme");
    table.SaveFile("copia.xml", pfXml);
    EXPECT_EQ(table.CurrentState(), TableState::Browse);
    EXPECT_EQ(provider.calls.back(), "save copia.xml xml");
}

TEST_F(FileTable, SaveFileOfAClosedTableWithoutDataDoesNothing) {
    table.SaveFile("copia.xml");
    EXPECT_TRUE(provider.calls.empty());
}

}  // namespace
}  // namespace velmora::store
