#pragma once
// How a comparison operator reads the order of its two operands, shared by the evaluator and
// the comparisons judged on stored bytes so that both give the same verdicts.

#include "store/expression_tree.h"

namespace velmora::store {

// -1, 0 or 1 as a is below, equal to or above b; values that are neither (NaN) are equal.
template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Whether `op` holds for operands in that order. REQUIRES: op is a comparison operator.
inline bool Holds(ExprOperator op, int order) {
    switch (op) {
        case ExprOperator::Equal:
            return order == 0;
        case ExprOperator::NotEqual:
            return order != 0;
        case ExprOperator::Less:
            return order < 0;
        case ExprOperator::Greater:
            return order > 0;
        case ExprOperator::LessEqual:
            return order <= 0;
        default:
            return order >= 0;
    }
}

}  // namespace velmora::store
