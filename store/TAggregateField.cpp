#include "store/TAggregateField.h"

#include <optional>

#include "platform/errors.h"
#include "store/TTableBase.h"
#include "store/decimal.h"
#include "store/field_names.h"
#include "store/field_number_settings.h"
#include "store/field_value_text.h"
#include "store/number_pattern.h"

namespace velmora::store {

TAggregateField::TAggregateField(std::string fieldName)
    : TField(std::move(fieldName), ftUnknown, 0) {
    SetFieldKind(fkAggregate);
    SetAlignment(taRightJustify);
}

void TAggregateField::CheckDefinitionChange() const {
    if (DataSet() && DataSet()->Active())
        DatabaseError("Cannot perform this operation on an open dataset", DataSet()->Name());
}

void TAggregateField::SetExpression(std::string expression) {
    CheckDefinitionChange();
    expression_ = std::move(expression);
}

void TAggregateField::SetActive(bool active) {
    CheckDefinitionChange();
    active_ = active;
}

void TAggregateField::SetGroupingLevel(int level) {
    CheckDefinitionChange();
    groupingLevel_ = level;
}

void TAggregateField::SetIndexName(std::string name) {
    CheckDefinitionChange();
    indexName_ = std::move(name);
}

// The owned aggregate is never active while its definition is copied in, so it takes it.
TAggregate& TAggregateField::PrepareAggregate() {
    if (!aggregate_) aggregate_ = std::make_unique<TAggregate>();
    TAggregate& aggregate = *aggregate_;
    aggregate.SetActive(false);
    if (aggregate.Expression() != expression_) aggregate.SetExpression(expression_);
    if (aggregate.GroupingLevel() != groupingLevel_) aggregate.SetGroupingLevel(groupingLevel_);
    if (aggregate.IndexName() != indexName_) aggregate.SetIndexName(indexName_);
    aggregate.SetActive(active_);
    return aggregate;
}

Value TAggregateField::AsValue() const {
    const RowBuffer* buffer = DataSet() ? DataSet()->ReadBuffer() : nullptr;
    if (!buffer || !Slot() || *Slot() >= buffer->aggregates.size()) return Value();
    return buffer->aggregates[*Slot()];
}

std::string TAggregateField::AsText() const {
    return ValueText(AsValue());
}

std::string TAggregateField::DisplayText() const {
    Value value = AsValue();
    std::optional<double> number;
    switch (value.GetKind()) {
        case Value::Kind::Integer:
            number = static_cast<double>(value.AsInteger());
            break;
        case Value::Kind::FixedPoint:
            number = FixedPointToDouble(value.AsFixed());
            break;
        case Value::Kind::Double:
            number = value.AsDouble();
            break;
        default:
            break;
    }
    if (!number || displayFormat_.empty()) return ValueText(value);
    return FormatFloat(*number, displayFormat_, FieldNumberSettings());
}

void TAggregateField::RefuseWrite() const {
    DatabaseError(FillMessage("Field '%s' cannot be modified", {DisplayName()}));
}

void TAggregateField::SetAsText(const std::string&) {
    RefuseWrite();
}

void TAggregateField::SetAsValue(const Value&) {
    RefuseWrite();
}

void TAggregateField::ClearValue() {
    RefuseWrite();
}

}  // namespace velmora::store
