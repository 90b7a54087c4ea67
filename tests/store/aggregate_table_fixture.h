#pragma once
// A small item table with the program's aggregate field: lot, item number, quantity (3
// places), unit price (4 places), the calculated total and SomaItens "Sum(qtde*preco_ini)"
// shown with "###,##0.00"; the separators are "," for decimals and "." for thousands.

#include <optional>
#include <string>

#include "platform/regional_settings.h"
#include "store/TAggregateField.h"
#include "store/TBCDField.h"
#include "store/TFloatField.h"
#include "store/TIntegerField.h"
#include "store/TMemTable.h"

namespace velmora::store::testing {

class SummedItems {
public:
    SummedItems() : separators_({',', '.'}) {
        totitem.SetFieldKind(fkCalculated);
        table.OnCalcFields = [this](TTableBase&) {
            if (!qtde.IsNullValue() && !preco.IsNullValue())
                totitem.SetAsNumber(qtde.AsNumber() * preco.AsNumber());
        };
        soma.SetExpression("Sum(qtde*preco_ini)");
        soma.SetActive(true);
        soma.SetDisplayFormat("###,##0.00");
        table.SetAggregatesActive(true);
    }

    // Lot 1: quantities 2, 3, 5 with prices 1.50, none, 2.00 (13 in all); lot 2: quantity 4
    // at 10.00. Leaves the table on the first row.
    void Create() {
        table.CreateEmpty();
        Append(1, 1, 2000, 15000);
        Append(1, 2, 3000, std::nullopt);
        Append(1, 3, 5000, 20000);
        Append(2, 4, 4000, 100000);
        table.GoFirst();
    }

    // Quantities in thousandths, prices in ten-thousandths.
    void Append(int lot, int item, int64_t quantity, std::optional<int64_t> price) {
        table.AppendRow();
        id.SetAsInt32(lot);
        nuitem.SetAsInt32(item);
        qtde.SetAsFixed(FixedPoint{quantity * 10});
        if (price) preco.SetAsFixed(FixedPoint{*price});
        table.PostRow();
    }

    // Makes the row with that item number current.
    void GoToItem(int item) {
        for (table.GoFirst(); !table.AtEnd() && nuitem.AsInt32() != item; table.GoNext()) {
        }
    }

    platform::ScopedSeparators separators_;
    TMemTable table{"CDSDigitacao"};
    TIntegerField& id = table.AddField<TIntegerField>("id_item");
    TIntegerField& nuitem = table.AddField<TIntegerField>("nuitem");
    TBCDField& qtde = table.AddField<TBCDField>("qtde", 15, 3);
    TBCDField& preco = table.AddField<TBCDField>("preco_ini", 15, 4);
    TFloatField& totitem = table.AddField<TFloatField>("totitem");
    TAggregateField& soma = table.AddField<TAggregateField>("SomaItens");
};

}  // namespace velmora::store::testing
