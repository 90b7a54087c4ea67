// The main window's creation makes the tables able to open and save their files.
#include <gtest/gtest.h>

#include <memory>

#include "app/start_up.h"
#include "platform/errors.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/TStringField.h"
#include "store/packet_provider.h"
#include "tests/ui/qt_app.h"

namespace velmora::app {
namespace {

class FormCreateTest : public ::testing::Test {
protected:
    FormCreateTest() {
        test::TestApplication();
        store::InstallPacketProvider(nullptr);  // as at start, whatever ran before
        table.SetFileName(VELMORA_TEST_DATA_DIR "/duas_linhas.xml");
    }

    void OpenAndCheckRows() {
        table.OpenTable();
        EXPECT_EQ(table.RowCount(), 2u);
        EXPECT_EQ(numitem.AsInt32(), 1);
        EXPECT_EQ(marca.AsText(), "Acme");
        table.CloseTable();  // unchanged: the fixture is not written
    }

    store::TMemTable table{"CDSDigitacao"};
    store::TIntegerField& numitem = table.AddField<store::TIntegerField>("numitem");
    store::TStringField& marca = table.AddField<store::TStringField>("marca", 30);
};

TEST_F(FormCreateTest, CreatingTheFormsLetsATableOpenItsFile) {
    try {
        table.OpenTable();
        FAIL() << "opened before the main window existed";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "CDSDigitacao: Missing data provider or data packet");
    }
    const StartUpForms forms = CreateForms();
    OpenAndCheckRows();
}

// Every main window created installs the same engine; an earlier window's going does not take
// it away.
TEST_F(FormCreateTest, ASecondMainWindowKeepsTheSameEngine) {
    auto first = std::make_unique<TFormVelmora>();
    store::PacketProvider* installed = store::InstalledPacketProvider();
    TFormVelmora second;
    EXPECT_EQ(store::InstalledPacketProvider(), installed);
    first.reset();
    OpenAndCheckRows();
}

}  // namespace
}  // namespace velmora::app
