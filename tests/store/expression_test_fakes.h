#pragma once
// Small stand-ins for the expression tests: a catalogue of item-table fields over known stored
// columns, and rows given column by column.

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "store/calendar.h"
#include "store/decimal.h"
#include "store/expression_catalog.h"
#include "store/expression_row.h"
#include "store/expression_token.h"
#include "store/stored_table_column.h"

namespace velmora::store::exprtest {

// Stored columns, in this order.
enum Column : size_t {
    kIdItem,
    kDescrItem,
    kQtde,
    kPrecoIni,
    kValor,
    kComplDescr,
    kAtivo,
    kEntrega,
    kFator,
    kInterno,
    kColumnCount
};

inline std::vector<StoredColumn> ItemColumns() {
    auto column = [](std::string name, LogicalType type, uint16_t width = 0, uint16_t scale = 0) {
        StoredColumn c;
        c.name = std::move(name);
        c.type = type;
        c.width = width;
        c.precision = type == LogicalType::Bcd ? 15 : 0;
        c.scale = scale;
        return c;
    };
    return {column("id_item", LogicalType::Int32),    column("descr_item", LogicalType::Text, 120),
            column("qtde", LogicalType::Bcd, 15, 3),  column("preco_ini", LogicalType::Bcd, 15, 4),
            column("valor", LogicalType::Bcd, 15, 4), column("compl_descr", LogicalType::Blob),
            column("ativo", LogicalType::Boolean),    column("entrega", LogicalType::Date),
            column("fator", LogicalType::Real8),      column("interno", LogicalType::Int32)};
}

class FakeCatalog final : public ExpressionFieldCatalog {
public:
    FakeCatalog()
        : fields_{{"id_item", ftInteger, 0, fkData, kIdItem},
                  {"descr_item", ftString, 120, fkData, kDescrItem},
                  {"qtde", ftBCD, 3, fkData, kQtde},
                  {"preco_ini", ftBCD, 4, fkData, kPrecoIni},
                  {"valor", ftBCD, 4, fkData, kValor},
                  {"compl_descr", ftMemo, 0, fkData, kComplDescr},
                  {"ativo", ftBoolean, 0, fkData, kAtivo},
                  {"entrega", ftDate, 0, fkData, kEntrega},
                  {"fator", ftFloat, 0, fkData, kFator},
                  {"interno", ftInteger, 0, fkInternalCalc, kInterno},
                  {"totitem", ftFloat, 0, fkCalculated, ExpressionField::kNoColumn},
                  {"descr_lookup", ftString, 20, fkLookup, ExpressionField::kNoColumn},
                  {"SomaItens", ftFloat, 0, fkAggregate, ExpressionField::kNoColumn}} {}

    // A field that claims a type its column does not have.
    void AddField(ExpressionField field) { fields_.push_back(std::move(field)); }

    const ExpressionField* FindField(std::string_view name) const override {
        for (const ExpressionField& field : fields_)
            if (SameWord(field.name, name)) return &field;
        return nullptr;
    }
    std::string TableName() const override { return "CDSDigitacao"; }

private:
    std::vector<ExpressionField> fields_;
};

// A row of ItemColumns(): every column null until set.
class FakeRow final : public ExpressionRow {
public:
    FakeRow() : values_(kColumnCount) {}

    FakeRow& Int(Column c, int32_t v) { return Put(c, LittleEndian(static_cast<uint32_t>(v), 4)); }
    FakeRow& Text(Column c, std::string v) { return Put(c, std::move(v)); }
    // A decimal at the column's scale (qtde 3, the others 4).
    FakeRow& Dec(Column c, double v) {
        const int scale = c == kQtde ? 3 : 4;
        return Put(c, EncodeDecimalUnits(std::llround(v * std::pow(10.0, scale))));
    }
    FakeRow& Bool(Column c, bool v) { return Put(c, LittleEndian(v ? 1 : 0, 2)); }
    FakeRow& Day(Column c, int32_t dayNumber) {
        return Put(c, LittleEndian(static_cast<uint32_t>(dayNumber), 4));
    }
    FakeRow& Real(Column c, double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return Put(c, LittleEndian(bits, 8));
    }

    bool IsNull(size_t column) const override { return !values_[column].has_value(); }
    std::string_view Stored(size_t column) const override {
        return values_[column] ? std::string_view(*values_[column]) : std::string_view();
    }

private:
    static std::string LittleEndian(uint64_t v, size_t size) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return bytes;
    }
    FakeRow& Put(Column c, std::string stored) {
        values_[c] = std::move(stored);
        return *this;
    }

    std::vector<std::optional<std::string>> values_;
};

// The stored day number of a civil date.
inline int32_t Day(int year, int month, int day) {
    return static_cast<int32_t>(DayNumberOf(CivilDate{year, month, day}));
}

}  // namespace velmora::store::exprtest
