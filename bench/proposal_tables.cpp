#include "bench/proposal_tables.h"

#include "bench/proposals_generator.h"
#include "platform/codepage.h"
#include "store/TAggregate.h"
#include "store/TIndexDef.h"

namespace velmora::bench {

BenchEnvironment::BenchEnvironment() : separators_({',', '.'}) {
    store::InstallPacketProvider(&provider_);
}

BenchEnvironment::~BenchEnvironment() {
    store::InstallPacketProvider(nullptr);
}

ItemTable::ItemTable() {
    DeclareFlags();
    DeclareFormats();
    table.IndexDefs() = {{"CDSDigitacaoIndex1", "descr_item", "", "", 0},
                         {"CDSDigitacaoIndex2", "numitem", "", "", 0},
                         {"CDSDigitacaoIndex3", "numitem;nuitem", "", "", 0}};
    table.SetAggregatesActive(true);
    table.OnCalcFields = [this](store::TTableBase&) {
        if (qtde.IsNullValue() || preco_ini.IsNullValue())
            totitem.ClearValue();
        else
            totitem.SetAsNumber(qtde.AsNumber() * preco_ini.AsNumber());
    };
}

void ItemTable::DeclareFlags() {
    for (store::TStringField* fixed :
         {&unges, &sigla, &anoc, &descr_item, &tipoprega, &identif, &tipoempresa, &upsigl, &updesc})
        fixed->SetFixedChar(true);
    for (store::TField* readOnly :
         std::initializer_list<store::TField*>{&id_item, &unges, &sigla, &convit, &anoc, &numitem,
                                               &descr_lote, &material, &descr_item, &qtde})
        readOnly->SetReadOnly(true);
    totitem.SetFieldKind(store::fkCalculated);
    SomaItens.SetExpression("Sum(qtde*preco_ini)");
    SomaItens.SetActive(true);
}

void ItemTable::DeclareFormats() {
    descr_item.SetDisplayLabel(platform::FromUtf8("Descrição do Item"));
    marca.SetDisplayLabel("Marca");
    tipoprega.SetDisplayLabel(platform::FromUtf8("Tipo do Pregão"));
    razao_social.SetDisplayLabel(platform::FromUtf8("Razão Social"));
    qtde.SetDisplayLabel("Qtde.");
    preco_ini.SetDisplayLabel(platform::FromUtf8("Preço Inicial"));
    totitem.SetDisplayLabel("Total");
    valor.SetDisplayFormat(",0.00");
    for (store::TBCDField* money : {&qtde, &preco_ini}) {
        money->SetDisplayFormat(",0.0000");
        money->SetEditFormat(",0.0000");
    }
    totitem.SetDisplayFormat(",0.00");
    totitem.SetEditFormat(",0.00");
    SomaItens.SetDisplayFormat("###,##0.00");
}

void ItemTable::Open(const std::string& path) {
    table.SetFileName(path);
    table.SetIndexFieldNames("numitem;nuitem");
    table.OpenTable();
}

std::string ItemTable::MissingLiveParts(bool lotFiltered) const {
    std::string missing;
    auto add = [&missing](const char* part) {
        missing += (missing.empty() ? "" : ", ") + std::string(part);
    };
    if (lotFiltered && table.RowCount() > static_cast<uint32_t>(kItemsPerLot)) add("no lot filter");
    // The prices of a fresh file are empty, so the sum reads null even while it is maintained:
    // what counts is that the aggregate is registered with the stored table.
    const store::TAggregate* soma = SomaItens.Aggregate();
    if (soma == nullptr || !soma->Handle().has_value()) add("no SomaItens");
    return missing;
}

LotTable::LotTable(ItemTable& items) : items_(items) {
    table.IndexDefs() = {{"CDSLotesIndex1", "descr_lote", "", "", 0},
                         {"CDSLotesIndex2", "id_item", "", "", 0}};
    table.SetIndexName("CDSLotesIndex2");
    id_item.SetDisplayLabel("Item");
    descr_lote.SetDisplayLabel(platform::FromUtf8("Descrição do Lote"));
    valor.SetDisplayLabel("Valor");
    valor.SetDisplayFormat(",0.0000");
    valor.SetEditFormat(",0.0000");
    marca.SetDisplayLabel("Marca");
    table.AfterScroll = [this](store::TTableBase&) { FilterItemsToCurrentLot(); };
}

void LotTable::FilterItemsToCurrentLot() {
    if (table.Tag() != 0) return;
    items_.table.SetFilter("id_item = " + std::to_string(id_item.AsInt32()));
    items_.table.SetFiltered(true);
}

// The rows are grouped by lot, so a new lot is one whose id_item differs from the previous
// item's; that gives the same lots as seeking each id_item, without a scan per item.
void LotTable::Build() {
    table.CloseTable();
    table.SetTag(1);
    table.CreateEmpty();
    bool first = true;
    int32_t previous = 0;
    store::TMemTable& itemRows = items_.table;
    for (itemRows.GoFirst(); !itemRows.AtEnd(); itemRows.GoNext()) {
        const int32_t lot = items_.id_item.AsInt32();
        if (!first && lot == previous) continue;
        first = false;
        previous = lot;
        table.AppendRow();
        id_item.SetAsInt32(lot);
        descr_lote.SetAsText(items_.descr_lote.AsText());
        valor.SetAsValue(items_.valor.AsValue());
        marca.SetAsValue(items_.marca.AsValue());
        table.PostRow();
    }
    table.SetTag(0);
    itemRows.GoFirst();
    table.GoFirst();
}

}  // namespace velmora::bench
