#include "store/aggregate_program.h"

#include "platform/errors.h"
#include "store/expression_compiler.h"
#include "store/expression_row.h"
#include "store/store_codes.h"

namespace velmora::store {
namespace {

CompiledAggregate Compile(const ExpressionTree& tree, const STBASE& table) {
    if (tree.purpose != ExpressionPurpose::Aggregate || !tree.root)
        throw EStoreError(kCodeCannotCompile);
    return CompileAggregate(tree, table.Columns());
}

}  // namespace

AggregateProgram::AggregateProgram(const ExpressionTree& tree, const STBASE& table)
    : compiled_(Compile(tree, table)),
      collation_(table.Lcid()),
      result_(compiled_.result, collation_) {
    for (const AggregateTerm& term : compiled_.terms) {
        arguments_.push_back(
            term.kind == AggregateKind::CountStar
                ? nullptr
                : std::make_unique<ExpressionEvaluator>(term.argument, collation_));
    }
}

TermArgument AggregateProgram::Argument(size_t term, const RowView& row) {
    TermArgument argument;
    ExpressionEvaluator* evaluator = arguments_[term].get();
    if (!evaluator) {
        argument.null = false;
        return argument;
    }
    evaluator->Evaluate(RowViewExpressionRow(row));
    const ExpressionRegister& result = evaluator->Result();
    argument.null = result.null;
    if (argument.null) return argument;
    switch (TermKind(term)) {
        case AggregateKind::Sum:
        case AggregateKind::Avg:
            argument.fixed = result.registerClass == RegisterClass::Fixed;
            if (argument.fixed) argument.exact = result.fixed;
            argument.number = RegisterNumber(result);
            break;
        case AggregateKind::Min:
        case AggregateKind::Max:
            argument.value = evaluator->ResultValue();
            break;
        default:
            break;
    }
    return argument;
}

Value AggregateProgram::Combine(std::span<const Value> terms, const RowView& row) {
    result_.Evaluate(RowViewExpressionRow(row), terms);
    return result_.ResultValue();
}

}  // namespace velmora::store
