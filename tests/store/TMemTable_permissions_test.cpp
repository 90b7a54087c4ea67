// The edit permissions a file gives its table (DISABLE_EDITS, DISABLE_INSERTS,
// DISABLE_DELETES).

#include <functional>

#include <gtest/gtest.h>

#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/packet_provider.h"
#include "store/stored_table_loader.h"

namespace velmora::store {
namespace {

// A file of one integer column and one row, with one table parameter set to TRUE.
class OneParameterFile : public PacketProvider {
public:
    explicit OneParameterFile(std::string parameter) : parameter_(std::move(parameter)) {
        InstallPacketProvider(this);
    }
    ~OneParameterFile() override { InstallPacketProvider(nullptr); }

    bool FileExists(const std::string&) const override { return true; }
    std::unique_ptr<STBASE> LoadStoredTable(const std::string&) override {
        StoredTableLoader loader;
        loader.AddColumn({"id", StoredType{StoredKind::SignedInt, 4}, 0}, {});
        loader.AddTableParameter({parameter_, StoredType{StoredKind::Text, 1, true}, "TRUE"});
        RowImage row = loader.NewRowImage();
        row.PutStored(0, std::string("\x01\0\0\0", 4));
        loader.AddRow(0, row);
        return loader.Finish();
    }
    void SaveStoredTable(const STBASE&, const std::string&, PacketFormat) override {}

private:
    std::string parameter_;
};

struct PermissionCase {
    const char* name;
    const char* parameter;
    std::function<void(TMemTable&)> operation;
    std::string message;
};

class FilePermission : public ::testing::TestWithParam<PermissionCase> {};

TEST_P(FilePermission, RefusesItsOperationAndLeavesBrowse) {
    OneParameterFile file(GetParam().parameter);
    TMemTable table("CDSDigitacao");
    table.AddField<TIntegerField>("id");
    table.SetFileName("proposta.xml");
    table.OpenTable();
    try {
        GetParam().operation(table);
        FAIL() << "nothing was raised";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), GetParam().message);
    }
    EXPECT_EQ(table.CurrentState(), TableState::Browse);
    EXPECT_EQ(table.RowCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Parameters, FilePermission,
    ::testing::Values(
        PermissionCase{"Edits", "DISABLE_EDITS", [](TMemTable& t) { t.BeginEdit(); },
                       "CDSDigitacao: Modifications are not allowed"},
        PermissionCase{"Inserts", "DISABLE_INSERTS", [](TMemTable& t) { t.AppendRow(); },
                       "CDSDigitacao: Inserts are not allowed"},
        PermissionCase{"Deletes", "DISABLE_DELETES", [](TMemTable& t) { t.DeleteRow(); },
                       "CDSDigitacao: Deletes are not allowed"},
        PermissionCase{"ReadOnlyFile", "READONLY", [](TMemTable& t) { t.InsertRow(); },
                       "CDSDigitacao: Cannot modify a read-only dataset"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::store
