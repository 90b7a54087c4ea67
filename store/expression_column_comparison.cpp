#include "store/expression_column_comparison.h"

#include <algorithm>
#include <cmath>

#include "store/decimal_double.h"
#include "store/expression_evaluator.h"
#include "store/expression_order.h"
#include "store/expression_stored_values.h"

namespace velmora::store {
namespace {

// The register class the evaluator loads a column of this type into, where read here.
std::optional<RegisterClass> ReadClass(LogicalType type) {
    if (IsSignedIntegerType(type) || IsUnsignedIntegerType(type)) return RegisterClass::Integer;
    switch (type) {
        case LogicalType::Bcd:
        case LogicalType::FmtBcd:
            return RegisterClass::Fixed;
        case LogicalType::Real8:
            return RegisterClass::Float;
        case LogicalType::Date:
        case LogicalType::Time:
        case LogicalType::DateTime:
            return RegisterClass::Temporal;
        case LogicalType::Text:
            return RegisterClass::Text;
        default:
            return std::nullopt;
    }
}

bool IsNumber(RegisterClass c) {
    return c == RegisterClass::Integer || c == RegisterClass::Fixed || c == RegisterClass::Float;
}

// Whether a comparison in `mode` (or a text comparison) reads operands of class c.
bool Compares(OpCode code, RegisterClass mode, RegisterClass c) {
    if (code == OpCode::TextCompare) return c == RegisterClass::Text;
    switch (mode) {
        case RegisterClass::Integer:
        case RegisterClass::Temporal:
        case RegisterClass::Text:
            return c == mode;
        case RegisterClass::Fixed:
        case RegisterClass::Float:
            return IsNumber(c);
        default:
            return false;
    }
}

}  // namespace

// Walks the program once: loads and constants become operands, comparisons and ANDs must form
// one tree whose root is the program's result.
class ColumnComparisons::Reader {
public:
    Reader(const ExpressionProgram& program, const RowLayout& layout)
        : program_(program),
          layout_(layout),
          loads_(program.registers.size()),
          conditions_(program.registers.size(), kNotCondition) {}

    bool Read(ColumnComparisons& into) {
        for (const Instruction& instruction : program_.code)
            if (!Take(instruction, into)) return false;
        if (program_.result >= conditions_.size() || conditions_[program_.result] != kUnused)
            return false;
        conditions_[program_.result] = kUsed;
        return std::all_of(conditions_.begin(), conditions_.end(),
                           [](int state) { return state != kUnused; });
    }

private:
    static constexpr int kNotCondition = 0, kUnused = 1, kUsed = 2;

    bool Take(const Instruction& instruction, ColumnComparisons& into) {
        const uint16_t r = instruction.result;
        if (r >= program_.registers.size() || program_.registers[r].constant || loads_[r] ||
            conditions_[r] != kNotCondition)
            return false;
        switch (instruction.code) {
            case OpCode::LoadColumn:
                return Load(instruction);
            case OpCode::Compare:
            case OpCode::TextCompare:
                return Compare(instruction, into);
            case OpCode::And:
                if (!Use(instruction.a) || !Use(instruction.b)) return false;
                conditions_[r] = kUnused;
                return program_.registers[r].registerClass == RegisterClass::Boolean;
            default:
                return false;
        }
    }

    // A load the evaluator would refuse (a stored size or scale it raises for) is not taken.
    bool Load(const Instruction& instruction) {
        if (instruction.column >= layout_.ColumnCount()) return false;
        const RowLayout::Place& place = layout_.At(instruction.column);
        const std::optional<RegisterClass> loaded = ReadClass(instruction.columnType);
        if (!loaded || *loaded != program_.registers[instruction.result].registerClass ||
            place.type != instruction.columnType)
            return false;
        if (instruction.storedSize != 0 && (place.varying || place.size != instruction.storedSize))
            return false;
        if (instruction.scale > kMaxDecimalDigits) return false;
        Operand operand;
        operand.column = true;
        operand.index = instruction.column;
        operand.type = instruction.columnType;
        operand.scale = static_cast<uint8_t>(instruction.scale);
        if (!place.varying) {
            operand.offset = place.offset;
            operand.size = place.size;
        }
        loads_[instruction.result] = operand;
        return true;
    }

    bool Compare(const Instruction& instruction, ColumnComparisons& into) {
        const std::optional<Operand> a = OperandOf(instruction.a);
        const std::optional<Operand> b = OperandOf(instruction.b);
        if (!a || !b ||
            program_.registers[instruction.result].registerClass != RegisterClass::Boolean)
            return false;
        const RegisterClass aClass = program_.registers[instruction.a].registerClass;
        const RegisterClass bClass = program_.registers[instruction.b].registerClass;
        if (!Compares(instruction.code, instruction.mode, aClass) ||
            !Compares(instruction.code, instruction.mode, bClass))
            return false;
        Comparison comparison{instruction.code,
                              instruction.op,
                              instruction.mode,
                              instruction.caseInsensitive,
                              instruction.partialLength,
                              *a,
                              *b};
        for (const Operand* operand : {&comparison.a, &comparison.b})
            if (operand->column && std::find(into.columns_.begin(), into.columns_.end(),
                                             operand->index) == into.columns_.end())
                into.columns_.push_back(operand->index);
        into.comparisons_.push_back(std::move(comparison));
        conditions_[instruction.result] = kUnused;
        return true;
    }

    // A loaded column, or a constant that is not null, as the evaluator holds it.
    std::optional<Operand> OperandOf(uint16_t r) const {
        if (r >= program_.registers.size()) return std::nullopt;
        if (loads_[r]) return loads_[r];
        const RegisterSlot& slot = program_.registers[r];
        if (!slot.constant || slot.value.IsNull()) return std::nullopt;
        ExpressionRegister value;
        value.registerClass = slot.registerClass;
        AssignRegister(value, slot.value);
        Operand operand;
        operand.integer = value.integer;
        operand.number = IsNumber(slot.registerClass) ? RegisterNumber(value) : value.number;
        operand.text = std::string(value.text);
        return operand;
    }

    bool Use(uint16_t r) {
        if (r >= conditions_.size() || conditions_[r] != kUnused) return false;
        conditions_[r] = kUsed;
        return true;
    }

    const ExpressionProgram& program_;
    const RowLayout& layout_;
    std::vector<std::optional<Operand>> loads_;
    std::vector<int> conditions_;  // per register: a comparison's or AND's result, and its use
};

std::optional<ColumnComparisons> ColumnComparisons::Of(const ExpressionProgram& program,
                                                       const RowLayout& layout,
                                                       const TextCollation& collation) {
    ColumnComparisons comparisons(collation);
    if (!Reader(program, layout).Read(comparisons)) return std::nullopt;
    return comparisons;
}

std::optional<bool> ColumnComparisons::Judge(const RowView& row) const {
    for (size_t column : columns_)
        if (row.IsNull(column)) return std::nullopt;
    for (const Comparison& comparison : comparisons_)
        if (!Satisfied(comparison, row)) return false;
    return true;
}

namespace {

// The operand's value as its register would hold it, read by the comparison's mode.
// REQUIRES (all): the operand's column is not null.
struct Read {
    const RowView& row;

    std::string_view Stored(const auto& operand) const {
        return operand.size != 0 ? row.Bytes().substr(operand.offset, operand.size)
                                 : row.Value(operand.index);
    }
    int64_t Integer(const auto& operand) const {
        return operand.column ? StoredInteger(operand.type, Stored(operand)) : operand.integer;
    }
    double Temporal(const auto& operand) const {
        return operand.column ? StoredTemporal(operand.type, Stored(operand)) : operand.number;
    }
    double Number(const auto& operand) const {
        if (!operand.column) return operand.number;
        const std::string_view stored = Stored(operand);
        if (operand.type == LogicalType::Real8) return Real8(stored);
        if (operand.type == LogicalType::Bcd || operand.type == LogicalType::FmtBcd)
            return NearestDouble(Decimal{DecodeDecimalUnits(stored), operand.scale});
        return static_cast<double>(StoredInteger(operand.type, stored));
    }
    std::string_view Text(const auto& operand) const {
        return operand.column ? UpToZero(Stored(operand)) : std::string_view(operand.text);
    }
};

}  // namespace

bool ColumnComparisons::Satisfied(const Comparison& c, const RowView& row) const {
    const Read read{row};
    if (c.code == OpCode::TextCompare) {
        std::string_view text = read.Text(c.a);
        if (c.partialLength > 0 && text.size() > c.partialLength)
            text = text.substr(0, c.partialLength);
        return Holds(c.op, collation_->Compare(text, read.Text(c.b), c.caseInsensitive));
    }
    switch (c.mode) {
        case RegisterClass::Integer:
            return Holds(c.op, Order(read.Integer(c.a), read.Integer(c.b)));
        case RegisterClass::Temporal:
            return Holds(c.op, Order(read.Temporal(c.a), read.Temporal(c.b)));
        case RegisterClass::Text:
            return Holds(c.op, collation_->Compare(read.Text(c.a), read.Text(c.b), false));
        default: {
            const double x = read.Number(c.a), y = read.Number(c.b);
            if (c.op == ExprOperator::Equal)
                return x == y || std::fabs(x - y) < ExpressionEvaluator::kEqualTolerance;
            return Holds(c.op, Order(x, y));
        }
    }
}

}  // namespace velmora::store
