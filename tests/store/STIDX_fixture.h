#pragma once
// A small item table (numitem, nuitem, descr) for the index and view tests, and a driver of
// random changes with a fixed seed: inserts, modifications, deletions and undos.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "listed_fields.h"
#include "platform/errors.h"
#include "store/STBASE.h"
#include "store/row_order.h"
#include "store/row_state.h"

namespace velmora::store::testing_items {

enum ItemColumn : uint16_t { kNumitem = 0, kNuitem = 1, kDescr = 2 };

struct Item {
    std::optional<int32_t> numitem;
    std::optional<int32_t> nuitem;
    std::optional<std::string> descr;
};

// The fields of ItemTable, for parsing expressions over it.
inline const testing_expressions::ListedFields& ItemFields() {
    static const testing_expressions::ListedFields fields(
        {{"numitem", ftInteger, 0, fkData, kNumitem},
         {"nuitem", ftInteger, 0, fkData, kNuitem},
         {"descr", ftString, 20, fkData, kDescr}});
    return fields;
}

inline std::string Int32Bytes(int32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

inline StoredColumn Column(const char* name, LogicalType type, uint16_t width = 0) {
    StoredColumn column;
    column.name = name;
    column.type = type;
    column.width = width;
    return column;
}

class ItemTable {
public:
    explicit ItemTable(bool logging = true)
        : table_(STBASE::Create({Column("numitem", LogicalType::Int32),
                                 Column("nuitem", LogicalType::Int32),
                                 Column("descr", LogicalType::Text, 20)})) {
        table_->SetChangeLogging(logging);
    }

    STBASE& Table() { return *table_; }

    RowImage Image(const Item& item) const {
        RowImage row = table_->NewRowImage();
        if (item.numitem) row.PutStored(kNumitem, Int32Bytes(*item.numitem));
        if (item.nuitem) row.PutStored(kNuitem, Int32Bytes(*item.nuitem));
        if (item.descr) row.PutStored(kDescr, *item.descr);
        return row;
    }
    uint32_t Insert(const Item& item) { return table_->InsertRow(Image(item)); }
    uint32_t Modify(uint32_t slot, const Item& item) {
        return table_->ModifyRow(slot, Image(item));
    }

    std::vector<uint32_t> VisibleSlots() const {
        std::vector<uint32_t> slots;
        for (uint32_t slot = 1; slot <= table_->SlotCount(); ++slot)
            if (IsVisibleRowState(table_->SlotState(slot))) slots.push_back(slot);
        return slots;
    }

    std::optional<int32_t> Numitem(uint32_t slot) const {
        const RowView row = table_->SlotRow(slot);
        if (row.IsNull(kNumitem)) return std::nullopt;
        const std::string_view bytes = row.Value(kNumitem);
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[i]);
        return static_cast<int32_t>(value);
    }

private:
    std::unique_ptr<STBASE> table_;
};

inline std::vector<uint32_t> Entries(const RowOrder& order) {
    std::vector<uint32_t> entries;
    for (uint32_t position = 0; position < order.Count(); ++position)
        entries.push_back(order.SlotAt(position));
    return entries;
}

// What one random step did. For an undo, `undone` is the log entry it reversed.
struct Step {
    enum Kind { Insert, Modify, Delete, Undo } kind = Insert;
    uint32_t slot = 0;      // the row inserted, the new version, the row deleted
    uint32_t replaced = 0;  // Modify: the version replaced
    ChangeLogEntry undone;
    int refusal = 0;  // the EStoreError code when the table refused the step
};

class RandomChanges {
public:
    RandomChanges(ItemTable& items, uint32_t seed, int32_t keyRange)
        : items_(items), random_(seed), keyRange_(keyRange) {}

    Step Next() {
        Step step;
        const std::vector<uint32_t> visible = items_.VisibleSlots();
        const int pick = Uniform(0, 9);
        try {
            if (visible.empty() || pick < 4) {
                step.kind = Step::Insert;
                step.slot = items_.Insert(RandomItem());
            } else if (pick < 7) {
                step.kind = Step::Modify;
                step.replaced = visible[Uniform(0, static_cast<int>(visible.size()) - 1)];
                step.slot = items_.Modify(step.replaced, RandomItem());
            } else if (pick < 8 || items_.Table().LogSize() == 0) {
                step.kind = Step::Delete;
                step.slot = visible[Uniform(0, static_cast<int>(visible.size()) - 1)];
                items_.Table().DeleteRow(step.slot);
            } else {
                step.kind = Step::Undo;
                step.undone = items_.Table().LogEntries().back();
                items_.Table().UndoLastChange();
            }
        } catch (const EStoreError& error) {
            step.refusal = error.Code();
        }
        return step;
    }

    Item RandomItem() {
        Item item;
        if (Uniform(0, 9) > 0) item.numitem = Uniform(0, keyRange_);
        if (Uniform(0, 9) > 0) item.nuitem = Uniform(0, keyRange_ * 50);
        static const char* const kWords[] = {"agua",   "\xC1gua", "a\xE7\xFA" "car", "Acucar",
                                             "banana", "Banana",  "caf\xE9",      "Cafe",
                                             "zinco",  ""};
        if (Uniform(0, 9) > 0) item.descr = kWords[Uniform(0, 9)];
        return item;
    }

private:
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    ItemTable& items_;
    std::mt19937 random_;
    int32_t keyRange_;
};

}  // namespace velmora::store::testing_items
