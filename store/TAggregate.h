#pragma once
// The definition of one maintained aggregate of a table, and what its last activation made of
// it. Each aggregate field owns one (created when its table first opens); a table may also
// hold free-standing ones in its Aggregates list.
//
// A free-standing aggregate's definition (Expression, GroupingLevel, IndexName) may not change
// while it is Active: "Property may not be modified while aggregate is active". Active itself
// may always change. A change of the definition marks the aggregate out of date until it is
// next parsed.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "store/field_type.h"

namespace velmora::store {

class TAggregate {
public:
    const std::string& Expression() const { return expression_; }
    void SetExpression(std::string expression);
    // 0: all rows of the view; n: groups of rows with equal values in the first n key fields
    // of the index named by IndexName.
    int GroupingLevel() const { return groupingLevel_; }
    void SetGroupingLevel(int level);
    const std::string& IndexName() const { return indexName_; }
    void SetIndexName(std::string name);
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }

    // ---- What activation learnt (set by the table) ------------------------------------------
    bool OutOfDate() const { return outOfDate_; }
    // The expression parsed well: the columns it reads, ascending.
    void Parsed(std::vector<size_t> columns);
    // In use: the stored table's handle of it and the result type and size it reports.
    void Activated(int handle, FieldType type, uint16_t size);
    // No longer maintained.
    void Deactivated() { handle_.reset(); }

    const std::vector<size_t>& Columns() const { return columns_; }
    const std::optional<int>& Handle() const { return handle_; }
    FieldType ResultType() const { return resultType_; }
    uint16_t ResultSize() const { return resultSize_; }

private:
    void CheckDefinitionChange();

    std::string expression_;
    int groupingLevel_ = 0;
    std::string indexName_;
    bool active_ = false;

    bool outOfDate_ = true;
    std::vector<size_t> columns_;
    std::optional<int> handle_;
    FieldType resultType_ = ftUnknown;
    uint16_t resultSize_ = 0;
};

}  // namespace velmora::store
