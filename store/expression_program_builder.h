#pragma once
// Builds one ExpressionProgram from a tree node by node (used by expression_compiler.cpp).

#include <optional>
#include <vector>

#include "store/expression_program.h"
#include "store/stored_table_column.h"

namespace velmora::store {

[[noreturn]] void CannotCompile();

// The register class of values of a type; nullopt for Unknown.
std::optional<RegisterClass> ClassOfType(FieldType type);
// How two registers compare: Integer, Boolean, Text or Temporal when both are of that class,
// Float for two numbers of any other classes; nullopt when they do not compare.
std::optional<RegisterClass> CompareMode(RegisterClass a, RegisterClass b);
bool IsNumberClass(RegisterClass c);

class ProgramBuilder {
public:
    // terms: where aggregate functions go; nullptr where none may appear.
    ProgramBuilder(const std::vector<StoredColumn>& columns, std::vector<AggregateTerm>* terms)
        : columns_(columns), terms_(terms) {}

    // The register holding the node's value. An untyped NULL takes the class `hint`.
    uint16_t Compile(const ExpressionNode& node, RegisterClass hint = RegisterClass::Integer);
    ExpressionProgram Finish(uint16_t result, FieldType type);

private:
    uint16_t Field(const ExpressionNode& node);
    uint16_t Constant(const ExpressionNode& node, RegisterClass hint);
    uint16_t Operator(const ExpressionNode& node);
    uint16_t Comparison(const ExpressionNode& node);
    uint16_t Logical(const ExpressionNode& node);
    uint16_t Arithmetic(const ExpressionNode& node);
    uint16_t In(const ExpressionNode& node);
    uint16_t Function(const ExpressionNode& node);
    uint16_t AggregateFunction(const ExpressionNode& node);
    // Both operands, an untyped NULL taking the other one's class.
    std::pair<uint16_t, uint16_t> Operands(const ExpressionNode& node);

    uint16_t NewRegister(RegisterClass c);
    uint16_t Emit(Instruction instruction, RegisterClass resultClass);
    RegisterClass ClassOf(uint16_t r) const { return program_.registers[r].registerClass; }

    const std::vector<StoredColumn>& columns_;
    std::vector<AggregateTerm>* terms_;
    ExpressionProgram program_;
    std::vector<std::pair<size_t, uint16_t>> loadedColumns_;
};

}  // namespace velmora::store
