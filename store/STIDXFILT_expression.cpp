#include "store/STIDXFILT_expression.h"

#include "store/expression_compiler.h"
#include "store/expression_row.h"

namespace velmora::store {

ExpressionFilter::ExpressionFilter(const ExpressionTree& tree, const STBASE& table)
    : program_(CompileCondition(tree, table.Columns())),
      collation_(table.Lcid()),
      comparisons_(ColumnComparisons::Of(program_, table.Layout(), collation_)),
      evaluator_(program_, collation_) {}

bool ExpressionFilter::Accepts(const RowView& row) const {
    if (comparisons_)
        if (const std::optional<bool> verdict = comparisons_->Judge(row)) return *verdict;
    return evaluator_.Passes(RowViewExpressionRow(row));
}

}  // namespace velmora::store
