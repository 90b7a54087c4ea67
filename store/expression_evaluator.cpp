#include "store/expression_evaluator.h"

#include <cmath>
#include <limits>

#include "store/decimal_double.h"
#include "store/expression_order.h"
#include "store/expression_program_builder.h"
#include "store/expression_temporal.h"
#include "store/like_match.h"

namespace velmora::store {
namespace {

void SetTruth(ExpressionRegister& r, bool truth, bool null) {
    r.truth = truth;
    r.null = null;
}

// The integer part of a double, held at the ends of the 64-bit range (a NaN gives 0): the
// register's integer form of a number that no integer holds.
int64_t IntegerPart(double number) {
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (std::isnan(number)) return 0;
    if (number >= kLimit) return std::numeric_limits<int64_t>::max();
    if (number < -kLimit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(number);
}

}  // namespace

double RegisterNumber(const ExpressionRegister& r) {
    switch (r.registerClass) {
        case RegisterClass::Integer:
            return static_cast<double>(r.integer);
        case RegisterClass::Fixed:
            return NearestDouble(r.fixed);
        default:
            return r.number;
    }
}

void AssignRegister(ExpressionRegister& r, const Value& value) {
    r.null = value.IsNull();
    r.truth = false;
    r.integer = 0;
    r.fixed = Decimal{};
    r.number = 0;
    r.text = {};
    switch (value.GetKind()) {
        case Value::Kind::Null:
            return;
        case Value::Kind::Boolean:
            r.truth = value.AsBoolean();
            return;
        case Value::Kind::Text:
            r.text = value.AsText();
            return;
        case Value::Kind::Integer:
            r.integer = value.AsInteger();
            r.fixed = Decimal{value.AsInteger(), 0};
            r.number = static_cast<double>(value.AsInteger());
            return;
        case Value::Kind::FixedPoint:
            r.fixed = DecimalFromFixedPoint(value.AsFixed(), 4);
            r.number = FixedPointToDouble(value.AsFixed());
            r.integer = RoundFixedPointToInteger(value.AsFixed());
            return;
        case Value::Kind::Double:
            r.number = value.AsDouble();
            r.integer = IntegerPart(value.AsDouble());
            return;
    }
}

ExpressionEvaluator::ExpressionEvaluator(const ExpressionProgram& program,
                                         const TextCollation& collation)
    : program_(program), collation_(collation), registers_(program.registers.size()) {
    for (size_t i = 0; i < registers_.size(); ++i) {
        registers_[i].registerClass = program.registers[i].registerClass;
        if (program.registers[i].constant)
            AssignRegister(registers_[i], program.registers[i].value);
    }
}

void ExpressionEvaluator::Evaluate(const ExpressionRow& row, std::span<const Value> aggregates) {
    for (const Instruction& instruction : program_.code) Run(instruction, row, aggregates);
}

bool ExpressionEvaluator::Passes(const ExpressionRow& row) {
    Evaluate(row);
    const ExpressionRegister& result = Result();
    return result.registerClass == RegisterClass::Boolean && !result.null && result.truth;
}

Value ExpressionEvaluator::ResultValue() const {
    const ExpressionRegister& r = Result();
    if (r.null) return Value();
    switch (r.registerClass) {
        case RegisterClass::Boolean:
            return Value::Boolean(r.truth);
        case RegisterClass::Integer:
            return Value::Integer(r.integer);
        case RegisterClass::Fixed: {
            const std::optional<FixedPoint> fixed = DecimalToFixedPoint(r.fixed);
            return fixed ? Value::Fixed(*fixed) : Value::Double(DecimalToDouble(r.fixed));
        }
        case RegisterClass::Text:
            return Value::Text(std::string(r.text));
        default:
            return Value::Double(r.number);
    }
}

void ExpressionEvaluator::Run(const Instruction& instruction, const ExpressionRow& row,
                              std::span<const Value> aggregates) {
    ExpressionRegister& result = registers_[instruction.result];
    const ExpressionRegister& a = registers_[instruction.a];
    const ExpressionRegister& b = registers_[instruction.b];
    switch (instruction.code) {
        case OpCode::LoadColumn:
            return LoadColumn(instruction, row);
        case OpCode::LoadAggregate:
            if (instruction.term < aggregates.size())
                return AssignRegister(result, aggregates[instruction.term]);
            return AssignRegister(result, Value());
        case OpCode::Compare:
            return SetTruth(result, Compare(instruction.op, instruction.mode, a, b),
                            a.null || b.null);
        case OpCode::TextCompare:
        case OpCode::Like:
            return SetTruth(result, TextMatch(instruction, a, b), a.null || b.null);
        case OpCode::IsNull:
            return SetTruth(result, a.null, false);
        case OpCode::IsNotNull:
            return SetTruth(result, !a.null, false);
        case OpCode::In: {
            // A match decides even when another element is NULL, as "3 IN (3, NULL)" reads.
            bool nullElement = false;
            const bool found = InList(instruction, nullElement);
            return SetTruth(result, found, a.null || (!found && nullElement));
        }
        case OpCode::And:
            return SetTruth(result, a.truth && b.truth, false);
        case OpCode::Or:
            return SetTruth(result, a.truth || b.truth, false);
        case OpCode::Not:
            return SetTruth(result, !a.truth, false);
        case OpCode::Function:
            return CallFunction(instruction);
        default:
            return ComputeArithmetic(instruction, result);
    }
}

bool ExpressionEvaluator::Compare(ExprOperator op, RegisterClass mode, const ExpressionRegister& a,
                                  const ExpressionRegister& b) const {
    switch (mode) {
        case RegisterClass::Boolean:
            return Holds(op, Order<int>(a.truth, b.truth));
        case RegisterClass::Integer:
            return Holds(op, Order(a.integer, b.integer));
        case RegisterClass::Temporal:
            return Holds(op, Order(a.number, b.number));
        case RegisterClass::Text:
            return Holds(op, collation_.Compare(a.text, b.text, false));
        default: {
            const double x = RegisterNumber(a), y = RegisterNumber(b);
            if (op == ExprOperator::Equal) return x == y || std::fabs(x - y) < kEqualTolerance;
            return Holds(op, Order(x, y));
        }
    }
}

// A partial comparison of length n looks at the row's first n characters only.
bool ExpressionEvaluator::TextMatch(const Instruction& instruction, const ExpressionRegister& a,
                                    const ExpressionRegister& b) const {
    std::string_view text = a.text;
    if (instruction.partialLength > 0 && text.size() > instruction.partialLength)
        text = text.substr(0, instruction.partialLength);
    if (instruction.code == OpCode::Like)
        return LikeMatch(text, b.text, instruction.caseInsensitive ? &collation_ : nullptr);
    const int order = collation_.Compare(text, b.text, instruction.caseInsensitive);
    return Holds(instruction.op, order);
}

bool ExpressionEvaluator::InList(const Instruction& instruction, bool& nullElement) const {
    const ExpressionRegister& left = registers_[instruction.a];
    bool found = false;
    for (uint32_t i = 0; i < instruction.count; ++i) {
        const ExpressionRegister& element = registers_[program_.lists[instruction.first + i]];
        nullElement = nullElement || element.null;
        const RegisterClass mode =
            CompareMode(left.registerClass, element.registerClass).value_or(RegisterClass::Float);
        found = found || Compare(ExprOperator::Equal, mode, left, element);
    }
    return found;
}

void ExpressionEvaluator::ComputeArithmetic(const Instruction& instruction,
                                            ExpressionRegister& result) {
    const ExpressionRegister& a = registers_[instruction.a];
    const ExpressionRegister& b = registers_[instruction.b];
    result.null = a.null || b.null;
    switch (instruction.code) {
        case OpCode::Concatenate:
            result.buffer.assign(a.text);
            result.buffer.append(b.text);
            result.text = result.buffer;
            return;
        case OpCode::TemporalDistance:
            result.number = (a.number - b.number) / kMillisecondsPerDay;
            return;
        case OpCode::TemporalShift: {
            const double shift = RegisterNumber(b) * kMillisecondsPerDay;
            result.number =
                instruction.op == ExprOperator::Add ? a.number + shift : a.number - shift;
            if (instruction.resultType == ftDate)
                result.number =
                    std::floor(result.number / kMillisecondsPerDay) * kMillisecondsPerDay;
            return;
        }
        default:
            break;
    }
    const double x = RegisterNumber(a), y = RegisterNumber(b);
    switch (instruction.op) {
        case ExprOperator::Add:
            result.number = x + y;
            return;
        case ExprOperator::Subtract:
            result.number = x - y;
            return;
        case ExprOperator::Multiply:
            result.number = x * y;
            return;
        default:
            result.null = result.null || y == 0;
            result.number = y == 0 ? 0 : x / y;
            return;
    }
}

}  // namespace velmora::store
