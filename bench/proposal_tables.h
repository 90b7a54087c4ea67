#pragma once
// The main window's two tables as the benchmarks need them: the item table CDSDigitacao with
// the full field catalogue, its declared indexes, the order "numitem;nuitem", the calculated
// total and the aggregate SomaItens; the lot table CDSLotes, whose AfterScroll filters the
// item table to the current lot.

#include <string>

#include "datapacket/datapacket_provider.h"
#include "platform/regional_settings.h"
#include "store/TAggregateField.h"
#include "store/TAutoIncField.h"
#include "store/TBCDField.h"
#include "store/TFloatField.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"
#include "store/TMemoField.h"
#include "store/TStringField.h"

namespace velmora::bench {

// Installs the datapacket provider for as long as it lives, with the separators of a Brazilian
// desktop (decimal ",", thousands ".").
class BenchEnvironment {
public:
    BenchEnvironment();
    ~BenchEnvironment();
    BenchEnvironment(const BenchEnvironment&) = delete;
    BenchEnvironment& operator=(const BenchEnvironment&) = delete;

private:
    platform::ScopedSeparators separators_;
    datapacket::DatapacketProvider provider_;
};

class ItemTable {
public:
    ItemTable();

    // Opens the file in "numitem;nuitem" order, on its first row.
    // REQUIRES: a BenchEnvironment lives; the table is closed.
    void Open(const std::string& path);

    // What of the live machinery the open table lacks, for a benchmark's label: "no lot
    // filter" when the view is more than one lot (only asked when `lotFiltered`), "no
    // SomaItens" when the aggregate reads null. Empty when both are live.
    std::string MissingLiveParts(bool lotFiltered) const;

    store::TMemTable table{"CDSDigitacao"};
    store::TAutoIncField& id_item = table.AddField<store::TAutoIncField>("id_item");
    store::TStringField& unges = table.AddField<store::TStringField>("unges", 2);
    store::TStringField& sigla = table.AddField<store::TStringField>("sigla", 2);
    store::TIntegerField& convit = table.AddField<store::TIntegerField>("convit");
    store::TStringField& anoc = table.AddField<store::TStringField>("anoc", 4);
    store::TIntegerField& numitem = table.AddField<store::TIntegerField>("numitem");
    store::TStringField& descr_lote = table.AddField<store::TStringField>("descr_lote", 60);
    store::TStringField& material = table.AddField<store::TStringField>("material", 14);
    store::TStringField& descr_item = table.AddField<store::TStringField>("descr_item", 120);
    store::TMemoField& compl_descr = table.AddField<store::TMemoField>("compl_descr");
    store::TBCDField& valor = table.AddField<store::TBCDField>("valor", 15, 4);
    store::TStringField& marca = table.AddField<store::TStringField>("marca", 30);
    store::TStringField& tipoprega = table.AddField<store::TStringField>("tipoprega", 1);
    store::TStringField& razao_social = table.AddField<store::TStringField>("razao_social", 80);
    store::TStringField& identif = table.AddField<store::TStringField>("identif", 20);
    store::TStringField& tipoempresa = table.AddField<store::TStringField>("tipoempresa", 1);
    store::TIntegerField& nuitem = table.AddField<store::TIntegerField>("nuitem");
    store::TBCDField& qtde = table.AddField<store::TBCDField>("qtde", 15, 3);
    store::TBCDField& preco_ini = table.AddField<store::TBCDField>("preco_ini", 15, 4);
    store::TFloatField& totitem = table.AddField<store::TFloatField>("totitem");
    store::TStringField& upsigl = table.AddField<store::TStringField>("upsigl", 2);
    store::TStringField& updesc = table.AddField<store::TStringField>("updesc", 30);
    store::TAggregateField& SomaItens = table.AddField<store::TAggregateField>("SomaItens");

private:
    void DeclareFlags();
    void DeclareFormats();
};

class LotTable {
public:
    // REQUIRES: items outlives this table.
    explicit LotTable(ItemTable& items);

    // Creates the lot table with one row per distinct id_item of the open item table, then
    // moves to the first lot, which filters the item table to it.
    // REQUIRES: the item table is open, unfiltered, its rows grouped by id_item.
    void Build();

    store::TMemTable table{"CDSLotes"};
    store::TIntegerField& id_item = table.AddField<store::TIntegerField>("id_item");
    store::TStringField& descr_lote = table.AddField<store::TStringField>("descr_lote", 60);
    store::TBCDField& valor = table.AddField<store::TBCDField>("valor", 15, 4);
    store::TStringField& marca = table.AddField<store::TStringField>("marca", 30);

private:
    void FilterItemsToCurrentLot();

    ItemTable& items_;
};

// The tables as the open command leaves them for a lot file: the item table open, the lot
// table built and on its first lot, to which it has filtered the items.
// REQUIRES: a BenchEnvironment lives.
struct OpenLotAuction {
    explicit OpenLotAuction(const std::string& path) {
        items.Open(path);
        lots.Build();
    }

    ItemTable items;
    LotTable lots{items};
};

}  // namespace velmora::bench
