#pragma once
// An expression filter of a filtered view: the compiled form of a condition's expression tree,
// accepting a row when the result is a boolean that is not null and true. Text compares with
// the collation of the table's locale. A condition of column comparisons is judged on the
// row's bytes where it can be (expression_column_comparison.h), with the same verdicts.

#include <optional>

#include "store/STBASE.h"
#include "store/expression_collation.h"
#include "store/expression_column_comparison.h"
#include "store/expression_evaluator.h"
#include "store/expression_program.h"
#include "store/expression_tree.h"
#include "store/row_predicate.h"

namespace velmora::store {

class ExpressionFilter final : public RowPredicate {
public:
    // Compiles tree against table's columns; what cannot be compiled raises
    // EStoreError(kCodeCannotCompile).
    // REQUIRES: tree.root is set.
    ExpressionFilter(const ExpressionTree& tree, const STBASE& table);
    ExpressionFilter(const ExpressionFilter&) = delete;
    ExpressionFilter& operator=(const ExpressionFilter&) = delete;

    bool Accepts(const RowView& row) const override;

private:
    ExpressionProgram program_;
    LocaleTextCollation collation_;
    std::optional<ColumnComparisons> comparisons_;
    // Evaluating reuses the evaluator's registers, which is no change of the filter itself.
    mutable ExpressionEvaluator evaluator_;
};

}  // namespace velmora::store
