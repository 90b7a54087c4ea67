#pragma once
// The compiled form of an expression: a flat list of typed instructions over numbered
// registers. Constants sit in registers filled once; each instruction reads earlier
// registers and writes one result with a null mark. The program is immutable: an
// ExpressionEvaluator holds the registers of one evaluation.

#include <cstdint>
#include <vector>

#include "store/expression_tree.h"
#include "store/stored_table_column.h"
#include "store/value.h"

namespace velmora::store {

// How a register holds its value: Integer in int64, Fixed as a decimal, Float in a double,
// Temporal as milliseconds from day 0 in a double, Text as 8-bit characters.
enum class RegisterClass : uint8_t { Boolean, Integer, Fixed, Float, Temporal, Text };

enum class OpCode : uint8_t {
    LoadColumn,     // result := column `column` of the row
    LoadAggregate,  // result := the current value of aggregate term `term`
    Compare,        // result := a op b, compared as `mode`
    TextCompare,    // result := a op b (= or <>) with caseInsensitive, partialLength
    Like,           // result := a LIKE b, with caseInsensitive, partialLength
    IsNull,         // result := a is null (never null itself)
    IsNotNull,
    In,   // result := a equals one of the registers lists[first, first+count)
    And,  // result := truth of a and b, null marks ignored
    Or,
    Not,               // result := not truth of a
    Arithmetic,        // result := a op b in floating-point; a division by zero is null
    Concatenate,       // result := a + b (texts)
    TemporalShift,     // result := temporal a + (op Add) or - (op Subtract) days b
    TemporalDistance,  // result := days from b to a
    Function,          // result := function(lists[first, first+count))
};

enum class FunctionId : uint8_t {
    Upper,
    Lower,
    Substring,
    Trim,
    TrimLeft,
    TrimRight,
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Second,
    GetDate,
    Date,
    Time,
};

struct Instruction {
    OpCode code = OpCode::Compare;
    ExprOperator op = ExprOperator::None;
    RegisterClass mode = RegisterClass::Integer;  // Compare: how the operands compare
    uint16_t result = 0;
    uint16_t a = 0;
    uint16_t b = 0;
    uint32_t first = 0;  // In, Function: the operand registers in ExpressionProgram::lists
    uint32_t count = 0;
    size_t column = 0;  // LoadColumn
    LogicalType columnType = LogicalType::Text;
    uint16_t scale = 0;       // LoadColumn of a decimal
    uint16_t storedSize = 0;  // LoadColumn of a fixed-size type: its stored size
    uint32_t term = 0;        // LoadAggregate
    bool caseInsensitive = false;
    uint32_t partialLength = 0;
    FunctionId function = FunctionId::Upper;
    FieldType resultType = ftUnknown;  // TemporalShift: a Date result keeps whole days
};

struct RegisterSlot {
    RegisterClass registerClass = RegisterClass::Integer;
    bool constant = false;
    Value value;  // constant registers: their value (temporal: milliseconds as Double)
};

struct ExpressionProgram {
    std::vector<RegisterSlot> registers;
    std::vector<Instruction> code;
    std::vector<uint16_t> lists;
    uint16_t result = 0;
    FieldType resultType = ftUnknown;
};

// The functions that accumulate over rows; their values reach a program through
// LoadAggregate.
enum class AggregateKind : uint8_t { Sum, Avg, Min, Max, Count, CountStar };

struct AggregateTerm {
    AggregateKind kind = AggregateKind::Sum;
    // Evaluated per row: the argument (none for COUNT(*)). A null result is a null argument.
    ExpressionProgram argument;
    FieldType argumentType = ftUnknown;
    FieldType resultType = ftUnknown;
};

struct CompiledAggregate {
    std::vector<AggregateTerm> terms;
    // Combines the terms' values (and constants) into the aggregate's value.
    ExpressionProgram result;
    FieldType resultType = ftUnknown;
    uint16_t resultSize = 0;
};

}  // namespace velmora::store
