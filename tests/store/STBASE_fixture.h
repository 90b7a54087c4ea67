#pragma once
// A small stored table for the stored-table tests: an auto-increment id, a required name of
// width 10, a read-only code, and a text memo; with helpers that read as verbs.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "store/STBASE.h"
#include "store/STCursor.h"

namespace velmora::store::testing {

inline std::string Int32Bytes(int32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
    return bytes;
}

inline int32_t Int32Of(std::string_view bytes) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[i]);
    return static_cast<int32_t>(value);
}

inline StoredColumn Column(std::string name, LogicalType type, uint16_t width = 0,
                           uint16_t attributes = 0, uint16_t subtype = kSubtypeNone) {
    StoredColumn column;
    column.name = std::move(name);
    column.type = type;
    column.width = width;
    column.attributes = attributes;
    column.subtype = subtype;
    return column;
}

// The code the call raises as EStoreError, 0 when it raises nothing.
template <typename Call>
int StoreCodeOf(Call call) {
    try {
        call();
    } catch (const EStoreError& error) {
        return error.Code();
    }
    return 0;
}

enum FixtureColumn : size_t { kId, kName, kCode, kMemo };

class StoredTableTest : public ::testing::Test {
protected:
    static std::vector<StoredColumn> Columns() {
        return {Column("id", LogicalType::Int32, 0, 0, kSubtypeAutoinc),
                Column("name", LogicalType::Text, 10, kColumnRequired),
                Column("code", LogicalType::Int32, 0, kColumnReadOnly),
                Column("memo", LogicalType::Blob, 0, 0, kSubtypeText)};
    }

    RowImage Row(const std::string& name, const std::string& memo = "m") const {
        RowImage row = table->NewRowImage();
        row.Put(kName, name);
        row.Put(kCode, Int32Bytes(7));
        row.Put(kMemo, memo);
        return row;
    }

    uint32_t Insert(const std::string& name) { return table->InsertRow(Row(name)); }

    // The slot of the visible row holding name.
    uint32_t SlotOf(const std::string& name) {
        RowOrder& order = table->DefaultOrder();
        for (uint32_t position = 0; position < order.Count(); ++position) {
            const uint32_t slot = order.SlotAt(position);
            if (table->SlotRow(slot).Value(kName) == name) return slot;
        }
        ADD_FAILURE() << "no visible row " << name;
        return 0;
    }

    RowImage Stored(uint32_t slot) const {
        RowImage row = table->NewRowImage();
        row.Assign(table->SlotRow(slot).Bytes());
        return row;
    }

    uint32_t Rename(const std::string& from, const std::string& to) {
        const uint32_t slot = SlotOf(from);
        RowImage row = Stored(slot);
        row.Put(kName, to);
        return table->ModifyRow(slot, row);
    }

    std::vector<uint8_t> States() const {
        std::vector<uint8_t> states;
        for (uint32_t slot = 1; slot <= table->SlotCount(); ++slot)
            states.push_back(table->SlotState(slot));
        return states;
    }

    // The names of the rows in the default order.
    std::vector<std::string> Visible() const {
        std::vector<std::string> names;
        RowOrder& order = table->DefaultOrder();
        for (uint32_t position = 0; position < order.Count(); ++position)
            names.emplace_back(table->SlotRow(order.SlotAt(position)).Value(kName));
        return names;
    }

    // Rows as a loaded file holds them: stored, state 0, no log.
    void Load(const std::vector<std::string>& names) {
        for (const std::string& name : names) Insert(name);
        table->MergeChangeLog();
        table->ClearChangedMark();
    }

    std::unique_ptr<STBASE> table = STBASE::Create(Columns());
};

}  // namespace velmora::store::testing
