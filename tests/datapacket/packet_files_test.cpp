// Tables loading and saving their files through the datapacket provider, in real folders.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "PKWRITER_test_util.h"
#include "datapacket/datapacket_provider.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "store/TField.h"
#include "store/TMemTable.h"

namespace velmora::datapacket::testing {
namespace {

const std::string kTable = WrittenDocument(
    "<FIELD attrname=\"numitem\" fieldtype=\"i4\"/><FIELD attrname=\"marca\" "
    "fieldtype=\"string\" WIDTH=\"20\"/>",
    "<PARAMS/>", "<ROW numitem=\"1\" marca=\"a\"/><ROW numitem=\"2\"/>");

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class PacketFiles : public ::testing::Test {
protected:
    void SetUp() override {
        store::InstallPacketProvider(&provider_);
        base_ = platform::CreateTempFile("velmora_files_");
        path_ = base_ + ".xml";
        platform::ReplaceFileAtomically(path_, kTable);
        table_.SetFileName(path_);
    }
    void TearDown() override {
        if (table_.Active()) table_.CloseTable();
        std::remove(path_.c_str());
        std::remove(base_.c_str());
        store::InstallPacketProvider(nullptr);
    }
    void ChangeBrand(const std::string& brand) {
        table_.GoFirst();
        table_.BeginEdit();
        table_.FieldNamed("marca").SetAsText(brand);
        table_.PostRow();
    }

    DatapacketProvider provider_;
    store::TMemTable table_{"CDSDigitacao"};
    std::string base_;  // the unique name the table file is made from
    std::string path_;
};

TEST_F(PacketFiles, UnchangedTableIsNotRewritten) {
    table_.OpenTable();
    table_.CloseTable();
    EXPECT_EQ(Bytes(path_), kTable);
}

TEST_F(PacketFiles, ChangedTableIsRewrittenWithItsLog) {
    table_.OpenTable();
    ChangeBrand("b");
    table_.CloseTable();
    EXPECT_EQ(Bytes(path_),
              WrittenDocument("<FIELD attrname=\"numitem\" fieldtype=\"i4\"/><FIELD "
                              "attrname=\"marca\" fieldtype=\"string\" WIDTH=\"20\"/>",
                              "<PARAMS CHANGE_LOG=\"3 1 8\"/>",
                              "<ROW RowState=\"1\" numitem=\"1\" marca=\"a\"/><ROW numitem=\"2\"/>"
                              "<ROW RowState=\"8\" numitem=\"1\" marca=\"b\"/>"));
}

TEST_F(PacketFiles, KeptPacketOpensUnderANewName) {
    table_.OpenTable();
    ChangeBrand("b");
    table_.CloseTable();
    const std::string renamed = path_ + ".bin";
    table_.SetFileName(renamed);
    table_.OpenTable();
    EXPECT_EQ(table_.FieldNamed("marca").AsText(), "b");
    table_.CloseTable();
    EXPECT_EQ(Bytes(renamed).substr(0, 4), "\x43\x1C\x7A\x5E");  // not .xml: binary
    std::remove(renamed.c_str());
}

TEST_F(PacketFiles, NoFileAndNoKeptPacketFails) {
    table_.SetFileName(path_ + ".missing");
    try {
        table_.OpenTable();
        FAIL() << "opened";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "CDSDigitacao: Missing data provider or data packet");
    }
    EXPECT_FALSE(table_.Active());
}

TEST_F(PacketFiles, FailedSaveKeepsTheOldContent) {
    table_.OpenTable();
    ChangeBrand("b");
    {
        const auto holder = platform::ExclusiveFile::LockForReplace(path_);
        EXPECT_THROW(table_.SaveFile(), EFCreateError);
    }
    EXPECT_EQ(Bytes(path_), kTable);
}

TEST_F(PacketFiles, UpperCaseXmlNameIsSavedAsXml) {
    table_.OpenTable();
    const std::string upper = path_ + ".XML";
    table_.SaveFile(upper);
    EXPECT_EQ(Bytes(upper), kTable);
    std::remove(upper.c_str());
}

}  // namespace
}  // namespace velmora::datapacket::testing
