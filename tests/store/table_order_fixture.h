#pragma once
// The item table of the order, filter and seek tests: a proposals file of a few items loaded
// with the Brazilian Portuguese locale (LCID 1046), declared with the program's order
// "numitem;nuitem" and its three declared indexes, which the loaded table does not have until
// they are first used. Rows are told apart by nuitem. Scroll events are recorded by name once
// RecordScrolls is called.

#include <optional>
#include <string>
#include <vector>

#include "STBASE_fixture.h"
#include "STBASE_packet_values.h"
#include "store/TDataSource.h"
#include "store/TFloatField.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/TMemoField.h"
#include "store/TStringField.h"
#include "store/data_link.h"
#include "store/packet_provider.h"
#include "store/stored_table_loader.h"

namespace velmora::store::testing_view {

using testing::Described;
using testing::Int32Bytes;
using testing::Integer;
using testing::kWordBinHex;
using testing::kWordI4;
using testing::kWordString;
using testing::Text;

struct Item {
    int32_t lot;  // id_item
    std::optional<int32_t> numitem;
    int32_t nuitem;
    std::string descr;
};

// In "numitem;nuitem" order: 30, 5, 20, 10, 15, 40, 50, 60.
inline std::vector<Item> ProposalItems() {
    return {{1, 2, 10, "banana"},         {2, 1, 20, "\xC1gua"}, {1, std::nullopt, 30, "caf\xE9"},
            {2, 1, 5, "abacate"},         {3, 3, 40, "Cafe"},    {1, 2, 15, "cafe"},
            {3, 4, 50, "copo d'\xE1gua"}, {3, 5, 60, "*"}};
}

// The one file "itens.xml", read from `items`; saving it keeps nothing.
class ItemFile final : public PacketProvider {
public:
    explicit ItemFile(std::vector<Item> items) : items_(std::move(items)) {
        InstallPacketProvider(this);
    }
    ~ItemFile() override { InstallPacketProvider(nullptr); }

    bool FileExists(const std::string& path) const override { return path == "itens.xml"; }
    std::unique_ptr<STBASE> LoadStoredTable(const std::string&) override {
        StoredTableLoader loader;
        loader.AddColumn(Described("id_item", kWordI4), {});
        loader.AddColumn(Described("numitem", kWordI4), {});
        loader.AddColumn(Described("nuitem", kWordI4), {});
        loader.AddColumn(Described("descr_item", kWordString), {Integer("WIDTH", 120)});
        loader.AddColumn(Described("compl_descr", kWordBinHex), {Text("SUBTYPE", "Text")});
        loader.AddTableParameter(Integer("LCID", 1046));
        for (const Item& item : items_) {
            RowImage row = loader.NewRowImage();
            row.PutStored(0, Int32Bytes(item.lot));
            if (item.numitem) row.PutStored(1, Int32Bytes(*item.numitem));
            row.PutStored(2, Int32Bytes(item.nuitem));
            row.PutStored(3, item.descr);
            loader.AddRow(0, row);
        }
        return loader.Finish();
    }
    void SaveStoredTable(const STBASE&, const std::string&, PacketFormat) override {}

private:
    std::vector<Item> items_;
};

inline TIndexDef Declared(std::string name, std::string fields, std::string descFields = {},
                          std::string caseInsFields = {}, uint8_t options = 0) {
    return TIndexDef{std::move(name), std::move(fields), std::move(descFields),
                     std::move(caseInsFields), options};
}

// A control showing `rows` rows of the table.
class GridLink final : public DataLink {
public:
    explicit GridLink(int rows) : rows_(rows) {}
    int RowsShown() const override { return rows_; }

private:
    int rows_;
};

class ItemTable {
public:
    explicit ItemTable(std::vector<Item> items = ProposalItems()) : file_(std::move(items)) {
        totitem.SetFieldKind(fkCalculated);
        table.SetFileName("itens.xml");
        table.SetIndexFieldNames("numitem;nuitem");
        table.IndexDefs() = {Declared("CDSDigitacaoIndex1", "descr_item"),
                             Declared("CDSDigitacaoIndex2", "numitem"),
                             Declared("CDSDigitacaoIndex3", "numitem;nuitem")};
        table.OnCalcFields = [this](TTableBase&) { ++calculations; };
    }

    // From now on BeforeScroll and AfterScroll are recorded into `events`.
    void RecordScrolls() {
        events.clear();
        table.BeforeScroll = [this](TTableBase&) { events.push_back("BeforeScroll"); };
        table.AfterScroll = [this](TTableBase&) { events.push_back("AfterScroll"); };
    }

    // The nuitem values of the view in order, walked with GoFirst and GoNext.
    std::vector<int32_t> Keys() {
        std::vector<int32_t> keys;
        for (table.GoFirst(); !table.AtEnd(); table.GoNext()) keys.push_back(nuitem.AsInt32());
        return keys;
    }

    // The nuitem values the row window holds, in order, without moving.
    std::vector<int32_t> WindowKeys() {
        std::vector<int32_t> keys;
        for (int row = 0; row < table.WindowRowCount(); ++row) {
            TTableBase::WindowRowScope scope(table, row);
            keys.push_back(nuitem.AsInt32());
        }
        return keys;
    }

    // Opens the table filtered by `filter`, on the first row of the view.
    void OpenFiltered(const std::string& filter) {
        table.OpenTable();
        table.SetFilter(filter);
        table.SetFiltered(true);
    }

    // Moves to the row with that nuitem by walking from the first row.
    void GoToKey(int32_t key) {
        for (table.GoFirst(); !table.AtEnd() && nuitem.AsInt32() != key;) table.GoNext();
    }

    // Bound to a grid of `rows` rows, so that the window holds that many.
    void ShowInGrid(int rows) {
        grid_.emplace(rows);
        grid_->SetSource(&source_);
    }

    ItemFile file_;
    std::vector<std::string> events;
    int calculations = 0;
    TMemTable table{"CDSDigitacao"};
    TIntegerField& id = table.AddField<TIntegerField>("id_item");
    TIntegerField& numitem = table.AddField<TIntegerField>("numitem");
    TIntegerField& nuitem = table.AddField<TIntegerField>("nuitem");
    TStringField& descr = table.AddField<TStringField>("descr_item", 120);
    TMemoField& compl_descr = table.AddField<TMemoField>("compl_descr");
    TFloatField& totitem = table.AddField<TFloatField>("totitem");

private:
    TDataSource source_{&table};
    std::optional<GridLink> grid_;
};

}  // namespace velmora::store::testing_view
