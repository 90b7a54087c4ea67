#pragma once
// A field catalogue for parsing expressions in tests: a fixed list of fields, found by name
// without regard to letter case.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/collation.h"
#include "store/expression_catalog.h"

namespace velmora::store::testing_expressions {

class ListedFields final : public ExpressionFieldCatalog {
public:
    explicit ListedFields(std::vector<ExpressionField> fields) : fields_(std::move(fields)) {}

    const ExpressionField* FindField(std::string_view name) const override {
        for (const ExpressionField& field : fields_)
            if (platform::CompareText(field.name, name, 0, true) == 0) return &field;
        return nullptr;
    }
    std::string TableName() const override { return "items"; }

private:
    std::vector<ExpressionField> fields_;
};

}  // namespace velmora::store::testing_expressions
