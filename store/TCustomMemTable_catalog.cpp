// The table's fields as the expression parser sees them.

#include "store/TCustomMemTable.h"
#include "store/expression_catalog.h"
#include "store/expression_parser.h"
#include "store/field_names.h"
#include "store/number_settings.h"

namespace velmora::store {

namespace {

// The fields in FieldNamed's order (declared, then aggregate fields), so that a name two
// fields share finds the same field as FieldNamed does.
class TableFieldCatalog final : public ExpressionFieldCatalog {
public:
    explicit TableFieldCatalog(const TTableBase& table) : tableName_(table.Name()) {
        for (const auto* list : {&table.Fields(), &table.AggregateFields()})
            for (const auto& field : *list) fields_.push_back(Describe(*field));
    }

    const ExpressionField* FindField(std::string_view name) const override {
        for (const ExpressionField& field : fields_)
            if (SameFieldName(field.name, name)) return &field;
        return nullptr;
    }
    std::string TableName() const override { return tableName_; }

private:
    static ExpressionField Describe(const TField& field) {
        ExpressionField described{field.FieldName(), field.DataType(), field.Size(), field.Kind()};
        const bool stored = field.Kind() == fkData || field.Kind() == fkInternalCalc;
        if (stored && field.Slot()) described.column = *field.Slot();
        return described;
    }

    std::string tableName_;
    std::vector<ExpressionField> fields_;
};

}  // namespace

ExpressionTree TCustomMemTable::ParseForTable(std::string_view text, ExpressionPurpose purpose,
                                              store::FilterOptions options) const {
    return ParseExpression(text, TableFieldCatalog(*this), purpose, options,
                           CurrentNumberSettings());
}

}  // namespace velmora::store
