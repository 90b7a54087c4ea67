// The comparison builders of expression_typing.h: =, <>, <, >, <=, >=, LIKE, IS NULL, IN.
#include "platform/errors.h"
#include "store/expression_constant.h"
#include "store/expression_typing.h"

namespace velmora::store {
namespace {

ExprOperator Mirrored(ExprOperator op) {
    switch (op) {
        case ExprOperator::Less:
            return ExprOperator::Greater;
        case ExprOperator::Greater:
            return ExprOperator::Less;
        case ExprOperator::LessEqual:
            return ExprOperator::GreaterEqual;
        case ExprOperator::GreaterEqual:
            return ExprOperator::LessEqual;
        default:
            return op;
    }
}

bool Comparable(FieldType a, FieldType b) {
    return a == ftUnknown || b == ftUnknown || (IsTextKind(a) && IsTextKind(b)) ||
           (IsNumericKind(a) && IsNumericKind(b)) || (IsTemporalKind(a) && IsTemporalKind(b)) ||
           (a == ftBoolean && b == ftBoolean);
}

// Gives `constant` the kind of the operand it is compared with: any kind of a field, the
// temporal kind of any temporal operand (for a text), the kind of the operand for NULL.
void TypeConstantFor(ExpressionNode& constant, const ExpressionNode& operand,
                     const TypingContext& context) {
    if (!constant.IsConstant()) return;
    if (constant.IsNullConstant()) {
        if (constant.type == ftUnknown) {
            constant.type = operand.type;
            constant.size = operand.size;
        }
        return;
    }
    const bool textForTemporal = IsTextKind(constant.type) && IsTemporalKind(operand.type);
    if (operand.kind == NodeKind::Field || textForTemporal)
        ConvertConstant(constant, operand.type, operand.size, context.numbers);
}

void CheckComparable(const ExpressionNode& left, const ExpressionNode& right) {
    if (IsLargeKind(left.type) || IsLargeKind(right.type)) TypeMismatch();
    if (!Comparable(left.type, right.type)) TypeMismatch();
}

// =, <> and LIKE against a non-empty text constant become a text comparison node when they
// ignore case or compare a prefix ("abc*": the first three characters).
void MakeTextCompareIfAsked(ExpressionNode& node, const TypingContext& context) {
    ExpressionNode& constant = *node.operands[1];
    if (!constant.IsConstant() || !IsTextKind(constant.type) ||
        constant.constant.GetKind() != Value::Kind::Text || constant.constant.AsText().empty())
        return;
    std::string text = constant.constant.AsText();
    const bool caseInsensitive = (context.options & foCaseInsensitive) != 0;
    const bool partial =
        (context.options & foNoPartialCompare) == 0 && text.size() >= 2 && text.back() == '*';
    if (!caseInsensitive && !partial) return;
    if (partial) {
        text.pop_back();
        node.partialLength = text.size();
        constant.constant = Value::Text(std::move(text));
    }
    node.kind = NodeKind::TextCompare;
    node.caseInsensitive = caseInsensitive;
}

ExpressionNodePtr MakeComparison(ExprOperator op, ExpressionNodePtr left, ExpressionNodePtr right) {
    const ExprScope scope = CombineScopes(left->scope, right->scope);
    std::vector<ExpressionNodePtr> operands;
    operands.push_back(std::move(left));
    operands.push_back(std::move(right));
    return MakeOperator(op, ftBoolean, scope, std::move(operands));
}

}  // namespace

ExpressionNodePtr BuildComparison(ExprOperator op, ExpressionNodePtr left, ExpressionNodePtr right,
                                  const TypingContext& context) {
    if (left->IsConstant() && right->kind == NodeKind::Field) {
        std::swap(left, right);
        op = Mirrored(op);
    }
    if (left->IsNullConstant() || right->IsNullConstant()) {
        ExpressionNodePtr& other = right->IsNullConstant() ? left : right;
        if (op == ExprOperator::Equal) return BuildNullTest(ExprOperator::IsNull, std::move(other));
        if (op == ExprOperator::NotEqual)
            return BuildNullTest(ExprOperator::IsNotNull, std::move(other));
    }
    TypeConstantFor(*right, *left, context);
    TypeConstantFor(*left, *right, context);
    CheckComparable(*left, *right);
    ExpressionNodePtr node = MakeComparison(op, std::move(left), std::move(right));
    if (op == ExprOperator::Equal || op == ExprOperator::NotEqual)
        MakeTextCompareIfAsked(*node, context);
    return node;
}

ExpressionNodePtr BuildLike(ExpressionNodePtr left, ExpressionNodePtr right,
                            const TypingContext& context) {
    if (left->IsNullConstant() || right->IsNullConstant())
        throw EDatabaseError("NULL only allowed with '=' and '<>'");
    if (right->IsConstant() && IsTextKind(left->type)) TypeConstantFor(*right, *left, context);
    const bool textLeft = IsTextKind(left->type) || IsLargeKind(left->type);
    if (!textLeft || !IsTextKind(right->type)) TypeMismatch();
    ExpressionNodePtr node = MakeComparison(ExprOperator::Like, std::move(left), std::move(right));
    MakeTextCompareIfAsked(*node, context);
    return node;
}

ExpressionNodePtr BuildNullTest(ExprOperator op, ExpressionNodePtr operand) {
    const ExprScope scope = operand->scope;
    std::vector<ExpressionNodePtr> operands;
    operands.push_back(std::move(operand));
    return MakeOperator(op, ftBoolean, scope, std::move(operands));
}

ExpressionNodePtr BuildIn(ExpressionNodePtr left, std::vector<ExpressionNodePtr> elements,
                          const TypingContext& context) {
    ExprScope scope = left->scope;
    for (ExpressionNodePtr& element : elements) {
        TypeConstantFor(*element, *left, context);
        CheckComparable(*left, *element);
        scope = CombineScopes(scope, element->scope);
    }
    elements.insert(elements.begin(), std::move(left));
    return MakeOperator(ExprOperator::In, ftBoolean, scope, std::move(elements));
}

}  // namespace velmora::store
