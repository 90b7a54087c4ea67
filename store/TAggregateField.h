#pragma once
// An aggregate field: the current value of a maintained aggregate over the rows of the view
// (or of the current row's group). Its value is not stored in rows: each row buffer carries
// it in its aggregate area, filled when the row enters the row window. Null when no row
// contributes, while aggregates are inactive, and on an empty view. Not writable.

#include <cstdint>
#include <memory>
#include <string>

#include "store/TAggregate.h"
#include "store/TField.h"

namespace velmora::store {

class TAggregateField : public TField {
public:
    explicit TAggregateField(std::string fieldName);

    // The definition. Changing it while the table is open raises "Cannot perform this
    // operation on an open dataset" (with the table's name in front).
    const std::string& Expression() const { return expression_; }
    void SetExpression(std::string expression);
    bool Active() const { return active_; }
    void SetActive(bool active);
    int GroupingLevel() const { return groupingLevel_; }
    void SetGroupingLevel(int level);
    const std::string& IndexName() const { return indexName_; }
    void SetIndexName(std::string name);
    const std::string& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(std::string pattern) { displayFormat_ = std::move(pattern); }

    // The aggregate the field owns: none before its table first opened.
    const TAggregate* Aggregate() const { return aggregate_.get(); }
    // For the table's activation: the owned aggregate (made on first use) with the field's
    // definition; it stays up to date when the definition did not change.
    TAggregate& PrepareAggregate();

    bool ReadOnly() const override { return true; }

    std::string AsText() const override;  // general text of the value; null reads empty
    Value AsValue() const override;
    bool IsNullValue() const override { return AsValue().IsNull(); }
    // The display pattern applied as to floating-point numbers, else the general text.
    std::string DisplayText() const override;
    std::string EditText() const override { return AsText(); }
    // Every write raises "Field '%s' cannot be modified".
    void SetAsText(const std::string& text) override;
    void SetAsValue(const Value& value) override;
    void ClearValue() override;

private:
    void CheckDefinitionChange() const;
    [[noreturn]] void RefuseWrite() const;

    std::string expression_;
    bool active_ = false;
    int groupingLevel_ = 0;
    std::string indexName_;
    std::string displayFormat_;
    std::unique_ptr<TAggregate> aggregate_;
};

}  // namespace velmora::store
