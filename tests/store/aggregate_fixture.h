#pragma once
// A stored item table for the aggregate tests: lot, quantity (3 places), price (4 places) and a
// description, walked by a cursor whose orders carry an aggregate set; with helpers that read
// as verbs.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "STIDX_fixture.h"
#include "listed_fields.h"
#include "platform/codepage.h"
#include "store/STBASE.h"
#include "store/STCursor.h"
#include "store/STIDX_cursor.h"
#include "store/aggregate_set.h"
#include "store/decimal.h"
#include "store/expression_catalog.h"
#include "store/expression_parser.h"

namespace velmora::store::testing_aggregates {

enum Column : uint16_t { kLote, kQtde, kPreco, kDescr };

// Quantities in thousandths, prices in ten-thousandths.
struct Item {
    std::optional<int32_t> lote;
    std::optional<int64_t> qtde;
    std::optional<int64_t> preco;
    std::optional<std::string> descr;
};

// The fields an expression may name: those of AggregateItems.
inline testing_expressions::ListedFields AggregateFields() {
    return testing_expressions::ListedFields({{"id_item", ftInteger, 0, fkData, kLote},
                                              {"qtde", ftBCD, 3, fkData, kQtde},
                                              {"preco_ini", ftBCD, 4, fkData, kPreco},
                                              {"descr", ftString, 20, fkData, kDescr}});
}

inline StoredColumn Decimal15(const char* name, uint16_t scale) {
    StoredColumn column = testing_items::Column(name, LogicalType::Bcd);
    column.precision = 15;
    column.scale = scale;
    return column;
}

class AggregateItems {
public:
    AggregateItems()
        : table_(STBASE::Create({testing_items::Column("id_item", LogicalType::Int32),
                                 Decimal15("qtde", 3), Decimal15("preco_ini", 4),
                                 testing_items::Column("descr", LogicalType::Text, 20)})),
          cursor_(*table_),
          orders_(cursor_) {}

    STBASE& Table() { return *table_; }
    CursorOrders& Orders() { return orders_; }

    uint32_t Insert(const Item& item) { return table_->InsertRow(Image(item)); }
    uint32_t Modify(uint32_t slot, const Item& item) {
        return table_->ModifyRow(slot, Image(item));
    }
    void Delete(uint32_t slot) { table_->DeleteRow(slot); }

    static ExpressionTree Parse(const std::string& text) {
        return ParseExpression(text, AggregateFields(), ExpressionPurpose::Aggregate, 0, {});
    }

    // A set for the cursor's order (grouping by `key`) with one aggregate, carried by the
    // cursor's order; returns the set, which the order owns.
    AggregateSet& Carry(const std::string& text, size_t level = 0,
                        std::vector<KeyColumn> key = {}) {
        auto set = std::make_unique<AggregateSet>(*table_, std::move(key));
        handle = set->Add(level, Parse(text));
        AggregateSet& carried = *set;
        orders_.CarryAggregates(std::move(set));
        return carried;
    }

    // The aggregate's value for the group of the row in slot (any row for level 0).
    Value Read(AggregateSet& set, uint32_t slot = 0) {
        const RowLayout& layout = table_->Layout();
        return set.Read(handle, slot ? table_->SlotRow(slot) : RowView(layout, layout.NullImage()));
    }

    int handle = 0;

private:
    RowImage Image(const Item& item) const {
        RowImage row = table_->NewRowImage();
        if (item.lote) row.PutStored(kLote, testing_items::Int32Bytes(*item.lote));
        if (item.qtde) row.PutStored(kQtde, EncodeDecimalUnits(*item.qtde));
        if (item.preco) row.PutStored(kPreco, EncodeDecimalUnits(*item.preco));
        if (item.descr) row.PutStored(kDescr, *item.descr);
        return row;
    }

    std::unique_ptr<STBASE> table_;
    STCursor cursor_;
    CursorOrders orders_;
};

}  // namespace velmora::store::testing_aggregates
