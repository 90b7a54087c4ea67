#include "store/expression_compiler.h"

#include <limits>

#include "platform/errors.h"
#include "store/expression_program_builder.h"

namespace velmora::store {
namespace {

std::optional<RegisterClass> ColumnClass(LogicalType type) {
    using L = LogicalType;
    switch (type) {
        case L::Text:
        case L::WideText:
        case L::FixedBytes:
        case L::VarBytes:
        case L::Blob:
            return RegisterClass::Text;
        case L::Int8:
        case L::Int16:
        case L::Int32:
        case L::Int64:
        case L::UInt8:
        case L::UInt16:
        case L::UInt32:
        case L::UInt64:
            return RegisterClass::Integer;
        case L::Boolean:
        case L::Boolean8:
        case L::Boolean32:
            return RegisterClass::Boolean;
        case L::Real8:
        case L::Real10:
            return RegisterClass::Float;
        case L::Bcd:
        case L::FmtBcd:
            return RegisterClass::Fixed;
        case L::Date:
        case L::Time:
        case L::DateTime:
        case L::SqlDateTime:
            return RegisterClass::Temporal;
        default:
            return std::nullopt;
    }
}

bool ValueFits(const Value& value, RegisterClass c) {
    switch (value.GetKind()) {
        case Value::Kind::Null:
            return true;
        case Value::Kind::Boolean:
            return c == RegisterClass::Boolean;
        case Value::Kind::Integer:
            return IsNumberClass(c);
        case Value::Kind::FixedPoint:
            return c == RegisterClass::Fixed || c == RegisterClass::Float;
        case Value::Kind::Double:
            return c == RegisterClass::Float || c == RegisterClass::Temporal;
        case Value::Kind::Text:
            return c == RegisterClass::Text;
    }
    return false;
}

OpCode LogicalCode(ExprOperator op) {
    return op == ExprOperator::And  ? OpCode::And
           : op == ExprOperator::Or ? OpCode::Or
                                    : OpCode::Not;
}

}  // namespace

void CannotCompile() {
    throw EStoreError(kCodeCannotCompile);
}

std::optional<RegisterClass> ClassOfType(FieldType type) {
    if (IsTextKind(type) || IsLargeKind(type)) return RegisterClass::Text;
    if (IsIntegerKind(type)) return RegisterClass::Integer;
    if (IsFixedPointKind(type)) return RegisterClass::Fixed;
    if (IsTemporalKind(type)) return RegisterClass::Temporal;
    if (type == ftFloat || type == ftCurrency) return RegisterClass::Float;
    if (type == ftBoolean) return RegisterClass::Boolean;
    return std::nullopt;
}

bool IsNumberClass(RegisterClass c) {
    return c == RegisterClass::Integer || c == RegisterClass::Fixed || c == RegisterClass::Float;
}

std::optional<RegisterClass> CompareMode(RegisterClass a, RegisterClass b) {
    if (a == b && a != RegisterClass::Fixed) return a;
    if (IsNumberClass(a) && IsNumberClass(b)) return RegisterClass::Float;
    return std::nullopt;
}

uint16_t ProgramBuilder::Compile(const ExpressionNode& node, RegisterClass hint) {
    switch (node.kind) {
        case NodeKind::Field:
            return Field(node);
        case NodeKind::Constant:
            return Constant(node, hint);
        case NodeKind::Function:
            return Function(node);
        case NodeKind::In:
            return In(node);
        case NodeKind::Operator:
        case NodeKind::TextCompare:
            return Operator(node);
    }
    CannotCompile();
}

ExpressionProgram ProgramBuilder::Finish(uint16_t result, FieldType type) {
    program_.result = result;
    program_.resultType = type;
    return std::move(program_);
}

uint16_t ProgramBuilder::NewRegister(RegisterClass c) {
    if (program_.registers.size() > std::numeric_limits<uint16_t>::max()) CannotCompile();
    program_.registers.push_back(RegisterSlot{c, false, Value()});
    return static_cast<uint16_t>(program_.registers.size() - 1);
}

uint16_t ProgramBuilder::Emit(Instruction instruction, RegisterClass resultClass) {
    instruction.result = NewRegister(resultClass);
    program_.code.push_back(instruction);
    return instruction.result;
}

uint16_t ProgramBuilder::Field(const ExpressionNode& node) {
    for (const auto& [column, reg] : loadedColumns_)
        if (column == node.column) return reg;
    if (node.column >= columns_.size()) CannotCompile();
    const StoredColumn& column = columns_[node.column];
    const std::optional<RegisterClass> c = ColumnClass(column.type);
    if (!c || c != ClassOfType(node.type)) CannotCompile();
    Instruction load;
    load.code = OpCode::LoadColumn;
    load.column = node.column;
    load.columnType = column.type;
    load.scale = column.scale;
    load.storedSize = FixedValueSize(column.type, column.width);
    const uint16_t reg = Emit(load, *c);
    loadedColumns_.emplace_back(node.column, reg);
    return reg;
}

uint16_t ProgramBuilder::Constant(const ExpressionNode& node, RegisterClass hint) {
    const RegisterClass c = ClassOfType(node.type).value_or(hint);
    if (!ValueFits(node.constant, c)) CannotCompile();
    const uint16_t reg = NewRegister(c);
    program_.registers[reg].constant = true;
    program_.registers[reg].value = node.constant;
    return reg;
}

std::pair<uint16_t, uint16_t> ProgramBuilder::Operands(const ExpressionNode& node) {
    if (node.operands.size() != 2) CannotCompile();
    const ExpressionNode& left = *node.operands[0];
    const ExpressionNode& right = *node.operands[1];
    if (left.IsNullConstant() && !ClassOfType(left.type)) {
        const uint16_t b = Compile(right);
        return {Compile(left, ClassOf(b)), b};
    }
    const uint16_t a = Compile(left);
    return {a, Compile(right, ClassOf(a))};
}

uint16_t ProgramBuilder::Operator(const ExpressionNode& node) {
    switch (node.op) {
        case ExprOperator::And:
        case ExprOperator::Or:
        case ExprOperator::Not:
            return Logical(node);
        case ExprOperator::IsNull:
        case ExprOperator::IsNotNull: {
            if (node.operands.size() != 1) CannotCompile();
            Instruction test;
            test.code = node.op == ExprOperator::IsNull ? OpCode::IsNull : OpCode::IsNotNull;
            test.a = Compile(*node.operands[0]);
            return Emit(test, RegisterClass::Boolean);
        }
        case ExprOperator::Add:
        case ExprOperator::Subtract:
        case ExprOperator::Multiply:
        case ExprOperator::Divide:
            return Arithmetic(node);
        default:
            return Comparison(node);
    }
}

uint16_t ProgramBuilder::Logical(const ExpressionNode& node) {
    const size_t arity = node.op == ExprOperator::Not ? 1 : 2;
    if (node.operands.size() != arity) CannotCompile();
    Instruction logic;
    logic.code = LogicalCode(node.op);
    logic.a = Compile(*node.operands[0], RegisterClass::Boolean);
    if (arity == 2) logic.b = Compile(*node.operands[1], RegisterClass::Boolean);
    if (ClassOf(logic.a) != RegisterClass::Boolean ||
        (arity == 2 && ClassOf(logic.b) != RegisterClass::Boolean))
        CannotCompile();
    return Emit(logic, RegisterClass::Boolean);
}

uint16_t ProgramBuilder::Comparison(const ExpressionNode& node) {
    Instruction compare;
    compare.op = node.op;
    std::tie(compare.a, compare.b) = Operands(node);
    const RegisterClass a = ClassOf(compare.a), b = ClassOf(compare.b);
    const bool textual = node.op == ExprOperator::Like || node.kind == NodeKind::TextCompare;
    if (textual) {
        if (a != RegisterClass::Text || b != RegisterClass::Text) CannotCompile();
        compare.code = node.op == ExprOperator::Like ? OpCode::Like : OpCode::TextCompare;
        if (compare.code == OpCode::TextCompare && node.op != ExprOperator::Equal &&
            node.op != ExprOperator::NotEqual)
            CannotCompile();
        compare.caseInsensitive = node.caseInsensitive;
        compare.partialLength = static_cast<uint32_t>(node.partialLength);
        return Emit(compare, RegisterClass::Boolean);
    }
    const std::optional<RegisterClass> mode = CompareMode(a, b);
    if (!mode || node.op < ExprOperator::Equal || node.op > ExprOperator::GreaterEqual)
        CannotCompile();
    compare.code = OpCode::Compare;
    compare.mode = *mode;
    return Emit(compare, RegisterClass::Boolean);
}

uint16_t ProgramBuilder::Arithmetic(const ExpressionNode& node) {
    Instruction arithmetic;
    arithmetic.op = node.op;
    arithmetic.resultType = node.type;
    std::tie(arithmetic.a, arithmetic.b) = Operands(node);
    RegisterClass a = ClassOf(arithmetic.a), b = ClassOf(arithmetic.b);
    if (node.op == ExprOperator::Add && IsNumberClass(a) && b == RegisterClass::Temporal) {
        std::swap(arithmetic.a, arithmetic.b);
        std::swap(a, b);
    }
    const bool additive = node.op == ExprOperator::Add || node.op == ExprOperator::Subtract;
    if (IsNumberClass(a) && IsNumberClass(b)) {
        arithmetic.code = OpCode::Arithmetic;
        return Emit(arithmetic, RegisterClass::Float);
    }
    if (node.op == ExprOperator::Add && a == RegisterClass::Text && b == RegisterClass::Text) {
        arithmetic.code = OpCode::Concatenate;
        return Emit(arithmetic, RegisterClass::Text);
    }
    if (additive && a == RegisterClass::Temporal && IsNumberClass(b)) {
        arithmetic.code = OpCode::TemporalShift;
        return Emit(arithmetic, RegisterClass::Temporal);
    }
    if (node.op == ExprOperator::Subtract && a == RegisterClass::Temporal &&
        b == RegisterClass::Temporal) {
        arithmetic.code = OpCode::TemporalDistance;
        return Emit(arithmetic, RegisterClass::Float);
    }
    CannotCompile();
}

uint16_t ProgramBuilder::In(const ExpressionNode& node) {
    if (node.operands.size() < 2) CannotCompile();
    Instruction in;
    in.code = OpCode::In;
    in.a = Compile(*node.operands[0]);
    std::vector<uint16_t> elements;
    for (size_t i = 1; i < node.operands.size(); ++i) {
        elements.push_back(Compile(*node.operands[i], ClassOf(in.a)));
        if (!CompareMode(ClassOf(in.a), ClassOf(elements.back()))) CannotCompile();
    }
    in.first = static_cast<uint32_t>(program_.lists.size());
    in.count = static_cast<uint32_t>(elements.size());
    program_.lists.insert(program_.lists.end(), elements.begin(), elements.end());
    return Emit(in, RegisterClass::Boolean);
}

ExpressionProgram CompileCondition(const ExpressionTree& tree,
                                   const std::vector<StoredColumn>& columns) {
    if (tree.root->type != ftBoolean) CannotCompile();
    ProgramBuilder builder(columns, nullptr);
    const uint16_t result = builder.Compile(*tree.root, RegisterClass::Boolean);
    return builder.Finish(result, tree.root->type);
}

CompiledAggregate CompileAggregate(const ExpressionTree& tree,
                                   const std::vector<StoredColumn>& columns) {
    CompiledAggregate aggregate;
    ProgramBuilder builder(columns, &aggregate.terms);
    const uint16_t result = builder.Compile(*tree.root);
    aggregate.result = builder.Finish(result, tree.root->type);
    aggregate.resultType = tree.root->type;
    aggregate.resultSize = ResultSizeOf(tree.root->type, tree.root->size);
    return aggregate;
}

}  // namespace velmora::store
