#pragma once
// The typed expression tree that the parser hands to the stored table. Every node has a data
// type and a scope. Besides fields, constants, operators and functions, the tree carries two
// forms made for the stored table: a text comparison (=, <> or LIKE against a text constant)
// with a case-insensitive flag and a partial length, and IN with its list.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "store/expression_purpose.h"
#include "store/expression_types.h"
#include "store/value.h"

namespace velmora::store {

enum class NodeKind : uint8_t { Field, Constant, Operator, Function, TextCompare, In };

enum class ExprOperator : uint8_t {
    None,
    Or,
    And,
    Not,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Like,
    IsNull,
    IsNotNull,
    In,
    Add,
    Subtract,
    Multiply,
    Divide,
};

// Temporal constants hold a Value::Double in the stored date-time form: milliseconds counted
// from day 0 (a Date is its day number times 86400000, a Time its milliseconds of the day).
struct ExpressionNode {
    NodeKind kind = NodeKind::Constant;
    FieldType type = ftUnknown;
    uint16_t size = 0;  // width of text kinds
    ExprScope scope = ExprScope::Constant;

    ExprOperator op = ExprOperator::None;  // Operator, TextCompare (=, <>, LIKE), In
    // Operator and TextCompare: the operands; Function: the arguments; In: the left operand
    // followed by the list's elements.
    std::vector<std::unique_ptr<ExpressionNode>> operands;

    std::string name;   // Field: the field's name; Function: the function's name in capitals
    size_t column = 0;  // Field: the stored column
    Value constant;     // Constant (null for NULL)

    bool caseInsensitive = false;  // TextCompare
    size_t partialLength = 0;      // TextCompare: 0 = compare the whole text

    bool IsConstant() const { return kind == NodeKind::Constant; }
    bool IsNullConstant() const { return kind == NodeKind::Constant && constant.IsNull(); }
};

using ExpressionNodePtr = std::unique_ptr<ExpressionNode>;

struct ExpressionTree {
    ExpressionPurpose purpose = ExpressionPurpose::Filter;
    ExpressionNodePtr root;
    // Aggregate purpose: every stored column the expression reads, ascending, once each.
    std::vector<size_t> columns;
};

ExpressionNodePtr MakeConstant(Value value, FieldType type, uint16_t size = 0);
ExpressionNodePtr MakeOperator(ExprOperator op, FieldType type, ExprScope scope,
                               std::vector<ExpressionNodePtr> operands);

// A one-line dump for diagnostics and tests. Leaves carry ":" and their type name: fields by
// name ("id_item:Integer"), constants as values ("3:Integer", "'abc':String", "NULL:Unknown").
// Other nodes read "(op operands...)", with ":" and the type after them unless they are
// boolean; a text comparison shows "ci" for its flag and its partial length ("(=ci3 ...)").
std::string DescribeNode(const ExpressionNode& node);

}  // namespace velmora::store
