// Functions and aggregate terms of the program builder.
#include <string_view>

#include "store/expression_program_builder.h"
#include "store/expression_typing.h"

namespace velmora::store {
namespace {

// One class per argument position; arguments beyond `required` are optional.
struct FunctionShape {
    std::string_view name;
    FunctionId id;
    RegisterClass result;
    size_t required;
    std::vector<RegisterClass> arguments;
};

const FunctionShape* FindShape(std::string_view name) {
    using C = RegisterClass;
    static const FunctionShape kShapes[] = {
        {"UPPER", FunctionId::Upper, C::Text, 1, {C::Text}},
        {"LOWER", FunctionId::Lower, C::Text, 1, {C::Text}},
        {"SUBSTRING", FunctionId::Substring, C::Text, 2, {C::Text, C::Float, C::Float}},
        {"TRIM", FunctionId::Trim, C::Text, 1, {C::Text, C::Text}},
        {"TRIMLEFT", FunctionId::TrimLeft, C::Text, 1, {C::Text, C::Text}},
        {"TRIMRIGHT", FunctionId::TrimRight, C::Text, 1, {C::Text, C::Text}},
        {"YEAR", FunctionId::Year, C::Integer, 1, {C::Temporal}},
        {"MONTH", FunctionId::Month, C::Integer, 1, {C::Temporal}},
        {"DAY", FunctionId::Day, C::Integer, 1, {C::Temporal}},
        {"HOUR", FunctionId::Hour, C::Integer, 1, {C::Temporal}},
        {"MINUTE", FunctionId::Minute, C::Integer, 1, {C::Temporal}},
        {"SECOND", FunctionId::Second, C::Integer, 1, {C::Temporal}},
        {"GETDATE", FunctionId::GetDate, C::Temporal, 0, {}},
        {"DATE", FunctionId::Date, C::Temporal, 1, {C::Temporal}},
        {"TIME", FunctionId::Time, C::Temporal, 1, {C::Temporal}},
    };
    for (const FunctionShape& shape : kShapes)
        if (shape.name == name) return &shape;
    return nullptr;
}

// Float in a shape stands for any number.
bool ArgumentFits(RegisterClass expected, RegisterClass actual) {
    return expected == RegisterClass::Float ? IsNumberClass(actual) : expected == actual;
}

std::optional<AggregateKind> AggregateKindOf(std::string_view name) {
    if (name == "SUM") return AggregateKind::Sum;
    if (name == "AVG") return AggregateKind::Avg;
    if (name == "MIN") return AggregateKind::Min;
    if (name == "MAX") return AggregateKind::Max;
    if (name == "COUNT") return AggregateKind::Count;
    if (name == kCountStar) return AggregateKind::CountStar;
    return std::nullopt;
}

// The argument kinds each aggregate accepts.
bool AggregateArgumentFits(AggregateKind kind, RegisterClass argument, FieldType type) {
    switch (kind) {
        case AggregateKind::Sum:
        case AggregateKind::Avg:
            return IsNumberClass(argument);
        case AggregateKind::Min:
        case AggregateKind::Max:
            return !IsLargeKind(type);
        default:
            return true;
    }
}

}  // namespace

uint16_t ProgramBuilder::Function(const ExpressionNode& node) {
    if (AggregateKindOf(node.name)) return AggregateFunction(node);
    const FunctionShape* shape = FindShape(node.name);
    if (shape == nullptr || node.operands.size() < shape->required ||
        node.operands.size() > shape->arguments.size())
        CannotCompile();
    std::vector<uint16_t> arguments;
    for (size_t i = 0; i < node.operands.size(); ++i) {
        arguments.push_back(Compile(*node.operands[i], shape->arguments[i]));
        if (!ArgumentFits(shape->arguments[i], ClassOf(arguments.back()))) CannotCompile();
    }
    Instruction call;
    call.code = OpCode::Function;
    call.function = shape->id;
    call.first = static_cast<uint32_t>(program_.lists.size());
    call.count = static_cast<uint32_t>(arguments.size());
    program_.lists.insert(program_.lists.end(), arguments.begin(), arguments.end());
    return Emit(call, shape->result);
}

uint16_t ProgramBuilder::AggregateFunction(const ExpressionNode& node) {
    if (terms_ == nullptr) CannotCompile();
    AggregateTerm term;
    term.kind = *AggregateKindOf(node.name);
    term.resultType = node.type;
    const size_t arity = term.kind == AggregateKind::CountStar ? 0 : 1;
    if (node.operands.size() != arity) CannotCompile();
    if (arity == 1) {
        const ExpressionNode& argument = *node.operands[0];
        // An aggregate of aggregates has no meaning per row.
        if (argument.scope == ExprScope::Aggregate) CannotCompile();
        ProgramBuilder argumentBuilder(columns_, nullptr);
        const uint16_t reg = argumentBuilder.Compile(argument);
        if (!AggregateArgumentFits(term.kind, argumentBuilder.ClassOf(reg), argument.type))
            CannotCompile();
        term.argument = argumentBuilder.Finish(reg, argument.type);
        term.argumentType = argument.type;
    }
    const std::optional<RegisterClass> resultClass = ClassOfType(node.type);
    if (!resultClass) CannotCompile();
    Instruction load;
    load.code = OpCode::LoadAggregate;
    load.term = static_cast<uint32_t>(terms_->size());
    terms_->push_back(std::move(term));
    return Emit(load, *resultClass);
}

}  // namespace velmora::store
