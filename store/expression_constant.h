#pragma once
// A constant compared with a field takes the field's kind; a text constant compared with a
// temporal operand takes that temporal kind.

#include <cstdint>

#include "store/expression_tree.h"
#include "store/number_settings.h"

namespace velmora::store {

// Converts the constant node to `type`. A number that the kind cannot hold exactly (3.5 for
// an integer field) stays floating-point, so the comparison keeps its meaning. A text that
// does not read as the kind raises EConvertError; a constant that no rule converts (a number
// for a temporal kind) is left unchanged for the kind check to judge.
// REQUIRES: node is a constant other than NULL.
void ConvertConstant(ExpressionNode& node, FieldType type, uint16_t size,
                     const NumberSettings& numbers);

}  // namespace velmora::store
