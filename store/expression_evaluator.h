#pragma once
// Runs a compiled expression for one row at a time. The registers are allocated once, when
// the evaluator is made; evaluating a row allocates nothing unless a function builds a text
// or a wide-text column is converted.
//
// Null rules: a null column reads as zero (the empty text for text) and marks its register
// null; every result but those of AND, OR, NOT, IS NULL and IS NOT NULL is null when one of
// its operands is (IN: when its left operand is, or when no element matched and one is null).
// AND, OR and NOT combine their operands' truth values, null marks ignored.
// Numbers of different classes, and decimals, compare and compute in double precision;
// floating-point "=" also holds for values less than 1e-15 apart. Division by zero is null.
// Texts compare with the collation, case-sensitively unless a text comparison ignores case.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/decimal.h"
#include "store/expression_collation.h"
#include "store/expression_program.h"
#include "store/expression_row.h"

namespace velmora::store {

struct ExpressionRegister {
    RegisterClass registerClass = RegisterClass::Integer;
    bool null = false;
    bool truth = false;     // Boolean
    int64_t integer = 0;    // Integer
    Decimal fixed;          // Fixed
    double number = 0;      // Float; Temporal: milliseconds from day 0
    std::string_view text;  // Text: the row's bytes, a constant, or `buffer`
    std::string buffer;     // Text built by the evaluator
};

class ExpressionEvaluator {
public:
    // Floating-point "=" holds for values closer than this.
    static constexpr double kEqualTolerance = 1e-15;

    // REQUIRES: program and collation outlive the evaluator.
    ExpressionEvaluator(const ExpressionProgram& program, const TextCollation& collation);
    ExpressionEvaluator(const ExpressionEvaluator&) = delete;
    ExpressionEvaluator& operator=(const ExpressionEvaluator&) = delete;

    // Runs the program for row; aggregates are the values of an aggregate's terms, in term
    // order, for programs that read them. Reading a decimal that does not fit raises
    // EStoreError(kCodeValueOutOfRange).
    void Evaluate(const ExpressionRow& row, std::span<const Value> aggregates = {});

    // Evaluates row and tells whether it satisfies the condition: a boolean result that is
    // not null and true. A null or false result, or one of another class, excludes it.
    bool Passes(const ExpressionRow& row);

    // The last evaluation's result (null when marked null).
    const ExpressionRegister& Result() const { return registers_[program_.result]; }
    Value ResultValue() const;

private:
    void Run(const Instruction& instruction, const ExpressionRow& row,
             std::span<const Value> aggregates);
    void LoadColumn(const Instruction& instruction, const ExpressionRow& row);
    void CallFunction(const Instruction& instruction);
    bool Compare(ExprOperator op, RegisterClass mode, const ExpressionRegister& a,
                 const ExpressionRegister& b) const;
    bool TextMatch(const Instruction& instruction, const ExpressionRegister& a,
                   const ExpressionRegister& b) const;
    bool InList(const Instruction& instruction, bool& nullElement) const;
    void ComputeArithmetic(const Instruction& instruction, ExpressionRegister& result);
    ExpressionRegister& Argument(const Instruction& instruction, uint32_t index) {
        return registers_[program_.lists[instruction.first + index]];
    }

    const ExpressionProgram& program_;
    const TextCollation& collation_;
    std::vector<ExpressionRegister> registers_;
};

// Puts value into r as r's class holds it (a number into any number class, a decimal as
// Decimal, a double into Float or Temporal, text as a view of the value's text).
// REQUIRES: value outlives the use of r's text.
void AssignRegister(ExpressionRegister& r, const Value& value);

// The register's number as a double. REQUIRES: an Integer, Fixed or Float register.
double RegisterNumber(const ExpressionRegister& r);

}  // namespace velmora::store
