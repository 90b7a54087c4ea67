#include "store/expression_typing.h"

#include "platform/errors.h"
#include "store/expression_constant.h"
#include "store/expression_token.h"

namespace velmora::store {
namespace {

struct FunctionRule {
    std::string_view name;
    bool aggregate;
    bool needsArgument;
    FieldType result;  // Unknown: the first argument's kind
};

constexpr FunctionRule kFunctions[] = {
    {"SUM", true, true, ftFloat},          {"AVG", true, true, ftFloat},
    {"MIN", true, true, ftUnknown},        {"MAX", true, true, ftUnknown},
    {"COUNT", true, true, ftInteger},      {kCountStar, true, false, ftInteger},
    {"YEAR", false, true, ftInteger},      {"MONTH", false, true, ftInteger},
    {"DAY", false, true, ftInteger},       {"HOUR", false, true, ftInteger},
    {"MINUTE", false, true, ftInteger},    {"SECOND", false, true, ftInteger},
    {"GETDATE", false, false, ftDateTime}, {"DATE", false, true, ftDate},
    {"TIME", false, true, ftTime},         {"UPPER", false, true, ftString},
    {"LOWER", false, true, ftString},      {"SUBSTRING", false, true, ftString},
    {"TRIM", false, true, ftString},       {"TRIMLEFT", false, true, ftString},
    {"TRIMRIGHT", false, true, ftString},
};

const FunctionRule* FindFunction(std::string_view name) {
    for (const FunctionRule& rule : kFunctions)
        if (SameWord(rule.name, name)) return &rule;
    return nullptr;
}

bool IsTextConstant(const ExpressionNode& node) {
    return node.IsConstant() && IsTextKind(node.type);
}

// The result type of left op right, Unknown when the kinds do not fit. A text constant
// subtracted from a temporal operand is first read as that temporal kind.
FieldType ArithmeticType(ExprOperator op, ExpressionNode& left, const ExpressionNode& right,
                         const TypingContext& context) {
    const FieldType l = left.type, r = right.type;
    if (IsNumericKind(l) && IsNumericKind(r)) return ftFloat;
    if (op == ExprOperator::Add) {
        if (IsTextKind(l) && IsTextKind(r)) return ftString;
        if ((IsTemporalKind(l) && IsNumericKind(r)) || (IsNumericKind(l) && IsTemporalKind(r)))
            return ftDateTime;
    }
    if (op == ExprOperator::Subtract) {
        if (IsTemporalKind(l) && IsNumericKind(r)) return l;
        if (IsTemporalKind(l) && IsTemporalKind(r)) return ftFloat;
        if (IsTextConstant(left) && IsTemporalKind(r)) {
            ConvertConstant(left, r, right.size, context.numbers);
            return ftFloat;
        }
    }
    return ftUnknown;
}

// A NULL operand takes the kind of the other one.
void TypeNullOperand(ExpressionNode& node, const ExpressionNode& other) {
    if (node.IsNullConstant() && node.type == ftUnknown) {
        node.type = other.type;
        node.size = other.size;
    }
}

}  // namespace

void TypeMismatch() {
    throw EDatabaseError("Type mismatch in expression");
}

ExprScope CombineScopes(ExprScope a, ExprScope b) {
    if ((a == ExprScope::Record && b == ExprScope::Aggregate) ||
        (a == ExprScope::Aggregate && b == ExprScope::Record))
        throw EDatabaseError("Operation cannot mix aggregate value with record-varying value");
    if (a == ExprScope::Aggregate || b == ExprScope::Aggregate) return ExprScope::Aggregate;
    if (a == ExprScope::Record || b == ExprScope::Record) return ExprScope::Record;
    return ExprScope::Constant;
}

ExpressionNodePtr AsCondition(ExpressionNodePtr node) {
    if (node->kind != NodeKind::Field || node->type != ftBoolean) return node;
    const ExprScope scope = node->scope;
    std::vector<ExpressionNodePtr> operands;
    operands.push_back(std::move(node));
    operands.push_back(MakeConstant(Value::Boolean(false), ftBoolean));
    return MakeOperator(ExprOperator::NotEqual, ftBoolean, scope, std::move(operands));
}

ExpressionNodePtr BuildLogical(ExprOperator op, std::vector<ExpressionNodePtr> operands) {
    ExprScope scope = ExprScope::Constant;
    for (ExpressionNodePtr& operand : operands) {
        operand = AsCondition(std::move(operand));
        if (operand->type != ftBoolean) TypeMismatch();
        scope = CombineScopes(scope, operand->scope);
    }
    return MakeOperator(op, ftBoolean, scope, std::move(operands));
}

ExpressionNodePtr BuildArithmetic(ExprOperator op, ExpressionNodePtr left, ExpressionNodePtr right,
                                  const TypingContext& context) {
    TypeNullOperand(*left, *right);
    TypeNullOperand(*right, *left);
    const FieldType type = ArithmeticType(op, *left, *right, context);
    if (type == ftUnknown) TypeMismatch();
    const ExprScope scope = CombineScopes(left->scope, right->scope);
    const uint16_t size = type == ftString ? left->size + right->size : 0;
    std::vector<ExpressionNodePtr> operands;
    operands.push_back(std::move(left));
    operands.push_back(std::move(right));
    ExpressionNodePtr node = MakeOperator(op, type, scope, std::move(operands));
    node->size = size;
    return node;
}

bool IsFunctionName(std::string_view name) {
    return name != kCountStar && FindFunction(name) != nullptr;
}

ExpressionNodePtr BuildFunction(const std::string& name, std::vector<ExpressionNodePtr> arguments) {
    const FunctionRule& rule = *FindFunction(name);
    if (rule.needsArgument && arguments.empty()) TypeMismatch();
    auto node = std::make_unique<ExpressionNode>();
    node->kind = NodeKind::Function;
    node->name = name;
    node->type = rule.result;
    if (!arguments.empty()) {
        if (rule.result == ftUnknown) node->type = arguments[0]->type;
        if (rule.result == ftUnknown || rule.result == ftString) node->size = arguments[0]->size;
        node->scope = arguments[0]->scope;
        for (const ExpressionNodePtr& argument : arguments)
            CombineScopes(node->scope, argument->scope);
    }
    if (rule.aggregate) node->scope = ExprScope::Aggregate;
    node->operands = std::move(arguments);
    return node;
}

}  // namespace velmora::store
