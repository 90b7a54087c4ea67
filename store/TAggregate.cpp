#include "store/TAggregate.h"

#include "platform/errors.h"

namespace velmora::store {

void TAggregate::CheckDefinitionChange() {
    if (active_) DatabaseError("Property may not be modified while aggregate is active");
    outOfDate_ = true;
}

void TAggregate::SetExpression(std::string expression) {
    CheckDefinitionChange();
    expression_ = std::move(expression);
}

void TAggregate::SetGroupingLevel(int level) {
    CheckDefinitionChange();
    groupingLevel_ = level;
}

void TAggregate::SetIndexName(std::string name) {
    CheckDefinitionChange();
    indexName_ = std::move(name);
}

void TAggregate::Parsed(std::vector<size_t> columns) {
    columns_ = std::move(columns);
    outOfDate_ = false;
}

void TAggregate::Activated(int handle, FieldType type, uint16_t size) {
    handle_ = handle;
    resultType_ = type;
    resultSize_ = size;
}

}  // namespace velmora::store
