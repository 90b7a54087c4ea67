#include "store/expression_tree.h"

#include "store/number_text.h"

namespace velmora::store {
namespace {

std::string_view OperatorName(ExprOperator op) {
    static constexpr std::string_view kNames[] = {
        "",   "OR",   "AND",    "NOT",       "=",  "<>", "<", ">", "<=",
        ">=", "LIKE", "ISNULL", "ISNOTNULL", "IN", "+",  "-", "*", "/",
    };
    return kNames[static_cast<size_t>(op)];
}

// Numbers as written in an expression with "." as the separator.
constexpr NumberSettings kPlainNumbers{'.', ','};

std::string ConstantText(const Value& value) {
    switch (value.GetKind()) {
        case Value::Kind::Null:
            return "NULL";
        case Value::Kind::Integer:
            return std::to_string(value.AsInteger());
        case Value::Kind::FixedPoint:
            return FixedPointText(value.AsFixed(), kPlainNumbers);
        case Value::Kind::Double:
            return FloatText(value.AsDouble(), kPlainNumbers);
        case Value::Kind::Text:
            return "'" + value.AsText() + "'";
        case Value::Kind::Boolean:
            return value.AsBoolean() ? "True" : "False";
    }
    return {};
}

std::string Typed(std::string text, FieldType type) {
    return text + ":" + std::string(FieldTypeName(type));
}

std::string Head(const ExpressionNode& node) {
    if (node.kind == NodeKind::Function) return node.name;
    std::string head(OperatorName(node.op));
    if (node.kind != NodeKind::TextCompare) return head;
    if (node.caseInsensitive) head += "ci";
    if (node.partialLength > 0) head += std::to_string(node.partialLength);
    return head;
}

}  // namespace

ExpressionNodePtr MakeConstant(Value value, FieldType type, uint16_t size) {
    auto node = std::make_unique<ExpressionNode>();
    node->kind = NodeKind::Constant;
    node->type = type;
    node->size = size;
    node->constant = std::move(value);
    return node;
}

ExpressionNodePtr MakeOperator(ExprOperator op, FieldType type, ExprScope scope,
                               std::vector<ExpressionNodePtr> operands) {
    auto node = std::make_unique<ExpressionNode>();
    node->kind = op == ExprOperator::In ? NodeKind::In : NodeKind::Operator;
    node->op = op;
    node->type = type;
    node->scope = scope;
    node->operands = std::move(operands);
    return node;
}

std::string DescribeNode(const ExpressionNode& node) {
    if (node.kind == NodeKind::Field) return Typed(node.name, node.type);
    if (node.kind == NodeKind::Constant) return Typed(ConstantText(node.constant), node.type);
    std::string text = "(" + Head(node);
    for (const ExpressionNodePtr& operand : node.operands) text += " " + DescribeNode(*operand);
    text += ")";
    return node.type == ftBoolean ? text : Typed(text, node.type);
}

}  // namespace velmora::store
