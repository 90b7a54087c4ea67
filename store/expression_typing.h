#pragma once
// The typing and tree-building rules: each builder takes typed operands, checks that their
// kinds and scopes fit, and returns the typed node the stored table receives. Errors raise
// EDatabaseError: "Type mismatch in expression", "Operation cannot mix aggregate value with
// record-varying value", "NULL only allowed with '=' and '<>'"; a constant that cannot be
// read as the kind it is compared with raises EConvertError.

#include <string>
#include <string_view>
#include <vector>

#include "store/expression_purpose.h"
#include "store/expression_tree.h"
#include "store/number_settings.h"

namespace velmora::store {

struct TypingContext {
    FilterOptions options = 0;
    NumberSettings numbers;
};

// The scope of a node with operands of scopes a and b: aggregate or record when either is,
// else constant. Record mixed with aggregate raises.
ExprScope CombineScopes(ExprScope a, ExprScope b);

// A boolean field standing alone as a condition becomes "field <> False"; other nodes pass.
ExpressionNodePtr AsCondition(ExpressionNodePtr node);

// AND and OR with two operands, NOT with one; every operand must be a condition.
ExpressionNodePtr BuildLogical(ExprOperator op, std::vector<ExpressionNodePtr> operands);

// +, -, * and / (see the arithmetic rules in the .cpp).
ExpressionNodePtr BuildArithmetic(ExprOperator op, ExpressionNodePtr left, ExpressionNodePtr right,
                                  const TypingContext& context);

// =, <>, <, >, <= and >=: operands swapped when a constant stands left of a field, NULL
// forms turned into IS NULL / IS NOT NULL, constants given the field's kind, text constants
// given the kind of a temporal operand, text comparison nodes for case-insensitive or
// partial =, <>.
ExpressionNodePtr BuildComparison(ExprOperator op, ExpressionNodePtr left, ExpressionNodePtr right,
                                  const TypingContext& context);
ExpressionNodePtr BuildLike(ExpressionNodePtr left, ExpressionNodePtr right,
                            const TypingContext& context);
// IS NULL or IS NOT NULL.
ExpressionNodePtr BuildNullTest(ExprOperator op, ExpressionNodePtr operand);
// REQUIRES: elements is not empty.
ExpressionNodePtr BuildIn(ExpressionNodePtr left, std::vector<ExpressionNodePtr> elements,
                          const TypingContext& context);

// The function names of the language, in capitals; COUNT(*) is named "COUNT(*)".
bool IsFunctionName(std::string_view name);
inline constexpr std::string_view kCountStar = "COUNT(*)";
// REQUIRES: IsFunctionName(name) or name == kCountStar; name in capitals.
ExpressionNodePtr BuildFunction(const std::string& name, std::vector<ExpressionNodePtr> arguments);

[[noreturn]] void TypeMismatch();

}  // namespace velmora::store
