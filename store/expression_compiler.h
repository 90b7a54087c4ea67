#pragma once
// Compiles an expression tree into the instruction list the stored table evaluates. What it
// cannot compile (a column it cannot read, a function it does not know, arguments of the
// wrong kind, an aggregate where none may be) raises EStoreError(kCodeCannotCompile).

#include <vector>

#include "store/expression_program.h"
#include "store/expression_tree.h"
#include "store/store_codes.h"
#include "store/stored_table_column.h"

namespace velmora::store {

// A filter or search condition over the table whose columns are given.
// REQUIRES: tree.root is set.
ExpressionProgram CompileCondition(const ExpressionTree& tree,
                                   const std::vector<StoredColumn>& columns);

// An aggregate: one term per aggregate function with the program of its argument, and the
// program that combines the terms' values.
// REQUIRES: tree.root is set.
CompiledAggregate CompileAggregate(const ExpressionTree& tree,
                                   const std::vector<StoredColumn>& columns);

}  // namespace velmora::store
