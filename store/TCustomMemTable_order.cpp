// The table's order: IndexFieldNames and IndexName over the cursor's orders.

#include "platform/errors.h"
#include "store/TCustomMemTable.h"
#include "store/field_names.h"

namespace velmora::store {

void TCustomMemTable::SetIndexFieldNames(std::string fields) {
    const bool isFields = !fields.empty();
    ChangeOrder(std::move(fields), isFields);
}

void TCustomMemTable::SetIndexName(std::string name) {
    ChangeOrder(std::move(name), false);
}

void TCustomMemTable::ChangeOrder(std::string slot, bool isFields) {
    if (Active()) {
        SettleEdit();
        PositionCursorOnCurrentRow();
        if (slot == indexSlot_ && isFields == indexIsFields_) return;
        ApplyOrder(slot, isFields);
    }
    indexSlot_ = std::move(slot);
    indexIsFields_ = isFields;
    if (!Active()) return;
    ActivateAggregates();
    RefillKeepingPlace();
}

void TCustomMemTable::ApplyOrder(const std::string& slot, bool isFields) {
    if (isFields)
        SortOnFields(slot);
    else
        UseNamedIndex(slot);
}

void TCustomMemTable::SortOnFields(const std::string& fields) {
    std::vector<KeyColumn> keys;
    for (const std::string& name : SplitFieldList(fields)) {
        const TField& field = FieldNamed(name);
        if (field.Kind() != fkData || !field.Slot()) Fail("Field index out of range");
        keys.push_back(KeyColumn{static_cast<uint16_t>(*field.Slot())});
    }
    if (keys.empty())
        UseNamedIndex(std::string());
    else
        orders_->SortOn(keys);
}

// A name the stored table does not know is looked up among the declared indexes (letter case
// ignored) and the index is created from its definition, once: a later use finds it stored.
void TCustomMemTable::UseNamedIndex(const std::string& name) {
    if (orders_->UseIndex(name.empty() ? kDefaultOrderName : name)) return;
    const TIndexDef* def = nullptr;
    for (const TIndexDef& candidate : indexDefs_)
        if (!def && SameFieldName(candidate.Name, name)) def = &candidate;
    if (!def) Fail(FillMessage("Index '%s' not found", {name}));
    IndexDescription description = IndexDescriptionOf(*def, stored_->Columns(), Name());
    const std::string storedName = description.name;
    if (!orders_->UseIndex(storedName)) {
        orders_->CreateIndex(std::move(description));
        orders_->UseIndex(storedName);
    }
}

}  // namespace velmora::store
