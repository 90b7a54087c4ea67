// Field definitions and binding the declared fields to the stored columns.

#include "platform/errors.h"
#include "store/TAutoIncField.h"
#include "store/TBCDField.h"
#include "store/TCustomMemTable.h"
#include "store/TFloatField.h"
#include "store/TMemoField.h"
#include "store/TStringField.h"
#include "store/field_names.h"

namespace velmora::store {

namespace {

// A column's full name: a long name is cut in the column and kept whole in FIELDNAME.
const std::string& FullColumnName(const StoredColumn& column) {
    for (const Parameter& parameter : column.parameters)
        if (SameFieldName(parameter.name, "FIELDNAME")) return parameter.value;
    return column.name;
}

std::unique_ptr<TField> MakeField(const TFieldDef& def) {
    switch (def.DataType) {
        case ftString:
        case ftFixedChar:
        case ftGuid: {
            auto field = std::make_unique<TStringField>(def.Name, def.Size);
            field->SetFixedChar(def.DataType == ftFixedChar);
            return field;
        }
        case ftSmallint:
        case ftInteger:
        case ftWord:
            return std::make_unique<TIntegerField>(def.Name, def.DataType);
        case ftAutoInc:
            return std::make_unique<TAutoIncField>(def.Name);
        case ftBCD:
            return std::make_unique<TBCDField>(def.Name, def.Precision, def.Size);
        case ftFloat:
        case ftCurrency:
            return std::make_unique<TFloatField>(def.Name, def.DataType);
        case ftMemo:
            return std::make_unique<TMemoField>(def.Name);
        default:  // no field kind for it: the column stays in the rows, unreachable by name
            return nullptr;
    }
}

}  // namespace

std::vector<TFieldDef> TCustomMemTable::FieldDefsOfDeclaredFields() const {
    std::vector<TFieldDef> defs;
    for (const auto& field : Fields()) {
        if (field->Kind() != fkData) continue;
        TFieldDef def;
        def.Name = field->FieldName();
        def.DataType = field->DataType();
        def.Size = field->Size();
        def.Precision = field->Precision();
        if (field->Required()) def.Attributes |= faRequired;
        defs.push_back(std::move(def));
    }
    return defs;
}

void TCustomMemTable::RefreshFieldDefs() {
    fieldDefs_.clear();
    for (const StoredColumn& column : stored_->Columns()) {
        TFieldDef def = FieldDefOfColumn(column);
        def.Name = FullColumnName(column);
        fieldDefs_.push_back(std::move(def));
    }
}

void TCustomMemTable::CreateDefaultFields() {
    size_t made = 0;
    for (const TFieldDef& def : fieldDefs_) {
        std::unique_ptr<TField> field = MakeField(def);
        if (!field) continue;
        field->SetReadOnly((def.Attributes & faReadonly) != 0);
        field->SetRequired(def.Required());
        AdoptField(std::move(field));
        ++made;
    }
    MarkDefaultFields(made);
}

void TCustomMemTable::BindFields() {
    size_t calculated = 0;
    for (const auto& field : Fields()) {
        if (!field->IsCalculated()) {
            BindDataField(*field);
            continue;
        }
        if (!IsCalculableType(field->DataType()))
            Fail(FillMessage("Field '%s' cannot be a calculated or lookup field",
                             {field->DisplayName()}));
        field->BindArea(calculated++);
    }
    size_t aggregates = 0;
    for (const auto& field : AggregateFields()) field->BindArea(aggregates++);
    SetBufferLayout(calculated, aggregates);
}

void TCustomMemTable::BindDataField(TField& field) {
    const std::vector<StoredColumn>& columns = stored_->Columns();
    size_t index = 0;
    while (index < columns.size() &&
           !SameFieldName(FullColumnName(columns[index]), field.FieldName()))
        ++index;
    if (index == columns.size()) Fail(FillMessage("Field '%s' not found", {field.DisplayName()}));
    const StoredColumn& column = columns[index];
    FieldType columnType = FieldTypeOfColumn(column);
    if (!SameBaseKind(field.DataType(), columnType))
        Fail(FillMessage("Type mismatch for field '%s', expecting: %s actual: %s",
                         {field.DisplayName(), std::string(FieldTypeName(field.DataType())),
                          std::string(FieldTypeName(columnType))}));
    uint16_t columnSize = FieldSizeOfColumn(column);
    if (SizeMustMatch(field.DataType()) && field.Size() != columnSize)
        Fail(FillMessage(
            "Size mismatch for field '%s', expecting: %d actual: %d",
            {field.DisplayName(), std::to_string(field.Size()), std::to_string(columnSize)}));
    if (IsTextType(field.DataType()) && columnSize < field.Size() && !field.ReadOnly())
        field.SetSize(columnSize);
    field.BindColumn(index, column);
}

}  // namespace velmora::store
