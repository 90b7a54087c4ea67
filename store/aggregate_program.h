#pragma once
// One aggregate expression compiled for a stored table: the argument program of each
// aggregate term (SUM(...), COUNT(*), ...) run per row, and the result program that combines
// the terms' values into the aggregate's value. Compiled once; evaluating reuses the
// evaluators' registers.

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "store/STBASE.h"
#include "store/aggregate_accumulator.h"
#include "store/expression_collation.h"
#include "store/expression_evaluator.h"
#include "store/expression_program.h"
#include "store/expression_tree.h"

namespace velmora::store {

class AggregateProgram {
public:
    // Compiles tree against table's columns. A tree that is not an aggregate's, or that cannot
    // be compiled, raises EStoreError(kCodeCannotCompile).
    AggregateProgram(const ExpressionTree& tree, const STBASE& table);
    AggregateProgram(const AggregateProgram&) = delete;
    AggregateProgram& operator=(const AggregateProgram&) = delete;

    size_t TermCount() const { return compiled_.terms.size(); }
    // REQUIRES (both): term < TermCount().
    AggregateKind TermKind(size_t term) const { return compiled_.terms[term].kind; }
    // The term's argument for row, as its function takes it. May raise as the evaluator does.
    TermArgument Argument(size_t term, const RowView& row);

    // The aggregate's value from its terms' values, in term order; row is read by parts of
    // the expression that are not aggregated.
    // REQUIRES: terms.size() == TermCount().
    Value Combine(std::span<const Value> terms, const RowView& row);

    FieldType ResultType() const { return compiled_.resultType; }
    uint16_t ResultSize() const { return compiled_.resultSize; }
    const TextCollation& Collation() const { return collation_; }

private:
    CompiledAggregate compiled_;
    LocaleTextCollation collation_;
    std::vector<std::unique_ptr<ExpressionEvaluator>> arguments_;  // nullptr for COUNT(*)
    ExpressionEvaluator result_;
};

}  // namespace velmora::store
